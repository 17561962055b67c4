#include "TByteImage.h"

#include <cmath>
#include <cstring>

TByteImage& TByteImage::Bits(quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        m_bytes.append(char(value >> (8 * i)));
    return *this;
}

TByteImage& TByteImage::Byte(quint8 value) { return Bits(value, 1); }
TByteImage& TByteImage::Int32(qint32 value) { return Bits(quint32(value), 4); }

TByteImage& TByteImage::Single(float value)
{
    quint32 u;
    std::memcpy(&u, &value, 4);
    return Bits(u, 4);
}

TByteImage& TByteImage::Double(double value)
{
    quint64 u;
    std::memcpy(&u, &value, 8);
    return Bits(u, 8);
}

TByteImage& TByteImage::Extended(double value)
{
    quint64 mantissa = 0;
    quint16 signExponent = 0;
    if (value != 0.0) {
        // value = m * 2^e with 0.5 <= |m| < 1: the explicit integer bit is the top bit of
        // m * 2^64, and the biased exponent is e - 1 + 16383.
        int e = 0;
        mantissa = quint64(std::ldexp(std::frexp(std::fabs(value), &e), 64));
        signExponent = quint16(e - 1 + 16383);
    }
    return Bits(mantissa, 8).Bits(signExponent | (std::signbit(value) ? 0x8000 : 0), 2);
}

TByteImage& TByteImage::Raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

TByteImage& TByteImage::ShortString(const QString& text, int capacity)
{
    const QByteArray latin = text.toLatin1().left(capacity);
    return Byte(quint8(text.size())).Raw(latin).Zeros(capacity - int(latin.size()));
}

TByteImage& TByteImage::LongString(const QString& text) { return Int32(qint32(text.size())).Raw(text.toLatin1()); }

TByteImage& TByteImage::Stamp(const char* version)
{
    return Byte(8).Raw(QByteArray(version, 2)).Raw(QByteArray::fromHex("b5fe706f3435"));
}

void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char(quint64(value) >> (8 * i));
}
