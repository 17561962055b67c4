#include "TSigma.h"
#include "TTestRegistry.h"

#include <QTest>

class TestSigma : public QObject {
    Q_OBJECT

private slots:
    void sigma_data()
    {
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("cv");
        QTest::addColumn<QString>("goal"); // TEa, "u" when in units, target, bias in percent ("-" none)
        QTest::addColumn<QString>("expected"); // TEa %, bias %, sigma, dSEcrit; or the reason
        // clang-format off
        QTest::newRow("no bias known") << 5.0 << 2.0 << "10 - -" << "10 0 5 3.35 unknown";
        QTest::newRow("target below the mean") << 5.0 << 2.0 << "10 4 -" << "10 25 -7.5 -9.15 known";
        QTest::newRow("target above the mean") << 100.0 << 1.5 << "10 102 -" << "10 -1.96078 5.35948 3.70948 known";
        QTest::newRow("bias in percent") << 100.0 << 1.5 << "10 - -2" << "10 -2 5.33333 3.68333 known";
        QTest::newRow("target wins over bias") << 100.0 << 1.5 << "10 100 -2" << "10 0 6.66667 5.01667 known";
        QTest::newRow("TEa in units") << 140.0 << 1.0 << "7u - 1" << "5 1 4 2.35 known";
        QTest::newRow("no TEa") << 5.0 << 2.0 << "- 4 -" << "no TEa";
        QTest::newRow("no statistics") << 5.0 << 0.0 << "10 4 -" << "no statistics";
        // clang-format on
    }
    void sigma()
    {
        QFETCH(double, mean);
        QFETCH(double, cv);
        QFETCH(QString, goal);
        const QStringList g = goal.split(' ');
        const auto number
            = [](const QString& text) { return text == "-" ? NAN : QString(text).remove('u').toDouble(); };
        const TLevelStats stats { .Mean = mean, .N = 20, .CV = float(cv), .Status = cv > 0 ? quint8(0) : quint8(6) };
        const TSigmaLevel s = ComputeSigma(stats, { number(g[0]), g[0].endsWith('u'), number(g[1]), number(g[2]) });
        const QString text = s.Computed ? QStringList { QString::number(s.TEa, 'g', 6), QString::number(s.Bias, 'g', 6),
            QString::number(s.Sigma, 'g', 6), QString::number(s.DSECrit, 'g', 6), s.BiasKnown ? "known" : "unknown" }
                                              .join(' ')
                                        : s.Reason;
        QTEST(text, "expected");
    }

    void recommendation_data()
    {
        QTest::addColumn<double>("sigma");
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("expected"); // rules, N, R, runs of the program
        // clang-format off
        QTest::newRow("6 sigma, two levels") << 6.0 << 2 << "1:3s 2 1 1";
        QTest::newRow("6 sigma, three levels") << 7.5 << 3 << "1:3s 3 1 1";
        QTest::newRow("5 sigma") << 5.0 << 2 << "1:3s/2:2s/R:4s 2 1 1";
        QTest::newRow("4 sigma, two levels") << 4.9 << 2 << "1:3s/2:2s/R:4s/4:1s 4 1 2";
        QTest::newRow("4 sigma, three levels") << 4.0 << 3 << "1:3s/2:2s/R:4s/3:1s 3 1 1";
        QTest::newRow("below 4, two levels") << 3.99 << 2 << "1:3s/2:2s/R:4s/4:1s/10:m 4 2 4";
        QTest::newRow("below 4, three levels") << 2.0 << 3 << "1:3s/2:2s/R:4s/3:1s/9:m 6 1 2";
        QTest::newRow("one level") << 5.5 << 1 << "1:3s/2:2s/R:4s 2 1 2";
        // clang-format on
    }
    void recommendation()
    {
        QFETCH(double, sigma);
        QFETCH(int, levels);
        const TRuleSet set = RecommendedRules(sigma, levels);
        QTEST(QString("%1 %2 %3 %4").arg(set.Text()).arg(set.N).arg(set.R).arg(set.ProgramRuns(levels)), "expected");
    }
};

VANTOREL_TEST(TestSigma)
#include "TestSigma.moc"
