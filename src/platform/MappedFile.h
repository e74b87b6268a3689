// A file held open and mapped into memory as a whole, the operating-system side of a record
// file: open an existing file (exclusive lock for writing, shared lock for reading), read its
// size, map it, flush, unmap, cut or extend it, and write at its end. A file can also be held in
// memory only (OpenMemory): the same operations then act on bytes in memory, with no system
// call, and nothing reaches the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tablon {

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens an existing file; never creates one. Writable files are locked exclusively and
    // without waiting, so a second program holding the same file makes this fail.
    bool Open(const std::string& path, bool writable);
    // Takes the given bytes as the file's contents. They are read where they are, and copied
    // into a buffer of the file's own at the first change (WritableView, Truncate, AppendAtEnd,
    // WriteAt): they must stay unchanged while the file is open, and are never written.
    void OpenMemory(const uint8_t* data, size_t size, bool writable);
    bool IsOpen() const { return fd_ >= 0 || inMemory_; }
    bool Writable() const { return writable_; }

    // Size of the file (on disk, read now).
    bool ReadSize(uint64_t& size) const;

    // Maps the whole file. Fails (mappingFailed set) for an empty file or when the kernel
    // refuses the mapping.
    bool Map(bool& mappingFailed);
    void Unmap();
    bool IsMapped() const { return view_ != nullptr; }
    // The view, to read.
    const uint8_t* View() const { return view_; }
    // The view, to write into (a writable file only, null otherwise).
    uint8_t* WritableView();
    size_t ViewSize() const { return viewSize_; }

    // Writes the whole view back to the disk (msync).
    bool Flush();
    // Writes the pages holding [offset, offset + length) back to the disk.
    bool FlushRange(size_t offset, size_t length);
    // Sets the end of the file (the view must be dropped first by the caller).
    bool Truncate(uint64_t length);
    // Writes bytes at the current end of the file with an ordinary write.
    bool AppendAtEnd(const uint8_t* data, size_t length);
    // Writes bytes at an offset with an ordinary write (the view must be dropped first).
    bool WriteAt(uint64_t offset, const uint8_t* data, size_t length);
    // Makes the file's data durable (fdatasync).
    bool Sync();

    void Close();

  private:
    // A file held in memory: its contents, and its own buffer made from them.
    const uint8_t* MemoryData() const { return owned_ ? memory_.data() : shared_; }
    size_t MemorySize() const { return owned_ ? memory_.size() : sharedSize_; }
    void Own();
    // Renews the view of a file held in memory after its contents moved or changed length.
    void Moved();

    int fd_ = -1;
    bool writable_ = false;
    uint8_t* view_ = nullptr;
    size_t viewSize_ = 0;
    bool inMemory_ = false;
    bool owned_ = false;  // the contents are memory_, no longer the bytes given
    const uint8_t* shared_ = nullptr;
    size_t sharedSize_ = 0;
    std::vector<uint8_t> memory_;
};

}  // namespace tablon
