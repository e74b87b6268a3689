// A database for the vehicle tests: class-table entries, vehicles, weapons, weapon lists and
// units described record by record, written over the minimal set, then opened with the shell.
#pragma once

#include <string>
#include <vector>

#include "classtable/CtRecord.h"
#include "shell/ShellTestFixture.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/VehicleStats.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon::test {

// Domains of the class table.
constexpr int kAir = 2, kLand = 3, kSea = 4, kUndersea = 7;

inline CtRecord CtEntry(int domain, int cls = 7, int type = 1, int dataType = 5,
                        uint32_t dataRef = 0) {
    CtRecord r;
    r.b[CtRecord::kDomain] = uint8_t(domain);
    r.b[CtRecord::kClass] = uint8_t(cls);
    r.b[CtRecord::kType] = uint8_t(type);
    r.b[CtRecord::kDataType] = uint8_t(dataType);
    r.Set<uint32_t>(CtRecord::kDataRef, dataRef);
    return r;
}

inline VehicleRecord Vehicle(const std::string& name, int ct) {
    VehicleRecord v;
    v.SetName(name);
    v.Set<int16_t>(VehicleRecord::kCtIndex, int16_t(ct));
    return v;
}

// A weapon of a range with the same hit chance against every target class.
inline WeaponRecord Weapon(const std::string& name, int range, int hit, int ct = 0) {
    WeaponRecord w;
    StoreText(w.b + WeaponRecord::kName, WeaponRecord::kNameSize, name);
    w.Set<int16_t>(WeaponRecord::kRange, int16_t(range));
    w.Set<int16_t>(WeaponRecord::kCtIndex, int16_t(ct));
    for (int t = 0; t < kTargetClasses; ++t) w.b[WeaponRecord::kHitChance + t] = uint8_t(hit);
    return w;
}

inline WeaponListRecord List(const std::string& name, std::vector<uint16_t> weapons) {
    WeaponListRecord l;
    StoreText(l.b, WeaponListRecord::kNameSize, name);
    for (size_t e = 0; e < weapons.size(); ++e) l.SetEntry(int(e), weapons[e], 1);
    return l;
}

class VclTest : public ShellTest {
  protected:
    void TearDown() override {
        SetLowAirFactor(kDefaultLowAirFactor);
        ShellTest::TearDown();
    }

    // Writes the records given so far over the minimal set and opens it. Weapon 0 and list 0
    // are there unnamed unless the test gives them.
    void OpenDb() {
        WriteVehicleFiles();
        Open();
    }
    // The minimal set with the records given so far written over it.
    void WriteVehicleFiles() {
        WriteSet();
        if (weapons_.empty()) weapons_.push_back({});
        if (lists_.empty()) lists_.push_back({});
        WriteCt(ct_);
        WriteRecords("vantor.vcd", vehicles_, vcdRecordSize_);
        WriteRecords("vantor.wcd", weapons_);
        WriteRecords("vantor.wld", lists_);
        WriteRecords("vantor.ucd", units_);
    }

    template <typename R>
    void WriteRecords(const std::string& file, const std::vector<R>& records,
                      size_t size = R::kSize) {
        Bytes b = CountFile(uint16_t(records.size()), uint16_t(size));
        for (size_t i = 0; i < records.size(); ++i) {
            uint8_t* out = b.data() + 2 + i * size;
            if (size == R::kSize) {
                std::memcpy(out, records[i].data(), size);
            } else {  // the older vehicle layout: without bytes 20 to 23
                std::memcpy(out, records[i].data(), 20);
                std::memcpy(out + 20, records[i].data() + 24, size - 20);
            }
        }
        WriteBytes(Path(file), b);
    }

    VehicleRecord StoredVehicle(int index) {
        VehicleRecord v;
        EXPECT_TRUE(db_->Table(FileId::Vcd)->GetRecord(index, v.data()));
        return v;
    }
    std::vector<std::string> Names(const CMvView& v) const {
        std::vector<std::string> out;
        for (int r = 0; r < v.RowCount(); ++r) out.push_back(v.ItemText(r));
        return out;
    }

    std::vector<CtRecord> ct_;
    std::vector<VehicleRecord> vehicles_;
    std::vector<WeaponRecord> weapons_;
    std::vector<WeaponListRecord> lists_;
    std::vector<UnitRecord> units_;
    size_t vcdRecordSize_ = VehicleRecord::kSize;
};

}  // namespace tablon::test
