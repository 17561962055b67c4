#include "TLevelData.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TQCContext.h"
#include "TStatistics.h"
#include "TestHelpers.h"

#include <QDir>

TAnalyte& AddLevelDataAnalyte(
    TQCContext& context, const QString& name, const QString& data, const std::array<int, 3>& lots)
{
    TAnalyte& analyte = context.ListAnalytes.Add(TAnalyte(name, "mmol/L", 1, int(data.size())));
    for (int l = 0; l < MaxLevels; ++l)
        analyte.SerumID[l] = lots[l];
    const bool any = data.contains('v') || data.contains('d');
    for (int day = 0; any && day < 3; ++day) {
        TResu0 run = MakeResult(46000 + day, NAN);
        for (int l = 0; l < data.size(); ++l) {
            run.Values[l].Value = float(5 * (l + 1) + day * 0.1);
            run.Values[l].Status = data[l] == 'd' ? psDiscarded : data[l] == 'v' ? psWithin : psNoValue;
        }
        analyte.AddPoint(run);
    }
    RecomputeAll(analyte, context.Risks());
    return analyte;
}

QStringList ArchiveFiles(const TQCContext& context)
{
    return QDir(context.ProgramFolder()).entryList({ "QC*.qca" }, QDir::Files, QDir::Name);
}

QStringList AnalyteNames(const TListAnalytes& list)
{
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names << list.Item(i).Name;
    return names;
}

void TouchArchives(const TQCContext& context, const QList<int>& numbers)
{
    for (int number : numbers)
        if (!PutFile(ArchiveFileName(context.ProgramFolder(), number), {}))
            qFatal("cannot create archive %d", number);
}
