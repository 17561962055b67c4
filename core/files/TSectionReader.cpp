#include "TSectionReader.h"

#include "TBinaryIO.h"
#include "TFileStamp.h"

#include <QBuffer>
#include <QFile>

void TSectionReader::Begin()
{
    m_section.clear();
    m_error.clear();
}

bool TSectionReader::OpenForReading(QFile& file)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    return Fail(QString("Cannot open %1: %2").arg(file.fileName(), file.errorString()));
}

bool TSectionReader::OnSeekable(QIODevice& device, const std::function<bool(QIODevice&)>& read)
{
    if (!device.isSequential())
        return read(device);
    QByteArray bytes = device.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

bool TSectionReader::Fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = m_section.isEmpty() ? reason : m_section + ": " + reason;
    return false;
}

bool TSectionReader::FailAt(qint64 offset, const QString& what)
{
    return Fail(QString("%1 at byte %2").arg(what).arg(offset));
}

bool TSectionReader::Check(const TBinaryReader& in) { return in.Ok() || Fail(in.ErrorString()); }

bool TSectionReader::ReadCount(TBinaryReader& in, qint64 minimumSize, qint32& count)
{
    const qint64 offset = in.Pos();
    count = in.ReadInt32();
    if (!Check(in))
        return false;
    if (count < 0)
        return FailAt(offset, QString("The count %1 is negative").arg(count));
    if (qint64(count) > in.Remaining() / minimumSize)
        return FailAt(offset,
            QString("The count %1 is larger than what is left of the file (%2 bytes)").arg(count).arg(in.Remaining()));
    return true;
}

bool TSectionReader::ReadStamp(TBinaryReader& in) { return ReadFileStamp(in) || Fail(in.ErrorString()); }

bool TSectionReader::LockIntervalValid(qint32 first, qint32 last, qint32 count)
{
    if (first == -1)
        return true;
    return first >= 0 && last < count && qint64(first) <= qint64(last) + 1;
}

bool TSectionReader::CheckLockInterval(qint64 offset, int level, qint32 first, qint32 last, qint32 count)
{
    if (LockIntervalValid(first, last, count))
        return true;
    return FailAt(offset,
        QString("Level %1 is locked on points %2..%3 but the analyte has %4 points")
            .arg(level + 1)
            .arg(first)
            .arg(last)
            .arg(count));
}
