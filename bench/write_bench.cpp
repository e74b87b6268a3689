// Writing many records: one flush per record (what a single edit does) beside one flush per
// batch (what the database-wide commands do), on a copy of the ceiling-size vehicle file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDb.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

void Writes(benchmark::State& state, bool batched) {
    namespace fs = std::filesystem;
    const std::string dir = "/tmp/tablon-bench-writes";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(tablon::bench::CeilingDir() + "/vantor.vcd", dir + "/vantor.vcd");
    fs::current_path(dir);
    tablon::ScriptedUi ui;
    tablon::Database db(ui);
    tablon::TableFile& vcd = *db.Table(tablon::FileId::Vcd);
    if (!vcd.Open("vantor.vcd", "", 1)) state.SkipWithError("can't open");
    const int n = int(state.range(0));
    tablon::Bytes rec;
    for (auto _ : state) {
        tablon::WriteBatch batch(vcd);
        if (!batched) batch.Finish();
        for (int i = 0; i < n; ++i) {
            const int index = (i * 97) % int(vcd.RecordCount());
            vcd.GetRecord(index, rec);
            rec[2] ^= 1;
            if (!vcd.SetRecord(index, rec)) state.SkipWithError("write failed");
        }
        if (batched && !batch.Finish()) state.SkipWithError("flush failed");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_WriteEachFlushed(benchmark::State& s) {
    Writes(s, false);
}
void BM_WriteBatched(benchmark::State& s) {
    Writes(s, true);
}
BENCHMARK(BM_WriteEachFlushed)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBatched)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
