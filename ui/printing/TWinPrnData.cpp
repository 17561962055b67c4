#include "TWinPrnData.h"
#include "TColors.h"
#include "TKitMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TPrintCanvas.h"
#include "TPrintWindowParts.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TQualityGoals.h"

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
    Label1 = Named(MakeLabel(this, 8, 12, QStringLiteral("Lines to print")), "Label1");
    PanelNbLines = Named(MakePanel(this, QRect(120, 8, 76, 24), Colors::Yellow, Qt::black), "PanelNbLines");
    DatePicker1 = MakePrintDatePicker(this, QStringLiteral("DatePicker1"), QRect(80, 44, 116, 24));
    Label2 = Named(MakeLabel(this, 8, 48, QStringLiteral("&First date")), "Label2");
    Label2->setBuddy(DatePicker1);
    DatePicker2 = MakePrintDatePicker(this, QStringLiteral("DatePicker2"), QRect(80, 76, 116, 24));
    Label3 = Named(MakeLabel(this, 8, 80, QStringLiteral("&Last date")), "Label3");
    Label3->setBuddy(DatePicker2);
    CBPrnStats = Named(new QCheckBox(QStringLiteral("Print &statistics"), this), "CBPrnStats");
    CBPrnStats->setGeometry(8, 116, 188, 20);
    BtPrint = Named(MakeButton(this, QRect(8, 152, 90, 33), QStringLiteral("&Print")), "BtPrint");
    BitBtn1 = Named(
        MakeButton(this, QRect(106, 152, 90, 33), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BitBtn1");

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
    SetPickersToPoints(m_context.CurrentAnalyte, DatePicker1, DatePicker2);
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
        m_dialogs.Show(KitMessages::NothingToPrint, this);
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas = m_printers.ChoosePrinter(
        { QStringLiteral("Printing QC data"), analyte->Name, QStringLiteral("data"), m_context.Clock().Now().date() },
        this);
    if (!canvas)
        return;
    const TDataReportOptions options { DatePicker1->date(), DatePicker2->date(), CBPrnStats->isChecked(),
        RulesInForce(*analyte, TQualityGoals::FileName(m_context.BaseName())) };
    if (PrintDataReport(
            *canvas, *analyte, m_context.ListSerum, options, m_context.Risks(), m_context.Clock().TodayDays())
        == TPrintOutcome::DeviceFailed) {
        m_dialogs.Show(KitMessages::PrintingFailed, this);
        return;
    }
    accept();
}
