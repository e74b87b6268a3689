// The weapon list at the format's ceiling: filling CWeaponView over 65,535 weapons, 65,535 weapon
// lists and 65,535 vehicles, where "Used by NumVehicles" comes from one index per fill; beside it
// the direct reading of that column (every vehicle's slots and lists walked for every weapon),
// measured on the demo sample where it still finishes, and for one weapon at the ceiling.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "bench/BenchDb.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "vehicles/WeaponRecord.h"
#include "vehicles/WeaponUsage.h"
#include "vehicles/WeaponView.h"

namespace {

using tablon::bench::CeilingDir;
using tablon::bench::DemoDir;

using Open = tablon::bench::OpenSet;

// What the window does when "Weapons" is chosen: a new view, filled and sorted.
void FillWeaponView(benchmark::State& state, const std::string& dir) {
    Open open(dir);
    if (!open.ok) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        tablon::CWeaponView view(open.app->Context());
        view.OnInitialUpdate();
        benchmark::DoNotOptimize(view.RowCount());
    }
    state.counters["weapons"] = double(open.db->Table(tablon::FileId::Wcd)->RecordCount());
    state.counters["vehicles"] = double(open.db->Table(tablon::FileId::Vcd)->RecordCount());
}

void BM_WeaponViewFillCeiling(benchmark::State& state) {
    FillWeaponView(state, CeilingDir());
}
BENCHMARK(BM_WeaponViewFillCeiling)->Unit(benchmark::kMillisecond);

void BM_WeaponViewFillDemo(benchmark::State& state) {
    FillWeaponView(state, DemoDir());
}
BENCHMARK(BM_WeaponViewFillDemo)->Unit(benchmark::kMillisecond);

// The column read directly: for every weapon, every vehicle's slots and their lists.
void BM_UsedByDirectRuleDemo(benchmark::State& state) {
    Open open(DemoDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    const tablon::TableFile& wcd = *open.db->Table(tablon::FileId::Wcd);
    tablon::WeaponRecord w;
    for (auto _ : state) {
        uint64_t sum = 0;
        for (int i = 0; wcd.GetRecord(i, w.data()); ++i)
            sum += tablon::CountVehiclesDirect(*open.db, w.CtIndex());
        benchmark::DoNotOptimize(sum);
    }
    state.counters["weapons"] = double(wcd.RecordCount());
}
BENCHMARK(BM_UsedByDirectRuleDemo)->Unit(benchmark::kMillisecond);

// One weapon's count by the direct rule at the ceiling: the full column would take this times
// the number of weapons.
void BM_UsedByDirectRuleOneWeaponCeiling(benchmark::State& state) {
    Open open(CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    tablon::WeaponRecord w;
    open.db->Table(tablon::FileId::Wcd)->GetRecord(1, w.data());
    for (auto _ : state)
        benchmark::DoNotOptimize(tablon::CountVehiclesDirect(*open.db, w.CtIndex()));
}
BENCHMARK(BM_UsedByDirectRuleOneWeaponCeiling)->Unit(benchmark::kMillisecond);

// The index alone at the ceiling.
void BM_UsageIndexCeiling(benchmark::State& state) {
    Open open(CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        tablon::WeaponUsageIndex index;
        index.Build(*open.db);
        benchmark::DoNotOptimize(index.VehiclesUsing(1));
    }
}
BENCHMARK(BM_UsageIndexCeiling)->Unit(benchmark::kMillisecond);

}  // namespace
