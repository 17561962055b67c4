#pragma once
#include "TDataReport.h"

class TAnalyte;
class TListSerum;
class TPrintCanvas;

// The control limits of an analyte as a table: the row titles in the first
// column and the level heads (control materials) in the first row are grey.
TPrintTableData LimitsReportTable(const TAnalyte& analyte, const TListSerum& serums);

// Prints the control limits as one portrait document, dated `today` (a day count).
TPrintOutcome PrintLimitsReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums, double today);
