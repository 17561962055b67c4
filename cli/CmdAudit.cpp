// vantorel-cli audit list / audit verify / print audit: the audit trail of the
// program's folder, read through a read-only connection (the database is never
// written, nor created when it is missing).
#include "CliCommands.h"
#include "CliFiles.h"

#include "TAuditLog.h"
#include "TAuditReport.h"
#include "TClock.h"
#include "TDates.h"
#include "TPdfCanvas.h"
#include "TStorage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int Fail(QTextStream& err, const QString& command, const QString& reason) { return CliFail(err, command, reason); }

// Opens the trail of --folder (or of the folder the program would use); false after one line on err.
bool OpenTrail(const TCliArgs& args, const QString& command, TAuditLog& log, QTextStream& err)
{
    const QString folder = args.Has("folder") ? args.Text("folder") : TStorage::FindProgramFolder(false);
    QString error;
    if (folder.isEmpty() || !log.Open(folder, true, &error)) {
        Fail(err, command, folder.isEmpty() ? QStringLiteral("no program folder") : error);
        return false;
    }
    return true;
}

bool ListEntries(const TCliArgs& args, const QString& command, QList<TAuditEntry>& entries, QTextStream& err)
{
    TAuditLog log;
    if (!OpenTrail(args, command, log, err))
        return false;
    const TAuditFilter filter { args.Text("analyte"), QString(), args.Options.value("from").toDate(),
        args.Options.value("to").toDate(), false };
    QString error;
    if (!log.List(filter, entries, &error))
        return Fail(err, command, error) == 0;
    return true;
}

QJsonObject Object(const QString& json) { return QJsonDocument::fromJson(json.toUtf8()).object(); }

QJsonObject EntryJson(const TAuditEntry& e)
{
    return { { "sequence", e.Sequence }, { "timeUtc", e.TimeUtc }, { "timeLocal", e.TimeLocal },
        { "operator", e.OperatorCode }, { "user", e.User }, { "host", e.Host }, { "kind", e.Kind },
        { "analyte", e.Analyte }, { "level", e.Level }, { "before", Object(e.Before) }, { "after", Object(e.After) },
        { "previousHash", e.PreviousHash }, { "hash", e.Hash } };
}

} // namespace

int CmdAuditList(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    QList<TAuditEntry> entries;
    if (!ListEntries(args, QStringLiteral("audit list"), entries, err))
        return 1;
    if (args.Has("json")) {
        QJsonArray array;
        for (const TAuditEntry& entry : entries)
            array.append(EntryJson(entry));
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return 0;
    }
    for (const TAuditEntry& e : entries)
        out << e.Sequence << '\t' << e.TimeLocal << '\t' << e.Kind << '\t' << e.Analyte << '\t'
            << (e.Level > 0 ? QString::number(e.Level) : QString()) << '\t' << e.OperatorCode << '\t' << e.User << '@'
            << e.Host << '\t' << e.Before << '\t' << e.After << '\n';
    return 0;
}

int CmdAuditVerify(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("audit verify");
    TAuditLog log;
    if (!OpenTrail(args, command, log, err))
        return 1;
    const TAuditCheck check = log.Verify();
    if (!check.Ok())
        return Fail(err, command, QStringLiteral("broken at entry %1: %2").arg(check.Entry).arg(check.Message));
    out << check.Count << " entries, chain intact, last hash " << check.LastHash << '\n';
    // The chain holds from there on, but the program found it shorter or changed once: say so.
    QList<TAuditEntry> findings;
    if (log.List({ {}, QString::fromLatin1(TAuditKind::TrailMismatch), {}, {}, false }, findings, nullptr))
        for (const TAuditEntry& e : findings)
            out << "note: entry " << e.Sequence << " (" << e.TimeLocal << "): " << AuditKindCaption(e.Kind)
                << ", anchor " << e.Before << ", found " << e.After << '\n';
    return 0;
}

int CmdPrintAudit(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print audit");
    QList<TAuditEntry> entries;
    if (!ListEntries(args, command, entries, err))
        return 1;
    if (entries.isEmpty())
        return Fail(err, command, QStringLiteral("Nothing to print"));
    QStringList subtitles;
    if (args.Has("analyte"))
        subtitles << QStringLiteral("Analyte ") + args.Text("analyte");
    if (args.Has("from") || args.Has("to"))
        subtitles << QStringLiteral("From %1 to %2")
                         .arg(args.Options.value("from").toDate().toString(Qt::ISODate),
                             args.Options.value("to").toDate().toString(Qt::ISODate));
    const QString file = args.Text("pdf");
    TPdfCanvas canvas(file);
    if (PrintAuditReport(canvas, entries, subtitles, TClock().TodayDays()) != TPrintOutcome::Printed)
        return Fail(err, command, "cannot write " + file + ": " + canvas.ErrorString());
    out << file << '\n';
    return 0;
}
