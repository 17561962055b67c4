#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TAnalyte;

// The archives of an analyte as the archives window lists them.
namespace TArchiveList {

struct TEntry {
    qint32 Number = 0;
    // The file's lines: name, unit, summary (begin, end, material, lot, mean,
    // CV, N), then one line per point (date, time, result, operator, comment).
    QStringList Lines;

    QString Summary() const { return Lines.value(2); }
    QStringList PointLines() const { return Lines.mid(3); }
};

// A file that cannot be read (missing, too large, not Windows-1252 text of at
// least three lines) gives no entry.
bool ReadEntry(const QString& folder, qint32 number, TEntry& entry);
// The same for the bytes of an archive file.
bool ParseEntry(const QByteArray& bytes, qint32 number, TEntry& entry);
// The readable archives of the analyte, in the order of its list of numbers.
QList<TEntry> Read(const TAnalyte& analyte, const QString& folder);
// Removes the numbers from the analyte's list of archives.
void RemoveNumbers(TAnalyte& analyte, const QList<qint32>& numbers);
// Deletes the archive files of the numbers; a file that cannot be deleted is left.
void DeleteFiles(const QString& folder, const QList<qint32>& numbers);

} // namespace TArchiveList
