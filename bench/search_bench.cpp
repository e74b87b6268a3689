// The cross-reference searches at the format's ceiling (65,535 class-table records, 65,535
// records in each file searched, 65,535 parents): each must finish in under a second. Beside the
// bad-link search, which reaches each parent's and each LOD's verdict once, the rule read
// literally (every slot sums the earlier parents' blocks and loads its LODs again), measured on
// the demo sample where it still finishes, beside the search itself on the same sample. The
// ceiling sample's class table names a few hundred models; a copy of it whose model slots name
// every parent in turn measures the search where every parent and LOD must be judged.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "bench/BenchDb.h"
#include "classtable/CtFile.h"
#include "classtable/CtSearch.h"
#include "models/ModelFiles.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

using tablon::bench::CeilingDir;
using tablon::bench::DemoDir;

using Open = tablon::bench::OpenSet;

void Counters(benchmark::State& state, tablon::Database& db, size_t rows) {
    state.counters["ct"] = double(db.Ct().RecordCount());
    state.counters["parents"] = double(db.Hdr().ParentCount());
    state.counters["lods"] = double(db.Hdr().LodCount());
    state.counters["rows"] = double(rows);
}

void BM_UsageCeiling(benchmark::State& state) {
    Open open(CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    size_t rows = 0;
    // The class-table index of the first vehicle: one that is used.
    tablon::Bytes vehicle;
    open.db->Table(tablon::FileId::Vcd)->GetRecord(0, vehicle);
    const uint16_t ct = tablon::LoadLE<uint16_t>(vehicle.data());
    for (auto _ : state) rows = tablon::CtUsageRows(*open.db, ct).size();
    Counters(state, *open.db, rows);
}
BENCHMARK(BM_UsageCeiling)->Unit(benchmark::kMillisecond);

void BM_ClassSearchAnyCeiling(benchmark::State& state) {
    Open open(CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    size_t rows = 0;
    for (auto _ : state) rows = tablon::SearchCtByClass(open.db->Ct(), {}).rows.size();
    Counters(state, *open.db, rows);
}
BENCHMARK(BM_ClassSearchAnyCeiling)->Unit(benchmark::kMillisecond);

void BM_ParentSearchCeiling(benchmark::State& state) {
    Open open(CeilingDir());
    if (!open.ok) return state.SkipWithError("the database did not open");
    size_t rows = 0;
    for (auto _ : state) {
        auto found = tablon::SearchParentReferences(open.db->Ct(), 2);
        rows = tablon::ModelLinkRows(found, false).size();
    }
    Counters(state, *open.db, rows);
}
BENCHMARK(BM_ParentSearchCeiling)->Unit(benchmark::kMillisecond);

template <typename Search>
void BadLinks(benchmark::State& state, const std::string& dir, Search search) {
    Open open(dir);
    if (!open.ok) return state.SkipWithError("the database did not open");
    size_t rows = 0;
    for (auto _ : state) {
        auto found = search(open.db->Ct(), open.db->Hdr(), open.db->Lod());
        rows = tablon::ModelLinkRows(found, true).size();
    }
    Counters(state, *open.db, rows);
}

void BM_BadLinksCeiling(benchmark::State& state) {
    BadLinks(state, CeilingDir(), tablon::SearchBadModelLinks);
}
BENCHMARK(BM_BadLinksCeiling)->Unit(benchmark::kMillisecond);

// The ceiling sample with a class table whose model slots name every parent they can in turn (the
// other files linked, not copied).
const std::string& EveryParentDir() {
    static const std::string dir = [] {
        uint32_t parents = 0;
        {
            // Model numbers are signed 16-bit: parents from 32,768 on cannot be named.
            Open models(CeilingDir());
            parents = models.ok ? std::min<uint32_t>(models.db->Hdr().ParentCount(), 32768) : 0;
        }
        using R = tablon::CtRecord;
        return tablon::bench::VariantDir(
            CeilingDir(), "-every-parent", "vantor.ct", [&](tablon::Bytes& ct) {
                const size_t records = ct.size() >= 2 ? tablon::LoadLE<uint16_t>(ct.data()) : 0;
                for (size_t i = 0; i < records && parents; ++i)
                    for (size_t s = 0; s < R::kVisualStates; ++s)
                        tablon::StoreLE<int16_t>(
                            ct.data() + 2 + i * R::kSize + R::kGraphics + 2 * s,
                            int16_t((i * R::kVisualStates + s) % parents));
            });
    }();
    return dir;
}

void BM_BadLinksEveryParentCeiling(benchmark::State& state) {
    BadLinks(state, EveryParentDir(), tablon::SearchBadModelLinks);
}
BENCHMARK(BM_BadLinksEveryParentCeiling)->Unit(benchmark::kMillisecond);

void BM_BadLinksDemo(benchmark::State& state) {
    BadLinks(state, DemoDir(), tablon::SearchBadModelLinks);
}
BENCHMARK(BM_BadLinksDemo)->Unit(benchmark::kMillisecond);

void BM_BadLinksDirectRuleDemo(benchmark::State& state) {
    BadLinks(state, DemoDir(), tablon::SearchBadModelLinksDirect);
}
BENCHMARK(BM_BadLinksDirectRuleDemo)->Unit(benchmark::kMillisecond);

}  // namespace
