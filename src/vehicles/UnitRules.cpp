#include "vehicles/UnitRules.h"

#include <algorithm>
#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"

namespace tablon {

using U = UnitRecord;

namespace {

std::vector<std::string> Names(std::initializer_list<const char*> names) {
    std::vector<std::string> out(names.begin(), names.end());
    out.resize(kUnitRoles, "<none>");
    return out;
}

constexpr int kLandDomain = 3;
constexpr int kSeaDomain = 4;

bool ReadCt(Database& db, uint32_t index, CtRecord& ct) {
    return index <= 0x7fffffffu && db.Ct().GetRecord(int(index), ct);
}

}  // namespace

const char* const kRoleColumnTitles[kUnitRoles] = {
    "No Role", "CAP",       "Tac",   "Strike",    "CAS/INT",     "Strat Bomb", "ECM", "SEAD",
    "ASW",     "Anti-Ship", "Recon", "Transport", "ELINT/AWACS", "JSTAR",      "FAC", "Other"};

const std::vector<std::string>& RoleNames(int domain) {
    static const std::vector<std::string> land =
        Names({"RESERVE", "ATTACK", "ASSAULT", "AIRBORNE", "DEFENSE", "AIRDEFENSE", "FIRESUPPORT",
               "ENGINEER", "RECON"});
    static const std::vector<std::string> sea =
        Names({"NONE", "CARRIER", "ESCORT", "ASW", "ATTACK", "AMPHIB", "PATROL", "COMBATSUP",
               "TRANSPORT", "SUPPLY", "CIVILIAN"});
    static const std::vector<std::string> air =
        Names({"None", "CAP", "Tac", "Strike", "CAS/Int", "Strat Bomb", "ECM", "SEAD", "ASW",
               "Anti-Ship", "Recon", "Transport", "ELINT/AWACS", "JSTAR", "Tanker", "FAC"});
    return domain == kLandDomain ? land : domain == kSeaDomain ? sea : air;
}

std::optional<std::string> EntryName(Database& db, uint32_t ctIndex) {
    CtRecord ct;
    if (!ReadCt(db, ctIndex, ct)) return std::nullopt;
    Bytes record;
    const uint32_t ref = ct.DataRef();
    const int index = ref <= 0x7fffffffu ? int(ref) : -1;
    if (ct.DataType() == kDataUnit) {
        if (!db.Table(FileId::Ucd)->GetRecord(index, record)) return "???";
        return LoadText(record.data() + U::kName, U::kNameSize);
    }
    if (ct.DataType() == kDataVehicle) {
        if (!db.Table(FileId::Vcd)->GetRecord(index, record)) return "???";
        return LoadText(record.data() + VehicleRecord::kName, VehicleRecord::kNameSize);
    }
    return "?!?";
}

std::string UnitListText(Database& db, const UnitRecord& unit) {
    std::optional<std::string> slot;
    if (unit.SlotCt(0) != 0) slot = EntryName(db, unit.SlotCt(0));
    return unit.Name() + " - " + slot.value_or("Empty");
}

// ---- slots ----

int FirstEmptySlot(const UnitRecord& unit) {
    for (int s = 0; s < kUnitSlots; ++s)
        if (unit.SlotCt(s) == 0) return s;
    return -1;
}

void FillSlot(UnitRecord& unit, int slot, uint16_t ctIndex, uint32_t number, const CtRecord& ct) {
    unit.Set<uint16_t>(U::kSlotCt + 2 * slot, ctIndex);
    unit.Set<uint32_t>(U::kSlotCounts + 4 * slot, number);
    uint8_t* c = unit.b + U::kSlotClass + U::kSlotClassBytes * slot;
    std::memcpy(c, ct.data() + CtRecord::kDomain, 5);
    std::memset(c + 5, 255, 3);
}

void ClearSlot(UnitRecord& unit, int slot) {
    unit.Set<uint16_t>(U::kSlotCt + 2 * slot, 0);
    unit.Set<uint32_t>(U::kSlotCounts + 4 * slot, 0);
    std::memset(unit.b + U::kSlotClass + U::kSlotClassBytes * slot, 0, U::kSlotClassBytes);
}

bool SwapSlots(UnitRecord& unit, int a, int b) {
    if (a < 0 || a >= kUnitSlots || b < 0 || b >= kUnitSlots) return false;
    auto swapBytes = [&](int offset, int width) {
        std::swap_ranges(unit.b + offset + width * a, unit.b + offset + width * (a + 1),
                         unit.b + offset + width * b);
    };
    if (a == b) return true;
    swapBytes(U::kSlotCt, 2);
    swapBytes(U::kSlotCounts, 4);
    swapBytes(U::kSlotClass, U::kSlotClassBytes);
    return true;
}

const char* const kSlotColumnTitles[8] = {"Unit", "CT",    "Position", "Number",
                                          "Dom",  "Class", "Type",     "SType"};

namespace {

// The icon of a slot row from the slot's class bytes.
int SlotIcon(const UnitRecord& unit, int slot) {
    switch (unit.SlotClass(slot, 0)) {
        case 2: {
            const uint8_t type = unit.SlotClass(slot, 2), subtype = unit.SlotClass(slot, 3);
            if (type == 5) return 5;
            return subtype == 3 || subtype == 8 ? 6 : 0;
        }
        case 3:
            return 1;
        case 4:
            return 2;
        case 7:
            return 3;
        default:
            return 4;
    }
}

}  // namespace

std::optional<SlotRow> UnitSlotRow(Database& db, const UnitRecord& unit, int slot) {
    if (slot < 0 || slot >= kUnitSlots || unit.SlotCt(slot) == 0) return std::nullopt;
    std::optional<std::string> name = EntryName(db, unit.SlotCt(slot));
    if (!name) return std::nullopt;
    const int domain = unit.SlotClass(slot, 0), cls = unit.SlotClass(slot, 1),
              type = unit.SlotClass(slot, 2);
    return SlotRow{slot,
                   {*name, std::to_string(unit.SlotCt(slot)), std::to_string(slot),
                    std::to_string(unit.SlotCount(slot)), DomainName(domain), ClassName(cls),
                    TypeName(domain, cls, type), std::to_string(unit.SlotClass(slot, 3))},
                   SlotIcon(unit, slot)};
}

// ---- statistics ----

SlotStatsIndex::SlotStatsIndex(Database& db) : db_(db), at_(65536, -2) {}

const uint8_t* SlotStatsIndex::Of(uint16_t ctIndex) {
    int32_t& at = at_[ctIndex];
    if (at == -2) {
        at = -1;
        CtRecord ct;
        VehicleRecord v;
        if (db_.Ct().GetRecord(ctIndex, ct) && ct.DataType() == kDataVehicle &&
            ct.DataRef() <= 0x7fffffffu &&
            db_.Table(FileId::Vcd)->GetRecord(int(ct.DataRef()), v.data())) {
            at = int32_t(stats_.size());
            for (uint16_t offset :
                 {VehicleRecord::kHit, VehicleRecord::kRange, VehicleRecord::kDetection})
                stats_.insert(stats_.end(), v.b + offset, v.b + offset + kTargetClasses);
        }
    }
    return at < 0 ? nullptr : stats_.data() + at;
}

void RecalculateUnitStats(SlotStatsIndex& index, UnitRecord& unit) {
    uint8_t best[3 * kTargetClasses] = {};
    for (int s = 0; s < kUnitSlots; ++s) {
        if (unit.SlotCt(s) == 0) continue;
        const uint8_t* stats = index.Of(unit.SlotCt(s));
        if (!stats) continue;
        for (int k = 0; k < 3 * kTargetClasses; ++k) best[k] = std::max(best[k], stats[k]);
    }
    const uint16_t offsets[3] = {U::kHit, U::kRange, U::kDetection};
    for (int k = 0; k < 3; ++k)
        std::memcpy(unit.b + offsets[k], best + k * kTargetClasses, kTargetClasses);
}

void RecalculateUnitStats(Database& db, UnitRecord& unit) {
    SlotStatsIndex index(db);
    RecalculateUnitStats(index, unit);
}

}  // namespace tablon
