// Number text is written and read in round-to-nearest mode whatever mode the caller set: the
// same float always gives the same text, and the same text the same float.
#pragma once

#include <cfenv>

namespace tablon {

class NearestRounding {
  public:
    NearestRounding() : saved_(std::fegetround()) {
        if (saved_ != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    }
    ~NearestRounding() {
        if (saved_ != FE_TONEAREST) std::fesetround(saved_);
    }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

  private:
    int saved_;
};

}  // namespace tablon
