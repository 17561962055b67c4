#include "TAnalyte.h"
#include "TChartSelection.h"
#include "TDates.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

// The interval chosen by click, Shift+click and gliding, and the
// partial statistics of the interval.
class TestTChartSelection : public QObject {
    Q_OBJECT

private slots:
    void clickThenShiftClickInEitherOrder();
    void shiftClickWithoutAnchorSelectsNothing();
    void glidingInsideTheWindow_data();
    void glidingInsideTheWindow();
    void glidingPastTheLeftEdgeScrollsBackOnePointPerMove();
    void glidingPastTheRightEdgeScrollsForwardToTheEnd();
    void glidingOnAShortSeriesNeverScrolls();
    void glidingWithoutAnchorDoesNothing();
    void partialStatisticsOfAKnownInterval();
    void partialStatisticsWithoutUsableValues();
};

void TestTChartSelection::clickThenShiftClickInEitherOrder()
{
    TIntervalSelection forward;
    forward.Click(3);
    QVERIFY(forward.ShiftClick(12));
    TIntervalSelection backward;
    backward.Click(12);
    QVERIFY(backward.ShiftClick(3));
    QCOMPARE(forward.First, 3);
    QCOMPARE(forward.Last, 12);
    QCOMPARE(backward.First, forward.First);
    QCOMPARE(backward.Last, forward.Last);
    // The anchor stays: a second Shift+click re-spans from it.
    QVERIFY(backward.ShiftClick(20));
    QCOMPARE(backward.First, 12);
    QCOMPARE(backward.Last, 20);
}

void TestTChartSelection::shiftClickWithoutAnchorSelectsNothing()
{
    TIntervalSelection selection;
    QVERIFY(!selection.ShiftClick(7));
    QVERIFY(!selection.IsSet());
    QCOMPARE(selection.First, -1);
    QCOMPARE(selection.Last, -1);
    selection.Click(4);
    selection.Clear();
    QVERIFY(!selection.ShiftClick(7));
    QVERIFY(!selection.IsSet());
}

void TestTChartSelection::glidingInsideTheWindow_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // Window 40..70 of 100 points, anchor 50.
    QTest::newRow("left of x = 53") << 45 << 40 << 50;
    QTest::newRow("column 4") << 38 + 15 * 4 << 44 << 50;
    QTest::newRow("just before the next column") << 38 + 15 * 5 - 1 << 44 << 50;
    QTest::newRow("right of the anchor") << 38 + 15 * 20 << 50 << 60;
    QTest::newRow("last counted pixel") << 15 * 30 + 37 << 50 << 69;
    QTest::newRow("right of the last point") << 500 << 50 << 70;
}

void TestTChartSelection::glidingInsideTheWindow()
{
    QFETCH(int, x);
    QFETCH(int, first);
    QFETCH(int, last);
    TIntervalSelection selection;
    selection.Click(50);
    QCOMPARE(selection.Glide(x, 40, 70, 100), 40);
    QCOMPARE(selection.First, first);
    QCOMPARE(selection.Last, last);
    QCOMPARE(selection.Anchor, 50);
}

void TestTChartSelection::glidingPastTheLeftEdgeScrollsBackOnePointPerMove()
{
    TIntervalSelection selection;
    selection.Click(80);
    int first = 69;
    for (int move = 1; move <= 69; ++move) {
        first = selection.Glide(20, first, first + 30, 100);
        QCOMPARE(first, 69 - move);
        QCOMPARE(selection.First, first);
        QCOMPARE(selection.Last, 80);
    }
    // At the first point the window stops.
    QCOMPARE(selection.Glide(20, 0, 30, 100), 0);
    QCOMPARE(selection.First, 0);
    // Between x = 38 and the plot nothing scrolls.
    QCOMPARE(selection.Glide(38, 10, 40, 100), 10);
}

void TestTChartSelection::glidingPastTheRightEdgeScrollsForwardToTheEnd()
{
    TIntervalSelection selection;
    selection.Click(60);
    int first = 66;
    first = selection.Glide(504, first, first + 30, 100);
    QCOMPARE(first, 67);
    QCOMPARE(selection.Last, 97);
    first = selection.Glide(504, first, first + 30, 100);
    first = selection.Glide(504, first, first + 30, 100);
    QCOMPARE(first, 69); // the scroll bar's maximum: 100 - 31
    QCOMPARE(selection.First, 60);
    QCOMPARE(selection.Last, 99);
    QCOMPARE(selection.Glide(503, first, first + 30, 100), 69);
}

void TestTChartSelection::glidingOnAShortSeriesNeverScrolls()
{
    TIntervalSelection selection;
    selection.Click(5);
    QCOMPARE(selection.Glide(10, 0, 9, 10), 0);
    QCOMPARE(selection.First, 0);
    QCOMPARE(selection.Glide(600, 0, 9, 10), 0);
    QCOMPARE(selection.First, 5);
    QCOMPARE(selection.Last, 9);
    // Thirty-one points fill the window exactly: no room to scroll.
    selection.Click(0);
    QCOMPARE(selection.Glide(600, 0, 30, 31), 0);
    QCOMPARE(selection.Last, 30);
}

void TestTChartSelection::glidingWithoutAnchorDoesNothing()
{
    TIntervalSelection selection;
    QCOMPARE(selection.Glide(20, 50, 80, 100), 50);
    QVERIFY(!selection.IsSet());
}

void TestTChartSelection::partialStatisticsOfAKnownInterval()
{
    TAnalyte analyte("Glucose", "mmol/L", 1, 3);
    const double day = DateToDayCount(QDate(2026, 1, 1));
    analyte.AddPoint(MakeResult(day + 0, 100, 1));
    analyte.AddPoint(MakeResult(day + 1, 4, 2));
    analyte.AddPoint(MakeResult(day + 2, 5, NAN));
    analyte.AddPoint(MakeResult(day + 3, 6, 2));
    analyte.AddPoint(MakeResult(day + 4, 200, 7));
    TQCPoint& discarded = analyte.Point(2);
    discarded.Values[1] = { 9.0f, psDiscarded, { 0, 0, 0 } };
    TIntervalSelection selection;
    selection.Click(3);
    selection.ShiftClick(1);
    const TRisks risks;
    // Level 0: 4, 5, 6 -> mean 5, SD 1, CV 20 %.
    QCOMPARE(LockGridRow(analyte, 0, selection, risks), (TLockGridRow { "5.00", "20.0", "3" }));
    // Level 1: 2 and 2 (the 9 is discarded): a mean without CV.
    QCOMPARE(LockGridRow(analyte, 1, selection, risks), (TLockGridRow { "2.00", "", "2" }));
    // Level 2 has no value at all.
    QCOMPARE(LockGridRow(analyte, 2, selection, risks), (TLockGridRow { "", "", "0" }));
    selection.Clear();
    QCOMPARE(LockGridRow(analyte, 0, selection, risks), (TLockGridRow { "", "", "0" }));
}

void TestTChartSelection::partialStatisticsWithoutUsableValues()
{
    TAnalyte analyte("Albumin", "g/L", 0, 1);
    const double day = DateToDayCount(QDate(2026, 1, 1));
    analyte.AddPoint(MakeResult(day, 40));
    analyte.AddPoint(MakeResult(day + 1, 44));
    TIntervalSelection selection;
    selection.Click(0);
    selection.ShiftClick(1);
    // 40 and 44: mean 42, SD 2.828..., CV 6.734 %.
    QCOMPARE(LockGridRow(analyte, 0, selection, TRisks()), (TLockGridRow { "42.0", "6.7", "2" }));
    selection.Click(1);
    QCOMPARE(LockGridRow(analyte, 0, selection, TRisks()), (TLockGridRow { "44.0", "", "1" }));
}

VANTOREL_TEST(TestTChartSelection)
#include "TestTChartSelection.moc"
