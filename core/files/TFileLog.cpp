#include "TFileLog.h"

Q_LOGGING_CATEGORY(lcFiles, "vantorel.files", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBackup, "vantorel.backup", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "vantorel.storage", QtInfoMsg)

QString MessageWithReason(const char* message, const QString& reason)
{
    const QString text = QString::fromLatin1(message);
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}
