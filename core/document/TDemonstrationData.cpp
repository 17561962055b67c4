#include "TDemonstrationData.h"
#include "TAnalyte.h"
#include "TRandomSeries.h"

#include "TQCContext.h"
#include "TStatistics.h"

namespace {

// Means and CVs given for the levels listed, the others left out.
void Given(TQCValues& cells, std::initializer_list<float> values)
{
    int l = 0;
    for (float value : values)
        cells[l++] = { value, psWithin };
    for (; l < MaxLevels; ++l)
        cells[l] = TQCValue();
}

TAnalyte MakeGlucose(TQCContext& context, double today, const TQCValues& means, const TQCValues& cvs)
{
    TAnalyte glucose("Glucose", "mmol/L", 1, 3);
    glucose.SerumID = { 0, 1, 2 };
    AddRandomPoints(glucose, 45, means, cvs, today - 44 + 12.0 / 24, context.Random(), context.Risks());
    glucose.LimitMode = { lmLocked, lmLocked, lmLocked };
    glucose.LockStart = { 0, 0, 0 };
    glucose.LockEnd = { 25, 25, 25 };
    RecomputeAll(glucose, context.Risks());
    ClassifyAll(glucose);
    TQCPoint& wrong = glucose.Point(30);
    const float discarded[3] = { 0.6f, 1.0f, 3.5f };
    for (int l = 0; l < 3; ++l)
        wrong.Values[l] = { discarded[l], psDiscarded };
    wrong.CommentID = glucose.Comments.Add("Wrong calibrator");
    glucose.Point(35).CommentID = glucose.Comments.Add("New reagent");
    // The discarded values leave the statistics of all points.
    RecomputeAll(glucose, context.Risks());
    return glucose;
}

} // namespace

QList<TResu0> MakeDemonstrationData(TQCContext& context)
{
    const double today = context.Clock().TodayDays();
    TListSerum serums;
    for (int i = 1; i <= 3; ++i)
        serums.Add(QString("Lyphocheck %1").arg(i), QString::number(context.Random().NextInt(1000000)));
    TListAnalytes analytes;

    TQCValues means, cvs;
    Given(means, { 3, 5, 12 });
    Given(cvs, { 3, 3, 3 });
    const TAnalyte& glucose = analytes.Add(MakeGlucose(context, today, means, cvs));
    QList<TResu0> queued;
    for (int day = 1; day <= 5; ++day)
        queued.append(MakeRandomResult(glucose, means, cvs, today + day + 9.0 / 24, context.Random()));

    TAnalyte calcium("Calcium", "mmol/L", 2, 2);
    calcium.Options = aoWestgard | aoDefault;
    calcium.SerumID = { 0, 1, 2 };
    Given(means, { 2.4f, 2.6f });
    Given(cvs, { 4, 3.5f });
    AddRandomPoints(calcium, 25, means, cvs, today - 24 + 10.0 / 24, context.Random(), context.Risks());
    analytes.Add(std::move(calcium));

    TAnalyte albumin("Albumin", "g/L", 0, 1);
    albumin.SerumID = { 0, 1, 2 };
    Given(means, { 40 });
    Given(cvs, { 4 });
    AddRandomPoints(albumin, 50, means, cvs, today - 49 + 16.0 / 24, context.Random(), context.Risks());
    albumin.LimitMode[0] = lmFixed;
    albumin.ReferenceStats[0].Mean = 42;
    albumin.ReferenceStats[0].WarningHalfWidth = 2;
    albumin.ReferenceStats[0].ActionHalfWidth = 3;
    RecomputeAll(albumin, context.Risks());
    ClassifyAll(albumin);
    analytes.Add(std::move(albumin));

    context.ListSerum = std::move(serums);
    context.ListAnalytes = std::move(analytes);
    context.CurrentAnalyte = nullptr;
    return queued;
}
