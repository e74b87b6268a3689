// The sample databases the benchmarks run on, written once per machine.
#pragma once

#include <string>

namespace tablon::bench {

// The ceiling-size sample: every record file at 65,535 records ($TABLON_BENCH_DB or
// /tmp/tablon-bench-ceiling).
const std::string& CeilingDir();
// The demo sample ($TABLON_BENCH_DEMO_DB or /tmp/tablon-bench-demo).
const std::string& DemoDir();

}  // namespace tablon::bench
