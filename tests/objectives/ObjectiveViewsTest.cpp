// The objective family's lists and dialogs: which rows show, how columns sort, the dialogs'
// run edits landing in the files, and the add rules that give every owner a run of its own.
#include <gtest/gtest.h>

#include "objectives/FeatureRecord.h"
#include "objectives/FedDialogs.h"
#include "objectives/ObjectiveDialogs.h"
#include "objectives/ObjectiveFixture.h"
#include "objectives/PointDialogs.h"

namespace tablon::test {
namespace {

using O = ObjectiveRecord;

std::vector<std::string> Column(const CMvView& v, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < v.RowCount(); ++r) out.push_back(v.CellText(r, c));
    return out;
}

TEST_F(ObjectiveTest, ObjectiveRowsHideEmptySlotsAndSortByEachColumnsOwnType) {
    ObjectiveRecord a = MakeObjective("Alpha", 0, 5, -3);
    ObjectiveRecord b = MakeObjective("bravo", 5, 200, 5);
    ObjectiveRecord c = MakeObjective("Charlie", 40000, 0, 1);
    WriteObjectiveFiles({a, MakeObjective("", 0, 9), b, c}, Entries(205));
    Open();
    CMvView& v = OpenList("Objectives");
    ASSERT_EQ(v.ColumnCount(), 29);
    EXPECT_EQ(v.Column(17).title, "Det v rail");
    EXPECT_EQ(v.Column(28).title, "Other Dam");
    EXPECT_EQ(Order(v), (std::vector<int>{0, 2, 3})) << "the empty slot keeps index 1";
    EXPECT_EQ(Column(v, 8), (std::vector<std::string>{"0", "5", "40000"}));
    v.OnColumnClick(7);  // "FedCnt": 200 after 5
    EXPECT_EQ(Order(v), (std::vector<int>{3, 0, 2}));
    v.OnColumnClick(2);  // "Ct": signed, -3 first
    EXPECT_EQ(Order(v), (std::vector<int>{0, 3, 2}));
    v.OnColumnClick(2);
    EXPECT_EQ(Order(v), (std::vector<int>{2, 3, 0}));
    v.OnColumnClick(0);
    EXPECT_EQ(Column(v, 0), (std::vector<std::string>{"Alpha", "bravo", "Charlie"}));
}

TEST_F(ObjectiveTest, FeatureFlagsShowUnsignedAndTheFlagsDialogClearsBitsFiveToSeven) {
    WriteSet();
    FeatureRecord f;
    StoreText(f.data() + FeatureRecord::kName, FeatureRecord::kNameSize, "Hangar");
    f.Set<uint16_t>(FeatureRecord::kFlags, 0x80E1);
    Bytes fcd = CountFile(1, FeatureRecord::kSize);
    std::memcpy(fcd.data() + 2, f.data(), FeatureRecord::kSize);
    WriteBytes(Path("vantor.fcd"), fcd);
    Open();
    CMvView& v = OpenList("Features");
    ASSERT_EQ(v.ColumnCount(), 21);
    EXPECT_EQ(v.CellText(0, 5), "32993");
    CFeatureFlagsDialog dialog(0x00E1);
    ui_.QueueDialog([](Form& form) { form.Press(kIdOk); });
    ASSERT_EQ(ui_.RunDialog(dialog), Answer::Ok);
    EXPECT_EQ(dialog.Flags(), 0x0001);
    // The command line rebuilds the word the same way.
    app_.reset();
    db_.reset();
    ASSERT_EQ(Run({"feature", "flags", "0", "can-burn=1", "container-next=0"}), 0) << err_.str();
    EXPECT_EQ(LoadLE<uint16_t>(FileBytes("vantor.fcd").data() + 2 + FeatureRecord::kFlags), 0x0801);
    ASSERT_EQ(Run({"feature", "flags", "0"}), 0);
    EXPECT_NE(out_.str().find("repairable=1\n"), std::string::npos);
    EXPECT_NE(out_.str().find("can-burn=1\n"), std::string::npos);
    EXPECT_EQ(Run({"feature", "flags", "0", "tree=1"}), 2);
}

TEST_F(ObjectiveTest, PointHeaderRowsNameTheirObjectiveOrShowTheirNumber) {
    WriteObjectiveFiles({MakeObjective("Alpha", 0, 0)}, {},
                        {MakeHeader(0, 0, 2), MakeHeader(7, 2, 1), MakeHeader(0, 3, 0)}, Points(3));
    Open();
    CMvView& v = OpenList("Phd Data");
    ASSERT_EQ(v.ColumnCount(), 19);
    EXPECT_EQ(Column(v, 0), (std::vector<std::string>{"Alpha", "PHD 1", "Alpha"}));
    // The objective dialog lists every header that names it, not the chain.
    const auto rows = PointHeaderRows(*db_, 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells[0], "PHD 2");
    EXPECT_EQ(rows[1].cells[3], "3");
    EXPECT_EQ(PointTypeText(18), "crit taxi");
    EXPECT_EQ(PointTypeText(25), "25");
}

// The objective dialog's "Fed Ptr" opens the "FED  List": an entry added there is in the file with
// the objective's new count even when the outer dialog is cancelled.
TEST_F(ObjectiveTest, AnEntryAddedInTheFedListKeepsTheRunsConsistentWhenTheOuterDialogIsCancelled) {
    WriteObjectiveFiles({MakeObjective("A", 0, 2), MakeObjective("B", 2, 2)}, Entries(4));
    Open();
    CMvView& v = OpenList("Objectives");
    ui_.QueueDialog([](Form& f) {
        f.SetText(objdlg::kDataRate, "77");
        f.SetText(objdlg::kFedPtr, "1");  // the list works on the run the copy holds
        f.Press(objdlg::kFedPtrButton);
        EXPECT_EQ(f.Text(objdlg::kFedPtr), "0");
        EXPECT_EQ(f.Text(objdlg::kFedCount), "3");
        f.Press(kIdCancel);
    });
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "FED data for A");
        ASSERT_EQ(f.Rows(feddlg::kList).size(), 2u);
        EXPECT_EQ(f.Rows(feddlg::kList)[1].cells[0], "FED 1");
        for (int id : {feddlg::kAddAfter, feddlg::kAddBefore, feddlg::kDelete})
            EXPECT_FALSE(f.Enabled(id)) << id << " needs a selected row";
        f.SetSelected(feddlg::kList, 1);
        EXPECT_TRUE(f.Enabled(feddlg::kDelete));
        f.Press(feddlg::kAddAfter);
        EXPECT_EQ(f.Rows(feddlg::kList).size(), 3u);
        EXPECT_FALSE(f.Enabled(feddlg::kAddAfter)) << "the refilled list has no selection";
        f.Press(kIdOk);
    });
    ui_.QueueDialogTexts({{feddlg::kCt, "150"}, {feddlg::kX, "2.5"}});
    v.OnDoubleClick(0);
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 50, 2, 3}));
    EXPECT_EQ(FedOnDisk()[2].X(), 2.5f);
    EXPECT_EQ(OcdOnDisk(0).FeatureEntryCount(), 3);
    EXPECT_EQ(OcdOnDisk(0).Get<int16_t>(O::kDataRate), 0) << "the cancelled edit is dropped";
    EXPECT_EQ(OcdOnDisk(1).FirstFeatureEntry(), 3);
    EXPECT_EQ(v.CellText(v.PositionOf(1), 8), "3") << "the other row shows the move";
}

TEST_F(ObjectiveTest, AddedOwnersGetRunsOfTheirOwn) {
    WriteObjectiveFiles(
        {MakeObjective("A", 0, 2), MakeObjective("B", 2, 3), MakeObjective("", 0, 0)}, Entries(6),
        {MakeHeader(0, 0, 2), MakeHeader(1, 2, 1)}, Points(4));
    // "Add Copy" copies the source's entries to the end of the file.
    ASSERT_EQ(Run({"append", "vantor.ocd", "--copy-of", "1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "3\n");
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 2, 3, 4, 5, 2, 3, 4}));
    EXPECT_EQ(OcdOnDisk(3).FirstFeatureEntry(), 6);
    EXPECT_EQ(OcdOnDisk(3).FeatureEntryCount(), 3);
    EXPECT_EQ(OcdOnDisk(3).Name(), "B");
    // "Add Item": an empty run behind the nearest earlier run that has entries.
    ASSERT_EQ(Run({"append", "vantor.ocd"}), 0) << err_.str();
    EXPECT_EQ(OcdOnDisk(4).FirstFeatureEntry(), 9);
    EXPECT_EQ(OcdOnDisk(4).FeatureEntryCount(), 0);
    // Headers: a new one points at the end of the point file, a copy at copies of its points.
    ASSERT_EQ(Run({"append", "vantor.phd"}), 0) << err_.str();
    EXPECT_EQ(PhdOnDisk(2).FirstPoint(), 4);
    ASSERT_EQ(Run({"append", "vantor.phd", "--copy-of", "0"}), 0) << err_.str();
    EXPECT_EQ(PhdOnDisk(3).FirstPoint(), 4);
    EXPECT_EQ(PhdOnDisk(3).PointCount(), 2);
    EXPECT_EQ(FileBytes("vantor.pd").size(), 2u + 6u * 12u);
    // The member files take no appends or deletes of their own.
    EXPECT_EQ(Run({"append", "vantor.fed"}), 1);
    EXPECT_EQ(Run({"delete", "vantor.pd", "5"}), 1);
}

TEST_F(ObjectiveTest, ACancelledAddCopyTakesItsCopiedEntriesBack) {
    WriteObjectiveFiles({MakeObjective("A", 0, 2), MakeObjective("B", 2, 3)}, Entries(5));
    Open();
    CMvView& v = OpenList("Objectives");
    v.Select(v.PositionOf(1));
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Text(objdlg::kFedPtr), "5");
        f.Press(kIdCancel);
    });
    ASSERT_TRUE(Frame().Run(cmd::kAddCopy));
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(FileBytes("vantor.ocd").size(), 2u + 2u * O::kSize);
}

TEST_F(ObjectiveTest, CommandLineRunVerbsAndUnsignedIndices) {
    WriteObjectiveFiles({MakeObjective("A", 0, 2), MakeObjective("B", 2, 1)}, Entries(3),
                        {MakeHeader(0, 0, 0), MakeHeader(0, 0, 2), MakeHeader(1, 7, 0)}, Points(2));
    ASSERT_EQ(Run({"set", "vantor.ocd", "1", "first_feature_entry=40000"}), 0) << err_.str();
    ASSERT_EQ(Run({"show", "vantor.ocd", "1"}), 0);
    EXPECT_NE(out_.str().find("first_feature_entry=40000\n"), std::string::npos);
    ASSERT_EQ(Run({"set", "vantor.ocd", "1", "first_feature_entry=2"}), 0);

    ASSERT_EQ(Run({"fed", "insert", "0", "1", "ct_index=777", "heading=-45"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "1\n");
    EXPECT_EQ(FedOnDisk()[1].CtIndex(), 777);
    EXPECT_EQ(FedOnDisk()[1].Heading(), -45);
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 3}));
    EXPECT_EQ(Run({"fed", "insert", "0", "9"}), 1);
    EXPECT_EQ(Run({"fed", "insert", "0", "1", "nope=1"}), 1);
    ASSERT_EQ(Run({"fed", "list", "0", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("FED 1"), std::string::npos);
    ASSERT_EQ(Run({"fed", "delete", "0", "1"}), 0) << err_.str();
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2}));
    ASSERT_EQ(Run({"fed", "list", "--all"}), 0);
    const std::string all = out_.str();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 4) << "the titles and three entries";

    // "auto": behind the nearest earlier run, and the header points at it.
    ASSERT_EQ(Run({"pd", "insert", "2", "auto", "type=25"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "2\n");
    EXPECT_EQ(PhdOnDisk(2).FirstPoint(), 2);
    EXPECT_EQ(PhdOnDisk(2).PointCount(), 1);
    ASSERT_EQ(Run({"pd", "list", "2"}), 0);
    EXPECT_EQ(out_.str(), "Index\tX?\tY?\tType?\tFlags?\n2\t0\t0\t25\t0\n");
    EXPECT_EQ(Run({"pd", "insert", "1", "auto"}), 2) << "a header with points has rows";
    ASSERT_EQ(Run({"pd", "delete", "1", "0"}), 0) << err_.str();
    EXPECT_EQ(PhdOnDisk(2).FirstPoint(), 1);
}

}  // namespace
}  // namespace tablon::test
