#pragma once
#include <QFont>

// The font of the program's windows: the system sans-serif at 8 points.
QFont WindowFont();
