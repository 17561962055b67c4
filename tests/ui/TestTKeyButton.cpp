#include "TKeyButton.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinEntryPsw.h"
#include "TestHelpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The key button that every protected window uses.
class TestTKeyButton : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutPasswordEverythingIsOpen();
    void withPasswordTheControlsWaitForTheKey();
    void wrongPasswordKeepsTheLockAndReleasesTheKey();
    void rightPasswordUnlocksAndHidesTheKey();
    void showingTheWindowAgainLocksAgain();

private:
    static std::function<int(QDialog&)> Typing(const QString& text);
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs* m_dialogs = nullptr;
    QWidget* m_window = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_free = nullptr;
    TKeyButton* m_key = nullptr;
};

void TestTKeyButton::init()
{
    m_context = MakeTestContext();
    m_dialogs = new TScriptedDialogs;
    m_window = new QWidget;
    m_delete = new QPushButton("&Delete", m_window);
    m_undo = new QPushButton("&Undo", m_window);
    m_free = new QPushButton("&Print", m_window);
    m_key = new TKeyButton(*m_context, *m_dialogs, m_window);
}

void TestTKeyButton::cleanup()
{
    delete m_window;
    delete m_dialogs;
    m_context.reset();
}

std::function<int(QDialog&)> TestTKeyButton::Typing(const QString& text)
{
    return [text](QDialog& dialog) {
        auto& entry = static_cast<TWinEntryPsw&>(dialog);
        entry.Password->setText(text);
        entry.BtOK->click();
        return entry.result();
    };
}

void TestTKeyButton::withoutPasswordEverythingIsOpen()
{
    m_key->Protect({ m_delete, m_undo });
    QVERIFY(m_key->isHidden());
    QVERIFY(m_delete->isEnabled());
    QVERIFY(m_undo->isEnabled());
    QCOMPARE(m_key->objectName(), QString("BtCle"));
}

void TestTKeyButton::withPasswordTheControlsWaitForTheKey()
{
    m_context->Config.Password = "KEY";
    m_key->Protect({ m_delete, m_undo });
    QVERIFY(!m_key->isHidden());
    QVERIFY(m_key->IsLocked());
    QVERIFY(!m_delete->isEnabled());
    QVERIFY(!m_undo->isEnabled());
    QVERIFY(m_free->isEnabled());
}

void TestTKeyButton::wrongPasswordKeepsTheLockAndReleasesTheKey()
{
    m_context->Config.Password = "KEY";
    m_key->Protect({ m_delete });
    QSignalSpy unlocked(m_key, &TKeyButton::Unlocked);
    m_dialogs->QueueExec(Typing("kex"));
    m_window->show();
    QTest::mouseClick(m_key, Qt::LeftButton);
    QCOMPARE(m_dialogs->ExecutedWindows, QStringList({ "TWinEntryPsw" }));
    QVERIFY(!m_key->isChecked());
    QVERIFY(m_key->isVisible());
    QVERIFY(!m_delete->isEnabled());
    QCOMPARE(unlocked.count(), 0);
    // Cancelled window: same.
    QTest::mouseClick(m_key, Qt::LeftButton);
    QVERIFY(!m_key->isChecked());
    QVERIFY(!m_delete->isEnabled());
}

void TestTKeyButton::rightPasswordUnlocksAndHidesTheKey()
{
    m_context->Config.Password = "KEY";
    m_key->Protect({ m_delete, m_undo });
    QSignalSpy unlocked(m_key, &TKeyButton::Unlocked);
    m_dialogs->QueueExec(Typing("key"));
    m_window->show();
    QTest::mouseClick(m_key, Qt::LeftButton);
    QVERIFY(!m_key->isChecked());
    QVERIFY(!m_key->isVisible());
    QVERIFY(m_delete->isEnabled());
    QVERIFY(m_undo->isEnabled());
    QVERIFY(!m_key->IsLocked());
    QCOMPARE(unlocked.count(), 1);
}

void TestTKeyButton::showingTheWindowAgainLocksAgain()
{
    m_context->Config.Password = "KEY";
    m_key->Protect({ m_delete });
    m_dialogs->QueueExec(Typing("KEY"));
    m_key->BtCleClick();
    QVERIFY(m_delete->isEnabled());
    m_key->Reset();
    QVERIFY(!m_delete->isEnabled());
    QVERIFY(!m_key->isHidden());
}

VANTOREL_TEST(TestTKeyButton)
#include "TestTKeyButton.moc"
