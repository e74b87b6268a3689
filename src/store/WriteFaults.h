// Fault points on the physical write path. Every step that changes a file on disk (a journal
// entry appended, a journal or data flush, bytes copied into a mapping, a length change) passes
// through WriteEvent() first. Normally that costs one comparison; a test arms it to make the
// n-th event fail (the write reports failure) or to kill the process right there, to prove that
// a set survives a failure or a kill at any point.
#pragma once

#include <cstdint>

namespace tablon {

enum class WriteFault { None, Fail, Kill };

class WriteFaults {
  public:
    // Counts events from now; the n-th (1-based) fails or kills. n == 0 disarms.
    static void Arm(uint64_t n, WriteFault what);
    static void Disarm() { Arm(0, WriteFault::None); }
    // Events seen since the last Arm (armed or not).
    static uint64_t Count();
    // Flushes to the disk matter only when the machine stops; a test that kills processes can
    // leave them out (the kernel keeps what a killed process wrote) to run many times faster.
    static void SetFlushes(bool on);
    static bool Flushes();
};

// Called before every physical write; false when the write is to fail.
bool WriteEvent();

}  // namespace tablon
