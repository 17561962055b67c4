#include "TDataTable.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"

#include <algorithm>

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

QString DateTimeText(double dateTime)
{
    const QString date = ShortDateText(dateTime);
    if (DayCountToDateTime(dateTime).time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + LongTimeText(dateTime);
}

QString LineText(const TAnalyte& analyte, int index)
{
    const TQCPoint& point = analyte.Point(index);
    const QChar tab(u'\t');
    QString text = DateTimeText(point.DateTime) + tab;
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    for (int k = 0; k < levels; ++k) {
        const TQCValue& cell = point.Values[k];
        if (cell.Status != psNoValue)
            text += FormatFixed(cell.Value, 8, analyte.Decimals);
        text += tab;
    }
    return text + point.Operator() + tab + analyte.CommentText(point.CommentID);
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
