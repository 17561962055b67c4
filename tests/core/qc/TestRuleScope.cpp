#include "TAnalyte.h"
#include "TRuleScope.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestRuleScope : public QObject {
    Q_OBJECT

private slots:
    // A stored point judged against the points before it (mean 100, warning 4, action 6).
    void storedPoint_data()
    {
        QTest::addColumn<QString>("points"); // one run a day, levels separated by '/'
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected"); // QC2's rejecting rules | fired rules | rejections | their scope
        QTest::addColumn<QString>("recommended"); // the rules the analyte applies instead of the multirule
        // clang-format off
        QTest::newRow("1:3s") << "100/100 101/100 107/100" << 2 << "|1:2s QC1, 1:3s QC1|1:3s QC1|2:0" << "";
        QTest::newRow("2:2s on QC2") << "100/104.5 100/104.5 100/100" << 1 << "2:2s|1:2s QC2, 2:2s QC2|2:2s QC2|1:1 0:1" << "";
        QTest::newRow("later points unseen") << "100/100 100/104.5 100/104.5" << 1 << "|1:2s QC2||" << "";
        QTest::newRow("2:2s across levels") << "100/100 104.5/104.5" << 1 << "2:2s|1:2s QC1, 1:2s QC2, 2:2s across levels|2:2s across levels|1:0 1:1" << "";
        QTest::newRow("recommended 1:3s alone") << "100/100 104.5/104.5" << 1 << "|1:2s QC1, 1:2s QC2||" << "1:3s";
        QTest::newRow("recommended, 1:3s") << "100/100 101/100 107/100" << 2 << "|1:2s QC1, 1:3s QC1|1:3s QC1|2:0" << "1:3s";
        // clang-format on
    }
    void storedPoint()
    {
        QFETCH(QString, points);
        QFETCH(int, index);
        QFETCH(QString, recommended);
        TAnalyte analyte("Glucose", "mmol/L", 1, 2);
        analyte.ReferenceStats.fill({ .Mean = 100, .WarningHalfWidth = 4, .ActionHalfWidth = 6, .N = 20, .Status = 0 });
        const QStringList runs = points.split(' ');
        for (int i = 0; i < runs.size(); ++i)
            analyte.AddPoint(
                MakeResult(i + 1, runs[i].section('/', 0, 0).toDouble(), runs[i].section('/', 1).toDouble()));
        ClassifyAll(analyte);
        const TWestgardResult result = EvaluateStoredPoint(
            analyte, index, { !recommended.isEmpty(), { recommended.split('/', Qt::SkipEmptyParts) } });
        QStringList scope;
        for (const TRulePoint& point : RejectionScope(result))
            scope << QString("%1:%2").arg(point.Index).arg(point.Level);
        QTEST(RejectingRules(result, 1).join(',') + '|' + FiredRules(result).join(", ") + '|'
                + FiredRules(result, true).join(", ") + '|' + scope.join(' '),
            "expected");
    }
};

VANTOREL_TEST(TestRuleScope)
#include "TestRuleScope.moc"
