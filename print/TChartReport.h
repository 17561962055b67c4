#pragma once
#include "TConfigRecord.h"
#include "TDataReport.h"
#include "TQCTypes.h"

#include <QDate>
#include <array>

class TAnalyte;
class TListSerum;
class TPrintCanvas;

// What the chart printout of an analyte covers.
struct TChartReportOptions {
    QDate Date1; // the two chosen dates, in either order
    QDate Date2;
    std::array<bool, MaxLevels> Levels { true, true, true }; // the levels charted
    bool Colour = false; // colour lines and points, else black and dotted lines
    bool Statistics = true; // the table of mean, CV and N of the printed points
};

// Points per block of the printed charts: the last point of a block is also
// the first of the next.
constexpr int PrintedPositions = 31;

// Prints the Levey-Jennings charts of the analyte as one portrait document
// "Printing QC charts" dated `today` (a day count): for every block of 31
// positions one chart per chosen level and a date axis, then the statistics
// table. NothingToPrint when the analyte has no point or no level in use is
// chosen; an interval without points prints empty charts.
TPrintOutcome PrintChartReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums,
    const TChartReportOptions& options, const TRisks& risks, double today);
