#include "TLevelData.h"

#include "TQCContext.h"
#include "TestHelpers.h"

#include <QDir>

TAnalyte& AddLevelDataAnalyte(
    TQCContext& context, const QString& name, const QString& data, const std::array<int, 3>& lots)
{
    TAnalyte& analyte = context.ListAnalytes.Add(TAnalyte(name, "mmol/L", 1, int(data.size())));
    for (int l = 0; l < MaxLevels; ++l)
        analyte.SerumID[l] = lots[l];
    if (data.contains('v') || data.contains('d')) {
        for (int day = 0; day < 3; ++day) {
            TResu0 run = MakeResult(46000 + day, NAN);
            for (int l = 0; l < data.size(); ++l) {
                if (data[l] == '-')
                    continue;
                run.Values[l].Value = float(5 * (l + 1) + day * 0.1);
                run.Values[l].Status = data[l] == 'd' ? psDiscarded : psWithin;
            }
            analyte.AddPoint(run);
        }
    }
    analyte.RecomputeAll(context.Risks());
    return analyte;
}

QStringList ArchiveFiles(const TQCContext& context)
{
    return QDir(context.ProgramFolder()).entryList({ "QC*.qca" }, QDir::Files, QDir::Name);
}
