// The 44-byte point record.
#include "TQCPoint.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QtEndian>
#include <cmath>
#include <limits>

class TestQCPoint : public QObject {
    Q_OBJECT

private slots:
    void writesTheRecordLayout()
    {
        TQCPoint p;
        p.DateTime = 45000.5;
        p.Values[0] = { 5.25f, psHighWarning };
        p.Values[1] = { -1.0f, psDiscarded };
        p.Values[2] = { 0.0f, psNoValue };
        p.CommentID = 3;
        p.SetOperator(QString::fromUtf8("JéAN"));
        char record[TQCPoint::RecordSize];
        p.WriteRecord(record);

        // The expected image, field by field.
        QByteArray expected(44, '\0');
        qToLittleEndian(45000.5, expected.data());
        qToLittleEndian(5.25f, expected.data() + 8);
        expected[12] = 1;
        qToLittleEndian(-1.0f, expected.data() + 16);
        expected[20] = 5;
        expected[28] = 6;
        qToLittleEndian(qint32(3), expected.data() + 32);
        expected[36] = 4;
        expected.replace(37, 4,
            QByteArray("J\xE9"
                       "AN"));
        QCOMPARE(QByteArray(record, 44).toHex(), expected.toHex());
    }

    void readsBackAndCarriesUnusedBytes()
    {
        QByteArray raw(44, '\0');
        qToLittleEndian(44000.25, raw.data());
        qToLittleEndian(7.5f, raw.data() + 8);
        raw[13] = char(0xAA); // unused bytes of a cell
        raw[12] = 0;
        raw[20] = 6;
        raw[28] = 6;
        qToLittleEndian(qint32(-1), raw.data() + 32);
        raw[36] = 2;
        raw.replace(37, 4, QByteArray("AB\x01\x02", 4)); // bytes past the length are kept
        raw[43] = char(0x55);
        TQCPoint p;
        QVERIFY(p.ReadRecord(raw.constData()));
        QCOMPARE(p.Operator(), QString("AB"));
        QCOMPARE(p.Values[0].Value, 7.5f);
        char again[44];
        p.WriteRecord(again);
        QCOMPARE(QByteArray(again, 44).toHex(), raw.toHex());
    }

    void valuesThatAreNotCountedMayBeAnything_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("no value") << int(psNoValue);
        QTest::newRow("discarded") << int(psDiscarded);
    }
    void valuesThatAreNotCountedMayBeAnything()
    {
        QFETCH(int, status);
        QByteArray raw(44, '\0');
        raw[12] = raw[20] = raw[28] = char(status);
        qToLittleEndian(std::numeric_limits<float>::quiet_NaN(), raw.data() + 8);
        qToLittleEndian(std::numeric_limits<float>::infinity(), raw.data() + 16);
        TQCPoint p;
        QVERIFY(p.ReadRecord(raw.constData()));
        QVERIFY(std::isnan(p.Values[0].Value));
        QVERIFY(std::isinf(p.Values[1].Value));
        QCOMPARE(int(p.Values[2].Status), status);
    }

    void refusesDamagedRecords_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::newRow("operator longer than 4") << 36 << 5;
        QTest::newRow("unknown status") << 12 << 7;
        QTest::newRow("date not a number") << 7 << 0x7F; // with byte 6 below: NaN
        QTest::newRow("date infinite") << 7 << 0x7F; // with byte 6 below: +infinity
        QTest::newRow("counted value infinite") << 11 << 0x7F; // with byte 10 below and status 0
        QTest::newRow("status beyond the known ones") << 28 << 0xFF;
    }
    void refusesDamagedRecords()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QByteArray raw(44, '\0');
        raw[12] = raw[20] = raw[28] = 6;
        const QByteArray row = QTest::currentDataTag();
        if (row == "date not a number")
            raw[6] = char(0xF8);
        if (row == "date infinite")
            raw[6] = char(0xF0);
        if (row == "counted value infinite") {
            raw[10] = char(0x80);
            raw[12] = 0;
        }
        raw[offset] = char(byte);
        TQCPoint p;
        QVERIFY(!p.ReadRecord(raw.constData()));
    }
};

VANTOREL_TEST(TestQCPoint)
#include "TestQCPoint.moc"
