#pragma once
#include <QLoggingCategory>
#include <QString>

// The logging categories of the program's files. Messages go to stderr (and to
// the journal when the program runs under systemd); QT_LOGGING_RULES chooses what
// is shown, e.g. QT_LOGGING_RULES="vantorel.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcFiles) // "vantorel.files": every write that failed, with its reason
Q_DECLARE_LOGGING_CATEGORY(lcBackup) // "vantorel.backup": backups and restores that failed
Q_DECLARE_LOGGING_CATEGORY(lcStorage) // "vantorel.storage": start-up and shutdown of the files

// The text of a failure box: the program's message, then the system's reason on
// a line of its own (none when the reason is empty).
QString MessageWithReason(const QString& message, const QString& reason);
QString MessageWithReason(const char* message, const QString& reason);
