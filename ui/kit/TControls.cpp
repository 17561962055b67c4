#include "TControls.h"

#include "TPictures.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const QRect& geometry, const QString& caption, const QString& glyph)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    if (!glyph.isEmpty())
        button->setIcon(QIcon(ButtonGlyph(glyph)));
    return button;
}

QLabel* MakePanel(QWidget* parent, const QRect& geometry, const QColor& back, const QColor& fore, const QString& text,
    TPanelFrame frame)
{
    auto* panel = new QLabel(text, parent);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    panel->setAlignment(Qt::AlignCenter);
    if (frame == TPanelFrame::Sunken)
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    panel->setPalette(pal);
    return panel;
}

QWidget* AddSheet(QTabWidget& pages, const QString& title)
{
    auto* sheet = new QWidget;
    auto* label = new QLabel(title, sheet);
    QFont titleFont = pages.font();
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    label->setFont(titleFont);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(pal);
    label->setGeometry(0, 3, 189, 20);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pages.addTab(sheet, title);
    return sheet;
}
