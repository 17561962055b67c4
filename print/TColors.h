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
// The light cyan of every other line of a list.
inline const QColor ListCyan(192, 255, 255);
// The ring around the values a selected run's rejecting rules saw.
inline const QColor ScopeOrange(255, 128, 0);
// The light grey of a discarded point in black and white (a button face).
inline const QColor ButtonFace(240, 240, 240);
// The pale yellow behind an information tip.
inline const QColor InfoTip(255, 255, 225);
// The key button's glyph: face and outline when up, pressed and disabled.
inline const QColor KeyGold(230, 190, 40);
inline const QColor KeyGoldEdge(120, 90, 0);
inline const QColor KeyPressed(180, 140, 20);
inline const QColor KeyPressedEdge(90, 60, 0);
inline const QColor KeyDisabled(200, 200, 200);
} // namespace Colors
