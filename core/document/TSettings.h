#pragma once
#include "TOperatorList.h"

#include <QString>
#include <QStringList>

class TClock;
class TQCContext;
struct TConfigRecord;

// Puts every setting to its default: About shown at start, no password, backup
// on drive A every 7 days counted from today, no backup folder, warning limits
// on row 0 and action limits on row 4 of the t table.
void ConfigDefaults(TConfigRecord& record, const TClock& clock);

// Reads BaseName + ".cfr" into the context's settings and operator list. Never
// reports: a missing, short or foreign file gives the defaults and raises
// FirstStart (operator codes read before the damage stay in the list). In every
// case the settings then carry the current version.
void LoadConfig(TQCContext& context);

// Writes BaseName + ".cfr" atomically. False (with the reason in *error when
// given) when it could not; the previous file and the settings in memory stay.
bool SaveConfig(const TQCContext& context, QString* error = nullptr);
