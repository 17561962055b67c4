#include "TV2FileReader.h"

#include "TAnalyte.h"
#include "TBinaryIO.h"
#include "TFileStamp.h"
#include "TListAnalytes.h"
#include "TListIDString.h"
#include "TStatistics.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

constexpr int MaterialSize = 27;
constexpr int PointSize = 36;
constexpr int HeaderSize = 132;
constexpr int IgnoredRecordSize = 68;
constexpr int CommentSize = 28;
constexpr int NameCapacity = 10;
constexpr int UnitsCapacity = 12;
constexpr int CommentCapacity = 23;
constexpr int HeaderDecimalsOffset = 24;
constexpr int HeaderLockStartOffset = 108;
// Point count, header, ignored-record count, comment next id and count.
constexpr qint64 MinimumAnalyteSize = 4 + HeaderSize + 4 + 4 + 4;

// The old status codes: 0 a value, 1 no value, 2 discarded.
bool MapStatus(quint8 old, quint8& status)
{
    static const quint8 mapped[3] = { psWithin, psNoValue, psDiscarded };
    if (old > 2)
        return false;
    status = mapped[old];
    return true;
}

} // namespace

bool TV2FileReader::Read(const QString& fileName, const TRisks& risks, TListAnalytes& target)
{
    Begin();
    QFile file(fileName);
    return OpenForReading(file) && Read(file, risks, target);
}

bool TV2FileReader::Read(QIODevice& device, const TRisks& risks, TListAnalytes& target)
{
    Begin();
    m_risks = risks;
    return OnSeekable(device, [&](QIODevice& seekable) { return ReadAll(seekable, target); });
}

bool TV2FileReader::CheckStamp(QIODevice& device)
{
    SetSection(QStringLiteral("Final stamp"));
    const qint64 size = device.size();
    if (size < 4 + 4 + TFileStamp::Size)
        return Fail(QString("The file is too short to be a version-2 file (%1 bytes)").arg(size));
    QByteArray bytes(TFileStamp::Size, '\0');
    if (!device.seek(size - TFileStamp::Size) || device.read(bytes.data(), TFileStamp::Size) != TFileStamp::Size)
        return FailAt(size - TFileStamp::Size, "Cannot read the stamp: " + device.errorString());
    TFileStamp version2;
    version2.Version[0] = '2';
    version2.Version[1] = '0';
    // All nine bytes must match: a current data file ("32") is not a version-2 file.
    if (bytes != version2.Bytes())
        return FailAt(size - TFileStamp::Size, "Not a version-2 stamp");
    if (!device.seek(0))
        return FailAt(0, "Cannot return to the start: " + device.errorString());
    return true;
}

bool TV2FileReader::ReadAll(QIODevice& device, TListAnalytes& target)
{
    if (!CheckStamp(device))
        return false;
    TBinaryReader in(device);
    SetSection(QStringLiteral("Control materials"));
    qint32 count = 0;
    if (!ReadCount(in, MaterialSize, count))
        return false;
    in.ReadBytes(qint64(count) * MaterialSize);
    if (!Check(in))
        return false;

    SetSection(QStringLiteral("Analytes"));
    if (!ReadCount(in, MinimumAnalyteSize, count))
        return false;
    TListAnalytes converted;
    for (qint32 i = 0; i < count; ++i) {
        SetSection(QString("Analyte %1").arg(i + 1));
        auto analyte = std::make_unique<TAnalyte>(QString(), QString(), 0, MaxLevels);
        if (!ReadAnalyte(in, *analyte))
            return false;
        converted.Add(std::move(analyte));
    }
    SetSection(QStringLiteral("Final stamp"));
    if (in.Pos() > device.size() - TFileStamp::Size)
        return FailAt(in.Pos(), "The analytes run into the final stamp");
    // The caller's list grows only here, once everything was read.
    while (converted.Count() > 0)
        target.Add(converted.Take(0));
    return true;
}

bool TV2FileReader::ReadAnalyte(TBinaryReader& in, TAnalyte& analyte)
{
    const QString number = Section();
    QList<TResu0> results;
    QList<qint32> commentIds;
    SetSection(number + ", points");
    if (!ReadPoints(in, results, commentIds))
        return false;
    SetSection(number + ", header");
    if (!ReadHeader(in, analyte))
        return false;
    const QString named = QString("%1 (%2)").arg(number, analyte.Name);
    SetSection(named + ", records after the header");
    qint32 ignored = 0;
    if (!ReadCount(in, IgnoredRecordSize, ignored))
        return false;
    in.ReadBytes(qint64(ignored) * IgnoredRecordSize);
    if (!Check(in))
        return false;
    SetSection(named + ", comments");
    TListIDString comments;
    if (!ReadComments(in, comments))
        return false;

    for (int i = 0; i < results.size(); ++i)
        results[i].Comment = comments.GetText(commentIds[i]);
    // Stored by date: sorting first (stably, as AddPoint would place them) keeps
    // each insertion at the end even for points out of order.
    std::stable_sort(
        results.begin(), results.end(), [](const TResu0& a, const TResu0& b) { return a.DateTime < b.DateTime; });
    const std::array<qint32, MaxLevels> lockStart = analyte.LockStart;
    const std::array<qint32, MaxLevels> lockEnd = analyte.LockEnd;
    analyte.LockStart = { -1, -1, -1 };
    analyte.LockEnd = { -1, -1, -1 };
    analyte.ReservePoints(int(results.size()));
    for (const TResu0& result : results)
        analyte.AddPoint(result);
    for (int l = 0; l < MaxLevels; ++l) {
        if (lockStart[l] <= -1)
            continue;
        SetSection(number + ", header");
        if (!CheckLockInterval(
                m_headerStart + HeaderLockStartOffset + 4 * l, l, lockStart[l], lockEnd[l], analyte.Count()))
            return false;
        analyte.LimitMode[l] = lmLocked;
        analyte.LockStart[l] = lockStart[l];
        analyte.LockEnd[l] = lockEnd[l];
    }
    RecomputeAll(analyte, m_risks);
    ClassifyAll(analyte);
    return true;
}

bool TV2FileReader::ReadPoints(TBinaryReader& in, QList<TResu0>& results, QList<qint32>& commentIds)
{
    qint32 count = 0;
    if (!ReadCount(in, PointSize, count))
        return false;
    results.reserve(count);
    commentIds.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        const qint64 offset = in.Pos();
        TResu0 result;
        result.DateTime = in.ReadDouble() + 0.5;
        bool valid = std::isfinite(result.DateTime);
        for (TQCValue& cell : result.Values) {
            cell.Value = in.ReadSingle();
            valid = MapStatus(in.ReadByte(), cell.Status) && valid;
            valid = valid && (cell.Status != psWithin || std::isfinite(cell.Value));
            in.ReadBytes(3);
        }
        commentIds.append(in.ReadInt32());
        if (!Check(in))
            return false;
        if (!valid)
            return FailAt(offset,
                QString("Point %1 is damaged (unknown status, or a date or value that is "
                        "not a number)")
                    .arg(i + 1));
        results.append(result);
    }
    return true;
}

bool TV2FileReader::ReadHeader(TBinaryReader& in, TAnalyte& analyte)
{
    const qint64 start = m_headerStart = in.Pos();
    const QString name = in.ReadShortString(NameCapacity);
    const QString units = in.ReadShortString(UnitsCapacity);
    const qint32 decimals = in.ReadInt32();
    in.ReadBytes(HeaderLockStartOffset - HeaderDecimalsOffset - 4);
    std::array<qint32, MaxLevels> lockStart, lockEnd;
    for (qint32& index : lockStart)
        index = in.ReadInt32();
    for (qint32& index : lockEnd)
        index = in.ReadInt32();
    if (!Check(in))
        return false;
    if (decimals < 0 || decimals > 3)
        return FailAt(start + HeaderDecimalsOffset, QString("Decimals %1 is outside 0..3").arg(decimals));
    analyte = TAnalyte(name, units, decimals, MaxLevels);
    analyte.LockStart = lockStart;
    analyte.LockEnd = lockEnd;
    return true;
}

bool TV2FileReader::ReadComments(TBinaryReader& in, TListIDString& comments)
{
    in.ReadInt32(); // the old list's next id, not needed
    qint32 count = 0;
    if (!ReadCount(in, CommentSize, count))
        return false;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 id = in.ReadInt32();
        const QString text = in.ReadShortString(CommentCapacity);
        if (!Check(in))
            return false;
        comments.AppendLoaded(id, text);
    }
    return true;
}

bool ImportV2(const QString& fileName, TListAnalytes& target, const TRisks& risks, QString* error)
{
    TV2FileReader reader;
    if (reader.Read(fileName, risks, target))
        return true;
    if (error)
        *error = reader.ErrorString();
    return false;
}
