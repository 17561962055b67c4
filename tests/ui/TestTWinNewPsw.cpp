#include "TKeyButton.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinNewPsw.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The password change window, driven through its edits and buttons.
class TestTWinNewPsw : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutPasswordTheOldFieldIsHidden();
    void withPasswordTheOldFieldIsAskedFirst();
    void lowerCaseWithBlanksIsStoredUpperAndTrimmed();
    void wrongOldSelectsItAndStays();
    void mismatchSelectsTheNewFieldAndStays();
    void characterTheFileCannotKeepIsRefused();
    void emptyPairRemovesThePasswordAndEveryKey();
    void editsHoldTenCharacters();
    void cancelChangesNothing();

private:
    void Open();
    void Type(const QString& oldText, const QString& newText, const QString& confirm);
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs* m_dialogs = nullptr;
    TWinNewPsw* m_win = nullptr;
};

void TestTWinNewPsw::init()
{
    m_context = MakeTestContext();
    m_dialogs = new TScriptedDialogs;
    m_win = new TWinNewPsw(*m_context, *m_dialogs);
}

void TestTWinNewPsw::cleanup()
{
    delete m_win;
    delete m_dialogs;
    m_context.reset();
}

void TestTWinNewPsw::Open()
{
    m_win->show();
    m_win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_win));
}

void TestTWinNewPsw::Type(const QString& oldText, const QString& newText, const QString& confirm)
{
    if (m_win->EditOldPsw->isVisible())
        QTest::keyClicks(m_win->EditOldPsw, oldText);
    QTest::keyClicks(m_win->EditNewPsw, newText);
    QTest::keyClicks(m_win->EditConfirm, confirm);
}

void TestTWinNewPsw::withoutPasswordTheOldFieldIsHidden()
{
    Open();
    QVERIFY(!m_win->EditOldPsw->isVisible());
    QVERIFY(!m_win->LblOldPsw->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_win->EditNewPsw);
    Type("", "Abc", "aBC");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_context->Config.Password, QString("ABC"));
    QCOMPARE(m_dialogs->Boxes.size(), 0);
}

void TestTWinNewPsw::withPasswordTheOldFieldIsAskedFirst()
{
    m_context->Config.Password = "ABC";
    Open();
    QVERIFY(m_win->EditOldPsw->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_win->EditOldPsw);
    Type(" abc", "xyz", "XYZ");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_context->Config.Password, QString("XYZ"));
}

void TestTWinNewPsw::lowerCaseWithBlanksIsStoredUpperAndTrimmed()
{
    Open();
    Type("", "  lab 7 ", "lab 7");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_context->Config.Password, QString("LAB 7"));
}

void TestTWinNewPsw::wrongOldSelectsItAndStays()
{
    m_context->Config.Password = "ABC";
    Open();
    Type("abd", "xyz", "xyz");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QVERIFY(m_win->isVisible());
    QCOMPARE(m_context->Config.Password, QString("ABC"));
    QCOMPARE(QApplication::focusWidget(), m_win->EditOldPsw);
    QCOMPARE(m_win->EditOldPsw->selectedText(), QString("abd"));
    QCOMPARE(m_dialogs->Boxes.size(), 0);
}

void TestTWinNewPsw::mismatchSelectsTheNewFieldAndStays()
{
    m_context->Config.Password = "ABC";
    Open();
    Type("abc", "xyz", "xy");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QVERIFY(m_win->isVisible());
    QCOMPARE(m_context->Config.Password, QString("ABC"));
    QCOMPARE(QApplication::focusWidget(), m_win->EditNewPsw);
    QCOMPARE(m_win->EditNewPsw->selectedText(), QString("xyz"));
    QCOMPARE(m_dialogs->Boxes.size(), 0);
}

void TestTWinNewPsw::characterTheFileCannotKeepIsRefused()
{
    Open();
    // The micro sign upper-cases to a Greek capital that the settings file cannot hold.
    Type("", "\u00b5mol", "\u00b5mol");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QVERIFY(m_win->isVisible());
    QVERIFY(m_context->Config.Password.isEmpty());
    QCOMPARE(QApplication::focusWidget(), m_win->EditNewPsw);
}

void TestTWinNewPsw::emptyPairRemovesThePasswordAndEveryKey()
{
    m_context->Config.Password = "ABC";
    QWidget other;
    auto* protectedButton = new QPushButton("&Delete", &other);
    auto* key = new TKeyButton(*m_context, *m_dialogs, &other);
    key->Protect({ protectedButton });
    QVERIFY(key->IsLocked());
    QVERIFY(!protectedButton->isEnabled());

    Open();
    Type("abc", "", "");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QVERIFY(m_context->Config.Password.isEmpty());

    // The next time the other window is shown it opens unlocked, without its key.
    key->Reset();
    QVERIFY(!key->IsLocked());
    QVERIFY(key->isHidden());
    QVERIFY(protectedButton->isEnabled());
    // And the change window no longer asks for an old password.
    m_win->hide();
    Open();
    QVERIFY(!m_win->EditOldPsw->isVisible());
}

void TestTWinNewPsw::editsHoldTenCharacters()
{
    Open();
    QTest::keyClicks(m_win->EditNewPsw, "abcdefghijkl");
    QCOMPARE(m_win->EditNewPsw->text(), QString("abcdefghij"));
    QTest::keyClicks(m_win->EditConfirm, "ABCDEFGHIJ");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_context->Config.Password, QString("ABCDEFGHIJ"));
}

void TestTWinNewPsw::cancelChangesNothing()
{
    m_context->Config.Password = "ABC";
    Open();
    Type("abc", "new", "new");
    QTest::mouseClick(m_win->BtCancel, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Rejected));
    QCOMPARE(m_context->Config.Password, QString("ABC"));
}

VANTOREL_TEST(TestTWinNewPsw)
#include "TestTWinNewPsw.moc"
