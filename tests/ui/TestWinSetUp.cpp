#include "TMainWindowFixture.h"
#include "TWinSetUp.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

// The entries' contents are core's; here which entries the choices make and what the user is told.
class TestWinSetUp : public TMainWindowTest {
    Q_OBJECT
private slots:
    void choicesMakeTheirEntries_data()
    {
        QTest::addColumn<bool>("desktop");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<bool>("blockedMenu");
        QTest::addColumn<QString>("message");
        QTest::newRow("both, desktop folder made") << true << true << false << "Setup OK";
        QTest::newRow("none: nothing made, still OK") << false << false << false << "Setup OK";
        QTest::newRow("menu folder cannot be made") << true << true << true << "Unable to complete setup";
    }

    void choicesMakeTheirEntries()
    {
        QFETCH(bool, desktop);
        QFETCH(bool, menu);
        QFETCH(bool, blockedMenu);
        QFETCH(QString, message);
        if (blockedMenu)
            QVERIFY(QFile(f.Path("Laboratory QC")).open(QIODevice::WriteOnly));
        bool offeredBoth = false;
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            auto& setUp = static_cast<TWinSetUp&>(dialog);
            setUp.DesktopFolder = f.Path("Desktop");
            setUp.MenuFolders = { f.Path("."), f.Path("menus"), f.Path("directories"), {} };
            setUp.show();
            offeredBoth = setUp.CBShortCut->isChecked() && setUp.CBStartup->isChecked();
            setUp.CBShortCut->setChecked(desktop);
            setUp.CBStartup->setChecked(menu);
            setUp.BtOK->click();
            return setUp.result();
        });
        f.Show().MnuShortCuts->trigger();
        QVERIFY(offeredBoth);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Information, message, mbYes), QString());
        QCOMPARE(QFile::exists(f.Path("Desktop/Vantorel.desktop")), desktop);
        QCOMPARE(QFile::exists(f.Path("Laboratory QC/Read me.desktop")), menu && !blockedMenu);
    }
};

VANTOREL_TEST(TestWinSetUp)
#include "TestWinSetUp.moc"
