// The desktop entries of the set-up: what they open, the "Laboratory QC" group, failures.
#include "TDesktopEntry.h"
#include "TDesktopEntryFile.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void WriteText(const QString& name, const QByteArray& text, bool executable = false)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

} // namespace

class TestDesktopEntry : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString Path(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void entryOpensItsTarget_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("program");
        QTest::addColumn<QStringList>("launcher");
        QTest::newRow("program") << "bin" << true << QStringList();
        QTest::newRow("program, awkward folder") << "a \"b\" $HOME `x` 100% c\\d" << true << QStringList();
        QTest::newRow("absent document") << "share" << false << QStringList { "xdg-open" };
        QTest::newRow("document, awkward folder") << "l'abo $x 5%" << false << QStringList { "xdg-open" };
    }

    void entryOpensItsTarget()
    {
        QFETCH(QString, folder);
        QFETCH(bool, program);
        QFETCH(QStringList, launcher);
        QVERIFY(QDir().mkpath(Path(folder)));
        const QString target = QDir(Path(folder)).filePath(program ? "vantorel" : "UserManual.htm");
        if (program)
            WriteText(target, "#!/bin/sh\n", true);
        const QString entry = Path("Some name.desktop");
        QVERIFY(CreateShortcut(target, entry));
        const auto keys = ReadDesktopEntry(entry);
        QCOMPARE(keys.value("Type"), "Application");
        QCOMPARE(keys.value("Name"), "Some name");
        QCOMPARE(ExecArguments(keys.value("Exec")), launcher + QStringList { target });
        QCOMPARE(keys.value("Path"), Path(folder));
        QCOMPARE(DesktopFileProblems(entry), QString());
    }

    void startMenuGroupHoldsTheThreeEntries_data()
    {
        QTest::addColumn<bool>("ranBefore");
        QTest::addColumn<bool>("documentsThere");
        QTest::newRow("first run, documents absent") << false << false;
        QTest::newRow("first run, documents there") << false << true;
        QTest::newRow("second run replaces the entries, keeps the folder") << true << true;
    }

    void startMenuGroupHoldsTheThreeEntries()
    {
        QFETCH(bool, ranBefore);
        QFETCH(bool, documentsThere);
        const QString program = Path("vantorel");
        WriteText(program, "#!/bin/sh\n", true);
        if (documentsThere) {
            WriteText(Path("UserManual.htm"), "<html/>");
            WriteText(Path("ReadMe.Txt"), "Vantorel");
        }
        const QString group = Path("applications/Laboratory QC");
        if (ranBefore) {
            QVERIFY(QDir().mkpath(group));
            WriteText(group + "/notes.txt", "kept");
            WriteText(group + "/Programme Vantorel.desktop", "[Desktop Entry]\nExec=old\n");
        }
        QString error;
        QVERIFY2(CreateStartMenuEntries(program, m_dir->path(), Path("applications"), &error), qPrintable(error));
        const QList<QPair<QString, QString>> expected = { { "Programme Vantorel", program },
            { "User manual", Path("UserManual.htm") }, { "Read me", Path("ReadMe.Txt") } };
        for (const auto& [name, target] : expected) {
            const auto keys = ReadDesktopEntry(group + "/" + name + ".desktop");
            QCOMPARE(keys.value("Name"), name);
            QCOMPARE(ExecArguments(keys.value("Exec")).last(), target);
        }
        QCOMPARE(QFileInfo::exists(group + "/notes.txt"), ranBefore);
    }

    void unwritableFolderStopsTheSetUp_data()
    {
        QTest::addColumn<bool>("readOnlyGroup");
        QTest::newRow("group name taken by a file") << false;
        QTest::newRow("group folder read-only") << true;
    }

    void unwritableFolderStopsTheSetUp()
    {
        QFETCH(bool, readOnlyGroup);
        const QString group = Path("Laboratory QC");
        if (readOnlyGroup)
            QVERIFY(QDir().mkpath(group));
        else
            WriteText(group, "a file");
        std::unique_ptr<TReadOnlyFolder> lock;
        if (readOnlyGroup) {
            lock = std::make_unique<TReadOnlyFolder>(group);
            if (!lock->Active())
                QSKIP("This system lets every write through");
        }
        QString error;
        QVERIFY(!CreateStartMenuEntries(Path("vantorel"), m_dir->path(), m_dir->path(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(group + "/Programme Vantorel.desktop"));
    }

    void desktopShortcutMakesAMissingDesktopFolder()
    {
        QVERIFY(CreateDesktopShortcut(Path("vantorel"), Path("Desktop")));
        QVERIFY(QFileInfo::exists(Path("Desktop/Vantorel.desktop")));
        WriteText(Path("taken"), "a file where the desktop folder should be");
        QVERIFY(!CreateDesktopShortcut(Path("vantorel"), Path("taken")));
        QVERIFY(!CreateDesktopShortcut(Path("vantorel"), QString()));
    }
};

VANTOREL_TEST(TestDesktopEntry)
#include "TestDesktopEntry.moc"
