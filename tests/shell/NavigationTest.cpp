// Finding one's way: "Go to Record", Back and Forward through the categories visited, and the
// command line's "find" and "list --filter".
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {
namespace {

class NavigationTest : public VclTest {
  protected:
    // Weapon 0 has no name and is in no list; the others are listed by name.
    void SetUp() override {
        VclTest::SetUp();
        ct_ = {CtEntry(kAir), CtEntry(kAir), CtEntry(kLand)};
        weapons_ = {{},
                    Weapon("AIM-9L", 150, 50),
                    Weapon("AIM-7", 80, 40),
                    Weapon("GBU-12", 0, 60),
                    Weapon("AIM-120", 300, 70)};
        OpenDb();
    }
    int Item(const std::string& path) {
        std::string error;
        return Frame().Tree().FindPath(path, error);
    }
    CMvView& Shown() { return *Frame().View()->AsList(); }
    GoToResult Go(const std::string& text) {
        std::string error;
        auto r = Frame().GoTo(text, error);
        EXPECT_TRUE(r.has_value()) << text << ": " << error;
        return r.value_or(GoToResult{});
    }
    std::string Fails(const std::string& text) {
        std::string error;
        EXPECT_FALSE(Frame().GoTo(text, error).has_value()) << text;
        return error;
    }
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "tablon-cli");
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        out_.str("");
        err_.str("");
        return RunCli(int(argv.size()), argv.data(), out_, err_);
    }
    std::ostringstream out_, err_;
};

TEST_F(NavigationTest, GoToLandsOnRecordsByFileClassTableAndName) {
    app_->Start();
    GoToResult r = Go("vantor.wcd 2");
    EXPECT_EQ(r.item, Item("Weapons"));
    EXPECT_EQ(Shown().ItemData(r.row), 2);
    EXPECT_EQ(Shown().Selection(), std::vector<int>{r.row});
    EXPECT_EQ(Go("WCD 4").record, 4);  // by extension, any case

    r = Go("ct 1");
    EXPECT_EQ(r.item, Item("Class Table"));
    EXPECT_EQ(Shown().ItemData(r.row), 1);

    r = Go("Weapons aim-1");
    EXPECT_EQ(r.item, Item("Weapons"));
    EXPECT_EQ(Shown().ItemText(r.row), "AIM-120");
    EXPECT_EQ(Go("3").record, 3);  // a record of the list shown
    EXPECT_EQ(Go("Vehicles").row, -1);
    EXPECT_EQ(Frame().ShownItem(), Item("Vehicles"));

    // Nothing lists the unnamed weapon: the pane stays as it was.
    EXPECT_EQ(Fails("vantor.wcd 0"), "No list shows record 0 of vantor.wcd.");
    EXPECT_EQ(Frame().ShownItem(), Item("Vehicles"));
    EXPECT_NE(Fails("nowhere 12").find("Enter a file and a record number"), std::string::npos);
    EXPECT_EQ(Fails("Weapons zzz"), "No name in Weapons starts with \"zzz\".");

    // A record the filters hide clears them.
    Go("Weapons");
    ASSERT_TRUE(Shown().SetFilter(0, "GBU"));
    r = Go("wcd 4");
    EXPECT_FALSE(Shown().Filtered());
    EXPECT_EQ(Shown().ItemData(r.row), 4);
}

TEST_F(NavigationTest, BackAndForwardRestoreCategorySortFiltersAndSelection) {
    app_->Start();
    Frame().OnTreeSelectionChanged(Item("Weapons"));
    CMvView& weapons = Shown();
    const int range = 7;
    ASSERT_EQ(weapons.Column(range).title, "Range");
    ASSERT_TRUE(weapons.SetFilter(0, "AIM"));
    ASSERT_TRUE(weapons.SetFilter(range, ">100"));
    weapons.OnColumnClick(range);
    weapons.OnColumnClick(range);  // descending: AIM-120, AIM-9L
    weapons.Select(1);
    const ViewState filtered = Frame().CaptureState();
    EXPECT_EQ(filtered.selected, std::vector<int>{1});

    Go("rcd 1");
    Go("ct 2");
    EXPECT_TRUE(Frame().History().CanGoBack());
    EXPECT_FALSE(Frame().History().CanGoForward());

    ASSERT_TRUE(Frame().GoBack());
    EXPECT_EQ(Frame().ShownItem(), Item("Radar Data"));
    ASSERT_TRUE(Frame().GoBack());
    EXPECT_EQ(Frame().ShownItem(), Item("Weapons"));
    EXPECT_EQ(Frame().CaptureState(), filtered);
    EXPECT_EQ(Names(Shown()), (std::vector<std::string>{"AIM-120", "AIM-9L"}));
    EXPECT_EQ(Shown().Selection(), std::vector<int>{1});
    EXPECT_EQ(Shown().RowCountText(), "2 of 4 rows");

    ASSERT_TRUE(Frame().GoForward());
    EXPECT_EQ(Frame().ShownItem(), Item("Radar Data"));
    // A new visit ends the way forward.
    Frame().OnTreeSelectionChanged(Item("Units"));
    EXPECT_FALSE(Frame().History().CanGoForward());
    EXPECT_FALSE(Frame().GoForward());
    EXPECT_EQ(Frame().History().BackList().size(), 3u);  // Vehicles, Weapons, Radar Data
    // Re-selecting the category shown is no visit.
    Frame().OnTreeSelectionChanged(Item("Units"));
    EXPECT_EQ(Frame().History().BackList().size(), 3u);
}

TEST_F(NavigationTest, CommandsAndTheGoToBox) {
    app_->Start();
    EXPECT_FALSE(Frame().StateOf(cmd::kNavBack).enabled);
    ui_.QueueDialogTexts({{CGoToDialog::kIdText, "nowhere"}});  // refused, then cancelled
    Frame().Run(cmd::kGoToRecord);
    EXPECT_FALSE(ui_.Texts().empty());
    EXPECT_EQ(Frame().ShownItem(), Item("Vehicles"));

    ui_.QueueDialogTexts({{CGoToDialog::kIdText, "Weapons AIM-7"}});
    Frame().Run(cmd::kGoToRecord);
    EXPECT_EQ(Frame().ShownItem(), Item("Weapons"));
    EXPECT_EQ(Shown().ItemText(Shown().FirstSelected()), "AIM-7");
    EXPECT_EQ(Frame().GoToText(), "Weapons AIM-7");
    EXPECT_TRUE(Frame().StateOf(cmd::kNavBack).enabled);
    Frame().Run(cmd::kNavBack);
    EXPECT_EQ(Frame().ShownItem(), Item("Vehicles"));
    EXPECT_TRUE(Frame().StateOf(cmd::kNavForward).enabled);

    Frame().Run(cmd::kThemeDark);
    EXPECT_TRUE(Frame().StateOf(cmd::kThemeDark).checked);
    EXPECT_FALSE(Frame().StateOf(cmd::kThemeSystem).checked);
}

TEST_F(NavigationTest, CommandLineListFiltersAndFind) {
    db_.reset();
    ASSERT_EQ(Run({"--dir", Dir(), "list", "Weapons", "--filter", "Range=>100", "--filter",
                   "Name=aim", "--sort", "Range", "--format", "csv"}),
              0)
        << err_.str();
    std::istringstream lines(out_.str());
    std::vector<std::string> names;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) names.push_back(line.substr(0, line.find(',')));
    EXPECT_EQ(names, (std::vector<std::string>{"AIM-9L", "AIM-120"}));

    // By column number, with a range.
    ASSERT_EQ(Run({"list", "Weapons", "--filter", "7=50..150"}), 0) << err_.str();
    const std::string ranged = out_.str();
    EXPECT_EQ(std::count(ranged.begin(), ranged.end(), '\n'), 3);
    EXPECT_EQ(Run({"list", "Weapons", "--filter", "Nope=1"}), 2);
    EXPECT_NE(err_.str().find("no column Nope"), std::string::npos);
    EXPECT_EQ(Run({"list", "Weapons", "--filter", "Name=/(/"}), 2);
    EXPECT_EQ(Run({"list", "Weapons", "--filter", "Name"}), 2);

    ASSERT_EQ(Run({"find", "vantor.wcd", "4"}), 0) << err_.str();
    const std::string found = out_.str();
    ASSERT_EQ(Run({"list", "Weapons"}), 0);
    std::istringstream rows(out_.str());
    std::getline(rows, line);
    int row = 0;
    while (std::getline(rows, line) && line.rfind("AIM-120\t", 0) != 0) ++row;
    EXPECT_EQ(found, "Weapons\t" + std::to_string(row) + "\n");

    ASSERT_EQ(Run({"find", "ct", "2", "--format", "json"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "{\"category\": \"Class Table\", \"row\": 2, \"index\": 2}\n");
    EXPECT_EQ(Run({"find", "vantor.wcd", "0"}), 1);
    EXPECT_NE(err_.str().find("No list shows record 0 of vantor.wcd."), std::string::npos);
    EXPECT_EQ(Run({"find"}), 2);
}

}  // namespace
}  // namespace tablon::test
