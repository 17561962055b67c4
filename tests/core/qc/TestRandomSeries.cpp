#include "TAnalyte.h"
#include "TRandomSeries.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestRandomSeries : public QObject {
    Q_OBJECT

private slots:
    void levelValues_data()
    {
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("cv"); // NaN: cell left empty
        QTest::newRow("mean 100, CV 3") << 100.0 << 3.0;
        QTest::newRow("negative mean draws the same law") << -40.0 << 5.0;
        QTest::newRow("CV 0 gives the mean each time") << 5.25 << 0.0;
        QTest::newRow("empty CV gives no value") << 5.25 << double(NAN);
    }
    void levelValues()
    {
        QFETCH(double, mean);
        QFETCH(double, cv);
        auto context = MakeTestContext();
        TAnalyte analyte("Glucose", "mmol/L", 2, 3);
        analyte.LimitMode = { lmLocked, lmFixed, lmLocked };
        const int n = 1000;
        TRandomSeries series { n, {}, {}, 46000.375 };
        series.Means[0] = { float(mean), psWithin };
        if (!std::isnan(cv))
            series.CVs[0] = { float(cv), psWithin };
        AddRandomToCharts(analyte, series, context->Random(), context->Risks());
        QCOMPARE(analyte.LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
        double sum = 0, squares = 0;
        for (int i = 0; i < n; ++i) {
            const TQCValue& v = analyte.Point(i).Values[0];
            QCOMPARE(analyte.Point(i).DateTime, 46000.375 + i); // one a day at the same time
            QCOMPARE(v.HasValue(), !std::isnan(cv));
            sum += v.Value;
            squares += double(v.Value) * v.Value;
        }
        const double sd = std::sqrt(std::max(0.0, (squares - sum * sum / n) / (n - 1)));
        const double sigma = std::isnan(cv) ? 0 : std::fabs(mean) * cv / 100;
        // Within four standard errors of the mean (sigma / sqrt(n)) and of the SD (sigma / sqrt(2n)).
        QVERIFY(std::isnan(cv) || std::fabs(sum / n - mean) <= 4 * sigma / std::sqrt(n) + 1e-5);
        QVERIFY2(std::fabs(sd - sigma) <= 4 * sigma / std::sqrt(2.0 * n) + 1e-4, qPrintable(QString::number(sd)));
    }
};

VANTOREL_TEST(TestRandomSeries)
#include "TestRandomSeries.moc"
