#include "TAuditTrail.h"

#include "TQCContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace {

// SQLite's result codes that mean the file is not a sound trail.
constexpr int SqliteError = 1;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

const char CreateTable[] = "CREATE TABLE IF NOT EXISTS trail ("
                           "seq INTEGER PRIMARY KEY, time_utc TEXT NOT NULL, time_local TEXT NOT NULL, "
                           "operator TEXT NOT NULL, user TEXT NOT NULL, host TEXT NOT NULL, kind TEXT NOT NULL, "
                           "analyte TEXT NOT NULL, level INTEGER NOT NULL, before TEXT NOT NULL, after TEXT NOT NULL, "
                           "prev_hash TEXT NOT NULL, hash TEXT NOT NULL)";

QString Json(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString UtcText(const QDateTime& time) { return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")); }

QString LocalText(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + (offset < 0 ? u'-' : u'+')
        + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString SystemUser()
{
    for (const char* variable : { "USER", "LOGNAME" })
        if (const QString user = qEnvironmentVariable(variable); !user.isEmpty())
            return user;
    const passwd* entry = getpwuid(getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(getuid());
}

bool Exec(QSqlQuery& query, const QString& sql, QString* reason, int* code = nullptr)
{
    if (query.exec(sql))
        return true;
    if (reason)
        *reason = TAuditLog::ErrorText(query.lastError());
    if (code)
        *code = TAuditLog::SqliteCode(query.lastError());
    return false;
}

} // namespace

TAuditTrail::TAuditTrail(const TQCContext& context)
    : User(SystemUser())
    , Host(QSysInfo::machineHostName())
    , m_context(context)
{
}

TAuditTrail::~TAuditTrail() { Close(); }

bool TAuditTrail::Open(const QString& folder, QString* error)
{
    m_folder = folder;
    m_keptAside.clear();
    m_told = false;
    QString reason;
    if (Ready(&reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

void TAuditTrail::Close()
{
    if (m_missedCount > 0 && Ready(nullptr))
        FlushGap(nullptr);
    // Back to a rollback journal while the program is not running, so that a
    // read-only reader (the companion) leaves no WAL or shared-memory file behind.
    if (m_log.IsOpen())
        QSqlQuery(m_log.Database()).exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    m_log.Close();
}

bool TAuditTrail::Record(const TChange& change, QString* error)
{
    TAuditEntry entry = NewEntry(AuditKindName(change.Kind));
    entry.OperatorCode = change.OperatorCode;
    entry.Analyte = change.Analyte;
    entry.Level = change.Level;
    entry.Before = Json(change.Before);
    entry.After = Json(change.After);
    QString reason;
    // A database found damaged on the way is kept aside and the entry goes to a new chain.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (Ready(&reason) && FlushGap(&reason) && Append(entry, &reason)) {
            m_told = false;
            return true;
        }
        if (!m_damaged)
            break;
    }
    // The next change opens the database afresh: a medium remounted or freed meanwhile is met anew.
    m_log.Close();
    const QDateTime now = m_context.Clock().Now();
    if (m_missedCount++ == 0)
        m_missedFrom = now;
    m_missedTo = now;
    m_missedReason = reason;
    if (error)
        *error = m_told ? QString() : reason;
    m_told = true;
    return false;
}

// Opens the database when it is not open, keeping a damaged one aside.
bool TAuditTrail::Ready(QString* reason)
{
    if (m_log.IsOpen() && !m_damaged)
        return true;
    QString why;
    bool damaged = m_damaged;
    if (!damaged && Connect(&why, &damaged))
        return true;
    if (!damaged) {
        m_log.Close();
        if (reason)
            *reason = why;
        return false;
    }
    m_damageReason = m_damaged ? m_damageReason : why;
    if (!KeepAside(reason))
        return false;
    m_damaged = false;
    return Connect(reason, &damaged) && !damaged;
}

// Opens the database in WAL mode, makes its table and reads its last entry;
// starts a chain in an empty one. *damaged tells a damaged file from one that
// cannot be written now.
bool TAuditTrail::Connect(QString* reason, bool* damaged)
{
    *damaged = false;
    if (!m_log.Open(m_folder, false, reason))
        return false;
    QSqlQuery query(m_log.Database());
    int code = 0;
    if (!Exec(query, QStringLiteral("PRAGMA synchronous=NORMAL"), reason, &code)
        || !Exec(query, QStringLiteral("PRAGMA journal_mode=WAL"), reason, &code)
        || !Exec(query, QString::fromLatin1(CreateTable), reason, &code) || !m_log.Last(m_last, reason)) {
        if (code == 0)
            code = TAuditLog::SqliteCode(m_log.Database().lastError());
        const QString text = reason ? *reason : QString();
        // A last entry that cannot be read from a table that exists: another table of the same name.
        *damaged = code == SqliteCorrupt || code == SqliteNotADatabase || code == SqliteError
            || text.contains(QLatin1String("malformed")) || text.contains(QLatin1String("not a database"))
            || text.contains(QLatin1String("no such column"));
        m_log.Close();
        return false;
    }
    if (m_last.Sequence == 0)
        return StartChain(m_keptAside.isEmpty() ? QStringLiteral("new trail")
                                                : QStringLiteral("the trail was damaged: ") + m_damageReason,
            reason);
    TAuditAnchor anchor;
    const bool anchored = ReadAuditAnchor(m_folder, anchor);
    if (anchored && anchor.Count <= m_last.Sequence) {
        // The anchor may lag behind the database by the entries written after it.
        QSqlQuery at(m_log.Database());
        at.prepare(QStringLiteral("SELECT hash FROM trail WHERE seq = ?"));
        at.addBindValue(anchor.Count);
        if (anchor.Count == 0 || (at.exec() && at.next() && at.value(0).toString() == anchor.Hash)) {
            if (anchor.Count < m_last.Sequence)
                WriteAuditAnchor(m_folder, { m_last.Sequence, m_last.Hash }, nullptr);
            return true;
        }
    }
    TAuditEntry mismatch = NewEntry(QString::fromLatin1(TAuditKind::TrailMismatch));
    QJsonObject before;
    if (anchored)
        before = { { QStringLiteral("count"), anchor.Count }, { QStringLiteral("hash"), anchor.Hash } };
    mismatch.Before = Json(before);
    mismatch.After = Json({ { QStringLiteral("count"), m_last.Sequence }, { QStringLiteral("hash"), m_last.Hash },
        { QStringLiteral("anchor"), anchored ? QStringLiteral("differs") : QStringLiteral("missing") } });
    return Append(mismatch, reason);
}

bool TAuditTrail::StartChain(const QString& why, QString* reason)
{
    TAuditEntry start = NewEntry(QString::fromLatin1(TAuditKind::TrailStarted));
    QJsonObject after { { QStringLiteral("reason"), why } };
    if (!m_keptAside.isEmpty())
        after.insert(QStringLiteral("keptAs"), QFileInfo(m_keptAside).fileName());
    TAuditAnchor anchor;
    if (ReadAuditAnchor(m_folder, anchor) && anchor.Count > 0)
        start.Before = Json({ { QStringLiteral("count"), anchor.Count }, { QStringLiteral("hash"), anchor.Hash } });
    start.After = Json(after);
    return Append(start, reason);
}

// Renames a damaged database (with its WAL and shared-memory files) to
// Vantorel-audit-damaged-<date>-<time>.db.
bool TAuditTrail::KeepAside(QString* reason)
{
    m_log.Close();
    const QString name = AuditDatabaseName(m_folder);
    const QString stamp = m_context.Clock().Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = QDir(m_folder).filePath(QStringLiteral("Vantorel-audit-damaged-%1.db").arg(stamp));
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = QDir(m_folder).filePath(QStringLiteral("Vantorel-audit-damaged-%1-%2.db").arg(stamp).arg(n));
    QFile file(name);
    if (!file.rename(aside)) {
        if (reason)
            *reason = QStringLiteral("cannot keep the damaged %1 aside: %2").arg(name, file.errorString());
        return false;
    }
    for (const char* suffix : { "-wal", "-shm" })
        QFile::rename(name + QLatin1String(suffix), aside + QLatin1String(suffix));
    m_keptAside = aside;
    m_last = TAuditEntry();
    return true;
}

bool TAuditTrail::Append(TAuditEntry entry, QString* reason)
{
    entry.Sequence = m_last.Sequence + 1;
    entry.PreviousHash = m_last.Sequence > 0 ? m_last.Hash : AuditFirstPreviousHash();
    entry.Hash = AuditHash(entry);
    QSqlQuery insert(m_log.Database());
    insert.prepare(QStringLiteral("INSERT INTO trail (seq, time_utc, time_local, operator, user, host, kind, analyte, "
                                  "level, before, after, prev_hash, hash) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (const QVariant& value : AuditColumnValues(entry))
        insert.addBindValue(value);
    if (!insert.exec()) {
        const int code = TAuditLog::SqliteCode(insert.lastError());
        if (reason)
            *reason = TAuditLog::ErrorText(insert.lastError());
        if (code == SqliteCorrupt || code == SqliteNotADatabase) {
            m_damaged = true;
            m_damageReason = TAuditLog::ErrorText(insert.lastError());
        }
        return false;
    }
    m_last = entry;
    // An anchor that cannot be written lags behind; the next entry writes it again.
    WriteAuditAnchor(m_folder, { m_last.Sequence, m_last.Hash }, nullptr);
    return true;
}

bool TAuditTrail::FlushGap(QString* reason)
{
    if (m_missedCount == 0)
        return true;
    TAuditEntry gap = NewEntry(QString::fromLatin1(TAuditKind::Gap));
    gap.After = Json({ { QStringLiteral("count"), m_missedCount }, { QStringLiteral("from"), UtcText(m_missedFrom) },
        { QStringLiteral("to"), UtcText(m_missedTo) }, { QStringLiteral("reason"), m_missedReason } });
    gap.Before = Json({});
    if (!Append(gap, reason))
        return false;
    m_missedCount = 0;
    return true;
}

TAuditEntry TAuditTrail::NewEntry(const QString& kind) const
{
    const QDateTime now = m_context.Clock().Now();
    TAuditEntry entry;
    entry.TimeUtc = UtcText(now);
    entry.TimeLocal = LocalText(now);
    entry.User = User;
    entry.Host = Host;
    entry.Kind = kind;
    entry.Before = entry.After = QStringLiteral("{}");
    return entry;
}

bool TAuditTrail::CopyTo(const QString& folder, QString* error) const
{
    const QString target = AuditDatabaseName(folder);
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(AuditDatabaseName(m_folder)).canonicalFilePath()
        && QFileInfo::exists(target))
        return true;
    if (!m_log.IsOpen()) {
        if (error)
            *error = QStringLiteral("the audit trail is not open");
        return false;
    }
    const QString temporary = target + QStringLiteral(".tmp");
    QFile::remove(temporary);
    QSqlQuery vacuum(m_log.Database());
    vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
    vacuum.addBindValue(temporary);
    if (!vacuum.exec()) {
        QFile::remove(temporary);
        if (error)
            *error = TAuditLog::ErrorText(vacuum.lastError());
        return false;
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot rename %1: %2").arg(temporary, QString::fromLocal8Bit(strerror(errno)));
        QFile::remove(temporary);
        return false;
    }
    return WriteAuditAnchor(folder, { m_last.Sequence, m_last.Hash }, error);
}
