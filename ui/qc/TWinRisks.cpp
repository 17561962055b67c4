#include "TWinRisks.h"

#include "TControls.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TQCContext.h"
#include "TStatistics.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QGroupBox* MakeRadioGroup(QWidget* parent, const QRect& geometry, const QString& caption, const QStringList& items,
    QButtonGroup*& group, QRadioButton** buttons)
{
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(geometry);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        buttons[i] = new QRadioButton(items[i], box);
        buttons[i]->setGeometry(12, 24 + 26 * i, geometry.width() - 20, 20);
        group->addButton(buttons[i], i);
    }
    return box;
}

} // namespace

TWinRisks::TWinRisks(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("TWinRisks"));
    setWindowTitle(QStringLiteral("Vantorel : Statistical parameters"));
    setFont(WindowFont());
    setFixedSize(520, 260);

    LblInfo = new QLabel(QStringLiteral("The control limits displayed in the panes are valid only for  long QC "
                                        "reference periods \n(>30 points). If shorter, Student's t is used with "
                                        "the relevant degrees of freedom."),
        this);
    LblInfo->setGeometry(12, 10, 496, 40);
    LblInfo->setIndent(4);
    LblInfo->setAutoFillBackground(true);
    LblInfo->setBackgroundRole(QPalette::ToolTipBase);
    LblInfo->setForegroundRole(QPalette::ToolTipText);
    LblInfo->setFrameShape(QFrame::Box);

    RGAlert = Named(MakeRadioGroup(this, QRect(12, 66, 240, 110), QStringLiteral(" &Alert limits "),
                        { QStringLiteral("5% ( m \u00B1 1.96s )"), QStringLiteral("2% ( m \u00B1 2.32s )") }, m_alert,
                        RBAlert.data()),
        "RGAlert");
    RGAction = Named(MakeRadioGroup(this, QRect(268, 66, 240, 110), QStringLiteral(" A&ction limits "),
                         { QStringLiteral("1% ( m \u00B1 2.56s )"), QStringLiteral("0.5% ( m \u00B1 2.81s )"),
                             QStringLiteral("0.2% ( m \u00B1 3.09s )") },
                         m_action, RBAction.data()),
        "RGAction");

    BtCle = Named(new TKeyButton(context, dialogs, this), "BtCle");
    BtCle->setGeometry(12, 200, 40, 40);
    BtOK = Named(MakeButton(this, QRect(120, 210, 80, 25), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtCancel = Named(
        MakeButton(this, QRect(220, 210, 80, 25), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BtCancel");
    BtUndo = Named(MakeButton(this, QRect(320, 210, 80, 25), QStringLiteral("&Undo")), "BtUndo");
    BtCle->Protect({ BtOK });

    connect(m_alert, &QButtonGroup::idClicked, this, &TWinRisks::RGAlertClick);
    connect(m_action, &QButtonGroup::idClicked, this, &TWinRisks::RGActionClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtUndo, &QPushButton::clicked, this, &TWinRisks::BtUndoClick);
}

void TWinRisks::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
    FormActivate();
}

void TWinRisks::FormShow()
{
    m_savedAlert = m_context.Config.AlertRisk;
    m_savedAction = m_context.Config.ActionRisk;
    BtCle->Reset();
}

void TWinRisks::FormActivate()
{
    // A damaged setting selects nothing rather than a wrong item.
    if (QAbstractButton* b = m_alert->button(m_context.Config.AlertRisk))
        b->setChecked(true);
    if (QAbstractButton* b = m_action->button(m_context.Config.ActionRisk - 2))
        b->setChecked(true);
    if (QAbstractButton* checked = m_alert->checkedButton())
        checked->setFocus();
}

void TWinRisks::RGAlertClick(int item)
{
    m_context.Config.AlertRisk = quint8(item);
    Preview();
}

void TWinRisks::RGActionClick(int item)
{
    m_context.Config.ActionRisk = quint8(item + 2);
    Preview();
}

void TWinRisks::BtUndoClick()
{
    m_context.Config.AlertRisk = m_savedAlert;
    m_context.Config.ActionRisk = m_savedAction;
    Preview();
    FormActivate();
}

void TWinRisks::done(int result)
{
    if (result != QDialog::Accepted) {
        m_context.Config.AlertRisk = m_savedAlert;
        m_context.Config.ActionRisk = m_savedAction;
        Preview();
    }
    QDialog::done(result);
}

void TWinRisks::Preview()
{
    if (m_context.ListAnalytes.Count() == 0 || !m_context.CurrentAnalyte)
        return;
    RecomputeAll(*m_context.CurrentAnalyte, m_context.Risks());
    if (RedrawChart)
        RedrawChart();
}
