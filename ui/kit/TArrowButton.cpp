#include "TArrowButton.h"

#include "TColors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <cmath>

namespace {

// To the nearest integer, halves to even.
int Near(double v) { return int(std::lrint(v)); }

// The polygon pushed one pixel outwards: each corner moves along the bisector
// of its two edges' outward normals (a sharp corner at most two pixels).
QPolygon Outline(const QPolygon& polygon)
{
    const int n = int(polygon.size());
    double area = 0;
    for (int i = 0; i < n; ++i) {
        const QPoint a = polygon[i], b = polygon[(i + 1) % n];
        area += double(a.x()) * b.y() - double(b.x()) * a.y();
    }
    const double side = area > 0 ? 1 : -1;
    auto normal = [&](QPoint from, QPoint to) {
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        return length > 0 ? QPointF(d.y(), -d.x()) * (side / length) : QPointF();
    };
    QPolygon outline;
    for (int i = 0; i < n; ++i) {
        const QPointF a = normal(polygon[(i + n - 1) % n], polygon[i]);
        const QPointF b = normal(polygon[i], polygon[(i + 1) % n]);
        const QPointF sum = a + b;
        const double cosine = QPointF::dotProduct(sum, a) / std::max(1e-9, std::hypot(sum.x(), sum.y()));
        const double length = std::min(2.0, 1.0 / std::max(0.5, cosine));
        const QPointF offset = sum * (length / std::max(1e-9, std::hypot(sum.x(), sum.y())));
        outline << QPoint(Near(polygon[i].x() + offset.x()), Near(polygon[i].y() + offset.y()));
    }
    return outline;
}

} // namespace

TArrowButton::TArrowButton(QWidget* parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Button))
{
    resize(DefaultWidth, DefaultHeight);
}

void TArrowButton::SetCaption(const QString& caption)
{
    if (!caption.isEmpty() && caption != m_caption) {
        m_caption = caption;
        UpdateMnemonic();
    }
    update();
}

void TArrowButton::SetDirection(TButtonDirection direction)
{
    if (direction == m_direction)
        return;
    m_direction = direction;
    update();
}

void TArrowButton::SetButtonColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QPolygon TArrowButton::ArrowPolygon(TButtonDirection direction, int width, int height)
{
    const int w = width, h = height;
    switch (direction) {
    case btnUP: {
        const int y = Near(2.0 * h / 3) - 3, left = Near(w / 6.0) + 3, right = Near(5.0 * w / 6) - 3;
        return QPolygon({ { Near(w / 2.0), 3 }, { w - 3, y }, { right, y }, { right, h - 3 }, { left, h - 3 },
            { left, y }, { 3, y } });
    }
    case btnRIGHT: {
        const int x = Near(w / 2.0) - 3, top = Near(h / 6.0) + 3, bottom = Near(5.0 * h / 6) - 3;
        return QPolygon(
            { { x, 3 }, { w - 3, Near(h / 2.0) }, { x, h - 3 }, { x, bottom }, { 3, bottom }, { 3, top }, { x, top } });
    }
    case btnLEFT: {
        const int x = Near(w / 3.0) + 3, top = Near(h / 6.0) + 3, bottom = Near(5.0 * h / 6) - 3;
        return QPolygon({ { w - 3, top }, { w - 3, bottom }, { x, bottom }, { x, h - 3 }, { 3, Near(h / 2.0) },
            { x, 3 }, { x, top } });
    }
    case btnDOWN: {
        const int y = Near(h / 2.0) - 3, left = Near(w / 6.0) + 3, right = Near(5.0 * w / 6) - 3;
        return QPolygon(
            { { right, 3 }, { right, y }, { w - 3, y }, { Near(w / 2.0), h - 3 }, { 3, y }, { left, y }, { left, 3 } });
    }
    }
    return QPolygon();
}

TArrowButton::TCaptionParts TArrowButton::SplitCaption(const QString& caption)
{
    const qsizetype amp = caption.indexOf('&');
    if (amp < 0 || amp == caption.size() - 1)
        return { caption, QString(), QString() };
    return { caption.left(amp), caption.mid(amp + 1, 1), caption.mid(amp + 2) };
}

void TArrowButton::UpdateMnemonic()
{
    const QString key = SplitCaption(m_caption).Underlined;
    delete m_mnemonic;
    m_mnemonic = nullptr;
    if (key.isEmpty() || key == QStringLiteral("&"))
        return;
    m_mnemonic = new QShortcut(QKeySequence::mnemonic(QChar('&') + key), this);
    connect(m_mnemonic, &QShortcut::activated, this, [this] {
        if (isEnabled() && isVisible())
            emit Click();
    });
}

void TArrowButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void TArrowButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPolygon arrow = ArrowPolygon(m_direction, width(), height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_color);
    painter.drawPolygon(arrow, Qt::OddEvenFill);
    painter.setBrush(Qt::NoBrush);
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    painter.setPen(QPen(m_pressed ? QColor(Qt::black) : Colors::Grey, 1));
    painter.drawPolygon(Outline(arrow));
    painter.setPen(QPen(m_pressed ? shadow : light, 2));
    painter.drawPolygon(arrow);
    painter.setPen(QPen(m_pressed ? light : shadow, 2));
    painter.drawPolyline(arrow.data(), 5);
    DrawCaption(painter);
}

void TArrowButton::DrawCaption(QPainter& painter)
{
    const TCaptionParts parts = SplitCaption(m_caption);
    const QFontMetrics metrics(font());
    const int tw = metrics.horizontalAdvance(parts.Before + parts.Underlined + parts.After);
    const int th = metrics.height();
    const int w = width(), h = height();
    int x = 0, y = 0;
    switch (m_direction) {
    case btnUP:
        x = w / 2 + 3 - tw / 2;
        y = 2 * h / 3 - th / 2 - 2;
        break;
    case btnRIGHT:
    case btnLEFT:
        x = w / 3 + 5 - tw / 2;
        y = h / 2 - th / 2 - 2;
        break;
    case btnDOWN:
        x = w / 2 + 3 - tw / 2;
        y = h / 3 - th / 2;
        break;
    }
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : Colors::Grey);
    const int baseline = y + metrics.ascent();
    painter.setFont(font());
    painter.drawText(x, baseline, parts.Before);
    x += metrics.horizontalAdvance(parts.Before);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.drawText(x, baseline, parts.Underlined);
    x += metrics.horizontalAdvance(parts.Underlined);
    painter.setFont(font());
    painter.drawText(x, baseline, parts.After);
}

void TArrowButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton
        || !ArrowPolygon(m_direction, width(), height()).containsPoint(event->position().toPoint(), Qt::OddEvenFill))
        return; // a corner of the control is no part of the button
    m_pressed = true;
    update();
}

void TArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    update();
    emit Click();
}
