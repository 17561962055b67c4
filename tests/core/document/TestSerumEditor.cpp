#include "TAnalyte.h"
#include "TLevelData.h"
#include "TSerumEditor.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

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

    // Lines at the start: Alpha 7, Lyphocheck L1, Precinorm 88.
    void linesAreCheckedAndSorted_data()
    {
        QTest::addColumn<int>("replaced"); // -1: added
        QTest::addColumn<QStringList>("fields"); // name, lot
        QTest::addColumn<int>("index"); // where the line went
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty lot") << -1 << QStringList { "Zeta", " " } << 3 << "";
        QTest::newRow("same name and lot") << -1 << QStringList { "Precinorm ", "88" } << -1 << "Duplicates";
        QTest::newRow("other case") << -1 << QStringList { "PRECINORM", "88" } << -1 << "Duplicates";
        QTest::newRow("blank name") << -1 << QStringList { " ", "88" } << -1 << "Missing name";
        QTest::newRow("sorted ignoring case") << -1 << QStringList { "beta", "1" } << 1 << "";
        QTest::newRow("own text in capitals") << 2 << QStringList { "PRECINORM", "88" } << 2 << "";
        QTest::newRow("renamed to the top") << 2 << QStringList { "Abc", "88" } << 0 << "";
    }
    void linesAreCheckedAndSorted()
    {
        QFETCH(int, replaced);
        QFETCH(QStringList, fields);
        const QString name = fields[0], lot = fields[1];
        int index = -1;
        const TEditResult result
            = replaced < 0 ? m_editor->Add(name, lot, &index) : m_editor->Replace(replaced, name, lot, &index);
        QTEST(result.Text, "refusal");
        QTEST(index, "index");
        QCOMPARE(m_editor->Count(), replaced < 0 && index >= 0 ? 4 : 3);
        if (index >= 0)
            QCOMPARE(m_editor->Line(index).Text(), name.trimmed() + '\t' + lot.trimmed());
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
        QVERIFY(m_editor->Apply([](const QString&) { return false; }).Saved);
        const TListSerum& serums = m_context->ListSerum;
        // Count, places of Alpha and Lyphocheck (renamed in place, same id), next id.
        QCOMPARE(QList<int>({ serums.Count(), serums.IndexOfID(2), serums.IndexOfID(0), serums.NextID() }),
            undo ? QList<int>({ 3, 0, 1, 3 }) : QList<int>({ 2, -1, 0, 3 }));
        QCOMPARE(serums.FindByID(m_glucose->SerumID[0]).Lot, QString("L2"));
    }

    void changeAndEraseArchivesTheLevelsHoldingData_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("writable");
        QTest::newRow("confirmed") << true << true;
        QTest::newRow("cancelled") << false << true;
        QTest::newRow("archives cannot be written") << true << false;
    }
    void changeAndEraseArchivesTheLevelsHoldingData()
    {
        QFETCH(bool, confirmed);
        QFETCH(bool, writable);
        if (!writable)
            QVERIFY(QDir(m_dir->path()).mkdir("QC000001.qca"));
        int index = -1;
        QVERIFY(m_editor->ReplaceAndErase(1, "Lyphocheck", "L9", &index).Ok());
        QVERIFY(m_editor->Line(index).Erase);
        QStringList questions;
        const TApplyResult result = m_editor->Apply([&](const QString& question) {
            questions << question;
            return confirmed;
        });
        QCOMPARE(questions,
            QStringList({ "Delete data and archive statistics of Lyphocheck (L1) in the analyte(s) :\r - Glucose\r - "
                          "Calcium" }));
        QCOMPARE(result.ArchiveErrors.size(), writable ? 0 : 2);
        // Glucose's QC1 and Calcium's discarded QC1; not Glucose's QC2 (no data) nor QC3 (another lot).
        const bool archived = confirmed && writable;
        QCOMPARE(ArchiveFiles(*m_context), archived ? QStringList({ "QC000001.qca", "QC000002.qca" }) : QStringList());
        QCOMPARE(m_glucose->AllPointsStats[0].N + m_calcium->Count(), archived ? 0 : 6);
        QCOMPARE(m_glucose->AllPointsStats[2].N, 3);
        // Data that could not be archived stay under the lot they were measured with.
        QCOMPARE(m_context->ListSerum.FindByID(0).Lot, QString(archived ? "L9" : "L1"));
    }

    void changeAndEraseNeedsAnalytesUsingTheLot()
    {
        int index = -1;
        QCOMPARE(m_editor->ReplaceAndErase(0, "Alpha", "8", &index).Kind, TEditResult::NotUsed);
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
