#include "TPainterCanvas.h"

#include "TAverageCharWidth.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPdfWriter>

TPainterCanvas::TPainterCanvas(QPagedPaintDevice& device)
    : m_device(device)
    , m_paged(&device)
{
}

TPainterCanvas::TPainterCanvas(QPaintDevice& device)
    : m_device(device)
{
}

TPainterCanvas::~TPainterCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

QFont TPainterCanvas::QtFont(const TPrintFont& font)
{
    const bool arial = font.Family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0;
    QFont qt(arial ? QStringLiteral("Liberation Sans") : font.Family);
    qt.setPointSize(font.PointSize);
    qt.setBold(font.Bold);
    qt.setItalic(font.Italic);
    return qt;
}

void TPainterCanvas::SetJobTitle(const QString& title)
{
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&m_device))
        pdf->setTitle(title);
}

bool TPainterCanvas::BeginDoc(const QString& jobTitle, TOrientation orientation)
{
    if (!jobTitle.isEmpty())
        SetJobTitle(jobTitle);
    if (m_paged) {
        if (orientation != TOrientation::Unchanged)
            m_paged->setPageOrientation(
                orientation == TOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
        // What a report draws stays inside the printable area; the paper's edge
        // is kept at least MinimumMarginMm away from it.
        QPageLayout layout = m_paged->pageLayout();
        const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
        const auto atLeast = [](qreal mm) { return std::max(mm, qreal(MinimumMarginMm)); };
        layout.setUnits(QPageLayout::Millimeter);
        layout.setMargins(QMarginsF(
            atLeast(margins.left()), atLeast(margins.top()), atLeast(margins.right()), atLeast(margins.bottom())));
        m_paged->setPageLayout(layout);
    }
    if (!m_painter.begin(&m_device))
        return false;
    m_metrics.reset();
    return true;
}

bool TPainterCanvas::EndDoc() { return m_painter.isActive() && m_painter.end(); }

void TPainterCanvas::NewPage()
{
    if (m_paged)
        m_paged->newPage();
}

int TPainterCanvas::PageWidth() const { return m_device.width(); }

int TPainterCanvas::PageHeight() const { return m_device.height(); }

int TPainterCanvas::Resolution() const { return m_device.logicalDpiY(); }

const QFontMetrics& TPainterCanvas::Metrics()
{
    if (!m_metrics || !(m_appliedFont == Font())) {
        m_appliedFont = Font();
        m_painter.setFont(QtFont(m_appliedFont));
        m_metrics = std::make_unique<QFontMetrics>(m_painter.fontMetrics());
    }
    return *m_metrics;
}

QSize TPainterCanvas::TextExtent(const QString& text)
{
    const QFontMetrics& fm = Metrics();
    return QSize(fm.horizontalAdvance(text), fm.height());
}

TTextMetrics TPainterCanvas::TextMetrics()
{
    const QFontMetrics& fm = Metrics();
    return { fm.height(), AverageCharWidth(QtFont(Font()), &m_device) };
}

void TPainterCanvas::ApplyPen()
{
    // A cosmetic pen: one device pixel wide on any device. Dots and gaps are
    // a quarter of a millimetre so that a dotted line shows on paper.
    QPen pen(Pen().Colour, 0);
    if (Pen().Style == TPenStyle::Dot) {
        const qreal dot = qMax(1, Resolution() / 100);
        pen.setDashPattern({ dot, dot });
    }
    m_painter.setPen(pen);
}

void TPainterCanvas::ApplyFill()
{
    ApplyPen();
    m_painter.setBrush(Brush());
}

void TPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    ApplyFill();
    m_painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TPainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    ApplyFill();
    m_painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TPainterCanvas::Polygon(const QList<QPoint>& points)
{
    ApplyFill();
    m_painter.drawPolygon(QPolygon(points));
}

void TPainterCanvas::Line(int x1, int y1, int x2, int y2)
{
    ApplyPen();
    m_painter.drawLine(x1, y1, x2, y2);
}

void TPainterCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics& fm = Metrics();
    const int width = fm.horizontalAdvance(text);
    if (TextAlign() == TTextAlign::Centre)
        x -= width / 2;
    else if (TextAlign() == TTextAlign::Right)
        x -= width;
    m_painter.fillRect(QRect(x, y, width, fm.height()), Brush());
    m_painter.setPen(Font().Colour);
    m_painter.drawText(QPoint(x, y + fm.ascent()), text);
}

void TPainterCanvas::TextRect(int left, int top, int right, int bottom, const QString& text)
{
    // A text wider than its box is cut with an ellipsis rather than clipped,
    // so nothing hidden lies beyond the box.
    const QFontMetrics& fm = Metrics();
    m_painter.setPen(Font().Colour);
    m_painter.drawText(QRect(left, top, right - left, bottom - top), Qt::AlignCenter | Qt::TextSingleLine,
        fm.horizontalAdvance(text) <= right - left ? text : fm.elidedText(text, Qt::ElideRight, right - left));
}
