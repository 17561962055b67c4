#include "TGBFixedParam.h"

#include "TDialogService.h"
#include "TEditInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, 20);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int left)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 90, 60, 18);
    return button;
}

} // namespace

TGBFixedParam::TGBFixedParam(TDialogService& dialogs, QWidget* parent)
    : QGroupBox(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TGBFixedParam"));
    resize(170, 115);

    EditTarget = MakeEdit(this, "EditTarget", 72, 17, 45);
    EditWarning = MakeEdit(this, "EditWarning", 47, 63, 40);
    EditAction = MakeEdit(this, "EditAction", 124, 63, 40);
    LblTarget = MakeLabel(this, "LblTarget", QStringLiteral("Target value"), 5, 21);
    LblWarning = MakeLabel(this, "LblWarning", QStringLiteral("warning"), 5, 67);
    LblAction = MakeLabel(this, "LblAction", QStringLiteral("action"), 91, 67);
    LblUnite = MakeLabel(this, "LblUnite", QString(), 123, 21);
    LblLimits = MakeLabel(this, "LblLimits", QStringLiteral("Deviations allowed before"), 5, 42);
    BtFix = MakeButton(this, "BtFix", QStringLiteral("Fixed"), 20);
    BtUnfix = MakeButton(this, "BtUnfix", QStringLiteral("Mobile"), 90);
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
        m_dialogs.Error(QStringLiteral("Action < Warning"), mbOK, window());
        return false;
    }
    target = newTarget;
    warning = newWarning;
    action = newAction;
    return true;
}
