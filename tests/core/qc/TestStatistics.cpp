#include "TAnalyte.h"
#include "TRandomSeries.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

namespace {

QString Stats(const TLevelStats& s)
{
    return QString::asprintf("N %d/%d dof %d status %d mean %.9g cv %.6g limits %.9g %.9g chart %.9g..%.9g", s.N,
        s.Discarded, s.DegreesOfFreedom, s.Status, s.Mean, double(s.CV), s.WarningHalfWidth, s.ActionHalfWidth,
        s.ChartLow, s.ChartHigh);
}

// An analyte of one level holding the values ("x" marks a discarded one), one a day, with the
// limits from its own SD (no common CV).
TAnalyte WithValues(const QString& values, int levels = 1)
{
    TAnalyte a("Test", "mmol/L", 2, levels);
    a.Options = aoWestgard;
    double day = 45000;
    for (const QString& v : values.split(' ', Qt::SkipEmptyParts)) {
        TResu0 r = MakeResult(day++, v.mid(v.startsWith('x')).toDouble());
        r.Values[0].Status = v.startsWith('x') ? psDiscarded : psWithin;
        a.AddPoint(r);
    }
    return a;
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private slots:
    void levelLimitsByMode_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("mode"); // "locked first last", or "fixed mean warning action"
        QTest::addColumn<QString>("all");
        QTest::addColumn<QString>("reference");
        // Two values: SD sqrt(2), t 12.706 and 318.31 at one dof; the mobile chart widens to the action limits.
        // clang-format off
        QTest::newRow("no value") << "" << "" << "N 0/0 dof 0 status 6 mean 0 cv 0 limits 0.5 0.8 chart -1..1" << "N 0/0 dof 0 status 6 mean 0 cv 0 limits 0.5 0.8 chart -1..1";
        QTest::newRow("one value") << "3" << "" << "N 1/0 dof 0 status 6 mean 3 cv 0 limits 1.5 2.4 chart 0..6" << "N 1/0 dof 0 status 6 mean 3 cv 0 limits 1.5 2.4 chart 0..6";
        QTest::newRow("two values, one discarded") << "4 x100 6" << "" << "N 2/1 dof 1 status 0 mean 5 cv 28.2843 limits 17.9689975 450.158319 chart 4..6" << "N 2/1 dof 1 status 0 mean 5 cv 28.2843 limits 17.9689975 450.158319 chart -445.158319..455.158319";
        // Mean 11.5, SD sqrt(5/3), t 3.182 and 10.215 at 3 dof.
        QTest::newRow("four values") << "10 12 11 13" << "" << "N 4/0 dof 3 status 0 mean 11.5 cv 11.226 limits 4.10794434 13.1875083 chart 10..13" << "N 4/0 dof 3 status 0 mean 11.5 cv 11.226 limits 4.10794434 13.1875083 chart -1.68750829..24.6875083";
        // Locked on 22, 24, 30: mean 25.333, SD 4.1633320, t 4.303 and 22.327 at 2 dof; the chart spans all points.
        QTest::newRow("locked on part") << "20 22 24 30" << "locked 1 3" << "N 4/0 dof 3 status 0 mean 24 cv 18.0021 limits 13.7478113 44.1338442 chart 20..30" << "N 3/0 dof 2 status 0 mean 25.3333333 cv 16.4342 limits 17.9148176 92.9547135 chart -67.6213802..118.288047";
        QTest::newRow("locked on equal values") << "5 5 5 7" << "locked 0 2" << "N 4/0 dof 3 status 0 mean 5.5 cv 18.1818 limits 3.182 10.215 chart 5..7" << "N 4/0 dof 3 status 0 mean 5.5 cv 18.1818 limits 3.182 10.215 chart -4.715..15.715";
        QTest::newRow("fixed, widened to a value") << "49 55 x60" << "fixed 50 2 3" << "N 2/1 dof 1 status 0 mean 52 cv 8.15892 limits 53.9069926 1350.47496 chart 49..55" << "N 0/0 dof 0 status 0 mean 50 cv 0 limits 2 3 chart 47..55";
        QTest::newRow("fixed, a discarded value only") << "x80" << "fixed 42 2 3" << "N 0/1 dof 0 status 6 mean 0 cv 0 limits 0.5 0.8 chart -1..1" << "N 0/0 dof 0 status 0 mean 42 cv 0 limits 2 3 chart 39..45";
        // clang-format on
    }
    void levelLimitsByMode()
    {
        QFETCH(QString, values);
        QFETCH(QString, mode);
        TAnalyte a = WithValues(values);
        const QStringList m = mode.split(' ');
        if (m[0] == "locked")
            SetLocked(a, 0, m[1].toInt(), m[2].toInt());
        else if (m[0] == "fixed") {
            a.LimitMode[0] = lmFixed;
            a.ReferenceStats[0]
                = { .Mean = m[1].toDouble(), .WarningHalfWidth = m[2].toDouble(), .ActionHalfWidth = m[3].toDouble() };
        }
        RecomputeAll(a, TRisks());
        QTEST(Stats(a.AllPointsStats[0]), "all");
        QTEST(Stats(a.ReferenceStats[0]), "reference");
        // A locked interval without statistics returns the level to mobile limits.
        if (mode == "locked 0 2")
            QCOMPARE(QString("%1 %2..%3").arg(a.LimitMode[0]).arg(a.LockStart[0]).arg(a.LockEnd[0]), "0 -1..-1");
        else
            QCOMPARE(a.LimitMode[0], quint8(m[0] == "locked" ? lmLocked : m[0] == "fixed" ? lmFixed : lmMobile));
    }

    void tValuesFollowTheTable()
    {
        // Between the columns above 30 the table is read linearly, above 120 in 1/dof.
        QCOMPARE_NEAR(TValue(0, 35), 2.0315, 1e-12);
        QCOMPARE_NEAR(TValue(2, 50), 2.682, 1e-12);
        QCOMPARE_NEAR(TValue(3, 90), 2.8875, 1e-12);
        QCOMPARE_NEAR(TValue(0, 240), 1.970, 1e-12);
        QCOMPARE_NEAR(TValue(4, 29), 3.396, 1e-12);
        QCOMPARE_NEAR(TValue(4, 100000000), 3.090, 1e-5);
        // Out-of-range arguments stay inside the table.
        QCOMPARE(TValue(9, 1), 318.31);
        QCOMPARE(TValue(0, 0), 12.706);
        const double probabilities[TTableRows] = { 0.05, 0.02, 0.01, 0.005, 0.002 };
        for (int r = 0; r < TTableRows; ++r) {
            for (int c = 0; c < TTableColumns; ++c) {
                // Columns: 1..30, 40, 60 and 120 degrees of freedom, then the normal distribution.
                const int dof = c < 30 ? c + 1 : c == 30 ? 40 : c == 31 ? 60 : 120;
                const double exact = c == TTableColumns - 1
                    ? boost::math::quantile(
                        boost::math::complement(boost::math::normal_distribution<>(), probabilities[r] / 2))
                    : boost::math::quantile(
                        boost::math::complement(boost::math::students_t_distribution<>(dof), probabilities[r] / 2));
                // Printed with three decimals, two above 100: within half a unit of the last digit.
                if (std::fabs(TTable[r][c] - exact) > (exact >= 100 ? 0.005 : 0.0005) + 1e-12)
                    QFAIL(qPrintable(
                        QString("row %1 column %2: %3, exactly %4").arg(r).arg(c).arg(TTable[r][c]).arg(exact)));
            }
        }
    }

    void commonCVPoolsTheLevelsThatAreNotFixed()
    {
        TAnalyte a("Pooled", "mmol/L", 1, 3);
        a.AddPoint(MakeResult(45000, 10, 20, 99));
        a.AddPoint(MakeResult(45001, 12, 21, 101));
        a.AddPoint(MakeResult(45002, NAN, 23, NAN));
        a.LimitMode[2] = lmFixed;
        a.ReferenceStats[2] = { .Mean = 100, .WarningHalfWidth = 4, .ActionHalfWidth = 6 };
        a.Options = aoCommonCV;
        RecomputeAll(a, TRisks());
        // CVs 12.856487 % (1 dof) and 7.160275 % (2 dof) pool to 9.448603 % over 3 dof (t 3.182
        // and 10.215), built from the single-precision CVs: agreement to 1e-7.
        const double expected[2][3]
            = { { 9.448603, 3.3072001625, 10.6169232117 }, { 9.448603, 6.4139639515, 20.5903965319 } };
        for (int l = 0; l < 2; ++l) {
            QCOMPARE(a.ReferenceStats[l].DegreesOfFreedom, 3);
            QCOMPARE_NEAR(a.ReferenceStats[l].CV, expected[l][0], 1e-6);
            QCOMPARE_NEAR(a.ReferenceStats[l].WarningHalfWidth, expected[l][1], 1e-7);
            QCOMPARE_NEAR(a.ReferenceStats[l].ActionHalfWidth, expected[l][2], 1e-7);
        }
        QCOMPARE(Stats(a.ReferenceStats[2]), "N 0/0 dof 0 status 0 mean 100 cv 0 limits 4 6 chart 94..106");
        // A level of one value (no statistics of its own) takes the pooled CV of the others.
        a.Point(0).Values[1].Status = psNoValue;
        a.Point(2).Values[1].Status = psNoValue;
        RecomputeAll(a, TRisks());
        QCOMPARE(a.ReferenceStats[1].Status, quint8(0));
        QCOMPARE_NEAR(a.ReferenceStats[1].WarningHalfWidth, 12.706 * 0.12856487 * 21, 1e-6);
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
        TLevelStats ref { .Mean = 10, .WarningHalfWidth = 1, .ActionHalfWidth = 2, .Status = 0 };
        QCOMPARE(int(ClassifyValue(ref, lmFixed, value)), status);
        QCOMPARE(int(ClassifyValue(ref, lmMobile, value)), status);
        // Mobile limits that cannot be computed classify every value as within; fixed ones never lack statistics.
        ref.Status = 6;
        QCOMPARE(int(ClassifyValue(ref, lmMobile, value)), int(psWithin));
        QCOMPARE(int(ClassifyValue(ref, lmFixed, value)), status);
    }

    void classifyAllGivesTheSameStatusesAsOnePointAtATime()
    {
        // Level 1 fixed 10 +- 1 / 2 with values on and around each limit; level 2 mobile with a
        // single value (not computable: all within); level 3 with discarded and empty cells.
        TAnalyte a("Limits", "U", 1, 3);
        const double values[] = { 10, 11, 12, 9, 8, 8.5, 13, 7, 10.5, 11.5 };
        for (int i = 0; i < 10; ++i) {
            TResu0 r = MakeResult(45000 + i, values[i], i == 0 ? 100 : NAN, i % 2 ? 5.0 : NAN);
            if (i % 4 == 1)
                r.Values[2].Status = psDiscarded;
            a.AddPoint(r);
        }
        a.LimitMode[0] = lmFixed;
        a.ReferenceStats[0] = { .Mean = 10, .WarningHalfWidth = 1, .ActionHalfWidth = 2 };
        a.Options = aoWestgard;
        RecomputeAll(a, TRisks());
        TAnalyte one = a;
        ClassifyAll(a);
        QString all, single;
        for (int i = 0; i < a.Count(); ++i) {
            ClassifyPoint(one, one.Point(i));
            for (int l = 0; l < 3; ++l) {
                all += QString::number(a.Point(i).Values[l].Status);
                single += QString::number(one.Point(i).Values[l].Status);
            }
            all += ' ';
            single += ' ';
        }
        QCOMPARE(all, single);
        QCOMPARE(all, QString("006 165 266 360 466 365 266 460 066 165 "));
    }

    void longSeriesOfCloseValuesKeepsItsSD()
    {
        // 11,000 values alternating 1e6 and 1e6 + 0.0625: mean 1000000.03125, population SD 0.03125,
        // sample SD 0.03125 x sqrt(11000 / 10999). Plain sums of squares lose every digit here.
        QString values;
        for (int i = 0; i < 11000; ++i)
            values += i % 2 ? "1000000.0625 " : "1000000 ";
        TAnalyte a = WithValues(values);
        RecomputeAll(a, TRisks());
        const double sd = 0.03125 * std::sqrt(11000.0 / 10999.0);
        QVERIFY(a.ReferenceStats[0].Mean == 1000000.03125);
        QCOMPARE_NEAR(a.ReferenceStats[0].CV, sd * 100 / 1000000.03125, 1e-7);
        QCOMPARE_NEAR(a.ReferenceStats[0].WarningHalfWidth, TValue(0, 10999) * sd, 1e-13);
    }

    void partialRangesAndOneLevelAtATimeAgreeWithTheWhole()
    {
        const TAnalyte values = WithValues("1 10 12 100");
        QCOMPARE(LevelStatistics(values, 0, 1, 2, TRisks()).Mean, 11.0);
        QCOMPARE(LevelStatistics(values, 0, 3, 2, TRisks()).N, 0); // first > last: empty
        // RecomputeAll gathers every level in one pass; ComputeLevel does one level.
        auto context = MakeTestContext();
        TAnalyte a("Random", "U/L", 1, 3);
        TQCValues means { { { 10, psWithin }, { 20, psWithin }, { 30, psWithin } } }, cvs;
        cvs.fill({ 4, psWithin });
        AddRandomPoints(a, 60, means, cvs, 45000.5, context->Random(), TRisks());
        SetLocked(a, 1, 5, 30);
        a.Options = aoWestgard;
        TAnalyte b = a;
        RecomputeAll(a, TRisks());
        for (int l = 0; l < 3; ++l) {
            ComputeLevel(b, l, TRisks());
            QCOMPARE(Stats(a.AllPointsStats[l]), Stats(b.AllPointsStats[l]));
            QCOMPARE(a.ReferenceStats[l], b.ReferenceStats[l]);
        }
        QCOMPARE(a.ReferenceStats[1].N, 26);
    }
};

VANTOREL_TEST(TestStatistics)
#include "TestStatistics.moc"
