// The unit lists, "Recalculate Stats", the "Unit View" dialog with its slot dialogs, and the
// "unit ..." verbs of the command line.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "vehicles/UnitDialog.h"
#include "vehicles/UnitRules.h"
#include "vehicles/UnitView.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {
namespace {

using U = UnitRecord;
using namespace unitdlg;

UnitRecord Unit(const std::string& name, uint32_t ct, std::vector<uint16_t> slots = {}) {
    UnitRecord u;
    StoreText(u.b + U::kName, U::kNameSize, name);
    u.Set<uint32_t>(U::kCtIndex, ct);
    for (size_t s = 0; s < slots.size(); ++s) {
        u.Set<uint16_t>(U::kSlotCt + 2 * s, slots[s]);
        u.Set<uint32_t>(U::kSlotCounts + 4 * s, uint32_t(s + 1));
    }
    return u;
}

class UnitTest : public VclTest {
  protected:
    // Class-table entries: 1 air unit, 2 land unit, 3 sea unit, 4 undersea unit, 5 a vehicle
    // entry for "Jet" (vehicle 0), 6 for "Tank" (vehicle 1), 7 a unit entry naming unit 1, 8 a
    // feature entry, 9 a vehicle entry whose vehicle cannot be read, 10 an entry of domain 9.
    void Standard() {
        ct_ = {CtEntry(0),
               CtEntry(kAir, 1, 1, 4),
               CtEntry(kLand, 1, 1, 4),
               CtEntry(kSea, 1, 1, 4),
               CtEntry(kUndersea, 1, 1, 4),
               CtEntry(kAir, 7, 3, 5, 0),
               CtEntry(kLand, 7, 2, 5, 1),
               CtEntry(kLand, 1, 1, 4, 1),
               CtEntry(kLand, 7, 1, 1),
               CtEntry(kLand, 7, 1, 5, 77),
               CtEntry(9, 1, 1, 4)};
        ct_[5].b[CtRecord::kSubType] = 8;
        ct_[5].b[CtRecord::kSpecific] = 9;
        VehicleRecord jet = Vehicle("Jet", 5), tank = Vehicle("Tank", 6);
        for (int t = 0; t < kTargetClasses; ++t) {
            jet.b[VehicleRecord::kHit + t] = uint8_t(10 + t);
            tank.b[VehicleRecord::kHit + t] = uint8_t(20 - t);
            tank.b[VehicleRecord::kRange + t] = 30;
            jet.b[VehicleRecord::kDetection + t] = 40;
            jet.b[VehicleRecord::kStrength + t] = 99;
        }
        vehicles_ = {jet, tank, Vehicle("", 6)};
        units_ = {Unit("Eagles", 1, {5, 5}), Unit("Armour", 2, {6, 0, 7}),
                  Unit("Fleet", 3),          Unit("Silent", 4, {8}),
                  Unit("Lost", 2, {9}),      Unit("Odd", 10, {5}),
                  Unit("Gone", 0, {5}),      Unit("NoCt", 400)};
        OpenDb();
    }
    UnitRecord StoredUnit(int index) {
        UnitRecord u;
        EXPECT_TRUE(db_->Table(FileId::Ucd)->GetRecord(index, u.data()));
        return u;
    }
    int Run(std::vector<std::string> words) {
        db_.reset();
        app_.reset();
        words.insert(words.begin(), "tablon-cli");
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        out_.str("");
        err_.str("");
        return RunCli(int(argv.size()), argv.data(), out_, err_);
    }
    UnitRecord FileUnit(int index) {
        Bytes file = ReadBytes(Path("vantor.ucd"));
        UnitRecord u;
        std::memcpy(u.data(), file.data() + 2 + size_t(index) * U::kSize, U::kSize);
        return u;
    }
    std::ostringstream out_, err_;
};

TEST_F(UnitTest, DomainViewsListTheirUnitsWithWhatSlotZeroNames) {
    Standard();
    CMvView& all = OpenList("Units");
    ASSERT_EQ(all.ColumnCount(), 74);
    EXPECT_EQ(Names(all),
              (std::vector<std::string>{"Eagles - Jet", "Armour - Tank", "Fleet - Empty",
                                        "Silent - ?!?", "Lost - ???"}));
    EXPECT_EQ(Names(OpenList("Units/Land")),
              (std::vector<std::string>{"Armour - Tank", "Lost - ???"}));
    EXPECT_EQ(Names(OpenList("Units/Aircraft")), std::vector<std::string>{"Eagles - Jet"});
    EXPECT_EQ(Names(OpenList("Units/Ship")), std::vector<std::string>{"Fleet - Empty"});
    CMvView& sub = OpenList("Units/Submarine");
    EXPECT_EQ(Names(sub), std::vector<std::string>{"Silent - ?!?"});
    EXPECT_STREQ(sub.ClassName(), "CSubUnitView");

    CMvView& units = OpenList("Units");  // switching views deleted the first list
    const std::vector<std::pair<int, std::string>> titles{{0, "Unit"},
                                                          {1, "No"},
                                                          {2, "Type"},
                                                          {3, "Ct"},
                                                          {14, "Unit Icon"},
                                                          {15, "No Role"},
                                                          {19, "CAS/INT"},
                                                          {30, "Other"},
                                                          {31, "Hit v Static"},
                                                          {35, "Hit v Low Air"},
                                                          {37, "Hit v Naval"},
                                                          {61, "Detect v naval"},
                                                          {62, "Detect v Rail"},
                                                          {63, "No Damage"},
                                                          {67, "Incediary Damage"},
                                                          {73, "Other Damage"}};
    for (const auto& [c, t] : titles) EXPECT_EQ(units.Column(c).title, t) << c;
    // A unit slot names a unit by its own name; the slot's count plays no part.
    UnitRecord u = StoredUnit(1);
    u.Set<uint16_t>(U::kSlotCt, 7);
    u.Set<uint32_t>(U::kSlotCounts, 0);
    ASSERT_TRUE(db_->Table(FileId::Ucd)->SetRecord(1, u.data()));
    CMvView& land = OpenList("Units/Land");
    EXPECT_EQ(land.ItemText(0), "Armour - Armour");
    EXPECT_EQ(land.CellText(0, 1), "1");
    EXPECT_EQ(land.CellText(0, 3), "2");
}

TEST_F(UnitTest, SortColumnIsSharedAndRepeatsReverse) {
    Standard();
    CMvView& all = OpenList("Units");
    all.OnColumnClick(0);
    EXPECT_EQ(Order(all), (std::vector<int>{1, 0, 2, 4, 3}));
    all.OnColumnClick(0);
    EXPECT_EQ(Order(all), (std::vector<int>{3, 4, 2, 0, 1}));
    CMvView& land = OpenList("Units/Land");
    EXPECT_EQ(Order(land), (std::vector<int>{1, 4}));  // by name, ascending
    Frame().Run(cmd::kSortByFileOrder);
    EXPECT_EQ(OpenList("Units").LastSortColumn(), 1);
}

TEST_F(UnitTest, RecalculateTakesMaximaFromVehiclesOnly) {
    Standard();
    UnitRecord u = Unit("Mixed", 2, {5, 6, 7, 9, 8});
    for (int t = 0; t < kTargetClasses; ++t) {
        u.b[U::kHit + t] = 200;  // old values are discarded
        u.b[U::kStrength + t] = 3;
    }
    u.Set<uint32_t>(U::kSlotCounts + 4, 0);  // no vehicles: still counts
    RecalculateUnitStats(*db_, u);
    for (int t = 0; t < kTargetClasses; ++t) {
        EXPECT_EQ(u.Hit(t), std::max(10 + t, 20 - t)) << t;
        EXPECT_EQ(u.Range(t), 30);
        EXPECT_EQ(u.Detection(t), 40);
        EXPECT_EQ(u.b[U::kStrength + t], 3);
    }
    UnitRecord none = Unit("Units only", 2, {7, 8});
    none.b[U::kHit] = 5;
    RecalculateUnitStats(*db_, none);
    EXPECT_EQ(none.Hit(0), 0);

    // The view command writes every unit it shows, and only those.
    const UnitRecord air = StoredUnit(0);
    OpenList("Units/Land");
    Frame().Run(cmd::kRecalculateStats);
    EXPECT_EQ(StoredUnit(1).Hit(0), 20);
    EXPECT_EQ(StoredUnit(1).Range(3), 30);
    EXPECT_EQ(StoredUnit(0), air);
    EXPECT_TRUE(ui_.Messages().empty());
    EXPECT_EQ(Frame().View()->AsList()->CellText(0, 31), "20");
}

TEST_F(UnitTest, DialogSlotsAddDeleteSwapAndName) {
    Standard();
    UnitRecord copy = StoredUnit(1);  // "Armour": Tank in slot 0, slot 1 empty, unit in slot 2
    CUnitDialog dialog(Ctx(), copy);
    dialog.Begin(ui_);
    const auto& rows = dialog.Rows(kSlots);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells,
              (std::vector<std::string>{"Tank", "6", "0", "1", "UNKNOWN", "ABSTRACT", "0", "0"}));
    EXPECT_EQ(rows[1].cells[0], "Armour");
    EXPECT_EQ(dialog.Rows(kRoles)[1].cells[0], "ATTACK");
    EXPECT_EQ(dialog.Find(kMainRole)->choices.size(), 9u);
    EXPECT_FALSE(dialog.Enabled(kDeleteUnit));

    // "Add Unit": the first empty slot (1), the previous slot's vehicle offered first.
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Add Unit");
        EXPECT_EQ(f.SelectedValue(kVehicle), 1);
        EXPECT_EQ(f.Text(kPosition), "1");
        EXPECT_EQ(f.Text(kNumber), "1");
        EXPECT_EQ(f.Find(kVehicle)->choices.size(), 2u);  // the unnamed vehicle is not offered
        f.SelectValue(kVehicle, 0);
        f.SetText(kNumber, "4");
        f.Press(kIdOk);
    });
    dialog.Press(kAddUnit);
    EXPECT_EQ(copy.SlotCt(1), 5);
    EXPECT_EQ(copy.SlotCount(1), 4u);
    const uint8_t expected[8] = {kAir, 7, 3, 8, 9, 255, 255, 255};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(copy.SlotClass(1, k), expected[k]) << k;
    ASSERT_EQ(dialog.Rows(kSlots).size(), 3u);
    EXPECT_EQ(dialog.Rows(kSlots)[2].icon, 6);  // an aircraft of subtype 8

    // Sorted by name the rows move; "Delete Unit" still names the slot.
    dialog.ListEvent(kSlots, ListEventKind::HeaderClick, -1, 0);
    EXPECT_EQ(dialog.Rows(kSlots)[0].cells[0], "Armour");
    dialog.SetSelected(kSlots, 0);
    EXPECT_TRUE(dialog.Enabled(kDeleteUnit));
    ui_.QueueAnswer(Answer::Yes);
    dialog.Press(kDeleteUnit);
    EXPECT_EQ(ui_.Messages().back().text, "Really Delete Unit Vehicle 2?");
    EXPECT_EQ(copy.SlotCt(2), 0);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(copy.SlotClass(2, k), 0);
    EXPECT_EQ(dialog.Rows(kSlots).size(), 2u);

    // "Swap" with a position past 15 does nothing; 0 and 1 exchange everything.
    const UnitRecord before = copy;
    ui_.QueueDialogTexts({{kPos1, "3"}, {kPos2, "16"}});
    dialog.Press(kSwap);
    EXPECT_EQ(copy, before);
    ui_.QueueDialogTexts({{kPos1, "0"}, {kPos2, "1"}});
    dialog.Press(kSwap);
    EXPECT_EQ(copy.SlotCt(0), 5);
    EXPECT_EQ(copy.SlotCt(1), 6);
    EXPECT_EQ(copy.SlotCount(0), 4u);
    EXPECT_EQ(copy.SlotClass(0, 5), 255);

    // A 21-character name keeps 19.
    dialog.SetText(kName, "ABCDEFGHIJKLMNOPQRSTU");
    dialog.Press(kIdOk);
    ASSERT_EQ(dialog.Result(), Answer::Ok);
    EXPECT_EQ(copy.Name(), "ABCDEFGHIJKLMNOPQRS");
}

TEST_F(UnitTest, AddUnitRefusesAFullUnitAndOutOfRangeEntries) {
    Standard();
    UnitRecord full = StoredUnit(0);
    for (int s = 0; s < kUnitSlots; ++s) full.Set<uint16_t>(U::kSlotCt + 2 * s, 5);
    CUnitDialog dialog(Ctx(), full);
    dialog.Begin(ui_);
    dialog.Press(kAddUnit);
    EXPECT_EQ(ui_.Messages().back().text, "No empty slots for new unit");
    EXPECT_EQ(ui_.PendingDialogs(), 0u);

    // A filled slot counts as empty once its class-table index is 0, whatever its number.
    full.Set<uint16_t>(U::kSlotCt + 2 * 9, 0);
    EXPECT_EQ(FirstEmptySlot(full), 9);
    ui_.QueueDialogTexts({{kPosition, "16"}});
    dialog.Press(kAddUnit);
    EXPECT_EQ(ui_.Messages().back().text, "Please enter an integer between 0 and 15.");

    // Without a chosen vehicle "Add" says so, stays open and adds nothing.
    const UnitRecord before = full;
    ui_.QueueDialog([](Form& f) {
        f.SetSelected(kVehicle, -1);
        f.Press(kIdOk);
        EXPECT_FALSE(f.Ended());
        f.Press(kIdCancel);
    });
    dialog.Press(kAddUnit);
    EXPECT_EQ(ui_.Messages().back().text, "Choose the vehicle of the new slot");
    EXPECT_EQ(full, before);
}

TEST_F(UnitTest, ViewCommandsAddCopyAndDrop) {
    Standard();
    CMvView& land = OpenList("Units/Land");
    land.Select(0);
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    Frame().Run(cmd::kAddCopy);
    EXPECT_EQ(StoredUnit(8).Name(), "Armour-2");
    EXPECT_EQ(land.RowCount(), 3);
    // A new unit has no class-table entry: it is stored but not listed.
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    Frame().Run(cmd::kAddItem);
    EXPECT_EQ(StoredUnit(9).Name(), "New");
    EXPECT_EQ(land.RowCount(), 3);

    ui_.QueueAnswer(Answer::Yes);
    land.BeginDrag(land.PositionOf(4));
    land.EndDrag(land.PositionOf(1));
    EXPECT_EQ(ui_.Messages().back().text, "Overwrite Item 1 Armour with 4 Lost?");
    EXPECT_EQ(StoredUnit(1), StoredUnit(4));
    EXPECT_EQ(land.ItemText(land.PositionOf(1)), "Lost - ???");
}

TEST_F(UnitTest, CommandLineSlotsAndEdits) {
    Standard();
    ASSERT_EQ(Run({"--dir", Dir(), "unit", "slots", "1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Unit\tCT\tPosition\tNumber\tDom\tClass\tType\tSType\n"
              "Tank\t6\t0\t1\tUNKNOWN\tABSTRACT\t0\t0\n"
              "Armour\t7\t2\t3\tUNKNOWN\tABSTRACT\t0\t0\n");

    ASSERT_EQ(Run({"unit", "add-vehicle", "1", "0"}), 0) << err_.str();
    EXPECT_EQ(FileUnit(1).SlotCt(1), 5);
    EXPECT_EQ(FileUnit(1).SlotCount(1), 1u);
    ASSERT_EQ(Run({"unit", "add-vehicle", "1", "1", "--pos", "9", "--number", "254"}), 0);
    EXPECT_EQ(FileUnit(1).SlotCt(9), 6);
    EXPECT_EQ(FileUnit(1).SlotCount(9), 254u);
    const Bytes before = ReadBytes(Path("vantor.ucd"));
    EXPECT_EQ(Run({"unit", "add-vehicle", "1", "1", "--pos", "16"}), 1);
    EXPECT_NE(err_.str().find("Please enter an integer between 0 and 15."), std::string::npos);
    EXPECT_EQ(Run({"unit", "add-vehicle", "1", "1", "--number", "255"}), 1);
    EXPECT_NE(err_.str().find("Please enter an integer between 0 and 254."), std::string::npos);
    EXPECT_EQ(Run({"unit", "add-vehicle", "1", "2"}), 1);  // no name: not offered
    EXPECT_EQ(Run({"unit", "swap", "1", "3", "16"}), 1);
    EXPECT_EQ(ReadBytes(Path("vantor.ucd")), before);

    ASSERT_EQ(Run({"unit", "swap", "1", "0", "9"}), 0) << err_.str();
    EXPECT_EQ(FileUnit(1).SlotCt(0), 6);
    EXPECT_EQ(FileUnit(1).SlotCount(0), 254u);
    EXPECT_EQ(FileUnit(1).SlotCt(9), 6);
    EXPECT_EQ(FileUnit(1).SlotCount(9), 1u);
    ASSERT_EQ(Run({"unit", "remove-vehicle", "1", "9"}), 0) << err_.str();
    EXPECT_EQ(FileUnit(1).SlotCt(9), 0);
    EXPECT_EQ(FileUnit(1).SlotCount(9), 0u);
    EXPECT_EQ(Run({"unit", "remove-vehicle", "1", "9"}), 1);

    // Every slot used: refused before the position is looked at.
    for (int s = 0; s < kUnitSlots; ++s)
        ASSERT_EQ(Run({"unit", "add-vehicle", "0", "0", "--pos", std::to_string(s)}), 0);
    EXPECT_EQ(Run({"unit", "add-vehicle", "0", "0", "--pos", "99"}), 1);
    EXPECT_EQ(err_.str(), "No empty slots for new unit\ntablon-cli: unit add-vehicle failed\n");

    ASSERT_EQ(Run({"run", "recalc-stats", "Units/Land"}), 0) << err_.str();
    EXPECT_EQ(FileUnit(1).Hit(0), 20);
    ASSERT_EQ(Run({"unit", "slots", "1", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("{\"index\": 0, \"icon\": 1, \"cells\": [\"Tank\", \"6\""),
              std::string::npos)
        << out_.str();
}

}  // namespace
}  // namespace tablon::test
