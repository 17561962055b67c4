#include "TDesktopEntryFile.h"
#include "TMainWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinMain.h"
#include "TWinSetUp.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>

// The set-up window opened from "&Shortcuts": which entries a user's choices
// make and what the user is told. The entries' contents are core's.
class TestTWinSetUp : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(f.Reset()); }
    void choicesMakeTheirEntries_data();
    void choicesMakeTheirEntries();

private:
    TMainWindowFixture f;
};

void TestTWinSetUp::choicesMakeTheirEntries_data()
{
    QTest::addColumn<bool>("desktop");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("blockedMenu");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("message");
    QTest::newRow("both, as offered") << true << true << false << false << "Setup OK";
    QTest::newRow("desktop only") << true << false << false << false << "Setup OK";
    QTest::newRow("menu only") << false << true << false << false << "Setup OK";
    QTest::newRow("none: nothing made, still OK") << false << false << false << false << "Setup OK";
    QTest::newRow("menu folder cannot be made") << true << true << true << false << "Unable to complete setup";
    QTest::newRow("cancel") << true << true << false << true << "";
}

void TestTWinSetUp::choicesMakeTheirEntries()
{
    QFETCH(bool, desktop);
    QFETCH(bool, menu);
    QFETCH(bool, blockedMenu);
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    const QString desktopFolder = f.Path("Desktop");
    const QString programs = f.Path("applications");
    QVERIFY(QDir().mkpath(desktopFolder) && QDir().mkpath(programs));
    if (blockedMenu) {
        QFile file(programs + "/Laboratory QC");
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    TWinMain& w = f.Show();
    bool offeredBoth = false;
    f.Dialogs.QueueExec([&](QDialog& dialog) {
        auto& setUp = static_cast<TWinSetUp&>(dialog);
        setUp.DesktopFolder = desktopFolder;
        setUp.ProgramsFolder = programs;
        setUp.show();
        offeredBoth = setUp.CBShortCut->isChecked() && setUp.CBStartup->isChecked();
        setUp.CBShortCut->setChecked(desktop);
        setUp.CBStartup->setChecked(menu);
        (cancel ? setUp.BitBtn1 : setUp.BtOK)->click();
        return setUp.result();
    });
    w.MnuShortCuts->trigger();
    QCOMPARE(f.Dialogs.ExecutedWindows, QStringList { "TWinSetUp" });
    QVERIFY(offeredBoth);
    if (cancel)
        QVERIFY(f.Dialogs.Boxes.isEmpty());
    else
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Information, message, mbYes), QString());
    // The desktop entry is made first and stays when the menu then fails.
    const QString desktopEntry = desktopFolder + "/Vantorel.desktop";
    QCOMPARE(QFile::exists(desktopEntry), desktop && !cancel);
    const bool menuMade = menu && !cancel && !blockedMenu;
    QCOMPARE(QFile::exists(programs + "/Laboratory QC/Programme Vantorel.desktop"), menuMade);
    QCOMPARE(QFile::exists(programs + "/Laboratory QC/Read me.desktop"), menuMade);
    if (QFile::exists(desktopEntry))
        QCOMPARE(ExecArguments(ReadDesktopEntry(desktopEntry).value("Exec")),
            QStringList { QCoreApplication::applicationFilePath() });
}

VANTOREL_TEST(TestTWinSetUp)
#include "TestTWinSetUp.moc"
