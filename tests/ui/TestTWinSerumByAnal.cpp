#include "TArrowButton.h"
#include "TDataFile.h"
#include "TDragList.h"
#include "TLevelData.h"
#include "TListClick.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinSerumByAnal.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QDrag>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>

// The lot assignment window driven through its arrow buttons, keys, drops and buttons.
class TestTWinSerumByAnal : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        m_context->ListSerum.Add("Lyphocheck", "L2"); // id 0
        m_context->ListSerum.Add("precinorm", "P1"); // id 1
        m_context->ListSerum.Add("Lyphocheck", "L1"); // id 2
        QVERIFY(m_pictures.Load());
        m_dialogs = std::make_unique<TScriptedDialogs>();
        m_win = std::make_unique<TWinSerumByAnal>(*m_context, *m_dialogs, m_pictures);
    }

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
        TAnalyte& sodium = AddLevelDataAnalyte(*m_context, "Sodium", "vv", { 9, 1, 2 });
        Open(sodium);
        QVERIFY(
            m_win->PanelLevel[1]->isVisible() && !m_win->BtLevel[2]->isVisible() && !m_win->PanelLevel[2]->isVisible());
        QCOMPARE(m_win->PanelLines(0), QStringList({ "Unknown", "" }));
        if (row >= 0)
            ClickRow(*m_win->LBSerum, row);
        if (way == "button") {
            QTest::mouseClick(m_win->BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        } else if (way.startsWith("alt")) {
            QTest::keyClick(m_win.get(), way == "alt" ? Qt::Key_2 : Qt::Key_3, Qt::AltModifier);
            QCOMPARE(m_win->WorkingLot(2), 2);
        } else {
            // Offscreen drags end at once: the list's drag is made, then the
            // drop events Qt would deliver are sent to the panel.
            std::unique_ptr<QDrag> drag(m_win->LBSerum->MakeDrag());
            QCOMPARE(drag->dragCursor(Qt::MoveAction).toImage(), m_pictures.CursDragLot.toImage());
            QCOMPARE(drag->dragCursor(Qt::IgnoreAction).toImage(), m_pictures.CursNoDropLot.toImage());
            QDragEnterEvent enter({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::LeftButton, {});
            QApplication::sendEvent(m_win->PBoxLevel[1], &enter);
            QDropEvent drop({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::NoButton, {});
            QApplication::sendEvent(m_win->PBoxLevel[1], &drop);
            QVERIFY(enter.isAccepted() && drop.isAccepted());
        }
        QCOMPARE(m_win->WorkingLot(1), lot);
        QCOMPARE(m_win->PanelLevel[1]->palette().color(QPalette::Window),
            lot == 1 ? QColor(Qt::white) : QColor(255, 255, 0));
        QCOMPARE(sodium.SerumID[1], 1); // nothing before the window's OK
        if (row < 0)
            QVERIFY_ONE_BOX(*m_dialogs, TMsgType::Error, "No control material selected", mbYes);
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
        TAnalyte& sodium = AddLevelDataAnalyte(*m_context, "Sodium", "v-", { 2, 1, -1 });
        Open(sodium);
        QTest::mouseClick(m_win->BtErase, Qt::LeftButton);
        QVERIFY_ONE_BOX(*m_dialogs, TMsgType::Information, "Nothing Changed", mbYes);
        QVERIFY(m_win->isVisible());
        ClickRow(*m_win->LBSerum, 1); // lot 0
        QTest::mouseClick(m_win->BtLevel[0], Qt::LeftButton, {}, QPoint(15, 20));
        QTest::mouseClick(m_win->BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        m_dialogs->QueueAnswer(confirmed ? mbOK : mbCancel);
        QTest::mouseClick(m_win->BtErase, Qt::LeftButton);
        QCOMPARE(m_dialogs->Boxes.value(1).Type, TMsgType::Confirmation);
        QCOMPARE(m_win->result(), int(QDialog::Accepted));
        QCOMPARE(ArchiveFiles(*m_context), confirmed ? QStringList({ "QC000001.qca" }) : QStringList());
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*m_context)), confirmed);
        QCOMPARE(confirmed ? reread.ListAnalytes.Item(0).SerumID : sodium.SerumID,
            (confirmed ? std::array<qint32, 3> { 0, 0, -1 } : std::array<qint32, 3> { 2, 1, -1 }));
    }

private:
    void Open(TAnalyte& analyte)
    {
        m_context->CurrentAnalyte = &analyte;
        QVERIFY(ShowActive(*m_win));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    TPictures m_pictures;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TWinSerumByAnal> m_win;
};

VANTOREL_TEST(TestTWinSerumByAnal)
#include "TestTWinSerumByAnal.moc"
