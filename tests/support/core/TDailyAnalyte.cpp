#include "TDailyAnalyte.h"

#include "TQCContext.h"
#include "TStatistics.h"
#include "TestHelpers.h"

TAnalyte& AddDailyAnalyte(TQCContext& context, const QString& name, int levels, int count, double today)
{
    TAnalyte& a = context.ListAnalytes.Add(TAnalyte(name, "mmol/L", 1, levels));
    for (int l = 0; l < levels; ++l)
        a.SerumID[l] = l;
    for (int i = 0; i < count; ++i) {
        const double v = 5 + (i % 5) * 0.1;
        a.AddPoint(MakeResult(today - count + i + 0.5, v, 2 * v, 3 * v));
    }
    RecomputeAll(a, context.Risks());
    ClassifyAll(a);
    return a;
}
