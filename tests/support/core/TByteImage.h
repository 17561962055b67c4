#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Builds the expected bytes of a binary file field by field, for golden tests and for
// hand-made damaged or foreign files. Independent of the program's writers: little-endian
// numbers, Latin-1 text, and 10-byte extended floats by its own arithmetic.
class TByteImage {
public:
    TByteImage& Byte(quint8 value);
    TByteImage& Int32(qint32 value);
    TByteImage& Single(float value);
    TByteImage& Double(double value);
    TByteImage& Extended(double value); // the exact 80-bit form of a finite double
    TByteImage& Zeros(int count) { return Raw(QByteArray(count, '\0')); }
    TByteImage& Raw(const QByteArray& bytes);
    TByteImage& ShortString(const QString& text, int capacity); // length byte, text, zeros up to capacity
    TByteImage& LongString(const QString& text); // int32 length, then the text
    TByteImage& Stamp(const char* version = "32"); // 8, the two version characters, B5 FE 70 6F 34 35

    int Size() const { return int(m_bytes.size()); }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    TByteImage& Bits(quint64 value, int width);

    QByteArray m_bytes;
};

// Overwrites `width` bytes at an offset with the low bytes of value, little-endian.
void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value);
