#include "TDataFile.h"
#include "TDragList.h"
#include "TLevelData.h"
#include "TListClick.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinDefAnalytes.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

// The analytes window driven through its list, fields and buttons.
class TestTWinDefAnalytes : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        AddLevelDataAnalyte(*m_context, "Glucose", "vvv").Archives = { 1, 2 };
        AddLevelDataAnalyte(*m_context, "Calcium", "vvd");
        TouchArchives(*m_context, { 1, 2 });
        m_dialogs = std::make_unique<TScriptedDialogs>();
        m_win = std::make_unique<TWinDefAnalytes>(*m_context, *m_dialogs);
    }

    void droppingALevelThatHoldsDataIsRefused()
    {
        QVERIFY(ShowActive(*m_win));
        ClickRow(*m_win->LBox, 1);
        m_win->SELevels->setValue(2);
        QTest::mouseClick(m_win->BtCorriger, Qt::LeftButton);
        QCOMPARE(m_dialogs->Boxes.value(0).Buttons, int(mbYes));
        // The stored levels are back in the field; the line is left as it was.
        QCOMPARE(m_win->SELevels->value(), 3);
        QCOMPARE(m_win->LBox->item(1)->text(), QString("Calcium\t3\tmmol/L\t1"));
    }

    void okWritesTheListCancelLeavesEverything_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void okWritesTheListCancelLeavesEverything()
    {
        QFETCH(bool, ok);
        QVERIFY(ShowActive(*m_win));
        ClickRow(*m_win->LBox, 0);
        QCOMPARE(m_win->EditNom->text(), QString("Glucose"));
        QTest::mouseClick(m_win->BtSupprimer, Qt::LeftButton);
        QVERIFY_ONE_BOX(*m_dialogs, TMsgType::Confirmation,
            "Warning, you are about to clear all archived data and \rcurrent control points for Glucose\r"
            "Confirm analyte deletion :",
            mbOK | mbCancel);
        QTest::keyClicks(m_win->EditNom, "Sodium");
        m_win->SELevels->setValue(2);
        m_win->CBUnite->setCurrentIndex(1);
        QTest::mouseClick(m_win->BtAjouter, Qt::LeftButton);
        QCOMPARE(m_win->LBox->item(1)->text(), QString::fromUtf8("Sodium\t2\t\u00b5mol/L\t0"));
        QTest::mouseClick(ok ? m_win->BtOK : m_win->BtCancel, Qt::LeftButton);

        const QStringList names = ok ? QStringList({ "Calcium", "Sodium" }) : QStringList({ "Glucose", "Calcium" });
        QCOMPARE(AnalyteNames(m_context->ListAnalytes), names);
        QCOMPARE(ArchiveFiles(*m_context), ok ? QStringList() : QStringList({ "QC000001.qca", "QC000002.qca" }));
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*m_context)), ok);
        if (ok)
            QCOMPARE(AnalyteNames(reread.ListAnalytes), names);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TWinDefAnalytes> m_win;
};

VANTOREL_TEST(TestTWinDefAnalytes)
#include "TestTWinDefAnalytes.moc"
