// The configuration file: byte layout, round trips and damaged files.
#include "TBinaryIO.h"
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TFailDevice.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <limits>

namespace {

// Field helpers that place values at explicit offsets of an image.
void PutInt32(QByteArray& image, int offset, qint32 value) { qToLittleEndian(value, image.data() + offset); }
void PutDouble(QByteArray& image, int offset, double value) { qToLittleEndian(value, image.data() + offset); }
void AppendLong(QByteArray& image, const QByteArray& text)
{
    QByteArray length(4, '\0');
    qToLittleEndian(qint32(text.size()), length.data());
    image += length + text;
}

// The settings of the golden image below.
TConfigRecord SampleRecord()
{
    TConfigRecord r;
    r.ShowAboutAtStart = false;
    r.PrintInColour = true;
    r.Password = QString::fromUtf8("clé9");
    r.BackupDrive = 'D';
    r.BackupInterval = 14;
    r.LastBackupDate = 46000.5;
    r.AlertRisk = 1;
    r.ActionRisk = 3;
    r.BackupFolder = "/media/usb";
    return r;
}

// The file for SampleRecord() and the operators "ab", "Zed", laid out from the
// table of the configuration file.
QByteArray GoldenImage()
{
    QByteArray image(40, '\0');
    image[0] = 0; // ShowAboutAtStart
    image[1] = 1; // PrintInColour
    image[2] = 4; // password length
    image[3] = 'c';
    image[4] = 'l';
    image[5] = char(0xE9); // é in Windows-1252
    image[6] = '9'; // bytes 7..12 stay zero
    image[13] = 'D'; // BackupDrive; 14, 15 unused
    PutInt32(image, 16, 14); // BackupInterval
    PutDouble(image, 20, 46000.5);
    image[28] = 1; // AlertRisk
    image[29] = 3; // ActionRisk
    const unsigned char stamp[9] = { 8, '3', '2', 0xB5, 0xFE, 0x70, 0x6F, 0x34, 0x35 };
    for (int i = 0; i < 9; ++i)
        image[30 + i] = char(stamp[i]);
    // 39 unused
    QByteArray count(4, '\0');
    qToLittleEndian(qint32(2), count.data());
    image += count;
    AppendLong(image, "ab");
    AppendLong(image, "Zed");
    AppendLong(image, "/media/usb");
    return image;
}

bool ReadImage(TConfigReader& reader, const QByteArray& image)
{
    QBuffer buffer;
    buffer.setData(image);
    buffer.open(QIODevice::ReadOnly);
    return reader.Read(buffer);
}

void CompareRecords(const TConfigRecord& actual, const TConfigRecord& expected)
{
    QCOMPARE(actual.ShowAboutAtStart, expected.ShowAboutAtStart);
    QCOMPARE(actual.PrintInColour, expected.PrintInColour);
    QCOMPARE(actual.Password, expected.Password);
    QCOMPARE(actual.BackupDrive, expected.BackupDrive);
    QCOMPARE(actual.BackupInterval, expected.BackupInterval);
    QCOMPARE(actual.LastBackupDate, expected.LastBackupDate);
    QCOMPARE(actual.AlertRisk, expected.AlertRisk);
    QCOMPARE(actual.ActionRisk, expected.ActionRisk);
    QCOMPARE(QByteArray(actual.Version, 2), QByteArray(expected.Version, 2));
    QCOMPARE(actual.BackupFolder, expected.BackupFolder);
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT

private slots:
    void writesTheGoldenImage()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TConfigWriter writer;
        QVERIFY(writer.Write(buffer, SampleRecord(), { "ab", "Zed" }));
        QCOMPARE(buffer.data().toHex(' '), GoldenImage().toHex(' '));
    }

    void readsTheGoldenImage()
    {
        TConfigReader reader;
        QVERIFY2(ReadImage(reader, GoldenImage()), qPrintable(reader.ErrorString()));
        CompareRecords(reader.Record(), SampleRecord());
        QCOMPARE(reader.Operators(), QStringList({ "ab", "Zed" }));
    }

    void defaultRecordRoundTrips()
    {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        TConfigRecord record;
        record.LastBackupDate = 46096;
        TConfigWriter writer;
        QVERIFY(writer.Write(buffer, record, {}));
        // 40 bytes, an empty operator list and an empty backup folder.
        QCOMPARE(buffer.size(), qint64(48));
        buffer.seek(0);
        TConfigReader reader;
        QVERIFY(reader.Read(buffer));
        CompareRecords(reader.Record(), record);
        QVERIFY(reader.Operators().isEmpty());
    }

    void keepsUnusedBytesAndAnOlderVersion()
    {
        QByteArray image = GoldenImage();
        image[14] = char(0x11);
        image[15] = char(0x22);
        image[39] = char(0x33);
        image[31] = '3';
        image[32] = '0';
        TConfigReader reader;
        QVERIFY(ReadImage(reader, image));
        QCOMPARE(QByteArray(reader.Record().Version, 2), QByteArray("30"));
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(TConfigWriter().Write(out, reader.Record(), reader.Operators()));
        QCOMPARE(out.data().toHex(), image.toHex());
    }

    void readsAFileWithoutBackupFolder()
    {
        QByteArray image = GoldenImage();
        image.chop(4 + 10);
        TConfigReader reader;
        QVERIFY(ReadImage(reader, image));
        QCOMPARE(reader.Record().BackupFolder, QString());
        QCOMPARE(reader.Operators(), QStringList({ "ab", "Zed" }));
    }

    void rejectsDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("operatorsKept");
        const QByteArray good = GoldenImage();
        auto with = [&](int offset, char value) {
            QByteArray image = good;
            image[offset] = value;
            return image;
        };
        auto withInt = [&](int offset, qint32 value) {
            QByteArray image = good;
            PutInt32(image, offset, value);
            return image;
        };
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("cut inside the record") << good.left(25) << 0;
        QTest::newRow("cut before the operator count") << good.left(40) << 0;
        QTest::newRow("wrong stamp byte") << with(35, 0x00) << 0;
        QTest::newRow("password longer than 10") << with(2, 11) << 0;
        QTest::newRow("alert risk 2") << with(28, 2) << 0;
        QTest::newRow("action risk 1") << with(29, 1) << 0;
        QTest::newRow("action risk 5") << with(29, 5) << 0;
        QByteArray nanDate = good;
        PutDouble(nanDate, 20, std::numeric_limits<double>::quiet_NaN());
        QTest::newRow("date not a number") << nanDate << 0;
        QTest::newRow("negative operator count") << withInt(40, -1) << 0;
        QTest::newRow("huge operator count") << withInt(40, 0x7FFFFFFF) << 0;
        QTest::newRow("first code longer than the file") << withInt(44, 1000) << 0;
        QTest::newRow("negative code length") << withInt(44, -5) << 0;
        QTest::newRow("second code cut") << good.left(44 + 6 + 5) << 1;
        QTest::newRow("backup folder cut") << good.left(good.size() - 3) << 2;
        QTest::newRow("two stray bytes after the codes") << good.left(44 + 6 + 7 + 2) << 2;
    }

    void rejectsDamagedFiles()
    {
        QFETCH(QByteArray, image);
        QFETCH(int, operatorsKept);
        TConfigReader reader;
        QVERIFY(!ReadImage(reader, image));
        QVERIFY(!reader.ErrorString().isEmpty());
        QCOMPARE(reader.Operators().size(), operatorsKept);
    }

    void readFailureOfTheDeviceIsReported()
    {
        TFailDevice device(GoldenImage(), 30);
        device.open(QIODevice::ReadOnly);
        TConfigReader reader;
        QVERIFY(!reader.Read(device));
        QVERIFY(!reader.RecordRead());
    }

    void writeFailurePartWayIsReported_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("inside the record") << 17;
        QTest::newRow("inside the operators") << 47;
        QTest::newRow("inside the backup folder") << GoldenImage().size() - 1;
    }

    void writeFailurePartWayIsReported()
    {
        QFETCH(int, limit);
        TFailDevice device(limit);
        device.open(QIODevice::WriteOnly);
        TConfigWriter writer;
        QVERIFY(!writer.Write(device, SampleRecord(), { "ab", "Zed" }));
        QVERIFY(!writer.ErrorString().isEmpty());
    }

    void failedFileWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("Vantorel.cfr");
        TConfigWriter writer;
        QVERIFY(writer.WriteFile(name, SampleRecord(), { "ab", "Zed" }));
        {
            TReadOnlyFolder lock(dir.path());
            if (!lock.Active())
                QSKIP("This system lets every write through");
            TConfigRecord other;
            QVERIFY(!writer.WriteFile(name, other, {}));
            QVERIFY(writer.ErrorString().contains("Vantorel.cfr"));
        }
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toHex(), GoldenImage().toHex());
    }
};

VANTOREL_TEST(TestConfigFile)
#include "TestConfigFile.moc"
