#include "TAnalyte.h"
#include "TDailyReport.h"
#include "TDates.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

namespace {

const QDate Day(2026, 3, 10);

} // namespace

class TestDailyReport : public QObject {
    Q_OBJECT

private slots:
    void cellsByStatus()
    {
        auto context = MakeTestContext();
        TAnalyte& a = context->ListAnalytes.Add(TAnalyte("CA", "mmol/l", 1, 2));
        a.AddPoint(MakeResult(DateToDayCount(Day) + 0.5, 2.5, 5, NAN, "AB"));
        a.Point(0).Values[0].Status = psDiscarded;
        a.Point(0).Values[1].Status = psLowWarning;
        const TPrintTableData t = DailyReportTable(context->ListAnalytes, Day);
        QCOMPARE(t.Title, "Cumulative daily QC : " + ShortDateText(DateToDayCount(Day)));
        QCOMPARE(t.Cells[0], (TPrintCell { "Analytes", cmGrey }));
        QCOMPARE(t.Cells.mid(9, 4),
            TPrintCells({ { "2.5", cmCrossed }, { "5.0", cmDown }, { "", cmPlain }, { "AB", cmPlain } }));
    }

    void pdfOverTwoPages()
    {
        auto context = MakeTestContext();
        for (const char* name : { "GLU", "CA", "NA" }) {
            TAnalyte& a = context->ListAnalytes.Add(TAnalyte(name, "g/l", 1, 1));
            for (int i = 0; i < 15; ++i)
                a.AddPoint(MakeResult(DateToDayCount(Day) + i / 15.0, 1 + i, NAN, NAN, "OP"));
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("daily.pdf");
        {
            TPdfCanvas canvas(file);
            QCOMPARE(PrintDailyReport(canvas, context->ListAnalytes, Day, context->Clock().TodayDays()),
                TPrintOutcome::Printed);
        }
        const QStringList pages = PdfText(file).split(QChar('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        const QRegularExpression head("Analytes +Time +QC1 +QC2 +QC3 +Operator +Comment");
        for (const QString& page : pages)
            QVERIFY2(page.contains(head), qPrintable(page));
        QVERIFY(pages[0].contains("Archive document - Keep it") && !pages[1].contains("Archive document"));
        QVERIFY(pages[0].indexOf("GLU") < pages[0].indexOf("CA") && pages[1].contains("NA"));
        QVERIFY(pages[0].contains("15.0")); // latest first
    }
};

VANTOREL_TEST(TestDailyReport)
#include "TestDailyReport.moc"
