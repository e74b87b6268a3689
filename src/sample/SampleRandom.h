// The sample database's own random numbers: a fixed algorithm with fixed seeds, so that the
// same sample comes out on every machine and every run.
#pragma once

#include <cstdint>

namespace tablon {

class SampleRandom {
  public:
    explicit SampleRandom(uint64_t seed) : state_(seed) {}

    // splitmix64
    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // 0 .. n - 1 (0 when n is 0).
    uint32_t Below(uint32_t n) { return n ? uint32_t(Next() % n) : 0; }
    // lo .. hi, both included.
    int Between(int lo, int hi) { return lo + int(Below(uint32_t(hi - lo + 1))); }
    // A float in [lo, hi) on a grid of 1/1024 of the span, so values print short.
    float Between(float lo, float hi) { return lo + (hi - lo) * float(Below(1024)) / 1024.0f; }

  private:
    uint64_t state_;
};

}  // namespace tablon
