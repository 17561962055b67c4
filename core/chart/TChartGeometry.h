#pragma once
#include "TQCTypes.h"
#include "TRuleChoice.h"
#include "TValidScale.h"

#include <QList>
#include <QString>
#include <array>

class TAnalyte;

// Pixel geometry of the Levey-Jennings charts of the main window, as plain
// numbers: the painter in print/ draws what these functions compute.
namespace ChartGeo {
constexpr int PlotLeft = 40; // x of the first point of the window
constexpr int PointStep = 15; // horizontal distance between two points
constexpr int PlotRight = 490; // PlotLeft + 30 steps
constexpr int PlotHeight = 120; // height of one band
constexpr int BandPitch = 135; // distance between the tops of two bands
constexpr int WindowPoints = 31; // points shown at once
constexpr int MarkerRadius = 3;
constexpr int SelectedRadius = 4;
constexpr int StatsLeft = 505; // x of the statistics text
constexpr int TickLeft = 35; // left end of a scale tick
constexpr int BoxWidth = 600; // the paint box
constexpr int BoxHeight = 454;
// The region redrawn on scrolling: plots, date axis and comment icons.
constexpr int RedrawLeft = 31;
constexpr int RedrawRight = 500;
constexpr int RedrawBottom = 450;
} // namespace ChartGeo

// What the charts show besides the analyte: the window of points, the
// selected point, the date-interval selection, the erase marks and the rules
// the analyte's runs are judged with (their marks on the charts).
struct TChartView {
    int First = 0;
    int Last = -1;
    int Selected = -1;
    int SelFirst = -1;
    int SelLast = -1;
    std::array<bool, MaxLevels> Erase { false, false, false };
    TRuleChoice Rules;
};

// The chart window of an analyte and how the scroll bar shows it.
struct TChartWindow {
    int First = 0;
    int Last = -1;
    bool ScrollVisible = false; // the scroll bar and both date panels
    int ScrollMax = 0;
    int ScrollPos = 0;
};

// Window over `count` points (count < 0: no analyte) keeping `selected` in view.
TChartWindow ComputeChartWindow(int count, int selected);

int FirstBandTop(int nbLevels);
int BandTop(int nbLevels, int level);
int DateAxisY(int nbLevels);
int CommentIconY(int nbLevels);
int PointX(int index, int first);
// Window position of a press at x (k = (x - 33) div 15), or -1 outside the
// window or beyond the last point.
int WindowPositionAt(int x, int first, int count);

// Value-to-pixel mapping of one band.
struct TValueScale {
    double Low = 0;
    double High = 0;
    double Mean = 0;
    int Top = 0;
    int Bottom = 0;
    double Factor = 1; // pixels per unit

    // y of a value; values outside the scale stick to the edge on their side.
    int Y(double value) const;
};
TValueScale MakeValueScale(const TLevelStats& reference, int top);

// Step and decimals of the chart's value scale between low and high (0.2,
// 0.4, 0.5, 1 or 2 times a power of ten); Step is 0 when the range is empty
// (no figures are written then).
TScaleStep ScaleStep(double low, double high);

struct TScaleTick {
    double Value = 0;
    int Y = 0;
    QString Text;
};
// The figures of the value scale, from the first multiple of the step above
// the lower bound up to the upper bound.
QList<TScaleTick> ScaleTicks(const TValueScale& scale);

// The horizontal lines of a band.
struct TBandLines {
    int Mean = 0;
    int WarningHigh = 0;
    int WarningLow = 0;
    int ActionHigh = 0;
    int ActionLow = 0;
    bool BorderTop = false; // silver line at the top edge
    bool BorderBottom = false; // silver line at the bottom edge
};
TBandLines BandLines(const TValueScale& scale, const TLevelStats& reference);

// The light-cyan rectangle of a locked interval, when one shows in the window.
struct TLockShade {
    bool Visible = false;
    int X1 = 0;
    int X2 = 0;
};
TLockShade LockShade(const TAnalyte& analyte, int level, int first);

// Whether the value scale is drawn for a level.
bool HasValueScale(const TAnalyte& analyte, int level);

enum class TMarker { None, Point, Discarded, Erased };
TMarker MarkerFor(quint8 status, bool erased);

// One point of a level as drawn.
struct TPlotPoint {
    int Index = 0;
    int X = 0;
    int Y = 0;
    TMarker Marker = TMarker::None;
    bool Joined = false; // part of the line joining the points
};
QList<TPlotPoint> PlotPoints(const TAnalyte& analyte, int level, const TValueScale& scale, const TChartView& view);

// One line of the statistics text beside a band.
struct TStatsLine {
    enum TStyle { ModeLabel, Plain, Underlined };
    QString Text;
    int Y = 0;
    TStyle Style = Plain;
};
QList<TStatsLine> StatsLines(const TAnalyte& analyte, int level, int top, int textHeight);

// One point's labels on the date axis; Month and Year are empty when not written.
struct TDateLabel {
    int Index = 0;
    int X = 0;
    QString Day;
    QString Month;
    QString Year;
    bool Selected = false;
};
QList<TDateLabel> DateLabels(const TAnalyte& analyte, const TChartView& view);

// x of the comment icons of the window (left edge of each icon).
QList<int> CommentIconXs(const TAnalyte& analyte, const TChartView& view);
