#pragma once
#include <QString>

class TAnalyte;
class TQCContext;

// Appends an analyte of `count` daily points at noon, the last one the day before `today` (a
// day count), values 5.0 to 5.4 on level 1 and twice and three times that on levels 2 and 3;
// level l uses lot id l. Recomputed and classified.
TAnalyte& AddDailyAnalyte(TQCContext& context, const QString& name, int levels, int count, double today);
