#include "TDataFile.h"
#include "TMainWindowFixture.h"
#include "TProgram.h"
#include "TestHelpers.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

class TestProgram : public TMainWindowTest {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // What the storage reads and writes is core's; here the windows and boxes around it.
    void firstStartShowsDemonstrationDataAndExitSavesIt()
    {
        auto program = MakeProgram();
        QVERIFY(program->Start());
        QVERIFY(f.Context->FirstStart);
        QVERIFY(program->ShowMain());
        QCOMPARE(f.Dialogs.ExecutedWindows, (QStringList { "TWinSetUp", "TWinAbout" }));
        QVERIFY(f.Dialogs.Boxes.isEmpty());
        TWinMain* main = program->MainWindow();
        QVERIFY(main->isVisible());
        QCOMPARE(main->LBAnalytes->count(), 3);
        // The windows are made and wired: paste is offered, a recall opens the validation.
        QVERIFY(main->MnuPaste->isEnabled());
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Rejected); });
        main->BtFifo->click();
        QCOMPARE(f.Dialogs.ExecutedWindows.last(), QString("TWinValidCQ"));
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Rejected); });
        main->MnuSigma->trigger();
        QCOMPARE(f.Dialogs.ExecutedWindows.last(), QString("TWinSigma"));
        // A second program on the same files is refused before it reads them.
        auto otherContext = MakeTestContext();
        TScriptedDialogs otherDialogs;
        TProgram second(*otherContext, otherDialogs, f.Path(""));
        QVERIFY(!second.Start());
        QCOMPARE(otherDialogs.Boxes.size(), 1);
        QCOMPARE(otherContext->ListAnalytes.Count(), 0);
        QVERIFY(second.MainWindow() == nullptr);

        f.Dialogs.QueueAnswer(mbOK);
        QVERIFY(main->close());
        program->Shutdown(); // the storage writes every file (TestStorage); the settings: below
        auto reread = MakeTestContext();
        QVERIFY(LoadData(*reread, f.Path("Vantorel.qcf")));
        QCOMPARE(reread->ListAnalytes.Count(), 3);
    }

    void unreadableDataOnANarrowScreen()
    {
        auto first = MakeProgram(); // leaves the settings and data files
        QVERIFY(first->Start());
        f.Context->Config.BackupInterval = 11;
        first->Shutdown();
        first.reset();
        QVERIFY(PutFile(f.Path("Vantorel.qcf"), "not a data file"));

        auto program = MakeProgram(640);
        QVERIFY(program->Start());
        QCOMPARE(f.Context->Config.BackupInterval, 11); // the settings are read
        QCOMPARE(f.Context->ListAnalytes.Count(), 0); // the data are not, and that is told
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, "Cannot read data", mbYes), QString());
        QVERIFY(!program->ShowMain()); // the screen is refused: the program ends
        QCOMPARE(f.Dialogs.Boxes.size(), 2);
        QVERIFY(!program->MainWindow()->isVisible());
        QFile::remove(f.Path("Vantorel.cfr"));
        program->Shutdown();
        QCOMPARE(f.Dialogs.Boxes.size(), 2); // no exit question, no save failure
        QVERIFY(QFile::exists(f.Path("Vantorel.cfr"))); // the closing code still writes the files
    }

private:
    std::unique_ptr<TProgram> MakeProgram(int width = 1024)
    {
        f.Context = MakeTestContext();
        auto program = std::make_unique<TProgram>(*f.Context, f.Dialogs, f.Path(""));
        program->SplashMilliseconds = 0;
        program->ScreenMetrics = [width] { return TScreenMetrics { width, 768, 96 }; };
        return program;
    }
};

VANTOREL_TEST(TestProgram)
#include "TestProgram.moc"
