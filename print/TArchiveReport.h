#pragma once
#include "TArchiveList.h"
#include "TDataReport.h"

class TPrintCanvas;

// The list of an analyte's archives: begin, end, material, lot, mean, CV and
// number of each, titled "Archived statistics for " + the analyte's name.
TPrintTableData ArchivesReportTable(const QString& analyteName, const QList<TArchiveList::TEntry>& archives);
// One archive's points and statistics, titled "Archived data for " + the
// analyte's name, the material, lot and period as subtitles.
TPrintTableData ArchiveReportTable(const QString& analyteName, const TArchiveList::TEntry& archive);

// Prints a table as one portrait document; an empty job title leaves the
// printer's title and orientation as they are.
TPrintOutcome PrintReportTable(
    TPrintCanvas& canvas, const TPrintTableData& table, const QString& jobTitle, double today);
