#include "TTestRegistry.h"
#include "TWinComment.h"
#include "TestHelpers.h"

#include <QImage>
#include <QtTest>

// The point pop-up: its size follows its lines, it paints them, and any key or
// click closes it.
class TestTWinComment : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneShortLineGivesTheMinimumSize();
    void pictureAddsTwentyPixelsToItsLineOnly();
    void widestLineSetsTheWidth();
    void clearForgetsLinesAndWidth();
    void showAtPlacesAndCaptions();
    void paintsTextAndPictureWhereTheyBelong();
    void anyKeyCloses_data();
    void anyKeyCloses();
    void clickCloses();

private:
    static QPixmap Dot(const QColor& colour);
    TWinComment* m_win = nullptr;
};

void TestTWinComment::init() { m_win = new TWinComment; }

void TestTWinComment::cleanup() { delete m_win; }

QPixmap TestTWinComment::Dot(const QColor& colour)
{
    QPixmap pixmap(10, 10);
    pixmap.fill(colour);
    return pixmap;
}

void TestTWinComment::oneShortLineGivesTheMinimumSize()
{
    m_win->AddCommentLine("QC1 = 5");
    QCOMPARE(m_win->PopupSize(), QSize(124, 45));
    m_win->ShowAt("15/03/2026 10:30:00", QPoint(100, 100));
    QCOMPARE(m_win->size(), QSize(124, 45));
}

void TestTWinComment::pictureAddsTwentyPixelsToItsLineOnly()
{
    const QString text(60, QChar('W')); // wider than the 110-pixel minimum
    const int textWidth = m_win->fontMetrics().horizontalAdvance(text);
    QVERIFY(textWidth + 14 > 110);
    m_win->AddCommentLine(text);
    QCOMPARE(m_win->LargestLineWidth(), textWidth);
    QCOMPARE(m_win->PopupSize().width(), textWidth + 14 + 14);

    m_win->Clear();
    m_win->AddCommentLine(text, Dot(Qt::green));
    QCOMPARE(m_win->LargestLineWidth(), textWidth + 20);
    QCOMPARE(m_win->PopupSize().width(), textWidth + 20 + 14 + 14);
}

void TestTWinComment::widestLineSetsTheWidth()
{
    const QString wide(50, QChar('M'));
    m_win->AddCommentLine("a", Dot(Qt::red));
    m_win->AddCommentLine(wide);
    m_win->AddCommentLine("Operator = AB");
    const int wideWidth = m_win->fontMetrics().horizontalAdvance(wide);
    QCOMPARE(m_win->PopupSize(), QSize(std::max(wideWidth + 14, 110) + 14, 17 * 3 + 28));
}

void TestTWinComment::clearForgetsLinesAndWidth()
{
    m_win->AddCommentLine(QString(80, QChar('X')), Dot(Qt::red));
    m_win->AddCommentLine("b");
    m_win->Clear();
    QCOMPARE(m_win->LineCount(), 0);
    m_win->AddCommentLine("c");
    QCOMPARE(m_win->PopupSize(), QSize(124, 45));
}

void TestTWinComment::showAtPlacesAndCaptions()
{
    m_win->AddCommentLine("QC1 = 3.1", Dot(Qt::green));
    m_win->AddCommentLine("QC2 = absent");
    m_win->ShowAt("01/02/2026 09:00:00", QPoint(230, 140));
    QVERIFY(m_win->isVisible());
    QCOMPARE(m_win->windowTitle(), QString("01/02/2026 09:00:00"));
    QCOMPARE(m_win->pos(), QPoint(230, 140));
    QCOMPARE(m_win->height(), 17 * 2 + 28);
    QVERIFY(!m_win->isModal());
}

void TestTWinComment::paintsTextAndPictureWhereTheyBelong()
{
    m_win->AddCommentLine("QC1 = 3.1", Dot(QColor(0, 200, 0)));
    m_win->AddCommentLine("QC2 = absent");
    m_win->resize(m_win->PopupSize());
    const QImage image = m_win->grab().toImage();
    image.save(ArtifactPath("TWinComment.png"));
    // The picture of line 0 sits at (width - 20, 3); line 1 has none.
    QCOMPARE(QColor(image.pixel(m_win->width() - 20 + 5, 3 + 5)), QColor(0, 200, 0));
    QCOMPARE(QColor(image.pixel(m_win->width() - 20 + 5, 17 + 3 + 5)), QColor(255, 255, 0));
    // Some dark text pixels in the first line's strip, left part.
    bool dark = false;
    for (int y = 3; y < 20 && !dark; ++y)
        for (int x = 3; x < 60 && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 100;
    QVERIFY(dark);
}

void TestTWinComment::anyKeyCloses_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("arrow") << int(Qt::Key_Left);
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("space") << int(Qt::Key_Space);
}

void TestTWinComment::anyKeyCloses()
{
    QFETCH(int, key);
    m_win->AddCommentLine("QC1 = 5");
    m_win->ShowAt("x", QPoint(10, 10));
    QVERIFY(m_win->isVisible());
    QTest::keyClick(m_win, Qt::Key(key));
    QVERIFY(!m_win->isVisible());
}

void TestTWinComment::clickCloses()
{
    m_win->AddCommentLine("QC1 = 5");
    m_win->ShowAt("x", QPoint(10, 10));
    QTest::mouseClick(m_win, Qt::RightButton, {}, QPoint(60, 30));
    QVERIFY(!m_win->isVisible());
    m_win->ShowAt("x", QPoint(10, 10));
    QTest::mouseClick(m_win, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!m_win->isVisible());
}

VANTOREL_TEST(TestTWinComment)
#include "TestTWinComment.moc"
