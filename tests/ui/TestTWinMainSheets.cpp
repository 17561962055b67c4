#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TGBArchivage.h"
#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TLimitSheets.h"
#include "TMainWindowFixture.h"
#include "TPointPopup.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

namespace {

void TypeLimits(TGBFixedParam& panel, const QString& target, const QString& warning, const QString& action)
{
    panel.EditTarget->setText(target);
    panel.EditWarning->setText(warning);
    panel.EditAction->setText(action);
    panel.BtFix->click();
}

} // namespace

// The main window's Lock, Fix and Archi sheets and the charts' mouse, driven
// through the window's controls with scripted boxes.
class TestTWinMainSheets : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(f.Reset()); }

    void leavingTheEntrySheetAsksThePassword()
    {
        f.AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
        f.Context->Config.Password = "KEY";
        TWinMain& w = f.Show();
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Rejected); });
        w.MnuLockLimits->trigger();
        QVERIFY(Sheet() == TSheet::Enter);
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
        w.MnuLockLimits->trigger();
        QVERIFY(Sheet() == TSheet::Lock);
        w.MnuFixLimits->trigger(); // between special sheets nothing is asked
        w.MnuEraseLevels->trigger();
        QVERIFY(Sheet() == TSheet::Archi);
        QCOMPARE(f.Dialogs.ExecutedWindows.size(), 2);
        Sheets().BtCancelArchi->click();
        w.MnuFixLimits->trigger(); // asked again from the entry sheet
        QCOMPARE(f.Dialogs.ExecutedWindows.size(), 3);
        QVERIFY(Sheet() == TSheet::Enter);
    }

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
        QVERIFY(Sheets().Interval().First == 1 && Sheets().Interval().Last == 3);
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
        QCOMPARE(w.ChartView().First, 68);
        QCOMPARE(w.ScrollBar->value(), 68);
        QVERIFY(Sheets().Interval().First == 68 && Sheets().Interval().Last == 79);
    }

    void undoAndCancelPutTheLimitsBack_data()
    {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<bool>("undo");
        QTest::newRow("lock, undo") << int(TSheet::Lock) << true;
        QTest::newRow("lock, cancel") << int(TSheet::Lock) << false;
        QTest::newRow("fix, undo") << int(TSheet::Fix) << true;
        QTest::newRow("fix, cancel") << int(TSheet::Fix) << false;
    }

    void undoAndCancelPutTheLimitsBack()
    {
        QFETCH(int, sheet);
        QFETCH(bool, undo);
        TAnalyte& a = f.AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, 11 }, { 4, 12 }, { 5.5, 9 }, { 4.5, 10.5 } });
        QVERIFY(LockLevel(a, 1, 2, 4, f.Context->Risks()));
        const TLimitSettings opened = TLimitSettings::Take(a);
        f.Show();
        Sheets().MnuChangePageControl(TSheet(sheet));
        if (sheet == int(TSheet::Lock)) {
            f.Press(1);
            f.Press(3, Qt::ShiftModifier);
            Sheets().GBLocked[0]->BtLock->click();
            Sheets().GBLocked[1]->BtLock->click();
        } else {
            TypeLimits(*Sheets().GBFixed[0], "9", "1", "2");
            TypeLimits(*Sheets().GBFixed[1], "9", "1", "2");
        }
        QVERIFY(TLimitSettings::Take(a) != opened);
        (sheet == int(TSheet::Lock) ? (undo ? Sheets().BtUndoLock : Sheets().BtCancelLock)
                                    : (undo ? Sheets().BtUndoFix : Sheets().BtCancelFix))
            ->click();
        QVERIFY(TLimitSettings::Take(a) == opened);
        QCOMPARE(int(Sheet()), undo ? sheet : int(TSheet::Enter));
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        QVERIFY(!QFile::exists(DataFileName(*f.Context))); // neither writes anything
        if (undo && sheet == int(TSheet::Lock))
            QVERIFY(Sheets().GBLocked[1]->Lbl1->text() == LockStateText(a, 1)
                && !Sheets().GBLocked[0]->BtUnLock->isEnabled());
        if (undo && sheet == int(TSheet::Fix))
            QVERIFY(Sheets().GBFixed[0]->EditTarget->text().isEmpty());
    }

    void okWritesTheLockAndUnlockFreesTheLevel()
    {
        TAnalyte& a = f.AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 4 }, { 5.5 } });
        TWinMain& w = f.Show();
        w.MnuLockLimits->trigger();
        f.Press(0);
        f.Press(2, Qt::ShiftModifier);
        Sheets().GBLocked[0]->BtLock->click();
        QCOMPARE(Sheets().GBLocked[0]->Lbl1->text(), LockStateText(a, 0));
        QVERIFY(Sheets().GBLocked[0]->BtUnLock->isEnabled());
        Sheets().BtOKLock->click();
        QVERIFY(Sheet() == TSheet::Enter);
        QVERIFY(!Sheets().Interval().IsSet());
        QCOMPARE(int(a.LimitMode[0]), int(lmLocked));
        QVERIFY(f.DataFileAsInMemory()); // written at once
        w.MnuLockLimits->trigger();
        Sheets().GBLocked[0]->BtUnLock->click();
        QCOMPARE(int(a.LimitMode[0]), int(lmMobile));
        QCOMPARE(Sheets().GBLocked[0]->Lbl1->text(), LockStateText(a, 0));
        QVERIFY(!Sheets().GBLocked[0]->BtUnLock->isEnabled());
    }

    void fixTakesTheTypedLimitsAndUnfixFreesThem()
    {
        TAnalyte& a = f.AddAnalyte("Glucose", 2, { { 40, 10 }, { 44, 11 } });
        FixLevel(a, 0, 42, 2, 3, f.Context->Risks());
        f.Show().MnuFixLimits->trigger();
        TGBFixedParam& fixed = *Sheets().GBFixed[0];
        QCOMPARE(fixed.EditAction->text(), FixedLevelTexts(a, 0).Action);
        QVERIFY(fixed.BtUnfix->isEnabled());
        TGBFixedParam& mobile = *Sheets().GBFixed[1];
        QVERIFY(mobile.EditTarget->text().isEmpty() && !mobile.BtUnfix->isEnabled());
        QVERIFY(!Sheets().GBFixed[2]->isVisible());
        TypeLimits(mobile, "-1,5", "0.2", "0,3");
        QCOMPARE(int(a.LimitMode[1]), int(lmFixed));
        QVERIFY(a.ReferenceStats[1].Mean == -1.5 && a.ReferenceStats[1].ActionHalfWidth == 0.3);
        QVERIFY(mobile.BtUnfix->isEnabled());
        fixed.BtUnfix->click();
        QCOMPARE(int(a.LimitMode[0]), int(lmMobile));
        QCOMPARE(a.ReferenceStats[0].Mean, 42.0); // the mean of 40 and 44
        QVERIFY(!fixed.BtUnfix->isEnabled());
        QCOMPARE(int(a.Point(1).Values[1].Status), int(psWithin)); // marked against the mobile limits until OK
        Sheets().BtOKFix->click(); // kept, marked against the new limits and written at once
        QCOMPARE(int(a.Point(1).Values[1].Status), int(psHighAction));
        QVERIFY(Sheet() == TSheet::Enter && f.DataFileAsInMemory());
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
        for (int number : { 1, 2 }) {
            QFile archive(ArchiveFileName(f.Context->ProgramFolder(), number));
            QVERIFY(archive.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromLatin1(archive.readAll()), texts[number - 1]);
        }
        // Level 3 keeps its values; the last point, left without any, is gone.
        QCOMPARE(a.Count(), 3);
        QCOMPARE(w.ChartView().Last, 2);
        QCOMPARE(w.SelectedPoint(), -1);
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
        const QList<TPopupLine> lines = PointPopupLines(a, 1, { "Lyphocheck 1", "Lyphocheck 2" });
        QCOMPARE(f.Comment->LineCount(), int(lines.size()));
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(f.Comment->LineText(i), lines[i].Text);
            QCOMPARE(f.Comment->LineHasBitmap(i), lines[i].Status >= 0);
        }
        QCOMPARE(f.Comment->windowTitle(), PointPopupCaption(a, 1));
        QCOMPARE(f.Comment->pos(), w.PBox->mapToGlobal(QPoint(PointX(1, 0) + 5, f.PointY() - 20)));
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
    TMainWindowFixture f;
};

VANTOREL_TEST(TestTWinMainSheets)
#include "TestTWinMainSheets.moc"
