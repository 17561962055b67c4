// The backup options window and the main window's backup and restore commands,
// driven through their buttons with scripted boxes. The backup rules themselves
// (.Sav and .Old, a failed write, a damaged file) are tested in core.
#include "TBackup.h"
#include "TMainWindowFixture.h"
#include "TSettings.h"
#include "TShape.h"
#include "TTestRegistry.h"
#include "TWinAnimCopyFic.h"
#include "TWinOptions.h"
#include "TestHelpers.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Box `i` of the scripted dialogs is this one.
#define QCOMPARE_BOX(i, type, text, buttons)                                                                           \
    do {                                                                                                               \
        QVERIFY(f.Dialogs.Boxes.size() > (i));                                                                         \
        QCOMPARE(int(f.Dialogs.Boxes[i].Type), int(type));                                                             \
        QCOMPARE(f.Dialogs.Boxes[i].Text, QString(text));                                                              \
        QCOMPARE(f.Dialogs.Boxes[i].Buttons, int(buttons));                                                            \
    } while (false)

class TestBackupWindows : public QObject {
    Q_OBJECT

private:
    TMainWindowFixture f;
    std::unique_ptr<TWinAnimCopyFic> m_copy;
    std::unique_ptr<TWinOptions> m_options;

    TWinMain& ShowMain()
    {
        TWinMain& win = f.Show();
        win.WinAnimCopyFic = (m_copy = std::make_unique<TWinAnimCopyFic>()).get();
        win.WinOptions = (m_options = std::make_unique<TWinOptions>(*f.Context, f.Dialogs)).get();
        win.UpdateCommands();
        return win;
    }
    QString Usb() const { return f.Path("usb"); }

private slots:
    void init()
    {
        QVERIFY(f.Reset());
        QVERIFY(QDir().mkpath(Usb()));
    }

    void optionsOk_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>(
            "typed"); // typed key by key, else set whole (an edit of three characters cuts 1001 itself)
        QTest::addColumn<int>("stored"); // 0: refused
        QTest::addColumn<bool>("blinks");
        QTest::newRow("0 refused") << "0" << false << 0 << false;
        QTest::newRow("text refused") << "week" << false << 0 << false;
        QTest::newRow("1 the day after a backup blinks at once") << "1" << true << 1 << true;
        QTest::newRow("1000 typed stops at three digits") << "1000" << true << 100 << false;
    }
    void optionsOk()
    {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(int, stored);
        QFETCH(bool, blinks);
        f.Context->Config.LastBackupDate = TMainWindowFixture::Today() - 1;
        TWinMain& win = ShowMain();
        QVERIFY(!win.TimerBackUp->isActive());
        const QString before = f.Snapshot();
        f.Dialogs.QueueFileName(Usb());
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            m_options->BtBrowse->click();
            m_options->EditDelay->clear();
            if (typed)
                QTest::keyClicks(m_options->EditDelay, text);
            else
                m_options->EditDelay->setText(text);
            m_options->BtOK->click();
            return dialog.result();
        });
        win.MnuOptions->trigger();
        QCOMPARE(win.TimerBackUp->isActive(), blinks);
        auto reread = MakeTestContext();
        reread->SetProgramFolder(f.Context->ProgramFolder());
        if (stored == 0) {
            QCOMPARE(f.Dialogs.Boxes.size(), 1);
            QCOMPARE(f.Dialogs.Boxes[0].Type, TMsgType::Error);
            QCOMPARE(f.Context->Config.BackupInterval, 7);
            QCOMPARE(f.Context->Config.BackupFolder, QString());
            QCOMPARE(f.Snapshot(), before);
            return;
        }
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        LoadConfig(*reread);
        QCOMPARE(reread->Config.BackupInterval, stored);
        QCOMPARE(reread->Config.BackupFolder, QDir::cleanPath(Usb()));
    }

    void undoRestoresTheStoredOptions()
    {
        f.Context->Config.BackupFolder = Usb();
        f.Context->Config.BackupInterval = 14;
        TWinMain& win = ShowMain();
        f.Dialogs.QueueFileName(f.Path(""));
        QString edited;
        f.Dialogs.QueueExec([&](QDialog&) {
            m_options->FormActivate();
            m_options->EditDelay->setText("30");
            m_options->BtBrowse->click();
            edited = m_options->CBDrive->currentData().toString();
            m_options->BtUndo->click();
            return int(QDialog::Rejected);
        });
        win.MnuOptions->trigger();
        QCOMPARE(edited, QDir::cleanPath(f.Path("")));
        QCOMPARE(m_options->EditDelay->text(), "14");
        QCOMPARE(m_options->CBDrive->currentData().toString(), QDir::cleanPath(Usb()));
        QCOMPARE(f.Context->Config.BackupInterval, 14);
    }

    void backupThenRestoreBringsTheOldPointBack()
    {
        f.Context->Config.BackupFolder = Usb();
        f.Context->Config.LastBackupDate = TMainWindowFixture::Today() - 30;
        TAnalyte& analyte = f.AddAnalyte("Glucose", 1, { { 5.1 }, { 5.3 }, { 4.9 } });
        f.Context->CurrentAnalyte = &analyte;
        TWinMain& win = ShowMain();
        QVERIFY(win.TimerBackUp->isActive());
        win.BtBackup->click();
        QCOMPARE(f.Dialogs.Boxes.size(), 2);
        QCOMPARE_BOX(0, TMsgType::Confirmation, "Confirm data backup", mbOK | mbCancel);
        QCOMPARE_BOX(1, TMsgType::Information, "Backup OK", mbYes);
        QVERIFY(!win.TimerBackUp->isActive());
        QCOMPARE(win.ShapeBackUp->BrushColor(), QColor(0, 255, 0));
        QVERIFY(!m_copy->isVisible());

        f.Context->CurrentAnalyte->Point(1).Values[0].Value = 9.9f;
        f.Dialogs = TScriptedDialogs();
        win.Disketterestore1->trigger();
        QCOMPARE(f.Dialogs.Boxes.size(), 2);
        QVERIFY(f.Dialogs.Boxes[0].Text.startsWith("Confirm data restore from diskette."));
        QCOMPARE_BOX(1, TMsgType::Information, "Restore OK", mbYes);
        QVERIFY(f.Context->CurrentAnalyte);
        QCOMPARE(f.Context->CurrentAnalyte->Point(1).Values[0].Value, 5.3f);
        QVERIFY(f.DataFileAsInMemory());
    }

    void failureIsOneErrorBox()
    {
        f.Context->Config.BackupFolder = f.Path("absent");
        TWinMain& win = ShowMain();
        f.Dialogs.QueueAnswer(mbCancel);
        win.Disketterestore1->trigger();
        QCOMPARE(f.Dialogs.Boxes.size(), 2);
        QCOMPARE_BOX(
            0, TMsgType::Error, "No diskette in drive " + QDir::cleanPath(f.Path("absent")), mbRetry | mbCancel);
        QCOMPARE_BOX(1, TMsgType::Error, "Restore aborted", mbYes);
    }
};

VANTOREL_TEST(TestBackupWindows)
#include "TestBackupWindows.moc"
