// Painting the charts of a three-level analyte, as the main window's paint box
// does on every repaint. Goal: at most 2 ms per paint.
#include "BenchLab.h"
#include "TAnalyte.h"
#include "TChartPainter.h"
#include "TPictures.h"
#include "TStatistics.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr double GoalMs = 2.0;

const TAnalyte& ThreeLevelAnalyte()
{
    static const TAnalyte analyte = [] {
        TAnalyte a = MakeBenchLab(1, 400, 7).Item(0);
        RecomputeAll(a, TRisks());
        ClassifyAll(a);
        a.Point(a.Count() - 5).CommentID = a.Comments.Add("New reagent");
        return a;
    }();
    return analyte;
}

TChartView NewestWindow(const TAnalyte& analyte)
{
    TChartView view;
    view.Last = analyte.Count() - 1;
    view.First = view.Last - 30;
    view.Selected = view.Last - 3;
    return view;
}

void BM_PBoxPaint(benchmark::State& state)
{
    const TAnalyte& analyte = ThreeLevelAnalyte();
    const TChartView view = NewestWindow(analyte);
    TPictures pictures;
    pictures.Load();
    QImage image(600, 454, QImage::Format_RGB32);
    QFont font("Liberation Sans");
    font.setPointSize(8);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        TChartPainter::Paint(painter, image.rect(), &analyte, view, pictures.Comment);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PBoxPaint)->Unit(benchmark::kMicrosecond);

void BM_ScrollRedraw(benchmark::State& state)
{
    const TAnalyte& analyte = ThreeLevelAnalyte();
    TChartView view = NewestWindow(analyte);
    TPictures pictures;
    pictures.Load();
    QImage image(600, 454, QImage::Format_RGB32);
    QFont font("Liberation Sans");
    font.setPointSize(8);
    int step = 0;
    for (auto _ : state) {
        view.First = analyte.Count() - 31 - (step++ % 100);
        view.Last = view.First + 30;
        QPainter painter(&image);
        painter.setFont(font);
        TChartPainter::PaintPlots(painter, image.rect(), analyte, view, pictures.Comment);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ScrollRedraw)->Unit(benchmark::kMicrosecond);

// Prints the time of one full paint next to the goal.
class TGoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double ms = run.GetAdjustedRealTime() / 1000.0;
            std::printf("%s: %.3f ms per paint (goal: at most %.1f ms) %s\n", run.benchmark_name().c_str(), ms, GoalMs,
                ms <= GoalMs ? "met" : "NOT MET");
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TGoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
