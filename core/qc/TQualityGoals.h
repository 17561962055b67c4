#pragma once
#include "TQCTypes.h"

#include <QMap>
#include <QString>
#include <array>
#include <cmath>

// The quality goal of one level: the allowable total error (in percent of the
// level's mean, or in the analyte's units) and, to know the bias, a target
// value or a bias in percent. NaN means "not given".
struct TLevelGoal {
    double TEa = NAN;
    bool TEaInUnits = false;
    double Target = NAN;
    double BiasPercent = NAN;

    bool HasTEa() const { return std::isfinite(TEa) && TEa > 0; }
    bool operator==(const TLevelGoal& other) const;
};

// The goals of an analyte, and whether the laboratory judges its runs with the
// recommended rules instead of the full multirule.
struct TAnalyteGoals {
    std::array<TLevelGoal, MaxLevels> Levels;
    bool ApplyRecommended = false;
    bool operator==(const TAnalyteGoals& other) const = default;
};

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
