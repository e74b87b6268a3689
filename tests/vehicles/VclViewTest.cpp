// The vehicle lists: which records they show and how, the shared sort mode and the record
// commands.
#include <gtest/gtest.h>

#include "vehicles/VclTestFixture.h"
#include "vehicles/VclView.h"
#include "vehicles/VehicleDialog.h"

namespace tablon::test {
namespace {

using V = VehicleRecord;

class VclViewTest : public VclTest {
  protected:
    // Class-table entries 1 to 5: an air helicopter (type 5), land, sea, undersea and an
    // abstract vehicle; 6 is a land vehicle too. The vehicles name them in mixed order.
    void Standard() {
        ct_ = {CtEntry(kAir),      CtEntry(kAir, 7, 5), CtEntry(kLand), CtEntry(kSea),
               CtEntry(kUndersea), CtEntry(1),          CtEntry(kLand)};
        ct_[1].Set<int16_t>(CtRecord::kAltDataRef, -12);
        vehicles_ = {Vehicle("tank", 2),   Vehicle("Heli", 1), Vehicle("None", 0),
                     Vehicle("Ship", 3),   Vehicle("Sub", 4),  Vehicle("Ghost", 5),
                     Vehicle("Lost", 400), Vehicle("apc", 6)};
    }
    // Scripts the vehicle dialog: the given texts, then "Update".
    void QueueUpdate(std::vector<std::pair<int, std::string>> texts = {}) {
        ui_.QueueDialogTexts(std::move(texts));
    }
};

TEST_F(VclViewTest, EachViewListsItsDomainsAndNeverAVehicleWithoutAClassTableRecord) {
    Standard();
    OpenDb();
    EXPECT_EQ(Names(OpenList("Vehicles")),
              (std::vector<std::string>{"apc", "Ghost", "Heli", "Ship", "Sub", "tank"}));
    EXPECT_EQ(Names(OpenList("Vehicles/Aircraft")), std::vector<std::string>{"Heli"});
    EXPECT_EQ(Names(OpenList("Vehicles/Land")), (std::vector<std::string>{"apc", "tank"}));
    EXPECT_EQ(Names(OpenList("Vehicles/Ship")), std::vector<std::string>{"Ship"});
    CMvView& sub = OpenList("Vehicles/Submarine");
    EXPECT_EQ(Names(sub), std::vector<std::string>{"Sub"});
    EXPECT_STREQ(sub.ClassName(), "CSubVclView");

    // "Add Item" of the empty record appends it and adds its row; the next fill leaves it out.
    CMvView& all = OpenList("Vehicles");
    QueueUpdate();
    Frame().Run(cmd::kAddItem);
    ASSERT_EQ(ui_.Dialogs().back().title, "Vehicle Data Details");
    EXPECT_EQ(db_->Table(FileId::Vcd)->RecordCount(), 9u);
    EXPECT_EQ(StoredVehicle(8), VehicleRecord{});
    EXPECT_EQ(all.RowCount(), 7);
    EXPECT_EQ(all.ItemData(all.PositionOf(8)), 8);
    OpenList("Vehicles/Land");
    EXPECT_EQ(OpenList("Vehicles").RowCount(), 6);

    // Added with a land class-table entry among aircraft, it has its row there until the next
    // fill, and shows in the land list.
    QueueUpdate({{vcldlg::kName, "Jeep"}, {vcldlg::kCtRecd, "6"}});
    OpenList("Vehicles/Aircraft");
    Frame().Run(cmd::kAddItem);
    EXPECT_EQ(StoredVehicle(9).Name(), "Jeep");
    EXPECT_EQ(Frame().View()->AsList()->RowCount(), 2);
    EXPECT_EQ(OpenList("Vehicles/Land").RowCount(), 3);
    EXPECT_EQ(OpenList("Vehicles/Aircraft").RowCount(), 1);
}

TEST_F(VclViewTest, ColumnsCellsAndIcons) {
    Standard();
    VehicleRecord& heli = vehicles_[1];
    heli.Set<uint32_t>(V::kFlags, 0x20000400);
    heli.Set<float>(V::kRadarCs, 2.5f);
    StoreText(heli.b + V::kCockpit, 5, "AB");
    heli.Set<uint32_t>(V::kMtow, 3000000000u);
    heli.b[V::kHit + 4] = 31;
    heli.b[V::kDamage + 10] = 250;
    StoreText(vehicles_[0].b + V::kCockpit, 5, "ABCDE");
    OpenDb();
    CMvView& v = OpenList("Vehicles");
    ASSERT_EQ(v.ColumnCount(), 67);
    const std::vector<std::pair<int, std::string>> titles{
        {0, "Name"},           {1, "Vcl No"},        {2, "VehDef ref"},    {3, "CT ref"},
        {5, "Flags"},          {7, "Ckpit"},         {18, "ECM Strength"}, {22, "Call Sign"},
        {24, "Hit v Static"},  {28, "Hit v LowAir"}, {36, "Str v LowAir"}, {47, "Range v Rail"},
        {55, "Detect v Rail"}, {56, "No Dam"},       {66, "Other Dam"}};
    for (const auto& [c, title] : titles) EXPECT_EQ(v.Column(c).title, title) << c;
    EXPECT_EQ(v.Column(0).width, 100);
    EXPECT_EQ(v.Column(66).width, 50);

    const int row = v.PositionOf(1);
    EXPECT_EQ(v.CellText(row, 0), "Heli");
    EXPECT_EQ(v.CellText(row, 1), "1");
    EXPECT_EQ(v.CellText(row, 2), "-12");  // the class-table record's field at offset 74
    EXPECT_EQ(v.CellText(row, 3), "1");
    EXPECT_EQ(v.CellText(row, 5), "x20000400");
    EXPECT_EQ(v.CellText(row, 6), "2.5");
    EXPECT_EQ(v.CellText(row, 7), "  AB");
    EXPECT_EQ(v.CellText(row, 8), "-1294967296");
    EXPECT_EQ(v.CellText(row, 28), "31");
    EXPECT_EQ(v.CellText(row, 66), "250");
    EXPECT_EQ(v.CellText(v.PositionOf(0), 7), "ABCD");
    // Icons of the class-table records: helicopter, land, sea, undersea, other domains.
    const std::vector<std::pair<int, int>> icons{{1, 5}, {0, 1}, {3, 2}, {4, 3}, {5, 4}};
    for (const auto& [index, icon] : icons) EXPECT_EQ(v.Icon(v.PositionOf(index)), icon);
}

TEST_F(VclViewTest, TheVehicleViewsShareOneSortMode) {
    Standard();
    OpenDb();
    CMvView& all = OpenList("Vehicles");
    // Names without regard to case, at first.
    EXPECT_EQ(Order(all), (std::vector<int>{7, 5, 1, 3, 4, 0}));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByName).checked);
    // Class: by domain (abstract 1, air 2, land 3, sea 4, undersea 7), then by name.
    Frame().Run(cmd::kSortByClass);
    EXPECT_EQ(Order(all), (std::vector<int>{5, 1, 7, 0, 3, 4}));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByClass).checked);
    EXPECT_FALSE(Frame().StateOf(cmd::kSortByName).checked);
    Frame().Run(cmd::kSortByClass);  // again: reversed
    EXPECT_EQ(Order(all), (std::vector<int>{4, 3, 0, 7, 1, 5}));

    // Another vehicle view comes up in the class order too.
    CMvView& land = OpenList("Vehicles/Land");
    EXPECT_EQ(Order(land), (std::vector<int>{7, 0}));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByClass).checked);
    // A column click there becomes the shared mode.
    land.OnColumnClick(1);
    land.OnColumnClick(1);
    EXPECT_EQ(Order(land), (std::vector<int>{7, 0}));
    CMvView& again = OpenList("Vehicles");
    EXPECT_EQ(Order(again), (std::vector<int>{0, 1, 3, 4, 5, 7}));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByFileOrder).checked);
    // Coming from the class order, "Sort by Name" starts ascending.
    Frame().Run(cmd::kSortByClass);
    Frame().Run(cmd::kSortByName);
    EXPECT_EQ(Order(again), (std::vector<int>{7, 5, 1, 3, 4, 0}));
    // "VehDef ref" sorts by the value it shows.
    again.OnColumnClick(2);
    EXPECT_EQ(again.ItemData(0), 1);
}

TEST_F(VclViewTest, ShowItemWritesTheDialogsCopyAndKeepsTheRowInPlace) {
    Standard();
    OpenDb();
    CMvView& v = OpenList("Vehicles");
    v.Select(v.PositionOf(3));
    // A new name and a class-table entry of another domain: the row gets both and stays in
    // name order, selected.
    QueueUpdate({{vcldlg::kName, "Zulu"}, {vcldlg::kCtRecd, "4"}, {vcldlg::kMaxSpeed, "-3"}});
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(StoredVehicle(3).Name(), "Zulu");
    EXPECT_EQ(StoredVehicle(3).CtIndex(), 4);
    EXPECT_EQ(Order(v), (std::vector<int>{7, 5, 1, 4, 0, 3}));
    EXPECT_EQ(v.FirstSelected(), 5);
    EXPECT_EQ(v.Icon(5), 3);
    EXPECT_EQ(v.CellText(5, 16), "-3");

    // Cancel writes nothing; a double click opens the same dialog.
    const Bytes before = ReadBytes(Path("vantor.vcd"));
    ui_.QueueDialog([](Form& f) { f.SetText(vcldlg::kName, "Nope"); });
    v.OnDoubleClick(0);
    EXPECT_EQ(ui_.Dialogs().back().title, "Vehicle Data Details");
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")), before);
}

TEST_F(VclViewTest, AddCopyAppendsMinusTwoWhileTheNameFits) {
    Standard();
    vehicles_[0].SetName("Eleven-char");
    vehicles_[7].SetName("Twelve-chars");
    OpenDb();
    CMvView& v = OpenList("Vehicles/Land");
    std::string number;
    for (int index : {0, 7}) {
        v.Select(v.PositionOf(index));
        ui_.QueueDialog([&](Form& f) {
            number = f.Text(vcldlg::kVclNo);
            f.Press(kIdOk);
        });
        Frame().Run(cmd::kAddCopy);
    }
    EXPECT_EQ(number, "9");  // the number the second copy gets
    VehicleRecord copy = StoredVehicle(8);
    EXPECT_EQ(copy.Name(), "Eleven-char-2");
    copy.SetName("Eleven-char");
    EXPECT_EQ(copy, vehicles_[0]);
    EXPECT_EQ(StoredVehicle(9).Name(), "Twelve-chars");
    EXPECT_EQ(v.RowCount(), 4);
    EXPECT_EQ(v.CellText(v.PositionOf(8), 0), "Eleven-char-2");
}

TEST_F(VclViewTest, DeleteOnlyTheLastRecordAndExportTheSelectedOne) {
    Standard();
    OpenDb();
    CMvView& v = OpenList("Vehicles/Land");
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    v.Select(v.PositionOf(0));
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    EXPECT_TRUE(Frame().StateOf(cmd::kAddCopy).enabled);
    ui_.QueueFile(Path("out.vte"));
    Frame().Run(cmd::kExportItem);
    const Bytes exported = ReadBytes(Path("out.vte"));
    ASSERT_EQ(exported.size(), 12u + 160u);
    EXPECT_EQ(LoadLE<uint32_t>(exported.data()), 5u);  // the vehicle type code
    v.Select(v.PositionOf(7));
    ASSERT_TRUE(Frame().StateOf(cmd::kDeleteItem).enabled);
    const size_t size = ReadBytes(Path("vantor.vcd")).size();
    Frame().Run(cmd::kDeleteItem);
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")).size(), size - 160);
    EXPECT_EQ(Names(v), std::vector<std::string>{"tank"});
}

TEST_F(VclViewTest, DropAsksNamingBothVehiclesAndCopiesTheWholeRecord) {
    Standard();
    vehicles_[3].Set<uint16_t>(V::kHitPoints, 900);
    OpenDb();
    CMvView& v = OpenList("Vehicles");
    ASSERT_TRUE(v.CanDrag());
    const Bytes before = ReadBytes(Path("vantor.vcd"));
    v.BeginDrag(v.PositionOf(3));
    ui_.QueueAnswer(Answer::No);
    v.EndDrag(v.PositionOf(0));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Overwrite Item 0 tank with 3 Ship?"});
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")), before);

    v.BeginDrag(v.PositionOf(3));
    ui_.QueueAnswer(Answer::Yes);
    v.EndDrag(v.PositionOf(0));
    EXPECT_EQ(StoredVehicle(0), vehicles_[3]);
    EXPECT_EQ(Names(v), (std::vector<std::string>{"apc", "Ghost", "Heli", "Ship", "Ship", "Sub"}));
    const int row = v.PositionOf(0);
    EXPECT_EQ(v.Icon(row), 2);
    EXPECT_EQ(v.CellText(row, 1), "0");
    EXPECT_EQ(v.CellText(row, 3), "3");
    EXPECT_EQ(v.CellText(row, 4), "900");
}

TEST_F(VclViewTest, RecalculateStatsTouchesTheVehiclesOfTheViewOnly) {
    Standard();
    weapons_ = {{}, Weapon("Gun", 100, 50)};
    for (auto& veh : vehicles_) veh.SetSlot(0, 1, 10);
    OpenDb();
    CMvView& v = OpenList("Vehicles/Land");
    EXPECT_TRUE(Frame().StateOf(cmd::kRecalculateStats).enabled);
    Frame().Run(cmd::kRecalculateStats);
    EXPECT_EQ(StoredVehicle(0).Hit(3), 50);
    EXPECT_EQ(StoredVehicle(7).Range(4), 83);
    EXPECT_EQ(v.CellText(v.PositionOf(7), 28), "50");
    EXPECT_EQ(v.CellText(v.PositionOf(7), 44), "83");
    for (int other : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(StoredVehicle(other), vehicles_[size_t(other)]);
    // The other views do not have the command.
    OpenList("Weapons");
    EXPECT_FALSE(Frame().StateOf(cmd::kRecalculateStats).enabled);
}

TEST_F(VclViewTest, AnOlderLayoutFileWorksThroughTheDialog) {
    Standard();
    vcdRecordSize_ = 156;
    vehicles_[0].b[V::kEcmStrength] = 9;  // not in the older layout: reads as zero
    vehicles_[0].Set<uint16_t>(V::kHitPoints, 321);
    vehicles_[0].b[V::kSpare] = 0xAB;
    OpenDb();
    CMvView& v = OpenList("Vehicles/Land");
    EXPECT_EQ(v.CellText(v.PositionOf(0), 18), "0");
    EXPECT_EQ(v.CellText(v.PositionOf(0), 4), "321");
    const size_t size = ReadBytes(Path("vantor.vcd")).size();
    v.Select(v.PositionOf(0));
    QueueUpdate({{vcldlg::kHitPoints, "654"}, {vcldlg::kEcm, "100"}, {vcldlg::kName, "T-72"}});
    Frame().Run(cmd::kShowItem);
    const Bytes file = ReadBytes(Path("vantor.vcd"));
    EXPECT_EQ(file.size(), size);
    EXPECT_EQ(LoadLE<uint16_t>(file.data() + 2 + 2), 654);
    EXPECT_EQ(LoadText(file.data() + 2 + 8, 12), "T-72");
    EXPECT_EQ(file[2 + 155], 0xAB);  // the last byte stays last
    EXPECT_EQ(v.CellText(v.PositionOf(0), 0), "T-72");
    // An appended record keeps the older size as well.
    QueueUpdate();
    Frame().Run(cmd::kAddItem);
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")).size(), size + 156);
}

}  // namespace
}  // namespace tablon::test
