#include "TWinPrnData.h"

#include "TAnalyte.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TPrintCanvas.h"
#include "TPrintWindowParts.h"
#include "TPrinterService.h"
#include "TQCContext.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

TWinPrnData::TWinPrnData(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinPrnData"));
    setFixedSize(204, 196);
    Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Lines to print"), QRect(8, 12, 100, 16));
    PanelNbLines = MakeCountPanel(this, QStringLiteral("PanelNbLines"), QRect(120, 8, 76, 24));
    DatePicker1 = MakePrintDatePicker(this, QStringLiteral("DatePicker1"), QRect(80, 44, 116, 24));
    Label2
        = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("&First date"), QRect(8, 48, 70, 16), DatePicker1);
    DatePicker2 = MakePrintDatePicker(this, QStringLiteral("DatePicker2"), QRect(80, 76, 116, 24));
    Label3 = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("&Last date"), QRect(8, 80, 70, 16), DatePicker2);
    CBPrnStats = new QCheckBox(QStringLiteral("Print &statistics"), this);
    CBPrnStats->setObjectName(QStringLiteral("CBPrnStats"));
    CBPrnStats->setGeometry(8, 116, 188, 20);
    BtPrint = new QPushButton(QStringLiteral("&Print"), this);
    BtPrint->setObjectName(QStringLiteral("BtPrint"));
    BtPrint->setGeometry(8, 152, 90, 33);
    BitBtn1 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(106, 152, 90, 33);

    connect(DatePicker1, &QDateEdit::dateChanged, this, &TWinPrnData::CountNbLines);
    connect(DatePicker2, &QDateEdit::dateChanged, this, &TWinPrnData::CountNbLines);
    connect(BtPrint, &QPushButton::clicked, this, &TWinPrnData::BtPrintClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TWinPrnData::~TWinPrnData() = default;

void TWinPrnData::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinPrnData::FormActivate()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (analyte && analyte->Count() > 0) {
        DatePicker2->setDate(DayCountToDate(analyte->Point(analyte->Count() - 1).DateTime));
        DatePicker1->setDate(DayCountToDate(analyte->Point(0).DateTime));
    }
    DatePicker1->setFocus();
    CountNbLines();
    CBPrnStats->setChecked(true);
}

void TWinPrnData::CountNbLines()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const int count = analyte ? PointsBetween(*analyte, DatePicker1->date(), DatePicker2->date()).Count() : 0;
    PanelNbLines->setText(QString::number(count));
}

void TWinPrnData::BtPrintClick()
{
    DatePicker2->setFocus();
    DatePicker1->setFocus();
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte || PanelNbLines->text() == QLatin1String("0")) {
        m_dialogs.Error(QStringLiteral("Nothing to print"), mbYes, this);
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas = m_printers.ChoosePrinter(QStringLiteral("Printing QC data"), this);
    if (!canvas)
        return;
    const TDataReportOptions options { DatePicker1->date(), DatePicker2->date(), CBPrnStats->isChecked() };
    if (PrintDataReport(
            *canvas, *analyte, m_context.ListSerum, options, m_context.Risks(), m_context.Clock().TodayDays())
        == TPrintOutcome::DeviceFailed) {
        m_dialogs.Error(QStringLiteral("Printing failed"), mbOK, this);
        return;
    }
    accept();
}
