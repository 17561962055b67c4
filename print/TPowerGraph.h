#pragma once
#include "TDataReport.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class TPrintCanvas;

// One curve of a power-function graph: a rule set's probability of rejection at
// each shift.
struct TPowerSeries {
    QString Name;
    std::vector<double> Probabilities;
    QColor Colour;
};

// The power-function graph in `area` of the canvas: probability of rejection (0
// to 1) against the systematic shift in SD, a curve per series with its legend,
// and a dotted vertical line at the critical shift when it lies on the axis.
// Drawn with the printing layer, so the window and the printout share it.
void PaintPowerGraph(TPrintCanvas& canvas, const QRect& area, const std::vector<double>& shifts,
    const std::vector<TPowerSeries>& series, double criticalShift);

// One landscape page: the title, the lines of text under it, then the graph.
TPrintOutcome PrintPowerReport(TPrintCanvas& canvas, const QString& title, const QStringList& lines,
    const std::vector<double>& shifts, const std::vector<TPowerSeries>& series, double criticalShift);
