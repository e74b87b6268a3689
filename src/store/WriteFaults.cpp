#include "store/WriteFaults.h"

#include <csignal>

namespace tablon {

namespace {
uint64_t g_seen = 0;
uint64_t g_at = 0;
WriteFault g_what = WriteFault::None;
bool g_flushes = true;
}  // namespace

void WriteFaults::Arm(uint64_t n, WriteFault what) {
    g_seen = 0;
    g_at = n;
    g_what = n ? what : WriteFault::None;
}

uint64_t WriteFaults::Count() {
    return g_seen;
}

void WriteFaults::SetFlushes(bool on) {
    g_flushes = on;
}

bool WriteFaults::Flushes() {
    return g_flushes;
}

bool WriteEvent() {
    ++g_seen;
    if (g_what == WriteFault::None || g_seen != g_at) return true;
    if (g_what == WriteFault::Kill) std::raise(SIGKILL);
    return false;
}

}  // namespace tablon
