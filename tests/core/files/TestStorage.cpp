// The storage start-up and shutdown: order, first start, damaged data, lock.
#include "TAtomicFile.h"
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TDataFile.h"
#include "TFailDevice.h"
#include "TFifoFile.h"
#include "TSettings.h"
#include "TStorage.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QByteArray FileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

int QueuedInFile(const QString& name)
{
    std::deque<TResu0> records;
    TFifoReader reader;
    return reader.ReadFile(name, records) ? int(records.size()) : -1;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

    QString Path(const QString& suffix) const { return m_dir->filePath("Vantorel" + suffix); }

    // A folder as the program leaves it after a first run and a clean exit.
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
    void diskPresentNeedsAWritableFolder()
    {
        QTemporaryDir dir;
        QVERIFY(DiskPresent(dir.path()));
        QVERIFY(!DiskPresent(dir.path() + "/missing"));
        QVERIFY(!DiskPresent(QString()));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (QTemporaryFile(dir.path() + "/x").open()) {
            // Running as root: permission bits do not stop writing.
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("permission bits do not apply to this user");
        }
        QVERIFY(!DiskPresent(dir.path()));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
    }

    void cleanup()
    {
        m_context.reset();
        m_dir.reset();
    }

    void firstStartMakesTheDemonstrationData()
    {
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, TStartOutcome::Started);
        QVERIFY(result.UnreadableCopy.isEmpty());
        QVERIFY(m_context->FirstStart);
        QCOMPARE(m_context->ProgramFolder(), m_dir->path() + "/");
        QCOMPARE(m_context->ListAnalytes.Count(), 3);
        QCOMPARE(m_context->ListSerum.Count(), 3);
        QCOMPARE(m_context->ListFifo.Count(), 5);
        // The held-back runs are on disk before any exit.
        QCOMPARE(QueuedInFile(Path(".fif")), 5);
        QVERIFY(!QFile::exists(Path(".qcf")));
        QVERIFY(!QFile::exists(Path(".cfr")));

        const TStopResult stop = storage.Stop();
        QVERIFY(stop.DataSaved && stop.FifoSaved && stop.ConfigSaved);
        QCOMPARE(m_context->ListAnalytes.Count(), 0);
        QCOMPARE(m_context->ListFifo.Count(), 0);
        QVERIFY(QFile::exists(Path(".qcf")));
        QVERIFY(QFile::exists(Path(".cfr")));
        QCOMPARE(QueuedInFile(Path(".fif")), 5);
    }

    void secondStartReadsWhatTheFirstLeft()
    {
        MakeUsedFolder();
        TStorage storage(*m_context);
        QCOMPARE(storage.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        QVERIFY(!m_context->FirstStart);
        QCOMPARE(m_context->ListAnalytes.Count(), 3);
        QCOMPARE(m_context->ListAnalytes.Item(0).Name, QString("Glucose"));
        QCOMPARE(m_context->ListFifo.Count(), 5);
        QCOMPARE(m_context->ListOperators, QStringList({ "JD" }));
        storage.Stop();
    }

    void startUpSeedsTheGeneratorFromTheClock()
    {
        // Contexts seeded apart but on the same clock make the same lots.
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 999);
        QTemporaryDir otherDir;
        TStorage first(*m_context), second(*other);
        first.Start(m_dir->path());
        second.Start(otherDir.path());
        QCOMPARE(other->ListSerum.Item(0).Lot, m_context->ListSerum.Item(0).Lot);
        QCOMPARE(other->ListAnalytes.Item(1).Point(3).Values[0].Value,
            m_context->ListAnalytes.Item(1).Point(3).Values[0].Value);
    }

    void brokenDataWithSettingsGivesCannotReadData()
    {
        MakeUsedFolder();
        QByteArray broken = FileBytes(Path(".qcf"));
        broken[broken.size() - 2] = 'x'; // final stamp damaged
        WriteBytes(Path(".qcf"), broken);
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, TStartOutcome::CannotReadData);
        QVERIFY(!result.Detail.isEmpty());
        QVERIFY(!m_context->FirstStart);
        QCOMPARE(m_context->ListAnalytes.Count(), 0);
        QCOMPARE(m_context->ListSerum.Count(), 0);
        QCOMPARE(m_context->ListFifo.Count(), 5); // the queue is read all the same
        // The unreadable file is kept aside before the exit replaces it.
        QVERIFY(result.UnreadableCopy.startsWith(m_dir->path()));
        QCOMPARE(FileBytes(result.UnreadableCopy), broken);
        QVERIFY(storage.Running());
        QVERIFY(storage.Stop().DataSaved);
    }

    void missingDataWithSettingsGivesCannotReadData()
    {
        MakeUsedFolder();
        QVERIFY(QFile::remove(Path(".qcf")));
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, TStartOutcome::CannotReadData);
        QVERIFY(result.UnreadableCopy.isEmpty());
        QCOMPARE(m_context->ListAnalytes.Count(), 0);
    }

    void brokenDataOnAFirstStartIsKeptAside()
    {
        WriteBytes(Path(".qcf"), "not a data file");
        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, TStartOutcome::Started);
        QCOMPARE(m_context->ListAnalytes.Count(), 3);
        QCOMPARE(FileBytes(result.UnreadableCopy), QByteArray("not a data file"));
    }

    void secondInstanceIsRefused()
    {
        TStorage first(*m_context);
        QCOMPARE(first.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        auto other = MakeTestContext();
        {
            TStorage second(*other);
            const TStartResult result = second.Start(m_dir->path());
            QCOMPARE(result.Outcome, TStartOutcome::AlreadyRunning);
            QVERIFY(!second.Running());
            // Nothing was read and nothing is written on the way out.
            QCOMPARE(other->ListAnalytes.Count(), 0);
            QCOMPARE(other->ListFifo.Count(), 0);
            const TStopResult stop = second.Stop();
            QVERIFY(stop.DataSaved && stop.FifoSaved);
            QVERIFY(!QFile::exists(Path(".qcf")));
        }
        first.Stop();
        TStorage third(*other);
        QCOMPARE(third.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        third.Stop();
    }

    void stepsRunInOrder()
    {
        MakeUsedFolder();
        QStringList seen;
        TStorage::THooks hooks;
        hooks.LoadPictures = [&] {
            // After the settings, before the queue and the data.
            seen << QString("load config=%1 fifo=%2 analytes=%3")
                        .arg(m_context->ListOperators.join(','))
                        .arg(m_context->ListFifo.Count())
                        .arg(m_context->ListAnalytes.Count());
        };
        hooks.FreePictures = [&] {
            // After the data and the queue were saved and freed, before the settings.
            seen << QString("free fifo=%1 analytes=%2")
                        .arg(m_context->ListFifo.Count())
                        .arg(m_context->ListAnalytes.Count());
            QFile::remove(Path(".cfr"));
            QFile::remove(Path(".fif"));
        };
        TStorage storage(*m_context);
        storage.Start(m_dir->path(), hooks);
        QVERIFY(QFile::remove(Path(".qcf")));
        storage.Stop();
        QCOMPARE(seen, QStringList({ "load config=JD fifo=0 analytes=0", "free fifo=0 analytes=0" }));
        QVERIFY(QFile::exists(Path(".qcf"))); // saved before the pictures were freed
        QVERIFY(QFile::exists(Path(".cfr"))); // saved after
        QVERIFY(!QFile::exists(Path(".fif"))); // saved before
    }

    void failedSavesAreReportedAndLeaveTheFiles()
    {
        MakeUsedFolder();
        const QByteArray data = FileBytes(Path(".qcf"));
        const QByteArray queue = FileBytes(Path(".fif"));
        TStorage storage(*m_context);
        storage.Start(m_dir->path());
        m_context->ListAnalytes.Delete(0);
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        const TStopResult stop = storage.Stop();
        QVERIFY(!stop.DataSaved);
        QVERIFY(!stop.FifoSaved);
        QVERIFY(!stop.ConfigSaved);
        QVERIFY(!stop.DataError.isEmpty());
        QVERIFY(!stop.FifoError.isEmpty());
        QCOMPARE(FileBytes(Path(".qcf")), data);
        QCOMPARE(FileBytes(Path(".fif")), queue);
    }

    void readOnlyOpeningWritesNothing()
    {
        TStorage storage(*m_context);
        const TStartResult result = storage.OpenReadOnly(m_dir->path());
        QCOMPARE(result.Outcome, TStartOutcome::Started);
        QVERIFY(m_context->FirstStart);
        QCOMPARE(m_context->ListAnalytes.Count(), 0);
        QCOMPARE(m_context->ListFifo.Count(), 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void readOnlyOpeningWorksBesideARunningProgram()
    {
        MakeUsedFolder();
        TStorage running(*m_context);
        QCOMPARE(running.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        auto reader = MakeTestContext();
        TStorage storage(*reader);
        QCOMPARE(storage.OpenReadOnly(m_dir->path()).Outcome, TStartOutcome::Started);
        QCOMPARE(reader->ListAnalytes.Count(), 3);
        QCOMPARE(reader->ListFifo.Count(), 5);
        // Its queue does not follow the file: a change stays in memory.
        reader->ListFifo.Clear();
        QCOMPARE(QueuedInFile(Path(".fif")), 5);
        running.Stop();
    }

    void readOnlyOpeningOfBrokenDataKeepsNoCopy()
    {
        MakeUsedFolder();
        WriteBytes(Path(".qcf"), "xx");
        const QStringList before = QDir(m_dir->path()).entryList(QDir::Files);
        TStorage storage(*m_context);
        QCOMPARE(storage.OpenReadOnly(m_dir->path()).Outcome, TStartOutcome::CannotReadData);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), before);
    }

    void programFolderFallsBackToTheUserFolder()
    {
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), false), m_dir->path());
        // The test program has a name of its own: the folder must not follow it,
        // or the program and the companion would each pick their own.
        QVERIFY(QCoreApplication::applicationName() != QLatin1String("Vantorel"));
        const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Vantorel";
        QDir(user).removeRecursively();
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), false), QString());
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), true), user);
        QVERIFY(QFileInfo(user).isDir());
        QDir(user).removeRecursively();
    }

    void installedCopyKeepsItsDataInTheUserFolder()
    {
        // Writable, as /usr/bin is for root, yet no place for the laboratory's data.
        const QDir prefix(m_dir->path());
        QVERIFY(prefix.mkpath("bin") && prefix.mkpath("share/vantorel"));
        const QString user = TStorage::UserDataFolder();
        QDir(user).removeRecursively();
        QCOMPARE(TStorage::FindProgramFolder(prefix.filePath("bin"), true), user);
        QDir(user).removeRecursively();
    }

    void documentIsFoundBesideTheProgramOrInTheInstalledShare_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder") << true << false << "bin/UserManual.htm";
        QTest::newRow("installed package") << false << true << "share/vantorel/UserManual.htm";
        QTest::newRow("both: the copy beside wins") << true << true << "bin/UserManual.htm";
        QTest::newRow("nowhere: the path beside") << false << false << "bin/UserManual.htm";
    }

    void documentIsFoundBesideTheProgramOrInTheInstalledShare()
    {
        QFETCH(bool, beside);
        QFETCH(bool, installed);
        QFETCH(QString, expected);
        const QDir root(m_dir->path());
        QVERIFY(root.mkpath("bin") && root.mkpath("share/vantorel"));
        if (beside)
            WriteBytes(root.filePath("bin/UserManual.htm"), "<html/>");
        if (installed)
            WriteBytes(root.filePath("share/vantorel/UserManual.htm"), "<html/>");
        QCOMPARE(TStorage::FindDocument(root.filePath("bin"), "UserManual.htm"), root.filePath(expected));
    }

    void missingFolderIsReported()
    {
        TStorage storage(*m_context);
        QCOMPARE(storage.Start(m_dir->filePath("nowhere")).Outcome, TStartOutcome::NoFolder);
        QVERIFY(!storage.Running());
    }
};

VANTOREL_TEST(TestStorage)
#include "TestStorage.moc"
