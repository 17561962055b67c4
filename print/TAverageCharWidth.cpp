#include "TAverageCharWidth.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <cmath>

int AverageCharWidth(const QFont& font, const QPaintDevice* device)
{
    // Occurrences per thousand letters of "a" to "z", and of the space.
    static constexpr int Weights[26]
        = { 64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56, 56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2 };
    static constexpr int SpaceWeight = 166;
    // Measured on a large em, where hinting rounds nothing away, then scaled.
    constexpr int Em = 2048;
    QFont design(font);
    design.setPixelSize(Em);
    const QFontMetricsF metrics(design);
    qreal sum = SpaceWeight * metrics.horizontalAdvance(QChar(' '));
    for (int i = 0; i < 26; ++i)
        sum += Weights[i] * metrics.horizontalAdvance(QChar('a' + i));
    const qreal pixels
        = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * (device ? device->logicalDpiY() : 96) / 72.0;
    return int(std::lround(sum / 1000 / Em * pixels));
}
