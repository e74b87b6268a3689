// A file in memory: an anonymous file holding a copy of some bytes, which everything that
// opens files by path (MappedFile, streams) can open by Path() while the object lives. What
// was opened stays usable after the object is gone. Nothing reaches the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tablon {

class MemoryFile {
  public:
    MemoryFile(const uint8_t* data, size_t size);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool Ok() const { return fd_ >= 0; }
    // "/proc/self/fd/N"; empty when the file could not be made.
    const std::string& Path() const { return path_; }

  private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace tablon
