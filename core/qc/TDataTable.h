#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class TAnalyte;

// The lines of an analyte's data table and the replay of the deletions made in it.
namespace TDataTable {

// The list's width in pixels for an analyte of `levels` levels: 60 per level and 310.
int ListWidth(int levels);
// Where the fields of a line start, from the line's left: the first level at 120,
// each level 60 further, the operator 60 after the last level, the comment 40 after it.
QList<int> TabStops(int levels);
// A date-time as a line shows it: short date, a blank and the long time; the
// time is left out at midnight exactly.
QString DateTimeText(double dateTime);
// The line of point `index`: date-time, one field per level (empty without a
// value, else the value with the analyte's decimals), operator and comment,
// separated by TABs.
QString LineText(const TAnalyte& analyte, int index);
// The lines of every point, in order (the formats are read once for all).
QStringList Lines(const TAnalyte& analyte);
// Deletes the points whose lines were removed: each entry is the position the
// line had in the list when it was removed, so replaying them in order on the
// points removes exactly those points. An entry past the end is skipped.
// Returns the number of points deleted; statistics are the caller's next step.
int ApplyDeletions(TAnalyte& analyte, const QList<int>& deletedLines);

} // namespace TDataTable
