#include "platform/Settings.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace tablon {

namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

std::string Limit(std::string s) {
    // The value is read into a 1024-byte buffer with its terminating zero.
    if (s.size() > 1023) s.resize(1023);
    return s;
}

std::vector<std::string> SplitColon(const std::string& s) {
    std::vector<std::string> out;
    std::stringstream ss(s);
    std::string item;
    while (std::getline(ss, item, ':'))
        if (!item.empty()) out.push_back(item);
    return out;
}

}  // namespace

std::optional<std::string> ReadObjectDirFrom(const std::string& settingsPath) {
    std::ifstream in(settingsPath);
    if (!in) return std::nullopt;
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (!section.empty() && section != kObjectDirSection) continue;
        if (Trim(line.substr(0, eq)) == kObjectDirKey) return Limit(Trim(line.substr(eq + 1)));
    }
    return std::nullopt;
}

std::optional<std::string> ObjectDirectory() {
    if (const char* env = std::getenv(kObjectDirEnv); env && *env) return Limit(env);

    std::string userDir;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        userDir = x;
    else if (const char* home = std::getenv("HOME"); home && *home)
        userDir = std::string(home) + "/.config";
    if (!userDir.empty())
        if (auto v = ReadObjectDirFrom(userDir + "/tablon/tablon.conf")) return v;

    std::vector<std::string> systemDirs{"/etc/xdg"};
    if (const char* x = std::getenv("XDG_CONFIG_DIRS"); x && *x) systemDirs = SplitColon(x);
    for (const auto& dir : systemDirs)
        if (auto v = ReadObjectDirFrom(dir + "/tablon/tablon.conf")) return v;
    return std::nullopt;
}

}  // namespace tablon
