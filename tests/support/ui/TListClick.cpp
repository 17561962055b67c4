#include "TListClick.h"

#include <QListWidget>
#include <QtTest>

void ClickRow(QListWidget& list, int row)
{
    list.scrollToItem(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}
