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

QString ShortDateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1String("MMM")) || format.contains(QLatin1String("ddd")))
        return QStringLiteral("yyyy-MM-dd");
    static const QRegularExpression shortYear("(?<!y)yy(?!y)");
    format.replace(shortYear, "yyyy");
    return format;
}

QString LongTimeFormat(const QLocale& locale)
{
    // Outside quoted text: the time zone and the AM/PM marker go, the
    // 12-hour h becomes the 24-hour H.
    const QString source = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar ch = source[i];
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || ch == QLatin1Char('\''))
            format += ch;
        else if (ch == QLatin1Char('t') || ch == QLatin1Char('A') || ch == QLatin1Char('a') || ch == QLatin1Char('P')
            || ch == QLatin1Char('p'))
            continue;
        else
            format += ch == QLatin1Char('h') ? QLatin1Char('H') : ch;
    }
    static const QRegularExpression blanks("\\s+");
    format = format.replace(blanks, " ").trimmed();
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
    if (shortYear != format) {
        date = locale.toDate(trimmed, shortYear); // 1900..1999
        if (date.isValid())
            return date.year() < 1950 ? date.addYears(100) : date;
    }
    return locale.toDate(trimmed, locale.dateFormat(QLocale::ShortFormat));
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
    // A 24-hour time is accepted whatever the system's format, and a 12-hour one.
    for (const QString& candidate : { format, QStringLiteral("H:mm:ss"), QStringLiteral("H:mm"),
             QStringLiteral("h:mm:ss AP"), QStringLiteral("h:mm AP") }) {
        const QTime other = locale.toTime(trimmed, candidate);
        if (other.isValid())
            return other;
    }
    return QTime();
}
