#include "TAnalyte.h"
#include "TConfigRecord.h"
#include "TDates.h"
#include "TQCEntry.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestQCEntry : public QObject {
    Q_OBJECT

private slots:
    void runTakesDateTimeAndTrimmedTexts()
    {
        const TResu0 run = TQCEntry::MakeRun("Glucose", QDate(2026, 3, 10), QTime(14, 15, 30), " AB ", "  new lot  ");
        QCOMPARE(QStringList({ run.Analyte, run.Operator, run.Comment }), QStringList({ "Glucose", "AB", "new lot" }));
        QCOMPARE_NEAR(run.DateTime, DateToDayCount(QDate(2026, 3, 10)) + (14 * 3600 + 15 * 60 + 30) / 86400.0, 1e-12);
        for (const TQCValue& cell : run.Values)
            QCOMPARE(int(cell.Status), int(psNoValue));
    }

    void runIsEmptyWithoutAnyValue_data()
    {
        QTest::addColumn<int>("level"); // the level given a value, -1 for none
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("empty");
        QTest::newRow("no value") << -1 << 0 << true;
        QTest::newRow("a value on level 3 only") << 2 << int(psWithin) << false;
        QTest::newRow("a discarded value") << 0 << int(psDiscarded) << false;
    }

    void runIsEmptyWithoutAnyValue()
    {
        QFETCH(int, level);
        QFETCH(int, status);
        TResu0 run = TQCEntry::MakeRun("Glucose", QDate(2026, 3, 10), QTime(8, 0), {}, {});
        if (level >= 0)
            run.Values[level] = { 5.0f, quint8(status), { 0, 0, 0 } };
        QTEST(TQCEntry::IsEmptyRun(run), "empty");
    }

    void storedRunTakesItsDatePositionAndCounts()
    {
        TAnalyte analyte("Glucose", "mmol/L", 1, 2);
        for (int i = 0; i < 10; ++i)
            analyte.AddPoint(MakeResult(1000 + i + 0.5, 5.0 + (i % 3) * 0.1, 10.0));
        RecomputeAll(analyte, TRisks());
        // Between the points of days 1005 and 1006, with level 1 left empty.
        TResu0 run = TQCEntry::MakeRun("Glucose", DayCountToDateTime(1005.75).date(), QTime(18, 0), {}, {});
        run.Values[1] = { 10.5f, psWithin, { 0, 0, 0 } };
        const int index = TQCEntry::StoreRun(analyte, run, TRisks());
        QCOMPARE(Join(index, analyte.Count(), analyte.Point(6).Values[0].Status, analyte.AllPointsStats[0].N,
                     analyte.AllPointsStats[1].N),
            QString("6 11 %1 10 11").arg(psNoValue));
        QCOMPARE(analyte.Point(6).Values[1].Value, 10.5f);
    }

    void backupIsDueOnceTheIntervalHasPassed_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("daysSinceBackup");
        QTest::addColumn<bool>("due");
        QTest::newRow("one day short") << 7 << 6.0 << false;
        QTest::newRow("the interval reached") << 7 << 7.0 << true;
        QTest::newRow("interval 0 on the day of the backup") << 0 << 0.0 << true;
        QTest::newRow("a backup dated tomorrow") << 7 << -1.0 << false;
    }

    void backupIsDueOnceTheIntervalHasPassed()
    {
        QFETCH(int, interval);
        QFETCH(double, daysSinceBackup);
        TConfigRecord config;
        config.BackupInterval = interval;
        const double today = DateToDayCount(QDate(2026, 3, 15));
        config.LastBackupDate = today - daysSinceBackup;
        QTEST(TQCEntry::BackupDue(config, today), "due");
    }
};

VANTOREL_TEST(TestQCEntry)
#include "TestQCEntry.moc"
