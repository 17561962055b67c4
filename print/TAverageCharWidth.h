#pragma once

class QFontMetricsF;

// The average character width of a font, in pixels, as widths "in average
// characters" are measured on screen and on paper: the weighted average of the
// advance widths of the lower-case letters and the space, weighted by how often
// they occur in English text (the older definition of a font's average width).
// Any font metric-compatible with Arial gives Arial's figure, about 0.44 em,
// whatever average its own tables declare.
int AverageCharWidth(const QFontMetricsF& metrics);
