#include "TArchive.h"
#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDemonstrationData.h"
#include "TFifoFile.h"
#include "TScriptedBackupUi.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// The files of a folder with their bytes.
QMap<QString, QByteArray> Files(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = FileContent(folder + "/" + name);
    return files;
}

// Fills a file system up to `free` bytes; -1 makes the folder a read-only bind mount instead.
bool Fill(const QByteArray& folder, int free)
{
    if (free < 0)
        return mount(folder, folder, nullptr, MS_BIND, nullptr) == 0
            && mount(nullptr, folder, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const int fd = open(folder + "/filler", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const QByteArray block(4096, 'x');
    while (fd >= 0 && write(fd, block.constData(), size_t(block.size())) > 0) { }
    return fd >= 0 && ftruncate(fd, lseek(fd, 0, SEEK_END) - free) == 0 && close(fd) == 0;
}

// The write, of the larger demonstration data where data are written: "ok" or the reason.
QString Write(TQCContext& context, const QString& what)
{
    QString error;
    TScriptedBackupUi ui;
    if (what == "restore")
        return TBackup(context, ui).Restore().Message; // empty when restored
    if (what == "queue")
        return context.ListFifo.Push(TResu0()) ? "ok" : context.ListFifo.ErrorString();
    if (what == "archive")
        return ArchiveLevel(
                   context.ListAnalytes.Item(0), 0, context.ProgramFolder(), context.ListSerum, context.Risks(), &error)
            ? "ok"
            : error;
    context.ListOperators << "EF";
    MakeDemonstrationData(context);
    if (what == "settings")
        return SaveConfig(context, &error) ? "ok" : error;
    if (what == "data")
        return SaveData(context, DataFileName(context), &error) ? "ok" : error;
    return TBackup(context, ui).Backup().Message;
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    bool m_mountable = false;

private slots:
    // A mount namespace of the test's own, where it may mount (as root, or under unshare -r).
    void initTestCase()
    {
        m_mountable = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        while (umount2(QFile::encodeName(m_dir->filePath("mount")), MNT_DETACH) == 0) { }
    }

    // A write on a full or read-only file system leaves every earlier file as it was
    // and says why; a restore needs only to read.
    void realFileSystem_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("free"); // bytes left on the mount; -1: read-only
        QTest::addColumn<QString>("outcome");
        QTest::newRow("data file, 4 KB free") << "data" << 4096 << "No space left on device";
        QTest::newRow("settings, full") << "settings" << 0 << "No space left on device";
        QTest::newRow("queue, full") << "queue" << 0 << "No space left on device";
        QTest::newRow("archive, full") << "archive" << 0 << "No space left on device";
        QTest::newRow("backup, 4 KB free") << "backup" << 4096 << "No space left on device";
        QTest::newRow("backup, read-only") << "backup" << -1 << "Read-only file system";
        QTest::newRow("restore, read-only") << "restore" << -1 << "";
    }
    void realFileSystem()
    {
        QFETCH(QString, what);
        QFETCH(int, free);
        if (!m_mountable)
            QSKIP("Mounting a tmpfs needs root: run the test as root or under `unshare -r -m`");
        const QString mount = m_dir->filePath("mount"), program = m_dir->filePath("program");
        QVERIFY(QDir().mkpath(mount) && QDir().mkpath(program));
        QVERIFY(::mount("vantorel-test", QFile::encodeName(mount), "tmpfs", 0, "size=64k") == 0);
        // The sample's files; backups of it, with the demonstration data for a restore.
        const bool backups = what == "backup" || what == "restore";
        auto context = MakeTestContext();
        context->SetProgramFolder(backups ? program : mount);
        context->Config.BackupFolder = mount;
        context->ListFifo.SetStore(FifoFileStore(context->BaseName() + ".fif"));
        FillSampleModel(context->ListSerum, context->ListAnalytes);
        QVERIFY(SaveData(*context, DataFileName(*context)) && SaveConfig(*context) && context->ListFifo.Push(TResu0()));
        if (what == "restore")
            MakeDemonstrationData(*context);
        TScriptedBackupUi ui;
        QVERIFY(!backups || (TBackup(*context, ui).Backup().Ok && TBackup(*context, ui).Backup().Ok));

        const auto before = Files(mount), programBefore = Files(program);
        const QString points = AsText(context->ListAnalytes.Item(0));
        QVERIFY(Fill(QFile::encodeName(mount), free));
        QTEST(Write(*context, what).section(": ", -1), "outcome");
        QFile::remove(mount + "/filler");
        QCOMPARE(Files(mount), before);
        QCOMPARE(Files(program) == programBefore, what != "restore");
        QVERIFY(what != "archive" || AsText(context->ListAnalytes.Item(0)) == points); // nothing erased
        // A queue the file no longer follows is written whole at its next change.
        QVERIFY(what != "queue" || (!context->ListFifo.Synced() && context->ListFifo.Push(TResu0())));
        QCOMPARE(FileContent(context->BaseName() + ".fif").size(), what == "queue" ? 3 * 44 : 44);
        if (what == "restore")
            QCOMPARE(FileContent(program + "/Vantorel.qcf"), DataFileBytes(context->ListSerum, context->ListAnalytes));
    }

    // Only the writer's temporary files that no process holds go at start-up.
    void staleTemporaryFiles()
    {
        const QStringList names { "Vantorel.qcf.vantorel-tmp-a1B2c3", "QC000001.qca.vantorel-tmp-XXXXXX",
            "Vantorel.qcf.vantorel-tmp-held00", "Vantorel.qcf.123456", "Vantorel.qcf.vantorel-tmp-abc" };
        for (const QString& name : names)
            QVERIFY(PutFile(m_dir->filePath(name), "x"));
        QFile held(m_dir->filePath(names[2]));
        QVERIFY(held.open(QIODevice::ReadOnly) && flock(held.handle(), LOCK_EX) == 0);
        QCOMPARE(RemoveStaleTemporaryFiles(m_dir->path()), QStringList({ names[1], names[0] }));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({ names[3], names[4], names[2] }));
    }
};

VANTOREL_TEST(TestAtomicFile)
#include "TestAtomicFile.moc"
