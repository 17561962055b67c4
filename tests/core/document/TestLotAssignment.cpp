#include "TAnalyte.h"
#include "TLevelData.h"
#include "TLotAssignment.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

class TestLotAssignment : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        m_context->ListSerum.Add("Lyphocheck", "L1"); // id 0
        m_context->ListSerum.Add("Lyphocheck", "L2"); // id 1
        m_context->ListSerum.Add("Precinorm", "P1"); // id 2
    }

    // Lots sent to the levels of a two-level analyte holding lots 0 and 2 (and 1 out of use).
    void whatCountsAsAChange_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("lot");
        QTest::addColumn<bool>("changed");
        QTest::newRow("the lot it has") << 0 << 0 << false;
        QTest::newRow("another lot") << 1 << 1 << true;
        QTest::newRow("a level out of use") << 2 << 2 << false;
    }
    void whatCountsAsAChange()
    {
        QFETCH(int, level);
        QFETCH(int, lot);
        TLotAssignment assignment(*m_context, AddLevelDataAnalyte(*m_context, "Sodium", "vv", { 0, 2, 1 }));
        assignment.Send(level, lot);
        QTEST(assignment.AnyChange(), "changed");
        QTEST(assignment.Changed(level), "changed");
    }

    void erasingArchivesOnlyChangedLevelsHoldingData_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("archive written") << true;
        QTest::newRow("archive cannot be written") << false;
    }
    void erasingArchivesOnlyChangedLevelsHoldingData()
    {
        QFETCH(bool, writable);
        if (!writable)
            QVERIFY(QDir(m_dir->path()).mkdir("QC000001.qca"));
        TAnalyte& sodium = AddLevelDataAnalyte(*m_context, "Sodium", "v-v", { 0, -1, 2 });
        TLotAssignment assignment(*m_context, sodium);
        assignment.Send(0, 1);
        assignment.Send(1, 1);
        QCOMPARE(assignment.EraseQuestion(),
            QString(
                "Delete and archive Sodium QC data for control material(s) : \r  - Lyphocheck (L1)\r  - Unknown ()"));
        QCOMPARE(assignment.ChangeAndErase().ArchiveErrors.size(), writable ? 0 : 1);
        QCOMPARE(ArchiveFiles(*m_context), writable ? QStringList({ "QC000001.qca" }) : QStringList());
        // QC2 holds no data: relinked without an archive. QC1 keeps its lot while its data could not be archived.
        QCOMPARE(sodium.SerumID, (std::array<qint32, 3> { writable ? 1 : 0, 1, 2 }));
        QCOMPARE(sodium.AllPointsStats[0].N + sodium.AllPointsStats[2].N, writable ? 3 : 6);
        if (writable) // the archive names the lot the data were measured with
            QCOMPARE(FileContent(m_dir->filePath("QC000001.qca")).split('\t').mid(2, 2),
                QList<QByteArray>({ "Lyphocheck", "L1" }));
    }
};

VANTOREL_TEST(TestLotAssignment)
#include "TestLotAssignment.moc"
