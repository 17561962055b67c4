#include "TAnalyte.h"
#include "TArchive.h"
#include "TArchiveList.h"
#include "TListSerum.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

class TestArchiveList : public QObject {
    Q_OBJECT

private slots:
    // Three levels archived (1, 2, 3), a number whose file is gone (9) and a file of two lines (4): only the
    // three archives are listed; removing two of them deletes exactly their files and numbers.
    void listsReadableArchivesAndDeletesTheChosen()
    {
        QTemporaryDir dir;
        TListSerum serums;
        TAnalyte analyte("GLU", "g/l", 1, 3);
        analyte.SerumID = { serums.Add("Lyphocheck", "L1"), -1, -1 };
        for (int i = 0; i < 3; ++i)
            analyte.AddPoint(MakeResult(46000.5 + i, 5 + i, 10 + i, 15 + i, "AB"));
        for (int level = 0; level < 3; ++level)
            QCOMPARE(ArchiveLevel(analyte, level, dir.path(), serums, TRisks()), level + 1);
        QVERIFY(PutFile(ArchiveFileName(dir.path(), 4), "GLU\r\ng/l\r\n"));
        analyte.Archives << 9 << 4;

        const QList<TArchiveList::TEntry> entries = TArchiveList::Read(analyte, dir.path());
        QCOMPARE(Join(entries.size(), entries[0].Number, entries[2].PointLines().size()), "3 1 3");
        QVERIFY(entries[0].Summary().contains("\tLyphocheck\tL1\t6.00\t")
            && entries[2].PointLines()[0].contains("\t15.0\tAB\t"));

        TArchiveList::RemoveNumbers(analyte, { 3, 1 });
        TArchiveList::DeleteFiles(dir.path(), { 3, 1 });
        QCOMPARE(analyte.Archives, (QList<qint32> { 2, 9, 4 }));
        for (int number : { 1, 2, 3, 4 })
            QCOMPARE(QFile::exists(ArchiveFileName(dir.path(), number)), number == 2 || number == 4);
    }
};

VANTOREL_TEST(TestArchiveList)
#include "TestArchiveList.moc"
