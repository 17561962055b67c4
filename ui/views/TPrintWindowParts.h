#pragma once
#include <QRect>
#include <QString>

class QDateEdit;
class QLabel;
class QWidget;

// Controls the two print windows share.
// A date picker in the short date format with a drop-down calendar.
QDateEdit* MakePrintDatePicker(QWidget* parent, const QString& name, const QRect& geometry);
// The yellow panel that shows how many points the dates take.
QLabel* MakeCountPanel(QWidget* parent, const QString& name, const QRect& geometry);
// A label whose mnemonic focuses `buddy`.
QLabel* MakeLabel(
    QWidget* parent, const QString& name, const QString& caption, const QRect& geometry, QWidget* buddy = nullptr);
