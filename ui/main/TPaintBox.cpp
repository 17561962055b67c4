#include "TPaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setFont(font());
    if (OnPaint)
        OnPaint(painter, event->rect());
    else
        painter.fillRect(event->rect(), palette().window());
}

void TPaintBox::mousePressEvent(QMouseEvent* event) { emit MouseDown(event); }

void TPaintBox::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) { emit DblClick(event); }
