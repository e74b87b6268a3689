// The objective drawing: a repaint of an objective of 255 feature entries (the most its count
// can say) must take under 16 ms. The demo sample's first objective is given the first 255
// entries of the entry file; beside the repaint, the build that loads and measures the models.
#include <benchmark/benchmark.h>

#include "bench/BenchDb.h"
#include "objectives/ObjectiveDraw.h"
#include "objectives/ObjectiveRecord.h"
#include "shell/RasterCanvas.h"

namespace {

using tablon::ObjectiveRecord;

const std::string& FullObjectiveDir() {
    static const std::string dir = tablon::bench::VariantDir(
        tablon::bench::DemoDir(), "-full-objective", "vantor.ocd", [](tablon::Bytes& ocd) {
            uint8_t* first = ocd.data() + 2;
            first[ObjectiveRecord::kFeatureEntryCount] = 255;
            tablon::StoreLE<uint16_t>(first + ObjectiveRecord::kFirstFeatureEntry, 0);
        });
    return dir;
}

struct Drawing {
    Drawing() : open(FullObjectiveDir()) {
        if (!open.ok || !open.db->Table(tablon::FileId::Ocd)->GetRecord(0, objective.data()))
            return;
        model = std::make_unique<tablon::ObjectiveDrawingModel>(*open.db);
        model->Build(objective);
        model->points = model->labels = model->axes = true;
    }
    tablon::bench::OpenSet open;
    ObjectiveRecord objective;
    std::unique_ptr<tablon::ObjectiveDrawingModel> model;
};

void Repaint(benchmark::State& state, bool filled) {
    Drawing d;
    if (!d.model) return state.SkipWithError("the database did not open");
    d.model->filled = filled;
    tablon::RasterCanvas canvas(800, 600);
    for (auto _ : state) benchmark::DoNotOptimize(d.model->Draw(canvas).scale);
    state.counters["entries"] = d.model->EntryCount();
}

void BM_ObjectiveRepaint255(benchmark::State& state) {
    Repaint(state, false);
}
BENCHMARK(BM_ObjectiveRepaint255)->Unit(benchmark::kMillisecond);

void BM_ObjectiveRepaint255Filled(benchmark::State& state) {
    Repaint(state, true);
}
BENCHMARK(BM_ObjectiveRepaint255Filled)->Unit(benchmark::kMillisecond);

void BM_ObjectiveBuild255(benchmark::State& state) {
    Drawing d;
    if (!d.model) return state.SkipWithError("the database did not open");
    for (auto _ : state) {
        d.model->Build(d.objective);
        benchmark::DoNotOptimize(d.model->EntryCount());
    }
    state.counters["entries"] = d.model->EntryCount();
}
BENCHMARK(BM_ObjectiveBuild255)->Unit(benchmark::kMillisecond);

}  // namespace
