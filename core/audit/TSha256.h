#pragma once
#include <QByteArray>

// The SHA-256 digest (32 bytes) of `data`: with the processor's SHA instructions
// where it has them (several times faster, so that checking a long trail stays
// quick), else Qt's own implementation.
QByteArray Sha256(const QByteArray& data);
