#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinEntryPsw.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The password entry window, driven through its edit and buttons.
class TestTWinEntryPsw : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rightPasswordInAnyCaseCloses_data();
    void rightPasswordInAnyCaseCloses();
    void wrongPasswordKeepsTheWindowWithAnEmptyField_data();
    void wrongPasswordKeepsTheWindowWithAnEmptyField();
    void cancelRefuses();
    void reopeningEmptiesTheField();
    void fieldShowsStars();
    void askPasswordWithoutPasswordAsksNothing();
    void askPasswordRunsTheWindow();

private:
    void Open();
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs* m_dialogs = nullptr;
    TWinEntryPsw* m_win = nullptr;
};

void TestTWinEntryPsw::init()
{
    m_context = MakeTestContext();
    m_context->Config.Password = "LAB 1";
    m_dialogs = new TScriptedDialogs;
    m_win = new TWinEntryPsw(*m_context, *m_dialogs);
}

void TestTWinEntryPsw::cleanup()
{
    delete m_win;
    delete m_dialogs;
    m_context.reset();
}

void TestTWinEntryPsw::Open()
{
    m_win->show();
    m_win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_win));
}

void TestTWinEntryPsw::rightPasswordInAnyCaseCloses_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("upper") << "LAB 1";
    QTest::newRow("lower") << "lab 1";
    QTest::newRow("mixed") << "lAb 1";
}

void TestTWinEntryPsw::rightPasswordInAnyCaseCloses()
{
    QFETCH(QString, typed);
    Open();
    QTest::keyClicks(m_win->Password, typed);
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QVERIFY(!m_win->isVisible());
    QCOMPARE(m_dialogs->Boxes.size(), 0);
}

void TestTWinEntryPsw::wrongPasswordKeepsTheWindowWithAnEmptyField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("other word") << "lab 2";
    QTest::newRow("leading blank") << " lab 1";
    QTest::newRow("trailing blank") << "LAB 1 ";
    QTest::newRow("empty") << "";
}

void TestTWinEntryPsw::wrongPasswordKeepsTheWindowWithAnEmptyField()
{
    QFETCH(QString, typed);
    Open();
    QTest::keyClicks(m_win->Password, typed);
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QVERIFY(m_win->isVisible());
    QCOMPARE(m_win->result(), int(QDialog::Rejected));
    QVERIFY(m_win->Password->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), m_win->Password);
    QCOMPARE(m_dialogs->Boxes.size(), 0);
    // A second try with the right one still works.
    QTest::keyClicks(m_win->Password, "Lab 1");
    QTest::keyClick(m_win->Password, Qt::Key_Return);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
}

void TestTWinEntryPsw::cancelRefuses()
{
    Open();
    QTest::keyClicks(m_win->Password, "LAB 1");
    QTest::mouseClick(m_win->BitBtn2, Qt::LeftButton);
    QCOMPARE(m_win->result(), int(QDialog::Rejected));
    QVERIFY(!m_win->isVisible());
}

void TestTWinEntryPsw::reopeningEmptiesTheField()
{
    Open();
    QTest::keyClicks(m_win->Password, "abc");
    m_win->hide();
    Open();
    QVERIFY(m_win->Password->text().isEmpty());
    QCOMPARE(m_win->focusWidget(), m_win->Password);
}

void TestTWinEntryPsw::fieldShowsStars()
{
    Open();
    QCOMPARE(m_win->windowTitle(), QString("QC : enter password"));
    QTest::keyClicks(m_win->Password, "ab1");
    QCOMPARE(m_win->Password->displayText(), QString("***"));
}

void TestTWinEntryPsw::askPasswordWithoutPasswordAsksNothing()
{
    m_context->Config.Password.clear();
    QVERIFY(TWinEntryPsw::AskPassword(*m_context, *m_dialogs));
    QVERIFY(m_dialogs->ExecutedWindows.isEmpty());
}

void TestTWinEntryPsw::askPasswordRunsTheWindow()
{
    auto typeAndOk = [](const QString& text) {
        return [text](QDialog& dialog) {
            auto& window = static_cast<TWinEntryPsw&>(dialog);
            window.Password->setText(text);
            window.BtOK->click();
            return window.result();
        };
    };
    m_dialogs->QueueExec(typeAndOk("lab 1"));
    QVERIFY(TWinEntryPsw::AskPassword(*m_context, *m_dialogs));
    m_dialogs->QueueExec(typeAndOk("lab"));
    QVERIFY(!TWinEntryPsw::AskPassword(*m_context, *m_dialogs));
    QCOMPARE(m_dialogs->ExecutedWindows, QStringList({ "TWinEntryPsw", "TWinEntryPsw" }));
}

VANTOREL_TEST(TestTWinEntryPsw)
#include "TestTWinEntryPsw.moc"
