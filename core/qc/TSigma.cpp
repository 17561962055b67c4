#include "TSigma.h"

#include "TQCTypes.h"

#include <algorithm>
#include <cmath>

namespace {

// The critical systematic error leaves a 5 % chance of results beyond TEa: z = 1.65.
constexpr double CriticalZ = 1.65;

} // namespace

TSigmaLevel ComputeSigma(const TLevelStats& reference, const TLevelGoal& goal)
{
    TSigmaLevel sigma;
    sigma.Mean = reference.Mean;
    sigma.CV = reference.CV;
    if (reference.Status != TLevelStats::StatusComputed || !(reference.CV > 0) || std::abs(reference.Mean) < 1e-10) {
        sigma.Reason = QStringLiteral("no statistics");
        return sigma;
    }
    if (!goal.HasTEa()) {
        sigma.Reason = QStringLiteral("no TEa");
        return sigma;
    }
    sigma.TEa = goal.TEaInUnits ? goal.TEa / std::abs(reference.Mean) * 100 : goal.TEa;
    if (std::isfinite(goal.Target) && std::abs(goal.Target) > 1e-10) {
        sigma.Bias = (reference.Mean - goal.Target) / goal.Target * 100;
        sigma.BiasKnown = true;
    } else if (std::isfinite(goal.BiasPercent)) {
        sigma.Bias = goal.BiasPercent;
        sigma.BiasKnown = true;
    }
    sigma.Sigma = (sigma.TEa - std::abs(sigma.Bias)) / sigma.CV;
    sigma.DSECrit = sigma.Sigma - CriticalZ;
    sigma.Computed = true;
    return sigma;
}

int TRuleSet::ProgramRuns(int levels) const
{
    const int perRun = std::max(levels, 1);
    return std::max(1, (N + perRun - 1) / perRun) * std::max(R, 1);
}

TRuleSet MultiruleInForce(int levels)
{
    if (levels >= 3)
        return { { "1:3s", "2:2s", "R:4s", "4:1s", "10:m", "3:1s", "9:m" }, 3, 1 };
    return { { "1:3s", "2:2s", "R:4s", "4:1s", "10:m" }, std::max(levels, 1), 1 };
}

TRuleSet RecommendedRules(double sigma, int levels)
{
    const bool three = levels >= 3;
    if (sigma >= 6)
        return { { "1:3s" }, three ? 3 : 2, 1 };
    if (sigma >= 5)
        return { { "1:3s", "2:2s", "R:4s" }, three ? 3 : 2, 1 };
    if (sigma >= 4)
        return three ? TRuleSet { { "1:3s", "2:2s", "R:4s", "3:1s" }, 3, 1 }
                     : TRuleSet { { "1:3s", "2:2s", "R:4s", "4:1s" }, 4, 1 };
    return three ? TRuleSet { { "1:3s", "2:2s", "R:4s", "3:1s", "9:m" }, 6, 1 }
                 : TRuleSet { { "1:3s", "2:2s", "R:4s", "4:1s", "10:m" }, 4, 2 };
}
