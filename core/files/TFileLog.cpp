#include "TFileLog.h"

Q_LOGGING_CATEGORY(lcFiles, "vantorel.files", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBackup, "vantorel.backup", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "vantorel.storage", QtInfoMsg)
