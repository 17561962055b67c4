#pragma once
#include "TQCTypes.h"

class QLineEdit;
class TDialogService;

// The program's checked edits. Each reads one edit through the core checks; on a
// failure it selects the edit's text, gives it the focus, shows the failure in an
// error box with an OK button and returns false, leaving the output untouched.

// A decimal number typed with "." or ","; on success the edit shows the trimmed
// text with the system separator. With refuseNegative a value below 0 fails.
bool ReadFloatEdit(QLineEdit& edit, TDialogService& dialogs, double& value, bool refuseNegative);

// A trimmed integer within minimum..maximum; on success the edit shows the trimmed text.
bool CheckIntegerEdit(QLineEdit& edit, TDialogService& dialogs, int minimum, int maximum, int& value);

// One level's value: an empty edit gives a cell without value ("Incorrect floating number" otherwise).
bool ReadQCValueEdit(QLineEdit& edit, TDialogService& dialogs, TQCValue& cell);
