// The table printer (pages, frame, merged cells, marks), and the data report of an analyte and the
// cumulative daily report it prints.
#include "TAnalyte.h"
#include "TDailyReport.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TListSerum.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TPrintTable.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

namespace {

double At(int day, int hour, int minute)
{
    return DateTimeToDayCount(QDateTime(QDate(2026, 3, day), QTime(hour, minute)));
}

// Glucose on two levels, the second material without a lot. Point 1 is a high
// action on level 1 and discarded on level 2; point 3 has no level-2 value.
struct TFixture {
    TListSerum Serums;
    TAnalyte Analyte { "Glucose", "mmol/L", 2, 2 };
    TFixture()
    {
        Analyte.SerumID = { Serums.Add("Lyphocheck 1", "L123"), Serums.Add("Lyphocheck 2", ""), -1 };
        Analyte.AddPoint(MakeResult(At(1, 8, 0), 5.0, 10.0));
        Analyte.AddPoint(MakeResult(At(1, 23, 59), 5.1, 10.2, NAN, "AB", "Recalibrated"));
        Analyte.AddPoint(MakeResult(At(2, 0, 0), 5.2, 10.4));
        Analyte.AddPoint(MakeResult(At(3, 9, 0), 5.3));
        Analyte.Point(1).Values[0].Status = psHighAction;
        Analyte.Point(1).Values[1].Status = psDiscarded;
    }
};

QStringList RowTexts(const TPrintTableData& t, int row)
{
    QStringList texts;
    for (int c = 0; c < t.NbCols; ++c)
        texts << t.Cells[row * t.NbCols + c].Text;
    return texts;
}

const QDate Day(2026, 3, 10);

using TCall = TRecordingCanvas::TCall;
double Today() { return DateToDayCount(QDate(2026, 3, 15)); }

// A table of three columns (9, 9 and 5 characters: 120, 120 and 66 pixels
// at 8 points, left edge 347 on the 1000-pixel page) whose rows carry the
// given texts in columns 0 and 1; no title, so the head row starts at the top.
TPrintTableData Table(const QStringList& column0, const QStringList& column1)
{
    TPrintTableData t { {}, {}, { { "Date", cmGrey }, { "Time", cmGrey }, { "QC1", cmGrey } }, 3, { 9, 9, 5 } };
    for (int r = 0; r < column0.size(); ++r)
        t.Cells << TPrintCell { column0[r] } << TPrintCell { column1.value(r) } << TPrintCell { QString::number(r) };
    return t;
}

} // namespace

class TestDataReport : public QObject {
    Q_OBJECT
private slots:
    void rowsCarryTheValuesOfWholeDays()
    {
        const TFixture f;
        // A day runs to 23:59 and not to 00:00 of the next; the dates go in either order.
        QCOMPARE(PointsBetween(f.Analyte, QDate(2026, 3, 1), QDate(2026, 3, 1)).Last, 1);
        const TPrintInterval interval = PointsBetween(f.Analyte, QDate(2026, 3, 3), QDate(2026, 3, 1));
        QCOMPARE(interval.First + interval.Last, 0 + 3);
        const TPrintTableData t = DataReportTable(f.Analyte, f.Serums, interval, false, TRisks());
        QCOMPARE(t.SubTitles, QStringList({ "QC1 : Lyphocheck 1 (lot L123)", "QC2 : Lyphocheck 2" }));
        // The head row and four point rows, nothing after the last point.
        QCOMPARE(t.Cells.size(), 6 * 5);
        QCOMPARE(RowTexts(t, 2),
            QStringList(
                { ShortDateText(At(1, 23, 59)), LongTimeText(At(1, 23, 59)), "5.10", "10.20", "AB", "Recalibrated" }));
        QCOMPARE(
            RowTexts(t, 4), QStringList({ ShortDateText(At(3, 9, 0)), LongTimeText(At(3, 9, 0)), "5.30", "", "", "" }));
        QCOMPARE(t.Cells[0].Mark + t.Cells[6].Mark, int(cmGrey)); // a head cell, a date
        QCOMPARE(t.Cells.mid(14, 2), TPrintCells({ { "5.10", cmUpUp }, { "10.20", cmCrossed } }));
    }

    void statisticsOfOneValueHaveNoCV()
    {
        // One value gives a mean without a CV; no value gives neither.
        const TFixture f;
        const TPrintTableData t = DataReportTable(f.Analyte, f.Serums, { 3, 3 }, true, TRisks());
        QCOMPARE(t.Cells.size(), 6 * 5);
        QCOMPARE(QStringList({ RowTexts(t, 2).join('|'), RowTexts(t, 3).join('|'), RowTexts(t, 4).join('|') }),
            QStringList({ "Statistics|Mean|5.300||mmol/L|", "Statistics|CV|||%|", "Statistics|N|1|0||" }));
        for (const TPrintCell& cell : t.Cells.mid(2 * 6))
            QCOMPARE(cell.Mark, int(cmGrey));
    }

    void printedPdfReadsBackAndAnEmptyIntervalPrintsNothing()
    {
        const TFixture f;
        const QString file = ArtifactPath("data-report.pdf");
        TPdfCanvas canvas(file);
        const double today = At(15, 0, 0);
        QCOMPARE(PrintDataReport(
                     canvas, f.Analyte, f.Serums, { QDate(2026, 3, 3), QDate(2026, 3, 1), true }, TRisks(), today),
            TPrintOutcome::Printed);
        const QString text = PdfText(file);
        QVERIFY2(text.contains("QC data for Glucose"), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression("Date +Time +QC1 +QC2 +Operator +Comment")));
        QVERIFY(text.contains(
            QRegularExpression(LongTimeText(At(1, 23, 59)) + " +5.10 +\u2191\u2191 +10.20 +AB +Recalibrated")));
        // Level 1: 5.0, 5.1, 5.2, 5.3, mean 5.15, SD 0.1291, CV 2.51 %. Level 2
        // without the discarded 10.2: 10.0, 10.4, mean 10.2, SD 0.2828, CV 2.77 %.
        QVERIFY(text.contains(QRegularExpression("Mean +5.150 +10.200 +mmol/L")));
        QVERIFY(text.contains(QRegularExpression("CV +2.5 +2.8 +%")));
        QVERIFY(text.contains(QRegularExpression("N +4 +2\n")));
        QCOMPARE(text.count("Statistics"), 1); // one merged cell for the three rows
        TRecordingCanvas unused;
        QCOMPARE(PrintDataReport(unused, f.Analyte, f.Serums, { QDate(2026, 4, 1), QDate(2026, 4, 2) }, TRisks(), 0),
            TPrintOutcome::NothingToPrint);
        QVERIFY(unused.Calls.isEmpty());
        QVERIFY(text.contains(
            QStringLiteral("- Page 1/1 - QC data for Glucose - Printed on %1 -").arg(ShortDateText(today))));
    }

    // A two-level analyte prints an empty third cell; a discarded value is
    // crossed out, a warning printed with its arrow.
    void dailyCellsByStatus()
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

    // Three analytes of 15 points each over two pages: the stamp on the first,
    // the head row on both.
    void dailyPdfOverTwoPages()
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

    void pageCountIsThePagesPrinted_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        // 40 lines of 40 pixels to the bottom limit (1720 - 3 * 40): the head and
        // 39 rows on the first page, the head and 38 on the others.
        QTest::newRow("1 row") << 1 << 1;
        QTest::newRow("39 rows fill the page") << 39 << 1;
        QTest::newRow("40 rows") << 40 << 2;
        QTest::newRow("101 rows") << 101 << 3;
    }

    void pageCountIsThePagesPrinted()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QStringList texts;
        for (int r = 0; r < rows; ++r)
            texts << QString::number(r);
        TRecordingCanvas canvas(1000, 1720);
        PrintTable(canvas, Table(texts, texts), Today());
        QCOMPARE(canvas.Pages, pages);
        // Every footer has the same count and an empty title; the head row opens
        // every page, the first at its top, the others one line down.
        QStringList footers, heads { "1:347,0,468,41 Date" };
        for (int p = 1; p <= pages; ++p)
            footers
                << QStringLiteral("- Page %1/%2 -  - Printed on %3 -").arg(p).arg(pages).arg(ShortDateText(Today()));
        for (int p = 2; p <= pages; ++p)
            heads << QStringLiteral("%1:347,40,468,81 Date").arg(p);
        QCOMPARE(canvas.Texts([](const TCall& c) { return c.Text.startsWith("- Page"); }), footers);
        QCOMPARE(canvas.Describe(TRecordingCanvas::TextRectOp, [](const TCall& c) { return c.Text == "Date"; }),
            heads.join(' '));
    }

    void frameIsLaidOutUnderTheTitle()
    {
        TPrintTableData t = Table({ "a" }, { "b" });
        t.Title = "T"; // "  T  " at 20 points: 125 x 50
        t.Stamp = true; // 30 characters at 12 points: 450 x 30
        t.SubTitles = { "QC1 : One", "QC2 : Two" };
        TRecordingCanvas canvas;
        QCOMPARE(PrintTable(canvas, t, Today()), 205 + 2 * 40 + 40);
        // The title box, the stamp box, then the head row below the subtitles and one
        // more character height.
        QCOMPARE(canvas.Describe(TRecordingCanvas::RectangleOp, [](const TCall& c) { return c.Args[1] <= 205; }),
            QString("1:436,24,563,101 1:549,124,1001,171 1:347,205,468,246 1:467,205,588,246 1:587,205,654,246"));
        QCOMPARE(canvas.Calls[0].Brush, QColor(192, 192, 192));
        QCOMPARE(canvas.Texts([](const TCall& c) { return c.Font.PointSize == 12; }), QStringList { ArchiveStampText });
        QCOMPARE(canvas.Describe(TRecordingCanvas::TextOutOp, [](const TCall& c) { return c.Font.Italic; }),
            QString("1:173,125 QC1 : One 1:173,155 QC2 : Two"));
        const TCall footer = canvas.Find(TRecordingCanvas::TextOutOp).last();
        QCOMPARE(footer.Text, QStringLiteral("- Page 1/1 -   T   - Printed on %1 -").arg(ShortDateText(Today())));
        QCOMPARE(footer.Args, QList<int>({ (1000 - int(footer.Text.size()) * 10) / 2, 1500 - 20 - 2 }));
    }

    void equalCellsMergeWithinAPage_data()
    {
        QTest::addColumn<QStringList>("column0");
        QTest::addColumn<QStringList>("column1");
        QTest::addColumn<int>("pageHeight");
        QTest::addColumn<QString>("spans0");
        QTest::addColumn<QString>("spans1");
        const QString run = "1:0,41 1:40,161 1:160,201";
        // clang-format off
        QTest::newRow("three equal dates print as one cell") << QStringList { "A", "A", "A", "B" } << QStringList { "x", "x", "x", "y" } << 1500 << run << run;
        const QString single = "1:0,41 1:40,81 1:80,121 1:120,161";
        QTest::newRow("column 1 repeated under changing column 0") << QStringList { "A", "B", "C" } << QStringList { "x", "x", "x" } << 1500 << single << single;
        QTest::newRow("column 1 merges only inside the run") << QStringList { "A", "A", "B" } << QStringList { "x", "y", "y" } << 1500 << "1:0,41 1:40,121 1:120,161" << single;
        // Four lines to the bottom limit (280 - 3 * 40): the run closes at the
        // last row of the first page and goes on as a new cell.
        const QString broken = "1:0,41 1:40,161 2:40,81 2:80,161";
        QTest::newRow("page break inside a run") << QStringList(5, "A") << QStringList(5, "x") << 280 << broken << broken;
        // clang-format on
    }

    void equalCellsMergeWithinAPage()
    {
        QFETCH(QStringList, column0);
        QFETCH(QStringList, column1);
        QFETCH(int, pageHeight);
        TRecordingCanvas canvas(1000, pageHeight);
        PrintTable(canvas, Table(column0, column1), Today());
        // Top and bottom of the cells whose left edge is that of column 0, then 1.
        for (const auto& [left, column] : { std::pair(347, "spans0"), std::pair(467, "spans1") }) {
            QStringList spans;
            for (const TCall& c :
                canvas.Find(TRecordingCanvas::RectangleOp, [&](const TCall& c) { return c.Args[0] == left; }))
                spans << QStringLiteral("%1:%2,%3").arg(c.Page).arg(c.Args[1]).arg(c.Args[3]);
            QTEST(spans.join(' '), column);
        }
    }

    void cellMarksDrawTheirSigns_data()
    {
        QTest::addColumn<int>("mark");
        QTest::addColumn<QString>("drawn"); // background, texts and lines
        // A column of 10 characters: 133 pixels from 433, the arrows in its
        // right fifth from 433 + 106.
        const QString text = "1:433,40,567,81 5.2";
        QTest::newRow("0 plain") << 0 << "#ffffff " + text;
        QTest::newRow("1 grey") << 1 << "#c0c0c0 " + text;
        QTest::newRow("2 up") << 2 << "#ffffff " + text + " 1:539,40,567,81 \u2191";
        QTest::newRow("3 two up") << 3 << "#ffffff " + text + " 1:539,40,567,81 \u2191\u2191";
        QTest::newRow("4 down") << 4 << "#ffffff " + text + " 1:539,40,567,81 \u2193";
        QTest::newRow("5 two down") << 5 << "#ffffff " + text + " 1:539,40,567,81 \u2193\u2193";
        QTest::newRow("6 plain") << 6 << "#ffffff " + text;
        QTest::newRow("7 crossed") << 7 << "#ffffff " + text + " 1:433,40,567,81 1:433,81,567,40";
    }

    void cellMarksDrawTheirSigns()
    {
        QFETCH(int, mark);
        TRecordingCanvas canvas;
        PrintTable(canvas, { {}, {}, { { "Head", cmGrey }, { "5.2", mark } }, 1, { 10 } }, Today());
        const TCall cell = canvas.Find(TRecordingCanvas::RectangleOp)[1];
        QCOMPARE(cell.Args, QList<int>({ 433, 40, 567, 81 }));
        const auto inRow = [](const TCall& c) { return c.Args[1] == 40 || c.Args[3] == 40; };
        QTEST(QStringList({ cell.Brush.name(), canvas.Describe(TRecordingCanvas::TextRectOp, inRow),
                              canvas.Describe(TRecordingCanvas::LineOp, inRow) })
                  .join(' ')
                  .trimmed(),
            "drawn");
    }
};

VANTOREL_TEST(TestDataReport)
#include "TestDataReport.moc"
