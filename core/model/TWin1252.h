#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252 text, the code page of every string in the program's files.
// Characters that the code page cannot hold become '?'.
QByteArray ToWin1252(const QString& text);
QString FromWin1252(const char* data, qsizetype size);
inline QString FromWin1252(const QByteArray& bytes) { return FromWin1252(bytes.constData(), bytes.size()); }

// Text read from a file or the clipboard: UTF-8 when the bytes are valid UTF-8
// (a byte-order mark is dropped), Windows-1252 otherwise.
QString DecodeForeignText(const QByteArray& bytes);
