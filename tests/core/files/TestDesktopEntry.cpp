#include "TDesktopEntry.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
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

} // namespace

class TestDesktopEntry : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

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
        QTest::addColumn<bool>("installed"); // the system's applications folder runs this program
        QTest::newRow("first run, documents absent") << false << 0 << false;
        QTest::newRow("second run replaces the entries, keeps the folder") << true << 0 << false;
        QTest::newRow("installed copy: its own entry in the submenu") << true << 0 << true;
        QTest::newRow("group name taken by a file") << false << 1 << false;
        QTest::newRow("group folder read-only") << false << 2 << false;
    }

    void startMenuGroup()
    {
        QFETCH(bool, ranBefore);
        QFETCH(int, blocked);
        QFETCH(bool, installed);
        const QString group = m_dir->filePath("Laboratory QC");
        if (ranBefore || blocked == 2)
            QVERIFY(QDir().mkpath(group));
        if (ranBefore) {
            QVERIFY(PutFile(group + "/notes.txt", "kept"));
            QVERIFY(PutFile(group + "/Read me.desktop", "[Desktop Entry]\nExec=old\n"));
            QVERIFY(PutFile(group + "/Programme Vantorel.desktop", "[Desktop Entry]\nExec=old\n"));
        }
        if (blocked == 1)
            QVERIFY(PutFile(group, "a file"));
        std::optional<TReadOnlyFolder> lock;
        if (blocked == 2 && !lock.emplace(group).Active())
            QSKIP("This system lets every write through");
        const QString program = m_dir->filePath("vantorel");
        QVERIFY(PutFile(program, "#!/bin/sh\n") && QDir().mkpath(m_dir->filePath("system")));
        QVERIFY(
            PutFile(m_dir->filePath("system/vantorel.desktop"), "[Desktop Entry]\nExec=" + program.toUtf8() + "\n"));
        TMenuFolders folders { m_dir->path(), m_dir->filePath("menus"), m_dir->filePath("directories"),
            InstalledEntryId(program, { m_dir->filePath(installed ? "system" : "none") }) };
        QString error;
        QCOMPARE(CreateStartMenuEntries(program, m_dir->filePath("doc"), folders, &error), blocked == 0);
        QCOMPARE(error.isEmpty(), blocked == 0);
        QCOMPARE(QFile::exists(group + "/Programme Vantorel.desktop"), blocked == 0 && !installed);
        QCOMPARE(QFile::exists(group + "/notes.txt"), ranBefore);
        if (blocked != 0)
            return;
        // Replaced, opening the read-me even where it is absent, as a text file.
        QCOMPARE(ExecArguments(Key(group + "/Read me.desktop", "Exec")).last(), m_dir->filePath("doc/ReadMe.Txt"));
        QCOMPARE(Key(group + "/Read me.desktop", "Icon"), "text-x-generic");
        // The submenu "Laboratory QC" holds every entry, each found by its desktop-file id.
        const QString menu = QString::fromUtf8(FileContent(m_dir->filePath("menus/vantorel-laboratory-qc.menu")));
        QVERIFY(menu.contains("<Name>Applications</Name>") && menu.contains("<Name>Laboratory QC</Name>"));
        QStringList ids;
        for (auto it = QRegularExpression("<Filename>(.*)</Filename>").globalMatch(menu); it.hasNext();)
            ids << it.next().captured(1);
        QCOMPARE(ids.size(), 3);
        QCOMPARE(ids.first(), installed ? "vantorel.desktop" : "Laboratory QC-Programme Vantorel.desktop");
        const QString directory = m_dir->filePath("directories/vantorel-laboratory-qc.directory");
        QCOMPARE(Key(directory, "Name"), "Laboratory QC");
        QStringList files { directory };
        for (const QString& id : ids.mid(installed ? 1 : 0))
            files << m_dir->filePath(QString(id).replace("Laboratory QC-", "Laboratory QC/"));
        QProcess validator;
        validator.start("desktop-file-validate", files);
        QVERIFY(validator.waitForFinished());
        QCOMPARE(validator.exitCode(), 0);
        QCOMPARE(validator.readAll() + validator.readAllStandardError(), QByteArray());
    }
};

VANTOREL_TEST(TestDesktopEntry)
#include "TestDesktopEntry.moc"
