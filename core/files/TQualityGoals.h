#pragma once
#include "TLevelGoal.h"
#include "TRuleChoice.h"

#include <QMap>
#include <QString>

// The laboratory's quality goals, kept in a small JSON file beside the data
// file (BaseName + "-goals.json"), never in the program's binary files:
//   { "version": 1, "analytes": { "<name>": { "applyRecommended": false,
//       "levels": [ { "tea": 10, "teaUnits": false, "target": 5.5, "bias": null }, ... ] } } }
// Analytes are keyed by their name in upper case (names compare without case).
class TQualityGoals {
public:
    static QString FileName(const QString& baseName) { return baseName + QStringLiteral("-goals.json"); }

    TAnalyteGoals Goals(const QString& analyte) const { return m_goals.value(analyte.toUpper()); }
    void SetGoals(const QString& analyte, const TAnalyteGoals& goals);

    // Reads the file. A missing file gives no goals; a damaged or foreign one
    // gives false with the reason in *error, and the goals in memory stay.
    bool Load(const QString& fileName, QString* error);
    // Writes the file atomically; false with the reason when it could not.
    bool Save(const QString& fileName, QString* error) const;

private:
    QMap<QString, TAnalyteGoals> m_goals;
};

// The rules in force for the analyte (RulesInForce) with the goals of the goals
// file; a file that cannot be read leaves the full multirule. Every judgement of
// an analyte's runs (validation, chart marks, pop-up, printout) asks here.
TRuleChoice RulesInForce(const TAnalyte& analyte, const QString& goalsFile);
