#include "TPrintInterval.h"

#include "TAnalyte.h"
#include "TDates.h"

#include <utility>

TPrintInterval PointsBetween(const TAnalyte& analyte, QDate date1, QDate date2)
{
    if (date1 > date2)
        std::swap(date1, date2);
    const double from = DateToDayCount(date1);
    const double until = DateToDayCount(date2) + 1;
    TPrintInterval interval;
    const int count = analyte.Count();
    int i = 0;
    while (i < count && analyte.Point(i).DateTime < from)
        ++i;
    interval.First = i;
    while (i < count && analyte.Point(i).DateTime < until)
        ++i;
    interval.Last = i - 1;
    return interval;
}
