// The 3D model data's hot paths: the texture codec on a 512 x 512 texture beside a plain copy
// of the same bytes, building the node tree of the largest LOD of the demo sample, and the LOD
// viewer's repaint at 1280 x 800.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "bench/BenchDb.h"
#include "models/LodData.h"
#include "models/LodDraw.h"
#include "models/Lzss.h"
#include "models/ModelFiles.h"
#include "models/ParentData.h"
#include "shell/RasterCanvas.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

constexpr size_t kWidth = 512;

// A texture as textures are: smooth shading, repeated panels, a little noise.
const tablon::Bytes& Texture() {
    static const tablon::Bytes pixels = [] {
        tablon::Bytes p(kWidth * kWidth);
        uint32_t seed = 1;
        for (size_t y = 0; y < kWidth; ++y)
            for (size_t x = 0; x < kWidth; ++x) {
                seed = seed * 1103515245u + 12345u;
                const size_t panel = ((x / 64) + (y / 32)) % 3;
                p[y * kWidth + x] =
                    uint8_t(16 + panel * 40 + (x % 64) / 8 + ((seed >> 16) % 7 == 0 ? 1 : 0));
            }
        return p;
    }();
    return pixels;
}

void BM_TextureEncode512(benchmark::State& state) {
    const tablon::Bytes& px = Texture();
    for (auto _ : state) benchmark::DoNotOptimize(tablon::LzssEncode(px.data(), px.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(px.size()));
}
BENCHMARK(BM_TextureEncode512)->Unit(benchmark::kMillisecond);

void BM_TextureDecode512(benchmark::State& state) {
    const tablon::Bytes& px = Texture();
    const tablon::Bytes block = tablon::LzssEncode(px.data(), px.size());
    tablon::Bytes out;
    out.reserve(px.size());
    for (auto _ : state) {
        tablon::LzssDecode(block.data(), block.size(), out, px.size());
        benchmark::DoNotOptimize(out.data());
    }
    // Decoded bytes per second.
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(px.size()));
    state.counters["block_bytes"] = double(block.size());
}
BENCHMARK(BM_TextureDecode512)->Unit(benchmark::kMicrosecond);

void BM_MemcpyTexture512(benchmark::State& state) {
    const tablon::Bytes& px = Texture();
    tablon::Bytes out(px.size());
    for (auto _ : state) {
        std::memcpy(out.data(), px.data(), px.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(px.size()));
}
BENCHMARK(BM_MemcpyTexture512)->Unit(benchmark::kMicrosecond);

// The demo sample's database with its largest LOD (by block size) and a parent of it.
struct Models {
    Models() {
        std::filesystem::current_path(tablon::bench::DemoDir());
        db = std::make_unique<tablon::Database>(ui);
        if (!db->OpenAll("")) return;
        tablon::HdrFile& hdr = db->Hdr();
        tablon::LodRecord rec;
        for (uint32_t i = 0; i < hdr.LodCount(); ++i)
            if (hdr.GetLod(int(i), rec) && (largest < 0 || rec.Size() > lod.Size())) {
                largest = int(i);
                lod = rec;
            }
        for (uint32_t k = 0; k < hdr.ParentCount() && parent.index < 0; ++k) {
            tablon::ParentData d;
            if (!tablon::LoadParentData(*db, int(k), d)) continue;
            for (const tablon::LodRef& r : d.lodRefs)
                if (int(r.LodNumber()) == largest) parent = d;
        }
    }
    tablon::ScriptedUi ui;
    std::unique_ptr<tablon::Database> db;
    int largest = -1;
    tablon::LodRecord lod;
    tablon::ParentData parent;
};

Models& TheModels() {
    static Models m;
    return m;
}

void BM_LodTreeLargestSample(benchmark::State& state) {
    Models& m = TheModels();
    if (m.largest < 0) return state.SkipWithError("no demo sample");
    tablon::LodData d;
    for (auto _ : state) {
        d.Open(m.db->Lod(), m.lod);
        benchmark::DoNotOptimize(d.Nodes().data());
    }
    state.counters["nodes"] = double(d.Nodes().size());
    state.counters["block_bytes"] = double(m.lod.Size());
}
BENCHMARK(BM_LodTreeLargestSample)->Unit(benchmark::kMicrosecond);

void BM_LodViewerRepaint1280x800(benchmark::State& state) {
    Models& m = TheModels();
    if (m.largest < 0) return state.SkipWithError("no demo sample");
    tablon::LodData d;
    d.Open(m.db->Lod(), m.lod);
    d.SetParent(m.parent.record);
    tablon::LodViewerModel viewer(d, tablon::LodColourTable(m.db->Hdr()), m.parent.slots);
    viewer.flags = tablon::kLodFilled | tablon::kLodSlots | tablon::kLodLabels;
    for (int i = 0; i < viewer.SwitchCount(); ++i) viewer.ToggleSwitch(i);
    tablon::RasterCanvas canvas(1280, 800);
    for (auto _ : state) {
        viewer.Draw(canvas);
        benchmark::DoNotOptimize(canvas.Pixels().data());
    }
}
BENCHMARK(BM_LodViewerRepaint1280x800)->Unit(benchmark::kMillisecond);

}  // namespace
