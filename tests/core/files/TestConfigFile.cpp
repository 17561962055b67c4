// The configuration file: byte layout both ways, damaged and cut files, failing devices.
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

// The settings of the golden image below, with carried bytes and an older version.
TConfigRecord SampleRecord()
{
    TConfigRecord r;
    r.ShowAboutAtStart = false;
    r.PrintInColour = true;
    r.Password = QString::fromUtf8("cl\u00e99");
    r.BackupDrive = 'D';
    r.Unused14[0] = 0x11;
    r.Unused14[1] = 0x22;
    r.BackupInterval = 14;
    r.LastBackupDate = 46000.5;
    r.AlertRisk = 1;
    r.ActionRisk = 3;
    r.Version[1] = '0';
    r.Unused39 = 0x33;
    r.BackupFolder = "/media/usb";
    return r;
}

// SampleRecord() and the operators "ab" and "Zed", laid out from the table of the file: the
// flags, the password (length, 10 bytes, Windows-1252), drive, 2 carried bytes, interval, last
// backup (double), risks, stamp, a carried byte; then the codes and the backup folder.
const QByteArray GoldenImage = QByteArray::fromHex("0001 04 636ce939000000000000 44 1122 0e000000 000000001076e640"
                                                   "01 03 083330b5fe706f3435 33 02000000 020000006162 030000005a6564"
                                                   "0a0000002f6d656469612f757362");

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT

    // Reads into a reader: its reason and the codes it kept.
    static QString Refusal(QIODevice& device)
    {
        TConfigReader reader;
        if (reader.Read(device))
            return "<accepted>";
        return reader.ErrorString() + QString(" [%1 kept]").arg(reader.Operators().size());
    }

private slots:
    void writesAndReadsTheLayout()
    {
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(TConfigWriter().Write(buffer, SampleRecord(), { "ab", "Zed" }));
        QCOMPARE(buffer.data().toHex(' '), GoldenImage.toHex(' '));
        // Read and written again, every byte comes back: the carried ones and the version too.
        QBuffer in;
        in.setData(GoldenImage);
        QVERIFY(in.open(QIODevice::ReadOnly));
        TConfigReader reader;
        QVERIFY2(reader.Read(in), qPrintable(reader.ErrorString()));
        QCOMPARE(reader.Operators(), QStringList({ "ab", "Zed" }));
        QCOMPARE(reader.Record().Password, SampleRecord().Password);
        QBuffer again;
        QVERIFY(again.open(QIODevice::WriteOnly));
        QVERIFY(TConfigWriter().Write(again, reader.Record(), reader.Operators()));
        QCOMPARE(again.data().toHex(' '), GoldenImage.toHex(' '));
        // A file of an older program ends after the codes: it has no backup folder.
        in.close();
        in.setData(GoldenImage.left(57));
        QVERIFY(in.open(QIODevice::ReadOnly) && reader.Read(in));
        QCOMPARE(reader.Record().BackupFolder, QString());
        QCOMPARE(reader.Operators(), QStringList({ "ab", "Zed" }));
    }

    void damagedFileIsRefused_data()
    {
        AddDamageColumns();
        // clang-format off
        QTest::newRow("wrong stamp byte") << "file+35:1=0" << "Wrong file stamp at byte 30 [0 kept]";
        QTest::newRow("password longer than 10") << "file+2:1=11" << "A text of length 11 exceeds its capacity of 10 near byte 13";
        QTest::newRow("alert risk 2") << "file+28:1=2" << "Risk rows 2 and 3 out of range in the settings at byte 28";
        QTest::newRow("action risk 1") << "file+29:1=1" << "Risk rows 1 and 1 out of range";
        QTest::newRow("action risk 5") << "file+29:1=5" << "Risk rows 1 and 5 out of range";
        QTest::newRow("date not a number") << "file+20:8=0x7FF8000000000000" << "Last backup date is not a number at byte 20";
        QTest::newRow("negative operator count") << "file+40:4=-1" << "Operator count -1 does not fit the file at byte 40";
        QTest::newRow("huge operator count") << "file+40:4=0x7FFFFFFF" << "Operator count 2147483647 does not fit";
        QTest::newRow("first code beyond the file") << "file+44:4=1000" << "Operator 1: A text of length 1000 runs past the end near byte 48 [0 kept]";
        QTest::newRow("negative code length") << "file+44:4=-5" << "Operator 1: A text of length -5";
        QTest::newRow("second code beyond the file") << "file+50:4=1000" << "Operator 2: A text of length 1000 runs past the end near byte 54 [1 kept]";
        QTest::newRow("backup folder beyond the file") << "file+57:4=15" << "Backup folder: A text of length 15 runs past the end near byte 61 [2 kept]";
        // clang-format on
    }
    void damagedFileIsRefused() { QCOMPARE(DamageNotRefused(Refusal, GoldenImage, { { "file", 0 } }), QString()); }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        QCOMPARE(CutNotRefused(Refusal, GoldenImage, 0, { 57 }), QString());
        QCOMPARE(ReadFailureMissed(Refusal, GoldenImage), QString());
        const auto write = [](QIODevice& device) {
            TConfigWriter writer;
            return writer.Write(device, SampleRecord(), { "ab", "Zed" }) ? QString() : writer.ErrorString();
        };
        QCOMPARE(WriteFailureMissed(write, int(GoldenImage.size())), QString());
    }

    void failedFileWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("Vantorel.cfr");
        TConfigWriter writer;
        QVERIFY(writer.WriteFile(name, SampleRecord(), { "ab", "Zed" }));
        TReadOnlyFolder lock(dir.path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        QVERIFY(!writer.WriteFile(name, TConfigRecord(), {}));
        QVERIFY2(writer.ErrorString().startsWith("Cannot write " + name), qPrintable(writer.ErrorString()));
        QCOMPARE(FileContent(name).toHex(' '), GoldenImage.toHex(' '));
    }
};

VANTOREL_TEST(TestConfigFile)
#include "TestConfigFile.moc"
