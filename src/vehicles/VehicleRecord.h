// The vehicle record of "vantor.vcd": 160 bytes in memory (the current layout).
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

constexpr int kTargetClasses = 8;  // Static, Foot, Wheeled, Tracked, Low Air, Air, Naval, Rail
constexpr int kDamageTypes = 11;   // None, AP, HE, Bomb, ..., Other
constexpr int kHardpointSlots = 16;

// What a hardpoint slot's reference names, told by its load byte.
enum class SlotKind { Empty, Bay, Weapon, Hardpoint };
constexpr uint8_t kLoadBay = 0;
constexpr uint8_t kLoadHardpoint = 255;

// The names of the target classes and damage types, in index order.
inline constexpr const char* kTargetClassNames[kTargetClasses] = {
    "Static", "Foot", "Wheeled", "Tracked", "Low Air", "Air", "Naval", "Rail"};
inline constexpr const char* kDamageTypeNames[kDamageTypes] = {
    "None",    "AP",    "HE",       "Bomb",    "Incendiary", "Proximity",
    "Kinetic", "Water", "Chemical", "Nuclear", "Other"};

struct VehicleRecord : RecordBytes<160> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kHitPoints = 2,
        kFlags = 4,
        kName = 8,
        kEcmStrength = 22,
        kCockpit = 23,
        kRadarCs = 28,
        kMtow = 32,
        kEmptyWeight = 36,
        kFuelLoad = 40,
        kFuelRate = 44,
        kEngineSound = 46,
        kHighAlt = 48,
        kLowAlt = 50,
        kCruiseAlt = 52,
        kMaxSpeed = 54,
        kRadar = 56,
        kCrew = 58,
        kRackMask = 60,
        kVisibleMask = 62,
        kCallSign = 64,
        kCallSlot = 65,
        kHit = 66,
        kStrength = 74,
        kRange = 82,
        kDetection = 90,
        kSlotRefs = 98,
        kSlotLoads = 130,
        kDamage = 146,
        kVisualSignature = 157,
        kIrSignature = 158,
        kSpare = 159,
    };
    static constexpr size_t kNameSize = 14;  // 13 characters and a terminating zero
    static constexpr size_t kCockpitSize = 5;

    int16_t CtIndex() const { return Get<int16_t>(kCtIndex); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
    void SetName(const std::string& name) {
        StoreText(b + kName, kNameSize - 1, name);
        b[kName + kNameSize - 1] = 0;
    }
    uint32_t Flags() const { return Get<uint32_t>(kFlags); }
    void SetFlags(uint32_t flags) { Set<uint32_t>(kFlags, flags); }
    int16_t Radar() const { return Get<int16_t>(kRadar); }

    uint16_t SlotRef(int slot) const { return Get<uint16_t>(kSlotRefs + 2 * slot); }
    uint8_t SlotLoad(int slot) const { return b[kSlotLoads + slot]; }
    void SetSlot(int slot, uint16_t ref, uint8_t load) {
        Set<uint16_t>(kSlotRefs + 2 * slot, ref);
        b[kSlotLoads + slot] = load;
    }
    SlotKind Kind(int slot) const;
    bool RackBit(int slot) const { return (Get<uint16_t>(kRackMask) >> slot) & 1; }
    bool VisibleBit(int slot) const { return (Get<uint16_t>(kVisibleMask) >> slot) & 1; }
    void SetRackBit(int slot, bool on) { SetMaskBit(kRackMask, slot, on); }
    void SetVisibleBit(int slot, bool on) { SetMaskBit(kVisibleMask, slot, on); }

    uint8_t Hit(int target) const { return b[kHit + target]; }
    uint8_t Strength(int target) const { return b[kStrength + target]; }
    uint8_t Range(int target) const { return b[kRange + target]; }
    uint8_t Detection(int target) const { return b[kDetection + target]; }
    uint8_t Damage(int type) const { return b[kDamage + type]; }

  private:
    void SetMaskBit(uint16_t mask, int slot, bool on) {
        const uint16_t bit = uint16_t(1u << slot);
        Set<uint16_t>(
            mask, on ? uint16_t(Get<uint16_t>(mask) | bit) : uint16_t(Get<uint16_t>(mask) & ~bit));
    }
};

const FieldTable& VehicleFields();

}  // namespace tablon
