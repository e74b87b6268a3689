// The sample databases the benchmarks run on, written once per machine.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Bytes.h"
#include "store/Database.h"

namespace tablon::bench {

// The ceiling-size sample: every record file at 65,535 records ($TABLON_BENCH_DB or
// /tmp/tablon-bench-ceiling).
const std::string& CeilingDir();
// The demo sample ($TABLON_BENCH_DEMO_DB or /tmp/tablon-bench-demo).
const std::string& DemoDir();

// A variant of a sample set: the directory from + suffix, where `file` is a copy of the
// sample's changed by `patch` and every other file a link to the sample's. Made once per machine.
std::string VariantDir(const std::string& from, const std::string& suffix, const std::string& file,
                       const std::function<void(Bytes&)>& patch);

// A fresh whole copy of the ceiling set in the temporary directory under name, made once per
// run, for benchmarks that change many files.
const std::string& CeilingCopy(const std::string& name);

// The database set of a directory (made the working directory), open, with the application
// shell on top.
struct OpenSet {
    explicit OpenSet(const std::string& dir) {
        std::filesystem::current_path(dir);
        db = std::make_unique<Database>(ui);
        ok = db->OpenAll("");
        if (ok) app = std::make_unique<CTablonApp>(*db, ui);
    }
    ScriptedUi ui;
    std::unique_ptr<Database> db;
    std::unique_ptr<CTablonApp> app;
    bool ok = false;
};

}  // namespace tablon::bench
