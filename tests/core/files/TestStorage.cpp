// The storage start-up and shutdown: order, first start, damaged data, lock, read-only opening.
#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
#include "TSettings.h"
#include "TStorage.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

int QueuedInFile(const QString& name)
{
    std::deque<TResu0> records;
    return TFifoReader().ReadFile(name, records) ? int(records.size()) : -1;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

    QString Path(const QString& suffix) const { return m_dir->filePath("Vantorel" + suffix); }
    QStringList Files() const { return QDir(m_dir->path()).entryList(QDir::Files); }

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
        QCOMPARE(result.Outcome, TStartOutcome::Started);
        QVERIFY(m_context->FirstStart && result.UnreadableCopy.isEmpty());
        QCOMPARE(m_context->ProgramFolder(), m_dir->path() + "/");
        QCOMPARE(m_context->ListAnalytes.Count() + m_context->ListSerum.Count(), 6);
        // The held-back runs are on disk before any exit; the rest is written at the exit.
        QCOMPARE(QueuedInFile(Path(".fif")), 5);
        QCOMPARE(Files(), QStringList({ "Vantorel.fif", "Vantorel.lock" }));
        InsertSorted(m_context->ListOperators, "JD");
        const TStopResult stop = storage.Stop();
        QVERIFY(stop.DataSaved && stop.FifoSaved && stop.ConfigSaved);
        QCOMPARE(m_context->ListAnalytes.Count() + m_context->ListFifo.Count(), 0);
        QCOMPARE(Files(), QStringList({ "Vantorel.cfr", "Vantorel.fif", "Vantorel.qcf" }));

        auto context = MakeTestContext();
        TStorage second(*context);
        QCOMPARE(second.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        QVERIFY(!context->FirstStart);
        QCOMPARE(context->ListAnalytes.Item(0).Name, QString("Glucose"));
        QCOMPARE(context->ListFifo.Count(), 5);
        QCOMPARE(context->ListOperators, QStringList({ "JD" }));
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
    }

    void unreadableOrMissingData_data()
    {
        QTest::addColumn<bool>("used"); // a folder a first run left: settings, queue, data
        QTest::addColumn<QByteArray>("data"); // the data file then put there; empty: none
        QTest::addColumn<TStartOutcome>("outcome");
        QTest::addColumn<int>("analytes");
        QTest::newRow("broken after a run") << true << QByteArray("xx") << TStartOutcome::CannotReadData << 0;
        QTest::newRow("missing after a run") << true << QByteArray() << TStartOutcome::CannotReadData << 0;
        QTest::newRow("broken on a first start")
            << false << QByteArray("not a data file") << TStartOutcome::Started << 3;
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
        const QStringList before = Files();
        auto reader = MakeTestContext();
        QCOMPARE(TStorage(*reader).OpenReadOnly(m_dir->path()).Outcome,
            data.isEmpty() ? TStartOutcome::Started : TStartOutcome::CannotReadData);
        QCOMPARE(Files(), before);

        TStorage storage(*m_context);
        const TStartResult result = storage.Start(m_dir->path());
        QCOMPARE(result.Outcome, outcome);
        QCOMPARE(result.Detail.isEmpty(), outcome == TStartOutcome::Started);
        QCOMPARE(m_context->ListAnalytes.Count(), analytes);
        QCOMPARE(m_context->ListFifo.Count(), 5); // the queue is read all the same
        // An unreadable file is kept aside before the exit replaces it.
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
        TStorage reading(*other);
        QCOMPARE(reading.OpenReadOnly(m_dir->path()).Outcome, TStartOutcome::Started);
        QCOMPARE(other->ListFifo.Count(), 5);
        other->ListFifo.Clear();
        QCOMPARE(QueuedInFile(Path(".fif")), 5);
        first.Stop();
        TStorage third(*other);
        QCOMPARE(third.Start(m_dir->path()).Outcome, TStartOutcome::Started);
    }

    void stepsRunInOrder()
    {
        MakeUsedFolder();
        QStringList seen;
        TStorage::THooks hooks;
        hooks.LoadPictures = [&] {
            // After the settings, before the queue and the data.
            seen << QString("load %1 %2 %3")
                        .arg(m_context->ListOperators.join(','))
                        .arg(m_context->ListFifo.Count())
                        .arg(m_context->ListAnalytes.Count());
        };
        hooks.FreePictures = [&] {
            // After the data and the queue were saved and freed, before the settings.
            seen << QString("free %1 %2").arg(m_context->ListFifo.Count()).arg(m_context->ListAnalytes.Count());
            QFile::remove(Path(".cfr"));
            QFile::remove(Path(".fif"));
        };
        TStorage storage(*m_context);
        storage.Start(m_dir->path(), hooks);
        QVERIFY(QFile::remove(Path(".qcf")));
        storage.Stop();
        QCOMPARE(seen, QStringList({ "load JD 0 0", "free 0 0" }));
        QCOMPARE(Files(), QStringList({ "Vantorel.cfr", "Vantorel.qcf" })); // the queue was saved before
    }

    void failedSavesAreReportedAndLeaveTheFiles()
    {
        MakeUsedFolder();
        const QByteArray data = FileContent(Path(".qcf"));
        const QByteArray queue = FileContent(Path(".fif"));
        TStorage storage(*m_context);
        storage.Start(m_dir->path());
        m_context->ListAnalytes.Delete(0);
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        const TStopResult stop = storage.Stop();
        QVERIFY(!stop.DataSaved && !stop.FifoSaved && !stop.ConfigSaved);
        QVERIFY(stop.DataError.contains("Vantorel.qcf") && stop.FifoError.contains("Vantorel.fif"));
        QCOMPARE(FileContent(Path(".qcf")), data);
        QCOMPARE(FileContent(Path(".fif")), queue);
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
        const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(user).removeRecursively();
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        QVERIFY(!DiskPresent(m_dir->path()));
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), false), QString());
        QCOMPARE(TStorage::FindProgramFolder(m_dir->path(), true), user);
        QVERIFY(QFileInfo(user).isDir());
        QDir(user).removeRecursively();
    }
};

VANTOREL_TEST(TestStorage)
#include "TestStorage.moc"
