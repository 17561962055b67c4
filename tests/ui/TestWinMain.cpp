#include "TAnalyte.h"
#include "TArchive.h"
#include "TColors.h"
#include "TDataFile.h"
#include "TFifoFile.h"
#include "TGBArchivage.h"
#include "TGBLockedParam.h"
#include "TLimitSheets.h"
#include "TMainWindowFixture.h"
#include "TShape.h"
#include "TV2Sample.h"
#include "TWin1252.h"
#include "TWinEmployees.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimeEdit>
#include <QTimer>

namespace {

using F = TMainWindowFixture;

const QDateTime Morning(QDate(2026, 3, 15), QTime(8, 0));

// Types a run into the form and presses OK; the validation window answers `result`.
void Enter(F& f, const QDateTime& when, const QStringList& values, int result, const QString& op = {})
{
    f.Win->DatePicker->setDate(when.date());
    f.Win->TimePicker->setTime(when.time());
    for (int i = 0; i < values.size(); ++i)
        f.Win->EditValue[i]->setText(values[i]);
    f.Win->CBOperator->setEditText(op);
    f.Dialogs.QueueExec([result](QDialog&) { return result; });
    f.Win->BtOKEnter->click();
}

// A held-back run of the analyte named `name`, this morning.
TResu0 HeldRun(const QString& name, double v1, double v3 = NAN)
{
    TResu0 run = MakeResult(F::Today() + 0.25, v1, NAN, v3, "AB", "held");
    run.Analyte = name;
    return run;
}

// The first values of the runs the queue file holds, head first.
QList<float> QueueFileValues(const F& f)
{
    TFifo fifo;
    fifo.SetStore(FifoFileStore(f.Context->BaseName() + ".fif"));
    QList<float> values;
    for (int i = 0; fifo.Load() && i < fifo.Count(); ++i)
        values.append(fifo.Item(i).Values[0].Value);
    return values;
}

std::function<int(QDialog&)> AddImported(QStringList& lines)
{
    return [&lines](QDialog& dialog) {
        auto& import = static_cast<TWinImport&>(dialog);
        for (int i = 0; i < import.LB->count(); ++i)
            lines << import.LB->item(i)->text();
        import.BtAdd->click();
        return dialog.result();
    };
}

using TStep = std::function<void(F&)>;

// The box a refusal shows: an error with OK or with Yes, or a confirmation answered Cancel.
enum TBox { ErrorOk, ErrorYes, Cancelled };

struct TRefusal {
    const char* Name;
    TStep Setup; // before the window shows
    TStep Prepare; // on the shown window
    TStep Command; // none: the start-up itself is refused
    TBox Box;
    QString Text;
};

void Nothing(F&) { }
void Glucose(F& f) { AddDailyAnalyte(*f.Context, "Glucose", 2, 5, F::Today()); }
void Archi(F& f) { f.Win->Sheets->MnuChangePageControl(TSheet::Archi); }
void MarkFirstLevel(F& f)
{
    Archi(f);
    f.Win->Sheets->GBArchi[0]->BtArchi->click();
}
void Erase(F& f) { f.Win->Sheets->BtOKErase->click(); }
TStep Menu(QAction* TWinMain::*entry)
{
    return [entry](F& f) { ((*f.Win).*entry)->trigger(); };
}
TStep Click(QPushButton* TWinMain::*button)
{
    return [button](F& f) { ((*f.Win).*button)->click(); };
}
TStep Choose(const QString& file)
{
    return [file](F& f) { f.Dialogs.QueueFileName(f.Path(file)); };
}
void LockFirstLevel(F& f) { f.Win->Sheets->GBLocked[0]->BtLock->click(); }

const TRefusal Refusals[] = {
    { "special sheet without analyte", Nothing, Nothing, Menu(&TWinMain::MnuLockLimits), ErrorOk, "No analyte." },
    { "export without analyte", Nothing, Choose("out.txt"), Menu(&TWinMain::MnuExport), ErrorOk, "No analyte" },
    { "print charts without a point", [](F& f) { AddDailyAnalyte(*f.Context, "Glucose", 2, 0, F::Today()); }, Nothing,
        Click(&TWinMain::BtPrnGraph), ErrorYes, "Nothing to print" },
    { "copy without analyte", Nothing, Nothing, Menu(&TWinMain::MnuCopy), ErrorYes, "Nothing to copy." },
    { "paste without analyte", Nothing, Nothing, Menu(&TWinMain::MnuPaste), ErrorYes, "No analyte to paste" },
    { "paste an empty clipboard", Glucose, [](F&) { QGuiApplication::clipboard()->clear(); }, Menu(&TWinMain::MnuPaste),
        ErrorYes, "Bad clipboard format" },
    { "recall from an empty queue", Glucose, Nothing, Click(&TWinMain::BtFifo), ErrorYes, "Nothing hold in the queue" },
    { "clear an empty queue", Nothing, Nothing, Menu(&TWinMain::MnuClearFifo), ErrorYes, "Nothing hold in the queue." },
    { "clear the queue, cancelled", [](F& f) { f.Context->ListFifo.Push(HeldRun("Glucose", 5)); }, Nothing,
        Menu(&TWinMain::MnuClearFifo), Cancelled, "Erase 1 control points in the queue ?" },
    { "import text without analyte", Nothing, Choose("runs.txt"), Menu(&TWinMain::MnuImport), ErrorYes,
        "No analyte to import data" },
    { "import a missing text file", Glucose, Choose("gone.txt"), Menu(&TWinMain::MnuImport), ErrorYes,
        "Bad file format\rCannot open <folder>/gone.txt: No such file or directory" },
    { "import a current data file as version 2",
        [](F& f) {
            Glucose(f);
            QVERIFY(SaveData(*f.Context, f.Path("Vantorel.dat")));
        },
        Choose("Vantorel.dat"), Menu(&TWinMain::MnuImport), ErrorYes,
        "Cannot read data\rFinal stamp: Not a version-2 stamp at byte 598" },
    { "export over a file, cancelled", Glucose,
        [](F& f) {
            QVERIFY(PutFile(f.Path("old.txt"), "previous export"));
            f.Dialogs.QueueFileName(f.Path("old.txt"));
        },
        Menu(&TWinMain::MnuExport), Cancelled, "The file <folder>/old.txt\ralready exists. Overwrite ?" },
    { "enter blanks", Glucose, [](F& f) { f.Win->EditValue[0]->setText("   "); }, Click(&TWinMain::BtOKEnter), ErrorYes,
        "Enter data" },
    { "enter a wrong number", [](F& f) { AddDailyAnalyte(*f.Context, "Glucose", 3, 5, F::Today()); },
        [](F& f) {
            for (int i = 0; i < 3; ++i)
                f.Win->EditValue[i]->setText(QStringList { "5.1", "1,2,3", "abc" }[i]);
        },
        [](F& f) {
            f.Win->BtOKEnter->click();
            QCOMPARE(f.Win->EditValue[1]->selectedText(), QString("1,2,3")); // ready to be corrected
        },
        ErrorOk, "Incorrect floating number" },
    { "lock without interval", Glucose, Menu(&TWinMain::MnuLockLimits), LockFirstLevel, ErrorOk,
        "Define a date interval at the bottom of the charts\r - click on one end of the interval, then Shift+click "
        "on the other end\r - or click on one end and glide to the other end;\rThe selected date interval is "
        "spotted in light blue." },
    { "lock on equal values",
        [](F& f) {
            f.AddAnalyte("Glucose", 1, { { 5 }, { 5 }, { 5 }, { 6 } });
        },
        [](F& f) {
            f.Win->MnuLockLimits->trigger();
            f.Press(0);
            f.Press(2, Qt::ShiftModifier);
        },
        LockFirstLevel, ErrorOk, "Not enough QC points in the dates interval for Lyphocheck 1" },
    { "fix with warning above action", Glucose, Menu(&TWinMain::MnuFixLimits),
        [](F& f) { TypeLimits(*f.Win->Sheets->GBFixed[0], "5", "0.4", "0.3"); }, ErrorOk, "Action < Warning" },
    { "archive a level without data",
        [](F& f) {
            f.AddAnalyte("Glucose", 2, { { 5, NAN } });
        },
        Archi, [](F& f) { f.Win->Sheets->BtArchiClick(1); }, ErrorYes, "Nothing to archive" },
    { "erase without marks", Glucose, Archi, Erase, ErrorYes, "Nothing to erase" },
    { "erase after the list was refilled", Glucose,
        [](F& f) {
            MarkFirstLevel(f);
            f.Win->FillAnalyteList(); // back to the entry sheet, as after an editor
            QVERIFY(f.Win->Sheets->Current() == TSheet::Enter && !f.Win->ChartView().Erase[0]);
            Archi(f);
        },
        Erase, ErrorYes, "Nothing to erase" },
    { "erase, cancelled", Glucose, MarkFirstLevel, Erase, Cancelled,
        "You are going to erase/archive the data of 1 QC level(s) for Glucose\r" },
    { "exit, cancelled", Nothing, Nothing, [](F& f) { f.Win->close(); }, Cancelled, "Exit Vantorel" },
    { "screen font not small", [](F& f) { f.Screen.LogicalDpi = 120; }, Nothing, nullptr, ErrorOk,
        "You  are not using the small screen font.\rYou must change it to the small one (96 pixels per inch)." },
    { "screen 640 pixels wide, About due",
        [](F& f) {
            f.Screen = { 640, 480, 96 };
            f.Context->Config.ShowAboutAtStart = true;
        },
        Nothing, nullptr, ErrorOk,
        "Your screen resolution is 640 x 480 pixels.\rThe programme needs a minimum resolution of 800 x 600 "
        "pixels.\rYou must change it." },
};

} // namespace

// Driven through the window's controls with scripted boxes; the refusals of the Lock, Fix and Archi sheets too.
class TestWinMain : public TMainWindowTest {
    Q_OBJECT
private slots:
    void commandsFollowTheirWindows()
    {
        TWinMain& w = f.Show();
        QList<QAction*> windowed { w.MnuAbout, w.MnuPaste, w.MnuImport };
        for (QAction* a : windowed + QList<QAction*> { w.MnuCopy, w.MnuExport, w.MnuUserManual })
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        QVERIFY(w.BtOKEnter->isEnabled() && w.BtFifo->isEnabled());
        w.WinAbout = nullptr;
        w.WinValidCQ = nullptr;
        w.WinImport = nullptr;
        w.UpdateCommands();
        for (QAction* a : windowed)
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(!w.BtOKEnter->isEnabled() && !w.BtFifo->isEnabled());
        QVERIFY(w.MnuCopy->isEnabled() && w.MnuExport->isEnabled()); // no window of their own
    }

    void analyteListShowsTheChosenAnalytesLevels()
    {
        TWinMain& w = f.Show();
        QCOMPARE(w.LBAnalytes->count(), 0);
        QVERIFY(f.Context->CurrentAnalyte == nullptr);
        QVERIFY(w.PanelNomAnal->text().isEmpty());
        QVERIFY(w.EditValue[0]->isHidden() && w.LblLevel[0]->isHidden());

        AddDailyAnalyte(*f.Context, "Glucose", 3, 10, F::Today()).SerumID[2] = 77; // a lot that does not exist
        TAnalyte& calcium = AddDailyAnalyte(*f.Context, "Calcium", 2, 5, F::Today());
        calcium.Units = "g/L";
        w.FillAnalyteList();
        QCOMPARE(Join(w.LBAnalytes->currentRow(), w.PanelNomAnal->text(), w.LblLevel[0]->text(), w.LblLevel[2]->text()),
            "0 Glucose Lyphocheck 1 Unknown");
        QVERIFY(!w.EditValue[2]->isHidden());
        QVERIFY(w.ScrollBar->isHidden() && w.PanelDateDeb->isHidden()); // ten points fit in the window
        w.LBAnalytes->setCurrentRow(1);
        QCOMPARE(f.Context->CurrentAnalyte, &calcium);
        QCOMPARE(w.LblUnit[1]->text(), QString("g/L"));
        QVERIFY(w.EditValue[2]->isHidden() && w.LblLevel[2]->isHidden());
        w.FillAnalyteList(); // a refill keeps the analyte shown
        QCOMPARE(w.LBAnalytes->currentRow(), 1);
        QCOMPARE(f.Context->CurrentAnalyte, &calcium);
    }

    // A second OK waiting while the first one is handled (a double click, or
    // two Enters), also while the validation window answers messages, is
    // ignored: one run is stored, nothing else is asked.
    void secondOkWhileStoringStoresOneRun()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 1, 5, F::Today());
        TWinMain& w = f.Show();
        w.EditValue[0]->setText("5.1");
        for (int i = 0; i < 2; ++i)
            f.Dialogs.QueueExec([](QDialog&) {
                QCoreApplication::processEvents(); // as a modal window's own loop does
                return int(QDialog::Accepted);
            });
        QMetaObject::invokeMethod(&w, &TWinMain::BtOKEnterClick, Qt::QueuedConnection);
        w.BtOKEnter->click();
        QCoreApplication::processEvents();
        QCOMPARE(Join(a.Count(), f.Dialogs.ExecutedWindows.size(), f.Dialogs.Boxes.size()), "6 1 0");
    }

    void entryStoresOnOkAndHoldsOnCancel()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 3, 40, F::Today());
        f.Context->Config.BackupInterval = 7;
        f.Context->Config.LastBackupDate = F::Today() - 6;
        TWinMain& w = f.Show();
        QVERIFY(!w.TimerBtFifo->isActive() && !w.TimerBackUp->isActive());
        f.Context->Config.LastBackupDate = F::Today() - 7; // a backup is due from now on
        Enter(f, Morning, { "5.1" }, QDialog::Rejected, "CD");
        QCOMPARE(a.Count(), 40);
        QVERIFY(!QFile::exists(DataFileName(*f.Context)));
        QCOMPARE(QueueFileValues(f), QList<float> { 5.1f });
        QCOMPARE(f.Context->ListFifo.Item(0).Analyte + f.Context->ListFifo.Item(0).Operator, QString("GlucoseCD"));
        QCOMPARE(w.BtFifo->text(), QString("&Queue : 1"));
        QVERIFY(w.TimerBtFifo->isActive() && w.TimerBackUp->isActive());
        QVERIFY(w.EditValue[0]->text().isEmpty()); // cleared for the next run
        w.TimerBackUpTimer(); // each tick turns the light red, then button face
        QCOMPARE(w.ShapeBackUp->BrushColor(), Colors::Red);
        w.TimerBackUpTimer();
        QCOMPARE(w.ShapeBackUp->BrushColor(), QApplication::palette().color(QPalette::Button));
        f.Context->Config.LastBackupDate = F::Today(); // backed up: the next start shows it lime
        w.FormShow();
        QVERIFY(!w.TimerBackUp->isActive() && w.ShapeBackUp->BrushColor() == Colors::Lime);

        // Between points 5 and 6, before the chart window: the window moves to show it.
        QCOMPARE(w.ChartView().First, 9);
        const QDateTime when = DayCountToDateTime(a.Point(5).DateTime).addSecs(3600);
        Enter(f, when, { "5,2", "", "10.4" }, QDialog::Accepted, " AB ");
        QCOMPARE(Join(a.Count(), w.SelectedPoint(), w.ChartView().First, w.ScrollBar->value()), "41 6 0 0");
        const TQCPoint& p = a.Point(6);
        QCOMPARE_NEAR(p.DateTime, DateTimeToDayCount(when), 1e-9);
        QCOMPARE(p.Values[0].Value, 5.2f);
        QCOMPARE(p.Values[2].Value, 10.4f);
        QCOMPARE(Join(p.Values[1].Status, p.Values[2].Status, p.Operator()), Join(psNoValue, psLowAction, "AB"));
        QVERIFY(w.EditValue[0]->text().isEmpty());
        QVERIFY(f.DataFileAsInMemory());
        QCOMPARE(f.Dialogs.ExecutedWindows, (QStringList { "TWinValidCQ", "TWinValidCQ" }));

        // A data file that cannot be written is reported; the run stays in memory.
        QVERIFY(QFile::remove(DataFileName(*f.Context)) && QDir().mkpath(DataFileName(*f.Context)));
        Enter(f, Morning, { "5" }, QDialog::Accepted);
        QCOMPARE(a.Count(), 42);
        const QString reason = "Cannot write " + DataFileName(*f.Context) + ": Is a directory";
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, "Cannot save data\r" + reason, mbYes), QString());
    }

    void correctAndClearFillTheForm()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 2, 5, F::Today());
        f.Context->ListOperators = QStringList { "AB", "CD" };
        const int index = a.AddPoint(MakeResult(F::Today() - 2 + 0.25, 4.26, NAN, NAN, "XY", "check"));
        TWinMain& w = f.Show();
        w.CorrectPoint(&a.Point(index));
        QVERIFY(w.Correcting() && a.Count() == 6); // in the form, and still stored
        QCOMPARE(w.EditValue[0]->text(), QString("4.3"));
        QVERIFY(w.EditValue[1]->text().isEmpty());
        QCOMPARE(w.CBOperator->currentText() + w.EditComment->text(), QString("XYcheck"));
        QCOMPARE(QDateTime(w.DatePicker->date(), w.TimePicker->time()), QDateTime(QDate(2026, 3, 13), QTime(6, 0)));
        TQCPoint stranger;
        w.CorrectPoint(&stranger);
        QCOMPARE(a.Count(), 6);

        w.BtRAZEntryFields->click();
        QVERIFY(!w.Correcting() && a.Count() == 6);
        QCOMPARE(w.EditValue[0]->text() + w.EditComment->text() + w.CBOperator->currentText(), QString());
        QCOMPARE(w.CBOperator->count(), 2); // the operators stay
        QCOMPARE(QDateTime(w.DatePicker->date(), w.TimePicker->time()), QDateTime(QDate(2026, 3, 15), QTime(10, 30)));
    }

    void aboutAndOperatorsWindows()
    {
        f.Context->Config.ShowAboutAtStart = true;
        f.Context->ListOperators = QStringList { "AB" };
        bool checked = true;
        const auto tick = [&checked](QDialog& dialog) {
            auto& about = static_cast<TWinAbout&>(dialog);
            checked = about.CheckBoxAvertir->isChecked();
            about.CheckBoxAvertir->setChecked(true);
            return int(QDialog::Accepted);
        };
        f.Dialogs.QueueExec(tick);
        TWinMain& w = f.Show();
        QVERIFY(!f.Context->Config.ShowAboutAtStart); // ticked at start: not shown again
        f.Context->Config.ShowAboutAtStart = true;
        f.Dialogs.QueueExec(tick);
        w.MnuAbout->trigger();
        QVERIFY(!checked); // shown cleared from the menu
        QVERIFY(f.Context->Config.ShowAboutAtStart); // and ticking it there changes nothing

        w.WinEmployees = new TWinEmployees(*f.Context, f.Dialogs, &w); // the window's child
        w.UpdateCommands();
        f.Dialogs.QueueExec([this](QDialog&) {
            f.Context->ListOperators = QStringList { "CD", "EF" };
            return int(QDialog::Rejected);
        });
        w.MnuOperators->trigger();
        QCOMPARE(w.CBOperator->count(), 1); // nothing reloaded without OK
        QVERIFY(!QFile::exists(f.Context->BaseName() + ".cfr"));
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
        w.MnuOperators->trigger();
        QCOMPARE(w.CBOperator->itemText(1), QString("EF"));
        QVERIFY(QFile::exists(f.Context->BaseName() + ".cfr"));
    }

    void chartsArePaintedAndPrinted()
    {
        AddDailyAnalyte(*f.Context, "Glucose", 3, 45, F::Today());
        TWinMain& w = f.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.grab().toImage().save(ArtifactPath("TWinMain.png")));
        // Three levels: the first band's action limit runs along its top edge.
        const QImage box = w.PBox->grab().toImage();
        QCOMPARE(box.pixelColor(430, FirstBandTop(3)), Colors::Red);
        QCOMPARE(box.pixelColor(430, FirstBandTop(3) - 1), QColor(Qt::white));
        w.BtPrnGraph->click(); // printing opens its window for the analyte
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList { "TWinPrnCharts" });
        QCOMPARE(f.PrnCharts->windowTitle(), QString("Print QC charts for Glucose"));
    }

    void refusalsShowTheirBoxAndChangeNothing_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(Refusals)); ++i)
            QTest::newRow(Refusals[i].Name) << i;
    }

    void refusalsShowTheirBoxAndChangeNothing()
    {
        QFETCH(int, row);
        const TRefusal& r = Refusals[row];
        r.Setup(f);
        if (r.Command) {
            f.Show();
            r.Prepare(f);
        }
        const QString before = f.Snapshot();
        const TSheet sheet = f.Win ? f.Win->Sheets->Current() : TSheet::Enter;
        f.Dialogs.Boxes.clear();
        if (r.Box == Cancelled)
            f.Dialogs.QueueAnswer(mbCancel);
        r.Command ? r.Command(f) : void(f.Show());
        const QString text = QString(r.Text).replace("<folder>", f.Path(""));
        const int buttons = r.Box == ErrorOk ? mbOK : (r.Box == ErrorYes ? mbYes : mbOK | mbCancel);
        QVERIFY_ONE_BOX(f.Dialogs, r.Box == Cancelled ? TMsgType::Confirmation : TMsgType::Error, text, buttons);
        QCOMPARE(f.Snapshot(), before);
        QVERIFY(f.Dialogs.ExecutedWindows.isEmpty() && f.Win->Sheets->Current() == sheet);
        QCOMPARE(f.Win->isVisible(), bool(r.Command));
        // A refused start-up closes without the exit question.
        QVERIFY(r.Command || (f.Win->StartupRefused() && f.Win->close() && f.Dialogs.Boxes.size() == 1));
    }

    void recallStoresTheHeadRunOrSendsItToTheTail()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 2, 5, F::Today());
        for (double v : { 4.1, 4.2 })
            QVERIFY(f.Context->ListFifo.Push(HeldRun("Glucose", v)));
        TWinMain& w = f.Show();
        w.EditValue[0]->setText("7");
        Recall(QDialog::Rejected);
        QCOMPARE(a.Count(), 5);
        QCOMPARE(QueueFileValues(f), (QList<float> { 4.2f, 4.1f }));
        QCOMPARE(f.Context->ListFifo.Item(1).Comment, QString("held")); // the run comes back whole
        QVERIFY(!QFile::exists(DataFileName(*f.Context)));
        QCOMPARE(w.EditValue[0]->text(), QString("7")); // the form is left alone

        Recall(QDialog::Accepted);
        QCOMPARE(Join(a.Count(), w.SelectedPoint(), w.ChartView().Last, w.BtFifo->text()), "6 5 5 &Queue : 1");
        QCOMPARE(a.Point(5).Values[0].Value, 4.2f);
        QCOMPARE(QueueFileValues(f), QList<float> { 4.1f });
        QVERIFY(w.EditValue[0]->text().isEmpty());
        QVERIFY(f.DataFileAsInMemory());

        w.TimerBtFifoTimer();
        Recall(QDialog::Accepted);
        QCOMPARE(a.Count(), 7);
        QVERIFY(!w.TimerBtFifo->isActive());
        QCOMPARE(w.ShapeFifo->BrushColor(), Colors::Lime);
        QCOMPARE(FileContent(f.Context->BaseName() + ".fif"), QByteArray()); // an empty queue leaves an empty file
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        f.Context->Config.LastBackupDate = F::Today() - 7; // due: the light follows even a refused recall
        w.BtFifo->click();
        QVERIFY(w.TimerBackUp->isActive());
    }

    void recallShowsTheRunsAnalyte_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("level3");
        QTest::addColumn<int>("row"); // of the analyte shown
        QTest::newRow("unknown name: a new analyte") << "Urea" << double(NAN) << 2;
        QTest::newRow("a level beyond the analyte's") << "Glucose" << 15.2 << 0;
    }

    void recallShowsTheRunsAnalyte()
    {
        QFETCH(QString, name);
        QFETCH(double, level3);
        QFETCH(int, row);
        AddDailyAnalyte(*f.Context, "Glucose", 1, 5, F::Today());
        AddDailyAnalyte(*f.Context, "Calcium", 1, 5, F::Today());
        QVERIFY(f.Context->ListFifo.Push(HeldRun(name, 6.5, level3)));
        TWinMain& w = f.Show();
        QVERIFY(w.EditValue[2]->isHidden());
        Recall(QDialog::Rejected); // shown even when its run goes back to the queue
        QCOMPARE(f.Context->CurrentAnalyte, f.Context->ListAnalytes.At(row));
        QVERIFY(w.LBAnalytes->count() == f.Context->ListAnalytes.Count() && w.LBAnalytes->currentRow() == row);
        QCOMPARE(w.EditValue[2]->isHidden(), f.Context->CurrentAnalyte->NbLevels < 3);
    }

    void commandsLeaveASpecialSheetAsByCancel_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer"); // to the queue's question
        QTest::newRow("queue recall, leaving agreed") << 0 << int(mbOK);
        QTest::newRow("queue recall, sheet kept") << 0 << int(mbCancel);
        QTest::newRow("paste") << 1 << 0;
        QTest::newRow("import") << 2 << 0;
    }

    void commandsLeaveASpecialSheetAsByCancel()
    {
        QFETCH(int, command);
        QFETCH(int, answer);
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 1, 5, F::Today());
        QVERIFY(f.Context->ListFifo.Push(HeldRun("Glucose", 5.1)));
        TWinMain& w = f.Show();
        w.MnuFixLimits->trigger();
        FixLevel(a, 0, 5, 0.2, 0.3, f.Context->Risks()); // as the sheet's Fixed button does
        if (answer)
            f.Dialogs.QueueAnswer(answer);
        (command == 0 ? w.BtFifo->click() : (command == 1 ? w.MnuPaste : w.MnuImport)->trigger());
        const bool kept = answer == mbCancel;
        QCOMPARE(w.Sheets->Current() == TSheet::Fix, kept);
        QCOMPARE(int(a.LimitMode[0]), int(kept ? lmFixed : lmMobile));
        QCOMPARE(answer != 0, f.Dialogs.Boxes.value(0).Text.contains("leaves the sheet \"Fixing control limits\""));
        QCOMPARE(f.Context->ListFifo.Count(), 1); // recalled and held back again, or not recalled
    }

    void startsCentredWithTodayInThePickers()
    {
        TWinMain& w = f.Show(); // no analyte, on a screen of 1024 x 768
        QVERIFY(qAbs(w.frameGeometry().center().x() - 512) <= 1 && qAbs(w.frameGeometry().center().y() - 384) <= 1);
        const QDateTime now = f.Context->Clock().Now();
        QCOMPARE(w.DatePicker->date(), now.date());
        QCOMPARE(w.TimePicker->time().toString("hh:mm"), now.time().toString("hh:mm"));
    }

    void copyThenPasteAddsThroughTheImportWindow()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 2, 3, F::Today());
        TWinMain& w = f.Show();
        w.MnuCopy->trigger();
        const QString copied
            = "\rThe data for Glucose are now copied in the clipboard.\rYou can paste them in a spreadsheet.";
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Information, copied, mbYes), QString());
        // A recalled run is selected; adding pasted runs drops the selection and the chart window follows them.
        QVERIFY(f.Context->ListFifo.Push(HeldRun("Glucose", 5.25)));
        Recall(QDialog::Accepted);
        QCOMPARE(w.SelectedPoint(), 3);
        QStringList lines;
        f.Dialogs.QueueExec(AddImported(lines));
        w.MnuPaste->trigger();
        QCOMPARE(Join(f.Dialogs.ExecutedWindows.last(), lines.size(), a.Count(), w.SelectedPoint(), w.ChartView().Last),
            "TWinImport 3 7 -1 6");
        QVERIFY(f.DataFileAsInMemory());
    }

    void exportWritesTheTextAndOpensNextInItsFolder()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 2, 3, F::Today());
        TWinMain& w = f.Show();
        QVERIFY(QDir(f.Path("")).mkdir("exports"));
        f.Dialogs.QueueFileName(f.Path("exports/glucose"));
        w.MnuExport->trigger();
        QVERIFY(f.Dialogs.Boxes.isEmpty()); // a new file asks nothing
        const QByteArray bytes = ToWin1252(AsText(a)) + QByteArray(1, '\0');
        QCOMPARE(FileContent(f.Path("exports/glucose.txt")), bytes);
        // The next chooser opens where that file went, and replacing it is confirmed.
        QVERIFY(QFile::resize(f.Path("exports/glucose.txt"), 20000));
        f.Dialogs.QueueFileName(f.Path("exports/glucose.txt"));
        w.MnuExport->trigger();
        QCOMPARE(f.Dialogs.FileFolders, (QStringList { f.Context->ProgramFolder(), f.Path("exports") }));
        QCOMPARE(f.Dialogs.Boxes.size(), 1);
        QCOMPARE(FileContent(f.Path("exports/glucose.txt")), bytes);
        // A file that cannot be written is reported; the import's chooser keeps its own folder.
        QVERIFY(QDir(f.Path("")).mkdir("taken.txt"));
        f.Dialogs.QueueFileName(f.Path("taken.txt"));
        w.MnuExport->trigger();
        QVERIFY(f.Dialogs.Boxes.last().Text.startsWith("Cannot write " + f.Path("taken.txt")));
        w.MnuImport->trigger();
        QCOMPARE(f.Dialogs.FileFolders.last(), f.Context->ProgramFolder());
    }

    void importReadsTextAndVersion2Files()
    {
        TAnalyte& a = AddDailyAnalyte(*f.Context, "Glucose", 2, 0, F::Today());
        TWinMain& w = f.Show();
        const QString day = ShortDateText(F::Today() - 2);
        QVERIFY(PutFile(
            f.Path("runs.txt"), ToWin1252("Date\tTime\tQC1 \u00b5mol/L\r\n" + day + "\t08:15:00\t5,42\t12.1\r\n")));
        f.Dialogs.QueueFileName(f.Path("runs.txt"));
        QStringList lines;
        f.Dialogs.QueueExec(AddImported(lines));
        w.MnuImport->trigger();
        QCOMPARE(lines, QStringList { day + "\t08:15:00\t5.4\t12.1" });
        QCOMPARE(a.Count(), 1);
        QCOMPARE(a.Point(0).Values[0].Value, 5.42f);
        QVERIFY(f.DataFileAsInMemory());

        // A version-2 file appends its analytes without the import window.
        QVERIFY(QDir(f.Path("")).mkdir("old"));
        const QString name = f.Path("old/VANTOREL.Sav"); // the letters choose the reader whatever their case
        QVERIFY(PutFile(name, V2Image(OldSample())));
        f.Dialogs.QueueFileName(name);
        w.MnuImport->trigger();
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList { "TWinImport" });
        // The list keeps showing the analyte it showed.
        QCOMPARE(Join(w.LBAnalytes->count(), w.LBAnalytes->item(2)->text(), w.LBAnalytes->currentRow()), "3 Urea 0");
        QCOMPARE(f.Context->CurrentAnalyte, &a);
        QVERIFY(f.DataFileAsInMemory()); // saved at once
        w.MnuImport->trigger();
        QCOMPARE(f.Dialogs.FileFolders, (QStringList { f.Context->ProgramFolder(), f.Path(""), f.Path("old") }));
    }

    void passwordGuardsClearingTheQueueAndTheSpecialSheets()
    {
        f.AddAnalyte("Glucose", 1, { { 5 }, { 6 } });
        for (double v : { 5.0, 6.0 })
            QVERIFY(f.Context->ListFifo.Push(HeldRun("Glucose", v)));
        f.Context->Config.Password = "KEY";
        TWinMain& w = f.Show();
        for (QAction* command : { w.MnuClearFifo, w.MnuLockLimits }) {
            f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Rejected); });
            command->trigger();
        }
        QVERIFY(f.Context->ListFifo.Count() == 2 && f.Dialogs.Boxes.isEmpty() && Sheet() == TSheet::Enter);
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
        w.MnuClearFifo->trigger();
        QCOMPARE(f.Dialogs.Boxes.size(), 1); // the confirmation, answered OK
        QVERIFY(FileContent(f.Context->BaseName() + ".fif").isEmpty());
        QCOMPARE(w.BtFifo->text(), "&Queue : 0");
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
        w.MnuLockLimits->trigger();
        QVERIFY(Sheet() == TSheet::Lock);
        w.MnuFixLimits->trigger(); // between special sheets nothing is asked
        w.MnuEraseLevels->trigger();
        QCOMPARE(Sheet(), TSheet::Archi);
        QCOMPARE(f.Dialogs.ExecutedWindows, QStringList(4, "TWinEntryPsw"));
        f.Win->Sheets->BtCancelArchi->click();
        w.MnuFixLimits->trigger(); // asked again from the entry sheet
        QCOMPARE(f.Dialogs.ExecutedWindows.size(), 5);
        QCOMPARE(Sheet(), TSheet::Enter);
    }

private:
    TSheet Sheet() { return f.Win->Sheets->Current(); }
    void Recall(int result)
    {
        f.Dialogs.QueueExec([result](QDialog&) { return result; });
        f.Win->BtFifo->click();
    }
};

VANTOREL_TEST(TestWinMain)
#include "TestWinMain.moc"
