// Start-up of the program up to the main window's first paint, without the
// splash window's wait: once with the synthetic 1.1-million-point laboratory
// in the data file, once with an empty data file. Goal: the large file adds at
// most 250 ms.
#include "BenchLab.h"
#include "TAnalyte.h"
#include "TDataFile.h"
#include "TDialogService.h"
#include "TPaintBox.h"
#include "TProgram.h"
#include "TQCContext.h"
#include "TSettings.h"
#include "TWinMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double GoalMs = 250.0;
constexpr int Runs = 5;

// Answers every box with its first button and runs no window: a start-up
// that needs a person would not be measured anyway.
class TSilentDialogs : public TDialogService {
public:
    int Boxes = 0;
    int MessageBox(TMsgType, const QString&, int buttons, QWidget*) override
    {
        ++Boxes;
        for (int b : { mbOK, mbYes, mbNo, mbCancel })
            if (buttons & b)
                return b;
        return mbOK;
    }
    int Exec(QDialog&) override { return 0; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString ExistingFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

// Sets a flag on the first paint of the watched widget.
class TPaintWatch : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// A program folder as a previous run leaves it: settings and a data file.
void WriteFolder(const QString& folder, TListAnalytes analytes)
{
    TQCContext context;
    context.SetProgramFolder(folder);
    ConfigDefaults(context.Config, context.Clock());
    context.Config.ShowAboutAtStart = false;
    context.ListSerum.Add("Bench material", "1");
    context.ListAnalytes = std::move(analytes);
    if (!SaveConfig(context))
        qFatal("cannot write the bench settings");
    QString error;
    if (!SaveData(context, DataFileName(context), &error))
        qFatal("cannot write the bench data file: %s", qPrintable(error));
}

// Milliseconds from the program's start to the first paint of its charts.
double StartUpMs(const QString& folder)
{
    TQCContext context;
    TSilentDialogs dialogs;
    TProgram program(context, dialogs, folder);
    program.SplashMilliseconds = 0;
    TPaintWatch watch;
    QElapsedTimer timer;
    timer.start();
    if (!program.Start())
        qFatal("the program refused to start in %s", qPrintable(folder));
    program.MainWindow()->PBox->installEventFilter(&watch);
    if (!program.ShowMain())
        qFatal("the main window refused the screen");
    while (!watch.Painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = timer.nsecsElapsed() / 1e6;
    program.MainWindow()->PBox->removeEventFilter(&watch);
    program.MainWindow()->hide();
    program.Shutdown();
    if (dialogs.Boxes != 0)
        qFatal("the start-up showed %d message boxes", dialogs.Boxes);
    return ms;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir emptyDir;
    QTemporaryDir largeDir;
    WriteFolder(emptyDir.path(), TListAnalytes());
    std::printf("Writing the 100 x 11,000-point laboratory...\n");
    WriteFolder(largeDir.path(), MakeBenchLab());

    std::vector<double> empty;
    std::vector<double> large;
    StartUpMs(emptyDir.path()); // warms the caches of fonts and pictures
    for (int run = 0; run < Runs; ++run) {
        empty.push_back(StartUpMs(emptyDir.path()));
        large.push_back(StartUpMs(largeDir.path()));
    }
    const double emptyMs = Median(empty);
    const double largeMs = Median(large);
    const double added = largeMs - emptyMs;
    std::printf("Start-up to the first paint, median of %d runs:\n", Runs);
    std::printf("  empty data file:        %8.1f ms\n", emptyMs);
    std::printf("  1.1-million-point file: %8.1f ms\n", largeMs);
    std::printf("  added by the large file: %7.1f ms (goal: at most %.0f ms) %s\n", added, GoalMs,
        added <= GoalMs ? "met" : "NOT MET");
    return 0;
}
