#pragma once
#include <QColor>

// The named colours the windows and the charts paint with, one definition for
// all of them.
namespace Colors {
inline const QColor Navy(0, 0, 128);
inline const QColor Blue(0, 0, 255);
inline const QColor Green(0, 128, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Red(255, 0, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor Silver(192, 192, 192);
inline const QColor LightYellow(255, 255, 192);
// The light blue of a locked interval's shading.
inline const QColor LockCyan(176, 255, 255);
} // namespace Colors
