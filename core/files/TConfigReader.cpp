#include "TConfigReader.h"

#include "TBinaryIO.h"
#include "TFileStamp.h"

#include <QFile>
#include <cmath>

bool TConfigReader::Fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

bool TConfigReader::ReadRecord(TBinaryReader& in, TConfigRecord& record)
{
    const qint64 start = in.Pos();
    TConfigRecord r;
    r.ShowAboutAtStart = in.ReadByte() != 0;
    r.PrintInColour = in.ReadByte() != 0;
    r.Password = in.ReadShortString(TConfigRecord::PasswordCapacity);
    r.BackupDrive = char(in.ReadByte());
    r.Unused14[0] = in.ReadByte();
    r.Unused14[1] = in.ReadByte();
    r.BackupInterval = in.ReadInt32();
    r.LastBackupDate = in.ReadDouble();
    r.AlertRisk = in.ReadByte();
    r.ActionRisk = in.ReadByte();
    TFileStamp stamp;
    if (!ReadFileStamp(in, &stamp))
        return false;
    r.Version[0] = stamp.Version[0];
    r.Version[1] = stamp.Version[1];
    r.Unused39 = in.ReadByte();
    if (!in.Ok())
        return false;
    // Ranges the rest of the program relies on (the risks index the t table).
    if (r.AlertRisk > 1 || r.ActionRisk < 2 || r.ActionRisk > 4) {
        in.Fail(QString("Risk rows %1 and %2 out of range in the settings at byte %3")
                    .arg(r.AlertRisk)
                    .arg(r.ActionRisk)
                    .arg(start + 28));
        return false;
    }
    if (!std::isfinite(r.LastBackupDate)) {
        in.Fail(QString("Last backup date is not a number at byte %1").arg(start + 20));
        return false;
    }
    record = r;
    return true;
}

bool TConfigReader::Read(QIODevice& device)
{
    m_record = TConfigRecord();
    m_recordRead = false;
    m_operators.clear();
    m_error.clear();

    TBinaryReader in(device);
    if (!ReadRecord(in, m_record))
        return Fail(in.ErrorString());
    m_recordRead = true;

    const qint32 count = in.ReadInt32();
    if (!in.Ok())
        return Fail(in.ErrorString());
    // Each code takes at least its 4-byte length: a larger count cannot be real.
    if (count < 0 || count > in.Remaining() / 4)
        return Fail(QString("Operator count %1 does not fit the file at byte 40").arg(count));
    for (qint32 i = 0; i < count; ++i) {
        const QString code = in.ReadLongString();
        if (!in.Ok())
            return Fail(QString("Operator %1: %2").arg(i + 1).arg(in.ErrorString()));
        m_operators.append(code);
    }
    if (!in.AtEnd()) {
        m_record.BackupFolder = in.ReadLongString();
        if (!in.Ok())
            return Fail(QString("Backup folder: %1").arg(in.ErrorString()));
    }
    return true;
}

bool TConfigReader::ReadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_record = TConfigRecord();
        m_recordRead = false;
        m_operators.clear();
        m_error = QString("Cannot open %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return Read(file);
}
