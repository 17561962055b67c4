#pragma once
#include "TQCTypes.h"

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
