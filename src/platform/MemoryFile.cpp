#include "platform/MemoryFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace tablon {

MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
    const int fd = ::memfd_create("tablon", MFD_CLOEXEC);
    if (fd < 0) return;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            return;
        }
        done += size_t(n);
    }
    fd_ = fd;
    path_ = "/proc/self/fd/" + std::to_string(fd);
}

MemoryFile::~MemoryFile() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace tablon
