#pragma once
#include "TRuleChoice.h"
#include "TWestgard.h"

#include <QStringList>

// What the rules say of a stored point: judged as a run against the points
// stored before it, with the analyte's current limits and rules switch and the
// rules in force for it (`rules`, from RulesInForce), its discarded values left
// out. Every scope names the point itself by its index (never RunPoint).
TWestgardResult EvaluateStoredPoint(const TAnalyte& analyte, int index, const TRuleChoice& rules);

// The rules that reject (red) the value of a level: the level's own and those
// across levels whose points include it, in slot order.
QStringList RejectingRules(const TWestgardResult& result, int level);

// Every rule that lit (warning or rejection; only the rejections when asked):
// "1:3s QC1", "2:2s across levels".
QStringList FiredRules(const TWestgardResult& result, bool rejectionsOnly = false);

// The points of every rejecting rule, each once.
TRuleScope RejectionScope(const TWestgardResult& result);
