#include "TKeyButton.h"
#include "TMainWindowFixture.h"
#include "TWinEmployees.h"
#include "TWinEntryPsw.h"
#include "TWinNewPsw.h"
#include "TWindowTestKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

using namespace Qt::StringLiterals;

// The password entry, the key button, the password change, the operators; their rules are core's (TestSettings).
class TestEditorWindows : public TMainWindowTest {
    Q_OBJECT

private slots:
    void entry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right in another case, OK") << u"lab 1"_s << u"OK"_s << true;
        QTest::newRow("right, Return") << u"Lab 1"_s << u"Return"_s << true;
        QTest::newRow("right, Cancel") << u"LAB 1"_s << u"Cancel"_s << false;
        QTest::newRow("wrong: the field is emptied for another try") << u"lab 2"_s << u"OK"_s << false;
    }

    void entry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, press);
        QFETCH(bool, accepted);
        f.Context->Config.Password = "LAB 1";
        TWinEntryPsw win(*f.Context, f.Dialogs);
        QVERIFY(ShowActive(win));
        QTest::keyClicks(win.Password, typed);
        QCOMPARE(win.Password->displayText(), QString(typed.size(), '*'));
        if (press == "Return")
            QTest::keyClick(win.Password, Qt::Key_Return);
        else
            QTest::mouseClick(press == "OK" ? win.BtOK : win.BitBtn2, Qt::LeftButton);
        QCOMPARE(win.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        const bool open = press == "OK" && !accepted;
        QCOMPARE(win.isVisible(), open);
        if (open) {
            QVERIFY(win.Password->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), win.Password);
            QTest::keyClicks(win.Password, "lab 1");
            QTest::mouseClick(win.BtOK, Qt::LeftButton);
            QCOMPARE(win.result(), int(QDialog::Accepted));
        }
        QVERIFY(ShowActive(win) && win.Password->text().isEmpty()); // shown again, with an empty field
        QCOMPARE(win.focusWidget(), win.Password);
        QVERIFY(f.Dialogs.Boxes.isEmpty());
    }

    void keyUnlocksOnlyWithThePassword()
    {
        f.Context->Config.Password = "LAB 1";
        QWidget window;
        auto* guarded = new QPushButton("&Delete", &window);
        auto* free = new QPushButton("&Print", &window);
        auto* key = new TKeyButton(*f.Context, f.Dialogs, &window);
        key->Protect({ guarded });
        QSignalSpy unlocked(key, &TKeyButton::Unlocked);
        window.show();
        QVERIFY(!guarded->isEnabled() && free->isEnabled() && key->isVisible());
        f.Dialogs.QueueExec(TypePassword("lab 2"));
        QTest::mouseClick(key, Qt::LeftButton); // wrong
        QTest::mouseClick(key, Qt::LeftButton); // cancelled
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList({ "TWinEntryPsw", "TWinEntryPsw" }));
        QVERIFY(!guarded->isEnabled());
        QVERIFY(key->isVisible());
        QVERIFY(!key->isChecked());
        QVERIFY(unlocked.isEmpty());
        f.Dialogs.QueueExec(TypePassword("lab 1"));
        QTest::mouseClick(key, Qt::LeftButton);
        QVERIFY(guarded->isEnabled());
        QVERIFY(!key->isVisible());
        QVERIFY(!key->isChecked());
        QCOMPARE(unlocked.count(), 1);
        key->Reset(); // the window shown again is locked again
        QVERIFY(!guarded->isEnabled() && key->isVisible());
        f.Context->Config.Password.clear(); // and open, without its key, once the password is removed
        key->Reset();
        QVERIFY(guarded->isEnabled() && !key->isVisible());
    }

    void change_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("typed"); // old, new, confirmation
        QTest::addColumn<bool>("ok"); // else Cancel
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("refusedEdit"); // the edit selected when the window stays
        // clang-format off
        QTest::newRow("first password: no old one asked") << QString() << QStringList { "", "Abc", "aBC" } << true << u"ABC"_s << QString();
        QTest::newRow("ten characters at most") << QString() << QStringList { "", "abcdefghijkl", "abcdefghij" } << true << u"ABCDEFGHIJ"_s << QString();
        QTest::newRow("Cancel") << u"ABC"_s << QStringList { "abc", "new", "new" } << false << u"ABC"_s << QString();
        QTest::newRow("wrong old one") << u"ABC"_s << QStringList { "abd", "xyz", "xyz" } << true << u"ABC"_s << u"EditOldPsw"_s;
        QTest::newRow("confirmation differs") << u"ABC"_s << QStringList { "abc", "xyz", "xy" } << true << u"ABC"_s << u"EditNewPsw"_s;
        QTest::newRow("micro sign: its capital does not fit the file") << QString() << QStringList { "", "\u00b5g", "\u00b5g" } << true << QString() << u"EditNewPsw"_s;
        // clang-format on
    }

    void change()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, typed);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        QFETCH(QString, refusedEdit);
        f.Context->Config.Password = stored;
        TWinNewPsw win(*f.Context, f.Dialogs);
        QVERIFY(ShowActive(win));
        QCOMPARE(win.EditOldPsw->isVisible() && win.LblOldPsw->isVisible(), !stored.isEmpty());
        QCOMPARE(QApplication::focusWidget(), stored.isEmpty() ? win.EditNewPsw : win.EditOldPsw);
        const QList<QLineEdit*> edits { win.EditOldPsw, win.EditNewPsw, win.EditConfirm };
        for (int i = stored.isEmpty() ? 1 : 0; i < 3; ++i)
            QTest::keyClicks(edits[i], typed[i]);
        QTest::mouseClick(ok ? win.BtOK : win.BtCancel, Qt::LeftButton);
        QCOMPARE(f.Context->Config.Password, after);
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(win.isVisible(), !refusedEdit.isEmpty());
        if (refusedEdit.isEmpty()) {
            QCOMPARE(win.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
            return;
        }
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(edit->objectName(), refusedEdit);
        QCOMPARE(edit->selectedText(), typed[edits.indexOf(edit)]);
    }

    void operatorGridAndUndo()
    {
        for (int i = 0; i < 20; ++i)
            f.Context->ListOperators.append(QString("C%1").arg(i, 2, 10, QChar('0')));
        TWinEmployees win(*f.Context, f.Dialogs);
        QVERIFY(ShowActive(win));
        QCOMPARE(win.Cells(), f.Context->ListOperators + QStringList { "" });
        QCOMPARE(QApplication::focusWidget(), win.CodeEdit(0));
        // Entering the last row adds a numbered one below it; Tab goes on to it and adds another.
        win.CodeEdit(20)->setFocus();
        QCOMPARE(win.Grid->rowCount(), 22);
        QCOMPARE(win.Grid->item(21, 0)->text(), QString("22"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), win.CodeEdit(21));
        QCOMPARE(win.Grid->rowCount(), 23);
        win.CodeEdit(3)->setFocus(); // a row above the last adds nothing
        QCOMPARE(win.Grid->rowCount(), 23);
        QTest::keyClicks(win.CodeEdit(21), "ABCDEF"); // a code holds four characters
        QCOMPARE(win.CodeEdit(21)->text(), QString("ABCD"));
        win.CodeEdit(0)->setText("XX");
        QTest::mouseClick(win.BtUndo, Qt::LeftButton); // the list as stored again
        QVERIFY(win.isVisible());
        QCOMPARE(win.Cells(), f.Context->ListOperators + QStringList { "" });
    }

    void operatorsOk_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("cells"); // typed over the first rows
        QTest::addColumn<int>("key"); // Return is OK, Escape is Cancel
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question"); // empty when none is asked
        QTest::addColumn<QStringList>("after");
        const int ok = Qt::Key_Return;
        // clang-format off
        QTest::newRow("new codes stored sorted, blanks dropped") << QStringList {} << QStringList { "ZZ", "AB", "   ", " jd", "AB" } << ok << 0 << QString() << QStringList { "AB", "AB", "jd", "ZZ" };
        QTest::newRow("Escape drops the changes") << QStringList { "AB" } << QStringList { "", "CD" } << int(Qt::Key_Escape) << 0 << QString() << QStringList { "AB" };
        QTest::newRow("cleared codes asked for, then deleted") << QStringList { "AB", "CD", "EF" } << QStringList { "AB", "", "  " } << ok << int(mbOK) << u"Deletion of :\r\r   CD\r   EF\r"_s << QStringList { "AB" };
        QTest::newRow("deletion refused: the list kept, the window closed") << QStringList { "AB", "CD" } << QStringList { "", "CD", "ZZ" } << ok << int(mbCancel) << u"Deletion of :\r\r   AB\r"_s << QStringList { "AB", "CD" };
        // clang-format on
    }

    void operatorsOk()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, cells);
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QStringList, after);
        f.Context->ListOperators = stored;
        TWinEmployees win(*f.Context, f.Dialogs);
        QVERIFY(ShowActive(win));
        for (int row = 0; row < cells.size(); ++row)
            win.CodeEdit(row)->setText(cells[row]);
        f.Dialogs.QueueAnswer(answer);
        QTest::keyClick(win.CodeEdit(1), Qt::Key(key));
        if (question.isEmpty())
            QVERIFY(f.Dialogs.Boxes.isEmpty());
        else
            QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation, question, mbOK | mbCancel);
        QCOMPARE(f.Context->ListOperators, after);
        QVERIFY(!win.isVisible());
        QCOMPARE(win.result(), (key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected));
    }
};

VANTOREL_TEST(TestEditorWindows)
#include "TestEditorWindows.moc"
