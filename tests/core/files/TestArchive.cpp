#include "TArchive.h"
#include "TDates.h"
#include "TFailDevice.h"
#include "TListSerum.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWin1252.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Touch(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(path));
}

// "date TAB time TAB" of a day count, as the text lines start.
QString Stamp(double dateTime) { return ShortDateText(dateTime) + '\t' + LongTimeText(dateTime) + '\t'; }

} // namespace

class TestArchive : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    TListSerum m_serums;
    TRisks m_risks;

    QString Folder() const { return m_dir->path() + "/"; }

    // Two levels: level 1 has values at points 0, 2 and 3 (a discarded one at 3),
    // level 2 at every point; level 2 is locked on points 2..3.
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
        analyte.RecomputeAll(m_risks);
        return analyte;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_serums = TListSerum();
        m_serums.Add("Lyphocheck 1", "4711");
        m_serums.Add("Precinorm", "88");
    }

    void archiveFileNameHasAtLeastSixDigits_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("one") << 1 << "QC000001.qca";
        QTest::newRow("twelve") << 12 << "QC000012.qca";
        QTest::newRow("six digits") << 999999 << "QC999999.qca";
        QTest::newRow("seven digits") << 1234567 << "QC1234567.qca";
    }
    void archiveFileNameHasAtLeastSixDigits()
    {
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(ArchiveFileName(Folder(), number), Folder() + name);
        QCOMPARE(ArchiveFileName(m_dir->path(), number), Folder() + name);
    }

    void nextNumberFollowsTheLargest_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("next");
        QTest::newRow("no archive") << QStringList() << 1;
        QTest::newRow("one archive") << QStringList { "QC000001.qca" } << 2;
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
        QFETCH(int, next);
        for (const QString& name : files)
            Touch(Folder() + name);
        QDir(Folder()).mkdir("QC000050.qca"); // a folder is not an archive
        QCOMPARE(NextArchiveNumber(Folder()), next);
    }

    void archivingOneOfTwoLevelsKeepsTheOtherValues()
    {
        TAnalyte analyte = TwoLevels();
        Touch(Folder() + "QC000004.qca");
        const TLevelStats before = analyte.AllPointsStats[0];
        QString error;
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, m_risks, &error), 5);
        QCOMPARE(analyte.Archives, QList<qint32> { 5 });

        // Values 4.0 and 6.0 (9.0 discarded): mean 5.00, SD sqrt(2), CV 28.28 %.
        QCOMPARE(before.N, 2);
        const QString expected = QString::fromUtf8("Glucose\r\n\u00b5mol/L\r\n") + ShortDateText(46000.5) + '\t'
            + ShortDateText(46003.5) + "\tPrecinorm\t88\t5.00\t28.3\t2\r\n" + Stamp(46000.5)
            + QString::fromUtf8("4.0\tAB\tGr\u00f6\u00dfe\r\n") + Stamp(46001.5) + "\tCD\t\r\n" + Stamp(46002.75)
            + "6.0\t\tLate\r\n" + Stamp(46003.5) + "Discarded\t\t\r\n";
        const QByteArray written = FileBytes(Folder() + "QC000005.qca");
        QCOMPARE(written, ToWin1252(expected));
        QVERIFY(written.contains("\xB5mol/L\r\n"));

        // Every point keeps its level-2 value; level 1 is empty and unlocked.
        QCOMPARE(analyte.Count(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(analyte.Point(i).Values[0].Status, quint8(psNoValue));
        QCOMPARE(analyte.Point(1).Values[1].Value, 10.5f);
        QCOMPARE(analyte.AllPointsStats[0].N, 0);
        QCOMPARE(analyte.AllPointsStats[0].Discarded, 0);
        QCOMPARE(analyte.LimitMode[1], quint8(lmLocked));
        QCOMPARE(analyte.LockStart[1], 2);
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
        analyte.RecomputeAll(m_risks);
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, m_risks), 1);
        // Point 0 had only level 1: it goes, and level 2's interval moves down with its points.
        QCOMPARE(analyte.Count(), 3);
        QCOMPARE(analyte.Point(0).DateTime, 46001.5);
        QCOMPARE(analyte.LimitMode[0], quint8(lmMobile));
        QCOMPARE(analyte.LockStart[0], -1);
        QCOMPARE(analyte.LockEnd[0], -1);
        QCOMPARE(analyte.LimitMode[1], quint8(lmLocked));
        QCOMPARE(analyte.LockStart[1], 0);
        QCOMPARE(analyte.LockEnd[1], 2);
        QCOMPARE(analyte.ReferenceStats[1].N, 3);
    }

    void archivingTheLastLevelWithValuesRemovesAllPoints()
    {
        TAnalyte analyte = TwoLevels();
        QCOMPARE(ArchiveLevel(analyte, 1, Folder(), m_serums, m_risks), 1);
        QCOMPARE(analyte.Count(), 3); // point 1 had no level-1 value
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, m_risks), 2);
        QCOMPARE(analyte.Count(), 0);
        QCOMPARE(analyte.Archives, (QList<qint32> { 1, 2 }));
        QCOMPARE(analyte.AllPointsStats[0].N, 0);
        QCOMPARE(analyte.ReferenceStats[1].Status, quint8(6));
    }

    void archiveLinesRunFromFirstToLastValueOfTheLevel()
    {
        TAnalyte analyte("Urea", "mmol/L", 2, 2);
        analyte.AddPoint(MakeResult(46000.5, NAN, 7.0));
        analyte.AddPoint(MakeResult(46001.5, 5.5, 7.1));
        analyte.AddPoint(MakeResult(46002.5, NAN, 7.2, NAN, "OP"));
        analyte.AddPoint(MakeResult(46003.5, 5.25, 7.3));
        analyte.AddPoint(MakeResult(46004.5, NAN, 7.4));
        const QStringList lines = ArchiveText(analyte, 0, m_serums, m_risks).split("\r\n");
        // Name, units, header, three points (the middle one without a value), and the
        // empty text after the last line end.
        QCOMPARE(lines.size(), 7);
        QVERIFY2(lines[2].startsWith(ShortDateText(46001.5) + '\t' + ShortDateText(46003.5) + "\tUnknown\t\t"),
            qPrintable(lines[2]));
        QCOMPARE(lines[3], Stamp(46001.5) + "5.50\t\t");
        QCOMPARE(lines[4], Stamp(46002.5) + "\tOP\t");
        QCOMPARE(lines[5], Stamp(46003.5) + "5.25\t\t");
        QCOMPARE(lines[6], QString());
    }

    void levelWithoutValueIsNotArchived()
    {
        TAnalyte analyte = TwoLevels();
        const TAnalyte before = analyte;
        QString error;
        QCOMPARE(ArchiveLevel(analyte, 2, Folder(), m_serums, m_risks, &error), 0);
        QVERIFY2(error.contains("no value"), qPrintable(error));
        QCOMPARE(analyte.Count(), before.Count());
        QVERIFY(analyte.Archives.isEmpty());
        QCOMPARE(QDir(Folder()).entryList(QDir::Files), QStringList());
    }

    void archiveThatCannotBeWrittenErasesNothing()
    {
        TAnalyte analyte = TwoLevels();
        TReadOnlyFolder readOnly(m_dir->path());
        if (!readOnly.Active())
            QSKIP("the folder cannot be made read-only here");
        QString error;
        QCOMPARE(ArchiveLevel(analyte, 0, Folder(), m_serums, m_risks, &error), 0);
        QVERIFY2(error.startsWith("Cannot write " + Folder() + "QC000001.qca"), qPrintable(error));
        QVERIFY(analyte.Archives.isEmpty());
        QCOMPARE(analyte.Count(), 4);
        QCOMPARE(analyte.Point(0).Values[0].Status, quint8(psWithin));
        QCOMPARE(analyte.LockStart[1], 2);
    }

    void textFormHasOneFieldPerLevel()
    {
        TAnalyte analyte = TwoLevels();
        analyte.Decimals = 3;
        analyte.Point(1).Values[1].Value = 123456.78f; // float: 123456.78125
        const QString text = AsText(analyte);
        const QString expected = Stamp(46000.5) + "4.000\t10.250\tAB\t" + QString::fromUtf8("Gr\u00f6\u00dfe\r\n")
            + Stamp(46001.5) + "\t123456.780\tCD\t\r\n" + Stamp(46002.75) + "6.000\t10.000\t\tLate\r\n" + Stamp(46003.5)
            + "Discarded\t11.000\t\t\r\n";
        QCOMPARE(text, expected);
        analyte.NbLevels = 1;
        QVERIFY(AsText(analyte).startsWith(Stamp(46000.5) + "4.000\tAB\t"));
    }

    void textFormOfAnAnalyteWithoutPointsIsEmpty() { QCOMPARE(AsText(TAnalyte("Empty", "g/L", 0, 3)), QString()); }
};

VANTOREL_TEST(TestArchive)
#include "TestArchive.moc"
