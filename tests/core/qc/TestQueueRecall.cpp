// Where a run recalled from the queue goes: the analyte found or created, its levels grown, the
// run classified.
#include "TListAnalytes.h"
#include "TQueueRecall.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestQueueRecall : public QObject {
    Q_OBJECT

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
        return QString("%1 #%2%3%4, %5 levels %6 %7 %8, %9 analytes")
            .arg(a.Name)
            .arg(m_list.IndexOf(&a))
            .arg(target.Created ? " created" : "")
            .arg(target.LevelsGrown ? " grown" : "")
            .arg(a.NbLevels)
            .arg(a.Decimals)
            .arg(a.Units)
            .arg(a.Count())
            .arg(m_list.Count());
    }

private slots:
    void init()
    {
        m_list.Clear();
        TAnalyte& glucose = m_list.Add(TAnalyte("Glucose", "mmol/L", 1, 1));
        for (int i = 0; i < 20; ++i)
            glucose.AddPoint(MakeResult(1000 + i, 5.0 + ((i % 5) - 2) * 0.1));
        glucose.RecomputeAll(TRisks());
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
        glucose.RecomputeAll(TRisks());
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

VANTOREL_TEST(TestQueueRecall)
#include "TestQueueRecall.moc"
