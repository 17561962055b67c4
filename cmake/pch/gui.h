// Headers compiled once for the Qt Gui targets (see core.h).
#pragma once
#include "core.h"
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRect>
