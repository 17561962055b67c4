#include "TGBLockedParam.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The Lock sheet's level panel: its layout, caption and level tag.
class TestTGBLockedParam : public QObject {
    Q_OBJECT

private slots:
    void layoutAndCaptions();
    void initAndTag();
    void clicksReachTheHostWithTheLevel();
    void longStateIsWrittenSmallerNotCut();
};

void TestTGBLockedParam::layoutAndCaptions()
{
    TGBLockedParam panel;
    QCOMPARE(panel.geometry(), QRect(0, 0, 183, 62));
    QCOMPARE(panel.BtLock->text(), QString("Locked"));
    QCOMPARE(panel.BtUnLock->text(), QString("Mobile"));
    QCOMPARE(panel.BtLock->geometry(), QRect(30, 38, 60, 18));
    QCOMPARE(panel.BtUnLock->geometry(), QRect(100, 38, 60, 18));
    QCOMPARE(panel.Lbl1->pos(), QPoint(6, 18));
    QVERIFY(panel.Lbl1->text().isEmpty());
    QCOMPARE(panel.Lbl1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!panel.BtLock->geometry().intersects(panel.BtUnLock->geometry()));
}

void TestTGBLockedParam::longStateIsWrittenSmallerNotCut()
{
    TGBLockedParam panel;
    const QString shortText = "Mobile limits";
    panel.SetState(shortText);
    QCOMPARE(panel.Lbl1->text(), shortText);
    QCOMPARE(panel.Lbl1->font().pointSizeF(), panel.font().pointSizeF());

    const QString longText = "Locked from 23 Oct 2026 to 17 Nov 2026 (a long one)";
    QVERIFY(QFontMetrics(panel.font()).horizontalAdvance(longText) > panel.Lbl1->width());
    panel.SetState(longText);
    QCOMPARE(panel.Lbl1->text(), longText);
    QCOMPARE(panel.Lbl1->toolTip(), longText);
    QVERIFY(panel.Lbl1->font().pointSizeF() < panel.font().pointSizeF());
    QVERIFY(QFontMetrics(panel.Lbl1->font()).horizontalAdvance("Locked from 23 Oct 2026 to 17 Nov 2026")
        <= panel.Lbl1->width());

    panel.SetState(shortText); // a short text comes back at the panel's size
    QCOMPARE(panel.Lbl1->font().pointSizeF(), panel.font().pointSizeF());
}

void TestTGBLockedParam::initAndTag()
{
    TGBLockedParam panel;
    panel.Init("Lyphocheck 1");
    panel.SetTag(1);
    QCOMPARE(panel.title(), QString("Lyphocheck 1"));
    QCOMPARE(panel.BtLock->property("Tag").toInt(), 1);
    QCOMPARE(panel.BtUnLock->property("Tag").toInt(), 1);
}

void TestTGBLockedParam::clicksReachTheHostWithTheLevel()
{
    TGBLockedParam panel;
    panel.SetTag(2);
    panel.show();
    QList<int> locked;
    QObject::connect(
        panel.BtLock, &QPushButton::clicked, &panel, [&] { locked.append(panel.BtLock->property("Tag").toInt()); });
    QTest::mouseClick(panel.BtLock, Qt::LeftButton);
    QTest::mouseClick(panel.BtUnLock, Qt::LeftButton);
    QCOMPARE(locked, QList<int>({ 2 }));
}

VANTOREL_TEST(TestTGBLockedParam)
#include "TestTGBLockedParam.moc"
