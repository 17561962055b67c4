// Printing the data of a three-level analyte to a PDF file, as the data
// printing window and the companion's "print data" do. Reported: the time of
// one page, and how it changes from 1,000 to 11,000 points (a printout that
// grows linearly with the points takes the same time per page).
#include "BenchLab.h"
#include "TAnalyte.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TListSerum.h"
#include "TPdfCanvas.h"
#include "TStatistics.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// A PDF canvas that counts its pages.
class TCountingPdf : public TPdfCanvas {
public:
    using TPdfCanvas::TPdfCanvas;
    void NewPage() override
    {
        ++Pages;
        TPdfCanvas::NewPage();
    }
    int Pages = 1;
};

void BM_PrintData(benchmark::State& state)
{
    TAnalyte analyte = MakeBenchLab(1, int(state.range(0)), 7).Item(0);
    RecomputeAll(analyte, TRisks());
    ClassifyAll(analyte);
    const TListSerum serums;
    const TDataReportOptions options { DayCountToDate(analyte.Point(0).DateTime),
        DayCountToDate(analyte.Point(analyte.Count() - 1).DateTime), true };
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        TCountingPdf canvas(dir.filePath("data.pdf"));
        if (PrintDataReport(canvas, analyte, serums, options, TRisks(), 46000) != TPrintOutcome::Printed)
            state.SkipWithError("not printed");
        pages = canvas.Pages;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintData)->Arg(1000)->Arg(11000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the time of one page for each size and the ratio between them.
class TPageReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double pages = run.counters.at("pages");
            const double perPage = run.GetAdjustedRealTime() / pages; // milliseconds
            m_perPage[run.benchmark_name()] = perPage;
            std::printf("%s: %.0f pages, %.2f ms per page (%.2f ms of processor time)\n", run.benchmark_name().c_str(),
                pages, perPage, run.GetAdjustedCPUTime() / pages);
        }
        if (m_perPage.size() == 2) {
            const double ratio = m_perPage.rbegin()->second / m_perPage.begin()->second;
            std::printf("time per page, 11,000 against 1,000 points: x%.2f (%s)\n", ratio,
                ratio < 1.5 ? "linear in the points" : "NOT LINEAR");
        }
    }

private:
    std::map<std::string, double> m_perPage;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TPageReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
