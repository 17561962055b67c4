#include "TSettings.h"

#include "TClock.h"
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TFileStamp.h"
#include "TQCContext.h"

#include <algorithm>

void ConfigDefaults(TConfigRecord& record, const TClock& clock)
{
    record = TConfigRecord();
    record.LastBackupDate = clock.TodayDays();
}

void LoadConfig(TQCContext& context)
{
    context.ListOperators.clear();
    TConfigReader reader;
    const bool ok = reader.ReadFile(context.BaseName() + QStringLiteral(".cfr"));
    for (const QString& code : reader.Operators())
        InsertSorted(context.ListOperators, code);
    if (ok) {
        context.Config = reader.Record();
        context.FirstStart = false;
    } else {
        ConfigDefaults(context.Config, context.Clock());
        context.FirstStart = true;
    }
    context.Config.Version[0] = TFileStamp::CurrentVersion[0];
    context.Config.Version[1] = TFileStamp::CurrentVersion[1];
}

bool SaveConfig(const TQCContext& context, QString* error)
{
    TConfigWriter writer;
    if (writer.WriteFile(context.BaseName() + QStringLiteral(".cfr"), context.Config, context.ListOperators))
        return true;
    if (error)
        *error = writer.ErrorString();
    return false;
}
