#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tablon {

MappedFile::~MappedFile() {
    Close();
}

bool MappedFile::Open(const std::string& path, bool writable) {
    Close();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // Reading and writing without sharing: nobody else may hold the file meanwhile.
    if (::flock(fd, (writable ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    writable_ = writable;
    return true;
}

void MappedFile::OpenMemory(const uint8_t* data, size_t size, bool writable) {
    Close();
    shared_ = data;
    sharedSize_ = size;
    inMemory_ = true;
    writable_ = writable;
}

void MappedFile::Own() {
    if (owned_) return;
    memory_.assign(shared_, shared_ + sharedSize_);
    owned_ = true;
    Moved();
}

uint8_t* MappedFile::WritableView() {
    if (!view_ || !writable_) return nullptr;
    if (inMemory_) {
        Own();
        // A pointer into a mapping stays good while the file grows; here, room for 64 KiB of
        // appends keeps the bytes from moving (the writers take their pointers after they
        // append, so this is a margin, not a need; it stays small, as every input of a fuzz
        // target writes a few files).
        constexpr size_t kRoom = size_t(64) << 10;
        if (memory_.capacity() - memory_.size() < kRoom) {
            memory_.reserve(memory_.size() + kRoom);
            Moved();
        }
    }
    return view_;
}

bool MappedFile::ReadSize(uint64_t& size) const {
    if (inMemory_) {
        size = MemorySize();
        return true;
    }
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool MappedFile::Map(bool& mappingFailed) {
    mappingFailed = false;
    Unmap();
    uint64_t size = 0;
    if (!ReadSize(size) || size == 0 || size > SIZE_MAX) {
        mappingFailed = true;
        return false;
    }
    if (inMemory_) {
        // Only a buffer of the file's own is ever written through the view.
        view_ = const_cast<uint8_t*>(MemoryData());
        viewSize_ = size_t(size);
        return true;
    }
    int prot = PROT_READ | (writable_ ? PROT_WRITE : 0);
    void* p = ::mmap(nullptr, static_cast<size_t>(size), prot, MAP_SHARED, fd_, 0);
    if (p == MAP_FAILED) {
        mappingFailed = true;
        return false;
    }
    view_ = static_cast<uint8_t*>(p);
    viewSize_ = static_cast<size_t>(size);
    return true;
}

void MappedFile::Unmap() {
    if (view_ && !inMemory_) ::munmap(view_, viewSize_);
    view_ = nullptr;
    viewSize_ = 0;
}

bool MappedFile::Flush() {
    if (!view_) return false;
    if (inMemory_) return true;
    return ::msync(view_, viewSize_, MS_SYNC) == 0;
}

bool MappedFile::FlushRange(size_t offset, size_t length) {
    if (!view_ || offset > viewSize_) return false;
    if (inMemory_) return true;
    if (length > viewSize_ - offset) length = viewSize_ - offset;
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t start = offset / page * page;
    return ::msync(view_ + start, offset + length - start, MS_SYNC) == 0;
}

bool MappedFile::Truncate(uint64_t length) {
    if (!IsOpen() || !writable_) return false;
    if (inMemory_) {
        if (length > SIZE_MAX) return false;
        Own();
        memory_.resize(size_t(length));
        Moved();
        return true;
    }
    return ::ftruncate(fd_, static_cast<off_t>(length)) == 0;
}

bool MappedFile::AppendAtEnd(const uint8_t* data, size_t length) {
    if (!IsOpen() || !writable_) return false;
    if (inMemory_) {
        Own();
        memory_.insert(memory_.end(), data, data + length);
        Moved();
        return true;
    }
    off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) return false;
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::pwrite(fd_, data + done, length - done, end + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Leave the file as it was rather than with a partial record at its end.
            if (::ftruncate(fd_, end) != 0) return false;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool MappedFile::WriteAt(uint64_t offset, const uint8_t* data, size_t length) {
    if (!IsOpen() || !writable_) return false;
    if (inMemory_) {
        if (offset > SIZE_MAX - length) return false;
        Own();
        if (offset + length > memory_.size()) memory_.resize(size_t(offset + length));
        std::copy(data, data + length, memory_.begin() + ptrdiff_t(offset));
        Moved();
        return true;
    }
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::pwrite(fd_, data + done, length - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool MappedFile::Sync() {
    if (inMemory_) return true;
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

void MappedFile::Moved() {
    // A view taken before keeps showing the bytes it showed, as a mapping of a file that grew
    // does, and none past the new end.
    if (!view_) return;
    view_ = MemorySize() == 0 ? nullptr : const_cast<uint8_t*>(MemoryData());
    viewSize_ = view_ ? std::min(viewSize_, MemorySize()) : 0;
}

void MappedFile::Close() {
    Unmap();
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    fd_ = -1;
    writable_ = false;
    inMemory_ = false;
    owned_ = false;
    shared_ = nullptr;
    sharedSize_ = 0;
    memory_.clear();
    memory_.shrink_to_fit();
}

}  // namespace tablon
