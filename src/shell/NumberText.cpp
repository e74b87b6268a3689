#include "shell/NumberText.h"

#include <cfenv>
#include <cstdio>
#include <cstdlib>

#include "store/NearestRounding.h"

namespace tablon {

std::string FormatDouble(const char* format, double value) {
    NearestRounding nearest;
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, format, value);
    return std::string(buf, n < 0 ? 0 : std::min<size_t>(size_t(n), sizeof buf - 1));
}

double ParseDouble(std::string_view decimal) {
    NearestRounding nearest;
    return std::strtod(std::string(decimal).c_str(), nullptr);
}

float NearestFloat(double value) {
    NearestRounding nearest;
    volatile double v = value;
    return static_cast<float>(v);
}

}  // namespace tablon
