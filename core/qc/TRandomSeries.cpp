#include "TRandomSeries.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFifo.h"
#include "TRandom.h"
#include "TStatistics.h"

bool TRandomSeries::AnyLevel() const
{
    for (const TQCValue& mean : Means)
        if (mean.HasValue())
            return true;
    return false;
}

QString TRandomSeries::Question(const QString& numberText) const
{
    return QStringLiteral("Create ") + numberText + QStringLiteral(" random QC points from ")
        + ShortDateText(FirstDateTime);
}

TResu0 MakeRandomResult(
    const TAnalyte& analyte, const TQCValues& means, const TQCValues& cvs, double dateTime, TRandom& random)
{
    TResu0 result;
    result.DateTime = dateTime;
    result.Analyte = analyte.Name;
    for (int l = 0; l < MaxLevels; ++l) {
        TQCValue& cell = result.Values[l];
        if (l >= analyte.NbLevels || means[l].Status == psNoValue || cvs[l].Status == psNoValue) {
            cell.Status = psNoValue;
            cell.Value = 0.0f;
            continue;
        }
        const double mean = means[l].Value;
        cell.Status = psWithin;
        cell.Value = float(random.Gaussian(mean * cvs[l].Value / 100.0, mean));
    }
    return result;
}

void AddRandomPoints(TAnalyte& analyte, int count, const TQCValues& means, const TQCValues& cvs, double firstDateTime,
    TRandom& random, const TRisks& risks)
{
    for (int i = 0; i < count; ++i) {
        TResu0 result = MakeRandomResult(analyte, means, cvs, firstDateTime + i, random);
        result.Analyte.clear();
        analyte.AddPoint(result);
    }
    analyte.LimitMode = { lmMobile, lmMobile, lmMobile };
    RecomputeAll(analyte, risks);
    ClassifyAll(analyte);
}

bool AddRandomToQueue(const TAnalyte& analyte, const TRandomSeries& series, TRandom& random, TFifo& fifo)
{
    bool saved = true;
    for (int k = 0; k < series.Number; ++k)
        saved = fifo.Push(MakeRandomResult(analyte, series.Means, series.CVs, series.FirstDateTime + k, random));
    return saved;
}

void AddRandomToCharts(TAnalyte& analyte, const TRandomSeries& series, TRandom& random, const TRisks& risks)
{
    AddRandomPoints(analyte, series.Number, series.Means, series.CVs, series.FirstDateTime, random, risks);
}
