#pragma once
#include "TAnalyte.h"

// Noon of the day `i` days after 2026-01-01, as a day count.
double Day(int i);

// A one-level Glucose with one value a day from Day(0) and limits set by hand: mean 11, warning
// limits 11 +- 1, action limits 11 +- 2, chart range 8..14.
TAnalyte KnownAnalyte(const QList<double>& values);
