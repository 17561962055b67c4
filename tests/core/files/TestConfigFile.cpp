#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TDates.h"
#include "TReaderHarness.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

namespace {

// The settings of the golden image below, with carried bytes and an older version.
const TConfigRecord ConfigSample { .ShowAboutAtStart = false,
    .PrintInColour = true,
    .Password = QString::fromUtf8("cl\u00e99"),
    .BackupDrive = 'D',
    .BackupInterval = 14,
    .LastBackupDate = 46000.5,
    .AlertRisk = 1,
    .ActionRisk = 3,
    .Version = { '3', '0' },
    .Unused14 = { 0x11, 0x22 },
    .Unused39 = 0x33,
    .BackupFolder = "/media/usb" };

// ConfigSample and the operators "ab" and "Zed", laid out from the table of the file: the flags, the
// password (length, 10 bytes, Windows-1252), drive, 2 carried bytes, interval, last backup
// (double), risks, stamp, a carried byte; then the codes and the backup folder.
const QByteArray ConfigImage = QByteArray::fromHex("0001 04 636ce939000000000000 44 1122 0e000000 000000001076e640"
                                                   "01 03 083330b5fe706f3435 33 02000000 020000006162 030000005a6564"
                                                   "0a0000002f6d656469612f757362");

// Reads into a reader: its reason and the codes it kept, or the settings and codes it read.
QString ConfigRefusal(QIODevice& device)
{
    TConfigReader reader;
    const bool read = reader.Read(device);
    const QString codes = QString(" [%1 kept]").arg(reader.Operators().join(' '));
    return read ? "<accepted " + reader.Record().BackupFolder + codes + ">" : reader.ErrorString() + codes;
}

QByteArray ConfigWritten(const TConfigRecord& record, const QStringList& codes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return TConfigWriter().Write(buffer, record, codes) ? buffer.data() : QByteArray("<not written>");
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT

private slots:
    void writesAndReadsTheLayout()
    {
        QCOMPARE(ConfigWritten(ConfigSample, { "ab", "Zed" }).toHex(' '), ConfigImage.toHex(' '));
        // Read and written again, every byte comes back: the carried ones and the version too.
        QBuffer in;
        in.setData(ConfigImage);
        TConfigReader reader;
        QVERIFY(in.open(QIODevice::ReadOnly) && reader.Read(in));
        QCOMPARE(ConfigWritten(reader.Record(), reader.Operators()).toHex(' '), ConfigImage.toHex(' '));
        QCOMPARE(reader.Record().Password, ConfigSample.Password);
        // The defaults without codes take the record, a count and an empty folder: 48 bytes. A file of
        // an older program ends after the codes: it has no backup folder.
        QCOMPARE(ConfigWritten(TConfigRecord(), {}).size(), 48);
        QCOMPARE(ReadFromBytes(ConfigRefusal, ConfigImage.left(57)), QString("<accepted  [ab Zed kept]>"));
    }

    void damagedFileIsRefused_data()
    {
        AddDamageColumns();
        // clang-format off
        QTest::newRow("wrong stamp byte") << "file+35:1=0" << "Wrong file stamp at byte 30 [ kept]";
        QTest::newRow("password longer than 10") << "file+2:1=11" << "A text of length 11 exceeds its capacity of 10 near byte 13";
        QTest::newRow("alert risk 2") << "file+28:1=2" << "Risk rows 2 and 3 out of range in the settings at byte 28";
        QTest::newRow("action risk 1") << "file+29:1=1" << "Risk rows 1 and 1 out of range";
        QTest::newRow("action risk 5") << "file+29:1=5" << "Risk rows 1 and 5 out of range";
        QTest::newRow("date not a number") << "file+20:8=0x7FF8000000000000" << "Last backup date is not a number at byte 20";
        QTest::newRow("negative operator count") << "file+40:4=-1" << "Operator count -1 does not fit the file at byte 40";
        QTest::newRow("huge operator count") << "file+40:4=0x7FFFFFFF" << "Operator count 2147483647 does not fit";
        QTest::newRow("second code beyond the file") << "file+50:4=1000" << "Operator 2: A text of length 1000 runs past the end near byte 54 [ab kept]";
        QTest::newRow("backup folder beyond the file") << "file+57:4=15" << "Backup folder: A text of length 15 runs past the end near byte 61 [ab Zed kept]";
        // clang-format on
    }
    void damagedFileIsRefused()
    {
        QCOMPARE(DamageNotRefused(ConfigRefusal, ConfigImage, { { "file", 0 } }), QString());
    }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        QCOMPARE(CutNotRefused(ConfigRefusal, ConfigImage, 0, { 57 }), QString());
        QCOMPARE(ReadFailureMissed(ConfigRefusal, ConfigImage), QString());
        const auto write = [](QIODevice& device) {
            TConfigWriter writer;
            return writer.Write(device, ConfigSample, { "ab", "Zed" }) ? QString() : writer.ErrorString();
        };
        QCOMPARE(WriteFailureMissed(write, int(ConfigImage.size())), QString());
    }

    void settingsComeFromTheFileOrTheDefaults()
    {
        QTemporaryDir dir;
        auto context = MakeTestContext();
        context->SetProgramFolder(dir.path());
        const QString name = context->BaseName() + ".cfr";
        context->Config.Password = "old";
        context->ListOperators = { "X" };
        LoadConfig(*context);
        // The test clock says 2026-03-15 10:30: the last backup is that date, without the time.
        QVERIFY(context->FirstStart && context->Config.Password.isEmpty() && context->ListOperators.isEmpty());
        QCOMPARE(context->Config.LastBackupDate, DateToDayCount(QDate(2026, 3, 15)));
        // An older version is read, held and saved as the current one; the codes come sorted.
        QVERIFY(PutFile(name, ConfigWritten(ConfigSample, { "bob", "al", "Bo" })));
        LoadConfig(*context);
        QVERIFY(!context->FirstStart);
        QCOMPARE(context->ListOperators, QStringList({ "al", "Bo", "bob" }));
        QCOMPARE(QByteArray(context->Config.Version, 2), QByteArray("32"));
        QVERIFY(SaveConfig(*context));
        auto again = MakeTestContext();
        again->SetProgramFolder(dir.path());
        LoadConfig(*again);
        QCOMPARE(
            ConfigWritten(again->Config, again->ListOperators), ConfigWritten(context->Config, { "al", "Bo", "bob" }));
        QCOMPARE(FileContent(name).mid(30, 3).toHex(), QByteArray("083332"));
        // A damaged file gives the defaults, with the codes read before the damage.
        QVERIFY(PutFile(name, ConfigWritten(ConfigSample, { "zz", "Aa", "mm" }).left(40 + 4 + 6 + 6 + 5)));
        LoadConfig(*again);
        QVERIFY(again->FirstStart && again->Config.Password.isEmpty());
        QCOMPARE(again->ListOperators, QStringList({ "Aa", "zz" }));
    }
};

VANTOREL_TEST(TestConfigFile)
#include "TestConfigFile.moc"
