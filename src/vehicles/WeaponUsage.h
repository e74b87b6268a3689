// Which vehicles use which weapons. A vehicle uses a weapon when one of its hardpoint slots is a
// "Weapon" slot whose weapon has the weapon's class-table index, or a bay or hardpoint slot whose
// weapon list holds, among its first 32 entries, a weapon with that index. Weapons are matched by
// class-table index, not by record number; empty references and records that cannot be read are
// skipped; a vehicle counts once however many of its slots carry the weapon.
#pragma once

#include <cstdint>
#include <vector>

namespace tablon {

class Database;
struct VehicleRecord;

// The rule read directly, one vehicle and one class-table index at a time: every slot's weapon
// or weapon list is read from the files.
bool VehicleUsesWeaponCt(const Database& db, const VehicleRecord& vehicle, int16_t ct);
// The vehicles of the whole vehicle file that use a class-table index, by the direct rule.
uint32_t CountVehiclesDirect(const Database& db, int16_t ct);

// "Used by NumVehicles" for every class-table index at once, from one pass over the weapon,
// weapon-list and vehicle files; equal to CountVehiclesDirect for every index.
class WeaponUsageIndex {
  public:
    void Build(const Database& db);
    uint32_t VehiclesUsing(int16_t ct) const;

  private:
    std::vector<uint32_t> count_;  // by class-table index taken as unsigned 16 bits
};

// The vehicles that use a class-table index, in file order ("Wcd Usage").
std::vector<int> VehiclesUsingWeaponCt(const Database& db, int16_t ct);
// The vehicles with a bay or hardpoint slot on a weapon list, each once, in file order
// ("HP Usage").
std::vector<int> VehiclesUsingList(const Database& db, int list);

}  // namespace tablon
