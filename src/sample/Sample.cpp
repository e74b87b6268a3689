#include "sample/Sample.h"

#include <cfenv>
#include <filesystem>
#include <stdexcept>

#include "sample/ModelSample.h"
#include "sample/SampleWorld.h"

namespace tablon {

namespace {

// The sample's floats come out the same whatever rounding mode the caller runs in.
class NearestRounding {
  public:
    NearestRounding() : saved_(std::fegetround()) { std::fesetround(FE_TONEAREST); }
    ~NearestRounding() { std::fesetround(saved_); }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

  private:
    int saved_;
};

}  // namespace

bool WriteSampleDatabase(const std::string& dir, SampleScale scale, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        error = "cannot create directory " + dir;
        return false;
    }
    try {
        NearestRounding rounding;
        sample::World(scale, dir).WriteAll();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return WriteModelSample(dir, scale, error);
}

}  // namespace tablon
