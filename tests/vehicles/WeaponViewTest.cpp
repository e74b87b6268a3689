// The weapon list: its cells, the vehicle counts against the direct rule, and its commands.
#include <gtest/gtest.h>

#include <sstream>

#include "classtable/CtRecord.h"
#include "sample/Sample.h"
#include "shell/ViewText.h"
#include "vehicles/WeaponDialog.h"
#include "vehicles/WeaponFixture.h"
#include "vehicles/WeaponUsage.h"
#include "vehicles/WeaponView.h"

namespace tablon::test {
namespace {

using W = WeaponRecord;

CtRecord CtWithManeuver(int16_t maneuver, int dataType = 6) {
    CtRecord c;
    c.Set<int16_t>(CtRecord::kAltDataRef, maneuver);
    c.b[CtRecord::kDataType] = uint8_t(dataType);
    return c;
}

TEST_F(WeaponTest, CellsNameGuidanceManeuverAndTheLowBitsOfTheDamageType) {
    WeaponRecord a = MakeWeapon("Sidewinder", 1);
    a.Set<uint16_t>(W::kGuidance, kGuidanceIrRearAspect);
    a.Set<uint32_t>(W::kDamageType, 0x0001FFFF);
    a.Set<uint16_t>(W::kFlags, 0xC020);
    WeaponRecord b = MakeWeapon("Odd seeker", 7);  // no class-table record 7
    b.Set<uint16_t>(W::kGuidance, 3);
    WeaponRecord hidden;
    hidden.b[W::kName + 4] = 'x';  // the first four name bytes are zero: not listed
    WeaponRecord blank;
    blank.b[W::kName + 1] = 'y';  // listed, with an empty item text
    WriteSet();
    WriteCt({CtWithManeuver(0), CtWithManeuver(-12)});
    WriteWeapons({MakeWeapon("Zero"), a, b, hidden, blank});
    WriteLists({});
    WriteVehicles({});
    Open();
    CMvView& v = OpenList("Weapons");
    ASSERT_EQ(v.ColumnCount(), 31);
    EXPECT_EQ(v.Column(13).title, "v Low air");
    EXPECT_EQ(v.Column(30).title, "Used by NumVehicles");
    EXPECT_EQ(Order(v), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(ColumnText(v, 0), (std::vector<std::string>{"Zero", "Sidewinder", "Odd seeker", ""}));
    EXPECT_EQ(ColumnText(v, 2), (std::vector<std::string>{"0", "-12", "n/a", "0"}));
    EXPECT_EQ(ColumnText(v, 3),
              (std::vector<std::string>{"None", "IR (Read-Aspect)", "3", "None"}));
    EXPECT_EQ(v.CellText(1, 6), "-1");
    EXPECT_EQ(v.CellText(1, 8), "49184");
    EXPECT_EQ(v.CellText(1, 30), "0");
}

// Vehicle 0 carries weapon 1 directly and through list 1; vehicle 1 carries weapon 2 (same
// class-table index as weapon 1) in a bay; vehicle 2 has weapon 3 only in entry 40 of its
// list, which nothing counts, and refers to a weapon and a list that do not exist.
class UsageTest : public WeaponTest {
  protected:
    void SetUp() override {
        WeaponTest::SetUp();
        WeaponListRecord deep = MakeList("Deep");
        deep.SetEntry(40, 3, 1);
        OpenWith({MakeWeapon("None"), MakeWeapon("AIM-9", 5), MakeWeapon("AIM-9 twin", 5),
                  MakeWeapon("Mk 82", 6)},
                 {MakeList("Empty"), MakeList("Rail", {{0, 9}, {1, 2}}), MakeList("Bay", {{2, 4}}),
                  deep},
                 {MakeVehicle("F-16", {{1, 1}, {1, 255}}), MakeVehicle("B-1", {{2, 0}}),
                  MakeVehicle("Odd", {{3, 255}, {77, 4}, {88, 255}})});
    }
};

TEST_F(UsageTest, AVehicleCountsOnceAndWeaponsShareTheirClassTableIndex) {
    EXPECT_EQ(CountVehiclesDirect(*db_, 5), 2u);
    EXPECT_EQ(CountVehiclesDirect(*db_, 6), 0u);
    WeaponUsageIndex index;
    index.Build(*db_);
    for (int16_t ct : {0, 5, 6, 77, -1})
        EXPECT_EQ(index.VehiclesUsing(ct), CountVehiclesDirect(*db_, ct)) << ct;
    EXPECT_EQ(VehiclesUsingWeaponCt(*db_, 5), (std::vector<int>{0, 1}));
    EXPECT_EQ(VehiclesUsingList(*db_, 1), (std::vector<int>{0}));
    EXPECT_EQ(VehiclesUsingList(*db_, 3), (std::vector<int>{2}));

    CMvView& v = OpenList("Weapons");
    EXPECT_EQ(ColumnText(v, 30), (std::vector<std::string>{"0", "2", "2", "0"}));
    // The count column sorts by the count.
    v.OnColumnClick(30);
    v.OnColumnClick(30);
    EXPECT_EQ(v.ItemData(0), 1);
    EXPECT_EQ(v.ItemData(3) + v.ItemData(2), 3);  // the two weapons counted 0, in some order
}

TEST_F(UsageTest, CountsFollowAClassTableIndexChangedInTheDialog) {
    CMvView& v = OpenList("Weapons");
    v.Select(v.PositionOf(3));
    ui_.QueueDialogTexts({{wcddlg::kCtIndex, "5"}, {wcddlg::kName, "Mk 82 renamed"}});
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(StoredWeapon(3).CtIndex(), 5);
    EXPECT_EQ(ColumnText(v, 30), (std::vector<std::string>{"0", "2", "2", "2"}));
    EXPECT_EQ(v.CellText(v.PositionOf(3), 0), "Mk 82 renamed");
    EXPECT_TRUE(v.IsSelected(v.PositionOf(3)));

    // "Wcd Usage" lists the vehicles of the index by name and class-table index.
    std::vector<ListRow> rows;
    ui_.QueueDialog([&](Form& f) { rows = f.Rows(wcddlg::kUsageList); });
    CWcdUsageDialog usage(Ctx(), 5);
    ui_.RunDialog(usage);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"B-1", "1"}));
    EXPECT_EQ(rows[1].data, 1);
}

TEST_F(WeaponTest, TheIndexEqualsTheDirectRuleOnTheDemoSample) {
    std::string error;
    ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    Open();
    CMvView& v = OpenList("Weapons");
    ASSERT_GT(v.RowCount(), 100);
    int used = 0;
    for (int r = 0; r < v.RowCount(); ++r) {
        const WeaponRecord w = StoredWeapon(v.ItemData(r));
        const uint32_t direct = CountVehiclesDirect(*db_, w.CtIndex());
        ASSERT_EQ(v.CellText(r, 30), std::to_string(direct)) << w.Name();
        used += direct > 0;
    }
    EXPECT_GT(used, 20);  // the sample really exercises the rule
}

TEST_F(WeaponTest, AddAddCopyDeleteAndTheCopyNameRule) {
    OpenWith({MakeWeapon("None"), MakeWeapon("Fourteen chars"), MakeWeapon("Fifteen chars!!")});
    CMvView& v = OpenList("Weapons");
    std::vector<std::string> ids, names;
    auto record = [&](Form& f) {
        ids.push_back(f.Text(wcddlg::kWeaponId));
        names.push_back(f.Text(wcddlg::kName));
        f.Press(kIdOk);
    };
    ui_.QueueDialog(record);
    Frame().Run(cmd::kAddItem);
    v.Select(v.PositionOf(1));
    ui_.QueueDialog(record);
    Frame().Run(cmd::kAddCopy);
    v.Select(v.PositionOf(2));
    ui_.QueueDialog(record);
    Frame().Run(cmd::kAddCopy);
    EXPECT_EQ(ids, (std::vector<std::string>{"-1", "1", "2"}));
    EXPECT_EQ(names, (std::vector<std::string>{"New", "Fourteen chars-2", "Fifteen chars!!"}));
    EXPECT_EQ(db_->Table(FileId::Wcd)->RecordCount(), 6u);
    EXPECT_EQ(StoredWeapon(4).Name(), "Fourteen chars-2");
    EXPECT_EQ(v.RowCount(), 6);

    // Delete only the last record.
    v.Select(v.PositionOf(4));
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    v.Select(v.PositionOf(5));
    ASSERT_TRUE(Frame().StateOf(cmd::kDeleteItem).enabled);
    Frame().Run(cmd::kDeleteItem);
    EXPECT_EQ(db_->Table(FileId::Wcd)->RecordCount(), 5u);
    EXPECT_EQ(v.RowCount(), 5);
}

TEST_F(WeaponTest, DropAsksWithNamesAndCopiesTheWholeRecord) {
    OpenWith({MakeWeapon("None"), MakeWeapon("Gun", 4), MakeWeapon("Bomb", 9)});
    CMvView& v = OpenList("Weapons");
    v.BeginDrag(v.PositionOf(1));
    ui_.QueueAnswer(Answer::Yes);
    v.EndDrag(v.PositionOf(2));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Overwrite Item 2 Bomb with 1 Gun?"});
    EXPECT_EQ(StoredWeapon(2), StoredWeapon(1));
    EXPECT_EQ(v.CellText(v.PositionOf(2), 0), "Gun");
    EXPECT_EQ(v.CellText(v.PositionOf(2), 4), "4");
}

TEST_F(WeaponTest, OlderLayoutWritesBackFiftyTwoBytes) {
    WriteSet();
    Bytes old = CountFile(2, 52);
    std::memcpy(old.data() + 2 + 52 + W::kName, "Old", 3);
    old[2 + 52 + 51] = 0x77;  // last byte: current byte 55
    WriteBytes(Path("vantor.wcd"), old);
    Open();
    CMvView& v = OpenList("Weapons");
    ASSERT_EQ(v.RowCount(), 1);
    v.Select(0);
    ui_.QueueDialogTexts({{wcddlg::kDamage, "12"}});
    Frame().Run(cmd::kShowItem);
    const Bytes now = ReadBytes(Path("vantor.wcd"));
    ASSERT_EQ(now.size(), old.size());
    EXPECT_EQ(LoadLE<int16_t>(now.data() + 2 + 52 + W::kDamage), 12);
    EXPECT_EQ(now[2 + 52 + 51], 0x77);
}

TEST_F(WeaponTest, CommandLineListsWeaponsAndHardpointsThroughTheirViews) {
    OpenWith({MakeWeapon("None"), MakeWeapon("Gun", 4)}, {MakeList("Pylon", {{1, 3}})});
    std::ostringstream out, err;
    ASSERT_EQ(ListCategory(*db_, ui_, "Weapons", {}, false, TableFormat::Tsv, out, err), 0);
    EXPECT_EQ(out.str().substr(0, 23), "Name\tNo\tMnvrDef\tSeeker\t");
    EXPECT_NE(out.str().find("\nGun\t1\t"), std::string::npos);
    out.str("");
    ASSERT_EQ(ListCategory(*db_, ui_, "Hardpoints", {}, false, TableFormat::Tsv, out, err), 0);
    EXPECT_NE(out.str().find("\nPylon\tGun (3)\t"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace tablon::test
