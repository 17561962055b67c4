// vantorel-cli export: an analyte's points as QC text on standard output.
#include "CliTestSupport.h"
#include "TTestRegistry.h"

#include <QTemporaryDir>

class TestCliExport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    double m_day = 0;

    // One QC text line: date, time, the value fields, operator, comment.
    QString Line(double dateTime, const QString& fields, const QString& op, const QString& comment) const
    {
        return ShortDateText(dateTime) + "\t" + LongTimeText(dateTime) + "\t" + fields + op + "\t" + comment + "\r\n";
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        auto saved = MakeTestContext();
        MakeModelFolder(*saved, m_dir->path());
        m_day = DateToDayCount(QDate(2026, 3, 1));
    }

    void cleanup() { m_dir.reset(); }

    void exportsOneLevel()
    {
        const QStringList before = FolderState(m_dir->path());
        const TCliRun run = RunCli({ "export", "--analyte", "Albumin", "--folder", m_dir->path() });
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.Out, Line(m_day + 0.75, "41\t", "", ""));
        QCOMPARE(FolderState(m_dir->path()), before);
    }

    void exportsTwoLevelsWithCommentsAndDiscardedValues()
    {
        // The name is found without regard to case.
        const TCliRun run = RunCli({ "export", "--folder", m_dir->path(), "--analyte", "GLUCOSE" });
        QCOMPARE(run.Status, 0);
        const QStringList lines = run.Out.split("\r\n");
        QCOMPARE(lines.size(), 7); // six lines and what follows the last CR LF
        QCOMPARE(lines[0] + "\r\n", Line(m_day + 10.5 / 24, "5.1\t12.2\t", "zed", ""));
        QCOMPARE(lines[2] + "\r\n", Line(m_day + 2 + 10.5 / 24, "4.9\t12.4\t", "ab", "New reagent"));
        QCOMPARE(lines[5] + "\r\n", Line(m_day + 5 + 10.5 / 24, "Discarded\t12.3\t", "zed", ""));
        QCOMPARE(lines[6], QString());
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown analyte") << QStringList { "--analyte", "Sodium", "--folder", "F" };
        QTest::newRow("no analyte given") << QStringList { "--folder", "F" };
        QTest::newRow("unknown option") << QStringList { "--analyte", "Albumin", "--level", "1" };
        QTest::newRow("missing folder") << QStringList { "--analyte", "Albumin", "--folder", "F/none" };
    }

    void failures()
    {
        QFETCH(QStringList, args);
        args.replaceInStrings(QRegularExpression("^F"), m_dir->path());
        const TCliRun run = RunCli(QStringList { "export" } + args);
        QCOMPARE(run.Status, 1);
        QCOMPARE(run.Out, QString());
        QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
    }

    void emptyFolderHasNoAnalyte()
    {
        QTemporaryDir empty;
        const TCliRun run = RunCli({ "export", "--analyte", "Glucose", "--folder", empty.path() });
        QCOMPARE(run.Status, 1);
        QVERIFY(run.Err.contains("Glucose"));
        QCOMPARE(FolderState(empty.path()), QStringList());
    }
};

VANTOREL_TEST(TestCliExport)
#include "TestCliExport.moc"
