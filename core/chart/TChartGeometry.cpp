#include "TChartGeometry.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"

#include <algorithm>
#include <cmath>

using namespace ChartGeo;

TChartWindow ComputeChartWindow(int count, int selected)
{
    TChartWindow w;
    if (count <= 0) {
        w.First = 0;
        w.Last = -1;
        return w;
    }
    if (count < WindowPoints) {
        w.First = 0;
        w.Last = count - 1;
        return w;
    }
    w.Last = count - 1;
    w.First = count - WindowPoints;
    if (selected >= 0 && selected < w.First) {
        w.First = selected <= WindowPoints - 1 ? 0 : selected;
        w.Last = w.First + WindowPoints - 1;
    }
    w.ScrollVisible = true;
    w.ScrollMax = count - WindowPoints;
    w.ScrollPos = w.First;
    return w;
}

int FirstBandTop(int nbLevels) { return 18 + 60 * (MaxLevels - std::clamp(nbLevels, 1, MaxLevels)); }

int BandTop(int nbLevels, int level) { return FirstBandTop(nbLevels) + BandPitch * level; }

int DateAxisY(int nbLevels) { return FirstBandTop(nbLevels) + BandPitch * std::clamp(nbLevels, 1, MaxLevels) - 10; }

int CommentIconY(int nbLevels) { return FirstBandTop(nbLevels) - 17; }

int PointX(int index, int first) { return PlotLeft + PointStep * (index - first); }

int WindowPositionAt(int x, int first, int count)
{
    const int k = (x - 33) / PointStep; // C++ division truncates towards zero, as the design asks
    if (k < 0 || k > WindowPoints - 1 || first + k >= count)
        return -1;
    return k;
}

int TValueScale::Y(double value) const
{
    if (Low < value && value <= High) {
        // Halves go to the even neighbour (the default rounding mode).
        const double y = std::nearbyint(double(Bottom) - (value - Low) * Factor);
        return int(std::clamp(y, double(Top), double(Bottom)));
    }
    return value <= Mean ? Bottom : Top;
}

TValueScale MakeValueScale(const TLevelStats& reference, int top)
{
    TValueScale s;
    s.Low = reference.ChartLow;
    s.High = reference.ChartHigh;
    s.Mean = reference.Mean;
    s.Top = top;
    s.Bottom = top + PlotHeight;
    const double range = s.High - s.Low;
    s.Factor = (range < 0.00001 || !std::isfinite(range)) ? 2.0 : PlotHeight / range;
    return s;
}

TScaleStep ScaleStep(double low, double high)
{
    TScaleStep result;
    const double range = high - low;
    // An empty, reversed or infinite range has no figures: the powers of ten
    // would never reach it.
    if (!(range > 1e-300) || !std::isfinite(range))
        return result;
    return StepFromMultiples(range, { 0.2, 0.4, 0.5, 1.0, 2.0 });
}

QList<TScaleTick> ScaleTicks(const TValueScale& scale)
{
    QList<TScaleTick> ticks;
    for (const TScaleFigure& f : FiguresBetween(scale.Low, scale.High, ScaleStep(scale.Low, scale.High)))
        ticks.append({ f.Value, scale.Y(f.Value), f.Text });
    return ticks;
}

TBandLines BandLines(const TValueScale& scale, const TLevelStats& r)
{
    TBandLines l;
    l.Mean = scale.Y(r.Mean);
    l.WarningHigh = scale.Y(r.Mean + r.WarningHalfWidth);
    l.WarningLow = scale.Y(r.Mean - r.WarningHalfWidth);
    l.ActionHigh = scale.Y(r.Mean + r.ActionHalfWidth);
    l.ActionLow = scale.Y(r.Mean - r.ActionHalfWidth);
    l.BorderTop = l.ActionHigh - 1 > scale.Top;
    l.BorderBottom = l.ActionLow < scale.Bottom - 1;
    return l;
}

TLockShade LockShade(const TAnalyte& analyte, int level, int first)
{
    TLockShade shade;
    if (analyte.LimitMode[level] != lmLocked)
        return shade;
    shade.X1 = std::max(PlotLeft, PointX(analyte.LockStart[level], first));
    shade.X2 = std::min(PlotRight, PointX(analyte.LockEnd[level], first));
    shade.Visible = shade.X1 < shade.X2;
    return shade;
}

bool HasValueScale(const TAnalyte& analyte, int level)
{
    const TLevelStats& all = analyte.AllPointsStats[level];
    return all.N + all.Discarded > 0 || analyte.LimitMode[level] == lmFixed;
}

TMarker MarkerFor(quint8 status, bool erased)
{
    if (status == psNoValue)
        return TMarker::None;
    if (erased)
        return TMarker::Erased;
    return status == psDiscarded ? TMarker::Discarded : TMarker::Point;
}

QList<TPlotPoint> PlotPoints(const TAnalyte& analyte, int level, const TValueScale& scale, const TChartView& view)
{
    QList<TPlotPoint> points;
    const int last = std::min(view.Last, analyte.Count() - 1);
    for (int i = std::max(view.First, 0); i <= last; ++i) {
        const TQCValue& cell = analyte.Point(i).Values[level];
        TPlotPoint p;
        p.Index = i;
        p.X = PointX(i, view.First);
        p.Y = scale.Y(cell.Value);
        p.Marker = MarkerFor(cell.Status, view.Erase[level]);
        p.Joined = cell.IsCounted();
        points.append(p);
    }
    return points;
}

QList<TStatsLine> StatsLines(const TAnalyte& analyte, int level, int top, int h)
{
    QList<TStatsLine> lines;
    const TLevelStats& all = analyte.AllPointsStats[level];
    const int mode = analyte.LimitMode[level];
    int y = top + 20;
    lines.append({ LimitModeCaption(mode), y, TStatsLine::ModeLabel });
    y += (3 * h) / 2;
    if (all.N > 0) {
        lines.append({ "m = " + FormatFixed(all.Mean, 8, analyte.Decimals + 1) + " " + analyte.Units, y });
        y += h;
    }
    if (all.Status == TLevelStats::StatusComputed) {
        lines.append({ "CV = " + FormatFixed(all.CV, 6, 1) + " %", y });
        y += h;
    }
    lines.append({ "N = " + QString::number(all.N), y });
    y += (3 * h) / 2;
    if (mode != lmFixed && analyte.HasOption(aoCommonCV))
        lines.append({ QStringLiteral("Common CV"), y, TStatsLine::Underlined });
    return lines;
}

QList<TDateLabel> DateLabels(const TAnalyte& analyte, const TChartView& view)
{
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    QList<TDateLabel> labels;
    int lastMonth = -1;
    int lastYear = -1;
    const int last = std::min(view.Last, analyte.Count() - 1);
    for (int i = std::max(view.First, 0); i <= last; ++i) {
        const QDate date = DayCountToDate(analyte.Point(i).DateTime);
        TDateLabel label;
        label.Index = i;
        label.X = PointX(i, view.First);
        label.Selected = view.SelFirst >= 0 && view.SelFirst <= i && i <= view.SelLast;
        if (!date.isValid()) {
            labels.append(label);
            continue;
        }
        label.Day = QString::number(date.day());
        if (date.month() != lastMonth) {
            lastMonth = date.month();
            label.Month = QString::fromLatin1(months + 3 * (lastMonth - 1), 3);
            const int year = date.year() % 100;
            if (year != lastYear) {
                lastYear = year;
                label.Year = QString("%1").arg(year, 2, 10, QChar('0'));
            }
        }
        labels.append(label);
    }
    return labels;
}

QList<int> CommentIconXs(const TAnalyte& analyte, const TChartView& view)
{
    QList<int> xs;
    const int last = std::min(view.Last, analyte.Count() - 1);
    for (int i = std::max(view.First, 0); i <= last; ++i)
        if (analyte.Point(i).CommentID >= 0)
            xs.append(PointX(i, view.First) - 4);
    return xs;
}
