#include "TChartPainter.h"
#include "TKnownAnalyte.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

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
    if (change == Locked)
        SetLocked(a, 0, 1, 4);
    const TChartView view {
        .Last = 5, .Selected = change == Selected ? 4 : -1, .Erase = { change == Erased }, .Rules = {}
    };

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

class TestChartPainter : public QObject {
    Q_OBJECT

private slots:
    void colours_data()
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

    void colours()
    {
        QFETCH(int, change);
        QFETCH(QRect, area);
        const QImage image = Chart(TChange(change));
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                QTEST(image.pixelColor(x, y), "colour");
    }

    void largerTargetScalesTheDrawing()
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

VANTOREL_TEST(TestChartPainter)
#include "TestChartPainter.moc"
