// The steps of entering a run that the entry form relies on: the run made from the form's fields,
// the empty run, its place among the stored points, the backup reminder; the lines of the data
// list and their deletion, the points of a day.
#include "TAnalyte.h"
#include "TConfigRecord.h"
#include "TDailyQC.h"
#include "TDataTable.h"
#include "TDates.h"
#include "TQCEntry.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

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
        analyte.RecomputeAll(TRisks());
        // Between the points of days 1005 and 1006, with level 1 left empty.
        TResu0 run = TQCEntry::MakeRun("Glucose", DayCountToDateTime(1005.75).date(), QTime(18, 0), {}, {});
        run.Values[1] = { 10.5f, psWithin, { 0, 0, 0 } };
        const int index = TQCEntry::StoreRun(analyte, run, TRisks());
        // Index, count, the stored cell of level 1, the values counted on each level; level 2's value.
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

    // A level without value is an empty field, a discarded one keeps its value,
    // the time is left out at midnight, the comment comes from the analyte's list.
    void dataListLineText()
    {
        TAnalyte analyte(QStringLiteral("GLU"), QStringLiteral("g/l"), 2, 3);
        const double midnight = DateToDayCount(QDate(2026, 3, 2));
        const double afternoon = midnight + 0.75;
        analyte.AddPoint(MakeResult(midnight, 1.5, NAN, 3.25, QStringLiteral("AB"), QStringLiteral("new lot")));
        TResu0 discarded = MakeResult(afternoon, 1.25, 2, NAN, QStringLiteral("CD"));
        discarded.Values[1].Status = psDiscarded;
        analyte.AddPoint(discarded);

        QCOMPARE(
            TDataTable::LineText(analyte, 0), ShortDateText(midnight) + QStringLiteral("\t1.50\t\t3.25\tAB\tnew lot"));
        QCOMPARE(TDataTable::LineText(analyte, 1),
            ShortDateText(afternoon) + QLatin1Char(' ') + LongTimeText(afternoon)
                + QStringLiteral("\t1.25\t2.00\t\tCD\t"));
    }

    // The user removes lines one at a time at their position in the list as it
    // then stands; replaying the recorded positions leaves exactly the others.
    void dataListDeletions_data()
    {
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QList<int>>("remaining");
        QTest::newRow("3 then 5") << QList<int> { 3, 5 } << QList<int> { 0, 1, 2, 4, 5, 7, 8, 9 };
        QTest::newRow("5 then 3") << QList<int> { 5, 3 } << QList<int> { 0, 1, 2, 4, 6, 7, 8, 9 };
        QTest::newRow("selection, last first") << QList<int> { 8, 5, 2 } << QList<int> { 0, 1, 3, 4, 6, 7, 9 };
        QTest::newRow("first line three times") << QList<int> { 0, 0, 0 } << QList<int> { 3, 4, 5, 6, 7, 8, 9 };
        QTest::newRow("all, last first") << QList<int> { 9, 8, 7, 6, 5, 4, 3, 2, 1, 0 } << QList<int> {};
        QTest::newRow("past the end") << QList<int> { 10, -1 } << QList<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    }
    void dataListDeletions()
    {
        QFETCH(QList<int>, removed);
        QFETCH(QList<int>, remaining);
        TAnalyte analyte(QStringLiteral("GLU"), QStringLiteral("g/l"), 0, 1); // values 0 .. 9, one a day at noon
        for (int i = 0; i < 10; ++i)
            analyte.AddPoint(MakeResult(46000 + i + 0.5, i));
        QCOMPARE(TDataTable::ApplyDeletions(analyte, removed), 10 - remaining.size());
        QList<int> left;
        for (int i = 0; i < analyte.Count(); ++i)
            left.append(int(analyte.Point(i).Values[0].Value));
        QCOMPARE(left, remaining);
    }

    // Midnight opens the day and belongs to the next one at its end; analytes
    // come in the list's order, each latest first.
    void pointsOfTheDay()
    {
        auto context = MakeTestContext();
        const double day = DateToDayCount(QDate(2026, 3, 10));
        TAnalyte& first = context->ListAnalytes.Add(TAnalyte("GLU", "g/l", 1, 2));
        for (double t : { day - 0.25, day, day + 0.5, day + 1 })
            first.AddPoint(MakeResult(t, t - day));
        context->ListAnalytes.Add(TAnalyte("EMPTY", "g/l", 1, 1));
        TAnalyte& second = context->ListAnalytes.Add(TAnalyte("CA", "mmol/l", 2, 3));
        for (double t : { day + 0.75, day + 0.25 })
            second.AddPoint(MakeResult(t, t - day));

        QStringList seen;
        for (const TDailyQC::TLine& line : TDailyQC::Points(context->ListAnalytes, QDate(2026, 3, 10)))
            seen.append(line.Analyte->Name + ' ' + QString::number(line.Point->Values[0].Value));
        QCOMPARE(seen, (QStringList { "GLU 0.5", "GLU 0", "CA 0.75", "CA 0.25" }));
    }
};

VANTOREL_TEST(TestQCEntry)
#include "TestQCEntry.moc"
