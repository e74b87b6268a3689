#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool MappedFile::ReadSize(uint64_t& size) const {
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
    if (view_) ::munmap(view_, viewSize_);
    view_ = nullptr;
    viewSize_ = 0;
}

bool MappedFile::Flush() {
    if (!view_) return false;
    return ::msync(view_, viewSize_, MS_SYNC) == 0;
}

bool MappedFile::FlushRange(size_t offset, size_t length) {
    if (!view_ || offset > viewSize_) return false;
    if (length > viewSize_ - offset) length = viewSize_ - offset;
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t start = offset / page * page;
    return ::msync(view_ + start, offset + length - start, MS_SYNC) == 0;
}

bool MappedFile::Truncate(uint64_t length) {
    if (fd_ < 0 || !writable_) return false;
    return ::ftruncate(fd_, static_cast<off_t>(length)) == 0;
}

bool MappedFile::AppendAtEnd(const uint8_t* data, size_t length) {
    if (fd_ < 0 || !writable_) return false;
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
    if (fd_ < 0 || !writable_) return false;
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
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

void MappedFile::Close() {
    Unmap();
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    fd_ = -1;
    writable_ = false;
}

}  // namespace tablon
