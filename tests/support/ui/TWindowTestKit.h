#pragma once
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

#include <QDialog>
#include <QTest>
class QListWidget;
class QWidget;
class TGBFixedParam;

// Clicks a line of a list with the mouse, as the user picks it.
void ClickRow(QListWidget& list, int row);
// Types the limits into a Fix sheet's level panel and presses its Fix button.
void TypeLimits(TGBFixedParam& panel, const QString& target, const QString& warning, const QString& action);
// Shows the window and waits until it has the focus (focus checks need it).
bool ShowActive(QWidget& window);
// A scripted run of the password window: types `text` and presses OK.
std::function<int(QDialog&)> TypePassword(const QString& text);
// A scripted run of a modal window: shown, driven by `steps`, cancelled if
// still open; gives its result.
template <class TWindow> std::function<int(QDialog&)> Driven(std::function<void(TWindow&)> steps)
{
    return [steps](QDialog& dialog) {
        auto& window = static_cast<TWindow&>(dialog);
        window.show();
        steps(window);
        if (window.isVisible())
            window.reject();
        return window.result();
    };
}
QImage Grab(QWidget& widget);
int CountPixels(const QImage& image, const QRect& area, const QColor& colour);
// The pixels darker than mid-grey (text ink) in `area` of the image.
int CountInk(const QImage& image, const QRect& area);

// Exactly one box was shown, this one.
#define QVERIFY_ONE_BOX(dialogs, type, text, buttons)                                                                  \
    do {                                                                                                               \
        const QString difference_ = (dialogs).OnlyBoxDifference(type, text, buttons);                                  \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                                      \
    } while (false)
