#include "TDataReport.h"

#include "TRuleScope.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TListSerum.h"
#include "TPrintCanvas.h"
#include "TStatistics.h"

int ValueMark(quint8 status)
{
    switch (status) {
    case psHighWarning:
        return cmUp;
    case psHighAction:
        return cmUpUp;
    case psLowWarning:
        return cmDown;
    case psLowAction:
        return cmDownDown;
    case psDiscarded:
        return cmCrossed;
    default:
        return cmPlain;
    }
}

namespace {

QString LevelSubTitle(const TAnalyte& analyte, const TListSerum& serums, int level)
{
    const TSerum& serum = serums.FindByID(analyte.SerumID[size_t(level)]);
    QString line = QStringLiteral("QC%1 : %2").arg(level + 1).arg(serum.Name);
    if (!serum.Lot.isEmpty())
        line += QStringLiteral(" (lot %1)").arg(serum.Lot);
    return line;
}

void AddPointRow(TPrintCells& cells, const TAnalyte& analyte, int index, const TRuleChoice& rules)
{
    const TQCPoint& point = analyte.Point(index);
    cells.append({ ShortDateText(point.DateTime) });
    cells.append({ LongTimeText(point.DateTime) });
    for (int level = 0; level < analyte.NbLevels; ++level) {
        const TQCValue& value = point.Values[size_t(level)];
        if (value.HasValue())
            cells.append({ FormatFixed(value.Value, 8, analyte.Decimals), ValueMark(value.Status) });
        else
            cells.append(TPrintCell());
    }
    cells.append({ point.Operator() });
    // The comment, then the rules that reject the run, judged against the runs before it.
    QString comment = point.CommentID == -1 ? QString() : analyte.CommentText(point.CommentID);
    const QStringList rejected = FiredRules(EvaluateStoredPoint(analyte, index, rules), true);
    if (!rejected.isEmpty())
        comment
            += (comment.isEmpty() ? QString() : QStringLiteral(" ")) + '[' + rejected.join(QStringLiteral(", ")) + ']';
    cells.append({ comment });
}

void AddStatisticsRows(TPrintCells& cells, const TAnalyte& analyte, const TPrintInterval& interval, const TRisks& risks)
{
    QList<TLevelStats> stats;
    for (int level = 0; level < analyte.NbLevels; ++level)
        stats.append(LevelStatistics(analyte, level, interval.First, interval.Last, risks));
    const auto grey = [&cells](const QString& text) { cells.append({ text, cmGrey }); };
    grey(QStringLiteral("Statistics"));
    grey(QStringLiteral("Mean"));
    for (const TLevelStats& s : stats)
        grey(s.N == 0 ? QString() : FormatFixed(s.Mean, 8, analyte.Decimals + 1));
    grey(analyte.Units);
    grey(QString());
    grey(QStringLiteral("Statistics"));
    grey(QStringLiteral("CV"));
    for (const TLevelStats& s : stats)
        grey(s.Status == TLevelStats::StatusNotComputable ? QString() : FormatFixed(s.CV, 8, 1));
    grey(QStringLiteral("%"));
    grey(QString());
    grey(QStringLiteral("Statistics"));
    grey(QStringLiteral("N"));
    for (const TLevelStats& s : stats)
        grey(QString::number(s.N));
    grey(QString());
    grey(QString());
}

} // namespace

TPrintTableData DataReportTable(const TAnalyte& analyte, const TListSerum& serums, const TPrintInterval& interval,
    bool statistics, const TRisks& risks, const TRuleChoice& rules)
{
    TPrintTableData table;
    table.Title = QStringLiteral("QC data for ") + analyte.Name;
    const int levels = analyte.NbLevels;
    table.NbCols = 4 + levels;
    table.Widths = { 9, 9 };
    QStringList heads { QStringLiteral("Date"), QStringLiteral("Time") };
    for (int level = 0; level < levels; ++level) {
        table.SubTitles.append(LevelSubTitle(analyte, serums, level));
        heads.append(QStringLiteral("QC%1").arg(level + 1));
        table.Widths.append(12);
    }
    heads << QStringLiteral("Operator") << QStringLiteral("Comment");
    table.Widths << 8 << 22;
    for (const QString& head : heads)
        table.Cells.append({ head, cmGrey });
    for (int i = interval.First; i <= interval.Last; ++i)
        AddPointRow(table.Cells, analyte, i, rules);
    if (statistics)
        AddStatisticsRows(table.Cells, analyte, interval, risks);
    return table;
}

TPrintOutcome PrintDataReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums,
    const TDataReportOptions& options, const TRisks& risks, double today)
{
    const TPrintInterval interval = PointsBetween(analyte, options.Date1, options.Date2);
    if (interval.Count() == 0)
        return TPrintOutcome::NothingToPrint;
    const TPrintTableData table = DataReportTable(analyte, serums, interval, options.Statistics, risks, options.Rules);
    if (!canvas.BeginDoc(QStringLiteral("Printing QC data"), TOrientation::Portrait))
        return TPrintOutcome::DeviceFailed;
    PrintTable(canvas, table, today);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
