#include "TQueueRecall.h"
#include "TAnalyte.h"

#include "TListAnalytes.h"
#include "TStatistics.h"

TRecallTarget PrepareRecalledRun(TListAnalytes& analytes, TResu0& run, const TRisks& risks)
{
    TRecallTarget target;
    const QString name = run.Analyte.left(TAnalyte::NameCapacity);
    target.Analyte = analytes.FindByName(name);
    if (!target.Analyte) {
        target.Analyte = &analytes.Add(std::make_unique<TAnalyte>(name, QStringLiteral("mmol/L"), 2, 3));
        target.Created = true;
    }
    TAnalyte& analyte = *target.Analyte;
    int highest = 0;
    for (int l = 0; l < MaxLevels; ++l)
        if (run.Values[l].HasValue())
            highest = l + 1;
    if (highest > analyte.NbLevels) {
        // Points stored earlier may hold values at the levels taken in.
        analyte.NbLevels = highest;
        RecomputeAll(analyte, risks);
        target.LevelsGrown = true;
    }
    ClassifyPoint(analyte, run);
    return target;
}
