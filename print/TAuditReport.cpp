#include "TAuditReport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

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
    table.Widths = { 5, 14, 4, 8, 14, 9, 8, 9, 9 };
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
            for (const QString& text : QStringList { QString::number(entry.Sequence), time } + own + field)
                table.Cells.append({ text, cmPlain });
            own = QStringList(own.size(), QString());
        }
    }
    return table;
}
