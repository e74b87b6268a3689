// Undo and redo of a maintenance command over the whole ceiling set, beside the command itself,
// in the same run: "Recalculate Stats" on the list of every vehicle (65,535 records rewritten),
// then its undo, then its redo. They run on a copy of the ceiling set.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDb.h"
#include "shell/MainFrame.h"
#include "store/Undo.h"
#include "vehicles/VehicleStats.h"

namespace {

using namespace tablon;

const std::string& WorkDir() {
    return bench::CeilingCopy("tablon-bench-undo-work");
}

// The vehicle list open on the copy; each run of the command changes every vehicle's
// statistics (the low-air factor alternates).
struct Recalc {
    bench::OpenSet set{WorkDir()};
    int runs = 0;
    bool Ready() {
        if (!set.ok) return false;
        CMainFrame& frame = set.app->Frame();
        frame.Tree().Build(*set.db);
        frame.OnTreeSelectionChanged(frame.Tree().VehiclesItem());
        return frame.StateOf(cmd::kRecalculateStats).enabled;
    }
    void Run() {
        SetLowAirFactor(++runs % 2 ? 0.3f : 0.7f);
        set.app->Frame().Run(cmd::kRecalculateStats);
    }
};

void BM_RecalculateStats(benchmark::State& state) {
    Recalc r;
    if (!r.Ready()) return state.SkipWithError("the command does not apply");
    for (auto _ : state) r.Run();
}

void BM_UndoRecalculateStats(benchmark::State& state) {
    Recalc r;
    if (!r.Ready()) return state.SkipWithError("the command does not apply");
    for (auto _ : state) {
        state.PauseTiming();
        r.Run();
        state.ResumeTiming();
        std::string message;
        if (UndoLast(*r.set.db, message) != UndoResult::Done) {
            state.SkipWithError(message.c_str());
            break;
        }
    }
}

void BM_RedoRecalculateStats(benchmark::State& state) {
    Recalc r;
    if (!r.Ready()) return state.SkipWithError("the command does not apply");
    for (auto _ : state) {
        state.PauseTiming();
        r.Run();
        std::string message;
        UndoLast(*r.set.db, message);
        state.ResumeTiming();
        if (RedoLast(*r.set.db, message) != UndoResult::Done) {
            state.SkipWithError(message.c_str());
            break;
        }
    }
}

BENCHMARK(BM_RecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_UndoRecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_RedoRecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace
