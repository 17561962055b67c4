// Data file speed: LoadData (with its recompute) and SaveData of the synthetic
// laboratory, each against a raw read or write of the same number of bytes in
// the same run. Goal: each ratio at most 2. The raw read reads the file in 1 MB
// pieces into one reused buffer (the cost of the transfer alone); the raw write
// writes the same bytes through a synced temporary file renamed over the target,
// as every save of the program does.
#include "BenchLab.h"
#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TQCContext.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

struct TBenchFiles {
    QTemporaryDir dir;
    TQCContext context;
    QString dataFile;
    QByteArray bytes; // the data file's content, for the raw baselines

    TBenchFiles()
    {
        context.ListAnalytes = MakeBenchLab();
        context.ListSerum.Add("Bench material", "1");
        dataFile = dir.filePath("Vantorel.qcf");
        QString error;
        if (!SaveData(context, dataFile, &error))
            qFatal("cannot save the bench laboratory: %s", qPrintable(error));
        QFile file(dataFile);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the bench laboratory back");
        bytes = file.readAll();
    }
};

TBenchFiles& Files()
{
    static TBenchFiles files;
    return files;
}

void BM_LoadData(benchmark::State& state)
{
    TBenchFiles& files = Files();
    for (auto _ : state) {
        TQCContext context;
        QString error;
        if (!LoadData(context, files.dataFile, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(context.ListAnalytes.Count());
    }
    state.SetBytesProcessed(state.iterations() * files.bytes.size());
}

// The same bytes read from the same file, in 1 MB pieces into one buffer: the
// cost of the reading alone, without storing the content anywhere.
void BM_RawRead(benchmark::State& state)
{
    TBenchFiles& files = Files();
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (auto _ : state) {
        QFile file(files.dataFile);
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 got; (got = file.read(buffer.data(), buffer.size())) > 0;)
            total += got;
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * files.bytes.size());
}

void BM_SaveData(benchmark::State& state)
{
    TBenchFiles& files = Files();
    const QString target = files.dir.filePath("Save.qcf");
    for (auto _ : state) {
        QString error;
        if (!SaveData(files.context, target, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetBytesProcessed(state.iterations() * files.bytes.size());
}

// The same bytes written the same safe way: a temporary file, synced, renamed.
void BM_RawWrite(benchmark::State& state)
{
    TBenchFiles& files = Files();
    const QString target = files.dir.filePath("Raw.qcf");
    for (auto _ : state) {
        QSaveFile file(target);
        file.open(QIODevice::WriteOnly);
        file.write(files.bytes);
        if (!file.commit())
            state.SkipWithError("raw write failed");
    }
    state.SetBytesProcessed(state.iterations() * files.bytes.size());
}

// For reference: the same bytes read at once into memory allocated for them.
void BM_RawReadAll(benchmark::State& state)
{
    TBenchFiles& files = Files();
    for (auto _ : state) {
        QFile file(files.dataFile);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * files.bytes.size());
}

BENCHMARK(BM_RawReadAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveData)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps the mean time of each benchmark to print the ratios after the run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Seconds;
    std::map<std::string, double> CpuSeconds;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations <= 0)
                continue;
            const std::string name = run.run_name.function_name;
            Seconds[name] = run.real_accumulated_time / double(run.iterations);
            CpuSeconds[name] = run.cpu_accumulated_time / double(run.iterations);
        }
    }
};

void PrintRatio(const TRatioReporter& reporter, const char* name, const char* baseline)
{
    const auto a = reporter.Seconds.find(name);
    const auto b = reporter.Seconds.find(baseline);
    if (a == reporter.Seconds.end() || b == reporter.Seconds.end() || b->second <= 0)
        return;
    const double ratio = a->second / b->second;
    const double cpuRatio = reporter.CpuSeconds.at(name) / std::max(reporter.CpuSeconds.at(baseline), 1e-9);
    std::printf("%-12s / %-12s = %5.2f  (goal <= 2: %s; CPU time ratio %.2f)\n", name, baseline, ratio,
        ratio <= 2.0 ? "met" : "NOT met", cpuRatio);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("Laboratory: %d analytes, %lld bytes of data file\n", Files().context.ListAnalytes.Count(),
        static_cast<long long>(Files().bytes.size()));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatio(reporter, "BM_LoadData", "BM_RawRead");
    PrintRatio(reporter, "BM_SaveData", "BM_RawWrite");
    std::printf("For reference, against reading the file into newly allocated memory:\n");
    PrintRatio(reporter, "BM_LoadData", "BM_RawReadAll");
    benchmark::Shutdown();
    return 0;
}
