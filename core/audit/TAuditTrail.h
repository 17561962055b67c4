#pragma once
#include "TAuditLog.h"
#include "TChange.h"

#include <QDateTime>
#include <QString>

class TQCContext;

// The audit trail of a program folder: one entry for every accepted change, in
// an SQLite database beside the program's files (Vantorel-audit.db, WAL mode),
// each entry chained to the one before it by its SHA-256 hash, the length and
// last hash of the chain kept in an anchor file beside it.
//
// The data change always comes first: when the trail cannot be written (full
// disk, read-only folder, locked or damaged database), Record says so once with
// the reason, counts the changes it could not record, and records a gap entry
// (how many, between which times) as soon as it can write again. A database
// found damaged is kept aside under a dated name and a new chain starts with an
// entry that says so. Nothing here ever removes or rewrites an entry.
class TAuditTrail : public TChangeJournal {
public:
    // Entries take their time from the context's clock.
    explicit TAuditTrail(const TQCContext& context);
    ~TAuditTrail() override;

    // Opens the trail of `folder`, making it on the first start. False with the
    // reason when it cannot be written now; the changes recorded meanwhile are
    // counted for a gap entry.
    bool Open(const QString& folder, QString* error);
    // Records a pending gap if the trail can be written again, then closes.
    void Close();

    // Records one committed change. False when it could not be recorded; the
    // reason is in *error only the first time in a row, so that the user is
    // told once (the gap entry records the rest). Later failures in the same
    // row leave *error empty.
    bool Record(const TChange& change, QString* error) override;

    // Writes a consistent copy of the database and its anchor into `folder`
    // (the backup target), replacing an older copy only once the new one is
    // complete. Nothing to do when `folder` is the trail's own.
    bool CopyTo(const QString& folder, QString* error) const;

    // The changes not recorded since the trail last could be written.
    qint64 Unrecorded() const { return m_missedCount; }
    // Where a damaged database was kept aside at the last start of a chain.
    const QString& KeptAside() const { return m_keptAside; }
    // The entry count and last hash as written.
    qint64 Count() const { return m_last.Sequence; }
    const TAuditLog& Log() const { return m_log; }

    // Who is recorded as running the program: the system user and host.
    QString User;
    QString Host;

private:
    bool Ready(QString* reason);
    bool Connect(QString* reason, bool* damaged);
    bool StartChain(const QString& why, QString* reason);
    bool KeepAside(QString* reason);
    bool Append(TAuditEntry entry, QString* reason);
    bool FlushGap(QString* reason);
    TAuditEntry NewEntry(const QString& kind) const;

    const TQCContext& m_context;
    TAuditLog m_log;
    QString m_folder;
    TAuditEntry m_last;
    bool m_damaged = false;
    bool m_told = false;
    QString m_keptAside;
    QString m_damageReason;
    qint64 m_missedCount = 0;
    QDateTime m_missedFrom;
    QDateTime m_missedTo;
    QString m_missedReason;
};
