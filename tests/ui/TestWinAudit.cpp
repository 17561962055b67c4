#include "TAuditTrail.h"
#include "TMainWindowFixture.h"
#include "TPrintWindowFixture.h"
#include "TWinAudit.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

class TestWinAudit : public QObject {
    Q_OBJECT

private slots:
    // A glucose point corrected, then the operators changed: newest first, by kind, printed.
    void listsNewestFirstFiltersAndPrints()
    {
        TPrintWindowFixture<TWinAudit> f(1, 3);
        f.Context->SetProgramFolder(f.Dir.path());
        {
            TAuditTrail trail(*f.Context);
            QVERIFY(trail.Open(f.Dir.path(), nullptr));
            QVERIFY(trail.Record(
                { TChangeKind::PointCorrected, "Glucose", 1, "AB", { { "value", 5 } }, { { "value", 6 } } }, nullptr));
            QVERIFY(trail.Record({ TChangeKind::OperatorsChanged, {}, 0, {}, {}, { { "operators", "AB" } } }, nullptr));
        }
        f.Win.FormActivate();
        const QAbstractItemModel& rows = *f.Win.Grid->model();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(Join(rows.index(0, 0).data().toInt(), rows.index(0, 4).data().toString()), "3 Operators changed");
        f.Win.CBKind->setCurrentIndex(f.Win.CBKind->findData("PointCorrected"));
        QCOMPARE(rows.rowCount(), 1);
        const QString text = f.Print(f.Win.BtPrn).simplified();
        QVERIFY2(text.contains("Audit trail") && text.contains("2 2026-03-15 10:30:00 AB")
                && !text.contains("operators") && text.contains("Point corrected Glucose (1) value 5 6"),
            qPrintable(text));
    }

    void theMenuAsksForThePasswordFirst()
    {
        TMainWindowFixture f;
        QVERIFY(f.Reset());
        TQtPrinterService printers(f.Dialogs);
        TWinAudit audit(*f.Context, f.Dialogs, printers);
        TWinMain& win = f.ShowWith(&TWinMain::WinAudit, audit);
        f.Context->Config.Password = "PW";
        win.MnuAuditTrail->trigger(); // the password window is cancelled
        f.Context->Config.Password.clear();
        win.MnuAuditTrail->trigger();
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList({ "TWinEntryPsw", "TWinAudit" }));
    }
};

VANTOREL_TEST(TestWinAudit)
#include "TestWinAudit.moc"
