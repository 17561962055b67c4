#include "TAnalyte.h"
#include "TMainWindowFixture.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TWinRisks.h"
#include "TestHelpers.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

// The half-widths are core's; here the live preview and what each way out leaves in the settings and their file.
class TestWinRisks : public TMainWindowTest {
    Q_OBJECT
private slots:
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
        TWinMain& win = f.ShowWith(&TWinMain::WinRisks, risks);
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
        QVERIFY(previewed);
        QCOMPARE(okEnabled, password.isEmpty());
        QCOMPARE(Join(f.Context->Config.AlertRisk, f.Context->Config.ActionRisk), Join(alert, action));
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
};

VANTOREL_TEST(TestWinRisks)
#include "TestWinRisks.moc"
