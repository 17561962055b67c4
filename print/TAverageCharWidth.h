#pragma once

class QFont;
class QPaintDevice;

// The average character width of a font on a device, in pixels, as widths "in
// average characters" are measured on screen and on paper: the weighted
// average of the advance widths of the lower-case letters and the space,
// weighted by how often they occur in English text (the older definition of a
// font's average width), taken from the font's own design widths. Any font
// metric-compatible with Arial gives Arial's figure, about 0.44 em, whatever
// average its tables declare.
int AverageCharWidth(const QFont& font, const QPaintDevice* device);
