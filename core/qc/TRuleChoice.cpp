#include "TRuleChoice.h"

#include "TAnalyte.h"
#include "TWestgard.h"

#include <algorithm>

QString TRuleChoice::Text() const
{
    if (!Recommended)
        return QStringLiteral("Rules: full multirule");
    return QStringLiteral("Rules: %1 (recommended, sigma %2)").arg(Rules.Text(), QString::number(Sigma, 'f', 1));
}

TRuleChoice RulesInForce(const TAnalyte& analyte, const TAnalyteGoals& goals)
{
    const int levels = std::clamp(int(analyte.NbLevels), 1, MaxLevels);
    TRuleChoice choice;
    choice.Rules = MultiruleInForce(levels);
    if (!goals.ApplyRecommended)
        return choice;
    bool found = false;
    for (int l = 0; l < levels; ++l) {
        const TSigmaLevel sigma = ComputeSigma(analyte.ReferenceStats[l], goals.Levels[l]);
        if (sigma.Computed && (!found || sigma.Sigma < choice.Sigma)) {
            choice.Sigma = sigma.Sigma;
            found = true;
        }
    }
    if (found) {
        choice.Recommended = true;
        choice.Rules = RecommendedRules(choice.Sigma, levels);
    }
    return choice;
}

void ApplyRuleChoice(const TRuleChoice& choice, TWestgardResult& result)
{
    if (!choice.Recommended)
        return;
    const auto keep = [&](const char* name) {
        return QLatin1String(name) == QLatin1String("1:2s") || choice.Rules.Rules.contains(QLatin1String(name));
    };
    for (TWestgardLevel& level : result.Levels)
        for (int slot = 0; slot < LevelRuleCount; ++slot)
            if (!keep(LevelRuleNames[slot])) {
                level.Rules[slot] = TRuleOutcome::NotViolated;
                level.Scope[slot].clear();
            }
    for (int slot = 0; slot < AcrossRuleCount; ++slot)
        if (!keep(result.AcrossNames()[slot])) {
            result.Across[slot] = TRuleOutcome::NotViolated;
            result.AcrossScope[slot].clear();
        }
}
