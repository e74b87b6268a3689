// The window's undo, redo and history: a person changes a weapon's range in its dialog, runs
// "Sort Hardpoint Tables", undoes both, redoes one, and finds the history again after reopening;
// "Compare With" lists another set's differences and opens their records.
#include <gtest/gtest.h>

#include <map>

#include "sample/Sample.h"
#include "shell/HistoryDialogs.h"
#include "shell/ShellTestFixture.h"
#include "store/FieldTable.h"

namespace tablon::test {
namespace {

constexpr int kWeaponRangeEdit = 1606;  // the weapon dialog's "Range"

class HistoryWindowTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    }
    std::map<std::string, Bytes> Files() const {
        std::map<std::string, Bytes> f;
        for (const char* name : {"vantor.wcd", "vantor.wld", "vantor.vcd"})
            f[name] = ReadBytes(Path(name));
        return f;
    }
    std::vector<std::vector<std::string>> HistoryShown() {
        std::vector<std::vector<std::string>> rows;
        ui_.QueueDialog([&rows](Form& f) {
            for (const auto& r : f.Rows(CHistoryDlg::kIdList)) rows.push_back(r.cells);
            f.Press(kIdCancel);
        });
        EXPECT_TRUE(Frame().Run(cmd::kEditHistory));
        return rows;
    }
};

TEST_F(HistoryWindowTest, ANewcomerUndoesTwoChangesRedoesOneAndReopens) {
    Open();
    const auto start = Files();
    EXPECT_FALSE(Frame().StateOf(cmd::kEditUndo).enabled);
    CMvView& weapons = OpenList("Weapons");
    weapons.SetSelection({2});
    const int weapon = weapons.ItemData(2);
    ui_.QueueDialog([](Form& f) {
        f.SetText(kWeaponRangeEdit, "777");
        f.Press(kIdOk);
    });
    ASSERT_TRUE(Frame().Run(cmd::kShowItem));
    const auto edited = Files();
    ASSERT_NE(edited, start);
    ui_.SetDefaultAnswer(Answer::Yes);
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    ASSERT_TRUE(Frame().Run(cmd::kSortHardpointTables));
    const auto sorted = Files();
    ASSERT_NE(sorted, edited) << "the sample's hardpoint tables were sorted already";
    ui_.Clear();  // what the sort said

    auto rows = HistoryShown();
    ASSERT_EQ(rows.size(), 2u) << testing::PrintToString(rows);
    EXPECT_NE(rows[0][1].find(": OK"), std::string::npos) << rows[0][1];
    EXPECT_NE(rows[0][2].find("vantor.wcd " + std::to_string(weapon)), std::string::npos);
    EXPECT_EQ(rows[1][1], "Sort Hardpoint Tables");
    EXPECT_EQ(rows[1][3], "done");

    ASSERT_TRUE(Frame().StateOf(cmd::kEditUndo).enabled);
    EXPECT_FALSE(Frame().StateOf(cmd::kEditRedo).enabled);
    ASSERT_TRUE(Frame().Run(cmd::kEditUndo));
    EXPECT_EQ(Files(), edited);
    ASSERT_TRUE(Frame().Run(cmd::kEditUndo));
    EXPECT_EQ(Files(), start);
    EXPECT_FALSE(Frame().StateOf(cmd::kEditUndo).enabled);
    // The list was shown afresh, with its selection.
    CMvView* list = Frame().View()->AsList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Selection().size(), 1u);
    EXPECT_EQ(list->ItemData(list->Selection()[0]), weapon);

    ASSERT_TRUE(Frame().Run(cmd::kEditRedo));
    EXPECT_EQ(Files(), edited);
    EXPECT_TRUE(ui_.Texts().empty()) << testing::PrintToString(ui_.Texts());

    // Closed and opened again: the history is still there, the sort still to redo.
    app_.reset();
    db_.reset();
    Open();
    rows = HistoryShown();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], "done");
    EXPECT_EQ(rows[1][1], "Sort Hardpoint Tables");
    EXPECT_EQ(rows[1][3], "undone");
    ASSERT_TRUE(Frame().StateOf(cmd::kEditRedo).enabled);
    ASSERT_TRUE(Frame().Run(cmd::kEditRedo));
    EXPECT_EQ(Files(), sorted);
}

TEST_F(HistoryWindowTest, UndoShowsWhyItRefuses) {
    Open();
    TableFile& wcd = *db_->Table(FileId::Wcd);
    Bytes r;
    wcd.GetRecord(1, r);
    r[0] ^= 1;
    {
        OperationScope op(&ui_, "Change");
        wcd.SetRecord(1, r);
    }
    app_.reset();
    db_.reset();
    Bytes file = ReadBytes(Path("vantor.wcd"));
    file[2 + (file.size() - 2) / LoadLE<uint16_t>(file.data())] ^= 1;  // record 1, byte 0
    WriteBytes(Path("vantor.wcd"), file);
    Open();
    ASSERT_TRUE(Frame().Run(cmd::kEditUndo));
    ASSERT_EQ(ui_.Texts().size(), 1u);
    EXPECT_NE(ui_.Texts()[0].find("Can't undo \"Change\": vantor.wcd has been changed"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(Path("vantor.wcd")), file);
}

TEST_F(HistoryWindowTest, CompareWithListsTheOtherSetAndOpensRecords) {
    std::string error;
    ASSERT_TRUE(WriteSampleDatabase(Path("other"), SampleScale::Demo, error)) << error;
    Bytes wcd = ReadBytes(Path("other/vantor.wcd"));
    const size_t size = (wcd.size() - 2) / LoadLE<uint16_t>(wcd.data());
    wcd[2 + 3 * size + FieldTableOf(FileId::Wcd).Find("range")->offset] ^= 0x7F;
    WriteBytes(Path("other/vantor.wcd"), wcd);
    Open();
    ui_.QueueFile(Path("other/vantor.ct"));
    std::vector<std::vector<std::string>> rows;
    std::string opened;
    ui_.QueueDialog([&rows](Form& f) {
        for (const auto& r : f.Rows(CCompareDlg::kIdList)) rows.push_back(r.cells);
        f.ListEvent(CCompareDlg::kIdList, ListEventKind::DoubleClick, 0);
        f.Press(kIdCancel);
    });
    ui_.QueueDialog([&opened](Form& f) {
        opened = f.Title();
        f.Press(kIdCancel);
    });
    ASSERT_TRUE(Frame().Run(cmd::kCompareWith));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][0], "vantor.wcd");
    EXPECT_EQ(rows[0][1], "3");
    EXPECT_EQ(rows[0][2], "changed");
    EXPECT_FALSE(opened.empty());

    // The same set again: equal.
    ui_.Clear();
    ASSERT_TRUE(WriteSampleDatabase(Path("same"), SampleScale::Demo, error)) << error;
    ui_.QueueFile(Path("same/vantor.ct"));
    ASSERT_TRUE(Frame().Run(cmd::kCompareWith));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"The sets are equal."});
}

}  // namespace
}  // namespace tablon::test
