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

    void showsTheLevelsInUseWithTheirLots()
    {
        Open(AddLevelDataAnalyte(*m_context, "Sodium", "vv", { 2, 9, 1 }));
        QCOMPARE(m_win->PanelHeader->text(), QString("QC materials for Sodium"));
        QVERIFY(m_win->BtLevel[1]->isVisible() && m_win->PanelLevel[1]->isVisible());
        QVERIFY(!m_win->BtLevel[2]->isVisible() && !m_win->PanelLevel[2]->isVisible());
        QCOMPARE(m_win->PanelLines(0), QStringList({ "Lyphocheck", "L1" }));
        QCOMPARE(m_win->PanelLines(1), QStringList({ "Unknown", "" }));
    }

    // QC2 has lot 1 ("precinorm", the list's third line).
    void sendingALotToQC2_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("lot");
        QTest::newRow("arrow button, another lot") << "button" << 0 << 2;
        QTest::newRow("arrow button, the lot it has") << "button" << 2 << 1;
        QTest::newRow("Alt+2") << "alt" << 1 << 0;
        QTest::newRow("drop on the panel") << "drop" << 0 << 2;
    }
    void sendingALotToQC2()
    {
        QFETCH(QString, way);
        QFETCH(int, row);
        QFETCH(int, lot);
        TAnalyte& sodium = AddLevelDataAnalyte(*m_context, "Sodium", "vv", { 2, 1, -1 });
        Open(sodium);
        ClickRow(*m_win->LBSerum, row);
        if (way == "button") {
            QTest::mouseClick(m_win->BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        } else if (way == "alt") {
            QTest::keyClick(m_win.get(), Qt::Key_2, Qt::AltModifier);
        } else {
            // Offscreen drags end at once: the list's drag is made, then the
            // drop events Qt would deliver are sent to the panel.
            std::unique_ptr<QDrag> drag(m_win->LBSerum->MakeDrag());
            QCOMPARE(drag->dragCursor(Qt::MoveAction).toImage(), m_pictures.CursDragLot.toImage());
            QCOMPARE(drag->dragCursor(Qt::IgnoreAction).toImage(), m_pictures.CursNoDropLot.toImage());
            QWidget* box = m_win->PBoxLevel[1];
            const QPoint at(20, 10);
            QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::LeftButton, {});
            QApplication::sendEvent(box, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::NoButton, {});
            QApplication::sendEvent(box, &drop);
            QVERIFY(drop.isAccepted());
        }
        QCOMPARE(m_win->WorkingLot(1), lot);
        QCOMPARE(m_win->PanelLevel[1]->palette().color(QPalette::Window),
            lot == 1 ? QColor(Qt::white) : QColor(255, 255, 0));
        QCOMPARE(sodium.SerumID[1], 1); // nothing before the window's OK
    }

    void sendingWithoutSelectionOrToAnUnusedLevel()
    {
        Open(AddLevelDataAnalyte(*m_context, "Sodium", "vv", { 2, 1, -1 }));
        QTest::mouseClick(m_win->BtLevel[0], Qt::LeftButton, {}, QPoint(15, 20));
        QVERIFY_ONE_BOX(*m_dialogs, TMsgType::Error, "No control material selected", mbYes);
        ClickRow(*m_win->LBSerum, 0);
        QTest::keyClick(m_win.get(), Qt::Key_3, Qt::AltModifier);
        QCOMPARE(m_win->WorkingLot(2), -1);
        QTest::mouseClick(m_win->BtChange, Qt::LeftButton);
        QCOMPARE(m_dialogs->Boxes.value(1).Text, QString("Nothing Changed"));
        QCOMPARE(m_dialogs->Boxes.value(1).Buttons, int(mbYes));
        QVERIFY(m_win->isVisible());
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
        ClickRow(*m_win->LBSerum, 1); // lot 0
        QTest::mouseClick(m_win->BtLevel[0], Qt::LeftButton, {}, QPoint(15, 20));
        QTest::mouseClick(m_win->BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        m_dialogs->QueueAnswer(confirmed ? mbOK : mbCancel);
        QTest::mouseClick(m_win->BtErase, Qt::LeftButton);
        QCOMPARE(m_dialogs->Boxes.size(), 1);
        QCOMPARE(m_dialogs->Boxes[0].Type, TMsgType::Confirmation);
        QCOMPARE(m_win->result(), int(QDialog::Accepted));
        QCOMPARE(ArchiveFiles(*m_context), confirmed ? QStringList({ "QC000001.qca" }) : QStringList());
        const std::array<qint32, 3> lots = confirmed ? std::array<qint32, 3> { 0, 0, -1 } : std::array { 2, 1, -1 };
        QCOMPARE(sodium.SerumID, lots);
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*m_context)), confirmed);
        if (confirmed)
            QCOMPARE(reread.ListAnalytes.Item(0).SerumID, lots);
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
