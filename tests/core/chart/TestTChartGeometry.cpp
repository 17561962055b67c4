#include "TAnalyte.h"
#include "TChartGeometry.h"
#include "TDates.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

// An analyte of `count` points, one a day from 2026-01-01 noon, values cycling
// around 10 on every level.
static TAnalyte DailyAnalyte(int count, int levels = 1, QDate start = QDate(2026, 1, 1))
{
    TAnalyte a("Glucose", "mmol/L", 1, levels);
    const double first = DateToDayCount(start) + 0.5;
    for (int i = 0; i < count; ++i)
        a.AddPoint(MakeResult(first + i, 9.5 + (i % 3) * 0.5, 19 + (i % 3), 29 + (i % 3)));
    RecomputeAll(a, TRisks());
    return a;
}

static TLevelStats Reference(double low, double high, double mean, double warning, double action)
{
    TLevelStats s;
    s.ChartLow = low;
    s.ChartHigh = high;
    s.Mean = mean;
    s.WarningHalfWidth = warning;
    s.ActionHalfWidth = action;
    return s;
}

class TestTChartGeometry : public QObject {
    Q_OBJECT
private slots:
    void bandTopsCentreTheBands_data();
    void bandTopsCentreTheBands();
    void windowPositionsOfPresses_data();
    void windowPositionsOfPresses();

    void shortSeriesHideTheScrollBar();
    void thirtyOnePointsShowTheScrollBarWithMaximumZero();
    void longSeriesShowTheNewestPoints();
    void selectedPointBeforeTheWindowMovesIt_data();
    void selectedPointBeforeTheWindowMovesIt();
    void noAnalyteHasNoWindow();

    void valuesMapOntoTheBand();
    void halvesRoundToEven();
    void valuesOutsideTheScaleStickToTheirEdge();
    void equalBoundsUseTwoPixelsPerUnit();

    void scaleStepRules_data();
    void scaleStepRules();
    void ticksStartAboveTheLowerBound();
    void ticksBelowZeroStartAtTheTruncatedMultiple();
    void equalBoundsHaveNoFigures();

    void borderLinesOnlyWhenActionLinesLeaveTheEdges();
    void lockedShadingIsClippedToThePlot();
    void valueScaleNeedsValuesOrFixedLimits();
    void markersFollowStatusAndEraseMark();
    void plotPointsJoinOnlyCountedValues();

    void statisticsTextOfAMobileLevel();
    void statisticsTextOfAFixedLevelWithoutPoints();

    void dateAxisWritesMonthAndYearOnChange();
    void dateAxisRestartsWithTheWindow();
    void dateAxisMarksTheSelectedInterval();
    void commentIconsSitLeftOfTheirPoints();
};

void TestTChartGeometry::bandTopsCentreTheBands_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("firstTop");
    QTest::addColumn<int>("lastTop");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("icons");
    // 18 + 60 x (3 - n); bands 135 apart; axis 10 above the band after the last.
    QTest::newRow("one level") << 1 << 138 << 138 << 263 << 121;
    QTest::newRow("two levels") << 2 << 78 << 213 << 338 << 61;
    QTest::newRow("three levels") << 3 << 18 << 288 << 413 << 1;
}

void TestTChartGeometry::bandTopsCentreTheBands()
{
    QFETCH(int, levels);
    QFETCH(int, firstTop);
    QFETCH(int, lastTop);
    QFETCH(int, axis);
    QFETCH(int, icons);
    QCOMPARE(FirstBandTop(levels), firstTop);
    QCOMPARE(BandTop(levels, levels - 1), lastTop);
    QCOMPARE(DateAxisY(levels), axis);
    QCOMPARE(CommentIconY(levels), icons);
}

void TestTChartGeometry::windowPositionsOfPresses_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("position");
    QTest::newRow("on the first point") << 40 << 31 << 0;
    QTest::newRow("left of the plot, truncated to zero") << 20 << 31 << 0;
    QTest::newRow("far left") << 10 << 31 << -1;
    QTest::newRow("second point") << 48 << 31 << 1;
    QTest::newRow("last point") << 490 << 31 << 30;
    QTest::newRow("beyond the window") << 498 << 40 << -1;
    QTest::newRow("beyond the last point") << 100 << 3 << -1;
}

void TestTChartGeometry::windowPositionsOfPresses()
{
    QFETCH(int, x);
    QFETCH(int, count);
    QFETCH(int, position);
    QCOMPARE(WindowPositionAt(x, 0, count), position);
}

void TestTChartGeometry::shortSeriesHideTheScrollBar()
{
    const TChartWindow w = ComputeChartWindow(30, -1);
    QVERIFY(!w.ScrollVisible);
    QCOMPARE(w.First, 0);
    QCOMPARE(w.Last, 29);
}

void TestTChartGeometry::thirtyOnePointsShowTheScrollBarWithMaximumZero()
{
    const TChartWindow w = ComputeChartWindow(31, -1);
    QVERIFY(w.ScrollVisible);
    QCOMPARE(w.ScrollMax, 0);
    QCOMPARE(w.ScrollPos, 0);
    QCOMPARE(w.First, 0);
    QCOMPARE(w.Last, 30);
}

void TestTChartGeometry::longSeriesShowTheNewestPoints()
{
    const TChartWindow w = ComputeChartWindow(100, 85);
    QCOMPARE(w.First, 69);
    QCOMPARE(w.Last, 99);
    QCOMPARE(w.ScrollMax, 69);
    QCOMPARE(w.ScrollPos, 69);
}

void TestTChartGeometry::selectedPointBeforeTheWindowMovesIt_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("first");
    QTest::newRow("index 30 goes to the start") << 30 << 0;
    QTest::newRow("index 12 goes to the start") << 12 << 0;
    QTest::newRow("index 31 becomes the first") << 31 << 31;
    QTest::newRow("index 50 becomes the first") << 50 << 50;
}

void TestTChartGeometry::selectedPointBeforeTheWindowMovesIt()
{
    QFETCH(int, selected);
    QFETCH(int, first);
    const TChartWindow w = ComputeChartWindow(100, selected);
    QCOMPARE(w.First, first);
    QCOMPARE(w.Last, first + 30);
    QCOMPARE(w.ScrollPos, first);
    QCOMPARE(w.ScrollMax, 69);
}

void TestTChartGeometry::noAnalyteHasNoWindow()
{
    const TChartWindow none = ComputeChartWindow(-1, -1);
    QVERIFY(!none.ScrollVisible);
    QCOMPARE(none.Last, -1);
    const TChartWindow empty = ComputeChartWindow(0, -1);
    QVERIFY(!empty.ScrollVisible);
    QCOMPARE(empty.Last, -1);
}

void TestTChartGeometry::valuesMapOntoTheBand()
{
    const TValueScale s = MakeValueScale(Reference(8, 14, 11, 1, 2), 138);
    QCOMPARE(s.Bottom, 258);
    QCOMPARE_NEAR(s.Factor, 20.0, 1e-12); // 120 pixels over 6 units
    QCOMPARE(s.Y(14), 138);
    QCOMPARE(s.Y(11), 198);
    QCOMPARE(s.Y(8.05), 257);
}

void TestTChartGeometry::halvesRoundToEven()
{
    const TValueScale s = MakeValueScale(Reference(0, 120, 60, 10, 20), 0); // one pixel per unit
    QCOMPARE(s.Y(0.5), 120); // 119.5 -> 120
    QCOMPARE(s.Y(1.5), 118); // 118.5 -> 118
    QCOMPARE(s.Y(2.5), 118); // 117.5 -> 118
    QCOMPARE(s.Y(2.75), 117); // 117.25 -> 117
}

void TestTChartGeometry::valuesOutsideTheScaleStickToTheirEdge()
{
    const TValueScale s = MakeValueScale(Reference(8, 14, 11, 1, 2), 18);
    QCOMPARE(s.Y(25), 18); // above the scale: top edge
    QCOMPARE(s.Y(8), 138); // on the lower bound: bottom edge
    QCOMPARE(s.Y(-3), 138); // below: bottom edge
    // A value at or below the lower bound but above the mean goes to the top.
    const TValueScale odd = MakeValueScale(Reference(8, 14, 5, 1, 2), 18);
    QCOMPARE(odd.Y(7), 18);
}

void TestTChartGeometry::equalBoundsUseTwoPixelsPerUnit()
{
    const TValueScale s = MakeValueScale(Reference(5, 5, 5, 0, 0), 138);
    QCOMPARE_NEAR(s.Factor, 2.0, 0);
    QCOMPARE(s.Y(5), 258);
    QCOMPARE(s.Y(6), 138);
    const TValueScale tiny = MakeValueScale(Reference(5, 5.000005, 5, 0, 0), 0);
    QCOMPARE_NEAR(tiny.Factor, 2.0, 0);
}

void TestTChartGeometry::scaleStepRules_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    // Range R, power D, quotient Q = R / D, then the step from Q.
    QTest::newRow("R 1: D 1, Q 1 -> 0.2 D") << 2.5 << 3.5 << 0.2 << 1;
    QTest::newRow("R 2: D 1, Q 2 -> 0.4 D") << 0.0 << 2.0 << 0.4 << 1;
    QTest::newRow("R 2.5: D 1, Q 2.5 -> 0.5 D") << 0.0 << 2.5 << 0.5 << 1;
    QTest::newRow("R 45: D 10, Q 4.5 -> D") << -5.0 << 40.0 << 10.0 << 0;
    QTest::newRow("R 7: D 1, Q 7 -> 2 D") << 0.0 << 7.0 << 2.0 << 0;
    QTest::newRow("R 1200: D 1000, Q 1.2 -> 0.4 D") << 0.0 << 1200.0 << 400.0 << 0;
    QTest::newRow("R 0.3: D 0.1, Q 3 -> D") << 1.0 << 1.3 << 0.1 << 1;
    QTest::newRow("R 0.012: D 0.01, Q 1.2 -> 0.4 D") << 2.0 << 2.012 << 0.004 << 3;
}

void TestTChartGeometry::scaleStepRules()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, step);
    QFETCH(int, decimals);
    const TScaleStep s = ScaleStep(low, high);
    QCOMPARE_NEAR(s.Step, step, 1e-9);
    QCOMPARE(s.Decimals, decimals);
}

void TestTChartGeometry::ticksStartAboveTheLowerBound()
{
    const TValueScale s = MakeValueScale(Reference(2.5, 3.5, 3, 0.2, 0.4), 18);
    const QList<TScaleTick> ticks = ScaleTicks(s);
    QStringList texts;
    for (const TScaleTick& t : ticks)
        texts << t.Text;
    QCOMPARE(texts, QStringList({ "2.6", "2.8", "3.0", "3.2", "3.4" }));
    QCOMPARE(ticks.first().Y, s.Y(2.6));
    QCOMPARE(ticks.first().Y, 126); // 138 - 0.1 x 120
}

void TestTChartGeometry::ticksBelowZeroStartAtTheTruncatedMultiple()
{
    const TValueScale s = MakeValueScale(Reference(-5, 40, 20, 5, 10), 18);
    QStringList texts;
    for (const TScaleTick& t : ScaleTicks(s))
        texts << t.Text;
    // trunc(-5 / 10) x 10 = 0, written without a sign.
    QCOMPARE(texts, QStringList({ "0", "10", "20", "30", "40" }));
    const TValueScale neg = MakeValueScale(Reference(-25, 20, 0, 5, 10), 18);
    QCOMPARE(ScaleTicks(neg).first().Text, QString("-20"));
}

void TestTChartGeometry::equalBoundsHaveNoFigures()
{
    QCOMPARE(ScaleStep(5, 5).Step, 0.0);
    QVERIFY(ScaleTicks(MakeValueScale(Reference(5, 5, 5, 0, 0), 0)).isEmpty());
    QVERIFY(ScaleTicks(MakeValueScale(Reference(6, 5, 5, 0, 0), 0)).isEmpty());
}

void TestTChartGeometry::borderLinesOnlyWhenActionLinesLeaveTheEdges()
{
    // Action limits exactly on the scale bounds: no border lines.
    const TLevelStats atEdges = Reference(8, 14, 11, 1, 3);
    const TBandLines onEdges = BandLines(MakeValueScale(atEdges, 18), atEdges);
    QCOMPARE(onEdges.ActionHigh, 18);
    QCOMPARE(onEdges.ActionLow, 138);
    QVERIFY(!onEdges.BorderTop);
    QVERIFY(!onEdges.BorderBottom);
    // Points beyond the limits widen the scale: both border lines.
    const TLevelStats wide = Reference(5, 17, 11, 1, 3);
    const TBandLines inside = BandLines(MakeValueScale(wide, 18), wide);
    QCOMPARE(inside.Mean, 78);
    QCOMPARE(inside.WarningHigh, 68);
    QCOMPARE(inside.WarningLow, 88);
    QCOMPARE(inside.ActionHigh, 48);
    QCOMPARE(inside.ActionLow, 108);
    QVERIFY(inside.BorderTop);
    QVERIFY(inside.BorderBottom);
}

void TestTChartGeometry::lockedShadingIsClippedToThePlot()
{
    TAnalyte a = DailyAnalyte(60);
    a.LimitMode[0] = lmLocked;
    a.LockStart[0] = 2;
    a.LockEnd[0] = 10;
    TLockShade shade = LockShade(a, 0, 0);
    QVERIFY(shade.Visible);
    QCOMPARE(shade.X1, 70);
    QCOMPARE(shade.X2, 190);
    shade = LockShade(a, 0, 5);
    QCOMPARE(shade.X1, 40);
    QCOMPARE(shade.X2, 115);
    QVERIFY(!LockShade(a, 0, 20).Visible); // the interval lies before the window
    a.LockEnd[0] = 50;
    QCOMPARE(LockShade(a, 0, 0).X2, 490);
    a.LimitMode[0] = lmMobile;
    QVERIFY(!LockShade(a, 0, 0).Visible);
}

void TestTChartGeometry::valueScaleNeedsValuesOrFixedLimits()
{
    TAnalyte a("Calcium", "mmol/L", 2, 1);
    RecomputeAll(a, TRisks());
    QVERIFY(!HasValueScale(a, 0));
    a.LimitMode[0] = lmFixed;
    QVERIFY(HasValueScale(a, 0));
    a.LimitMode[0] = lmMobile;
    TResu0 discarded = MakeResult(46000, 2.5);
    discarded.Values[0].Status = psDiscarded;
    a.AddPoint(discarded);
    RecomputeAll(a, TRisks());
    QVERIFY(HasValueScale(a, 0)); // a discarded value counts
}

void TestTChartGeometry::markersFollowStatusAndEraseMark()
{
    QCOMPARE(MarkerFor(psWithin, false), TMarker::Point);
    QCOMPARE(MarkerFor(psHighAction, false), TMarker::Point);
    QCOMPARE(MarkerFor(psDiscarded, false), TMarker::Discarded);
    QCOMPARE(MarkerFor(psNoValue, false), TMarker::None);
    QCOMPARE(MarkerFor(psDiscarded, true), TMarker::Erased);
    QCOMPARE(MarkerFor(psLowWarning, true), TMarker::Erased);
    QCOMPARE(MarkerFor(psNoValue, true), TMarker::None);
}

void TestTChartGeometry::plotPointsJoinOnlyCountedValues()
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    a.AddPoint(MakeResult(46000, 10));
    TResu0 discarded = MakeResult(46001, 30);
    discarded.Values[0].Status = psDiscarded;
    a.AddPoint(discarded);
    a.AddPoint(MakeResult(46002, NAN));
    a.AddPoint(MakeResult(46003, 12));
    RecomputeAll(a, TRisks());
    TChartView view;
    view.Last = 3;
    const TValueScale s = MakeValueScale(Reference(8, 14, 11, 1, 2), 138);
    const QList<TPlotPoint> points = PlotPoints(a, 0, s, view);
    QCOMPARE(points.size(), 4);
    QCOMPARE(points[1].X, 55);
    QVERIFY(points[0].Joined);
    QVERIFY(!points[1].Joined);
    QVERIFY(!points[2].Joined);
    QVERIFY(points[3].Joined);
    QCOMPARE(points[1].Marker, TMarker::Discarded);
    QCOMPARE(points[2].Marker, TMarker::None);
    QCOMPARE(points[0].Y, 218);
    QCOMPARE(points[3].Y, 178);
    QCOMPARE(points[1].Y, 138); // 30 lies above the scale: top edge
}

void TestTChartGeometry::statisticsTextOfAMobileLevel()
{
    TAnalyte a = DailyAnalyte(12);
    const QList<TStatsLine> lines = StatsLines(a, 0, 138, 13);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0].Text, QString("Mobile limits"));
    QCOMPARE(lines[0].Style, TStatsLine::ModeLabel);
    QCOMPARE(lines[0].Y, 158);
    // Values 9.5, 10, 10.5 repeated: mean 10 with Decimals + 1 = 2 decimals.
    QCOMPARE(lines[1].Text, QString("m = 10.00 mmol/L"));
    QCOMPARE(lines[1].Y, 158 + 19);
    QVERIFY(lines[2].Text.startsWith("CV = "));
    QVERIFY(lines[2].Text.endsWith(" %"));
    QCOMPARE(lines[2].Y, 158 + 19 + 13);
    QCOMPARE(lines[3].Text, QString("N = 12"));
    QCOMPARE(lines[4].Text, QString("Common CV"));
    QCOMPARE(lines[4].Style, TStatsLine::Underlined);
    QCOMPARE(lines[4].Y, 158 + 19 + 13 + 13 + 19);
    a.Options &= quint8(~aoCommonCV);
    QCOMPARE(StatsLines(a, 0, 138, 13).size(), 4);
}

void TestTChartGeometry::statisticsTextOfAFixedLevelWithoutPoints()
{
    TAnalyte a("Albumin", "g/L", 0, 1);
    a.LimitMode[0] = lmFixed;
    a.ReferenceStats[0].Mean = 42;
    RecomputeAll(a, TRisks());
    const QList<TStatsLine> lines = StatsLines(a, 0, 18, 13);
    QCOMPARE(lines.size(), 2); // mode and N: no mean, no CV, no common CV under fixed limits
    QCOMPARE(lines[0].Text, QString("Fixed limits"));
    QCOMPARE(lines[1].Text, QString("N = 0"));
    QCOMPARE(lines[1].Y, 38 + 19);
}

void TestTChartGeometry::dateAxisWritesMonthAndYearOnChange()
{
    const TAnalyte a = DailyAnalyte(4, 1, QDate(2025, 12, 30));
    TChartView view;
    view.Last = 3;
    const QList<TDateLabel> labels = DateLabels(a, view);
    QCOMPARE(labels.size(), 4);
    QCOMPARE(labels[0].Day, QString("30"));
    QCOMPARE(labels[0].Month, QString("Dec"));
    QCOMPARE(labels[0].Year, QString("25"));
    QCOMPARE(labels[1].Month, QString());
    QCOMPARE(labels[1].Year, QString());
    QCOMPARE(labels[2].Day, QString("1"));
    QCOMPARE(labels[2].Month, QString("Jan"));
    QCOMPARE(labels[2].Year, QString("26"));
    QCOMPARE(labels[3].Month, QString());
    QCOMPARE(labels[2].X, 70);
}

void TestTChartGeometry::dateAxisRestartsWithTheWindow()
{
    const TAnalyte a = DailyAnalyte(40, 1, QDate(2026, 1, 1));
    TChartView view;
    view.First = 5;
    view.Last = 35;
    const QList<TDateLabel> labels = DateLabels(a, view);
    QCOMPARE(labels.size(), 31);
    QCOMPARE(labels[0].Day, QString("6"));
    QCOMPARE(labels[0].Month, QString("Jan"));
    QCOMPARE(labels[0].Year, QString("26"));
    QCOMPARE(labels[0].X, 40);
    QCOMPARE(labels[26].Day, QString("1"));
    QCOMPARE(labels[26].Month, QString("Feb"));
    QCOMPARE(labels[26].Year, QString()); // same year as already written
}

void TestTChartGeometry::dateAxisMarksTheSelectedInterval()
{
    const TAnalyte a = DailyAnalyte(10);
    TChartView view;
    view.Last = 9;
    view.SelFirst = 3;
    view.SelLast = 5;
    const QList<TDateLabel> labels = DateLabels(a, view);
    QList<int> selected;
    for (const TDateLabel& l : labels)
        if (l.Selected)
            selected << l.Index;
    QCOMPARE(selected, QList<int>({ 3, 4, 5 }));
}

void TestTChartGeometry::commentIconsSitLeftOfTheirPoints()
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    for (int i = 0; i < 40; ++i)
        a.AddPoint(MakeResult(46000 + i, 10, NAN, NAN, QString(), i % 10 == 3 ? "note" : ""));
    TChartView view;
    view.First = 9;
    view.Last = 39;
    // Points 13, 23 and 33 carry comments: x = 40 + 15 (k - 9) - 4.
    QCOMPARE(CommentIconXs(a, view), QList<int>({ 96, 246, 396 }));
}

VANTOREL_TEST(TestTChartGeometry)
#include "TestTChartGeometry.moc"
