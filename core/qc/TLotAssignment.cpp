#include "TLotAssignment.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TDataFile.h"
#include "TLimitModes.h"
#include "TQCContext.h"

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

TApplyResult TLotAssignment::Save()
{
    TApplyResult result;
    result.Saved = SaveData(m_context, DataFileName(m_context), &result.SaveError);
    return result;
}

TApplyResult TLotAssignment::Change()
{
    m_analyte.SerumID = m_lots;
    return Save();
}

TApplyResult TLotAssignment::ChangeAndErase()
{
    QStringList errors;
    for (int level = 0; level < LevelsInUse(m_analyte); ++level) {
        if (!Changed(level) || !LevelHasData(m_analyte, level))
            continue;
        QString error;
        // The archive's header names the lot the data were measured with: archive before relinking.
        if (ArchiveLevel(m_analyte, level, m_context.ProgramFolder(), m_context.ListSerum, m_context.Risks(), &error)
            == 0) {
            errors.append(error);
            m_lots[level] = m_analyte.SerumID[level];
        }
    }
    m_analyte.SerumID = m_lots;
    TApplyResult result = Save();
    result.ArchiveErrors = errors;
    return result;
}
