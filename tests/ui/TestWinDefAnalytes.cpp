#include "TAnalyte.h"
#include "TDataFile.h"
#include "TDragList.h"
#include "TLevelData.h"
#include "TMainWindowFixture.h"
#include "TWinDefAnalytes.h"
#include "TWindowTestKit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

// The rules behind it are core's (TestAnalyteEditor); here what the window wires.
class TestWinDefAnalytes : public TMainWindowTest {
    Q_OBJECT

private slots:
    void okWritesTheListCancelLeavesEverything_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void okWritesTheListCancelLeavesEverything()
    {
        QFETCH(bool, ok);
        TWinDefAnalytes win(*f.Context, f.Dialogs);
        ShowAnalytes(win);
        ClickRow(*win.LBox, 1);
        win.SELevels->setValue(2);
        QTest::mouseClick(win.BtCorriger, Qt::LeftButton); // refused: Calcium's third level holds data
        QCOMPARE(f.Dialogs.Boxes.value(0).Buttons, int(mbYes));
        QCOMPARE(win.SELevels->value(), 3); // the stored levels back in the field, the line as it was
        QCOMPARE(win.LBox->item(1)->text(), QString("Calcium\t3\tmmol/L\t1"));
        f.Dialogs.Boxes.clear();
        ClickRow(*win.LBox, 0);
        QCOMPARE(win.EditNom->text(), QString("Glucose"));
        QTest::mouseClick(win.BtSupprimer, Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation,
            "Warning, you are about to clear all archived data and \rcurrent control points for Glucose\r"
            "Confirm analyte deletion :",
            mbOK | mbCancel);
        QTest::keyClicks(win.EditNom, "Sodium");
        win.SELevels->setValue(2);
        win.CBUnite->setCurrentIndex(1);
        QTest::mouseClick(win.BtAjouter, Qt::LeftButton);
        QCOMPARE(win.LBox->item(1)->text(), QString::fromUtf8("Sodium\t2\t\u00b5mol/L\t0"));
        QTest::mouseClick(ok ? win.BtOK : win.BtCancel, Qt::LeftButton);
        const QStringList names = ok ? QStringList({ "Calcium", "Sodium" }) : QStringList({ "Glucose", "Calcium" });
        QCOMPARE(AnalyteNames(f.Context->ListAnalytes), names);
        QCOMPARE(ArchiveFiles(*f.Context), ok ? QStringList() : QStringList({ "QC000001.qca", "QC000002.qca" }));
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*f.Context)), ok);
        if (ok)
            QCOMPARE(AnalyteNames(reread.ListAnalytes), names);
    }

private:
    // Glucose (three levels of data, archives 1 and 2) and Calcium (its third level discarded values).
    void ShowAnalytes(TWinDefAnalytes& win)
    {
        f.Context->ListSerum.Clear();
        AddLevelDataAnalyte(*f.Context, "Glucose", "vvv").Archives = { 1, 2 };
        AddLevelDataAnalyte(*f.Context, "Calcium", "vvd");
        TouchArchives(*f.Context, { 1, 2 });
        QVERIFY(ShowActive(win));
    }
};

VANTOREL_TEST(TestWinDefAnalytes)
#include "TestWinDefAnalytes.moc"
