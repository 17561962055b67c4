#include "TArchive.h"

#include "TAnalyte.h"
#include "TAtomicFile.h"
#include "TDates.h"
#include "TFormat.h"
#include "TListSerum.h"
#include "TStatistics.h"
#include "TWin1252.h"

#include <QDir>
#include <limits>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
// Numbers in the text forms: fixed notation, eight significant digits.
constexpr int TextPrecision = 8;

// Index of the first (or, backwards, the last) point with a value at the level; -1 when none.
int FirstWithValue(const TAnalyte& analyte, int level, bool backwards)
{
    const int count = analyte.Count();
    for (int k = 0; k < count; ++k) {
        const int i = backwards ? count - 1 - k : k;
        if (analyte.Point(i).Values[level].HasValue())
            return i;
    }
    return -1;
}

// Date TAB time TAB: the start of every point line.
QString DateAndTime(double dateTime) { return ShortDateText(dateTime) + '\t' + LongTimeText(dateTime) + '\t'; }

// Operator TAB comment CR LF: the end of every point line.
QString OperatorAndComment(const TAnalyte& analyte, const TQCPoint& point)
{
    return point.Operator() + '\t' + analyte.CommentText(point.CommentID) + LineEnd;
}

} // namespace

QString ArchiveFileName(const QString& folder, qint32 number)
{
    return QDir(folder).filePath(QString("QC%1.qca").arg(number, 6, 10, QChar('0')));
}

qint32 NextArchiveNumber(const QString& folder)
{
    qint64 largest = 0;
    const QStringList names = QDir(folder).entryList({ QStringLiteral("QC*.qca") }, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QString digits = name.mid(2, name.size() - 6);
        if (digits.size() < 6 || digits.size() > 10)
            continue;
        bool allDigits = true;
        for (QChar c : digits)
            allDigits = allDigits && c >= '0' && c <= '9';
        // The next number must still be one the data file can hold.
        const qint64 number = digits.toLongLong();
        if (allDigits && number < std::numeric_limits<qint32>::max())
            largest = std::max(largest, number);
    }
    return qint32(largest + 1);
}

QString ValueField(const TQCValue& cell, int decimals)
{
    if (cell.Status == psNoValue)
        return QStringLiteral("\t");
    if (cell.Status == psDiscarded)
        return QStringLiteral("Discarded\t");
    return FormatFixed(cell.Value, TextPrecision, decimals) + '\t';
}

QString ArchiveText(const TAnalyte& analyte, int level, const TListSerum& serums, const TRisks& risks)
{
    const int first = FirstWithValue(analyte, level, false);
    const int last = FirstWithValue(analyte, level, true);
    if (first < 0)
        return QString();
    const TLevelStats stats = LevelStatistics(analyte, level, 0, analyte.Count() - 1, risks);
    const TSerum& serum = serums.FindByID(analyte.SerumID[level]);
    QString text = analyte.Name + LineEnd + analyte.Units + LineEnd;
    text += QStringList { ShortDateText(analyte.Point(first).DateTime), ShortDateText(analyte.Point(last).DateTime),
        serum.Name, serum.Lot, FormatFixed(stats.Mean, TextPrecision, analyte.Decimals + 1),
        FormatFixed(stats.CV, TextPrecision, 1), QString::number(stats.N) }
                .join('\t')
        + LineEnd;
    for (int i = first; i <= last; ++i) {
        const TQCPoint& point = analyte.Point(i);
        text += DateAndTime(point.DateTime) + ValueField(point.Values[level], analyte.Decimals)
            + OperatorAndComment(analyte, point);
    }
    return text;
}

qint32 ArchiveLevel(TAnalyte& analyte, int level, const QString& programFolder, const TListSerum& serums,
    const TRisks& risks, QString* error)
{
    const QString text = ArchiveText(analyte, level, serums, risks);
    if (text.isEmpty()) {
        if (error)
            *error = QString("Level %1 of %2 has no value to archive").arg(level + 1).arg(analyte.Name);
        return 0;
    }
    const qint32 number = NextArchiveNumber(programFolder);
    const QByteArray bytes = ToWin1252(text);
    // The points are erased only once their archive is safely written.
    if (!WriteFileAtomically(
            ArchiveFileName(programFolder, number),
            [&](QIODevice& device) { return device.write(bytes) == bytes.size(); }, error))
        return 0;
    analyte.Archives.append(number);
    for (int i = 0; i < analyte.Count(); ++i)
        analyte.Point(i).Values[level] = TQCValue();
    for (int i = analyte.Count() - 1; i >= 0; --i)
        analyte.DeleteIfEmpty(i);
    analyte.LockStart[level] = -1;
    analyte.LockEnd[level] = -1;
    analyte.LimitMode[level] = lmMobile;
    RecomputeAll(analyte, risks);
    return number;
}

QString AsText(const TAnalyte& analyte)
{
    QString text;
    const int levels = qBound(1, int(analyte.NbLevels), MaxLevels);
    for (int i = 0; i < analyte.Count(); ++i) {
        const TQCPoint& point = analyte.Point(i);
        text += DateAndTime(point.DateTime);
        for (int l = 0; l < levels; ++l)
            text += ValueField(point.Values[l], analyte.Decimals);
        text += OperatorAndComment(analyte, point);
    }
    return text;
}
