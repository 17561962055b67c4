#pragma once
#include "TSigma.h"

class TAnalyte;
class TQCDocument;
class TQualityGoals;
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
// The same with the goals of the goals file (TQualityGoals::FileName); a file that
// cannot be read leaves the full multirule. The judgements of stored runs (chart
// marks, pop-up, printout) ask here.
TRuleChoice RulesInForce(const TAnalyte& analyte, const QString& goalsFile);

// Stores an analyte's goals in the goals file of the document's folder. A change
// between the recommended rules and the full multirule is then committed through
// the document (RulesChanged, before and after). False with the reason in *error
// when the file could not be written (nothing is committed); *journalError gets
// the journal's reason when the change could not be recorded.
bool StoreGoals(TQCDocument& document, TQualityGoals& goals, const QString& analyte, const TAnalyteGoals& after,
    QString* error, QString* journalError = nullptr);

// With recommended rules, clears the outcomes and points of every rule outside
// them but the 1:2s warning; with the full multirule, changes nothing.
void ApplyRuleChoice(const TRuleChoice& choice, TWestgardResult& result);
