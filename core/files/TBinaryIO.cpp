#include "TBinaryIO.h"

#include "TExtended.h"
#include "TWin1252.h"

#include <QtEndian>
#include <cstring>

void TBinaryReader::Fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
}

bool TBinaryReader::Take(char* out, qint64 count)
{
    if (!Ok()) {
        std::memset(out, 0, size_t(count));
        return false;
    }
    // A device may deliver fewer bytes than asked without being at its end: read on
    // until the field is complete, the device reports an error or the data end.
    qint64 total = 0;
    while (total < count) {
        const qint64 got = m_device.read(out + total, count - total);
        if (got <= 0) {
            std::memset(out, 0, size_t(count));
            Fail(got < 0 ? QString("Read error near byte %1: %2").arg(m_device.pos()).arg(m_device.errorString())
                         : QString("File ends early near byte %1").arg(m_device.pos()));
            return false;
        }
        total += got;
    }
    return true;
}

quint8 TBinaryReader::ReadByte()
{
    char b = 0;
    Take(&b, 1);
    return quint8(b);
}

qint32 TBinaryReader::ReadInt32()
{
    char b[4];
    Take(b, 4);
    return qFromLittleEndian<qint32>(b);
}

float TBinaryReader::ReadSingle()
{
    char b[4];
    Take(b, 4);
    return qFromLittleEndian<float>(b);
}

double TBinaryReader::ReadDouble()
{
    char b[8];
    Take(b, 8);
    return qFromLittleEndian<double>(b);
}

double TBinaryReader::ReadExtended()
{
    unsigned char b[ExtendedSize];
    Take(reinterpret_cast<char*>(b), ExtendedSize);
    return ExtendedToDouble(b);
}

QByteArray TBinaryReader::ReadBytes(qint64 count)
{
    if (count < 0 || count > Remaining()) {
        Fail(QString("A field of %1 bytes runs past the end near byte %2").arg(count).arg(Pos()));
        return QByteArray();
    }
    QByteArray bytes(count, Qt::Uninitialized);
    Take(bytes.data(), count);
    return bytes;
}

bool TBinaryReader::ReadInto(char* out, qint64 count)
{
    if (count < 0 || count > Remaining()) {
        Fail(QString("A field of %1 bytes runs past the end near byte %2").arg(count).arg(Pos()));
        return false;
    }
    return Take(out, count);
}

QString TBinaryReader::ReadShortString(int capacity)
{
    const quint8 length = ReadByte();
    const QByteArray bytes = ReadBytes(capacity);
    if (!Ok())
        return QString();
    if (length > capacity) {
        Fail(QString("A text of length %1 exceeds its capacity of %2 near byte %3")
                 .arg(length)
                 .arg(capacity)
                 .arg(Pos()));
        return QString();
    }
    return FromWin1252(bytes.constData(), length);
}

QString TBinaryReader::ReadLongString()
{
    const qint32 length = ReadInt32();
    if (!Ok())
        return QString();
    if (length < 0 || length > Remaining()) {
        Fail(QString("A text of length %1 runs past the end near byte %2").arg(length).arg(Pos()));
        return QString();
    }
    return FromWin1252(ReadBytes(length));
}

void TBinaryWriter::WriteBytes(const char* data, qint64 size)
{
    // A device may take part of the data and report its error on the next call:
    // write on until everything is taken or the device refuses.
    qint64 total = 0;
    while (m_ok && total < size) {
        const qint64 written = m_device.write(data + total, size - total);
        if (written <= 0)
            m_ok = false;
        else
            total += written;
    }
}

void TBinaryWriter::WriteBytes(const QByteArray& bytes) { WriteBytes(bytes.constData(), bytes.size()); }

void TBinaryWriter::WriteByte(quint8 value)
{
    const char b = char(value);
    WriteBytes(&b, 1);
}

void TBinaryWriter::WriteInt32(qint32 value)
{
    char b[4];
    qToLittleEndian(value, b);
    WriteBytes(b, 4);
}

void TBinaryWriter::WriteSingle(float value)
{
    char b[4];
    qToLittleEndian(value, b);
    WriteBytes(b, 4);
}

void TBinaryWriter::WriteDouble(double value)
{
    char b[8];
    qToLittleEndian(value, b);
    WriteBytes(b, 8);
}

void TBinaryWriter::WriteExtended(double value)
{
    unsigned char b[ExtendedSize];
    DoubleToExtended(value, b);
    WriteBytes(reinterpret_cast<const char*>(b), ExtendedSize);
}

void TBinaryWriter::WriteShortString(const QString& text, int capacity)
{
    QByteArray bytes = ToWin1252(text).left(capacity);
    WriteByte(quint8(bytes.size()));
    bytes.append(QByteArray(capacity - bytes.size(), '\0'));
    WriteBytes(bytes);
}

void TBinaryWriter::WriteLongString(const QString& text)
{
    const QByteArray bytes = ToWin1252(text);
    WriteInt32(qint32(bytes.size()));
    WriteBytes(bytes);
}

QString ReadLongString(TBinaryReader& in) { return in.ReadLongString(); }

void WriteLongString(TBinaryWriter& out, const QString& text) { out.WriteLongString(text); }
