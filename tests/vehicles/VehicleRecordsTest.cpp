// The vehicle-subsystem records: slot kinds, names and the fields that line up with the older
// layouts of their files.
#include <gtest/gtest.h>

#include "shell/ScriptedUi.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "support/Fixture.h"
#include "vehicles/StoresRecord.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {
namespace {

TEST(VehicleRecord, LoadByteTellsTheSlotKindUnlessTheSlotIsEmpty) {
    VehicleRecord v;
    v.SetSlot(0, 12, 0);
    v.SetSlot(1, 12, 1);
    v.SetSlot(2, 12, 254);
    v.SetSlot(3, 12, 255);
    v.SetSlot(4, 0, 255);  // a reference of 0 is empty whatever the load byte
    EXPECT_EQ(v.Kind(0), SlotKind::Bay);
    EXPECT_EQ(v.Kind(1), SlotKind::Weapon);
    EXPECT_EQ(v.Kind(2), SlotKind::Weapon);
    EXPECT_EQ(v.Kind(3), SlotKind::Hardpoint);
    EXPECT_EQ(v.Kind(4), SlotKind::Empty);
    EXPECT_EQ(v.Kind(15), SlotKind::Empty);
    v.SetSlot(15, 0xBEEF, 7);
    EXPECT_EQ(v.Get<uint16_t>(VehicleRecord::kSlotRefs + 30), 0xBEEF);
    EXPECT_EQ(v.b[VehicleRecord::kSlotLoads + 15], 7);
    EXPECT_EQ(v.b[VehicleRecord::kDamage], 0) << "slot 15 ends before the damage bytes";
}

TEST(VehicleRecord, NameKeepsItsTerminatorAndSparesTheEcmByte) {
    VehicleRecord v;
    v.b[VehicleRecord::kEcmStrength] = 99;
    v.SetName("Much Too Long A Name");
    EXPECT_EQ(v.Name(), "Much Too Long");  // 13 characters
    EXPECT_EQ(v.b[21], 0);
    EXPECT_EQ(v.b[VehicleRecord::kEcmStrength], 99);
}

TEST(VehicleRecord, MasksAndStatisticsByIndex) {
    VehicleRecord v;
    v.Set<uint16_t>(VehicleRecord::kRackMask, 0x8001);
    v.Set<uint16_t>(VehicleRecord::kVisibleMask, 0x0002);
    EXPECT_TRUE(v.RackBit(0));
    EXPECT_TRUE(v.RackBit(15));
    EXPECT_FALSE(v.RackBit(1));
    EXPECT_TRUE(v.VisibleBit(1));
    for (int t = 0; t < kTargetClasses; ++t) {
        v.b[VehicleRecord::kHit + t] = uint8_t(10 + t);
        v.b[VehicleRecord::kDetection + t] = uint8_t(40 + t);
    }
    EXPECT_EQ(v.Hit(7), 17);
    EXPECT_EQ(v.Strength(0), 0);
    EXPECT_EQ(v.Detection(7), 47);
    EXPECT_EQ(v.Range(0), 0);
}

TEST(UnitRecord, SlotsLieInTheirThreeTables) {
    UnitRecord u;
    for (int k = 0; k < kUnitSlots; ++k) {
        u.Set<uint32_t>(UnitRecord::kSlotCounts + 4 * k, uint32_t(100 + k));
        u.Set<uint16_t>(UnitRecord::kSlotCt + 2 * k, uint16_t(2000 + k));
        u.b[UnitRecord::kSlotClass + 8 * k + 4] = uint8_t(k);
    }
    EXPECT_EQ(u.SlotCount(15), 115u);
    EXPECT_EQ(u.SlotCt(15), 2015);
    EXPECT_EQ(u.SlotClass(15, 4), 15);
    EXPECT_EQ(u.Get<int16_t>(UnitRecord::kFlags), 0) << "the slot tables end before the flags";
}

TEST(StoresRecord, TitledBytesAreTheCountsOfWeapons219To222) {
    const FieldTable& t = StoresFields();
    const Field* counts = t.Find("counts");
    const Field* high = t.Find("counts_high");
    ASSERT_TRUE(counts && high);
    StoresRecord s;
    std::string error;
    ASSERT_TRUE(ParseElement(*high, s.data(), 0, "44", error)) << error;
    ASSERT_TRUE(ParseElement(*t.Find("inf_gun"), s.data(), 0, "9", error)) << error;
    ASSERT_TRUE(ParseElement(*counts, s.data(), 218, "3", error)) << error;
    EXPECT_EQ(s.Count(223), 44);
    EXPECT_EQ(s.Count(222), 9);
    EXPECT_EQ(s.Count(218), 3);
    EXPECT_EQ(high->count, 380);
}

class WeaponListFileTest : public test::TempDirTest {};

// An older file of 112-byte weapon lists reads into the 208-byte memory form: the field table's
// references and counts show the 32 entries of the file.
TEST_F(WeaponListFileTest, OlderListsShowTheirEntriesThroughTheFieldTable) {
    test::WriteMinimalSet(Dir(), 3);
    Bytes wld = test::CountFile(1, 112);
    StoreText(wld.data() + 2, 16, "AA Mixed x4");
    StoreLE<uint16_t>(wld.data() + 2 + 16 + 2 * 31, 77);  // entry 31
    wld[2 + 80 + 31] = 5;                                 // its count
    test::WriteBytes(Path("vantor.wld"), wld);

    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    Bytes rec;
    ASSERT_EQ(db.Table(FileId::Wld)->GetRecord(0, rec), 1);
    const FieldTable& t = WeaponListFields();
    EXPECT_EQ(FormatElement(*t.Find("name"), rec.data()), "AA Mixed x4");
    EXPECT_EQ(FormatElement(*t.Find("weapons"), rec.data(), 31), "77");
    EXPECT_EQ(FormatElement(*t.Find("counts"), rec.data(), 31), "5");
    EXPECT_EQ(FormatElement(*t.Find("weapons"), rec.data(), 32), "0");
}

// An older 52-byte weapon record has no bytes 24 to 27 and 56 to 59: the name's tail and the
// vehicle list and last two bytes read as zero.
TEST_F(WeaponListFileTest, OlderWeaponsReadZeroInTheMissingFields) {
    test::WriteMinimalSet(Dir(), 3);
    test::WriteBytes(Path("vantor.wcd"), test::PatternFile(2, 52));
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    WeaponRecord w;
    ASSERT_EQ(db.Table(FileId::Wcd)->GetRecord(1, w.data()), 1);
    const FieldTable& t = WeaponFields();
    EXPECT_EQ(FormatElement(*t.Find("vehicle_list"), w.data()), "0");
    EXPECT_EQ(FormatElement(*t.Find("max_alt"), w.data()), "0");
    EXPECT_EQ(FormatElement(*t.Find("rounds_per_sec"), w.data()), "0");
    EXPECT_EQ(w.b[WeaponRecord::kBlastRadius], test::PatternByte(1, 48));
    EXPECT_EQ(w.CtIndex(), LoadLE<int16_t>(test::PatternFile(2, 52).data() + 2 + 52));
}

}  // namespace
}  // namespace tablon
