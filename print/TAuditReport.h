#pragma once
#include "TAuditEntry.h"
#include "TDataReport.h"
#include "TPrintTable.h"

#include <QList>

// The audit trail as a printed table titled "Audit trail": for each entry its
// number and local time (merged over its lines), operator, user, kind and
// analyte with level, then one line per field that changed with its value
// before and after. `subtitles` say what was chosen (analyte, kind, dates).
TPrintTableData AuditReportTable(const QList<TAuditEntry>& entries, const QStringList& subtitles);

// Prints that table as one landscape document "Audit trail", dated `today` (a day count).
TPrintOutcome PrintAuditReport(
    TPrintCanvas& canvas, const QList<TAuditEntry>& entries, const QStringList& subtitles, double today);

// The fields of an entry's before and after objects, one line each: the
// field's name, its value before and its value after (empty where absent).
QList<QStringList> AuditChangedFields(const TAuditEntry& entry);
