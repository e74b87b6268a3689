// The unit record of "vantor.ucd": 336 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

constexpr int kUnitSlots = 16;
constexpr int kUnitRoles = 16;

struct UnitRecord : RecordBytes<336> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kSlotCounts = 4,
        kSlotCt = 68,
        kSlotClass = 100,  // 8 bytes a slot: domain, class, type, subtype, specific, 255, 255, 255
        kFlags = 228,
        kName = 230,
        kMoveType = 252,
        kMoveSpeed = 256,
        kMaxRange = 258,
        kFuel = 260,
        kFuelRate = 264,
        kPointIndex = 266,
        kRoleScores = 268,
        kMainRole = 284,
        kHit = 285,
        kStrength = 293,
        kRange = 301,
        kDetection = 309,
        kDamage = 317,
        kRadarVehicle = 328,
        kSpare329 = 329,
        kStoresIndex = 330,
        kUnitIcon = 332,
        kSpare334 = 334,
    };
    static constexpr size_t kNameSize = 22;
    static constexpr int kSlotClassBytes = 8;

    uint32_t CtIndex() const { return Get<uint32_t>(kCtIndex); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
    uint32_t SlotCount(int slot) const { return Get<uint32_t>(kSlotCounts + 4 * slot); }
    uint16_t SlotCt(int slot) const { return Get<uint16_t>(kSlotCt + 2 * slot); }
    uint8_t SlotClass(int slot, int k) const { return b[kSlotClass + kSlotClassBytes * slot + k]; }
    int16_t StoresIndex() const { return Get<int16_t>(kStoresIndex); }
    uint8_t Hit(int target) const { return b[kHit + target]; }
    uint8_t Range(int target) const { return b[kRange + target]; }
    uint8_t Detection(int target) const { return b[kDetection + target]; }
};

const FieldTable& UnitFields();

}  // namespace tablon
