// vantorel-cli evaluate, run as a separate process on files written for the
// test: the verdict printed as JSON, the refusals, and the files untouched.
#include "CliTestSupport.h"
#include "TAnalyte.h"
#include "TStatistics.h"
#include "TTestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {
// "Glucose": three levels; QC1 and QC2 on mobile limits over ten values around
// 100 and 200 (SD 1.826 and 3.651), QC3 on fixed limits 50 +- 2 (warning) and
// 3 (action). "Urea": one level, rules switched off.
void MakeLab(TQCContext& context)
{
    TAnalyte& glucose = context.ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
    const double first = DateToDayCount(QDate(2026, 3, 1)) + 0.5;
    const double qc1[] = { 99, 101, 98, 102, 100, 99, 101, 100, 103, 97 };
    for (int i = 0; i < 10; ++i)
        glucose.AddPoint(MakeResult(first + i, qc1[i], 2 * qc1[i], 50));
    glucose.Options &= ~aoCommonCV;
    glucose.LimitMode[2] = lmFixed;
    glucose.ReferenceStats[2].Mean = 50;
    glucose.ReferenceStats[2].WarningHalfWidth = 2;
    glucose.ReferenceStats[2].ActionHalfWidth = 3;
    TAnalyte& urea = context.ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 2, 1));
    urea.Options &= ~aoWestgard;
    for (int i = 0; i < 5; ++i)
        urea.AddPoint(MakeResult(first + i, 5 + 0.1 * i));
    for (int i = 0; i < context.ListAnalytes.Count(); ++i) {
        RecomputeAll(context.ListAnalytes.Item(i), context.Risks());
        ClassifyAll(context.ListAnalytes.Item(i));
    }
}

struct TVerdict {
    int Status = -1;
    QJsonObject Json;
    QString Err;
};
} // namespace

class TestCliEvaluate : public QObject {
    Q_OBJECT
private slots:
    void init();
    void verdictOfAThreeLevelRun();
    void optionsAndDefaults_data();
    void optionsAndDefaults();
    void folderSettingsGiveTheRisks();
    void refusals_data();
    void refusals();

private:
    // Runs evaluate and checks that the folder's files did not change.
    TVerdict Evaluate(const QStringList& args);

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_data;
};

void TestCliEvaluate::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    auto context = MakeTestContext();
    context->SetProgramFolder(m_folder->path());
    LoadConfig(*context);
    context->Config.AlertRisk = 1; // only the folder's settings have it
    MakeLab(*context);
    m_data = DataFileName(*context);
    QVERIFY(SaveData(*context, m_data));
    QVERIFY(SaveConfig(*context));
}

TVerdict TestCliEvaluate::Evaluate(const QStringList& args)
{
    const QStringList before = FolderState(m_folder->path());
    const TCliRun run = RunCli(QStringList { "evaluate" } + args);
    TVerdict verdict { run.Status, QJsonDocument::fromJson(run.Out.toUtf8()).object(), run.Err };
    if (FolderState(m_folder->path()) != before)
        verdict.Status = -2;
    return verdict;
}

void TestCliEvaluate::verdictOfAThreeLevelRun()
{
    // QC1 (warning half-width 4.13) and QC2 (8.26) above their warning limits:
    // 1:2s on each, 2:2s across; QC3 is fixed and takes no part.
    const TVerdict verdict = Evaluate(
        { "--data", m_data, "--analyte", "glucose", "--datetime", "2026-03-20T08:00:00", "--values", "106,212,60" });
    QCOMPARE(verdict.Status, 0);
    const QJsonObject& json = verdict.Json;
    QCOMPARE(json["analyte"].toString(), QString("Glucose"));
    QCOMPARE(json["previousIndex"].toInt(), 9);
    QCOMPARE(json["validatedCount"].toInt(), 2);
    const QJsonArray levels = json["levels"].toArray();
    QCOMPARE(levels.size(), 3);
    QCOMPARE(levels[0]["status"].toInt(), int(psHighWarning));
    QCOMPARE(levels[0]["validated"].toBool(), true);
    QCOMPARE(levels[0]["discarded"].toBool(), false);
    const QVariantMap rules = levels[0]["rules"].toObject().toVariantMap();
    QCOMPARE(rules.keys(), QStringList({ "10:m", "1:2s", "1:3s", "2:2s", "4:1s", "R:4s" }));
    QCOMPARE(rules["1:2s"].toString(), QString("warning"));
    QCOMPARE(rules["1:3s"].toString(), QString("none"));
    QCOMPARE(levels[2]["status"].toInt(), int(psHighAction));
    QCOMPARE(levels[2]["validated"].toBool(), false);
    QCOMPARE(levels[2]["rules"]["1:3s"].toString(), QString("none"));
    const QJsonObject across = json["across"].toObject();
    QCOMPARE(across["shown"].toBool(), true);
    QCOMPARE(across["names"].toArray().toVariantList(), QVariantList({ "2:2s", "R:4s", "4:1s", "10:m" }));
    QCOMPARE(across["outcomes"].toArray().toVariantList(), QVariantList({ "rejection", "none", "none", "none" }));
}

void TestCliEvaluate::optionsAndDefaults_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("validated");
    QTest::addColumn<QString>("rule12s"); // of QC1
    QTest::addColumn<bool>("acrossShown");

    const QStringList glucose { "--analyte", "Glucose", "--datetime", "2026-03-20T08:00:00" };
    const QStringList urea { "--analyte", "Urea", "--datetime", "2026-03-20T08:00:00", "--values", "9" };
    QTest::newRow("rules on by default") << glucose + QStringList { "--values", "106,200," } << 9 << 2 << "warning"
                                         << true;
    QTest::newRow("rules switched off") << glucose + QStringList { "--values", "106,200,", "--westgard", "off" } << 9
                                        << 0 << "none" << false;
    QTest::newRow("a level discarded") << glucose + QStringList { "--values", "106,200,", "--discard", "2" } << 9 << 1
                                       << "warning" << false;
    QTest::newRow("an empty value") << glucose + QStringList { "--values", ",200,50" } << 9 << 1 << "none" << false;
    QTest::newRow("dated before every point")
        << QStringList { "--analyte", "Glucose", "--datetime", "2026-02-01T08:00:00", "--values", "106,212,60" } << -1
        << 2 << "warning" << true;
    QTest::newRow("switched off in the analyte") << urea << 4 << 0 << "none" << false;
    QTest::newRow("switched on for one run")
        << urea + QStringList { "--westgard", "on" } << 4 << 1 << "warning" << false;
}

void TestCliEvaluate::optionsAndDefaults()
{
    QFETCH(QStringList, args);
    QFETCH(int, previous);
    QFETCH(int, validated);
    QFETCH(QString, rule12s);
    QFETCH(bool, acrossShown);
    const TVerdict verdict = Evaluate(QStringList { "--data", m_data } + args);
    QCOMPARE(verdict.Status, 0);
    QCOMPARE(verdict.Json["previousIndex"].toInt(), previous);
    QCOMPARE(verdict.Json["validatedCount"].toInt(), validated);
    QCOMPARE(verdict.Json["levels"][0]["rules"]["1:2s"].toString(), rule12s);
    QCOMPARE(verdict.Json["across"]["shown"].toBool(), acrossShown);
}

void TestCliEvaluate::folderSettingsGiveTheRisks()
{
    // 104.5 lies beyond QC1's warning limit at 5% (t = 2.262, 4.13) but inside it
    // at 2% (t = 2.821, 5.15), the alert risk of the folder's settings.
    const QStringList run { "--analyte", "Glucose", "--datetime", "2026-03-20T08:00:00", "--values", "104.5" };
    const TVerdict alone = Evaluate(QStringList { "--data", m_data } + run);
    QCOMPARE(alone.Status, 0);
    QCOMPARE(alone.Json["levels"][0]["status"].toInt(), int(psHighWarning));
    const TVerdict folder = Evaluate(QStringList { "--folder", m_folder->path() } + run);
    QCOMPARE(folder.Status, 0);
    QCOMPARE(folder.Json["levels"][0]["status"].toInt(), int(psWithin));
    QCOMPARE(folder.Json["levels"][0]["rules"]["1:2s"].toString(), QString("none"));
}

void TestCliEvaluate::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    const QStringList when { "--datetime", "2026-03-20T08:00:00" };
    QTest::newRow("unknown analyte") << QStringList { "--analyte", "Lactate", "--values", "1" } + when << "Lactate";
    QTest::newRow("no analyte") << QStringList { "--values", "1" } + when << "--analyte NAME is required";
    QTest::newRow("bad date") << QStringList { "--analyte", "Urea", "--values", "1", "--datetime", "20/03/2026" }
                              << "--datetime";
    QTest::newRow("not a number") << QStringList { "--analyte", "Urea", "--values", "abc" } + when
                                  << "Incorrect floating number";
    QTest::newRow("no value at all") << QStringList { "--analyte", "Glucose", "--values", ",," } + when << "Enter data";
    QTest::newRow("more values than levels")
        << QStringList { "--analyte", "Urea", "--values", "5,6" } + when << "value 2";
    QTest::newRow("discard out of range")
        << QStringList { "--analyte", "Glucose", "--values", "1,2,3", "--discard", "4" } + when << "--discard";
    QTest::newRow("discard an empty level")
        << QStringList { "--analyte", "Glucose", "--values", "1,,3", "--discard", "2" } + when << "level 2";
    QTest::newRow("bad switch") << QStringList { "--analyte", "Urea", "--values", "5", "--westgard", "yes" } + when
                                << "--westgard";
    QTest::newRow("unknown option") << QStringList { "--analyte", "Urea", "--values", "5", "--force", "x" } + when
                                    << "Unknown option 'force'";
}

void TestCliEvaluate::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    const TVerdict verdict = Evaluate(QStringList { "--data", m_data } + args);
    QCOMPARE(verdict.Status, 1);
    QVERIFY2(verdict.Err.contains(reason), qPrintable(verdict.Err));
    QVERIFY2(IsOneLine(verdict.Err), qPrintable(verdict.Err));
    QVERIFY(verdict.Json.isEmpty());
}

VANTOREL_TEST(TestCliEvaluate)
#include "TestCliEvaluate.moc"
