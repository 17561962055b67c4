#include "TDates.h"
#include "TListAnalytes.h"
#include "TQueueRecall.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

// Where a run recalled from the queue goes: the analyte found or created, its
// levels grown, the run classified.
class TestQueueRecall : public QObject {
    Q_OBJECT

private slots:
    void init();

    void knownNameIsFoundWithoutRegardToCase();
    void unknownNameCreatesAnAnalyte();
    void longNameFindsTheAnalyteThatHoldsItsStart();
    void levelsGrowToTheHighestValue_data();
    void levelsGrowToTheHighestValue();
    void grownLevelTakesInStoredValues();
    void runIsClassifiedAgainstTheLimits();

private:
    TListAnalytes m_list;
    TAnalyte* m_glucose = nullptr;
};

void TestQueueRecall::init()
{
    m_list.Clear();
    m_glucose = &m_list.Add(TAnalyte("Glucose", "mmol/L", 1, 1));
    for (int i = 0; i < 20; ++i)
        m_glucose->AddPoint(MakeResult(1000 + i, 5.0 + ((i % 5) - 2) * 0.1));
    m_glucose->RecomputeAll(TRisks());
}

void TestQueueRecall::knownNameIsFoundWithoutRegardToCase()
{
    TResu0 run = MakeResult(2000, 5.0);
    run.Analyte = "gLUCOSE";
    const TRecallTarget target = PrepareRecalledRun(m_list, run, TRisks());
    QCOMPARE(target.Analyte, m_glucose);
    QVERIFY(!target.Created);
    QVERIFY(!target.LevelsGrown);
    QCOMPARE(m_list.Count(), 1);
}

void TestQueueRecall::unknownNameCreatesAnAnalyte()
{
    TResu0 run = MakeResult(2000, 1.5);
    run.Analyte = "Lactate";
    const TRecallTarget target = PrepareRecalledRun(m_list, run, TRisks());
    QVERIFY(target.Created);
    QCOMPARE(m_list.Count(), 2);
    QCOMPARE(m_list.At(1), target.Analyte);
    QCOMPARE(target.Analyte->Name, QString("Lactate"));
    QCOMPARE(target.Analyte->NbLevels, 3);
    QCOMPARE(target.Analyte->Decimals, 2);
    QCOMPARE(target.Analyte->Units, QString("mmol/L"));
    QCOMPARE(target.Analyte->Count(), 0);
    QVERIFY(!target.LevelsGrown);

    // The next run of that name goes to the same analyte.
    TResu0 next = MakeResult(2001, 1.6);
    next.Analyte = "LACTATE";
    QCOMPARE(PrepareRecalledRun(m_list, next, TRisks()).Analyte, target.Analyte);
    QCOMPARE(m_list.Count(), 2);
}

void TestQueueRecall::longNameFindsTheAnalyteThatHoldsItsStart()
{
    TResu0 run = MakeResult(2000, 1);
    run.Analyte = "Alkaline phosphatase";
    const TRecallTarget first = PrepareRecalledRun(m_list, run, TRisks());
    QCOMPARE(first.Analyte->Name, QString("Alkaline phosph"));
    const TRecallTarget second = PrepareRecalledRun(m_list, run, TRisks());
    QVERIFY(!second.Created);
    QCOMPARE(m_list.Count(), 2);
}

void TestQueueRecall::levelsGrowToTheHighestValue_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<double>("v2");
    QTest::addColumn<double>("v3");
    QTest::addColumn<int>("after");
    QTest::newRow("1 level, values at 2") << 1 << 2.0 << double(NAN) << 2;
    QTest::newRow("1 level, values at 2 and 3") << 1 << 2.0 << 3.0 << 3;
    QTest::newRow("1 level, value at 3 only") << 1 << double(NAN) << 3.0 << 3;
    QTest::newRow("2 levels, value at 3") << 2 << double(NAN) << 3.0 << 3;
    QTest::newRow("3 levels") << 3 << 2.0 << 3.0 << 3;
    QTest::newRow("2 levels, nothing beyond") << 2 << 2.0 << double(NAN) << 2;
}

void TestQueueRecall::levelsGrowToTheHighestValue()
{
    QFETCH(int, before);
    QFETCH(double, v2);
    QFETCH(double, v3);
    QFETCH(int, after);
    m_glucose->NbLevels = before;
    TResu0 run = MakeResult(2000, 5.0, v2, v3);
    run.Analyte = "Glucose";
    const TRecallTarget target = PrepareRecalledRun(m_list, run, TRisks());
    QCOMPARE(target.Analyte->NbLevels, after);
    QCOMPARE(target.LevelsGrown, after != before);
}

void TestQueueRecall::grownLevelTakesInStoredValues()
{
    // Points imported with a second value while the analyte had one level.
    for (int i = 0; i < 10; ++i)
        m_glucose->AddPoint(MakeResult(1100 + i, 5.0, 10.0 + (i % 2)));
    m_glucose->RecomputeAll(TRisks());
    TResu0 run = MakeResult(2000, 5.0, 10.5);
    run.Analyte = "Glucose";
    PrepareRecalledRun(m_list, run, TRisks());
    QCOMPARE(m_glucose->AllPointsStats[1].N, 10);
    QCOMPARE_NEAR(m_glucose->ReferenceStats[1].Mean, 10.5, 1e-9);
}

void TestQueueRecall::runIsClassifiedAgainstTheLimits()
{
    const TLevelStats& ref = m_glucose->ReferenceStats[0];
    QCOMPARE(ref.Status, quint8(0));
    TResu0 high = MakeResult(2000, ref.Mean + (ref.WarningHalfWidth + ref.ActionHalfWidth) / 2);
    high.Analyte = "Glucose";
    PrepareRecalledRun(m_list, high, TRisks());
    QCOMPARE(int(high.Values[0].Status), int(psHighWarning));
    TResu0 low = MakeResult(2000, ref.Mean - ref.ActionHalfWidth * 1.01);
    low.Analyte = "Glucose";
    low.Values[1].Status = psNoValue;
    PrepareRecalledRun(m_list, low, TRisks());
    QCOMPARE(int(low.Values[0].Status), int(psLowAction));
    QCOMPARE(int(low.Values[1].Status), int(psNoValue));
}

VANTOREL_TEST(TestQueueRecall)
#include "TestQueueRecall.moc"
