#include "TAnalyte.h"
#include "TDates.h"
#include "TLimitModes.h"
#include "TListAnalytes.h"
#include "TQueueRecall.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestLimitModes : public QObject {
    Q_OBJECT

    TAnalyte m_analyte;
    const double m_day = DateToDayCount(QDate(2026, 2, 1));

    QString Level(int l) const
    {
        return Join(m_analyte.LimitMode[l], QString("%1..%2").arg(m_analyte.LockStart[l]).arg(m_analyte.LockEnd[l]),
            "mean", m_analyte.ReferenceStats[l].Mean);
    }

    TListAnalytes m_list;

    // Recalls a run of `name` with values at levels 1..3 ("-" none): the target, its levels, the list's size.
    QString Recall(const QString& name, const QString& values, TResu0* out = nullptr)
    {
        const QStringList v = values.split(' ');
        const auto value = [&](int l) { return v.value(l, "-") == "-" ? NAN : v[l].toDouble(); };
        TResu0 run = MakeResult(2000, value(0), value(1), value(2));
        run.Analyte = name;
        const TRecallTarget target = PrepareRecalledRun(m_list, run, TRisks());
        if (out)
            *out = run;
        const TAnalyte& a = *target.Analyte;
        const QString flags = QString(target.Created ? " created" : "") + (target.LevelsGrown ? " grown" : "");
        return Join(a.Name, "#" + QString::number(m_list.IndexOf(&a)) + flags + ",", a.NbLevels, "levels", a.Decimals,
            a.Units, QString::number(a.Count()) + ",", m_list.Count(), "analytes");
    }

private slots:
    void init()
    {
        m_analyte = TAnalyte("Glucose", "mmol/L", 1, 2);
        m_analyte.Options = aoWestgard | aoDefault; // each level on its own CV
        const double level0[] = { 5, 5, 5, 4, 6, 5.5, 4.5, 5.2 };
        const double level1[] = { 10, 11, 12, 10, 11, 12, 10, 11 };
        for (int i = 0; i < 8; ++i)
            m_analyte.AddPoint(MakeResult(m_day + i + 0.5, level0[i], level1[i]));
        RecomputeAll(m_analyte, TRisks());
        m_list.Clear();
        TAnalyte& glucose = m_list.Add(TAnalyte("Glucose", "mmol/L", 1, 1));
        for (int i = 0; i < 20; ++i)
            glucose.AddPoint(MakeResult(1000 + i, 5.0 + ((i % 5) - 2) * 0.1));
        RecomputeAll(glucose, TRisks());
    }

    void lockTakesTheIntervalAndUnlockFreesIt()
    {
        const TLevelStats mobile = m_analyte.ReferenceStats[0];
        QCOMPARE(LockStateText(m_analyte, 0), QString("Mobile limits"));
        QVERIFY(LockLevel(m_analyte, 0, 3, 4, TRisks()));
        // 4 and 6: mean 5, SD sqrt(2), one degree of freedom: 12.706 times SD.
        QCOMPARE(Level(0), QString("1 3..4 mean 5"));
        QCOMPARE_NEAR(m_analyte.ReferenceStats[0].WarningHalfWidth, 12.706 * std::sqrt(2.0), 1e-6);
        QCOMPARE(LockStateText(m_analyte, 0),
            "Locked from " + ShortDateText(m_day + 3.5) + " to " + ShortDateText(m_day + 4.5));
        QCOMPARE(m_analyte.LimitMode[1], quint8(lmMobile));
        UnlockLevel(m_analyte, 0, TRisks());
        QCOMPARE(Level(0), QString("0 -1..-1 mean 5.025"));
        QCOMPARE(m_analyte.ReferenceStats[0], mobile);
        FixLevel(m_analyte, 0, 1, 1, 1, TRisks());
        QCOMPARE(LockStateText(m_analyte, 0), QString("Fixed limits"));
        UnfixLevel(m_analyte, 0, TRisks());
        QCOMPARE(m_analyte.ReferenceStats[0], mobile);
    }

    void lockOnEqualValuesKeepsThePreviousMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("mobile") << int(lmMobile);
        QTest::newRow("locked elsewhere") << int(lmLocked);
        QTest::newRow("fixed") << int(lmFixed);
    }
    void lockOnEqualValuesKeepsThePreviousMode()
    {
        QFETCH(int, mode);
        if (mode == lmLocked)
            QVERIFY(LockLevel(m_analyte, 0, 3, 7, TRisks()));
        if (mode == lmFixed)
            FixLevel(m_analyte, 0, 5.1, 0.3, 0.5, TRisks());
        const TLimitSettings before = TLimitSettings::Take(m_analyte);
        // Points 0..2 of level 1 all read 5; a single point gives no statistics either.
        QVERIFY(!LockLevel(m_analyte, 0, 0, 2, TRisks()));
        QCOMPARE(TLimitSettings::Take(m_analyte), before);
        QVERIFY(!LockLevel(m_analyte, 0, 5, 5, TRisks()));
        QCOMPARE(TLimitSettings::Take(m_analyte), before);
        QCOMPARE(int(m_analyte.LimitMode[0]), mode);
    }

    void restoreGivesModesIntervalsAndLimitsBack()
    {
        const TLimitSettings saved = TLimitSettings::Take(m_analyte);
        QVERIFY(LockLevel(m_analyte, 0, 3, 6, TRisks()));
        QVERIFY(LockLevel(m_analyte, 1, 0, 5, TRisks()));
        const TLimitSettings locked = TLimitSettings::Take(m_analyte);
        FixLevel(m_analyte, 1, 20, 1, 2, TRisks());
        QCOMPARE(m_analyte.ReferenceStats[1].ChartHigh, 22.0); // the target 20 and the action half-width 2
        locked.Restore(m_analyte);
        QVERIFY(TLimitSettings::Take(m_analyte) == locked);
        QCOMPARE(Level(1), QString("1 0..5 mean 11"));
        saved.Restore(m_analyte);
        QCOMPARE(Level(0) + ", " + Level(1), QString("0 -1..-1 mean 5.025, 0 -1..-1 mean 10.875"));
        // The restored statistics are those a recompute gives.
        RecomputeAll(m_analyte, TRisks());
        QVERIFY(TLimitSettings::Take(m_analyte) == saved);
    }

    void sheetTexts()
    {
        FixLevel(m_analyte, 0, 5.26, 0.126, 0.4, TRisks());
        const TFixedTexts texts = FixedLevelTexts(m_analyte, 0);
        // One decimal for the target, two for the half-widths.
        QCOMPARE(texts.Target + " " + texts.Warning + " " + texts.Action, QString("5.3 0.13 0.40"));
        // A locked interval outside the points (a damaged file) cannot be shown as dates.
        SetLocked(m_analyte, 1, 6, 9);
        QCOMPARE(LockStateText(m_analyte, 1), QString("Mobile limits"));
        TAnalyte analyte("Calcium", "mmol/L", 2, 3);
        analyte.AddPoint(MakeResult(m_day, 2.4, 2.6, NAN));
        analyte.Point(0).Values[1].Status = psDiscarded;
        RecomputeAll(analyte, TRisks());
        QVERIFY(LevelHasData(analyte, 0) && LevelHasData(analyte, 1) && !LevelHasData(analyte, 2));
        analyte.NbLevels = 7; // a damaged count never reaches past the three levels
        QCOMPARE(LevelsInUse(analyte), 3);
    }

    void runFindsOrCreatesItsAnalyte_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("target"); // name #index [created] [grown], levels decimals units points
        // clang-format off
        QTest::newRow("known name in another case") << "gLUCOSE" << "5" << "Glucose #0, 1 levels 1 mmol/L 20, 1 analytes";
        QTest::newRow("unknown name") << "Lactate" << "1.5" << "Lactate #1 created, 3 levels 2 mmol/L 0, 2 analytes";
        QTest::newRow("start of a known name") << "Gluc" << "5" << "Gluc #1 created, 3 levels 2 mmol/L 0, 2 analytes";
        QTest::newRow("long name cut to what an analyte holds") << "Alkaline phosphatase" << "1" << "Alkaline phosph #1 created, 3 levels 2 mmol/L 0, 2 analytes";
        QTest::newRow("values at 2") << "Glucose" << "5 2" << "Glucose #0 grown, 2 levels 1 mmol/L 20, 1 analytes";
        QTest::newRow("values at 2 and 3") << "Glucose" << "5 2 3" << "Glucose #0 grown, 3 levels 1 mmol/L 20, 1 analytes";
        QTest::newRow("value at 3 only") << "Glucose" << "- - 3" << "Glucose #0 grown, 3 levels 1 mmol/L 20, 1 analytes";
        // clang-format on
    }
    void runFindsOrCreatesItsAnalyte()
    {
        QFETCH(QString, name);
        QFETCH(QString, values);
        QFETCH(QString, target);
        QCOMPARE(Recall(name, values), target);
        // The next run of that name goes to the same analyte, which needs to grow no more.
        QCOMPARE(Recall(name.toUpper(), values), QString(target).remove(" created").remove(" grown"));
    }

    void grownLevelTakesInStoredValuesAndTheRunIsClassified()
    {
        // Points imported with a second value while the analyte had one level.
        TAnalyte& glucose = m_list.Item(0);
        for (int i = 0; i < 10; ++i)
            glucose.AddPoint(MakeResult(1100 + i, 5.0, 10.0 + (i % 2)));
        RecomputeAll(glucose, TRisks());
        Recall("Glucose", "5 10.5");
        QCOMPARE(glucose.AllPointsStats[1].N, 10);
        QCOMPARE_NEAR(glucose.ReferenceStats[1].Mean, 10.5, 1e-9);
        const TLevelStats& ref = glucose.ReferenceStats[0];
        TResu0 run;
        Recall("Glucose", QString::number(ref.Mean + (ref.WarningHalfWidth + ref.ActionHalfWidth) / 2, 'g', 17), &run);
        QCOMPARE(int(run.Values[0].Status), int(psHighWarning));
        Recall("Glucose", QString::number(ref.Mean - ref.ActionHalfWidth * 1.01, 'g', 17), &run);
        QCOMPARE(int(run.Values[0].Status), int(psLowAction));
        QCOMPARE(int(run.Values[1].Status), int(psNoValue));
    }
};

VANTOREL_TEST(TestLimitModes)
#include "TestLimitModes.moc"
