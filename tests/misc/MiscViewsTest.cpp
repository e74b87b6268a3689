// The sound, rocket and message-priority lists and their dialogs.
#include <gtest/gtest.h>

#include "misc/MiscViews.h"
#include "shell/ShellTestFixture.h"

namespace tablon::test {
namespace {

using namespace miscdlg;

class MiscViewsTest : public ShellTest {
  protected:
    // A version-1 sound table of three records, filled with 0x3F; record 1 has a name.
    void WriteSounds() {
        sfx_ = Bytes(8 + 3 * 124, 0x3F);
        StoreLE<uint32_t>(sfx_.data(), kSoundVersionShort);
        StoreLE<uint32_t>(sfx_.data() + 4, 3);
        StoreText(sfx_.data() + 8 + 124, 64, "gun.wav");
        StoreLE<uint32_t>(sfx_.data() + 8 + 124 + SoundRecord::kFlags, 0x1FF);
        WriteBytes(Path("VantorSndTbl.sfx"), sfx_);
    }
    Bytes sfx_;
};

TEST_F(MiscViewsTest, SoundListAndDialog) {
    WriteSet();
    WriteSounds();
    Open();
    CMvView& v = OpenList("Sounds");
    ASSERT_EQ(v.ColumnCount(), 18);
    EXPECT_EQ(v.Column(17).title, "min3dDist");
    EXPECT_EQ(v.ItemText(1), "gun.wav");
    EXPECT_EQ(v.CellText(1, 17), "0");
    EXPECT_EQ(v.CellText(1, 11), "511");

    // The flags dialog keeps bits 0 to 7 only; writing leaves the next record's bytes alone.
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Sound Item");
        f.Press(kFlagsButton);
        EXPECT_EQ(f.Text(SoundFieldControl("flags")), "255");
        f.SetText(SoundFieldControl("length"), "1234");
        f.Press(kIdOk);
    });
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    v.OnDoubleClick(1);
    const Bytes file = ReadBytes(Path("VantorSndTbl.sfx"));
    ASSERT_EQ(file.size(), sfx_.size());
    EXPECT_EQ(LoadLE<uint32_t>(file.data() + 8 + 124 + SoundRecord::kFlags), 0xFFu);
    EXPECT_EQ(LoadLE<uint32_t>(file.data() + 8 + 124 + SoundRecord::kLength), 1234u);
    EXPECT_TRUE(std::equal(file.begin() + 8 + 248, file.end(), sfx_.begin() + 8 + 248));
    EXPECT_EQ(v.CellText(1, 3), "1234");  // the row shows what was written

    // Only the last record can be deleted.
    v.Select(0);
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    v.Select(2);
    Frame().Run(cmd::kDeleteItem);
    EXPECT_EQ(ReadBytes(Path("VantorSndTbl.sfx")).size(), 8u + 2 * 124);
}

TEST_F(MiscViewsTest, RocketsAndPriorities) {
    WriteSet();
    Bytes ddp = CountFile(3, 4);
    StoreLE<uint32_t>(ddp.data() + 2, 0x10);
    StoreLE<uint32_t>(ddp.data() + 6, 0x3);
    WriteBytes(Path("Vantor.ddp"), ddp);
    Open();
    CMvView& r = OpenList("Rockets");
    EXPECT_EQ(r.ItemText(2), "RKT 2");
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Rocket 1");
        f.SetText(kCount, "-5");
        f.Press(kIdOk);
    });
    r.OnDoubleClick(1);
    EXPECT_EQ(LoadLE<int16_t>(ReadBytes(Path("Vantor.rkt")).data() + 2 + 6 + 4), -5);
    EXPECT_EQ(r.CellText(1, 3), "-5");
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "New Rocket");
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kAddItem);
    EXPECT_EQ(r.RowCount(), 4);

    CMvView& d = OpenList("DirtyData");
    EXPECT_EQ(d.ItemText(0), "DDP 0");
    EXPECT_EQ(d.CellText(0, 1), "SEND_SOMETIME");
    EXPECT_EQ(d.CellText(1, 1), "3");  // none of the eight: its number
    EXPECT_FALSE(Frame().StateOf(cmd::kAddItem).enabled);
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Selected(kPriority), -1);
        f.SetSelected(kPriority, 3);
        f.Press(kIdOk);
    });
    d.OnDoubleClick(1);
    EXPECT_EQ(LoadLE<uint32_t>(ReadBytes(Path("Vantor.ddp")).data() + 6), 0x1000u);
    EXPECT_EQ(d.CellText(1, 1), "SEND_SOON");
}

}  // namespace
}  // namespace tablon::test
