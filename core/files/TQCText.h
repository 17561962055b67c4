#pragma once
#include "TQCTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

class TAnalyte;
struct TRisks;

// The QC text form of one analyte: one TAB-separated line per point (date, time,
// one field per level, operator, comment), written by TAnalyte's text form and
// read back here from pasted or imported text.

// One line of QC text accepted by the reader: its result (date-time and up to
// three values; no operator, comment or analyte name) and the line shown for it.
struct TQCTextLine {
    TResu0 Result;
    QString Display;
};

// Reads QC text. A line ends at a CR (the LFs right after it are skipped) or at
// a lone LF; text after the last line end is not read. A line is kept when its
// first field is a short date and one of fields 3..5 is a number (either decimal
// separator); a second field that is not a time gives 12:00:00; anything but a
// number in a level field gives no value. Values are shown with `decimals`.
QList<TQCTextLine> ReadQCText(const QString& text, int decimals);

// Bytes of a text file or of the clipboard as text: the text ends at the first
// zero byte; it is UTF-8 when valid (byte-order mark dropped), else Windows-1252.
QString DecodeQCTextBytes(const QByteArray& bytes);

// Reads a whole text file for the import. False, with a reason, when the file
// cannot be read or is too large to be a QC text (the reason in *error).
[[nodiscard]] bool ReadQCTextFile(const QString& fileName, QString& text, QString* error = nullptr);

// Writes QC text to a file, atomically: the text in Windows-1252 followed by one
// zero byte. False, with the reason in *error, when it cannot be written; the old
// file stays.
[[nodiscard]] bool WriteQCTextFile(const QString& fileName, const QString& text, QString* error = nullptr);

// Adds imported results to an analyte in their order, returns every level to
// mobile limits (even with no result), then recomputes and classifies.
void AddImportedResults(TAnalyte& analyte, const std::vector<TResu0>& results, const TRisks& risks);

// The import's choice of reader: true when the last three characters of the file
// name, upper-cased, are "DAT" or "SAV" (a version-2 data or backup file).
bool IsVersion2FileName(const QString& fileName);
