#include "TByteImage.h"
#include "TDataSample.h"
#include "TFailDevice.h"
#include "TTestRegistry.h"
#include "TV2FileReader.h"
#include "TV2Sample.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QTemporaryDir>

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

VANTOREL_TEST(TestV2FileReader)
#include "TestV2FileReader.moc"
