// The weapon record of "vantor.wcd": 60 bytes in memory (the current layout).
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

// Guidance values of the "Seeker" field.
enum WeaponGuidance : uint16_t {
    kGuidanceNone = 0,
    kGuidanceAntiRadar = 1,
    kGuidanceIrAllAspect = 2,
    kGuidanceRadar = 4,
    kGuidanceLaser = 8,
    kGuidanceOptical = 16,
    kGuidanceIrRearAspect = 34,
    kGuidanceIrSam = 66,
    kGuidanceRadarSam = 68,
};

// Weapon flag bits.
enum WeaponFlag : uint16_t {
    kWeaponRecon = 0x1,
    kWeaponFuel = 0x2,
    kWeaponEcm = 0x4,
    kWeaponAreaEffect = 0x8,
    kWeaponCluster = 0x10,
    kWeaponTracer = 0x20,
    kWeaponAlwaysRack = 0x40,
    kWeapon3rdGenLgb = 0x80,
    kWeaponBomb = 0x100,
    kWeaponNoTrails = 0x200,
    kWeaponBombDropSound = 0x400,
    kWeaponBombGps = 0x800,
    kWeaponRocketMarker = 0x1000,
    kWeaponLoadOnOneHardpoint = 0x2000,
    kWeaponIsGun = 0x4000,
    kWeaponAmmoTenth = 0x8000,
};

struct WeaponRecord : RecordBytes<60> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kDamage = 2,
        kDamageType = 4,
        kRange = 8,
        kFlags = 10,
        kName = 12,
        kMinAlt = 30,
        kBulletDispersion = 31,
        kHitChance = 32,
        kFireRate = 40,
        kRarity = 41,
        kGuidance = 42,
        kCollective = 44,
        kBulletBits = 45,
        kRackGroup = 46,
        kWeight = 48,
        kDrag = 50,
        kBlastRadius = 52,
        kSeekerRadar = 54,
        kVehicleList = 56,
        kMaxAlt = 58,
        kRoundsPerSecond = 59,
    };
    static constexpr size_t kNameSize = 18;  // 17 characters and a terminating zero

    int16_t CtIndex() const { return Get<int16_t>(kCtIndex); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
    // At most 17 characters, zero-padded; the terminating byte 29 is left as it is.
    void SetName(const std::string& name) { StoreText(b + kName, kNameSize - 1, name); }
    int16_t Range() const { return Get<int16_t>(kRange); }
    uint16_t Flags() const { return Get<uint16_t>(kFlags); }
    uint16_t Guidance() const { return Get<uint16_t>(kGuidance); }
    uint8_t HitChance(int target) const { return b[kHitChance + target]; }
    int16_t SeekerRadar() const { return Get<int16_t>(kSeekerRadar); }
};

const FieldTable& WeaponFields();

}  // namespace tablon
