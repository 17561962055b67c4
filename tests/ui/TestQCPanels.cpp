#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinComment.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

// The level panels of the Lock and Fix sheets and the point pop-up. The number rules (TInputCheck) and the
// pop-up's texts (TPointPopup) are core's.
class TestQCPanels : public QObject {
    Q_OBJECT
private slots:
    // Deviations may not be negative, the target may; the warning may not pass the
    // action. An accepted panel shows the numbers as read; a refusal shows one box,
    // leaves the caller's values alone and selects the edit at fault.
    void fixedLimits_data()
    {
        QTest::addColumn<QStringList>("typed"); // target, warning, action
        QTest::addColumn<QString>("message"); // empty when accepted
        QTest::addColumn<QString>("badEdit");
        QTest::addColumn<QList<double>>("read");
        const QList<double> none { 7, 8, 9 }; // the caller's values
        // clang-format off
        QTest::newRow("negative target") << QStringList { "-1,5", "0.2", "0.3" } << QString() << QString() << QList<double> { -1.5, 0.2, 0.3 };
        QTest::newRow("warning equal to action") << QStringList { "12.25", "0,5", "0.5" } << QString() << QString() << QList<double> { 12.25, 0.5, 0.5 };
        QTest::newRow("zero deviations") << QStringList { "0", "0", "0" } << QString() << QString() << QList<double> { 0, 0, 0 };
        QTest::newRow("negative warning") << QStringList { "5", "-0.1", "0.3" } << u"-0.1 is a negative value (not allowed)"_s << u"EditWarning"_s << none;
        QTest::newRow("negative action") << QStringList { "5", "0.2", "-0.3" } << u"-0.3 is a negative value (not allowed)"_s << u"EditAction"_s << none;
        QTest::newRow("warning above action") << QStringList { "5", "0.4", "0.3" } << u"Action < Warning"_s << QString() << none;
        // clang-format on
    }

    void fixedLimits()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(QString, badEdit);
        QFETCH(QList<double>, read);
        TScriptedDialogs dialogs;
        QWidget host;
        auto* panel = new TGBFixedParam(dialogs, &host);
        QVERIFY(ShowActive(host));
        panel->EditTarget->setText(typed[0]);
        panel->EditWarning->setText(typed[1]);
        panel->EditAction->setText(typed[2]);
        QList<double> values { 7, 8, 9 };
        QCOMPARE(panel->GetFields(values[0], values[1], values[2]), message.isEmpty());
        const QList<QLineEdit*> edits { panel->EditTarget, panel->EditWarning, panel->EditAction };
        for (int i = 0; i < 3; ++i) {
            QCOMPARE_NEAR(values[i], read[i], 1e-12);
            QVERIFY(!message.isEmpty() || edits[i]->text() == QString::number(read[i]));
        }
        if (message.isEmpty())
            QVERIFY(dialogs.Boxes.isEmpty());
        else
            QVERIFY_ONE_BOX(dialogs, TMsgType::Error, message, mbOK);
        if (!badEdit.isEmpty()) {
            auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QCOMPARE(edit->objectName(), badEdit);
            QCOMPARE(edit->selectedText(), edit->text());
        }
    }

    void longLockStateTakesTwoLinesNotASmallerFont()
    {
        TGBLockedParam panel;
        const QString longText = "Locked from 23/10/2026 to 17/11/2026";
        const QFontMetrics metrics(panel.Lbl1->font());
        QVERIFY(metrics.horizontalAdvance(longText) > panel.Lbl1->width());
        panel.SetState(longText);
        QCOMPARE(panel.Lbl1->font().pointSizeF(), panel.font().pointSizeF());
        QCOMPARE(panel.Lbl1->toolTip(), longText);
        const QStringList lines = panel.Lbl1->text().split('\n');
        QCOMPARE(lines, QStringList({ "Locked from 23/10/2026", "to 17/11/2026" }));
        for (const QString& line : lines)
            QVERIFY(metrics.horizontalAdvance(line) <= panel.Lbl1->width());
        QVERIFY(panel.Lbl1->height() >= 2 * metrics.height()
            && panel.Lbl1->geometry().bottom() < panel.BtLock->geometry().top());
        panel.SetState("Mobile limits");
        QCOMPARE(panel.Lbl1->text(), QString("Mobile limits"));
    }

    void popupShowsItsLinesAndPicturesAndClosesOnAnyKeyOrClick()
    {
        TWinComment win;
        const QString wide(60, 'W');
        QPixmap green(10, 10);
        green.fill(QColor(0, 200, 0));
        win.AddCommentLine(wide, green);
        win.Clear(); // forgets the lines and the widest one
        win.AddCommentLine("QC1 = 3.1", green);
        win.AddCommentLine("QC2 = 2.5");
        QCOMPARE(win.PopupSize(), QSize(124, 17 * 2 + 6)); // the minimum width
        win.AddCommentLine(wide);
        const int wideWidth = win.fontMetrics().horizontalAdvance(wide);
        QCOMPARE(win.PopupSize(), QSize(wideWidth + 28, 17 * 3 + 6));
        win.AddCommentLine(wide, green); // its picture beside it
        QCOMPARE(win.PopupSize().width(), wideWidth + 48);
        win.ShowAt("01/02/2026 09:00:00", QPoint(230, 140));
        QVERIFY(win.isVisible());
        QVERIFY(!win.isModal());
        QCOMPARE(win.windowTitle(), "01/02/2026 09:00:00");
        QCOMPARE(win.pos(), QPoint(230, 140));
        QCOMPARE(win.size(), win.PopupSize());
        // Each line's text from the left, its picture at the right end.
        const QImage image = Grab(win);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(CountInk(image, QRect(3, 17 * i + 3, 40, 14)) > 10);
            const QColor right = image.pixelColor(win.width() - 15, 17 * i + 8);
            QCOMPARE(right, i % 3 == 0 ? QColor(0, 200, 0) : QColor(255, 255, 0));
        }
        QTest::keyClick(&win, Qt::Key_Escape); // any key or click closes it
        QVERIFY(!win.isVisible());
        win.ShowAt("x", QPoint(10, 10));
        QTest::mouseClick(&win, Qt::LeftButton, {}, QPoint(60, 30));
        QVERIFY(!win.isVisible());
    }
};

VANTOREL_TEST(TestQCPanels)
#include "TestQCPanels.moc"
