// The filter row at the format's ceiling: the weapon list of 65,535 rows filtered by name and
// range, by a regular expression and by a range of numbers, beside a bare pass that only reads
// the same cells' texts; and Back and Forward between the filtered weapons and the class table,
// each a view filled again, sorted and filtered.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/BenchDb.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

using tablon::bench::CeilingDir;

struct Weapons {
    Weapons() {
        std::filesystem::current_path(CeilingDir());
        db = std::make_unique<tablon::Database>(ui);
        if (!db->OpenAll("")) return;
        app = std::make_unique<tablon::CTablonApp>(*db, ui);
        app->Start();
        std::string error;
        app->Frame().OnTreeSelectionChanged(app->Frame().Tree().FindPath("Weapons", error));
        view = app->Frame().View()->AsList();
    }
    tablon::ScriptedUi ui;
    std::unique_ptr<tablon::Database> db;
    std::unique_ptr<tablon::CTablonApp> app;
    tablon::CMvView* view = nullptr;
};

constexpr int kName = 0, kRange = 7;

// Reads the text of every row's name and range cells: what any filter of these two columns
// has to look at.
void BM_FilterBarePassCeiling(benchmark::State& state) {
    Weapons w;
    if (!w.view) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        size_t sum = 0;
        for (int r = 0; r < w.view->RowCount(); ++r)
            sum += w.view->CellText(r, kName).size() + w.view->CellText(r, kRange).size();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = w.view->RowCount();
}
BENCHMARK(BM_FilterBarePassCeiling)->Unit(benchmark::kMillisecond);

void Filter(benchmark::State& state, std::vector<std::string> filters) {
    Weapons w;
    if (!w.view) return state.SkipWithError("the database did not open");
    filters.resize(size_t(w.view->ColumnCount()));
    int shown = 0;
    for (auto _ : state) {
        w.view->SetFilters(filters);
        shown = w.view->RowCount();
        w.view->ClearFilters();
    }
    state.counters["rows"] = w.view->RowCount();
    state.counters["shown"] = shown;
}

void BM_FilterNameAndRangeCeiling(benchmark::State& state) {
    std::vector<std::string> f(kRange + 1);
    f[kName] = "a";
    f[kRange] = ">100";
    Filter(state, f);
}
BENCHMARK(BM_FilterNameAndRangeCeiling)->Unit(benchmark::kMillisecond);

void BM_FilterRangeOfNumbersCeiling(benchmark::State& state) {
    std::vector<std::string> f(kRange + 1);
    f[kRange] = "50..5000";
    Filter(state, f);
}
BENCHMARK(BM_FilterRangeOfNumbersCeiling)->Unit(benchmark::kMillisecond);

void BM_FilterRegexCeiling(benchmark::State& state) {
    Filter(state, {"/^[a-m].*[0-9]$/i"});
}
BENCHMARK(BM_FilterRegexCeiling)->Unit(benchmark::kMillisecond);

// Back to the filtered and sorted weapons from the class table (both 65,535 rows), and
// forward again: each restores a whole view.
void BM_BackAndForwardCeiling(benchmark::State& state) {
    Weapons w;
    if (!w.view) return state.SkipWithError("the database did not open");
    w.view->SetFilter(kName, "a");
    w.view->SetFilter(kRange, ">100");
    w.view->SortBy(kRange, false);
    w.view->Select(0);
    std::string error;
    if (!w.app->Frame().GoTo("ct 100", error)) return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        w.app->Frame().GoBack();
        w.app->Frame().GoForward();
    }
    state.counters["restores"] =
        benchmark::Counter(double(state.iterations()) * 2, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BackAndForwardCeiling)->Unit(benchmark::kMillisecond);

}  // namespace
