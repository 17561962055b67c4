#pragma once
#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

// The controls the windows place by hand, made the same way everywhere.

// A label at (left, top) sized to its text.
QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& text);
QLineEdit* MakeEdit(QWidget* parent, const QRect& geometry);
// A push button, with the named glyph (see ButtonGlyph) when one is given.
QPushButton* MakeButton(QWidget* parent, const QRect& geometry, const QString& caption, const QString& glyph = {});

// A label filled with `back`, its text centred in `fore`; sunken unless asked flat.
enum class TPanelFrame { Sunken, Flat };
QLabel* MakePanel(QWidget* parent, const QRect& geometry, const QColor& back, const QColor& fore,
    const QString& text = {}, TPanelFrame frame = TPanelFrame::Sunken);

// Gives a control the object name it is found by.
template <class TControl> TControl* Named(TControl* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

// Appends a page to a tab widget, under its title in bold red.
QWidget* AddSheet(QTabWidget& pages, const QString& title);
