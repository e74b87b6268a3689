// Planning the sample: the class table's entries and the records behind them; writing the
// class table itself.
#include <algorithm>
#include <cstring>
#include <deque>
#include <stdexcept>

#include "classtable/CtNames.h"
#include "classtable/CtRecord.h"
#include "sample/ModelSample.h"
#include "sample/SampleRandom.h"
#include "sample/SampleWorld.h"
#include "store/Bytes.h"

namespace tablon::sample {

namespace {

struct ProtectedPlan {
    uint32_t index;
    Kind kind;
    uint8_t tmpl;
    const char* name;
};

// What stands at the class-table indices the simulation addresses by number. Abstract entries
// name their template in AbstractEntries().
constexpr ProtectedPlan kProtectedPlan[] = {
    {20, Kind::Abstract, 0, nullptr},
    {156, Kind::Abstract, 1, nullptr},
    {270, Kind::Vehicle, kFlare, "Flare"},
    {294, Kind::Vehicle, kFighter, "Fighter IA"},
    {372, Kind::Vehicle, kFighter, "Fighter TE"},
    {430, Kind::Unit, kStrikePackage, nullptr},
    {432, Kind::Abstract, 2, nullptr},
    {472, Kind::Abstract, 15, nullptr},
    {516, Kind::Vehicle, kChaff, "Chaff"},
    {534, Kind::Vehicle, kCargoTruck, "Truck Blue"},
    {707, Kind::Vehicle, kCargoTruck, "Truck Generic"},
    {785, Kind::Abstract, 0, nullptr},
    {833, Kind::Weapon, kRack, "Single Rack"},
    {834, Kind::Weapon, kRack, "Triple Rack"},
    {910, Kind::Weapon, kRocket70, "Rocket"},
    {921, Kind::Sfx, 0, nullptr},
    {984, Kind::Sfx, 0, nullptr},
    {1001, Kind::Vehicle, kEjectedPilot, "Ejected Pilot"},
    {1033, Kind::Sfx, 0, nullptr},
    {1044, Kind::Abstract, 3, nullptr},
    {1087, Kind::Objective, kCity, "Capital City"},
    {1395, Kind::Abstract, 4, nullptr},
    {1396, Kind::Abstract, 5, nullptr},
    {1507, Kind::Weapon, kRack, "Six Rack"},
    {1508, Kind::Weapon, kRack, "Quadruple Rack"},
    {1858, Kind::Weapon, kRack, "Single AA Rack"},
    {1859, Kind::Weapon, kRack, "2 Rail Rack"},
    {1860, Kind::Weapon, kRack, "AGM Rack"},
};

enum : uint8_t {
    kClsFeature = 2,
    kClsObjective = 4,
    kClsSfx = 5,
    kClsUnit = 6,
    kClsVehicle = 7,
    kClsWeapon = 8,
};

}  // namespace

Sizes SizesFor(SampleScale scale) {
    Sizes s;
    if (scale == SampleScale::Ceiling) {
        // The entries with data that records name by a signed 16-bit class-table index
        // (vehicles, weapons, objectives, features) stay below 32,768.
        s.ct = kFull;
        s.abstractEntries = 100;
        s.vehicles = {5000, 4000, 1500, 500};
        s.weapons = 8000;
        s.objectives = 4000;
        s.features = 8000;
        s.units = {6000, 4500, 1000, 500};
        s.vehicleVariants = 12000;
        s.fill = true;
        s.weaponLists = s.radars = s.irSensors = s.rwrSensors = s.visualSensors = kFull;
        s.sounds = s.rockets = s.priorities = kFull;
        return s;
    }
    s.ct = 2000;
    s.abstractEntries = 60;
    s.vehicles = {130, 110, 44, 16};
    s.weapons = 220;
    s.objectives = 60;
    s.features = 200;
    s.units = {90, 80, 22, 8};
    s.vehicleVariants = 500;
    // Counts chosen so that no file also fits an older record size of its file.
    s.weaponLists = 97;
    s.radars = 61;
    s.irSensors = 24;
    s.rwrSensors = 21;
    s.visualSensors = 23;
    s.extraStores = 6;
    s.sounds = 160;
    s.rockets = 12;
    s.priorities = 96;
    return s;
}

World::World(SampleScale scale, std::string dir)
    : scale_(scale), dir_(std::move(dir)), sizes_(SizesFor(scale)) {
    modelsPerKind_ = std::max(1, SampleParentCount(scale) / kSampleModelKinds);
}

void World::Save(const TableBuffer& t) const {
    // A file whose size also fits an earlier-tried record size would open in the wrong layout.
    const FileDesc& desc = DescOf(t.Id());
    if (desc.header == HeaderKind::Count16) {
        for (const auto& form : desc.forms) {
            if (form.fileSize == desc.memSize) break;
            if ((size_t(t.Count()) * desc.memSize) % form.fileSize == 0 && t.Count() > 0)
                throw BuildError(std::string(desc.name) + ": " + std::to_string(t.Count()) +
                                 " records would also read as " + std::to_string(form.fileSize) +
                                 "-byte records");
        }
    }
    std::string error;
    if (!t.Write(dir_, error)) throw std::runtime_error(error);
}

uint32_t World::CountFor(uint32_t planned) const {
    if (planned > kFull) throw BuildError("more records planned than a file holds");
    return sizes_.fill ? kFull : planned;
}

void World::CopyRecords(TableBuffer& t, uint32_t from, uint32_t first, const char* nameField,
                        size_t max) const {
    if (first <= from) return;
    const Field* name = FieldTableOf(t.Id()).Find(nameField);
    const uint32_t span = first - from;
    for (uint32_t r = first; r < t.Count(); ++r) {
        uint8_t* rec = t.Record(r);
        std::memcpy(rec, t.Record(from + (r - first) % span), t.RecordSize());
        std::string n = LoadText(rec + name->offset, name->count);
        if (n.size() + 2 <= max) StoreText(rec + name->offset, name->count, n + "-2");
    }
}

void World::WriteAll() {
    PlanClassTable();
    NumberRecords();
    WriteRadars();
    WriteSmallSensors();
    WriteWeapons();
    WriteSimWeapons();
    WriteWeaponLists();
    WriteVehicles();
    WriteAircraftData();
    WriteUnits();
    WriteStores();
    WriteFeatures();
    WriteObjectives();
    WriteClassTable();
    WriteSounds();
    WriteRockets();
    WritePriorities();
}

void World::PlanClassTable() {
    // The blocks in class-table order.
    std::deque<CtEntry> queue;
    auto push = [&](Kind kind, uint8_t tmpl, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i) queue.push_back({kind, tmpl});
    };
    const auto abstracts = AbstractEntries();
    for (uint32_t i = 0; i < sizes_.abstractEntries; ++i)
        queue.push_back({Kind::Abstract, uint8_t(i % abstracts.size())});
    const uint8_t domains[4] = {kAir, kLand, kSea, kUndersea};
    for (int d = 0; d < 4; ++d) {
        const auto mix = VehicleMix(domains[d]);
        const auto parts = Distribute(sizes_.vehicles[d], mix);
        for (size_t k = 0; k < mix.size(); ++k) push(Kind::Vehicle, mix[k].first, parts[k]);
    }
    {
        const auto mix = WeaponMix();
        const auto parts = Distribute(sizes_.weapons, mix);
        for (size_t k = 0; k < mix.size(); ++k) push(Kind::Weapon, mix[k].first, parts[k]);
    }
    {
        const auto mix = ObjectiveMix();
        const auto parts = Distribute(sizes_.objectives, mix);
        for (size_t k = 0; k < mix.size(); ++k) push(Kind::Objective, mix[k].first, parts[k]);
    }
    {
        const auto parts = Distribute(sizes_.features, std::vector<int>(kFeatureKinds, 1));
        for (size_t k = 0; k < parts.size(); ++k) push(Kind::Feature, uint8_t(k), parts[k]);
    }
    for (int d = 0; d < 4; ++d) {
        const auto mix = UnitMix(domains[d]);
        const auto parts = Distribute(sizes_.units[d], mix);
        for (size_t k = 0; k < mix.size(); ++k) push(Kind::Unit, mix[k].first, parts[k]);
    }
    push(Kind::VehicleVariant, 0, sizes_.vehicleVariants);

    ct_.assign(sizes_.ct, CtEntry{});
    size_t p = 0;
    for (uint32_t i = 1; i < sizes_.ct; ++i) {
        while (p < std::size(kProtectedPlan) && kProtectedPlan[p].index < i) ++p;
        if (p < std::size(kProtectedPlan) && kProtectedPlan[p].index == i) {
            const ProtectedPlan& pp = kProtectedPlan[p];
            ct_[i] = CtEntry{pp.kind, pp.tmpl};
            ct_[i].name = pp.name;
        } else if (!queue.empty()) {
            ct_[i] = queue.front();
            queue.pop_front();
        } else {
            ct_[i] = CtEntry{Kind::Sfx, 0};
        }
    }
    if (!queue.empty()) throw BuildError("the class table is too small for the sample");

    // Variants: the n-th occurrence of a template (entries with a fixed name do not count).
    std::vector<uint32_t> seen(256 * 16, 0);
    uint32_t sfx = 0;
    for (auto& e : ct_) {
        if (e.kind == Kind::Sfx) e.variant = sfx++;
        if (e.name || e.kind == Kind::Sfx || e.kind == Kind::VehicleVariant) continue;
        e.variant = seen[size_t(e.kind) * 256 + e.tmpl]++;
    }
}

void World::NumberRecords() {
    vehicleCtOf_.assign(kVehicleKinds, {});
    unitCtOf_.assign(kUnitKinds, {});
    featureCtOf_.assign(kFeatureKinds, {});
    weaponsOf_.assign(kWeaponKinds, {});
    weaponCt_.assign(1, 0);  // weapon record 0 stays empty: a reference of 0 means none
    for (uint32_t i = 0; i < ct_.size(); ++i) {
        CtEntry& e = ct_[i];
        switch (e.kind) {
            case Kind::Vehicle:
                e.data = uint32_t(vehicleCt_.size());
                vehicleCt_.push_back(i);
                if (!e.name) vehicleCtOf_[e.tmpl].push_back(i);
                break;
            case Kind::Weapon:
                e.data = uint32_t(weaponCt_.size());
                weaponCt_.push_back(i);
                weaponsOf_[e.tmpl].push_back(e.data);
                break;
            case Kind::Unit:
                e.data = uint32_t(unitCt_.size());
                unitCt_.push_back(i);
                unitCtOf_[e.tmpl].push_back(i);
                break;
            case Kind::Objective:
                e.data = uint32_t(objectiveCt_.size());
                objectiveCt_.push_back(i);
                break;
            case Kind::Feature:
                e.data = uint32_t(featureCt_.size());
                featureCt_.push_back(i);
                featureCtOf_[e.tmpl].push_back(i);
                break;
            default:
                break;
        }
    }
    // Aircraft data for every aircraft, sim weapon data for every weapon with a flight model.
    for (uint32_t r = 0; r < vehicleCt_.size(); ++r) {
        CtEntry& e = ct_[vehicleCt_[r]];
        if (Vehicles()[e.tmpl].combatClass < 0) continue;
        e.alt = int32_t(acdVehicle_.size());
        acdVehicle_.push_back(r);
    }
    for (uint32_t r = 1; r < weaponCt_.size(); ++r) {
        CtEntry& e = ct_[weaponCt_[r]];
        if (Weapons()[e.tmpl].simType < 0) continue;
        e.alt = int32_t(swdWeapon_.size());
        swdWeapon_.push_back(r);
    }
    // Vehicle variants: further entries for the vehicles, one per team colour.
    const uint32_t vehicles = uint32_t(vehicleCt_.size());
    uint32_t v = 0;
    for (auto& e : ct_) {
        if (e.kind != Kind::VehicleVariant) continue;
        const CtEntry& base = ct_[vehicleCt_[v % vehicles]];
        e.tmpl = base.tmpl;
        e.variant = base.variant;
        e.data = base.data;
        e.alt = base.alt;
        e.mode = uint8_t(1 + (v / vehicles) % 4);
        ++v;
    }
}

Classification World::Classify(const CtEntry& e, uint32_t index) const {
    Classification c;
    switch (e.kind) {
        case Kind::Null:
            break;
        case Kind::Abstract: {
            const AbstractTemplate& a = AbstractEntries()[e.tmpl];
            c = {a.domain, a.cls, a.type, 0, 0, 0};
            break;
        }
        case Kind::Sfx:
            c = {kAbstract, kClsSfx, uint8_t(1 + e.variant % 30), 0, 0, 0};
            break;
        case Kind::Vehicle:
        case Kind::VehicleVariant: {
            const VehicleTemplate& v = Vehicles()[e.tmpl];
            c = {v.domain, kClsVehicle, v.type, v.subtype, 0, e.mode};
            break;
        }
        case Kind::Weapon: {
            const WeaponTemplate& w = Weapons()[e.tmpl];
            c = {w.domain, kClsWeapon, w.type, uint8_t(e.tmpl), 0, 0};
            break;
        }
        case Kind::Unit: {
            const UnitTemplate& u = Units()[e.tmpl];
            c = {u.domain, kClsUnit, u.type, u.subtype, 0, 0};
            break;
        }
        case Kind::Objective:
            c = {kLand, kClsObjective, Objectives()[e.tmpl].type, 0, 0, 0};
            break;
        case Kind::Feature: {
            const FeatureTemplate& f = Features()[e.tmpl];
            // Bridge spans run through the bridge subtypes.
            const uint8_t sub = f.subtype ? uint8_t(f.subtype + e.variant % 58) : 0;
            c = {kLand, kClsFeature, f.type, sub, uint8_t(index % 5 == 0 ? 30 : 0), 0};
            break;
        }
    }
    return c;
}

int16_t World::ModelOf(const CtEntry& e) const {
    SampleModel kind = SampleModel::Building;
    int n = e.tmpl;
    switch (e.kind) {
        case Kind::Vehicle:
        case Kind::VehicleVariant: {
            const uint8_t d = Vehicles()[e.tmpl].domain;
            kind = d == kAir    ? SampleModel::Aircraft
                   : d == kLand ? SampleModel::Vehicle
                                : SampleModel::Ship;
            break;
        }
        case Kind::Weapon:
            kind = Weapons()[e.tmpl].domain == kAir ? SampleModel::Aircraft : SampleModel::Vehicle;
            break;
        case Kind::Unit: {
            const uint8_t d = Units()[e.tmpl].domain;
            kind = d == kAir    ? SampleModel::Aircraft
                   : d == kLand ? SampleModel::Vehicle
                                : SampleModel::Ship;
            break;
        }
        case Kind::Feature:
            switch (e.tmpl) {
                case kHangar:
                case kWarehouse:
                case kFactory:
                case kDock:
                    kind = SampleModel::Hangar;
                    break;
                case kCtrlTower:
                case kSmokestack:
                case kCoolingTower:
                case kPowerPole:
                case kWaterTower:
                case kRadarSite:
                    kind = SampleModel::Tower;
                    break;
                case kBunker:
                case kSamPit:
                    kind = SampleModel::Bunker;
                    break;
                case kTree:
                    kind = SampleModel::Tree;
                    break;
                default:
                    kind = SampleModel::Building;
            }
            break;
        default:
            n = 0;
    }
    return int16_t(SampleParentOf(kind) + kSampleModelKinds * (n % modelsPerKind_));
}

void World::WriteClassTable() {
    TableBuffer t(FileId::Ct, uint32_t(ct_.size()));
    RecordBuilder b(CtFields());
    SampleRandom rng(0xC7A5E);
    for (uint32_t i = 0; i < ct_.size(); ++i) {
        const CtEntry& e = ct_[i];
        const Classification c = Classify(e, i);
        b.Target(t.Record(i))
            .Set("id", i)
            .Set("domain", c.domain)
            .Set("class", c.cls)
            .Set("type", c.type)
            .Set("subtype", c.subtype)
            .Set("specific", c.specific)
            .Set("mode", c.mode);

        uint8_t dataType = kDataNone;
        switch (e.kind) {
            case Kind::Null:
                dataType = kDataUnknown;
                break;
            case Kind::Vehicle:
            case Kind::VehicleVariant:
                dataType = kDataVehicle;
                break;
            case Kind::Weapon:
                dataType = kDataWeapon;
                break;
            case Kind::Unit:
                dataType = kDataUnit;
                break;
            case Kind::Objective:
                dataType = kDataObjective;
                break;
            case Kind::Feature:
                dataType = kDataFeature;
                break;
            default:
                break;
        }
        const bool hasData = dataType != kDataNone && dataType != kDataUnknown;
        b.Set("data_type", dataType)
            .Set("data_ref", hasData ? e.data : 0)
            .Set("alt_data_ref", hasData ? e.alt : -1);

        // How the simulation updates, collides and keeps the object.
        float radius = 1.0f;
        int32_t hitPoints = 0;
        uint32_t rate = 0, tolerance = 0;
        float bubble = 0, force = 0, multiplier = 0;
        bool tangible = false, collidable = false, global = false, persistent = false;
        uint8_t manage = 0, priority = 0;
        switch (e.kind) {
            case Kind::Vehicle:
            case Kind::VehicleVariant: {
                const VehicleTemplate& v = Vehicles()[e.tmpl];
                radius = v.size / 2;
                hitPoints = v.hitPoints;
                const bool air = v.domain == kAir;
                rate = air ? 1000 : v.domain == kLand ? 8000 : 15000;
                tolerance = rate / 2;
                bubble = air ? 180000.0f : 60000.0f;
                force = air ? 40000.0f : 10000.0f;
                multiplier = air ? 1.0f : 0.5f;
                tangible = collidable = true;
                manage = air ? 1 : 2;
                priority = air ? 1 : 2;
                break;
            }
            case Kind::Weapon:
                radius = 2.0f;
                hitPoints = 1;
                rate = 250;
                tolerance = 100;
                bubble = 60000.0f;
                force = 20000.0f;
                multiplier = 2.0f;
                tangible = collidable = true;
                manage = 1;
                priority = 1;
                break;
            case Kind::Unit:
                radius = 1000.0f;
                rate = 30000;
                tolerance = 15000;
                bubble = 300000.0f;
                multiplier = 1.0f;
                global = persistent = true;
                manage = 3;
                priority = 3;
                break;
            case Kind::Objective:
                radius = 2000.0f;
                hitPoints = 1000;
                rate = 60000;
                tolerance = 30000;
                bubble = 300000.0f;
                multiplier = 1.0f;
                tangible = global = persistent = true;
                manage = 3;
                priority = 4;
                break;
            case Kind::Feature:
                radius = Features()[e.tmpl].size / 2;
                hitPoints = Features()[e.tmpl].hitPoints;
                rate = 60000;
                tolerance = 30000;
                bubble = 60000.0f;
                tangible = collidable = persistent = true;
                manage = 2;
                priority = 5;
                break;
            case Kind::Sfx:
                radius = 10.0f;
                rate = 500;
                tolerance = 250;
                bubble = 30000.0f;
                break;
            default:
                break;
        }
        b.Set("collision_type", collidable ? 1 : 0)
            .Set("collision_radius", radius)
            .Set("update_rate", rate)
            .Set("update_tolerance", tolerance)
            .Set("bubble_distance", bubble)
            .Set("update_force_range", force)
            .Set("update_multiplier", multiplier)
            .Set("damage_seed", e.kind == Kind::Null ? 0u : uint32_t(rng.Next()))
            .Set("hit_points", hitPoints)
            .Set("major_revision", e.kind == Kind::Null ? 0 : 1)
            .Set("minor_revision", e.kind == Kind::Null ? 0 : int(i % 7))
            .Set("creation_priority", priority)
            .Set("management_domain", manage)
            .Set("transferable", e.kind == Kind::Vehicle || e.kind == Kind::Weapon ? 1 : 0)
            .Set("private", 0)
            .Set("tangible", tangible)
            .Set("collidable", collidable)
            .Set("global", global)
            .Set("persistent", persistent);

        // Models: the object itself in every state but destroyed, which shows rubble.
        const int16_t model = ModelOf(e);
        const int16_t wreck = int16_t(SampleParentOf(SampleModel::Bunker) +
                                      kSampleModelKinds * (e.tmpl % modelsPerKind_));
        for (int s = 0; s < CtRecord::kVisualStates; ++s)
            b.SetAt("graphics", s, s == 3 && tangible ? wreck : model);
    }
    Save(t);
}

}  // namespace tablon::sample
