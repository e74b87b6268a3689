#include "bench/BenchDb.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

#include "sample/Sample.h"

namespace tablon::bench {

namespace {

std::string SampleDir(const char* env, const char* fallback, SampleScale scale) {
    const char* given = std::getenv(env);
    std::string dir = given && *given ? given : fallback;
    if (!std::filesystem::exists(dir + "/vantor.ct")) {
        std::string error;
        if (!WriteSampleDatabase(dir, scale, error, true)) {
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

const std::string& CeilingCopy(const std::string& name) {
    static std::map<std::string, std::string> made;
    auto [it, added] = made.try_emplace(name);
    if (added) {
        namespace fs = std::filesystem;
        const std::string d = fs::temp_directory_path() / name;
        fs::remove_all(d);
        fs::create_directories(d);
        for (const auto& e : fs::directory_iterator(CeilingDir()))
            if (e.is_regular_file())
                fs::copy_file(e.path(), d + "/" + e.path().filename().string());
        it->second = d;
    }
    return it->second;
}

std::string VariantDir(const std::string& from, const std::string& suffix, const std::string& file,
                       const std::function<void(Bytes&)>& patch) {
    namespace fs = std::filesystem;
    const std::string to = from + suffix;
    if (fs::exists(to + "/" + file)) return to;
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const auto name = entry.path().filename();
        if (name == file || fs::exists(to / name)) continue;
        fs::create_symlink(entry.path(), to / name);
    }
    std::ifstream in(from + "/" + file, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    patch(bytes);
    std::ofstream(to + "/" + file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return to;
}

}  // namespace tablon::bench
