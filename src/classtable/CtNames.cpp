#include "classtable/CtNames.h"

#include <iterator>
#include <string>

#include "classtable/CtRecord.h"

namespace tablon {

namespace {

// A name table indexed by value; nullptr entries, like values past the end, print as the value.
struct NameTable {
    const char* const* names;
    int count;
};

template <size_t N>
constexpr NameTable Table(const char* const (&names)[N]) {
    return {names, static_cast<int>(N)};
}

std::string Number(int value) {
    return std::to_string(value);
}

// The table's name of the value, or nullptr if it has none.
const char* Find(const NameTable& table, int value) {
    if (value < 0 || value >= table.count) return nullptr;
    return table.names[value];
}

std::string Lookup(const NameTable& table, int value) {
    const char* name = Find(table, value);
    return name ? std::string(name) : Number(value);
}

constexpr const char* kDomainNames[] = {
    "UNKNOWN", "ABSTRACT", "AIR", "LAND", "SEA", "SPACE", "UNDERGROUND", "UNDERSEA",
};

constexpr const char* kClassNames[] = {
    "ABSTRACT", "ANIMAL", "FEATURE", "MANAGER", "OBJECTIVE", "SFX",   "UNIT",
    "VEHICLE",  "WEAPON", "WEATHER", "SESSION", "GAME",      "GROUP", "DIALOG",
};

constexpr const char* kModeNames[] = {"NORMAL", "CRIMSON", "SHARK", "VIPER", "TIGER"};

constexpr const char* kDataTypeNames[] = {
    "UNKNOWN", "FEATURE", "NONE", "OBJECTIVE", "UNIT", "VEHICLE", "WEAPON",
};

// Type names of one domain and class pair. Entry 0 is never used: type 0 always takes the
// general table. The table covers types 1 to count - 1.
constexpr const char* kLandFeatureTypes[] = {
    nullptr,     "Nothing",        "Ctrl Tower", "Barn",       "Bunker",  "Bush",
    "Factorys",  "Church",         "City Hall",  "Dock",       "Depot",   "Runway",
    "Warehouse", "Helipad",        "Fuel Tanks", "Nuke Plant", "Bridges", "Pier",
    "PPole",     "Shop",           "PTower",     "Apartment",  "House",   "PPlant",
    "Taxi Sign", "Nav Beacon",     "Radar Site", "Craters",    "Radars",  "RTower",
    "Taxiway",   "Rail Terminals", "REFINERYS",  "SAM",        "SHED",    "BARRACKS",
    "TREE",      "WTOWER",         "TWNHALL",    "TERMINAL",
};

constexpr const char* kLandObjectiveTypes[] = {
    nullptr,    "AirBase",     "AirStrip",      "ArmyBase", "Beach",    "Border", "Bridge",
    "Chemical", "City",        "Com Control",   "Depot",    "Factory",  "Ford",   "Fortification",
    "Hill Top", "Intersect",   "Nav Beacon",    "Nuclear",  "Pass",     "Port",   "PowerPlant",
    "Radar",    "Radio Tower", "Rail Terminal", "Railroad", "Refinery", "Road",   "Sea",
    "Town",     "Village",     "Harts",         "Sam Site",
};

constexpr const char* kLandVehicleTypes[] = {
    nullptr, "Foot", "Towed", "Tracked", "Wheeled", nullptr, nullptr, nullptr, "Rocket",
};

constexpr const char* kLandUnitTypes[] = {
    nullptr, "Battalion", "Brigade", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

constexpr const char* kAirVehicleTypes[] = {
    nullptr,      "Airplane", "Bomb",  "Electronics", "Fuel Tank",
    "Helicopter", "Missile",  "Recon", "Rocket",      "Eject",
};

constexpr const char* kAirUnitTypes[] = {
    nullptr, "Flight", "Package", "Squadron", nullptr, nullptr, nullptr, nullptr, nullptr,
};

constexpr const char* kSeaVehicleTypes[] = {
    nullptr,     nullptr,   "Boat",   "Buoy", "CapitalShip", "Cargo",  "Cruiser", "DepthCharge",
    "Destroyer", "Frigate", "patrol", "Raft", nullptr,       "Tanker", "Torpedo",
};

constexpr const char* kSeaUnitTypes[] = {
    nullptr, "TaskForce", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

constexpr const char* kUnderseaVehicleTypes[] = {nullptr, "Submarine"};

constexpr const char* kUnderseaUnitTypes[] = {
    nullptr, "WolfPack", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

struct PairTable {
    int domain;
    int cls;
    NameTable table;
};

constexpr PairTable kPairTypes[] = {
    {kDomainLand, kClassFeature, Table(kLandFeatureTypes)},
    {kDomainLand, kClassObjective, Table(kLandObjectiveTypes)},
    {kDomainLand, kClassVehicle, Table(kLandVehicleTypes)},
    {kDomainLand, kClassUnit, Table(kLandUnitTypes)},
    {kDomainAir, kClassVehicle, Table(kAirVehicleTypes)},
    {kDomainAir, kClassUnit, Table(kAirUnitTypes)},
    {kDomainSea, kClassVehicle, Table(kSeaVehicleTypes)},
    {kDomainSea, kClassUnit, Table(kSeaUnitTypes)},
    {kDomainUndersea, kClassVehicle, Table(kUnderseaVehicleTypes)},
    {kDomainUndersea, kClassUnit, Table(kUnderseaUnitTypes)},
};

// Type names for every pair without a table of its own, and for types outside a pair's table.
constexpr const char* kGeneralTypes[] = {
    nullptr,      nullptr,      nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,       nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      "REFINERYS",   "SAM",        "SHED",       "BARRACKS",
    "TREE",       "WTOWER",     "TWNHALL",     nullptr,      "SHRINE",     "PARK",
    "OFF BLOCK",  "TVSTN",      "HOTEL",       "HANGAR",     "LIGHTS",     "VASI",
    "TANK",       "FENCE",      "PARKINGLOT",  "SMOKESTACK", "BUILDING",   "COOL TWR",
    "CONT DOME",  "GUARDHOUSE", "TRANSFORMER", "AMMO DUMP",  "ART SITE",   "OFFICE",
    "CHEM PLANT", "TOWER",      "HOSPITAL",    "SHOPBLK",    "RUNWAY NUM", "RUNWAY MARKER",
    "STADIUM",    "MONUMENT",
};
static_assert(std::size(kGeneralTypes) == 68);

// Subtypes 0 to 95 have no names; the named ones are bridge sections.
constexpr int kFirstNamedSubType = 96;
constexpr const char* kBridgeSubTypes[] = {
    "BRIDGE 65D 4",  "BRIDGE 65D 5", "BRIDGE 65D 6",  "BRIDGE 65D 7",  "BRIDGE 684 2",
    "BRIDGE 684 3",  "BRIDGE 686 2", "BRIDGE 684 4",  "BRIDGE 684 6",  "BRIDGE 686 3",
    "BRIDGE 686 4",  "BRIDGE 686 5", "BRIDGE 686 6",  "BRIDGE 68B 3",  "BRIDGE 68B 2",
    "BRIDGE 68B 4",  "BRIDGE 68B 5", "BRIDGE 68B 6",  "BRIDGE 68D 3",  "BRIDGE 68D 2",
    "BRIDGE 68D 4",  "BRIDGE 6E4 2", "BRIDGE 68D 6",  "BRIDGE 6E4 3",  "BRIDGE 6E4 4",
    "BRIDGE 6E4 6",  "BRIDGE 6E4 5", "BRIDGE 6E4 7",  "BRIDGE 6E6 2",  "BRIDGE 6E6 3",
    "BRIDGE 6E6 4",  "BRIDGE 6E6 6", "BRIDGE 6E6 5",  "BRIDGE 6E6 7",  "BRIDGE 6EB 2",
    "BRIDGE 6EB 3",  "BRIDGE 6EB 4", "BRIDGE 6EB 5",  "BRIDGE 6EB 6",  "BRIDGE 6EB 7",
    "BRIDGE 6ED 2",  "BRIDGE 6ED 3", "BRIDGE 6ED 4",  "BRIDGE 6ED 5",  "BRIDGE 6ED 6",
    "BRIDGE 6ED 7",  "BRIDGE 754 2", "BRIDGE 754 3",  "BRIDGE 754 4",  "BRIDGE 754 5",
    "BRIDGE 754 6",  "BRIDGE 754 7", "BRIDGE 75D 2",  "BRIDGE 75D 3",  "BRIDGE 75D 4",
    "BRIDGE 75D 5",  "BRIDGE 75D 6", "BRIDGE 75D 7",  "B 131 1",       "B132 1",
    "B 784 1",       "B 78B 1",      "BRIDGE 131 2",  "BRIDGE 131 3",  "BRIDGE 131 4",
    "BRIDGE 132 2",  "BRIDGE 132 3", "BRIDGE 132 4",  "BRIDGE 242 1",  "BRIDGE 241  3",
    "BRIDGE 241 4",  "BRIDGE 242 2", "BRIDGE 242  3", "BRIDGE 242 4",  "BRIDGE A42 1",
    "BRIDGE a41  3", "BRIDGE a41 4", "BRIDGE a42 2",  "BRIDGE A42  3", "BRIDGE A42 4",
    "BRIDGE D41 1",  "BRIDGE D41 2", nullptr,         "BRIDGE D41 4",  "BRIDGE D42 2",
    "BRIDGE D42 4",  "B2AC 1",       "B2A3 1",        "BD2A 1",
};
static_assert(kFirstNamedSubType + std::size(kBridgeSubTypes) == 185);

// Specifics 0 to 27 have no names.
constexpr int kFirstNamedSpecific = 28;
constexpr const char* kMunitionSpecifics[] = {
    "120mmAP", "120mmHEAT", "RIFLE", "57MM HE", "AK47",
};
static_assert(kFirstNamedSpecific + std::size(kMunitionSpecifics) == 33);

// Looks a value up in a table whose first entry stands for value `first`.
std::string LookupFrom(int first, const NameTable& table, int value) {
    const char* name = value >= first ? Find(table, value - first) : nullptr;
    return name ? std::string(name) : Number(value);
}

}  // namespace

std::string DomainName(int domain) {
    return Lookup(Table(kDomainNames), domain);
}

std::string ClassName(int cls) {
    return Lookup(Table(kClassNames), cls);
}

std::string ModeName(int mode) {
    return Lookup(Table(kModeNames), mode);
}

std::string DataTypeName(int dataType) {
    return Lookup(Table(kDataTypeNames), dataType);
}

int DomainCount() {
    return static_cast<int>(std::size(kDomainNames));
}

int ClassCount() {
    return static_cast<int>(std::size(kClassNames));
}

std::string TypeName(int domain, int cls, int type) {
    for (const PairTable& pair : kPairTypes) {
        if (pair.domain != domain || pair.cls != cls) continue;
        // A pair's table covers types 1 to its last entry, named or not; type 0 and types
        // beyond fall through to the general table.
        if (type >= 1 && type < pair.table.count) return Lookup(pair.table, type);
        break;
    }
    return Lookup(Table(kGeneralTypes), type);
}

std::string SubTypeName(int subtype) {
    return LookupFrom(kFirstNamedSubType, Table(kBridgeSubTypes), subtype);
}

std::string SpecificName(int specific) {
    return LookupFrom(kFirstNamedSpecific, Table(kMunitionSpecifics), specific);
}

int CtIconIndex(const CtRecord& record) {
    return CtIconIndex(record.Domain(), record.Class(), record.Type(), record.SubType());
}

int CtIconIndex(int domain, int cls, int type, int subtype) {
    if (cls == kClassVehicle) {
        switch (domain) {
            case kDomainAir:
                if (type == 5) return 5;  // helicopter
                switch (subtype) {
                    case 3:
                    case 8:
                        return 6;
                    case 4:
                        return 8;
                    case 10:
                        return 7;
                    default:
                        return 0;
                }
            case kDomainLand:
                return 1;
            case kDomainSea:
                if (type == 4) return 9;
                if (type == 5) return 10;
                return 2;
            case kDomainUndersea:
                return 3;
            default:
                return 4;
        }
    }
    if (cls == kClassUnit) {
        switch (domain) {
            case kDomainAir:
                switch (subtype) {
                    case 4:
                    case 12:
                    case 14:
                        return 5;
                    case 5:
                    case 10:
                        return 6;
                    case 6:
                        return 8;
                    case 13:
                        return 7;
                    default:
                        return 0;
                }
            case kDomainLand:
                return 1;
            case kDomainSea:
                if (subtype == 3) return 9;
                if (subtype >= 8 && subtype <= 10) return 10;
                return 2;
            case kDomainUndersea:
                return 3;
            default:
                return 4;
        }
    }
    return 0;
}

}  // namespace tablon
