// The storage start-up and shutdown: order, first start, damaged data, lock, read-only opening; the
// folders of an installed copy and its start-menu entries. The demonstration data of a first start:
// what it replaces, its story, and that it is the same for the same clock and seed and survives the
// data file. Backup of the data file to a target folder and its restore.
#include "TAtomicFile.h"
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TDesktopEntry.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TStorage.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

namespace {

// A key's value with escapes undone as a desktop does, and the quoted arguments of an Exec value.
QString Key(const QString& fileName, const QString& key)
{
    for (const QString& line : QString::fromUtf8(FileContent(fileName)).split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return {};
}

QStringList ExecArguments(const QString& exec)
{
    QStringList arguments { QString() };
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (quoted && exec[i] == '\\' && i + 1 < exec.size())
            arguments.last() += exec[++i];
        else if (exec[i] == '"')
            quoted = !quoted;
        else if (exec[i] == '%' && exec.mid(i, 2) == "%%")
            arguments.last() += exec[i++];
        else if (exec[i] == ' ' && !quoted)
            arguments << QString();
        else
            arguments.last() += exec[i];
    }
    return arguments;
}

// The sample model with the limits the data file reader gives it.
void FillRecomputed(TQCContext& context, TListSerum& serums, TListAnalytes& analytes)
{
    FillSampleModel(serums, analytes);
    for (int i = 0; i < analytes.Count(); ++i)
        analytes.Item(i).RecomputeAll(context.Risks());
}

// Records the boxes and answers them: OK to questions, Retry once when `appears` makes the target.
struct TScriptedBackupUi : TBackupUi {
    QStringList Asked;
    bool ConfirmAnswer = true;
    std::function<bool()> Appears = [] { return false; };
    bool RetryMissingDisk(const QString& text) override { return Asked << text, Appears(); }
    bool Confirm(const QString& text) override { return Asked << text, ConfirmAnswer; }
    void ShowCopy(const QString& label) override { Asked << label; }
    void HideCopy() override { }
};

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TQCContext> m_demo = MakeTestContext(); // the demonstration data of a first start
    QList<TResu0> m_queued; // and the runs it holds back

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

    TScriptedBackupUi m_ui;

    QString Target() const { return m_dir->filePath("usb"); }
    QString OnTarget(const char* extension) const { return Target() + "/Vantorel" + extension; }

    // The test's context on the sample model in the folder "program", backing up to "usb".
    void PrepareBackup()
    {
        QVERIFY(QDir().mkpath(m_dir->filePath("program")) && QDir().mkpath(Target()));
        m_context->SetProgramFolder(m_dir->filePath("program"));
        m_context->Config.BackupFolder = Target();
        m_context->Config.LastBackupDate = 100;
        FillRecomputed(*m_context, m_context->ListSerum, m_context->ListAnalytes);
        m_ui = TScriptedBackupUi();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_demo->ListAnalytes.Add(TAnalyte("Old", "g/L", 0, 1));
        m_demo->CurrentAnalyte = &m_demo->ListAnalytes.Item(0);
        m_queued = MakeDemonstrationData(*m_demo);
    }

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
        QCOMPARE(Queued(), 5);
        QCOMPARE(Files(), QString("Vantorel.fif Vantorel.lock"));
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
        TStorage second(*other);
        QCOMPARE(second.Start(m_dir->path()).Outcome, TStartOutcome::Started);
        QVERIFY(!other->FirstStart);
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
        QCOMPARE(seen.join(", "), QString("load JD 0 0, free 0 0"));
        QCOMPARE(Files(), QString("Vantorel.cfr Vantorel.qcf"));
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
        QVERIFY(!DiskPresent(m_dir->path()));
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

    void entryOpensItsTarget_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("program");
        QTest::newRow("program") << "bin" << true;
        QTest::newRow("program, awkward folder") << "a \"b\" $HOME `x` 100% c\\d" << true;
        QTest::newRow("absent document, awkward folder") << "l'abo $x 5%" << false;
    }

    void entryOpensItsTarget()
    {
        QFETCH(QString, folder);
        QFETCH(bool, program);
        QVERIFY(QDir().mkpath(m_dir->filePath(folder)));
        const QString target = QDir(m_dir->filePath(folder)).filePath(program ? "vantorel" : "UserManual.htm");
        if (program) {
            QVERIFY(PutFile(target, "#!/bin/sh\n"));
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner));
        }
        const QString entry = m_dir->filePath("Some name.desktop");
        QVERIFY(CreateShortcut(target, entry));
        QCOMPARE(Key(entry, "Name"), "Some name");
        QCOMPARE(ExecArguments(Key(entry, "Exec")), (program ? QStringList() : QStringList { "xdg-open" }) << target);
        QCOMPARE(Key(entry, "Path"), m_dir->filePath(folder));
        QProcess validator; // desktop-file-utils, installed by scripts/install-deps.sh
        validator.start("desktop-file-validate", { entry });
        QVERIFY(validator.waitForFinished());
        QCOMPARE(validator.readAll() + validator.readAllStandardError(), QByteArray());
    }

    void startMenuGroup_data()
    {
        QTest::addColumn<bool>("ranBefore");
        QTest::addColumn<int>("blocked"); // 0 none, 1 group name taken by a file, 2 read-only group folder
        QTest::newRow("first run, documents absent") << false << 0;
        QTest::newRow("second run replaces the entries, keeps the folder") << true << 0;
        QTest::newRow("group name taken by a file") << false << 1;
        QTest::newRow("group folder read-only") << false << 2;
    }

    void startMenuGroup()
    {
        QFETCH(bool, ranBefore);
        QFETCH(int, blocked);
        const QString group = m_dir->filePath("Laboratory QC");
        if (ranBefore || blocked == 2)
            QVERIFY(QDir().mkpath(group));
        if (ranBefore) {
            QVERIFY(PutFile(group + "/notes.txt", "kept"));
            QVERIFY(PutFile(group + "/Read me.desktop", "[Desktop Entry]\nExec=old\n"));
        }
        if (blocked == 1)
            QVERIFY(PutFile(group, "a file"));
        std::optional<TReadOnlyFolder> lock;
        if (blocked == 2 && !lock.emplace(group).Active())
            QSKIP("This system lets every write through");
        QString error;
        QCOMPARE(CreateStartMenuEntries(m_dir->filePath("vantorel"), m_dir->filePath("doc"), m_dir->path(), &error),
            blocked == 0);
        QCOMPARE(error.isEmpty(), blocked == 0);
        QCOMPARE(QFile::exists(group + "/Programme Vantorel.desktop"), blocked == 0);
        QCOMPARE(QFile::exists(group + "/notes.txt"), ranBefore);
        if (blocked == 0) // replaced, and opening the read-me even where it is absent
            QCOMPARE(ExecArguments(Key(group + "/Read me.desktop", "Exec")).last(), m_dir->filePath("doc/ReadMe.Txt"));
    }

    void demonstrationReplacesTheListsWithClassifiedAnalytes()
    {
        QCOMPARE(m_demo->CurrentAnalyte, nullptr);
        const TListSerum& serums = m_demo->ListSerum;
        QStringList materials;
        for (int i = 0; i < serums.Count(); ++i) {
            const int lot = serums.Item(i).Lot.toInt();
            QVERIFY2(lot >= 0 && lot <= 999999 && QString::number(lot) == serums.Item(i).Lot,
                qPrintable(serums.Item(i).Lot));
            materials << Join(serums.Item(i).ID, serums.Item(i).Name);
        }
        QCOMPARE(materials.join(", "), QString("0 Lyphocheck 1, 1 Lyphocheck 2, 2 Lyphocheck 3"));
        QVERIFY(serums.NextID() == 3
            && (serums.Item(0).Lot != serums.Item(1).Lot || serums.Item(1).Lot != serums.Item(2).Lot));
        // Points one a day up to today, every value classified against its level's limits:
        // Glucose locked, Calcium mobile on a CV per level, Albumin fixed 42 +- 2 / 3.
        QStringList analytes;
        for (int a = 0; a < m_demo->ListAnalytes.Count(); ++a) {
            const TAnalyte& x = m_demo->ListAnalytes.Item(a);
            const TLevelStats& r = x.ReferenceStats[0];
            analytes << Join(x.Name, x.NbLevels, x.Count(),
                DayCountToDate(x.Point(x.Count() - 1).DateTime).toString("MM-dd"), x.Options, x.LimitMode[0], r.Mean,
                r.WarningHalfWidth, r.ActionHalfWidth);
            for (int i = 0; i < x.Count(); ++i) {
                QCOMPARE_NEAR(x.Point(i).DateTime - x.Point(0).DateTime, i, 1e-9);
                for (int l = 0; l < x.NbLevels; ++l)
                    if (x.Point(i).Values[l].IsCounted())
                        QCOMPARE(x.Point(i).Values[l].Status,
                            ClassifyValue(x.ReferenceStats[l], x.LimitMode[l], x.Point(i).Values[l].Value));
            }
        }
        QCOMPARE(analytes[2], QString("Albumin 1 50 03-15 7 2 42 2 3"));
        QVERIFY2(analytes[0].startsWith("Glucose 3 45 03-15 7 1 ") && analytes[1].startsWith("Calcium 2 25 03-15 5 0 "),
            qPrintable(analytes.join(", ")));
        QVERIFY(m_demo->ListAnalytes.Item(1).ReferenceStats[0].CV != m_demo->ListAnalytes.Item(1).ReferenceStats[1].CV);
    }

    void glucoseIsLockedWithADiscardedPointAndTwoComments()
    {
        const TAnalyte& glucose = m_demo->ListAnalytes.Item(0);
        QStringList comments;
        for (int i = 0; i < glucose.Count(); ++i)
            if (glucose.Point(i).CommentID != -1)
                comments << Join(i, glucose.CommentText(glucose.Point(i).CommentID));
        QCOMPARE(comments.join(", "), QString("30 Wrong calibrator, 35 New reagent"));
        const double means[3] = { 3, 5, 12 };
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(
                Join(glucose.LockStart[l], glucose.LockEnd[l], glucose.ReferenceStats[l].N, glucose.AllPointsStats[l].N,
                    glucose.AllPointsStats[l].Discarded, glucose.Point(30).Values[l].Status),
                QString("0 25 26 44 1 5"));
            // 44 values with a CV of 3 %: their mean lies far within 5 % of the target.
            QCOMPARE_NEAR(glucose.AllPointsStats[l].Mean, means[l], 0.05);
        }
    }

    void fiveGlucoseRunsAreQueuedForTheNextMornings()
    {
        QStringList queued;
        for (const TResu0& r : m_queued) {
            queued << DayCountToDateTime(r.DateTime).toString("MM-dd HH:mm ") + r.Analyte + r.Comment + r.Operator;
            for (int l = 0; l < 3; ++l)
                QVERIFY(r.Values[l].Status == psWithin && r.Values[l].Value > 0);
        }
        QCOMPARE(queued.join(", "),
            QString("03-16 09:00 Glucose, 03-17 09:00 Glucose, 03-18 09:00 Glucose, 03-19 09:00 Glucose, 03-20 09:00 "
                    "Glucose"));
    }

    void sameClockAndSeedGiveTheSameDataThatSurvivesTheDataFile()
    {
        const auto bytes = [](const TQCContext& c) { return DataFileBytes(c.ListSerum, c.ListAnalytes); };
        auto again = MakeTestContext();
        QCOMPARE(MakeDemonstrationData(*again), m_queued);
        QCOMPARE(bytes(*again), bytes(*m_demo));
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 777);
        MakeDemonstrationData(*other);
        QVERIFY(bytes(*other) != bytes(*m_demo));
        const auto read = [&](QIODevice& device) {
            return TDataFileReader().Read(device, m_demo->Risks(), other->ListSerum, other->ListAnalytes) ? ""
                                                                                                          : "refused";
        };
        QCOMPARE(ReadFromBytes(read, bytes(*m_demo)), QString());
        QCOMPARE(
            ListDifference(other->ListSerum, other->ListAnalytes, m_demo->ListSerum, m_demo->ListAnalytes), QString());
    }

    void backup_data()
    {
        QTest::addColumn<bool>("earlier"); // a .Sav and an .Old there before
        QTest::addColumn<bool>("fails"); // the target refuses the write half-way
        QTest::newRow("second backup: the first becomes .Old") << true << false;
        QTest::newRow("failed first backup") << false << true;
        QTest::newRow("failed backup over two earlier ones") << true << true;
    }
    void backup()
    {
        PrepareBackup();
        QFETCH(bool, earlier);
        QFETCH(bool, fails);
        QVERIFY(!earlier || (PutFile(OnTarget(".Sav"), "newest") && PutFile(OnTarget(".Old"), "older")));
        TBackup backup(*m_context, m_ui);
        if (fails)
            backup.Writer = [](const TQCContext&, const QString& name, QString* error) {
                QFile half(name);
                if (half.open(QIODevice::WriteOnly))
                    half.write("half");
                return *error = "No space left on device", false;
            };
        const TBackupResult result = backup.Backup();
        QCOMPARE(result.Message, fails ? "No space left on device" : "");
        QCOMPARE(m_ui.Asked, QStringList({ "Confirm data backup", "Backuping data to " + OnTarget(".Sav") }));
        QVERIFY(!QFile::exists(OnTarget(".tmp")));
        auto reread = MakeTestContext();
        reread->SetProgramFolder(m_context->ProgramFolder());
        LoadConfig(*reread);
        if (fails) {
            QCOMPARE(FileContent(OnTarget(".Sav")), earlier ? QByteArray("newest") : QByteArray("<unreadable>"));
            QCOMPARE(FileContent(OnTarget(".Old")), earlier ? QByteArray("older") : QByteArray("<unreadable>"));
            QCOMPARE(m_context->Config.LastBackupDate, 100.0);
            return;
        }
        QCOMPARE(FileContent(OnTarget(".Old")), QByteArray("newest"));
        QVERIFY(LoadData(*reread, OnTarget(".Sav")));
        QCOMPARE(reread->Config.LastBackupDate, m_context->Clock().TodayDays());
    }

    void retryAfterTheTargetAppears()
    {
        PrepareBackup();
        QVERIFY(QDir(Target()).removeRecursively());
        m_ui.Appears = [&] { return m_ui.Asked.size() == 1 && QDir().mkpath(Target()); };
        QVERIFY(TBackup(*m_context, m_ui).Backup().Ok);
        QCOMPARE(m_ui.Asked.first(), "No diskette in drive " + QDir::cleanPath(Target()));
        QCOMPARE(m_ui.Asked.value(1), "Confirm data backup");
        QVERIFY(QFile::exists(OnTarget(".Sav")));
        // Without a chosen folder the drive letter never answers.
        m_context->Config.BackupFolder.clear();
        m_ui = TScriptedBackupUi();
        QCOMPARE(TBackup(*m_context, m_ui).Restore().Message, "Restore aborted");
        QCOMPARE(m_ui.Asked, QStringList("No diskette in drive A"));
    }

    void restore_data()
    {
        QTest::addColumn<QString>("file"); // what lies under ".Sav"
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("message");
        QTest::newRow("good backup") << "backup" << true << "";
        QTest::newRow("wrong stamp") << "stamp" << true << "Impossible to restore";
        QTest::newRow("no backup file") << "" << true << "No backup file to restore";
        QTest::newRow("cancelled") << "backup" << false << "Restore aborted";
    }
    void restore()
    {
        PrepareBackup();
        QFETCH(QString, file);
        QFETCH(bool, confirm);
        TBackup backup(*m_context, m_ui);
        QVERIFY(backup.Backup().Ok);
        QByteArray image = FileContent(OnTarget(".Sav"));
        image.back() = char(image.back() ^ 0x55);
        QVERIFY(file != "stamp" || PutFile(OnTarget(".Sav"), image));
        QVERIFY(!file.isEmpty() || QFile::remove(OnTarget(".Sav")));
        const QDateTime made(QDate(2025, 11, 2), QTime(9, 0)); // an earlier day than today
        QFile sav(OnTarget(".Sav"));
        QVERIFY(file.isEmpty()
            || (sav.open(QIODevice::ReadWrite) && sav.setFileTime(made, QFileDevice::FileModificationTime)));
        m_context->ListAnalytes.Delete(0); // changed since, and saved
        QVERIFY(SaveData(*m_context, DataFileName(*m_context)));
        TListSerum serums;
        TListAnalytes expected = m_context->ListAnalytes;
        m_ui.ConfirmAnswer = confirm;
        m_ui.Asked.clear();

        const TBackupResult result = backup.Restore();
        QTEST(result.Message, "message");
        QCOMPARE(m_ui.Asked.value(0),
            file.isEmpty() ? ""
                           : "Confirm data restore from diskette. The date of source file is : "
                    + ShortDateText(DateToDayCount(made.date())));
        if (result.Ok) {
            expected.Clear();
            FillRecomputed(*m_context, serums, expected);
        }
        // In memory and in the data file: the backup after a restore, else the data as they were.
        auto reread = MakeTestContext();
        QVERIFY(LoadData(*reread, DataFileName(*m_context)));
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_context->ListSerum, expected), "");
        QCOMPARE(ListDifference(reread->ListSerum, reread->ListAnalytes, reread->ListSerum, expected), "");
    }
};

VANTOREL_TEST(TestStorage)
#include "TestStorage.moc"
