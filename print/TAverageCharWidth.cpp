#include "TAverageCharWidth.h"

#include <QFontMetricsF>
#include <cmath>

int AverageCharWidth(const QFontMetricsF& metrics)
{
    // Occurrences per thousand letters of "a" to "z", and of the space.
    static constexpr int Weights[26]
        = { 64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56, 56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2 };
    static constexpr int SpaceWeight = 166;
    qreal sum = SpaceWeight * metrics.horizontalAdvance(QChar(' '));
    for (int i = 0; i < 26; ++i)
        sum += Weights[i] * metrics.horizontalAdvance(QChar('a' + i));
    return int(std::lround(sum / 1000));
}
