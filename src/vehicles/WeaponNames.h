// The names of a weapon's coded fields: guidance, damage type and flag bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tablon {

struct WeaponGuidanceName {
    uint16_t value;
    const char* dialog;  // as the weapon dialog's drop list shows it
    const char* list;    // as the weapon list shows it
};
// In the order of the weapon dialog's drop list.
const std::vector<WeaponGuidanceName>& WeaponGuidanceNames();
// The list's text for a guidance value: its name, or the number for values without one.
std::string GuidanceListText(uint16_t value);

constexpr int kWeaponDamageTypes = 11;
// "Unknown", "AP/Pen", ... "Other" for indices 0 to 10; empty for others.
const char* WeaponDamageTypeName(uint32_t index);

struct WeaponFlagName {
    uint16_t bit;  // the flag's value
    const char* label;
};
// The "Weapon Flags" check boxes in bit order. Bit 12 has no working box.
const std::vector<WeaponFlagName>& WeaponFlagNames();

}  // namespace tablon
