#pragma once
#include "TConfigRecord.h"
#include "TPrintInterval.h"
#include "TPrintTable.h"
#include "TRuleChoice.h"

#include <QDate>

class TAnalyte;
class TListSerum;
class TPrintCanvas;

// What the data printout of an analyte covers.
struct TDataReportOptions {
    QDate Date1; // the two chosen dates, in either order
    QDate Date2;
    bool Statistics = true; // mean, CV and N of each level after the points
    TRuleChoice Rules; // the rules in force for the analyte, noted per run
};

enum class TPrintOutcome {
    Printed,
    NothingToPrint, // no point in the interval, no level chosen: nothing was begun
    DeviceFailed, // the printer or file could not take the document
};

// The printed mark of a value by its status: arrows for warnings and actions,
// crossed out when discarded.
int ValueMark(quint8 status);

// The data printout as a table: a head row, one row per point of the
// interval (date, time, the levels' values marked by status, operator,
// comment) and, when asked, the mean, CV and N rows of each level.
TPrintTableData DataReportTable(const TAnalyte& analyte, const TListSerum& serums, const TPrintInterval& interval,
    bool statistics, const TRisks& risks, const TRuleChoice& rules);

// Prints the QC data of the analyte as one portrait document "Printing QC
// data", dated `today` (a day count).
TPrintOutcome PrintDataReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums,
    const TDataReportOptions& options, const TRisks& risks, double today);
