#include "TAnalyte.h"
#include "TMainWindowFixture.h"
#include "TWinDefAnalytes.h"
#include "TWinDefSerum.h"
#include "TWinSerumByAnal.h"
#include "TWindowTestKit.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

class TestWinMainEditors : public TMainWindowTest {
    Q_OBJECT

private slots:
    void afterEachEditorTheWindowShowsTheResult_data()
    {
        QTest::addColumn<int>("command"); // the menu's "Analytes" and "Control materials", the "Assign lots" button
        QTest::newRow("TWinDefAnalytes") << 0;
        QTest::newRow("TWinDefSerum") << 1;
        QTest::newRow("TWinSerumByAnal") << 2;
    }

    void afterEachEditorTheWindowShowsTheResult()
    {
        QFETCH(int, command);
        TWinMain& win = f.Show();
        TWinDefAnalytes analytes(*f.Context, f.Dialogs);
        TWinDefSerum serums(*f.Context, f.Dialogs, f.Pictures());
        TWinSerumByAnal lots(*f.Context, f.Dialogs, f.Pictures());
        win.WinDefAnalytes = &analytes;
        win.WinDefSerum = &serums;
        win.WinSerumByAnal = &lots;
        win.UpdateCommands();
        QTest::mouseClick(win.BtAffectation, Qt::LeftButton); // without analytes
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, "No analyte.", mbYes);
        f.AddAnalyte("Glucose", 3, { { 5, 10, 15 } });
        win.FillAnalyteList();
        f.Dialogs.QueueExec([this](QDialog&) {
            f.Context->ListAnalytes.Add(TAnalyte("Albumin", "g/L", 0, 1));
            f.Context->CurrentAnalyte->NbLevels = 2;
            return int(QDialog::Accepted);
        });
        if (command == 2)
            QTest::mouseClick(win.BtAffectation, Qt::LeftButton);
        else
            (command == 0 ? win.MnuAnalytes : win.MnuControlMaterials)->trigger();
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList({ QTest::currentDataTag() }));
        QCOMPARE(win.LBAnalytes->count(), 2);
        QVERIFY(win.EditValue[1]->isVisible());
        QVERIFY(!win.EditValue[2]->isVisible());
        f.Win.reset(); // before the editors it points to
    }
};

VANTOREL_TEST(TestWinMainEditors)
#include "TestWinMainEditors.moc"
