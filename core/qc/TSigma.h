#pragma once
#include "TLevelGoal.h"

#include <QStringList>

struct TLevelStats;

// The sigma metric of one level: how many of the level's standard deviations fit
// into the allowable total error once the bias is taken off, all in percent of
// the level's mean.
struct TSigmaLevel {
    bool Computed = false; // false when a goal or the statistics are missing
    QString Reason; // why not, when not computed
    double Mean = 0;
    double CV = 0; // percent
    double TEa = 0; // percent
    double Bias = 0; // percent, signed: mean above target is positive
    bool BiasKnown = false; // false: no target nor bias given, bias taken as 0
    double Sigma = 0; // (TEa - |bias|) / CV
    double DSECrit = 0; // the critical systematic error, sigma - 1.65, in SD
};

// Sigma of a level from its reference statistics (mean, CV) and its goal. A
// target gives bias = (mean - target) / target x 100; else the goal's bias in
// percent; else 0. A TEa in units is taken in percent of the mean.
TSigmaLevel ComputeSigma(const TLevelStats& reference, const TLevelGoal& goal);

// A set of Westgard rules, by the names the validation window shows, applied to
// N control measurements in each of R analytical runs.
struct TRuleSet {
    QStringList Rules;
    int N = 1;
    int R = 1;
    // Runs of the program (one value per level each) that make N x R measurements.
    int ProgramRuns(int levels) const;
    QString Text() const { return Rules.join('/'); }
};

// The full multirule the validation window applies to one run of `levels`
// values: every rule that lights red or yellow but the 1:2s warning.
TRuleSet MultiruleInForce(int levels);

// The Westgard Sigma Rules for one, two or three levels: at 6 sigma or more
// 1:3s; at 5 1:3s/2:2s/R:4s; at 4 the 4:1s (or across three levels the 3:1s)
// added and, for two levels, N = 4 (two runs of the program); below 4 the run
// rule of the program (10:m for one or two levels, 9:m for three) added and N =
// 4, R = 2 (two levels) or N = 6 (three levels). One level follows the table of
// two, each measurement a run of the program.
TRuleSet RecommendedRules(double sigma, int levels);
