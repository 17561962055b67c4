// The control-material editor's working list and what OK makes of it.
#include "TLevelData.h"
#include "TSerumEditor.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

namespace {

QStringList Texts(const TSerumEditor& editor)
{
    QStringList texts;
    for (int i = 0; i < editor.Count(); ++i)
        texts << editor.Line(i).Text();
    return texts;
}

} // namespace

class TestSerumEditor : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        TListSerum& serums = m_context->ListSerum;
        serums.Add("Lyphocheck", "L1"); // id 0
        serums.Add("Precinorm", "88"); // id 1
        serums.Add("Alpha", "7"); // id 2, first in the list
        m_glucose = &AddLevelDataAnalyte(*m_context, "Glucose", "v-v", { 0, 0, 1 });
        m_calcium = &AddLevelDataAnalyte(*m_context, "Calcium", "d", { 0, -1, -1 });
        AddLevelDataAnalyte(*m_context, "Albumin", "v", { 1, 2, 2 }); // Alpha only on levels out of use
        m_editor = std::make_unique<TSerumEditor>(*m_context);
        m_editor->Load();
    }

    void linesAreCheckedAndSorted_data()
    {
        QTest::addColumn<int>("replaced"); // -1: added
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("lot");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("texts");
        QTest::newRow("empty lot") << -1 << "Zeta"
                                   << " "
                                   << ""
                                   << "Alpha\t7|Lyphocheck\tL1|Precinorm\t88|Zeta\t";
        QTest::newRow("same name and lot") << -1 << "Precinorm "
                                           << "88"
                                           << "Duplicates"
                                           << "";
        QTest::newRow("other case") << -1 << "PRECINORM"
                                    << "88"
                                    << "Duplicates"
                                    << "";
        QTest::newRow("blank name") << -1 << " "
                                    << "88"
                                    << "Missing name"
                                    << "";
        QTest::newRow("sorted ignoring case") << -1 << "beta"
                                              << "1"
                                              << ""
                                              << "Alpha\t7|beta\t1|Lyphocheck\tL1|Precinorm\t88";
        QTest::newRow("own text in capitals") << 2 << "PRECINORM"
                                              << "88"
                                              << ""
                                              << "Alpha\t7|Lyphocheck\tL1|PRECINORM\t88";
        QTest::newRow("renamed to the top") << 2 << "Abc"
                                            << "88"
                                            << ""
                                            << "Abc\t88|Alpha\t7|Lyphocheck\tL1";
    }
    void linesAreCheckedAndSorted()
    {
        QFETCH(int, replaced);
        QFETCH(QString, name);
        QFETCH(QString, lot);
        QFETCH(QString, refusal);
        int index = -1;
        const TEditResult result
            = replaced < 0 ? m_editor->Add(name, lot, &index) : m_editor->Replace(replaced, name, lot, &index);
        QCOMPARE(result.Text, refusal);
        if (refusal.isEmpty()) {
            QTEST(Texts(*m_editor).join('|'), "texts");
            QCOMPARE(m_editor->Line(index).Text(), name.trimmed() + '\t' + lot.trimmed());
        }
    }

    void okKeepsIdsAndDropsOnlyStoredDeletions_data()
    {
        QTest::addColumn<bool>("undo");
        QTest::newRow("deletions applied") << false;
        QTest::newRow("undo after the deletions") << true;
    }
    void okKeepsIdsAndDropsOnlyStoredDeletions()
    {
        QFETCH(bool, undo);
        int index = -1;
        QVERIFY(m_editor->Add("New", "N1", &index).Ok());
        m_editor->Delete(index); // added in the window: nothing stored to delete
        m_editor->Delete(0); // Alpha
        if (undo)
            m_editor->Load();
        QVERIFY(m_editor->Replace(undo ? 1 : 0, "Lyphocheck", "L2", &index).Ok());
        const TApplyResult result = m_editor->Apply([](const QString&) { return false; });
        QVERIFY(result.Saved);
        const TListSerum& serums = m_context->ListSerum;
        QCOMPARE(serums.Count(), undo ? 3 : 2);
        QCOMPARE(serums.IndexOfID(2), undo ? 0 : -1);
        QCOMPARE(serums.NextID(), 3);
        // Renamed in place: same id, same place, the analytes follow it.
        QCOMPARE(serums.IndexOfID(0), undo ? 1 : 0);
        QCOMPARE(serums.FindByID(m_glucose->SerumID[0]).Lot, QString("L2"));
        QVERIFY(ArchiveFiles(*m_context).isEmpty());
    }

    void deletingAUsedLotIsRefusedWithItsAnalytes()
    {
        QCOMPARE(m_editor->DeleteRefusal(1),
            QString(
                "Impossible to delete Lyphocheck (L1).\rThis control material is used by : \r- Glucose\r- Calcium"));
        QCOMPARE(
            m_editor->UsedByText(1), QString("Analytes controled by Lyphocheck (L1) : \r   - Glucose\r   - Calcium"));
        QVERIFY(m_editor->DeleteRefusal(0).isEmpty());
    }

    void changeAndEraseArchivesTheLevelsHoldingData_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void changeAndEraseArchivesTheLevelsHoldingData()
    {
        QFETCH(bool, confirmed);
        int index = -1;
        QVERIFY(m_editor->ReplaceAndErase(1, "Lyphocheck", "L9", &index).Ok());
        QVERIFY(m_editor->Line(index).Erase);
        QStringList questions;
        m_editor->Apply([&](const QString& question) {
            questions << question;
            return confirmed;
        });
        QCOMPARE(questions,
            QStringList({ "Delete data and archive statistics of Lyphocheck (L1) in the analyte(s) :\r - Glucose\r - "
                          "Calcium" }));
        // Glucose's QC1 and Calcium's discarded QC1; not Glucose's QC2 (no data) nor QC3 (another lot).
        QCOMPARE(ArchiveFiles(*m_context), confirmed ? QStringList({ "QC000001.qca", "QC000002.qca" }) : QStringList());
        QCOMPARE(m_glucose->Archives.size(), confirmed ? 1 : 0);
        QCOMPARE(m_calcium->Count(), confirmed ? 0 : 3);
        QCOMPARE(m_glucose->AllPointsStats[2].N, 3);
        QCOMPARE(m_context->ListSerum.FindByID(0).Lot, QString(confirmed ? "L9" : "L1"));
        QCOMPARE(m_glucose->AllPointsStats[0].N, confirmed ? 0 : 3);
    }

    void changeAndEraseNeedsAnalytesUsingTheLot()
    {
        int index = -1;
        const TEditResult result = m_editor->ReplaceAndErase(0, "Alpha", "8", &index);
        QCOMPARE(result.Kind, TEditResult::NotUsed);
        QCOMPARE(result.Text,
            QString("The old control material Alpha (7) is not used for any analyte.\rNo data to erase. Press the "
                    "button <Replace in list>."));
        QCOMPARE(m_editor->Line(0).Text(), QString("Alpha\t7"));
        // A line added here has no stored lot behind it: the change is a plain one.
        QVERIFY(m_editor->Add("New", "N1", &index).Ok());
        QVERIFY(m_editor->ReplaceAndErase(index, "New", "N2", &index).Ok());
        QVERIFY(!m_editor->Line(index).Erase);
        m_editor->Apply([](const QString&) { return true; });
        QCOMPARE(m_context->ListSerum.FindByID(3).Lot, QString("N2"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TSerumEditor> m_editor;
    TAnalyte* m_glucose = nullptr;
    TAnalyte* m_calcium = nullptr;
};

VANTOREL_TEST(TestSerumEditor)
#include "TestSerumEditor.moc"
