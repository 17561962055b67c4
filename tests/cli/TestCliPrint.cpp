#include "CliTestSupport.h"
#include "TArchive.h"
#include "TDemonstrationData.h"
#include "TPdfText.h"
#include "TTestRegistry.h"

#include <QTemporaryDir>

class TestCliPrint : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir; // the demonstration's files, and the PDF files written

private slots:
    void initTestCase()
    {
        auto context = MakeTestContext(); // Glucose: a point a day at noon, January 30 to March 15
        context->SetProgramFolder(m_dir.path());
        MakeDemonstrationData(*context);
        // Calcium's second level archived as number 1.
        TAnalyte* calcium = context->ListAnalytes.FindByName("Calcium");
        QVERIFY(calcium && ArchiveLevel(*calcium, 1, m_dir.path(), context->ListSerum, context->Risks()) == 1);
        QVERIFY(SaveData(*context, DataFileName(*context)) && SaveConfig(*context));
    }

    void printsOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("answer");
        // A print command line (the folder, unless it names one or a data file, and the PDF file added), its status,
        // and a pattern of the PDF's text or the start of the error line (D is the folder).
        // clang-format off
        QTest::newRow("data of two days in the wrong order") << "data --analyte glucose --from 2026-02-28 --to 2026-02-27" << 0 << "QC data for Glucose.+Date +Time +QC1 +QC2 +QC3.+N +2 +2 +2.+- Page 1/1 -";
        QTest::newRow("data without statistics") << "data --analyte Albumin --no-statistics" << 0 << "^(?!.*Statistics).*Albumin";
        QTest::newRow("charts of two levels") << "charts --analyte Glucose --levels 1,3 --black-and-white" << 0 << "^(?!.*Lyphocheck 2).*Glucose QC charts.+Lyphocheck 3.+C.V. \\(%\\).+- Page 1 - Glucose QC -";
        QTest::newRow("daily report") << "daily --date 2026-03-14" << 0 << "Cumulative daily QC.+Archive document - Keep it.+Analytes +Time.+Glucose";
        QTest::newRow("limits") << "limits --analyte glucose" << 0 << "QC limits for Glucose.+QC mode.+Reference CV";
        QTest::newRow("archives") << "archives --analyte calcium" << 0 << "Archived statistics for Calcium.+Begin +End +Name +Lot +Mean +CV +Number";
        QTest::newRow("one archive") << "archive --number 1" << 0 << "Archived data for Calcium.+From .+Statistics";
        QTest::newRow("analyte without archives") << "archives --analyte Glucose" << 1 << "vantorel-cli print archives: Nothing to print";
        QTest::newRow("unknown analyte") << "data --analyte Lactate" << 1 << "vantorel-cli print data: no analyte named Lactate";
        QTest::newRow("unwritable path") << "charts --analyte Glucose --pdf D/none/out.pdf" << 1 << "vantorel-cli print charts: cannot write D/none/out.pdf: ";
        QTest::newRow("no point between the dates") << "data --analyte Glucose --from 2030-01-01 --to 2030-02-01" << 1 << "vantorel-cli print data: Nothing to print";
        QTest::newRow("bad date") << "data --analyte Glucose --to 1/3/2026" << 1 << "vantorel-cli print data: --to wants a date YYYY-MM-DD, not 1/3/2026";
        QTest::newRow("level beyond the analyte's") << "charts --analyte Calcium --levels 3" << 1 << "vantorel-cli print charts: level 3: Calcium has 2 level(s)";
        QTest::newRow("both colour switches") << "charts --analyte Glucose --colour --black-and-white" << 1 << "vantorel-cli print charts: --colour and --black-and-white cannot go together";
        QTest::newRow("limits from a data file") << "limits --analyte glucose --data D/Vantorel.qcf" << 0 << "QC limits for Glucose";
        QTest::newRow("missing data file") << "data --analyte Glucose --data D/missing.qcf" << 1 << "vantorel-cli print data: D/missing.qcf: no such file";
        for (const char* command : { "charts --analyte Glucose", "limits --analyte Glucose", "archives --analyte Calcium", "archive --number 1", "daily --date 2026-03-14" })
            QTest::newRow(command) << QString(command) + " --folder D/none" << 1 << "vantorel-cli print " + QString(command).section(' ', 0, 0) + ": No such folder: D/none";
        QTest::newRow("archive number not a number") << "archive --number x" << 1 << "vantorel-cli print archive: --number wants a positive archive number, not x";
        QTest::newRow("archive not there") << "archive --number 9" << 1 << "vantorel-cli print archive: no readable archive D/QC000009.qca";
        // clang-format on
    }

    void printsOrSaysWhyNot()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, answer);
        line.replace("D/", m_dir.path() + '/');
        answer.replace("D/", m_dir.path() + '/');
        const QString pdf = m_dir.filePath("out.pdf");
        const QStringList before = FolderState(m_dir.path());
        QStringList args = QStringList { "print" } + line.split(' ');
        if (!line.contains("--data") && !line.contains("--folder"))
            args << "--folder" << m_dir.path();
        if (!line.contains("--pdf"))
            args << "--pdf" << pdf;
        const TCliRun run = RunCli(args);
        QCOMPARE(run.Status, status);
        if (status == 0) {
            QCOMPARE(run.Err, QString());
            const QString text = PdfText(pdf);
            QVERIFY2(QRegularExpression("(?s)" + answer).match(text).hasMatch(), qPrintable(text));
            QVERIFY(QFile::remove(pdf));
        } else {
            QVERIFY2(run.Err.startsWith(answer) && run.Err.count('\n') == 1, qPrintable(run.Err));
        }
        QCOMPARE(FolderState(m_dir.path()), before);
    }
};

VANTOREL_TEST(TestCliPrint)
#include "TestCliPrint.moc"
