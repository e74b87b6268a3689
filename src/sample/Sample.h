// The sample database: a deterministic, self-consistent set of all 23 files for trying Tablon
// out, for tests and, at the format's ceiling, for benchmarks.
#pragma once

#include <string>

namespace tablon {

enum class SampleScale {
    Demo,     // a few dozen to a few hundred records a file
    Ceiling,  // every record file filled to 65,535 records
};

// Writes the 23 files into dir (created if needed). Returns false and says why on failure.
// A directory that already holds any file of the set is refused unless overwrite is given; a
// set that another program holds open (its files locked) is never written.
bool WriteSampleDatabase(const std::string& dir, SampleScale scale, std::string& error,
                         bool overwrite = false);

}  // namespace tablon
