#include "TChartPainter.h"

#include "TAnalyte.h"
#include "TAverageCharWidth.h"
#include "TColors.h"
#include "TRuleScope.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

using namespace ChartGeo;

namespace {

using namespace Colors;
const QColor& LightCyan = LockCyan;
const QColor& ScopeRing = ScopeOrange;

// Maps the paint box frame onto the target for the lifetime of the object.
class TBoxFrame {
public:
    TBoxFrame(QPainter& p, const QRect& target)
        : m_painter(p)
    {
        p.save();
        p.translate(target.topLeft());
        if (target.width() != BoxWidth || target.height() != BoxHeight)
            p.scale(double(target.width()) / BoxWidth, double(target.height()) / BoxHeight);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    ~TBoxFrame() { m_painter.restore(); }

private:
    QPainter& m_painter;
};

void HLine(QPainter& p, int y, const QColor& colour)
{
    p.setPen(colour);
    p.drawLine(PlotLeft, y, PlotRight, y);
}

// A filled circle of the given radius, fill and outline in one colour.
void Dot(QPainter& p, int x, int y, int radius, const QColor& colour)
{
    p.setPen(colour);
    p.setBrush(colour);
    p.drawEllipse(QRect(x - radius, y - radius, 2 * radius, 2 * radius));
    p.setBrush(Qt::NoBrush);
}

// Text whose top-left corner is at (x, y).
void TextAt(QPainter& p, int x, int y, const QString& text)
{
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
}

// Text on an opaque background.
void TextOn(QPainter& p, int x, int y, const QString& text, const QColor& fore, const QColor& back)
{
    const QFontMetrics fm = p.fontMetrics();
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), back);
    p.setPen(fore);
    TextAt(p, x, y, text);
}

} // namespace

QRect TChartPainter::PlotRegion() { return QRect(QPoint(RedrawLeft, 0), QPoint(RedrawRight - 1, RedrawBottom - 1)); }

void TChartPainter::Paint(
    QPainter& painter, const QRect& target, const TAnalyte* analyte, const TChartView& view, const QImage& commentIcon)
{
    TBoxFrame frame(painter, target);
    painter.fillRect(QRect(0, 0, BoxWidth, BoxHeight), Qt::white);
    if (!analyte)
        return;
    const int levels = std::clamp(int(analyte->NbLevels), 1, MaxLevels);
    for (int level = 0; level < levels; ++level) {
        const int top = BandTop(levels, level);
        DrawBand(painter, *analyte, level, top, view);
        DrawStats(painter, *analyte, level, top);
    }
    DrawDateAxis(painter, *analyte, view);
    DrawCommentIcons(painter, *analyte, view, commentIcon);
}

void TChartPainter::PaintPlots(
    QPainter& painter, const QRect& target, const TAnalyte& analyte, const TChartView& view, const QImage& commentIcon)
{
    TBoxFrame frame(painter, target);
    painter.fillRect(PlotRegion(), Qt::white);
    const int levels = std::clamp(int(analyte.NbLevels), 1, MaxLevels);
    for (int level = 0; level < levels; ++level)
        DrawBand(painter, analyte, level, BandTop(levels, level), view);
    DrawDateAxis(painter, analyte, view);
    DrawCommentIcons(painter, analyte, view, commentIcon);
}

void TChartPainter::DrawBand(QPainter& p, const TAnalyte& analyte, int level, int top, const TChartView& view)
{
    const QFontMetrics fm = p.fontMetrics();
    const int h = fm.height();
    const int w = AverageCharWidth(p.font(), p.device());
    const TLevelStats& ref = analyte.ReferenceStats[level];
    const TValueScale scale = MakeValueScale(ref, top);
    const bool erased = view.Erase[level];

    const TLockShade shade = LockShade(analyte, level, view.First);
    if (shade.Visible)
        p.fillRect(QRect(shade.X1, scale.Top, shade.X2 - shade.X1, scale.Bottom - scale.Top), LightCyan);

    p.setPen(Silver);
    for (int x = PlotLeft; x <= PlotRight; x += PointStep)
        p.drawLine(x, scale.Top, x, scale.Bottom);

    const TBandLines lines = BandLines(scale, ref);
    HLine(p, lines.Mean, erased ? Silver : Lime);
    HLine(p, lines.WarningHigh, erased ? Silver : Yellow);
    HLine(p, lines.WarningLow, erased ? Silver : Yellow);
    HLine(p, lines.ActionHigh, erased ? Silver : Red);
    HLine(p, lines.ActionLow, erased ? Silver : Red);
    if (lines.BorderTop)
        HLine(p, scale.Top, Silver);
    if (lines.BorderBottom)
        HLine(p, scale.Bottom, Silver);

    if (HasValueScale(analyte, level)) {
        for (const TScaleTick& tick : ScaleTicks(scale)) {
            p.setPen(erased ? Silver : QColor(Qt::black));
            p.drawLine(PlotLeft, tick.Y, TickLeft, tick.Y);
            p.setPen(Qt::black);
            TextAt(p, TickLeft - w - fm.horizontalAdvance(tick.Text), tick.Y - h / 2, tick.Text);
        }
    }

    const QList<TPlotPoint> points = PlotPoints(analyte, level, scale, view);
    QPolygon line;
    for (const TPlotPoint& pt : points)
        if (pt.Joined)
            line << QPoint(pt.X, pt.Y);
    if (line.size() > 1) {
        p.setPen(erased ? Silver : Navy);
        p.drawPolyline(line);
    }
    for (const TPlotPoint& pt : points) {
        switch (pt.Marker) {
        case TMarker::None:
            break;
        case TMarker::Point:
            Dot(p, pt.X, pt.Y, MarkerRadius, Navy);
            break;
        case TMarker::Discarded:
            Dot(p, pt.X, pt.Y, MarkerRadius, Blue);
            break;
        case TMarker::Erased:
            Dot(p, pt.X, pt.Y, MarkerRadius, Silver);
            break;
        }
        if (pt.Index == view.Selected && pt.Marker != TMarker::None)
            Dot(p, pt.X, pt.Y, SelectedRadius, Red);
    }
    if (!erased)
        DrawRuleMarks(p, analyte, level, points, view);
}

void TChartPainter::DrawRuleMarks(
    QPainter& p, const TAnalyte& analyte, int level, const QList<TPlotPoint>& points, const TChartView& view)
{
    // A run that a rule rejects carries the rule's name above its point.
    QFont small = p.font();
    small.setPixelSize(8);
    p.save();
    p.setFont(small);
    p.setPen(Red);
    for (const TPlotPoint& pt : points) {
        if (pt.Marker != TMarker::Point)
            continue;
        const QStringList names = RejectingRules(EvaluateStoredPoint(analyte, pt.Index, view.Rules), level);
        if (!names.isEmpty())
            p.drawText(QRect(pt.X - 20, pt.Y - SelectedRadius - 11, 40, 10), Qt::AlignCenter, names.join(','));
    }
    // The selected run's rejecting rules: a ring around each value they saw.
    if (view.Selected >= 0 && view.Selected < analyte.Count()) {
        const TRuleScope scope = RejectionScope(EvaluateStoredPoint(analyte, view.Selected, view.Rules));
        p.setPen(QPen(ScopeRing, 2));
        p.setBrush(Qt::NoBrush);
        for (const TPlotPoint& pt : points)
            if (pt.Marker != TMarker::None
                && std::find(scope.begin(), scope.end(), TRulePoint { pt.Index, level }) != scope.end())
                p.drawEllipse(QPoint(pt.X, pt.Y), SelectedRadius + 3, SelectedRadius + 3);
    }
    p.restore();
}

void TChartPainter::DrawStats(QPainter& p, const TAnalyte& analyte, int level, int top)
{
    const int h = p.fontMetrics().height();
    for (const TStatsLine& line : StatsLines(analyte, level, top, h)) {
        switch (line.Style) {
        case TStatsLine::ModeLabel:
            TextOn(p, StatsLeft, line.Y, line.Text, Qt::white, Green);
            break;
        case TStatsLine::Plain:
            p.setPen(Qt::black);
            TextAt(p, StatsLeft, line.Y, line.Text);
            break;
        case TStatsLine::Underlined: {
            QFont font = p.font();
            font.setUnderline(true);
            p.save();
            p.setFont(font);
            p.setPen(Qt::black);
            TextAt(p, StatsLeft, line.Y, line.Text);
            p.restore();
            break;
        }
        }
    }
}

void TChartPainter::DrawDateAxis(QPainter& p, const TAnalyte& analyte, const TChartView& view)
{
    const QFontMetrics fm = p.fontMetrics();
    const int h = fm.height();
    const int y = DateAxisY(analyte.NbLevels);
    auto centred = [&](int x, int top, const QString& text, bool selected) {
        const int left = x - fm.horizontalAdvance(text) / 2;
        if (selected) {
            TextOn(p, left, top, text, Qt::white, Blue);
        } else {
            p.setPen(Qt::black);
            TextAt(p, left, top, text);
        }
    };
    for (const TDateLabel& label : DateLabels(analyte, view)) {
        centred(label.X, y, label.Day, label.Selected);
        if (!label.Month.isEmpty())
            centred(label.X, y + h, label.Month, false);
        if (!label.Year.isEmpty())
            centred(label.X, y + 2 * h, label.Year, false);
    }
}

void TChartPainter::DrawCommentIcons(
    QPainter& p, const TAnalyte& analyte, const TChartView& view, const QImage& commentIcon)
{
    if (commentIcon.isNull())
        return;
    const int y = CommentIconY(analyte.NbLevels);
    for (int x : CommentIconXs(analyte, view))
        p.drawImage(QPoint(x, y), commentIcon);
}
