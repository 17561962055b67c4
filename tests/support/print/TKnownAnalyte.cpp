#include "TKnownAnalyte.h"

#include "TDates.h"
#include "TestHelpers.h"

double Day(int i) { return DateToDayCount(QDate(2026, 1, 1).addDays(i)) + 0.5; }

TAnalyte KnownAnalyte(const QList<double>& values)
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    for (int i = 0; i < values.size(); ++i)
        a.AddPoint(MakeResult(Day(i), values[i]));
    a.ReferenceStats[0] = { .Mean = 11, .WarningHalfWidth = 1, .ActionHalfWidth = 2, .ChartLow = 8, .ChartHigh = 14 };
    a.ReferenceStats[0].Status = TLevelStats::StatusComputed;
    a.AllPointsStats[0] = a.ReferenceStats[0];
    a.AllPointsStats[0].N = int(values.size());
    return a;
}
