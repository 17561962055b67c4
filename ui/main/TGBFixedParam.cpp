#include "TGBFixedParam.h"
#include "TMainMessages.h"

#include "TControls.h"
#include "TDialogService.h"
#include "TEditInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGBFixedParam::TGBFixedParam(TDialogService& dialogs, QWidget* parent)
    : QGroupBox(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TGBFixedParam"));
    resize(170, 115);

    EditTarget = Named(MakeEdit(this, QRect(72, 17, 45, 20)), "EditTarget");
    EditWarning = Named(MakeEdit(this, QRect(47, 63, 40, 20)), "EditWarning");
    EditAction = Named(MakeEdit(this, QRect(124, 63, 40, 20)), "EditAction");
    LblTarget = Named(MakeLabel(this, 5, 21, QStringLiteral("Target value")), "LblTarget");
    LblWarning = Named(MakeLabel(this, 5, 67, QStringLiteral("warning")), "LblWarning");
    LblAction = Named(MakeLabel(this, 91, 67, QStringLiteral("action")), "LblAction");
    LblUnite = Named(MakeLabel(this, 123, 21, QString()), "LblUnite");
    LblLimits = Named(MakeLabel(this, 5, 42, QStringLiteral("Deviations allowed before")), "LblLimits");
    BtFix = Named(MakeButton(this, QRect(20, 90, 60, 18), QStringLiteral("Fixed")), "BtFix");
    BtUnfix = Named(MakeButton(this, QRect(90, 90, 60, 18), QStringLiteral("Mobile")), "BtUnfix");
    SetTag(0);
}

void TGBFixedParam::Init(const QString& caption, const QString& unit)
{
    setTitle(caption);
    LblUnite->setText(unit);
    LblUnite->adjustSize();
}

void TGBFixedParam::SetTag(int level)
{
    m_tag = level;
    BtFix->setProperty("Tag", level);
    BtUnfix->setProperty("Tag", level);
}

bool TGBFixedParam::GetFields(double& target, double& warning, double& action)
{
    double newTarget = 0.0;
    double newWarning = 0.0;
    double newAction = 0.0;
    if (!ReadFloatEdit(*EditTarget, m_dialogs, newTarget, false)
        || !ReadFloatEdit(*EditWarning, m_dialogs, newWarning, true)
        || !ReadFloatEdit(*EditAction, m_dialogs, newAction, true))
        return false;
    if (newWarning > newAction) {
        m_dialogs.Show(MainMessages::ActionBelowWarning, window());
        return false;
    }
    target = newTarget;
    warning = newWarning;
    action = newAction;
    return true;
}
