#include "TDates.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
const QDate Epoch(1899, 12, 30);
constexpr qint64 MsPerDay = 86400000;
}

QDateTime DayCountToDateTime(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QDateTime(Epoch, QTime(0, 0));
    // Rounded to the millisecond; negative counts keep the fraction as the time of day.
    const qint64 totalMs = std::llround(days * MsPerDay);
    qint64 dayPart = totalMs / MsPerDay;
    qint64 msPart = totalMs % MsPerDay;
    if (msPart < 0) {
        msPart += MsPerDay;
        --dayPart;
    }
    return QDateTime(Epoch.addDays(dayPart), QTime::fromMSecsSinceStartOfDay(int(msPart)));
}

double DateTimeToDayCount(const QDateTime& dateTime)
{
    const qint64 dayPart = Epoch.daysTo(dateTime.date());
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / MsPerDay;
    return double(dayPart) + fraction;
}

double DateToDayCount(const QDate& date) { return double(Epoch.daysTo(date)); }

QDate DayCountToDate(double days) { return DayCountToDateTime(days).date(); }

QString ShortDateFormat()
{
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression shortYear("(?<!y)yy(?!y)");
    format.replace(shortYear, "yyyy");
    return format;
}

QString LongTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone("\\s*t+\\s*");
    format.replace(zone, " ");
    format = format.trimmed();
    if (!format.contains('s'))
        format = "HH:mm:ss";
    return format;
}

QString ShortDateText(double days) { return DayCountToDateTime(days).date().toString(ShortDateFormat()); }

QString LongTimeText(double days) { return DayCountToDateTime(days).time().toString(LongTimeFormat()); }

QDate ParseShortDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    // Day and month are read with one or two digits. A year of two digits, as a
    // spreadsheet may show it, is placed in 1950..2049.
    const QLocale locale = QLocale::system();
    QString format = ShortDateFormat();
    static const QRegularExpression day("(?<!d)dd(?!d)");
    static const QRegularExpression month("(?<!M)MM(?!M)");
    format.replace(day, "d").replace(month, "M");
    QDate date = locale.toDate(trimmed, format);
    if (date.isValid())
        return date;
    static const QRegularExpression longYear("(?<!y)yyyy(?!y)");
    QString shortYear = format;
    shortYear.replace(longYear, "yy");
    if (shortYear == format)
        return QDate();
    date = locale.toDate(trimmed, shortYear); // 1900..1999
    if (date.isValid() && date.year() < 1950)
        date = date.addYears(100);
    return date;
}

QTime ParseLongTime(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QTime();
    QString format = LongTimeFormat();
    static const QRegularExpression hour("(?<![Hh])([Hh])\\1(?![Hh])");
    format.replace(hour, "\\1");
    const QLocale locale = QLocale::system();
    const QTime time = locale.toTime(trimmed, format);
    if (time.isValid())
        return time;
    static const QRegularExpression seconds("[:.]ss?");
    format.remove(seconds);
    // A 24-hour time is accepted whatever the system's format.
    for (const QString& candidate : { format, QStringLiteral("H:mm:ss"), QStringLiteral("H:mm") }) {
        const QTime other = locale.toTime(trimmed, candidate);
        if (other.isValid())
            return other;
    }
    return QTime();
}
