#pragma once
#include <QDateTime>
#include <QLocale>
#include <QString>

// Date-times are a day count since 1899-12-30 whose fraction is the time of day,
// in local time without time-zone conversion.
QDateTime DayCountToDateTime(double days);
double DateTimeToDayCount(const QDateTime& dateTime);
double DateToDayCount(const QDate& date);
QDate DayCountToDate(double days);

// The system's short date format, all in figures, with a two-digit year widened
// to four digits; a format that writes the month or the weekday in words gives
// the ISO form yyyy-MM-dd. So a date fits the lists' date columns in any locale.
QString ShortDateFormat(const QLocale& locale = QLocale::system());
// The system's time format with seconds, on the 24-hour clock, without any
// time-zone part.
QString LongTimeFormat(const QLocale& locale = QLocale::system());
QString ShortDateText(double days);
QString LongTimeText(double days);

// A date typed in the system's short date format (day and month with one or two
// digits, a year of one or two digits taken as 1950..2049) or in the locale's own
// short format (as older files may hold it), or an invalid date.
QDate ParseShortDate(const QString& text);
// A time in the long time format, also accepted without its seconds or on the
// 12-hour clock (as older files may hold it), or an invalid time.
QTime ParseLongTime(const QString& text);
