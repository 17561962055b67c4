#include "TRuleScope.h"

#include "TAnalyte.h"

#include <algorithm>

namespace {

bool Includes(const TRuleScope& scope, int index, int level)
{
    return std::find(scope.begin(), scope.end(), TRulePoint { index, level }) != scope.end();
}

void NameThePoint(TRuleScope& scope, int index)
{
    for (TRulePoint& point : scope)
        if (point.Index == RunPoint)
            point.Index = index;
}

} // namespace

TWestgardResult EvaluateStoredPoint(const TAnalyte& analyte, int index, const TRuleChoice& rules)
{
    const TQCPoint& point = analyte.Point(index);
    TResu0 run;
    run.DateTime = point.DateTime;
    run.Values = point.Values;
    std::array<bool, MaxLevels> discarded {};
    for (int l = 0; l < MaxLevels; ++l)
        discarded[l] = point.Values[l].Status == psDiscarded;
    TWestgardResult result = EvaluateWestgardAt(analyte, run, discarded, analyte.HasOption(aoWestgard), index - 1);
    ApplyRuleChoice(rules, result);
    for (TWestgardLevel& level : result.Levels)
        for (TRuleScope& scope : level.Scope)
            NameThePoint(scope, index);
    for (TRuleScope& scope : result.AcrossScope)
        NameThePoint(scope, index);
    return result;
}

QStringList RejectingRules(const TWestgardResult& result, int level)
{
    QStringList names;
    for (int slot = 0; slot < LevelRuleCount; ++slot)
        if (result.Levels[level].Rules[slot] == TRuleOutcome::Rejection)
            names << QString::fromLatin1(LevelRuleNames[slot]);
    const auto onLevel = [&](const TRulePoint& p) { return p.Level == level; };
    for (int slot = 0; slot < AcrossRuleCount && result.AcrossShown(); ++slot)
        if (result.Across[slot] == TRuleOutcome::Rejection
            && std::any_of(result.AcrossScope[slot].begin(), result.AcrossScope[slot].end(), onLevel))
            names << QString::fromLatin1(result.AcrossNames()[slot]);
    names.removeDuplicates();
    return names;
}

QStringList FiredRules(const TWestgardResult& result, bool rejectionsOnly)
{
    const auto counts = [&](TRuleOutcome outcome) {
        return outcome == TRuleOutcome::Rejection || (!rejectionsOnly && outcome == TRuleOutcome::Warning);
    };
    QStringList names;
    for (int l = 0; l < MaxLevels; ++l)
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            if (counts(result.Levels[l].Rules[slot]))
                names << QStringLiteral("%1 QC%2").arg(LevelRuleNames[slot]).arg(l + 1);
    if (result.AcrossShown())
        for (int slot = 0; slot < AcrossRuleCount; ++slot)
            if (counts(result.Across[slot]))
                names << QStringLiteral("%1 across levels").arg(result.AcrossNames()[slot]);
    return names;
}

TRuleScope RejectionScope(const TWestgardResult& result)
{
    TRuleScope all;
    const auto add = [&](const TRuleScope& scope) {
        for (const TRulePoint& point : scope)
            if (!Includes(all, point.Index, point.Level))
                all.push_back(point);
    };
    for (const TWestgardLevel& level : result.Levels)
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            if (level.Rules[slot] == TRuleOutcome::Rejection)
                add(level.Scope[slot]);
    if (result.AcrossShown())
        for (int slot = 0; slot < AcrossRuleCount; ++slot)
            if (result.Across[slot] == TRuleOutcome::Rejection)
                add(result.AcrossScope[slot]);
    return all;
}
