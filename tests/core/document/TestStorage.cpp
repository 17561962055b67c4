#include "TAnalyte.h"
#include "TAtomicFile.h"
#include "TFifoFile.h"
#include "TOperatorList.h"
#include "TReaderHarness.h"
#include "TStorage.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

class TestStorage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

    QString Path(const QString& suffix) const { return m_dir->filePath("Vantorel" + suffix); }
    QString Files() const { return QDir(m_dir->path()).entryList(QDir::Files).join(' '); }
    int Queued() const
    {
        std::deque<TResu0> records;
        return TFifoReader().ReadFile(Path(".fif"), records) ? int(records.size()) : -1;
    }

    // A folder as the program leaves it after a first run and a clean exit, with an operator code.
    void MakeUsedFolder()
    {
        auto context = MakeTestContext();
        TStorage storage(*context);
        QCOMPARE(storage.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        InsertSorted(context->ListOperators, "JD");
        const TStopResult stop = storage.Stop();
        QVERIFY(stop.DataSaved && stop.FifoSaved && stop.ConfigSaved);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
    }

    void firstStartMakesTheDemonstrationDataAndTheSecondReadsIt()
    {
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QVERIFY(result.Outcome == TStartOutcome::Started && result.UnreadableCopy.isEmpty() && m_context->FirstStart);
        QCOMPARE(m_context->ProgramFolder(), m_dir->path() + "/");
        QCOMPARE(Join(m_context->ListAnalytes.Count(), m_context->ListSerum.Count()), QString("3 3"));
        // The held-back runs are on disk before any exit; the rest is written at the exit.
        QCOMPARE(Join(Queued(), Files()), "5 Vantorel.fif Vantorel.lock");
        // The generator is seeded from the clock: a context seeded apart makes the same lots.
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 999);
        QTemporaryDir otherDir;
        TStorage(*other).Start(otherDir.path());
        QCOMPARE(other->ListSerum.Item(0).Lot, m_context->ListSerum.Item(0).Lot);
        InsertSorted(m_context->ListOperators, "JD");
        const TStopResult stop = storage.Stop();
        QVERIFY(stop.DataSaved && stop.FifoSaved && stop.ConfigSaved);
        QCOMPARE(m_context->ListAnalytes.Count() + m_context->ListFifo.Count(), 0);
        QCOMPARE(Files(), QString("Vantorel.cfr Vantorel.fif Vantorel.qcf"));
        // What a save the program was killed in left behind goes at the next start.
        QVERIFY(PutFile(Path(".qcf.vantorel-tmp-Ab12Cd"), "cut"));
        TStorage second(*other);
        QCOMPARE(second.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        QVERIFY(!other->FirstStart && !Files().contains("vantorel-tmp"));
        QCOMPARE(Join(other->ListAnalytes.Item(0).Name, other->ListFifo.Count(), other->ListOperators.join(',')),
            QString("Glucose 5 JD"));
    }

    void unreadableOrMissingData_data()
    {
        QTest::addColumn<bool>("used"); // a folder a first run left: settings, queue, data
        QTest::addColumn<QByteArray>("data"); // the data file then put there; empty: none
        QTest::addColumn<TStartOutcome>("outcome");
        QTest::addColumn<int>("analytes");
        QTest::newRow("broken after a run") << true << QByteArray("xx") << TStartOutcome::CannotReadData << 0;
        QTest::newRow("missing after a run") << true << QByteArray() << TStartOutcome::CannotReadData << 0;
        QTest::newRow("broken on a first start") << false << QByteArray("no data") << TStartOutcome::Started << 3;
    }
    void unreadableOrMissingData()
    {
        QFETCH(bool, used);
        QFETCH(QByteArray, data);
        QFETCH(TStartOutcome, outcome);
        QFETCH(int, analytes);
        if (used)
            MakeUsedFolder();
        QVERIFY(data.isEmpty() ? QFile::remove(Path(".qcf")) : PutFile(Path(".qcf"), data));
        // Opening for reading only keeps no copy and writes nothing.
        const QString before = Files();
        auto reader = MakeTestContext();
        QCOMPARE(TStorage(*reader).OpenReadOnly(m_dir->path()).Outcome,
            data.isEmpty() ? TStartOutcome::Started : TStartOutcome::CannotReadData);
        QCOMPARE(Files(), before);
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, outcome);
        QCOMPARE(result.Detail.isEmpty(), outcome == TStartOutcome::Started);
        // The queue is read all the same; an unreadable file is kept aside before the exit replaces it.
        QCOMPARE(Join(m_context->ListAnalytes.Count(), m_context->ListFifo.Count()), Join(analytes, 5));
        QVERIFY(result.UnreadableCopy.isEmpty() ? data.isEmpty() : result.UnreadableCopy.startsWith(m_dir->path()));
        QCOMPARE(FileContent(result.UnreadableCopy), data.isEmpty() ? QByteArray("<unreadable>") : data);
        QVERIFY(storage.Running() && storage.Stop().DataSaved);
    }

    void secondInstanceIsRefusedAndTouchesNothing()
    {
        TStorage first(*m_context);
        QCOMPARE(first.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        auto other = MakeTestContext();
        {
            TStorage second(*other);
            QCOMPARE(second.Start(m_dir->path()).Outcome, TStartOutcome::AlreadyRunning);
            QVERIFY(!second.Running());
            QCOMPARE(other->ListAnalytes.Count() + other->ListFifo.Count(), 0);
            const TStopResult stop = second.Stop();
            QVERIFY(stop.DataSaved && stop.FifoSaved && !QFile::exists(Path(".qcf")));
        }
        // Beside the running program the folder opens for reading; its queue does not follow the file.
        QCOMPARE(TStorage(*other).OpenReadOnly(m_dir->path()).Outcome, TStartOutcome::Started);
        QCOMPARE(other->ListFifo.Count(), 5);
        other->ListFifo.Clear();
        QCOMPARE(Queued(), 5);
        first.Stop();
        TStorage third(*other);
        QCOMPARE(third.Start(m_dir->path()).Outcome, TStartOutcome::Started);
    }

    void stepsRunInOrder()
    {
        MakeUsedFolder();
        QStringList seen;
        TStorage::THooks hooks;
        // Pictures load after the settings, before the queue and the data, and are freed after the
        // data and the queue were saved and freed, before the settings are saved.
        hooks.LoadPictures = [&] {
            seen << Join("load", m_context->ListOperators.join(','), m_context->ListFifo.Count(),
                m_context->ListAnalytes.Count());
        };
        hooks.FreePictures = [&] {
            seen << Join("free", m_context->ListFifo.Count(), m_context->ListAnalytes.Count());
            QFile::remove(Path(".cfr"));
            QFile::remove(Path(".fif"));
        };
        TStorage storage(*m_context);
        storage.Start(m_dir->path(), hooks);
        QVERIFY(QFile::remove(Path(".qcf")));
        storage.Stop();
        QCOMPARE(seen.join(", ") + " | " + Files(), QString("load JD 0 0, free 0 0 | Vantorel.cfr Vantorel.qcf"));
    }

    void failedSavesAreReportedAndLeaveTheFiles()
    {
        MakeUsedFolder();
        const QByteArray files[3] = { FileContent(Path(".qcf")), FileContent(Path(".fif")), FileContent(Path(".cfr")) };
        TStorage storage(*m_context);
        storage.Start(m_dir->path());
        m_context->ListAnalytes.Delete(0);
        InsertSorted(m_context->ListOperators, "AB");
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        const TStopResult stop = storage.Stop();
        QVERIFY(!stop.DataSaved && !stop.FifoSaved && !stop.ConfigSaved);
        QVERIFY2(stop.DataError.startsWith("Cannot write " + Path(".qcf") + ": ")
                && stop.FifoError.contains("Vantorel.fif")
                && stop.ConfigError.startsWith("Cannot write " + Path(".cfr") + ": "),
            qPrintable(stop.DataError + " / " + stop.FifoError + " / " + stop.ConfigError));
        QVERIFY(FileContent(Path(".qcf")) == files[0] && FileContent(Path(".fif")) == files[1]
            && FileContent(Path(".cfr")) == files[2]);
    }

    void foldersForTheFiles()
    {
        TStorage storage(*m_context);
        QCOMPARE(storage.Start(m_dir->filePath("nowhere")).Outcome, TStartOutcome::NoFolder);
        QVERIFY(!storage.Running());
        QCOMPARE(TStorage(*m_context).OpenReadOnly(m_dir->filePath("nowhere")).Outcome, TStartOutcome::NoFolder);
        // An empty folder opens for reading as a first start, and stays empty.
        QCOMPARE(TStorage(*m_context).OpenReadOnly(m_dir->path()).Outcome, TStartOutcome::Started);
        QVERIFY(m_context->FirstStart && QDir(m_dir->path()).isEmpty());
        QVERIFY(DiskPresent(m_dir->path()) && !DiskPresent(m_dir->filePath("missing")) && !DiskPresent(QString()));
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), false), m_dir->path());
        // The folder must not follow the test program's own name.
        QVERIFY(QCoreApplication::applicationName() != QLatin1String("Vantorel"));
        const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Vantorel";
        QDir(user).removeRecursively();
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        QVERIFY(DiskPresent(m_dir->path()) && !FolderWritable(m_dir->path()) && FolderReadable(m_dir->path()));
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), false), QString());
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), true), user);
        QVERIFY(QFileInfo(user).isDir() && QDir(user).removeRecursively());
    }

    void installedCopyUsesTheUserFolderAndItsSharedDocuments_data()
    {
        QTest::addColumn<bool>("installed"); // <prefix>/share/vantorel holds the manual
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QString>("manual");
        QTest::newRow("build folder") << false << true << "bin/UserManual.htm";
        QTest::newRow("installed package") << true << false << "share/vantorel/UserManual.htm";
        QTest::newRow("copy beside an installed one wins") << true << true << "bin/UserManual.htm";
        QTest::newRow("manual nowhere: the path beside") << false << false << "bin/UserManual.htm";
    }

    void installedCopyUsesTheUserFolderAndItsSharedDocuments()
    {
        QFETCH(bool, installed);
        QFETCH(bool, beside);
        QFETCH(QString, manual);
        const QDir root(m_dir->path());
        QVERIFY(root.mkpath("bin") && (!installed || root.mkpath("share/vantorel")));
        QVERIFY(!beside || PutFile(root.filePath("bin/UserManual.htm"), "<html/>"));
        QVERIFY(!installed || PutFile(root.filePath("share/vantorel/UserManual.htm"), "<html/>"));
        QCOMPARE(TStorage::FindDocument(root.filePath("bin"), "UserManual.htm"), root.filePath(manual));
        QCOMPARE(TStorage::FindProgramFolder(root.filePath("bin"), true),
            installed ? TStorage::UserDataFolder() : root.filePath("bin"));
        QDir(TStorage::UserDataFolder()).removeRecursively();
    }
};

VANTOREL_TEST(TestStorage)
#include "TestStorage.moc"
