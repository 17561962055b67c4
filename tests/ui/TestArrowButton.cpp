#include "TArrowButton.h"
#include "TTestRegistry.h"
#include "TWindowTestKit.h"

#include <QSignalSpy>

Q_DECLARE_METATYPE(TButtonDirection)

class TestArrowButton : public QObject {
    Q_OBJECT

private slots:
    // A press and its release on an arrow button of the default size, 80 x 45.
    void onlyTheArrowTakesAPress_data()
    {
        QTest::addColumn<TButtonDirection>("direction");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        const QPoint far(300, 200);
        QTest::newRow("right, head, released far") << btnRIGHT << QPoint(60, 22) << far << 1;
        QTest::newRow("right, corner") << btnRIGHT << QPoint(1, 1) << QPoint(1, 1) << 0;
        QTest::newRow("right, corner, released on the shaft") << btnRIGHT << QPoint(1, 1) << QPoint(20, 22) << 0;
        QTest::newRow("right, above the shaft") << btnRIGHT << QPoint(20, 6) << QPoint(20, 6) << 0;
        QTest::newRow("left, head") << btnLEFT << QPoint(15, 22) << QPoint(15, 22) << 1;
        QTest::newRow("left, corner") << btnLEFT << QPoint(78, 43) << QPoint(78, 43) << 0;
        QTest::newRow("up, head") << btnUP << QPoint(40, 15) << QPoint(40, 15) << 1;
        QTest::newRow("up, corner") << btnUP << QPoint(1, 43) << QPoint(1, 43) << 0;
        QTest::newRow("up, beside the shaft") << btnUP << QPoint(8, 35) << QPoint(8, 35) << 0;
        QTest::newRow("down, head") << btnDOWN << QPoint(40, 30) << QPoint(40, 30) << 1;
        QTest::newRow("down, corner") << btnDOWN << QPoint(78, 1) << QPoint(78, 1) << 0;
        QTest::newRow("down, beside the shaft") << btnDOWN << QPoint(8, 8) << QPoint(8, 8) << 0;
    }

    void onlyTheArrowTakesAPress()
    {
        QFETCH(TButtonDirection, direction);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        TArrowButton button;
        button.SetDirection(direction);
        QSignalSpy clicks(&button, &TArrowButton::Click);
        QTest::mousePress(&button, Qt::LeftButton, {}, press);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, release);
        QTEST(int(clicks.count()), "clicks");
    }

    void theMnemonicIsUnderlinedAndTakesAlt_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("parts"); // before, underlined, after
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks"); // after Alt+1
        QTest::newRow("before the digit") << "Level &1" << QStringList({ "Level ", "1", "" }) << true << 1;
        QTest::newRow("disabled") << "Level &1" << QStringList({ "Level ", "1", "" }) << false << 0;
        QTest::newRow("first of two") << "&1 & 2" << QStringList({ "", "1", " & 2" }) << true << 1;
        QTest::newRow("last character") << "Level 1&" << QStringList({ "Level 1&", "", "" }) << true << 0;
    }

    void theMnemonicIsUnderlinedAndTakesAlt()
    {
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        const TArrowButton::TCaptionParts parts = TArrowButton::SplitCaption(caption);
        QTEST(QStringList({ parts.Before, parts.Underlined, parts.After }), "parts");
        QWidget window;
        auto* button = new TArrowButton(&window);
        button->SetCaption(caption);
        button->SetCaption(QString()); // an empty caption changes nothing
        QCOMPARE(button->Caption(), caption);
        button->setEnabled(enabled);
        QVERIFY(ShowActive(window));
        QSignalSpy clicks(button, &TArrowButton::Click);
        QTest::keyClick(&window, Qt::Key_1, Qt::AltModifier);
        QTEST(int(clicks.count()), "clicks");
    }
};

VANTOREL_TEST(TestArrowButton)
#include "TestArrowButton.moc"
