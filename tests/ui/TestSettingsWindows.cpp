#include "TMainWindowFixture.h"
#include "TSettings.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinAnimCopyFic.h"
#include "TWinOptions.h"
#include "TWinRandom.h"
#include "TWinRisks.h"
#include "TWinSetUp.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

// The settings windows opened from the main window, driven through their controls with scripted
// boxes: the risks (the live preview through the current analyte's half-widths; what OK, Undo,
// Cancel, the close box and the password leave in the settings and the configuration file), the
// random generator (the grid and number as typed, the question of each destination), the backup
// options and commands, and the set-up's shortcuts. The rules behind them (half-widths, drawn
// values, .Sav and .Old, the entries' contents) are core's.
class TestSettingsWindows : public QObject {
    Q_OBJECT

private:
    TMainWindowFixture f;
    std::unique_ptr<TWinAnimCopyFic> m_copy;
    std::unique_ptr<TWinOptions> m_options;

    // The main window shown with `window` in its `slot`.
    template <class TWindow> TWinMain& Show(TWindow* TWinMain::*slot, TWindow& window)
    {
        TWinMain& win = f.Show();
        win.*slot = &window;
        win.UpdateCommands();
        return win;
    }
    TWinMain& ShowBackup()
    {
        m_options = std::make_unique<TWinOptions>(*f.Context, f.Dialogs);
        TWinMain& win = Show(&TWinMain::WinOptions, *m_options);
        win.WinAnimCopyFic = (m_copy = std::make_unique<TWinAnimCopyFic>()).get();
        win.UpdateCommands();
        return win;
    }
    QString Usb() const { return QDir::cleanPath(f.Path("usb")); }

private slots:
    void init() { QVERIFY(f.Reset() && QDir().mkpath(Usb())); }

    void risksOkUndoCancel_data()
    {
        QTest::addColumn<bool>("analyte");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("alertItem"); // clicked
        QTest::addColumn<int>("actionItem");
        QTest::addColumn<QString>("end"); // OK, Cancel, close box, Undo then OK
        QTest::addColumn<int>("alert"); // in force afterwards
        QTest::addColumn<int>("action");
        QTest::newRow("2% then Cancel restores 5%") << true << "" << 1 << -1 << "Cancel" << 0 << 4;
        QTest::newRow("2% and 1% kept by OK") << true << "" << 1 << 0 << "OK" << 1 << 2;
        QTest::newRow("close box restores") << true << "LAB" << 1 << 1 << "close" << 0 << 4;
        QTest::newRow("Undo then OK") << true << "" << 1 << 0 << "Undo" << 0 << 4;
        QTest::newRow("password not entered: OK disabled") << true << "LAB" << 1 << -1 << "OK" << 0 << 4;
        QTest::newRow("no analyte: nothing to recompute") << false << "" << 1 << -1 << "OK" << 1 << 4;
    }
    void risksOkUndoCancel()
    {
        QFETCH(bool, analyte);
        QFETCH(QString, password);
        QFETCH(int, alertItem);
        QFETCH(int, actionItem);
        QFETCH(QString, end);
        QFETCH(int, alert);
        QFETCH(int, action);
        const bool written = password.isEmpty() && (end == "OK" || end == "Undo"); // after OK only
        f.Context->Config.Password = password;
        const TQCValue* other = nullptr;
        if (analyte) {
            f.Context->CurrentAnalyte
                = &f.AddAnalyte("Glucose", 1, { { 5.1 }, { 5.3 }, { 4.9 }, { 5.0 }, { 5.2 }, { 4.8 } });
            // Another analyte, not the current one: its last point a warning at 5 %, within at 2 %.
            QList<QList<double>> values;
            for (int i = 0; i < 30; ++i)
                values.append(QList<double> { 4.8 + 0.1 * (i % 6) });
            values.append(QList<double> { 5.5 });
            other = &f.AddAnalyte("Calcium", 1, values).Point(30).Values[0];
            QCOMPARE(int(other->Status), int(psHighWarning));
        }
        TWinRisks risks(*f.Context, f.Dialogs);
        TWinMain& win = Show(&TWinMain::WinRisks, risks);
        const TLevelStats before = analyte ? f.Context->CurrentAnalyte->ReferenceStats[0] : TLevelStats();
        const int dof = before.DegreesOfFreedom;
        // The half-widths of the analyte against those it had with 5% and 0.2%.
        const auto ratiosAre = [&](int a, int c) {
            const TLevelStats& now = f.Context->CurrentAnalyte->ReferenceStats[0];
            return qAbs(now.WarningHalfWidth / before.WarningHalfWidth - TValue(a, dof) / TValue(0, dof)) < 1e-9
                && qAbs(now.ActionHalfWidth / before.ActionHalfWidth - TValue(c, dof) / TValue(4, dof)) < 1e-9;
        };
        bool defaultsShown = false, previewed = !analyte, okEnabled = false;
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            defaultsShown = risks.RBAlert[0]->isChecked() && risks.RBAction[2]->isChecked();
            okEnabled = risks.BtOK->isEnabled();
            risks.RBAlert[size_t(alertItem)]->click();
            if (actionItem >= 0)
                risks.RBAction[size_t(actionItem)]->click();
            previewed = previewed || ratiosAre(alertItem, actionItem < 0 ? 4 : actionItem + 2);
            if (end == "Undo")
                risks.BtUndo->click();
            (end == "Cancel" ? risks.BtCancel : risks.BtOK)->click();
            dialog.close(); // the close box, when still open
            return dialog.result();
        });
        win.MnuRisks->trigger();
        QVERIFY(defaultsShown);
        QCOMPARE(okEnabled, password.isEmpty());
        QVERIFY(previewed);
        QCOMPARE(int(f.Context->Config.AlertRisk), alert);
        QCOMPARE(int(f.Context->Config.ActionRisk), action);
        if (analyte) {
            QVERIFY(ratiosAre(alert, action));
            QCOMPARE(int(other->Status), int(alert == 1 ? psWithin : psHighWarning)); // every analyte
        }
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(QFile::exists(f.Context->BaseName() + ".cfr"), written);
        auto reread = MakeTestContext();
        reread->SetProgramFolder(f.Context->ProgramFolder());
        LoadConfig(*reread);
        QVERIFY(!written || (reread->Config.AlertRisk == alert && reread->Config.ActionRisk == action));
    }

    void randomPoints_data()
    {
        QTest::addColumn<int>("points"); // stored before
        QTest::addColumn<bool>("queue");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("cells"); // mean and CV of each level in turn
        QTest::addColumn<int>("press"); // the key pressed in the grid; 0: OK clicked
        QTest::addColumn<int>("answer"); // to the question, when one is asked
        QTest::addColumn<QString>("box"); // the first box shown
        QTest::addColumn<int>("created");
        const QString from = "Create 3 random QC points from " + ShortDateText(DateToDayCount(QDate(2026, 2, 10)));
        const QStringList cells { "5,2", "3", "", "" };
        // clang-format off
        QTest::newRow("charts, comma, after the stored points") << 4 << false << "3" << cells << 0 << int(mbOK) << from + "\rAdd the new random points to the previous ones." << 3;
        QTest::newRow("charts without points: no question, Enter in the grid") << 0 << false << " 3 " << QStringList { "", "", "9.5", "2" } << int(Qt::Key_Return) << 0 << "" << 3;
        QTest::newRow("queue") << 4 << true << "3" << cells << 0 << int(mbOK) << from + "\rAdd the new random points in the fifo." << 3;
        QTest::newRow("queue, Cancel") << 4 << true << "3" << cells << 0 << int(mbCancel) << from << 0;
        QTest::newRow("no analyte") << -1 << false << "" << cells << 0 << 0 << "No analyte" << 0;
        QTest::newRow("Escape in the grid") << 4 << false << "3" << cells << int(Qt::Key_Escape) << 0 << "" << 0;
        QTest::newRow("number 0") << 4 << false << "0" << cells << 0 << 0 << "0 is too low" << 0;
        QTest::newRow("no mean") << 4 << false << "3" << QStringList { "", "3" } << 0 << 0 << "Fill in the grid" << 0;
        // clang-format on
    }
    void randomPoints()
    {
        QFETCH(int, points);
        QFETCH(bool, queue);
        QFETCH(QString, number);
        QFETCH(QStringList, cells);
        QFETCH(int, press);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(int, created);
        if (points >= 0)
            f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 2, QList<QList<double>>(points, { 5.0, 9.0 }));
        TWinRandom random(*f.Context, f.Dialogs);
        TWinMain& win = Show(&TWinMain::WinRandom, random);
        f.Dialogs.QueueAnswer(answer);
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            random.DatePicker->setDate(QDate(2026, 2, 10));
            (queue ? random.RBFifo : random.RBCharts)->setChecked(true);
            random.EditNumber->setText(number);
            for (int i = 0; i < cells.size(); ++i)
                random.Grille->item(1 + i % 2, 1 + i / 2)->setText(cells[i]);
            if (press)
                QTest::keyClick(random.Grille, Qt::Key(press));
            else
                random.BtOK->click();
            const int result = dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
            dialog.close();
            return result;
        });
        win.MnuRandomGenerator->trigger();
        const QString shown = f.Dialogs.Boxes.isEmpty() ? QString() : f.Dialogs.Boxes[0].Text;
        QVERIFY2(box.isEmpty() ? shown.isEmpty() : shown.startsWith(box), qPrintable(shown));
        QCOMPARE(f.Context->ListFifo.Count(), queue ? created : 0);
        QVERIFY(points < 0 || f.Context->CurrentAnalyte->Count() == points + (queue ? 0 : created));
        if (!queue && created)
            QVERIFY(f.DataFileAsInMemory());
    }

    void backupOptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("undo"); // pressed before OK
        QTest::addColumn<int>("stored"); // 0: refused, the window stays open
        QTest::addColumn<bool>("blinks");
        QTest::newRow("0 refused") << "0" << false << 0 << false;
        QTest::newRow("text refused") << "week" << false << 0 << false;
        QTest::newRow("1 the day after a backup blinks at once") << "1" << false << 1 << true;
        QTest::newRow("1000 stops at three digits") << "1000" << false << 100 << false;
        QTest::newRow("Undo restores the stored values") << "1" << true << 7 << false;
    }
    void backupOptions()
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
        QCOMPARE(stayedOpen, stored == 0);
        QCOMPARE(f.Dialogs.Boxes.size(), stored == 0 ? 1 : 0);
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
        f.Context->Config.BackupFolder = Usb();
        f.Context->Config.LastBackupDate = TMainWindowFixture::Today() - 30;
        f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 1, { { 5.1 }, { 5.3 }, { 4.9 } });
        TWinMain& win = ShowBackup();
        QVERIFY(win.TimerBackUp->isActive());
        win.BtBackup->click();
        QCOMPARE(f.Dialogs.Boxes.value(1).Text, "Backup OK");
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

    void setUpChoicesMakeTheirEntries_data()
    {
        QTest::addColumn<bool>("desktop");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<bool>("blockedMenu");
        QTest::addColumn<QString>("message");
        QTest::newRow("both, desktop folder made") << true << true << false << "Setup OK";
        QTest::newRow("none: nothing made, still OK") << false << false << false << "Setup OK";
        QTest::newRow("menu folder cannot be made") << true << true << true << "Unable to complete setup";
    }

    void setUpChoicesMakeTheirEntries()
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
            setUp.ProgramsFolder = f.Path(".");
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

VANTOREL_TEST(TestSettingsWindows)
#include "TestSettingsWindows.moc"
