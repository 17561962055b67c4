#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFile.h"
#include "TGBArchivage.h"
#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TLimitSheets.h"
#include "TMainWindowFixture.h"
#include "TPointPopup.h"
#include "TStatistics.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

// The Lock, Fix and Archi sheets and the charts' mouse; their refusals are with the main window's (TestWinMain).
class TestWinMainSheets : public TMainWindowTest {
    Q_OBJECT
private slots:
    void intervalIsChosenBelowTheDateAxis()
    {
        // Level 2 holds only a discarded value: no lock panel for it.
        QList<QList<double>> values;
        for (int i = 0; i < 100; ++i)
            values.append(QList<double> { 5.0 + (i % 7) * 0.1, NAN, 7.0 + i % 3 });
        TAnalyte& a = f.AddAnalyte("Glucose", 3, values);
        a.Point(0).Values[1] = { 3.0f, psDiscarded, { 0, 0, 0 } };
        RecomputeAll(a, f.Context->Risks());
        TWinMain& w = f.Show();
        QCOMPARE(w.PanelDateDeb->text(), ShortDateText(a.Point(0).DateTime));
        w.ScrollBar->setValue(0);
        w.MnuLockLimits->trigger();
        QVERIFY(Sheets().GBLocked[0]->isVisible() && !Sheets().GBLocked[1]->isVisible());
        QCOMPARE(Sheets().GBLocked[2]->title(), QString("Lyphocheck 3"));
        // A grid row per level, all of them above the label under the grid.
        QCOMPARE(Sheets().GrilleLock->rowCount(), 4);
        QVERIFY(Sheets().GrilleLock->geometry().bottom() < 170);
        f.Press(3);
        f.Press(1, Qt::ShiftModifier);
        QCOMPARE(Sheets().Interval().First, 1);
        QCOMPARE(Sheets().Interval().Last, 3);
        QCOMPARE(w.ChartView().SelLast, 3);
        QCOMPARE(Sheets().PanelFirstDate->text(), ShortDateText(a.Point(1).DateTime));
        QCOMPARE(Sheets().PanelLastDate->text(), ShortDateText(a.Point(3).DateTime));
        const TLockGridRow row = LockGridRow(a, 0, Sheets().Interval(), f.Context->Risks());
        for (const auto& [column, text] : { std::pair { 1, row.Mean }, { 2, row.CV }, { 3, row.N } })
            QCOMPARE(Sheets().GrilleLock->item(1, column)->text(), text);
        f.Press(5, {}, f.PointY()); // above the axis: nothing
        QCOMPARE(Sheets().Interval().Last, 3);
        f.Press(40); // beyond the window's points: cleared
        QVERIFY(!Sheets().Interval().IsSet());
        QCOMPARE(Sheets().GrilleLock->item(1, 3)->text(), QString("0"));
        // Gliding left of the plot scrolls back one point per move.
        w.ScrollBar->setValue(69);
        f.Press(79);
        QMouseEvent glide(
            QEvent::MouseMove, QPointF(20, DateAxisY(3) + 4), QPointF(), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(w.PBox, &glide);
        QCOMPARE(Join(w.ChartView().First, w.ScrollBar->value(), Sheets().Interval().First, Sheets().Interval().Last),
            "68 68 68 79");
    }

    // Level 2 locked or fixed beforehand; on the sheet level 1 is locked or fixed and level 2
    // freed, then the sheet is left: Undo and Cancel put every limit back and write nothing, OK
    // keeps them, marks the points against them and writes the file at once.
    void limitSheetsKeepTheirChangesOnlyByOk_data()
    {
        QTest::addColumn<bool>("lock"); // else fix
        QTest::addColumn<int>("end"); // Undo, Cancel, OK
        QTest::newRow("lock, undo") << true << 0;
        QTest::newRow("lock, cancel") << true << 1;
        QTest::newRow("lock, ok") << true << 2;
        QTest::newRow("fix, undo") << false << 0;
        QTest::newRow("fix, cancel") << false << 1;
        QTest::newRow("fix, ok") << false << 2;
    }

    void limitSheetsKeepTheirChangesOnlyByOk()
    {
        QFETCH(bool, lock);
        QFETCH(int, end);
        TAnalyte& a = f.AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, 11 }, { 4, 12 }, { 5.5, 9 }, { 4.5, 10.5 } });
        if (lock)
            QVERIFY(LockLevel(a, 1, 2, 4, f.Context->Risks()));
        else
            FixLevel(a, 1, 10, 1, 2, f.Context->Risks());
        const TLimitSettings opened = TLimitSettings::Take(a);
        const quint8 mark = a.Point(0).Values[0].Status;
        f.Show();
        const TSheet sheet = lock ? TSheet::Lock : TSheet::Fix;
        Sheets().MnuChangePageControl(sheet);
        TGBLockedParam &locked = *Sheets().GBLocked[0], &locked2 = *Sheets().GBLocked[1];
        TGBFixedParam &fixed = *Sheets().GBFixed[0], &fixed2 = *Sheets().GBFixed[1];
        if (lock) {
            f.Press(1);
            f.Press(3, Qt::ShiftModifier);
            locked.BtLock->click();
            QCOMPARE(locked.Lbl1->text().replace('\n', ' '), LockStateText(a, 0));
            QVERIFY(locked.BtUnLock->isEnabled());
            locked2.BtUnLock->click();
            QCOMPARE(locked2.Lbl1->text().replace('\n', ' '), LockStateText(a, 1));
        } else {
            QCOMPARE(fixed2.EditAction->text(), FixedLevelTexts(a, 1).Action);
            QVERIFY(fixed.EditTarget->text().isEmpty() && !fixed.BtUnfix->isEnabled());
            QVERIFY(!Sheets().GBFixed[2]->isVisible());
            TypeLimits(fixed, "9", "1", "2");
            QVERIFY(fixed.BtUnfix->isEnabled());
            fixed2.BtUnfix->click();
        }
        QCOMPARE(Join(a.LimitMode[0], a.LimitMode[1]), Join(lock ? lmLocked : lmFixed, lmMobile));
        QVERIFY(!(lock ? locked2.BtUnLock : fixed2.BtUnfix)->isEnabled());
        QCOMPARE(a.Point(0).Values[0].Status, mark); // marked against the limits in force until OK
        const QList<QPushButton*> ends = lock ? QList { Sheets().BtUndoLock, Sheets().BtCancelLock, Sheets().BtOKLock }
                                              : QList { Sheets().BtUndoFix, Sheets().BtCancelFix, Sheets().BtOKFix };
        ends[end]->click();
        const bool ok = end == 2;
        QCOMPARE(TLimitSettings::Take(a) == opened, !ok);
        QCOMPARE(Sheet(), (end == 0 ? sheet : TSheet::Enter));
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(QFile::exists(DataFileName(*f.Context)), ok);
        QVERIFY(!ok || (f.DataFileAsInMemory() && !Sheets().Interval().IsSet()));
        QCOMPARE(int(a.Point(0).Values[0].Status), ok && !lock ? int(psLowAction) : int(mark));
        if (end == 0) // the sheet shows the limits put back
            QVERIFY(lock
                    ? locked2.Lbl1->text().replace('\n', ' ') == LockStateText(a, 1) && !locked.BtUnLock->isEnabled()
                    : fixed.EditTarget->text().isEmpty() && fixed2.BtUnfix->isEnabled());
    }

    void erasingMarksLevelsThenArchivesThemAndWritesTheDataFile()
    {
        TAnalyte& a = f.AddAnalyte("Glucose", 3, { { 5, 10, 20 }, { 6, NAN, 21 }, { NAN, 12, 22 }, { 4, NAN, NAN } });
        const QStringList texts = { ArchiveText(a, 0, f.Context->ListSerum, f.Context->Risks()),
            ArchiveText(a, 1, f.Context->ListSerum, f.Context->Risks()) };
        TWinMain& w = f.Show();
        w.MnuEraseLevels->trigger();
        QPushButton* button = Sheets().GBArchi[1]->BtArchi;
        const QString erase = button->text();
        for (bool marked : { true, false, true }) {
            button->click();
            QCOMPARE(w.ChartView().Erase[1], marked);
            QCOMPARE(button->text() == erase, !marked);
        }
        Sheets().BtCancelArchi->click(); // leaving the sheet drops the marks
        QVERIFY(!w.ChartView().Erase[1]);
        w.MnuEraseLevels->trigger();
        QCOMPARE(button->text(), erase);
        Sheets().GBArchi[0]->BtArchi->click();
        button->click();
        Sheets().BtOKErase->click();
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Confirmation,
                     "You are going to erase/archive the data of 2 QC level(s) for Glucose\r", mbOK | mbCancel),
            QString());
        QVERIFY(Sheet() == TSheet::Enter);
        QCOMPARE(a.Archives, QList<qint32>({ 1, 2 }));
        for (int number : { 1, 2 })
            QCOMPARE(QString::fromLatin1(FileContent(ArchiveFileName(f.Context->ProgramFolder(), number))),
                texts[number - 1]);
        // Level 3 keeps its values; the last point, left without any, is gone.
        QCOMPARE(Join(a.Count(), w.ChartView().Last, w.SelectedPoint()), "3 2 -1");
        QVERIFY(f.DataFileAsInMemory()); // written at once
    }

    void entrySheetSelectsAPointAndShowsItsPopup()
    {
        TAnalyte& a = f.AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, NAN }, { 7, 12 } });
        a.Point(1).SetOperator("AB");
        TWinMain& w = f.Show();
        f.Press(2, {}, f.PointY());
        QCOMPARE(w.SelectedPoint(), 2);
        QVERIFY(!f.Comment->isVisible());
        f.Press(0); // below the axis: nothing
        QCOMPARE(w.SelectedPoint(), 2);
        f.Press(1, {}, f.PointY(), Qt::RightButton);
        QCOMPARE(w.SelectedPoint(), 1);
        QVERIFY(f.Comment->isVisible());
        const QList<TPopupLine> lines = PointPopupLines(a, 1, { "Lyphocheck 1", "Lyphocheck 2" }, {});
        QCOMPARE(f.Comment->LineCount(), int(lines.size()));
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(f.Comment->LineText(i), lines[i].Text);
            QCOMPARE(f.Comment->LineHasBitmap(i), lines[i].Status >= 0);
        }
        QCOMPARE(f.Comment->windowTitle(), PointPopupCaption(a, 1));
        f.Press(10, {}, f.PointY()); // beyond the points: the pop-up closes, the point is deselected
        QVERIFY(!f.Comment->isVisible());
        QCOMPARE(w.SelectedPoint(), -1);
        w.MnuFixLimits->trigger(); // other sheets select nothing
        f.Press(0, {}, f.PointY());
        QCOMPARE(w.SelectedPoint(), -1);
    }

private:
    TLimitSheets& Sheets() { return *f.Win->Sheets; }
    TSheet Sheet() { return Sheets().Current(); }
};

VANTOREL_TEST(TestWinMainSheets)
#include "TestWinMainSheets.moc"
