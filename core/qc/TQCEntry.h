#pragma once
#include "TQCTypes.h"

#include <QDate>
#include <QString>
#include <QTime>

class TAnalyte;
struct TConfigRecord;
struct TRisks;

// The steps of entering a run that do not depend on a window: making the run
// from the form's fields, judging whether it holds a value and storing it once
// accepted.
class TQCEntry {
public:
    // A run of the analyte at date + time of day, operator and comment trimmed;
    // every level starts without value.
    static TResu0 MakeRun(
        const QString& analyte, const QDate& date, const QTime& time, const QString& op, const QString& comment);
    // True when no level of the run has a value.
    static bool IsEmptyRun(const TResu0& run);
    // Adds the accepted run to the analyte at its date position and recomputes
    // the statistics; returns the new point's index.
    static int StoreRun(TAnalyte& analyte, const TResu0& run, const TRisks& risks);
    // A backup is due when today minus the last backup date reaches the interval.
    static bool BackupDue(const TConfigRecord& config, double today);
};
