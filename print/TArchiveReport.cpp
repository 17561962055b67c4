#include "TArchiveReport.h"

#include "TPrintCanvas.h"

namespace {

// The fields of a TAB-separated line, exactly `count` of them.
QStringList Fields(const QString& line, int count)
{
    QStringList fields = line.split(QChar('\t'));
    while (fields.size() < count)
        fields.append(QString());
    return fields.mid(0, count);
}

void AddRow(TPrintCells& cells, const QStringList& texts, int mark)
{
    for (const QString& text : texts)
        cells.append({ text, mark });
}

} // namespace

TPrintTableData ArchivesReportTable(const QString& analyteName, const QList<TArchiveList::TEntry>& archives)
{
    TPrintTableData table;
    table.Title = QStringLiteral("Archived statistics for ") + analyteName;
    table.NbCols = 7;
    table.Widths = { 9, 9, 18, 8, 10, 8, 8 };
    AddRow(table.Cells, { "Begin", "End", "Name", "Lot", "Mean", "CV", "Number" }, cmGrey);
    for (const TArchiveList::TEntry& archive : archives)
        AddRow(table.Cells, Fields(archive.Summary(), 7), cmPlain);
    return table;
}

TPrintTableData ArchiveReportTable(const QString& analyteName, const TArchiveList::TEntry& archive)
{
    const QStringList summary = Fields(archive.Summary(), 7);
    const QString unit = archive.Lines.value(1);
    TPrintTableData table;
    table.Title = QStringLiteral("Archived data for ") + analyteName;
    table.SubTitles = { summary[2] + QStringLiteral(" (") + summary[3] + QLatin1Char(')'),
        QStringLiteral("From ") + summary[0] + QStringLiteral(" to ") + summary[1] };
    table.NbCols = 5;
    table.Widths = { 10, 10, 10, 10, 25 };
    AddRow(table.Cells, { "Date", "Time", "Result", "Operator", "Comment" }, cmGrey);
    for (const QString& line : archive.PointLines())
        AddRow(table.Cells, Fields(line, 5), cmPlain);
    AddRow(table.Cells, { "Statistics", "Mean", summary[4], unit, "" }, cmGrey);
    AddRow(table.Cells, { "Statistics", "CV", summary[5], "%", "" }, cmGrey);
    AddRow(table.Cells, { "Statistics", "N", summary[6], "", "" }, cmGrey);
    return table;
}

TPrintOutcome PrintReportTable(
    TPrintCanvas& canvas, const TPrintTableData& table, const QString& jobTitle, double today)
{
    if (!canvas.BeginDoc(jobTitle, jobTitle.isEmpty() ? TOrientation::Unchanged : TOrientation::Portrait))
        return TPrintOutcome::DeviceFailed;
    PrintTable(canvas, table, today);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
