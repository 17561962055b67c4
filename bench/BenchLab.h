#pragma once
#include "TListAnalytes.h"

// A synthetic laboratory: `analytes` analytes of three levels with `points`
// points each, one run every eight hours, values drawn around fixed means.
TListAnalytes MakeBenchLab(int analytes = 100, int points = 11000, quint64 seed = 42);
