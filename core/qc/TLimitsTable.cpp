#include "TLimitsTable.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TListSerum.h"

#include <algorithm>

namespace TLimitsTable {

const QStringList& RowTitles()
{
    static const QStringList titles { QStringLiteral("Control materials"), QStringLiteral("Lots"),
        QStringLiteral("QC mode"), QStringLiteral("Target"), QStringLiteral("Warning limits"),
        QStringLiteral("Action limits"), QStringLiteral("Dates ref interval"),
        QStringLiteral("# points in ref interval"), QStringLiteral("Reference CV"),
        QStringLiteral("# degrees of freedom") };
    return titles;
}

namespace {

    QString DateOfPoint(const TAnalyte& analyte, int index)
    {
        return index >= 0 && index < analyte.Count() ? ShortDateText(analyte.Point(index).DateTime) : QString();
    }

    // The ten cells of one level, top to bottom.
    QStringList LevelCells(const TAnalyte& analyte, const TListSerum& serums, int level)
    {
        const TSerum& serum = serums.FindByID(analyte.SerumID[level]);
        const TLevelStats& stats = analyte.ReferenceStats[level];
        const quint8 mode = analyte.LimitMode[level] <= lmFixed ? analyte.LimitMode[level] : quint8(lmMobile);
        const bool fixed = mode == lmFixed;
        const bool computed = stats.Status == TLevelStats::StatusComputed;
        const int decimals = analyte.Decimals + 1;
        const auto number = [&](double value) { return FormatFixed(value, 8, decimals); };
        const auto limits = [&](double halfWidth) {
            return fixed || computed
                ? number(stats.Mean - halfWidth) + QStringLiteral("  /  ") + number(stats.Mean + halfWidth)
                : QString();
        };

        QString dates;
        if (mode == lmMobile && analyte.Count() > 0)
            dates = DateOfPoint(analyte, 0) + QStringLiteral(" - ") + DateOfPoint(analyte, analyte.Count() - 1);
        else if (mode == lmLocked)
            dates = DateOfPoint(analyte, analyte.LockStart[level]) + QStringLiteral(" - ")
                + DateOfPoint(analyte, analyte.LockEnd[level]);

        return { serum.Name, serum.Lot, QString::fromLatin1(LimitModeCaptions[mode]),
            stats.N > 0 || fixed ? number(stats.Mean) + QLatin1Char(' ') + analyte.Units : QString(),
            limits(stats.WarningHalfWidth), limits(stats.ActionHalfWidth), dates,
            fixed ? QString() : QString::number(stats.N),
            !fixed && computed ? FormatFixed(stats.CV, 5, 1) + QStringLiteral(" %") : QString(),
            !fixed && computed ? QString::number(stats.DegreesOfFreedom) : QString() };
    }

} // namespace

QList<QStringList> Rows(const TAnalyte& analyte, const TListSerum& serums)
{
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    QList<QStringList> rows;
    for (const QString& title : RowTitles())
        rows.append({ title });
    for (int level = 0; level < levels; ++level) {
        const QStringList cells = LevelCells(analyte, serums, level);
        for (int r = 0; r < RowCount; ++r)
            rows[r].append(cells[r]);
    }
    return rows;
}

} // namespace TLimitsTable
