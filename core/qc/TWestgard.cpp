#include "TWestgard.h"

#include "TAnalyte.h"

#include <algorithm>

const char* const LevelRuleNames[LevelRuleCount] = { "1:2s", "1:3s", "2:2s", "R:4s", "4:1s", "10:m" };

const std::array<const char*, AcrossRuleCount>& AcrossRuleNames(int validatedCount)
{
    static const std::array<const char*, AcrossRuleCount> three { "2:2s", "R:4s", "3:1s", "9:m" };
    static const std::array<const char*, AcrossRuleCount> other { "2:2s", "R:4s", "4:1s", "10:m" };
    return validatedCount == 3 ? three : other;
}

namespace {

// A run can hold at most ten in a row: the walks stop there.
constexpr int WalkLimit = 10;

bool IsHigh(int status) { return status == psHighWarning || status == psHighAction; }
bool IsLow(int status) { return status == psLowWarning || status == psLowAction; }

int LevelsInUse(const TAnalyte& analyte) { return std::clamp(int(analyte.NbLevels), 0, MaxLevels); }

// Run status of a level as the rules read it: levels the analyte lacks have no value.
quint8 RunStatus(const TAnalyte& analyte, const TResu0& run, int level)
{
    return level < LevelsInUse(analyte) ? run.Values[level].Status : quint8(psNoValue);
}

void MarkLevels(const TAnalyte& analyte, const TResu0& run, const std::array<bool, MaxLevels>& discarded, bool westgard,
    TWestgardResult& result)
{
    for (int l = 0; l < LevelsInUse(analyte); ++l) {
        TWestgardLevel& level = result.Levels[l];
        level.Examined = analyte.LimitMode[l] != lmFixed && !discarded[l];
        level.Validated = level.Examined && analyte.ReferenceStats[l].Status == TLevelStats::StatusComputed
            && run.Values[l].Status != psNoValue && westgard;
        if (level.Validated)
            ++result.ValidatedCount;
    }
}

// Index of the nearest earlier point with a value for the level (discarded
// included), -1 when there is none.
int PreviousPoint(const TAnalyte& analyte, int level, int previousIndex)
{
    for (int i = previousIndex; i >= 0; --i)
        if (analyte.Point(i).Values[level].Status != psNoValue)
            return i;
    return -1;
}

// Counts the consecutive runs on the run's side of the mean and beyond one s
// (half the warning half-width), walking back over the counted stored points.
void CountHistory(const TAnalyte& analyte, int levelIndex, double runValue, int previousIndex, TWestgardLevel& level)
{
    const TLevelStats& reference = analyte.ReferenceStats[levelIndex];
    const double oneS = reference.WarningHalfWidth / 2;
    const double dev = runValue - reference.Mean;
    // The run counts on both sides of the mean; only the side it lies on can grow.
    level.AboveMean = 1;
    level.BelowMean = 1;
    level.AboveOneS = dev > oneS ? 1 : 0;
    level.BelowOneS = dev < -oneS ? 1 : 0;
    bool oneSOpen = level.AboveOneS == 1 || level.BelowOneS == 1;
    for (int i = previousIndex; i >= 0; --i) {
        const TQCValue& cell = analyte.Point(i).Values[levelIndex];
        if (!cell.IsCounted())
            continue;
        const double p = double(cell.Value) - reference.Mean;
        bool ends = false;
        if (p < 0 && dev < 0) {
            ends = ++level.BelowMean >= WalkLimit;
            level.MeanRun.push_back(i);
        } else if (p > 0 && dev > 0) {
            ends = ++level.AboveMean >= WalkLimit;
            level.MeanRun.push_back(i);
        } else {
            ends = true;
        }
        if (oneSOpen) {
            if (p < -oneS && dev < -oneS)
                ++level.BelowOneS;
            else if (p > oneS && dev > oneS)
                ++level.AboveOneS;
            else
                oneSOpen = false;
            if (oneSOpen)
                level.OneSRun.push_back(i);
        }
        if (ends)
            break;
    }
}

// Levels whose count reaches a threshold.
template <typename Count>
int LevelsReaching(const std::array<TWestgardLevel, MaxLevels>& levels, const std::array<bool, MaxLevels>& counted,
    Count count, int threshold)
{
    int number = 0;
    for (int l = 0; l < MaxLevels; ++l)
        if (counted[l] && count(levels[l]) >= threshold)
            ++number;
    return number;
}

// The run's value of a level and the first `earlier` points of one of its runs.
void AddRun(TRuleScope& scope, int level, const std::vector<int>& run, int earlier)
{
    scope.push_back({ RunPoint, level });
    for (int k = 0; k < earlier && k < int(run.size()); ++k)
        scope.push_back({ run[k], level });
}

// The levels that reach `threshold` on the side that fired, each with its run.
template <typename Below, typename Above>
void AddAcrossRuns(TRuleScope& scope, const TWestgardResult& result, const std::array<bool, MaxLevels>& counted,
    Below below, Above above, int threshold, bool oneS)
{
    const bool belowFired = LevelsReaching(result.Levels, counted, below, threshold) == result.ValidatedCount;
    for (int l = 0; l < MaxLevels; ++l) {
        const TWestgardLevel& level = result.Levels[l];
        if (counted[l] && (belowFired ? below(level) : above(level)) >= threshold)
            AddRun(scope, l, oneS ? level.OneSRun : level.MeanRun, threshold - 1);
    }
}

// The across-level runs of the history: two or three levels beyond one s, or on
// one side of the mean, at the same time.
void AcrossHistory(TWestgardResult& result, const std::array<bool, MaxLevels>& inHistory, TRuleOutcome alarm)
{
    const auto& levels = result.Levels;
    auto below = [](const TWestgardLevel& l) { return l.BelowMean; };
    auto above = [](const TWestgardLevel& l) { return l.AboveMean; };
    auto belowOneS = [](const TWestgardLevel& l) { return l.BelowOneS; };
    auto aboveOneS = [](const TWestgardLevel& l) { return l.AboveOneS; };
    bool oneS = false;
    bool mean = false;
    if (result.ValidatedCount == 2) {
        oneS = LevelsReaching(levels, inHistory, belowOneS, 2) == 2
            || LevelsReaching(levels, inHistory, aboveOneS, 2) == 2;
        mean = LevelsReaching(levels, inHistory, below, 5) == 2 || LevelsReaching(levels, inHistory, above, 5) == 2;
    } else if (result.ValidatedCount == 3) {
        oneS = LevelsReaching(levels, inHistory, belowOneS, 1) == 3
            || LevelsReaching(levels, inHistory, aboveOneS, 1) == 3;
        mean = LevelsReaching(levels, inHistory, below, 3) == 3 || LevelsReaching(levels, inHistory, above, 3) == 3;
    }
    result.Across[arOneS] = oneS ? alarm : TRuleOutcome::NotViolated;
    result.Across[arMean] = mean ? alarm : TRuleOutcome::NotViolated;
    // Two levels: two runs each beyond one s, five each on one side; three
    // levels: the run of each beyond one s, three each on one side.
    const bool two = result.ValidatedCount == 2;
    if (oneS)
        AddAcrossRuns(result.AcrossScope[arOneS], result, inHistory, belowOneS, aboveOneS, two ? 2 : 1, true);
    if (mean)
        AddAcrossRuns(result.AcrossScope[arMean], result, inHistory, below, above, two ? 5 : 3, false);
}

// The points of the level rules that fired: the run alone, with the previous
// value, or with the earlier points of its run.
void LevelScope(int l, TWestgardLevel& level)
{
    for (int slot = 0; slot < LevelRuleCount; ++slot) {
        if (level.Rules[slot] == TRuleOutcome::NotViolated)
            continue;
        TRuleScope& scope = level.Scope[slot];
        if (slot == lr22s || slot == lrR4s)
            AddRun(scope, l, { level.PreviousPoint }, 1);
        else if (slot == lr41s)
            AddRun(scope, l, level.OneSRun, 3);
        else if (slot == lr10m)
            AddRun(scope, l, level.MeanRun, WalkLimit - 1);
        else
            AddRun(scope, l, {}, 0);
    }
}

void EvaluateRules(const TAnalyte& analyte, const TResu0& run, TWestgardResult& result)
{
    const int levels = LevelsInUse(analyte);
    // The across rules are warnings unless some level of the run reached a limit.
    TRuleOutcome alarm = TRuleOutcome::Warning;
    int highLevels = 0;
    int lowLevels = 0;
    for (int l = 0; l < levels; ++l) {
        TWestgardLevel& level = result.Levels[l];
        if (!level.Examined)
            continue;
        const quint8 status = RunStatus(analyte, run, l);
        if (status == psHighWarning || status == psLowWarning) {
            level.Rules[lr12s] = TRuleOutcome::Warning;
            alarm = TRuleOutcome::Rejection;
        } else if (status == psHighAction || status == psLowAction) {
            level.Rules[lr13s] = TRuleOutcome::Rejection;
            level.Rules[lr12s] = TRuleOutcome::Warning;
            alarm = TRuleOutcome::Rejection;
        }
        highLevels += IsHigh(status) ? 1 : 0;
        lowLevels += IsLow(status) ? 1 : 0;
    }
    if (highLevels >= 2 || lowLevels >= 2)
        result.Across[ar22s] = TRuleOutcome::Rejection;
    // Across 2:2s sees the levels on the side that fired; R:4s every level that
    // reached a limit.
    for (int l = 0; l < levels; ++l) {
        const quint8 status = RunStatus(analyte, run, l);
        if (!result.Levels[l].Examined || !(IsHigh(status) || IsLow(status)))
            continue;
        if (result.Across[ar22s] != TRuleOutcome::NotViolated && (highLevels >= 2 ? IsHigh(status) : IsLow(status)))
            result.AcrossScope[ar22s].push_back({ RunPoint, l });
        if (highLevels >= 1 && lowLevels >= 1)
            result.AcrossScope[arR4s].push_back({ RunPoint, l });
    }

    std::array<bool, MaxLevels> inHistory {};
    for (int l = 0; l < levels; ++l) {
        TWestgardLevel& level = result.Levels[l];
        if (!level.Examined)
            continue;
        const quint8 status = RunStatus(analyte, run, l);
        level.PreviousPoint = PreviousPoint(analyte, l, result.PreviousIndex);
        level.PreviousStatus = level.PreviousPoint < 0 ? -1 : analyte.Point(level.PreviousPoint).Values[l].Status;
        // A discarded previous value is neither high nor low: it fires nothing.
        if (IsLow(status) || IsHigh(status)) {
            const bool runLow = IsLow(status);
            if ((runLow ? highLevels : lowLevels) >= 1)
                result.Across[arR4s] = TRuleOutcome::Rejection;
            if (runLow ? IsLow(level.PreviousStatus) : IsHigh(level.PreviousStatus))
                level.Rules[lr22s] = TRuleOutcome::Rejection;
            if (runLow ? IsHigh(level.PreviousStatus) : IsLow(level.PreviousStatus))
                level.Rules[lrR4s] = TRuleOutcome::Rejection;
        }

        if (status == psNoValue)
            continue;
        inHistory[l] = true;
        CountHistory(analyte, l, double(run.Values[l].Value), result.PreviousIndex, level);
        // Runs of the history weigh as a rejection when the run itself reached a warning limit.
        const TRuleOutcome weight
            = level.Rules[lr12s] == TRuleOutcome::Warning ? TRuleOutcome::Rejection : TRuleOutcome::Warning;
        if (level.AboveOneS >= 4 || level.BelowOneS >= 4)
            level.Rules[lr41s] = weight;
        if (level.AboveMean >= WalkLimit || level.BelowMean >= WalkLimit)
            level.Rules[lr10m] = weight;
    }
    AcrossHistory(result, inHistory, alarm);

    // Outcomes of levels that are not validated are never shown.
    for (int l = 0; l < MaxLevels; ++l) {
        TWestgardLevel& level = result.Levels[l];
        if (!level.Validated)
            level.Rules.fill(TRuleOutcome::NotViolated);
        LevelScope(l, level);
    }
}

} // namespace

TWestgardResult EvaluateWestgard(
    const TAnalyte& analyte, const TResu0& run, const std::array<bool, MaxLevels>& discarded, bool westgard)
{
    return EvaluateWestgardAt(analyte, run, discarded, westgard, analyte.InsertPosition(run.DateTime) - 1);
}

TWestgardResult EvaluateWestgardAt(const TAnalyte& analyte, const TResu0& run,
    const std::array<bool, MaxLevels>& discarded, bool westgard, int previousIndex)
{
    TWestgardResult result;
    result.PreviousIndex = previousIndex;
    MarkLevels(analyte, run, discarded, westgard, result);
    if (result.Evaluated())
        EvaluateRules(analyte, run, result);
    return result;
}
