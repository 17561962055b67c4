#include "TDates.h"
#include "TPrintTable.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

namespace {

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

class TestPrintTable : public QObject {
    Q_OBJECT

private slots:
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

VANTOREL_TEST(TestPrintTable)
#include "TestPrintTable.moc"
