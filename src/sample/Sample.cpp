#include "sample/Sample.h"

#include <cctype>
#include <cfenv>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/MappedFile.h"
#include "sample/ModelSample.h"
#include "sample/SampleWorld.h"
#include "store/FileSet.h"
#include "store/NearestRounding.h"

namespace tablon {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The files of the set that dir already holds, by their names there (in any letter case).
std::vector<std::string> SetFilesIn(const std::string& dir) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        for (const auto& desc : FileDescs())
            if (Lower(name) == Lower(desc.name)) found.push_back(name);
    }
    return found;
}

}  // namespace

bool WriteSampleDatabase(const std::string& dir, SampleScale scale, std::string& error,
                         bool overwrite) {
    const std::vector<std::string> existing = SetFilesIn(dir);
    if (!existing.empty() && !overwrite) {
        error =
            dir + " already holds a database set (" + existing.front() +
            (existing.size() > 1 ? " and " + std::to_string(existing.size() - 1) + " more" : "") +
            ")";
        return false;
    }
    // Each existing file is locked as the program locks it for writing, and stays locked while
    // the set is written: a window or command holding the set keeps it.
    std::vector<std::unique_ptr<MappedFile>> locks;
    for (const auto& name : existing) {
        locks.push_back(std::make_unique<MappedFile>());
        if (!locks.back()->Open(dir + "/" + name, true)) {
            error = name + " in " + dir + " is held by another program";
            return false;
        }
    }
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
