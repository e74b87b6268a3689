#include "shell/CliVerbs.h"

#include <cerrno>
#include <cstdlib>

namespace tablon {

bool CliArgs::Has(const std::string& f) const {
    for (const auto& x : flags)
        if (x == f) return true;
    return options.count(f) > 0;
}

std::vector<std::string> CliArgs::All(const std::string& k) const {
    auto it = lists.find(k);
    return it == lists.end() ? std::vector<std::string>{} : it->second;
}

std::string CliArgs::Opt(const std::string& k, const std::string& def) const {
    auto it = options.find(k);
    return it == options.end() ? def : it->second;
}

void CliVerbTable::Register(CliVerb verb) {
    for (auto& v : verbs_)
        if (v.name == verb.name) {
            v = std::move(verb);
            return;
        }
    verbs_.push_back(std::move(verb));
}

const CliVerb* CliVerbTable::Find(const std::vector<std::string>& words, size_t at,
                                  size_t& used) const {
    if (at >= words.size()) return nullptr;
    if (at + 1 < words.size()) {
        const std::string two = words[at] + " " + words[at + 1];
        for (const auto& v : verbs_)
            if (v.name == two) {
                used = 2;
                return &v;
            }
    }
    for (const auto& v : verbs_)
        if (v.name == words[at]) {
            used = 1;
            return &v;
        }
    return nullptr;
}

bool ParseCliInt(const std::string& s, long long lo, long long hi, long long& out) {
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (*end != 0 || errno == ERANGE || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ParseCliSize(const std::string& s, int& width, int& height) {
    const size_t x = s.find('x');
    long long w = 0, h = 0;
    if (x == std::string::npos || !ParseCliInt(s.substr(0, x), 1, 8192, w) ||
        !ParseCliInt(s.substr(x + 1), 1, 8192, h))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

}  // namespace tablon
