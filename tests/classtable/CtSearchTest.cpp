// The cross-reference searches: classification, bad model links and parent references, their
// dialogs, the editors their rows open, and their command-line forms.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtSearchDialogs.h"
#include "classtable/CtUsageDialog.h"
#include "models/ModelFiles.h"
#include "models/ModelTestSupport.h"
#include "shell/ShellTestFixture.h"
#include "support/CliRunner.h"

namespace tablon::test {
namespace {

using R = CtRecord;
using Cells = std::vector<std::vector<std::string>>;

CtRecord Classified(int d, int c, int t, int s, int sp) {
    CtRecord r;
    r.b[R::kDomain] = uint8_t(d);
    r.b[R::kClass] = uint8_t(c);
    r.b[R::kType] = uint8_t(t);
    r.b[R::kSubType] = uint8_t(s);
    r.b[R::kSpecific] = uint8_t(sp);
    return r;
}

CtRecord Models(std::vector<int16_t> m) {
    CtRecord r;
    for (int s = 0; s < R::kVisualStates; ++s) r.SetGraphic(s, m[size_t(s) % m.size()]);
    return r;
}

Cells CellsOf(const std::vector<ListRow>& rows) {
    Cells out;
    for (const auto& r : rows) out.push_back(r.cells);
    return out;
}

void PutRef(Bytes& b, uint32_t lod) {
    LodRef r = LodRef::Make(lod, 100);
    const size_t at = b.size();
    b.resize(at + 8);
    StoreLE<uint32_t>(b.data() + at, r.ref);
    StoreLE<float>(b.data() + at + 4, r.distance);
}

class CtSearchTest : public ShellTest {
  protected:
    // Seven parents and a LOD file of one good block:
    //   0: one reference to LOD 0 (loads)
    //   1: two slots, one dynamic position, references to LOD 0 and LOD 1 (block beyond the file)
    //   2: one slot, no LODs
    //   3: one reference to LOD 2 (more type codes than the block holds)
    //   4: references to LOD 99 (no such LOD) and LOD 3 (an empty block)
    //   5: one reference, lying past the end of the header file
    //   6: 255 LODs, a count taken as -1
    void WriteModels() {
        HdrSetup setup;
        setup.lods = 4;
        setup.parents = {MakeParentRecord(0, 0, 1),  MakeParentRecord(2, 1, 2),
                         MakeParentRecord(1, 0, 0),  MakeParentRecord(0, 0, 1),
                         MakeParentRecord(0, 0, 2),  MakeParentRecord(0, 0, 1),
                         MakeParentRecord(0, 0, 255)};
        PutRef(setup.blocks, 0);
        setup.blocks.resize(setup.blocks.size() + 36);
        PutRef(setup.blocks, 0);
        PutRef(setup.blocks, 1);
        setup.blocks.resize(setup.blocks.size() + 12);
        PutRef(setup.blocks, 2);
        PutRef(setup.blocks, 99);
        PutRef(setup.blocks, 3);
        Bytes hdr = BuildHdr(setup);
        const Bytes good = LodBlock({2}, Bytes(48, 0));
        const Bytes bad = Words().U(1000).U(2).b;
        Bytes lod = good;
        lod.insert(lod.end(), bad.begin(), bad.end());
        const HdrLayout layout = ComputeHdrLayout(hdr.data(), hdr.size());
        ASSERT_TRUE(layout.valid);
        const uint32_t places[4][2] = {{0, uint32_t(good.size())},
                                       {uint32_t(lod.size()), 64},
                                       {uint32_t(good.size()), uint32_t(bad.size())},
                                       {0, 0}};
        for (int l = 0; l < 4; ++l) {
            uint8_t* e = hdr.data() + layout.lodTable + 20 * size_t(l);
            StoreLE<uint32_t>(e + 12, places[l][0]);
            StoreLE<uint32_t>(e + 16, places[l][1]);
        }
        WriteBytes(Path("KoreaObj.hdr"), hdr);
        WriteBytes(Path("KoreaObj.lod"), lod);
    }
    void OpenWith(const std::vector<CtRecord>& ct) {
        WriteSet();
        WriteCt(ct);
        WriteModels();
        Open();
    }
    ModelLinkResult BadLinks() { return SearchBadModelLinks(db_->Ct(), db_->Hdr(), db_->Lod()); }
    CtRecord Stored(int index) {
        CtRecord r;
        EXPECT_TRUE(db_->Ct().GetRecord(index, r));
        return r;
    }
};

// ---- classification ----

TEST_F(CtSearchTest, ClassCriteriaAreSixteenBitNumbersAndMinusOneIsAny) {
    WriteSet();
    WriteCt({Classified(2, 7, 6, 1, 0), Classified(2, 7, 6, 2, 0), Classified(3, 6, 1, 1, 9),
             Classified(2, 8, 6, 1, 0)});
    Open();
    auto rows = [&](ClassCriteria c) { return CellsOf(SearchCtByClass(db_->Ct(), c).rows); };
    EXPECT_EQ(rows({}).size(), 4u);
    EXPECT_EQ(rows({2, 7, 6, 0xFFFF, 0xFFFF}),
              (Cells{{"0", "D 2, C 7, T 6, S 1, St 0"}, {"1", "D 2, C 7, T 6, S 2, St 0"}}));
    EXPECT_TRUE(rows({0xFFFF, 0xFFFF, uint16_t(262), 0xFFFF, 0xFFFF}).empty());
    EXPECT_EQ(rows({0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 9}),
              (Cells{{"2", "D 3, C 6, T 1, S 1, St 9"}}));
    EXPECT_TRUE(rows({5, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}).empty());
}

TEST_F(CtSearchTest, ClassSearchDialogsFromTheMenuToTheUsageList) {
    WriteSet();
    WriteCt({Classified(2, 7, 6, 1, 0), Classified(2, 7, 1, 1, 0), Classified(2, 8, 6, 1, 0)});
    Open();
    // "Any" domain, class "VEHICLE", type 6: only record 0. Its double click lists its users.
    std::vector<ListRow> rows;
    std::string usageOf;
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.SelectedValue(ctsearch::kDomain), -1);
        EXPECT_EQ(f.Text(ctsearch::kType), "-1");
        f.SelectValue(ctsearch::kClass, kClassVehicle);
        f.SetText(ctsearch::kType, "6");
        f.Press(kIdOk);
    });
    ui_.QueueDialog([&](Form& f) {
        rows = f.Rows(ctsearch::kClassList);
        f.ListEvent(ctsearch::kClassList, ListEventKind::DoubleClick, 0);
    });
    ui_.QueueDialog([&](Form& f) { usageOf = f.Text(ctusage::kIndex); });
    Frame().Run(cmd::kSearchCtByClass);
    EXPECT_EQ(CellsOf(rows), (Cells{{"0", "D 2, C 7, T 6, S 1, St 0"}}));
    EXPECT_EQ(usageOf, "0");
    ASSERT_EQ(ui_.Dialogs().size(), 3u);
    EXPECT_EQ(ui_.Dialogs()[1].title, "CT entries sharing the entered classInfo elements");

    // Type 262 is not type 6; a type that is no integer keeps the input open.
    ui_.Clear();
    ui_.QueueDialog([](Form& f) {
        f.SetText(ctsearch::kType, "x");
        f.Press(kIdOk);
        f.SetText(ctsearch::kType, "262");
        f.Press(kIdOk);
    });
    ui_.QueueDialog([&](Form& f) { rows = f.Rows(ctsearch::kClassList); });
    Frame().Run(cmd::kSearchCtByClass);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_TRUE(rows.empty());

    // Cancel ends the search.
    ui_.Clear();
    Frame().Run(cmd::kSearchCtByClass);
    EXPECT_EQ(ui_.Dialogs().size(), 1u);
}

// ---- bad model links ----

TEST_F(CtSearchTest, BadLinksGiveTheFirstFailureOfEachSlot) {
    OpenWith({Models({0}), Models({1, 2, 3, 4, 50, -1, 5}), Models({6}), Models({100})});
    const ModelLinkResult found = BadLinks();
    EXPECT_FALSE(found.unreadable);
    Cells expected{{"Normal", "1", "Can't get lod resolution 1"},
                   {"Damaged", "1", "BAD LOD for resolution 0"},
                   {"Destroyed", "1", "Can't get lod resolution 1"},
                   {"Left Destroyed", "1", "Bad Size entry"},
                   {"Right Destroyed", "1", "Bad Size entry"},
                   {"Both Destroyed", "1", "Can't get lod resolution 0"}};
    for (int s = 0; s < R::kVisualStates; ++s)
        expected.push_back({VisualStateName(s), "3", "Bad Size entry"});
    EXPECT_EQ(CellsOf(ModelLinkRows(found, true)), expected);
    const ModelLinkResult direct = SearchBadModelLinksDirect(db_->Ct(), db_->Hdr(), db_->Lod());
    EXPECT_EQ(CellsOf(ModelLinkRows(direct, true)), expected);
}

TEST_F(CtSearchTest, BadLinksByIndexEqualTheDirectRuleOnRandomModelNumbers) {
    std::mt19937 random(12);
    std::uniform_int_distribution<int> model(-2, 9);
    std::vector<CtRecord> ct(300);
    for (auto& r : ct)
        for (int s = 0; s < R::kVisualStates; ++s) r.SetGraphic(s, int16_t(model(random)));
    OpenWith(ct);
    const ModelLinkResult fast = BadLinks();
    const ModelLinkResult direct = SearchBadModelLinksDirect(db_->Ct(), db_->Hdr(), db_->Lod());
    EXPECT_EQ(CellsOf(ModelLinkRows(fast, true)), CellsOf(ModelLinkRows(direct, true)));
    EXPECT_GT(fast.rows.size(), 300u);
}

TEST_F(CtSearchTest, BadLinkListEditsARecordOnDoubleClickAndListsUsersOnRightClick) {
    OpenWith({Models({0}), Models({0, 0, 0, 0, 0, 0, 50})});
    std::string total;
    std::vector<ListRow> rows;
    std::string usageOf;
    ui_.QueueDialog([&](Form& f) {
        total = f.Text(ctsearch::kTotal);
        rows = f.Rows(ctsearch::kLinkList);
        f.ListEvent(ctsearch::kLinkList, ListEventKind::RightClick, 0);
        f.ListEvent(ctsearch::kLinkList, ListEventKind::DoubleClick, 0);
    });
    ui_.QueueDialog([&](Form& f) { usageOf = f.Text(ctusage::kIndex); });
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "CT Entry for ");
        f.SetText(ctdlg::kHitpoints, "77");
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kSearchBadCtHdrLinks);
    EXPECT_EQ(total, "1");
    EXPECT_EQ(CellsOf(rows), (Cells{{"Both Destroyed", "1", "Bad Size entry"}}));
    EXPECT_EQ(usageOf, "1");
    EXPECT_EQ(Stored(1).Get<int32_t>(R::kHitPoints), 77);
    EXPECT_EQ(ui_.Dialogs()[0].title, "CT->HDR bad links");
    EXPECT_EQ(ui_.BusyDepth(), 0);
}

// ---- parent references ----

TEST_F(CtSearchTest, ParentReferencesListEverySlotNamingTheParent) {
    OpenWith({Models({0, 3}), Models({-1}), Models({3, 3, 3, 3, 3, 3, 0})});
    EXPECT_EQ(CellsOf(ModelLinkRows(SearchParentReferences(db_->Ct(), 3), false)),
              (Cells{{"Repaired", "0"},
                     {"Destroyed", "0"},
                     {"Right Destroyed", "0"},
                     {"Normal", "2"},
                     {"Repaired", "2"},
                     {"Damaged", "2"},
                     {"Destroyed", "2"},
                     {"Left Destroyed", "2"},
                     {"Right Destroyed", "2"}}));
    EXPECT_EQ(SearchParentReferences(db_->Ct(), -1).rows.size(), 7u);
    EXPECT_TRUE(SearchParentReferences(db_->Ct(), 65535).rows.empty());

    // From the menu: the number asked, shown beside the list; an unreadable record on double
    // click says so.
    std::string shown;
    size_t count = 0;
    ui_.QueueDialogTexts({{ctsearch::kParent, "-1"}});
    ui_.QueueDialog([&](Form& f) {
        shown = f.Text(ctsearch::kTotal);
        count = f.Rows(ctsearch::kLinkList).size();
        EXPECT_EQ(f.Find(ctsearch::kLinkList)->columns.size(), 2u);
    });
    Frame().Run(cmd::kSearchParentReferences);
    EXPECT_EQ(shown, "-1");
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(ui_.Dialogs()[1].title, "List of Parent Record in CT Records");
}

// ---- command line ----

class CtSearchCliTest : public CtSearchTest, protected CliRunner {
  protected:
    using CliRunner::Run;
};

TEST_F(CtSearchCliTest, TheFourSearchesPrintTheirListsAsTables) {
    WriteSet();
    WriteCt({Models({0}), Classified(2, 7, 6, 1, 0), Models({100, 0})});
    WriteModels();

    EXPECT_EQ(Run({"search", "usage", "3"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Type\tName\tRecord number\tComments\n");
    EXPECT_EQ(Run({"search", "usage", "4"}), 1);
    EXPECT_EQ(err_.str(), "Max record number: 3\ntablon-cli: search usage failed\n");
    EXPECT_EQ(Run({"search", "usage", "x"}), 2);

    EXPECT_EQ(Run({"search", "class", "--domain", "2", "--type", "6"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Record number\tComments\n1\tD 2, C 7, T 6, S 1, St 0\n");
    EXPECT_EQ(Run({"search", "class", "--type", "262"}), 0);
    EXPECT_EQ(out_.str(), "Record number\tComments\n");
    EXPECT_EQ(Run({"search", "class", "--type", "six"}), 2);

    EXPECT_EQ(Run({"search", "bad-links"}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "Graphics\tCT-Index\tReason\nNormal\t2\tBad Size entry\n"
              "Damaged\t2\tBad Size entry\nLeft Destroyed\t2\tBad Size entry\n"
              "Both Destroyed\t2\tBad Size entry\n");
    EXPECT_EQ(Run({"search", "bad-links", "--format", "json"}), 0);
    EXPECT_EQ(out_.str().rfind("{\"total\": 4,", 0), 0u) << out_.str();
    EXPECT_NE(out_.str().find("{\"index\": 2, \"cells\": [\"Normal\", \"2\", \"Bad Size entry\"], "
                              "\"graphics\": \"Normal\", \"slot\": 0, \"ct_index\": 2, "
                              "\"reason\": \"Bad Size entry\"}"),
              std::string::npos)
        << out_.str();
    EXPECT_EQ(Run({"search", "bad-links", "--format", "csv"}), 0);
    EXPECT_EQ(out_.str().substr(0, 24), "Graphics,CT-Index,Reason");

    EXPECT_EQ(Run({"search", "parent", "0"}), 0);
    EXPECT_EQ(out_.str(),
              "Graphics\tCT-Index\nNormal\t0\nRepaired\t0\nDamaged\t0\nDestroyed\t0\n"
              "Left Destroyed\t0\nRight Destroyed\t0\nBoth Destroyed\t0\n"
              "Normal\t1\nRepaired\t1\nDamaged\t1\nDestroyed\t1\nLeft Destroyed\t1\n"
              "Right Destroyed\t1\nBoth Destroyed\t1\n"
              "Repaired\t2\nDestroyed\t2\nRight Destroyed\t2\n");
    EXPECT_EQ(Run({"search", "parent"}), 2);
}

}  // namespace
}  // namespace tablon::test
