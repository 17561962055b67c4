#include "TAtomicFile.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Every file below a folder with its bytes, by path relative to it.
QMap<QString, QByteArray> Tree(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = FileContent(path);
    }
    files.remove("filler");
    return files;
}

// Mounts a 64 KB tmpfs on $3 in a mount namespace of its own, writes the earlier
// files, fills it up to $5 bytes free (-1: makes it a read-only bind mount), then
// tries the write. Copies of the mount before and after go to $4. 77: no mount.
const char* const Script = R"(set -e
mount -t tmpfs -o size=64k vantorel-test "$3" || exit 77
"$1" prepare "$2" "$3" "$4/program" >"$4/prepared"
cp -a "$3" "$4/mount-before" && cp -a "$4/program" "$4/program-before"
if [ "$5" -ge 0 ]; then
    (cat /dev/zero >"$3/filler") 2>/dev/null || true
    truncate -s -"$5" "$3/filler"
else
    mount --bind "$3" "$3" && mount -o remount,bind,ro "$3" || exit 77
fi
"$1" write "$2" "$3" "$4/program" >"$4/outcome"
rm -f "$3/filler" 2>/dev/null || true
cp -a "$3" "$4/mount-after")";

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Each write on a full or read-only file system leaves every earlier file as it
    // was and says why; a restore needs only to read.
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
        QTest::newRow("restore, read-only") << "restore" << -1 << "ok";
    }
    void realFileSystem()
    {
        QFETCH(QString, what);
        QFETCH(int, free);
        const QString out = m_dir->path(), mount = m_dir->filePath("mount");
        QVERIFY(QDir().mkpath(mount));
        QProcess run;
        const QStringList asRoot = geteuid() == 0 ? QStringList() : QStringList("-r");
        run.start("unshare",
            asRoot
                + QStringList { "-m", "sh", "-c", Script, "sh", ToolPath("ToolFileWrite"), what, mount, out,
                    QString::number(free) });
        QVERIFY(run.waitForFinished(60000));
        if (run.exitStatus() != QProcess::NormalExit || run.exitCode() == 77
            || run.readAllStandardError().contains("unshare"))
            QSKIP("This system does not let the test mount a file system of its own (unshare -m, mount -t tmpfs)");
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(FileContent(out + "/prepared"), QByteArray("ok\n"));
        QTEST(QString(FileContent(out + "/outcome")).trimmed().section(": ", -1), "outcome");
        QCOMPARE(Tree(out + "/mount-after"), Tree(out + "/mount-before"));
        auto restored = MakeTestContext();
        if (what == "restore") {
            QVERIFY(LoadData(*restored, out + "/mount-after/Vantorel.Sav"));
            QCOMPARE(
                FileContent(out + "/program/Vantorel.qcf"), DataFileBytes(restored->ListSerum, restored->ListAnalytes));
        } else
            QCOMPARE(Tree(out + "/program"), Tree(out + "/program-before"));
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
