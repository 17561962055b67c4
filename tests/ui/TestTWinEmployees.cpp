#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinEmployees.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

// The operators window, driven through its grid cells and buttons.
class TestTWinEmployees : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gridSizes_data();
    void gridSizes();
    void editingTheLastRowAddsOne();
    void rowsAreNumberedAndCellsHoldFourCharacters();
    void clearedStoredCodeAsksBeforeDeleting();
    void refusedDeletionKeepsTheListExactly();
    void clearingBelowTheListAsksNothing();
    void duplicatesKeptBlanksDroppedSortedOnNextOpening();
    void enterActsAsOkEscapeAsCancel();
    void undoReloadsTheList();

private:
    void Open();
    static QStringList Codes(int count);
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs* m_dialogs = nullptr;
    TWinEmployees* m_win = nullptr;
};

void TestTWinEmployees::init()
{
    m_context = MakeTestContext();
    m_dialogs = new TScriptedDialogs;
    m_win = new TWinEmployees(*m_context, *m_dialogs);
}

void TestTWinEmployees::cleanup()
{
    delete m_win;
    delete m_dialogs;
    m_context.reset();
}

void TestTWinEmployees::Open()
{
    m_win->show();
    m_win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_win));
}

QStringList TestTWinEmployees::Codes(int count)
{
    QStringList codes;
    for (int i = 0; i < count; ++i)
        codes.append(QString("C%1").arg(i, 2, 10, QChar('0')));
    return codes;
}

void TestTWinEmployees::gridSizes_data()
{
    QTest::addColumn<int>("codes");
    QTest::addColumn<int>("rows");
    QTest::newRow("none") << 0 << 16;
    QTest::newRow("ten") << 10 << 16;
    QTest::newRow("twenty") << 20 << 21;
}

void TestTWinEmployees::gridSizes()
{
    QFETCH(int, codes);
    QFETCH(int, rows);
    m_context->ListOperators = Codes(codes);
    Open();
    QCOMPARE(m_win->Grid->rowCount(), rows);
    QCOMPARE(m_win->Grid->currentRow(), 0);
    QCOMPARE(QApplication::focusWidget(), m_win->CodeEdit(0));
    for (int row = 0; row < rows; ++row)
        QCOMPARE(m_win->CodeEdit(row)->text(), row < codes ? m_context->ListOperators[row] : QString());
}

void TestTWinEmployees::editingTheLastRowAddsOne()
{
    m_context->ListOperators = Codes(20);
    Open();
    m_win->CodeEdit(20)->setFocus();
    QCOMPARE(m_win->Grid->rowCount(), 22);
    QCOMPARE(m_win->Grid->item(21, 0)->text(), QString("22"));
    // Tab from the new last-but-one row reaches the new row, which adds another.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_win->CodeEdit(21));
    QCOMPARE(m_win->Grid->rowCount(), 23);
    // Editing a row above the last adds nothing.
    m_win->CodeEdit(3)->setFocus();
    QCOMPARE(m_win->Grid->rowCount(), 23);
}

void TestTWinEmployees::rowsAreNumberedAndCellsHoldFourCharacters()
{
    Open();
    QCOMPARE(m_win->Grid->item(0, 0)->text(), QString("1"));
    QCOMPARE(m_win->Grid->item(15, 0)->text(), QString("16"));
    QCOMPARE(m_win->Grid->item(4, 0)->background().color(), QColor(255, 255, 128));
    QVERIFY(!(m_win->Grid->item(4, 0)->flags() & Qt::ItemIsEditable));
    QCOMPARE(m_win->Grid->columnWidth(0), 25);
    QCOMPARE(m_win->Grid->columnWidth(1), 115);
    QCOMPARE(m_win->Grid->rowHeight(7), 15);
    QCOMPARE(m_win->LblNbChar->text(), QString("4"));
    QTest::keyClicks(m_win->CodeEdit(0), "ABCDEF");
    QCOMPARE(m_win->CodeEdit(0)->text(), QString("ABCD"));
    m_win->grab().save(ArtifactPath("TWinEmployees.png"));
}

void TestTWinEmployees::clearedStoredCodeAsksBeforeDeleting()
{
    m_context->ListOperators = { "AB", "CD", "EF" };
    Open();
    m_win->CodeEdit(1)->clear();
    m_win->CodeEdit(2)->setText("  ");
    m_dialogs->QueueAnswer(mbOK);
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Type, TMsgType::Confirmation);
    QCOMPARE(m_dialogs->Boxes[0].Buttons, int(mbOK | mbCancel));
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("Deletion of :\r\r   CD\r   EF\r"));
    QCOMPARE(m_context->ListOperators, QStringList({ "AB" }));
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
}

void TestTWinEmployees::refusedDeletionKeepsTheListExactly()
{
    m_context->ListOperators = { "AB", "CD" };
    Open();
    m_win->CodeEdit(0)->clear();
    m_win->CodeEdit(2)->setText("ZZ");
    m_dialogs->QueueAnswer(mbCancel);
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_context->ListOperators, QStringList({ "AB", "CD" }));
    QVERIFY(!m_win->isVisible());
}

void TestTWinEmployees::clearingBelowTheListAsksNothing()
{
    m_context->ListOperators = { "AB" };
    Open();
    QTest::keyClicks(m_win->CodeEdit(1), "XY");
    m_win->CodeEdit(1)->clear();
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_dialogs->Boxes.size(), 0);
    QCOMPARE(m_context->ListOperators, QStringList({ "AB" }));
}

void TestTWinEmployees::duplicatesKeptBlanksDroppedSortedOnNextOpening()
{
    Open();
    QTest::keyClicks(m_win->CodeEdit(0), "ZZ");
    QTest::keyClicks(m_win->CodeEdit(1), "AB");
    QTest::keyClicks(m_win->CodeEdit(2), "   ");
    QTest::keyClicks(m_win->CodeEdit(3), " jd");
    QTest::keyClicks(m_win->CodeEdit(4), "AB");
    QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
    QCOMPARE(m_context->ListOperators, QStringList({ "AB", "AB", "jd", "ZZ" }));

    Open();
    QCOMPARE(m_win->CodeEdit(0)->text(), QString("AB"));
    QCOMPARE(m_win->CodeEdit(1)->text(), QString("AB"));
    QCOMPARE(m_win->CodeEdit(2)->text(), QString("jd"));
    QCOMPARE(m_win->CodeEdit(3)->text(), QString("ZZ"));
    QVERIFY(m_win->CodeEdit(4)->text().isEmpty());
}

void TestTWinEmployees::enterActsAsOkEscapeAsCancel()
{
    m_context->ListOperators = { "AB" };
    Open();
    QTest::keyClicks(m_win->CodeEdit(1), "CD");
    QTest::keyClick(m_win->CodeEdit(1), Qt::Key_Escape);
    QCOMPARE(m_win->result(), int(QDialog::Rejected));
    QVERIFY(!m_win->isVisible());
    QCOMPARE(m_context->ListOperators, QStringList({ "AB" }));

    Open();
    QTest::keyClicks(m_win->CodeEdit(1), "CD");
    QTest::keyClick(m_win->CodeEdit(1), Qt::Key_Return);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_context->ListOperators, QStringList({ "AB", "CD" }));
}

void TestTWinEmployees::undoReloadsTheList()
{
    m_context->ListOperators = { "AB", "CD" };
    Open();
    m_win->CodeEdit(0)->setText("XX");
    QTest::keyClicks(m_win->CodeEdit(5), "QQ");
    QTest::mouseClick(m_win->BtUndo, Qt::LeftButton);
    QCOMPARE(m_win->Grid->rowCount(), 16);
    QCOMPARE(m_win->Cells().mid(0, 3), QStringList({ "AB", "CD", "" }));
    QCOMPARE(m_win->Cells().count(QString()), 14);
    QVERIFY(m_win->isVisible());
}

VANTOREL_TEST(TestTWinEmployees)
#include "TestTWinEmployees.moc"
