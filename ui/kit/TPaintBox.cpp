#include "TPaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    painter.setFont(font());
    OnPaint(painter, event->rect());
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    m_lastPressAt = event->timestamp();
    emit MouseDown(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }

// The second press of a double click comes here instead of as a press: the
// owner hears the double click, then the press (which ends what it began).
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit DblClick(event);
    mousePressEvent(event);
}
