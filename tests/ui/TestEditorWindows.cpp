#include "TArrowButton.h"
#include "TDataFile.h"
#include "TDragList.h"
#include "TKeyButton.h"
#include "TLevelData.h"
#include "TMainWindowFixture.h"
#include "TPaintBox.h"
#include "TTestRegistry.h"
#include "TWinDefAnalytes.h"
#include "TWinDefSerum.h"
#include "TWinEmployees.h"
#include "TWinEntryPsw.h"
#include "TWinNewPsw.h"
#include "TWinSerumByAnal.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QComboBox>
#include <QDrag>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(TButtonDirection)

// The editor windows driven through their edits, lists and buttons: the password entry,
// the key button of the protected windows, the password change, the operator list, the
// analytes, the control materials and the lot assignment with its arrow buttons, and the
// main window's commands that open them. The rules behind them are core's (TestSettings,
// TestAnalyteEditor, TestSerumEditor, TestLotAssignment); here what each window wires.
class TestEditorWindows : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(f.Reset());
        f.Context->ListSerum.Clear();
    }

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
        QVERIFY(ShowActive(win)); // shown again, with an empty field
        QVERIFY(win.Password->text().isEmpty());
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
        QVERIFY(!guarded->isEnabled() && key->isVisible() && !key->isChecked());
        QCOMPARE(unlocked.count(), 0);
        f.Dialogs.QueueExec(TypePassword("lab 1"));
        QTest::mouseClick(key, Qt::LeftButton);
        QVERIFY(guarded->isEnabled() && !key->isVisible() && !key->isChecked());
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
        QCOMPARE(win.result(), key == Qt::Key_Return ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    void analytesOkWritesTheListCancelLeavesEverything_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void analytesOkWritesTheListCancelLeavesEverything()
    {
        QFETCH(bool, ok);
        TWinDefAnalytes win(*f.Context, f.Dialogs);
        ShowAnalytes(win);
        ClickRow(*win.LBox, 1);
        win.SELevels->setValue(2);
        QTest::mouseClick(win.BtCorriger, Qt::LeftButton); // refused: Calcium's third level holds data
        QCOMPARE(f.Dialogs.Boxes.value(0).Buttons, int(mbYes));
        QCOMPARE(win.SELevels->value(), 3); // the stored levels back in the field, the line as it was
        QCOMPARE(win.LBox->item(1)->text(), QString("Calcium\t3\tmmol/L\t1"));
        f.Dialogs.Boxes.clear();
        ClickRow(*win.LBox, 0);
        QCOMPARE(win.EditNom->text(), QString("Glucose"));
        QTest::mouseClick(win.BtSupprimer, Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation,
            "Warning, you are about to clear all archived data and \rcurrent control points for Glucose\r"
            "Confirm analyte deletion :",
            mbOK | mbCancel);
        QTest::keyClicks(win.EditNom, "Sodium");
        win.SELevels->setValue(2);
        win.CBUnite->setCurrentIndex(1);
        QTest::mouseClick(win.BtAjouter, Qt::LeftButton);
        QCOMPARE(win.LBox->item(1)->text(), QString::fromUtf8("Sodium\t2\t\u00b5mol/L\t0"));
        QTest::mouseClick(ok ? win.BtOK : win.BtCancel, Qt::LeftButton);
        const QStringList names = ok ? QStringList({ "Calcium", "Sodium" }) : QStringList({ "Glucose", "Calcium" });
        QCOMPARE(AnalyteNames(f.Context->ListAnalytes), names);
        QCOMPARE(ArchiveFiles(*f.Context), ok ? QStringList() : QStringList({ "QC000001.qca", "QC000002.qca" }));
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*f.Context)), ok);
        if (ok)
            QCOMPARE(AnalyteNames(reread.ListAnalytes), names);
    }

    // Lyphocheck (L1) is used by Glucose and Calcium; Precinorm (P1) by none.
    void eachSerumCommandShowsItsBox_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("text");
        QTest::newRow("erase an unused lot")
            << "BtErase" << 1 << int(TMsgType::Warning) << int(mbOK)
            << "The old control material Precinorm (P1) is not used for any analyte.\rNo data to erase. Press the "
               "button <Replace in list>.";
        QTest::newRow("delete a used lot")
            << "BtSupprimer" << 0 << int(TMsgType::Error) << int(mbYes)
            << "Impossible to delete Lyphocheck (L1).\rThis control material is used by : \r- Glucose\r- Calcium";
        QTest::newRow("used by") << "BtUsedIn" << 0 << int(TMsgType::Information) << int(mbYes)
                                 << "Analytes controled by Lyphocheck (L1) : \r   - Glucose\r   - Calcium";
    }
    void eachSerumCommandShowsItsBox()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(int, type);
        QFETCH(int, buttons);
        QFETCH(QString, text);
        TWinDefSerum win(*f.Context, f.Dialogs, f.Pictures());
        ShowSerums(win);
        const TListSerum before = f.Context->ListSerum;
        ClickRow(*win.LBSerum, row);
        QTest::mouseClick(win.findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType(type), text, buttons);
        QTest::mouseClick(win.BtOK, Qt::LeftButton);
        QVERIFY(f.Context->ListSerum == before);
    }

    void serumChangeAndEraseArchivesAtOk()
    {
        TWinDefSerum win(*f.Context, f.Dialogs, f.Pictures());
        ShowSerums(win);
        ClickRow(*win.LBSerum, 0);
        win.EditNom->setText("Zeta");
        win.EditLot->setText("L2");
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QCOMPARE(win.LBSerum->currentRow(), 1); // moved to its sorted place, still selected
        QCOMPARE(win.LBSerum->currentItem()->text(), QString("Zeta\tL2"));
        QTest::mouseClick(win.BtOK, Qt::LeftButton);
        QCOMPARE(f.Dialogs.Boxes.value(0).Type, TMsgType::Confirmation);
        TQCContext reread;
        QVERIFY(LoadData(reread, DataFileName(*f.Context)));
        QCOMPARE(reread.ListSerum.FindByID(0).Name + reread.ListSerum.FindByID(0).Lot, QString("ZetaL2"));
        QCOMPARE(reread.ListAnalytes.Item(0).Archives, QList<qint32>({ 1 }));
    }

    // Sodium has two levels: QC1 a lot that no longer exists, QC2 lot 1 ("precinorm", the list's third line).
    void sendingALotToQC2_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("row"); // -1: none selected
        QTest::addColumn<int>("lot");
        QTest::newRow("arrow button, another lot") << "button" << 0 << 2;
        QTest::newRow("arrow button, the lot it has") << "button" << 2 << 1;
        QTest::newRow("arrow button, no lot selected") << "button" << -1 << 1;
        QTest::newRow("Alt+2") << "alt" << 1 << 0;
        QTest::newRow("Alt+3, a level out of use") << "alt3" << 1 << 1;
        QTest::newRow("drop on the panel") << "drop" << 0 << 2;
    }
    void sendingALotToQC2()
    {
        QFETCH(QString, way);
        QFETCH(int, row);
        QFETCH(int, lot);
        TWinSerumByAnal win(*f.Context, f.Dialogs, f.Pictures());
        TAnalyte& sodium = ShowLots(win, "vv", { 9, 1, 2 });
        QVERIFY(win.PanelLevel[1]->isVisible() && !win.BtLevel[2]->isVisible() && !win.PanelLevel[2]->isVisible());
        QCOMPARE(win.PanelLines(0), QStringList({ "Unknown", "" }));
        if (row >= 0)
            ClickRow(*win.LBSerum, row);
        if (way == "button") {
            QTest::mouseClick(win.BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        } else if (way.startsWith("alt")) {
            QTest::keyClick(&win, way == "alt" ? Qt::Key_2 : Qt::Key_3, Qt::AltModifier);
            QCOMPARE(win.WorkingLot(2), 2);
        } else {
            // Offscreen drags end at once: the list's drag is made, then the
            // drop events Qt would deliver are sent to the panel.
            std::unique_ptr<QDrag> drag(win.LBSerum->MakeDrag());
            QCOMPARE(drag->dragCursor(Qt::MoveAction).toImage(), f.Pictures().CursDragLot.toImage());
            QCOMPARE(drag->dragCursor(Qt::IgnoreAction).toImage(), f.Pictures().CursNoDropLot.toImage());
            QDragEnterEvent enter({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::LeftButton, {});
            QApplication::sendEvent(win.PBoxLevel[1], &enter);
            QDropEvent drop({ 20, 10 }, Qt::CopyAction | Qt::MoveAction, drag->mimeData(), Qt::NoButton, {});
            QApplication::sendEvent(win.PBoxLevel[1], &drop);
            QVERIFY(enter.isAccepted() && drop.isAccepted());
        }
        QCOMPARE(win.WorkingLot(1), lot);
        QCOMPARE(
            win.PanelLevel[1]->palette().color(QPalette::Window), lot == 1 ? QColor(Qt::white) : QColor(255, 255, 0));
        QCOMPARE(sodium.SerumID[1], 1); // nothing before the window's OK
        if (row < 0)
            QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, "No control material selected", mbYes);
    }

    void erasingArchivesTheChangedLevelHoldingData_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void erasingArchivesTheChangedLevelHoldingData()
    {
        QFETCH(bool, confirmed);
        TWinSerumByAnal win(*f.Context, f.Dialogs, f.Pictures());
        TAnalyte& sodium = ShowLots(win, "v-", { 2, 1, -1 });
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Information, "Nothing Changed", mbYes);
        QVERIFY(win.isVisible());
        ClickRow(*win.LBSerum, 1); // lot 0
        QTest::mouseClick(win.BtLevel[0], Qt::LeftButton, {}, QPoint(15, 20));
        QTest::mouseClick(win.BtLevel[1], Qt::LeftButton, {}, QPoint(15, 20));
        f.Dialogs.QueueAnswer(confirmed ? mbOK : mbCancel);
        QTest::mouseClick(win.BtErase, Qt::LeftButton);
        QCOMPARE(f.Dialogs.Boxes.value(1).Type, TMsgType::Confirmation);
        QCOMPARE(win.result(), int(QDialog::Accepted));
        QCOMPARE(ArchiveFiles(*f.Context), confirmed ? QStringList({ "QC000001.qca" }) : QStringList());
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*f.Context)), confirmed);
        QCOMPARE(confirmed ? reread.ListAnalytes.Item(0).SerumID : sodium.SerumID,
            (confirmed ? std::array<qint32, 3> { 0, 0, -1 } : std::array<qint32, 3> { 2, 1, -1 }));
    }

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

    void afterEachEditorTheMainWindowShowsTheResult_data()
    {
        QTest::addColumn<int>("command"); // the menu's "Analytes" and "Control materials", the "Assign lots" button
        QTest::newRow("TWinDefAnalytes") << 0;
        QTest::newRow("TWinDefSerum") << 1;
        QTest::newRow("TWinSerumByAnal") << 2;
    }
    void afterEachEditorTheMainWindowShowsTheResult()
    {
        QFETCH(int, command);
        TWinMain& win = f.Show();
        TWinDefAnalytes analytes(*f.Context, f.Dialogs);
        TWinDefSerum serums(*f.Context, f.Dialogs, f.Pictures());
        TWinSerumByAnal lots(*f.Context, f.Dialogs, f.Pictures());
        win.WinDefAnalytes = &analytes;
        win.WinDefSerum = &serums;
        win.WinSerumByAnal = &lots;
        win.UpdateCommands();
        QTest::mouseClick(win.BtAffectation, Qt::LeftButton); // without analytes
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, "No analyte.", mbYes);
        f.AddAnalyte("Glucose", 3, { { 5, 10, 15 } });
        win.FillAnalyteList();
        f.Dialogs.QueueExec([this](QDialog&) {
            f.Context->ListAnalytes.Add(TAnalyte("Albumin", "g/L", 0, 1));
            f.Context->CurrentAnalyte->NbLevels = 2;
            return int(QDialog::Accepted);
        });
        if (command == 2)
            QTest::mouseClick(win.BtAffectation, Qt::LeftButton);
        else
            (command == 0 ? win.MnuAnalytes : win.MnuControlMaterials)->trigger();
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList({ QTest::currentDataTag() }));
        QCOMPARE(win.LBAnalytes->count(), 2);
        QVERIFY(win.EditValue[1]->isVisible() && !win.EditValue[2]->isVisible());
        f.Win.reset(); // before the editors it points to
    }

private:
    // Glucose (three levels of data, archives 1 and 2) and Calcium (its third level discarded values).
    void ShowAnalytes(TWinDefAnalytes& win)
    {
        AddLevelDataAnalyte(*f.Context, "Glucose", "vvv").Archives = { 1, 2 };
        AddLevelDataAnalyte(*f.Context, "Calcium", "vvd");
        TouchArchives(*f.Context, { 1, 2 });
        QVERIFY(ShowActive(win));
    }
    void ShowSerums(TWinDefSerum& win)
    {
        f.Context->ListSerum.Add("Lyphocheck", "L1"); // id 0, line 0
        f.Context->ListSerum.Add("Precinorm", "P1"); // id 1, line 1
        AddLevelDataAnalyte(*f.Context, "Glucose", "v-v", { 0, 0, -1 });
        AddLevelDataAnalyte(*f.Context, "Calcium", "v", { 0, -1, -1 });
        QVERIFY(ShowActive(win));
    }
    // Sodium of these levels and lots, current, over the lots Lyphocheck L2, precinorm P1, Lyphocheck L1 (ids 0 to 2).
    TAnalyte& ShowLots(TWinSerumByAnal& win, const QString& data, const std::array<int, 3>& lots)
    {
        for (const auto& [name, lot] :
            { std::pair { "Lyphocheck", "L2" }, { "precinorm", "P1" }, { "Lyphocheck", "L1" } })
            f.Context->ListSerum.Add(name, lot);
        f.Context->CurrentAnalyte = &AddLevelDataAnalyte(*f.Context, "Sodium", data, lots);
        [&] { QVERIFY(ShowActive(win)); }();
        return *f.Context->CurrentAnalyte;
    }

    TMainWindowFixture f;
};

VANTOREL_TEST(TestEditorWindows)
#include "TestEditorWindows.moc"
