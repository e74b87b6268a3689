// A database set held in memory. While a MemorySet lives, every set object created (and every
// file it opens) takes its files from the bytes given, each copied into a buffer of the file's
// own when it opens: the set never reads or writes the disk, keeps no journal, and a file that is
// not among the bytes is a file that cannot be found. The fuzz targets and tests use it to open
// thousands of sets a second.
#pragma once

#include <map>
#include <string>

#include "store/Bytes.h"

namespace tablon {

// File name to the file's bytes.
using MemoryFiles = std::map<std::string, Bytes>;

class MemorySet {
  public:
    explicit MemorySet(const MemoryFiles& files);
    ~MemorySet();
    MemorySet(const MemorySet&) = delete;
    MemorySet& operator=(const MemorySet&) = delete;

    // The files of the innermost MemorySet alive; null when sets are opened from the disk.
    static const MemoryFiles* Current();

  private:
    const MemoryFiles* previous_;
};

}  // namespace tablon
