// Statistics, limits and classification against values computed by hand.
#include "TAnalyte.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

class TestStatistics : public QObject {
    Q_OBJECT

private:
    TRisks risks { 0, 4 };
    // An analyte of one level holding the given values, one a day.
    static TAnalyte WithValues(std::initializer_list<double> values)
    {
        TAnalyte a("Test", "mmol/L", 2, 1);
        a.Options = aoWestgard; // limits from the level's own SD
        double day = 45000;
        for (double v : values)
            a.AddPoint(MakeResult(day++, v));
        return a;
    }

private slots:
    void emptyLevelTakesTheDefaults()
    {
        TAnalyte a("Empty", "g/L", 0, 1);
        a.RecomputeAll(risks);
        const TLevelStats& s = a.AllPointsStats[0];
        QCOMPARE(s.N, 0);
        QCOMPARE(s.Status, quint8(6));
        QCOMPARE(s.Mean, 0.0);
        QCOMPARE(s.ChartLow, -1.0);
        QCOMPARE(s.ChartHigh, 1.0);
        QCOMPARE(s.WarningHalfWidth, 0.5);
        QCOMPARE(s.ActionHalfWidth, 0.8);
        QCOMPARE(a.ReferenceStats[0].Status, quint8(6));
    }

    void singleValueIsNotComputableAndWithin()
    {
        TAnalyte a = WithValues({ 3.0 });
        a.RecomputeAll(risks);
        const TLevelStats& s = a.ReferenceStats[0];
        QCOMPARE(s.Status, quint8(6));
        QCOMPARE(s.DegreesOfFreedom, 0);
        QCOMPARE(s.Mean, 3.0);
        QCOMPARE_NEAR(s.WarningHalfWidth, 1.5, 1e-12); // |0.5 x 3|
        QCOMPARE_NEAR(s.ActionHalfWidth, 2.4, 1e-12); // |0.8 x 3|
        QCOMPARE(s.ChartLow, 0.0); // 3 - |3|
        QCOMPARE(s.ChartHigh, 6.0); // 3 + |3|
        // Mobile limits that cannot be computed classify every value as within.
        TQCPoint far;
        far.Values[0] = { 100.0f, psWithin };
        a.ClassifyPoint(far);
        QCOMPARE(far.Values[0].Status, quint8(psWithin));
    }

    void twoValuesUseTheFirstColumnOfTheTable()
    {
        TAnalyte a = WithValues({ 4.0, 6.0 });
        a.RecomputeAll(risks);
        const TLevelStats& s = a.ReferenceStats[0];
        QCOMPARE(s.Status, quint8(0));
        QCOMPARE(s.Mean, 5.0);
        QCOMPARE(s.DegreesOfFreedom, 1);
        // SD = sqrt(2); t(0.05, 1) = 12.706 and t(0.002, 1) = 318.31.
        QCOMPARE_NEAR(s.WarningHalfWidth, 12.706 * std::sqrt(2.0), 1e-12);
        QCOMPARE_NEAR(s.ActionHalfWidth, 318.31 * std::sqrt(2.0), 1e-12);
        QCOMPARE_NEAR(s.CV, 28.284271, 1e-6); // sqrt(2) x 100 / 5
        QCOMPARE(a.AllPointsStats[0].ChartLow, 4.0);
        // The mobile chart range widens to the action limits.
        QCOMPARE_NEAR(s.ChartHigh, 5.0 + 318.31 * std::sqrt(2.0), 1e-12);
        QCOMPARE_NEAR(s.ChartLow, 5.0 - 318.31 * std::sqrt(2.0), 1e-12);
    }

    void tValueInterpolatesBetweenColumns()
    {
        // 35 dof: halfway between the 30 (2.042) and 40 (2.021) columns.
        QCOMPARE_NEAR(TValue(0, 35), 2.0315, 1e-12);
        // 240 dof: halfway between T120 (1.980) and the limit (1.960), in 1/dof.
        QCOMPARE_NEAR(TValue(0, 240), 1.970, 1e-12);
        QCOMPARE_NEAR(TValue(4, 1), 318.31, 1e-12);
        QCOMPARE_NEAR(TValue(4, 29), 3.396, 1e-12);
        QCOMPARE_NEAR(TValue(2, 50), 2.704 - (2.704 - 2.660) / 2, 1e-12);
        QCOMPARE_NEAR(TValue(3, 90), 2.915 - (2.915 - 2.860) / 2, 1e-12);
        // Very large counts approach the normal quantile.
        QCOMPARE_NEAR(TValue(4, 100000000), 3.090, 1e-5);
        // Out-of-range arguments stay inside the table.
        QCOMPARE(TValue(9, 1), TValue(4, 1));
        QCOMPARE(TValue(0, 0), TValue(0, 1));
    }

    void tTableMatchesExactQuantiles()
    {
        const double probabilities[TTableRows] = { 0.05, 0.02, 0.01, 0.005, 0.002 };
        const int columnDof[TTableColumns - 1] = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
            20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 40, 60, 120 };
        for (int r = 0; r < TTableRows; ++r) {
            for (int c = 0; c < TTableColumns; ++c) {
                double exact;
                if (c == TTableColumns - 1) {
                    boost::math::normal_distribution<> normal;
                    exact = boost::math::quantile(boost::math::complement(normal, probabilities[r] / 2));
                } else {
                    boost::math::students_t_distribution<> t(columnDof[c]);
                    exact = boost::math::quantile(boost::math::complement(t, probabilities[r] / 2));
                }
                // Printed with three decimals, two above 100: within half a unit of the last digit.
                const double halfUnit = exact >= 100 ? 0.005 : 0.0005;
                if (std::fabs(TTable[r][c] - exact) > halfUnit + 1e-12)
                    QFAIL(qPrintable(QString("row %1 column %2: %3 vs exact %4")
                                         .arg(r)
                                         .arg(c)
                                         .arg(TTable[r][c])
                                         .arg(exact, 0, 'f', 6)));
            }
        }
    }

    void discardedValuesAreOnlyCounted()
    {
        TAnalyte a = WithValues({ 4.0, 6.0 });
        TResu0 r = MakeResult(45010, 100.0);
        r.Values[0].Status = psDiscarded;
        a.AddPoint(r);
        a.RecomputeAll(risks);
        const TLevelStats& s = a.AllPointsStats[0];
        QCOMPARE(s.N, 2);
        QCOMPARE(s.Discarded, 1);
        QCOMPARE(s.Mean, 5.0);
        QCOMPARE(s.Max, 6.0);
    }

    void fixedLevelWithOnlyDiscardedValuesKeepsItsRange()
    {
        TAnalyte a("Fixed", "g/L", 0, 1);
        TResu0 r = MakeResult(45000, 80.0);
        r.Values[0].Status = psDiscarded;
        a.AddPoint(r);
        a.LimitMode[0] = lmFixed;
        a.ReferenceStats[0].Mean = 42;
        a.ReferenceStats[0].WarningHalfWidth = 2;
        a.ReferenceStats[0].ActionHalfWidth = 3;
        a.RecomputeAll(risks);
        const TLevelStats& s = a.ReferenceStats[0];
        QCOMPARE(s.Status, quint8(0));
        QCOMPARE(s.Mean, 42.0);
        QCOMPARE(s.ChartLow, 39.0);
        QCOMPARE(s.ChartHigh, 45.0);
    }

    void lockedIntervalOfEqualValuesFallsBack()
    {
        TAnalyte a = WithValues({ 5.0, 5.0, 5.0, 7.0 });
        a.LimitMode[0] = lmLocked;
        a.LockStart[0] = 0;
        a.LockEnd[0] = 2;
        a.RecomputeAll(risks);
        QCOMPARE(a.LimitMode[0], quint8(lmMobile));
        QCOMPARE(a.LockStart[0], -1);
        QCOMPARE(a.LockEnd[0], -1);
        QCOMPARE(a.ReferenceStats[0].N, 4); // the mobile statistics over all points
    }

    void mixedThreeLevelAnalyte()
    {
        TAnalyte a("Mixed", "mmol/L", 1, 3);
        const double level0[] = { 10, 12, 11, 13 };
        const double level1[] = { 20, 22, 24, 30 };
        const double level2[] = { 49, 55, NAN, NAN };
        for (int i = 0; i < 4; ++i)
            a.AddPoint(MakeResult(45000 + i, level0[i], level1[i], level2[i]));
        TResu0 discarded = MakeResult(45004, NAN, NAN, 60);
        discarded.Values[2].Status = psDiscarded;
        a.AddPoint(discarded);
        a.LimitMode[1] = lmLocked;
        a.LockStart[1] = 1;
        a.LockEnd[1] = 3;
        a.LimitMode[2] = lmFixed;
        a.ReferenceStats[2].Mean = 50;
        a.ReferenceStats[2].WarningHalfWidth = 2;
        a.ReferenceStats[2].ActionHalfWidth = 3;
        a.Options = aoWestgard; // no common CV
        a.RecomputeAll(risks);

        // Level 0, mobile: mean 11.5, SD sqrt(5/3) = 1.2909944, 3 dof: t 3.182 and 10.215.
        QCOMPARE_NEAR(a.ReferenceStats[0].Mean, 11.5, 1e-12);
        QCOMPARE_NEAR(a.ReferenceStats[0].WarningHalfWidth, 4.1079443359, 1e-9);
        QCOMPARE_NEAR(a.ReferenceStats[0].ActionHalfWidth, 13.1875082938, 1e-9);
        QCOMPARE_NEAR(a.ReferenceStats[0].CV, 11.2260387, 1e-6);
        // Level 1, locked on points 1..3 (22, 24, 30): mean 25.3333, SD 4.1633320, 2 dof: t 4.303 and 22.327.
        QCOMPARE(a.ReferenceStats[1].N, 3);
        QCOMPARE_NEAR(a.ReferenceStats[1].Mean, 25.3333333333, 1e-10);
        QCOMPARE_NEAR(a.ReferenceStats[1].WarningHalfWidth, 17.9148175914, 1e-9);
        QCOMPARE_NEAR(a.ReferenceStats[1].ActionHalfWidth, 92.9547135402, 1e-9);
        // The chart spans all points (20..30), widened to the action limits.
        QCOMPARE_NEAR(a.ReferenceStats[1].ChartLow, -67.6213802068, 1e-9);
        QCOMPARE_NEAR(a.ReferenceStats[1].ChartHigh, 118.2880468735, 1e-9);
        QCOMPARE(a.AllPointsStats[1].N, 4);
        // Level 2, fixed 50 +- 2 / 3: the chart grows to the largest counted value, 55.
        QCOMPARE(a.ReferenceStats[2].Mean, 50.0);
        QCOMPARE(a.ReferenceStats[2].ChartLow, 47.0);
        QCOMPARE(a.ReferenceStats[2].ChartHigh, 55.0);
        QCOMPARE(a.AllPointsStats[2].Discarded, 1);

        a.ClassifyAll();
        QCOMPARE(a.Point(0).Values[2].Status, quint8(psWithin)); // 49: 1 below the target
        QCOMPARE(a.Point(1).Values[2].Status, quint8(psHighAction)); // 55: 5 above
        QCOMPARE(a.Point(4).Values[2].Status, quint8(psDiscarded)); // left alone
        QCOMPARE(a.Point(4).Values[0].Status, quint8(psNoValue));
    }

    void commonCVPoolsTheNonFixedLevels()
    {
        TAnalyte a("Pooled", "mmol/L", 1, 3);
        a.AddPoint(MakeResult(45000, 10, 20, 99));
        a.AddPoint(MakeResult(45001, 12, 21, 101));
        a.AddPoint(MakeResult(45002, NAN, 23, NAN));
        a.LimitMode[2] = lmFixed;
        a.ReferenceStats[2].Mean = 100;
        a.ReferenceStats[2].WarningHalfWidth = 4;
        a.ReferenceStats[2].ActionHalfWidth = 6;
        a.Options = aoCommonCV;
        a.RecomputeAll(risks);
        // CVs 12.856487 % (1 dof) and 7.160275 % (2 dof) pool to 9.448603 % over 3 dof.
        // The pooled CV is built from the single-precision CVs: agreement to 1e-7.
        for (int l = 0; l < 2; ++l) {
            QCOMPARE_NEAR(a.ReferenceStats[l].CV, 9.448603, 1e-6);
            QCOMPARE(a.ReferenceStats[l].DegreesOfFreedom, 3);
        }
        QCOMPARE_NEAR(a.ReferenceStats[0].WarningHalfWidth, 3.3072001625, 1e-7);
        QCOMPARE_NEAR(a.ReferenceStats[0].ActionHalfWidth, 10.6169232117, 1e-7);
        QCOMPARE_NEAR(a.ReferenceStats[1].WarningHalfWidth, 6.4139639515, 1e-7);
        QCOMPARE_NEAR(a.ReferenceStats[1].ActionHalfWidth, 20.5903965319, 1e-7);
        // The fixed level keeps its own limits.
        QCOMPARE(a.ReferenceStats[2].WarningHalfWidth, 4.0);
        QCOMPARE(a.ReferenceStats[2].ActionHalfWidth, 6.0);
    }

    void commonCVRescuesALevelOfOneValue()
    {
        TAnalyte a("Pooled", "mmol/L", 1, 2);
        a.AddPoint(MakeResult(45000, 10, 20));
        a.AddPoint(MakeResult(45001, 12, NAN));
        a.Options = aoCommonCV;
        a.RecomputeAll(risks);
        // Level 1 has one value (status 6) but N > 0: it takes the pooled CV of level 0.
        QCOMPARE(a.ReferenceStats[1].Status, quint8(0));
        QCOMPARE_NEAR(a.ReferenceStats[1].CV, a.ReferenceStats[0].CV, 1e-6);
        QCOMPARE_NEAR(a.ReferenceStats[1].WarningHalfWidth, 12.706 * 0.12856487 * 20, 1e-6);
    }

    void classificationCountsALimitAsBeyond_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("status");
        // Fixed 10 with warning half-width 1 and action half-width 2 (exact binary values).
        QTest::newRow("centre") << 10.0 << int(psWithin);
        QTest::newRow("just inside high warning") << 10.9990234375 << int(psWithin);
        QTest::newRow("on high warning") << 11.0 << int(psHighWarning);
        QTest::newRow("on high action") << 12.0 << int(psHighAction);
        QTest::newRow("on low warning") << 9.0 << int(psLowWarning);
        QTest::newRow("between low limits") << 8.5 << int(psLowWarning);
        QTest::newRow("on low action") << 8.0 << int(psLowAction);
        QTest::newRow("far below") << -100.0 << int(psLowAction);
    }
    void classificationCountsALimitAsBeyond()
    {
        QFETCH(double, value);
        QFETCH(int, status);
        TLevelStats ref;
        ref.Mean = 10;
        ref.WarningHalfWidth = 1;
        ref.ActionHalfWidth = 2;
        ref.Status = 0;
        QCOMPARE(int(ClassifyValue(ref, lmFixed, value)), status);
        QCOMPARE(int(ClassifyValue(ref, lmMobile, value)), status);
    }

    void classifyAllGivesTheSameStatusesAsOnePointAtATime()
    {
        // Level 0 fixed 10 +- 1 / 2 with values on and around each limit; level 1 mobile
        // with a single value (not computable: all within); level 2 discarded and empty cells.
        TAnalyte a("Limits", "U", 1, 3);
        const double values[] = { 10, 11, 12, 9, 8, 8.5, 13, 7, 10.5, 11.5 };
        for (int i = 0; i < 10; ++i) {
            TResu0 r = MakeResult(45000 + i, values[i], i == 0 ? 100 : NAN, i % 2 ? 5.0 : NAN);
            if (i % 4 == 1)
                r.Values[2].Status = psDiscarded;
            a.AddPoint(r);
        }
        a.LimitMode[0] = lmFixed;
        a.ReferenceStats[0].Mean = 10;
        a.ReferenceStats[0].WarningHalfWidth = 1;
        a.ReferenceStats[0].ActionHalfWidth = 2;
        a.Options = aoWestgard;
        a.RecomputeAll(risks);
        TAnalyte one = a;
        a.ClassifyAll();
        for (int i = 0; i < one.Count(); ++i) {
            one.ClassifyPoint(one.Point(i));
            for (int l = 0; l < 3; ++l)
                QCOMPARE(a.Point(i).Values[l].Status, one.Point(i).Values[l].Status);
        }
        const quint8 expected[] = { psWithin, psHighWarning, psHighAction, psLowWarning, psLowAction, psLowWarning,
            psHighAction, psLowAction, psWithin, psHighWarning };
        for (int i = 0; i < 10; ++i)
            QCOMPARE(a.Point(i).Values[0].Status, expected[i]);
        QCOMPARE(a.Point(0).Values[1].Status, quint8(psWithin));
        QCOMPARE(a.Point(1).Values[2].Status, quint8(psDiscarded));
        QCOMPARE(a.Point(2).Values[2].Status, quint8(psNoValue));
    }

    void longSeriesOfCloseValuesKeepsItsSD()
    {
        // 11,000 values alternating 1000 and 1000.125: mean 1000.0625, population SD 0.0625,
        // sample SD 0.0625 x sqrt(11000 / 10999). Plain sums of squares lose most digits here.
        TAnalyte a("Close", "U", 3, 1);
        a.Options = aoWestgard;
        for (int i = 0; i < 11000; ++i)
            a.AddPoint(MakeResult(40000 + i, i % 2 ? 1000.125 : 1000.0));
        a.RecomputeAll(risks);
        const double sd = 0.0625 * std::sqrt(11000.0 / 10999.0);
        QCOMPARE(a.ReferenceStats[0].Mean, 1000.0625);
        QCOMPARE_NEAR(a.ReferenceStats[0].CV, sd * 100 / 1000.0625, 1e-7);
        QCOMPARE_NEAR(a.ReferenceStats[0].WarningHalfWidth, TValue(0, 10999) * sd, 1e-13);
    }

    void levelStatisticsOverAPartialRange()
    {
        TAnalyte a = WithValues({ 1.0, 10.0, 12.0, 100.0 });
        const TLevelStats s = LevelStatistics(a, 0, 1, 2, risks);
        QCOMPARE(s.N, 2);
        QCOMPARE(s.Mean, 11.0);
        QCOMPARE(LevelStatistics(a, 0, 3, 2, risks).N, 0); // first > last: empty
    }

    void recomputeAllAgreesWithComputeLevel()
    {
        // RecomputeAll gathers every level in one pass; ComputeLevel does one level.
        auto context = MakeTestContext();
        TAnalyte a("Random", "U/L", 1, 3);
        TQCValues means, cvs;
        for (int l = 0; l < 3; ++l) {
            means[l] = { float(10 * (l + 1)), psWithin };
            cvs[l] = { 4.0f, psWithin };
        }
        a.AddRandomPoints(60, means, cvs, 45000.5, context->Random(), risks);
        a.LimitMode[1] = lmLocked;
        a.LockStart[1] = 5;
        a.LockEnd[1] = 30;
        a.Options = aoWestgard;
        TAnalyte b = a;
        a.RecomputeAll(risks);
        for (int l = 0; l < 3; ++l)
            b.ComputeLevel(l, risks);
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(a.AllPointsStats[l], b.AllPointsStats[l]);
            QCOMPARE(a.ReferenceStats[l], b.ReferenceStats[l]);
        }
        QCOMPARE(a.LimitMode[1], quint8(lmLocked));
        QCOMPARE(a.ReferenceStats[1].N, 26);
    }
};

VANTOREL_TEST(TestStatistics)
#include "TestStatistics.moc"
