#include "TDataFile.h"
#include "TLevelData.h"
#include "TListClick.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinDefSerum.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

// The control-material window driven through its list, fields and buttons.
class TestTWinDefSerum : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        m_context->ListSerum.Add("Lyphocheck", "L1"); // id 0, line 0
        m_context->ListSerum.Add("Precinorm", "P1"); // id 1, line 1, not used
        AddLevelDataAnalyte(*m_context, "Glucose", "v-v", { 0, 0, -1 });
        AddLevelDataAnalyte(*m_context, "Calcium", "v", { 0, -1, -1 });
        QVERIFY(m_pictures.Load());
        m_dialogs = std::make_unique<TScriptedDialogs>();
        m_win = std::make_unique<TWinDefSerum>(*m_context, *m_dialogs, m_pictures);
    }

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
        const TListSerum before = m_context->ListSerum;
        QVERIFY(ShowActive(*m_win));
        ClickRow(*m_win->LBSerum, row);
        QTest::mouseClick(m_win->findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY_ONE_BOX(*m_dialogs, TMsgType(type), text, buttons);
        QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
        QVERIFY(m_context->ListSerum == before);
    }

    void changeAndEraseArchivesAtOk()
    {
        QVERIFY(ShowActive(*m_win));
        ClickRow(*m_win->LBSerum, 0);
        m_win->EditNom->setText("Zeta");
        m_win->EditLot->setText("L2");
        QTest::mouseClick(m_win->BtErase, Qt::LeftButton);
        QCOMPARE(m_win->LBSerum->currentRow(), 1); // moved to its sorted place, still selected
        QCOMPARE(m_win->LBSerum->currentItem()->text(), QString("Zeta\tL2"));
        QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
        QCOMPARE(m_dialogs->Boxes.value(0).Type, TMsgType::Confirmation);
        TQCContext reread;
        QVERIFY(LoadData(reread, DataFileName(*m_context)));
        QCOMPARE(reread.ListSerum.FindByID(0).Name + reread.ListSerum.FindByID(0).Lot, QString("ZetaL2"));
        QCOMPARE(reread.ListAnalytes.Item(0).Archives, QList<qint32>({ 1 }));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    TPictures m_pictures;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TWinDefSerum> m_win;
};

VANTOREL_TEST(TestTWinDefSerum)
#include "TestTWinDefSerum.moc"
