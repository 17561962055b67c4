#include "TAnalyte.h"
#include "TChartPainter.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

const QColor Lime(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);
const QColor Silver(192, 192, 192);
const QColor LightCyan(176, 255, 255);

// One level, limits set by hand: scale 8..14 over 120 pixels (20 per unit),
// mean 11 at y = top + 60, warning 11 +- 1, action 11 +- 2.
TAnalyte KnownAnalyte(int levels = 1)
{
    TAnalyte a("Glucose", "mmol/L", 1, levels);
    const double values[] = { 11, 16, 10, 9.5, 11.5, 12 };
    for (int i = 0; i < 6; ++i)
        a.AddPoint(MakeResult(46000 + i, values[i], values[i], values[i]));
    for (int l = 0; l < levels; ++l) {
        TLevelStats& r = a.ReferenceStats[l];
        r.ChartLow = 8;
        r.ChartHigh = 14;
        r.Mean = 11;
        r.WarningHalfWidth = 1;
        r.ActionHalfWidth = 2;
        r.Status = 0;
        a.AllPointsStats[l] = r;
        a.AllPointsStats[l].N = 6;
    }
    return a;
}

QImage Render(const TAnalyte* analyte, const TChartView& view, QSize size = QSize(600, 454))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    p.setFont(font);
    TChartPainter::Paint(p, QRect(QPoint(0, 0), size), analyte, view, QImage());
    return image;
}

TChartView WholeView(const TAnalyte& a)
{
    TChartView v;
    v.Last = a.Count() - 1;
    return v;
}

} // namespace

class TestTChartPainter : public QObject {
    Q_OBJECT
private slots:
    void limitLinesHaveTheirColours();
    void oneLevelBandStartsAt138();
    void valueAboveTheScaleIsDrawnOnTheTopEdge();
    void selectedAndDiscardedPointsHaveTheirColours();
    void lockedIntervalIsShadedLightCyan();
    void levelMarkedForErasingTurnsSilver();
    void equalScaleBoundsDrawWithoutFigures();
    void noAnalyteLeavesTheBoxWhite();
    void plotRedrawLeavesTheStatisticsAlone();
    void largerTargetScalesTheDrawing();
};

void TestTChartPainter::limitLinesHaveTheirColours()
{
    const TAnalyte a = KnownAnalyte();
    const QImage image = Render(&a, WholeView(a));
    // x = 47 lies between two grid lines; one level: band 138..258.
    QCOMPARE(image.pixelColor(47, 198), Lime); // mean 11
    QCOMPARE(image.pixelColor(47, 178), Yellow); // 12
    QCOMPARE(image.pixelColor(47, 218), Yellow); // 10
    QCOMPARE(image.pixelColor(47, 158), Red); // 13
    QCOMPARE(image.pixelColor(47, 238), Red); // 9
    QCOMPARE(image.pixelColor(47, 190), QColor(Qt::white));
    // The action lines lie inside the scale: silver border lines at both edges.
    QCOMPARE(image.pixelColor(47, 138), Silver);
    QCOMPARE(image.pixelColor(47, 258), Silver);
}

void TestTChartPainter::oneLevelBandStartsAt138()
{
    const TAnalyte a = KnownAnalyte();
    const QImage image = Render(&a, WholeView(a));
    // Grid line at x = 130 (no point there): from the top of the band down.
    QCOMPARE(image.pixelColor(130, 138), Silver);
    QCOMPARE(image.pixelColor(130, 137), QColor(Qt::white));
    QCOMPARE(image.pixelColor(130, 250), Silver);
    QCOMPARE(image.pixelColor(130, 260), QColor(Qt::white));
    QCOMPARE(image.pixelColor(490, 200), Silver); // the last grid line
}

void TestTChartPainter::valueAboveTheScaleIsDrawnOnTheTopEdge()
{
    const TAnalyte a = KnownAnalyte();
    const QImage image = Render(&a, WholeView(a));
    // Point 1 (16 > 14) at x = 55 sits on y = 138; point 0 (11) on the mean.
    QCOMPARE(image.pixelColor(55, 138), Navy);
    QCOMPARE(image.pixelColor(55, 139), Navy);
    QCOMPARE(image.pixelColor(40, 198), Navy);
}

void TestTChartPainter::selectedAndDiscardedPointsHaveTheirColours()
{
    TAnalyte a = KnownAnalyte();
    a.Point(2).Values[0].Status = psDiscarded; // 10 at x = 70, y = 218
    TChartView view = WholeView(a);
    view.Selected = 4; // 11.5 at x = 100, y = 188
    const QImage image = Render(&a, view);
    QCOMPARE(image.pixelColor(70, 218), Blue);
    QCOMPARE(image.pixelColor(100, 188), Red);
    QCOMPARE(image.pixelColor(100, 184), Red); // radius 4 reaches beyond a marker's 3
}

void TestTChartPainter::lockedIntervalIsShadedLightCyan()
{
    TAnalyte a = KnownAnalyte();
    a.LimitMode[0] = lmLocked;
    a.LockStart[0] = 1;
    a.LockEnd[0] = 4;
    const QImage image = Render(&a, WholeView(a));
    QCOMPARE(image.pixelColor(62, 150), LightCyan); // between x 55 and 100
    QCOMPARE(image.pixelColor(47, 150), QColor(Qt::white));
    QCOMPARE(image.pixelColor(110, 150), QColor(Qt::white));
}

void TestTChartPainter::levelMarkedForErasingTurnsSilver()
{
    const TAnalyte a = KnownAnalyte();
    TChartView view = WholeView(a);
    view.Erase[0] = true;
    const QImage image = Render(&a, view);
    QCOMPARE(image.pixelColor(47, 198), Silver); // the mean line
    QCOMPARE(image.pixelColor(40, 198), Silver); // a marker
}

void TestTChartPainter::equalScaleBoundsDrawWithoutFigures()
{
    TAnalyte a = KnownAnalyte();
    TLevelStats& r = a.ReferenceStats[0];
    r.ChartLow = r.ChartHigh = r.Mean = 11;
    r.WarningHalfWidth = r.ActionHalfWidth = 0;
    a.LimitMode[0] = lmFixed;
    const QImage image = Render(&a, WholeView(a));
    // All limit lines meet on the bottom edge; values above 11 stick to the top.
    QCOMPARE(image.pixelColor(55, 138), Navy);
    // No figure and no tick left of the plot.
    for (int y = 130; y < 265; ++y)
        for (int x = 0; x < 36; ++x)
            QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));
}

void TestTChartPainter::noAnalyteLeavesTheBoxWhite()
{
    const QImage image = Render(nullptr, TChartView());
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(image.pixelColor(300, 200), QColor(Qt::white));
    QCOMPARE(image.pixelColor(599, 453), QColor(Qt::white));
}

void TestTChartPainter::plotRedrawLeavesTheStatisticsAlone()
{
    const TAnalyte a = KnownAnalyte();
    QImage image(600, 454, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter p(&image);
        TChartPainter::PaintPlots(p, QRect(0, 0, 600, 454), a, WholeView(a), QImage());
    }
    QCOMPARE(image.pixelColor(47, 198), Lime);
    QCOMPARE(image.pixelColor(300, 5), QColor(Qt::white));
    QCOMPARE(image.pixelColor(550, 200), QColor(Qt::magenta)); // statistics area untouched
    QCOMPARE(image.pixelColor(10, 200), QColor(Qt::magenta)); // scale figures untouched
}

void TestTChartPainter::largerTargetScalesTheDrawing()
{
    const TAnalyte a = KnownAnalyte();
    const QImage image = Render(&a, WholeView(a), QSize(1200, 908));
    // Lines keep one device pixel: find them around twice their place.
    auto rowOf = [&](const QColor& colour, int from) {
        for (int y = from - 2; y <= from + 2; ++y)
            if (image.pixelColor(95, y) == colour)
                return y;
        return -1;
    };
    QVERIFY(std::abs(rowOf(Lime, 396) - 396) <= 1);
    QVERIFY(std::abs(rowOf(Red, 316) - 316) <= 1);
}

VANTOREL_TEST(TestTChartPainter)
#include "TestTChartPainter.moc"
