// Units, squadron stores, sim weapon data and sounds at the format's ceiling (65,535 records in
// every file): "Recalculate Stats" over every unit and the "Ssd Usage" list, each beside a bare
// pass over the records it reads, in the same run. "Recalculate Stats" rewrites units, so it runs
// on a copy of the ceiling set. (The list switches and sorts are in the window benchmark.)
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDb.h"
#include "shell/Commands.h"
#include "store/Database.h"
#include "vehicles/SsdView.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/UnitView.h"

namespace {

using namespace tablon;

// A copy of the unit file beside links to every other file of the ceiling set.
const std::string& WorkDir() {
    static const std::string dir =
        bench::VariantDir(bench::CeilingDir(), "-units", "vantor.ucd", [](Bytes&) {});
    return dir;
}

// Every unit read once, and every vehicle once: what the two commands cannot go below.
void BM_UnitsBarePass(benchmark::State& state) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    const TableFile& units = *open.db->Table(FileId::Ucd);
    const TableFile& vehicles = *open.db->Table(FileId::Vcd);
    Bytes u(units.MemSize()), v(vehicles.MemSize());
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int i = 0; units.GetRecord(i, u.data()); ++i) sum += u[30];
        for (int i = 0; vehicles.GetRecord(i, v.data()); ++i) sum += v[30];
        benchmark::DoNotOptimize(sum);
    }
    state.counters["units"] = double(units.RecordCount());
}
BENCHMARK(BM_UnitsBarePass)->Unit(benchmark::kMillisecond);

// "Recalculate Stats" of the "Units" view: every unit shown, read, recalculated and written in
// one batch.
void BM_RecalculateStatsAllUnits(benchmark::State& state) {
    bench::OpenSet open(WorkDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    open.app->Start();  // the category tree
    std::string error;
    const int item = open.app->Frame().Tree().FindPath("Units", error);
    if (item < 0) return state.SkipWithError(error.c_str());
    open.app->Frame().OnTreeSelectionChanged(item);
    auto* view = dynamic_cast<CUnitView*>(open.app->Frame().View());
    if (!view) return state.SkipWithError("no Units view");
    for (auto _ : state) view->RecalculateStats();
    state.counters["rows"] = double(view->RowCount());
}
BENCHMARK(BM_RecalculateStatsAllUnits)->Unit(benchmark::kMillisecond);

// "Ssd Usage" of a stores set: one pass over the units.
void BM_SsdUsage(benchmark::State& state) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    size_t rows = 0;
    for (auto _ : state) rows = StoresUsers(*open.db, 1).size();
    state.counters["users"] = double(rows);
}
BENCHMARK(BM_SsdUsage)->Unit(benchmark::kMillisecond);

}  // namespace
