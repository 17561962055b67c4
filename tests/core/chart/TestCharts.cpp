#include "TAnalyte.h"
#include "TChartGeometry.h"
#include "TChartSelection.h"
#include "TDates.h"
#include "TPointPopup.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TValidScale.h"
#include "TestHelpers.h"

#include <QRegularExpression>

namespace {

// An analyte of `count` points, one a day from `start` at noon, values 9.5, 10, 10.5 in turn.
TAnalyte DailyAnalyte(int count, QDate start = QDate(2026, 1, 1))
{
    TAnalyte a("Glucose", "mmol/L", 1, 1);
    for (int i = 0; i < count; ++i)
        a.AddPoint(
            MakeResult(DateToDayCount(start) + 0.5 + i, 9.5 + (i % 3) * 0.5, NAN, NAN, "", i % 10 == 3 ? "c" : ""));
    RecomputeAll(a, TRisks());
    return a;
}

TLevelStats Reference(double lo, double hi, double m, double w, double a, int n = 0, quint8 status = 6)
{
    TLevelStats r { .Mean = m, .WarningHalfWidth = w, .ActionHalfWidth = a, .ChartLow = lo, .ChartHigh = hi, .N = n };
    r.Status = status;
    return r;
}

} // namespace

class TestCharts : public QObject {
    Q_OBJECT

private slots:
    void windowOfPoints()
    {
        // Count and selected point: first..last, and the scroll bar (maximum, position) when shown. Up
        // to 31 points show at once; a selected point before the newest 31 moves the window.
        QStringList windows;
        for (const auto& [count, selected] :
            { std::pair { -1, -1 }, { 0, -1 }, { 30, -1 }, { 31, -1 }, { 100, 85 }, { 100, 30 }, { 100, 31 } }) {
            const TChartWindow w = ComputeChartWindow(count, selected);
            windows << QString("%1..%2").arg(w.First).arg(w.Last)
                    + (w.ScrollVisible ? " " + Join(w.ScrollMax, w.ScrollPos) : "");
        }
        QCOMPARE(windows.join(", "), QString("0..-1, 0..-1, 0..29, 0..30 0 0, 69..99 69 69, 0..30 69 0, 31..61 69 31"));
        // A press at x is at window position (x - 33) div 15, truncated towards zero.
        for (const auto& [x, count] :
            { std::pair { 40, 31 }, { 20, 31 }, { 10, 31 }, { 48, 31 }, { 490, 31 }, { 498, 40 }, { 100, 3 } })
            windows << QString::number(WindowPositionAt(x, 0, count));
        QCOMPARE(windows.mid(7).join(' '), QString("0 0 -1 1 30 -1 -1"));
    }

    void valuesMapOntoTheBand()
    {
        // 8..14 on 120 pixels below 138: 20 pixels a unit; off the scale a value sticks to the edge
        // on its side of the mean, the lower bound itself included; halves go to the even neighbour.
        const TValueScale s = MakeValueScale(Reference(8, 14, 11, 1, 2), 138);
        QCOMPARE(Join(s.Bottom, s.Factor, s.Y(14), s.Y(11), s.Y(8.05), s.Y(25), s.Y(-3), s.Y(8)),
            "258 20 138 198 257 138 258 258");
        QCOMPARE(MakeValueScale(Reference(8, 14, 5, 1, 2), 18).Y(7), 18);
        const TValueScale unit = MakeValueScale(Reference(0, 120, 60, 10, 20), 0);
        QCOMPARE(Join(unit.Y(0.5), unit.Y(1.5), unit.Y(2.5), unit.Y(2.75)), "120 118 118 117");
        // Bounds (nearly) equal: two pixels per unit.
        QCOMPARE(Join(MakeValueScale(Reference(5, 5, 5, 0, 0), 0).Factor,
                     MakeValueScale(Reference(5, 5.000005, 5, 0, 0), 0).Factor),
            "2 2");
    }

    void scaleFigures_data()
    {
        QTest::addColumn<bool>("chart"); // the chart's scale from low to high, or the validation scale around a centre
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("figures");
        // Chart: range R, power D, quotient Q = R / D: below 1.2 a step of 0.2 D, then 0.4, 0.5, D, 2 D.
        // Validation: the range is three half-ranges; steps of 0.1, 0.2, 0.4, 0.5 and 1 times its power.
        // Figures from the first multiple of the step above the lower end (on it below zero).
        // clang-format off
        QTest::newRow("R 1: 0.2") << true << 2.5 << 3.5 << "2.6 2.8 3.0 3.2 3.4";
        QTest::newRow("R 2: 0.4") << true << 0.0 << 2.0 << "0.4 0.8 1.2 1.6 2.0";
        QTest::newRow("R 2.5: 0.5") << true << 0.0 << 2.5 << "0.5 1.0 1.5 2.0 2.5";
        QTest::newRow("R 45: D") << true << -5.0 << 40.0 << "0 10 20 30 40";
        QTest::newRow("below zero") << true << -25.0 << 20.0 << "-20 -10 0 10 20";
        QTest::newRow("R 7: 2 D") << true << 0.0 << 7.0 << "2 4 6";
        QTest::newRow("R 1200: 0.4 D") << true << 0.0 << 1200.0 << "400 800 1200";
        QTest::newRow("R 0.35: D") << true << 1.0 << 1.35 << "1.1 1.2 1.3";
        QTest::newRow("R 0.012: 0.4 D") << true << 2.0 << 2.012 << "2.004 2.008 2.012";
        QTest::newRow("equal bounds") << true << 5.0 << 5.0 << "";
        QTest::newRow("range 19.8: 2") << false << 100.0 << 6.6 << "94 96 98 100 102 104 106";
        QTest::newRow("range 0.99: 0.1") << false << 5.0 << 0.33 << "4.7 4.8 4.9 5.0 5.1 5.2 5.3";
        QTest::newRow("range exactly 1: 0.1") << false << 0.0 << 1.0 / 3 << "-0.3 -0.2 -0.1 0.0 0.1 0.2 0.3";
        QTest::newRow("range 1.1: 0.1") << false << 0.0 << 1.1 / 3 << "-0.3 -0.2 -0.1 0.0 0.1 0.2 0.3";
        QTest::newRow("range 2.5: 0.4") << false << 0.0 << 2.5 / 3 << "-0.8 -0.4 0.0 0.4 0.8";
        QTest::newRow("range 4.5: 0.5") << false << 0.0 << 1.5 << "-1.5 -1.0 -0.5 0.0 0.5 1.0 1.5";
        QTest::newRow("range 7: 1") << false << 0.0 << 7.0 / 3 << "-2 -1 0 1 2";
        QTest::newRow("range 30: 5") << false << 10.0 << 10.0 << "5 10 15 20";
        QTest::newRow("range 0.05: 0.005") << false << 0.0 << 0.05 / 3 << "-0.015 -0.010 -0.005 0.000 0.005 0.010 0.015";
        QTest::newRow("range 600: 100") << false << 0.0 << 200.0 << "-200 -100 0 100 200";
        QTest::newRow("no range") << false << 100.0 << 0.0 << "";
        QTest::newRow("centre not a number") << false << double(NAN) << 1.0 << "";
        // clang-format on
    }
    void scaleFigures()
    {
        QFETCH(bool, chart);
        QFETCH(double, a);
        QFETCH(double, b);
        QStringList texts;
        const TValueScale s = MakeValueScale(Reference(a, b, (a + b) / 2, 0, 0), 18);
        for (const TScaleTick& t : chart ? ScaleTicks(s) : QList<TScaleTick>())
            texts << t.Text + (t.Y == s.Y(t.Value) ? "" : "?");
        for (const TScaleFigure& figure : chart ? QList<TScaleFigure>() : ScaleFigures(a, b, QChar('.')))
            texts << figure.Text;
        QTEST(texts.join(' '), "figures");
        // A step too small to move a huge centre: bounded, not endless.
        QCOMPARE(ScaleFigures(1e17, 1).size(), MaxScaleFigures);
    }

    void bandLinesAndLockedShading()
    {
        // Action limits on the scale bounds: no border lines (a scale widened by points has both:
        // TestChartPainter sees them).
        const TLevelStats r = Reference(8, 14, 11, 1, 3);
        const TBandLines l = BandLines(MakeValueScale(r, 18), r);
        QCOMPARE(
            Join(l.ActionHigh, l.WarningHigh, l.Mean, l.WarningLow, l.ActionLow, int(l.BorderTop), int(l.BorderBottom)),
            "18 58 78 98 138 0 0");
        // The shading of a locked interval 2..10, clipped to the plot, for windows from 0, 5 and 20.
        TAnalyte a = DailyAnalyte(60);
        SetLocked(a, 0, 2, 10);
        QStringList shades;
        for (int first : { 0, 5, 20 }) {
            const TLockShade shade = LockShade(a, 0, first);
            shades << (shade.Visible ? QString("%1..%2").arg(shade.X1).arg(shade.X2) : QString("none"));
        }
        QCOMPARE(shades.join(' '), "70..190 40..115 none");
        a.LockEnd[0] = 50;
        QCOMPARE(LockShade(a, 0, 0).X2, 490);
        a.LimitMode[0] = lmMobile;
        QVERIFY(!LockShade(a, 0, 0).Visible);
    }

    void plotPointsAndMarkers()
    {
        // A value scale is drawn for fixed limits or for values, a discarded one included.
        TAnalyte a("Glucose", "mmol/L", 1, 1);
        QVERIFY(!HasValueScale(a, 0));
        a.LimitMode[0] = lmFixed;
        QVERIFY(HasValueScale(a, 0));
        a.LimitMode[0] = lmMobile;
        for (double v : { 30.0, 10.0, double(NAN), 12.0 })
            a.AddPoint(MakeResult(46000 + a.Count(), v));
        for (int i : { 0, 1, 3 })
            a.Point(i).Values[0].Status = psDiscarded;
        RecomputeAll(a, TRisks());
        QVERIFY(HasValueScale(a, 0));
        a.Point(1).Values[0].Status = psWithin;
        a.Point(3).Values[0].Status = psHighAction;
        // Only counted values are joined ("-"); 30 lies above the scale: the top edge. Markers: 0 none,
        // 1 a point, 2 discarded, 3 erased.
        TChartView view;
        view.Last = 3;
        QStringList plotted;
        for (bool erase : { false, true }) {
            view.Erase[0] = erase;
            for (const TPlotPoint& p : PlotPoints(a, 0, MakeValueScale(Reference(8, 14, 11, 1, 2), 138), view))
                plotted << QString("%1,%2 %3%4").arg(p.X).arg(p.Y).arg(int(p.Marker)).arg(p.Joined ? "-" : "");
        }
        QCOMPARE(
            plotted.join(' '), QString("40,138 2 55,218 1- 70,258 0 85,178 1- 40,138 3 55,218 3- 70,258 0 85,178 3-"));
    }

    void statisticsTextDateAxisAndCommentIcons()
    {
        const auto text = [](const TAnalyte& a, int top) {
            QStringList s;
            for (const TStatsLine& line : StatsLines(a, 0, top, 13))
                s << QString("%1 %2 %3").arg(line.Y).arg(int(line.Style)).arg(line.Text);
            return s.join(" | ");
        };
        // Values 9.5, 10, 10.5 repeated: mean 10 with Decimals + 1 = 2 decimals. Style 0 is the mode's
        // label, 2 underlined. Fixed limits without points: no mean, no CV, no common CV.
        TAnalyte a = DailyAnalyte(12);
        QVERIFY2(QRegularExpression("^158 0 Mobile limits \\| 177 1 m = 10.00 mmol/L \\| 190 1 CV = [0-9.]+ % \\| 203 "
                                    "1 N = 12 \\| 222 2 Common CV$")
                     .match(text(a, 138))
                     .hasMatch(),
            qPrintable(text(a, 138)));
        a.Options &= quint8(~aoCommonCV);
        QVERIFY(!text(a, 138).contains("Common"));
        TAnalyte fixed("Albumin", "g/L", 0, 1);
        fixed.LimitMode[0] = lmFixed;
        RecomputeAll(fixed, TRisks());
        QCOMPARE(text(fixed, 18), QString("38 0 Fixed limits | 57 1 N = 0"));
        // Month and year are written where they change, and at the window's start.
        TChartView view;
        view.First = 5;
        view.Last = 40;
        view.SelFirst = 7;
        view.SelLast = 8;
        const TAnalyte days = DailyAnalyte(41, QDate(2025, 12, 25));
        QStringList labels;
        for (const TDateLabel& l : DateLabels(days, view))
            if (!l.Month.isEmpty() || l.Selected)
                labels << QString("%1 %2 %3/%4%5").arg(l.X).arg(l.Day, l.Month, l.Year, l.Selected ? " selected" : "");
        QCOMPARE(labels.join(", "), QString("40 30 Dec/25, 70 1 Jan/26 selected, 85 2 / selected, 535 1 Feb/"));
        // Comments on points 13, 23 and 33 of the window from 9: an icon at x = 40 + 15 (k - 9) - 4.
        view.First = 9;
        view.Last = 39;
        QCOMPARE(CommentIconXs(days, view), QList<int>({ 96, 246, 396 }));
    }

    void intervalByClickShiftClickAndGliding()
    {
        // Each step: the window's first point after it, and the interval chosen.
        TIntervalSelection s;
        QStringList seen;
        const auto note = [&](int first) { seen << QString("%1:%2..%3").arg(first).arg(s.First).arg(s.Last); };
        note(s.Glide(20, 50, 80, 100)); // no anchor: nothing
        QVERIFY(!s.ShiftClick(7));
        s.Click(12);
        QVERIFY(s.ShiftClick(3));
        note(-1);
        QVERIFY(s.ShiftClick(20)); // the anchor stays
        note(-1);
        // Gliding in the window 40..70 of 100 points, anchor 50: 0 left of x = 53, (x - 38) div 15 up to
        // the last point's column, the last point beyond.
        s.Click(50);
        for (int x : { 45, 38 + 15 * 4, 38 + 15 * 5 - 1, 38 + 15 * 20, 15 * 30 + 37, 500 })
            note(s.Glide(x, 40, 70, 100));
        // Left of the plot the window goes back a point a move, down to the first point; right of it
        // forward, up to the scroll bar's maximum 100 - 31; between x = 38 and 503 it stays. A short
        // series never scrolls; thirty-one points fill the window exactly.
        s.Click(1);
        for (const auto& [x, first] : { std::pair { 20, 1 }, { 20, 0 }, { 38, 10 } })
            note(s.Glide(x, first, first + 30, 100));
        s.Click(60);
        for (const auto& [x, first] : { std::pair { 504, 68 }, { 504, 69 }, { 503, 68 } })
            note(s.Glide(x, first, first + 30, 100));
        s.Click(5);
        note(s.Glide(600, 0, 9, 10));
        s.Click(0);
        note(s.Glide(600, 0, 30, 31));
        QCOMPARE(seen.join(' '),
            QString("50:-1..-1 -1:3..12 -1:12..20 40:40..50 40:44..50 40:44..50 40:50..60 40:50..69 40:50..70 0:0..1 "
                    "0:0..1 10:1..10 69:60..99 69:60..99 68:60..98 0:5..9 0:0..30"));
        s.Clear();
        QVERIFY(!s.ShiftClick(7) && !s.IsSet());
    }

    void partialStatisticsOfTheIntervalAndPopup()
    {
        TAnalyte analyte("Glucose", "mmol/L", 1, 3);
        const double values[5][2] = { { 100, 1 }, { 4, 2 }, { 5, 9 }, { 6, 2 }, { 200, 7 } };
        for (int i = 0; i < 5; ++i)
            analyte.AddPoint(MakeResult(46000 + i, values[i][0], values[i][1]));
        analyte.Point(2).Values[1].Status = psDiscarded;
        TIntervalSelection selection;
        const auto rows = [&] {
            QStringList s;
            for (int l = 0; l < 3; ++l) {
                const TLockGridRow row = LockGridRow(analyte, l, selection, TRisks());
                s << row.Mean + "/" + row.CV + "/" + row.N;
            }
            return s.join(' ');
        };
        QCOMPARE(rows(), QString("//0 //0 //0")); // no interval
        // Points 1..3. Level 1: 4, 5, 6, mean 5, SD 1, CV 20 %; level 2: 2 and 2 (9 discarded), a mean
        // without CV; level 3: no value at all. Then 200 alone.
        selection.Click(3);
        selection.ShiftClick(1);
        QCOMPARE(rows(), QString("5.00/20.0/3 2.00//2 //0"));
        selection.Click(4);
        QCOMPARE(rows(), QString("200.00//1 7.00//1 //0"));
        // The pop-up of a point: a line per level, then the comment and the operator when there.
        const double when = DateTimeToDayCount(QDateTime(QDate(2026, 3, 1), QTime(9, 15, 30)));
        analyte.AddPoint(MakeResult(when, 5.14, NAN, 12.3, "JD", "New reagent"));
        analyte.Point(5).Values[2].Status = psHighWarning;
        QCOMPARE(PointPopupCaption(analyte, 5), ShortDateText(when) + " 09:15:30");
        QCOMPARE(PointPopupLines(analyte, 5, { "Lyphocheck 1", "Lyphocheck 2", "Lyphocheck 3" }, {}),
            QList<TPopupLine>({ { "Lyphocheck 1 = 5.1", int(psWithin) }, { "Lyphocheck 2 = absent", -1 },
                { "Lyphocheck 3 = 12.3", int(psHighWarning) }, { "New reagent", -1 }, { "Operator = JD", -1 } }));
        analyte.Decimals = 0;
        QCOMPARE(PointPopupLines(analyte, 2, { "Control" }, {}),
            QList<TPopupLine>({ { "Control = 5", int(psWithin) }, { " = 9", int(psDiscarded) }, { " = absent", -1 } }));
    }

    void validationScale()
    {
        // With statistics the scale reaches 1.1 times the action limit or the value, whichever is
        // farther; without them it has default widths, centred on the value or half a unit towards
        // the mean. A cell without a value changes only the value.
        const TLevelStats valid = Reference(0, 0, 100, 4, 6, 20, 0), single = Reference(0, 0, 50, 25, 40, 1, 6);
        QStringList scales;
        TValidScale scale;
        for (const auto& [stats, cell] : { std::pair { valid, TQCValue { 102, psWithin } }, { valid, { 90, psWithin } },
                 { Reference(0, 0, 0, 0.5, 0.8), { 12, psWithin } }, { single, { 48, psWithin } },
                 { single, { 52, psWithin } }, { single, { 50, psWithin } }, { valid, { 103, psWithin } },
                 { single, { 0, psNoValue } } }) {
            scale.Prepare(stats, cell);
            scales << Join(scale.Value, scale.Centre, scale.HalfRange, scale.WarningHalfWidth, scale.ActionHalfWidth,
                int(scale.HasStatistics));
        }
        QCOMPARE(scales.join(", "),
            QString("102 100 6.6 4 6 1, 90 100 11 4 6 1, 12 12 1.2 0.5 0.8 0, 48 48.5 1.2 0.5 0.8 0, 52 51.5 1.2 0.5 "
                    "0.8 0, 50 50 1.2 0.5 0.8 0, 103 100 6.6 4 6 1, 0 100 6.6 4 6 1"));
        // 410 pixels wide: the scale runs from 20 to 390; 96 is 0.3 x 370 = 111 past the left end,
        // 104.1 is 260.85 past it; 95 on a scale 210 wide is 42.5, rounded away from zero. Values far
        // off the scale are held a little beyond its ends; without extent: the middle.
        scale.Centre = 100;
        scale.HalfRange = 10;
        QCOMPARE(Join(scale.X(90, 410), scale.X(110, 410), scale.X(100, 410), scale.X(96, 410), scale.X(104.1, 410),
                     scale.X(95, 210), scale.X(1000, 410)),
            "20 390 205 131 281 63 760");
        scale.HalfRange = 0;
        QCOMPARE(scale.X(5, 410), 205);
    }
};

VANTOREL_TEST(TestCharts)
#include "TestCharts.moc"
