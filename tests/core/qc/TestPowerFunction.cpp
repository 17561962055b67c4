#include "TPowerFunction.h"
#include "TRandom.h"
#include "TTestRegistry.h"

#include <QTest>

class TestPowerFunction : public QObject {
    Q_OBJECT

private slots:
    // The program's engine against the published single-rule figures, with
    // limits at 2 and 3 SD: 1:3s false rejection 1 - (1 - 0.0027)^N, 1:2s
    // 1 - 0.9545^N, and detection at a shift of 2 SD 1 - (1 - P(z > 1))^N.
    void singleRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("levels");
        QTest::addColumn<double>("shift");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("1:3s N=2 Pfr") << "1:3s" << 2 << 0.0 << 0.0054 << 0.0015;
        QTest::newRow("1:2s N=2 Pfr") << "1:2s" << 2 << 0.0 << 0.0889 << 0.006;
        QTest::newRow("1:3s N=2 at 2 SD") << "1:3s" << 2 << 2.0 << 0.2922 << 0.012;
        QTest::newRow("1:3s N=1 at 3 SD") << "1:3s" << 1 << 3.0 << 0.5 << 0.015;
    }
    void singleRules()
    {
        QFETCH(QString, rule);
        QFETCH(int, levels);
        QFETCH(double, shift);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        TRandom random(20261207);
        const double p = RejectionProbability({ { rule }, levels, 1 }, levels, shift, 20000, random);
        QVERIFY2(std::abs(p - expected) <= tolerance, qPrintable(QString::number(p)));
    }

    // More rules and more runs can only reject more often, and a larger shift too.
    void multiruleRejectsMoreThanItsRules()
    {
        TRandom random(7);
        const std::vector<double> single = PowerCurve(RecommendedRules(6, 2), 2, { 0, 2 }, 5000, random);
        const std::vector<double> multi = PowerCurve(MultiruleInForce(2), 2, { 0, 2 }, 5000, random);
        QVERIFY(multi[0] > single[0] && multi[1] > single[1]);
        QVERIFY(multi[1] > multi[0]);
    }
};

VANTOREL_TEST(TestPowerFunction)
#include "TestPowerFunction.moc"
