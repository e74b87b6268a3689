// The sim weapon data and squadron stores lists and dialogs, the stores display names, and the
// "ssd ..." verbs.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "vehicles/SsdView.h"
#include "vehicles/SwdView.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {
namespace {

using S = SimWeaponRecord;

UnitRecord StoresUnit(const std::string& name, int16_t set, uint16_t slot0) {
    UnitRecord u;
    StoreText(u.b + UnitRecord::kName, UnitRecord::kNameSize, name);
    u.Set<int16_t>(UnitRecord::kStoresIndex, set);
    u.Set<uint16_t>(UnitRecord::kSlotCt, slot0);
    return u;
}

class StoresSwdTest : public VclTest {
  protected:
    // Entry 1 names vehicle 0 "Jet" (data type 5); entry 2 names unit 0 (data type 4).
    // Units 0 to 3 name stores sets 3, 3, 4 and 60; unit 0's slot 0 is a unit entry, so set 3
    // takes its name from unit 1; set 60's unit has an empty slot 0.
    void Standard(size_t ssdSize = 223) {
        ct_ = {CtEntry(0), CtEntry(kAir, 7, 1, 5, 0), CtEntry(kAir, 1, 1, 4, 0)};
        vehicles_ = {Vehicle("Jet", 1)};
        weapons_ = {{}, Weapon("Gun", 1, 1)};
        units_ = {StoresUnit("Alpha", 3, 2), StoresUnit("Bravo", 3, 1), StoresUnit("Charlie", 4, 1),
                  StoresUnit("Delta", 60, 0)};
        lists_ = {{}};
        WriteSet();
        WriteCt(ct_);
        WriteRecords("vantor.vcd", vehicles_);
        WriteRecords("vantor.wcd", weapons_);
        WriteRecords("vantor.wld", lists_);
        WriteRecords("vantor.ucd", units_);
        Bytes ssd = CountFile(61, uint16_t(ssdSize));
        ssd[2 + 3 * ssdSize + 1] = 7;  // set 3: seven of weapon 1
        if (ssdSize > 222) ssd[2 + 3 * ssdSize + 222] = 9;
        WriteBytes(Path("vantor.ssd"), ssd);
        S swd0, swd1;
        StoreText(swd0.b + S::kName, S::kNameSize, "Mk82");
        swd0.Set<float>(S::kDragCoef, 0.5f);
        swd0.Set<uint32_t>(S::kFlags, 0x21);
        swd1.Set<float>(S::kWeight, 1.25f);  // no name: still listed
        WriteRecords("vantor.swd", std::vector<S>{swd0, swd1});
        Open();
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
    S StoredSwd(int index) {
        S r;
        EXPECT_TRUE(db_->Table(FileId::Swd)->GetRecord(index, r.data()));
        return r;
    }
    std::ostringstream out_, err_;
};

TEST_F(StoresSwdTest, SwdListShowsEveryRecordInItsColumns) {
    Standard();
    CMvView& v = OpenList("Sim Weapon Data");
    ASSERT_EQ(v.ColumnCount(), 13);
    EXPECT_EQ(v.Column(2).title, "Avionics");
    EXPECT_EQ(v.Column(9).title, "Flags");
    EXPECT_EQ(Names(v), (std::vector<std::string>{"Mk82", ""}));
    EXPECT_EQ(v.CellText(0, 6), "0.5");
    EXPECT_EQ(v.CellText(0, 9), "33");
    EXPECT_EQ(v.CellText(1, 7), "1.25");
}

TEST_F(StoresSwdTest, SwdDialogFloatsFlagsAndDropLists) {
    Standard();
    CMvView& v = OpenList("Sim Weapon Data");
    // Cancelling the flags dialog keeps bit 5; a drag within 0.00001 keeps its bits.
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.SelectedValue(swddlg::kWeaponType), 0);
        f.Press(swddlg::kFlagsButton);
        f.SetText(swddlg::kDrag, "0.500001");
        f.SelectValue(swddlg::kAvionics, 7);
        f.Press(kIdOk);
    });
    v.OnDoubleClick(0);
    S after = StoredSwd(0);
    EXPECT_EQ(after.Flags(), 0x21u);
    EXPECT_EQ(after.Get<float>(S::kDragCoef), 0.5f);
    EXPECT_EQ(after.Get<uint32_t>(S::kAvionics), 7u);
    EXPECT_EQ(v.CellText(0, 2), "7");

    // Confirming the flags dialog rebuilds the word from its three boxes: bit 5 goes.
    ui_.QueueDialog([](Form& f) { f.Press(swddlg::kFlagsButton), f.Press(kIdOk); });
    ui_.QueueDialog([](Form& f) {
        EXPECT_TRUE(f.Checked(swddlg::kLoftable));
        f.SetChecked(swddlg::kTrainable, true);
        f.Press(kIdOk);
    });
    v.OnDoubleClick(0);
    EXPECT_EQ(StoredSwd(0).Flags(), 0x401u);

    // A copy of a short name gets "-2"; a name of five characters stays.
    v.Select(0);
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    Frame().Run(cmd::kAddCopy);
    EXPECT_EQ(StoredSwd(2).Name(), "Mk82-2");
    v.Select(v.PositionOf(2));
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    Frame().Run(cmd::kAddCopy);
    EXPECT_EQ(StoredSwd(3).Name(), "Mk82-2");
}

TEST_F(StoresSwdTest, StoresDisplayNames) {
    Standard();
    // Set 3: unit 0's slot names a unit entry, so unit 1 gives the name.
    EXPECT_EQ(StoresDisplayName(*db_, 3), "Bravo - Jet");
    EXPECT_EQ(StoresDisplayName(*db_, 4), "Charlie - Jet");
    EXPECT_EQ(StoresDisplayName(*db_, 0), "F/A-18D");
    EXPECT_EQ(StoresDisplayName(*db_, 55), "UH-1N");
    EXPECT_EQ(StoresDisplayName(*db_, 60), "Squadron 60");
    StoresNames names;
    names.Build(*db_);
    for (int set : {0, 3, 4, 5, 55, 56, 60}) EXPECT_EQ(names.Of(set), StoresDisplayName(*db_, set));

    CMvView& v = OpenList("Squadron Stores");
    ASSERT_EQ(v.RowCount(), 61);
    EXPECT_EQ(v.ItemText(3), "Bravo - Jet");
    EXPECT_EQ(v.CellText(3, 5), "9");
    v.OnColumnClick(0);
    EXPECT_EQ(v.ItemText(0), "A-10");
}

TEST_F(StoresSwdTest, ShortStoresRecordsAndTheDialog) {
    Standard(203);
    CMvView& v = OpenList("Squadron Stores");
    EXPECT_EQ(v.CellText(3, 2), "0");
    EXPECT_EQ(v.CellText(3, 5), "0");
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Stores for Bravo - Jet");
        const auto& rows = f.Rows(ssddlg::kStores);
        ASSERT_EQ(rows.size(), 203u);
        EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"Gun", "1", "7"}));
        EXPECT_EQ(rows[5].cells[0], "Unknown5");
        f.ListEvent(ssddlg::kStores, ListEventKind::DoubleClick, 1);
        EXPECT_EQ(f.Rows(ssddlg::kStores)[1].cells[2], "44");
        f.Press(kIdOk);
    });
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Stores of Gun");
        f.SetText(ssddlg::kNumber, "300");
        f.Press(kIdOk);
    });
    v.OnDoubleClick(3);
    Bytes file = ReadBytes(Path("vantor.ssd"));
    EXPECT_EQ(file.size(), 2u + 61 * 203);
    EXPECT_EQ(file[2 + 3 * 203 + 1], 44);

    // Dropping one set on another asks by numbers.
    ui_.QueueAnswer(Answer::Yes);
    v.BeginDrag(3);
    v.EndDrag(4);
    EXPECT_EQ(ui_.Messages().back().text, "Overwrite Item 4 with 3?");
    EXPECT_EQ(ReadBytes(Path("vantor.ssd"))[2 + 4 * 203 + 1], 44);
}

TEST_F(StoresSwdTest, UsageDialogAndCommandLine) {
    Standard();
    CSsdUsageDialog usage(Ctx(), 3);
    usage.Begin(ui_);
    ASSERT_EQ(usage.Rows(ssddlg::kUsers).size(), 2u);
    EXPECT_EQ(usage.Rows(ssddlg::kUsers)[1].cells, (std::vector<std::string>{"Bravo", "1"}));

    ASSERT_EQ(Run({"--dir", Dir(), "ssd", "usage", "3"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Unit\tUnit ID\nAlpha\t0\nBravo\t1\n");
    ASSERT_EQ(Run({"ssd", "stores", "3", "--format", "json"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("{\"index\": 1, \"icon\": 0, \"cells\": [\"Gun\", \"1\", \"7\"]}"),
              std::string::npos);
    ASSERT_EQ(Run({"ssd", "stores", "3"}), 0);
    const std::string text = out_.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 224);
    EXPECT_EQ(Run({"ssd", "stores", "61"}), 1);
    EXPECT_EQ(Run({"ssd", "usage", "x"}), 2);
    EXPECT_EQ(Run({"ssd", "usage", "3", "--format", "csv"}), 2);
}

}  // namespace
}  // namespace tablon::test
