#pragma once
#include "TQCTypes.h"

#include <QString>
#include <QStringList>
#include <optional>

// Parsing and range checks of the numbers typed into the program's edits. Each
// returns the value or the exact text of the failure; showing the box and
// focusing the edit is the window's part.

struct TIntegerCheck {
    bool Ok = false;
    int Value = 0;
    QString Trimmed; // the text the edit should show on success
    QString Error;
};
// A trimmed decimal integer within minimum..maximum.
TIntegerCheck CheckIntegerText(const QString& text, int minimum, int maximum);

struct TQCValueCheck {
    bool Ok = false;
    TQCValue Cell;
    QString Error;
};
// One level's value: empty gives psNoValue; "." and "," are both read as the separator.
TQCValueCheck ReadQCValueText(const QString& text);

struct TFloatCheck {
    bool Ok = false;
    double Value = 0.0;
    QString Trimmed;
    QString Error;
};
// A decimal number for the parameter panels; an empty text fails.
TFloatCheck ReadFloatText(const QString& text, bool refuseNegative);

// Text as a float with either separator, or nothing when it is not a number.
std::optional<double> ParseDecimal(const QString& text);

// The message the system gives for a text that is not a number of the asked kind.
QString InvalidIntegerMessage(const QString& text);
QString InvalidFloatMessage(const QString& text);

// Appends the TAB-separated fields of text to list; k TABs give k + 1 fields.
void SplitTabs(const QString& text, QStringList& list);
