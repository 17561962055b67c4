#include "TAnalyte.h"
#include "TPointPool.h"
#include "TRandom.h"
#include "TRandomSeries.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

namespace {

// Ten points, one a day from day 45000 at noon; level 1 is locked on points 3..6.
TAnalyte LockedTen()
{
    TAnalyte a("Glucose", "mmol/L", 1, 2);
    for (int i = 0; i < 10; ++i)
        a.AddPoint(MakeResult(45000.5 + i, 5 + i % 3, 10 + i % 2));
    SetLocked(a, 0, 3, 6);
    return a;
}

class TScriptedRandom : public TRandom {
public:
    explicit TScriptedRandom(QList<double> draws)
        : m_draws(std::move(draws))
    {
    }
    double Next() override { return m_draws.isEmpty() ? 0.5 : m_draws.takeFirst(); }

private:
    QList<double> m_draws;
};

} // namespace

class TestAnalyte : public QObject {
    Q_OBJECT

private slots:
    void pointsStayInDateOrderWithTheirOperatorAndComment()
    {
        TAnalyte a("X", "U", 0, 1);
        QString indexes;
        for (const auto& [date, value] :
            { std::pair { 45002, 1 }, { 45000, 2 }, { 45001, 3 }, { 45001, 4 }, { 45009, 5 } })
            indexes += QString::number(a.AddPoint(MakeResult(date, value))); // an equal date goes after
        QCOMPARE(indexes, QString("00124"));
        QStringList values;
        for (int i = 0; i < a.Count(); ++i)
            values << QString::number(a.Point(i).Values[0].Value);
        QCOMPARE(values.join(' '), QString("2 3 4 1 5"));
        a.AddPoint(MakeResult(45010, 1, NAN, NAN, "ABCDEF", "Wrong calibrator"));
        a.AddPoint(MakeResult(45011, 1, NAN, NAN, "JD", "Wrong calibrator"));
        QCOMPARE(a.Point(5).Operator() + " " + a.Point(6).Operator(), QString("ABCD JD"));
        // The same text twice gives two entries with their own ids.
        QCOMPARE(a.Comments.Count(), 2);
        QCOMPARE(QString("%1 %2 %3").arg(a.Point(4).CommentID).arg(a.Point(5).CommentID).arg(a.Point(6).CommentID),
            QString("-1 0 1"));
        QCOMPARE(a.CommentText(1), QString("Wrong calibrator"));
        QCOMPARE(a.CommentText(-1) + a.CommentText(99), QString());
    }

    void lockedIntervalFollowsAddedAndDeletedPoints_data()
    {
        QTest::addColumn<double>("added"); // a point added at this date-time (points sit at 45000.5 + i)
        QTest::addColumn<int>("deleted"); // or the point deleted at this index
        QTest::addColumn<QString>("interval");
        QTest::newRow("added before the interval") << 45000.0 << -1 << "4..7";
        QTest::newRow("added at LockStart") << 45003.0 << -1 << "4..7";
        QTest::newRow("added on LockStart's date: joins") << 45003.5 << -1 << "3..7";
        QTest::newRow("added inside") << 45005.0 << -1 << "3..7";
        QTest::newRow("added at LockEnd: joins") << 45006.0 << -1 << "3..7";
        QTest::newRow("added at LockEnd + 1") << 45006.7 << -1 << "3..6";
        QTest::newRow("added after everything") << 45020.0 << -1 << "3..6";
        QTest::newRow("deleted before") << 0.0 << 1 << "2..5";
        QTest::newRow("deleted at LockStart") << 0.0 << 3 << "3..5";
        QTest::newRow("deleted at LockEnd") << 0.0 << 6 << "3..5";
        QTest::newRow("deleted after") << 0.0 << 7 << "3..6";
    }
    void lockedIntervalFollowsAddedAndDeletedPoints()
    {
        QFETCH(double, added);
        QFETCH(int, deleted);
        QFETCH(QString, interval);
        TAnalyte a = LockedTen();
        if (deleted >= 0)
            a.DeletePoint(deleted);
        else
            a.AddPoint(MakeResult(added, 7, 7));
        QCOMPARE(QString("%1..%2").arg(a.LockStart[0]).arg(a.LockEnd[0]), interval);
        // Level 2 is mobile: its (unused) interval never moves.
        QCOMPARE(a.LockStart[1], -1);
        // The last point of an interval deleted leaves it empty, which the recompute unlocks.
        a.LockEnd[0] = a.LockStart[0];
        a.DeletePoint(a.LockStart[0]);
        QCOMPARE(a.LockEnd[0], a.LockStart[0] - 1);
    }

    void pointsKeepTheirPlaceWhileOthersComeAndGo()
    {
        // Far more points than the first block holds, stored out of order and deleted in between.
        TAnalyte a = LockedTen();
        TQCPoint* held = &a.Point(5);
        for (int i = 0; i < 300; ++i)
            a.AddPoint(MakeResult(i % 2 ? 40000 + i : 60000 + i, 1 + i));
        for (int i = 0; i < 100; ++i)
            a.DeletePoint(0);
        a.ReservePoints(300); // a new block; what is left of the last one is kept for later points
        for (int i = 0; i < 400; ++i)
            a.AddPoint(MakeResult(45000 + i % 7, 2)); // into the freed places first
        QCOMPARE(a.Count(), 610);
        QCOMPARE(held->DateTime, 45005.5);
        QCOMPARE(&a.Point(a.IndexOf(held)), held);
        for (int i = 1; i < a.Count(); ++i)
            QVERIFY(a.Point(i - 1).DateTime <= a.Point(i).DateTime);
        a.DeletePoint(a.IndexOf(held));
        QCOMPARE(a.IndexOf(held), -1);
        // A copy has points of its own; a moved analyte keeps them where they are.
        TAnalyte copy = a;
        copy.Point(0).Values[0].Value = 99;
        QVERIFY(a.Point(0).Values[0].Value != 99);
        const TQCPoint* first = &a.Point(0);
        TAnalyte moved = std::move(a);
        a = std::move(moved);
        QCOMPARE(&a.Point(0), first);
        // A point is empty when no level in use has a value.
        TAnalyte b("X", "U", 0, 2);
        b.AddPoint(MakeResult(45000, NAN, 3));
        b.AddPoint(MakeResult(45001, NAN, NAN, 9));
        QVERIFY(!b.IsPointEmpty(0));
        QVERIFY(b.IsPointEmpty(1));
        QVERIFY(!b.DeleteIfEmpty(0));
        QVERIFY(b.DeleteIfEmpty(1));
        QCOMPARE(b.Count(), 1);
        a.Clear();
        QCOMPARE(
            Join(a.Count() + a.Comments.Count() + a.ReferenceStats[0].N, a.LimitMode[0], a.LockStart[0]), "0 0 -1");
        QCOMPARE(copy.Count(), 609);
    }

    void storageTakesFreedPlacesAgainAndGrowsByAQuarter()
    {
        // Memory: a freed place is taken again, the last freed first; a growing pool adds blocks of
        // a quarter of its size; Reserve counts the places left and freed before it adds a block.
        TPointPool pool;
        std::vector<TQCPoint*> held;
        for (int i = 0; i < 1000; ++i)
            held.push_back(pool.New(TQCPoint()));
        QVERIFY2(pool.Capacity() <= 1000 * 5 / 4 + 16, qPrintable(QString::number(pool.Capacity())));
        pool.Free(held[3]);
        pool.Free(held[30]);
        QVERIFY(pool.New(TQCPoint()) == held[30] && pool.New(TQCPoint()) == held[3]);
        TPointPool reserved;
        reserved.Reserve(10);
        reserved.Free(reserved.New(TQCPoint())); // 9 places left and 1 freed
        reserved.Reserve(13); // a block of 3 more
        for (int i = 0; i < 13; ++i)
            reserved.New(TQCPoint());
        QCOMPARE(Join(reserved.Capacity(), reserved.LiveCount(), reserved.FreeCount()), QString("13 13 0"));
    }

    void randomPointsFollowTheirMeansAndCVs()
    {
        auto context = MakeTestContext();
        TAnalyte a("Random", "U/L", 1, 3);
        a.Options = aoWestgard; // each level's limits from its own SD
        a.LimitMode[2] = lmFixed;
        TQCValues means, cvs;
        means.fill({ 100.0f, psWithin });
        cvs.fill({ 2.0f, psWithin });
        cvs[1] = TQCValue(); // CV not given: no value
        AddRandomPoints(a, 2000, means, cvs, 46000.25, context->Random(), TRisks());
        // Count, no value without a CV, every level back to mobile; one a day.
        QCOMPARE(Join(a.Count(), a.AllPointsStats[1].N, a.LimitMode[2]), "2000 0 0");
        QCOMPARE(a.Point(1).DateTime, 46001.25);
        // 2000 draws: the mean within 4 standard errors (2 / sqrt(2000) = 0.045), the CV within 5 %.
        QVERIFY2(
            std::fabs(a.AllPointsStats[0].Mean - 100.0) < 0.18, qPrintable(QString::number(a.AllPointsStats[0].Mean)));
        QVERIFY2(std::fabs(a.AllPointsStats[0].CV - 2.0) < 0.1, qPrintable(QString::number(a.AllPointsStats[0].CV)));
        // Classified: some points lie outside the limits.
        int outside = 0;
        for (int i = 0; i < a.Count(); ++i)
            outside += a.Point(i).Values[0].Status != psWithin;
        QVERIFY(outside > 0);
        // A random result for the queue names its analyte and has no value beyond its levels.
        TAnalyte two("Calcium", "mmol/L", 2, 2);
        const TResu0 r = MakeRandomResult(two, means, cvs, 46000.375, context->Random());
        QCOMPARE(Join(r.Analyte, r.Values[0].Status, r.Values[1].Status, r.Values[2].Status), "Calcium 0 6 6");
    }

    void drawsOfTheGenerator()
    {
        // u1 = 0 would make the logarithm infinite: it is drawn again (0.5), then u2 = 0.25.
        TScriptedRandom scripted({ 0.0, 0.5, 0.25 });
        QCOMPARE_NEAR(scripted.Gaussian(3.0, 100.0), std::sqrt(-2.0 * std::log(0.5)) * 3.0 + 100.0, 1e-12);
        TRandom random(1);
        double low = 1, high = 0;
        for (int i = 0; i < 100000; ++i) {
            const double u = random.Next();
            QVERIFY(u >= 0.0 && u < 1.0);
            low = std::min(low, u);
            high = std::max(high, u);
        }
        QVERIFY(low < 0.001 && high > 0.999);
        QCOMPARE(random.NextInt(0), quint32(0));
    }
};

VANTOREL_TEST(TestAnalyte)
#include "TestAnalyte.moc"
