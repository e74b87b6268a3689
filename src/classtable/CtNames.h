// Names for the class-table classification bytes, the icon of a record, and the class-table
// records the simulation addresses by fixed index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tablon {

struct CtRecord;

// Domain values (byte 8) and class values (byte 9) the system acts on.
enum CtDomain : uint8_t {
    kDomainUnknown = 0,
    kDomainAbstract = 1,
    kDomainAir = 2,
    kDomainLand = 3,
    kDomainSea = 4,
    kDomainSpace = 5,
    kDomainUnderground = 6,
    kDomainUndersea = 7,
};
enum CtClass : uint8_t {
    kClassAbstract = 0,
    kClassAnimal = 1,
    kClassFeature = 2,
    kClassManager = 3,
    kClassObjective = 4,
    kClassSfx = 5,
    kClassUnit = 6,
    kClassVehicle = 7,
    kClassWeapon = 8,
    kClassWeather = 9,
    kClassSession = 10,
    kClassGame = 11,
    kClassGroup = 12,
    kClassDialog = 13,
};
// Data types (byte 76): which file the data reference points into.
enum CtDataType : uint8_t {
    kDataUnknown = 0,
    kDataFeature = 1,
    kDataNone = 2,
    kDataObjective = 3,
    kDataUnit = 4,
    kDataVehicle = 5,
    kDataWeapon = 6,
};

std::string DomainName(int domain);
std::string ClassName(int cls);
std::string TypeName(int domain, int cls, int type);
std::string SubTypeName(int subtype);
std::string SpecificName(int specific);
std::string ModeName(int mode);
std::string DataTypeName(int dataType);

int DomainCount();  // 8
int ClassCount();   // 14

// The use of a protected class-table index, or nothing.
std::optional<std::string> ProtectedUse(int index);
// All protected indices in ascending order.
const int* ProtectedIndices(int& count);

// Icon 0 to 10 of the list views' image lists for a class-table record.
int CtIconIndex(const CtRecord& record);
int CtIconIndex(int domain, int cls, int type, int subtype);

}  // namespace tablon
