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
