#include "TDataFileWriter.h"

#include "TAnalyte.h"
#include "TAtomicFile.h"
#include "TBinaryIO.h"
#include "TDataFileLayout.h"
#include "TExtended.h"
#include "TFileStamp.h"
#include "TListAnalytes.h"
#include "TListSerum.h"

bool TDataFileWriter::Write(const QString& fileName, const TListSerum& serums, const TListAnalytes& analytes)
{
    m_error.clear();
    QString error;
    if (WriteFileAtomically(
            fileName, [&](QIODevice& device) { return Write(device, serums, analytes); }, &error))
        return true;
    m_error = error;
    return false;
}

bool TDataFileWriter::Write(QIODevice& device, const TListSerum& serums, const TListAnalytes& analytes)
{
    m_error.clear();
    TBinaryWriter out(device);
    WriteSerums(out, serums);
    out.WriteInt32(analytes.Count());
    for (int i = 0; i < analytes.Count() && out.Ok(); ++i)
        WriteAnalyte(out, analytes.Item(i));
    WriteFileStamp(out);
    if (!out.Ok()) {
        m_error = device.errorString();
        if (m_error.isEmpty())
            m_error = QStringLiteral("The device refused the data");
        return false;
    }
    return true;
}

void TDataFileWriter::WriteSerums(TBinaryWriter& out, const TListSerum& serums)
{
    out.WriteInt32(serums.Count());
    for (int i = 0; i < serums.Count(); ++i) {
        const TSerum& serum = serums.Item(i);
        out.WriteInt32(serum.ID);
        out.WriteInt32(serum.EraseMark);
        out.WriteShortString(serum.Name, TSerum::NameCapacity);
        out.WriteShortString(serum.Lot, TSerum::LotCapacity);
        out.WriteByte(0);
    }
}

void TDataFileWriter::WriteAnalyte(TBinaryWriter& out, const TAnalyte& analyte)
{
    WritePoints(out, analyte);
    WriteHeader(out, analyte);
    for (const TLevelStats& stats : analyte.ReferenceStats) {
        out.WriteExtended(stats.Mean);
        out.WriteExtended(stats.WarningHalfWidth);
        out.WriteExtended(stats.ActionHalfWidth);
    }
    WriteFileStamp(out);
    out.WriteInt32(qint32(analyte.Archives.size()));
    for (qint32 number : analyte.Archives)
        out.WriteInt32(number);
    WriteFileStamp(out);
    WriteComments(out, analyte);
    WriteFileStamp(out);
}

void TDataFileWriter::WritePoints(TBinaryWriter& out, const TAnalyte& analyte)
{
    const int count = analyte.Count();
    out.WriteInt32(count);
    // One write for the whole section: the records are laid out in memory first.
    m_block.resize(qsizetype(count) * TQCPoint::RecordSize);
    char* record = m_block.data();
    for (int i = 0; i < count; ++i, record += TQCPoint::RecordSize)
        analyte.Point(i).WriteRecord(record);
    out.WriteBytes(m_block);
}

void TDataFileWriter::WriteHeader(TBinaryWriter& out, const TAnalyte& analyte)
{
    using namespace DataFileLayout;
    out.WriteShortString(analyte.Name, TAnalyte::NameCapacity);
    out.WriteShortString(analyte.Units, TAnalyte::UnitsCapacity);
    out.WriteByte(0);
    out.WriteInt32(analyte.Decimals);
    out.WriteInt32(analyte.NbLevels);
    for (qint32 id : analyte.SerumID)
        out.WriteInt32(id);
    for (quint8 mode : analyte.LimitMode)
        out.WriteByte(mode);
    out.WriteByte(0);
    for (qint32 index : analyte.LockStart)
        out.WriteInt32(index);
    for (qint32 index : analyte.LockEnd)
        out.WriteInt32(index);
    out.WriteInt32(0);
    out.WriteByte(analyte.Options);
    out.WriteBytes(QByteArray(HeaderReservedIntOffset - HeaderOptionsOffset - 1, '\0'));
    out.WriteInt32(analyte.Reserved);
    // The header ends with the first 49 bytes of level 0's reference statistics:
    // Mean, the two half-widths and Min, then 9 of the 10 bytes of Max.
    const TLevelStats& stats = analyte.ReferenceStats[0];
    out.WriteExtended(stats.Mean);
    out.WriteExtended(stats.WarningHalfWidth);
    out.WriteExtended(stats.ActionHalfWidth);
    out.WriteExtended(stats.Min);
    unsigned char max[ExtendedSize];
    DoubleToExtended(stats.Max, max);
    out.WriteBytes(reinterpret_cast<const char*>(max), HeaderStatsSize - 4 * ExtendedSize);
}

void TDataFileWriter::WriteComments(TBinaryWriter& out, const TAnalyte& analyte)
{
    const TListIDString& comments = analyte.Comments;
    out.WriteInt32(comments.Count());
    for (int i = 0; i < comments.Count(); ++i) {
        out.WriteInt32(comments.Item(i).ID);
        out.WriteLongString(comments.Item(i).Text);
    }
}
