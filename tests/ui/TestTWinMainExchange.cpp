#include "TAnalyte.h"
#include "TArchive.h"
#include "TDailyAnalyte.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TGBFixedParam.h"
#include "TLimitSheets.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TV2Sample.h"
#include "TWin1252.h"
#include "TWinImport.h"
#include "TWinMain.h"
#include "TWinValidCQ.h"
#include "TestHelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

double Today() { return DateToDayCount(QDate(2026, 3, 15)); }

TAnalyte& AddAnalyte(TQCContext& context, const QString& name, int levels, int count)
{
    return AddDailyAnalyte(context, name, levels, count, Today());
}

// A held-back run of the analyte named `name`, this morning.
TResu0 HeldRun(const QString& name, double v1, double v2 = NAN, double v3 = NAN, const QString& op = "AB")
{
    TResu0 run = MakeResult(Today() + 0.25, v1, v2, v3, op, "held");
    run.Analyte = name;
    return run;
}

QByteArray ReadBytes(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The first values of the runs the queue file holds, head first.
QList<float> QueueFileValues(const QString& fileName)
{
    TFifo fifo;
    fifo.SetFileName(fileName);
    QList<float> values;
    if (!fifo.Load())
        return values;
    for (int i = 0; i < fifo.Count(); ++i)
        values.append(fifo.Item(i).Values[0].Value);
    return values;
}

} // namespace

// Exactly one box was shown, this one.
#define QCOMPARE_ONLY_BOX(type, text, buttons)                                                                         \
    do {                                                                                                               \
        const QString difference_ = m_dialogs.OnlyBoxDifference(type, text, buttons);                                  \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                                      \
    } while (false)

// The main window's queue recall, clipboard, export and import commands.
class TestTWinMainExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandsFollowTheirWindows();

    // Queue recall
    void emptyQueueSaysNothingHold();
    void cancelledRunGoesToTheTailAndTheNextIsOffered();
    void dataFileIsWrittenOnOkOnly();
    void unknownAnalyteIsCreated();
    void nameIsFoundWhateverItsCase();
    void levelsGrowForValuesBeyondThem();
    void recallLeavesTheFixSheetAsByItsCancel();

    // Clipboard
    void copyWithoutAnalyteSaysNothingToCopy();
    void copyThenPasteGivesOneLinePerPoint();
    void pasteWithoutAnalytesSaysSo();
    void pasteWithoutTextIsABadClipboardFormat();
    void pasteLeavesTheFixSheetAsByItsCancel();

    // Export
    void exportWithoutAnalyteSaysNoAnalyte();
    void exportReplacesALongerFileWholly();
    void overwriteCancelLeavesTheFile();
    void exportAddsTxtAndOpensNextInThatFolder();
    void failedExportIsReportedAndKeepsTheFile();

    // Import
    void version2FileAppendsAnalytesAndRefillsTheList();
    void currentDataFileOfferedAsVersion2CannotBeRead();
    void textImportWithoutAnalytesSaysSo();
    void textFileGoesThroughTheImportWindow();
    void unreadableTextFileIsABadFileFormat();

private:
    void MakeWindow();
    QString FifoFile() const { return m_context->BaseName() + ".fif"; }
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    // Clicks the queue button; the validation window answers `result`.
    void Recall(int result);
    // Opens the Fix sheet and fixes level 1 of the current analyte.
    void FixFirstLevel();

    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TPictures m_pictures;
    std::unique_ptr<TWinValidCQ> m_valid;
    std::unique_ptr<TWinImport> m_import;
    std::unique_ptr<TWinMain> m_win;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTWinMainExchange::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_pictures.Load());
}

void TestTWinMainExchange::init()
{
    m_context = MakeTestContext();
    m_context->Config.LastBackupDate = Today();
    m_context->Config.ShowAboutAtStart = false;
    m_dialogs = TScriptedDialogs();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_context->SetProgramFolder(m_dir->path());
    m_context->ListFifo.SetFileName(FifoFile());
}

void TestTWinMainExchange::cleanup()
{
    m_win.reset();
    m_import.reset();
    m_valid.reset();
    m_context.reset();
    m_dir.reset();
}

void TestTWinMainExchange::MakeWindow()
{
    m_win = std::make_unique<TWinMain>(*m_context, m_dialogs, m_pictures);
    m_valid = std::make_unique<TWinValidCQ>(*m_context, m_dialogs);
    m_import = std::make_unique<TWinImport>(*m_context, m_dialogs);
    m_win->WinValidCQ = m_valid.get();
    m_win->WinImport = m_import.get();
    m_win->UpdateCommands();
    m_win->ScreenMetrics = [] { return TScreenMetrics { 1024, 768, 96 }; };
    m_win->ShowMainWindow();
}

void TestTWinMainExchange::Recall(int result)
{
    m_dialogs.QueueExec([result](QDialog&) { return result; });
    m_win->BtFifo->click();
}

void TestTWinMainExchange::FixFirstLevel()
{
    m_win->MnuFixLimits->trigger();
    QCOMPARE(m_win->PageControl->currentIndex(), 2);
    m_win->Sheets->GBFixed[0]->EditTarget->setText("5");
    m_win->Sheets->GBFixed[0]->EditWarning->setText("0.2");
    m_win->Sheets->GBFixed[0]->EditAction->setText("0.3");
    m_win->Sheets->GBFixed[0]->BtFix->click();
    QCOMPARE(int(m_context->CurrentAnalyte->LimitMode[0]), int(lmFixed));
}

void TestTWinMainExchange::commandsFollowTheirWindows()
{
    MakeWindow();
    for (QAction* a : { m_win->MnuCopy, m_win->MnuPaste, m_win->MnuExport, m_win->MnuImport })
        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    QVERIFY(m_win->BtFifo->isEnabled());
    m_win->WinValidCQ = nullptr;
    m_win->WinImport = nullptr;
    m_win->UpdateCommands();
    QVERIFY(!m_win->BtFifo->isEnabled());
    QVERIFY(!m_win->MnuPaste->isEnabled());
    QVERIFY(!m_win->MnuImport->isEnabled());
    // Copy and export need no window of their own.
    QVERIFY(m_win->MnuCopy->isEnabled());
    QVERIFY(m_win->MnuExport->isEnabled());
}

// ---------------------------------------------------------------- queue recall

void TestTWinMainExchange::emptyQueueSaysNothingHold()
{
    AddAnalyte(*m_context, "Glucose", 2, 5);
    m_context->Config.BackupInterval = 7;
    MakeWindow();
    QVERIFY(!m_win->TimerBackUp->isActive());
    m_context->Config.BackupInterval = 0; // due now: the reminder follows the command
    m_win->BtFifo->click();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("Nothing hold in the queue"), mbYes);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
    QVERIFY(m_win->TimerBackUp->isActive());
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 0"));
}

void TestTWinMainExchange::cancelledRunGoesToTheTailAndTheNextIsOffered()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 5);
    for (double v : { 4.1, 4.2, 4.3 })
        QVERIFY(m_context->ListFifo.Push(HeldRun("Glucose", v)));
    MakeWindow();
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 3"));

    Recall(QDialog::Rejected);
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinValidCQ" });
    QCOMPARE(a.Count(), 5);
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 3"));
    QCOMPARE(QueueFileValues(FifoFile()), (QList<float> { 4.2f, 4.3f, 4.1f }));
    QCOMPARE(m_context->ListFifo.Item(2).Operator, QString("AB")); // the run comes back whole
    QCOMPARE(m_context->ListFifo.Item(2).Comment, QString("held"));

    Recall(QDialog::Accepted);
    QCOMPARE(a.Count(), 6);
    QCOMPARE(a.Point(m_win->SelectedPoint()).Values[0].Value, 4.2f);
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 2"));
    QCOMPARE(QueueFileValues(FifoFile()), (QList<float> { 4.3f, 4.1f }));

    Recall(QDialog::Accepted);
    Recall(QDialog::Accepted);
    QCOMPARE(a.Count(), 8);
    QCOMPARE(m_win->BtFifo->text(), QString("&Queue : 0"));
    QVERIFY(!m_win->TimerBtFifo->isActive());
    QCOMPARE(m_win->ShapeFifo->BrushColor(), QColor(0, 255, 0));
    QCOMPARE(ReadBytes(FifoFile()), QByteArray()); // an empty queue leaves an empty file
    QVERIFY(m_dialogs.Boxes.isEmpty());
}

void TestTWinMainExchange::dataFileIsWrittenOnOkOnly()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 5);
    QVERIFY(m_context->ListFifo.Push(HeldRun("Glucose", 4.4, 9.5, NAN, "CD")));
    MakeWindow();
    m_win->EditValue[0]->setText("7");

    Recall(QDialog::Rejected);
    QVERIFY(!QFile::exists(DataFileName(*m_context)));
    QCOMPARE(m_win->EditValue[0]->text(), QString("7")); // the form is left alone

    Recall(QDialog::Accepted);
    QCOMPARE(m_win->EditValue[0]->text(), QString()); // cleared for the next run
    QCOMPARE(m_win->SelectedPoint(), 5);
    QCOMPARE(m_win->ChartView().Last, 5); // the chart window takes the new point in
    QCOMPARE(a.AllPointsStats[0].N, 6); // recomputed
    QVERIFY(a.Point(5).Values[0].Status <= psLowAction); // classified
    auto reread = MakeTestContext();
    QString error;
    QVERIFY2(LoadData(*reread, DataFileName(*m_context), &error), qPrintable(error));
    QCOMPARE(reread->ListAnalytes.Count(), 1);
    const TAnalyte& b = reread->ListAnalytes.Item(0);
    QCOMPARE(b.Count(), 6);
    QCOMPARE_NEAR(b.Point(5).DateTime, Today() + 0.25, 1e-9);
    QCOMPARE(b.Point(5).Values[0].Value, 4.4f);
    QCOMPARE(b.Point(5).Values[1].Value, 9.5f);
    QCOMPARE(b.Point(5).Operator(), QString("CD"));
    QCOMPARE(b.CommentText(b.Point(5).CommentID), QString("held"));
    QCOMPARE(QueueFileValues(FifoFile()), QList<float>());
}

void TestTWinMainExchange::unknownAnalyteIsCreated()
{
    AddAnalyte(*m_context, "Glucose", 1, 5);
    QVERIFY(m_context->ListFifo.Push(HeldRun("Urea", 6.25)));
    QVERIFY(m_context->ListFifo.Push(HeldRun("Urea", 6.5)));
    MakeWindow();
    QCOMPARE(m_context->CurrentAnalyte->Name, QString("Glucose"));

    Recall(QDialog::Rejected);
    // The analyte exists from the recall on, even when its run goes back.
    QCOMPARE(m_context->ListAnalytes.Count(), 2);
    const TAnalyte& urea = m_context->ListAnalytes.Item(1);
    QCOMPARE(urea.Name, QString("Urea"));
    QCOMPARE(int(urea.NbLevels), 3);
    QCOMPARE(int(urea.Decimals), 2);
    QCOMPARE(urea.Units, QString("mmol/L"));
    QCOMPARE(urea.Count(), 0);
    QCOMPARE(m_context->CurrentAnalyte, &urea);
    QCOMPARE(m_win->LBAnalytes->count(), 2);
    QCOMPARE(m_win->LBAnalytes->currentRow(), 1);
    QCOMPARE(m_win->PanelNomAnal->text(), QString("Urea"));

    Recall(QDialog::Accepted);
    QCOMPARE(m_context->ListAnalytes.Count(), 2); // found the second time
    QCOMPARE(urea.Count(), 1);
    QCOMPARE(urea.Point(0).Values[0].Value, 6.5f);
}

void TestTWinMainExchange::nameIsFoundWhateverItsCase()
{
    AddAnalyte(*m_context, "Glucose", 1, 5);
    TAnalyte& calcium = AddAnalyte(*m_context, "Calcium", 1, 5);
    QVERIFY(m_context->ListFifo.Push(HeldRun("CALCIUM", 2.4)));
    MakeWindow();
    Recall(QDialog::Accepted);
    QCOMPARE(m_context->ListAnalytes.Count(), 2);
    QCOMPARE(calcium.Count(), 6);
    QCOMPARE(m_context->CurrentAnalyte, &calcium);
    QCOMPARE(m_win->LBAnalytes->currentRow(), 1);
}

void TestTWinMainExchange::levelsGrowForValuesBeyondThem()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 5);
    QVERIFY(m_context->ListFifo.Push(HeldRun("Glucose", 5.1, NAN, 15.2)));
    MakeWindow();
    QVERIFY(m_win->EditValue[2]->isHidden());
    Recall(QDialog::Accepted);
    QCOMPARE(int(a.NbLevels), 3);
    QVERIFY(!m_win->EditValue[1]->isHidden()); // the list was refilled for the grown levels
    QVERIFY(!m_win->EditValue[2]->isHidden());
    QCOMPARE(a.Count(), 6);
    QCOMPARE(a.Point(5).Values[2].Value, 15.2f);
    QCOMPARE(a.AllPointsStats[2].N, 6); // the points stored before hold level-3 values too
}

void TestTWinMainExchange::recallLeavesTheFixSheetAsByItsCancel()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 5);
    QVERIFY(m_context->ListFifo.Push(HeldRun("Glucose", 5.1)));
    MakeWindow();
    FixFirstLevel();
    Recall(QDialog::Accepted);
    QCOMPARE(m_win->PageControl->currentIndex(), 0);
    QCOMPARE(int(a.LimitMode[0]), int(lmMobile));
    QCOMPARE(a.Count(), 6);
}

// ---------------------------------------------------------------- clipboard

void TestTWinMainExchange::copyWithoutAnalyteSaysNothingToCopy()
{
    MakeWindow();
    QGuiApplication::clipboard()->setText("kept");
    m_win->MnuCopy->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("Nothing to copy."), mbYes);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
}

void TestTWinMainExchange::copyThenPasteGivesOneLinePerPoint()
{
    TAnalyte& a = m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 2, 3));
    const double t0 = Today() - 3 + 0.375;
    a.AddPoint(MakeResult(t0, 5.12, 7.5, 12.25, "AB", "first"));
    TResu0 discarded = MakeResult(t0 + 1, 5.3, 7.25, 12.5, "CD", "second");
    discarded.Values[1].Status = psDiscarded;
    a.AddPoint(discarded);
    a.AddPoint(MakeResult(t0 + 2, 5.2, NAN, 12.0));
    RecomputeAll(a, m_context->Risks());
    ClassifyAll(a);
    MakeWindow();

    m_win->MnuCopy->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Information,
        QString("\rThe data for Glucose are now copied in the clipboard.\rYou can paste them in a spreadsheet."),
        mbYes);

    QString caption;
    QStringList lines;
    std::vector<TResu0> pending;
    m_dialogs.QueueExec([&](QDialog& dialog) {
        auto& import = static_cast<TWinImport&>(dialog);
        caption = import.windowTitle();
        for (int i = 0; i < import.LB->count(); ++i)
            lines << import.LB->item(i)->text();
        pending = import.PendingResults();
        return int(QDialog::Rejected);
    });
    m_win->MnuPaste->trigger();
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinImport" });
    QCOMPARE(caption, QString("ClipBoard contents"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1], ShortDateText(t0 + 1) + "\t" + LongTimeText(t0 + 1) + "\t5.30\t\t12.50");
    QCOMPARE(int(pending.size()), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE_NEAR(pending[size_t(i)].DateTime, a.Point(i).DateTime, 1e-7);
        QCOMPARE(pending[size_t(i)].Operator, QString());
        QCOMPARE(pending[size_t(i)].Comment, QString());
    }
    QCOMPARE(pending[0].Values[1].Value, 7.5f);
    QCOMPARE(int(pending[1].Values[1].Status), int(psNoValue)); // "Discarded" comes back as no value
    QCOMPARE(int(pending[2].Values[1].Status), int(psNoValue));
    QCOMPARE(a.Count(), 3); // cancelled: nothing added

    // A recalled run is selected; pasting again and adding drops the selection
    // and the chart window follows the points.
    QVERIFY(m_context->ListFifo.Push(HeldRun("Glucose", 5.25, 7.5)));
    Recall(QDialog::Accepted);
    QCOMPARE(m_win->SelectedPoint(), 3);
    m_dialogs.QueueExec([](QDialog& dialog) {
        static_cast<TWinImport&>(dialog).BtAdd->click();
        return dialog.result();
    });
    m_win->MnuPaste->trigger();
    QCOMPARE(a.Count(), 7);
    QCOMPARE(m_dialogs.Boxes.last().Text,
        QString("Add the new QC points to the previous ones\rThe QC mode will be reset to mobile"));
    QCOMPARE(m_win->SelectedPoint(), -1);
    QCOMPARE(m_win->ChartView().Last, 6);
}

void TestTWinMainExchange::pasteWithoutAnalytesSaysSo()
{
    MakeWindow();
    QGuiApplication::clipboard()->setText(ShortDateText(Today()) + "\t08:00:00\t5\r\n");
    m_win->MnuPaste->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("No analyte to paste"), mbYes);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
}

void TestTWinMainExchange::pasteWithoutTextIsABadClipboardFormat()
{
    AddAnalyte(*m_context, "Glucose", 1, 5);
    MakeWindow();
    QGuiApplication::clipboard()->clear();
    m_win->MnuPaste->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("Bad clipboard format"), mbYes);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
    QCOMPARE(m_import->LB->count(), 1);
    QCOMPARE(m_import->LB->item(0)->text(), QString("Nothing to paste from the clipboard"));
    QVERIFY(m_import->PendingResults().empty());
}

void TestTWinMainExchange::pasteLeavesTheFixSheetAsByItsCancel()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 5);
    MakeWindow();
    FixFirstLevel();
    QGuiApplication::clipboard()->setText("nothing of QC");
    m_win->MnuPaste->trigger();
    QCOMPARE(m_win->PageControl->currentIndex(), 0);
    QCOMPARE(int(a.LimitMode[0]), int(lmMobile));
}

// ---------------------------------------------------------------- export

void TestTWinMainExchange::exportWithoutAnalyteSaysNoAnalyte()
{
    MakeWindow();
    m_dialogs.QueueFileName(Path("out.txt"));
    m_win->MnuExport->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("No analyte"), mbOK);
    QVERIFY(m_dialogs.FileFolders.isEmpty()); // no file was asked for
    QVERIFY(!QFile::exists(Path("out.txt")));
}

void TestTWinMainExchange::exportReplacesALongerFileWholly()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 3);
    a.Point(1).Values[0].Status = psDiscarded;
    a.Point(2).CommentID = a.Comments.Add(QString::fromUtf8("µ check"));
    MakeWindow();
    const QString name = Path("old.txt");
    QVERIFY(WriteBytes(name, QByteArray(20000, 'x')));
    m_dialogs.QueueFileName(name);
    m_win->MnuExport->trigger();
    QCOMPARE(m_dialogs.FileFolders, QStringList { m_context->ProgramFolder() });
    QCOMPARE(m_dialogs.FileFilters, QStringList { "Text files with tabs as separators (*.txt)" });
    QCOMPARE_ONLY_BOX(TMsgType::Confirmation,
        "The file " + QDir::toNativeSeparators(name) + "\ralready exists. Overwrite ?", mbOK | mbCancel);

    const QByteArray bytes = ReadBytes(name);
    const QString text = AsText(a);
    QCOMPARE(text.count("\r\n"), 3);
    QVERIFY(text.contains("\tDiscarded\t"));
    QCOMPARE(bytes, ToWin1252(text) + QByteArray(1, '\0'));
    QVERIFY(!bytes.contains('x'));
    QCOMPARE(bytes.count('\0'), 1);
    QVERIFY(bytes.contains("\xb5 check")); // Windows-1252
}

void TestTWinMainExchange::overwriteCancelLeavesTheFile()
{
    AddAnalyte(*m_context, "Glucose", 2, 3);
    MakeWindow();
    const QString name = Path("old.txt");
    QVERIFY(WriteBytes(name, "previous export"));
    m_dialogs.QueueFileName(name);
    m_dialogs.QueueAnswer(mbCancel);
    m_win->MnuExport->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(ReadBytes(name), QByteArray("previous export"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { "old.txt" }); // nothing left beside it
}

void TestTWinMainExchange::exportAddsTxtAndOpensNextInThatFolder()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 1, 2);
    MakeWindow();
    QVERIFY(QDir(m_dir->path()).mkdir("exports"));
    m_dialogs.QueueFileName(Path("exports/glucose"));
    m_win->MnuExport->trigger();
    QVERIFY(m_dialogs.Boxes.isEmpty()); // a new file asks nothing
    QCOMPARE(ReadBytes(Path("exports/glucose.txt")), ToWin1252(AsText(a)) + QByteArray(1, '\0'));
    // Cancelling the chooser writes nothing; it opened in the folder of the last file.
    m_win->MnuExport->trigger();
    QCOMPARE(m_dialogs.FileFolders, (QStringList { m_context->ProgramFolder(), Path("exports") }));
    QCOMPARE(QDir(Path("exports")).entryList(QDir::Files), QStringList { "glucose.txt" });
    // The import's chooser keeps its own folder.
    m_win->MnuImport->trigger();
    QCOMPARE(m_dialogs.FileFolders.last(), m_context->ProgramFolder());
}

void TestTWinMainExchange::failedExportIsReportedAndKeepsTheFile()
{
    AddAnalyte(*m_context, "Glucose", 1, 2);
    MakeWindow();
    // A folder where the file should go cannot be replaced.
    QVERIFY(QDir(m_dir->path()).mkdir("taken.txt"));
    m_dialogs.QueueFileName(Path("taken.txt"));
    m_win->MnuExport->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 2); // the overwrite question, then the failure
    QCOMPARE(m_dialogs.Boxes[1].Type, TMsgType::Error);
    QVERIFY2(
        m_dialogs.Boxes[1].Text.startsWith("Cannot write " + Path("taken.txt")), qPrintable(m_dialogs.Boxes[1].Text));
    QVERIFY(QFileInfo(Path("taken.txt")).isDir());
}

// ---------------------------------------------------------------- import

void TestTWinMainExchange::version2FileAppendsAnalytesAndRefillsTheList()
{
    TAnalyte& calcium = AddAnalyte(*m_context, "Calcium", 2, 4);
    MakeWindow();
    QVERIFY(QDir(m_dir->path()).mkdir("old"));
    const QString name = Path("old/VANTOREL.Sav"); // the letters choose the reader whatever their case
    QVERIFY(WriteBytes(name, V2Image(OldSample())));
    m_dialogs.QueueFileName(name);
    m_win->MnuImport->trigger();
    QVERIFY2(m_dialogs.Boxes.isEmpty(), qPrintable(m_dialogs.Boxes.value(0).Text));
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty()); // no import window for a version-2 file
    QCOMPARE(m_dialogs.FileFolders, QStringList { m_context->ProgramFolder() });
    QCOMPARE(m_dialogs.FileFilters,
        QStringList { "Text file from spreadsheet (*.txt);;Data file of Vantorel 2 (*.dat);;Backup file of "
                      "Vantorel 2 (*.sav)" });
    QCOMPARE(m_context->ListAnalytes.Count(), 3);
    QCOMPARE(m_win->LBAnalytes->count(), 3);
    QCOMPARE(m_win->LBAnalytes->item(1)->text(), QString("Glucose"));
    QCOMPARE(m_win->LBAnalytes->item(2)->text(), QString("Urea"));
    QCOMPARE(m_context->ListAnalytes.Item(1).Count(), 5);
    QCOMPARE(m_context->CurrentAnalyte, &calcium); // the list keeps showing the analyte it showed
    auto saved = MakeTestContext();
    QVERIFY(LoadData(*saved, DataFileName(*m_context)));
    QCOMPARE(saved->ListAnalytes.Count(), 3); // the appended analytes are saved at once
    QCOMPARE(m_win->LBAnalytes->currentRow(), 0);
    // The next chooser opens where that file was.
    m_win->MnuImport->trigger();
    QCOMPARE(m_dialogs.FileFolders.last(), Path("old"));
}

void TestTWinMainExchange::currentDataFileOfferedAsVersion2CannotBeRead()
{
    AddAnalyte(*m_context, "Glucose", 2, 4);
    QVERIFY(SaveData(*m_context, DataFileName(*m_context)));
    const QString renamed = Path("Vantorel.dat");
    QVERIFY(QFile::rename(DataFileName(*m_context), renamed));
    MakeWindow();
    m_dialogs.QueueFileName(renamed);
    m_win->MnuImport->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("Cannot read data"), mbYes);
    QCOMPARE(m_context->ListAnalytes.Count(), 1);
    QCOMPARE(m_win->LBAnalytes->count(), 1);
    QVERIFY(!QFile::exists(DataFileName(*m_context))); // a failed import writes nothing
}

void TestTWinMainExchange::textImportWithoutAnalytesSaysSo()
{
    MakeWindow();
    const QString name = Path("runs.txt");
    QVERIFY(WriteBytes(name, (ShortDateText(Today()) + "\t08:00:00\t5\r\n").toUtf8()));
    m_dialogs.QueueFileName(name);
    m_win->MnuImport->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("No analyte to import data"), mbYes);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
    QCOMPARE(m_context->ListAnalytes.Count(), 0);
}

void TestTWinMainExchange::textFileGoesThroughTheImportWindow()
{
    TAnalyte& a = AddAnalyte(*m_context, "Glucose", 2, 0);
    MakeWindow();
    FixFirstLevel();
    const QString d1 = ShortDateText(Today() - 2);
    const QString d2 = ShortDateText(Today() - 1);
    // A heading row, a zero byte ending the text, Windows-1252 bytes.
    QByteArray bytes
        = ToWin1252("Date\tTime\tQC1 \u00b5mol/L\r\n" + d1 + "\t08:15:00\t5,42\t12.1\r\n" + d2 + "\tnoon\t\t11.9\r\n");
    const QByteArray tail = (ShortDateText(Today()) + "\t09:00:00\t6\r\n").toLatin1();
    bytes += QByteArray(1, '\0') + tail;
    const QString name = Path("runs.txt");
    QVERIFY(WriteBytes(name, bytes));
    m_dialogs.QueueFileName(name);
    QString caption;
    QStringList lines;
    m_dialogs.QueueExec([&](QDialog& dialog) {
        auto& import = static_cast<TWinImport&>(dialog);
        caption = import.windowTitle();
        for (int i = 0; i < import.LB->count(); ++i)
            lines << import.LB->item(i)->text();
        import.BtAdd->click();
        return dialog.result();
    });
    m_win->MnuImport->trigger();
    QCOMPARE(caption, QString("Imported file contents"));
    QCOMPARE(lines, (QStringList { d1 + "\t08:15:00\t5.4\t12.1", d2 + "\t12:00:00\t\t11.9" }));
    QVERIFY(m_dialogs.Boxes.isEmpty()); // no question for an analyte without points
    QCOMPARE(a.Count(), 2);
    QCOMPARE(a.Point(0).Values[0].Value, 5.42f);
    QCOMPARE_NEAR(a.Point(1).DateTime, Today() - 1 + 0.5, 1e-9);
    QCOMPARE(int(a.LimitMode[0]), int(lmMobile)); // the Fix sheet was left and the import resets modes anyway
    QCOMPARE(m_win->PageControl->currentIndex(), 0);
    QCOMPARE(m_win->SelectedPoint(), -1);
    // The added runs are in the data file at once.
    auto saved = MakeTestContext();
    QVERIFY(LoadData(*saved, DataFileName(*m_context)));
    QCOMPARE(saved->ListAnalytes.Item(0).Count(), 2);
    QCOMPARE(saved->ListAnalytes.Item(0).Point(0).Values[0].Value, 5.42f);
}

void TestTWinMainExchange::unreadableTextFileIsABadFileFormat()
{
    AddAnalyte(*m_context, "Glucose", 2, 3);
    MakeWindow();
    m_dialogs.QueueFileName(Path("gone.txt"));
    m_win->MnuImport->trigger();
    QCOMPARE_ONLY_BOX(TMsgType::Error, QString("Bad file format"), mbYes);
    QVERIFY(m_dialogs.ExecutedWindows.isEmpty());
    QCOMPARE(m_context->CurrentAnalyte->Count(), 3);
}

VANTOREL_TEST(TestTWinMainExchange)
#include "TestTWinMainExchange.moc"
