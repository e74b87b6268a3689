// The sensor lists, their usage lists and the maintenance commands at the format's ceiling
// (65,535 records in every file), each beside a bare pass over the records it reads, in the same
// run. The maintenance commands rewrite files, so they run on a copy of the ceiling set.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/BenchDb.h"
#include "sensors/SensorDialogs.h"
#include "sensors/SensorMaintenance.h"
#include "sensors/SensorUsage.h"
#include "sensors/SensorViews.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "vehicles/Maintenance.h"

namespace {

using namespace tablon;

// A copy of the ceiling set that the maintenance commands may change.
const std::string& WorkDir() {
    return bench::CeilingCopy("tablon-bench-sensors-work");
}

// Every record of a file read once: what a list fill cannot go below.
void BarePass(benchmark::State& state, FileId file) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    const TableFile& t = *open.db->Table(file);
    Bytes record(t.MemSize());
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int i = 0; t.GetRecord(i, record.data()); ++i) sum += record[1];
        benchmark::DoNotOptimize(sum);
    }
    state.counters["records"] = double(t.RecordCount());
}
BENCHMARK_CAPTURE(BarePass, Rcd, FileId::Rcd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BarePass, Acd, FileId::Acd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BarePass, Vcd, FileId::Vcd)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BarePass, Wld, FileId::Wld)->Unit(benchmark::kMillisecond);

// A list as the window makes it: filled, then sorted by its starting column; then sorted by a
// float column.
void FillAndSort(benchmark::State& state, const SensorViewSetup& (*setup)(), int floatColumn) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        CSensorView view(open.app->Context(), setup());
        view.OnInitialUpdate();
        view.OnColumnClick(floatColumn);
        benchmark::DoNotOptimize(view.RowCount());
    }
}
BENCHMARK_CAPTURE(FillAndSort, Radar, RadarViewSetup, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillAndSort, Acd, AcdViewSetup, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillAndSort, Icd, IcdViewSetup, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillAndSort, Rwd, RwdViewSetup, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillAndSort, Vsd, VsdViewSetup, 7)->Unit(benchmark::kMillisecond);

// The usage lists: one pass over the files each, whatever the number of rows.
void Usage(benchmark::State& state, std::vector<ListRow> (*rows)(const Database&, int)) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    for (auto _ : state) benchmark::DoNotOptimize(rows(*open.db, 1).size());
}
std::vector<ListRow> IrUsageRows(const Database& db, int index) {
    return SensorUsageRows(db, kSensorIrst, index);
}
BENCHMARK_CAPTURE(Usage, Radar, RadarUsageRows)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Usage, IrSensor, IrUsageRows)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Usage, AcdRadar, AcdRadarUsageRows)->Unit(benchmark::kMillisecond);

// The maintenance commands on the copy, each a whole command with its one flush per file.
// Runs one command per iteration on the copy; the review of "Sort Hardpoint Tables" answers
// "Fix Records" and the question of "Set Combat Type #8" Yes.
void Command(benchmark::State& state, bool (*run)(ShellContext&)) {
    bench::OpenSet open(WorkDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    open.ui.SetDefaultAnswer(Answer::Yes);
    for (auto _ : state) {
        open.ui.QueueDialog([](Form& f) { f.Press(kIdOk); });
        benchmark::DoNotOptimize(run(open.app->Context()));
        open.ui.Clear();
    }
}
bool CombatType8(ShellContext& ctx) {
    return SetCombatType8(ctx.db, ctx.ui);
}
bool PulseDoppler(ShellContext& ctx) {
    return SetPulseDopplerFlags(ctx.db, ctx.ui);
}
bool CockpitList(ShellContext& ctx) {
    return WriteCockpitList(ctx.db, ctx.ui, WorkDir() + "/cockpit.txt");
}
BENCHMARK_CAPTURE(Command, SortHardpointTables, SortHardpointTables)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Command, SetCombatType8, CombatType8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Command, SetPulseDoppler, PulseDoppler)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Command, CreateCockpitList, CockpitList)->Unit(benchmark::kMillisecond);

}  // namespace
