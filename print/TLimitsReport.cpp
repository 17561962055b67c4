#include "TLimitsReport.h"

#include "TAnalyte.h"
#include "TLimitsTable.h"
#include "TPrintCanvas.h"

TPrintTableData LimitsReportTable(const TAnalyte& analyte, const TListSerum& serums)
{
    TPrintTableData table;
    table.Title = QStringLiteral("QC limits for ") + analyte.Name;
    const QList<QStringList> rows = TLimitsTable::Rows(analyte, serums);
    table.NbCols = int(rows.value(0).size());
    table.Widths.append(24);
    for (int c = 1; c < table.NbCols; ++c)
        table.Widths.append(22);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table.Cells.append({ rows[r][c], r == 0 || c == 0 ? cmGrey : cmPlain });
    return table;
}

TPrintOutcome PrintLimitsReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums, double today)
{
    const TPrintTableData table = LimitsReportTable(analyte, serums);
    if (!canvas.BeginDoc(table.Title, TOrientation::Portrait))
        return TPrintOutcome::DeviceFailed;
    PrintTable(canvas, table, today);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
