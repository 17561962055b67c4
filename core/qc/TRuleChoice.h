#pragma once
#include "TSigma.h"

class TAnalyte;
struct TWestgardResult;

// The rules a run of an analyte is judged with: the full multirule, or, when the
// laboratory chose so for the analyte and its goals give a sigma, the rules
// recommended for the lowest sigma of its levels.
struct TRuleChoice {
    bool Recommended = false;
    TRuleSet Rules;
    double Sigma = 0;
    // "Rules: full multirule" or "Rules: 1:3s/2:2s/R:4s (recommended, sigma 5.2)".
    QString Text() const;
};

TRuleChoice RulesInForce(const TAnalyte& analyte, const TAnalyteGoals& goals);

// With recommended rules, clears the outcomes and points of every rule outside
// them but the 1:2s warning; with the full multirule, changes nothing.
void ApplyRuleChoice(const TRuleChoice& choice, TWestgardResult& result);
