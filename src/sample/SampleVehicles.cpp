// The vehicle files of the sample: weapons, sim weapon data, weapon lists, vehicles, aircraft
// data, units and squadron stores.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "sample/SampleRandom.h"
#include "sample/SampleWorld.h"
#include "sensors/AircraftDataRecord.h"
#include "sensors/SensorRecords.h"
#include "vehicles/SimWeaponRecord.h"
#include "vehicles/StoresRecord.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon::sample {

namespace {

constexpr float kLowAirFactor = 0.83f;
constexpr int kLowAir = 4;

uint8_t Clamp255(long v) {
    return uint8_t(std::clamp(v, 0L, 255L));
}

// Damage modifiers in percent by damage type (None, AP, HE, Bomb, Incendiary, Proximity,
// Kinetic, Water, Chemical, Nuclear, Other).
constexpr std::array<uint8_t, 11> kAirDamage = {0, 100, 100, 100, 80, 100, 100, 0, 50, 100, 100};
constexpr std::array<uint8_t, 11> kArmourDamage = {0, 100, 60, 80, 40, 30, 20, 0, 40, 100, 100};
constexpr std::array<uint8_t, 11> kSoftDamage = {0, 100, 100, 100, 100, 100, 100, 0, 80, 100, 100};
constexpr std::array<uint8_t, 11> kShipDamage = {0, 60, 80, 100, 60, 40, 20, 100, 50, 100, 100};
constexpr std::array<uint8_t, 11> kSubDamage = {0, 20, 40, 60, 0, 0, 0, 100, 0, 100, 100};

// Detection ranges by target class (Static, Foot, Wheeled, Tracked, Low Air, Air, Naval,
// Rail) before radar.
constexpr std::array<uint8_t, 8> kAirDetect = {20, 5, 15, 15, 30, 40, 30, 15};
constexpr std::array<uint8_t, 8> kLandDetect = {8, 3, 8, 8, 10, 15, 5, 8};
constexpr std::array<uint8_t, 8> kSeaDetect = {15, 2, 5, 5, 25, 30, 40, 5};
constexpr std::array<uint8_t, 8> kSubDetect = {0, 0, 0, 0, 0, 0, 30, 0};

const char* EngineSound(const VehicleTemplate& v) {
    switch (v.domain) {
        case kAir:
            return v.type == 5 ? "rotor" : "jet_engine";
        case kLand:
            return v.type == 3 ? "tank_engine" : "truck_engine";
        default:
            return "ship_engine";
    }
}

// Role scores of a unit: its main role strong, a few others weaker.
std::array<uint8_t, 16> RoleScores(uint8_t role, SampleRandom& rng) {
    std::array<uint8_t, 16> s{};
    for (int k = 0; k < 16; ++k) {
        if (k == role)
            s[k] = uint8_t(rng.Between(80, 100));
        else if (rng.Below(4) == 0)
            s[k] = uint8_t(rng.Between(5, 40));
    }
    return s;
}

}  // namespace

void World::WriteWeapons() {
    const uint32_t planned = uint32_t(weaponCt_.size());
    TableBuffer t(FileId::Wcd, CountFor(planned));
    RecordBuilder b(WeaponFields());
    SampleRandom rng(0x3E4);
    weaponRange_.assign(planned, 0);
    weaponHit_.assign(planned, {});
    weaponDamage_.assign(planned, 0);
    for (uint32_t r = 1; r < planned; ++r) {
        const CtEntry& e = ct_[weaponCt_[r]];
        const WeaponTemplate& w = Weapons()[e.tmpl];
        const uint32_t v = e.variant;
        const int16_t damage = w.damage ? int16_t(w.damage + 2 * (v % 4)) : 0;
        const int16_t range = w.range >= 4 ? int16_t(w.range + v % 3) : w.range;
        int rackGroup = 0;
        if (w.flags & kWeaponBomb)
            rackGroup = 1;
        else if (w.guidance)
            rackGroup = 2;
        else if (w.flags & (kWeaponFuel | kWeaponEcm | kWeaponRecon | kWeaponAlwaysRack))
            rackGroup = 3;
        b.Target(t.Record(r))
            .Set("ct_index", weaponCt_[r])
            .Set("damage", damage)
            .Set("damage_type", w.damageType)
            .Set("range", range)
            .Set("flags", w.flags)
            .Set("name", e.name ? std::string(e.name) : VariantName(w.name, v, 17))
            .Set("min_alt", w.guidance ? 1 : 0)
            .Set("bullet_dispersion", (w.dispersion << 1) | (w.aaa ? 1 : 0))
            .SetArray("hit_chance", w.hit)
            .Set("fire_rate", w.fireRate)
            .Set("rarity", rng.Between(10, 100))
            .Set("guidance", w.guidance)
            .Set("collective", (w.flags & kWeaponCluster) ? 1 : 0)
            .Set("bullet_bits", (w.bulletTtl & 7) | (w.bulletSpeed << 3))
            .Set("rack_group", rackGroup)
            .Set("weight", w.weight)
            .Set("drag", w.drag)
            .Set("blast_radius", w.blastRadius)
            .Set("seeker_radar", w.seeker >= 0 ? Pick(radarsOf_[size_t(w.seeker)], v) : 0)
            .Set("vehicle_list", 0)
            .Set("max_alt", w.maxAlt)
            .Set("rounds_per_sec", w.roundsPerSec);
        weaponRange_[r] = range;
        weaponHit_[r] = w.hit;
        weaponDamage_[r] = damage;
    }
    CopyRecords(t, 1, planned, "name", 17);
    Save(t);
}

void World::WriteSimWeapons() {
    const uint32_t planned = uint32_t(swdWeapon_.size());
    TableBuffer t(FileId::Swd, CountFor(planned));
    RecordBuilder b(SimWeaponFields());
    for (uint32_t s = 0; s < planned; ++s) {
        const CtEntry& e = ct_[weaponCt_[swdWeapon_[s]]];
        const WeaponTemplate& w = Weapons()[e.tmpl];
        const bool dropped = w.simType == 2 || w.simType == 9 || w.simType == 5;
        b.Target(t.Record(s))
            .Set("flags", w.simFlags | (w.simType == 3 ? uint32_t(kSimWeaponTrainable) : 0u))
            .Set("drag_coef", w.dragCoef)
            .Set("weight", w.simWeight)
            .Set("area", w.area)
            .Set("eject_x", 0.0f)
            .Set("eject_y", 0.0f)
            .Set("eject_z", dropped          ? 3.0f
                            : w.simType == 3 ? 0.0f
                                             : 1.0f)
            .Set("name", VariantName(w.simName, e.variant, 7))
            .Set("weapon_type", w.simType)
            .Set("air_ground", w.airGround)
            .Set("avionics", w.avionics)
            .Set("missile_data", w.missileData);
    }
    CopyRecords(t, 0, planned, "name", 7);
    Save(t);
}

void World::WriteWeaponLists() {
    // Record 0 stays empty: a hardpoint reference of 0 means an empty slot.
    TableBuffer t(FileId::Wld, CountFor(sizes_.weaponLists));
    RecordBuilder b(WeaponListFields());
    const auto lists = WeaponLists();
    const auto parts = Distribute(t.Count() - 1, std::vector<int>(lists.size(), 1));
    listsOf_.assign(lists.size(), {});
    listEntries_.assign(t.Count(), {});
    uint32_t r = 1;
    for (size_t k = 0; k < lists.size(); ++k) {
        const WeaponListTemplate& l = lists[k];
        for (uint32_t v = 0; v < parts[k]; ++v, ++r) {
            listsOf_[k].push_back(r);
            b.Target(t.Record(r)).Set("name", VariantName(l.name, v, 15));
            // Every fourth variant has its entries spread out with empty ones between them,
            // as hand edits leave lists ("Sort Hardpoint Tables" packs them).
            const int spread = v % 4 == 3 ? 2 : 1;
            for (uint8_t i = 0; i < l.entryCount; ++i) {
                const uint32_t w = Pick(weaponsOf_[l.entries[i].weapon], v + i);
                if (w == 0) continue;
                b.SetAt("weapons", spread * i, w).SetAt("counts", spread * i, l.entries[i].count);
                listEntries_[r].push_back({uint16_t(w), l.entries[i].count});
            }
        }
    }
    Save(t);
}

void World::WriteVehicles() {
    const uint32_t planned = uint32_t(vehicleCt_.size());
    TableBuffer t(FileId::Vcd, CountFor(planned));
    RecordBuilder b(VehicleFields());
    vehicleFacts_.assign(planned, {});
    for (uint32_t r = 0; r < planned; ++r) {
        const CtEntry& e = ct_[vehicleCt_[r]];
        const VehicleTemplate& tp = Vehicles()[e.tmpl];
        const uint32_t v = e.variant;
        VehicleFacts& facts = vehicleFacts_[r];
        b.Target(t.Record(r));

        // Hardpoints, and the statistics their weapons give (as the statistics recalculation
        // works them out).
        std::array<uint32_t, 8> rangeMax{};
        std::array<uint8_t, 8> hitMax{};
        std::array<int16_t, 8> damageMax{};
        auto accumulate = [&](uint32_t w) {
            if (w == 0 || w >= weaponRange_.size()) return;
            for (int c = 0; c < 8; ++c) {
                uint32_t range = uint32_t(std::max<int>(weaponRange_[w], 0));
                if (c == kLowAir) {
                    const uint32_t scaled = uint32_t(float(range) * kLowAirFactor + 0.5f);
                    range = scaled == 0 && range != 0 ? 1 : scaled;
                }
                const uint8_t hit = weaponHit_[w][c];
                if (hit != 0 && range > rangeMax[c]) rangeMax[c] = range;
                if (hit > hitMax[c]) hitMax[c] = hit;
                if (hit != 0) damageMax[c] = std::max(damageMax[c], weaponDamage_[w]);
            }
        };
        auto carried = [&](uint32_t w, uint32_t n) {
            if (w == 0 || w >= weaponCt_.size()) return;
            if (Weapons()[ct_[weaponCt_[w]].tmpl].flags & kWeaponIsGun) return;
            facts.stores.push_back({uint16_t(w), uint16_t(n)});
        };
        uint16_t rackMask = 0, visibleMask = 0;
        // Every fifth variant has an empty slot 1, a gap in its slot table.
        static_assert(std::tuple_size_v<decltype(tp.slots)> < kHardpointSlots);
        const int gapAt = v % 5 == 4 ? 1 : kHardpointSlots;
        for (int k = 0; k < int(tp.slots.size()); ++k) {
            const SlotSetup& desc = tp.slots[k];
            const int s = k < gapAt ? k : k + 1;
            uint32_t ref = 0;
            uint8_t load = 0;
            switch (desc.use) {
                case SlotUse::None:
                    continue;
                case SlotUse::Weapon:
                    ref = Pick(weaponsOf_[desc.item], v);
                    load = desc.ammo;
                    accumulate(ref);
                    carried(ref, desc.ammo);
                    break;
                case SlotUse::Hardpoint:
                case SlotUse::Bay:
                    ref = Pick(listsOf_[desc.item], v);
                    load = desc.use == SlotUse::Bay ? kLoadBay : kLoadHardpoint;
                    for (const auto& [w, n] : listEntries_[ref]) {
                        accumulate(w);
                        carried(w, n);
                    }
                    break;
            }
            if (ref == 0) continue;
            b.SetAt("slot_refs", s, ref).SetAt("slot_loads", s, load);
            if (desc.rack) rackMask |= uint16_t(1u << s);
            if (desc.visible) visibleMask |= uint16_t(1u << s);
        }

        const uint32_t radar = tp.radar >= 0 ? Pick(radarsOf_[size_t(tp.radar)], v) : 0;
        std::array<uint8_t, 8> detect = tp.domain == kAir    ? kAirDetect
                                        : tp.domain == kLand ? kLandDetect
                                        : tp.domain == kSea  ? kSeaDetect
                                                             : kSubDetect;
        if (tp.radar >= 0) {
            const uint8_t seen = Clamp255(long(Radars()[size_t(tp.radar)].range));
            detect[kLowAir] = std::max(detect[kLowAir], uint8_t(seen * 3 / 4));
            detect[5] = std::max(detect[5], seen);
        }
        const std::array<uint8_t, 11>& damage = tp.domain == kAir                    ? kAirDamage
                                                : tp.domain == kLand && tp.type == 3 ? kArmourDamage
                                                : tp.domain == kLand                 ? kSoftDamage
                                                : tp.domain == kSea                  ? kShipDamage
                                                                                     : kSubDamage;
        for (int c = 0; c < 8; ++c) {
            facts.hit[c] = hitMax[c];
            facts.range[c] = uint8_t(rangeMax[c] & 0xff);
            facts.strength[c] = hitMax[c] ? Clamp255(damageMax[c] * hitMax[c] / 50 + 5) : 0;
            facts.detection[c] = detect[c];
        }
        facts.damage = damage;
        facts.maxSpeed = tp.maxSpeed;
        facts.fuel = tp.fuel;
        facts.radar = tp.radar >= 0;

        const bool aircraft = tp.combatClass >= 0;
        b.Set("ct_index", vehicleCt_[r])
            .Set("hit_points", tp.hitPoints)
            .Set("flags", tp.flags)
            .Set("name", e.name ? std::string(e.name) : VariantName(tp.name, v, 13))
            .Set("ecm_strength", tp.ecm)
            .Set("cockpit", tp.cockpit)
            .Set("radar_cs", tp.size * tp.visualSignature * 0.3f)
            .Set("mtow", tp.mtow)
            .Set("empty_weight", tp.emptyWeight)
            .Set("fuel_load", tp.fuel)
            .Set("fuel_rate", tp.fuelRate)
            .Set("engine_sound", tp.maxSpeed ? int64_t(SoundOf(EngineSound(tp), v % 3)) : -1)
            .Set("high_alt", tp.highAlt)
            .Set("low_alt", tp.lowAlt)
            .Set("cruise_alt", tp.cruiseAlt)
            .Set("max_speed", tp.maxSpeed)
            .Set("radar", radar)
            .Set("crew", tp.crew)
            .Set("rack_mask", rackMask)
            .Set("visible_mask", visibleMask)
            .Set("call_sign", aircraft ? 1 + v % 24 : 0)
            .Set("call_slot", aircraft ? v % 4 : 0)
            .SetArray("hit", facts.hit)
            .SetArray("strength", facts.strength)
            .SetArray("range", facts.range)
            .SetArray("detection", facts.detection)
            .SetArray("damage", facts.damage)
            .Set("visual_signature", uint32_t(tp.visualSignature * 63.75f + 0.5f))
            .Set("ir_signature", uint32_t(tp.irSignature * 127.5f + 0.5f));
    }
    CopyRecords(t, 0, planned, "name", 13);
    Save(t);
}

void World::WriteAircraftData() {
    const uint32_t planned = uint32_t(acdVehicle_.size());
    TableBuffer t(FileId::Acd, CountFor(planned));
    RecordBuilder b(AircraftDataFields());
    const uint32_t icd = CountFor(sizes_.irSensors), rwd = CountFor(sizes_.rwrSensors),
                   vsd = CountFor(sizes_.visualSensors);
    const uint32_t irKinds = uint32_t(IrSensors().size()), rwrKinds = uint32_t(RwrSensors().size()),
                   visualKinds = uint32_t(VisualSensors().size());
    for (uint32_t a = 0; a < planned; ++a) {
        const CtEntry& e = ct_[vehicleCt_[acdVehicle_[a]]];
        const VehicleTemplate& tp = Vehicles()[e.tmpl];
        const uint32_t v = e.variant;
        std::vector<std::pair<int32_t, int32_t>> sensors;
        if (tp.radar >= 0)
            sensors.push_back({kSensorRadar, int32_t(Pick(radarsOf_[size_t(tp.radar)], v))});
        sensors.push_back({kSensorRwr, int32_t(Cycled(rwd, rwrKinds, e.tmpl % rwrKinds, v))});
        if (tp.irst >= 0)
            sensors.push_back({kSensorIrst, int32_t(Cycled(icd, irKinds, uint32_t(tp.irst), v))});
        sensors.push_back(
            {kSensorVisual, int32_t(Cycled(vsd, visualKinds, e.tmpl % visualKinds, v))});
        if (tp.combatClass == 2) sensors.push_back({kSensorTargetingPod, 0});
        sensors.resize(AircraftDataRecord::kSensors, {kSensorNone, -1});
        b.Target(t.Record(a))
            .Set("combat_class", tp.combatClass)
            .Set("airframe", e.tmpl)
            .Set("ir_signature", int(tp.irSignature * 4));
        for (int s = 0; s < AircraftDataRecord::kSensors; ++s)
            b.SetAt("sensor_types", s, sensors[s].first)
                .SetAt("sensor_indices", s, sensors[s].second);
    }
    for (uint32_t a = planned; a < t.Count(); ++a)
        std::memcpy(t.Record(a), t.Record((a - planned) % planned), t.RecordSize());
    Save(t);
}

void World::WriteUnits() {
    const uint32_t planned = uint32_t(unitCt_.size());
    TableBuffer t(FileId::Ucd, CountFor(planned));
    RecordBuilder b(UnitFields());
    SampleRandom rng(0x0C0);
    for (uint32_t u = 0; u < planned; ++u) {
        const CtEntry& e = ct_[unitCt_[u]];
        const UnitTemplate& tp = Units()[e.tmpl];
        const uint32_t v = e.variant;
        const std::string ordinal = Ordinal(v + 1);
        b.Target(t.Record(u))
            .Set("ct_index", unitCt_[u])
            .Set("name", ordinal + " " + std::string(tp.name).substr(0, 18 - ordinal.size()));

        std::array<uint8_t, 8> hit{}, strength{}, range{}, detection{};
        std::array<uint8_t, 11> damage{};
        int16_t speed = 0;
        uint32_t fuel = 0;
        int radarSlot = 255;
        bool firstVehicle = true;
        for (int k = 0; k < int(tp.slots.size()); ++k) {
            const UnitSlotSetup& desc = tp.slots[k];
            uint32_t slotCt = 0;
            if (desc.vehicle >= 0) slotCt = Pick(vehicleCtOf_[size_t(desc.vehicle)], v + k);
            if (desc.unit >= 0) slotCt = Pick(unitCtOf_[size_t(desc.unit)], v + k);
            if (slotCt == 0 || slotCt == unitCt_[u]) continue;
            const Classification c = Classify(ct_[slotCt], slotCt);
            b.SetAt("slot_counts", k, desc.count).SetAt("slot_ct", k, slotCt);
            const uint8_t bytes[8] = {c.domain,   c.cls, c.type, c.subtype,
                                      c.specific, 255,   255,    255};
            for (int i = 0; i < 8; ++i) b.SetAt("slot_class", 8 * k + i, bytes[i]);
            if (ct_[slotCt].kind != Kind::Vehicle) continue;
            const VehicleFacts& f = vehicleFacts_[ct_[slotCt].data];
            for (int c2 = 0; c2 < 8; ++c2) {
                hit[c2] = std::max(hit[c2], f.hit[c2]);
                range[c2] = std::max(range[c2], f.range[c2]);
                detection[c2] = std::max(detection[c2], f.detection[c2]);
                strength[c2] = std::max(strength[c2], f.strength[c2]);
            }
            if (firstVehicle) damage = f.damage;
            if (f.maxSpeed > 0 && (speed == 0 || f.maxSpeed < speed)) speed = f.maxSpeed;
            fuel += f.fuel * desc.count;
            if (f.radar && radarSlot == 255) radarSlot = k;
            if (firstVehicle && tp.squadron) {
                storesVehicle_.push_back(ct_[slotCt].data);
                storesAircraft_.push_back(desc.count);
            }
            firstVehicle = false;
        }
        int32_t stores = -1;
        if (tp.squadron) {
            stores = int32_t(unitStores_.size());
            unitStores_.push_back(u);
            if (storesVehicle_.size() < unitStores_.size()) {
                storesVehicle_.push_back(acdVehicle_.empty() ? 0 : acdVehicle_[0]);
                storesAircraft_.push_back(0);
            }
        }
        b.Set("flags", tp.flags)
            .Set("move_type", tp.moveType)
            .Set("move_speed", speed)
            .Set("max_range", tp.domain == kAir    ? 800
                              : tp.domain == kLand ? 300
                                                   : 3000)
            .Set("fuel", fuel)
            .Set("fuel_rate", tp.domain == kAir ? 100 : 20)
            .Set("point_index", 0)
            .SetArray("role_scores", RoleScores(tp.role, rng))
            .Set("main_role", tp.role)
            .SetArray("hit", hit)
            .SetArray("strength", strength)
            .SetArray("range", range)
            .SetArray("detection", detection)
            .SetArray("damage", damage)
            .Set("radar_vehicle", radarSlot)
            .Set("stores_index", stores)
            .Set("unit_icon", tp.icon);
    }
    CopyRecords(t, 0, planned, "name", 19);
    Save(t);
}

void World::WriteStores() {
    const uint32_t named = uint32_t(unitStores_.size());
    TableBuffer t(FileId::Ssd, CountFor(named + sizes_.extraStores));
    RecordBuilder b(StoresFields());
    for (uint32_t s = 0; s < t.Count(); ++s) {
        uint32_t vehicle = 0, aircraft = 12;
        if (s < named) {
            vehicle = storesVehicle_[s];
            aircraft = storesAircraft_[s];
        } else if (!acdVehicle_.empty()) {
            vehicle = acdVehicle_[s % acdVehicle_.size()];
        }
        b.Target(t.Record(s));
        if (vehicle < vehicleFacts_.size()) {
            for (const auto& [w, n] : vehicleFacts_[vehicle].stores) {
                const uint8_t count = Clamp255(std::min<long>(254, long(n) * aircraft * 2));
                if (w < StoresRecord::kUnk220)
                    b.SetAt("counts", w, count);
                else if (w >= StoresRecord::kCountsHigh && w < StoresRecord::kSize)
                    b.SetAt("counts_high", w - StoresRecord::kCountsHigh, count);
            }
        }
        b.Set("unk220", 0)
            .Set("inf_air_ground", 2 + s % 7)
            .Set("inf_air_air", 1 + s % 5)
            .Set("inf_gun", 10 + s % 20);
    }
    Save(t);
}

}  // namespace tablon::sample
