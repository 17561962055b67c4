#include "TFileLog.h"

Q_LOGGING_CATEGORY(lcFiles, "vantorel.files", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBackup, "vantorel.backup", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "vantorel.storage", QtInfoMsg)

QString MessageWithReason(const QString& message, const QString& reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

QString MessageWithReason(const char* message, const QString& reason)
{
    return MessageWithReason(QString::fromLatin1(message), reason);
}
