// The database maintenance commands: what each writes, what it says, and their command-line
// forms.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "sensors/SensorMaintenance.h"
#include "sensors/SensorTestFixture.h"
#include "vehicles/Maintenance.h"

namespace tablon::test {
namespace {

TEST(SortHardpointTables, WeaponListsPackInOrderWithTheirCounts) {
    WeaponListRecord l;
    const uint16_t refs[] = {5, 0, 7, 0, 9};
    const uint8_t counts[] = {1, 4, 2, 0, 3};
    for (int j = 0; j < 5; ++j) l.SetEntry(j, refs[j], counts[j]);
    l.SetEntry(40, 11, 6);  // beyond the 32 entries of a 112-byte file: left alone there
    WeaponListRecord small = l;
    PackWeaponList(small, WeaponListEntries(112));
    EXPECT_EQ(WeaponListEntries(112), 32);
    EXPECT_EQ(WeaponListEntries(208), 64);
    const uint16_t packedRefs[] = {5, 7, 9, 0, 0};
    const uint8_t packedCounts[] = {1, 2, 3, 0, 0};
    for (int j = 0; j < 5; ++j) {
        EXPECT_EQ(small.Weapon(j), packedRefs[j]) << j;
        EXPECT_EQ(small.Count(j), packedCounts[j]) << j;
    }
    EXPECT_EQ(small.Weapon(40), 11);
    PackWeaponList(l, WeaponListEntries(208));
    EXPECT_EQ(l.Weapon(3), 11);
    EXPECT_EQ(l.Count(3), 6);
    EXPECT_EQ(l.Weapon(40), 0);
    EXPECT_EQ(l.Count(40), 0);
}

VehicleRecord Slots(std::vector<uint16_t> refs) {
    VehicleRecord v;
    for (size_t s = 0; s < refs.size(); ++s) v.SetSlot(int(s), refs[s], uint8_t(refs[s] ? 9 : 0));
    return v;
}

TEST(SortHardpointTables, SlotGapsAndHowTheyClose) {
    VehicleRecord v = Slots({0, 0, 12, 0});
    v.SetRackBit(2, true);
    v.SetVisibleBit(1, true);  // the empty slot's own bit stays set
    EXPECT_TRUE(HasSlotGap(v));
    PackSlots(v);
    EXPECT_EQ(v.SlotRef(0), 0);
    EXPECT_EQ(v.SlotRef(1), 12);
    EXPECT_EQ(v.SlotLoad(1), 9);
    EXPECT_EQ(v.SlotRef(2), 0);
    EXPECT_EQ(v.SlotLoad(2), 0);
    EXPECT_TRUE(v.RackBit(1));
    EXPECT_FALSE(v.RackBit(2));
    EXPECT_TRUE(v.VisibleBit(1));

    EXPECT_FALSE(HasSlotGap(Slots({1, 2, 3, 4, 5})));
    std::vector<uint16_t> all(16, 3);
    all[15] = 0;
    EXPECT_FALSE(HasSlotGap(Slots(all)));
    // Slot 15 moves into a gap at 14.
    all[14] = 0;
    all[15] = 8;
    VehicleRecord last = Slots(all);
    EXPECT_TRUE(HasSlotGap(last));
    PackSlots(last);
    EXPECT_EQ(last.SlotRef(14), 8);
    EXPECT_EQ(last.SlotRef(15), 0);
}

class MaintenanceTest : public SensorTest {};

TEST_F(MaintenanceTest, SortHardpointTablesRunsItsThreeStages) {
    WeaponListRecord holes = List("Holes", {5, 0, 7});
    lists_ = {{}, holes};
    vehicles_ = {Vehicle("Packed", 1), Vehicle("Gappy", 1), Vehicle("Edge", 1)};
    vehicles_[0].SetSlot(0, 1, 9);
    vehicles_[1].SetSlot(3, 1, 9);
    vehicles_[2].SetSlot(0, 1, 9);
    vehicles_[2].SetSlot(15, 1, 9);
    vcdRecordSize_ = 156;
    ct_ = {CtEntry(kAir), CtEntry(kAir)};
    OpenSensors();
    const size_t vcdSize = ReadBytes(Path("vantor.vcd")).size();

    // Cancelled review: the lists are packed, the vehicles are not.
    std::vector<ListRow> rows;
    std::string count;
    ui_.QueueDialog([&](Form& f) {
        rows = f.Rows(maintdlg::kChangedVehicles);
        count = f.Text(maintdlg::kChangedCount);
        f.Press(kIdCancel);
    });
    EXPECT_TRUE(SortHardpointTables(Ctx()));
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{"WLD tables sorted"}));
    EXPECT_EQ(Stored<WeaponListRecord>(FileId::Wld, 1).Weapon(1), 7);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"Gappy", "1"}));
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"Edge", "2"}));
    EXPECT_EQ(count, "2");
    EXPECT_EQ(StoredVehicle(1).SlotRef(3), 1);

    // "Fix Records": every vehicle packed; the file keeps its older record size.
    ui_.Clear();
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    EXPECT_TRUE(SortHardpointTables(Ctx()));
    EXPECT_EQ(ui_.Texts(),
              (std::vector<std::string>{"WLD tables sorted", "Sorted VCD hardpoint tables"}));
    EXPECT_EQ(StoredVehicle(1).SlotRef(1), 1);
    EXPECT_EQ(StoredVehicle(1).SlotRef(3), 0);
    EXPECT_EQ(StoredVehicle(2).SlotRef(1), 1);
    EXPECT_EQ(StoredVehicle(0).SlotRef(0), 1);
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")).size(), vcdSize);
    EXPECT_EQ(ui_.BusyDepth(), 0);
}

TEST_F(MaintenanceTest, SortHardpointTablesVerbPrintsTheReviewAndFixesOnYes) {
    lists_ = {{}, List("Holes", {0, 5})};
    vehicles_ = {Vehicle("Gappy", 1)};
    vehicles_[0].SetSlot(2, 1, 9);
    ct_ = {CtEntry(kAir), CtEntry(kAir)};
    OpenSensors();
    CloseForCli();
    ASSERT_EQ(Run({"run", "sort-hardpoint-tables"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Name\tVCD-Index\nGappy\t0\n");
    // The run ends by saying how many records it wrote: both lists.
    EXPECT_EQ(err_.str(), "WLD tables sorted\n2 records written\n");
    ASSERT_EQ(Run({"run", "sort-hardpoint-tables", "--yes", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("\"cells\": [\"Gappy\", \"0\"]"), std::string::npos);
    EXPECT_EQ(err_.str(), "WLD tables sorted\nSorted VCD hardpoint tables\n3 records written\n");
    ASSERT_EQ(Run({"run", "sort-hardpoint-tables", "--no"}), 0);
    EXPECT_EQ(out_.str(), "Name\tVCD-Index\n");
    // A weapon-list file cut short cannot be read to its count: exit 1.
    Bytes wld = ReadBytes(Path("vantor.wld"));
    wld[0] = 5;
    WriteBytes(Path("vantor.wld"), wld);
    EXPECT_NE(Run({"run", "sort-hardpoint-tables", "--yes"}), 0);
}

TEST_F(MaintenanceTest, CombatType8ChangesOnlyWhatNeedsIt) {
    // Vehicle 0: no air hit, entry 1 -> acd 0 (class 3). Vehicle 1: same acd through entry 2.
    // Vehicle 2: hits air. Vehicle 3: entry 3 is a weapon entry naming acd 1. Vehicle 4: a
    // negative alternate reference. Vehicle 5: acd 2, already 8.
    ct_ = {CtEntry(kAir),       VehicleEntry(0, 0), VehicleEntry(1, 0), VehicleEntry(3, 1),
           VehicleEntry(4, -1), VehicleEntry(5, 2), VehicleEntry(2, 1)};
    ct_[3].b[CtRecord::kDataType] = 6;
    vehicles_ = {Vehicle("A", 1), Vehicle("B", 2), Vehicle("C", 6),
                 Vehicle("D", 3), Vehicle("E", 4), Vehicle("F", 5)};
    vehicles_[2].b[VehicleRecord::kHit + 5] = 10;
    acd_ = {Acd(3), Acd(4), Acd(8)};
    OpenSensors();
    ui_.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(SetCombatType8(*db_, ui_));
    EXPECT_EQ(ui_.Messages()[0].title, "Warning");
    EXPECT_EQ(ui_.Messages()[0].icon, Icon::Question);
    EXPECT_EQ(ui_.Messages()[1].text, "1 entry processed");
    EXPECT_EQ(ui_.Messages()[1].title, "Number of entries processed");
    EXPECT_EQ(ui_.Messages()[1].icon, Icon::Information);
    EXPECT_EQ(Stored<AircraftDataRecord>(FileId::Acd, 0).Get<int32_t>(0), 8);
    EXPECT_EQ(Stored<AircraftDataRecord>(FileId::Acd, 1).Get<int32_t>(0), 4);

    ui_.Clear();
    ui_.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(SetCombatType8(*db_, ui_));
    EXPECT_EQ(ui_.Texts().back(), "No entry processed");
    ui_.Clear();
    EXPECT_TRUE(SetCombatType8(*db_, ui_));  // no answer: No
    EXPECT_EQ(ui_.Texts().size(), 1u);

    CloseForCli();
    EXPECT_EQ(Run({"run", "set-combat-type-8", "--yes"}), 0);
    EXPECT_NE(err_.str().find("No entry processed"), std::string::npos);
}

TEST_F(MaintenanceTest, CombatType8CountsSeveralAsEntries) {
    ct_ = {CtEntry(kAir), VehicleEntry(0, 0), VehicleEntry(1, 1)};
    vehicles_ = {Vehicle("A", 1), Vehicle("B", 2)};
    acd_ = {Acd(3), Acd(4)};
    OpenSensors();
    CloseForCli();
    ASSERT_EQ(Run({"run", "set-combat-type-8", "--yes"}), 0);
    EXPECT_NE(err_.str().find("2 entries processed"), std::string::npos) << err_.str();
}

TEST(PulseDoppler, FlagsFromTheBeamDistance) {
    EXPECT_EQ(PulseDopplerFlags(0x5F, 1.0f), 0x3F);
    EXPECT_EQ(PulseDopplerFlags(0x7F, 0.0f), 0x1F);
    EXPECT_EQ(PulseDopplerFlags(0x7F, -0.0f), 0x1F);
    EXPECT_EQ(PulseDopplerFlags(0x101, 2.0f), 0x161);
    EXPECT_EQ(PulseDopplerFlags(0x01, NAN), 0x61);
}

TEST_F(MaintenanceTest, PulseDopplerRewritesLongRadarsAndLeavesShortFilesAlone) {
    RadarRecord a, b;
    a.Set<float>(RadarRecord::kBeamDistance, 1.0f);
    a.Set<uint16_t>(RadarRecord::kFlags, 0x5F);
    b.Set<float>(RadarRecord::kBeamDistance, 0.5f);
    radars_ = {a, b};
    OpenSensors();
    EXPECT_TRUE(SetPulseDopplerFlags(*db_, ui_));
    EXPECT_TRUE(ui_.Texts().empty());
    EXPECT_EQ(Stored<RadarRecord>(FileId::Rcd, 0).Flags(), 0x3F);
    EXPECT_EQ(Stored<RadarRecord>(FileId::Rcd, 1).Flags(), 0x60);

    CloseForCli();
    radarSize_ = 56;
    OpenSensors();
    CloseForCli();
    const Bytes before = ReadBytes(Path("vantor.rcd"));
    EXPECT_EQ(Run({"run", "set-pulse-doppler-flag"}), 0);
    EXPECT_EQ(err_.str(), "0 records written\n");
    EXPECT_EQ(ReadBytes(Path("vantor.rcd")), before);
}

TEST_F(MaintenanceTest, CockpitListWritesAirVehiclesWithinTheirFields) {
    ct_ = {CtEntry(kAir), CtEntry(kAir), CtEntry(kLand), CtEntry(kAir, 1)};
    ct_[1].SetGraphic(0, -1);
    ct_[3].SetGraphic(0, 42);
    vehicles_ = {Vehicle("Jet", 1), Vehicle("Tank", 2), Vehicle("Zero", 0), Vehicle("", 3)};
    // A name that fills its 14 bytes and a cockpit code of 5 characters with no terminator.
    std::memset(vehicles_[3].b + VehicleRecord::kName, 'N', VehicleRecord::kNameSize);
    std::memcpy(vehicles_[3].b + VehicleRecord::kCockpit, "ABCDEFGH", 5);
    vehicles_[3].b[VehicleRecord::kCockpit + 5] = 'Z';
    OpenSensors();
    const std::string out = Path("cockpit.txt");
    ui_.QueueFile(out);
    EXPECT_TRUE(CreateCockpitList(Ctx()));
    EXPECT_EQ(ui_.FileRequests()[0].title, "Save filename");
    EXPECT_EQ(ui_.Texts().back(), "Sucessfully written file");
    std::ostringstream expected;
    expected << "  Aircraft name  CT number  NCTR-Name\n\n"
             << "            Jet      65535           \n"
             << " NNNNNNNNNNNNNN         42      ABCDE\n";
    std::ifstream in(out);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), expected.str());

    // A second run overwrites; a file of the set or a path that cannot be opened is refused.
    ui_.Clear();
    EXPECT_TRUE(WriteCockpitList(*db_, ui_, out));
    EXPECT_EQ(ReadBytes(out).size(), expected.str().size());
    EXPECT_FALSE(WriteCockpitList(*db_, ui_, Path("vantor.vcd")));
    EXPECT_EQ(ui_.Texts().back(), "Couldn't open csv source file!");
    CloseForCli();
    EXPECT_EQ(Run({"run", "create-cockpit-list", Path("none/x.txt")}), 1);
    EXPECT_EQ(err_.str(),
              "Couldn't open csv source file!\ntablon-cli: run create-cockpit-list failed\n"
              "0 records written\n");
    EXPECT_EQ(Run({"run", "create-cockpit-list", out}), 0);
    EXPECT_EQ(err_.str(), "Sucessfully written file\n0 records written\n");
}

TEST_F(MaintenanceTest, LowAirDialogTakesZeroToOne) {
    OpenSensors();
    ui_.QueueDialogTexts({{maintdlg::kLowAir, "1.5"}});
    ASSERT_TRUE(Frame().Run(cmd::kSetLowAir));
    EXPECT_EQ(ui_.Texts().back(), "Please enter a number between 0 and 1.");
    EXPECT_FLOAT_EQ(LowAirFactor(), kDefaultLowAirFactor);
    ui_.QueueDialogTexts({{maintdlg::kLowAir, "1"}});
    ASSERT_TRUE(Frame().Run(cmd::kSetLowAir));
    EXPECT_EQ(LowAirFactor(), 1.0f);
}

}  // namespace
}  // namespace tablon::test
