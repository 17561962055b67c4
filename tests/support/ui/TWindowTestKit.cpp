#include "TWindowTestKit.h"

#include "TGBFixedParam.h"
#include "TWinEntryPsw.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

void ClickRow(QListWidget& list, int row)
{
    list.scrollToItem(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

void TypeLimits(TGBFixedParam& panel, const QString& target, const QString& warning, const QString& action)
{
    panel.EditTarget->setText(target);
    panel.EditWarning->setText(warning);
    panel.EditAction->setText(action);
    panel.BtFix->click();
}

bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

std::function<int(QDialog&)> TypePassword(const QString& text)
{
    return [text](QDialog& dialog) {
        auto& entry = static_cast<TWinEntryPsw&>(dialog);
        entry.Password->setText(text);
        entry.BtOK->click();
        return entry.result();
    };
}

QImage Grab(QWidget& widget) { return widget.grab().toImage(); }

int CountPixels(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

int CountInk(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    return count;
}
