#include "TQCText.h"

#include "TAnalyte.h"
#include "TAtomicFile.h"
#include "TDates.h"
#include "TFormat.h"
#include "TInputCheck.h"
#include "TStatistics.h"
#include "TWin1252.h"

#include <QFile>
#include <QStringView>

namespace {
constexpr int LevelFields = 3;
constexpr double Noon = 0.5;
// No QC text of a laboratory comes near this; a larger file is not one.
constexpr qint64 MaxTextFileSize = 64 * 1024 * 1024;

// Reads one line (without its line end); false when the line is not kept.
bool ReadLine(QStringView line, int decimals, TQCTextLine& out)
{
    const QList<QStringView> fields = line.split(u'\t');
    const QDate date = ParseShortDate(fields[0].toString());
    if (!date.isValid())
        return false;
    const QTime time = fields.size() > 1 ? ParseLongTime(fields[1].toString()) : QTime();
    out.Result = TResu0();
    out.Result.DateTime
        = DateToDayCount(date) + (time.isValid() ? double(time.msecsSinceStartOfDay()) / 86400000.0 : Noon);

    const int levelFields = qBound(0, int(fields.size()) - 2, LevelFields);
    bool anyNumber = false;
    for (int l = 0; l < LevelFields; ++l) {
        TQCValue& cell = out.Result.Values[l];
        cell = TQCValue();
        if (l >= levelFields)
            continue;
        const TQCValueCheck check = ReadQCValueText(fields[l + 2].toString());
        if (check.Ok && check.Cell.Status == psWithin) {
            cell = check.Cell;
            anyNumber = true;
        }
    }
    if (!anyNumber)
        return false;

    QStringList shown { ShortDateText(out.Result.DateTime), LongTimeText(out.Result.DateTime) };
    for (int l = 0; l < levelFields; ++l) {
        const TQCValue& cell = out.Result.Values[l];
        shown << (cell.HasValue() ? FormatFixed(cell.Value, 8, decimals) : QString());
    }
    out.Display = shown.join(u'\t');
    return true;
}
}

QList<TQCTextLine> ReadQCText(const QString& text, int decimals)
{
    QList<TQCTextLine> lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (end == size)
            break; // a last line without its line end is not read
        qsizetype next = end + 1;
        if (text[end] == u'\r')
            while (next < size && text[next] == u'\n')
                ++next;
        TQCTextLine line;
        if (ReadLine(QStringView(text).mid(start, end - start), decimals, line))
            lines.append(std::move(line));
        start = next;
    }
    return lines;
}

QString DecodeQCTextBytes(const QByteArray& bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return DecodeForeignText(zero < 0 ? bytes : bytes.left(zero));
}

bool ReadQCTextFile(const QString& fileName, QString& text, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    if (file.size() > MaxTextFileSize)
        return fail(QStringLiteral("%1 is too large for a QC text (%2 bytes)").arg(fileName).arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    text = DecodeQCTextBytes(bytes);
    return true;
}

bool WriteQCTextFile(const QString& fileName, const QString& text, QString* error)
{
    QByteArray bytes = ToWin1252(text);
    bytes.append('\0');
    return WriteFileAtomically(
        fileName, [&](QIODevice& device) { return device.write(bytes) == bytes.size(); }, error);
}

void AddImportedResults(TAnalyte& analyte, const std::vector<TResu0>& results, const TRisks& risks)
{
    for (const TResu0& result : results)
        analyte.AddPoint(result);
    analyte.LimitMode.fill(lmMobile);
    RecomputeAll(analyte, risks);
    ClassifyAll(analyte);
}

bool IsVersion2FileName(const QString& fileName)
{
    const QString end = fileName.right(3).toUpper();
    return end == QLatin1String("DAT") || end == QLatin1String("SAV");
}
