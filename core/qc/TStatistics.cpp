#include "TStatistics.h"

#include "TAnalyte.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

const double TTable[TTableRows][TTableColumns] = {
    { 12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228, 2.201, 2.179, 2.160, 2.145, 2.131, 2.120,
        2.110, 2.101, 2.093, 2.086, 2.080, 2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042, 2.021, 2.000,
        1.980, 1.960 },
    { 31.821, 6.965, 4.541, 3.747, 3.365, 3.143, 2.998, 2.896, 2.821, 2.764, 2.718, 2.681, 2.650, 2.624, 2.602, 2.583,
        2.567, 2.552, 2.539, 2.528, 2.518, 2.508, 2.500, 2.492, 2.485, 2.479, 2.473, 2.467, 2.462, 2.457, 2.423, 2.390,
        2.358, 2.326 },
    { 63.657, 9.925, 5.841, 4.604, 4.032, 3.707, 3.499, 3.355, 3.250, 3.169, 3.106, 3.055, 3.012, 2.977, 2.947, 2.921,
        2.898, 2.878, 2.861, 2.845, 2.831, 2.819, 2.807, 2.797, 2.787, 2.779, 2.771, 2.763, 2.756, 2.750, 2.704, 2.660,
        2.617, 2.576 },
    { 127.32, 14.089, 7.453, 5.598, 4.773, 4.317, 4.029, 3.833, 3.690, 3.581, 3.497, 3.428, 3.372, 3.326, 3.286, 3.252,
        3.222, 3.197, 3.174, 3.153, 3.135, 3.119, 3.104, 3.091, 3.078, 3.067, 3.057, 3.047, 3.038, 3.030, 2.971, 2.915,
        2.860, 2.807 },
    { 318.31, 22.327, 10.215, 7.173, 5.893, 5.208, 4.785, 4.501, 4.297, 4.144, 4.025, 3.930, 3.852, 3.787, 3.733, 3.686,
        3.646, 3.610, 3.579, 3.552, 3.527, 3.505, 3.485, 3.467, 3.450, 3.435, 3.421, 3.408, 3.396, 3.385, 3.307, 3.232,
        3.160, 3.090 },
};

namespace {

// Extended precision where the platform has it, for the final arithmetic.
using Real = long double;

constexpr int Col30 = 29, Col40 = 30, Col60 = 31, Col120 = 32, ColInf = 33;

// Running sums of one level. The sums are taken of the values less the level's
// first value (the shifted-data method): the variance then suffers no cancellation,
// so long series of close values come out more exactly than plain sums in
// extended precision would give them, at double speed.
struct TAccumulator {
    double Shift = 0;
    double Sum = 0;
    double SumSquares = 0;
    float Min = std::numeric_limits<float>::infinity();
    float Max = -std::numeric_limits<float>::infinity();
    qint32 N = 0;
    qint32 Discarded = 0;

    void Add(const TQCValue& cell)
    {
        if (cell.Status >= psDiscarded) {
            Discarded += cell.Status == psDiscarded;
            return;
        }
        const float x = cell.Value;
        if (N == 0)
            Shift = x;
        ++N;
        const double d = double(x) - Shift; // exact: the difference of two floats
        Sum += d;
        SumSquares += d * d;
        Min = std::min(Min, x);
        Max = std::max(Max, x);
    }

    TLevelStats Finish(const TRisks& risks) const
    {
        TLevelStats s;
        s.N = N;
        s.Discarded = Discarded;
        // Before any value the bounds keep their start values 1e10 and -1e10.
        s.Min = N > 0 ? double(Min) : 1e10;
        s.Max = N > 0 ? double(Max) : -1e10;
        const Real sum = Sum;
        const Real sumSquares = SumSquares;
        const Real min = s.Min;
        const Real max = s.Max;
        if (N == 0) {
            s.Mean = 0;
            s.ChartLow = -1;
            s.ChartHigh = 1;
            s.WarningHalfWidth = 0.5;
            s.ActionHalfWidth = 0.8;
            s.DegreesOfFreedom = 0;
            s.Status = TLevelStats::StatusNotComputable;
            return s;
        }
        const Real mean = Real(Shift) + sum / N;
        s.Mean = double(mean);
        if (max - min < 1e-10L) {
            s.Status = TLevelStats::StatusNotComputable;
            s.DegreesOfFreedom = 0;
            if (std::fabs(mean) < 1e-10L) {
                s.Mean = 0;
                s.ChartLow = -1;
                s.ChartHigh = 1;
                s.WarningHalfWidth = 0.5;
                s.ActionHalfWidth = 0.8;
            } else {
                const Real absMean = std::fabs(mean);
                s.ChartLow = double(mean - absMean);
                s.ChartHigh = double(mean + absMean);
                s.WarningHalfWidth = double(std::fabs(0.5L * mean));
                s.ActionHalfWidth = double(std::fabs(0.8L * mean));
            }
            return s;
        }
        s.ChartLow = s.Min;
        s.ChartHigh = s.Max;
        s.DegreesOfFreedom = N - 1;
        const Real variance = std::max<Real>((sumSquares - sum * sum / N) / (N - 1), 0);
        const Real sd = std::sqrt(variance);
        if (std::fabs(mean) < 1e-10L) {
            s.Status = TLevelStats::StatusNotComputable;
        } else {
            s.CV = float(sd * 100 / std::fabs(mean));
            s.Status = TLevelStats::StatusComputed;
        }
        s.WarningHalfWidth = double(TValue(risks.Alert, N - 1) * sd);
        s.ActionHalfWidth = double(TValue(risks.Action, N - 1) * sd);
        return s;
    }
};

TAccumulator Accumulate(const TAnalyte& analyte, int level, int first, int last)
{
    TAccumulator acc;
    first = std::max(first, 0);
    last = std::min(last, analyte.Count() - 1);
    for (int i = first; i <= last; ++i)
        acc.Add(analyte.Point(i).Values[level]);
    return acc;
}

// Calls f.template operator()<L>() with the number of levels as a constant, so
// that the loops over the levels unroll.
template <typename F> void WithLevelCount(int levels, F&& f)
{
    switch (levels) {
    case 1:
        f.template operator()<1>();
        break;
    case 2:
        f.template operator()<2>();
        break;
    case 3:
        f.template operator()<3>();
        break;
    default:
        break;
    }
}

// The sums of the first `Levels` levels over all points, in one pass.
template <int Levels> void AccumulateAll(const TAnalyte& analyte, TAccumulator* acc)
{
    // The sums are kept in local copies through the loop, which lets the
    // compiler hold them in registers instead of storing them at every point.
    std::array<TAccumulator, Levels> local;
    std::copy(acc, acc + Levels, local.begin());
    const int count = analyte.Count();
    // Constant level indices (the fold below) let each accumulator be split into registers.
    const auto addPoint = [&]<std::size_t... L>(const TQCValues& values, std::index_sequence<L...>)
    {
        (local[L].Add(values[L]), ...);
    };
    for (int i = 0; i < count; ++i)
        addPoint(analyte.Point(i).Values, std::make_index_sequence<Levels>());
    std::copy(local.begin(), local.end(), acc);
}

// One level's limits, prepared for classifying a long series without branches.
struct TLimits {
    double Mean = 0, Warning = 0, Action = 0;

    TLimits() = default;
    TLimits(const TLevelStats& reference, quint8 mode)
        : Mean(reference.Mean)
        , Warning(reference.WarningHalfWidth)
        , Action(reference.ActionHalfWidth)
    {
        // Mobile limits that could not be computed leave every value within:
        // no comparison with a NaN half-width holds.
        if (mode == lmMobile && reference.Status == TLevelStats::StatusNotComputable)
            Warning = Action = std::numeric_limits<double>::quiet_NaN();
    }

    // The same answers as ClassifyValue: the later tests take precedence.
    quint8 Classify(double value) const
    {
        const double below = Mean - value;
        const double above = value - Mean;
        quint8 status = psWithin;
        status = above >= Warning ? quint8(psHighWarning) : status;
        status = above >= Action ? quint8(psHighAction) : status;
        status = below >= Warning ? quint8(psLowWarning) : status;
        status = below >= Action ? quint8(psLowAction) : status;
        return status;
    }
};

// Classifies every counted value of the first `Levels` levels.
template <int Levels> void ClassifyAllLevels(TAnalyte& analyte, const TLimits* limits)
{
    // Local copies: the status stores could otherwise alias the limits and
    // make the compiler read them again for every value.
    std::array<TLimits, Levels> local;
    std::copy(limits, limits + Levels, local.begin());
    const auto classify = [&]<std::size_t... L>(TQCValues & values, std::index_sequence<L...>)
    {
        ((values[L].Status = values[L].Status < psDiscarded ? local[L].Classify(values[L].Value) : values[L].Status),
            ...);
    };
    const int count = analyte.Count();
    for (int i = 0; i < count; ++i)
        classify(analyte.Point(i).Values, std::make_index_sequence<Levels>());
}

// Widens the chart range of a level's reference statistics to its action limits.
void WidenToActionLimits(TLevelStats& s)
{
    if (s.N <= 0)
        return;
    if (s.ChartHigh < s.Mean + s.ActionHalfWidth)
        s.ChartHigh = s.Mean + s.ActionHalfWidth;
    if (s.ChartLow > s.Mean - s.ActionHalfWidth)
        s.ChartLow = s.Mean - s.ActionHalfWidth;
}

// The mode-dependent part of ComputeLevel, once AllPointsStats are known.
void ApplyLimitMode(TAnalyte& analyte, int level, const TRisks& risks)
{
    const TLevelStats& all = analyte.AllPointsStats[level];
    TLevelStats& ref = analyte.ReferenceStats[level];
    switch (analyte.LimitMode[level]) {
    case lmLocked: {
        const TLevelStats locked
            = Accumulate(analyte, level, analyte.LockStart[level], analyte.LockEnd[level]).Finish(risks);
        if (analyte.LockStart[level] >= 0 && locked.Status != TLevelStats::StatusNotComputable) {
            ref = locked;
            ref.ChartHigh = all.ChartHigh;
            ref.ChartLow = all.ChartLow;
            WidenToActionLimits(ref);
            return;
        }
        analyte.LimitMode[level] = lmMobile;
        analyte.LockStart[level] = -1;
        analyte.LockEnd[level] = -1;
        ref = all;
        WidenToActionLimits(ref);
        return;
    }
    case lmFixed:
        ref.Status = TLevelStats::StatusComputed;
        ref.ChartHigh = ref.Mean + ref.ActionHalfWidth;
        ref.ChartLow = ref.Mean - ref.ActionHalfWidth;
        if (all.N + all.Discarded > 0) {
            if (all.Max > ref.ChartHigh)
                ref.ChartHigh = all.Max;
            if (all.Min < ref.ChartLow)
                ref.ChartLow = all.Min;
        }
        return;
    default:
        // Mobile, and any unknown mode byte, which is treated as mobile.
        ref = all;
        WidenToActionLimits(ref);
        return;
    }
}

} // namespace

double TValue(int riskIndex, int dof)
{
    const int r = std::clamp(riskIndex, 0, TTableRows - 1);
    const double* t = TTable[r];
    if (dof < 1)
        dof = 1;
    if (dof < 30)
        return t[dof - 1];
    if (dof < 40)
        return t[Col30] - (t[Col30] - t[Col40]) / 10.0 * (dof - 30);
    if (dof < 60)
        return t[Col40] - (t[Col40] - t[Col60]) / 20.0 * (dof - 40);
    if (dof < 120)
        return t[Col60] - (t[Col60] - t[Col120]) / 60.0 * (dof - 60);
    return t[Col120] - (t[Col120] - t[ColInf]) * (dof - 120) / dof;
}

TLevelStats LevelStatistics(const TAnalyte& analyte, int level, int first, int last, const TRisks& risks)
{
    return Accumulate(analyte, level, first, last).Finish(risks);
}

void ComputeLevel(TAnalyte& analyte, int level, const TRisks& risks)
{
    analyte.AllPointsStats[level] = LevelStatistics(analyte, level, 0, analyte.Count() - 1, risks);
    ApplyLimitMode(analyte, level, risks);
}

void CommonCV(TAnalyte& analyte, const TRisks& risks)
{
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    double sum = 0;
    int pooledDof = 0;
    for (int l = 0; l < levels; ++l) {
        const TLevelStats& s = analyte.ReferenceStats[l];
        if (analyte.LimitMode[l] == lmFixed || s.Status == TLevelStats::StatusNotComputable)
            continue;
        const double cv = double(s.CV) / 100.0;
        sum += cv * cv * (s.N - 1);
        pooledDof += s.N - 1;
    }
    if (pooledDof <= 0)
        return;
    const double commonCV = std::sqrt(sum / pooledDof);
    for (int l = 0; l < levels; ++l) {
        TLevelStats& s = analyte.ReferenceStats[l];
        if (analyte.LimitMode[l] == lmFixed || s.N <= 0)
            continue;
        s.Status = TLevelStats::StatusComputed;
        s.CV = float(commonCV * 100);
        s.WarningHalfWidth = TValue(risks.Alert, pooledDof) * commonCV * s.Mean;
        s.ActionHalfWidth = TValue(risks.Action, pooledDof) * commonCV * s.Mean;
        s.DegreesOfFreedom = pooledDof;
        s.ChartHigh = s.Max >= s.Mean + s.ActionHalfWidth ? s.Max : s.Mean + s.ActionHalfWidth;
        s.ChartLow = s.Min <= s.Mean - s.ActionHalfWidth ? s.Min : s.Mean - s.ActionHalfWidth;
    }
}

void RecomputeAll(TAnalyte& analyte, const TRisks& risks)
{
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    // One pass over the points gathers the sums of every level at once.
    TAccumulator acc[MaxLevels];
    WithLevelCount(levels, [&]<int Levels>() { AccumulateAll<Levels>(analyte, acc); });
    for (int l = 0; l < levels; ++l) {
        analyte.AllPointsStats[l] = acc[l].Finish(risks);
        ApplyLimitMode(analyte, l, risks);
    }
    if (analyte.HasOption(aoCommonCV))
        CommonCV(analyte, risks);
}

namespace {
void ClassifyValues(const TAnalyte& analyte, TQCValues& values)
{
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    for (int l = 0; l < levels; ++l) {
        TQCValue& cell = values[l];
        if (cell.Status == psDiscarded || cell.Status == psNoValue)
            continue;
        cell.Status = ClassifyValue(analyte.ReferenceStats[l], analyte.LimitMode[l], cell.Value);
    }
}
} // namespace

void ClassifyPoint(const TAnalyte& analyte, TQCPoint& point) { ClassifyValues(analyte, point.Values); }

void ClassifyPoint(const TAnalyte& analyte, TResu0& run) { ClassifyValues(analyte, run.Values); }

void ClassifyAll(TAnalyte& analyte)
{
    // The limits of each level, read once for the whole series.
    const int levels = std::clamp(int(analyte.NbLevels), 0, MaxLevels);
    const TLimits limits[MaxLevels] = {
        TLimits(analyte.ReferenceStats[0], analyte.LimitMode[0]),
        TLimits(analyte.ReferenceStats[1], analyte.LimitMode[1]),
        TLimits(analyte.ReferenceStats[2], analyte.LimitMode[2]),
    };
    WithLevelCount(levels, [&]<int Levels>() { ClassifyAllLevels<Levels>(analyte, limits); });
}
