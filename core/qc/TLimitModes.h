#pragma once
#include "TChange.h"
#include "TConfigRecord.h"
#include "TQCTypes.h"

#include <QList>
#include <QString>
#include <array>

class TAnalyte;

// The limit settings of an analyte's levels, taken when a Lock, Fix or Archi
// sheet opens and put back as a whole by Undo and Cancel.
struct TLimitSettings {
    std::array<quint8, MaxLevels> LimitMode {};
    std::array<qint32, MaxLevels> LockStart {};
    std::array<qint32, MaxLevels> LockEnd {};
    std::array<TLevelStats, MaxLevels> ReferenceStats {};

    static TLimitSettings Take(const TAnalyte& analyte);
    // Puts the settings back; the reference statistics come back as they were,
    // so nothing needs recomputing.
    void Restore(TAnalyte& analyte) const;
    bool operator==(const TLimitSettings&) const = default;
};

// Locks a level's limits on the points first..last and recomputes. When the
// interval gives no usable statistics (empty, one value, equal values) the level
// gets back its previous mode and interval, is recomputed again, and false is
// returned.
bool LockLevel(TAnalyte& analyte, int level, int first, int last, const TRisks& risks);
// Returns a level to mobile limits, without interval, and recomputes.
void UnlockLevel(TAnalyte& analyte, int level, const TRisks& risks);
// Fixes a level's limits on the user's target and half-widths and recomputes.
void FixLevel(
    TAnalyte& analyte, int level, double mean, double warningHalfWidth, double actionHalfWidth, const TRisks& risks);
// Returns a fixed level to mobile limits and recomputes.
void UnfixLevel(TAnalyte& analyte, int level, const TRisks& risks);

// The state line of a level on the Lock sheet: "Mobile limits", "Fixed limits",
// or "Locked from " + first date + " to " + last date.
QString LockStateText(const TAnalyte& analyte, int level);

// The texts of the Fix sheet's edits for a fixed level: the target with the
// analyte's decimals, the half-widths with one more.
struct TFixedTexts {
    QString Target;
    QString Warning;
    QString Action;
};
TFixedTexts FixedLevelTexts(const TAnalyte& analyte, int level);

// The levels in use (NbLevels kept within 0..3).
int LevelsInUse(const TAnalyte& analyte);
// True when a level has at least one value, discarded ones included.
bool LevelHasData(const TAnalyte& analyte, int level);

// One change a level for every level of the analyte whose mode, interval or
// reference values differ from `before` (LimitsLocked, LimitsFixed or
// LimitsMobile by the mode now in force).
QList<TChange> LimitChanges(const TAnalyte& analyte, const TLimitSettings& before);
