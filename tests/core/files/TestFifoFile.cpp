// The queue and the settings. Their files: the layout both ways, damaged and cut files, failing
// devices; the order of the runs held back, which the queue file follows through every change; the
// settings the program takes from its file at start-up.
#include "TByteImage.h"
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TDates.h"
#include "TFifo.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <limits>

namespace {

// A run whose discarded cell holds infinity: only counted values must be numbers.
TResu0 SampleResult()
{
    TResu0 r = MakeResult(46096.375, 5.25, NAN, NAN, "JD", QString::fromUtf8("Lot chang\u00e9"));
    r.Values[1] = { std::numeric_limits<float>::infinity(), psDiscarded, { 1, 2, 3 } };
    r.Analyte = "Glucose";
    return r;
}

// SampleResult() laid out from the table of the queue record: 63 bytes.
const QByteArray GoldenRecord = [] {
    TByteImage image;
    image.Double(46096.375).Single(5.25f).Byte(psWithin).Zeros(3);
    image.Single(std::numeric_limits<float>::infinity()).Byte(psDiscarded).Raw("\x01\x02\x03");
    image.Single(0).Byte(psNoValue).Zeros(3);
    return image.LongString(QString::fromUtf8("Lot chang\u00e9")).LongString("JD").LongString("Glucose").Bytes();
}();

// Reads into a queue holding SampleResult(): the reason, after checking the queue was kept.
QString Refusal(QIODevice& device)
{
    std::deque<TResu0> records { SampleResult() };
    TFifoReader reader;
    if (reader.Read(device, records))
        return "<accepted>";
    return records.size() == 1 && records[0] == SampleResult() ? reader.ErrorString() : "<records changed>";
}

TResu0 Result(int n)
{
    TResu0 r = MakeResult(46000 + n, n, n + 0.5, NAN, "op", QString("run %1").arg(n));
    r.Analyte = "Glucose";
    return r;
}

// The comments of the runs the file holds, head first; "<unreadable>" when it cannot be read.
QString OnDisk(const QString& name)
{
    std::deque<TResu0> records;
    if (!TFifoReader().ReadFile(name, records))
        return "<unreadable>";
    QStringList comments;
    for (const TResu0& r : records)
        comments << r.Comment;
    return comments.join(", ");
}

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
    TConfigWriter().Write(buffer, record, codes);
    return buffer.data();
}

} // namespace

class TestFifoFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_name;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_name = m_dir->filePath("Vantorel.fif");
    }

    void writesAndReadsRecordsInFileOrder()
    {
        TResu0 second = MakeResult(46100.5, 1, 2, 3, "ZZ", "");
        second.Analyte = "Calcium";
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        QVERIFY(TFifoWriter().Write(buffer, { SampleResult(), second }));
        QCOMPARE(buffer.data().left(GoldenRecord.size()).toHex(' '), GoldenRecord.toHex(' '));
        std::deque<TResu0> records;
        TFifoReader reader;
        QVERIFY(buffer.seek(0) && reader.Read(buffer, records));
        QCOMPARE(records.size(), size_t(2));
        QVERIFY(records[0] == SampleResult() && records[1] == second);
        // An empty file is an empty queue.
        QBuffer empty;
        QVERIFY(empty.open(QIODevice::ReadOnly) && reader.Read(empty, records));
        QVERIFY(records.empty());
    }

    void damagedFileIsRefusedAndChangesNothing_data()
    {
        AddDamageColumns();
        // clang-format off
        QTest::newRow("comment length beyond the file") << "second+32:4=1073741824" << "Queued result 2: A text of length 1073741824 runs past the end near byte 99";
        QTest::newRow("unknown status") << "second+12:1=7" << "Queued result 2: Unsound queued result at byte 63";
        QTest::newRow("date not a number") << "second+0:8=0x7FF8000000000000" << "Queued result 2: Unsound queued result at byte";
        QTest::newRow("counted value infinite") << "first+8:4=0x7F800000" << "Queued result 1: Unsound queued result at byte 0";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        const QByteArray image = GoldenRecord + GoldenRecord;
        QCOMPARE(
            DamageNotRefused(Refusal, image, { { "first", 0 }, { "second", int(GoldenRecord.size()) } }), QString());
    }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        // A queue may end after any whole record.
        const QByteArray image = GoldenRecord + GoldenRecord;
        QCOMPARE(CutNotRefused(Refusal, image, 0, { 0, int(GoldenRecord.size()) }), QString());
        QCOMPARE(ReadFailureMissed(Refusal, image), QString());
        const auto write = [](QIODevice& device) {
            TFifoWriter writer;
            return writer.Write(device, { SampleResult(), SampleResult() }) ? QString() : writer.ErrorString();
        };
        QCOMPARE(WriteFailureMissed(write, int(image.size())), QString());
    }
    void queueWithoutFileKeepsArrivalOrderInMemory()
    {
        TFifo fifo;
        QVERIFY(!fifo.Pop().has_value());
        for (int n = 1; n <= 3; ++n)
            QVERIFY(fifo.Push(Result(n)));
        QCOMPARE(fifo.Item(0).Comment, QString("run 1"));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(fifo.Pop().value(), Result(n));
            QCOMPARE(fifo.Count(), 3 - n);
        }
        QVERIFY(!fifo.Pop().has_value());
        fifo.Push(Result(1));
        QVERIFY(!fifo.Save() && fifo.Synced());
        QVERIFY(!fifo.Load() && fifo.Count() == 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void fileFollowsEveryChangeAndOutlivesTheProgram()
    {
        {
            TFifo fifo;
            fifo.SetFileName(m_name);
            QVERIFY(!fifo.Load()); // no file yet: an empty queue
            QVERIFY(!QFile::exists(m_name));
            for (int n = 1; n <= 4; ++n)
                QVERIFY(fifo.Push(Result(n)));
            QCOMPARE(OnDisk(m_name), QString("run 1, run 2, run 3, run 4"));
            fifo.Pop();
            QCOMPARE(OnDisk(m_name), QString("run 2, run 3, run 4"));
            // No Save on the way out: the file already holds the queue, as after a crash.
        }
        TFifo again;
        again.Push(Result(9)); // before the file name: nothing written, and replaced by Load
        again.SetFileName(m_name);
        QVERIFY(again.Load());
        QCOMPARE(again.Count(), 3);
        QCOMPARE(again.Pop().value(), Result(2));
        QVERIFY(again.Clear());
        QCOMPARE(FileContent(m_name), QByteArray());
        // A cut file gives an empty queue and says why.
        QVERIFY(again.Push(Result(1)) && again.Push(Result(2)));
        QVERIFY(PutFile(m_name, FileContent(m_name).chopped(2)));
        QVERIFY(!again.Load());
        QCOMPARE(again.Count(), 0);
        QVERIFY2(again.ErrorString().startsWith("Queued result 2: "), qPrintable(again.ErrorString()));
    }

    void failedWriteKeepsThePreviousFileAndTheRun()
    {
        TFifo fifo;
        fifo.SetFileName(m_name);
        fifo.Push(Result(1));
        {
            TReadOnlyFolder lock(m_dir->path());
            if (!lock.Active())
                QSKIP("This system lets every write through");
            QVERIFY(!fifo.Push(Result(2)));
            QVERIFY(!fifo.Synced());
            QVERIFY(fifo.ErrorString().contains("Vantorel.fif"));
            QCOMPARE(fifo.Count(), 2);
            QVERIFY(!fifo.Save());
            QCOMPARE(OnDisk(m_name), QString("run 1"));
        }
        // The next change writes the whole queue again.
        QVERIFY(fifo.Push(Result(3)) && fifo.Synced());
        QCOMPARE(OnDisk(m_name), QString("run 1, run 2, run 3"));
    }

    void configLayoutBothWays()
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

    void damagedConfigIsRefused_data()
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
    void damagedConfigIsRefused()
    {
        QCOMPARE(DamageNotRefused(ConfigRefusal, ConfigImage, { { "file", 0 } }), QString());
    }

    void configCutAnywhereOrOnAFailingDeviceIsRefused()
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

VANTOREL_TEST(TestFifoFile)
#include "TestFifoFile.moc"
