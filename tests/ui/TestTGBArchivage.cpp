#include "TGBArchivage.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QPushButton>
#include <QtTest>

// The Archi sheet's level panel: its layout, caption and level tag.
class TestTGBArchivage : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void initAndTag();
};

void TestTGBArchivage::layout()
{
    TGBArchivage panel;
    QCOMPARE(panel.geometry(), QRect(10, 0, 160, 60));
    QCOMPARE(panel.BtArchi->geometry(), QRect(10, 22, 140, 25));
    QVERIFY(panel.rect().contains(panel.BtArchi->geometry()));
}

void TestTGBArchivage::initAndTag()
{
    TGBArchivage panel;
    panel.Init("Lyphocheck 3");
    panel.SetTag(2);
    QCOMPARE(panel.title(), QString("Lyphocheck 3"));
    QCOMPARE(panel.BtArchi->property("Tag").toInt(), 2);
    QCOMPARE(panel.Tag(), 2);
}

VANTOREL_TEST(TestTGBArchivage)
#include "TestTGBArchivage.moc"
