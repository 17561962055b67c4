#pragma once
#include "TQCTypes.h"

#include <QList>

class TQCContext;

// Fills the context's lists with the demonstration data of a first start, dated
// from the context's clock and drawn from its random generator: three control
// materials "Lyphocheck 1..3" with random lots; "Glucose" (3 levels locked on
// points 0..25, point 30 discarded as "Wrong calibrator", "New reagent" at point
// 35); "Calcium" (2 levels, no common CV); "Albumin" (1 level, fixed limits
// 42 +- 2 / 3). The previous lists are replaced and CurrentAnalyte cleared.
// Returns the five random Glucose results of the next five days at 09:00, for
// the caller to put into the queue.
QList<TResu0> MakeDemonstrationData(TQCContext& context);
