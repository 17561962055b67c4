// The 10-byte extended float of the files.
#include "TExtended.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <limits>

namespace {
QByteArray Bytes(double value)
{
    unsigned char b[ExtendedSize];
    DoubleToExtended(value, b);
    return QByteArray(reinterpret_cast<const char*>(b), ExtendedSize);
}
double Back(const QByteArray& bytes)
{
    return ExtendedToDouble(reinterpret_cast<const unsigned char*>(bytes.constData()));
}
}

class TestExtended : public QObject {
    Q_OBJECT

private slots:
    void knownEncodings()
    {
        // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF.
        QCOMPARE(Bytes(1.0).toHex(), QByteArray("0000000000000080ff3f"));
        // -2.0: exponent 0x4000 with the sign bit.
        QCOMPARE(Bytes(-2.0).toHex(), QByteArray("000000000000008000c0"));
        QCOMPARE(Bytes(0.0).toHex(), QByteArray("00000000000000000000"));
        // 42 = 1.3125 x 2^5: mantissa 0xA8 << 56, exponent 0x4004.
        QCOMPARE(Bytes(42.0).toHex(), QByteArray("00000000000000a80440"));
    }

    void roundTrips_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -12.75;
        QTest::newRow("1e-10") << 1e-10;
        QTest::newRow("318.31") << 318.31;
        QTest::newRow("a third") << 1.0 / 3.0;
        QTest::newRow("largest") << std::numeric_limits<double>::max();
        QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
        QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min();
    }
    void roundTrips()
    {
        QFETCH(double, value);
        QCOMPARE(Back(Bytes(value)), value);
    }

    void matchesTheX87FormatWhereTheCompilerHasIt()
    {
#if defined(__x86_64__) || defined(__i386__)
        for (double v : { 318.31, -0.001, 3.0e-300, 1.0e300, 12.706 }) {
            long double x = v;
            QByteArray native(reinterpret_cast<const char*>(&x), ExtendedSize);
            QCOMPARE(Bytes(v).toHex(), native.toHex());
        }
        // Reading rounds the 64-bit mantissa to the nearest double.
        const long double third = 1.0L / 3.0L;
        QCOMPARE(Back(QByteArray(reinterpret_cast<const char*>(&third), ExtendedSize)), double(third));
#else
        QSKIP("no x87 long double on this processor");
#endif
    }

    void specialValuesDoNotCrash()
    {
        QVERIFY(std::isinf(Back(Bytes(std::numeric_limits<double>::infinity()))));
        QVERIFY(std::isnan(Back(Bytes(std::numeric_limits<double>::quiet_NaN()))));
        // Beyond the double range: infinity; below it: zero.
        QByteArray huge = Bytes(1.0);
        huge[8] = char(0xFE);
        huge[9] = char(0x7F);
        QVERIFY(std::isinf(Back(huge)));
        QByteArray tiny = Bytes(1.0);
        tiny[8] = 0x01;
        tiny[9] = 0x00;
        QCOMPARE(Back(tiny), 0.0);
        // An extended denormal (exponent 0) and an unnormal (integer bit clear).
        QByteArray unnormal = Bytes(1.0);
        unnormal[7] = 0x40; // mantissa 0x4000..., exponent 0x3FFF: 0.5
        QCOMPARE(Back(unnormal), 0.5);
    }
};

VANTOREL_TEST(TestExtended)
#include "TestExtended.moc"
