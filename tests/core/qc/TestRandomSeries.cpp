// Generated training runs: the values of a level, their dates, and what each
// destination changes.
#include "TAnalyte.h"
#include "TDataSample.h"
#include "TFifo.h"
#include "TFifoFile.h"
#include "TRandomSeries.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

namespace {

TRandomSeries Series(int number, double mean, double cv, double first = 46000.375)
{
    TRandomSeries series;
    series.Number = number;
    series.Means[0] = { float(mean), psWithin };
    if (!std::isnan(cv))
        series.CVs[0] = { float(cv), psWithin };
    series.FirstDateTime = first;
    return series;
}

} // namespace

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
        TAnalyte analyte("Glucose", "mmol/L", 2, 1);
        const int n = 1000;
        AddRandomToCharts(analyte, Series(n, mean, cv), context->Random(), context->Risks());
        QCOMPARE(analyte.Count(), n);
        double sum = 0, squares = 0;
        for (int i = 0; i < n; ++i) {
            const TQCValue& v = analyte.Point(i).Values[0];
            QCOMPARE(v.HasValue(), !std::isnan(cv));
            sum += v.Value;
            squares += double(v.Value) * v.Value;
        }
        if (std::isnan(cv))
            return;
        const double average = sum / n;
        const double sd = std::sqrt(std::max(0.0, (squares - sum * sum / n) / (n - 1)));
        const double sigma = std::fabs(mean) * cv / 100;
        // Within four standard errors of the mean (sigma / sqrt(n)) and of the SD (sigma / sqrt(2n)),
        // single-precision storage aside.
        QVERIFY2(std::fabs(average - mean) <= 4 * sigma / std::sqrt(n) + 1e-5, qPrintable(QString::number(average)));
        QVERIFY2(std::fabs(sd - sigma) <= 4 * sigma / std::sqrt(2.0 * n) + 1e-4, qPrintable(QString::number(sd)));
    }

    void chartsSpanOneDayARunAndTurnEveryLevelMobile_data()
    {
        QTest::addColumn<bool>("points");
        QTest::newRow("analyte with points") << true;
        QTest::newRow("analyte without points") << false;
    }
    void chartsSpanOneDayARunAndTurnEveryLevelMobile()
    {
        QFETCH(bool, points);
        auto context = MakeTestContext();
        TAnalyte analyte("Glucose", "mmol/L", 2, 3);
        if (points)
            AddRandomToCharts(analyte, Series(10, 5, 3, 45000.5), context->Random(), context->Risks());
        analyte.LimitMode[0] = lmLocked;
        analyte.LockStart[0] = 0;
        analyte.LockEnd[0] = points ? 5 : -1;
        analyte.LimitMode[1] = lmFixed;
        analyte.LimitMode[2] = lmLocked;
        AddRandomToCharts(analyte, Series(1000, 5, 3), context->Random(), context->Risks());
        for (int l = 0; l < MaxLevels; ++l)
            QCOMPARE(int(analyte.LimitMode[l]), int(lmMobile));
        const int first = points ? 10 : 0;
        QCOMPARE(analyte.Count(), first + 1000);
        for (int k = 0; k < 1000; ++k)
            QCOMPARE(analyte.Point(first + k).DateTime, 46000.375 + k);
    }

    void queueLeavesTheAnalyteAlone()
    {
        QTemporaryDir dir;
        auto context = MakeTestContext();
        TAnalyte analyte("Calcium", "mmol/L", 2, 2);
        AddRandomToCharts(analyte, Series(20, 2.4, 4, 45000.5), context->Random(), context->Risks());
        analyte.LimitMode[1] = lmFixed;
        const TAnalyte before = analyte;
        context->ListFifo.SetFileName(dir.filePath("Vantorel.fif"));
        QVERIFY(AddRandomToQueue(analyte, Series(3, 2.4, 4), context->Random(), context->ListFifo));
        QCOMPARE(AnalyteDifference(analyte, before), QString());
        QCOMPARE(context->ListFifo.Count(), 3);
        QCOMPARE(context->ListFifo.Item(2).DateTime, 46002.375);
        QCOMPARE(context->ListFifo.Item(2).Analyte, QString("Calcium"));
        std::deque<TResu0> inFile;
        QVERIFY(TFifoReader().ReadFile(dir.filePath("Vantorel.fif"), inFile));
        QCOMPARE(int(inFile.size()), 3);
    }
};

VANTOREL_TEST(TestRandomSeries)
#include "TestRandomSeries.moc"
