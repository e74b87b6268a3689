// Weapon lists: the list view's cells and sorting, the "Hardpoint Data" dialog's entries on 112-
// and 208-byte files, and the list commands.
#include <gtest/gtest.h>

#include "vehicles/HardpointDialog.h"
#include "vehicles/HardpointView.h"
#include "vehicles/WeaponFixture.h"

namespace tablon::test {
namespace {

using namespace hpdlg;
using L = WeaponListRecord;

std::vector<WeaponRecord> ThreeWeapons() {
    return {MakeWeapon("None"), MakeWeapon("AIM-9", 5), MakeWeapon("Mk 82", 6)};
}

// A list with every one of its first n entries used.
WeaponListRecord FullList(const std::string& name, int n) {
    WeaponListRecord l = MakeList(name);
    for (int e = 0; e < n; ++e) l.SetEntry(e, 1, 1);
    return l;
}

class HardpointTest : public WeaponTest {
  protected:
    // Runs the dialog on list number of the file and returns it as OK left it.
    template <typename Script>
    WeaponListRecord Edit(int number, Script script, bool ok = true) {
        WeaponListRecord copy = StoredList(number);
        CHardpointDialog d(Ctx(), copy, number);
        d.Begin(ui_);
        script(d);
        if (ok && !d.Ended()) d.Press(kIdOk);
        return copy;
    }
    static std::vector<std::string> Cells(const Form& f, int column) {
        std::vector<std::string> out;
        for (const auto& r : f.Rows(kEntries)) out.push_back(r.cells[size_t(column)]);
        return out;
    }
};

TEST_F(HardpointTest, ViewCellsSkipUnreadableWeaponsAndEntriesPastThirtyTwo) {
    WeaponListRecord a = MakeList("Rail", {{0, 3}, {2, 4}, {99, 1}, {1, 255}});
    a.SetEntry(31, 1, 7);
    a.SetEntry(32, 2, 8);  // never shown in the list
    WeaponListRecord hidden;
    hidden.b[5] = 'x';
    OpenWith(ThreeWeapons(), {MakeList("zulu"), a, hidden, MakeList("Alpha")});
    CMvView& v = OpenList("Hardpoints");
    ASSERT_EQ(v.ColumnCount(), 33);
    EXPECT_EQ(v.Column(32).title, "Weapon");
    EXPECT_EQ(Order(v), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(v.Icon(0), 1);
    const int row = v.PositionOf(1);
    std::vector<std::string> cells;
    for (int c = 0; c < 5; ++c) cells.push_back(v.CellText(row, c));
    EXPECT_EQ(cells, (std::vector<std::string>{"Rail", "", "Mk 82 (4)", "", "AIM-9 (255)"}));
    EXPECT_EQ(v.CellText(row, 32), "AIM-9 (7)");

    // Only the name sorts; other headers leave the order alone.
    v.OnColumnClick(2);
    EXPECT_EQ(Order(v), (std::vector<int>{0, 1, 3}));
    Frame().Run(cmd::kSortByName);
    EXPECT_EQ(Order(v), (std::vector<int>{3, 1, 0}));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByName).checked);
    v.OnColumnClick(0);
    v.OnColumnClick(0);
    EXPECT_EQ(Order(v), (std::vector<int>{3, 1, 0}));
    // A click on another header between two name sorts leaves the direction to flip: Name,
    // other, Name gives the same order as Name, Name.
    v.OnColumnClick(0);
    EXPECT_EQ(Order(v), (std::vector<int>{0, 1, 3}));
    v.OnColumnClick(3);
    EXPECT_EQ(v.LastSortColumn(), 0);
    v.OnColumnClick(0);
    EXPECT_EQ(Order(v), (std::vector<int>{3, 1, 0}));
}

TEST_F(HardpointTest, WeaponColumnsLeaveTheOrderAndFilterByTheWeaponsName) {
    OpenWith(ThreeWeapons(), {MakeList("bravo", {{2, 1}}), MakeList("alpha", {{1, 2}}),
                              MakeList("charlie", {{1, 3}, {2, 9}}), MakeList("delta")});
    CMvView& v = OpenList("Hardpoints");
    Frame().Run(cmd::kSortByName);
    const std::vector<int> byName{1, 0, 2, 3};
    ASSERT_EQ(Order(v), byName);
    // Sorting by a weapon column, whichever way it comes, keeps the rows where they are.
    for (int column : {1, 2, 32}) {
        v.Sort(column);
        EXPECT_EQ(Order(v), byName) << column;
        v.SortBy(column, false);
        EXPECT_EQ(Order(v), byName) << column;
        EXPECT_EQ(v.CompareItems(0, 2, column, true), 0);
    }
    EXPECT_EQ(ColumnText(v, 1),
              (std::vector<std::string>{"AIM-9 (2)", "Mk 82 (1)", "AIM-9 (3)", ""}));
    ASSERT_TRUE(v.SetFilter(1, "aim"));
    EXPECT_EQ(Order(v), (std::vector<int>{1, 2}));
    ASSERT_TRUE(v.SetFilter(2, "Mk 82 (9)"));
    EXPECT_EQ(Order(v), (std::vector<int>{2}));
    v.ClearFilters();

    // The weapons' names are read when a cell is shown: a weapon renamed behind the list shows
    // its new name in every list that carries it, without the list filling again.
    WeaponRecord renamed = StoredWeapon(1);
    renamed.SetName("AIM-120");
    ASSERT_TRUE(db_->Table(FileId::Wcd)->SetRecord(1, renamed.data()));
    EXPECT_EQ(ColumnText(v, 1),
              (std::vector<std::string>{"AIM-120 (2)", "Mk 82 (1)", "AIM-120 (3)", ""}));
    ASSERT_TRUE(v.SetFilter(1, "aim-120"));
    EXPECT_EQ(Order(v), (std::vector<int>{1, 2}));
}

TEST_F(HardpointTest, SmallFileHoldsThirtyTwoEntriesLargeOneSixtyFour) {
    for (bool small : {true, false}) {
        OpenWith(ThreeWeapons(), {MakeList("None"), FullList("Full", 32)}, {}, small);
        EXPECT_EQ(WeaponListEntries(*db_), small ? 32 : 64);
        ui_.Clear();
        if (!small)
            ui_.QueueDialog([](Form& f) {
                f.SelectValue(kWeapon, 2);
                f.SetText(kCount, "9");
                f.Press(kIdOk);
            });
        const WeaponListRecord l = Edit(1, [](CHardpointDialog& d) {
            EXPECT_EQ(d.Rows(kEntries).size(), 32u);
            d.Press(kAdd);
        });
        if (small) {
            EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Hardpoint full"});
            EXPECT_TRUE(ui_.Dialogs().empty());
        } else {
            EXPECT_TRUE(ui_.Texts().empty());
            EXPECT_EQ(l.Weapon(32), 2);
            EXPECT_EQ(l.Count(32), 9);
        }
        app_.reset();
        db_.reset();
    }
}

TEST_F(HardpointTest, SmallFileThroughTheViewKeepsItsLayout) {
    OpenWith(ThreeWeapons(), {MakeList("None"), MakeList("Pair", {{1, 2}})}, {}, true);
    const size_t size = ReadBytes(Path("vantor.wld")).size();
    CMvView& v = OpenList("Hardpoints");
    v.Select(v.PositionOf(1));
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Hardpoint Data");
        EXPECT_EQ(f.Text(kNumber), "1");
        f.Press(kAdd);
        f.Press(kIdOk);
    });
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Add weapon to Pair HP");
        ASSERT_EQ(f.Find(kWeapon)->choices.size(), 2u);  // weapon 0 cannot be referenced
        EXPECT_EQ(f.Find(kWeapon)->choices[0].text, "AIM-9");
        EXPECT_EQ(f.Text(kCount), "1");
        f.SelectValue(kWeapon, 2);
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kShowItem);
    const Bytes file = ReadBytes(Path("vantor.wld"));
    ASSERT_EQ(file.size(), size);
    const uint8_t* r = file.data() + 2 + 112;
    EXPECT_EQ(LoadLE<uint16_t>(r + 16 + 2), 2);  // entry 1: weapon 2
    EXPECT_EQ(r[80 + 1], 1);                     // its count
    EXPECT_EQ(v.CellText(v.PositionOf(1), 2), "Mk 82 (1)");
}

TEST_F(HardpointTest, DeleteClosesTheGapsWhateverTheAnswer) {
    WeaponListRecord l = MakeList("Gappy");
    l.SetEntry(0, 1, 10);
    l.SetEntry(2, 2, 20);
    l.SetEntry(5, 1, 50);
    OpenWith(ThreeWeapons(), {MakeList("None"), l});
    WeaponListRecord out = Edit(1, [&](CHardpointDialog& d) {
        EXPECT_EQ(Cells(d, 1), (std::vector<std::string>{"0", "2", "5"}));
        d.SetSelected(kEntries, 1);
        ui_.QueueAnswer(Answer::Yes);
        d.Press(kDelete);
        EXPECT_EQ(Cells(d, 1), (std::vector<std::string>{"0", "1"}));
        EXPECT_EQ(Cells(d, 2), (std::vector<std::string>{"10", "50"}));
    });
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Really Delete Hp 2?"});
    EXPECT_EQ(out.Weapon(1), 1);
    EXPECT_EQ(out.Count(1), 50);
    EXPECT_EQ(out.Weapon(5), 0);
    EXPECT_EQ(out.Count(5), 0);

    out = Edit(1, [&](CHardpointDialog& d) {
        d.SetSelected(kEntries, 0);
        ui_.QueueAnswer(Answer::No);
        d.Press(kDelete);
        EXPECT_EQ(Cells(d, 1), (std::vector<std::string>{"0", "1", "2"}));
    });
    EXPECT_EQ(out.Weapon(2), 1);
    EXPECT_EQ(out.Count(2), 50);
    EXPECT_EQ(StoredList(1), l) << "the dialog edits a copy";
}

TEST_F(HardpointTest, AddRefusesAnUnchosenWeaponAndACountPastAByte) {
    OpenWith(ThreeWeapons(), {MakeList("None"), MakeList("Empty")});
    ui_.QueueDialog([](Form& f) {
        f.Press(kIdOk);  // no weapon chosen
        EXPECT_FALSE(f.Ended());
        f.SelectValue(kWeapon, 1);
        f.SetText(kCount, "300");
        f.Press(kIdOk);
        EXPECT_FALSE(f.Ended());
        f.SetText(kCount, "255");
        f.Press(kIdOk);
    });
    const WeaponListRecord l = Edit(1, [](CHardpointDialog& d) { d.Press(kAdd); });
    ASSERT_EQ(ui_.Texts().size(), 2u);
    EXPECT_NE(ui_.Texts()[0].find("No weapon was chosen"), std::string::npos);
    EXPECT_EQ(ui_.Texts()[1], "Please enter an integer between 0 and 255.");
    EXPECT_EQ(l.Weapon(0), 1);
    EXPECT_EQ(l.Count(0), 255);
}

TEST_F(HardpointTest, EntryListSortsByHeaderAndEditsWeapons) {
    OpenWith(ThreeWeapons(), {MakeList("None"), MakeList("Mixed", {{2, 1}, {1, 9}, {2, 5}})});
    Edit(1, [&](CHardpointDialog& d) {
        d.ListEvent(kEntries, ListEventKind::HeaderClick, 0, 0);
        EXPECT_EQ(Cells(d, 1), (std::vector<std::string>{"1", "0", "2"}));
        d.ListEvent(kEntries, ListEventKind::HeaderClick, 0, 0);
        EXPECT_EQ(Cells(d, 1), (std::vector<std::string>{"0", "2", "1"}));
        d.ListEvent(kEntries, ListEventKind::HeaderClick, 0, 2);
        EXPECT_EQ(Cells(d, 2), (std::vector<std::string>{"1", "5", "9"}));
        d.ListEvent(kEntries, ListEventKind::HeaderClick, 0, 3);  // "WeaponID": no sort
        EXPECT_EQ(Cells(d, 2), (std::vector<std::string>{"1", "5", "9"}));
        // A double-click edits the weapon in its own file.
        ui_.QueueDialogTexts({{1600, "Mk 82 Snakeye"}});
        d.ListEvent(kEntries, ListEventKind::DoubleClick, 0);
        EXPECT_EQ(Cells(d, 0)[0], "Mk 82 Snakeye");
    });
    EXPECT_EQ(StoredWeapon(2).Name(), "Mk 82 Snakeye");
}

TEST_F(HardpointTest, NamesKeepAllSixteenCharacters) {
    OpenWith(ThreeWeapons(), {MakeList("None"), MakeList("ABCDEFGHIJKLMNOP")});
    WeaponListRecord l = Edit(1, [](CHardpointDialog& d) {
        EXPECT_EQ(d.Text(kName), "ABCDEFGHIJKLMNOP");
        d.SetText(kName, "QRSTUVWXYZ12345");  // 15 characters: nothing of the old name stays
    });
    EXPECT_EQ(l.Name(), "QRSTUVWXYZ12345");
    l = Edit(1, [](CHardpointDialog& d) { d.SetText(kName, "0123456789abcdef"); });
    EXPECT_EQ(l.Name(), "0123456789abcdef");
    l = Edit(
        1,
        [&](CHardpointDialog& d) {
            d.SetText(kName, "0123456789abcdefg");
            d.Press(kIdOk);
            EXPECT_FALSE(d.Ended());
        },
        false);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Please enter no more than 16 characters."});
}

TEST_F(HardpointTest, AddCopyDropAndUsage) {
    OpenWith(ThreeWeapons(),
             {MakeList("None"), MakeList("Twelve chars"), MakeList("Thirteen char"),
              MakeList("Other", {{2, 1}})},
             {MakeVehicle("F-16", {{1, 1}, {1, 255}, {1, 0}}), MakeVehicle("B-1", {{3, 0}}),
              MakeVehicle("A-10", {{1, 4}})});
    CMvView& v = OpenList("Hardpoints");
    std::vector<std::string> names, numbers;
    auto record = [&](Form& f) {
        names.push_back(f.Text(kName));
        numbers.push_back(f.Text(kNumber));
        f.Press(kIdOk);
    };
    ui_.QueueDialog(record);
    Frame().Run(cmd::kAddItem);
    for (int source : {1, 2}) {
        v.Select(v.PositionOf(source));
        ui_.QueueDialog(record);
        Frame().Run(cmd::kAddCopy);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"New", "Twelve chars-2", "Thirteen char"}));
    // A new list shows the number it will get, a copy its source's.
    EXPECT_EQ(numbers, (std::vector<std::string>{"4", "1", "2"}));
    EXPECT_EQ(StoredList(5).Name(), "Twelve chars-2");
    EXPECT_EQ(v.RowCount(), 7);

    v.BeginDrag(v.PositionOf(3));
    ui_.QueueAnswer(Answer::Yes);
    v.EndDrag(v.PositionOf(1));
    EXPECT_EQ(ui_.Texts().back(), "Overwrite Item 1 (Twelve chars) with 3 (Other)?");
    // A question that names no icon of its own shows the exclamation icon.
    EXPECT_EQ(ui_.Messages().back().icon, Icon::Exclamation);
    EXPECT_EQ(ui_.Messages().back().buttons, Buttons::YesNo);
    EXPECT_EQ(StoredList(1), StoredList(3));
    EXPECT_EQ(v.CellText(v.PositionOf(1), 1), "Mk 82 (1)");

    // "HP Usage": bays and hardpoints on list 1, each vehicle once; a weapon slot is no list.
    std::vector<ListRow> rows;
    ui_.QueueDialog([&](Form& f) { rows = f.Rows(kUsageList); });
    Edit(1, [](CHardpointDialog& d) { d.Press(kUsedBy); });
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells[0], "F-16");
    EXPECT_EQ(ui_.Dialogs().back().title, "HP Usage");
}

}  // namespace
}  // namespace tablon::test
