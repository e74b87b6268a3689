#include "sample/Sample.h"

#include <filesystem>
#include <stdexcept>

#include "sample/ModelSample.h"
#include "sample/SampleWorld.h"

namespace tablon {

bool WriteSampleDatabase(const std::string& dir, SampleScale scale, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        error = "cannot create directory " + dir;
        return false;
    }
    try {
        sample::World(scale, dir).WriteAll();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return WriteModelSample(dir, scale, error);
}

}  // namespace tablon
