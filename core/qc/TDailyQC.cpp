#include "TDailyQC.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TListAnalytes.h"

#include <algorithm>

namespace TDailyQC {

QList<TLine> Points(const TListAnalytes& analytes, const QDate& day)
{
    const double start = DateToDayCount(day);
    const double end = start + 1;
    QList<TLine> lines;
    for (int a = 0; a < analytes.Count(); ++a) {
        const TAnalyte& analyte = analytes.Item(a);
        // The points stand in date order: back past the later days, then back
        // through the day.
        int i = analyte.Count() - 1;
        while (i >= 0 && analyte.Point(i).DateTime >= end)
            --i;
        for (; i >= 0 && analyte.Point(i).DateTime >= start; --i)
            lines.append({ &analyte, &analyte.Point(i) });
    }
    return lines;
}

QString LineText(const TLine& line)
{
    const TAnalyte& analyte = *line.Analyte;
    const TQCPoint& point = *line.Point;
    const QChar tab(u'\t');
    QString text = analyte.Name + tab + LongTimeText(point.DateTime) + tab;
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    for (int k = 0; k < MaxLevels; ++k) {
        if (k < levels && point.Values[k].Status != psNoValue)
            text += FormatFixed(point.Values[k].Value, 8, analyte.Decimals);
        text += tab;
    }
    return text + point.Operator() + tab + analyte.CommentText(point.CommentID);
}

} // namespace TDailyQC
