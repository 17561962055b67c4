#include "TWinValidCQ.h"

#include "TAnalyte.h"
#include "TColors.h"
#include "TControls.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TQCContext.h"
#include "TQualityGoals.h"
#include "TScopePane.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

using namespace Colors;
// The rings of the values a rule saw.
const QColor ScopeMark(255, 128, 0);

QString RejectCaption(int level, bool discarded)
{
    return (discarded ? QStringLiteral("Retrieve QC") : QStringLiteral("Reject QC")) + QString::number(level + 1);
}

} // namespace

TWinValidCQ::TWinValidCQ(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    FormCreate();
}

void TWinValidCQ::FormCreate()
{
    setObjectName(QStringLiteral("TWinValidCQ"));
    setWindowTitle(QStringLiteral("QC validation"));
    setFont(WindowFont());
    resize(FormWidth, WindowHeight(MaxLevels, false));

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, FormWidth, HeaderHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setIndent(10);
    QFont title = WindowFont();
    title.setPixelSize(24);
    title.setBold(true);
    Panel1->setFont(title);
    QPalette navy = Panel1->palette();
    navy.setColor(QPalette::WindowText, Navy);
    Panel1->setPalette(navy);
    LblUnite = new QLabel(Panel1);
    LblUnite->setObjectName(QStringLiteral("LblUnite"));
    LblUnite->setFont(WindowFont());
    LblUnite->setGeometry(FormWidth - 110, 14, 100, 16);
    LblUnite->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setGeometry(0, HeaderHeight, FormWidth, 100 * MaxLevels + 43);
    PanelDate = Named(MakePanel(Panel2, QRect(10, 10, 140, 21), Yellow, Qt::black), "PanelDate");
    LblOperator = new QLabel(QStringLiteral("Operator"), Panel2);
    LblOperator->setObjectName(QStringLiteral("LblOperator"));
    LblOperator->setGeometry(160, 12, 50, 16);
    PanelOperator = Named(MakePanel(Panel2, QRect(212, 10, 50, 21), Yellow, Qt::black), "PanelOperator");
    LblComment = new QLabel(QStringLiteral("Comment"), Panel2);
    LblComment->setObjectName(QStringLiteral("LblComment"));
    LblComment->setGeometry(272, 12, 55, 16);
    PanelComment = Named(MakePanel(Panel2, QRect(330, 10, 180, 21), Yellow, Qt::black), "PanelComment");
    for (int i = 0; i < MaxLevels; ++i)
        CreateLevelControls(i);

    PanelWGAcross = new QFrame(this);
    PanelWGAcross->setObjectName(QStringLiteral("PanelWGAcross"));
    PanelWGAcross->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelWGAcross->setGeometry(0, AcrossTop(MaxLevels), FormWidth, AcrossHeight);
    // The across labels stand under the level labels of the same rules.
    PBoxWGAcross = new TPaintBox(PanelWGAcross);
    PBoxWGAcross->setObjectName(QStringLiteral("PBoxWGAcross"));
    PBoxWGAcross->setGeometry(11, 3, 300, 26);
    PBoxWGAcross->OnPaint = [this](QPainter& painter, const QRect&) { PBoxWGAcrossPaint(painter); };
    Label3 = new QLabel(QStringLiteral("Rules across levels"), PanelWGAcross);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 8, 120, 16);
    PanelWGAcross->hide();

    CBWestg = new QCheckBox(QStringLiteral("&Westgard multirules "), this);
    CBWestg->setObjectName(QStringLiteral("CBWestg"));
    connect(CBWestg, &QCheckBox::toggled, this, [this] { CBWestgClick(); });
    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    BtCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    LblRules = new QLabel(this);
    LblRules->setObjectName(QStringLiteral("LblRules"));
    LblRules->setWordWrap(true);
    LblRules->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PanelScope = new TScopePane(this);
    // Pointing at a lit label, or clicking it, lists the rule's points.
    PBoxWGAcross->setMouseTracking(true);
    const auto pointAt = [this](QMouseEvent* event) {
        for (int slot = 0; slot < AcrossRuleCount; ++slot)
            if (AcrossLabelRect(slot).contains(event->position().toPoint()))
                ShowScope(-1, slot);
    };
    connect(PBoxWGAcross, &TPaintBox::MouseMove, this, pointAt);
    connect(PBoxWGAcross, &TPaintBox::MouseDown, this, pointAt);
    LayOut();
}

void TWinValidCQ::CreateLevelControls(int i)
{
    auto* box = new TPBoxValidCQ(Panel2);
    box->setObjectName(QStringLiteral("PBoxLevel%1").arg(i + 1));
    box->Tag = i;
    box->setGeometry(10, 100 * i + 70, ScaleWidth, ScaleHeight);
    box->OnPaint = [this, box](QPainter& painter, const QRect&) { PBoxLevelPaint(*box, painter); };
    box->setMouseTracking(true);
    const auto pointAt = [this, i](QMouseEvent* event) {
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            if (RuleLabelRect(slot).contains(event->position().toPoint()))
                ShowScope(i, slot);
    };
    connect(box, &TPaintBox::MouseMove, this, pointAt);
    connect(box, &TPaintBox::MouseDown, this, pointAt);
    PBoxLevel[i] = box;

    auto* button = new QPushButton(RejectCaption(i, false), Panel2);
    button->setObjectName(QStringLiteral("BtReject%1").arg(i + 1));
    button->setGeometry(430, 100 * i + 90, 80, 30);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, i] { BtRejectClick(i); });
    BtReject[i] = button;

    auto* serum = new QLabel(Panel2);
    serum->setObjectName(QStringLiteral("LblSerum%1").arg(i + 1));
    QFont underlined = WindowFont();
    underlined.setUnderline(true);
    serum->setFont(underlined);
    serum->move(32, 100 * i + 55);
    LblSerum[i] = serum;

    auto* mode = new QLabel(Panel2);
    mode->setObjectName(QStringLiteral("LblMode%1").arg(i + 1));
    mode->setAutoFillBackground(true);
    QPalette palette = mode->palette();
    palette.setColor(QPalette::Window, Green);
    palette.setColor(QPalette::WindowText, Qt::white);
    mode->setPalette(palette);
    mode->move(440, 100 * i + 70);
    LblMode[i] = mode;
}

int TWinValidCQ::Levels() const { return m_analyte ? std::clamp(int(m_analyte->NbLevels), 1, MaxLevels) : 1; }

void TWinValidCQ::SetQCPoint(TResu0& run)
{
    m_run = &run;
    m_analyte = m_context.CurrentAnalyte;
    PanelDate->setText(ShortDateText(run.DateTime) + QLatin1Char(' ') + LongTimeText(run.DateTime));
    PanelOperator->setText(run.Operator);
    PanelOperator->setVisible(!run.Operator.isEmpty());
    LblOperator->setVisible(!run.Operator.isEmpty());
    PanelComment->setText(run.Comment);
    PanelComment->setVisible(!run.Comment.isEmpty());
    LblComment->setVisible(!run.Comment.isEmpty());
    m_discarded.fill(false);
    // The laboratory may judge the analyte with the rules its sigma calls for.
    m_choice = m_analyte ? RulesInForce(*m_analyte, TQualityGoals::FileName(m_context.BaseName())) : TRuleChoice();
    LblRules->setText(m_choice.Text());
    {
        // The analyte's switch stands for the check box until the window activates.
        const QSignalBlocker blocker(CBWestg);
        CBWestg->setChecked(m_analyte && m_analyte->HasOption(aoWestgard));
    }
    Judge();
}

bool TWinValidCQ::Execute(TResu0& run)
{
    if (!m_context.CurrentAnalyte)
        return false;
    SetQCPoint(run);
    const int result = m_dialogs.Exec(*this);
    // The analyte may be a copy made for this judgement only.
    m_run = nullptr;
    m_analyte = nullptr;
    return result == QDialog::Accepted;
}

void TWinValidCQ::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TWinValidCQ::FormActivate()
{
    if (!m_run || !m_analyte)
        return;
    const int levels = Levels();
    Panel1->setText(m_analyte->Name);
    LblUnite->setText(m_analyte->Units);
    Panel2->resize(FormWidth, 100 * levels + 43);
    for (int i = 0; i < levels; ++i) {
        const TSerum& serum = m_context.ListSerum.FindByID(m_analyte->SerumID[i]);
        const bool hasValue = m_run->Values[i].HasValue();
        PBoxLevel[i]->Prepare(m_analyte->ReferenceStats[i], m_run->Values[i]);
        PBoxLevel[i]->show();
        BtReject[i]->setText(RejectCaption(i, m_discarded[i]));
        BtReject[i]->setEnabled(hasValue);
        BtReject[i]->show();
        LblSerum[i]->setText(serum.Name);
        LblSerum[i]->adjustSize();
        LblSerum[i]->show();
        LblMode[i]->setText(LimitModeCaption(m_analyte->LimitMode[i]));
        LblMode[i]->adjustSize();
        LblMode[i]->show();
    }
    for (int i = levels; i < MaxLevels; ++i) {
        m_run->Values[i].Status = psNoValue;
        PBoxLevel[i]->hide();
        BtReject[i]->hide();
        LblSerum[i]->hide();
        LblMode[i]->hide();
    }
    // Changing the box runs CBWestgClick.
    CBWestg->setChecked(m_analyte->HasOption(aoWestgard));
    Judge();
    BtOK->setFocus();
}

void TWinValidCQ::BtRejectClick(int level)
{
    if (!m_run || level < 0 || level >= Levels())
        return;
    m_discarded[level] = !m_discarded[level];
    BtReject[level]->setText(RejectCaption(level, m_discarded[level]));
    Judge();
    BtOK->setFocus();
}

void TWinValidCQ::CBWestgClick()
{
    Judge();
    BtOK->setFocus();
}

void TWinValidCQ::done(int result)
{
    FormClose(result);
    QDialog::done(result);
}

void TWinValidCQ::FormClose(int result)
{
    if (result != QDialog::Accepted || !m_run || !m_analyte)
        return;
    for (int i = 0; i < Levels(); ++i)
        if (m_discarded[i])
            m_run->Values[i].Status = psDiscarded;
    if (CBWestg->isChecked())
        m_analyte->Options |= aoWestgard;
    else
        m_analyte->Options &= quint8(~aoWestgard);
}

void TWinValidCQ::Judge()
{
    if (m_run && m_analyte) {
        m_result = EvaluateWestgard(*m_analyte, *m_run, m_discarded, CBWestg->isChecked());
        ApplyRuleChoice(m_choice, m_result);
    } else {
        m_result = TWestgardResult();
    }
    PanelScope->Clear();
    m_scope.clear();
    LayOut();
    Panel2->update();
    for (TPBoxValidCQ* box : PBoxLevel)
        box->update();
    PBoxWGAcross->update();
}

void TWinValidCQ::LayOut()
{
    const int levels = Levels();
    const bool across = m_result.AcrossShown();
    PanelWGAcross->move(0, AcrossTop(levels));
    PanelWGAcross->setVisible(across);
    const int height = WindowHeight(levels, across);
    setFixedSize(FormWidth + ScopeWidth, height);
    PanelScope->setGeometry(FormWidth, 0, ScopeWidth, height);
    const int bottom = AcrossTop(levels) + (across ? AcrossHeight : 0);
    CBWestg->setGeometry(12, bottom + 14, 180, 20);
    LblRules->setGeometry(14, bottom + 36, 300, 32);
    BtOK->setGeometry(FormWidth - 210, bottom + 30, 90, 30);
    BtCancel->setGeometry(FormWidth - 110, bottom + 30, 90, 30);
    // Centred vertically on the screen; the left edge stays.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const int frame = frameGeometry().height() - geometry().height();
        move(pos().x(), area.top() + std::max(0, (area.height() - height - frame) / 2));
    }
}

void TWinValidCQ::ShowScope(int level, int slot)
{
    // An unlit label leaves the list as it is.
    const TRuleScope& scope = level < 0 ? m_result.AcrossScope[slot] : m_result.Levels[level].Scope[slot];
    if (!m_run || !m_analyte || scope.empty() || scope == m_scope)
        return;
    m_scope = scope;
    const QString rule = level < 0 ? QStringLiteral("%1 across levels").arg(m_result.AcrossNames()[slot])
                                   : QStringLiteral("%1 on QC%2").arg(LevelRuleNames[slot]).arg(level + 1);
    PanelScope->ShowScope(*m_analyte, *m_run, rule, scope);
    for (TPBoxValidCQ* box : PBoxLevel)
        box->update();
}

void TWinValidCQ::PaintRuleLabel(QPainter& painter, const QRect& rect, const char* name, TRuleOutcome outcome) const
{
    const QColor fill = outcome == TRuleOutcome::Rejection ? Red
        : outcome == TRuleOutcome::Warning                 ? Yellow
                                                           : palette().color(QPalette::Button);
    const QColor ink = outcome == TRuleOutcome::NotViolated ? QColor(Qt::white) : QColor(Qt::black);
    painter.setPen(ink);
    painter.setBrush(fill);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const int middle = rect.left() + 16;
    painter.drawText(QRect(middle - 30, rect.top() + 3, 60, rect.height() - 3), Qt::AlignHCenter | Qt::AlignTop,
        QString::fromLatin1(name));
}

void TWinValidCQ::PBoxLevelPaint(TPBoxValidCQ& box, QPainter& painter)
{
    const int level = box.Tag;
    if (!m_run || !m_analyte || level >= Levels())
        return;
    QFont big = font();
    big.setPointSize(16);
    if (!m_run->Values[level].HasValue()) {
        painter.fillRect(box.rect(), palette().color(QPalette::Button));
        painter.setFont(big);
        painter.setPen(Red);
        painter.drawText(QRect(170, 15, box.width() - 170, box.height() - 15), Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("No data"));
        return;
    }
    if (m_discarded[level]) {
        painter.setPen(Qt::black);
        painter.setBrush(Grey);
        painter.drawRect(box.rect().adjusted(0, 0, -1, -1));
        painter.setFont(big);
        painter.setPen(Red);
        painter.drawText(QRect(160, 15, box.width() - 160, box.height() - 15), Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("Discarded"));
        return;
    }
    const int w = box.width();
    const double c = box.Centre;
    const double warning = box.WarningHalfWidth;
    const double action = box.ActionHalfWidth;
    const int edges[6] = { TValidScale::Margin, box.X(c - action, w), box.X(c - warning, w), box.X(c + warning, w),
        box.X(c + action, w), w - TValidScale::Margin };
    const QColor bands[5] = { Red, Yellow, Lime, Yellow, Red };
    for (int b = 0; b < 5; ++b)
        if (edges[b + 1] > edges[b])
            painter.fillRect(QRect(QPoint(edges[b], 17), QPoint(edges[b + 1] - 1, 26)), bands[b]);
    if (m_result.Levels[level].Validated)
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            PaintRuleLabel(painter, RuleLabelRect(slot), LevelRuleNames[slot], m_result.Levels[level].Rules[slot]);
    if (box.HasStatistics) {
        painter.setPen(QPen(Navy, 1));
        for (const TScaleFigure& figure : ScaleFigures(c, box.HalfRange)) {
            const int x = box.X(figure.Value, w);
            painter.drawText(QRect(x - 40, 0, 80, 13), Qt::AlignHCenter | Qt::AlignTop, figure.Text);
            painter.drawLine(x, 12, x, 17);
        }
    }
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    const int x = box.X(box.Value, w);
    painter.drawLine(x, 14, x, 30);
    // The earlier values of the rule pointed at, as rings on the scale.
    painter.setPen(QPen(ScopeMark, 2));
    painter.setBrush(Qt::NoBrush);
    for (const TRulePoint& point : m_scope)
        if (point.Level == level && point.Index != RunPoint)
            painter.drawEllipse(QPoint(box.X(m_analyte->Point(point.Index).Values[level].Value, w), 22), 4, 4);
}

void TWinValidCQ::PBoxWGAcrossPaint(QPainter& painter)
{
    const auto& names = m_result.AcrossNames();
    for (int slot = 0; slot < AcrossRuleCount; ++slot)
        PaintRuleLabel(painter, AcrossLabelRect(slot), names[slot], m_result.Across[slot]);
}
