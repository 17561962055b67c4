#include "TEditInput.h"

#include "TDialogService.h"
#include "TInputCheck.h"

#include <QLineEdit>

namespace {

bool Refuse(QLineEdit& edit, TDialogService& dialogs, const QString& message)
{
    edit.selectAll();
    edit.setFocus();
    dialogs.Error(message, mbOK, edit.window());
    return false;
}

} // namespace

bool ReadFloatEdit(QLineEdit& edit, TDialogService& dialogs, double& value, bool refuseNegative)
{
    const TFloatCheck check = ReadFloatText(edit.text(), refuseNegative);
    if (!check.Ok)
        return Refuse(edit, dialogs, check.Error);
    edit.setText(check.Trimmed);
    value = check.Value;
    return true;
}

bool CheckIntegerEdit(QLineEdit& edit, TDialogService& dialogs, int minimum, int maximum, int& value)
{
    const TIntegerCheck check = CheckIntegerText(edit.text(), minimum, maximum);
    if (!check.Ok)
        return Refuse(edit, dialogs, check.Error);
    edit.setText(check.Trimmed);
    value = check.Value;
    return true;
}

bool ReadQCValueEdit(QLineEdit& edit, TDialogService& dialogs, TQCValue& cell)
{
    const TQCValueCheck check = ReadQCValueText(edit.text());
    if (!check.Ok)
        return Refuse(edit, dialogs, check.Error);
    cell = check.Cell;
    return true;
}
