#include "TClock.h"

#include "TDates.h"

#include <cmath>

QDateTime TClock::Now() const { return QDateTime::currentDateTime(); }

double TClock::TodayDays() const { return DateToDayCount(Now().date()); }
