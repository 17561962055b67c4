#include "TLotAssignment.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TLimitModes.h"
#include "TQCContext.h"
#include "TQCDocument.h"

#include <QJsonArray>

TLotAssignment::TLotAssignment(TQCContext& context, TAnalyte& analyte)
    : m_context(context)
    , m_analyte(analyte)
{
    Reload();
}

void TLotAssignment::Reload() { m_lots = m_analyte.SerumID; }

void TLotAssignment::Send(int level, qint32 id)
{
    if (level >= 0 && level < LevelsInUse(m_analyte))
        m_lots[level] = id;
}

bool TLotAssignment::Changed(int level) const { return m_lots[level] != m_analyte.SerumID[level]; }

bool TLotAssignment::AnyChange() const
{
    for (int level = 0; level < LevelsInUse(m_analyte); ++level)
        if (Changed(level))
            return true;
    return false;
}

QString TLotAssignment::EraseQuestion() const
{
    QString text = QStringLiteral("Delete and archive ") + m_analyte.Name
        + QStringLiteral(" QC data for control material(s) : ");
    for (int level = 0; level < LevelsInUse(m_analyte); ++level) {
        if (!Changed(level))
            continue;
        const TSerum& old = m_context.ListSerum.FindByID(m_analyte.SerumID[level]);
        text += QStringLiteral("\r  - ") + old.Name + QStringLiteral(" (") + old.Lot + ')';
    }
    return text;
}

QJsonObject TLotAssignment::LotsJson(const std::array<qint32, MaxLevels>& lots)
{
    return { { "lots", QJsonArray { lots[0], lots[1], lots[2] } } };
}

TApplyResult TLotAssignment::Commit(const QJsonObject& before, QList<TChange> changes)
{
    // An assignment that changed nothing is written without an entry.
    const QJsonObject after = LotsJson(m_analyte.SerumID);
    if (after != before)
        changes.append({ TChangeKind::LotAssigned, m_analyte.Name, 0, QString(), before, after });
    const TCommitResult commit = m_context.Document().Commit(changes, TCommitScope());
    TApplyResult result;
    result.Saved = commit.Ok();
    result.SaveError = commit.Text();
    result.JournalError = commit.JournalError;
    return result;
}

TApplyResult TLotAssignment::Change()
{
    const QJsonObject before = LotsJson(m_analyte.SerumID);
    m_analyte.SerumID = m_lots;
    return Commit(before);
}

TApplyResult TLotAssignment::ChangeAndErase()
{
    QStringList errors;
    QList<TChange> archived;
    for (int level = 0; level < LevelsInUse(m_analyte); ++level) {
        if (!Changed(level) || !LevelHasData(m_analyte, level))
            continue;
        QString error;
        // The archive's header names the lot the data were measured with: archive before relinking.
        if (m_context.Document().ArchiveLevel(m_analyte, level, archived, &error) == 0) {
            errors.append(error);
            m_lots[level] = m_analyte.SerumID[level];
        }
    }
    const QJsonObject before = LotsJson(m_analyte.SerumID);
    m_analyte.SerumID = m_lots;
    TApplyResult result = Commit(before, archived);
    result.ArchiveErrors = errors;
    return result;
}
