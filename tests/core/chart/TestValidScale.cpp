// The level scale of the validation window: its range, pixels and figures.
#include "TTestRegistry.h"
#include "TValidScale.h"
#include "TestHelpers.h"

Q_DECLARE_METATYPE(TLevelStats)

namespace {
TLevelStats Stats(double mean, double warning, double action, int n, quint8 status)
{
    TLevelStats stats;
    stats.Mean = mean;
    stats.WarningHalfWidth = warning;
    stats.ActionHalfWidth = action;
    stats.N = n;
    stats.Status = status;
    return stats;
}

TQCValue Cell(float value, quint8 status = psWithin)
{
    TQCValue cell;
    cell.Value = value;
    cell.Status = status;
    return cell;
}
} // namespace

class TestValidScale : public QObject {
    Q_OBJECT
private slots:
    void prepare_data();
    void prepare();
    void noValueKeepsTheScale();
    void pixels();
    void step_data();
    void step();
    void figures_data();
    void figures();
    void degenerateRangesMakeNoFigures();
};

void TestValidScale::prepare_data()
{
    QTest::addColumn<TLevelStats>("stats");
    QTest::addColumn<float>("value");
    QTest::addColumn<double>("centre");
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<double>("warning");
    QTest::addColumn<double>("action");
    QTest::addColumn<bool>("hasStatistics");

    const TLevelStats valid = Stats(100, 4, 6, 20, 0);
    // With statistics the scale reaches 1.1 times the action limit or the value, whichever is farther.
    QTest::newRow("inside the action limits") << valid << 102.f << 100.0 << 6.6 << 4.0 << 6.0 << true;
    QTest::newRow("beyond the action limits") << valid << 90.f << 100.0 << 11.0 << 4.0 << 6.0 << true;
    // Without statistics: default widths, centred on the value or half a unit towards the mean.
    QTest::newRow("no points") << Stats(0, 0.5, 0.8, 0, 6) << 12.f << 12.0 << 1.2 << 0.5 << 0.8 << false;
    QTest::newRow("mean above") << Stats(50, 25, 40, 1, 6) << 48.f << 48.5 << 1.2 << 0.5 << 0.8 << false;
    QTest::newRow("mean below") << Stats(50, 25, 40, 1, 6) << 52.f << 51.5 << 1.2 << 0.5 << 0.8 << false;
    QTest::newRow("value on the mean") << Stats(50, 25, 40, 1, 6) << 50.f << 50.0 << 1.2 << 0.5 << 0.8 << false;
}

void TestValidScale::prepare()
{
    QFETCH(TLevelStats, stats);
    QFETCH(float, value);
    QFETCH(double, centre);
    QFETCH(double, halfRange);
    QFETCH(double, warning);
    QFETCH(double, action);
    QFETCH(bool, hasStatistics);
    TValidScale scale;
    scale.Prepare(stats, Cell(value));
    QCOMPARE(scale.Value, double(value));
    QCOMPARE_NEAR(scale.Centre, centre, 1e-12);
    QCOMPARE_NEAR(scale.HalfRange, halfRange, 1e-12);
    QCOMPARE_NEAR(scale.WarningHalfWidth, warning, 1e-12);
    QCOMPARE_NEAR(scale.ActionHalfWidth, action, 1e-12);
    QCOMPARE(scale.HasStatistics, hasStatistics);
}

void TestValidScale::noValueKeepsTheScale()
{
    TValidScale scale;
    scale.Prepare(Stats(100, 4, 6, 20, 0), Cell(103));
    scale.Prepare(Stats(0, 0.5, 0.8, 0, 6), Cell(0, psNoValue));
    QCOMPARE(scale.Value, 0.0);
    QCOMPARE(scale.Centre, 100.0);
    QCOMPARE_NEAR(scale.HalfRange, 6.6, 1e-12);
    QVERIFY(scale.HasStatistics);
}

void TestValidScale::pixels()
{
    TValidScale scale;
    scale.Centre = 100;
    scale.HalfRange = 10;
    // 410 pixels wide: the scale runs from 20 to 390.
    QCOMPARE(scale.X(90, 410), 20);
    QCOMPARE(scale.X(110, 410), 390);
    QCOMPARE(scale.X(100, 410), 205);
    QCOMPARE(scale.X(96, 410), 131); // 0.3 x 370 = 111 past the left end
    QCOMPARE(scale.X(104.1, 410), 281); // 0.705 x 370 = 260.85, rounded to 261
    QCOMPARE(scale.X(95, 210), 63); // 0.25 x 170 = 42.5, rounded away from zero
}

void TestValidScale::step_data()
{
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    // The range is three half-ranges; the unit is the power of ten below it.
    QTest::newRow("range 19.8") << 6.6 << 2.0 << 0;
    QTest::newRow("range 1.1") << 1.1 / 3 << 0.1 << 1;
    QTest::newRow("range exactly 1") << 1.0 / 3 << 0.1 << 1;
    QTest::newRow("range 0.99") << 0.33 << 0.1 << 1;
    QTest::newRow("range 2.5") << 2.5 / 3 << 0.4 << 1;
    QTest::newRow("range 4.5") << 1.5 << 0.5 << 1;
    QTest::newRow("range 7") << 7.0 / 3 << 1.0 << 0;
    QTest::newRow("range 0.05") << 0.05 / 3 << 0.005 << 3;
    QTest::newRow("range 600") << 200.0 << 100.0 << 0;
}

void TestValidScale::step()
{
    QFETCH(double, halfRange);
    QFETCH(double, step);
    QFETCH(int, decimals);
    const TScaleStep result = ScaleStepFor(halfRange);
    QCOMPARE_NEAR(result.Step, step, 1e-12);
    QCOMPARE(result.Decimals, decimals);
}

void TestValidScale::figures_data()
{
    QTest::addColumn<double>("centre");
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<QString>("texts");
    // The first figure is the first multiple of the step above the lower end
    // (on it when the end is negative).
    QTest::newRow("positive") << 100.0 << 6.6 << "94 96 98 100 102 104 106";
    QTest::newRow("tenths") << 5.0 << 0.33 << "4.7 4.8 4.9 5.0 5.1 5.2 5.3";
    QTest::newRow("across zero") << 0.0 << 1.5 << "-1.5 -1.0 -0.5 0.0 0.5 1.0 1.5";
    QTest::newRow("lower end on a multiple") << 10.0 << 10.0 << "5 10 15 20";
}

void TestValidScale::figures()
{
    QFETCH(double, centre);
    QFETCH(double, halfRange);
    QFETCH(QString, texts);
    QStringList shown;
    for (const TScaleFigure& figure : ScaleFigures(centre, halfRange, QChar('.')))
        shown << figure.Text;
    QCOMPARE(shown.join(' '), texts);
}

void TestValidScale::degenerateRangesMakeNoFigures()
{
    QVERIFY(ScaleFigures(100, 0).isEmpty());
    QVERIFY(ScaleFigures(100, NAN).isEmpty());
    QVERIFY(ScaleFigures(NAN, 1).isEmpty());
    // A step too small to move a huge centre: bounded, not endless.
    QCOMPARE(ScaleFigures(1e17, 1).size(), MaxScaleFigures);
    TValidScale scale;
    scale.HalfRange = 0;
    QCOMPARE(scale.X(5, 410), 205);
}

VANTOREL_TEST(TestValidScale)
#include "TestValidScale.moc"
