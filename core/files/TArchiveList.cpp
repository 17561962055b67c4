#include "TArchiveList.h"

#include "TAnalyte.h"
#include "TArchive.h"
#include "TWin1252.h"

#include <QFile>
#include <QRegularExpression>

namespace TArchiveList {

namespace {
    // Far above any archive of a level's points: a larger file is not one of ours.
    constexpr qint64 MaxArchiveSize = 64 * 1024 * 1024;
}

bool ReadEntry(const QString& folder, qint32 number, TEntry& entry)
{
    QFile file(ArchiveFileName(folder, number));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxArchiveSize)
        return false;
    const QByteArray bytes = file.readAll();
    return bytes.size() == file.size() && ParseEntry(bytes, number, entry);
}

bool ParseEntry(const QByteArray& bytes, qint32 number, TEntry& entry)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = FromWin1252(bytes).split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line
    if (lines.size() < 3)
        return false;
    entry.Number = number;
    entry.Lines = std::move(lines);
    return true;
}

QList<TEntry> Read(const TAnalyte& analyte, const QString& folder)
{
    QList<TEntry> entries;
    for (qint32 number : analyte.Archives) {
        TEntry entry;
        if (ReadEntry(folder, number, entry))
            entries.append(std::move(entry));
    }
    return entries;
}

void RemoveNumbers(TAnalyte& analyte, const QList<qint32>& numbers)
{
    for (qint32 number : numbers)
        analyte.Archives.removeOne(number);
}

void DeleteFiles(const QString& folder, const QList<qint32>& numbers)
{
    for (qint32 number : numbers)
        QFile::remove(ArchiveFileName(folder, number));
}

} // namespace TArchiveList
