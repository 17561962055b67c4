#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

// Builds the expected bytes of a binary file field by field, for golden tests
// and for hand-made damaged or foreign files. Independent of the program's
// writers: it encodes little-endian numbers, Windows-1252 text for the Latin-1
// range, and 10-byte extended floats by its own arithmetic.
class TByteImage {
public:
    TByteImage& Byte(quint8 value);
    TByteImage& Int32(qint32 value);
    TByteImage& Single(float value);
    TByteImage& Double(double value);
    // The 80-bit extended float of a finite double (exact).
    TByteImage& Extended(double value);
    TByteImage& Zeros(int count);
    TByteImage& Raw(const QByteArray& bytes);
    // Length byte, the text, zeros up to `capacity`.
    TByteImage& ShortString(const QString& text, int capacity);
    // int32 length, then the text.
    TByteImage& LongString(const QString& text);
    // Length byte 8, the two version characters, B5 FE 70 6F 34 35.
    TByteImage& Stamp(const char* version = "32");

    int Size() const { return int(m_bytes.size()); }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Overwrites a little-endian int32 at an offset of an image.
void PatchInt32(QByteArray& bytes, int offset, qint32 value);
qint32 Int32At(const QByteArray& bytes, int offset);
// Overwrites `width` bytes at an offset with the low bytes of value, little-endian.
void PatchBytes(QByteArray& bytes, int offset, int width, qint64 value);

// Offers every proper prefix of an image to `refuse`, then each prefix that ends
// before the image's last `tail` bytes with those bytes put back. `refuse` returns
// the reader's reason, or a text starting with '<' when the input was taken or
// the data changed. Returns the first such case, described, or empty.
QString FirstCutNotRefused(const QByteArray& image, int tail, const std::function<QString(const QByteArray&)>& refuse);
