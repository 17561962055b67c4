#pragma once
#include <QRect>
#include <QString>

class QDateEdit;
class QWidget;

// A date picker of the print windows: the short date format, a drop-down calendar.
QDateEdit* MakePrintDatePicker(QWidget* parent, const QString& name, const QRect& geometry);
