#pragma once
#include "TChange.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>

// One entry of the audit trail as it is stored: every field is text (or the
// level number) exactly as hashed, so that an entry read back hashes the same.
struct TAuditEntry {
    qint64 Sequence = 0; // 1, 2, 3 ... in the order of recording
    QString TimeUtc; // ISO 8601 with milliseconds and "Z"
    QString TimeLocal; // ISO 8601 with milliseconds and the offset from UTC
    QString OperatorCode;
    QString User; // the system user who ran the program
    QString Host;
    QString Kind; // a change kind's name (AuditKindName) or one of the trail's own
    QString Analyte;
    int Level = 0; // 1 to 3, or 0
    QString Before; // compact JSON object, keys sorted
    QString After;
    QString PreviousHash; // 64 lower-case hex digits; zeros for the first entry
    QString Hash;
};

// The trail's own kinds of entry, besides the changes of the records.
namespace TAuditKind {
inline constexpr const char* TrailStarted = "TrailStarted"; // a new chain: first start, or a damaged trail kept aside
inline constexpr const char* Gap = "Gap"; // changes that could not be recorded, how many and when
inline constexpr const char* TrailMismatch = "TrailMismatch"; // the trail did not end as its anchor said
} // namespace TAuditKind

// The stored name of a kind of change ("RunStored", "PointCorrected", ...).
QString AuditKindName(TChangeKind kind);
// Every stored kind name, the changes first, then the trail's own kinds.
QStringList AuditKindNames();
// The kind as the window and the printout show it: "Run stored", "Gap".
QString AuditKindCaption(const QString& kindName);

// The stored columns of an entry in table order (seq, time_utc, ..., hash);
// empty texts as empty, never NULL.
QVariantList AuditColumnValues(const TAuditEntry& entry);

// The hash before the first entry: 64 zeros.
QString AuditFirstPreviousHash();
// The canonical form of an entry: for each of TimeUtc, TimeLocal, OperatorCode,
// User, Host, Kind, Analyte, Level (decimal), Before and After in this order,
// the field's UTF-8 length in bytes (decimal), ':', the UTF-8 bytes and a line
// feed. The sequence number is not part of it: the chain of hashes orders the
// entries, and the numbers are checked to follow each other.
QByteArray AuditCanonicalForm(const TAuditEntry& entry);
// The same from the UTF-8 bytes of those ten fields, in that order.
QByteArray AuditCanonicalForm(const QByteArray* const (&fields)[10]);
// SHA-256 of PreviousHash (64 ASCII hex digits), a line feed and the canonical
// form, as 64 lower-case hex digits.
QString AuditHash(const TAuditEntry& entry);
QByteArray AuditHash(const QByteArray& previousHash, const QByteArray& canonicalForm);

// Where a folder keeps its trail.
QString AuditDatabaseName(const QString& folder);
// The side record of the trail's length and last hash, beside the database.
QString AuditAnchorName(const QString& folder);

// The length and last hash of the trail when it was last written, kept apart
// from the database so that a trail cut at its end is seen.
struct TAuditAnchor {
    qint64 Count = 0;
    QString Hash;
};
// Reads the anchor of `folder`; false when it is missing or not an anchor.
bool ReadAuditAnchor(const QString& folder, TAuditAnchor& anchor);
// Writes the anchor atomically; false with the system's reason.
bool WriteAuditAnchor(const QString& folder, const TAuditAnchor& anchor, QString* error);
