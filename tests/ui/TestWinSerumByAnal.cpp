#include "TAnalyte.h"
#include "TArrowButton.h"
#include "TDataFile.h"
#include "TDragList.h"
#include "TLevelData.h"
#include "TMainWindowFixture.h"
#include "TPaintBox.h"
#include "TWinSerumByAnal.h"
#include "TWindowTestKit.h"

#include <QDrag>
#include <QMimeData>
#include <QPushButton>

// The rules behind it are core's (TestLotAssignment); here what the window wires.
class TestWinSerumByAnal : public TMainWindowTest {
    Q_OBJECT

private slots:
    // Sodium has two levels: QC1 a lot that no longer exists, QC2 lot 1 ("precinorm", the list's third line).
    void sendingALotToQC2_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("row"); // -1: none selected
        QTest::addColumn<int>("lot");
        QTest::newRow("arrow button, another lot") << "button" << 0 << 2;
        QTest::newRow("arrow button, the lot it has") << "button" << 2 << 1;
        QTest::newRow("arrow button, no lot selected") << "button" << -1 << 1;
        QTest::newRow("Alt+2") << "alt" << 1 << 0;
        QTest::newRow("Alt+3, a level out of use") << "alt3" << 1 << 1;
        QTest::newRow("drop on the panel") << "drop" << 0 << 2;
    }

    void sendingALotToQC2()
    {
        QFETCH(QString, way);
        QFETCH(int, row);
        QFETCH(int, lot);
        TWinSerumByAnal win(*f.Context, f.Dialogs, f.Pictures());
        TAnalyte& sodium = ShowLots(win, "vv", { 9, 1, 2 });
        QVERIFY(win.PanelLevel[1]->isVisible() && !win.BtLevel[2]->isVisible() && !win.PanelLevel[2]->isVisible());
        QCOMPARE(win.PanelLines(0), QStringList({ "Unknown", "" }));
        if (row >= 0)
            ClickRow(*win.LBSerum, row);
        if (way == "button") {
            QTest::mouseClick(win.BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        } else if (way.startsWith("alt")) {
            QTest::keyClick(&win, way == "alt" ? Qt::Key_2 : Qt::Key_3, Qt::AltModifier);
            QCOMPARE(win.WorkingLot(2), 2);
        } else {
            // Offscreen drags end at once: the list's drag is made, then the
            // drop events Qt would deliver are sent to the panel.
            std::unique_ptr<QDrag> drag(win.LBSerum->MakeDrag());
            QCOMPARE(drag->dragCursor(Qt::MoveAction).toImage(), f.Pictures().CursDragLot.toImage());
            QCOMPARE(drag->dragCursor(Qt::IgnoreAction).toImage(), f.Pictures().CursNoDropLot.toImage());
            QDragEnterEvent enter({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::LeftButton, {});
            QApplication::sendEvent(win.PBoxLevel[1], &enter);
            QDropEvent drop({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::NoButton, {});
            QApplication::sendEvent(win.PBoxLevel[1], &drop);
            QVERIFY(enter.isAccepted() && drop.isAccepted());
        }
        QCOMPARE(win.WorkingLot(1), lot);
        QCOMPARE(
            win.PanelLevel[1]->palette().color(QPalette::Window), lot == 1 ? QColor(Qt::white) : QColor(255, 255, 0));
        QCOMPARE(sodium.SerumID[1], 1); // nothing before the window's OK
        if (row < 0)
            QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, "No control material selected", mbYes);
    }

    void erasingArchivesTheChangedLevelHoldingData_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }

    void erasingArchivesTheChangedLevelHoldingData()
    {
        QFETCH(bool, confirmed);
        TWinSerumByAnal win(*f.Context, f.Dialogs, f.Pictures());
        TAnalyte& sodium = ShowLots(win, "v-", { 2, 1, -1 });
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Information, "Nothing Changed", mbYes);
        QVERIFY(win.isVisible());
        ClickRow(*win.LBSerum, 1); // lot 0
        QTest::mouseClick(win.BtLevel[0], Qt::LeftButton, {}, QPoint(15, 20));
        QTest::mouseClick(win.BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        f.Dialogs.QueueAnswer(confirmed ? mbOK : mbCancel);
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QCOMPARE(f.Dialogs.Boxes.value(1).Type, TMsgType::Confirmation);
        QCOMPARE(win.result(), QDialog::Accepted);
        QCOMPARE(ArchiveFiles(*f.Context), confirmed ? QStringList({ "QC000001.qca" }) : QStringList());
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*f.Context)), confirmed);
        QCOMPARE(confirmed ? reread.ListAnalytes.Item(0).SerumID : sodium.SerumID,
            (confirmed ? std::array<qint32, 3> { 0, 0, -1 } : std::array<qint32, 3> { 2, 1, -1 }));
    }

private:
    // Sodium of these levels and lots, current, over the lots Lyphocheck L2, precinorm P1, Lyphocheck L1 (ids 0 to 2).
    TAnalyte& ShowLots(TWinSerumByAnal& win, const QString& data, const std::array<int, 3>& lots)
    {
        f.Context->ListSerum.Clear();
        for (const auto& [name, lot] :
            { std::pair { "Lyphocheck", "L2" }, { "precinorm", "P1" }, { "Lyphocheck", "L1" } })
            f.Context->ListSerum.Add(name, lot);
        f.Context->CurrentAnalyte = &AddLevelDataAnalyte(*f.Context, "Sodium", data, lots);
        [&] { QVERIFY(ShowActive(win)); }();
        return *f.Context->CurrentAnalyte;
    }
};

VANTOREL_TEST(TestWinSerumByAnal)
#include "TestWinSerumByAnal.moc"
