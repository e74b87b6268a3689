// The generator of the sample database's record files. It plans the class table first (which
// entry is what, and which record of which file stands behind it), then writes the files one
// by one, each through its field table, keeping only what later files refer to.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sample/RecordBuilder.h"
#include "sample/Sample.h"
#include "sample/SampleCatalog.h"

namespace tablon::sample {

// How big the sample is.
struct Sizes {
    uint32_t ct = 0;
    // Entries of the blocks of the class table (the protected entries come on top).
    uint32_t abstractEntries = 0;
    std::array<uint32_t, 4> vehicles{};  // air, land, sea, undersea
    uint32_t weapons = 0;
    uint32_t objectives = 0;
    uint32_t features = 0;
    std::array<uint32_t, 4> units{};
    uint32_t vehicleVariants = 0;
    // Files whose size is not implied by the class table.
    uint32_t weaponLists = 0;
    uint32_t radars = 0;
    uint32_t irSensors = 0;
    uint32_t rwrSensors = 0;
    uint32_t visualSensors = 0;
    uint32_t extraStores = 0;  // stores records no unit names
    uint32_t sounds = 0;
    uint32_t rockets = 0;
    uint32_t priorities = 0;
    // Fill every record file to 65,535 records with copies of its records.
    bool fill = false;
};
Sizes SizesFor(SampleScale scale);

constexpr uint32_t kFull = 65535;

enum class Kind : uint8_t {
    Null,
    Abstract,
    Sfx,
    Vehicle,
    VehicleVariant,
    Weapon,
    Unit,
    Objective,
    Feature,
};

// One class-table entry as planned.
struct CtEntry {
    Kind kind = Kind::Null;
    uint8_t tmpl = 0;            // template of its kind (AbstractEntries() for Abstract)
    uint8_t mode = 0;            // 1 to 4 for vehicle variants
    uint32_t variant = 0;        // occurrence of the template: names and picks
    uint32_t data = 0;           // record behind the entry (a variant: its vehicle's record)
    int32_t alt = -1;            // aircraft data or sim weapon data record
    const char* name = nullptr;  // a fixed name for the record behind a protected entry
};

struct Classification {
    uint8_t domain = 0, cls = 0, type = 0, subtype = 0, specific = 0, mode = 0;
};

// Per vehicle record, what units and stores need of it.
struct VehicleFacts {
    std::array<uint8_t, 8> hit{}, strength{}, range{}, detection{};
    std::array<uint8_t, 11> damage{};
    int16_t maxSpeed = 0;
    uint32_t fuel = 0;
    bool radar = false;
    std::vector<std::pair<uint16_t, uint16_t>> stores;  // weapon record, count carried
};

class World {
  public:
    World(SampleScale scale, std::string dir);
    // Writes the 20 record files; throws BuildError or std::runtime_error on failure.
    void WriteAll();

  private:
    // Planning.
    void PlanClassTable();
    void NumberRecords();
    Classification Classify(const CtEntry& e, uint32_t index) const;
    int16_t ModelOf(const CtEntry& e) const;

    // Files.
    void WriteRadars();
    void WriteSmallSensors();
    void WriteWeapons();
    void WriteSimWeapons();
    void WriteWeaponLists();
    void WriteVehicles();
    void WriteAircraftData();
    void WriteUnits();
    void WriteStores();
    void WriteFeatures();
    void WriteObjectives();
    void WriteClassTable();
    void WriteSounds();
    void WriteRockets();
    void WritePriorities();

    void Save(const TableBuffer& t) const;
    // The record count of a file: its planned records, or 65,535 when the sample is filled.
    uint32_t CountFor(uint32_t planned) const;
    // Makes records [first, count) copies of records [from, first), cycling, each copy named
    // like its source with "-2" where that fits into max characters.
    void CopyRecords(TableBuffer& t, uint32_t from, uint32_t first, const char* nameField,
                     size_t max) const;
    // A record of a list of variants of a template, picked by n.
    static uint32_t Pick(const std::vector<uint32_t>& list, uint32_t n) {
        return list.empty() ? 0 : list[n % list.size()];
    }
    // Of count records that cycle through kinds templates, the n-th one of template k.
    static uint32_t Cycled(uint32_t count, uint32_t kinds, uint32_t k, uint32_t n) {
        const uint32_t of = k < count ? (count - k + kinds - 1) / kinds : 1;
        return k + kinds * (n % of);
    }

    SampleScale scale_;
    std::string dir_;
    Sizes sizes_;
    int modelsPerKind_ = 1;

    std::vector<CtEntry> ct_;
    // The class-table entry of each planned record, in record order (weaponCt_[0] is the
    // empty weapon record 0).
    std::vector<uint32_t> vehicleCt_, weaponCt_, unitCt_, objectiveCt_, featureCt_;
    // Records (or class-table entries) of each template, in order.
    std::vector<std::vector<uint32_t>> vehicleCtOf_;  // class-table entries
    std::vector<std::vector<uint32_t>> unitCtOf_;     // class-table entries
    std::vector<std::vector<uint32_t>> featureCtOf_;  // class-table entries
    std::vector<std::vector<uint32_t>> weaponsOf_;    // weapon records
    std::vector<std::vector<uint32_t>> listsOf_;      // weapon-list records
    std::vector<std::vector<uint32_t>> radarsOf_;     // radar records
    // Aircraft data and sim weapon data: the vehicle or weapon record behind each record.
    std::vector<uint32_t> acdVehicle_, swdWeapon_;

    // Facts later files need.
    std::vector<int16_t> weaponRange_;
    std::vector<std::array<uint8_t, 8>> weaponHit_;
    std::vector<int16_t> weaponDamage_;
    std::vector<std::vector<std::pair<uint16_t, uint8_t>>> listEntries_;  // first 32 entries
    std::vector<VehicleFacts> vehicleFacts_;
    // Per stores record named by a squadron: the squadron's unit record, the vehicle record
    // whose loads fill the stores and the number of aircraft.
    std::vector<uint32_t> unitStores_;
    std::vector<uint32_t> storesVehicle_;
    std::vector<uint32_t> storesAircraft_;
};

}  // namespace tablon::sample
