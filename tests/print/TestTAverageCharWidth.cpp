#include "TAverageCharWidth.h"
#include "TTestRegistry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTest>

class TestTAverageCharWidth : public QObject {
    Q_OBJECT

private slots:
    // Liberation Sans stands for Arial, whose fonts declare an average width of
    // 904 units of a 2048-unit em; its own tables declare about 1176.
    void metricCompatibleFontGivesArialsFigure()
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(2048);
        QCOMPARE(QFontMetricsF(font).horizontalAdvance(QChar('m')), 1706.0); // the font is there
        QCOMPARE(AverageCharWidth(QFontMetricsF(font)), 904);
    }
};

VANTOREL_TEST(TestTAverageCharWidth)
#include "TestTAverageCharWidth.moc"
