#include "TLimitModes.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TStatistics.h"

#include <algorithm>

TLimitSettings TLimitSettings::Take(const TAnalyte& analyte)
{
    TLimitSettings settings;
    settings.LimitMode = analyte.LimitMode;
    settings.LockStart = analyte.LockStart;
    settings.LockEnd = analyte.LockEnd;
    settings.ReferenceStats = analyte.ReferenceStats;
    return settings;
}

void TLimitSettings::Restore(TAnalyte& analyte) const
{
    analyte.LimitMode = LimitMode;
    analyte.LockStart = LockStart;
    analyte.LockEnd = LockEnd;
    analyte.ReferenceStats = ReferenceStats;
}

bool LockLevel(TAnalyte& analyte, int level, int first, int last, const TRisks& risks)
{
    const quint8 oldMode = analyte.LimitMode[level];
    const qint32 oldStart = analyte.LockStart[level];
    const qint32 oldEnd = analyte.LockEnd[level];
    // The reference keeps a fixed level's own target and half-widths, which a
    // refused lock must not lose.
    const TLevelStats oldReference = analyte.ReferenceStats[level];
    analyte.LockStart[level] = first;
    analyte.LockEnd[level] = last;
    analyte.LimitMode[level] = lmLocked;
    RecomputeAll(analyte, risks);
    if (analyte.LimitMode[level] == lmLocked)
        return true;
    analyte.LimitMode[level] = oldMode;
    analyte.LockStart[level] = oldStart;
    analyte.LockEnd[level] = oldEnd;
    analyte.ReferenceStats[level] = oldReference;
    RecomputeAll(analyte, risks);
    return false;
}

void UnlockLevel(TAnalyte& analyte, int level, const TRisks& risks)
{
    analyte.LockStart[level] = -1;
    analyte.LockEnd[level] = -1;
    analyte.LimitMode[level] = lmMobile;
    RecomputeAll(analyte, risks);
}

void FixLevel(
    TAnalyte& analyte, int level, double mean, double warningHalfWidth, double actionHalfWidth, const TRisks& risks)
{
    TLevelStats& reference = analyte.ReferenceStats[level];
    reference.Mean = mean;
    reference.WarningHalfWidth = warningHalfWidth;
    reference.ActionHalfWidth = actionHalfWidth;
    analyte.LimitMode[level] = lmFixed;
    RecomputeAll(analyte, risks);
}

void UnfixLevel(TAnalyte& analyte, int level, const TRisks& risks)
{
    analyte.LimitMode[level] = lmMobile;
    RecomputeAll(analyte, risks);
}

QString LockStateText(const TAnalyte& analyte, int level)
{
    switch (analyte.LimitMode[level]) {
    case lmLocked: {
        const int start = analyte.LockStart[level];
        const int end = analyte.LockEnd[level];
        if (start < 0 || end >= analyte.Count() || start > end)
            break; // an interval outside the points cannot be shown as dates
        return QStringLiteral("Locked from ") + ShortDateText(analyte.Point(start).DateTime) + QStringLiteral(" to ")
            + ShortDateText(analyte.Point(end).DateTime);
    }
    case lmFixed:
        return QStringLiteral("Fixed limits");
    default:
        break;
    }
    return QStringLiteral("Mobile limits");
}

TFixedTexts FixedLevelTexts(const TAnalyte& analyte, int level)
{
    const TLevelStats& reference = analyte.ReferenceStats[level];
    return { FormatFixed(reference.Mean, 6, analyte.Decimals),
        FormatFixed(reference.WarningHalfWidth, 6, analyte.Decimals + 1),
        FormatFixed(reference.ActionHalfWidth, 6, analyte.Decimals + 1) };
}

int LevelsInUse(const TAnalyte& analyte) { return std::clamp(int(analyte.NbLevels), 0, MaxLevels); }

bool LevelHasData(const TAnalyte& analyte, int level)
{
    const TLevelStats& all = analyte.AllPointsStats[level];
    return all.N + all.Discarded > 0;
}

namespace {

QJsonObject LevelLimitsJson(quint8 mode, qint32 start, qint32 end, const TLevelStats& reference)
{
    QJsonObject json { { "mode", int(mode) } };
    if (mode == lmLocked) {
        json["lockStart"] = start;
        json["lockEnd"] = end;
    } else if (mode == lmFixed) {
        json["mean"] = reference.Mean;
        json["warningHalfWidth"] = reference.WarningHalfWidth;
        json["actionHalfWidth"] = reference.ActionHalfWidth;
    }
    return json;
}

} // namespace

QList<TChange> LimitChanges(const TAnalyte& analyte, const TLimitSettings& before)
{
    QList<TChange> changes;
    for (int level = 0; level < LevelsInUse(analyte); ++level) {
        const QJsonObject was = LevelLimitsJson(
            before.LimitMode[level], before.LockStart[level], before.LockEnd[level], before.ReferenceStats[level]);
        const QJsonObject now = LevelLimitsJson(
            analyte.LimitMode[level], analyte.LockStart[level], analyte.LockEnd[level], analyte.ReferenceStats[level]);
        if (was == now)
            continue;
        const TChangeKind kind = analyte.LimitMode[level] == lmLocked ? TChangeKind::LimitsLocked
            : analyte.LimitMode[level] == lmFixed                     ? TChangeKind::LimitsFixed
                                                                      : TChangeKind::LimitsMobile;
        changes.append({ kind, analyte.Name, level + 1, QString(), was, now });
    }
    return changes;
}
