#include "TWinSigma.h"
#include "TKitMessages.h"
#include "TQCMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TInputCheck.h"
#include "TKeyButton.h"
#include "TPaintBox.h"
#include "TPainterCanvas.h"
#include "TPowerGraph.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TRandom.h"
#include "TRuleChoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int RowTop = 62;
constexpr int RowHeight = 34;

QString Number(double value) { return std::isfinite(value) ? QString::number(value, 'g', 6) : QString(); }

QString ResultText(const TLevelAdvice& advice)
{
    const TSigmaLevel& s = advice.Sigma;
    if (!s.Computed)
        return QStringLiteral("No sigma: %1").arg(s.Reason);
    const TRulePower& r = advice.Recommended;
    return QStringLiteral("Sigma %1%2, ΔSEcrit %3 SD: %4, N = %5, R = %6 (Pfr %7, Ped %8)")
        .arg(QString::number(s.Sigma, 'f', 2), s.BiasKnown ? QString() : QStringLiteral(" (bias 0)"),
            QString::number(s.DSECrit, 'f', 2), r.Rules.Text())
        .arg(r.Rules.N)
        .arg(r.Rules.R)
        .arg(QString::number(r.Pfr, 'f', 3), QString::number(r.Ped, 'f', 2));
}

} // namespace

TWinSigma::TWinSigma(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinSigma"));
    setWindowTitle(QStringLiteral("Sigma and rules"));
    setFont(WindowFont());
    const int graphTop = RowTop + RowHeight * MaxLevels + 60;
    const int buttonTop = graphTop + GraphHeight + 10;
    setFixedSize(FormWidth, buttonTop + 42);

    LblAnalyte = Named(new QLabel(this), "LblAnalyte");
    LblAnalyte->setGeometry(10, 8, 400, 24);
    QFont bold = LblAnalyte->font();
    bold.setBold(true);
    bold.setPointSize(12);
    LblAnalyte->setFont(bold);
    const std::pair<int, const char*> heads[]
        = { { 50, "TEa" }, { 115, "in units" }, { 190, "Target" }, { 265, "or bias %" }, { 335, "Sigma and rules" } };
    for (const auto& [left, text] : heads)
        (new QLabel(QString::fromUtf8(text), this))->setGeometry(left, 40, 120, 18);
    for (int i = 0; i < MaxLevels; ++i) {
        const int top = RowTop + RowHeight * i;
        (new QLabel(QStringLiteral("QC%1").arg(i + 1), this))->setGeometry(10, top + 3, 36, 18);
        EditTEa[i] = Named(new QLineEdit(this), "EditTEa");
        EditTEa[i]->setGeometry(50, top, 60, 22);
        CBUnits[i] = Named(new QCheckBox(this), "CBUnits");
        CBUnits[i]->setGeometry(130, top, 40, 22);
        EditTarget[i] = Named(new QLineEdit(this), "EditTarget");
        EditTarget[i]->setGeometry(190, top, 70, 22);
        EditBias[i] = Named(new QLineEdit(this), "EditBias");
        EditBias[i]->setGeometry(265, top, 60, 22);
        LblResult[i] = Named(new QLabel(this), "LblResult");
        LblResult[i]->setGeometry(335, top - 4, FormWidth - 345, RowHeight - 2);
        LblResult[i]->setWordWrap(true);
    }
    LblRecommended = Named(new QLabel(this), "LblRecommended");
    LblRecommended->setGeometry(10, RowTop + RowHeight * MaxLevels + 4, FormWidth - 20, 20);
    CBApply = Named(
        new QCheckBox(QStringLiteral("&Judge this analyte's runs with the recommended rules"), this), "CBApply");
    CBApply->setGeometry(10, RowTop + RowHeight * MaxLevels + 28, FormWidth - 20, 22);

    PBoxPower = Named(new TPaintBox(this), "PBoxPower");
    PBoxPower->setGeometry(10, graphTop, FormWidth - 20, GraphHeight);
    PBoxPower->OnPaint = [this](QPainter& painter, const QRect&) { PBoxPowerPaint(painter); };

    BtCompute = Named(MakeButton(this, QRect(10, buttonTop, 90, 30), QStringLiteral("&Compute")), "BtCompute");
    BtPrint = Named(MakeButton(this, QRect(110, buttonTop, 90, 30), QStringLiteral("&Print")), "BtPrint");
    BtOK = Named(MakeButton(this, QRect(FormWidth - 200, buttonTop, 90, 30), QStringLiteral("OK")), "BtOK");
    BtCancel = Named(MakeButton(this, QRect(FormWidth - 100, buttonTop, 90, 30), QStringLiteral("Cancel")), "BtCancel");
    BtCle = Named(new TKeyButton(m_context, m_dialogs, this), "BtCle");
    BtCle->setGeometry(FormWidth - 250, buttonTop - 3, 40, 36);
    BtCle->Protect({ BtOK });
    connect(BtCle, &TKeyButton::Unlocked, this, [this] { BtOK->setEnabled(m_goalsRead); });
    connect(BtCompute, &QPushButton::clicked, this, &TWinSigma::BtComputeClick);
    connect(BtPrint, &QPushButton::clicked, this, &TWinSigma::BtPrintClick);
    connect(BtOK, &QPushButton::clicked, this, &TWinSigma::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TWinSigma::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TWinSigma::FormShow()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    LblAnalyte->setText(analyte->Name + QStringLiteral("  ") + analyte->Units);
    QString error;
    // A damaged goals file is reported and left as it is: OK would overwrite it.
    m_goalsRead = m_goals.Load(TQualityGoals::FileName(m_context.BaseName()), &error);
    BtCle->Reset();
    BtOK->setEnabled(m_goalsRead && !BtCle->IsLocked());
    if (!m_goalsRead)
        m_dialogs.Show(QCMessages::GoalsUnreadable, this, error);
    const TAnalyteGoals goals = m_goals.Goals(analyte->Name);
    for (int i = 0; i < MaxLevels; ++i) {
        const bool shown = i < analyte->NbLevels;
        for (QWidget* w : std::initializer_list<QWidget*> { EditTEa[i], CBUnits[i], EditTarget[i], EditBias[i] })
            w->setEnabled(shown);
        EditTEa[i]->setText(Number(goals.Levels[i].TEa));
        CBUnits[i]->setChecked(goals.Levels[i].TEaInUnits);
        EditTarget[i]->setText(Number(goals.Levels[i].Target));
        EditBias[i]->setText(Number(goals.Levels[i].BiasPercent));
        LblResult[i]->clear();
    }
    CBApply->setChecked(goals.ApplyRecommended);
    BtComputeClick();
}

bool TWinSigma::ReadGoals(TAnalyteGoals& goals)
{
    for (int i = 0; i < MaxLevels; ++i) {
        double* fields[] = { &goals.Levels[i].TEa, &goals.Levels[i].Target, &goals.Levels[i].BiasPercent };
        QLineEdit* edits[] = { EditTEa[i], EditTarget[i], EditBias[i] };
        for (int f = 0; f < 3; ++f) {
            const QString text = edits[f]->text().trimmed();
            const std::optional<double> value = ParseDecimal(text);
            if (!text.isEmpty() && !value) {
                m_dialogs.Error(InvalidFloatMessage(text), mbOK, this);
                edits[f]->selectAll();
                edits[f]->setFocus();
                return false;
            }
            *fields[f] = text.isEmpty() ? NAN : *value;
        }
        goals.Levels[i].TEaInUnits = CBUnits[i]->isChecked();
    }
    goals.ApplyRecommended = CBApply->isChecked();
    return true;
}

void TWinSigma::BtComputeClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    TAnalyteGoals goals;
    if (!analyte || !ReadGoals(goals))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TRandom random(SimulationSeed);
    const TSimLimits limits = LimitsOfRisks(m_context.Risks());
    m_advice = AdviseRules(*analyte, goals, random, limits, Trials);
    const int levels = std::clamp(int(analyte->NbLevels), 1, MaxLevels);
    for (int i = 0; i < MaxLevels; ++i)
        LblResult[i]->setText(i < int(m_advice.size()) ? ResultText(m_advice[i]) : QString());
    // The curves: the multirule in force and the rules of the lowest sigma.
    const TLevelAdvice* lowest = nullptr;
    for (const TLevelAdvice& level : m_advice)
        if (level.Sigma.Computed && (!lowest || level.Sigma.Sigma < lowest->Sigma.Sigma))
            lowest = &level;
    const std::vector<double> shifts = StandardShifts();
    const TRuleSet inForce = MultiruleInForce(levels);
    m_series = { { QStringLiteral("In force: ") + inForce.Text(),
        PowerCurve(inForce, levels, shifts, Trials, random, limits), Qt::red } };
    m_critical = -1;
    if (lowest) {
        const TRuleSet& recommended = lowest->Recommended.Rules;
        m_series.push_back({ QStringLiteral("Recommended: %1, N = %2, R = %3")
                                 .arg(recommended.Text())
                                 .arg(recommended.N)
                                 .arg(recommended.R),
            PowerCurve(recommended, levels, shifts, Trials, random, limits), Qt::blue });
        m_critical = lowest->Sigma.DSECrit;
        LblRecommended->setText(QStringLiteral("Recommended for the analyte (lowest sigma %1): %2, N = %3")
                                    .arg(QString::number(lowest->Sigma.Sigma, 'f', 2), recommended.Text())
                                    .arg(recommended.N));
    } else {
        LblRecommended->setText(QStringLiteral("Enter a TEa to see the sigma and the recommended rules"));
    }
    m_graph = QImage();
    PBoxPower->update();
    QApplication::restoreOverrideCursor();
}

void TWinSigma::PBoxPowerPaint(QPainter& painter)
{
    if (m_graph.size() != PBoxPower->size()) {
        m_graph = QImage(PBoxPower->size(), QImage::Format_RGB32);
        m_graph.fill(Qt::white);
        TPainterCanvas canvas(m_graph);
        if (canvas.BeginDoc(windowTitle(), TOrientation::Landscape)) {
            canvas.SetFont({ QStringLiteral("Arial"), 8 });
            PaintPowerGraph(canvas, m_graph.rect(), StandardShifts(), m_series, m_critical);
            canvas.EndDoc();
        }
    }
    painter.drawImage(0, 0, m_graph);
}

QStringList TWinSigma::SummaryLines() const
{
    QStringList lines;
    for (int i = 0; i < int(m_advice.size()); ++i)
        lines << QStringLiteral("QC%1: ").arg(i + 1) + ResultText(m_advice[i]);
    lines << LblRecommended->text();
    return lines;
}

void TWinSigma::BtPrintClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    const QString title = QStringLiteral("Sigma and rules for ") + analyte->Name;
    std::unique_ptr<TPrintCanvas> canvas = m_printers.ChoosePrinter(
        { title, analyte->Name, QStringLiteral("sigma"), m_context.Clock().Now().date() }, this);
    if (canvas
        && PrintPowerReport(*canvas, title, SummaryLines(), StandardShifts(), m_series, m_critical)
            == TPrintOutcome::DeviceFailed)
        m_dialogs.Show(KitMessages::PrintingFailed, this);
}

void TWinSigma::BtOKClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    TAnalyteGoals goals;
    if (!analyte || !ReadGoals(goals))
        return;
    // A change of the rules applied is committed through the document, which records it.
    QString error, unrecorded;
    if (!StoreGoals(m_context.Document(), m_goals, analyte->Name, goals, &error, &unrecorded)) {
        m_dialogs.Show(QCMessages::GoalsNotSaved, this, error);
        return;
    }
    if (!unrecorded.isEmpty())
        m_dialogs.Show(KitMessages::JournalFailed, this, unrecorded);
    accept();
}
