#include "bench/BenchDb.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "sample/Sample.h"

namespace tablon::bench {

namespace {

std::string SampleDir(const char* env, const char* fallback, SampleScale scale) {
    const char* given = std::getenv(env);
    std::string dir = given && *given ? given : fallback;
    if (!std::filesystem::exists(dir + "/vantor.ct")) {
        std::string error;
        if (!WriteSampleDatabase(dir, scale, error)) {
            std::cerr << "can't write the sample in " << dir << ": " << error << "\n";
            std::exit(1);
        }
    }
    return dir;
}

}  // namespace

const std::string& CeilingDir() {
    static const std::string dir =
        SampleDir("TABLON_BENCH_DB", "/tmp/tablon-bench-ceiling", SampleScale::Ceiling);
    return dir;
}

const std::string& DemoDir() {
    static const std::string dir =
        SampleDir("TABLON_BENCH_DEMO_DB", "/tmp/tablon-bench-demo", SampleScale::Demo);
    return dir;
}

}  // namespace tablon::bench
