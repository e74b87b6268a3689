// The sim weapon data record of "vantor.swd": 52 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

enum SimWeaponFlag : uint32_t {
    kSimWeaponLoftable = 0x1,
    kSimWeaponHasDisplay = 0x2,
    kSimWeaponTrainable = 0x400,
};

struct SimWeaponRecord : RecordBytes<52> {
    enum Offset : uint16_t {
        kFlags = 0,
        kDragCoef = 4,
        kWeight = 8,
        kArea = 12,
        kEjectX = 16,
        kEjectY = 20,
        kEjectZ = 24,
        kName = 28,
        kWeaponType = 36,
        kAirGround = 40,
        kAvionics = 44,
        kMissileData = 48,
    };
    static constexpr size_t kNameSize = 8;  // 7 characters and a terminating zero

    uint32_t Flags() const { return Get<uint32_t>(kFlags); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
};

const FieldTable& SimWeaponFields();

}  // namespace tablon
