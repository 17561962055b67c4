#include "TAnalyte.h"
#include "TDailyAnalyte.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TLimitSheets.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinAbout.h"
#include "TWinEmployees.h"
#include "TWinMain.h"
#include "TWinValidCQ.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

namespace {

double Today() { return DateToDayCount(QDate(2026, 3, 15)); }

TAnalyte& AddAnalyte(TQCContext& context, const QString& name, int levels, int count)
{
    return AddDailyAnalyte(context, name, levels, count, Today());
}

QStringList MenuCaptions(QMenuBar* bar)
{
    QStringList captions;
    for (QAction* top : bar->actions()) {
        captions << top->text();
        for (QAction* item : top->menu()->actions())
            captions << "  " + item->text();
    }
    return captions;
}

} // namespace

// The main window: its layout, the analyte list, the charts' window, the entry
// checks, the start-up checks and the exit question.
class TestTWinMain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Layout
    void clientAreaAndPanelsHaveTheirSizes();
    void bottomButtonsCarryCaptionsAndHints();
    void mainMenuHasItsCaptions();
    void timersBlinkEvery300MsAndStartStopped();
    void commandsWithoutTheirWindowsAreDisabled();

    // Analytes and charts
    void noAnalyteHidesTheRowsAndEmptiesTheName();
    void choosingAnAnalyteShowsItsLevels();
    void thirtyPointsHideTheScrollBar();
    void thirtyOnePointsShowItWithMaximumZero();
    void scrollingMovesTheWindow();

    // Entry checks
    void emptyRunAsksForData();
    void wrongNumberSelectsItsEdit();
    void clearEmptiesTheForm();

    // The entry road
    void okStoresTheRunAtItsDatePositionAndSavesIt();
    void cancelHoldsTheRunInTheQueue();
    void commaAndPointReadAlike_data();
    void commaAndPointReadAlike();
    void commentAndOperatorAreTrimmed();
    void emptyLevelIsStoredWithoutValue();
    void runBeforeTheWindowMovesIt_data();
    void runBeforeTheWindowMovesIt();
    void failedSaveIsReported();
    void backupReminderFollowsEachEntry();
    void correctingAPointFillsTheFormAndRemovesIt();
    void operatorsWindowReloadsTheSelectorAndSaves();

    // Start-up
    void smallScreenFontIsRefused();
    void screen640WideLeavesWithoutTheExitQuestion();
    void aboutAtStartCanBeSwitchedOff();
    void aboutFromTheMenuShowsTheBoxCleared();
    void backupIntervalZeroStartsTheBackupLight();
    void recentBackupLeavesTheLightLime();
    void exitQuestionCanBeCancelled();

    void demonstrationLookIsKept();

private:
    void MakeWindow();
    // Types a run into the form and presses OK; the validation window answers `result`.
    void Enter(const QDateTime& when, const QStringList& values, int result, const QString& op = QString(),
        const QString& comment = QString());

    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TPictures m_pictures;
    std::unique_ptr<TWinAbout> m_about;
    std::unique_ptr<TWinValidCQ> m_valid;
    std::unique_ptr<TWinMain> m_win;
    std::unique_ptr<QTemporaryDir> m_dir;
    TScreenMetrics m_screen { 1024, 768, 96 };
};

void TestTWinMain::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_pictures.Load());
}

void TestTWinMain::init()
{
    m_context = MakeTestContext();
    m_context->Config.LastBackupDate = Today();
    m_context->Config.ShowAboutAtStart = false;
    m_context->ListSerum.Add("Lyphocheck 1", "111");
    m_context->ListSerum.Add("Lyphocheck 2", "222");
    m_dialogs = TScriptedDialogs();
    m_screen = { 1024, 768, 96 };
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_context->SetProgramFolder(m_dir->path());
}

void TestTWinMain::cleanup()
{
    m_win.reset();
    m_valid.reset();
    m_about.reset();
    m_dir.reset();
}

void TestTWinMain::MakeWindow()
{
    m_about = std::make_unique<TWinAbout>();
    m_win = std::make_unique<TWinMain>(*m_context, m_dialogs, m_pictures);
    m_valid = std::make_unique<TWinValidCQ>(*m_context, m_dialogs);
    m_win->WinAbout = m_about.get();
    m_win->WinValidCQ = m_valid.get();
    m_win->UpdateCommands();
    m_win->ScreenMetrics = [this] { return m_screen; };
}

void TestTWinMain::Enter(
    const QDateTime& when, const QStringList& values, int result, const QString& op, const QString& comment)
{
    m_win->DatePicker->setDate(when.date());
    m_win->TimePicker->setTime(when.time());
    for (int i = 0; i < values.size(); ++i)
        m_win->EditValue[i]->setText(values[i]);
    m_win->CBOperator->setEditText(op);
    m_win->EditComment->setText(comment);
    m_dialogs.QueueExec([result](QDialog&) { return result; });
    m_win->BtOKEnter->click();
}

void TestTWinMain::clientAreaAndPanelsHaveTheirSizes()
{
    MakeWindow();
    QCOMPARE(m_win->centralWidget()->size(), QSize(792, 526));
    QCOMPARE(m_win->PanelPBox->size(), QSize(602, 482));
    QCOMPARE(m_win->PBox->size(), QSize(600, 454));
    QCOMPARE(m_win->ScrollBar->width(), 329);
    QCOMPARE(m_win->ScrollBar->pageStep(), 20);
    QCOMPARE(m_win->PageControl->size(), QSize(191, 456));
    QVERIFY(m_win->PageControl->tabBar()->isHidden());
    QCOMPARE(m_win->PageControl->count(), 4);
    QCOMPARE(m_win->PageControl->currentWidget(), m_win->TabSheetEnter);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_win->EditValue[i]->geometry(), QRect(85, 67 + 28 * i, 50, 21));
        QCOMPARE(m_win->LblLevel[i]->pos(), QPoint(5, 70 + 28 * i));
        QCOMPARE(m_win->LblLevel[i]->width(), 72);
        QCOMPARE(m_win->LblUnit[i]->pos(), QPoint(138, 70 + 28 * i));
    }
    QCOMPARE(m_win->EditComment->maxLength(), 20);
    QCOMPARE(m_win->CBOperator->lineEdit()->maxLength(), 4);
}

void TestTWinMain::bottomButtonsCarryCaptionsAndHints()
{
    MakeWindow();
    const QList<QPushButton*> buttons = { m_win->BtData, m_win->BtDaily, m_win->BtLimits, m_win->BtPrnGraph,
        m_win->BtAffectation, m_win->BtArchives, m_win->BtBackup, m_win->BtFifo, m_win->BtExit };
    const QStringList captions = { "Data ta&ble", "D&aily QC", "&Control limits", "&Print charts", "Assign &lots",
        "Archi&ves", "Bac&kup", "&Queue", "E&xit" };
    const QStringList hints
        = { "Table of QC data", "Daily QC results", "Show control limits", "Printing control charts",
              "Change QC material or lot number", "Show archived data", "Backup on diskette", "", "" };
    for (int i = 0; i < buttons.size(); ++i) {
        if (i != 7) // the queue button shows its count once the window is shown
            QCOMPARE(buttons[i]->text(), captions[i]);
        QCOMPARE(buttons[i]->toolTip(), hints[i]);
        QCOMPARE(buttons[i]->size(), QSize(85, 33));
        QVERIFY(!buttons[i]->icon().isNull());
    }
    QCOMPARE(m_win->ShapeBackUp->size(), QSize(10, 8));
    QCOMPARE(m_win->ShapeFifo->size(), QSize(8, 9));
}

void TestTWinMain::mainMenuHasItsCaptions()
{
    MakeWindow();
    const QStringList expected = { "Pa&rameters", "  &Analytes", "  &Control materials", "  &Operators",
        "Confi&guration", "  &Backup/restore options", "  &Password", "  Statistical &risks", "  &Shortcuts", "&File",
        "  &Diskette restore", "  &Export", "  &Import", "Cl&ipboard", "  &Copy", "  &Paste", "&Special functions",
        "  &Lock limits", "  &Fix limits", "  &Erase/archive levels", "  &Random generator", "  &Clear queue", "&?",
        "  &User manual", "  &About" };
    QCOMPARE(MenuCaptions(m_win->menuBar()), expected);
}

void TestTWinMain::timersBlinkEvery300MsAndStartStopped()
{
    MakeWindow();
    QCOMPARE(m_win->TimerBackUp->interval(), 300);
    QCOMPARE(m_win->TimerBtFifo->interval(), 300);
    QVERIFY(!m_win->TimerBackUp->isActive());
    QVERIFY(!m_win->TimerBtFifo->isActive());
    // Each tick turns the light red, then button face, then red again.
    m_win->TimerBackUpTimer();
    QCOMPARE(m_win->ShapeBackUp->BrushColor(), QColor(255, 0, 0));
    m_win->TimerBackUpTimer();
    QCOMPARE(m_win->ShapeBackUp->BrushColor(), QApplication::palette().color(QPalette::Button));
    m_win->TimerBackUpTimer();
    QCOMPARE(m_win->ShapeBackUp->BrushColor(), QColor(255, 0, 0));
}

void TestTWinMain::commandsWithoutTheirWindowsAreDisabled()
{
    MakeWindow();
    QVERIFY(m_win->MnuAbout->isEnabled());
    QVERIFY(m_win->MnuUserManual->isEnabled());
    QVERIFY(m_win->BtExit->isEnabled());
    QVERIFY(!m_win->MnuAnalytes->isEnabled());
    QVERIFY(!m_win->BtDaily->isEnabled());
    m_win->WinAbout = nullptr;
    m_win->UpdateCommands();
    QVERIFY(!m_win->MnuAbout->isEnabled());
}

void TestTWinMain::noAnalyteHidesTheRowsAndEmptiesTheName()
{
    MakeWindow();
    m_win->FillAnalyteList();
    QCOMPARE(m_win->LBAnalytes->count(), 0);
    QCOMPARE(m_win->PanelNomAnal->text(), QString());
    QVERIFY(m_context->CurrentAnalyte == nullptr);
    QCOMPARE(m_win->SelectedPoint(), -1);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(m_win->EditValue[i]->isHidden());
        QVERIFY(m_win->LblLevel[i]->isHidden());
        QVERIFY(m_win->LblUnit[i]->isHidden());
    }
    QVERIFY(m_win->ScrollBar->isHidden());
}

void TestTWinMain::choosingAnAnalyteShowsItsLevels()
{
    AddAnalyte(*m_context, "Glucose", 3, 10).SerumID[2] = 77; // a lot that does not exist
    TAnalyte& calcium = AddAnalyte(*m_context, "Calcium", 2, 5);
    calcium.Units = "g/L";
    MakeWindow();
    m_win->FillAnalyteList();
    QCOMPARE(m_win->LBAnalytes->count(), 2);
    QCOMPARE(m_win->LBAnalytes->currentRow(), 0);
    QCOMPARE(m_win->PanelNomAnal->text(), QString("Glucose"));
    QCOMPARE(m_win->LblLevel[0]->text(), QString("Lyphocheck 1"));
    QCOMPARE(m_win->LblLevel[2]->text(), QString("Unknown"));
    QVERIFY(!m_win->EditValue[2]->isHidden());

    m_win->LBAnalytes->setCurrentRow(1);
    QCOMPARE(m_context->CurrentAnalyte, &calcium);
    QCOMPARE(m_win->PanelNomAnal->text(), QString("Calcium"));
    QCOMPARE(m_win->LblLevel[1]->text(), QString("Lyphocheck 2"));
    QCOMPARE(m_win->LblUnit[1]->text(), QString("g/L"));
    QVERIFY(!m_win->EditValue[1]->isHidden());
    QVERIFY(m_win->EditValue[2]->isHidden());
    QVERIFY(m_win->LblLevel[2]->isHidden());

    // Refilling keeps the current analyte selected.
    m_win->FillAnalyteList();
    QCOMPARE(m_win->LBAnalytes->currentRow(), 1);
    QCOMPARE(m_context->CurrentAnalyte, &calcium);
}

void TestTWinMain::thirtyPointsHideTheScrollBar()
{
    AddAnalyte(*m_context, "Glucose", 1, 30);
    MakeWindow();
    m_win->FillAnalyteList();
    QVERIFY(m_win->ScrollBar->isHidden());
    QVERIFY(m_win->PanelDateDeb->isHidden());
    QVERIFY(m_win->PanelDateFin->isHidden());
    QCOMPARE(m_win->ChartView().First, 0);
    QCOMPARE(m_win->ChartView().Last, 29);
}

void TestTWinMain::thirtyOnePointsShowItWithMaximumZero()
{
    const TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 31);
    MakeWindow();
    m_win->FillAnalyteList();
    QVERIFY(!m_win->ScrollBar->isHidden());
    QCOMPARE(m_win->ScrollBar->maximum(), 0);
    QCOMPARE(m_win->ScrollBar->minimum(), 0);
    QVERIFY(!m_win->PanelDateDeb->isHidden());
    QCOMPARE(m_win->PanelDateDeb->text(), ShortDateText(a.Point(0).DateTime));
    QCOMPARE(m_win->PanelDateFin->text(), ShortDateText(a.Point(30).DateTime));
}

void TestTWinMain::scrollingMovesTheWindow()
{
    AddAnalyte(*m_context, "Glucose", 2, 60);
    MakeWindow();
    m_win->FillAnalyteList();
    QCOMPARE(m_win->ScrollBar->maximum(), 29);
    QCOMPARE(m_win->ScrollBar->value(), 29);
    QCOMPARE(m_win->ChartView().First, 29);
    m_win->ScrollBar->setValue(5);
    QCOMPARE(m_win->ChartView().First, 5);
    QCOMPARE(m_win->ChartView().Last, 35);
}

void TestTWinMain::emptyRunAsksForData()
{
    AddAnalyte(*m_context, "Glucose", 2, 10);
    MakeWindow();
    m_win->show();
    QVERIFY(QTest::qWaitForWindowActive(m_win.get()));
    m_win->FillAnalyteList();
    m_win->EditValue[0]->setText("   ");
    m_win->BtOKEnterClick();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Enter data"));
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Error);
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));
    QVERIFY(m_win->DatePicker->hasFocus());
    QCOMPARE(m_context->CurrentAnalyte->Count(), 10);
}

void TestTWinMain::wrongNumberSelectsItsEdit()
{
    AddAnalyte(*m_context, "Glucose", 3, 10);
    MakeWindow();
    m_win->show();
    QVERIFY(QTest::qWaitForWindowActive(m_win.get()));
    m_win->FillAnalyteList();
    m_win->EditValue[0]->setText("5.1");
    m_win->EditValue[1]->setText("1,2,3");
    m_win->EditValue[2]->setText("abc");
    m_win->BtOKEnterClick();
    QCOMPARE(m_dialogs.Boxes.size(), 1); // the first wrong edit ends the entry
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Incorrect floating number"));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbOK));
    QVERIFY(m_win->EditValue[1]->hasFocus());
    QCOMPARE(m_win->EditValue[1]->selectedText(), QString("1,2,3"));
    QCOMPARE(m_win->EditValue[0]->text(), QString("5.1")); // the form is kept for correction
}

void TestTWinMain::clearEmptiesTheForm()
{
    AddAnalyte(*m_context, "Glucose", 2, 10);
    m_context->ListOperators = QStringList { "AB", "CD" };
    MakeWindow();
    m_win->show();
    QVERIFY(QTest::qWaitForWindowActive(m_win.get()));
    m_win->FillAnalyteList();
    m_win->EditValue[0]->setText("5");
    m_win->EditValue[1]->setText("6");
    m_win->EditComment->setText("note");
    m_win->CBOperator->setEditText("XY");
    m_win->DatePicker->setDate(QDate(2020, 1, 1));
    m_win->BtRAZEntryFields->click();
    QCOMPARE(m_win->EditValue[0]->text(), QString());
    QCOMPARE(m_win->EditValue[1]->text(), QString());
    QCOMPARE(m_win->EditComment->text(), QString());
    QCOMPARE(m_win->CBOperator->currentText(), QString());
    QCOMPARE(m_win->CBOperator->count(), 2); // the operator list stays
    QCOMPARE(m_win->DatePicker->date(), QDate(2026, 3, 15));
    QCOMPARE(m_win->TimePicker->time(), QTime(10, 30));
    QVERIFY(m_win->EditValue[0]->hasFocus());
}

void TestTWinMain::okStoresTheRunAtItsDatePositionAndSavesIt()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 10);
    MakeWindow();
    m_win->FillAnalyteList();
    QVERIFY(m_win->BtOKEnter->isEnabled());
    // Between points 5 and 6 (points are dated at noon, ten days back).
    const QDateTime when(QDate(2026, 3, 10), QTime(14, 15, 30));
    Enter(when, { "5,2", "10.4" }, QDialog::Accepted, "AB");
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinValidCQ" });
    QCOMPARE(a.Count(), 11);
    QCOMPARE(m_win->SelectedPoint(), 6);
    const TQCPoint& p = a.Point(6);
    QCOMPARE_NEAR(p.DateTime, DateTimeToDayCount(when), 1e-9);
    QCOMPARE(p.Values[0].Value, 5.2f);
    QCOMPARE(p.Values[1].Value, 10.4f);
    QCOMPARE(p.Operator(), QString("AB"));
    QVERIFY(p.Values[0].Status <= psLowAction); // classified against the limits
    QCOMPARE(p.Values[2].Status, quint8(psNoValue));
    QCOMPARE(a.AllPointsStats[0].N, 11); // recomputed
    // The form is cleared for the next run.
    QCOMPARE(m_win->EditValue[0]->text(), QString());
    // The data file holds what is in memory.
    auto reread = MakeTestContext();
    QString error;
    QVERIFY2(LoadData(*reread, DataFileName(*m_context), &error), qPrintable(error));
    QCOMPARE(reread->ListAnalytes.Count(), 1);
    const TAnalyte& b = reread->ListAnalytes.Item(0);
    QCOMPARE(b.Count(), 11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(b.Point(i).DateTime, a.Point(i).DateTime);
        QCOMPARE(b.Point(i).Values, a.Point(i).Values);
    }
}

void TestTWinMain::cancelHoldsTheRunInTheQueue()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 10);
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(SaveData(*m_context, DataFileName(*m_context)));
    QFile file(DataFileName(*m_context));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 0"));
    QVERIFY(!m_win->TimerBtFifo->isActive());

    Enter(QDateTime(QDate(2026, 3, 15), QTime(9, 0)), { "5.1", "" }, QDialog::Rejected, "CD", "late");
    QCOMPARE(a.Count(), 10);
    QCOMPARE(m_win->SelectedPoint(), -1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(m_context->ListFifo.Count(), 1);
    const TResu0& held = m_context->ListFifo.Item(0);
    QCOMPARE(held.Analyte, QString("Glucose"));
    QCOMPARE(held.Operator, QString("CD"));
    QCOMPARE(held.Comment, QString("late"));
    QCOMPARE(held.Values[0].Value, 5.1f);
    QCOMPARE(held.Values[1].Status, quint8(psNoValue));
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 1"));
    QVERIFY(m_win->TimerBtFifo->isActive());
    QCOMPARE(m_win->EditValue[0]->text(), QString());
}

void TestTWinMain::commaAndPointReadAlike_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("comma") << "12,5";
    QTest::newRow("point") << "12.5";
    QTest::newRow("blanks around") << "  12.5 ";
}

void TestTWinMain::commaAndPointReadAlike()
{
    QFETCH(QString, typed);
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 3);
    MakeWindow();
    m_win->FillAnalyteList();
    Enter(QDateTime(QDate(2026, 3, 15), QTime(8, 0)), { typed }, QDialog::Accepted);
    QCOMPARE(a.Count(), 4);
    QCOMPARE(a.Point(3).Values[0].Value, 12.5f);
}

void TestTWinMain::commentAndOperatorAreTrimmed()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 3);
    MakeWindow();
    m_win->FillAnalyteList();
    Enter(QDateTime(QDate(2026, 3, 15), QTime(8, 0)), { "5" }, QDialog::Accepted, " AB ", "  new lot  ");
    QCOMPARE(a.Point(3).Operator(), QString("AB"));
    QCOMPARE(a.CommentText(a.Point(3).CommentID), QString("new lot"));
}

void TestTWinMain::emptyLevelIsStoredWithoutValue()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 3, 3);
    MakeWindow();
    m_win->FillAnalyteList();
    Enter(QDateTime(QDate(2026, 3, 15), QTime(8, 0)), { "", "10", "" }, QDialog::Accepted);
    QCOMPARE(a.Count(), 4);
    QCOMPARE(a.Point(3).Values[0].Status, quint8(psNoValue));
    QVERIFY(a.Point(3).Values[1].HasValue());
    QCOMPARE(a.Point(3).Values[2].Status, quint8(psNoValue));
}

void TestTWinMain::runBeforeTheWindowMovesIt_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("first");
    // The new run lands just after point `before`.
    QTest::newRow("to the start of the series") << 60 << 10 << 0;
    QTest::newRow("the new point first") << 100 << 50 << 51;
}

void TestTWinMain::runBeforeTheWindowMovesIt()
{
    QFETCH(int, points);
    QFETCH(int, before);
    QFETCH(int, first);
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, points);
    MakeWindow();
    m_win->FillAnalyteList();
    QCOMPARE(m_win->ChartView().First, points - 31);
    const QDateTime when = DayCountToDateTime(a.Point(before).DateTime).addSecs(3600);
    Enter(when, { "5" }, QDialog::Accepted);
    QCOMPARE(m_win->SelectedPoint(), before + 1);
    QCOMPARE(m_win->ChartView().First, first);
    QCOMPARE(m_win->ChartView().Last, first + 30);
    QCOMPARE(m_win->ScrollBar->value(), first);
}

void TestTWinMain::failedSaveIsReported()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 3);
    // A folder where the data file should be: it cannot be written.
    QVERIFY(QDir().mkpath(DataFileName(*m_context)));
    MakeWindow();
    m_win->FillAnalyteList();
    Enter(QDateTime(QDate(2026, 3, 15), QTime(8, 0)), { "5" }, QDialog::Accepted);
    QCOMPARE(a.Count(), 4); // kept in memory, saved again at the next entry or at exit
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Cannot save data"));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));
}

void TestTWinMain::backupReminderFollowsEachEntry()
{
    AddAnalyte(*m_context, "Glucose", 1, 3);
    m_context->Config.BackupInterval = 7;
    m_context->Config.LastBackupDate = Today() - 1;
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(!m_win->TimerBackUp->isActive());
    m_context->Config.BackupInterval = 0;
    Enter(QDateTime(QDate(2026, 3, 15), QTime(8, 0)), { "5" }, QDialog::Rejected);
    QVERIFY(m_win->TimerBackUp->isActive());
}

void TestTWinMain::correctingAPointFillsTheFormAndRemovesIt()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 5);
    TResu0 run = MakeResult(Today() - 2 + 0.25, 4.26, NAN, NAN, "XY", "check");
    const int index = a.AddPoint(run);
    MakeWindow();
    m_win->FillAnalyteList();
    m_win->CorrectPoint(&a.Point(index));
    QCOMPARE(a.Count(), 5);
    QCOMPARE(m_win->EditValue[0]->text(), QString("4.3")); // one decimal
    QCOMPARE(m_win->EditValue[1]->text(), QString());
    QCOMPARE(m_win->CBOperator->currentText(), QString("XY"));
    QCOMPARE(m_win->EditComment->text(), QString("check"));
    QCOMPARE(m_win->DatePicker->date(), QDate(2026, 3, 13));
    QCOMPARE(m_win->TimePicker->time(), QTime(6, 0));
    // A point that is not stored changes nothing.
    TQCPoint stranger;
    m_win->CorrectPoint(&stranger);
    QCOMPARE(a.Count(), 5);
}

void TestTWinMain::operatorsWindowReloadsTheSelectorAndSaves()
{
    m_context->ListOperators = QStringList { "AB" };
    MakeWindow();
    TWinEmployees employees(*m_context, m_dialogs);
    m_win->WinEmployees = &employees;
    m_win->UpdateCommands();
    QVERIFY(m_win->MnuOperators->isEnabled());
    QCOMPARE(m_win->CBOperator->count(), 1);
    m_dialogs.QueueExec([this](QDialog&) {
        m_context->ListOperators = QStringList { "CD", "EF" };
        return int(QDialog::Rejected);
    });
    m_win->MnuOperators->trigger();
    QCOMPARE(m_win->CBOperator->count(), 1); // nothing reloaded without OK
    QVERIFY(!QFile::exists(m_context->BaseName() + ".cfr"));
    m_dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
    m_win->MnuOperators->trigger();
    QCOMPARE(m_win->CBOperator->count(), 2);
    QCOMPARE(m_win->CBOperator->itemText(1), QString("EF"));
    QVERIFY(QFile::exists(m_context->BaseName() + ".cfr"));
    m_win->WinEmployees = nullptr;
}

void TestTWinMain::smallScreenFontIsRefused()
{
    m_screen = { 1024, 768, 120 };
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(m_win->StartupRefused());
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text,
        QString("You  are not using the small screen font.\rYou must change it to the "
                "small one (96 pixels per inch)."));
    QVERIFY(!m_win->isVisible());
}

void TestTWinMain::screen640WideLeavesWithoutTheExitQuestion()
{
    m_context->Config.ShowAboutAtStart = true;
    m_screen = { 640, 480, 96 };
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(m_win->StartupRefused());
    QCOMPARE(m_dialogs.Boxes.size(), 1); // no exit question after the refusal
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Error);
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbOK));
    QCOMPARE(m_dialogs.Boxes[0].Text,
        QString("Your screen resolution is 640 x 480 pixels.\rThe programme needs a "
                "minimum resolution of 800 x 600 pixels.\rYou must change it."));
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty()); // no About window either
    QVERIFY(!m_win->isVisible());
    QVERIFY(m_win->close()); // a later close asks nothing
    QCOMPARE(m_dialogs.Boxes.size(), 1);
}

void TestTWinMain::aboutAtStartCanBeSwitchedOff()
{
    m_context->Config.ShowAboutAtStart = true;
    MakeWindow();
    m_dialogs.QueueExec([](QDialog& dialog) {
        auto& about = static_cast<TWinAbout&>(dialog);
        about.CheckBoxAvertir->setChecked(true);
        return int(QDialog::Accepted);
    });
    m_win->ShowMainWindow();
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinAbout" });
    QVERIFY(!m_context->Config.ShowAboutAtStart);
    QVERIFY(m_win->isVisible());
    QVERIFY(!m_win->StartupRefused());
}

void TestTWinMain::aboutFromTheMenuShowsTheBoxCleared()
{
    MakeWindow();
    m_about->CheckBoxAvertir->setChecked(true);
    bool seenChecked = true;
    m_dialogs.QueueExec([&](QDialog& dialog) {
        auto& about = static_cast<TWinAbout&>(dialog);
        seenChecked = about.CheckBoxAvertir->isChecked();
        about.CheckBoxAvertir->setChecked(true);
        return int(QDialog::Accepted);
    });
    m_win->MnuAbout->trigger();
    QVERIFY(!seenChecked);
    QVERIFY(!m_context->Config.ShowAboutAtStart); // ticking it from the menu changes nothing
    QCOMPARE(TWinAbout::RightsHolder().size(), 16);
    QCOMPARE(m_about->LblVersion->text(), QString("Version : stand-alone 3.21"));
}

void TestTWinMain::backupIntervalZeroStartsTheBackupLight()
{
    m_context->Config.BackupInterval = 0;
    m_context->Config.LastBackupDate = Today(); // even on the day of the last backup
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(m_win->TimerBackUp->isActive());
}

void TestTWinMain::recentBackupLeavesTheLightLime()
{
    m_context->Config.BackupInterval = 7;
    m_context->Config.LastBackupDate = Today() - 6;
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(!m_win->TimerBackUp->isActive());
    QCOMPARE(m_win->ShapeBackUp->BrushColor(), QColor(0, 255, 0));
    // Seven days make it due: equal counts as due.
    m_context->Config.LastBackupDate = Today() - 7;
    m_win->ApplyBackupReminder(false);
    QVERIFY(m_win->TimerBackUp->isActive());
}

void TestTWinMain::exitQuestionCanBeCancelled()
{
    MakeWindow();
    m_win->ShowMainWindow();
    m_dialogs.QueueAnswer(mbCancel);
    QVERIFY(!m_win->close());
    QVERIFY(m_win->isVisible());
    QCOMPARE(m_dialogs.Boxes.last().Text, QString("Exit Vantorel"));
    QCOMPARE(m_dialogs.Boxes.last().Type, TMsgType::Confirmation);
    QCOMPARE(m_dialogs.Boxes.last().Buttons, int(mbOK | mbCancel));
    m_dialogs.QueueAnswer(mbOK);
    QVERIFY(m_win->close());
}

void TestTWinMain::demonstrationLookIsKept()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 3, 45);
    a.LimitMode = { lmLocked, lmLocked, lmLocked };
    a.LockStart = { 0, 0, 0 };
    a.LockEnd = { 25, 25, 25 };
    RecomputeAll(a, m_context->Risks());
    ClassifyAll(a);
    for (int l = 0; l < 3; ++l)
        a.Point(30).Values[l].Status = psDiscarded;
    a.Point(30).CommentID = a.Comments.Add("Wrong calibrator");
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_win.get()));
    const QImage image = m_win->grab().toImage();
    QVERIFY(image.save(ArtifactPath("TWinMain.png")));
    // Three levels: the first band starts at y = 18, with the action limit on its top edge.
    const QImage box = m_win->PBox->grab().toImage();
    QCOMPARE(box.pixelColor(430, 18), QColor(255, 0, 0));
    QCOMPARE(box.pixelColor(430, 17), QColor(Qt::white));
    QCOMPARE(box.pixelColor(430, 80), QColor(192, 192, 192)); // a grid line between two points
}

VANTOREL_TEST(TestTWinMain)
#include "TestTWinMain.moc"
