// Audit trail speed. Goals: recording one entry (synchronous, WAL, full sync,
// its anchor written) at most 2 ms; listing and verifying a trail of 100,000
// entries at most 0.5 s each; opening that trail at start-up at most 20 ms.
// The 100,000 entries are written once, chained exactly as the trail chains
// them, in one transaction (recording them one by one would take minutes).
#include "TAuditLog.h"
#include "TAuditTrail.h"
#include "TQCContext.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

namespace {

constexpr int LargeTrail = 100000;

// A run stored: the size of a typical entry.
TChange StoredRun(int i)
{
    const QJsonObject after { { "dateTime", "2026-03-15T10:30:00" }, { "values", "5.2 | 10.4 | 15.1" },
        { "discarded", "" }, { "comment", "" }, { "rules", "1:2s" }, { "accepted", true }, { "index", i } };
    return { TChangeKind::RunStored, "Glucose", 0, "AB", {}, after };
}

struct TLargeTrail {
    QTemporaryDir dir;
    TQCContext context;

    TLargeTrail()
    {
        TAuditTrail trail(context);
        if (!trail.Open(dir.path(), nullptr))
            qFatal("cannot open a trail in %s", qPrintable(dir.path()));
        const TAuditEntry first = [&] {
            TAuditEntry last;
            trail.Log().Last(last, nullptr);
            return last;
        }();
        trail.Close();
        TAuditLog log;
        log.Open(dir.path(), false, nullptr);
        QSqlDatabase db = log.Database();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO trail VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
        TAuditEntry entry = first;
        for (qint64 seq = 2; seq <= LargeTrail; ++seq) {
            entry.PreviousHash = entry.Hash;
            entry.Sequence = seq;
            entry.Kind = "RunStored";
            entry.Analyte = "Glucose";
            entry.OperatorCode = "AB";
            entry.After = QString(R"({"accepted":true,"comment":"","index":%1,"values":"5.2 | 10.4 | 15.1"})").arg(seq);
            entry.Hash = AuditHash(entry);
            for (const QVariant& value : AuditColumnValues(entry))
                insert.addBindValue(value);
            if (!insert.exec())
                qFatal("cannot fill the bench trail");
        }
        db.commit();
        WriteAuditAnchor(dir.path(), { entry.Sequence, entry.Hash }, nullptr);
        if (!log.Verify().Ok() || log.Verify().Count != LargeTrail)
            qFatal("the bench trail does not verify");
    }
};

TLargeTrail& Large()
{
    static TLargeTrail trail;
    return trail;
}

void BM_RecordOne(benchmark::State& state)
{
    QTemporaryDir dir;
    TQCContext context;
    TAuditTrail trail(context);
    trail.Open(dir.path(), nullptr);
    int i = 0;
    for (auto _ : state)
        if (!trail.Record(StoredRun(++i), nullptr))
            state.SkipWithError("not recorded");
}

void BM_List100k(benchmark::State& state)
{
    TAuditLog log;
    log.Open(Large().dir.path(), true, nullptr);
    for (auto _ : state) {
        QList<TAuditEntry> entries;
        log.List({}, entries, nullptr);
        if (entries.size() != LargeTrail)
            state.SkipWithError("wrong count");
    }
}

void BM_Verify100k(benchmark::State& state)
{
    TAuditLog log;
    log.Open(Large().dir.path(), true, nullptr);
    for (auto _ : state)
        if (log.Verify().Count != LargeTrail)
            state.SkipWithError("does not verify");
}

// What the program's start-up adds: the trail opened (its last entry read and
// the anchor compared), on the large trail and on a first start (the database
// made). Closing it belongs to the shutdown and is not timed.
void OpenTrail(benchmark::State& state, TQCContext& context, const std::function<QString()>& folder)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = folder();
        auto trail = std::make_unique<TAuditTrail>(context);
        state.ResumeTiming();
        if (!trail->Open(path, nullptr))
            state.SkipWithError("not opened");
        state.PauseTiming();
        trail.reset();
        state.ResumeTiming();
    }
}

void BM_OpenTrail100k(benchmark::State& state)
{
    OpenTrail(state, Large().context, [] { return Large().dir.path(); });
}

void BM_OpenTrailFirstStart(benchmark::State& state)
{
    TQCContext context;
    std::unique_ptr<QTemporaryDir> dir;
    OpenTrail(state, context, [&] {
        dir = std::make_unique<QTemporaryDir>();
        return dir->path();
    });
}

BENCHMARK(BM_RecordOne)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_List100k)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Verify100k)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenTrail100k)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OpenTrailFirstStart)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps each benchmark's real time per iteration, in milliseconds.
class TGoalReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            Milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintGoal(const TGoalReporter& reporter, const char* name, double goal)
{
    const auto found = reporter.Milliseconds.find(name);
    if (found == reporter.Milliseconds.end())
        return;
    std::printf(
        "%-24s %9.3f ms  (goal <= %g ms: %s)\n", name, found->second, goal, found->second <= goal ? "met" : "NOT met");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Large();
    TGoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintGoal(reporter, "BM_RecordOne", 2);
    PrintGoal(reporter, "BM_List100k", 500);
    PrintGoal(reporter, "BM_Verify100k", 500);
    PrintGoal(reporter, "BM_OpenTrail100k", 20);
    benchmark::Shutdown();
    return 0;
}
