#include "TAuditVerdict.h"

#include "TWestgard.h"

#include <QJsonArray>

namespace {

QString OutcomeText(TRuleOutcome outcome)
{
    return outcome == TRuleOutcome::Rejection ? QStringLiteral("rejection") : QStringLiteral("warning");
}

} // namespace

QJsonObject AuditVerdictJson(const TWestgardResult& result)
{
    QJsonArray fired;
    for (int level = 0; level < MaxLevels; ++level)
        for (int rule = 0; rule < LevelRuleCount; ++rule)
            if (const TRuleOutcome outcome = result.Levels[size_t(level)].Rules[size_t(rule)];
                outcome != TRuleOutcome::NotViolated)
                fired.append(QStringLiteral("QC%1 %2 %3")
                                 .arg(level + 1)
                                 .arg(QLatin1String(LevelRuleNames[rule]), OutcomeText(outcome)));
    if (result.AcrossShown())
        for (int rule = 0; rule < AcrossRuleCount; ++rule)
            if (result.Across[size_t(rule)] != TRuleOutcome::NotViolated)
                fired.append(QStringLiteral("across %1 %2")
                                 .arg(QLatin1String(result.AcrossNames()[size_t(rule)]),
                                     OutcomeText(result.Across[size_t(rule)])));
    return { { "rules", fired }, { "accepted", true } };
}
