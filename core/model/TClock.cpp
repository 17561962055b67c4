#include "TClock.h"

#include "TDates.h"

#include <cmath>

QDateTime TClock::Now() const { return QDateTime::currentDateTime(); }

double TClock::NowDays() const { return DateTimeToDayCount(Now()); }

double TClock::TodayDays() const { return DateToDayCount(Now().date()); }
