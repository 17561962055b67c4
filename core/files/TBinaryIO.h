#pragma once
#include <QByteArray>
#include <QIODevice>
#include <QString>

// Little-endian field readers and writers over a device. The reader remembers
// its first failure (end of data, a device error, a length beyond capacity) and
// from then on returns zeros; callers check Ok() after a record.
class TBinaryReader {
public:
    // The size of a random-access device is taken once: asking a file for it
    // costs a system call, and the readers ask before every counted field.
    explicit TBinaryReader(QIODevice& device)
        : m_device(device)
        , m_size(device.isSequential() ? -1 : device.size())
    {
    }

    bool Ok() const { return m_error.isEmpty(); }
    const QString& ErrorString() const { return m_error; }
    // Marks the read as failed (the first reason is kept).
    void Fail(const QString& reason);
    qint64 Pos() const { return m_device.pos(); }
    qint64 Remaining() const { return (m_size >= 0 ? m_size : m_device.size()) - m_device.pos(); }
    bool AtEnd() const { return Remaining() <= 0; }

    quint8 ReadByte();
    qint32 ReadInt32();
    float ReadSingle();
    double ReadDouble();
    double ReadExtended();
    QByteArray ReadBytes(qint64 count);
    // Reads count bytes into out (a caller's buffer, reused for large sections);
    // false, and the reader failed, when they run past the end or cannot be read.
    bool ReadInto(char* out, qint64 count);
    // A length byte, then `capacity` bytes of which the first `length` are the text.
    QString ReadShortString(int capacity);
    // An int32 length, then the characters.
    QString ReadLongString();

private:
    bool Take(char* out, qint64 count);

    QIODevice& m_device;
    const qint64 m_size; // -1 for a sequential device, asked each time
    QString m_error;
};

class TBinaryWriter {
public:
    explicit TBinaryWriter(QIODevice& device)
        : m_device(device)
    {
    }

    bool Ok() const { return m_ok; }
    void WriteByte(quint8 value);
    void WriteInt32(qint32 value);
    void WriteSingle(float value);
    void WriteDouble(double value);
    void WriteExtended(double value);
    void WriteBytes(const QByteArray& bytes);
    void WriteBytes(const char* data, qint64 size);
    // Writes the length byte and `capacity` bytes, zero-padded; longer text is cut.
    void WriteShortString(const QString& text, int capacity);
    void WriteLongString(const QString& text);

private:
    QIODevice& m_device;
    bool m_ok = true;
};

// Convenience forms named as the program's routines.
QString ReadLongString(TBinaryReader& in);
void WriteLongString(TBinaryWriter& out, const QString& text);
