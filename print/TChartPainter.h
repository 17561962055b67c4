#pragma once
#include "TChartGeometry.h"

#include <QImage>
#include <QRect>

class QPainter;
class TAnalyte;

// Draws the Levey-Jennings charts of an analyte: one band per level with its
// limits, scale, points and statistics, the date axis and the comment icons.
// Drawing happens in the 600 x 454 pixel frame of the main window's paint box,
// scaled to the target rectangle; text uses the painter's font.
class TChartPainter {
public:
    // Everything: white background, bands, statistics text, date axis, icons.
    // A null analyte leaves the target white.
    static void Paint(QPainter& painter, const QRect& target, const TAnalyte* analyte, const TChartView& view,
        const QImage& commentIcon);
    // The redraw after scrolling or a change of selection: clears the plot
    // region (31, 0)-(500, 450) and draws the bands without statistics text,
    // the date axis and the comment icons.
    static void PaintPlots(QPainter& painter, const QRect& target, const TAnalyte& analyte, const TChartView& view,
        const QImage& commentIcon);

    // The plot region in box coordinates.
    static QRect PlotRegion();

private:
    static void DrawBand(QPainter& p, const TAnalyte& analyte, int level, int top, const TChartView& view);
    static void DrawRuleMarks(
        QPainter& p, const TAnalyte& analyte, int level, const QList<TPlotPoint>& points, const TChartView& view);
    static void DrawStats(QPainter& p, const TAnalyte& analyte, int level, int top);
    static void DrawDateAxis(QPainter& p, const TAnalyte& analyte, const TChartView& view);
    static void DrawCommentIcons(
        QPainter& p, const TAnalyte& analyte, const TChartView& view, const QImage& commentIcon);
};
