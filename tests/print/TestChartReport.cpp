// The charts printed (blocks, colours, scale, a PDF) and painted on screen: the colour of each
// line and marker where core's geometry puts it, the redraw of the plots alone, a larger target.
#include "TAnalyte.h"
#include "TChartPainter.h"
#include "TChartReport.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TListSerum.h"
#include "TPdfCanvas.h"
#include "TPdfText.h"
#include "TRecordingCanvas.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QtTest>

namespace {

using TCall = TRecordingCanvas::TCall;

// On the 1000 x 1500 recording page the first chart spans x 100..960 (x of
// position i: 100 + 860 * i div 30) and y 185..377; its range 8..14 gives 32
// pixels a unit: mean 11 at 281, warning limits 11 +- 1, action limits 11 +- 2.
double Day(int i) { return DateToDayCount(QDate(2026, 1, 1).addDays(i)) + 0.5; }

TAnalyte KnownAnalyte(const QList<double>& values)
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    for (int i = 0; i < values.size(); ++i)
        a.AddPoint(MakeResult(Day(i), values[i]));
    a.ReferenceStats[0] = { .Mean = 11, .WarningHalfWidth = 1, .ActionHalfWidth = 2, .ChartLow = 8, .ChartHigh = 14 };
    a.ReferenceStats[0].Status = TLevelStats::StatusComputed;
    a.AllPointsStats[0] = a.ReferenceStats[0];
    a.AllPointsStats[0].N = int(values.size());
    return a;
}

TRecordingCanvas Print(const TAnalyte& a, bool colour)
{
    TRecordingCanvas canvas;
    PrintChartReport(canvas, a, {}, { QDate(2026, 1, 1), QDate(2026, 12, 31), { true, true, true }, colour, false },
        TRisks(), Day(0));
    return canvas;
}

QString PenName(const TCall& c) { return c.Pen.Colour.name() + (c.Pen.Style == TPenStyle::Dot ? " dot" : ""); }

const QColor Lime(0, 255, 0), Yellow(255, 255, 0), Red(255, 0, 0), Navy(0, 0, 128), Blue(0, 0, 255);
const QColor Silver(192, 192, 192), LightCyan(176, 255, 255), White(Qt::white), Magenta(Qt::magenta);

enum TChange { Plain, Discarded, Selected, Locked, Erased, EqualBounds, NoAnalyte, PlotsOnly };

// The chart of one level after a change, over a magenta image. The limits of KnownAnalyte:
// scale 8..14 over 120 pixels (20 per unit) from y = 138, mean 11 at
// y = 198, warning 11 +- 1, action 11 +- 2; the points 11, 16, 10, 9.5, 11.5, 12
// every 15 pixels from x = 40, grid lines between them.
QImage Chart(TChange change, QSize size = QSize(600, 454))
{
    TAnalyte a = KnownAnalyte({ 11.0, 16.0, 10.0, 9.5, 11.5, 12.0 });
    TLevelStats& r = a.ReferenceStats[0];
    if (change == EqualBounds) {
        r.ChartLow = r.ChartHigh = 11;
        r.WarningHalfWidth = r.ActionHalfWidth = 0;
        a.LimitMode[0] = lmFixed;
    }
    if (change == Discarded)
        a.Point(2).Values[0].Status = psDiscarded;
    if (change == Locked) {
        a.LimitMode[0] = lmLocked;
        a.LockStart[0] = 1;
        a.LockEnd[0] = 4;
    }
    const TChartView view { .Last = 5, .Selected = change == Selected ? 4 : -1, .Erase = { change == Erased } };

    QImage image(size, QImage::Format_RGB32);
    image.fill(Magenta);
    QPainter p(&image);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    p.setFont(font);
    const QRect target(QPoint(0, 0), size);
    if (change == PlotsOnly)
        TChartPainter::PaintPlots(p, target, a, view, QImage());
    else
        TChartPainter::Paint(p, target, change == NoAnalyte ? nullptr : &a, view, QImage());
    return image;
}

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

    void painterColours_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QColor>("colour"); // of every pixel of the area
        QTest::newRow("mean line") << int(Plain) << QRect(47, 198, 1, 1) << Lime;
        QTest::newRow("upper warning line") << int(Plain) << QRect(47, 178, 1, 1) << Yellow;
        QTest::newRow("lower warning line") << int(Plain) << QRect(47, 218, 1, 1) << Yellow;
        QTest::newRow("upper action line") << int(Plain) << QRect(47, 158, 1, 1) << Red;
        QTest::newRow("lower action line") << int(Plain) << QRect(47, 238, 1, 1) << Red;
        QTest::newRow("between the lines") << int(Plain) << QRect(47, 190, 1, 1) << White;
        QTest::newRow("border at the top, the action lines inside") << int(Plain) << QRect(47, 138, 1, 1) << Silver;
        QTest::newRow("border at the bottom") << int(Plain) << QRect(47, 258, 1, 1) << Silver;
        QTest::newRow("grid line from the band's top") << int(Plain) << QRect(130, 138, 1, 20) << Silver;
        QTest::newRow("grid line to the band's bottom") << int(Plain) << QRect(130, 239, 1, 20) << Silver;
        QTest::newRow("nothing above the band") << int(Plain) << QRect(130, 137, 1, 1) << White;
        QTest::newRow("nothing below the band") << int(Plain) << QRect(130, 260, 1, 1) << White;
        QTest::newRow("point on the mean") << int(Plain) << QRect(40, 198, 1, 1) << Navy;
        QTest::newRow("discarded point") << int(Discarded) << QRect(70, 218, 1, 1) << Blue;
        QTest::newRow("selected point, wider than a marker") << int(Selected) << QRect(100, 184, 1, 5) << Red;
        QTest::newRow("locked interval") << int(Locked) << QRect(62, 150, 1, 1) << LightCyan;
        QTest::newRow("left of the locked interval") << int(Locked) << QRect(47, 150, 1, 1) << White;
        QTest::newRow("right of the locked interval") << int(Locked) << QRect(110, 150, 1, 1) << White;
        QTest::newRow("level marked for erasing: mean line") << int(Erased) << QRect(47, 198, 1, 1) << Silver;
        QTest::newRow("level marked for erasing: marker") << int(Erased) << QRect(40, 198, 1, 1) << Silver;
        QTest::newRow("equal scale bounds: no figure nor tick") << int(EqualBounds) << QRect(0, 130, 36, 135) << White;
        QTest::newRow("no analyte") << int(NoAnalyte) << QRect(0, 0, 600, 454) << White;
        QTest::newRow("plots redrawn") << int(PlotsOnly) << QRect(47, 198, 1, 1) << Lime;
        QTest::newRow("plots redrawn: statistics untouched") << int(PlotsOnly) << QRect(550, 200, 1, 1) << Magenta;
        QTest::newRow("plots redrawn: scale figures untouched") << int(PlotsOnly) << QRect(10, 200, 1, 1) << Magenta;
    }

    void painterColours()
    {
        QFETCH(int, change);
        QFETCH(QRect, area);
        const QImage image = Chart(TChange(change));
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                QTEST(image.pixelColor(x, y), "colour");
    }

    void painterScalesToALargerTarget()
    {
        const QImage image = Chart(Plain, QSize(1200, 908));
        // Lines keep one device pixel, within a pixel of twice their place.
        auto near = [&](const QColor& colour, int y) {
            return image.pixelColor(95, y - 1) == colour || image.pixelColor(95, y) == colour
                || image.pixelColor(95, y + 1) == colour;
        };
        QVERIFY(near(Lime, 396));
        QVERIFY(near(Red, 316));
    }
};

VANTOREL_TEST(TestChartReport)
#include "TestChartReport.moc"
