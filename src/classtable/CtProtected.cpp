#include <algorithm>
#include <iterator>

#include "classtable/CtNames.h"

namespace tablon {

namespace {

struct Protected {
    int index;
    const char* use;
};

// Class-table records the simulation addresses by fixed number, in ascending order.
constexpr Protected kProtected[] = {
    {20, "VantorFlyingEyeType"},
    {156, "GTM"},
    {270, "Flare"},
    {294, "IA F-16"},
    {372, "TE F-16"},
    {430, "Package"},
    {432, "ATM"},
    {472, "NTM"},
    {516, "Chaff"},
    {534, "GenericUSTruck"},
    {707, "GenericTruck"},
    {785, "Team"},
    {833, "Single Rack"},
    {834, "Triple Rack"},
    {910, "RocketID"},
    {921, "Chaff SFX"},
    {984, "Flare SFX"},
    {1001, "Ejecting pilot"},
    {1033, "SFXType"},
    {1044, "VantorSessionType"},
    {1087, "City"},
    {1395, "VantorGameType"},
    {1396, "VantorGroupType"},
    {1507, "Six Rack"},
    {1508, "Quadruple Rack"},
    {1858, "SingleAARack"},
    {1859, "2 Rail Rack"},
    {1860, "Maverick Rack"},
};

constexpr int kProtectedIndices[] = {20,   156,  270,  294,  372,  430,  432,  472,  516,  534,
                                     707,  785,  833,  834,  910,  921,  984,  1001, 1033, 1044,
                                     1087, 1395, 1396, 1507, 1508, 1858, 1859, 1860};

}  // namespace

std::optional<std::string> ProtectedUse(int index) {
    auto it = std::lower_bound(std::begin(kProtected), std::end(kProtected), index,
                               [](const Protected& p, int i) { return p.index < i; });
    if (it != std::end(kProtected) && it->index == index) return std::string(it->use);
    return std::nullopt;
}

const int* ProtectedIndices(int& count) {
    count = static_cast<int>(std::size(kProtectedIndices));
    return kProtectedIndices;
}

}  // namespace tablon
