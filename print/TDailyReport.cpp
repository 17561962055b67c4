#include "TDailyReport.h"

#include "TAnalyte.h"
#include "TDailyQC.h"
#include "TDates.h"
#include "TFormat.h"
#include "TPrintCanvas.h"

TPrintTableData DailyReportTable(const TListAnalytes& analytes, const QDate& day)
{
    TPrintTableData table;
    table.Title = QStringLiteral("Cumulative daily QC : ") + ShortDateText(DateToDayCount(day));
    table.SubTitles = QStringList { QString(), QString() };
    table.NbCols = 7;
    table.Widths = { 17, 9, 12, 12, 12, 9, 24 };
    table.Stamp = true;
    for (const char* head : { "Analytes", "Time", "QC1", "QC2", "QC3", "Operator", "Comment" })
        table.Cells.append({ QString::fromLatin1(head), cmGrey });
    for (const TDailyQC::TLine& line : TDailyQC::Points(analytes, day)) {
        const TAnalyte& analyte = *line.Analyte;
        const TQCPoint& point = *line.Point;
        table.Cells.append({ analyte.Name, cmPlain });
        table.Cells.append({ LongTimeText(point.DateTime), cmPlain });
        const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
        for (int k = 0; k < MaxLevels; ++k) {
            const TQCValue& cell = point.Values[k];
            if (k >= levels || cell.Status == psNoValue)
                table.Cells.append({ QString(), cmPlain });
            else
                table.Cells.append({ FormatFixed(cell.Value, 8, analyte.Decimals), ValueMark(cell.Status) });
        }
        table.Cells.append({ point.Operator(), cmPlain });
        table.Cells.append({ point.CommentID == -1 ? QString() : analyte.CommentText(point.CommentID), cmPlain });
    }
    return table;
}

TPrintOutcome PrintDailyReport(TPrintCanvas& canvas, const TListAnalytes& analytes, const QDate& day, double today)
{
    const TPrintTableData table = DailyReportTable(analytes, day);
    if (table.Cells.size() <= table.NbCols)
        return TPrintOutcome::NothingToPrint;
    if (!canvas.BeginDoc(QString(), TOrientation::Portrait))
        return TPrintOutcome::DeviceFailed;
    PrintTable(canvas, table, today);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
