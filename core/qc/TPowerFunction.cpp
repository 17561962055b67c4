#include "TPowerFunction.h"

#include "TAnalyte.h"
#include "TConfigRecord.h"
#include "TRandom.h"
#include "TStatistics.h"
#include "TWestgard.h"

#include <algorithm>

namespace {

constexpr double SimMean = 100;
// Nine earlier runs let a run rule of ten see a full run.
constexpr int HistoryRuns = 9;
// Degrees of freedom at which the t quantile stands for a long reference period.
constexpr int LongPeriod = 1000;

// A simulated analyte: every level on mean 100, SD 1, with the limits given, and
// room for the history and the judged runs, one a day.
TAnalyte SimAnalyte(int levels, int judged, const TSimLimits& limits)
{
    TAnalyte analyte("SIM", {}, 3, levels);
    analyte.ReferenceStats.fill({ .Mean = SimMean,
        .WarningHalfWidth = limits.Warning,
        .ActionHalfWidth = limits.Action,
        .N = 1000,
        .CV = float(100 / SimMean),
        .Status = TLevelStats::StatusComputed });
    for (int i = 0; i < HistoryRuns + judged; ++i) {
        TResu0 run;
        run.DateTime = i + 1;
        for (int l = 0; l < levels; ++l)
            run.Values[l] = { float(SimMean), psWithin };
        analyte.AddPoint(run);
    }
    return analyte;
}

// The slots of a rule set, found once: the engine's names compared as text per
// run would cost more than the rules themselves.
struct TRuleMask {
    std::array<bool, LevelRuleCount> Level {};
    std::array<bool, AcrossRuleCount> Across {};
};

TRuleMask MaskOf(const QStringList& rules, int levels)
{
    TRuleMask mask;
    for (int slot = 0; slot < LevelRuleCount; ++slot)
        mask.Level[slot] = rules.contains(QLatin1String(LevelRuleNames[slot]));
    // Every simulated level is validated: the across names follow the number of levels.
    for (int slot = 0; slot < AcrossRuleCount; ++slot)
        mask.Across[slot] = rules.contains(QLatin1String(AcrossRuleNames(levels)[slot]));
    return mask;
}

bool LightsAny(const TWestgardResult& result, const TRuleMask& mask)
{
    for (const TWestgardLevel& level : result.Levels)
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            if (mask.Level[slot] && level.Rules[slot] != TRuleOutcome::NotViolated)
                return true;
    for (int slot = 0; slot < AcrossRuleCount; ++slot)
        if (mask.Across[slot] && result.Across[slot] != TRuleOutcome::NotViolated)
            return true;
    return false;
}

// Draws the values of a stored point around the mean moved by `shift`, and classifies them.
void DrawPoint(TAnalyte& analyte, int index, double shift, TRandom& random)
{
    TQCPoint& point = analyte.Point(index);
    for (int l = 0; l < analyte.NbLevels; ++l)
        point.Values[l].Value = float(random.Gaussian(1, SimMean + shift));
    ClassifyPoint(analyte, point);
}

// One trial: the history moves on by one new run in control (a stream of runs,
// so that each trial draws one history run instead of nine), the shifted runs are
// drawn, then each is judged against the points before it.
bool TrialRejects(TAnalyte& analyte, const TRuleMask& rules, int judged, double shift, TRandom& random)
{
    for (int i = 0; i + 1 < HistoryRuns; ++i)
        analyte.Point(i).Values = analyte.Point(i + 1).Values;
    DrawPoint(analyte, HistoryRuns - 1, 0, random);
    for (int k = 0; k < judged; ++k)
        DrawPoint(analyte, HistoryRuns + k, shift, random);
    const std::array<bool, MaxLevels> discarded {};
    for (int k = 0; k < judged; ++k) {
        const TQCPoint& point = analyte.Point(HistoryRuns + k);
        TResu0 run;
        // Dated just before its own point, the run sees only the runs before it.
        run.DateTime = point.DateTime - 0.5;
        run.Values = point.Values;
        if (LightsAny(EvaluateWestgard(analyte, run, discarded, true), rules))
            return true;
    }
    return false;
}

// A seed for a generator of its own, drawn from the caller's.
quint64 DrawSeed(TRandom& random) { return quint64(random.Next() * 9007199254740992.0); }

} // namespace

TSimLimits LimitsOfRisks(const TRisks& risks)
{
    return { TValue(risks.Alert, LongPeriod), TValue(risks.Action, LongPeriod) };
}

double RejectionProbability(
    const TRuleSet& rules, int levels, double shift, int trials, TRandom& random, const TSimLimits& limits)
{
    levels = std::clamp(levels, 1, MaxLevels);
    const int judged = rules.ProgramRuns(levels);
    TAnalyte analyte = SimAnalyte(levels, judged, limits);
    const TRuleMask mask = MaskOf(rules.Rules, levels);
    for (int i = 0; i < HistoryRuns; ++i)
        DrawPoint(analyte, i, 0, random);
    int rejected = 0;
    for (int t = 0; t < trials; ++t)
        rejected += TrialRejects(analyte, mask, judged, shift, random) ? 1 : 0;
    return trials > 0 ? double(rejected) / trials : 0;
}

std::vector<double> PowerCurve(const TRuleSet& rules, int levels, const std::vector<double>& shifts, int trials,
    TRandom& random, const TSimLimits& limits)
{
    // The same runs at every shift (common random numbers): the curve moves with
    // the shift alone, not with the draws.
    const quint64 seed = DrawSeed(random);
    std::vector<double> curve;
    curve.reserve(shifts.size());
    for (double shift : shifts) {
        TRandom same(seed);
        curve.push_back(RejectionProbability(rules, levels, shift, trials, same, limits));
    }
    return curve;
}

std::vector<double> StandardShifts()
{
    std::vector<double> shifts;
    for (int i = 0; i <= 20; ++i)
        shifts.push_back(i * 0.25);
    return shifts;
}

std::vector<TLevelAdvice> AdviseRules(
    const TAnalyte& analyte, const TAnalyteGoals& goals, TRandom& random, const TSimLimits& limits, int trials)
{
    const int levels = std::clamp(int(analyte.NbLevels), 1, MaxLevels);
    std::vector<TLevelAdvice> advice(levels);
    // Every probability from the same runs, so that Pfr and Ped differ by the shift alone.
    const quint64 seed = DrawSeed(random);
    const auto probability = [&](const TRuleSet& rules, double shift) {
        TRandom same(seed);
        return RejectionProbability(rules, levels, shift, trials, same, limits);
    };
    const TRuleSet inForce = MultiruleInForce(levels);
    const double inForcePfr = probability(inForce, 0);
    for (int l = 0; l < levels; ++l) {
        TLevelAdvice& level = advice[l];
        level.Sigma = ComputeSigma(analyte.ReferenceStats[l], goals.Levels[l]);
        if (!level.Sigma.Computed)
            continue;
        const double critical = std::max(level.Sigma.DSECrit, 0.0);
        const TRuleSet recommended = RecommendedRules(level.Sigma.Sigma, levels);
        level.Recommended = { recommended, probability(recommended, 0), probability(recommended, critical) };
        level.InForce = { inForce, inForcePfr, probability(inForce, critical) };
    }
    return advice;
}
