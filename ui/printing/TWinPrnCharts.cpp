#include "TWinPrnCharts.h"
#include "TColors.h"
#include "TKitMessages.h"

#include "TAnalyte.h"
#include "TChartReport.h"
#include "TControls.h"
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

TWinPrnCharts::TWinPrnCharts(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinPrnCharts"));
    setFixedSize(204, 290);
    Label1 = Named(MakeLabel(this, 8, 12, QStringLiteral("Control points to print")), "Label1");
    PanelNbPoints = Named(MakePanel(this, QRect(152, 8, 44, 24), Colors::Yellow, Qt::black), "PanelNbPoints");
    DatePicker1 = MakePrintDatePicker(this, QStringLiteral("DatePicker1"), QRect(80, 44, 116, 24));
    Label2 = Named(MakeLabel(this, 8, 48, QStringLiteral("&First date")), "Label2");
    Label2->setBuddy(DatePicker1);
    DatePicker2 = MakePrintDatePicker(this, QStringLiteral("DatePicker2"), QRect(80, 76, 116, 24));
    Label3 = Named(MakeLabel(this, 8, 80, QStringLiteral("&Last date")), "Label3");
    Label3->setBuddy(DatePicker2);
    Label4 = Named(MakeLabel(this, 8, 116, QStringLiteral("Charts to print")), "Label4");
    QWidget* previous = DatePicker2;
    for (int level = 0; level < MaxLevels; ++level) {
        QCheckBox* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("CBLevels%1").arg(level));
        box->setGeometry(30, 140 + 24 * level, 166, 20);
        setTabOrder(previous, box);
        previous = box;
        CBLevels[size_t(level)] = box;
    }
    CBColor = Named(new QCheckBox(QStringLiteral("&Color printer"), this), "CBColor");
    CBColor->setGeometry(8, 214, 188, 20);
    CBStat = Named(new QCheckBox(QStringLiteral("Print &statistics"), this), "CBStat");
    CBStat->setGeometry(8, 236, 188, 20);
    BtPrint = Named(MakeButton(this, QRect(8, 260, 90, 26), QStringLiteral("&Print")), "BtPrint");
    BitBtn1 = Named(
        MakeButton(this, QRect(106, 260, 90, 26), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BitBtn1");

    connect(DatePicker1, &QDateEdit::dateChanged, this, &TWinPrnCharts::CountNbPoints);
    connect(DatePicker2, &QDateEdit::dateChanged, this, &TWinPrnCharts::CountNbPoints);
    connect(CBColor, &QCheckBox::clicked, this, &TWinPrnCharts::CBColorClick);
    connect(BtPrint, &QPushButton::clicked, this, &TWinPrnCharts::BtPrintClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TWinPrnCharts::~TWinPrnCharts() = default;

void TWinPrnCharts::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinPrnCharts::FormActivate()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    SetPickersToPoints(analyte, DatePicker1, DatePicker2);
    DatePicker1->setFocus();
    CountNbPoints();
    CBColor->setChecked(m_context.Config.PrintInColour);
    CBStat->setChecked(true);
    const int levels = analyte ? analyte->NbLevels : 0;
    for (int level = 0; level < MaxLevels; ++level) {
        QCheckBox* box = CBLevels[size_t(level)];
        box->setVisible(level < levels);
        if (level >= levels)
            continue;
        box->setText(m_context.ListSerum.FindByID(analyte->SerumID[size_t(level)]).Name);
        box->setChecked(true);
        box->setEnabled(levels > 1);
    }
}

void TWinPrnCharts::CountNbPoints()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const int count = analyte ? PointsBetween(*analyte, DatePicker1->date(), DatePicker2->date()).Count() : 0;
    PanelNbPoints->setText(QString::number(count));
}

void TWinPrnCharts::CBColorClick() { m_context.Config.PrintInColour = CBColor->isChecked(); }

void TWinPrnCharts::BtPrintClick()
{
    DatePicker2->setFocus();
    DatePicker1->setFocus();
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    TChartReportOptions options { DatePicker1->date(), DatePicker2->date(), {}, CBColor->isChecked(),
        CBStat->isChecked() };
    int ticked = 0;
    for (int level = 0; level < MaxLevels; ++level) {
        const QCheckBox* box = CBLevels[size_t(level)];
        options.Levels[size_t(level)] = analyte && level < analyte->NbLevels && box->isChecked();
        ticked += options.Levels[size_t(level)] ? 1 : 0;
    }
    if (m_context.ListAnalytes.Count() == 0 || !analyte || analyte->Count() == 0 || ticked == 0) {
        m_dialogs.Show(KitMessages::NothingToPrint, this);
        reject();
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas
        = m_printers.ChoosePrinter({ QStringLiteral("Printing QC charts"), analyte->Name, QStringLiteral("charts"),
                                       m_context.Clock().Now().date() },
            this);
    if (!canvas)
        return;
    if (PrintChartReport(
            *canvas, *analyte, m_context.ListSerum, options, m_context.Risks(), m_context.Clock().TodayDays())
        == TPrintOutcome::DeviceFailed) {
        m_dialogs.Show(KitMessages::PrintingFailed, this);
        return;
    }
    accept();
}
