#pragma once
#include <QByteArray>
#include <QString>
#include <bit>

// The expected bytes of a binary file, built field by field for golden tests and for
// hand-made damaged or foreign files; independent of the program's writers.
class TByteImage {
public:
    TByteImage& Byte(quint8 value) { return Bits(value, 1); }
    TByteImage& Int32(qint32 value) { return Bits(quint32(value), 4); }
    TByteImage& Single(float value) { return Bits(std::bit_cast<quint32>(value), 4); }
    TByteImage& Double(double value) { return Bits(std::bit_cast<quint64>(value), 8); }
    TByteImage& Extended(double value); // the exact 80-bit form of a finite double
    TByteImage& Zeros(int count) { return Raw(QByteArray(count, '\0')); }
    TByteImage& Raw(const QByteArray& bytes);
    TByteImage& ShortString(const QString& text, int capacity); // length byte, Latin-1 text, zeros to capacity
    TByteImage& LongString(const QString& text) { return Int32(qint32(text.size())).Raw(text.toLatin1()); }
    TByteImage& Stamp(const char* version = "32"); // 8, the two version characters, B5 FE 70 6F 34 35
    int Size() const { return int(m_bytes.size()); }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    TByteImage& Bits(quint64 value, int width); // little-endian

    QByteArray m_bytes;
};

// Overwrites `width` bytes at an offset with the low bytes of value, little-endian.
void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value);
