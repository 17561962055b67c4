#include "TByteImage.h"
#include "TDataSample.h"
#include "TFailDevice.h"
#include "TV2FileReader.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

// One old point: whole-day date, three (value, old status) cells, comment id.
struct TOldPoint {
    double Date;
    float Values[3];
    quint8 Statuses[3];
    qint32 CommentId;
};

struct TOldAnalyte {
    QString Name;
    QString Units;
    qint32 Decimals = 1;
    QList<TOldPoint> Points;
    qint32 LockStart[3] = { -1, -1, -1 };
    qint32 LockEnd[3] = { -1, -1, -1 };
    QList<QPair<qint32, QString>> Comments;
};

// A version-2 file built from its layout; `at` receives the offsets of named parts.
QByteArray V2Image(const QList<TOldAnalyte>& analytes, QMap<QString, int>* at = nullptr)
{
    QMap<QString, int> offsets;
    TByteImage image;
    offsets["materials"] = image.Size();
    image.Int32(2).ShortString("Old serum", 15).Raw(QByteArray(11, 'x')).ShortString("Other", 15).Zeros(11);
    offsets["analytes"] = image.Size();
    image.Int32(int(analytes.size()));
    for (int a = 0; a < analytes.size(); ++a) {
        const TOldAnalyte& old = analytes[a];
        const QString key = QString("a%1.").arg(a);
        offsets[key + "points"] = image.Size();
        image.Int32(int(old.Points.size()));
        for (const TOldPoint& p : old.Points) {
            image.Double(p.Date);
            for (int l = 0; l < 3; ++l)
                image.Single(p.Values[l]).Byte(p.Statuses[l]).Raw("\x11\x22\x33");
            image.Int32(p.CommentId);
        }
        offsets[key + "header"] = image.Size();
        image.ShortString(old.Name, 10).ShortString(old.Units, 12).Int32(old.Decimals);
        image.Raw(QByteArray(80, '\x7f')); // limits and lots of the old program, not taken over
        for (qint32 i : old.LockStart)
            image.Int32(i);
        for (qint32 i : old.LockEnd)
            image.Int32(i);
        offsets[key + "ignored"] = image.Size();
        image.Int32(1).Raw(QByteArray(68, '\x55'));
        offsets[key + "comments"] = image.Size();
        image.Int32(old.Comments.isEmpty() ? 0 : old.Comments.last().first + 1).Int32(int(old.Comments.size()));
        for (const auto& [id, text] : old.Comments)
            image.Int32(id).ShortString(text, 23);
    }
    offsets["stamp"] = image.Size();
    image.Stamp("20");
    if (at)
        *at = offsets;
    return image.Bytes();
}

// Glucose with five points (one without a level-3 value, one discarded, comments
// by ids 2, 5, 9 and 14) locked on points 1..3 at level 1, and Urea whose level-2
// interval holds equal values only.
QList<TOldAnalyte> OldSample()
{
    TOldAnalyte glucose;
    glucose.Name = "Glucose";
    glucose.Units = "mmol/Litre";
    glucose.Decimals = 2;
    glucose.Points = {
        { 45000, { 5.0f, 10.0f, 15.0f }, { 0, 0, 0 }, 2 },
        { 45001, { 5.2f, 10.4f, 0.0f }, { 0, 0, 1 }, 9 },
        { 45002, { 4.8f, 9.6f, 14.5f }, { 0, 2, 0 }, -1 },
        { 45003, { 5.1f, 10.1f, 15.2f }, { 0, 0, 0 }, 7 },
        { 45004, { 6.5f, 10.2f, 15.1f }, { 0, 0, 0 }, 14 },
    };
    glucose.LockStart[0] = 1;
    glucose.LockEnd[0] = 3;
    glucose.Comments = { { 2, "New lot" }, { 5, "Unused" }, { 9, "Calibrated" }, { 14, "Long comment of 23 ch." } };
    TOldAnalyte urea;
    urea.Name = "Urea";
    urea.Units = "g/L";
    urea.Decimals = 0;
    urea.Points = { { 45010, { 7, 3, 0 }, { 0, 0, 1 }, -1 }, { 45011, { 8, 3, 0 }, { 0, 0, 1 }, -1 } };
    urea.LockStart[1] = 0;
    urea.LockEnd[1] = 1;
    return { glucose, urea };
}

} // namespace

class TestV2FileReader : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    TListAnalytes m_list;
    TRisks m_risks;

    QString WriteFile(const QByteArray& bytes)
    {
        const QString path = m_dir->filePath("QCDATA.DAT");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    // Imports bytes that must be refused; the reason, or "<...>" when the list changed.
    QString Refused(QByteArray bytes)
    {
        const TListAnalytes before = m_list;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TV2FileReader reader;
        if (reader.Read(buffer, m_risks, m_list))
            return QStringLiteral("<accepted>");
        const QString changed = ListDifference(TListSerum(), m_list, TListSerum(), before);
        return changed.isEmpty() ? reader.ErrorString() : "<list changed: " + changed + ">";
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_list = TListAnalytes();
        m_list.Add(TAnalyte("Existing", "g/L", 1, 1));
    }

    void convertsAndAppendsTheAnalytes()
    {
        QString error;
        QVERIFY2(ImportV2(WriteFile(V2Image(OldSample())), m_list, m_risks, &error), qPrintable(error));
        QCOMPARE(m_list.Count(), 3);
        QCOMPARE(m_list.Item(0).Name, QString("Existing"));
        const TAnalyte& glucose = m_list.Item(1);
        QCOMPARE(glucose.Name, QString("Glucose"));
        QCOMPARE(glucose.Units, QString("mmol/L")); // cut to six characters
        QCOMPARE(glucose.Decimals, 2);
        QCOMPARE(glucose.NbLevels, 3);
        QCOMPARE(glucose.SerumID, (std::array<qint32, 3> { -1, -1, -1 }));
        QVERIFY(glucose.Archives.isEmpty());
        QCOMPARE(glucose.Count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(glucose.Point(i).DateTime, 45000.5 + i); // noon
            QCOMPARE(glucose.Point(i).Operator(), QString());
        }
        QCOMPARE(glucose.Point(1).Values[2].Status, quint8(psNoValue));
        QCOMPARE(glucose.Point(2).Values[1].Status, quint8(psDiscarded));
        QCOMPARE(glucose.Point(2).Values[1].Value, 9.6f);
        QCOMPARE(glucose.Point(0).Values[0].Value, 5.0f);
        QCOMPARE(glucose.AllPointsStats[2].N, 4);
    }

    void commentsAreFoundByTheirIds()
    {
        QVERIFY(ImportV2(WriteFile(V2Image(OldSample())), m_list, m_risks));
        const TAnalyte& glucose = m_list.Item(1);
        const QString expected[5] = { "New lot", "Calibrated", "", "", "Long comment of 23 ch." };
        for (int i = 0; i < 5; ++i)
            QCOMPARE(glucose.CommentText(glucose.Point(i).CommentID), expected[i]);
        // Only the texts used by points are added, in point order.
        QCOMPARE(glucose.Comments.Count(), 3);
        QCOMPARE(glucose.Point(2).CommentID, -1);
        QCOMPARE(glucose.Point(3).CommentID, -1); // id 7 is not in the old list
    }

    void lockedIntervalIsKeptOrFallsBack()
    {
        QVERIFY(ImportV2(WriteFile(V2Image(OldSample())), m_list, m_risks));
        const TAnalyte& glucose = m_list.Item(1);
        QCOMPARE(glucose.LimitMode[0], quint8(lmLocked));
        QCOMPARE(glucose.LockStart[0], 1);
        QCOMPARE(glucose.LockEnd[0], 3);
        // Level 1 locked on 5.2, 4.8, 5.1: mean 5.0333..., classified against it.
        QCOMPARE_NEAR(glucose.ReferenceStats[0].Mean, (double(5.2f) + double(4.8f) + double(5.1f)) / 3.0, 1e-12);
        QCOMPARE(glucose.ReferenceStats[0].N, 3);
        QCOMPARE(glucose.LimitMode[1], quint8(lmMobile));
        // 6.5 lies far outside the interval's spread (SD 0.21, t = 4.303 at 5 %).
        QVERIFY(
            glucose.Point(4).Values[0].Status == psHighWarning || glucose.Point(4).Values[0].Status == psHighAction);
        const TAnalyte& urea = m_list.Item(2);
        // Two equal values give no statistics: the level returns to mobile limits.
        QCOMPARE(urea.LimitMode[1], quint8(lmMobile));
        QCOMPARE(urea.LockStart[1], -1);
        QCOMPARE(urea.LockEnd[1], -1);
    }

    void pointsOutOfOrderAreStoredByDate()
    {
        QList<TOldAnalyte> old = OldSample();
        std::swap(old[0].Points[0], old[0].Points[4]);
        old[0].LockStart[0] = -1;
        QVERIFY(ImportV2(WriteFile(V2Image(old)), m_list, m_risks));
        const TAnalyte& glucose = m_list.Item(1);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(glucose.Point(i).DateTime, 45000.5 + i);
        QCOMPARE(glucose.CommentText(glucose.Point(0).CommentID), QString("New lot"));
    }

    void missingFileIsRefused()
    {
        QString error;
        QVERIFY(!ImportV2(m_dir->filePath("none.dat"), m_list, m_risks, &error));
        QVERIFY2(error.startsWith("Cannot open"), qPrintable(error));
        QCOMPARE(m_list.Count(), 1);
    }

    void currentDataFileIsRefused()
    {
        QByteArray image = V2Image(OldSample());
        image[image.size() - 8] = '3';
        image[image.size() - 7] = '2';
        const QString error = Refused(image);
        QVERIFY2(error.contains("Not a version-2 stamp"), qPrintable(error));
        QByteArray lengthByte = V2Image(OldSample());
        lengthByte[lengthByte.size() - 9] = 9;
        QVERIFY(Refused(lengthByte).contains("Not a version-2 stamp"));
        QVERIFY(Refused(QByteArray()).contains("too short"));
    }

    void damagedFileIsRefusedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("width");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("negative material count") << "materials" << 0 << 4 << -1LL << "Control materials: The count -1 is negative";
        QTest::newRow("material count beyond the file") << "materials" << 0 << 4 << 100000LL << "Control materials: The count 100000 is larger";
        QTest::newRow("negative analyte count") << "analytes" << 0 << 4 << -3LL << "Analytes: The count -3 is negative";
        QTest::newRow("analyte count beyond the file") << "analytes" << 0 << 4 << 50LL << "Analytes: The count 50 is larger";
        QTest::newRow("negative point count") << "a0.points" << 0 << 4 << -1LL << "Analyte 1, points: The count -1 is negative";
        QTest::newRow("point count beyond the file") << "a0.points" << 0 << 4 << 1000LL << "Analyte 1, points: The count 1000 is larger";
        QTest::newRow("unknown old status") << "a0.points" << 4 + 12 << 1 << 3LL << "Analyte 1, points: Point 1 is damaged";
        QTest::newRow("date not a number") << "a0.points" << 4 + 36 << 8 << 0x7FF8000000000000LL << "Point 2 is damaged";
        QTest::newRow("name beyond capacity") << "a0.header" << 0 << 1 << 11LL << "Analyte 1, header: A text of length 11";
        QTest::newRow("units beyond capacity") << "a0.header" << 11 << 1 << 13LL << "Analyte 1, header: A text of length 13";
        QTest::newRow("decimals out of range") << "a0.header" << 24 << 4 << 5LL << "Decimals 5 is outside 0..3";
        QTest::newRow("lock start beyond the points") << "a0.header" << 108 << 4 << 5LL << "Level 1 is locked on points 5..3";
        QTest::newRow("lock end beyond the points") << "a0.header" << 120 << 4 << 9LL << "Level 1 is locked on points 1..9";
        QTest::newRow("ignored records beyond the file") << "a0.ignored" << 0 << 4 << 100000LL << "records after the header: The count 100000";
        QTest::newRow("negative comment count") << "a0.comments" << 4 << 4 << -1LL << "Analyte 1 (Glucose), comments: The count -1 is negative";
        QTest::newRow("comment beyond capacity") << "a0.comments" << 12 << 1 << 24LL << "comments: A text of length 24";
        QTest::newRow("second analyte cut") << "a1.comments" << 4 << 4 << 3LL << "Analyte 2 (Urea), comments: The count 3 is larger";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        QFETCH(QString, field);
        QFETCH(int, extra);
        QFETCH(int, width);
        QFETCH(qint64, value);
        QFETCH(QString, reason);
        QMap<QString, int> at;
        QByteArray image = V2Image(OldSample(), &at);
        QVERIFY(at.contains(field));
        PatchBytes(image, at[field] + extra, width, value);
        const QString error = Refused(image);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY2(error.contains(" byte "), qPrintable(error));
    }

    void fileCutAnywhereIsRefused()
    {
        // Cut bare, then with the final stamp put back so the cut is met inside the sections.
        QCOMPARE(
            FirstCutNotRefused(V2Image(OldSample()), 9, [this](const QByteArray& bytes) { return Refused(bytes); }),
            QString());
    }

    void failingDeviceIsReported()
    {
        const QByteArray image = V2Image(OldSample());
        for (int limit : { 0, 9, 40, 200, int(image.size()) - 10 }) {
            TFailDevice device(image, limit);
            QVERIFY(device.open(QIODevice::ReadOnly));
            TV2FileReader reader;
            QVERIFY(!reader.Read(device, m_risks, m_list));
            QVERIFY2(reader.ErrorString().contains("Simulated read failure")
                    || reader.ErrorString().contains("Cannot read the stamp"),
                qPrintable(reader.ErrorString()));
            QCOMPARE(m_list.Count(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestV2FileReader)
#include "TestV2FileReader.moc"
