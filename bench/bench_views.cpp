// Opening the data table on an analyte of 11,000 points and the daily QC
// window on a day of the 100-analyte laboratory, as the main window opens
// them: shown, filled and painted once, then closed. Goal: under 100 ms each.
#include "BenchLab.h"
#include "TAnalyte.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TPictures.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TStatistics.h"
#include "TWinDailyQC.h"
#include "TWinShowData.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace {

TQCContext& Lab()
{
    static TQCContext context;
    static bool made = false;
    if (!made) {
        context.ListAnalytes = MakeBenchLab();
        for (int i = 0; i < context.ListAnalytes.Count(); ++i) {
            RecomputeAll(context.ListAnalytes.Item(i), TRisks());
            ClassifyAll(context.ListAnalytes.Item(i));
        }
        made = true;
    }
    return context;
}

const TPictures& Pictures()
{
    static TPictures pictures;
    if (!pictures.IsLoaded())
        pictures.Load();
    return pictures;
}

void BM_OpenDataTable(benchmark::State& state)
{
    TQCContext& context = Lab();
    context.CurrentAnalyte = &context.ListAnalytes.Item(0);
    TQtDialogService dialogs;
    TWinShowData table(context, dialogs, Pictures());
    table.SelectedPoint = context.CurrentAnalyte->Count() - 1;
    for (auto _ : state) {
        table.show();
        QCoreApplication::processEvents();
        table.hide();
    }
    state.counters["lines"] = table.LB->count();
}
BENCHMARK(BM_OpenDataTable)->Unit(benchmark::kMillisecond);

void BM_OpenDailyQC(benchmark::State& state)
{
    TQCContext& context = Lab();
    TQtDialogService dialogs;
    TQtPrinterService printers(dialogs);
    TWinDailyQC daily(context, dialogs, printers);
    daily.Pictures = &Pictures();
    const TAnalyte& first = context.ListAnalytes.Item(0);
    const QDate day = DayCountToDate(first.Point(first.Count() - 1).DateTime);
    for (auto _ : state) {
        daily.show();
        daily.Calendar->setSelectedDate(day);
        QCoreApplication::processEvents();
        daily.hide();
    }
    state.counters["lines"] = daily.LB->count();
}
BENCHMARK(BM_OpenDailyQC)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
