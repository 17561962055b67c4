#include "TConfigWriter.h"

#include "TAtomicFile.h"
#include "TBinaryIO.h"
#include "TFileStamp.h"

#include <QIODevice>

void TConfigWriter::WriteRecord(TBinaryWriter& out, const TConfigRecord& record)
{
    out.WriteByte(record.ShowAboutAtStart ? 1 : 0);
    out.WriteByte(record.PrintInColour ? 1 : 0);
    out.WriteShortString(record.Password, TConfigRecord::PasswordCapacity);
    out.WriteByte(quint8(record.BackupDrive));
    out.WriteByte(record.Unused14[0]);
    out.WriteByte(record.Unused14[1]);
    out.WriteInt32(record.BackupInterval);
    out.WriteDouble(record.LastBackupDate);
    out.WriteByte(record.AlertRisk);
    out.WriteByte(record.ActionRisk);
    TFileStamp stamp;
    stamp.Version[0] = record.Version[0];
    stamp.Version[1] = record.Version[1];
    WriteFileStamp(out, stamp);
    out.WriteByte(record.Unused39);
}

bool TConfigWriter::Write(QIODevice& device, const TConfigRecord& record, const QStringList& operators)
{
    m_error.clear();
    TBinaryWriter out(device);
    WriteRecord(out, record);
    out.WriteInt32(qint32(operators.size()));
    for (const QString& code : operators)
        out.WriteLongString(code);
    out.WriteLongString(record.BackupFolder);
    if (!out.Ok())
        m_error = QString("Write error: %1").arg(device.errorString());
    return out.Ok();
}

bool TConfigWriter::WriteFile(const QString& fileName, const TConfigRecord& record, const QStringList& operators)
{
    QString error;
    const bool ok = WriteFileAtomically(
        fileName, [&](QIODevice& device) { return Write(device, record, operators); }, &error);
    m_error = ok ? QString() : error;
    return ok;
}
