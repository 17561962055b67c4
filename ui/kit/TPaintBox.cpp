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

void TPaintBox::mousePressEvent(QMouseEvent* event) { emit MouseDown(event); }

void TPaintBox::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) { emit DblClick(event); }
