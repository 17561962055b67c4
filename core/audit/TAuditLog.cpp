#include "TAuditLog.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

const char Columns[]
    = "seq, time_utc, time_local, operator, user, host, kind, analyte, level, before, after, prev_hash, hash";

TAuditEntry ReadEntry(const QSqlQuery& query)
{
    TAuditEntry e;
    e.Sequence = query.value(0).toLongLong();
    e.TimeUtc = query.value(1).toString();
    e.TimeLocal = query.value(2).toString();
    e.OperatorCode = query.value(3).toString();
    e.User = query.value(4).toString();
    e.Host = query.value(5).toString();
    e.Kind = query.value(6).toString();
    e.Analyte = query.value(7).toString();
    e.Level = query.value(8).toInt();
    e.Before = query.value(9).toString();
    e.After = query.value(10).toString();
    e.PreviousHash = query.value(11).toString();
    e.Hash = query.value(12).toString();
    return e;
}

bool Fail(const QSqlError& sqlError, QString* error)
{
    if (error)
        *error = TAuditLog::ErrorText(sqlError);
    return false;
}

TAuditCheck Broken(TAuditFault fault, qint64 entry, const QString& message)
{
    TAuditCheck check;
    check.Fault = fault;
    check.Entry = entry;
    check.Message = message;
    return check;
}

} // namespace

TAuditLog::TAuditLog()
{
    static std::atomic<int> connections { 0 };
    m_connection = QStringLiteral("vantorel-audit-%1").arg(++connections);
}

TAuditLog::~TAuditLog() { Close(); }

bool TAuditLog::Open(const QString& folder, bool readOnly, QString* error)
{
    Close();
    m_folder = folder;
    const QString name = AuditDatabaseName(folder);
    if (readOnly && !QFileInfo(name).isFile()) {
        if (error)
            *error = QStringLiteral("no audit trail in %1").arg(folder);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(name);
    if (readOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    else
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
    if (!db.open()) {
        const bool failed = Fail(db.lastError(), error);
        Close();
        return failed;
    }
    return true;
}

void TAuditLog::Close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool TAuditLog::IsOpen() const { return QSqlDatabase::contains(m_connection) && Database().isOpen(); }

QSqlDatabase TAuditLog::Database() const { return QSqlDatabase::database(m_connection, false); }

bool TAuditLog::List(const TAuditFilter& filter, QList<TAuditEntry>& entries, QString* error) const
{
    QStringList where;
    if (!filter.Analyte.isEmpty())
        where << QStringLiteral("analyte = :analyte COLLATE NOCASE");
    if (!filter.Kind.isEmpty())
        where << QStringLiteral("kind = :kind");
    // The local day is the first ten characters of the local time.
    if (filter.From.isValid())
        where << QStringLiteral("substr(time_local, 1, 10) >= :from");
    if (filter.To.isValid())
        where << QStringLiteral("substr(time_local, 1, 10) <= :to");
    QString sql = QStringLiteral("SELECT %1 FROM trail").arg(QLatin1String(Columns));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += filter.NewestFirst ? QStringLiteral(" ORDER BY seq DESC") : QStringLiteral(" ORDER BY seq");
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    query.prepare(sql);
    if (!filter.Analyte.isEmpty())
        query.bindValue(QStringLiteral(":analyte"), filter.Analyte);
    if (!filter.Kind.isEmpty())
        query.bindValue(QStringLiteral(":kind"), filter.Kind);
    if (filter.From.isValid())
        query.bindValue(QStringLiteral(":from"), filter.From.toString(Qt::ISODate));
    if (filter.To.isValid())
        query.bindValue(QStringLiteral(":to"), filter.To.toString(Qt::ISODate));
    if (!query.exec())
        return Fail(query.lastError(), error);
    entries.clear();
    while (query.next())
        entries.append(ReadEntry(query));
    if (query.lastError().isValid())
        return Fail(query.lastError(), error);
    return true;
}

bool TAuditLog::Last(TAuditEntry& entry, QString* error) const
{
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("SELECT %1 FROM trail ORDER BY seq DESC LIMIT 1").arg(QLatin1String(Columns))))
        return Fail(query.lastError(), error);
    entry = query.next() ? ReadEntry(query) : TAuditEntry();
    if (query.lastError().isValid())
        return Fail(query.lastError(), error);
    return true;
}

TAuditCheck TAuditLog::Verify() const
{
    // The hashed fields as their UTF-8 bytes, as they are stored: no conversion on the way.
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT seq, CAST(prev_hash AS BLOB), CAST(hash AS BLOB), CAST(time_utc AS BLOB), "
                                   "CAST(time_local AS BLOB), CAST(operator AS BLOB), CAST(user AS BLOB), "
                                   "CAST(host AS BLOB), CAST(kind AS BLOB), CAST(analyte AS BLOB), "
                                   "CAST(CAST(level AS TEXT) AS BLOB), CAST(before AS BLOB), CAST(after AS BLOB) "
                                   "FROM trail ORDER BY seq")))
        return Broken(TAuditFault::Unreadable, 0, ErrorText(query.lastError()));
    TAuditEntry previous;
    previous.Hash = AuditFirstPreviousHash();
    QString beforePrevious;
    qint64 count = 0;
    QByteArray fields[10];
    const QByteArray* const form[] = { &fields[0], &fields[1], &fields[2], &fields[3], &fields[4], &fields[5],
        &fields[6], &fields[7], &fields[8], &fields[9] };
    while (query.next()) {
        TAuditEntry entry;
        entry.Sequence = query.value(0).toLongLong();
        const QByteArray previousHash = query.value(1).toByteArray();
        const QByteArray hash = query.value(2).toByteArray();
        for (int i = 0; i < 10; ++i)
            fields[i] = query.value(3 + i).toByteArray();
        entry.PreviousHash = QString::fromLatin1(previousHash);
        entry.Hash = QString::fromLatin1(hash);
        if (AuditHash(previousHash, AuditCanonicalForm(form)) != hash)
            return Broken(TAuditFault::Changed, entry.Sequence,
                QStringLiteral("entry %1 was changed after it was recorded").arg(entry.Sequence));
        if (entry.PreviousHash != previous.Hash)
            return FindBreak(entry, previous, beforePrevious);
        if (entry.Sequence != previous.Sequence + 1)
            return Broken(TAuditFault::Renumbered, entry.Sequence,
                QStringLiteral("entry %1 follows entry %2 in the chain but is numbered %1")
                    .arg(entry.Sequence)
                    .arg(previous.Sequence));
        beforePrevious = previous.Hash;
        previous = entry;
        ++count;
    }
    if (query.lastError().isValid())
        return Broken(TAuditFault::Unreadable, previous.Sequence + 1, ErrorText(query.lastError()));
    TAuditAnchor anchor;
    if (!ReadAuditAnchor(m_folder, anchor)) {
        if (count > 0)
            return Broken(TAuditFault::AnchorMissing, count,
                QStringLiteral("the anchor %1 is missing or unreadable: entries cut at the end would not be seen")
                    .arg(AuditAnchorName(m_folder)));
    } else if (anchor.Count > count) {
        return Broken(TAuditFault::Cut, count + 1,
            anchor.Count == count + 1 ? QStringLiteral("entry %1 is missing at the end of the trail").arg(anchor.Count)
                                      : QStringLiteral("entries %1 to %2 are missing at the end of the trail")
                                            .arg(count + 1)
                                            .arg(anchor.Count));
    } else if (anchor.Count > 0) {
        QSqlQuery atAnchor(Database());
        atAnchor.prepare(QStringLiteral("SELECT hash FROM trail WHERE seq = ?"));
        atAnchor.addBindValue(anchor.Count);
        if (!atAnchor.exec() || !atAnchor.next() || atAnchor.value(0).toString() != anchor.Hash)
            return Broken(TAuditFault::Rewritten, anchor.Count,
                QStringLiteral("entry %1 is not the entry the anchor recorded: the trail was rewritten")
                    .arg(anchor.Count));
    }
    TAuditCheck check;
    check.Count = count;
    check.LastHash = count > 0 ? previous.Hash : QString();
    return check;
}

// The entry does not name the one before it as its predecessor: says what
// happened to the chain there.
TAuditCheck TAuditLog::FindBreak(
    const TAuditEntry& entry, const TAuditEntry& previous, const QString& beforePrevious) const
{
    QSqlQuery later(Database());
    later.prepare(QStringLiteral("SELECT seq FROM trail WHERE hash = ? AND seq > ? ORDER BY seq LIMIT 1"));
    later.addBindValue(entry.PreviousHash);
    later.addBindValue(entry.Sequence);
    if (later.exec() && later.next())
        return Broken(TAuditFault::Reordered, entry.Sequence,
            QStringLiteral("entry %1 is out of order: it was recorded after entry %2")
                .arg(entry.Sequence)
                .arg(later.value(0).toLongLong()));
    if (previous.Sequence > 0 && entry.PreviousHash == beforePrevious)
        return Broken(TAuditFault::Inserted, previous.Sequence,
            QStringLiteral("entry %1 was inserted: entry %2 follows the entry before it")
                .arg(previous.Sequence)
                .arg(entry.Sequence));
    QSqlQuery next(Database());
    next.prepare(QStringLiteral("SELECT prev_hash FROM trail WHERE seq > ? ORDER BY seq LIMIT 1"));
    next.addBindValue(entry.Sequence);
    if (next.exec() && next.next() && next.value(0).toString() == previous.Hash)
        return Broken(TAuditFault::Inserted, entry.Sequence,
            QStringLiteral("entry %1 was inserted: the entry after it follows entry %2")
                .arg(entry.Sequence)
                .arg(previous.Sequence));
    if (entry.Sequence > previous.Sequence + 1)
        return Broken(TAuditFault::Deleted, previous.Sequence + 1,
            entry.Sequence == previous.Sequence + 2
                ? QStringLiteral("entry %1 was deleted").arg(previous.Sequence + 1)
                : QStringLiteral("entries %1 to %2 were deleted").arg(previous.Sequence + 1).arg(entry.Sequence - 1));
    return Broken(TAuditFault::Deleted, entry.Sequence,
        QStringLiteral("the entry before entry %1 was deleted or replaced").arg(entry.Sequence));
}

int TAuditLog::SqliteCode(const QSqlError& error) { return error.nativeErrorCode().toInt() & 0xff; }

QString TAuditLog::ErrorText(const QSqlError& error)
{
    const QString driver = error.driverText().trimmed();
    const QString database = error.databaseText().trimmed();
    if (driver.isEmpty() || database.isEmpty())
        return driver + database;
    return driver + QStringLiteral(": ") + database;
}
