#include <gtest/gtest.h>

#include <sstream>

#include "shell/GenericView.h"
#include "shell/ShellTestFixture.h"
#include "shell/ViewText.h"

namespace tablon::test {
namespace {

std::vector<std::string> ChildLabels(const CVantorTree& tree, int item) {
    std::vector<std::string> out;
    for (int c : tree.ItemAt(item).children) out.push_back(tree.Label(c));
    return out;
}

int Child(const CVantorTree& tree, int item, const std::string& label) {
    for (int c : tree.ItemAt(item).children)
        if (tree.Label(c) == label) return c;
    return -1;
}

TEST(CategoryTreeTest, SortedDisplayOrderAndDepthFirstIds) {
    CVantorTree tree;
    tree.Build([](FileId) { return true; });
    ASSERT_EQ(tree.RootItems().size(), 1u);
    const int root = tree.RootItems()[0];
    EXPECT_EQ(tree.Label(root), "Class Table");
    EXPECT_EQ(ChildLabels(tree, root),
              (std::vector<std::string>{
                  "Aircraft Data", "DirtyData", "Features", "Hardpoints", "Hdr Data", "IR Data",
                  "Objectives", "Phd Data", "Radar Data", "Rockets", "RWD Data", "Sim Weapon Data",
                  "Sounds", "Squadron Stores", "Units", "Vehicles", "VSD Data", "Weapons"}));
    const int vehicles = tree.VehiclesItem();
    EXPECT_EQ(tree.Label(vehicles), "Vehicles");
    EXPECT_EQ(ChildLabels(tree, vehicles),
              (std::vector<std::string>{"Aircraft", "Land", "Ship", "Submarine"}));
    EXPECT_EQ(ChildLabels(tree, Child(tree, root, "Hdr Data")),
              (std::vector<std::string>{"LodColours", "Lods", "Parent", "Textures"}));

    // Ids count depth first in table order, not in display order.
    EXPECT_EQ(tree.ItemData(root), 0u);
    EXPECT_EQ(tree.ItemData(vehicles), 1u);
    EXPECT_EQ(tree.ItemData(Child(tree, vehicles, "Submarine")), 5u);
    EXPECT_EQ(tree.ItemData(Child(tree, root, "Weapons")), 6u);
    const int units = Child(tree, root, "Units");
    EXPECT_EQ(tree.ItemData(units), 10u);
    EXPECT_EQ(tree.FindById(11)->viewClass, "CUnitAirView");
    EXPECT_EQ(tree.FindById(2)->viewClass, "CAircraftVclView");
    EXPECT_EQ(tree.FindById(999), nullptr);
    EXPECT_EQ(tree.Image(units), 0);
    EXPECT_EQ(tree.SelectedImage(Child(tree, root, "Weapons")), 23);
}

TEST(CategoryTreeTest, OptionalNodesLeaveNoGap) {
    CVantorTree tree;
    tree.Build([](FileId id) { return id == FileId::Rkt; });
    const auto& children = tree.Table()[0].children;
    EXPECT_EQ(children[children.size() - 2].label, "Hdr Data");
    EXPECT_EQ(children.back().label, "Rockets");

    tree.Build([](FileId) { return false; });
    EXPECT_EQ(tree.Table()[0].children.back().label, "Hdr Data");
}

TEST(CategoryTreeTest, Paths) {
    CVantorTree tree;
    tree.Build([](FileId) { return true; });
    std::string error;
    EXPECT_EQ(tree.PathOf(tree.FindPath("Vehicles/Aircraft", error)),
              "Class Table/Vehicles/Aircraft");
    EXPECT_EQ(tree.PathOf(tree.FindPath("units/aircraft", error)), "Class Table/Units/Aircraft");
    EXPECT_EQ(tree.PathOf(tree.FindPath("Class Table", error)), "Class Table");
    EXPECT_EQ(tree.PathOf(tree.FindPath("Lods", error)), "Class Table/Hdr Data/Lods");
    EXPECT_EQ(tree.FindPath("Aircraft", error), -1);
    EXPECT_NE(error.find("ambiguous"), std::string::npos);
    EXPECT_EQ(tree.FindPath("Vehicles/Tanks", error), -1);
}

class FrameTest : public ShellTest {};

TEST_F(FrameTest, StartKeepsTheFirstViewAndOnlyTheTitleChanges) {
    WriteSet();
    // Vehicles on class-table records 1 and 2, which are air vehicles.
    CtRecord air;
    air.b[CtRecord::kDomain] = 2;
    WriteCt({CtRecord{}, air, air});
    Bytes vcd = CountFile(3, 160);
    for (int i = 0; i < 3; ++i) vcd[2 + size_t(i) * 160] = uint8_t(i);
    WriteBytes(Path("vantor.vcd"), vcd);
    Open();
    app_->Start();
    PaneView* first = Frame().View();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->ClassName(), "CVclView");
    EXPECT_EQ(Frame().Title(), "Vehicles");
    EXPECT_EQ(ui_.BusyDepth(), 0);

    CMvView& vehicles = *first->AsList();
    vehicles.OnColumnClick(0);  // it came up sorted by column 0: now descending
    vehicles.Select(1);
    // Choosing the node whose view is shown keeps the view as it is.
    Frame().OnTreeSelectionChanged(Frame().Tree().VehiclesItem());
    EXPECT_EQ(Frame().View(), first);
    EXPECT_FALSE(vehicles.Ascending());
    EXPECT_EQ(vehicles.FirstSelected(), 1);

    // "Aircraft" under "Vehicles" and under "Units" open different views.
    OpenList("Vehicles/Aircraft");
    EXPECT_STREQ(Frame().View()->ClassName(), "CAircraftVclView");
    EXPECT_EQ(Frame().Title(), "Aircraft");
    OpenList("Units/Aircraft");
    EXPECT_STREQ(Frame().View()->ClassName(), "CUnitAirView");
}

TEST_F(FrameTest, ADroppedFileNamesTheDocumentAndTheTitleShowsItsPath) {
    WriteSet();
    Open();
    app_->Start();
    struct Titles : FrameObserver {
        int changes = 0;
        void TitleChanged() override { ++changes; }
    } titles;
    Frame().AddObserver(&titles);
    PaneView* shown = Frame().View();
    const std::string path = Path("elsewhere/other.vcd");  // nothing is read from it
    EXPECT_TRUE(Frame().OpenDocumentFile(path));
    EXPECT_EQ(app_->Doc().Name(), path);
    EXPECT_EQ(Frame().Title(), path);
    EXPECT_EQ(titles.changes, 1);
    EXPECT_EQ(Frame().View(), shown);
    EXPECT_TRUE(ui_.Texts().empty());
    EXPECT_FALSE(Frame().OpenDocumentFile(""));
    EXPECT_EQ(Frame().Title(), path);
    // Choosing a category shows its label again.
    OpenList("Weapons");
    EXPECT_EQ(Frame().Title(), "Weapons");
    Frame().RemoveObserver(&titles);
}

TEST_F(FrameTest, EveryCategoryOpensAList) {
    WriteSet(3);
    Open();
    const CVantorTree& tree = Frame().Tree();
    for (int item = 0; item < tree.ItemCount(); ++item) {
        Frame().OnTreeSelectionChanged(item);
        ASSERT_NE(Frame().View(), nullptr) << tree.PathOf(item);
        const SourceRef src = tree.ItemAt(item).node->source;
        // "Hdr Data" is the header form.
        if (src.table == ModelTable::Header) {
            EXPECT_NE(Frame().View()->AsForm(), nullptr);
            continue;
        }
        CMvView* list = Frame().View()->AsList();
        ASSERT_NE(list, nullptr) << tree.PathOf(item);
        // The vehicle and unit records of the pattern name class-table records past the end of
        // the class table: the vehicle and unit lists leave them out.
        const bool domainList = src.file == FileId::Vcd || src.file == FileId::Ucd;
        const int expected = domainList                ? 0
                             : src.file != FileId::Hdr ? 3
                                                       : 0;  // an empty model header
        EXPECT_EQ(list->RowCount(), expected) << tree.PathOf(item);
        EXPECT_GE(list->ColumnCount(), 2) << tree.PathOf(item);
    }
}

TEST_F(FrameTest, GenericViewShowsARecordReadOnlyAndExports) {
    WriteSet();
    Open();
    // Every category has a view of its own: the generic view is tried on the sim weapon data.
    app_->Registry().RegisterView("CSwdView", MakeGenericView);
    app_->Registry().RegisterRecordDialog(
        {FileId::Swd}, [](ShellContext& ctx, int index, Bytes& record, const std::string&) {
            auto source = MakeSource(ctx.db, {FileId::Swd});
            CRecordForm form(source->TypeName(), source->Fields(), index, record);
            ctx.ui.RunDialog(form);
            return Answer::Cancel;
        });
    CMvView& generic = OpenList("Sim Weapon Data");
    EXPECT_FALSE(Frame().StateOf(cmd::kShowItem).enabled);
    EXPECT_FALSE(Frame().StateOf(cmd::kExportItem).enabled);
    EXPECT_FALSE(Frame().StateOf(cmd::kAddItem).enabled);
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    generic.Select(1);
    EXPECT_TRUE(Frame().StateOf(cmd::kShowItem).enabled);
    EXPECT_TRUE(Frame().StateOf(cmd::kExportItem).enabled);

    const Bytes before = ReadBytes(Path("vantor.swd"));
    Form* shown = nullptr;
    size_t rows = 0;
    ui_.QueueDialog([&](Form& f) {
        shown = &f;
        rows = f.Rows(CRecordForm::kIdFields).size();
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kShowItem);
    ASSERT_EQ(ui_.Dialogs().size(), 1u);
    EXPECT_EQ(ui_.Dialogs()[0].title, "SWD Record 1");
    EXPECT_GT(rows, 0u);
    EXPECT_EQ(ReadBytes(Path("vantor.swd")), before);

    ui_.QueueFile(Path("out.vte"));
    Frame().Run(cmd::kExportItem);
    EXPECT_EQ(ReadBytes(Path("out.vte")).size(), 12u + 52u);
    // Records without an export code offer no export.
    OpenList("Lods");
    EXPECT_FALSE(Frame().StateOf(cmd::kExportItem).enabled);
}

TEST_F(FrameTest, ListCategoryWritesTheRowsInViewOrder) {
    WriteSet(4);
    Open();
    std::ostringstream out, err;
    ASSERT_EQ(
        ListCategory(*db_, ui_, "Class Table", {"No", "1"}, false, TableFormat::Tsv, out, err), 0)
        << err.str();
    std::istringstream lines(out.str());
    std::string header, row;
    std::getline(lines, header);
    EXPECT_EQ(header.substr(0, 20), "Name\tNo\tDomain\tClass");
    EXPECT_EQ(std::count(header.begin(), header.end(), '\t'), 31);
    std::vector<std::string> firstCells;
    while (std::getline(lines, row)) firstCells.push_back(row.substr(row.find('\t') + 1, 1));
    EXPECT_EQ(firstCells, (std::vector<std::string>{"3", "2", "1", "0"}));

    std::ostringstream csv;
    ASSERT_EQ(ListCategory(*db_, ui_, "Sim Weapon Data", {}, true, TableFormat::Csv, csv, err), 0);
    EXPECT_EQ(csv.str().substr(0, 5), "Name,");

    std::ostringstream bad;
    EXPECT_EQ(ListCategory(*db_, ui_, "Class Table", {"Nope"}, false, TableFormat::Tsv, bad, err),
              1);
    EXPECT_NE(err.str().find("has no column Nope"), std::string::npos);
}

}  // namespace
}  // namespace tablon::test
