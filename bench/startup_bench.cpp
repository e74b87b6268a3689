// Start-up at the format's ceiling: opening, mapping and size-checking all 23 files of a
// ceiling-size sample database, beside a bare loop that maps the same files in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bench/BenchDb.h"
#include "platform/FpMode.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"

namespace {

using tablon::bench::CeilingDir;

void BM_StartupOpenAll(benchmark::State& state) {
    std::filesystem::current_path(CeilingDir());
    for (auto _ : state) {
        tablon::ScriptedUi ui;
        tablon::Database db(ui);
        bool ok = db.OpenAll("");
        if (!ok || !ui.Messages().empty()) state.SkipWithError("start-up failed");
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_StartupOpenAll)->Unit(benchmark::kMicrosecond);

// What any program must do to reach the same files: open, lock, size, map, unmap, close.
void BM_BareMapLoop(benchmark::State& state) {
    std::filesystem::current_path(CeilingDir());
    for (auto _ : state) {
        uint64_t sum = 0;
        for (const auto& desc : tablon::FileDescs()) {
            int fd = ::open(desc.name, O_RDWR | O_CLOEXEC);
            if (fd < 0) continue;
            ::flock(fd, LOCK_EX | LOCK_NB);
            struct stat st {};
            ::fstat(fd, &st);
            void* p =
                ::mmap(nullptr, size_t(st.st_size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            if (p != MAP_FAILED) {
                sum += static_cast<const uint8_t*>(p)[0];
                ::munmap(p, size_t(st.st_size));
            }
            ::close(fd);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BareMapLoop)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    tablon::SetProgramFpMode();
    benchmark::Initialize(&argc, argv);
    CeilingDir();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
