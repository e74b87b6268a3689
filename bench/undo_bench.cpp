// Undo and redo of a maintenance command over the whole ceiling set, beside the command itself,
// in the same run: "Recalculate Stats" on the list of every vehicle (65,535 records rewritten),
// its undo, its redo. Each runs on a fresh copy of the ceiling set, whose stored statistics the
// command changes; between timed runs the step is undone or redone untimed, so that every timed
// run changes every vehicle again.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDb.h"
#include "shell/MainFrame.h"
#include "store/Undo.h"
#include "vehicles/VehicleStats.h"

namespace {

using namespace tablon;

// The vehicle list open on a copy of its own.
struct Recalc {
    explicit Recalc(const std::string& copy) : set(bench::CeilingCopy(copy)) {}
    bench::OpenSet set;
    std::string message;
    bool Ready() {
        if (!set.ok) return false;
        // A low-air factor other than the one the set was made with changes every armed
        // vehicle's statistics.
        SetLowAirFactor(0.3f);
        CMainFrame& frame = set.app->Frame();
        frame.Tree().Build(*set.db);
        frame.OnTreeSelectionChanged(frame.Tree().VehiclesItem());
        return frame.StateOf(cmd::kRecalculateStats).enabled;
    }
    // The number of the journal's last step.
    uint64_t LastStep() const {
        const auto steps = Journal::Read(set.db->GetJournal().Folder()).steps;
        return steps.empty() ? 0 : steps.back().id;
    }
    // Runs the command; false when it wrote nothing (the copy already held its results).
    bool Run() {
        const uint64_t before = LastStep();
        set.app->Frame().Run(cmd::kRecalculateStats);
        message = "the command changed nothing";
        return LastStep() > before;
    }
    bool Undo() { return UndoLast(*set.db, message) == UndoResult::Done; }
    bool Redo() { return RedoLast(*set.db, message) == UndoResult::Done; }
};

// Times `timed` on a copy of its own prepared by `ready`; `back` (untimed) returns the set to
// where the next timed run changes every vehicle again.
template <typename Ready, typename Timed, typename Back>
void TimeOnCopy(benchmark::State& state, const char* copy, Ready ready, Timed timed, Back back) {
    Recalc r(copy);
    if (!r.Ready() || !ready(r)) return state.SkipWithError("the command does not apply");
    for (auto _ : state) {
        const bool done = timed(r);
        state.PauseTiming();
        const bool returned = done && back(r);
        state.ResumeTiming();
        if (!returned) return state.SkipWithError(r.message.c_str());
    }
}

bool Run(Recalc& r) {
    return r.Run();
}
bool Undo(Recalc& r) {
    return r.Undo();
}
bool Redo(Recalc& r) {
    return r.Redo();
}
bool Nothing(Recalc&) {
    return true;
}
bool RunThenUndo(Recalc& r) {
    return r.Run() && r.Undo();
}

void BM_RecalculateStats(benchmark::State& state) {
    TimeOnCopy(state, "tablon-bench-undo-command", Nothing, Run, Undo);
}

void BM_UndoRecalculateStats(benchmark::State& state) {
    TimeOnCopy(state, "tablon-bench-undo-undo", Run, Undo, Redo);
}

void BM_RedoRecalculateStats(benchmark::State& state) {
    TimeOnCopy(state, "tablon-bench-undo-redo", RunThenUndo, Redo, Undo);
}

BENCHMARK(BM_RecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_UndoRecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_RedoRecalculateStats)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
