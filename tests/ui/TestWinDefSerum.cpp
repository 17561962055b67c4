#include "TAnalyte.h"
#include "TDataFile.h"
#include "TLevelData.h"
#include "TMainWindowFixture.h"
#include "TWinDefSerum.h"
#include "TWindowTestKit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// The rules behind it are core's (TestSerumEditor); here what the window wires.
class TestWinDefSerum : public TMainWindowTest {
    Q_OBJECT

private slots:
    // Lyphocheck (L1) is used by Glucose and Calcium; Precinorm (P1) by none.
    void eachCommandShowsItsBox_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("text");
        QTest::newRow("erase an unused lot")
            << "BtErase" << 1 << int(TMsgType::Warning) << int(mbOK)
            << "The old control material Precinorm (P1) is not used for any analyte.\rNo data to erase. Press the "
               "button <Replace in list>.";
        QTest::newRow("delete a used lot")
            << "BtSupprimer" << 0 << int(TMsgType::Error) << int(mbYes)
            << "Impossible to delete Lyphocheck (L1).\rThis control material is used by : \r- Glucose\r- Calcium";
        QTest::newRow("used by") << "BtUsedIn" << 0 << int(TMsgType::Information) << int(mbYes)
                                 << "Analytes controled by Lyphocheck (L1) : \r   - Glucose\r   - Calcium";
    }

    void eachCommandShowsItsBox()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(int, type);
        QFETCH(int, buttons);
        QFETCH(QString, text);
        TWinDefSerum win(*f.Context, f.Dialogs, f.Pictures());
        ShowSerums(win);
        const TListSerum before = f.Context->ListSerum;
        ClickRow(*win.LBSerum, row);
        QTest::mouseClick(win.findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType(type), text, buttons);
        QTest::mouseClick(win.BtOK, Qt::LeftButton);
        QVERIFY(f.Context->ListSerum == before);
    }

    void changeAndEraseArchivesAtOk()
    {
        TWinDefSerum win(*f.Context, f.Dialogs, f.Pictures());
        ShowSerums(win);
        ClickRow(*win.LBSerum, 0);
        win.EditNom->setText("Zeta");
        win.EditLot->setText("L2");
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QCOMPARE(win.LBSerum->currentRow(), 1); // moved to its sorted place, still selected
        QCOMPARE(win.LBSerum->currentItem()->text(), QString("Zeta\tL2"));
        QTest::mouseClick(win.BtOK, Qt::LeftButton);
        QCOMPARE(f.Dialogs.Boxes.value(0).Type, TMsgType::Confirmation);
        TQCContext reread;
        QVERIFY(LoadData(reread, DataFileName(*f.Context)));
        QCOMPARE(reread.ListSerum.FindByID(0).Name + reread.ListSerum.FindByID(0).Lot, QString("ZetaL2"));
        QCOMPARE(reread.ListAnalytes.Item(0).Archives, QList<qint32>({ 1 }));
    }

private:
    void ShowSerums(TWinDefSerum& win)
    {
        f.Context->ListSerum.Clear();
        f.Context->ListSerum.Add("Lyphocheck", "L1"); // id 0, line 0
        f.Context->ListSerum.Add("Precinorm", "P1"); // id 1, line 1
        AddLevelDataAnalyte(*f.Context, "Glucose", "v-v", { 0, 0, -1 });
        AddLevelDataAnalyte(*f.Context, "Calcium", "v", { 0, -1, -1 });
        QVERIFY(ShowActive(win));
    }
};

VANTOREL_TEST(TestWinDefSerum)
#include "TestWinDefSerum.moc"
