#include "TPassword.h"

#include "TConfigRecord.h"
#include "TWin1252.h"

QString PasswordUpper(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

bool PasswordIsSet(const TConfigRecord& config) { return !config.Password.isEmpty(); }

bool PasswordMatches(const TConfigRecord& config, const QString& typed)
{
    return PasswordUpper(typed) == config.Password;
}

TPasswordChange ChangePassword(
    TConfigRecord& config, const QString& oldText, const QString& newText, const QString& confirmText)
{
    if (PasswordUpper(oldText.trimmed()) != config.Password)
        return TPasswordChange::WrongOld;
    const QString fresh = PasswordUpper(newText.trimmed()).left(TConfigRecord::PasswordCapacity);
    if (fresh != PasswordUpper(confirmText.trimmed()).left(TConfigRecord::PasswordCapacity))
        return TPasswordChange::Mismatch;
    // A character outside the settings file's code page would be saved as '?'
    // and the password could never be typed again.
    if (FromWin1252(ToWin1252(fresh)) != fresh)
        return TPasswordChange::Unstorable;
    config.Password = fresh;
    return TPasswordChange::Accepted;
}
