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

// A date typed in the system's short date format (day and month with one or two
// digits, a year of one or two digits taken as 1950..2049), or an invalid date.
QDate ParseShortDate(const QString& text);
// A time in the long time format, also accepted without its seconds or as a
// 24-hour time, or an invalid time.
QTime ParseLongTime(const QString& text);
