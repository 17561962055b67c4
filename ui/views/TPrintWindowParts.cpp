#include "TPrintWindowParts.h"

#include "TDates.h"

#include <QDateEdit>
#include <QLabel>

QDateEdit* MakePrintDatePicker(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setGeometry(geometry);
    picker->setDisplayFormat(ShortDateFormat());
    picker->setCalendarPopup(true);
    return picker;
}

QLabel* MakeCountPanel(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* panel = new QLabel(QStringLiteral("0"), parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 0));
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}
