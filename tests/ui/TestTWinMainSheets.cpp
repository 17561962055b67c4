#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TFormat.h"
#include "TGBArchivage.h"
#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TLimitSheets.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinComment.h"
#include "TWinEntryPsw.h"
#include "TWinMain.h"
#include "TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

double Day(int i) { return DateToDayCount(QDate(2026, 1, 1)) + i + 0.5; }

// Runs the password window typing `text` and pressing OK (the result is the window's).
std::function<int(QDialog&)> TypePassword(const QString& text)
{
    return [text](QDialog& dialog) {
        auto& entry = static_cast<TWinEntryPsw&>(dialog);
        entry.Password->setText(text);
        entry.BtOK->click();
        return entry.result();
    };
}

int CountRed(const QImage& image, int x, int top, int bottom)
{
    int red = 0;
    for (int y = top; y <= bottom; ++y)
        red += QColor(image.pixel(x, y)) == QColor(255, 0, 0) ? 1 : 0;
    return red;
}

} // namespace

// The main window's Lock, Fix and Archi sheets, the charts' mouse and the
// point pop-up, driven through the window's controls with scripted boxes.
class TestTWinMainSheets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Switching sheets
    void specialCommandWithoutAnalyteSaysNoAnalyte();
    void leavingTheEntrySheetAsksThePassword();
    void withoutPasswordNothingIsAsked();

    // Lock sheet
    void clickThenShiftClickInEitherOrderGivesTheSameInterval();
    void shiftClickWithoutAnchorSelectsNothing();
    void glidingPastTheLeftEdgeScrollsBackOnePointPerMove();
    void partialStatisticsForAKnownInterval();
    void lockWithoutIntervalExplainsHow();
    void lockOnEqualValuesIsRefusedAndTheModeKept();
    void undoAfterLockingTwoLevelsRestoresBoth();
    void okKeepsAndCancelDropsTheLock();
    void lockPanelsFollowTheLevels();

    // Fix sheet
    void fixAcceptsACommaAndRewritesTheTarget();
    void fixRefusesWarningAboveAction();
    void cancelRestoresThePreviousModeAndValues();
    void fixedLevelShowsItsValuesAndUnfixes();

    // Archi sheet
    void markingUnmarkingAndMarkingAgain();
    void nothingToArchiveAndNothingToErase();
    void erasingTwoLevelsWritesTwoArchives();
    void aPointLeftWithoutValueDisappears();
    void cancelledConfirmationKeepsTheSheet();
    void marksDoNotSurviveARefillOfTheList();

    // Entry sheet and pop-up
    void clickSelectsAPoint();
    void oneShortLineGivesTheSmallestPopup();
    void absentLevelHasNoPictureAndNoRedRing();
    void popupLinesCommentAndOperator();
    void anyKeyOrAChartClickClosesThePopup();

    // Queue
    void clearQueueAsksThePassword();

private:
    TAnalyte& AddAnalyte(const QString& name, int levels, const QList<QList<double>>& values, int decimals = 1);
    void ShowWindow();
    void Press(int k, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void PressBelowAxis(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Press(k, AxisY() + 4, Qt::LeftButton, modifiers);
    }
    void Glide(int x);
    int AxisY() const { return DateAxisY(m_context->CurrentAnalyte->NbLevels); }
    int PointY() const { return FirstBandTop(m_context->CurrentAnalyte->NbLevels) + 60; }
    int Sheet() const { return m_win->PageControl->currentIndex(); }
    QString Grid(int row, int column) const;

    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TPictures m_pictures;
    std::unique_ptr<TWinMain> m_win;
    std::unique_ptr<TWinComment> m_comment;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTWinMainSheets::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_pictures.Load());
}

void TestTWinMainSheets::init()
{
    m_context = MakeTestContext();
    m_context->Config.LastBackupDate = DateToDayCount(QDate(2026, 3, 15));
    m_context->Config.ShowAboutAtStart = false;
    m_context->ListSerum.Add("Lyphocheck 1", "111");
    m_context->ListSerum.Add("Lyphocheck 2", "222");
    m_context->ListSerum.Add("Lyphocheck 3", "333");
    m_dialogs = TScriptedDialogs();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_context->SetProgramFolder(m_dir->path());
}

void TestTWinMainSheets::cleanup()
{
    m_win.reset();
    m_comment.reset();
    m_dir.reset();
}

TAnalyte& TestTWinMainSheets::AddAnalyte(
    const QString& name, int levels, const QList<QList<double>>& values, int decimals)
{
    TAnalyte& a = m_context->ListAnalytes.Add(TAnalyte(name, "mmol/L", decimals, levels));
    a.Options = aoWestgard | aoDefault;
    for (int l = 0; l < levels; ++l)
        a.SerumID[l] = l;
    for (int i = 0; i < values.size(); ++i) {
        const QList<double>& v = values[i];
        a.AddPoint(MakeResult(Day(i), v.value(0, NAN), v.value(1, NAN), v.value(2, NAN)));
    }
    RecomputeAll(a, m_context->Risks());
    ClassifyAll(a);
    return a;
}

void TestTWinMainSheets::ShowWindow()
{
    m_win = std::make_unique<TWinMain>(*m_context, m_dialogs, m_pictures);
    m_comment = std::make_unique<TWinComment>();
    m_win->WinComment = m_comment.get();
    m_win->ScreenMetrics = [] { return TScreenMetrics { 1024, 768, 96 }; };
    m_win->ShowMainWindow();
    QVERIFY(m_win->isVisible());
}

void TestTWinMainSheets::Press(int k, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(40 + 15 * k, y);
    QMouseEvent press(QEvent::MouseButtonPress, at, m_win->PBox->mapToGlobal(at), button, button, modifiers);
    QApplication::sendEvent(m_win->PBox, &press);
}

void TestTWinMainSheets::Glide(int x)
{
    const QPointF at(x, AxisY() + 4);
    QMouseEvent move(QEvent::MouseMove, at, m_win->PBox->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_win->PBox, &move);
}

QString TestTWinMainSheets::Grid(int row, int column) const
{
    const QTableWidgetItem* item = m_win->Sheets->GrilleLock->item(row, column);
    return item ? item->text() : QString();
}

// ---------------------------------------------------------------- switching sheets

void TestTWinMainSheets::specialCommandWithoutAnalyteSaysNoAnalyte()
{
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("No analyte."));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbOK));
    QCOMPARE(Sheet(), 0);
}

void TestTWinMainSheets::leavingTheEntrySheetAsksThePassword()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    m_context->Config.Password = "KEY";
    ShowWindow();
    m_dialogs.QueueExec(TypePassword("kex"));
    m_win->MnuLockLimits->trigger();
    QCOMPARE(Sheet(), 0);
    m_dialogs.QueueExec(TypePassword("key"));
    m_win->MnuLockLimits->trigger();
    QCOMPARE(Sheet(), 1);
    // Between special sheets nothing is asked.
    m_win->MnuFixLimits->trigger();
    m_win->MnuEraseLevels->trigger();
    QCOMPARE(Sheet(), 3);
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList({ "TWinEntryPsw", "TWinEntryPsw" }));
    // Back on the entry sheet, the next special command asks again.
    m_win->Sheets->BtCancelArchi->click();
    QCOMPARE(Sheet(), 0);
    m_win->MnuFixLimits->trigger();
    QCOMPARE(m_dialogs.ExecutedWindows.size(), 3);
    QCOMPARE(Sheet(), 0);
}

void TestTWinMainSheets::withoutPasswordNothingIsAsked()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    ShowWindow();
    m_win->MnuFixLimits->trigger();
    QCOMPARE(Sheet(), 2);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
    m_win->Sheets->BtOKFix->click();
    QCOMPARE(Sheet(), 0);
}

// ---------------------------------------------------------------- Lock sheet

void TestTWinMainSheets::clickThenShiftClickInEitherOrderGivesTheSameInterval()
{
    QList<QList<double>> values;
    for (int i = 0; i < 20; ++i)
        values.append(QList<double> { 5.0 + i % 3 });
    TAnalyte& analyte = AddAnalyte("Glucose", 1, values);
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    PressBelowAxis(3);
    PressBelowAxis(12, Qt::ShiftModifier);
    QCOMPARE(m_win->Sheets->Interval().First, 3);
    QCOMPARE(m_win->Sheets->Interval().Last, 12);
    QCOMPARE(m_win->ChartView().SelFirst, 3);
    QCOMPARE(m_win->ChartView().SelLast, 12);
    QCOMPARE(m_win->Sheets->PanelFirstDate->text(), ShortDateText(analyte.Point(3).DateTime));
    QCOMPARE(m_win->Sheets->PanelLastDate->text(), ShortDateText(analyte.Point(12).DateTime));
    const QString n = Grid(1, 3);

    PressBelowAxis(12);
    QCOMPARE(m_win->Sheets->Interval().First, 12);
    QCOMPARE(m_win->Sheets->Interval().Last, 12);
    PressBelowAxis(3, Qt::ShiftModifier);
    QCOMPARE(m_win->Sheets->Interval().First, 3);
    QCOMPARE(m_win->Sheets->Interval().Last, 12);
    QCOMPARE(Grid(1, 3), n);
    QCOMPARE(n, QString("10"));
}

void TestTWinMainSheets::shiftClickWithoutAnchorSelectsNothing()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 7 }, { 8 } });
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    PressBelowAxis(2, Qt::ShiftModifier);
    QVERIFY(!m_win->Sheets->Interval().IsSet());
    QVERIFY(m_win->Sheets->PanelFirstDate->text().isEmpty());
    QVERIFY(m_win->Sheets->PanelLastDate->text().isEmpty());
    QCOMPARE(Grid(1, 3), QString("0"));
    QVERIFY(Grid(1, 1).isEmpty());
    // A press above the axis selects nothing either.
    Press(2, PointY());
    QVERIFY(!m_win->Sheets->Interval().IsSet());
}

void TestTWinMainSheets::glidingPastTheLeftEdgeScrollsBackOnePointPerMove()
{
    QList<QList<double>> values;
    for (int i = 0; i < 100; ++i)
        values.append(QList<double> { 5.0 + (i % 7) * 0.1 });
    AddAnalyte("Glucose", 1, values);
    ShowWindow();
    QCOMPARE(m_win->ScrollBar->value(), 69);
    m_win->MnuLockLimits->trigger();
    PressBelowAxis(10); // point 79
    QCOMPARE(m_win->Sheets->Interval().Anchor, 79);
    for (int move = 1; move <= 69; ++move) {
        Glide(20);
        QCOMPARE(m_win->ChartView().First, 69 - move);
        QCOMPARE(m_win->ChartView().Last, 69 - move + 30);
        QCOMPARE(m_win->ScrollBar->value(), 69 - move);
        QCOMPARE(m_win->Sheets->Interval().First, 69 - move);
        QCOMPARE(m_win->Sheets->Interval().Last, 79);
    }
    Glide(20);
    QCOMPARE(m_win->ChartView().First, 0);
    QCOMPARE(m_win->Sheets->Interval().First, 0);
    // Gliding back right inside the plot only moves the end of the interval.
    Glide(38 + 15 * 5);
    QCOMPARE(m_win->ChartView().First, 0);
    QCOMPARE(m_win->Sheets->Interval().First, 5);
    QCOMPARE(m_win->Sheets->Interval().Last, 79);
}

void TestTWinMainSheets::partialStatisticsForAKnownInterval()
{
    // Level 0: 4, 5, 6 in points 1..3 (mean 5, SD 1, CV 20 %); level 1: 10 and 12, one point without value.
    AddAnalyte("Glucose", 2, { { 100, 50 }, { 4, 10 }, { 5, NAN }, { 6, 12 }, { 200, 1 } });
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    QCOMPARE(m_win->Sheets->GrilleLock->rowCount(), 3);
    PressBelowAxis(1);
    PressBelowAxis(3, Qt::ShiftModifier);
    QCOMPARE(Grid(1, 1), QString("5.00"));
    QCOMPARE(Grid(1, 2), QString("20.0"));
    QCOMPARE(Grid(1, 3), QString("3"));
    QCOMPARE(Grid(2, 1), QString("11.00"));
    QCOMPARE(Grid(2, 2), QString("12.9")); // SD sqrt(2) over mean 11
    QCOMPARE(Grid(2, 3), QString("2"));
    // One point: a mean, no CV.
    PressBelowAxis(2);
    QCOMPARE(Grid(1, 1), QString("5.00"));
    QVERIFY(Grid(1, 2).isEmpty());
    QVERIFY(Grid(2, 1).isEmpty());
    QCOMPARE(Grid(2, 3), QString("0"));
    // A press outside the points clears the interval.
    Press(40, AxisY() + 4);
    QVERIFY(!m_win->Sheets->Interval().IsSet());
    QCOMPARE(Grid(1, 3), QString("0"));
}

void TestTWinMainSheets::lockWithoutIntervalExplainsHow()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 7 } });
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    m_win->Sheets->GBLocked[0]->BtLock->click();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Error);
    QCOMPARE(m_dialogs.Boxes[0].Text,
        QString("Define a date interval at the bottom of the charts\r - click on one end of the interval, then "
                "Shift+click on the other end\r - or click on one end and glide to the other end;\rThe selected "
                "date interval is spotted in light blue."));
    QCOMPARE(int(m_context->CurrentAnalyte->LimitMode[0]), int(lmMobile));
}

void TestTWinMainSheets::lockOnEqualValuesIsRefusedAndTheModeKept()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 5 }, { 5 }, { 6 }, { 7 }, { 4 } });
    QVERIFY(LockLevel(analyte, 0, 2, 5, m_context->Risks()));
    const TLimitSettings before = TLimitSettings::Take(analyte);
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    const QString state = m_win->Sheets->GBLocked[0]->Lbl1->text();
    QVERIFY(state.startsWith("Locked from "));
    PressBelowAxis(0);
    PressBelowAxis(2, Qt::ShiftModifier);
    m_win->Sheets->GBLocked[0]->BtLock->click();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Not enough QC points in the dates interval for Lyphocheck 1"));
    QCOMPARE(TLimitSettings::Take(analyte), before);
    QCOMPARE(m_win->Sheets->GBLocked[0]->Lbl1->text(), state);
    QVERIFY(m_win->Sheets->GBLocked[0]->BtUnLock->isEnabled());
}

void TestTWinMainSheets::undoAfterLockingTwoLevelsRestoresBoth()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, 11 }, { 4, 12 }, { 5.5, 9 }, { 4.5, 10.5 } });
    const TLimitSettings opened = TLimitSettings::Take(analyte);
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    PressBelowAxis(1);
    PressBelowAxis(3, Qt::ShiftModifier);
    m_win->Sheets->GBLocked[0]->BtLock->click();
    m_win->Sheets->GBLocked[1]->BtLock->click();
    QCOMPARE(m_dialogs.Boxes.size(), 0);
    const QString locked = "Locked from " + ShortDateText(Day(1)) + " to " + ShortDateText(Day(3));
    QCOMPARE(m_win->Sheets->GBLocked[0]->Lbl1->text(), locked);
    QCOMPARE(m_win->Sheets->GBLocked[1]->Lbl1->text(), locked);
    QVERIFY(m_win->Sheets->GBLocked[1]->BtUnLock->isEnabled());
    QCOMPARE(int(analyte.LimitMode[1]), int(lmLocked));

    m_win->Sheets->BtUndoLock->click();
    QCOMPARE(Sheet(), 1);
    QCOMPARE(TLimitSettings::Take(analyte), opened);
    QCOMPARE(m_win->Sheets->GBLocked[0]->Lbl1->text(), QString("Mobile limits"));
    QCOMPARE(m_win->Sheets->GBLocked[1]->Lbl1->text(), QString("Mobile limits"));
    QVERIFY(!m_win->Sheets->GBLocked[0]->BtUnLock->isEnabled());
}

void TestTWinMainSheets::okKeepsAndCancelDropsTheLock()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 4 }, { 5.5 } });
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    PressBelowAxis(0);
    PressBelowAxis(2, Qt::ShiftModifier);
    m_win->Sheets->GBLocked[0]->BtLock->click();
    m_win->Sheets->BtCancelLock->click();
    QCOMPARE(Sheet(), 0);
    QCOMPARE(int(analyte.LimitMode[0]), int(lmMobile));
    QVERIFY(!m_win->Sheets->Interval().IsSet());
    QVERIFY(!QFile::exists(DataFileName(*m_context))); // Cancel writes nothing

    m_win->MnuLockLimits->trigger();
    PressBelowAxis(0);
    PressBelowAxis(2, Qt::ShiftModifier);
    m_win->Sheets->GBLocked[0]->BtLock->click();
    m_win->Sheets->BtOKLock->click();
    QCOMPARE(Sheet(), 0);
    QCOMPARE(int(analyte.LimitMode[0]), int(lmLocked));
    QCOMPARE(analyte.LockEnd[0], 2);
    // OK keeps the lock in the data file at once.
    auto saved = MakeTestContext();
    QVERIFY(LoadData(*saved, DataFileName(*m_context)));
    QCOMPARE(int(saved->ListAnalytes.Item(0).LimitMode[0]), int(lmLocked));
    QCOMPARE(saved->ListAnalytes.Item(0).LockEnd[0], 2);
    // Unlocking on the sheet frees the level again.
    m_win->MnuLockLimits->trigger();
    m_win->Sheets->GBLocked[0]->BtUnLock->click();
    QCOMPARE(int(analyte.LimitMode[0]), int(lmMobile));
    QCOMPARE(analyte.LockStart[0], -1);
    QCOMPARE(m_win->Sheets->GBLocked[0]->Lbl1->text(), QString("Mobile limits"));
    QVERIFY(!m_win->Sheets->GBLocked[0]->BtUnLock->isEnabled());
}

void TestTWinMainSheets::lockPanelsFollowTheLevels()
{
    // Level 1 holds only a discarded value: no panel for it.
    TAnalyte& analyte = AddAnalyte("Glucose", 3, { { 5, NAN, 7 }, { 6, NAN, 8 } });
    analyte.Point(0).Values[1] = { 3.0f, psDiscarded, { 0, 0, 0 } };
    RecomputeAll(analyte, m_context->Risks());
    ShowWindow();
    m_win->MnuLockLimits->trigger();
    QVERIFY(m_win->Sheets->GBLocked[0]->isVisible());
    QVERIFY(!m_win->Sheets->GBLocked[1]->isVisible());
    QVERIFY(m_win->Sheets->GBLocked[2]->isVisible());
    QCOMPARE(m_win->Sheets->GBLocked[0]->y(), 190);
    QCOMPARE(m_win->Sheets->GBLocked[2]->y(), 190 + 150);
    QCOMPARE(m_win->Sheets->GBLocked[2]->title(), QString("Lyphocheck 3"));
    QCOMPARE(m_win->Sheets->GrilleLock->rowCount(), 4);
    // Every row shows, and the grid ends above the label under it.
    QCOMPARE(m_win->Sheets->GrilleLock->rowHeight(3), 19);
    QVERIFY(m_win->Sheets->GrilleLock->geometry().bottom() < 170);
}

// ---------------------------------------------------------------- Fix sheet

void TestTWinMainSheets::fixAcceptsACommaAndRewritesTheTarget()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, 11 }, { 4, 12 } });
    ShowWindow();
    m_win->MnuFixLimits->trigger();
    TGBFixedParam* panel = m_win->Sheets->GBFixed[1];
    QVERIFY(panel->isVisible());
    QVERIFY(panel->EditTarget->text().isEmpty());
    QVERIFY(!panel->BtUnfix->isEnabled());
    QCOMPARE(panel->title(), QString("Lyphocheck 2"));
    QCOMPARE(panel->LblUnite->text(), QString("mmol/L"));
    QCOMPARE(panel->pos(), QPoint(10, 25 + 60 + 130));
    panel->EditTarget->setText("-1,5");
    panel->EditWarning->setText("0.2");
    panel->EditAction->setText("0,3");
    panel->BtFix->click();
    QCOMPARE(m_dialogs.Boxes.size(), 0);
    QCOMPARE(panel->EditTarget->text(), QString("-1.5"));
    QCOMPARE(int(analyte.LimitMode[1]), int(lmFixed));
    QCOMPARE(analyte.ReferenceStats[1].Mean, -1.5);
    QCOMPARE(analyte.ReferenceStats[1].WarningHalfWidth, 0.2);
    QCOMPARE(analyte.ReferenceStats[1].ActionHalfWidth, 0.3);
    QVERIFY(panel->BtUnfix->isEnabled());
    QCOMPARE(int(analyte.LimitMode[0]), int(lmMobile));
}

void TestTWinMainSheets::fixRefusesWarningAboveAction()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 4 } });
    const TLimitSettings before = TLimitSettings::Take(analyte);
    ShowWindow();
    m_win->MnuFixLimits->trigger();
    TGBFixedParam* panel = m_win->Sheets->GBFixed[0];
    panel->EditTarget->setText("5");
    panel->EditWarning->setText("0.4");
    panel->EditAction->setText("0.3");
    panel->BtFix->click();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Action < Warning"));
    QCOMPARE(TLimitSettings::Take(analyte), before);
    QVERIFY(!panel->BtUnfix->isEnabled());
}

void TestTWinMainSheets::cancelRestoresThePreviousModeAndValues()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 4 }, { 5.5 } });
    QVERIFY(LockLevel(analyte, 0, 0, 2, m_context->Risks()));
    const TLimitSettings before = TLimitSettings::Take(analyte);
    ShowWindow();
    m_win->MnuFixLimits->trigger();
    TGBFixedParam* panel = m_win->Sheets->GBFixed[0];
    panel->EditTarget->setText("9");
    panel->EditWarning->setText("1");
    panel->EditAction->setText("2");
    panel->BtFix->click();
    QCOMPARE(analyte.ReferenceStats[0].Mean, 9.0);
    m_win->Sheets->BtCancelFix->click();
    QCOMPARE(Sheet(), 0);
    QCOMPARE(int(analyte.LimitMode[0]), int(lmLocked));
    QCOMPARE(TLimitSettings::Take(analyte), before);
    // Undo does the same without leaving the sheet.
    m_win->MnuFixLimits->trigger();
    panel->EditTarget->setText("9");
    panel->EditWarning->setText("1");
    panel->EditAction->setText("2");
    panel->BtFix->click();
    m_win->Sheets->BtUndoFix->click();
    QCOMPARE(Sheet(), 2);
    QCOMPARE(TLimitSettings::Take(analyte), before);
    QVERIFY(panel->EditTarget->text().isEmpty());
}

void TestTWinMainSheets::fixedLevelShowsItsValuesAndUnfixes()
{
    TAnalyte& analyte = AddAnalyte("Albumin", 1, { { 40 }, { 44 } }, 0);
    FixLevel(analyte, 0, 42, 2, 3, m_context->Risks());
    ShowWindow();
    m_win->MnuFixLimits->trigger();
    TGBFixedParam* panel = m_win->Sheets->GBFixed[0];
    QCOMPARE(panel->pos(), QPoint(10, 25 + 120));
    QCOMPARE(panel->EditTarget->text(), QString("42"));
    QCOMPARE(panel->EditWarning->text(), QString("2.0"));
    QCOMPARE(panel->EditAction->text(), QString("3.0"));
    QVERIFY(panel->BtUnfix->isEnabled());
    QVERIFY(!m_win->Sheets->GBFixed[1]->isVisible());
    panel->BtUnfix->click();
    QCOMPARE(int(analyte.LimitMode[0]), int(lmMobile));
    QCOMPARE(analyte.ReferenceStats[0].Mean, 42.0); // the mean of 40 and 44
    QCOMPARE_NEAR(analyte.ReferenceStats[0].ActionHalfWidth, 318.31 * 2 * std::sqrt(2.0), 1e-4);
    QVERIFY(!panel->BtUnfix->isEnabled());
}

// ---------------------------------------------------------------- Archi sheet

void TestTWinMainSheets::markingUnmarkingAndMarkingAgain()
{
    AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, 11 } });
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    QPushButton* button = m_win->Sheets->GBArchi[1]->BtArchi;
    QCOMPARE(button->text(), QString("Erase/archive data"));
    QCOMPARE(m_win->Sheets->GBArchi[0]->y(), 160 - 80);
    QCOMPARE(m_win->Sheets->GBArchi[1]->y(), 160 - 80 + 120);
    button->click();
    QCOMPARE(button->text(), QString("Un-erase data"));
    QVERIFY(m_win->ChartView().Erase[1]);
    button->click();
    QCOMPARE(button->text(), QString("Erase/archive data"));
    QVERIFY(!m_win->ChartView().Erase[1]);
    button->click();
    QCOMPARE(button->text(), QString("Un-erase data"));
    QVERIFY(m_win->ChartView().Erase[1]);
    QVERIFY(!m_win->ChartView().Erase[0]);
    // Leaving the sheet clears the marks.
    m_win->Sheets->BtCancelArchi->click();
    QVERIFY(!m_win->ChartView().Erase[1]);
    m_win->MnuEraseLevels->trigger();
    QCOMPARE(button->text(), QString("Erase/archive data"));
}

void TestTWinMainSheets::nothingToArchiveAndNothingToErase()
{
    AddAnalyte("Glucose", 2, { { 5, NAN }, { 6, NAN } });
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    QVERIFY(m_win->Sheets->GBArchi[0]->BtArchi->isEnabled());
    QVERIFY(!m_win->Sheets->GBArchi[1]->BtArchi->isEnabled());
    m_win->Sheets->BtArchiClick(1);
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Nothing to archive"));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));
    QVERIFY(!m_win->ChartView().Erase[1]);
    m_win->Sheets->BtOKErase->click();
    QCOMPARE(m_dialogs.Boxes.size(), 2);
    QCOMPARE(m_dialogs.Boxes[1].Text, QString("Nothing to erase"));
    QCOMPARE(m_dialogs.Boxes[1].Buttons, int(mbYes));
    QCOMPARE(Sheet(), 3);
}

void TestTWinMainSheets::erasingTwoLevelsWritesTwoArchives()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 3, { { 5, 10, 20 }, { 6, NAN, 21 }, { 4, 12, 22 } });
    analyte.Point(1).SetOperator("JD");
    analyte.Point(2).CommentID = analyte.Comments.Add("New lot");
    analyte.Point(2).Values[0].Status = psDiscarded;
    RecomputeAll(analyte, m_context->Risks());
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    m_win->Sheets->GBArchi[0]->BtArchi->click();
    m_win->Sheets->GBArchi[1]->BtArchi->click();
    m_dialogs.QueueAnswer(mbOK);
    m_win->Sheets->BtOKErase->click();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Confirmation);
    QCOMPARE(
        m_dialogs.Boxes[0].Text, QString("You are going to erase/archive the data of 2 QC level(s) for Glucose\r"));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbOK | mbCancel));

    QCOMPARE(Sheet(), 0);
    QVERIFY(!m_win->ChartView().Erase[0]);
    QCOMPARE(m_win->SelectedPoint(), -1);
    QCOMPARE(analyte.Archives, QList<qint32>({ 1, 2 }));
    const QString folder = m_context->ProgramFolder();
    const auto read = [](const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString("missing");
    };
    const QString d0 = ShortDateText(Day(0)), d1 = ShortDateText(Day(1)), d2 = ShortDateText(Day(2));
    const QString t = LongTimeText(Day(0));
    // Level 0: 5, 6 and a discarded 4 (mean 5.50, CV 12.9 %, N 2).
    const QString level0 = "Glucose\r\nmmol/L\r\n" + d0 + "\t" + d2 + "\tLyphocheck 1\t111\t5.50\t12.9\t2\r\n" + d0
        + "\t" + t + "\t5.0\t\t\r\n" + d1 + "\t" + t + "\t6.0\tJD\t\r\n" + d2 + "\t" + t + "\tDiscarded\t\tNew lot\r\n";
    // Level 1: 10, none, 12 (mean 11.00, CV 12.9 %, N 2).
    const QString level1 = "Glucose\r\nmmol/L\r\n" + d0 + "\t" + d2 + "\tLyphocheck 2\t222\t11.00\t12.9\t2\r\n" + d0
        + "\t" + t + "\t10.0\t\t\r\n" + d1 + "\t" + t + "\t\tJD\t\r\n" + d2 + "\t" + t + "\t12.0\t\tNew lot\r\n";
    QCOMPARE(read(ArchiveFileName(folder, 1)), level0);
    QCOMPARE(read(ArchiveFileName(folder, 2)), level1);
    QVERIFY(!QFile::exists(ArchiveFileName(folder, 3)));
    // Level 2 keeps its values; the erased levels are empty and mobile.
    QCOMPARE(analyte.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(int(analyte.Point(i).Values[0].Status), int(psNoValue));
        QCOMPARE(int(analyte.Point(i).Values[1].Status), int(psNoValue));
        QVERIFY(analyte.Point(i).Values[2].HasValue());
    }
    // The data file was written with the erased levels, at once.
    auto saved = MakeTestContext();
    QString error;
    QVERIFY2(LoadData(*saved, DataFileName(*m_context), &error), qPrintable(error));
    const TAnalyte& stored = saved->ListAnalytes.Item(0);
    QCOMPARE(stored.Archives, QList<qint32>({ 1, 2 }));
    QCOMPARE(int(stored.Point(1).Values[0].Status), int(psNoValue));
    QCOMPARE(stored.Point(1).Values[2].Value, 21.0f);
}

void TestTWinMainSheets::aPointLeftWithoutValueDisappears()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, NAN }, { 4, 12 } });
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    m_win->Sheets->GBArchi[0]->BtArchi->click();
    m_dialogs.QueueAnswer(mbOK);
    m_win->Sheets->BtOKErase->click();
    QCOMPARE(analyte.Count(), 2);
    QCOMPARE(analyte.Point(0).Values[1].Value, 10.0f);
    QCOMPARE(analyte.Point(1).Values[1].Value, 12.0f);
    QCOMPARE(m_win->ChartView().Last, 1);
    QVERIFY(QFile::exists(ArchiveFileName(m_context->ProgramFolder(), 1)));
}

void TestTWinMainSheets::cancelledConfirmationKeepsTheSheet()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    m_win->Sheets->GBArchi[0]->BtArchi->click();
    m_dialogs.QueueAnswer(mbCancel);
    m_win->Sheets->BtOKErase->click();
    QCOMPARE(Sheet(), 3);
    QCOMPARE(analyte.Count(), 2);
    QVERIFY(m_win->ChartView().Erase[0]);
    QVERIFY(QDir(m_context->ProgramFolder()).entryList({ "*.qca" }).isEmpty());
}

void TestTWinMainSheets::marksDoNotSurviveARefillOfTheList()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    ShowWindow();
    m_win->MnuEraseLevels->trigger();
    m_win->Sheets->GBArchi[0]->BtArchi->click();
    m_win->FillAnalyteList(); // as after an editor: back to the entry sheet
    QCOMPARE(Sheet(), 0);
    m_win->MnuEraseLevels->trigger();
    QCOMPARE(m_win->Sheets->GBArchi[0]->BtArchi->text(), QString("Erase/archive data"));
    m_win->Sheets->BtOKErase->click();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Nothing to erase"));
    QCOMPARE(analyte.Count(), 2);
}

// ---------------------------------------------------------------- Entry sheet and pop-up

void TestTWinMainSheets::clickSelectsAPoint()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 7 } });
    ShowWindow();
    Press(1, PointY());
    QCOMPARE(m_win->SelectedPoint(), 1);
    QVERIFY(!m_comment->isVisible());
    // Below the axis on the entry sheet: nothing.
    Press(2, AxisY() + 4);
    QCOMPARE(m_win->SelectedPoint(), 1);
    // Outside the points: the point is deselected.
    Press(10, PointY());
    QCOMPARE(m_win->SelectedPoint(), -1);
    // On the Fix sheet presses select nothing.
    m_win->MnuFixLimits->trigger();
    Press(0, PointY());
    QCOMPARE(m_win->SelectedPoint(), -1);
}

void TestTWinMainSheets::oneShortLineGivesTheSmallestPopup()
{
    m_context->ListSerum = TListSerum();
    m_context->ListSerum.Add("L1", "1");
    AddAnalyte("Glucose", 1, { { 5 }, { 6 }, { 7 } });
    ShowWindow();
    Press(2, PointY(), Qt::RightButton);
    QCOMPARE(m_win->SelectedPoint(), 2);
    QVERIFY(m_comment->isVisible());
    QCOMPARE(m_comment->LineCount(), 1);
    QCOMPARE(m_comment->LineText(0), QString("L1 = 7.0"));
    QVERIFY(m_comment->LineHasBitmap(0));
    QCOMPARE(m_comment->size(), QSize(124, 45));
    const QPoint box = m_win->PBox->mapToGlobal(QPoint(0, 0));
    QCOMPARE(m_comment->pos(), QPoint(box.x() + 15 * 2 + 45, box.y() + PointY() - 20));
    QCOMPARE(m_comment->windowTitle(), ShortDateText(Day(2)) + " " + LongTimeText(Day(2)));
}

void TestTWinMainSheets::absentLevelHasNoPictureAndNoRedRing()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 2, { { 5, 10 }, { 6, NAN }, { 7, 12 } });
    Q_UNUSED(analyte);
    ShowWindow();
    Press(1, PointY(), Qt::RightButton);
    QCOMPARE(m_comment->LineCount(), 2);
    QCOMPARE(m_comment->LineText(1), QString("Lyphocheck 2 = absent"));
    QVERIFY(!m_comment->LineHasBitmap(1));
    QVERIFY(m_comment->LineHasBitmap(0));
    const QImage image = m_win->PBox->grab().toImage();
    image.save(ArtifactPath("TWinMainSheets-absent.png"));
    const int x = PointX(1, 0);
    const int top1 = BandTop(2, 1), bottom1 = top1 + 120;
    const int top0 = BandTop(2, 0), bottom0 = top0 + 120;
    // Level 1 has no value at point 1: no more red there than between two points
    // (only the action lines); level 0 carries the red ring.
    QCOMPARE(CountRed(image, x, top1 + 1, bottom1 - 1), CountRed(image, x + 7, top1 + 1, bottom1 - 1));
    QVERIFY(CountRed(image, x, top0 + 1, bottom0 - 1) > CountRed(image, x + 7, top0 + 1, bottom0 - 1));
}

void TestTWinMainSheets::popupLinesCommentAndOperator()
{
    TAnalyte& analyte = AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    analyte.Point(0).SetOperator("AB");
    analyte.Point(0).CommentID = analyte.Comments.Add("Wrong calibrator");
    analyte.Point(0).Values[0].Status = psDiscarded;
    ShowWindow();
    Press(0, PointY(), Qt::RightButton);
    QCOMPARE(m_comment->LineCount(), 3);
    QCOMPARE(m_comment->LineText(0), QString("Lyphocheck 1 = 5.0"));
    QCOMPARE(m_comment->LineText(1), QString("Wrong calibrator"));
    QCOMPARE(m_comment->LineText(2), QString("Operator = AB"));
    QVERIFY(m_comment->LineHasBitmap(0));
    QVERIFY(!m_comment->LineHasBitmap(1));
    QCOMPARE(m_comment->height(), 17 * 3 + 28);
    // A left click selects without a pop-up.
    m_comment->hide();
    Press(1, PointY());
    QVERIFY(!m_comment->isVisible());
}

void TestTWinMainSheets::anyKeyOrAChartClickClosesThePopup()
{
    AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
    ShowWindow();
    Press(0, PointY(), Qt::RightButton);
    QVERIFY(m_comment->isVisible());
    QTest::keyClick(m_comment.get(), Qt::Key_Down);
    QVERIFY(!m_comment->isVisible());
    Press(0, PointY(), Qt::RightButton);
    QVERIFY(m_comment->isVisible());
    Press(1, PointY());
    QVERIFY(!m_comment->isVisible());
    QCOMPARE(m_win->SelectedPoint(), 1);
}

// ---------------------------------------------------------------- queue

void TestTWinMainSheets::clearQueueAsksThePassword()
{
    ShowWindow();
    m_win->MnuClearFifo->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Nothing hold in the queue."));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));

    m_context->ListFifo.Push(MakeResult(Day(0), 5));
    m_context->ListFifo.Push(MakeResult(Day(1), 6));
    m_context->Config.Password = "KEY";
    m_dialogs.QueueExec(TypePassword("nope"));
    m_win->MnuClearFifo->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_context->ListFifo.Count(), 2);

    m_dialogs.QueueExec(TypePassword("key"));
    m_dialogs.QueueAnswer(mbCancel);
    m_win->MnuClearFifo->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 2);
    QCOMPARE(m_dialogs.Boxes[1].Text, QString("Erase 2 control points in the queue ?"));
    QCOMPARE(m_context->ListFifo.Count(), 2);

    m_dialogs.QueueExec(TypePassword("key"));
    m_dialogs.QueueAnswer(mbOK);
    m_win->MnuClearFifo->trigger();
    QCOMPARE(m_context->ListFifo.Count(), 0);
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 0"));
    QCOMPARE(m_dialogs.ExecutedWindows.size(), 3);
}

VANTOREL_TEST(TestTWinMainSheets)
#include "TestTWinMainSheets.moc"
