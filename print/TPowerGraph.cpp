#include "TPowerGraph.h"

#include "TColors.h"

#include "TPrintCanvas.h"

#include <algorithm>

namespace {

// The curves' colours when the caller gives none.
const QColor DefaultColours[] = { Qt::red, Qt::blue, Colors::Green, Qt::magenta };

} // namespace

void PaintPowerGraph(TPrintCanvas& canvas, const QRect& area, const std::vector<double>& shifts,
    const std::vector<TPowerSeries>& series, double criticalShift)
{
    const TTextMetrics metrics = canvas.TextMetrics();
    const int text = metrics.Height;
    const QRect plot = area.adjusted(canvas.TextExtent(QStringLiteral("0.00")).width() + text, text / 2, -text,
        -(3 * text + text * int(series.size())));
    if (plot.width() < 10 || plot.height() < 10 || shifts.empty())
        return;
    const double maxShift = std::max(shifts.back(), 1e-9);
    const auto x = [&](double shift) { return plot.left() + int(shift / maxShift * plot.width() + 0.5); };
    const auto y = [&](double p) { return plot.bottom() - int(p * plot.height() + 0.5); };

    canvas.SetBrush(Qt::white);
    canvas.SetPen(Qt::black);
    canvas.Rectangle(plot.left(), plot.top(), plot.right() + 1, plot.bottom() + 1);
    // Grid and figures: probability every 0.2, shift every SD.
    for (int i = 0; i <= 5; ++i) {
        const double p = i * 0.2;
        canvas.SetPen(Qt::lightGray, TPenStyle::Dot);
        canvas.Line(plot.left(), y(p), plot.right(), y(p));
        canvas.SetTextAlign(TTextAlign::Right);
        canvas.TextOut(plot.left() - text / 3, y(p) - text / 2, QString::number(p, 'f', 1));
    }
    for (int s = 0; s <= int(maxShift); ++s) {
        canvas.SetPen(Qt::lightGray, TPenStyle::Dot);
        canvas.Line(x(s), plot.top(), x(s), plot.bottom());
        canvas.SetTextAlign(TTextAlign::Centre);
        canvas.TextOut(x(s), plot.bottom() + 2, QString::number(s));
    }
    canvas.TextOut(plot.center().x(), plot.bottom() + text + 2, QStringLiteral("Systematic shift (SD)"));
    if (criticalShift >= 0 && criticalShift <= maxShift) {
        canvas.SetPen(Qt::black, TPenStyle::Dot);
        canvas.Line(x(criticalShift), plot.top(), x(criticalShift), plot.bottom());
        canvas.SetTextAlign(TTextAlign::Left);
        canvas.TextOut(x(criticalShift) + 3, plot.top() + 2, QStringLiteral("critical error"));
    }
    // The curves and their legend.
    for (size_t k = 0; k < series.size(); ++k) {
        const TPowerSeries& s = series[k];
        const QColor colour = s.Colour.isValid() ? s.Colour : DefaultColours[k % std::size(DefaultColours)];
        canvas.SetPen(colour);
        for (size_t i = 1; i < shifts.size() && i < s.Probabilities.size(); ++i)
            canvas.Line(x(shifts[i - 1]), y(s.Probabilities[i - 1]), x(shifts[i]), y(s.Probabilities[i]));
        const int legend = plot.bottom() + 2 * text + 4 + int(k) * text;
        canvas.Line(plot.left(), legend + text / 2, plot.left() + 2 * text, legend + text / 2);
        canvas.SetTextAlign(TTextAlign::Left);
        canvas.TextOut(plot.left() + 3 * text, legend, s.Name);
    }
    canvas.SetPen(Qt::black);
}

TPrintOutcome PrintPowerReport(TPrintCanvas& canvas, const QString& title, const QStringList& lines,
    const std::vector<double>& shifts, const std::vector<TPowerSeries>& series, double criticalShift)
{
    if (!canvas.BeginDoc(title, TOrientation::Landscape))
        return TPrintOutcome::DeviceFailed;
    const int margin = canvas.Resolution() / 2;
    canvas.SetFont({ QStringLiteral("Arial"), 14, true });
    canvas.SetBrush(Qt::white);
    canvas.SetTextAlign(TTextAlign::Left);
    canvas.TextOut(margin, margin, title);
    int top = margin + canvas.TextMetrics().Height * 3 / 2;
    canvas.SetFont({ QStringLiteral("Arial"), 10 });
    for (const QString& line : lines) {
        canvas.TextOut(margin, top, line);
        top += canvas.TextMetrics().Height;
    }
    const QRect area(margin, top + margin / 2, canvas.PageWidth() - 2 * margin, canvas.PageHeight() - top - margin);
    PaintPowerGraph(canvas, area, shifts, series, criticalShift);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
