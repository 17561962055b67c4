#pragma once
#include "TDataReport.h"

#include <QDate>

class TListAnalytes;
class TPrintCanvas;

// The cumulative daily QC of one day as a table: a head row, then one row per
// point of the day (analyte, time, three level cells marked by status,
// operator, comment), titled "Cumulative daily QC : " + the date and stamped
// as an archive document.
TPrintTableData DailyReportTable(const TListAnalytes& analytes, const QDate& day);

// Prints the day's report as one portrait document dated `today` (a day count);
// nothing is begun when the day has no point.
TPrintOutcome PrintDailyReport(TPrintCanvas& canvas, const TListAnalytes& analytes, const QDate& day, double today);
