#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

// The level panels of the Lock and Fix sheets: the limits read from the Fix panel
// through the checked edits, the lock state written into the Lock panel. The number
// rules themselves are core's (TInputCheck).
class TestLevelPanels : public QObject {
    Q_OBJECT

private slots:
    void fixedLimits_data();
    void fixedLimits();
    void longLockStateIsWrittenSmallerNotCut();
};

// Deviations may not be negative, the target may; the warning may not pass the
// action. An accepted panel shows the numbers as read; a refusal shows one box,
// leaves the caller's values alone and selects the edit at fault.
void TestLevelPanels::fixedLimits_data()
{
    QTest::addColumn<QStringList>("typed"); // target, warning, action
    QTest::addColumn<QString>("message"); // empty when accepted
    QTest::addColumn<QString>("badEdit");
    QTest::addColumn<QList<double>>("read");
    const QList<double> none { 7, 8, 9 }; // the caller's values
    QTest::newRow("negative target") << QStringList { "-1,5", "0.2", "0.3" } << QString() << QString()
                                     << QList<double> { -1.5, 0.2, 0.3 };
    QTest::newRow("warning equal to action")
        << QStringList { "12.25", "0,5", "0.5" } << QString() << QString() << QList<double> { 12.25, 0.5, 0.5 };
    QTest::newRow("zero deviations") << QStringList { "0", "0", "0" } << QString() << QString()
                                     << QList<double> { 0, 0, 0 };
    QTest::newRow("empty target") << QStringList { "", "0.2", "0.3" } << u"'' is not a valid floating point value"_s
                                  << u"EditTarget"_s << none;
    QTest::newRow("negative warning") << QStringList { "5", "-0.1", "0.3" }
                                      << u"-0.1 is a negative value (not allowed)"_s << u"EditWarning"_s << none;
    QTest::newRow("negative action") << QStringList { "5", "0.2", "-0.3" }
                                     << u"-0.3 is a negative value (not allowed)"_s << u"EditAction"_s << none;
    QTest::newRow("warning above action")
        << QStringList { "5", "0.4", "0.3" } << u"Action < Warning"_s << QString() << none;
}

void TestLevelPanels::fixedLimits()
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
        QCOMPARE_ONLY_BOX(dialogs, TMsgType::Error, message, mbOK);
    if (!badEdit.isEmpty()) {
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(edit->objectName(), badEdit);
        QCOMPARE(edit->selectedText(), edit->text());
    }
}

void TestLevelPanels::longLockStateIsWrittenSmallerNotCut()
{
    TGBLockedParam panel;
    const qreal size = panel.font().pointSizeF();
    const QString longText = "Locked from 23 Oct 2026 to 17 Nov 2026 (a long one)";
    QVERIFY(QFontMetrics(panel.font()).horizontalAdvance(longText) > panel.Lbl1->width());
    panel.SetState(longText);
    QCOMPARE(panel.Lbl1->text(), longText);
    QCOMPARE(panel.Lbl1->toolTip(), longText);
    QVERIFY(panel.Lbl1->font().pointSizeF() < size);
    QVERIFY(QFontMetrics(panel.Lbl1->font()).horizontalAdvance(longText.left(38)) <= panel.Lbl1->width());
    panel.SetState("Mobile limits"); // a short text comes back at the panel's size
    QCOMPARE(panel.Lbl1->font().pointSizeF(), size);
}

VANTOREL_TEST(TestLevelPanels)
#include "TestLevelPanels.moc"
