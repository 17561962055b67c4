#include "TEditInput.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

// The checked edits: value or one error box, the offending edit selected and focused.
class TestTEditInput : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void integerTooHighLeavesTheFieldAsTyped();
    void integerAcceptedIsTrimmed();
    void qcValueEmptyHasNoValue();
    void qcValueReadsEitherSeparator();
    void qcValueRefusedSelectsAndFocuses();
    void floatNegativeRefusedOnlyWhenAsked();

private:
    TScriptedDialogs* m_dialogs = nullptr;
    QWidget* m_host = nullptr;
    QLineEdit* m_edit = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestTEditInput::init()
{
    m_dialogs = new TScriptedDialogs;
    m_host = new QWidget;
    m_edit = new QLineEdit(m_host);
    m_other = new QLineEdit(m_host);
    m_other->move(0, 30);
    m_host->show();
    m_host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_host));
    m_other->setFocus();
}

void TestTEditInput::cleanup()
{
    delete m_host;
    delete m_dialogs;
}

void TestTEditInput::integerTooHighLeavesTheFieldAsTyped()
{
    m_edit->setText(" 12 ");
    int value = -1;
    QVERIFY(!CheckIntegerEdit(*m_edit, *m_dialogs, 1, 10, value));
    QCOMPARE(value, -1);
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("12 is too high\n\rMaximum allowed = 10"));
    QCOMPARE(m_dialogs->Boxes[0].Buttons, int(mbOK));
    QCOMPARE(m_edit->text(), QString(" 12 "));
    QCOMPARE(m_edit->selectedText(), QString(" 12 "));
    QCOMPARE(QApplication::focusWidget(), m_edit);
}

void TestTEditInput::integerAcceptedIsTrimmed()
{
    m_edit->setText("  7 ");
    int value = -1;
    QVERIFY(CheckIntegerEdit(*m_edit, *m_dialogs, 1, 10, value));
    QCOMPARE(value, 7);
    QCOMPARE(m_edit->text(), QString("7"));
    QCOMPARE(m_dialogs->Boxes.size(), 0);
    QCOMPARE(QApplication::focusWidget(), m_other);
}

void TestTEditInput::qcValueEmptyHasNoValue()
{
    m_edit->setText("   ");
    TQCValue cell;
    cell.Status = psWithin;
    cell.Value = 3;
    QVERIFY(ReadQCValueEdit(*m_edit, *m_dialogs, cell));
    QCOMPARE(int(cell.Status), int(psNoValue));
}

void TestTEditInput::qcValueReadsEitherSeparator()
{
    TQCValue a, b;
    m_edit->setText("4,5");
    QVERIFY(ReadQCValueEdit(*m_edit, *m_dialogs, a));
    m_edit->setText("4.5");
    QVERIFY(ReadQCValueEdit(*m_edit, *m_dialogs, b));
    QCOMPARE(a.Value, 4.5f);
    QCOMPARE(a, b);
    QCOMPARE(int(a.Status), int(psWithin));
}

void TestTEditInput::qcValueRefusedSelectsAndFocuses()
{
    m_edit->setText("4,5x");
    TQCValue cell;
    QVERIFY(!ReadQCValueEdit(*m_edit, *m_dialogs, cell));
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("Incorrect floating number"));
    QCOMPARE(m_edit->selectedText(), QString("4,5x"));
    QCOMPARE(QApplication::focusWidget(), m_edit);
}

void TestTEditInput::floatNegativeRefusedOnlyWhenAsked()
{
    double value = 0;
    m_edit->setText("-2,5");
    QVERIFY(ReadFloatEdit(*m_edit, *m_dialogs, value, false));
    QCOMPARE(value, -2.5);
    QCOMPARE(m_edit->text(), QString("-2.5"));
    value = 0;
    QVERIFY(!ReadFloatEdit(*m_edit, *m_dialogs, value, true));
    QCOMPARE(value, 0.0);
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("-2.5 is a negative value (not allowed)"));
}

VANTOREL_TEST(TestTEditInput)
#include "TestTEditInput.moc"
