#pragma once
#include <QDateTime>
#include <QString>

// Date-times are a day count since 1899-12-30 whose fraction is the time of day,
// in local time without time-zone conversion.
QDateTime DayCountToDateTime(double days);
double DateTimeToDayCount(const QDateTime& dateTime);
double DateToDayCount(const QDate& date);
QDate DayCountToDate(double days);

// The system's short date format, with a two-digit year widened to four digits.
QString ShortDateFormat();
// The system's time format with seconds and without any time-zone part.
QString LongTimeFormat();
QString ShortDateText(double days);
QString LongTimeText(double days);
