#pragma once
#include <QChar>
#include <QString>

// The system decimal separator.
QChar DecimalSeparator();

// Classic fixed-point notation: value rounded to `precision` significant digits,
// then written with `decimals` digits after the separator (zero-padded), a minus
// sign for negatives and at least one digit before the separator. A value with
// more than `precision` digits before the separator is written in scientific
// notation. The separator is the system's unless one is given.
QString FormatFixed(double value, int precision, int decimals, QChar separator = QChar());
