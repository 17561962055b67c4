#include "TByteImage.h"

#include <cmath>
#include <cstring>

TByteImage& TByteImage::Byte(quint8 value)
{
    m_bytes.append(char(value));
    return *this;
}

TByteImage& TByteImage::Int32(qint32 value)
{
    const quint32 u = quint32(value);
    for (int i = 0; i < 4; ++i)
        Byte(quint8(u >> (8 * i)));
    return *this;
}

TByteImage& TByteImage::Single(float value)
{
    quint32 u;
    std::memcpy(&u, &value, 4);
    return Int32(qint32(u));
}

TByteImage& TByteImage::Double(double value)
{
    quint64 u;
    std::memcpy(&u, &value, 8);
    for (int i = 0; i < 8; ++i)
        Byte(quint8(u >> (8 * i)));
    return *this;
}

TByteImage& TByteImage::Extended(double value)
{
    quint64 mantissa = 0;
    quint16 signExponent = 0;
    if (value != 0.0) {
        // value = m * 2^e with 0.5 <= |m| < 1: the explicit integer bit is the top
        // bit of m * 2^64, and the biased exponent is e - 1 + 16383.
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e);
        mantissa = quint64(std::ldexp(m, 64));
        signExponent = quint16(e - 1 + 16383);
    }
    if (std::signbit(value))
        signExponent |= 0x8000;
    for (int i = 0; i < 8; ++i)
        Byte(quint8(mantissa >> (8 * i)));
    Byte(quint8(signExponent));
    return Byte(quint8(signExponent >> 8));
}

TByteImage& TByteImage::Zeros(int count)
{
    m_bytes.append(QByteArray(count, '\0'));
    return *this;
}

TByteImage& TByteImage::Raw(const QByteArray& bytes)
{
    m_bytes.append(bytes);
    return *this;
}

TByteImage& TByteImage::ShortString(const QString& text, int capacity)
{
    const QByteArray latin = text.toLatin1();
    Byte(quint8(latin.size()));
    m_bytes.append(latin.left(capacity));
    return Zeros(capacity - int(qMin<qsizetype>(latin.size(), capacity)));
}

TByteImage& TByteImage::LongString(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    Int32(qint32(latin.size()));
    m_bytes.append(latin);
    return *this;
}

TByteImage& TByteImage::Stamp(const char* version)
{
    Byte(8).Byte(quint8(version[0])).Byte(quint8(version[1]));
    for (quint8 b : { 0xB5, 0xFE, 0x70, 0x6F, 0x34, 0x35 })
        Byte(b);
    return *this;
}

void PatchInt32(QByteArray& bytes, int offset, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char(quint32(value) >> (8 * i));
}

qint32 Int32At(const QByteArray& bytes, int offset)
{
    quint32 u = 0;
    for (int i = 0; i < 4; ++i)
        u |= quint32(quint8(bytes[offset + i])) << (8 * i);
    return qint32(u);
}

void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char(quint64(value) >> (8 * i));
}

QString FirstCutNotRefused(const QByteArray& image, int tail, const std::function<QString(const QByteArray&)>& refuse)
{
    for (int cut = 0; cut < image.size(); ++cut) {
        const QString bare = refuse(image.left(cut));
        if (bare.startsWith('<'))
            return QString("cut at %1: %2").arg(cut).arg(bare);
    }
    const QByteArray end = image.right(tail);
    for (int cut = 0; cut < image.size() - tail; ++cut) {
        const QString mended = refuse(image.left(cut) + end);
        if (mended.startsWith('<'))
            return QString("cut at %1 with the end put back: %2").arg(cut).arg(mended);
    }
    return QString();
}
