#include "TAnalyte.h"
#include "TDates.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TWinAbout.h"
#include "TWinMain.h"
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
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

namespace {

double Today() { return DateToDayCount(QDate(2026, 3, 15)); }

// An analyte of `count` daily points ending yesterday, values around 5 on each level.
TAnalyte& AddAnalyte(TQCContext& context, const QString& name, int levels, int count)
{
    TAnalyte& a = context.ListAnalytes.Add(TAnalyte(name, "mmol/L", 1, levels));
    for (int l = 0; l < levels; ++l)
        a.SerumID[l] = l;
    for (int i = 0; i < count; ++i) {
        const double v = 5 + (i % 5) * 0.1;
        a.AddPoint(MakeResult(Today() - count + i + 0.5, v, 2 * v, 3 * v));
    }
    RecomputeAll(a, context.Risks());
    ClassifyAll(a);
    return a;
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

    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TPictures m_pictures;
    std::unique_ptr<TWinAbout> m_about;
    std::unique_ptr<TWinMain> m_win;
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
}

void TestTWinMain::cleanup()
{
    m_win.reset();
    m_about.reset();
}

void TestTWinMain::MakeWindow()
{
    m_about = std::make_unique<TWinAbout>();
    m_win = std::make_unique<TWinMain>(*m_context, m_dialogs, m_pictures);
    m_win->WinAbout = m_about.get();
    m_win->UpdateCommands();
    m_win->ScreenMetrics = [this] { return m_screen; };
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
                                          m_win->BtAffectation, m_win->BtArchives, m_win->BtBackup, m_win->BtFifo,
                                          m_win->BtExit };
    const QStringList captions = { "Data ta&ble", "D&aily QC", "&Control limits", "&Print charts", "Assign &lots",
                                   "Archi&ves", "Bac&kup", "&Queue", "E&xit" };
    const QStringList hints = { "Table of QC data", "Daily QC results", "Show control limits", "Printing control charts",
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
    const QStringList expected = { "Pa&rameters",        "  &Analytes",
                                   "  &Control materials", "  &Operators",
                                   "Confi&guration",     "  &Backup/restore options",
                                   "  &Password",        "  Statistical &risks",
                                   "  &Shortcuts",       "&File",
                                   "  &Diskette restore", "  &Export",
                                   "  &Import",          "Cl&ipboard",
                                   "  &Copy",            "  &Paste",
                                   "&Special functions", "  &Lock limits",
                                   "  &Fix limits",      "  &Erase/archive levels",
                                   "  &Random generator", "  &Clear queue",
                                   "&?",                 "  &User manual",
                                   "  &About" };
    QCOMPARE(MenuCaptions(m_win->menuBar()), expected);
    QCOMPARE(m_win->MnuLockLimits->data().toInt(), 1);
    QCOMPARE(m_win->MnuFixLimits->data().toInt(), 2);
    QCOMPARE(m_win->MnuEraseLevels->data().toInt(), 3);
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

void TestTWinMain::smallScreenFontIsRefused()
{
    m_screen = { 1024, 768, 120 };
    MakeWindow();
    m_win->ShowMainWindow();
    QVERIFY(m_win->StartupRefused());
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("You  are not using the small screen font.\rYou must change it to the "
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
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Your screen resolution is 640 x 480 pixels.\rThe programme needs a "
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
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "WinAbout" });
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

QTEST_MAIN(TestTWinMain)
#include "TestTWinMain.moc"
