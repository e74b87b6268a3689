#include "vehicles/WeaponUsage.h"

#include "store/Database.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

namespace {

bool IsListSlot(uint8_t load) {
    return load == kLoadBay || load == kLoadHardpoint;
}

// The class-table indices that every weapon and every weapon list stands for, each file read
// once.
class CtTables {
  public:
    explicit CtTables(const Database& db) {
        WeaponRecord w;
        if (const TableFile* wcd = db.Table(FileId::Wcd))
            for (int i = 0; wcd->GetRecord(i, w.data()); ++i) weaponCt_.push_back(w.CtIndex());
        WeaponListRecord l;
        if (const TableFile* wld = db.Table(FileId::Wld))
            for (int i = 0; wld->GetRecord(i, l.data()); ++i) {
                listStart_.push_back(uint32_t(listCts_.size()));
                for (int e = 0; e < WeaponListRecord::kListedEntries; ++e) {
                    const uint16_t ref = l.Weapon(e);
                    if (ref != 0 && ref < weaponCt_.size()) listCts_.push_back(weaponCt_[ref]);
                }
            }
        listStart_.push_back(uint32_t(listCts_.size()));
    }

    // Calls f(ct) for every class-table index that a hardpoint slot stands for.
    template <typename F>
    void ForEachCt(uint16_t ref, uint8_t load, F&& f) const {
        if (ref == 0) return;
        if (!IsListSlot(load)) {
            if (ref < weaponCt_.size()) f(weaponCt_[ref]);
            return;
        }
        if (size_t(ref) + 1 >= listStart_.size()) return;
        for (uint32_t k = listStart_[ref]; k < listStart_[size_t(ref) + 1]; ++k) f(listCts_[k]);
    }

  private:
    std::vector<int16_t> weaponCt_;    // by weapon number, the readable weapons
    std::vector<uint32_t> listStart_;  // by list number: its first index in listCts_; one more
    std::vector<int16_t> listCts_;     // the indices of the readable entries, list by list
};

bool WeaponHasCt(const TableFile& wcd, uint16_t ref, int16_t ct) {
    WeaponRecord w;
    return ref != 0 && wcd.GetRecord(ref, w.data()) && w.CtIndex() == ct;
}

}  // namespace

bool VehicleUsesWeaponCt(const Database& db, const VehicleRecord& vehicle, int16_t ct) {
    const TableFile* wcd = db.Table(FileId::Wcd);
    const TableFile* wld = db.Table(FileId::Wld);
    if (!wcd || !wld) return false;
    WeaponListRecord list;
    for (int s = 0; s < kHardpointSlots; ++s) {
        const uint16_t ref = vehicle.SlotRef(s);
        if (ref == 0) continue;
        if (!IsListSlot(vehicle.SlotLoad(s))) {
            if (WeaponHasCt(*wcd, ref, ct)) return true;
            continue;
        }
        if (!wld->GetRecord(ref, list.data())) continue;
        for (int e = 0; e < WeaponListRecord::kListedEntries; ++e)
            if (WeaponHasCt(*wcd, list.Weapon(e), ct)) return true;
    }
    return false;
}

uint32_t CountVehiclesDirect(const Database& db, int16_t ct) {
    const TableFile* vcd = db.Table(FileId::Vcd);
    if (!vcd) return 0;
    uint32_t n = 0;
    VehicleRecord v;
    for (int i = 0; vcd->GetRecord(i, v.data()); ++i)
        if (VehicleUsesWeaponCt(db, v, ct)) ++n;
    return n;
}

void WeaponUsageIndex::Build(const Database& db) {
    count_.clear();
    const TableFile* vcd = db.Table(FileId::Vcd);
    if (!vcd) return;
    const CtTables tables(db);
    // seen[ct] holds the number (plus one) of the last vehicle counted for ct, so that a
    // vehicle counts once for each index however many slots carry it. Both grow to the highest
    // index met.
    std::vector<uint32_t> seen;
    VehicleRecord v;
    for (int i = 0; vcd->GetRecord(i, v.data()); ++i) {
        const uint32_t stamp = uint32_t(i) + 1;
        for (int s = 0; s < kHardpointSlots; ++s)
            tables.ForEachCt(v.SlotRef(s), v.SlotLoad(s), [&](int16_t ct) {
                const uint16_t key = uint16_t(ct);
                if (key >= seen.size()) {
                    seen.resize(size_t(key) + 1, 0);
                    count_.resize(size_t(key) + 1, 0);
                }
                if (seen[key] == stamp) return;
                seen[key] = stamp;
                ++count_[key];
            });
    }
}

uint32_t WeaponUsageIndex::VehiclesUsing(int16_t ct) const {
    return uint16_t(ct) < count_.size() ? count_[uint16_t(ct)] : 0;
}

std::vector<int> VehiclesUsingWeaponCt(const Database& db, int16_t ct) {
    std::vector<int> out;
    const TableFile* vcd = db.Table(FileId::Vcd);
    if (!vcd) return out;
    const CtTables tables(db);
    VehicleRecord v;
    for (int i = 0; vcd->GetRecord(i, v.data()); ++i) {
        bool uses = false;
        for (int s = 0; s < kHardpointSlots && !uses; ++s)
            tables.ForEachCt(v.SlotRef(s), v.SlotLoad(s), [&](int16_t c) { uses |= c == ct; });
        if (uses) out.push_back(i);
    }
    return out;
}

std::vector<int> VehiclesUsingList(const Database& db, int list) {
    std::vector<int> out;
    const TableFile* vcd = db.Table(FileId::Vcd);
    if (!vcd || list <= 0 || list > 0xFFFF) return out;
    VehicleRecord v;
    for (int i = 0; vcd->GetRecord(i, v.data()); ++i)
        for (int s = 0; s < kHardpointSlots; ++s)
            if (v.SlotRef(s) == list && IsListSlot(v.SlotLoad(s))) {
                out.push_back(i);
                break;
            }
    return out;
}

}  // namespace tablon
