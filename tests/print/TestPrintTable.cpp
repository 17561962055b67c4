#include "TDates.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TPrintTable.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using TCall = TRecordingCanvas::TCall;
double Today() { return DateToDayCount(QDate(2026, 3, 15)); }
const QColor Silver(192, 192, 192);

// A table of three columns (9, 9 and 5 characters: 120, 120 and 66 pixels
// at 8 points, left edge 347 on the 1000-pixel page) whose rows carry the
// given texts in columns 0 and 1; no title, so the head row starts at the top.
TPrintTableData Table(const QStringList& column0, const QStringList& column1)
{
    TPrintTableData t;
    t.NbCols = 3;
    t.Widths = { 9, 9, 5 };
    t.Cells = { { "Date", cmGrey }, { "Time", cmGrey }, { "QC1", cmGrey } };
    for (int r = 0; r < column0.size(); ++r)
        t.Cells << TPrintCell { column0[r] } << TPrintCell { column1.value(r) } << TPrintCell { QString::number(r) };
    return t;
}

// The cells drawn in the column starting at `left`, as "page:top-bottom".
QString Spans(const TRecordingCanvas& canvas, int left)
{
    QStringList spans;
    for (const TCall& c : canvas.Find(TRecordingCanvas::RectangleOp, [&](const TCall& c) { return c.Args[0] == left; }))
        spans << QStringLiteral("%1:%2-%3").arg(c.Page).arg(c.Args[1]).arg(c.Args[3]);
    return spans.join(' ');
}

} // namespace

class TestPrintTable : public QObject {
    Q_OBJECT
private slots:
    void pageCountIsThePagesPrinted_data();
    void pageCountIsThePagesPrinted();
    void frameIsLaidOutUnderTheTitle();
    void equalCellsMergeWithinAPage_data();
    void equalCellsMergeWithinAPage();
    void cellMarksDrawTheirSigns_data();
    void cellMarksDrawTheirSigns();
    void arrowsReachThePdfInTheTableFont();
};

void TestPrintTable::pageCountIsThePagesPrinted_data()
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

void TestPrintTable::pageCountIsThePagesPrinted()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QStringList texts;
    for (int r = 0; r < rows; ++r)
        texts << QString::number(r);
    TRecordingCanvas canvas(1000, 1720);
    PrintTable(canvas, Table(texts, texts), Today());
    QCOMPARE(canvas.Pages, pages);
    const QString date = ShortDateText(Today());
    QStringList footers, expected;
    for (int p = 1; p <= pages; ++p)
        expected << QStringLiteral("- Page %1/%2 -  - Printed on %3 -").arg(p).arg(pages).arg(date);
    QCOMPARE(canvas.Texts([](const TCall& c) { return c.Text.startsWith("- Page"); }), expected);
    // The head row opens every page at its top: the first at 0, the others one line down.
    QStringList heads;
    for (const TCall& c : canvas.Find(TRecordingCanvas::TextRectOp, [](const TCall& c) { return c.Text == "Date"; }))
        heads << QStringLiteral("%1:%2").arg(c.Page).arg(c.Args[1]);
    QStringList expectedHeads { "1:0" };
    for (int p = 2; p <= pages; ++p)
        expectedHeads << QStringLiteral("%1:40").arg(p);
    QCOMPARE(heads, expectedHeads);
}

void TestPrintTable::frameIsLaidOutUnderTheTitle()
{
    TPrintTableData t = Table({ "a" }, { "b" });
    t.Title = "T"; // "  T  " at 20 points: 125 x 50
    t.Stamp = true; // 30 characters at 12 points: 450 x 30
    t.SubTitles = { "QC1 : One", "QC2 : Two" };
    TRecordingCanvas canvas;
    QCOMPARE(PrintTable(canvas, t, Today()), 205 + 2 * 40 + 40);
    const QList<TCall> boxes = canvas.Find(TRecordingCanvas::RectangleOp);
    QCOMPARE(boxes[0].Args, QList<int>({ 436, 24, 563, 101 }));
    QCOMPARE(boxes[0].Brush, Silver);
    QCOMPARE(boxes[1].Args, QList<int>({ 549, 124, 1001, 171 }));
    QCOMPARE(canvas.Texts([](const TCall& c) { return c.Font.PointSize == 12; }), QStringList { ArchiveStampText });
    const QList<TCall> subtitles
        = canvas.Find(TRecordingCanvas::TextOutOp, [](const TCall& c) { return c.Font.Italic; });
    QCOMPARE(subtitles.size(), 2);
    QCOMPARE(subtitles[0].Args, QList<int>({ 173, 125 }));
    QCOMPARE(subtitles[1].Args, QList<int>({ 173, 155 }));
    // Below the subtitles and one more character height: the head row.
    QCOMPARE(boxes[2].Args, QList<int>({ 347, 205, 468, 246 }));
    const TCall footer = canvas.Find(TRecordingCanvas::TextOutOp).last();
    QCOMPARE(footer.Text, QStringLiteral("- Page 1/1 -   T   - Printed on %1 -").arg(ShortDateText(Today())));
    QCOMPARE(footer.Args, QList<int>({ (1000 - int(footer.Text.size()) * 10) / 2, 1500 - 20 - 2 }));
}

void TestPrintTable::equalCellsMergeWithinAPage_data()
{
    QTest::addColumn<QStringList>("column0");
    QTest::addColumn<QStringList>("column1");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<QString>("spans0");
    QTest::addColumn<QString>("spans1");
    QTest::newRow("three equal dates print as one cell")
        << QStringList { "A", "A", "A", "B" } << QStringList { "x", "x", "x", "y" } << 1500
        << "1:0-41 1:40-161 1:160-201"
        << "1:0-41 1:40-161 1:160-201";
    QTest::newRow("column 1 repeated under changing column 0")
        << QStringList { "A", "B", "C" } << QStringList { "x", "x", "x" } << 1500 << "1:0-41 1:40-81 1:80-121 1:120-161"
        << "1:0-41 1:40-81 1:80-121 1:120-161";
    QTest::newRow("column 1 merges only inside the run")
        << QStringList { "A", "A", "B" } << QStringList { "x", "y", "y" } << 1500 << "1:0-41 1:40-121 1:120-161"
        << "1:0-41 1:40-81 1:80-121 1:120-161";
    // Four lines to the bottom limit (280 - 3 * 40): the run closes at the
    // last row of the first page and goes on as a new cell.
    QTest::newRow("page break inside a run")
        << QStringList { "A", "A", "A", "A", "A" } << QStringList { "x", "x", "x", "x", "x" } << 280
        << "1:0-41 1:40-161 2:40-81 2:80-161"
        << "1:0-41 1:40-161 2:40-81 2:80-161";
}

void TestPrintTable::equalCellsMergeWithinAPage()
{
    QFETCH(QStringList, column0);
    QFETCH(QStringList, column1);
    QFETCH(int, pageHeight);
    TRecordingCanvas canvas(1000, pageHeight);
    PrintTable(canvas, Table(column0, column1), Today());
    QTEST(Spans(canvas, 347), "spans0");
    QTEST(Spans(canvas, 467), "spans1");
}

void TestPrintTable::cellMarksDrawTheirSigns_data()
{
    QTest::addColumn<int>("mark");
    QTest::addColumn<QColor>("brush");
    QTest::addColumn<QString>("arrows");
    QTest::addColumn<int>("lines");
    QTest::newRow("0 plain") << 0 << QColor(Qt::white) << "" << 0;
    QTest::newRow("1 grey") << 1 << Silver << "" << 0;
    QTest::newRow("2 up") << 2 << QColor(Qt::white) << "\u2191" << 0;
    QTest::newRow("3 two up") << 3 << QColor(Qt::white) << "\u2191\u2191" << 0;
    QTest::newRow("4 down") << 4 << QColor(Qt::white) << "\u2193" << 0;
    QTest::newRow("5 two down") << 5 << QColor(Qt::white) << "\u2193\u2193" << 0;
    QTest::newRow("6 plain") << 6 << QColor(Qt::white) << "" << 0;
    QTest::newRow("7 crossed") << 7 << QColor(Qt::white) << "" << 2;
}

void TestPrintTable::cellMarksDrawTheirSigns()
{
    QFETCH(int, mark);
    QFETCH(QString, arrows);
    TPrintTableData t;
    t.NbCols = 1;
    t.Widths = { 10 }; // 133 pixels from 433
    t.Cells = { { "Head", cmGrey }, { "5.2", mark } };
    TRecordingCanvas canvas;
    PrintTable(canvas, t, Today());
    const TCall cell = canvas.Find(TRecordingCanvas::RectangleOp)[1];
    QCOMPARE(cell.Args, QList<int>({ 433, 40, 567, 81 }));
    QTEST(cell.Brush, "brush");
    const QList<TCall> texts
        = canvas.Find(TRecordingCanvas::TextRectOp, [](const TCall& c) { return c.Args[1] == 40; });
    QCOMPARE(texts[0].Text, QString("5.2"));
    QCOMPARE(texts[0].Args, cell.Args);
    QCOMPARE(texts.size(), arrows.isEmpty() ? 1 : 2);
    if (!arrows.isEmpty()) {
        QCOMPARE(texts[1].Text, arrows);
        QCOMPARE(texts[1].Args, QList<int>({ 433 + 106, 40, 567, 81 }));
        QCOMPARE(texts[1].Font.Family, QString("Arial"));
    }
    const QList<TCall> lines = canvas.Find(TRecordingCanvas::LineOp);
    QTEST(int(lines.size()), "lines");
    if (!lines.isEmpty())
        QCOMPARE(lines[0].Args + lines[1].Args, QList<int>({ 433, 40, 567, 81, 433, 81, 567, 40 }));
}

void TestPrintTable::arrowsReachThePdfInTheTableFont()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("table.pdf");
    TPdfCanvas canvas(file);
    TPrintTableData t = Table({ "14/03/2026" }, { "10:30:00" });
    t.Title = "QC data for Glucose";
    t.Cells[5] = { "5.20", cmUpUp };
    QVERIFY(canvas.BeginDoc("Printing QC data", TOrientation::Portrait));
    PrintTable(canvas, t, Today());
    QVERIFY(canvas.EndDoc());
    const QString text = PdfText(file);
    QVERIFY2(text.contains(QRegularExpression("Date +Time +QC1")), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("14/03/2026 +10:30:00 +5.20 +\u2191\u2191")), qPrintable(text));
    QVERIFY(text.contains(
        QStringLiteral("- Page 1/1 - QC data for Glucose - Printed on %1 -").arg(ShortDateText(Today()))));
}

VANTOREL_TEST(TestPrintTable)
#include "TestPrintTable.moc"
