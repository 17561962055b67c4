#include "TAnalyte.h"
#include "TDates.h"
#include "TLimitModes.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtTest>

// Locking, fixing and freeing a level's limits, and the saved settings that
// Undo and Cancel put back.
class TestTLimitModes : public QObject {
    Q_OBJECT

private slots:
    void init();

    void lockTakesTheIntervalStatistics();
    void lockOnEqualValuesKeepsThePreviousMode_data();
    void lockOnEqualValuesKeepsThePreviousMode();
    void restoreAfterLockingTwoLevelsGivesBothBack();
    void restoreAfterFixingGivesModeMeanAndHalfWidthsBack();
    void unlockAndUnfixReturnToMobile();
    void stateTexts();
    void fixedTexts();
    void levelData();

private:
    TAnalyte m_analyte;
    double m_day = 0;
    TRisks m_risks;
};

void TestTLimitModes::init()
{
    m_analyte = TAnalyte("Glucose", "mmol/L", 1, 2);
    m_analyte.Options = aoWestgard | aoDefault; // each level on its own CV
    m_day = DateToDayCount(QDate(2026, 2, 1));
    const double level0[] = { 5, 5, 5, 4, 6, 5.5, 4.5, 5.2 };
    const double level1[] = { 10, 11, 12, 10, 11, 12, 10, 11 };
    for (int i = 0; i < 8; ++i)
        m_analyte.AddPoint(MakeResult(m_day + i + 0.5, level0[i], level1[i]));
    RecomputeAll(m_analyte, m_risks);
}

void TestTLimitModes::lockTakesTheIntervalStatistics()
{
    QVERIFY(LockLevel(m_analyte, 0, 3, 4, m_risks));
    QCOMPARE(int(m_analyte.LimitMode[0]), int(lmLocked));
    QCOMPARE(m_analyte.LockStart[0], 3);
    QCOMPARE(m_analyte.LockEnd[0], 4);
    // 4 and 6: mean 5, SD sqrt(2), one degree of freedom: 12.706 and 318.31 times SD.
    QCOMPARE_NEAR(m_analyte.ReferenceStats[0].Mean, 5.0, 1e-9);
    QCOMPARE_NEAR(m_analyte.ReferenceStats[0].WarningHalfWidth, 12.706 * std::sqrt(2.0), 1e-6);
    QCOMPARE(int(m_analyte.LimitMode[1]), int(lmMobile));
}

void TestTLimitModes::lockOnEqualValuesKeepsThePreviousMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("mobile") << int(lmMobile);
    QTest::newRow("locked elsewhere") << int(lmLocked);
    QTest::newRow("fixed") << int(lmFixed);
}

void TestTLimitModes::lockOnEqualValuesKeepsThePreviousMode()
{
    QFETCH(int, mode);
    if (mode == lmLocked)
        QVERIFY(LockLevel(m_analyte, 0, 3, 7, m_risks));
    if (mode == lmFixed)
        FixLevel(m_analyte, 0, 5.1, 0.3, 0.5, m_risks);
    const TLimitSettings before = TLimitSettings::Take(m_analyte);
    // Points 0..2 of level 0 all read 5.
    QVERIFY(!LockLevel(m_analyte, 0, 0, 2, m_risks));
    QCOMPARE(TLimitSettings::Take(m_analyte), before);
    QCOMPARE(int(m_analyte.LimitMode[0]), mode);
    if (mode == lmFixed) // the user's target and half-widths survive the refusal
        QCOMPARE(m_analyte.ReferenceStats[0].Mean, 5.1);
    // A single point is refused the same way.
    QVERIFY(!LockLevel(m_analyte, 0, 5, 5, m_risks));
    QCOMPARE(TLimitSettings::Take(m_analyte), before);
}

void TestTLimitModes::restoreAfterLockingTwoLevelsGivesBothBack()
{
    const TLimitSettings saved = TLimitSettings::Take(m_analyte);
    QVERIFY(LockLevel(m_analyte, 0, 3, 6, m_risks));
    QVERIFY(LockLevel(m_analyte, 1, 0, 4, m_risks));
    QVERIFY(!(TLimitSettings::Take(m_analyte) == saved));
    saved.Restore(m_analyte);
    QCOMPARE(TLimitSettings::Take(m_analyte), saved);
    QCOMPARE(int(m_analyte.LimitMode[0]), int(lmMobile));
    QCOMPARE(int(m_analyte.LimitMode[1]), int(lmMobile));
    QCOMPARE(m_analyte.LockStart[1], -1);
    // The restored statistics are those a recompute gives.
    const TLimitSettings restored = TLimitSettings::Take(m_analyte);
    RecomputeAll(m_analyte, m_risks);
    QCOMPARE(TLimitSettings::Take(m_analyte), restored);
}

void TestTLimitModes::restoreAfterFixingGivesModeMeanAndHalfWidthsBack()
{
    QVERIFY(LockLevel(m_analyte, 1, 0, 5, m_risks));
    const TLimitSettings saved = TLimitSettings::Take(m_analyte);
    const double mean = m_analyte.ReferenceStats[1].Mean;
    const double action = m_analyte.ReferenceStats[1].ActionHalfWidth;
    FixLevel(m_analyte, 1, 20, 1, 2, m_risks);
    QCOMPARE(int(m_analyte.LimitMode[1]), int(lmFixed));
    QCOMPARE(m_analyte.ReferenceStats[1].Mean, 20.0);
    QCOMPARE(m_analyte.ReferenceStats[1].ChartHigh, 22.0);
    saved.Restore(m_analyte);
    QCOMPARE(int(m_analyte.LimitMode[1]), int(lmLocked));
    QCOMPARE(m_analyte.LockEnd[1], 5);
    QCOMPARE(m_analyte.ReferenceStats[1].Mean, mean);
    QCOMPARE(m_analyte.ReferenceStats[1].ActionHalfWidth, action);
}

void TestTLimitModes::unlockAndUnfixReturnToMobile()
{
    const TLevelStats mobile = m_analyte.ReferenceStats[0];
    QVERIFY(LockLevel(m_analyte, 0, 3, 4, m_risks));
    UnlockLevel(m_analyte, 0, m_risks);
    QCOMPARE(int(m_analyte.LimitMode[0]), int(lmMobile));
    QCOMPARE(m_analyte.LockStart[0], -1);
    QCOMPARE(m_analyte.LockEnd[0], -1);
    QCOMPARE(m_analyte.ReferenceStats[0], mobile);
    FixLevel(m_analyte, 0, 1, 1, 1, m_risks);
    UnfixLevel(m_analyte, 0, m_risks);
    QCOMPARE(int(m_analyte.LimitMode[0]), int(lmMobile));
    QCOMPARE(m_analyte.ReferenceStats[0], mobile);
}

void TestTLimitModes::stateTexts()
{
    QCOMPARE(LockStateText(m_analyte, 0), QString("Mobile limits"));
    QVERIFY(LockLevel(m_analyte, 0, 3, 6, m_risks));
    QCOMPARE(
        LockStateText(m_analyte, 0), "Locked from " + ShortDateText(m_day + 3) + " to " + ShortDateText(m_day + 6));
    FixLevel(m_analyte, 1, 1, 1, 1, m_risks);
    QCOMPARE(LockStateText(m_analyte, 1), QString("Fixed limits"));
}

void TestTLimitModes::fixedTexts()
{
    FixLevel(m_analyte, 0, 5.26, 0.126, 0.4, m_risks);
    const TFixedTexts texts = FixedLevelTexts(m_analyte, 0);
    // One decimal for the target, two for the half-widths; six significant digits.
    QCOMPARE(texts.Target, QString("5.3"));
    QCOMPARE(texts.Warning, QString("0.13"));
    QCOMPARE(texts.Action, QString("0.40"));
}

void TestTLimitModes::levelData()
{
    TAnalyte analyte("Calcium", "mmol/L", 2, 3);
    analyte.AddPoint(MakeResult(m_day, 2.4, NAN, NAN));
    analyte.Point(0).Values[1] = { 2.6f, psDiscarded, { 0, 0, 0 } };
    RecomputeAll(analyte, m_risks);
    QVERIFY(LevelHasData(analyte, 0));
    QVERIFY(LevelHasData(analyte, 1));
    QVERIFY(!LevelHasData(analyte, 2));
    analyte.NbLevels = 7; // a damaged count never reaches past the three levels
    QCOMPARE(LevelsInUse(analyte), 3);
}

VANTOREL_TEST(TestTLimitModes)
#include "TestTLimitModes.moc"
