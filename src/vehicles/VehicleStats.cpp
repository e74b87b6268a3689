#include "vehicles/VehicleStats.h"

#include <array>
#include <cstdint>

#include "store/Database.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

namespace {

constexpr int kLowAirClass = 4;

float lowAirFactor = kDefaultLowAirFactor;

struct Maxima {
    std::array<int32_t, kTargetClasses> range{};
    std::array<uint8_t, kTargetClasses> hit{};

    void Add(const WeaponRecord& w, float lowAir) {
        for (int t = 0; t < kTargetClasses; ++t) {
            const int32_t range = w.Range();
            int32_t r = range;
            if (t == kLowAirClass) {
                r = int32_t(float(range) * lowAir + 0.5f);
                if (r == 0 && range != 0) r = 1;
            }
            const uint8_t h = w.HitChance(t);
            if (h != 0 && r > this->range[size_t(t)]) this->range[size_t(t)] = r;
            if (h > hit[size_t(t)]) hit[size_t(t)] = h;
        }
    }
};

bool ReadWeapon(const TableFile* wcd, int index, WeaponRecord& out) {
    return wcd && wcd->GetRecord(index, out.data());
}

}  // namespace

float LowAirFactor() {
    return lowAirFactor;
}

void SetLowAirFactor(float factor) {
    lowAirFactor = factor;
}

void RecalculateVehicleStats(const Database& db, VehicleRecord& vehicle) {
    const TableFile* wcd = db.Table(FileId::Wcd);
    const TableFile* wld = db.Table(FileId::Wld);
    const float lowAir = LowAirFactor();
    Maxima m;
    WeaponRecord weapon;
    WeaponListRecord list;
    for (int s = 0; s < kHardpointSlots; ++s) {
        switch (vehicle.Kind(s)) {
            case SlotKind::Empty:
                break;
            case SlotKind::Weapon:
                if (ReadWeapon(wcd, vehicle.SlotRef(s), weapon)) m.Add(weapon, lowAir);
                break;
            case SlotKind::Bay:
            case SlotKind::Hardpoint:
                if (!wld || !wld->GetRecord(vehicle.SlotRef(s), list.data())) break;
                for (int e = 0; e < WeaponListRecord::kListedEntries; ++e)
                    if (list.Weapon(e) != 0 && ReadWeapon(wcd, list.Weapon(e), weapon))
                        m.Add(weapon, lowAir);
                break;
        }
    }
    for (int t = 0; t < kTargetClasses; ++t) {
        vehicle.b[VehicleRecord::kHit + t] = m.hit[size_t(t)];
        vehicle.b[VehicleRecord::kRange + t] = uint8_t(uint32_t(m.range[size_t(t)]) & 0xff);
    }
}

}  // namespace tablon
