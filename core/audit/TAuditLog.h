#pragma once
#include "TAuditEntry.h"

#include <QDate>
#include <QList>
#include <QString>

class QSqlDatabase;
class QSqlError;

// Which entries a listing shows. Empty fields do not filter.
struct TAuditFilter {
    QString Analyte; // the analyte's name, in any case
    QString Kind; // a stored kind name
    QDate From; // the first and last local days
    QDate To;
    bool NewestFirst = false;
};

// What a check of the trail found first.
enum class TAuditFault {
    None,
    Unreadable, // the database cannot be read (damaged, not a trail)
    Changed, // an entry no longer matches its hash: a field was edited
    Deleted, // the entry before this one is gone
    Inserted, // this entry was put in between two entries of the chain
    Reordered, // this entry follows another entry than the one before it
    Renumbered, // the entry numbers do not follow each other
    Cut, // entries at the end are gone (the anchor counts more)
    Rewritten, // the entry the anchor names has another hash
    AnchorMissing, // no anchor beside a trail that has entries
};

// The outcome of a check: the number of entries and the last hash when the
// chain holds, else the first broken entry and why.
struct TAuditCheck {
    TAuditFault Fault = TAuditFault::None;
    qint64 Count = 0;
    QString LastHash;
    qint64 Entry = 0; // the entry the fault is found at
    QString Message; // "entry 12 was changed after it was recorded"
    bool Ok() const { return Fault == TAuditFault::None; }
};

// One connection to a folder's audit trail (the database and its anchor), for
// reading; the trail writes through it too.
class TAuditLog {
public:
    TAuditLog();
    ~TAuditLog();
    TAuditLog(const TAuditLog&) = delete;
    TAuditLog& operator=(const TAuditLog&) = delete;

    // Opens the trail of `folder`. Read-only never creates or changes the
    // database (the companion and the window read it so). False with the
    // reason when the database cannot be opened.
    bool Open(const QString& folder, bool readOnly, QString* error);
    void Close();
    bool IsOpen() const;
    const QString& Folder() const { return m_folder; }
    QSqlDatabase Database() const;

    // The entries the filter lets through, in sequence order (or the newest
    // first). False with the reason when the trail cannot be read.
    bool List(const TAuditFilter& filter, QList<TAuditEntry>& entries, QString* error) const;
    // The last entry, Sequence 0 when the trail is empty. False with the reason.
    bool Last(TAuditEntry& entry, QString* error) const;
    // Follows the chain from the first entry to the last and compares its end
    // with the anchor.
    TAuditCheck Verify() const;

    // The SQLite result code behind an error (SQLITE_FULL 13, SQLITE_CORRUPT 11 ...).
    static int SqliteCode(const QSqlError& error);
    // The error as one line: the driver's text and SQLite's.
    static QString ErrorText(const QSqlError& error);

private:
    TAuditCheck FindBreak(const TAuditEntry& entry, const TAuditEntry& previous, const QString& beforePrevious) const;

    QString m_connection;
    QString m_folder;
};
