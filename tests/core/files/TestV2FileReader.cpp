#include "TAnalyte.h"
#include "TDataSample.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TV2FileReader.h"
#include "TV2Sample.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

namespace {

// A converted analyte: name, units, decimals, levels, then lot:mode:locked interval of each
// level; then per point the date, value/status of each level and the comment.
QStringList Described(const TAnalyte& a)
{
    QStringList head { a.Name, a.Units, QString::number(a.Decimals), QString::number(a.NbLevels) };
    for (int l = 0; l < 3; ++l)
        head << QString("%1:%2:%3..%4").arg(a.SerumID[l]).arg(a.LimitMode[l]).arg(a.LockStart[l]).arg(a.LockEnd[l]);
    QStringList lines { head.join(' ') };
    for (int i = 0; i < a.Count(); ++i) {
        QString line = QString::number(a.Point(i).DateTime, 'f', 2);
        for (const TQCValue& cell : a.Point(i).Values)
            line += QString(" %1/%2").arg(cell.Value).arg(cell.Status);
        lines << (line + " " + a.CommentText(a.Point(i).CommentID)).trimmed();
    }
    return lines;
}

} // namespace

class TestV2FileReader : public QObject {
    Q_OBJECT

    TListAnalytes m_list;

    TReadAttempt Read()
    {
        return [this](QIODevice& device) -> QString {
            const TListAnalytes before = m_list;
            TV2FileReader reader;
            if (reader.Read(device, TRisks(), m_list))
                return "<accepted>";
            const QString changed = ListDifference(TListSerum(), m_list, TListSerum(), before);
            return changed.isEmpty() ? reader.ErrorString() : "<list changed: " + changed + ">";
        };
    }

private slots:
    void init()
    {
        m_list = TListAnalytes();
        m_list.Add(TAnalyte("Existing", "g/L", 1, 1));
    }

    void convertsAndAppendsTheAnalytes()
    {
        QTemporaryDir dir;
        QVERIFY(PutFile(dir.filePath("QCDATA.DAT"), V2Image(OldSample())));
        QString error;
        QVERIFY2(ImportV2(dir.filePath("QCDATA.DAT"), m_list, TRisks(), &error), qPrintable(error));
        QCOMPARE(Join(m_list.Count(), m_list.Item(0).Name), "3 Existing");
        // Noon of each day; old statuses 1 and 2 are no value and discarded; comments found by
        // their ids (7 is not in the old list). Level 1 is locked on 5.2, 4.8 and 5.1; under the
        // common CV of the three levels (2.64 % over 8 dof) 6.5 lies beyond the action limit.
        QCOMPARE(Described(m_list.Item(1)),
            QStringList({ "Glucose mmol/L 2 3 -1:1:1..3 -1:0:-1..-1 -1:0:-1..-1", "45000.50 5/0 10/0 15/0 New lot",
                "45001.50 5.2/0 10.4/0 0/6 Calibrated", "45002.50 4.8/0 9.6/5 14.5/0", "45003.50 5.1/0 10.1/0 15.2/0",
                "45004.50 6.5/2 10.2/0 15.1/0 Long comment of 23 ch." }));
        // Only the texts the points use are taken, in point order.
        QCOMPARE(m_list.Item(1).Comments.Count(), 3);
        // Two equal values give no statistics: Urea's level 2 returns to mobile limits.
        QCOMPARE(Described(m_list.Item(2)).first(), "Urea g/L 0 3 -1:0:-1..-1 -1:0:-1..-1 -1:0:-1..-1");
        QVERIFY(!ImportV2(dir.filePath("none.dat"), m_list, TRisks(), &error));
        QVERIFY2(error.startsWith("Cannot open") && m_list.Count() == 3, qPrintable(error));
    }

    void pointsOutOfOrderAreStoredByDate()
    {
        QList<TOldAnalyte> old = OldSample();
        std::swap(old[0].Points[0], old[0].Points[4]);
        old[0].LockStart[0] = -1;
        QCOMPARE(ReadFromBytes(Read(), V2Image(old)), QString("<accepted>"));
        const QStringList points = Described(m_list.Item(1)).mid(1);
        QCOMPARE(points.first(), "45000.50 5/0 10/0 15/0 New lot");
        QVERIFY(points.last().startsWith("45004.50 6.5/") && points.last().endsWith(" Long comment of 23 ch."));
    }

    void damagedFileIsRefusedAndChangesNothing_data()
    {
        AddDamageColumns();
        // clang-format off
        QTest::newRow("current data file") << "stamp+1:2=0x3233" << "Final stamp: Not a version-2 stamp";
        QTest::newRow("stamp length") << "stamp+0:1=9" << "Final stamp: Not a version-2 stamp";
        QTest::newRow("material count beyond the file") << "materials+0:4=100000" << "Control materials: The count 100000 is larger";
        QTest::newRow("analyte count beyond the file") << "analytes+0:4=50" << "Analytes: The count 50 is larger";
        QTest::newRow("unknown old status") << "a0.points+16:1=3" << "Analyte 1, points: Point 1 is damaged";
        QTest::newRow("date not a number") << "a0.points+40:8=0x7FF8000000000000" << "Point 2 is damaged";
        QTest::newRow("counted value infinite") << "a0.points+12:4=0x7F800000" << "Point 1 is damaged";
        QTest::newRow("name beyond capacity") << "a0.header+0:1=11" << "Analyte 1, header: A text of length 11";
        QTest::newRow("units beyond capacity") << "a0.header+11:1=13" << "Analyte 1, header: A text of length 13";
        QTest::newRow("decimals out of range") << "a0.header+24:4=5" << "Decimals 5 is outside 0..3";
        QTest::newRow("lock end beyond the points") << "a0.header+120:4=9" << "Level 1 is locked on points 1..9";
        QTest::newRow("ignored records beyond the file") << "a0.ignored+0:4=100000" << "records after the header: The count 100000";
        QTest::newRow("comment beyond capacity") << "a0.comments+12:1=24" << "comments: A text of length 24";
        QTest::newRow("second analyte cut") << "a1.comments+4:4=3" << "Analyte 2 (Urea), comments: The count 3 is larger";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        QMap<QString, int> at;
        const QByteArray image = V2Image(OldSample(), &at);
        QCOMPARE(DamageNotRefused(Read(), image, at), QString());
    }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        QVERIFY(ReadFromBytes(Read(), QByteArray(16, '\0')).contains("too short to be a version-2 file (16 bytes)"));
        // Cut bare, then with the final stamp put back so that the cut is met inside the sections.
        QCOMPARE(CutNotRefused(Read(), V2Image(OldSample()), 9), QString());
        QCOMPARE(ReadFailureMissed(Read(), V2Image(OldSample()), "Final stamp: Cannot read the stamp"), QString());
    }
};

VANTOREL_TEST(TestV2FileReader)
#include "TestV2FileReader.moc"
