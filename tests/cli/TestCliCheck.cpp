// vantorel-cli check: sound files are named sound, damaged ones give the reason.
#include "CliTestSupport.h"
#include "TTestRegistry.h"

#include <QTemporaryDir>

class TestCliCheck : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_saved;

    QString Path(const QString& name) const { return m_dir->filePath(name); }

    void Cut(const QString& name, int bytes)
    {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() - bytes));
    }

    void Poke(const QString& name, qint64 offset, char value)
    {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(offset));
        QCOMPARE(file.write(&value, 1), qint64(1));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_saved = MakeTestContext();
        MakeModelFolder(*m_saved, m_dir->path());
    }

    void cleanup()
    {
        m_saved.reset();
        m_dir.reset();
    }

    void soundFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("says");
        QTest::newRow("data") << "Vantorel.qcf"
                              << "data file, version 32, 2 control materials, 2 analytes, 7 points";
        QTest::newRow("settings") << "Vantorel.cfr"
                                  << "configuration file, version 32, 3 operator codes";
        QTest::newRow("queue") << "Vantorel.fif"
                               << "queue file, 2 queued results";
        QTest::newRow("backup in the program's layout") << "Vantorel.Sav"
                                                        << "data file, version 32, 2 control materials";
    }

    void soundFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, says);
        if (!QFile::exists(Path(name)))
            QVERIFY(QFile::copy(Path("Vantorel.qcf"), Path(name)));
        const QStringList before = FolderState(m_dir->path());
        const TCliRun run = RunCli({ "check", Path(name) });
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Err, QString());
        QVERIFY2(run.Out.startsWith(Path(name) + ": sound " + says), qPrintable(run.Out));
        QCOMPARE(FolderState(m_dir->path()), before);
    }

    void versionTwoFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sound");
        QTest::newRow("old data file") << "OLD.DAT" << true;
        QTest::newRow("old backup file") << "old.sav" << true;
        QTest::newRow("current data file named .dat") << "new.dat" << false;
    }

    void versionTwoFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, sound);
        if (name == "new.dat")
            QVERIFY(QFile::copy(Path("Vantorel.qcf"), Path(name)));
        else
            WriteFile(Path(name), SmallV2File());
        const TCliRun run = RunCli({ "check", Path(name) });
        QCOMPARE(run.Status, sound ? 0 : 1);
        if (sound)
            QCOMPARE(run.Out,
                Path(name) + ": sound version-2 data file, version 20, 0 control materials, 1 analytes, 2 points\n");
        else
            QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
    }

    void damagedVersionTwoFile()
    {
        QByteArray bytes = SmallV2File();
        bytes.remove(40, 1);
        WriteFile(Path("cut.dat"), bytes);
        const TCliRun run = RunCli({ "check", Path("cut.dat") });
        QCOMPARE(run.Status, 1);
        QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
    }

    void emptyQueueFileIsSound()
    {
        QFile file(Path("Empty.fif"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const TCliRun run = RunCli({ "check", Path("Empty.fif") });
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Out.contains("0 queued results"));
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("cut");
        QTest::addColumn<qint64>("poke");
        QTest::addColumn<QString>("reason");
        QTest::newRow("data cut") << "Vantorel.qcf" << 1 << qint64(-1) << "";
        QTest::newRow("data count negative") << "Vantorel.qcf" << 0 << qint64(3) << "";
        QTest::newRow("settings cut in the record") << "Vantorel.cfr" << 30 << qint64(-1) << "";
        QTest::newRow("settings stamp") << "Vantorel.cfr" << 0 << qint64(34) << "stamp";
        QTest::newRow("queue cut") << "Vantorel.fif" << 3 << qint64(-1) << "Queued result 2";
    }

    void damagedFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, cut);
        QFETCH(qint64, poke);
        QFETCH(QString, reason);
        if (cut > 0)
            Cut(name, cut);
        if (poke >= 0)
            Poke(name, poke, char(0x80));
        const TCliRun run = RunCli({ "check", Path(name) });
        QCOMPARE(run.Status, 1);
        QCOMPARE(run.Out, QString());
        QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
        QVERIFY(run.Err.startsWith(Path(name) + ": not sound: "));
        QVERIFY2(run.Err.contains(reason), qPrintable(run.Err));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList {};
        QTest::newRow("two files") << QStringList { "a.qcf", "b.qcf" };
        QTest::newRow("missing file") << QStringList { "F/none.qcf" };
        QTest::newRow("unknown kind") << QStringList { "F/Vantorel.lock" };
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFile(Path("Vantorel.lock")).open(QIODevice::WriteOnly);
        args.replaceInStrings(QRegularExpression("^F"), m_dir->path());
        const TCliRun run = RunCli(QStringList { "check" } + args);
        QCOMPARE(run.Status, 1);
        QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
    }

    void unknownCommandIsRefused()
    {
        const TCliRun run = RunCli({ "frobnicate" });
        QCOMPARE(run.Status, 1);
        QVERIFY(IsOneLine(run.Err));
    }
};

VANTOREL_TEST(TestCliCheck)
#include "TestCliCheck.moc"
