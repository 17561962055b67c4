#include "TByteImage.h"

#include <cmath>

TByteImage& TByteImage::Bits(quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        m_bytes.append(char(value >> (8 * i)));
    return *this;
}

TByteImage& TByteImage::Extended(double value)
{
    // value = m * 2^e with 0.5 <= |m| < 1: the explicit integer bit is the top bit of m * 2^64,
    // the biased exponent e - 1 + 16383.
    int e = 0;
    const double m = std::frexp(std::fabs(value), &e);
    Bits(value == 0 ? 0 : quint64(std::ldexp(m, 64)), 8);
    return Bits((value == 0 ? 0 : e - 1 + 16383) | (std::signbit(value) ? 0x8000 : 0), 2);
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

TByteImage& TByteImage::Stamp(const char* version)
{
    return Byte(8).Raw(QByteArray(version, 2)).Raw(QByteArray::fromHex("b5fe706f3435"));
}

void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char(quint64(value) >> (8 * i));
}
