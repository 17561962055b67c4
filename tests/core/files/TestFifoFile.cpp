#include "TByteImage.h"
#include "TFifo.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
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
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0], SampleResult());
        QCOMPARE(records[1], second);
        // An empty file is an empty queue.
        QBuffer empty;
        QVERIFY(empty.open(QIODevice::ReadOnly));
        QVERIFY(reader.Read(empty, records));
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
        QVERIFY(!fifo.Save());
        QVERIFY(fifo.Synced());
        QVERIFY(!fifo.Load());
        QCOMPARE(fifo.Count(), 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void fileFollowsEveryChangeAndOutlivesTheProgram()
    {
        {
            TFifo fifo;
            fifo.SetStore(FifoFileStore(m_name));
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
        again.SetStore(FifoFileStore(m_name));
        QVERIFY(again.Load());
        QCOMPARE(again.Count(), 3);
        QCOMPARE(again.Pop().value(), Result(2));
        QVERIFY(again.Clear());
        QVERIFY(FileContent(m_name).isEmpty());
        // A cut file gives an empty queue and says why.
        QVERIFY(again.Push(Result(1)));
        QVERIFY(again.Push(Result(2)));
        QVERIFY(PutFile(m_name, FileContent(m_name).chopped(2)));
        QVERIFY(!again.Load());
        QCOMPARE(again.Count(), 0);
        QVERIFY2(again.ErrorString().startsWith("Queued result 2: "), qPrintable(again.ErrorString()));
    }
};

VANTOREL_TEST(TestFifoFile)
#include "TestFifoFile.moc"
