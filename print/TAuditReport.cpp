#include "TAuditReport.h"

#include "TPrintCanvas.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>

namespace {

QString ValueText(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Undefined:
        return QString();
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
    default:
        return QString::fromUtf8(QJsonDocument::fromVariant(value.toVariant()).toJson(QJsonDocument::Compact));
    }
}

constexpr int BeforeAfterWidth = 21;

// A value cut into pieces that fit its column (one empty piece for an empty value).
QStringList Pieces(const QString& value)
{
    const int size = BeforeAfterWidth + 1;
    QStringList pieces { value.left(size) };
    for (qsizetype at = size; at < value.size(); at += size)
        pieces << value.mid(at, size);
    return pieces;
}

QJsonObject Object(const QString& json) { return QJsonDocument::fromJson(json.toUtf8()).object(); }

} // namespace

QList<QStringList> AuditChangedFields(const TAuditEntry& entry)
{
    const QJsonObject before = Object(entry.Before);
    const QJsonObject after = Object(entry.After);
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    keys.sort();
    QList<QStringList> fields;
    for (const QString& key : keys)
        if (before.value(key) != after.value(key) || !before.contains(key))
            fields.append({ key, ValueText(before.value(key)), ValueText(after.value(key)) });
    return fields;
}

TPrintTableData AuditReportTable(const QList<TAuditEntry>& entries, const QStringList& subtitles)
{
    TPrintTableData table;
    table.Title = QStringLiteral("Audit trail");
    table.SubTitles = subtitles;
    table.NbCols = 9;
    table.Widths = { 4, 17, 4, 9, 21, 12, 10, BeforeAfterWidth, BeforeAfterWidth };
    for (const char* head : { "No.", "Time", "Op.", "User", "Change", "Analyte", "Field", "Before", "After" })
        table.Cells.append({ QString::fromLatin1(head), cmGrey });
    for (const TAuditEntry& entry : entries) {
        QList<QStringList> fields = AuditChangedFields(entry);
        if (fields.isEmpty())
            fields.append({ QString(), QString(), QString() });
        const QString analyte
            = entry.Level > 0 ? QStringLiteral("%1 (%2)").arg(entry.Analyte).arg(entry.Level) : entry.Analyte;
        // The local time to the second, without the offset.
        const QString time = entry.TimeLocal.left(19).replace(QLatin1Char('T'), QLatin1Char(' '));
        // The entry's own columns on its first line only; number and time merge over the others.
        QStringList own { entry.OperatorCode, entry.User, AuditKindCaption(entry.Kind), analyte };
        for (const QStringList& field : fields) {
            // A long value goes on as many lines as it takes, so that nothing is cut.
            const QStringList before = Pieces(field[1]), after = Pieces(field[2]);
            for (qsizetype line = 0; line < std::max(before.size(), after.size()); ++line) {
                for (const QString& text : QStringList { QString::number(entry.Sequence), time } + own
                        + QStringList { line == 0 ? field[0] : QString(), before.value(line), after.value(line) })
                    table.Cells.append({ text, cmPlain });
                own = QStringList(own.size(), QString());
            }
        }
    }
    return table;
}

TPrintOutcome PrintAuditReport(
    TPrintCanvas& canvas, const QList<TAuditEntry>& entries, const QStringList& subtitles, double today)
{
    if (!canvas.BeginDoc(QStringLiteral("Audit trail"), TOrientation::Landscape))
        return TPrintOutcome::DeviceFailed;
    PrintTable(canvas, AuditReportTable(entries, subtitles), today);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
