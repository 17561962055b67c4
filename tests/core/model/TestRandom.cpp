// The uniform and the normal generators.
#include "TRandom.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

namespace {
// A generator that answers a scripted sequence.
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
}

class TestRandom : public QObject {
    Q_OBJECT

private slots:
    void gaussianHasTheAskedMeanAndSpread()
    {
        TRandom random(7);
        double sum = 0, squares = 0;
        const int n = 20000;
        for (int i = 0; i < n; ++i) {
            const double x = random.Gaussian(2.0, 10.0);
            QVERIFY(std::isfinite(x));
            sum += x;
            squares += x * x;
        }
        const double mean = sum / n;
        const double sd = std::sqrt((squares - sum * sum / n) / (n - 1));
        // Standard error of the mean 2 / sqrt(20000) = 0.014: within 5 of them.
        QVERIFY2(std::fabs(mean - 10.0) < 0.07, qPrintable(QString::number(mean)));
        QVERIFY2(std::fabs(sd - 2.0) < 0.06, qPrintable(QString::number(sd)));
    }

    void gaussianDrawsAgainWhenU1IsZero()
    {
        // u1 = 0 would make the logarithm infinite: it is drawn again (0.5), then u2 = 0.25.
        TScriptedRandom random({ 0.0, 0.5, 0.25 });
        const double expected = std::sqrt(-2.0 * std::log(0.5)) * 1.0 * 3.0 + 100.0; // sin(pi / 2) = 1
        QCOMPARE_NEAR(random.Gaussian(3.0, 100.0), expected, 1e-12);
    }

    void uniformDrawsStayBelowOne()
    {
        TRandom random(1);
        double low = 1, high = 0;
        for (int i = 0; i < 100000; ++i) {
            const double u = random.Next();
            QVERIFY(u >= 0.0 && u < 1.0);
            low = std::min(low, u);
            high = std::max(high, u);
        }
        QVERIFY(low < 0.001 && high > 0.999);
        TRandom a(99), b(99);
        QCOMPARE(a.Next(), b.Next());
    }
};

VANTOREL_TEST(TestRandom)
#include "TestRandom.moc"
