#include "TAnalyte.h"
#include "TChartReport.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TListSerum.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

namespace {

using TCall = TRecordingCanvas::TCall;
const QColor Navy(0, 0, 128);
const QColor Red(255, 0, 0);
const QColor ButtonFace(240, 240, 240);

// On the 1000 x 1500 recording page the first chart spans x 100..960 (x of
// position i: 100 + 860 * i div 30) and y 185..377; its range 8..14 gives 32
// pixels a unit: mean 11 at 281, warning limits 11 +- 1, action limits 11 +- 2.
int X(int i) { return 100 + 860 * i / 30; }

double Day(int i) { return DateToDayCount(QDate(2026, 1, 1).addDays(i)) + 0.5; }

TAnalyte KnownAnalyte(const QList<double>& values)
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    for (int i = 0; i < values.size(); ++i)
        a.AddPoint(MakeResult(Day(i), values[i]));
    TLevelStats& r = a.ReferenceStats[0];
    r.ChartLow = 8;
    r.ChartHigh = 14;
    r.Mean = 11;
    r.WarningHalfWidth = 1;
    r.ActionHalfWidth = 2;
    r.Status = TLevelStats::StatusComputed;
    a.AllPointsStats[0] = r;
    a.AllPointsStats[0].N = int(values.size());
    return a;
}

TRecordingCanvas Print(const TAnalyte& a, bool colour)
{
    TRecordingCanvas canvas;
    TChartReportOptions options { QDate(2026, 1, 1), QDate(2026, 12, 31), { true, true, true }, colour, false };
    const TPrintOutcome outcome = PrintChartReport(canvas, a, TListSerum(), options, TRisks(), Day(0));
    if (outcome != TPrintOutcome::Printed)
        qWarning("the charts were not printed");
    return canvas;
}

QString PenName(const TPrintPen& pen) { return pen.Colour.name() + (pen.Style == TPenStyle::Dot ? " dot" : ""); }

} // namespace

class TestChartReport : public QObject {
    Q_OBJECT
private slots:
    void blocksShareTheirBoundaryPoint();
    void pointsAndLineFollowTheValues_data();
    void pointsAndLineFollowTheValues();
    void limitLinesTakeTheirPens_data();
    void limitLinesTakeTheirPens();
    void valueScaleNeedsAValueOrFixedLimits_data();
    void valueScaleNeedsAValueOrFixedLimits();
    void threeLevelsPrintToPdf();
};

void TestChartReport::blocksShareTheirBoundaryPoint()
{
    const TRecordingCanvas canvas = Print(KnownAnalyte(QList<double>(32, 11.0)), true);
    QCOMPARE(canvas.Find(TRecordingCanvas::EllipseOp).size(), 33);
    // The date axes: January 1 to 31, then the 31st again and February 1.
    QStringList expected { "1", "Jan", "26" };
    for (int d = 2; d <= 31; ++d)
        expected << QString::number(d);
    expected << "31"
             << "Jan"
             << "26"
             << "1"
             << "Feb";
    QCOMPARE(canvas.Texts([](const TCall& c) { return c.Align == TTextAlign::Centre; }), expected);
    const QList<TCall> days = canvas.Find(TRecordingCanvas::TextOutOp, [](const TCall& c) { return c.Text == "31"; });
    QCOMPARE(days[0].Args[0], X(30));
    QCOMPARE(days[1].Args[0], X(0));
    QVERIFY(days[1].Args[1] > days[0].Args[1]);
}

void TestChartReport::pointsAndLineFollowTheValues_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<QColor>("discarded");
    QTest::newRow("colour") << true << Navy << Red;
    QTest::newRow("black and white") << false << QColor(Qt::black) << ButtonFace;
}

void TestChartReport::pointsAndLineFollowTheValues()
{
    QFETCH(bool, colour);
    QFETCH(QColor, ink);
    QFETCH(QColor, discarded);
    // Within, above the range, below it, discarded, within.
    TAnalyte a = KnownAnalyte({ 11, 20, 5, 12, 10 });
    a.Point(3).Values[0].Status = psDiscarded;
    const TRecordingCanvas canvas = Print(a, colour);
    QStringList points;
    for (const TCall& c : canvas.Find(TRecordingCanvas::EllipseOp)) {
        QCOMPARE(c.Args[2] - c.Args[0], 20); // radius of one character width
        points << QStringLiteral("%1,%2 %3")
                      .arg((c.Args[0] + c.Args[2]) / 2)
                      .arg((c.Args[1] + c.Args[3]) / 2)
                      .arg(c.Brush == discarded ? "discarded"
                              : c.Brush == ink  ? "ink"
                                                : c.Brush.name());
    }
    const QStringList expected { QStringLiteral("%1,281 ink").arg(X(0)), QStringLiteral("%1,185 ink").arg(X(1)),
        QStringLiteral("%1,377 ink").arg(X(2)), QStringLiteral("%1,249 discarded").arg(X(3)),
        QStringLiteral("%1,313 ink").arg(X(4)) };
    QCOMPARE(points, expected);
    // The line passes the discarded point by.
    QList<QList<int>> line;
    for (const TCall& c : canvas.Find(TRecordingCanvas::LineOp, [&](const TCall& c) { return c.Pen.Colour == ink; }))
        if (c.Args[0] != c.Args[2] && c.Args[1] != c.Args[3])
            line << c.Args;
    QCOMPARE(line, QList<QList<int>>({ { X(0), 281, X(1), 185 }, { X(1), 185, X(2), 377 }, { X(2), 377, X(4), 313 } }));
}

void TestChartReport::limitLinesTakeTheirPens_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("grid");
    QTest::newRow("colour") << true
                            << "185 #c0c0c0|377 #c0c0c0|281 #00ff00|249 #ffff00|313 #ffff00|217 #ff0000|345 #ff0000"
                            << "#c0c0c0";
    QTest::newRow("black and white")
        << false
        << "185 #000000|377 #000000|281 #000000|249 #000000 dot|313 #000000 dot|217 #000000 dot|345 #000000 dot"
        << "#000000";
}

void TestChartReport::limitLinesTakeTheirPens()
{
    QFETCH(bool, colour);
    QFETCH(QString, grid);
    const TRecordingCanvas canvas = Print(KnownAnalyte({ 11 }), colour);
    QStringList lines;
    for (const TCall& c : canvas.Find(TRecordingCanvas::LineOp, [](const TCall& c) { return c.Args[0] == 100; }))
        if (c.Args[2] == 960 && c.Args[1] == c.Args[3])
            lines << QStringLiteral("%1 %2").arg(c.Args[1]).arg(PenName(c.Pen));
    QTEST(lines.join('|'), "lines");
    const QList<TCall> verticals = canvas.Find(
        TRecordingCanvas::LineOp, [](const TCall& c) { return c.Args[0] == c.Args[2] && c.Args[1] == 185; });
    QCOMPARE(verticals.size(), 31);
    for (const TCall& c : verticals)
        QCOMPARE(PenName(c.Pen), grid);
}

void TestChartReport::valueScaleNeedsAValueOrFixedLimits_data()
{
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("figures");
    // Range 8..14: a step of 2 from the first multiple above 8.
    QTest::newRow("values, mobile limits") << 1 << int(lmMobile) << QStringList { "10", "12", "14" };
    QTest::newRow("no value, mobile limits") << 0 << int(lmMobile) << QStringList {};
    QTest::newRow("no value, fixed limits") << 0 << int(lmFixed) << QStringList { "10", "12", "14" };
}

void TestChartReport::valueScaleNeedsAValueOrFixedLimits()
{
    QFETCH(int, values);
    QFETCH(int, mode);
    TAnalyte a = KnownAnalyte({ 11 });
    a.AllPointsStats[0].N = values;
    a.LimitMode[0] = quint8(mode);
    const TRecordingCanvas canvas = Print(a, true);
    const QList<TCall> figures
        = canvas.Find(TRecordingCanvas::TextOutOp, [](const TCall& c) { return c.Align == TTextAlign::Right; });
    QStringList texts;
    for (const TCall& c : figures)
        texts << c.Text;
    QTEST(texts, "figures");
    if (!figures.isEmpty()) // right edge two characters left of the chart, centred on y(10) = 313
        QCOMPARE(figures[0].Args, QList<int>({ 80, 303 }));
}

void TestChartReport::threeLevelsPrintToPdf()
{
    // The demonstration's Glucose: three levels locked on their first points,
    // a discarded point; 45 points print in two blocks on two pages.
    const std::unique_ptr<TQCContext> context = MakeTestContext();
    MakeDemonstrationData(*context);
    const TAnalyte& a = *context->ListAnalytes.FindByName("Glucose");
    const QString file = ArtifactPath("chart-report.pdf");
    TPdfCanvas canvas(file);
    const TChartReportOptions options { QDate(2000, 1, 1), QDate(2100, 1, 1), { true, true, true }, true, true };
    QCOMPARE(PrintChartReport(canvas, a, context->ListSerum, options, TRisks(), Day(100)), TPrintOutcome::Printed);
    const QString text = PdfText(file);
    QVERIFY2(text.contains("Glucose QC charts"), qPrintable(text));
    QVERIFY(text.contains(QRegularExpression("Lyphocheck 2 \\(\\w+\\)")));
    QVERIFY(text.contains(QRegularExpression("Statistics +m \\(mmol/L\\) +C.V. \\(%\\) +N")));
    QVERIFY(text.contains(QStringLiteral("- Page 2 - Glucose QC - Printed on %1 -").arg(ShortDateText(Day(100)))));
    QVERIFY(PdfToPng(file, ArtifactPath("chart-report.png")));
}

VANTOREL_TEST(TestChartReport)
#include "TestChartReport.moc"
