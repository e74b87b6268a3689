#include <gtest/gtest.h>

#include <climits>

#include "shell/GenericView.h"
#include "shell/ShellTestFixture.h"

namespace tablon::test {
namespace {

// A list over the class table with one column of each kind the sort rule treats differently.
class KindView : public CMvView {
  public:
    explicit KindView(ShellContext& ctx)
        : CMvView(ctx, MakeSource(ctx.db, {FileId::Ct}),
                  {{"No", 50, 0, kKindFileOrder},
                   {"F", 50, 4, kKindF32},
                   {"I32", 50, 16, kKindI32},
                   {"Hex", 50, 20, kKindHex32},
                   {"C4", 50, 24, kKindChars4},
                   {"Text", 50, 28, kKindText, 8}}) {}
    const char* ClassName() const override { return "KindView"; }
    int drops = 0;
    void OnDrop(int, int) override { ++drops; }
};

constexpr int kFloat = 1, kInt = 2, kHex = 3, kChars = 4, kText = 5;

CtRecord Rec(float f, int32_t i, uint32_t hex = 0, const char* chars = "", const char* text = "") {
    CtRecord r;
    r.Set<float>(4, f);
    r.Set<int32_t>(16, i);
    r.Set<uint32_t>(20, hex);
    std::memcpy(r.b + 24, chars, std::min<size_t>(4, std::strlen(chars)));
    std::memcpy(r.b + 28, text, std::min<size_t>(8, std::strlen(text)));
    return r;
}

class MvViewTest : public ShellTest {
  protected:
    void Make(const std::vector<CtRecord>& records) {
        WriteSet();
        WriteCt(records);
        Open();
        view_ = std::make_unique<KindView>(Ctx());
        view_->OnInitialUpdate();
    }
    std::unique_ptr<KindView> view_;
};

TEST_F(MvViewTest, SameColumnThreeTimesSortsAscendingDescendingAscending) {
    Make({Rec(0, 5), Rec(0, -3), Rec(0, 9), Rec(0, 0)});
    // A fresh view comes up sorted by its stored column, the file order, ascending.
    EXPECT_EQ(view_->LastSortColumn(), 0);
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 1, 2, 3}));

    view_->OnColumnClick(kInt);
    EXPECT_TRUE(view_->Ascending());
    EXPECT_EQ(Order(*view_), (std::vector<int>{1, 3, 0, 2}));
    view_->OnColumnClick(kInt);
    EXPECT_FALSE(view_->Ascending());
    EXPECT_EQ(Order(*view_), (std::vector<int>{2, 0, 3, 1}));
    view_->OnColumnClick(kInt);
    EXPECT_TRUE(view_->Ascending());
    EXPECT_EQ(Order(*view_), (std::vector<int>{1, 3, 0, 2}));

    // Another column starts ascending; the file-order column sorts by record index.
    view_->OnColumnClick(0);
    EXPECT_TRUE(view_->Ascending());
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 1, 2, 3}));
    view_->OnColumnClick(0);
    EXPECT_EQ(Order(*view_), (std::vector<int>{3, 2, 1, 0}));

    // A column beyond the table does nothing.
    view_->OnColumnClick(6);
    view_->OnColumnClick(-1);
    EXPECT_EQ(view_->LastSortColumn(), 0);
    EXPECT_EQ(Order(*view_), (std::vector<int>{3, 2, 1, 0}));
}

TEST_F(MvViewTest, TextSortMatchesTheFieldComparison) {
    // Prefixes, case, a full-width text without its zero, and bytes above 127: the sort's keys
    // must order rows exactly as the pairwise field comparison does.
    const char* texts[] = {"beta",     "Alpha", "alpha2",    "ALPHA", "",
                           "zzzzzzzz", "b",     "\xe9t\xe9", "Beta",  "a"};
    std::vector<CtRecord> recs;
    for (const char* t : texts) recs.push_back(Rec(0, 0, 0, "", t));
    Make(recs);
    for (bool again : {false, true}) {
        view_->OnColumnClick(kText);
        const std::vector<int> order = Order(*view_);
        ASSERT_EQ(order.size(), recs.size());
        for (size_t k = 1; k < order.size(); ++k) {
            const int r = view_->CompareItems(order[k - 1], order[k], kText, !again);
            EXPECT_LE(r, 0) << k;
        }
    }
}

TEST_F(MvViewTest, StoredSortColumnOutlivesTheViewButNotTheDirection) {
    Make({Rec(0, 5), Rec(0, -3), Rec(0, 9)});
    view_->OnColumnClick(kInt);
    view_->OnColumnClick(kInt);  // descending
    EXPECT_EQ(view_->StoredSortColumn(), kInt);

    KindView again(Ctx());
    again.OnInitialUpdate();
    EXPECT_EQ(again.LastSortColumn(), kInt);
    EXPECT_TRUE(again.Ascending());
    EXPECT_EQ(Order(again), (std::vector<int>{1, 0, 2}));
}

TEST_F(MvViewTest, FloatColumnNeverComparesEqual) {
    Make({Rec(2.5f, 0), Rec(2.5f, 1), Rec(-1.0f, 2), Rec(2.5f, 3)});
    // Equal values give -1 whichever record comes first, in either direction.
    EXPECT_EQ(view_->CompareItems(0, 1, kFloat, true), -1);
    EXPECT_EQ(view_->CompareItems(1, 0, kFloat, true), -1);
    EXPECT_EQ(view_->CompareItems(0, 1, kFloat, false), -1);
    EXPECT_EQ(view_->CompareItems(2, 0, kFloat, true), -1);
    EXPECT_EQ(view_->CompareItems(0, 2, kFloat, true), 1);
    // Sorting with such a comparison still orders the values and loses no row.
    view_->OnColumnClick(kFloat);
    std::vector<int> asc = Order(*view_);
    EXPECT_EQ(asc.front(), 2);
    std::sort(asc.begin(), asc.end());
    EXPECT_EQ(asc, (std::vector<int>{0, 1, 2, 3}));
    view_->OnColumnClick(kFloat);
    EXPECT_EQ(Order(*view_).back(), 2);
}

TEST_F(MvViewTest, FieldKindsCompareAsTheirRulesSay) {
    Make({Rec(0, INT_MAX, 0x80000000u, "abcd", "Zulu"), Rec(0, -1, 0x7fffffffu, "ABCE", "alpha"),
          Rec(0, 7, 1, "AB", "ALPHA"), Rec(0, INT_MIN, 0, "A", "a")});
    // Signed 32-bit columns order by value, also where a difference would wrap.
    EXPECT_GT(view_->CompareItems(0, 1, kInt, true), 0);
    EXPECT_LT(view_->CompareItems(3, 0, kInt, true), 0);
    EXPECT_GT(view_->CompareItems(3, 0, kInt, false), 0);
    view_->OnColumnClick(kInt);
    EXPECT_EQ(Order(*view_), (std::vector<int>{3, 1, 2, 0}));
    EXPECT_GT(view_->CompareItems(0, 1, kHex, true), 0);    // unsigned
    EXPECT_LT(view_->CompareItems(0, 1, kChars, true), 0);  // "abcd" < "ABCE" ignoring case
    EXPECT_EQ(view_->CompareItems(1, 2, kText, true), 0);   // "alpha" == "ALPHA" ignoring case
    EXPECT_GT(view_->CompareItems(0, 1, kText, true), 0);
    EXPECT_LT(view_->CompareItems(0, 1, kText, false), 0);  // descending swaps the records
}

TEST_F(MvViewTest, UnreadableRecordsCompareEqual) {
    Make({Rec(0, 9), Rec(0, 5), Rec(0, 1)});
    ASSERT_TRUE(db_->Ct().DeleteLastRecord(2));
    EXPECT_EQ(view_->CompareItems(2, 0, kInt, true), 0);
    EXPECT_EQ(view_->CompareItems(0, 2, kInt, false), 0);
    EXPECT_EQ(view_->CompareItems(2, 0, kFloat, true), 0);
    view_->OnColumnClick(kInt);
    EXPECT_EQ(view_->RowCount(), 3);
    EXPECT_EQ(view_->PositionOf(1) < view_->PositionOf(0), true);
}

TEST_F(MvViewTest, CellTextsFollowTheKinds) {
    Make({Rec(1e-5f, -2, 0xbeef, "AB", "Name"), Rec(123456789.0f, 0, 0, "WXYZQ", "")});
    EXPECT_EQ(view_->CellText(0, 0), "0");
    EXPECT_EQ(view_->CellText(0, kFloat), "1e-05");
    EXPECT_EQ(view_->CellText(0, kInt), "-2");
    EXPECT_EQ(view_->CellText(0, kHex), "xbeef");
    EXPECT_EQ(view_->CellText(0, kChars), "  AB");
    EXPECT_EQ(view_->CellText(0, kText), "Name");
    EXPECT_EQ(view_->CellText(1, kFloat), "1.23457e+08");
    EXPECT_EQ(view_->CellText(1, kChars), "WXYZ");
}

TEST_F(MvViewTest, EmptyFileGivesColumnsAndNoRows) {
    Make({});
    EXPECT_EQ(view_->ColumnCount(), 6);
    EXPECT_EQ(view_->Column(kText).title, "Text");
    EXPECT_EQ(view_->RowCount(), 0);
    view_->OnColumnClick(kFloat);
    EXPECT_EQ(view_->RowCount(), 0);
}

TEST_F(MvViewTest, PopupMenuAndDragging) {
    Make({Rec(0, 1), Rec(0, 2)});
    PopupRequest key = view_->OnContextMenu(std::nullopt, {100, 200});
    EXPECT_EQ(key.menu, 104);
    EXPECT_EQ(key.position, (Point{105, 205}));
    EXPECT_EQ(view_->OnContextMenu(Point{7, 9}, {100, 200}).position, (Point{7, 9}));

    // A view that does not drag never starts a drag and never drops.
    EXPECT_FALSE(view_->BeginDrag(0));
    EXPECT_FALSE(view_->Dragging());
    view_->EndDrag(1);
    EXPECT_EQ(view_->drops, 0);
}

TEST_F(MvViewTest, SelectionFollowsRowsThroughASort) {
    Make({Rec(0, 3), Rec(0, 1), Rec(0, 2)});
    view_->Select(0);  // record 0
    view_->OnColumnClick(kInt);
    EXPECT_EQ(view_->FirstSelected(), 2);
    EXPECT_EQ(view_->ItemData(view_->FirstSelected()), 0);
    EXPECT_EQ(view_->SelectedCount(), 1);
}

TEST_F(MvViewTest, ModeCommandsStoreTheModeForTheNextView) {
    WriteSet();
    Open();
    CMvView& ct = OpenList("Class Table");
    for (auto [id, mode] : {std::pair{cmd::kDetail, kModeDetail},
                            {cmd::kList, kModeList},
                            {cmd::kLargeIcons, kModeLargeIcons},
                            {cmd::kSmallIcons, kModeSmallIcons}}) {
        ASSERT_TRUE(Frame().Run(id));
        EXPECT_EQ(ct.Mode(), mode);
        EXPECT_TRUE(Frame().StateOf(id).checked);
    }
    EXPECT_FALSE(Frame().StateOf(cmd::kDetail).checked);
    EXPECT_EQ(app_->Doc().ListStyle(), kModeSmallIcons);
    // The next view comes up in the mode chosen in the previous one.
    EXPECT_EQ(OpenList("Weapons").Mode(), kModeSmallIcons);
    Frame().Run(cmd::kList);
    EXPECT_EQ(OpenList("Class Table").Mode(), kModeList);
}

TEST(ColumnsFromFieldsTest, ArraysGetOneColumnPerElementOrAJoinedCell) {
    FieldTable t{"T",
                 40,
                 {{"short_array", 0, FieldType::I16, 3, "G"},
                  {"long_array", 6, FieldType::U8, 16},
                  {"name", 22, FieldType::Text, 8, "Name"},
                  {"raw", 30, FieldType::Raw, 2}}};
    auto cols = ColumnsFromFields(t);
    ASSERT_EQ(cols.size(), 7u);
    EXPECT_EQ(cols[0].kind, kKindFileOrder);
    EXPECT_EQ(cols[1].title, "G[0]");
    EXPECT_EQ(cols[3].offset, 4);
    EXPECT_EQ(cols[4].title, "long_array");
    uint8_t rec[40] = {};
    for (int i = 0; i < 16; ++i) rec[6 + i] = uint8_t(i);
    std::memcpy(rec + 22, "Eagle", 5);
    rec[30] = 0xab;
    EXPECT_EQ(FieldText(rec, 40, 0, cols[4]), "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
    EXPECT_EQ(FieldText(rec, 40, 0, cols[5]), "Eagle");
    EXPECT_EQ(FieldText(rec, 40, 0, cols[6]), "ab00");
    // A column that would read past the record shows nothing and compares equal.
    ColumnDesc outside{"x", 50, 38, kKindI32};
    EXPECT_EQ(FieldText(rec, 40, 0, outside), "");
    EXPECT_EQ(CompareField(rec, rec, 40, outside), 0);
}

}  // namespace
}  // namespace tablon::test
