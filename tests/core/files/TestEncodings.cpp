// How the files encode numbers and text: the 10-byte extended float and Windows-1252.
#include "TExtended.h"
#include "TTestRegistry.h"
#include "TWin1252.h"
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

} // namespace

class TestEncodings : public QObject {
    Q_OBJECT

private slots:
    void extendedFloats()
    {
        // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF; -2.0: exponent 0x4000 with the sign
        // bit; 42 = 1.3125 x 2^5: mantissa 0xA8 << 56, exponent 0x4004.
        QCOMPARE(Bytes(1.0).toHex(), QByteArray("0000000000000080ff3f"));
        QCOMPARE(Bytes(-2.0).toHex(), QByteArray("000000000000008000c0"));
        QCOMPARE(Bytes(0.0).toHex(), QByteArray("00000000000000000000"));
        QCOMPARE(Bytes(42.0).toHex(), QByteArray("00000000000000a80440"));
        for (double v : { -12.75, 1e-10, 1.0 / 3.0, std::numeric_limits<double>::max(),
                 std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min() })
            QCOMPARE(Back(Bytes(v)), v);
#if defined(__x86_64__) || defined(__i386__)
        for (double v : { 318.31, -0.001, 3.0e-300, 1.0e300, 12.706 }) {
            const long double x = v;
            QCOMPARE(Bytes(v).toHex(), QByteArray(reinterpret_cast<const char*>(&x), ExtendedSize).toHex());
        }
        // Reading rounds the 64-bit mantissa to the nearest double.
        const long double third = 1.0L / 3.0L;
        QCOMPARE(Back(QByteArray(reinterpret_cast<const char*>(&third), ExtendedSize)), double(third));
#endif
        QVERIFY(std::isinf(Back(Bytes(std::numeric_limits<double>::infinity()))));
        QVERIFY(std::isnan(Back(Bytes(std::numeric_limits<double>::quiet_NaN()))));
        // Beyond the double range: infinity; below it: zero; an unnormal (integer bit clear) is read as it stands.
        QVERIFY(std::isinf(Back(QByteArray::fromHex("0000000000000080fe7f"))));
        QCOMPARE(Back(QByteArray::fromHex("00000000000000800100")), 0.0);
        QCOMPARE(Back(QByteArray::fromHex("0000000000000040ff3f")), 0.5);
    }

    void windows1252Text()
    {
        QCOMPARE(ToWin1252(QString::fromUtf8("\u00b5mol/L \u00e9")), QByteArray("\xB5mol/L \xE9"));
        QCOMPARE(FromWin1252(QByteArray("\xB5mol/L \xE9")), QString::fromUtf8("\u00b5mol/L \u00e9"));
        QCOMPARE(FromWin1252(QByteArray("\x80\x99\x9C")), QString::fromUtf8("\u20ac\u2122\u0153"));
        QCOMPARE(ToWin1252(QString::fromUtf8("\u20ac\u2030\u0178")), QByteArray("\x80\x89\x9F"));
        // Undefined positions pass through as the control of the same number; other characters become '?'.
        QCOMPARE(FromWin1252(QByteArray("\x81")), QString(QChar(0x81)));
        QCOMPARE(ToWin1252(QString(QChar(0x81)) + QString::fromUtf8("\u03b1")), QByteArray("\x81?"));
        // Foreign text: UTF-8 (with or without its mark) when valid, else Windows-1252.
        QCOMPARE(DecodeForeignText("\xEF\xBB\xBFr\xC3\xA9sultat"), QString::fromUtf8("r\u00e9sultat"));
        QCOMPARE(DecodeForeignText("r\xC3\xA9sultat"), QString::fromUtf8("r\u00e9sultat"));
        QCOMPARE(DecodeForeignText("r\xE9sultat \xB5mol"), QString::fromUtf8("r\u00e9sultat \u00b5mol"));
    }
};

VANTOREL_TEST(TestEncodings)
#include "TestEncodings.moc"
