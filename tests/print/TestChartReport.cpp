#include "TChartReport.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TKnownAnalyte.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QProcess>

namespace {

using TCall = TRecordingCanvas::TCall;

// On the 1000 x 1500 recording page the first chart spans x 100..960 (x of
// position i: 100 + 860 * i div 30) and y 185..377; its range 8..14 gives 32
// pixels a unit: mean 11 at 281, warning limits 11 +- 1, action limits 11 +- 2.
TRecordingCanvas Print(const TAnalyte& a, bool colour)
{
    TRecordingCanvas canvas;
    PrintChartReport(canvas, a, {}, { QDate(2026, 1, 1), QDate(2026, 12, 31), { true, true, true }, colour, false },
        TRisks(), Day(0));
    return canvas;
}

QString PenName(const TCall& c) { return c.Pen.Colour.name() + (c.Pen.Style == TPenStyle::Dot ? " dot" : ""); }

} // namespace

class TestChartReport : public QObject {
    Q_OBJECT
private slots:
    void blocksShareTheirBoundaryPoint()
    {
        const TRecordingCanvas canvas = Print(KnownAnalyte(QList<double>(32, 11.0)), true);
        QCOMPARE(canvas.Find(TRecordingCanvas::EllipseOp).size(), 33);
        // The date axes: January 1 to 31, then the 31st again and February 1.
        QStringList expected { "1", "Jan", "26" };
        for (int d = 2; d <= 31; ++d)
            expected << QString::number(d);
        expected += QStringList { "31", "Jan", "26", "1", "Feb" };
        QCOMPARE(canvas.Texts([](const TCall& c) { return c.Align == TTextAlign::Centre; }), expected);
        // The 31st closes the first axis (a line below the chart's bottom 377) and opens the
        // second: its block starts two lines below the first axis (497), its axis at 769.
        QCOMPARE(canvas.Describe(TRecordingCanvas::TextOutOp, [](const TCall& c) { return c.Text == "31"; }),
            QString("1:960,397 31 1:100,769 31"));
    }

    void colourOrBlackAndWhite_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("limits");
        QTest::addColumn<QString>("grid");
        // Within, above the range (on the top edge), below it (on the bottom
        // edge), discarded (left out of the line), within; a radius of 10.
        const auto points = [](const QString& ink, const QString& discarded) {
            return QStringLiteral("1:90,271,110,291 %1 1:118,175,138,195 %1 1:147,367,167,387 %1 1:176,239,196,259 %2 "
                                  "1:204,303,224,323 %1")
                .arg(ink, discarded);
        };
        const auto line = [](const QString& ink) {
            return QStringLiteral("1:100,281,128,185 %1 1:128,185,157,377 %1 1:157,377,214,313 %1").arg(ink);
        };
        // Top and bottom edges, mean, warning limits, action limits.
        const QString limits = "1:100,185,960,185 %1 1:100,377,960,377 %1 1:100,281,960,281 %2 1:100,249,960,249 %3 "
                               "1:100,313,960,313 %3 1:100,217,960,217 %4 1:100,345,960,345 %4";
        QTest::newRow("colour") << true << points("#000080", "#ff0000") << line("#000080")
                                << limits.arg("#c0c0c0", "#00ff00", "#ffff00", "#ff0000") << "#c0c0c0";
        QTest::newRow("black and white") << false << points("#000000", "#f0f0f0") << line("#000000")
                                         << limits.arg("#000000", "#000000", "#000000 dot", "#000000 dot") << "#000000";
    }

    void colourOrBlackAndWhite()
    {
        QFETCH(bool, colour);
        TAnalyte a = KnownAnalyte({ 11, 20, 5, 12, 10 });
        a.Point(3).Values[0].Status = psDiscarded;
        const TRecordingCanvas canvas = Print(a, colour);
        QTEST(
            canvas.Describe(TRecordingCanvas::EllipseOp, {}, [](const TCall& c) { return c.Brush.name(); }), "points");
        QTEST(canvas.Describe(
                  TRecordingCanvas::LineOp,
                  [](const TCall& c) { return c.Args[0] != c.Args[2] && c.Args[1] != c.Args[3]; }, PenName),
            "line");
        QTEST(
            canvas.Describe(
                TRecordingCanvas::LineOp, [](const TCall& c) { return c.Args[0] == 100 && c.Args[2] == 960; }, PenName),
            "limits");
        const QList<TCall> verticals = canvas.Find(
            TRecordingCanvas::LineOp, [](const TCall& c) { return c.Args[0] == c.Args[2] && c.Args[1] == 185; });
        QCOMPARE(verticals.size(), 31);
        for (const TCall& c : verticals)
            QTEST(c.Pen.Colour.name(), "grid");
    }

    void valueScaleNeedsAValueOrFixedLimits_data()
    {
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("figures");
        // Range 8..14: a step of 2 from the first multiple above 8.
        QTest::newRow("values, mobile limits") << 1 << int(lmMobile) << QStringList { "10", "12", "14" };
        QTest::newRow("no value, mobile limits") << 0 << int(lmMobile) << QStringList {};
    }

    void valueScaleNeedsAValueOrFixedLimits()
    {
        QFETCH(int, values);
        QFETCH(int, mode);
        TAnalyte a = KnownAnalyte({ 11 });
        a.AllPointsStats[0].N = values;
        a.LimitMode[0] = quint8(mode);
        const TRecordingCanvas canvas = Print(a, true);
        const auto right = [](const TCall& c) { return c.Align == TTextAlign::Right; };
        QTEST(canvas.Texts(right), "figures");
        if (!canvas.Texts(right).isEmpty()) // right edge two characters left of the chart, centred on y(10) = 313
            QCOMPARE(canvas.Find(TRecordingCanvas::TextOutOp, right)[0].Args, QList<int>({ 80, 303 }));
    }

    void threeLevelsPrintToPdf()
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
        QVERIFY(text.contains(QRegularExpression("Statistics +m \\(mmol/L\\) +C.V. \\(%\\) +N")));
        QVERIFY(text.contains(QStringLiteral("- Page 2 - Glucose QC - Printed on %1 -").arg(ShortDateText(Day(100)))));
        // A picture of the first page to look at.
        QCOMPARE(
            QProcess::execute("pdftoppm", { "-png", "-singlefile", "-r", "100", file, ArtifactPath("chart-report") }),
            0);
    }
};

VANTOREL_TEST(TestChartReport)
#include "TestChartReport.moc"
