#pragma once
#include "TSigma.h"

#include <QtGlobal>
#include <vector>

class TRandom;
struct TRisks;

// The seed of the simulations the program shows: the same figures every time,
// in the window and in the companion.
constexpr quint64 SimulationSeed = 1;

// The control limits of a simulation in standard deviations from the mean.
struct TSimLimits {
    double Warning = 2.0;
    double Action = 3.0;
};

// The laboratory's limits for long reference periods: the t quantiles of its
// alert and action risks at many degrees of freedom.
TSimLimits LimitsOfRisks(const TRisks& risks);

// Probability that a rule set rejects, found by judging simulated runs with the
// program's own Westgard engine. Nine runs in control stand before each trial
// (the history the run rules look back on: a stream that moves on by one new run
// a trial); the trial draws the rule set's runs of the program, every level
// shifted by `shift` SD; the trial rejects when any of these
// runs lights one of the set's rules (yellow or red). Values are Gaussian around
// a mean of 100 with SD 1; every level takes part.
double RejectionProbability(
    const TRuleSet& rules, int levels, double shift, int trials, TRandom& random, const TSimLimits& limits = {});

// The power function: the probability of rejection at each shift.
std::vector<double> PowerCurve(const TRuleSet& rules, int levels, const std::vector<double>& shifts, int trials,
    TRandom& random, const TSimLimits& limits = {});

// The shifts 0, 0.25, ..., 5 SD of the power-function graph (21 of them).
std::vector<double> StandardShifts();

class TAnalyte;

// A rule set with its probabilities of false rejection (no shift) and of
// detecting the critical systematic error.
struct TRulePower {
    TRuleSet Rules;
    double Pfr = 0;
    double Ped = 0;
};

// The advice for one level: its sigma and, when it has one, the recommended
// rules and the multirule in force with their Pfr and Ped.
struct TLevelAdvice {
    TSigmaLevel Sigma;
    TRulePower Recommended;
    TRulePower InForce;
};

// Sigma, recommendation and power of every level of an analyte, from its
// reference statistics and the goals given. Ped is taken at the level's critical
// error (0 when the error the method may make is already beyond TEa).
std::vector<TLevelAdvice> AdviseRules(
    const TAnalyte& analyte, const TAnalyteGoals& goals, TRandom& random, const TSimLimits& limits, int trials = 10000);
