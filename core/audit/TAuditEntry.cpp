#include "TAuditEntry.h"

#include "TSha256.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct TKindText {
    TChangeKind Kind;
    const char* Name;
    const char* Caption;
};

// The stored names never change: entries recorded years ago must still read.
const TKindText KindTexts[] = {
    { TChangeKind::RunStored, "RunStored", "Run stored" },
    { TChangeKind::RunQueued, "RunQueued", "Run sent to the queue" },
    { TChangeKind::RunRecalled, "RunRecalled", "Run recalled from the queue" },
    { TChangeKind::QueueCleared, "QueueCleared", "Queue cleared" },
    { TChangeKind::PointsDeleted, "PointsDeleted", "Points deleted" },
    { TChangeKind::PointCorrected, "PointCorrected", "Point corrected" },
    { TChangeKind::LimitsLocked, "LimitsLocked", "Limits locked" },
    { TChangeKind::LimitsFixed, "LimitsFixed", "Limits fixed" },
    { TChangeKind::LimitsMobile, "LimitsMobile", "Limits back to mobile" },
    { TChangeKind::CommonCvChanged, "CommonCvChanged", "Common CV switched" },
    { TChangeKind::RisksChanged, "RisksChanged", "Statistical risks changed" },
    { TChangeKind::LevelArchived, "LevelArchived", "Level erased and archived" },
    { TChangeKind::ArchiveDeleted, "ArchiveDeleted", "Archive deleted" },
    { TChangeKind::AnalyteCreated, "AnalyteCreated", "Analyte created" },
    { TChangeKind::AnalyteChanged, "AnalyteChanged", "Analyte changed" },
    { TChangeKind::AnalyteDeleted, "AnalyteDeleted", "Analyte deleted" },
    { TChangeKind::MaterialCreated, "MaterialCreated", "Control material created" },
    { TChangeKind::MaterialChanged, "MaterialChanged", "Control material changed" },
    { TChangeKind::MaterialDeleted, "MaterialDeleted", "Control material deleted" },
    { TChangeKind::LotAssigned, "LotAssigned", "Lots assigned" },
    { TChangeKind::OperatorsChanged, "OperatorsChanged", "Operators changed" },
    { TChangeKind::PasswordChanged, "PasswordChanged", "Password changed" },
    { TChangeKind::BackupOptionsChanged, "BackupOptionsChanged", "Backup options changed" },
    { TChangeKind::BackupMade, "BackupMade", "Backup made" },
    { TChangeKind::Restored, "Restored", "Data restored" },
    { TChangeKind::Imported, "Imported", "Version-2 data imported" },
    { TChangeKind::RulesChanged, "RulesChanged", "Westgard rules switched" },
    { TChangeKind::SettingsChanged, "SettingsChanged", "Settings changed" },
};

const std::pair<const char*, const char*> OwnKinds[] = {
    { TAuditKind::TrailStarted, "Audit trail started" },
    { TAuditKind::Gap, "Changes not recorded" },
    { TAuditKind::TrailMismatch, "Audit trail found shorter or changed" },
};

const char AnchorHeading[] = "Vantorel audit anchor 1";

} // namespace

QString AuditKindName(TChangeKind kind)
{
    for (const TKindText& text : KindTexts)
        if (text.Kind == kind)
            return QString::fromLatin1(text.Name);
    return QString::number(int(kind));
}

QStringList AuditKindNames()
{
    QStringList names;
    for (const TKindText& text : KindTexts)
        names << QString::fromLatin1(text.Name);
    for (const auto& [name, caption] : OwnKinds)
        names << QString::fromLatin1(name);
    return names;
}

QString AuditKindCaption(const QString& kindName)
{
    for (const TKindText& text : KindTexts)
        if (kindName == QLatin1String(text.Name))
            return QString::fromLatin1(text.Caption);
    for (const auto& [name, caption] : OwnKinds)
        if (kindName == QLatin1String(name))
            return QString::fromLatin1(caption);
    return kindName;
}

QVariantList AuditColumnValues(const TAuditEntry& e)
{
    QVariantList values { e.Sequence };
    for (const QString* text : { &e.TimeUtc, &e.TimeLocal, &e.OperatorCode, &e.User, &e.Host, &e.Kind, &e.Analyte })
        values << (text->isNull() ? QStringLiteral("") : *text);
    values << e.Level;
    for (const QString* text : { &e.Before, &e.After, &e.PreviousHash, &e.Hash })
        values << (text->isNull() ? QStringLiteral("") : *text);
    return values;
}

QString AuditFirstPreviousHash() { return QString(64, QLatin1Char('0')); }

QByteArray AuditCanonicalForm(const TAuditEntry& entry)
{
    QByteArray utf8[10];
    const QString* texts[] = { &entry.TimeUtc, &entry.TimeLocal, &entry.OperatorCode, &entry.User, &entry.Host,
        &entry.Kind, &entry.Analyte, nullptr, &entry.Before, &entry.After };
    for (int i = 0; i < 10; ++i)
        utf8[i] = texts[i] ? texts[i]->toUtf8() : QByteArray::number(entry.Level);
    return AuditCanonicalForm(
        { &utf8[0], &utf8[1], &utf8[2], &utf8[3], &utf8[4], &utf8[5], &utf8[6], &utf8[7], &utf8[8], &utf8[9] });
}

QByteArray AuditCanonicalForm(const QByteArray* const (&fields)[10])
{
    qsizetype size = 0;
    for (const QByteArray* field : fields)
        size += field->size() + 12;
    QByteArray form;
    form.reserve(size);
    for (const QByteArray* field : fields) {
        form += QByteArray::number(field->size());
        form += ':';
        form += *field;
        form += '\n';
    }
    return form;
}

QString AuditHash(const TAuditEntry& entry)
{
    return QString::fromLatin1(AuditHash(entry.PreviousHash.toLatin1(), AuditCanonicalForm(entry)));
}

QByteArray AuditHash(const QByteArray& previousHash, const QByteArray& canonicalForm)
{
    QByteArray message;
    message.reserve(previousHash.size() + 1 + canonicalForm.size());
    message += previousHash;
    message += '\n';
    message += canonicalForm;
    return Sha256(message).toHex();
}

QString AuditDatabaseName(const QString& folder) { return QDir(folder).filePath(QStringLiteral("Vantorel-audit.db")); }

QString AuditAnchorName(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Vantorel-audit.anchor"));
}

bool ReadAuditAnchor(const QString& folder, TAuditAnchor& anchor)
{
    QFile file(AuditAnchorName(folder));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.read(512).split('\n');
    bool number = false;
    const qint64 count = lines.value(1).toLongLong(&number);
    const QByteArray hash = lines.value(2);
    if (lines.value(0) != AnchorHeading || !number || count < 0 || hash.size() != 64)
        return false;
    anchor = { count, QString::fromLatin1(hash) };
    return true;
}

bool WriteAuditAnchor(const QString& folder, const TAuditAnchor& anchor, QString* error)
{
    // A new file renamed over the old one, without waiting for the disk: the
    // anchor follows each entry and must cost no more than the entry itself.
    const QByteArray text
        = QByteArray(AnchorHeading) + '\n' + QByteArray::number(anchor.Count) + '\n' + anchor.Hash.toLatin1() + '\n';
    const QString name = AuditAnchorName(folder);
    QFile file(name + QStringLiteral(".new"));
    const bool written
        = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() && file.flush();
    file.close();
    if (written
        && std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(name).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2")
                     .arg(name, written ? QString::fromLocal8Bit(strerror(errno)) : file.errorString());
    file.remove();
    return false;
}
