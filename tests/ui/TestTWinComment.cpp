#include "TTestRegistry.h"
#include "TWinComment.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QImage>
#include <QtTest>

// The point pop-up: shown where it is put, wide enough for its lines and their
// pictures, closed by any key or click. Its lines' texts are core's (TPointPopup).
class TestTWinComment : public QObject {
    Q_OBJECT

private slots:
    void showsItsLinesAndPictures();
    void anyKeyOrClickCloses_data();
    void anyKeyOrClickCloses();
};

void TestTWinComment::showsItsLinesAndPictures()
{
    TWinComment win;
    const QString wide(60, 'W');
    QPixmap green(10, 10);
    green.fill(QColor(0, 200, 0));
    win.AddCommentLine(wide, green);
    win.Clear(); // forgets the lines and the widest one
    win.AddCommentLine("QC1 = 3.1", green);
    win.AddCommentLine("QC2 = 2.5");
    QCOMPARE(win.PopupSize(), QSize(124, 17 * 2 + 28)); // the minimum width
    win.AddCommentLine(wide);
    const int wideWidth = win.fontMetrics().horizontalAdvance(wide);
    QCOMPARE(win.PopupSize(), QSize(wideWidth + 28, 17 * 3 + 28));
    win.AddCommentLine(wide, green); // its picture beside it
    QCOMPARE(win.PopupSize().width(), wideWidth + 48);
    win.ShowAt("01/02/2026 09:00:00", QPoint(230, 140));
    QVERIFY(win.isVisible() && !win.isModal());
    QCOMPARE(win.windowTitle(), QString("01/02/2026 09:00:00"));
    QCOMPARE(win.pos(), QPoint(230, 140));
    QCOMPARE(win.size(), win.PopupSize());
    // Each line's text from the left, its picture at the right end.
    const QImage image = Grab(win);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(CountInk(image, QRect(3, 17 * i + 3, 40, 14)) > 10);
        const QColor right = image.pixelColor(win.width() - 15, 17 * i + 8);
        QCOMPARE(right, i % 3 == 0 ? QColor(0, 200, 0) : QColor(255, 255, 0));
    }
}

void TestTWinComment::anyKeyOrClickCloses_data()
{
    QTest::addColumn<int>("key"); // 0 for a click
    QTest::addColumn<int>("button");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
    QTest::newRow("left click") << 0 << int(Qt::LeftButton);
}

void TestTWinComment::anyKeyOrClickCloses()
{
    QFETCH(int, key);
    QFETCH(int, button);
    TWinComment win;
    win.AddCommentLine("QC1 = 5");
    win.ShowAt("x", QPoint(10, 10));
    if (key)
        QTest::keyClick(&win, Qt::Key(key));
    else
        QTest::mouseClick(&win, Qt::MouseButton(button), {}, QPoint(60, 30));
    QVERIFY(!win.isVisible());
}

VANTOREL_TEST(TestTWinComment)
#include "TestTWinComment.moc"
