// The filter row of the list views: the expression language of one box, and the filtered rows
// of a view through sorts, row changes, selection and the lists written out.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shell/ListFilter.h"
#include "shell/ShellTestFixture.h"
#include "shell/ViewText.h"

namespace tablon::test {
namespace {

bool Passes(const std::string& filter, const std::string& cell, bool numeric = true) {
    ColumnFilter f;
    std::string error;
    EXPECT_TRUE(f.Parse(filter, error)) << filter << ": " << error;
    return f.Matches(cell, numeric);
}

TEST(ColumnFilterTest, PlainTextContainsIgnoringCase) {
    EXPECT_TRUE(Passes("aim", "AIM-9L"));
    EXPECT_TRUE(Passes("  9l ", "AIM-9L"));
    EXPECT_FALSE(Passes("aim-7", "AIM-9L"));
    // A plain number is text too: it matches where the digits appear.
    EXPECT_TRUE(Passes("12", "112"));
    EXPECT_TRUE(Passes("\\>5", "a>5b"));  // a backslash takes the rest literally
    ColumnFilter blank;
    std::string error;
    ASSERT_TRUE(blank.Parse("   ", error));
    EXPECT_FALSE(blank.Active());
    EXPECT_TRUE(blank.Matches("anything", false));
}

TEST(ColumnFilterTest, ComparisonsByNumberInNumberColumnsAndByTextElsewhere) {
    EXPECT_TRUE(Passes(">100", "120"));
    EXPECT_FALSE(Passes(">100", "100"));
    EXPECT_TRUE(Passes(">=100", "100"));
    EXPECT_TRUE(Passes("<9", "-3"));
    EXPECT_FALSE(Passes("<9", "12"));  // as text "12" < "9"; as numbers not
    EXPECT_TRUE(Passes("<9", "12", false));
    EXPECT_TRUE(Passes("=0.5", "0.5"));
    EXPECT_TRUE(Passes("=1e+06", "1000000"));
    EXPECT_TRUE(Passes("!=3", "4"));
    EXPECT_TRUE(Passes("=x1f", "x1f"));
    EXPECT_TRUE(Passes("=31", "x1f"));  // a hexadecimal cell is its value
    EXPECT_TRUE(Passes(">0x10", "x11"));
    // Texts compare ignoring case.
    EXPECT_TRUE(Passes("=aim-9l", "AIM-9L", false));
    EXPECT_TRUE(Passes(">b", "Charlie", false));
    EXPECT_FALSE(Passes("<b", "Charlie", false));
    // A cell of a number column that shows a name has no place among numbers.
    EXPECT_FALSE(Passes(">100", "n/a"));
    EXPECT_FALSE(Passes("<100", "n/a"));
    EXPECT_FALSE(Passes("=5", "n/a"));
    EXPECT_TRUE(Passes("!=5", "n/a"));
    EXPECT_TRUE(Passes("=N/A", "n/a"));
}

TEST(ColumnFilterTest, RangesAndRegularExpressions) {
    EXPECT_TRUE(Passes("10..20", "10"));
    EXPECT_TRUE(Passes("10..20", "20"));
    EXPECT_FALSE(Passes("10..20", "21"));
    EXPECT_FALSE(Passes("10..20", "9.5"));
    EXPECT_TRUE(Passes("..5", "-100"));
    EXPECT_TRUE(Passes("5..", "100"));
    EXPECT_FALSE(Passes("5..", "n/a"));
    EXPECT_TRUE(Passes("b..d", "Charlie", false));
    EXPECT_FALSE(Passes("b..c", "Charlie", false));  // "charlie" sorts after "c"

    EXPECT_TRUE(Passes("/^AIM-[0-9]+$/", "AIM-120"));
    EXPECT_FALSE(Passes("/^aim/", "AIM-120"));
    EXPECT_TRUE(Passes("/^aim/i", "AIM-120"));
    ColumnFilter f;
    std::string error;
    EXPECT_FALSE(f.Parse("/([a-/", error));
    EXPECT_NE(error.find("not a regular expression"), std::string::npos);
}

// A class-table list with a text, an integer and a float column.
class FilterView : public CMvView {
  public:
    explicit FilterView(ShellContext& ctx)
        : CMvView(ctx, MakeSource(ctx.db, {FileId::Ct}),
                  {{"No", 50, 0, kKindFileOrder},
                   {"Name", 50, 28, kKindText, 8},
                   {"Value", 50, 16, kKindI32},
                   {"Float", 50, 4, kKindF32}}) {}
    const char* ClassName() const override { return "FilterView"; }
    using CMvView::FillCells;
    using CMvView::InsertRow;
    using CMvView::RemoveRow;
};

CtRecord Named(const char* name, int32_t value, float f = 0) {
    CtRecord r;
    r.Set<int32_t>(16, value);
    r.Set<float>(4, f);
    std::memcpy(r.b + 28, name, std::min<size_t>(8, std::strlen(name)));
    return r;
}

class ViewFilterTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteSet();
        WriteCt({Named("AIM-9", 120), Named("AGM-65", 40), Named("aim-7", 90), Named("Mk-82", 150),
                 Named("AIM-120", 300)});
        Open();
        view_ = std::make_unique<FilterView>(Ctx());
        view_->OnInitialUpdate();
    }
    std::unique_ptr<FilterView> view_;
};

TEST_F(ViewFilterTest, FiltersCombineSurviveSortsAndClear) {
    ASSERT_TRUE(view_->SetFilter(1, "aim"));
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 2, 4}));
    ASSERT_TRUE(view_->SetFilter(2, ">100"));
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 4}));
    EXPECT_EQ(view_->RowCountText(), "2 of 5 rows");
    EXPECT_EQ(view_->CellText(1, 1), "AIM-120");

    view_->OnColumnClick(2);  // by value, ascending, then descending
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 4}));
    view_->OnColumnClick(2);
    EXPECT_EQ(Order(*view_), (std::vector<int>{4, 0}));

    // A filter that is no filter leaves the column's filter as it was.
    std::string error;
    EXPECT_FALSE(view_->SetFilter(1, "/(/", &error));
    EXPECT_EQ(view_->FilterText(1), "aim");
    EXPECT_EQ(view_->RowCount(), 2);

    view_->ClearFilters();
    EXPECT_FALSE(view_->Filtered());
    EXPECT_EQ(Order(*view_), (std::vector<int>{4, 3, 0, 2, 1}));
    EXPECT_EQ(view_->RowCountText(), "5 of 5 rows");
}

TEST_F(ViewFilterTest, RowChangesFollowTheFilters) {
    ASSERT_TRUE(view_->SetFilter(2, ">=100"));
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 3, 4}));
    // A refreshed row that no longer passes leaves the rows shown.
    view_->FillCells(1, Named("Mk-82", 10).data());
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 4}));
    // A new row shows only when it passes.
    EXPECT_EQ(view_->InsertRow(5, Named("GBU", 5).data()), -1);
    EXPECT_EQ(view_->RowCount(), 2);
    EXPECT_EQ(view_->TotalRowCount(), 6);
    const int at = view_->InsertRow(6, Named("GBU-2", 500).data());
    EXPECT_EQ(at, 2);
    EXPECT_EQ(view_->ItemData(at), 6);
    // Removing a shown row removes that record's row, whichever slot it had.
    view_->RemoveRow(0);
    EXPECT_EQ(Order(*view_), (std::vector<int>{4, 6}));
    view_->ClearFilters();
    EXPECT_EQ(view_->RowCount(), 6);
    EXPECT_TRUE(view_->HasRecordRow(5));
    EXPECT_FALSE(view_->HasRecordRow(0));
}

TEST_F(ViewFilterTest, HiddenRowsLoseTheirSelectionAndCopyTakesTheShownOnes) {
    view_->SetSelection({0, 1, 2});  // records 0, 1, 2
    ASSERT_TRUE(view_->SetFilter(1, "a"));
    ASSERT_TRUE(view_->SetFilter(3, "=0"));
    ASSERT_TRUE(view_->SetFilter(1, "/^A/"));  // case-sensitive: "aim-7" goes
    EXPECT_EQ(Order(*view_), (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(view_->Selection(), (std::vector<int>{0, 1}));
    EXPECT_EQ(view_->SelectedCount(), 2);

    CommandState s;
    ASSERT_TRUE(view_->QueryCommand(cmd::kEditCopy, s));
    EXPECT_TRUE(s.enabled);
    ASSERT_TRUE(view_->RunCommand(cmd::kEditCopy));
    EXPECT_EQ(ui_.Clipboard(), "No\tName\tValue\tFloat\n0\tAIM-9\t120\t0\n1\tAGM-65\t40\t0\n");

    view_->ClearSelection();
    ASSERT_TRUE(view_->QueryCommand(cmd::kEditCopy, s));
    EXPECT_FALSE(s.enabled);
    ASSERT_TRUE(view_->QueryCommand(cmd::kClearFilters, s));
    EXPECT_TRUE(s.enabled);
    view_->RunCommand(cmd::kClearFilters);
    ASSERT_TRUE(view_->QueryCommand(cmd::kClearFilters, s));
    EXPECT_FALSE(s.enabled);
}

TEST_F(ViewFilterTest, ExportListWritesWhatListWritesAndRefusesFilesOfTheSet) {
    ASSERT_TRUE(view_->SetFilter(2, "<100"));
    std::ostringstream csv, json;
    WriteViewTable(*view_, TableFormat::Csv, csv);
    WriteViewTable(*view_, TableFormat::Json, json);
    EXPECT_EQ(csv.str(), "No,Name,Value,Float\n1,AGM-65,40,0\n2,aim-7,90,0\n");

    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ui_.QueueFile(Path("out.csv"));
    view_->RunCommand(cmd::kExportList);
    EXPECT_EQ(read(Path("out.csv")), csv.str());
    ASSERT_FALSE(ui_.FileRequests().empty());
    EXPECT_TRUE(ui_.FileRequests().back().save);
    ui_.QueueFile(Path("out.JSON"));
    view_->RunCommand(cmd::kExportList);
    EXPECT_EQ(read(Path("out.JSON")), json.str());

    const std::string ct = read(Path("vantor.ct"));
    ui_.QueueFile(Path("vantor.ct"));
    view_->RunCommand(cmd::kExportList);
    EXPECT_EQ(read(Path("vantor.ct")), ct);
    ASSERT_FALSE(ui_.Texts().empty());
    EXPECT_NE(ui_.Texts().back().find("is a file of the database"), std::string::npos);
}

}  // namespace
}  // namespace tablon::test
