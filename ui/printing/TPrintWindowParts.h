#pragma once
#include <QRect>
#include <QString>

class QDateEdit;
class TAnalyte;
class QWidget;

// A date picker of the print windows: the short date format, a drop-down calendar.
QDateEdit* MakePrintDatePicker(QWidget* parent, const QString& name, const QRect& geometry);

// Sets the pickers to the dates of the analyte's first and last points (left as they are when it has none).
void SetPickersToPoints(const TAnalyte* analyte, QDateEdit* first, QDateEdit* last);
