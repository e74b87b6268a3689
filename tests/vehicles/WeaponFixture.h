// A database set with weapons, weapon lists and vehicles built record by record, opened with the
// shell on top.
#pragma once

#include <string>
#include <vector>

#include "shell/ShellTestFixture.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon::test {

inline WeaponRecord MakeWeapon(const std::string& name, int16_t ct = 0) {
    WeaponRecord w;
    w.SetName(name);
    w.Set<int16_t>(WeaponRecord::kCtIndex, ct);
    return w;
}

inline WeaponListRecord MakeList(const std::string& name,
                                 std::vector<std::pair<uint16_t, uint8_t>> entries = {}) {
    WeaponListRecord l;
    l.SetName(name);
    for (size_t i = 0; i < entries.size(); ++i)
        l.SetEntry(int(i), entries[i].first, entries[i].second);
    return l;
}

// A vehicle with its slots: (reference, load byte) from slot 0 on.
inline VehicleRecord MakeVehicle(const std::string& name,
                                 std::vector<std::pair<uint16_t, uint8_t>> slots = {},
                                 int16_t ct = 1) {
    VehicleRecord v;
    v.SetName(name);
    v.Set<int16_t>(VehicleRecord::kCtIndex, ct);
    for (size_t s = 0; s < slots.size(); ++s) v.SetSlot(int(s), slots[s].first, slots[s].second);
    return v;
}

class WeaponTest : public ShellTest {
  protected:
    template <typename R>
    static Bytes FileOf(const std::vector<R>& records, size_t size = R::kSize) {
        Bytes b = CountFile(uint16_t(records.size()), uint16_t(size));
        for (size_t i = 0; i < records.size(); ++i)
            std::memcpy(b.data() + 2 + i * size, records[i].data(), size);
        return b;
    }
    void WriteWeapons(const std::vector<WeaponRecord>& w) {
        WriteBytes(Path("vantor.wcd"), FileOf(w));
    }
    void WriteVehicles(const std::vector<VehicleRecord>& v) {
        WriteBytes(Path("vantor.vcd"), FileOf(v));
    }
    // Lists in the 208-byte layout, or the 112-byte one (name, 32 references, 32 counts).
    void WriteLists(const std::vector<WeaponListRecord>& lists, bool small = false) {
        if (!small) {
            WriteBytes(Path("vantor.wld"), FileOf(lists));
            return;
        }
        Bytes b = CountFile(uint16_t(lists.size()), 112);
        for (size_t i = 0; i < lists.size(); ++i) {
            uint8_t* r = b.data() + 2 + i * 112;
            std::memcpy(r, lists[i].data(), 16 + 64);
            std::memcpy(r + 80, lists[i].data() + WeaponListRecord::kCounts, 32);
        }
        WriteBytes(Path("vantor.wld"), b);
    }
    // The minimal set with these files in it, opened.
    void OpenWith(const std::vector<WeaponRecord>& weapons,
                  const std::vector<WeaponListRecord>& lists = {},
                  const std::vector<VehicleRecord>& vehicles = {}, bool smallLists = false) {
        WriteSet();
        WriteWeapons(weapons);
        WriteLists(lists, smallLists);
        WriteVehicles(vehicles);
        Open();
    }
    WeaponRecord StoredWeapon(int index) {
        WeaponRecord w;
        EXPECT_TRUE(db_->Table(FileId::Wcd)->GetRecord(index, w.data()));
        return w;
    }
    WeaponListRecord StoredList(int index) {
        WeaponListRecord l;
        EXPECT_TRUE(db_->Table(FileId::Wld)->GetRecord(index, l.data()));
        return l;
    }
    // The cells of one column, top to bottom.
    static std::vector<std::string> ColumnText(const CMvView& v, int column) {
        std::vector<std::string> out;
        for (int r = 0; r < v.RowCount(); ++r) out.push_back(v.CellText(r, column));
        return out;
    }
};

}  // namespace tablon::test
