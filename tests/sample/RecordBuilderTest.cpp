#include <gtest/gtest.h>

#include "sample/RecordBuilder.h"
#include "store/Bytes.h"
#include "support/Fixture.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"

namespace tablon {
namespace {

TEST(RecordBuilder, SetsFieldsByNameAtTheirOffsets) {
    VehicleRecord v;
    RecordBuilder b(VehicleFields());
    b.Target(v.data())
        .Set("ct_index", 1234)
        .Set("name", "Fighter A")
        .Set("radar_cs", 4.5f)
        .SetAt("slot_refs", 3, 77)
        .SetAt("slot_loads", 3, 255)
        .SetArray("hit", std::array<uint8_t, 3>{9, 8, 7});
    EXPECT_EQ(v.CtIndex(), 1234);
    EXPECT_EQ(v.Name(), "Fighter A");
    EXPECT_EQ(v.Get<float>(VehicleRecord::kRadarCs), 4.5f);
    EXPECT_EQ(v.SlotRef(3), 77);
    EXPECT_EQ(v.Kind(3), SlotKind::Hardpoint);
    EXPECT_EQ(v.Hit(0), 9);
    EXPECT_EQ(v.Hit(2), 7);
    EXPECT_EQ(v.Hit(3), 0);
}

TEST(RecordBuilder, IntegersKeepTheirBitsWhenTheyFitSignedOrUnsigned) {
    VehicleRecord v;
    RecordBuilder b(VehicleFields());
    b.Target(v.data()).Set("ct_index", 40000).Set("radar", -1).Set("flags", 0xffffffffu);
    EXPECT_EQ(v.Get<uint16_t>(VehicleRecord::kCtIndex), 40000);
    EXPECT_EQ(v.Radar(), -1);
    EXPECT_EQ(v.Flags(), 0xffffffffu);
    EXPECT_THROW(b.Set("ct_index", 65536), BuildError);
    EXPECT_THROW(b.Set("ct_index", -32769), BuildError);
    EXPECT_THROW(b.Set("ecm_strength", 256), BuildError);
}

TEST(RecordBuilder, RefusesWhatDoesNotFitTheField) {
    VehicleRecord v;
    RecordBuilder b(VehicleFields());
    b.Target(v.data());
    EXPECT_THROW(b.Set("no_such_field", 1), BuildError);
    EXPECT_THROW(b.Set("mtow", 1.5), BuildError);      // a float into an integer
    EXPECT_THROW(b.Set("mtow", "heavy"), BuildError);  // a text into an integer
    EXPECT_THROW(b.Set("name", "Fifteen chars!!"), BuildError);
    EXPECT_THROW(b.SetAt("hit", 8, 1), BuildError);
    b.Set("radar_cs", 3);  // an integer into a float field is a float
    EXPECT_EQ(v.Get<float>(VehicleRecord::kRadarCs), 3.0f);
}

TEST(RecordBuilder, TextIsZeroPadded) {
    WeaponListRecord w;
    std::fill(std::begin(w.b), std::end(w.b), 0xAA);
    RecordBuilder b(WeaponListFields());
    b.Target(w.data()).Set("name", "AA Short");
    EXPECT_EQ(w.Name(), "AA Short");
    for (size_t i = 8; i < WeaponListRecord::kNameSize; ++i) EXPECT_EQ(w.b[i], 0) << i;
    EXPECT_EQ(w.b[WeaponListRecord::kWeapons], 0xAA);  // the next field is untouched
}

class TableBufferTest : public test::TempDirTest {};

TEST_F(TableBufferTest, WritesTheCommonLayoutAndTheSoundHeader) {
    TableBuffer rkt(FileId::Rkt, 3);
    rkt.Record(2)[5] = 0x42;
    std::string error;
    ASSERT_TRUE(rkt.Write(Dir(), error)) << error;
    Bytes bytes = test::ReadBytes(Path("Vantor.rkt"));
    ASSERT_EQ(bytes.size(), 2u + 3 * 6);
    EXPECT_EQ(LoadLE<uint16_t>(bytes.data()), 3);
    EXPECT_EQ(bytes[2 + 2 * 6 + 5], 0x42);

    TableBuffer sfx(FileId::Sfx, 2);
    ASSERT_TRUE(sfx.Write(Dir(), error)) << error;
    bytes = test::ReadBytes(Path("VantorSndTbl.sfx"));
    ASSERT_EQ(bytes.size(), 8u + 2 * 128);
    EXPECT_EQ(LoadLE<uint32_t>(bytes.data()), 0u);  // version 0: 128-byte records
    EXPECT_EQ(LoadLE<uint32_t>(bytes.data() + 4), 2u);

    EXPECT_THROW(TableBuffer(FileId::Ct, 65536), BuildError);
    EXPECT_FALSE(rkt.Write(Dir() + "/missing/dir", error));
}

}  // namespace
}  // namespace tablon
