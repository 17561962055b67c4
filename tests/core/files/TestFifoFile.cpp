// The queue file: record layout both ways, damaged and cut files, failing devices.
#include "TByteImage.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
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

// SampleResult() laid out from the table of the queue record.
QByteArray GoldenRecord()
{
    TByteImage image;
    image.Double(46096.375).Single(5.25f).Byte(psWithin).Zeros(3);
    image.Single(std::numeric_limits<float>::infinity()).Byte(psDiscarded).Raw("\x01\x02\x03");
    image.Single(0).Byte(psNoValue).Zeros(3);
    return image.LongString(QString::fromUtf8("Lot chang\u00e9")).LongString("JD").LongString("Glucose").Bytes();
}

// Reads into a queue holding SampleResult(): the reason, after checking the queue was kept.
QString Refusal(QIODevice& device)
{
    std::deque<TResu0> records { SampleResult() };
    TFifoReader reader;
    if (reader.Read(device, records))
        return "<accepted>";
    return records.size() == 1 && records[0] == SampleResult() ? reader.ErrorString() : "<records changed>";
}

} // namespace

class TestFifoFile : public QObject {
    Q_OBJECT

private slots:
    void writesAndReadsRecordsInFileOrder()
    {
        TResu0 second = MakeResult(46100.5, 1, 2, 3, "ZZ", "");
        second.Analyte = "Calcium";
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        QVERIFY(TFifoWriter().Write(buffer, { SampleResult(), second }));
        QCOMPARE(buffer.data().left(GoldenRecord().size()).toHex(' '), GoldenRecord().toHex(' '));
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
        const int one = int(GoldenRecord().size());
        // clang-format off
        QTest::newRow("negative comment length") << "first+32:4=-1" << "Queued result 1: A text of length -1 runs past the end near byte 36";
        QTest::newRow("comment length beyond the file") << "second+32:4=1073741824" << QString("Queued result 2: A text of length 1073741824 runs past the end near byte %1").arg(one + 36);
        QTest::newRow("unknown status") << "second+12:1=7" << QString("Queued result 2: Unsound queued result at byte %1").arg(one);
        QTest::newRow("date not a number") << "second+0:8=0x7FF8000000000000" << "Queued result 2: Unsound queued result at byte";
        QTest::newRow("counted value infinite") << "first+8:4=0x7F800000" << "Queued result 1: Unsound queued result at byte 0";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        const QByteArray image = GoldenRecord() + GoldenRecord();
        QCOMPARE(
            DamageNotRefused(Refusal, image, { { "first", 0 }, { "second", int(GoldenRecord().size()) } }), QString());
    }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        // A queue may end after any whole record.
        const QByteArray image = GoldenRecord() + GoldenRecord();
        QCOMPARE(CutNotRefused(Refusal, image, 0, { 0, int(GoldenRecord().size()) }), QString());
        QCOMPARE(ReadFailureMissed(Refusal, image), QString());
        const auto write = [](QIODevice& device) {
            TFifoWriter writer;
            return writer.Write(device, { SampleResult(), SampleResult() }) ? QString() : writer.ErrorString();
        };
        QCOMPARE(WriteFailureMissed(write, int(image.size())), QString());
    }
};

VANTOREL_TEST(TestFifoFile)
#include "TestFifoFile.moc"
