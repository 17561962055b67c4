#include "TAnalyte.h"
#include "TMainWindowFixture.h"
#include "TSettings.h"
#include "TShape.h"
#include "TWinAnimCopyFic.h"
#include "TWinOptions.h"
#include "TestHelpers.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

// The backup rules themselves (.Sav and .Old, a failed write, a damaged file) are core's.
class TestBackupWindows : public TMainWindowTest {
    Q_OBJECT

private:
    std::unique_ptr<TWinAnimCopyFic> m_copy;
    std::unique_ptr<TWinOptions> m_options;

    TWinMain& ShowBackup()
    {
        TWinMain& win = f.Show();
        win.WinAnimCopyFic = (m_copy = std::make_unique<TWinAnimCopyFic>()).get();
        win.WinOptions = (m_options = std::make_unique<TWinOptions>(*f.Context, f.Dialogs)).get();
        win.UpdateCommands();
        return win;
    }
    QString Usb() const { return QDir::cleanPath(f.Path("usb")); }

private slots:
    void init() { QVERIFY(f.Reset() && QDir().mkpath(Usb())); }

    void options_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("undo"); // pressed before OK
        QTest::addColumn<int>("stored"); // 0: refused, the window stays open
        QTest::addColumn<bool>("blinks");
        QTest::newRow("0 refused") << "0" << false << 0 << false;
        QTest::newRow("1 the day after a backup blinks at once") << "1" << false << 1 << true;
        QTest::newRow("1000 stops at three digits") << "1000" << false << 100 << false;
        QTest::newRow("Undo restores the stored values") << "1" << true << 7 << false;
    }

    void options()
    {
        QFETCH(QString, text);
        QFETCH(bool, undo);
        QFETCH(int, stored);
        QFETCH(bool, blinks);
        f.Context->Config.LastBackupDate = TMainWindowFixture::Today() - 1;
        f.Context->Config.BackupFolder = undo ? Usb() : QString();
        TWinMain& win = ShowBackup();
        const QString before = f.Snapshot();
        f.Dialogs.QueueFileName(undo ? f.Path("") : Usb());
        bool stayedOpen = false;
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            m_options->BtBrowse->click();
            m_options->EditDelay->clear();
            QTest::keyClicks(m_options->EditDelay, text);
            if (undo)
                m_options->BtUndo->click();
            m_options->BtOK->click();
            stayedOpen = dialog.isVisible();
            dialog.close();
            return dialog.result();
        });
        win.MnuOptions->trigger();
        QCOMPARE(win.TimerBackUp->isActive(), blinks);
        QCOMPARE(stayedOpen, (stored == 0));
        QCOMPARE(f.Dialogs.Boxes.size(), (stored == 0 ? 1 : 0));
        if (stored == 0) {
            QCOMPARE(f.Context->Config.BackupInterval, 7);
            QCOMPARE(f.Snapshot(), before);
            return;
        }
        auto reread = MakeTestContext();
        reread->SetProgramFolder(f.Context->ProgramFolder());
        LoadConfig(*reread);
        QCOMPARE(reread->Config.BackupInterval, stored);
        QCOMPARE(reread->Config.BackupFolder, Usb());
    }

    void backupThenRestoreBringsTheOldPointBack()
    {
        f.Context->Config.LastBackupDate = TMainWindowFixture::Today() - 30;
        f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 1, { { 5.1 }, { 5.3 }, { 4.9 } });
        TWinMain& win = ShowBackup();
        QVERIFY(win.TimerBackUp->isActive());
        // No folder chosen yet: the options come first, then the backup goes there.
        f.Dialogs.QueueFileName(Usb());
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            m_options->BtBrowse->click();
            m_options->BtOK->click();
            return dialog.result();
        });
        win.BtBackup->click();
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList { "TWinOptions" });
        QCOMPARE(f.Dialogs.Boxes.last().Text, "Backup OK");
        QVERIFY(!win.TimerBackUp->isActive() && !m_copy->isVisible());
        QCOMPARE(win.ShapeBackUp->BrushColor(), QColor(0, 255, 0));

        f.Context->CurrentAnalyte->Point(1).Values[0].Value = 9.9f;
        f.Dialogs = TScriptedDialogs();
        win.Disketterestore1->trigger();
        QCOMPARE(f.Dialogs.Boxes.value(1).Text, "Restore OK");
        QCOMPARE(f.Context->CurrentAnalyte->Point(1).Values[0].Value, 5.3f);
        QVERIFY(f.DataFileAsInMemory());
        QVERIFY(QDir(Usb()).removeRecursively());
        f.Dialogs = TScriptedDialogs();
        win.Disketterestore1->trigger(); // Cancel to "No diskette", then the failure in an error box
        QCOMPARE(f.Dialogs.Boxes.value(1).Text, "Restore aborted");
    }
};

VANTOREL_TEST(TestBackupWindows)
#include "TestBackupWindows.moc"
