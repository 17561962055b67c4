// The analyte's points: date order, locked intervals, comments, random points.
#include "TAnalyte.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestAnalyte : public QObject {
    Q_OBJECT

private:
    TRisks risks { 0, 4 };

    // Ten points, one a day from day 45000 at noon, level 0 locked on points 3..6.
    static TAnalyte LockedTen()
    {
        TAnalyte a("Glucose", "mmol/L", 1, 2);
        for (int i = 0; i < 10; ++i)
            a.AddPoint(MakeResult(45000.5 + i, 5 + i % 3, 10 + i % 2));
        a.LimitMode[0] = lmLocked;
        a.LockStart[0] = 3;
        a.LockEnd[0] = 6;
        return a;
    }

private slots:
    void createCutsTextsAndSetsDefaults()
    {
        TAnalyte a("A very long analyte name", "micromol/L", 2, 3);
        QCOMPARE(a.Name, QString("A very long ana"));
        QCOMPARE(a.Units, QString("microm"));
        QCOMPARE(a.Options, quint8(7));
        QCOMPARE(a.Reserved, 10);
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(a.SerumID[l], -1);
            QCOMPARE(a.LockStart[l], -1);
            QCOMPARE(a.LimitMode[l], quint8(lmMobile));
            QCOMPARE(a.ReferenceStats[l].Status, quint8(6));
        }
        QCOMPARE(a.Count(), 0);
    }

    void pointsStayInDateOrderAndEqualDatesKeepArrivalOrder()
    {
        TAnalyte a("X", "U", 0, 1);
        QCOMPARE(a.AddPoint(MakeResult(45002, 1)), 0);
        QCOMPARE(a.AddPoint(MakeResult(45000, 2)), 0);
        QCOMPARE(a.AddPoint(MakeResult(45001, 3)), 1);
        QCOMPARE(a.AddPoint(MakeResult(45001, 4)), 2); // after the existing equal date
        QCOMPARE(a.AddPoint(MakeResult(45009, 5)), 4);
        const float expected[] = { 2, 3, 4, 1, 5 };
        for (int i = 0; i < 5; ++i)
            QCOMPARE(a.Point(i).Values[0].Value, expected[i]);
        QCOMPARE(a.InsertPosition(44000), 0);
        QCOMPARE(a.InsertPosition(45001), 3);
        QCOMPARE(a.InsertPosition(46000), 5);
    }

    void addPointCopiesOperatorAndComment()
    {
        TAnalyte a("X", "U", 0, 1);
        a.AddPoint(MakeResult(45000, 1, NAN, NAN, "ABCDEF", "Wrong calibrator"));
        a.AddPoint(MakeResult(45001, 1, NAN, NAN, "JD", "Wrong calibrator"));
        a.AddPoint(MakeResult(45002, 1, NAN, NAN, "", ""));
        QCOMPARE(a.Point(0).Operator(), QString("ABCD"));
        QCOMPARE(a.Point(1).Operator(), QString("JD"));
        // The same text twice gives two entries with their own ids.
        QCOMPARE(a.Comments.Count(), 2);
        QVERIFY(a.Point(0).CommentID != a.Point(1).CommentID);
        QCOMPARE(a.CommentText(a.Point(1).CommentID), QString("Wrong calibrator"));
        QCOMPARE(a.Point(2).CommentID, -1);
        QCOMPARE(a.CommentText(-1), QString());
        QCOMPARE(a.CommentText(99), QString());
    }

    void addPointMovesOrGrowsTheLockedInterval_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        // Points sit at 45000.5 + i; the interval holds points 3..6.
        QTest::newRow("before the interval") << 45000.0 << 4 << 7;
        QTest::newRow("at LockStart") << 45003.0 << 4 << 7; // inserted at index 3
        QTest::newRow("equal to LockStart's date") << 45003.5 << 3 << 7; // goes after point 3: joins
        QTest::newRow("inside") << 45005.0 << 3 << 7;
        QTest::newRow("at LockEnd") << 45006.0 << 3 << 7; // index 6 = LockEnd: joins
        QTest::newRow("at LockEnd + 1") << 45006.7 << 3 << 6; // index 7: stays out
        QTest::newRow("after everything") << 45020.0 << 3 << 6;
    }
    void addPointMovesOrGrowsTheLockedInterval()
    {
        QFETCH(double, dateTime);
        QFETCH(int, start);
        QFETCH(int, end);
        TAnalyte a = LockedTen();
        a.AddPoint(MakeResult(dateTime, 7, 7));
        QCOMPARE(a.LockStart[0], start);
        QCOMPARE(a.LockEnd[0], end);
        // Level 1 is mobile: its (unused) interval never moves.
        QCOMPARE(a.LockStart[1], -1);
    }

    void deletePointShiftsTheLockedInterval_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("before") << 1 << 2 << 5;
        QTest::newRow("LockStart") << 3 << 3 << 5;
        QTest::newRow("inside") << 5 << 3 << 5;
        QTest::newRow("LockEnd") << 6 << 3 << 5;
        QTest::newRow("after") << 7 << 3 << 6;
    }
    void deletePointShiftsTheLockedInterval()
    {
        QFETCH(int, index);
        QFETCH(int, start);
        QFETCH(int, end);
        TAnalyte a = LockedTen();
        a.DeletePoint(index);
        QCOMPARE(a.Count(), 9);
        QCOMPARE(a.LockStart[0], start);
        QCOMPARE(a.LockEnd[0], end);
    }

    void deletingTheOnlyLockedPointReturnsToMobile()
    {
        TAnalyte a = LockedTen();
        a.LockStart[0] = 4;
        a.LockEnd[0] = 4;
        a.DeletePoint(4);
        QCOMPARE(a.LockStart[0], 4);
        QCOMPARE(a.LockEnd[0], 3); // empty
        a.RecomputeAll(risks);
        QCOMPARE(a.LimitMode[0], quint8(lmMobile));
        QCOMPARE(LimitModeCaption(a.LimitMode[0]), QString("Mobile limits"));
    }

    void pointsKeepTheirAddressWhileOthersComeAndGo()
    {
        TAnalyte a = LockedTen();
        TQCPoint* held = &a.Point(5);
        const double date = held->DateTime;
        a.AddPoint(MakeResult(44000, 1, 1));
        a.AddPoint(MakeResult(44001, 1, 1));
        a.DeletePoint(0);
        a.DeletePoint(9);
        QCOMPARE(held->DateTime, date);
        QCOMPARE(a.IndexOf(held), 6);
        a.DeletePoint(6);
        QCOMPARE(a.IndexOf(held), -1);
    }

    void heldPointsSurviveGrowthAndTheirPlacesAreReused()
    {
        // Far more points than the first block holds, stored out of order and deleted in between.
        TAnalyte a("Urea", "mmol/L", 1, 1);
        a.AddPoint(MakeResult(50000, 7.25));
        TQCPoint* held = &a.Point(0);
        for (int i = 0; i < 300; ++i)
            a.AddPoint(MakeResult(i % 2 ? 40000 + i : 60000 + i, 1 + i));
        for (int i = 0; i < 100; ++i)
            a.DeletePoint(0);
        for (int i = 0; i < 100; ++i)
            a.AddPoint(MakeResult(45000 + i, 2));
        QCOMPARE(a.Count(), 301);
        QCOMPARE(held->DateTime, 50000.0);
        QCOMPARE(held->Values[0].Value, 7.25f);
        QCOMPARE(&a.Point(a.IndexOf(held)), held);
        for (int i = 1; i < a.Count(); ++i)
            QVERIFY(a.Point(i - 1).DateTime <= a.Point(i).DateTime);
    }

    void loadedRecordsStopAtTheFirstDamagedOne()
    {
        TAnalyte source("Urea", "mmol/L", 1, 1);
        for (int i = 0; i < 5; ++i)
            source.AddPoint(MakeResult(45000 + i, 4 + i, NAN, NAN, "OP"));
        QByteArray records(5 * TQCPoint::RecordSize, Qt::Uninitialized);
        for (int i = 0; i < 5; ++i)
            source.Point(i).WriteRecord(records.data() + i * TQCPoint::RecordSize);

        TAnalyte sound;
        QCOMPARE(sound.AppendLoadedRecords(records.constData(), 5), -1);
        QCOMPARE(sound.Count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(sound.Point(i).DateTime, 45000.0 + i);
            QCOMPARE(sound.Point(i).Values[0].Value, float(4 + i));
            QCOMPARE(sound.Point(i).Operator(), QString("OP"));
        }

        records[3 * TQCPoint::RecordSize + 12] = 9; // an unknown status in the fourth record
        TAnalyte damaged;
        QCOMPARE(damaged.AppendLoadedRecords(records.constData(), 5), 3);
        QCOMPARE(damaged.Count(), 3);
        QCOMPARE(damaged.Point(2).DateTime, 45002.0);
    }

    void emptyPointsAndDeleteIfEmpty()
    {
        TAnalyte a("X", "U", 0, 2);
        a.AddPoint(MakeResult(45000, NAN, 3));
        TResu0 r = MakeResult(45001, NAN, NAN, 9); // a value only beyond the levels in use
        a.AddPoint(r);
        QVERIFY(!a.IsPointEmpty(0));
        QVERIFY(a.IsPointEmpty(1));
        QVERIFY(!a.DeleteIfEmpty(0));
        QVERIFY(a.DeleteIfEmpty(1));
        QCOMPARE(a.Count(), 1);
    }

    void clearUnlocksAndEmpties()
    {
        TAnalyte a = LockedTen();
        a.AddPoint(MakeResult(45030, 1, 1, NAN, "", "note"));
        a.Clear(risks);
        QCOMPARE(a.Count(), 0);
        QCOMPARE(a.LimitMode[0], quint8(lmMobile));
        QCOMPARE(a.LockStart[0], -1);
        QCOMPARE(a.Comments.Count(), 0);
        QCOMPARE(a.ReferenceStats[0].N, 0);
    }

    void copyIsDeep()
    {
        TAnalyte a = LockedTen();
        TAnalyte b = a;
        b.Point(0).Values[0].Value = 99;
        b.DeletePoint(1);
        QCOMPARE(a.Count(), 10);
        QCOMPARE(a.Point(0).Values[0].Value, 5.0f);
    }

    void randomPointsFollowTheirMeansAndCVs()
    {
        auto context = MakeTestContext();
        TAnalyte a("Random", "U/L", 1, 3);
        a.Options = aoWestgard; // each level's limits from its own SD
        a.LimitMode[2] = lmFixed;
        TQCValues means, cvs;
        means[0] = { 100.0f, psWithin };
        cvs[0] = { 2.0f, psWithin };
        means[1] = { 50.0f, psWithin };
        cvs[1] = { 0.0f, psNoValue }; // CV not given: no value
        means[2] = { 10.0f, psWithin };
        cvs[2] = { 5.0f, psWithin };
        a.AddRandomPoints(2000, means, cvs, 46000.25, context->Random(), risks);
        QCOMPARE(a.Count(), 2000);
        QCOMPARE(a.Point(0).DateTime, 46000.25);
        QCOMPARE(a.Point(1).DateTime, 46001.25);
        QCOMPARE(a.Point(0).Values[1].Status, quint8(psNoValue));
        // Every level back to mobile.
        QCOMPARE(a.LimitMode[2], quint8(lmMobile));
        // 2000 draws: the mean within 4 standard errors (2 / sqrt(2000) = 0.045), the SD within 5 %.
        const TLevelStats s = LevelStatistics(a, 0, 0, 1999, risks);
        QVERIFY2(std::fabs(s.Mean - 100.0) < 0.18, qPrintable(QString::number(s.Mean)));
        QVERIFY2(std::fabs(s.CV - 2.0) < 0.1, qPrintable(QString::number(s.CV)));
        // Classified: statuses other than "within" occur for some points.
        int outside = 0;
        for (int i = 0; i < a.Count(); ++i)
            outside += a.Point(i).Values[0].Status != psWithin;
        QVERIFY(outside > 0);
    }

    void makeRandomResultNamesTheAnalyte()
    {
        auto context = MakeTestContext();
        TAnalyte a("Calcium", "mmol/L", 2, 2);
        TQCValues means, cvs;
        for (int l = 0; l < 3; ++l) {
            means[l] = { 2.4f, psWithin };
            cvs[l] = { 4.0f, psWithin };
        }
        const TResu0 r = a.MakeRandomResult(means, cvs, 46000.375, context->Random());
        QCOMPARE(r.Analyte, QString("Calcium"));
        QCOMPARE(r.DateTime, 46000.375);
        QCOMPARE(r.Values[0].Status, quint8(psWithin));
        QCOMPARE(r.Values[2].Status, quint8(psNoValue)); // beyond the analyte's two levels
        QVERIFY(r.Comment.isEmpty() && r.Operator.isEmpty());
        // Same seed, same draws.
        auto again = MakeTestContext();
        QCOMPARE(a.MakeRandomResult(means, cvs, 46000.375, again->Random()), r);
    }
};

VANTOREL_TEST(TestAnalyte)
#include "TestAnalyte.moc"
