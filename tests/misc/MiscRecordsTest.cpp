// Sounds, rockets and message priorities.
#include <gtest/gtest.h>

#include "misc/MessagePriorityRecord.h"
#include "misc/RocketRecord.h"
#include "misc/SoundRecord.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "support/Fixture.h"

namespace tablon {
namespace {

TEST(MessagePriority, EightValuesSixteenToThePowerK) {
    EXPECT_EQ(PriorityValue(0), 0x1u);
    EXPECT_EQ(PriorityValue(3), 0x1000u);  // "SEND_SOON"
    EXPECT_EQ(PriorityValue(7), 0x10000000u);
    for (int k = 0; k < kPriorityCount; ++k) EXPECT_EQ(PriorityLevel(PriorityValue(k)), k);
    EXPECT_EQ(PriorityLevel(0), -1);
    EXPECT_EQ(PriorityLevel(0x2), -1);
    EXPECT_EQ(PriorityLevel(0x11), -1);
}

TEST(RocketRecord, ThreeSignedWords) {
    RocketRecord r;
    std::string error;
    const FieldTable& t = RocketFields();
    ASSERT_TRUE(ParseField(*t.Find("weapon_id"), r.data(), "-1", error));
    ASSERT_TRUE(ParseField(*t.Find("new_weapon_id"), r.data(), "300", error));
    ASSERT_TRUE(ParseField(*t.Find("count"), r.data(), "19", error));
    EXPECT_EQ(r.WeaponId(), -1);
    EXPECT_EQ(r.NewWeaponId(), 300);
    EXPECT_EQ(r.Count(), 19);
}

class SoundFileTest : public test::TempDirTest {};

// A version-1 sound file holds 124-byte records: the minimum 3D distance reads as zero while
// the fields before it keep their bytes.
TEST_F(SoundFileTest, VersionOneRecordsLackTheMinimumDistance) {
    test::WriteMinimalSet(Dir(), 3);
    Bytes sfx(8 + 3 * 124, 0x3F);
    StoreLE<uint32_t>(sfx.data(), kSoundVersionShort);
    StoreLE<uint32_t>(sfx.data() + 4, 3);
    StoreText(sfx.data() + 8 + 124, 64, "sounds/gun_20mm_01.wav");
    test::WriteBytes(Path("VantorSndTbl.sfx"), sfx);
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    SoundRecord s;
    ASSERT_EQ(db.Table(FileId::Sfx)->GetRecord(1, s.data()), 1);
    const FieldTable& t = SoundFields();
    EXPECT_EQ(FormatElement(*t.Find("min_3d_distance"), s.data()), "0");
    EXPECT_EQ(s.FileName(), "sounds/gun_20mm_01.wav");
    EXPECT_EQ(s.Get<uint32_t>(SoundRecord::kMinorSymbol), 0x3F3F3F3Fu);
}

}  // namespace
}  // namespace tablon
