#include "TRandomSeries.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFifo.h"

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

bool AddRandomToQueue(const TAnalyte& analyte, const TRandomSeries& series, TRandom& random, TFifo& fifo)
{
    bool saved = true;
    for (int k = 0; k < series.Number; ++k)
        saved = fifo.Push(analyte.MakeRandomResult(series.Means, series.CVs, series.FirstDateTime + k, random));
    return saved;
}

void AddRandomToCharts(TAnalyte& analyte, const TRandomSeries& series, TRandom& random, const TRisks& risks)
{
    analyte.AddRandomPoints(series.Number, series.Means, series.CVs, series.FirstDateTime, random, risks);
}
