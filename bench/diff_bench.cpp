// The comparison of two ceiling-size sets that differ in one record of every hundred of each
// record file, beside a bare byte comparison of the same files in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "bench/BenchDb.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/Diff.h"
#include "store/FileSet.h"

namespace {

namespace fs = std::filesystem;
using tablon::Bytes;

Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes(fs::file_size(path));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

// A copy of the ceiling set in which one record in a hundred of every record file has one
// byte changed. Made once per machine.
const std::string& ChangedCeilingDir() {
    static const std::string dir = [] {
        const std::string from = tablon::bench::CeilingDir();
        const std::string to = from + "-diff1";
        if (fs::exists(to + "/done")) return to;
        fs::create_directories(to);
        for (const auto& desc : tablon::FileDescs()) {
            const std::string name = desc.name;
            if (!fs::exists(from + "/" + name)) continue;
            Bytes bytes = Read(from + "/" + name);
            if (desc.header != tablon::HeaderKind::Model && bytes.size() > 8) {
                const bool sound = desc.header == tablon::HeaderKind::Sound;
                const size_t header = sound ? 8 : 2;
                uint32_t count = 0;
                if (sound)
                    std::memcpy(&count, bytes.data() + 4, 4);
                else
                    count = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8;
                const size_t size = count ? (bytes.size() - header) / count : 0;
                for (uint32_t i = 0; size && i < count; i += 100)
                    bytes[header + i * size + size / 2] ^= 0x5a;
            }
            std::ofstream(to + "/" + name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        std::ofstream(to + "/done") << "1\n";
        return to;
    }();
    return dir;
}

void BM_DiffCeilingOnePercent(benchmark::State& state) {
    const std::string a = tablon::bench::CeilingDir();
    const std::string b = ChangedCeilingDir();
    size_t found = 0;
    for (auto _ : state) {
        tablon::ScriptedUi ua, ub;
        tablon::Database da(ua), db(ub);
        std::string error;
        if (!tablon::OpenForReading(da, a, error) || !tablon::OpenForReading(db, b, error))
            return state.SkipWithError(error.c_str());
        found = tablon::DiffDatabases(da, db).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["differences"] = double(found);
}
BENCHMARK(BM_DiffCeilingOnePercent)->Unit(benchmark::kMillisecond);

// Reading every file of both sets and comparing the bytes: the floor a comparison can reach.
void BM_ByteCompareCeiling(benchmark::State& state) {
    const std::string a = tablon::bench::CeilingDir();
    const std::string b = ChangedCeilingDir();
    for (auto _ : state) {
        size_t differing = 0;
        for (const auto& desc : tablon::FileDescs()) {
            if (!fs::exists(a + "/" + desc.name)) continue;
            const Bytes x = Read(a + "/" + desc.name);
            const Bytes y = Read(b + "/" + desc.name);
            differing += x.size() != y.size() || std::memcmp(x.data(), y.data(), x.size()) != 0;
        }
        benchmark::DoNotOptimize(differing);
    }
}
BENCHMARK(BM_ByteCompareCeiling)->Unit(benchmark::kMillisecond);

}  // namespace
