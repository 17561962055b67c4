// RecomputeAll + ClassifyAll over a ten-year laboratory, against the memory-bound
// floor of reading and summing the same values once; and the memory held per point.
#include "BenchLab.h"
#include "TAnalyte.h"
#include "TStatistics.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <ctime>

namespace {

TListAnalytes& Lab()
{
    static TListAnalytes lab = MakeBenchLab();
    return lab;
}

double SumAllValues(const TListAnalytes& lab)
{
    double sum = 0;
    for (int a = 0; a < lab.Count(); ++a) {
        const TAnalyte& analyte = lab.Item(a);
        for (int i = 0; i < analyte.Count(); ++i)
            for (const TQCValue& cell : analyte.Point(i).Values)
                sum += cell.Value;
    }
    return sum;
}

void RecomputeAndClassify(TListAnalytes& lab)
{
    const TRisks risks;
    for (int a = 0; a < lab.Count(); ++a) {
        RecomputeAll(lab.Item(a), risks);
        ClassifyAll(lab.Item(a));
    }
}

void BM_ReadAndSumFloor(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SumAllValues(Lab()));
}
BENCHMARK(BM_ReadAndSumFloor)->Unit(benchmark::kMillisecond);

void BM_RecomputeAllClassifyAll(benchmark::State& state)
{
    for (auto _ : state) {
        RecomputeAndClassify(Lab());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RecomputeAllClassifyAll)->Unit(benchmark::kMillisecond);

// Processor time of this process, so that other work on the machine does not count.
double CpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <typename F> double BestSeconds(F f, int runs = 9)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = CpuSeconds();
        f();
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}

void PrintSummary()
{
    // Memory held per stored point: heap growth while the laboratory is built.
    malloc_trim(0);
    // Both the heap and the blocks the allocator maps on their own count.
    const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
    {
        TListAnalytes lab = MakeBenchLab();
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        const double points = 100.0 * 11000.0;
        std::printf("Memory: %.1f bytes per stored point (goal: at most 88)\n", double(after - before) / points);
    }
    double sink = 0;
    const double floor = BestSeconds([&] { sink += SumAllValues(Lab()); });
    const double work = BestSeconds([&] { RecomputeAndClassify(Lab()); });
    std::printf("RecomputeAll + ClassifyAll: %.1f ms, read-and-sum floor: %.1f ms, ratio %.2f (goal: at most 3)%s\n",
        work * 1e3, floor * 1e3, work / floor, sink == 0.12345 ? " " : "");
}

} // namespace

int main(int argc, char** argv)
{
    PrintSummary();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
