#include "TQCEntry.h"

#include "TAnalyte.h"
#include "TConfigRecord.h"
#include "TDates.h"
#include "TStatistics.h"

#include <algorithm>

TResu0 TQCEntry::MakeRun(
    const QString& analyte, const QDate& date, const QTime& time, const QString& op, const QString& comment)
{
    TResu0 run;
    run.Analyte = analyte;
    run.Operator = op.trimmed();
    run.Comment = comment.trimmed();
    run.DateTime = DateToDayCount(date) + double(time.msecsSinceStartOfDay()) / 86400000.0;
    for (TQCValue& cell : run.Values)
        cell = TQCValue();
    return run;
}

bool TQCEntry::IsEmptyRun(const TResu0& run)
{
    return std::all_of(run.Values.begin(), run.Values.end(), [](const TQCValue& c) { return !c.HasValue(); });
}

int TQCEntry::StoreRun(TAnalyte& analyte, const TResu0& run, const TRisks& risks)
{
    const int index = analyte.AddPoint(run);
    RecomputeAll(analyte, risks);
    return index;
}

bool TQCEntry::BackupDue(const TConfigRecord& config, double today)
{
    return today - config.LastBackupDate >= config.BackupInterval;
}
