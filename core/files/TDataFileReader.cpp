#include "TDataFileReader.h"

#include "TAnalyte.h"
#include "TBinaryIO.h"
#include "TDataFileLayout.h"
#include "TFileStamp.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TStatistics.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <limits>

bool TDataFileReader::Read(const QString& fileName, const TRisks& risks, TListSerum& serums, TListAnalytes& analytes)
{
    Begin();
    QFile file(fileName);
    return OpenForReading(file) && Read(file, risks, serums, analytes);
}

bool TDataFileReader::Read(QIODevice& device, const TRisks& risks, TListSerum& serums, TListAnalytes& analytes)
{
    Begin();
    m_risks = risks;
    m_version.clear();
    return OnSeekable(device, [&](QIODevice& seekable) { return ReadAll(seekable, serums, analytes); });
}

bool TDataFileReader::ReadVersion(QIODevice& device)
{
    SetSection(QStringLiteral("Final stamp"));
    const qint64 size = device.size();
    if (size < DataFileLayout::MinimumFileSize)
        return Fail(QString("The file is too short to be a data file (%1 bytes)").arg(size));
    char bytes[TFileStamp::Size];
    if (!device.seek(size - TFileStamp::Size) || device.read(bytes, TFileStamp::Size) != TFileStamp::Size)
        return FailAt(size - TFileStamp::Size, "Cannot read the stamp: " + device.errorString());
    TFileStamp stamp;
    if (!stamp.Parse(bytes))
        return FailAt(size - TFileStamp::Size, "Wrong file stamp");
    m_version = QByteArray(stamp.Version, 2);
    m_shortHeader = m_version == DataFileLayout::ShortHeaderVersion;
    if (!device.seek(0))
        return FailAt(0, "Cannot return to the start: " + device.errorString());
    return true;
}

bool TDataFileReader::ReadAll(QIODevice& device, TListSerum& serums, TListAnalytes& analytes)
{
    if (!ReadVersion(device))
        return false;
    TBinaryReader in(device);
    TListSerum freshSerums;
    if (!ReadSerums(in, freshSerums))
        return false;

    SetSection(QStringLiteral("Analytes"));
    qint32 count = 0;
    const qint64 minimumAnalyte = DataFileLayout::MinimumAnalyteSize(m_shortHeader);
    if (!ReadCount(in, minimumAnalyte, count))
        return false;
    TListAnalytes freshAnalytes;
    for (qint32 i = 0; i < count; ++i) {
        SetSection(QString("Analyte %1").arg(i + 1));
        auto analyte = std::make_unique<TAnalyte>();
        if (!ReadAnalyte(in, *analyte))
            return false;
        freshAnalytes.Add(std::move(analyte));
    }

    SetSection(QStringLiteral("Final stamp"));
    const qint64 stampAt = device.size() - TFileStamp::Size;
    if (in.Pos() != stampAt)
        return FailAt(
            in.Pos(), QString("The analytes end before the final stamp, which starts at byte %1").arg(stampAt));
    if (!ReadStamp(in))
        return false;

    // The caller's lists change only here, once everything was read.
    serums = std::move(freshSerums);
    analytes = std::move(freshAnalytes);
    return true;
}

bool TDataFileReader::ReadSerums(TBinaryReader& in, TListSerum& serums)
{
    SetSection(QStringLiteral("Control materials"));
    qint32 count = 0;
    if (!ReadCount(in, TSerum::RecordSize, count))
        return false;
    qint32 largestId = -1;
    for (qint32 i = 0; i < count; ++i) {
        const qint64 offset = in.Pos();
        TSerum serum;
        serum.ID = in.ReadInt32();
        serum.EraseMark = in.ReadInt32();
        serum.Name = in.ReadShortString(TSerum::NameCapacity);
        serum.Lot = in.ReadShortString(TSerum::LotCapacity);
        in.ReadByte();
        if (!Check(in))
            return false;
        // Ids are never negative, and the next id must stay representable.
        if (serum.ID < 0 || serum.ID == std::numeric_limits<qint32>::max())
            return FailAt(offset, QString("Material %1 has the invalid id %2").arg(i + 1).arg(serum.ID));
        largestId = std::max(largestId, serum.ID);
        serums.AddLoaded(serum);
    }
    serums.SetNextID(largestId + 1);
    return true;
}

bool TDataFileReader::ReadAnalyte(TBinaryReader& in, TAnalyte& analyte)
{
    const QString number = Section();
    SetSection(number + ", points");
    if (!ReadPoints(in, analyte))
        return false;
    SetSection(number + ", header");
    if (!ReadHeader(in, analyte))
        return false;
    const QString named = QString("%1 (%2)").arg(number, analyte.Name);
    SetSection(named + ", limits");
    if (!ReadLevelLimits(in, analyte))
        return false;
    SetSection(named + ", stamp after the limits");
    if (!ReadStamp(in))
        return false;
    SetSection(named + ", archive numbers");
    if (!ReadArchives(in, analyte))
        return false;
    SetSection(named + ", stamp after the archive numbers");
    if (!ReadStamp(in))
        return false;
    // Limits of the mobile and locked levels are not stored: they come from the points.
    RecomputeAll(analyte, m_risks);
    SetSection(named + ", comments");
    if (!ReadComments(in, analyte))
        return false;
    SetSection(named + ", stamp after the comments");
    return ReadStamp(in);
}

bool TDataFileReader::ReadPoints(TBinaryReader& in, TAnalyte& analyte)
{
    qint32 count = 0;
    if (!ReadCount(in, TQCPoint::RecordSize, count))
        return false;
    const qint64 start = in.Pos();
    // The whole section in one read, into a buffer kept from one analyte to the next.
    m_block.resize(size_t(count) * TQCPoint::RecordSize);
    if (!in.ReadInto(m_block.data(), qint64(m_block.size())))
        return Check(in);
    const int damaged = analyte.AppendLoadedRecords(m_block.data(), count);
    if (damaged >= 0)
        return FailAt(start + qint64(damaged) * TQCPoint::RecordSize,
            QString("Point %1 is damaged (unknown status, operator code longer than "
                    "4 characters, or a date or value that is not a number)")
                .arg(damaged + 1));
    return true;
}

bool TDataFileReader::ReadHeader(TBinaryReader& in, TAnalyte& analyte)
{
    using namespace DataFileLayout;
    const qint64 start = in.Pos();
    analyte.Name = in.ReadShortString(TAnalyte::NameCapacity);
    analyte.Units = in.ReadShortString(TAnalyte::UnitsCapacity);
    in.ReadByte();
    const qint32 decimals = in.ReadInt32();
    const qint32 levels = in.ReadInt32();
    for (qint32& id : analyte.SerumID)
        id = in.ReadInt32();
    for (quint8& mode : analyte.LimitMode)
        mode = in.ReadByte();
    in.ReadByte();
    for (qint32& index : analyte.LockStart)
        index = in.ReadInt32();
    for (qint32& index : analyte.LockEnd)
        index = in.ReadInt32();
    if (m_shortHeader) {
        in.ReadBytes(ShortHeaderSize - HeaderReservedOffset);
        analyte.Options = aoWestgard | aoCommonCV | aoDefault;
        analyte.Reserved = 10;
    } else {
        in.ReadBytes(HeaderOptionsOffset - HeaderReservedOffset);
        analyte.Options = in.ReadByte();
        in.ReadBytes(HeaderReservedIntOffset - HeaderOptionsOffset - 1);
        analyte.Reserved = in.ReadInt32();
        in.ReadBytes(LongHeaderSize - HeaderStatsOffset);
    }
    if (!Check(in))
        return false;
    if (!CheckHeader(start, decimals, levels, analyte))
        return false;
    analyte.Decimals = decimals;
    analyte.NbLevels = levels;
    return true;
}

bool TDataFileReader::CheckHeader(qint64 start, qint32 decimals, qint32 levels, const TAnalyte& analyte)
{
    using namespace DataFileLayout;
    // Out-of-range settings would reach formatting and every loop over the levels.
    if (decimals < 0 || decimals > 3)
        return FailAt(start + HeaderDecimalsOffset, QString("Decimals %1 is outside 0..3").arg(decimals));
    if (levels < 1 || levels > MaxLevels)
        return FailAt(start + HeaderLevelsOffset, QString("The number of levels %1 is outside 1..3").arg(levels));
    for (int l = 0; l < MaxLevels; ++l)
        if (analyte.LimitMode[l] > lmFixed)
            return FailAt(start + HeaderModesOffset + l,
                QString("Level %1 has the unknown limit mode %2").arg(l + 1).arg(analyte.LimitMode[l]));
    for (int l = 0; l < levels; ++l)
        if (analyte.LimitMode[l] == lmLocked
            && !CheckLockInterval(
                start + HeaderLockStartOffset + 4 * l, l, analyte.LockStart[l], analyte.LockEnd[l], analyte.Count()))
            return false;
    return true;
}

bool TDataFileReader::ReadLevelLimits(TBinaryReader& in, TAnalyte& analyte)
{
    for (int l = 0; l < MaxLevels; ++l) {
        const qint64 offset = in.Pos();
        TLevelStats& stats = analyte.ReferenceStats[l];
        stats.Mean = in.ReadExtended();
        stats.WarningHalfWidth = in.ReadExtended();
        stats.ActionHalfWidth = in.ReadExtended();
        if (!Check(in))
            return false;
        if (!std::isfinite(stats.Mean) || !std::isfinite(stats.WarningHalfWidth)
            || !std::isfinite(stats.ActionHalfWidth))
            return FailAt(offset, QString("Level %1 has limits that are not finite numbers").arg(l + 1));
    }
    return true;
}

bool TDataFileReader::ReadArchives(TBinaryReader& in, TAnalyte& analyte)
{
    qint32 count = 0;
    if (!ReadCount(in, 4, count))
        return false;
    const qint64 start = in.Pos();
    const QByteArray block = in.ReadBytes(qint64(count) * 4);
    if (!Check(in))
        return false;
    analyte.Archives.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        const qint32 number = qFromLittleEndian<qint32>(block.constData() + 4 * i);
        if (number < 0)
            return FailAt(start + 4 * i, QString("The archive number %1 is negative").arg(number));
        analyte.Archives.append(number);
    }
    return true;
}

bool TDataFileReader::ReadComments(TBinaryReader& in, TAnalyte& analyte)
{
    qint32 count = 0;
    // Each comment takes at least its id and its text length.
    if (!ReadCount(in, 8, count))
        return false;
    qint32 previous = -1;
    for (qint32 i = 0; i < count; ++i) {
        const qint64 offset = in.Pos();
        const qint32 id = in.ReadInt32();
        const QString text = in.ReadLongString();
        if (!Check(in))
            return false;
        // The lookup searches by halving, so the ids must ascend; the next id must stay representable.
        if (id <= previous)
            return FailAt(offset, QString("Comment %1 has the id %2, not above the previous one").arg(i + 1).arg(id));
        if (id == std::numeric_limits<qint32>::max())
            return FailAt(offset, QString("Comment %1 has the id %2, leaving no next id").arg(i + 1).arg(id));
        analyte.Comments.AppendLoaded(id, text);
        previous = id;
    }
    analyte.Comments.SetNextID(previous + 1);
    return true;
}
