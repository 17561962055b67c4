#include "TDataFile.h"
#include "TProgram.h"
#include "TScriptedDialogs.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TWinMain.h"
#include "TestHelpers.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The program's start-up paths and its shutdown, in a temporary program folder.
class TestTProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartShowsDemonstrationDataAndAbout();
    void unreadableDataFileWithSettingsSaysCannotReadData();
    void narrowScreenLeavesWithoutTheExitQuestion();
    void backupIntervalZeroStartsTheBackupLight();
    void secondInstanceIsRefused();
    void exitSavesTheFiles();
    void recalledRunReachesTheDataAndQueueFiles();

private:
    // A program on the temporary folder whose screen is `width` pixels wide.
    std::unique_ptr<TProgram> MakeProgram(TQCContext& context, int width = 1024);
    // Writes a settings file and an empty data file as a previous run would have left them.
    void WriteSettings(int backupInterval);
    QString FilePath(const QString& extension) const { return m_dir->path() + "/Vantorel" + extension; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
};

void TestTProgram::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void TestTProgram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_context = MakeTestContext();
    m_dialogs = TScriptedDialogs();
}

void TestTProgram::cleanup()
{
    m_context.reset();
    m_dir.reset();
}

std::unique_ptr<TProgram> TestTProgram::MakeProgram(TQCContext& context, int width)
{
    auto program = std::make_unique<TProgram>(context, m_dialogs, m_dir->path());
    program->SplashMilliseconds = 0;
    program->ScreenMetrics = [width] { return TScreenMetrics { width, 768, 96 }; };
    return program;
}

void TestTProgram::WriteSettings(int backupInterval)
{
    auto previous = MakeTestContext();
    previous->SetProgramFolder(m_dir->path());
    ConfigDefaults(previous->Config, previous->Clock());
    previous->Config.ShowAboutAtStart = false;
    previous->Config.BackupInterval = backupInterval;
    QVERIFY(SaveConfig(*previous));
    QVERIFY(SaveData(*previous, DataFileName(*previous)));
}

void TestTProgram::firstStartShowsDemonstrationDataAndAbout()
{
    auto program = MakeProgram(*m_context);
    QVERIFY(program->Start());
    QVERIFY(m_context->FirstStart);
    QVERIFY(program->ShowMain());
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinAbout" });
    QVERIFY(m_dialogs.Boxes.isEmpty());
    TWinMain* main = program->MainWindow();
    QVERIFY(main->isVisible());
    QCOMPARE(main->LBAnalytes->count(), 3);
    QCOMPARE(main->LBAnalytes->item(0)->text(), QString("Glucose"));
    QCOMPARE(m_context->CurrentAnalyte, m_context->ListAnalytes.At(0));
    QCOMPARE(m_context->ListFifo.Count(), 5);
    QVERIFY(main->TimerBtFifo->isActive());
    m_dialogs.QueueAnswer(mbOK);
    QVERIFY(main->close());
    program->Shutdown();
}

void TestTProgram::unreadableDataFileWithSettingsSaysCannotReadData()
{
    WriteSettings(7);
    QFile data(FilePath(".qcf"));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write("not a data file");
    data.close();
    auto program = MakeProgram(*m_context);
    QVERIFY(program->Start());
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Cannot read data"));
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Error);
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));
    QCOMPARE(m_context->ListAnalytes.Count(), 0);
    QCOMPARE(m_context->ListSerum.Count(), 0);
    QVERIFY(program->ShowMain());
    QCOMPARE(program->MainWindow()->LBAnalytes->count(), 0);
    QVERIFY(m_context->CurrentAnalyte == nullptr);
}

void TestTProgram::narrowScreenLeavesWithoutTheExitQuestion()
{
    WriteSettings(7);
    auto program = MakeProgram(*m_context, 640);
    QVERIFY(program->Start());
    QVERIFY(!program->ShowMain());
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QVERIFY(m_dialogs.Boxes[0].Text.startsWith("Your screen resolution is 640 x 480 pixels."));
    QVERIFY(!program->MainWindow()->isVisible());
    QFile::remove(FilePath(".cfr"));
    program->Shutdown();
    QCOMPARE(m_dialogs.Boxes.size(), 1); // no exit question
    QVERIFY(QFile::exists(FilePath(".cfr"))); // the closing code still writes the files
    QVERIFY(QFile::exists(FilePath(".qcf")));
}

void TestTProgram::backupIntervalZeroStartsTheBackupLight()
{
    WriteSettings(0);
    auto program = MakeProgram(*m_context);
    QVERIFY(program->Start());
    QVERIFY(program->ShowMain());
    QVERIFY(program->MainWindow()->TimerBackUp->isActive());
}

void TestTProgram::secondInstanceIsRefused()
{
    auto first = MakeProgram(*m_context);
    QVERIFY(first->Start());
    auto otherContext = MakeTestContext();
    TScriptedDialogs otherDialogs;
    TProgram second(*otherContext, otherDialogs, m_dir->path());
    second.SplashMilliseconds = 0;
    QVERIFY(!second.Start());
    QCOMPARE(otherDialogs.Boxes.size(), 1);
    QCOMPARE(otherDialogs.Boxes[0].Type, TMsgType::Error);
    QCOMPARE(otherContext->ListAnalytes.Count(), 0);
    QVERIFY(second.MainWindow() == nullptr);
}

void TestTProgram::exitSavesTheFiles()
{
    auto program = MakeProgram(*m_context);
    QVERIFY(program->Start());
    QVERIFY(program->ShowMain());
    m_context->Config.BackupInterval = 11;
    program->Shutdown();
    auto reread = MakeTestContext();
    reread->SetProgramFolder(m_dir->path());
    LoadConfig(*reread);
    QVERIFY(!reread->FirstStart);
    QCOMPARE(reread->Config.BackupInterval, 11);
    QVERIFY(LoadData(*reread, DataFileName(*reread)));
    QCOMPARE(reread->ListAnalytes.Count(), 3);
    QVERIFY(QFile::exists(FilePath(".fif")));
}

void TestTProgram::recalledRunReachesTheDataAndQueueFiles()
{
    auto program = MakeProgram(*m_context);
    QVERIFY(program->Start());
    QVERIFY(program->ShowMain());
    TWinMain* main = program->MainWindow();
    QVERIFY(main->WinImport != nullptr);
    QVERIFY(main->MnuPaste->isEnabled());
    QVERIFY(main->MnuImport->isEnabled());
    QVERIFY(main->BtFifo->isEnabled());
    const int queued = m_context->ListFifo.Count();
    QVERIFY(queued > 0);
    const QString name = m_context->ListFifo.Item(0).Analyte;
    const TAnalyte* target = m_context->ListAnalytes.FindByName(name);
    QVERIFY(target);
    const int points = target->Count();

    m_dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
    main->BtFifo->click();
    QCOMPARE(m_dialogs.ExecutedWindows.last(), QString("TWinValidCQ"));
    // Both files follow at once, before any exit.
    TFifo onDisk;
    onDisk.SetFileName(FilePath(".fif"));
    QVERIFY(onDisk.Load());
    QCOMPARE(onDisk.Count(), queued - 1);
    auto reread = MakeTestContext();
    QVERIFY(LoadData(*reread, FilePath(".qcf")));
    QCOMPARE(reread->ListAnalytes.FindByName(name)->Count(), points + 1);
    m_dialogs.QueueAnswer(mbOK);
    QVERIFY(main->close());
    program->Shutdown();
}

VANTOREL_TEST(TestTProgram)
#include "TestTProgram.moc"
