#pragma once
#include "TQCTypes.h"

#include <QString>
#include <array>
#include <vector>

class TAnalyte;

// Outcome of one Westgard rule for a run.
enum class TRuleOutcome : quint8 {
    NotViolated = 0,
    Warning = 1,
    Rejection = 2,
};

constexpr int LevelRuleCount = 6;
constexpr int AcrossRuleCount = 4;

// Slots of the rules within one level, in the order of LevelRuleNames.
enum TLevelRule { lr12s = 0, lr13s, lr22s, lrR4s, lr41s, lr10m };
// Slots of the rules across levels. The last two read "3:1s" and "9:m" with
// exactly three validated levels, "4:1s" and "10:m" otherwise.
enum TAcrossRule { ar22s = 0, arR4s, arOneS, arMean };

extern const char* const LevelRuleNames[LevelRuleCount];
// The names of the across-level rules for a number of validated levels.
const std::array<const char*, AcrossRuleCount>& AcrossRuleNames(int validatedCount);

// A point a rule looked at: a stored point of the analyte by its index, or the
// run being judged (RunPoint), and the level (0-based) of its value.
constexpr int RunPoint = -1;
struct TRulePoint {
    int Index = RunPoint;
    int Level = 0;
    bool operator==(const TRulePoint&) const = default;
};
// The points that make a rule fire, the run first, then back in time.
using TRuleScope = std::vector<TRulePoint>;

// What the rules found for one level of a run.
struct TWestgardLevel {
    // Taken into the rules at all: the level is in use, not on fixed limits and
    // not discarded.
    bool Examined = false;
    // Validated: examined, with statistics, a value in the run and the rules on.
    // Only validated levels show their rule outcomes.
    bool Validated = false;
    // Status of the nearest earlier stored point that has a value for this
    // level, or -1 when there is none.
    int PreviousStatus = -1;
    // Index of that point, -1 when there is none.
    int PreviousPoint = -1;
    // Consecutive runs (the current one included) above and below the mean, and
    // beyond one s on either side, counted back through the stored points.
    int AboveMean = 0;
    int BelowMean = 0;
    int AboveOneS = 0;
    int BelowOneS = 0;
    // Indexes of the stored points counted in the run on the mean's side and in
    // the run beyond one s, nearest first (the run being judged not included).
    std::vector<int> MeanRun;
    std::vector<int> OneSRun;
    // Outcomes of the level rules; all NotViolated unless the level is validated.
    std::array<TRuleOutcome, LevelRuleCount> Rules {};
    // For each rule that fires, the points that make it fire; empty otherwise.
    std::array<TRuleScope, LevelRuleCount> Scope;
};

// The verdict of the Westgard multirules on one run.
struct TWestgardResult {
    // Index of the last stored point dated at or before the run, -1 when none is.
    int PreviousIndex = -1;
    // Number of validated levels; the rules are evaluated only when it is at least one.
    int ValidatedCount = 0;
    std::array<TWestgardLevel, MaxLevels> Levels;
    std::array<TRuleOutcome, AcrossRuleCount> Across {};
    // For each across-level rule that fires, the points that make it fire.
    std::array<TRuleScope, AcrossRuleCount> AcrossScope;

    bool Evaluated() const { return ValidatedCount >= 1; }
    // The across-level rules are shown only for two or more validated levels.
    bool AcrossShown() const { return ValidatedCount > 1; }
    const std::array<const char*, AcrossRuleCount>& AcrossNames() const { return AcrossRuleNames(ValidatedCount); }
};

// Judges a run, already classified against the analyte's limits, with the
// Westgard multirules over the analyte's stored points (those dated at or before
// the run). `discarded` marks the levels the operator rejected; `westgard` is
// the rules switch. The analyte and the run are only read.
TWestgardResult EvaluateWestgard(
    const TAnalyte& analyte, const TResu0& run, const std::array<bool, MaxLevels>& discarded, bool westgard);

// The same with the walks starting at `previousIndex` (the last stored point the
// run may look back on, -1 for none) instead of the run's date position.
TWestgardResult EvaluateWestgardAt(const TAnalyte& analyte, const TResu0& run,
    const std::array<bool, MaxLevels>& discarded, bool westgard, int previousIndex);
