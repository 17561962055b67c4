#pragma once
#include "TConfigRecord.h"

#include <QString>

// The one password that protects the editors. It is stored upper-case, at most
// ten characters; an empty password means that nothing is protected.

// Each character upper-cased on its own, so the length never changes.
QString PasswordUpper(const QString& text);

// True when a password is stored.
bool PasswordIsSet(const TConfigRecord& config);

// The entry check: the typed text upper-cased but not trimmed, compared exactly
// with the stored password.
bool PasswordMatches(const TConfigRecord& config, const QString& typed);

enum class TPasswordChange {
    Accepted, // stored (an empty new password removes the protection)
    WrongOld, // the old password does not match
    Mismatch, // new password and confirmation differ
    Unstorable, // the new password holds a character the settings file cannot keep
};

// The change check: old, new and confirmation are upper-cased and trimmed. On
// Accepted the new password is stored in config; otherwise config is unchanged.
TPasswordChange ChangePassword(
    TConfigRecord& config, const QString& oldText, const QString& newText, const QString& confirmText);
