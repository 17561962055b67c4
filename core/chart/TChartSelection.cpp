#include "TChartSelection.h"

#include "TAnalyte.h"
#include "TChartGeometry.h"
#include "TFormat.h"
#include "TStatistics.h"

#include <algorithm>

namespace {
constexpr int WindowSpan = ChartGeo::WindowPoints - 1;
}

void TIntervalSelection::Click(int index) { Anchor = First = Last = index; }

bool TIntervalSelection::ShiftClick(int index)
{
    if (Anchor < 0)
        return false;
    First = std::min(Anchor, index);
    Last = std::max(Anchor, index);
    return true;
}

int TIntervalSelection::Glide(int x, int windowFirst, int windowLast, int count)
{
    if (Anchor < 0)
        return windowFirst;
    if (count > WindowSpan) {
        if (x < 38 && windowFirst > 0)
            --windowFirst;
        else if (x > 503 && windowFirst < count - (WindowSpan + 1))
            ++windowFirst;
        windowLast = windowFirst + WindowSpan;
    }
    int position = 0;
    if (x < 53)
        position = 0;
    else if (x <= 15 * (windowLast - windowFirst) + 37)
        position = (x - 38) / 15;
    else
        position = windowLast - windowFirst;
    ShiftClick(windowFirst + position);
    return windowFirst;
}

TLockGridRow LockGridRow(const TAnalyte& analyte, int level, const TIntervalSelection& selection, const TRisks& risks)
{
    if (!selection.IsSet())
        return { QString(), QString(), QStringLiteral("0") };
    const TLevelStats stats = LevelStatistics(analyte, level, selection.First, selection.Last, risks);
    TLockGridRow row;
    if (stats.N != 0)
        row.Mean = FormatFixed(stats.Mean, 8, analyte.Decimals + 1);
    if (stats.Status != TLevelStats::StatusNotComputable)
        row.CV = FormatFixed(stats.CV, 8, 1);
    row.N = QString::number(stats.N);
    return row;
}
