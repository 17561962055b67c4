#include "TDataTable.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"

#include <algorithm>
#include <cmath>

namespace TDataTable {

int ListWidth(int levels) { return 60 * levels + 310; }

QList<int> TabStops(int levels)
{
    QList<int> stops;
    for (int k = 0; k < levels; ++k)
        stops.append(120 + 60 * k);
    const int lastLevel = 120 + 60 * std::max(levels - 1, 0);
    stops.append(lastLevel + 60);
    stops.append(lastLevel + 100);
    return stops;
}

namespace {

    struct TFormats {
        QString Date = ShortDateFormat();
        QString Time = LongTimeFormat();
    };

    // The date and time read apart: a local QDateTime would look the time zone up for every line.
    QString DateTimeText(double dateTime, const TFormats& formats)
    {
        constexpr qint64 MsPerDay = 86400000;
        if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3.0e6)
            return ShortDateText(dateTime);
        const qint64 totalMs = std::llround(dateTime * MsPerDay);
        qint64 dayPart = totalMs / MsPerDay;
        qint64 msPart = totalMs % MsPerDay;
        if (msPart < 0) {
            msPart += MsPerDay;
            --dayPart;
        }
        const QDate date = QDate(1899, 12, 30).addDays(dayPart);
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(msPart));
        const QString text = date.toString(formats.Date);
        return time == QTime(0, 0) ? text : text + QLatin1Char(' ') + time.toString(formats.Time);
    }

    QString LineText(const TAnalyte& analyte, int index, const TFormats& formats)
    {
        const TQCPoint& point = analyte.Point(index);
        const QChar tab(u'\t');
        QString text = DateTimeText(point.DateTime, formats) + tab;
        const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
        for (int k = 0; k < levels; ++k) {
            const TQCValue& cell = point.Values[k];
            if (cell.Status != psNoValue)
                text += FormatFixed(cell.Value, 8, analyte.Decimals);
            text += tab;
        }
        return text + point.Operator() + tab + analyte.CommentText(point.CommentID);
    }

} // namespace

QString DateTimeText(double dateTime) { return DateTimeText(dateTime, TFormats()); }

QString LineText(const TAnalyte& analyte, int index) { return LineText(analyte, index, TFormats()); }

QStringList Lines(const TAnalyte& analyte)
{
    const TFormats formats;
    QStringList lines;
    lines.reserve(analyte.Count());
    for (int i = 0; i < analyte.Count(); ++i)
        lines.append(LineText(analyte, i, formats));
    return lines;
}

int ApplyDeletions(TAnalyte& analyte, const QList<int>& deletedLines)
{
    int deleted = 0;
    for (int position : deletedLines) {
        if (position < 0 || position >= analyte.Count())
            continue;
        analyte.DeletePoint(position);
        ++deleted;
    }
    return deleted;
}

} // namespace TDataTable
