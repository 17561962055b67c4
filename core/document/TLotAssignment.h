#pragma once
#include "TChange.h"
#include "TEditResult.h"
#include "TQCTypes.h"

#include <QJsonObject>
#include <QString>
#include <array>

class TAnalyte;
class TQCContext;

// The lots of an analyte's levels as the assignment window edits them: a
// working copy of the three lot ids, compared with the analyte's over the
// levels in use.
class TLotAssignment {
public:
    TLotAssignment(TQCContext& context, TAnalyte& analyte);

    // Takes the analyte's lots again.
    void Reload();
    TAnalyte& Analyte() const { return m_analyte; }
    qint32 Lot(int level) const { return m_lots[level]; }
    // Sends a lot to a level in use (other levels are left alone).
    void Send(int level, qint32 id);
    // True when a level in use was sent another lot than it has.
    bool Changed(int level) const;
    bool AnyChange() const;

    // The question before erasing: the analyte and the old lot of each changed level.
    QString EraseQuestion() const;
    // Gives the analyte the working lots and writes the data file.
    TApplyResult Change();
    // Archives every changed level that holds data (under its old lot), then
    // gives the analyte the working lots and writes the data file. A level whose
    // archive cannot be written keeps its data and its old lot.
    TApplyResult ChangeAndErase();

private:
    // Commits the analyte's lots (LotAssigned, `before` the lots as they were)
    // after the levels archived on the way (`changes`).
    TApplyResult Commit(const QJsonObject& before, QList<TChange> changes = {});
    static QJsonObject LotsJson(const std::array<qint32, MaxLevels>& lots);

    TQCContext& m_context;
    TAnalyte& m_analyte;
    std::array<qint32, MaxLevels> m_lots {};
};
