// The companion's print commands on the demonstration data: the PDF they write
// reads back as the report it holds; a failure leaves no file.
#include "CliTestSupport.h"
#include "TDemonstrationData.h"
#include "TPdfText.h"
#include "TTestRegistry.h"

#include <QTemporaryDir>

class TestCliPrint : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir; // the demonstration's files, and the PDF files written

private slots:
    void initTestCase()
    {
        auto context = MakeTestContext();
        context->SetProgramFolder(m_dir.path());
        MakeDemonstrationData(*context);
        QVERIFY(SaveData(*context, DataFileName(*context)));
        QVERIFY(SaveConfig(*context));
    }

    void printsThePdf_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("texts"); // patterns the PDF's text holds
        QTest::addColumn<QString>("absent");
        // Glucose has a point a day at noon from January 30 to March 15.
        const auto day = [](int month, int d) { return ShortDateText(DateToDayCount(QDate(2026, month, d))); };
        QTest::newRow("data of two days") << "data --analyte glucose --from 2026-02-28 --to 2026-02-27"
                                          << QStringList { "QC data for Glucose", "QC1 : Lyphocheck 1 \\(lot \\d+\\)",
                                                 "Date +Time +QC1 +QC2 +QC3 +Operator +Comment", day(2, 27),
                                                 "N +2 +2 +2", "- Page 1/1 - QC data for Glucose -" }
                                          << day(2, 26) + "|" + day(3, 1);
        QTest::newRow("data without statistics")
            << "data --analyte Albumin --no-statistics"
            << QStringList { "QC data for Albumin", "- Page 1/\\d - QC data" } << "Statistics";
        QTest::newRow("charts of two levels")
            << "charts --analyte Glucose --levels 1,3 --black-and-white"
            << QStringList { "Glucose QC charts", "Lyphocheck 3 \\(\\d+\\)",
                   "Statistics +m \\(mmol/L\\) +C.V. \\(%\\) +N", "- Page 1 - Glucose QC - Printed on" }
            << "Lyphocheck 2";
    }

    void printsThePdf()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, texts);
        QFETCH(QString, absent);
        const QString pdf = m_dir.filePath("out.pdf");
        const TCliRun run = RunCli(
            QStringList { "print" } + line.split(' ') + QStringList { "--folder", m_dir.path(), "--pdf", pdf });
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.Status, 0);
        const QString text = PdfText(pdf);
        for (const QString& pattern : texts)
            QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern + " in\n" + text));
        QVERIFY2(!text.contains(QRegularExpression(absent)), qPrintable(text));
        QVERIFY(QFile::remove(pdf));
    }

    void failureLeavesNoFile_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("answer");
        QTest::newRow("unknown analyte") << "data --analyte Lactate"
                                         << "out.pdf"
                                         << "print data: no analyte named Lactate";
        QTest::newRow("unwritable path") << "charts --analyte Glucose"
                                         << "none/out.pdf"
                                         << "print charts: cannot write D/none/out.pdf: ";
        QTest::newRow("no point between the dates") << "data --analyte Glucose --from 2030-01-01 --to 2030-02-01"
                                                    << "out.pdf"
                                                    << "print data: Nothing to print";
        QTest::newRow("bad date") << "data --analyte Glucose --to 1/3/2026"
                                  << "out.pdf"
                                  << "vantorel-cli print data: --to wants a date YYYY-MM-DD, not 1/3/2026";
        QTest::newRow("level beyond the analyte's") << "charts --analyte Calcium --levels 3"
                                                    << "out.pdf"
                                                    << "print charts: level 3: Calcium has 2 level(s)";
        QTest::newRow("both colour switches") << "charts --analyte Glucose --colour --black-and-white"
                                              << "out.pdf"
                                              << "print charts: --colour and --black-and-white cannot go together";
    }

    void failureLeavesNoFile()
    {
        QFETCH(QString, line);
        QFETCH(QString, pdf);
        QFETCH(QString, answer);
        const QStringList before = FolderState(m_dir.path());
        const TCliRun run = RunCli(QStringList { "print" } + line.split(' ')
            + QStringList { "--folder", m_dir.path(), "--pdf", m_dir.filePath(pdf) });
        QCOMPARE(run.Status, 1);
        QVERIFY2(run.Err.startsWith(answer.replace("D/", m_dir.path() + '/')) && run.Err.count('\n') == 1,
            qPrintable(run.Err));
        QCOMPARE(FolderState(m_dir.path()), before);
    }
};

VANTOREL_TEST(TestCliPrint)
#include "TestCliPrint.moc"
