#include "TValidScale.h"

#include "TFormat.h"

#include <algorithm>
#include <cmath>

void TValidScale::Prepare(const TLevelStats& reference, const TQCValue& cell)
{
    Value = cell.Value;
    if (cell.Status == psNoValue)
        return;
    HasStatistics = reference.Status == TLevelStats::StatusComputed;
    const double deviation = std::fabs(Value - reference.Mean);
    if (HasStatistics) {
        Centre = reference.Mean;
        WarningHalfWidth = reference.WarningHalfWidth;
        ActionHalfWidth = reference.ActionHalfWidth;
        HalfRange = 1.1 * (ActionHalfWidth > deviation ? ActionHalfWidth : deviation);
        return;
    }
    // Without statistics the bands keep their default widths; the scale is set
    // around the value, leaning half a unit towards the mean.
    WarningHalfWidth = 0.5;
    ActionHalfWidth = 0.8;
    HalfRange = 1.2;
    if (reference.N == 0 || deviation < 1e-10)
        Centre = Value;
    else if (reference.Mean >= Value)
        Centre = Value + 0.5;
    else
        Centre = Value - 0.5;
}

int TValidScale::X(double value, int width) const
{
    const int span = width - 2 * Margin;
    if (!(HalfRange > 0) || !std::isfinite(HalfRange))
        return Margin + span / 2;
    const double position = (value - (Centre - HalfRange)) / (2 * HalfRange) * span;
    // Values far off the scale are held a little beyond its ends.
    return int(std::lround(std::clamp(position, -double(span), 2.0 * span))) + Margin;
}

double DecadeUnit(double range)
{
    double power = 10;
    if (range > 1) {
        while (power < range)
            power *= 10;
        return power / 10;
    }
    while (power > range)
        power /= 10;
    return power;
}

int StepDecimals(double step)
{
    int decimals = 0;
    if (step < 1)
        for (double p = 1; p > step; p /= 10)
            ++decimals;
    return decimals;
}

TScaleStep ScaleStepFor(double halfRange)
{
    const double range = 3 * halfRange;
    if (!(range > 0) || !std::isfinite(range))
        return {};
    return StepFromMultiples(range, { 0.1, 0.2, 0.4, 0.5, 1.0 });
}

TScaleStep StepFromMultiples(double range, const std::array<double, 5>& multiples)
{
    const double unit = DecadeUnit(range);
    const double ratio = range / unit;
    const int choice = ratio < 1.2 ? 0 : ratio < 2.4 ? 1 : ratio < 3 ? 2 : ratio < 6 ? 3 : 4;
    TScaleStep step;
    step.Step = multiples[size_t(choice)] * unit;
    step.Decimals = StepDecimals(step.Step);
    return step;
}

QList<TScaleFigure> ScaleFigures(double centre, double halfRange, QChar separator)
{
    QList<TScaleFigure> figures;
    const TScaleStep step = ScaleStepFor(halfRange);
    if (step.Step == 0 || !std::isfinite(centre))
        return figures;
    return FiguresBetween(centre - halfRange, centre + halfRange, step, separator);
}

QList<TScaleFigure> FiguresBetween(double low, double high, const TScaleStep& step, QChar separator)
{
    QList<TScaleFigure> figures;
    if (!(step.Step > 0))
        return figures;
    double t = low >= 0 ? (std::trunc(low / step.Step) + 1) * step.Step : std::trunc(low / step.Step) * step.Step;
    for (; t <= high && figures.size() < MaxScaleFigures; t += step.Step)
        figures.append({ t, FormatFixed(t, 6, step.Decimals, separator) });
    return figures;
}
