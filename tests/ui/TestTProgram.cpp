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
#include <QtTest>

// The program's start-up paths and its shutdown, in a temporary program folder.
// What the storage reads and writes is core's; here the windows and boxes around it.
class TestTProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_dialogs = TScriptedDialogs();
    }

    void firstStartShowsDemonstrationDataAndExitSavesIt()
    {
        auto program = MakeProgram();
        QVERIFY(program->Start());
        QVERIFY(m_context->FirstStart);
        QVERIFY(program->ShowMain());
        QCOMPARE(m_dialogs.ExecutedWindows, (QStringList { "TWinSetUp", "TWinAbout" }));
        QVERIFY(m_dialogs.Boxes.isEmpty());
        TWinMain* main = program->MainWindow();
        QVERIFY(main->isVisible());
        QCOMPARE(main->LBAnalytes->count(), 3);
        // The windows are made and wired: paste is offered, a recall opens the validation.
        QVERIFY(main->MnuPaste->isEnabled());
        m_dialogs.QueueExec([](QDialog&) { return int(QDialog::Rejected); });
        main->BtFifo->click();
        QCOMPARE(m_dialogs.ExecutedWindows.last(), QString("TWinValidCQ"));
        // A second program on the same files is refused before it reads them.
        auto otherContext = MakeTestContext();
        TScriptedDialogs otherDialogs;
        TProgram second(*otherContext, otherDialogs, m_dir->path());
        QVERIFY(!second.Start());
        QCOMPARE(otherDialogs.Boxes.size(), 1);
        QCOMPARE(otherContext->ListAnalytes.Count(), 0);
        QVERIFY(second.MainWindow() == nullptr);

        m_dialogs.QueueAnswer(mbOK);
        QVERIFY(main->close());
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

    void unreadableDataOnANarrowScreen()
    {
        auto first = MakeProgram(); // leaves the settings and data files
        QVERIFY(first->Start());
        m_context->Config.BackupInterval = 11;
        first->Shutdown();
        first.reset();
        m_context = MakeTestContext();
        QFile data(FilePath(".qcf"));
        QVERIFY(data.open(QIODevice::WriteOnly) && data.write("not a data file") > 0);
        data.close();

        auto program = MakeProgram(640);
        QVERIFY(program->Start());
        QCOMPARE(m_context->Config.BackupInterval, 11); // the settings are read
        QCOMPARE(m_context->ListAnalytes.Count(), 0); // the data are not, and that is told
        QCOMPARE(m_dialogs.Boxes.size(), 1);
        QCOMPARE(m_dialogs.Boxes[0].Text, QString("Cannot read data"));
        QVERIFY(!program->ShowMain()); // the screen is refused: the program ends
        QCOMPARE(m_dialogs.Boxes.size(), 2);
        QVERIFY(!program->MainWindow()->isVisible());
        QFile::remove(FilePath(".cfr"));
        program->Shutdown();
        QCOMPARE(m_dialogs.Boxes.size(), 2); // no exit question, no save failure
        QVERIFY(QFile::exists(FilePath(".cfr"))); // the closing code still writes the files
    }

private:
    // A program on the temporary folder whose screen is `width` pixels wide.
    std::unique_ptr<TProgram> MakeProgram(int width = 1024)
    {
        auto program = std::make_unique<TProgram>(*m_context, m_dialogs, m_dir->path());
        program->SplashMilliseconds = 0;
        program->ScreenMetrics = [width] { return TScreenMetrics { width, 768, 96 }; };
        return program;
    }
    QString FilePath(const QString& extension) const { return m_dir->path() + "/Vantorel" + extension; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
};

VANTOREL_TEST(TestTProgram)
#include "TestTProgram.moc"
