#include "CliTestSupport.h"
#include "TAuditTrail.h"
#include "TPdfText.h"
#include "TTestRegistry.h"

#include <QSqlQuery>
#include <QTemporaryDir>

class TestCliAudit : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir; // a trail of three entries: started, Glucose corrected, Urea deleted

private slots:
    void initTestCase()
    {
        auto context = MakeTestContext();
        TAuditTrail trail(*context);
        QVERIFY(trail.Open(m_dir.path(), nullptr));
        QVERIFY(trail.Record(
            { TChangeKind::PointCorrected, "Glucose", 2, "AB", { { "QC2", 5.1 } }, { { "QC2", 5.4 } } }, nullptr));
        QVERIFY(trail.Record({ TChangeKind::AnalyteDeleted, "Urea", 0, "", { { "name", "Urea" } }, {} }, nullptr));
    }

    void listsReadOnly()
    {
        const QStringList before = FolderState(m_dir.path());
        const TCliRun run = RunCli({ "audit", "list", "--analyte", "glucose", "--json", "--folder", m_dir.path() });
        QCOMPARE(run.Status, 0);
        const QJsonArray entries = QJsonDocument::fromJson(run.Out.toUtf8()).array();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(Join(entries[0]["sequence"].toInt(), entries[0]["kind"].toString(), entries[0]["level"].toInt(),
                     JsonText(entries[0]["before"]), JsonText(entries[0]["after"])),
            R"(2 PointCorrected 2 [{"QC2":5.1}] [{"QC2":5.4}])");
        QCOMPARE(FolderState(m_dir.path()), before);
    }

    void printsTheEntries()
    {
        const QString pdf = m_dir.filePath("audit.pdf");
        QCOMPARE(RunCli({ "print", "audit", "--folder", m_dir.path(), "--pdf", pdf }).Status, 0);
        QVERIFY2(QRegularExpression("Audit trail.+Point corrected +Glucose \\(2\\) +QC2 +5.1 +5.4.+Analyte deleted",
                     QRegularExpression::DotMatchesEverythingOption)
                     .match(PdfText(pdf))
                     .hasMatch(),
            qPrintable(PdfText(pdf)));
    }

    // Last: it changes the trail.
    void verifiesThenNamesTheBrokenEntry()
    {
        TCliRun run = RunCli({ "audit", "verify", "--folder", m_dir.path() });
        QCOMPARE(Join(run.Status, run.Out.section(',', 0, 0)), "0 3 entries");
        {
            TAuditLog log;
            QVERIFY(log.Open(m_dir.path(), false, nullptr));
            QVERIFY(QSqlQuery(log.Database()).exec(R"(UPDATE trail SET after = '{"QC2":5.2}' WHERE seq = 2)"));
        }
        run = RunCli({ "audit", "verify", "--folder", m_dir.path() });
        QCOMPARE(Join(run.Status, run.Out, run.Err.trimmed()),
            "1  vantorel-cli audit verify: broken at entry 2: entry 2 was changed after it was recorded");
    }
};

VANTOREL_TEST(TestCliAudit)
#include "TestCliAudit.moc"
