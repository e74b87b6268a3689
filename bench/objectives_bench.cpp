// Runs at the ceiling: deleting and inserting the first entry of a full entry file (65,535
// objectives over 65,535 entries) and the first point of a full point file (65,535 headers over
// 65,535 points) moves every later record and rewrites every later owner, in one batch per file.
// Beside each, a bare memmove of the same bytes, in the same run. And the fills of the objective,
// point-header and entry lists at the ceiling.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "bench/BenchDb.h"
#include "objectives/ObjectiveViews.h"
#include "objectives/Runs.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

using namespace tablon;

// A copy of the owner and member files of the ceiling set, opened on their own.
struct RunFiles {
    explicit RunFiles(const RunLayout& layout) : db(ui) {
        namespace fs = std::filesystem;
        const std::string dir = "/tmp/tablon-bench-runs";
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (FileId id : {layout.owner, layout.member})
            fs::copy_file(bench::CeilingDir() + "/" + DescOf(id).name, dir + "/" + DescOf(id).name);
        fs::current_path(dir);
        ok = db.File(layout.owner).Open(DescOf(layout.owner).name, "", 1) &&
             db.File(layout.member).Open(DescOf(layout.member).name, "", 1);
    }
    ScriptedUi ui;
    Database db;
    bool ok = false;
};

// One iteration: the first member of the first owner with members deleted, then inserted back
// (the file is full, so the delete comes first).
void DeleteAndInsertFirst(benchmark::State& state, const RunLayout& layout) {
    RunFiles files(layout);
    if (!files.ok) return state.SkipWithError("can't open the files");
    TableFile& owners = *files.db.Table(layout.owner);
    TableFile& members = *files.db.Table(layout.member);
    int owner = 0;
    Bytes copy;
    while (owners.GetRecord(owner, copy) && RunOf(layout, copy.data()).count == 0) ++owner;
    const uint32_t pos = RunOf(layout, copy.data()).first;
    Bytes member;
    members.GetRecord(int(pos), member);
    std::string message;
    for (auto _ : state) {
        if (!DeleteMember(files.db, layout, owner, copy.data(), pos, message) ||
            !InsertMember(files.db, layout, owner, copy.data(), pos, member.data(), message))
            return state.SkipWithError(message.c_str());
    }
    state.counters["members"] = double(members.RecordCount());
    state.counters["owners"] = double(owners.RecordCount());
    state.counters["owner"] = owner;
}

void BM_EntryDeleteAndInsertFirstCeiling(benchmark::State& state) {
    DeleteAndInsertFirst(state, EntryRuns());
}
BENCHMARK(BM_EntryDeleteAndInsertFirstCeiling)->Unit(benchmark::kMillisecond);

void BM_PointDeleteAndInsertFirstCeiling(benchmark::State& state) {
    DeleteAndInsertFirst(state, PointRuns());
}
BENCHMARK(BM_PointDeleteAndInsertFirstCeiling)->Unit(benchmark::kMillisecond);

// The bytes the two operations move, moved bare: the member file down and up by one record, and
// the owner file read and written once each way.
void BareMoves(benchmark::State& state, uint32_t memberSize, uint32_t ownerSize) {
    const size_t n = 65535;
    std::vector<uint8_t> members(n * memberSize + memberSize), owners(n * ownerSize);
    std::vector<uint8_t> rewritten(owners.size());
    for (auto _ : state) {
        std::memmove(members.data(), members.data() + memberSize, (n - 1) * memberSize);
        std::memcpy(rewritten.data(), owners.data(), owners.size());
        std::memmove(members.data() + memberSize, members.data(), (n - 1) * memberSize);
        std::memcpy(owners.data(), rewritten.data(), owners.size());
        benchmark::DoNotOptimize(members.data());
        benchmark::DoNotOptimize(owners.data());
    }
}

void BM_EntryBareMemmove(benchmark::State& state) {
    BareMoves(state, 32, 54);
}
BENCHMARK(BM_EntryBareMemmove)->Unit(benchmark::kMillisecond);

void BM_PointBareMemmove(benchmark::State& state) {
    BareMoves(state, 12, 28);
}
BENCHMARK(BM_PointBareMemmove)->Unit(benchmark::kMillisecond);

template <typename Make>
void FillView(benchmark::State& state, Make make) {
    bench::OpenSet open(bench::CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        auto view = make(open.app->Context());
        view->OnInitialUpdate();
        benchmark::DoNotOptimize(view->RowCount());
    }
}

void BM_ObjectiveViewFillCeiling(benchmark::State& state) {
    FillView(state, MakeObjectiveView);
}
BENCHMARK(BM_ObjectiveViewFillCeiling)->Unit(benchmark::kMillisecond);

void BM_PhdViewFillCeiling(benchmark::State& state) {
    FillView(state, MakePhdView);
}
BENCHMARK(BM_PhdViewFillCeiling)->Unit(benchmark::kMillisecond);

void BM_FedViewFillCeiling(benchmark::State& state) {
    FillView(state, [](ShellContext& ctx) { return std::make_unique<CFedView>(ctx); });
}
BENCHMARK(BM_FedViewFillCeiling)->Unit(benchmark::kMillisecond);

}  // namespace
