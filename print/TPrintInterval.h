#pragma once
#include <QDate>

class TAnalyte;

// The points of an analyte printed for two chosen dates, whole days from the
// earlier to the later one (either order): indices First..Last, empty when
// First > Last.
struct TPrintInterval {
    int First = 0;
    int Last = -1;
    int Count() const { return Last >= First ? Last - First + 1 : 0; }
};
TPrintInterval PointsBetween(const TAnalyte& analyte, QDate date1, QDate date2);
