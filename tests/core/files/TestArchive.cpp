#include "TAnalyte.h"
#include "TArchive.h"
#include "TDates.h"
#include "TListSerum.h"
#include "TReaderHarness.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWin1252.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

QString Stamp(double dateTime) { return ShortDateText(dateTime) + '\t' + LongTimeText(dateTime) + '\t'; }

// Two levels: level 1 has values at points 0, 2 and 3 (the one at 3 discarded), level 2 at
// every point and is locked on points 2..3.
TAnalyte TwoLevels()
{
    TAnalyte analyte("Glucose", QString::fromUtf8("\u00b5mol/L"), 1, 2);
    analyte.SerumID = { 1, 0, -1 };
    analyte.AddPoint(MakeResult(46000.5, 4.0, 10.25, NAN, "AB", QString::fromUtf8("Gr\u00f6\u00dfe")));
    analyte.AddPoint(MakeResult(46001.5, NAN, 10.5, NAN, "CD"));
    analyte.AddPoint(MakeResult(46002.75, 6.0, 10.0, NAN, "", "Late"));
    analyte.AddPoint(MakeResult(46003.5, 9.0, 11.0));
    analyte.Point(3).Values[0].Status = psDiscarded;
    analyte.LimitMode = { lmMobile, lmLocked, lmMobile };
    analyte.LockStart = { -1, 2, -1 };
    analyte.LockEnd = { -1, 3, -1 };
    RecomputeAll(analyte, TRisks());
    return analyte;
}

} // namespace

class TestArchive : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TListSerum m_serums;

    QString Folder() const { return m_dir->path() + "/"; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_serums = TListSerum();
        m_serums.Add("Lyphocheck 1", "4711");
        m_serums.Add("Precinorm", "88");
    }

    void archiveFileNameHasAtLeastSixDigits()
    {
        QCOMPARE(ArchiveFileName(Folder(), 12), Folder() + "QC000012.qca");
        QCOMPARE(ArchiveFileName(m_dir->path(), 999999), Folder() + "QC999999.qca");
        QCOMPARE(ArchiveFileName(Folder(), 1234567), Folder() + "QC1234567.qca");
    }

    void nextNumberFollowsTheLargest_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("next");
        QTest::newRow("no archive") << QStringList() << 1;
        QTest::newRow("after gaps") << QStringList { "QC000002.qca", "QC000007.qca", "QC000003.qca" } << 8;
        QTest::newRow("past six digits") << QStringList { "QC999999.qca", "QC1000000.qca" } << 1000001;
        QTest::newRow("letters among the digits") << QStringList { "QC00000A.qca", "QC000003.qca" } << 4;
        QTest::newRow("other files") << QStringList { "QC000009.txt", "XQ000010.qca", "QC00011.qca", "QC.qca" } << 1;
        QTest::newRow("other letter case") << QStringList { "qc000004.QCA" } << 5;
        QTest::newRow("no next number left") << QStringList { "QC2147483647.qca", "QC000005.qca" } << 6;
    }
    void nextNumberFollowsTheLargest()
    {
        QFETCH(QStringList, files);
        for (const QString& name : files)
            QVERIFY(PutFile(Folder() + name, ""));
        QDir(Folder()).mkdir("QC000050.qca"); // a folder is not an archive
        QTEST(NextArchiveNumber(Folder()), "next");
    }

    void archivingOneOfTwoLevelsKeepsTheOtherValues()
    {
        TAnalyte analyte = TwoLevels();
        QVERIFY(PutFile(Folder() + "QC000004.qca", ""));
        QString error;
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, TRisks(), &error), 5);
        QCOMPARE(analyte.Archives, QList<qint32> { 5 });
        // Values 4.0 and 6.0 (9.0 discarded): mean 5.00, SD sqrt(2), CV 28.3 %, N 2; from the
        // first to the last point with a value at the level, in Windows-1252.
        const QString expected = QString::fromUtf8("Glucose\r\n\u00b5mol/L\r\n") + ShortDateText(46000.5) + '\t'
            + ShortDateText(46003.5) + "\tPrecinorm\t88\t5.00\t28.3\t2\r\n" + Stamp(46000.5)
            + QString::fromUtf8("4.0\tAB\tGr\u00f6\u00dfe\r\n") + Stamp(46001.5) + "\tCD\t\r\n" + Stamp(46002.75)
            + "6.0\t\tLate\r\n" + Stamp(46003.5) + "Discarded\t\t\r\n";
        QCOMPARE(FileContent(Folder() + "QC000005.qca"), ToWin1252(expected));
        // Every point keeps its level-2 value; level 1 is empty, level 2 still locked.
        for (int i = 0; i < 4; ++i)
            QCOMPARE(analyte.Point(i).Values[0].Status, quint8(psNoValue));
        QCOMPARE(Join(analyte.Count(), analyte.AllPointsStats[0].N + analyte.AllPointsStats[0].Discarded,
                     analyte.LockStart[1]),
            "4 0 2");
        QCOMPARE(analyte.Point(1).Values[1].Value, 10.5f);
        // The last level with values takes every point along.
        QCOMPARE(ArchiveLevel(analyte, 1, Folder(), m_serums, TRisks()), 6);
        QCOMPARE(Join(analyte.Count(), analyte.LimitMode[1]), QString("0 %1").arg(lmMobile));
        QCOMPARE(analyte.Archives, (QList<qint32> { 5, 6 }));
    }

    void archivingALockedLevelUnlocksItAndMovesTheOtherInterval()
    {
        TAnalyte analyte("Calcium", "mmol/L", 2, 2);
        analyte.AddPoint(MakeResult(46000.5, 2.1, NAN));
        analyte.AddPoint(MakeResult(46001.5, 2.3, 2.6));
        analyte.AddPoint(MakeResult(46002.5, 2.2, 2.8));
        analyte.AddPoint(MakeResult(46003.5, NAN, 2.7));
        analyte.LimitMode = { lmLocked, lmLocked, lmMobile };
        analyte.LockStart = { 0, 1, -1 };
        analyte.LockEnd = { 2, 3, -1 };
        RecomputeAll(analyte, TRisks());
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, TRisks()), 1);
        // Point 0 had only level 1: it goes, and level 2's interval moves down with its points.
        QCOMPARE(Join(analyte.Count(), analyte.ReferenceStats[1].N), "3 3");
        QCOMPARE(analyte.Point(0).DateTime, 46001.5);
        QCOMPARE(analyte.LimitMode, (std::array<quint8, 3> { lmMobile, lmLocked, lmMobile }));
        QCOMPARE(analyte.LockStart, (std::array<qint32, 3> { -1, 0, -1 }));
        QCOMPARE(analyte.LockEnd, (std::array<qint32, 3> { -1, 2, -1 }));
    }

    void archiveLinesRunFromFirstToLastValueOfTheLevel()
    {
        TAnalyte analyte("Urea", "mmol/L", 2, 2); // its lots are unknown to the list
        analyte.AddPoint(MakeResult(46000.5, NAN, 7.0));
        analyte.AddPoint(MakeResult(46001.5, 5.5, 7.1));
        analyte.AddPoint(MakeResult(46002.5, NAN, 7.2, NAN, "OP"));
        analyte.AddPoint(MakeResult(46003.5, 5.25, 7.3));
        analyte.AddPoint(MakeResult(46004.5, NAN, 7.4));
        const QStringList lines = ArchiveText(analyte, 0, m_serums, TRisks()).split("\r\n");
        QCOMPARE(lines.mid(3),
            QStringList(
                { Stamp(46001.5) + "5.50\t\t", Stamp(46002.5) + "\tOP\t", Stamp(46003.5) + "5.25\t\t", QString() }));
        QVERIFY2(lines[2].startsWith(ShortDateText(46001.5) + '\t' + ShortDateText(46003.5) + "\tUnknown\t\t"),
            qPrintable(lines[2]));
    }

    void archiveThatCannotBeMadeErasesNothing()
    {
        TAnalyte analyte = TwoLevels();
        QString error;
        QCOMPARE(ArchiveLevel(analyte, 2, Folder(), m_serums, TRisks(), &error), 0);
        QCOMPARE(error, QString("Level 3 of Glucose has no value to archive"));
        // A file that cannot be written: TestAtomicFile.
        QVERIFY(analyte.Archives.isEmpty());
        QCOMPARE(analyte.LockStart[1], 2);
        QCOMPARE(AsText(analyte), AsText(TwoLevels()));
        QCOMPARE(QDir(Folder()).entryList(QDir::Files), QStringList());
    }

    void textFormHasOneFieldPerLevel()
    {
        TAnalyte analyte = TwoLevels();
        analyte.Decimals = 3;
        analyte.Point(1).Values[1].Value = 123456.78f; // float: 123456.78125
        const QString expected = Stamp(46000.5) + "4.000\t10.250\tAB\t" + QString::fromUtf8("Gr\u00f6\u00dfe\r\n")
            + Stamp(46001.5) + "\t123456.780\tCD\t\r\n" + Stamp(46002.75) + "6.000\t10.000\t\tLate\r\n" + Stamp(46003.5)
            + "Discarded\t11.000\t\t\r\n";
        QCOMPARE(AsText(analyte), expected);
        analyte.NbLevels = 1;
        QVERIFY(AsText(analyte).startsWith(Stamp(46000.5) + "4.000\tAB\t"));
        QCOMPARE(AsText(TAnalyte("Empty", "g/L", 0, 3)), QString());
    }
};

VANTOREL_TEST(TestArchive)
#include "TestArchive.moc"
