// What the write journal costs: the same writes on a copy of the ceiling-size vehicle file,
// once through a set with its journal and once through a file opened on its own (no journal).
// A single record written and flushed, and a whole-file rewrite in one batch (what a
// maintenance command over every vehicle does).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDb.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

namespace fs = std::filesystem;

struct Target {
    tablon::ScriptedUi ui;
    tablon::FileSetContext bare;  // no journal
    std::unique_ptr<tablon::Database> db;
    std::unique_ptr<tablon::TableFile> alone;
    tablon::TableFile* file = nullptr;

    explicit Target(bool journalled) {
        const std::string dir = "/tmp/tablon-bench-journal";
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(tablon::bench::CeilingDir() + "/vantor.vcd", dir + "/vantor.vcd");
        fs::current_path(dir);
        if (journalled) {
            db = std::make_unique<tablon::Database>(ui);
            file = db->Table(tablon::FileId::Vcd);
        } else {
            alone = std::make_unique<tablon::TableFile>(tablon::DescOf(tablon::FileId::Vcd), bare);
            file = alone.get();
        }
        file->Open("vantor.vcd", "", 1);
    }
};

void SingleWrite(benchmark::State& state, bool journalled) {
    Target t(journalled);
    tablon::TableFile& vcd = *t.file;
    if (!vcd.SizeOk()) state.SkipWithError("can't open");
    tablon::Bytes rec;
    int i = 0;
    for (auto _ : state) {
        const int index = (i++ * 97) % int(vcd.RecordCount());
        vcd.GetRecord(index, rec);
        rec[2] ^= 1;
        if (!vcd.SetRecord(index, rec)) state.SkipWithError("write failed");
    }
}

void WholeFile(benchmark::State& state, bool journalled) {
    Target t(journalled);
    tablon::TableFile& vcd = *t.file;
    if (!vcd.SizeOk()) state.SkipWithError("can't open");
    tablon::Bytes rec;
    for (auto _ : state) {
        tablon::WriteBatch batch(vcd);
        for (int index = 0; index < int(vcd.RecordCount()); ++index) {
            vcd.GetRecord(index, rec);
            rec[2] ^= 1;
            if (!vcd.SetRecord(index, rec)) state.SkipWithError("write failed");
        }
        if (!batch.Finish()) state.SkipWithError("flush failed");
    }
    state.SetItemsProcessed(state.iterations() * vcd.RecordCount());
}

void BM_SingleWriteUnjournalled(benchmark::State& s) {
    SingleWrite(s, false);
}
void BM_SingleWriteJournalled(benchmark::State& s) {
    SingleWrite(s, true);
}
void BM_WholeFileUnjournalled(benchmark::State& s) {
    WholeFile(s, false);
}
void BM_WholeFileJournalled(benchmark::State& s) {
    WholeFile(s, true);
}
BENCHMARK(BM_SingleWriteUnjournalled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleWriteJournalled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeFileUnjournalled)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WholeFileJournalled)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
