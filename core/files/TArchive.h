#pragma once
#include "TConfigRecord.h"
#include "TQCTypes.h"

#include <QString>

class TAnalyte;
class TListSerum;

// Archive files: a level's points erased from an analyte, kept as TAB-separated
// text "QC" + number + ".qca" in the program folder.

// The archive file of number n in the folder: "QC", n padded with zeros to at
// least six digits (seven and more past 999 999), ".qca".
QString ArchiveFileName(const QString& folder, qint32 number);

// One more than the largest number among the folder's archive files ("QC", six or
// more digits, ".qca", in any letter case), or 1 when there is none. Names whose
// digits are not all digits, or too large to be followed, are not counted.
qint32 NextArchiveNumber(const QString& folder);

// The value field of a cell in the QC text and archive lines: the value with
// `decimals` digits followed by TAB, "Discarded" + TAB, or a lone TAB.
QString ValueField(const TQCValue& cell, int decimals);

// The archive text of one level: name, units, the header line (first and last
// date, control material and lot, mean, CV and N over all points), then one line
// per point from the first to the last with a value at this level. Lines end
// in CR LF. Empty when the level has no value.
QString ArchiveText(const TAnalyte& analyte, int level, const TListSerum& serums, const TRisks& risks);

// Archives a level: writes its archive file atomically (Windows-1252) under the
// next number, appends the number to the analyte's archives, empties the level's
// cells, deletes the points left empty, unlocks the level and recomputes.
// Returns the archive number; 0 when the level has no value or the file cannot
// be written, with the reason in *error, and the analyte is then unchanged.
[[nodiscard]] qint32 ArchiveLevel(TAnalyte& analyte, int level, const QString& programFolder, const TListSerum& serums,
    const TRisks& risks, QString* error = nullptr);

// The QC text of an analyte: per point, date, time, one value field per level in
// use, operator and comment, each line ending in CR LF.
QString AsText(const TAnalyte& analyte);
