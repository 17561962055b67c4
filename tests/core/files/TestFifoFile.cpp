// The queue file: record layout, round trips and damaged files.
#include "TFailDevice.h"
#include "TFifoFile.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QtEndian>
#include <limits>

namespace {

void AppendInt32(QByteArray& image, qint32 value)
{
    char b[4];
    qToLittleEndian(value, b);
    image.append(b, 4);
}

void AppendLong(QByteArray& image, const QByteArray& text)
{
    AppendInt32(image, qint32(text.size()));
    image += text;
}

TResu0 SampleResult()
{
    TResu0 r;
    r.DateTime = 46096.375;
    r.Values[0] = { 5.25f, psWithin, { 0, 0, 0 } };
    r.Values[1] = { -1.5f, psDiscarded, { 1, 2, 3 } };
    r.Values[2] = { 0.0f, psNoValue, { 0, 0, 0 } };
    r.Comment = QString::fromUtf8("Lot changé");
    r.Operator = "JD";
    r.Analyte = "Glucose";
    return r;
}

// SampleResult() laid out from the table of the queue record.
QByteArray GoldenRecord()
{
    QByteArray image(32, '\0');
    qToLittleEndian(46096.375, image.data() + 0);
    qToLittleEndian(5.25f, image.data() + 8);
    image[12] = char(psWithin);
    qToLittleEndian(-1.5f, image.data() + 16);
    image[20] = char(psDiscarded);
    image[21] = 1;
    image[22] = 2;
    image[23] = 3;
    qToLittleEndian(0.0f, image.data() + 24);
    image[28] = char(psNoValue);
    AppendLong(image, "Lot chang\xE9");
    AppendLong(image, "JD");
    AppendLong(image, "Glucose");
    return image;
}

bool ReadImage(TFifoReader& reader, const QByteArray& image, std::deque<TResu0>& records)
{
    QBuffer buffer;
    buffer.setData(image);
    buffer.open(QIODevice::ReadOnly);
    return reader.Read(buffer, records);
}

} // namespace

class TestFifoFile : public QObject {
    Q_OBJECT

private slots:
    void writesTheGoldenRecord()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(TFifoWriter().Write(buffer, { SampleResult() }));
        QCOMPARE(buffer.data().toHex(' '), GoldenRecord().toHex(' '));
    }

    void readsRecordsInFileOrder()
    {
        TResu0 second = MakeResult(46100.5, 1, 2, 3, "ZZ", "");
        second.Analyte = "Calcium";
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(TFifoWriter().Write(buffer, { second }));
        std::deque<TResu0> records;
        TFifoReader reader;
        QVERIFY2(ReadImage(reader, GoldenRecord() + buffer.data(), records), qPrintable(reader.ErrorString()));
        QCOMPARE(records.size(), size_t(2));
        QVERIFY(records[0] == SampleResult());
        QVERIFY(records[1] == second);
    }

    void emptyFileIsAnEmptyQueue()
    {
        std::deque<TResu0> records { SampleResult() };
        TFifoReader reader;
        QVERIFY(ReadImage(reader, QByteArray(), records));
        QVERIFY(records.empty());
    }

    void rejectsDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray good = GoldenRecord() + GoldenRecord();
        const int one = GoldenRecord().size();
        auto withInt = [&](int offset, qint32 value) {
            QByteArray image = good;
            qToLittleEndian(value, image.data() + offset);
            return image;
        };
        QTest::newRow("cut in the fixed part") << good.left(one + 20);
        QTest::newRow("cut in a length") << good.left(one + 34);
        QTest::newRow("cut in the analyte name") << good.left(good.size() - 1);
        QTest::newRow("comment length beyond the file") << withInt(one + 32, 1 << 30);
        QTest::newRow("negative comment length") << withInt(32, -1);
        QByteArray badStatus = good;
        badStatus[one + 12] = 7;
        QTest::newRow("unknown status") << badStatus;
        QByteArray nanDate = good;
        qToLittleEndian(std::numeric_limits<double>::quiet_NaN(), nanDate.data() + one);
        QTest::newRow("date not a number") << nanDate;
        QByteArray infValue = good;
        qToLittleEndian(std::numeric_limits<float>::infinity(), infValue.data() + 8);
        QTest::newRow("counted value infinite") << infValue;
        QTest::newRow("three stray bytes") << good + QByteArray(3, '\0');
    }

    void rejectsDamagedFiles()
    {
        QFETCH(QByteArray, image);
        std::deque<TResu0> records { SampleResult() };
        TFifoReader reader;
        QVERIFY(!ReadImage(reader, image, records));
        QVERIFY(!reader.ErrorString().isEmpty());
        QCOMPARE(records.size(), size_t(1)); // untouched
    }

    void discardedValueMayBeAnything()
    {
        // Only counted values must be numbers: a discarded cell keeps what it held.
        QByteArray image = GoldenRecord();
        qToLittleEndian(std::numeric_limits<float>::infinity(), image.data() + 16);
        std::deque<TResu0> records;
        TFifoReader reader;
        QVERIFY(ReadImage(reader, image, records));
        QCOMPARE(records.size(), size_t(1));
    }

    void writeFailurePartWayIsReported()
    {
        TFailDevice device(40);
        device.open(QIODevice::WriteOnly);
        TFifoWriter writer;
        QVERIFY(!writer.Write(device, { SampleResult() }));
        QVERIFY(!writer.ErrorString().isEmpty());
    }
};

VANTOREL_TEST(TestFifoFile)
#include "TestFifoFile.moc"
