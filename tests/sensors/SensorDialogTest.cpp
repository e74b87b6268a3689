// The sensor dialogs: flag words, the aircraft-data sensor rows, degree fields, the usage lists
// and the links from other dialogs.
#include <gtest/gtest.h>

#include <cmath>

#include "sensors/SensorDialogs.h"
#include "sensors/SensorTestFixture.h"
#include "sensors/SensorUsage.h"
#include "vehicles/VehicleDialog.h"

namespace tablon::test {
namespace {

using namespace sensordlg;

TEST(FlagsDialog, FlagWordBecomesExactlyTheBoxes) {
    ScriptedUi ui;
    CFlagsDialog radar(RadarFlagsSetup(), 0x0180 | kRadarPulse);
    radar.Begin(ui);
    EXPECT_FALSE(radar.Enabled(kFlagBox + 5));  // pulse: shown only
    EXPECT_FALSE(radar.Enabled(kFlagBox + 6));  // Doppler
    EXPECT_TRUE(radar.Checked(kFlagBox + 5));
    radar.SetChecked(kFlagBox + 1, true);
    radar.Press(kIdOk);
    EXPECT_EQ(radar.Flags(), kRadarTws | kRadarPulse);

    CFlagsDialog rwr(RwrFlagsSetup(), 0x0013);
    rwr.Begin(ui);
    rwr.SetChecked(kFlagBox + 1, false);
    rwr.Press(kIdOk);
    EXPECT_EQ(rwr.Flags(), 0x0001);
}

class SensorDialogTest : public SensorTest {
  protected:
    Answer RunDialog(FileId file, int index, Bytes& record, const std::string& title = {}) {
        return RunRecordDialog(Ctx(), {file}, index, record, title);
    }
};

TEST_F(SensorDialogTest, RadarDialogKeepsUntouchedFloatsAndDisablesFlagsForShortFiles) {
    RadarRecord r;
    const float range = std::nextafter(1.0f, 2.0f);  // shown as "1", which reads back as 1
    r.Set<float>(RadarRecord::kRange, range);
    r.Set<uint16_t>(RadarRecord::kFlags, 0x21);
    radars_ = {r};
    OpenSensors();
    Bytes copy(r.data(), r.data() + RadarRecord::kSize);
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Find(kName)->label, "Radar Data 0");
        EXPECT_TRUE(f.Enabled(kFlagsButton));
        EXPECT_EQ(f.Text(kFlags), "33");
        f.SetText(kField + 0, "7");  // "Sound"
        f.Press(kIdOk);
    });
    ASSERT_EQ(RunDialog(FileId::Rcd, 0, copy), Answer::Ok);
    RadarRecord after;
    std::memcpy(after.data(), copy.data(), RadarRecord::kSize);
    EXPECT_EQ(after.Get<uint32_t>(RadarRecord::kSound), 7u);
    EXPECT_EQ(after.Get<float>(RadarRecord::kRange), range);

    CloseForCli();
    radarSize_ = 56;
    OpenSensors();
    ui_.QueueDialog([](Form& f) {
        EXPECT_FALSE(f.Enabled(kFlagsButton));
        EXPECT_FALSE(f.Enabled(kFlags));
        f.Press(kIdOk);
    });
    const size_t size = ReadBytes(Path("vantor.rcd")).size();
    ASSERT_TRUE(EditRecord(Ctx(), {FileId::Rcd}, 0, "Update failed"));
    EXPECT_EQ(ReadBytes(Path("vantor.rcd")).size(), size);
}

TEST_F(SensorDialogTest, GimbalDegreesAreShownOnly) {
    IrSensorRecord ir;
    ir.Set<float>(IrSensorRecord::kGimbalLimit, 1.0f);
    ir_ = {ir};
    OpenSensors();
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Text(kDegrees + 2), "57.2958");
        f.SetText(kDegrees + 2, "10");
        f.Press(kIdOk);
    });
    ASSERT_TRUE(EditRecord(Ctx(), {FileId::Icd}, 0, "Update Failed"));
    EXPECT_EQ(Stored<IrSensorRecord>(FileId::Icd, 0).Get<float>(IrSensorRecord::kGimbalLimit),
              1.0f);
}

TEST_F(SensorDialogTest, AircraftDataSensorRowsFollowTheirTypes) {
    radars_ = {RadarRecord{}, RadarRecord{}};
    acd_ = {Acd(3, {{kSensorHts, 0}, {kSensorRadar, 1}})};
    OpenSensors();
    AircraftDataRecord copy = acd_[0];
    CAcdDialog d(Ctx(), copy, 0, "Aircraft Data 0");
    d.Begin(ui_);
    EXPECT_FALSE(d.Enabled(kSensorButton + 0));
    EXPECT_TRUE(d.Enabled(kSensorButton + 1));
    EXPECT_EQ(d.Find(kSensorButton + 1)->label, "Radar");
    EXPECT_FALSE(d.Enabled(kSensorButton + 2));

    // Choosing a type relabels its button; the button opens that record under its title.
    d.SelectValue(kSensorType + 0, kSensorVisual);
    d.Press(kSensorType + 0);
    EXPECT_EQ(d.Find(kSensorButton + 0)->label, "VSD");
    EXPECT_TRUE(d.Enabled(kSensorButton + 0));
    std::string title;
    ui_.QueueDialog([&](Form& f) { title = f.Find(kName)->label; });
    d.Press(kSensorButton + 1);
    EXPECT_EQ(title, "Radar Data 1");
    EXPECT_EQ(ui_.Dialogs().back().title, "RCD Data");

    d.SelectValue(kSensorType + 1, kSensorNone);
    d.Press(kSensorType + 1);
    EXPECT_FALSE(d.Enabled(kSensorButton + 1));
    d.Press(kIdOk);
    EXPECT_EQ(copy.SensorType(0), kSensorVisual);
    EXPECT_EQ(copy.SensorType(1), kSensorNone);
    EXPECT_EQ(copy.SensorIndex(1), 1);
}

// Vehicles 0 and 1 with radar 1; class-table entries 0 and 2 name vehicle 0, entry 1 vehicle 1,
// entry 3 (a weapon entry) vehicle 1 too.
class SensorUsageTest : public SensorDialogTest {
  protected:
    void Build() {
        ct_ = {VehicleEntry(0, 0), VehicleEntry(1, 1), VehicleEntry(0, 1),
               CtEntry(kAir, 7, 1, 6, 1)};
        vehicles_ = {Vehicle("Jet", 0), Vehicle("Bomber", 1)};
        for (auto& v : vehicles_) v.Set<int16_t>(VehicleRecord::kRadar, 1);
        radars_ = {RadarRecord{}, RadarRecord{}};
        // Aircraft data 1 has radar 1 twice and IR sensor 0 twice.
        acd_ = {Acd(1, {{kSensorRadar, 0}}),
                Acd(2, {{kSensorRadar, 1}, {kSensorRadar, 1}, {kSensorIrst, 0}, {kSensorIrst, 0}})};
        ir_ = {IrSensorRecord{}};
        OpenSensors();
    }
};

TEST_F(SensorUsageTest, UsageRulesAsEachListStatesThem) {
    Build();
    EXPECT_EQ(RadarUsage(*db_, 1),
              (std::vector<VehicleUse>{{"Jet", 0, 0}, {"Bomber", 1, 1}, {"Jet", 0, 2}}));
    EXPECT_TRUE(RadarUsage(*db_, -2).empty());
    EXPECT_EQ(AircraftDataUsage(*db_, 1),
              (std::vector<VehicleUse>{{"Bomber", 1, 1}, {"Jet", 0, 2}}));
    // Two sensors of one record list its vehicles once.
    EXPECT_EQ(SensorUsage(*db_, kSensorIrst, 0),
              (std::vector<VehicleUse>{{"Bomber", 1, 1}, {"Jet", 0, 2}}));
    EXPECT_EQ(AircraftDataUsingRadar(*db_, 1), (std::vector<int>{1, 1}));
    EXPECT_TRUE(AircraftDataUsingRadar(*db_, -2).empty());
}

TEST_F(SensorUsageTest, RadarDialogOpensItsUsageListsAndTheirRecords) {
    Build();
    Bytes copy(RadarRecord::kSize);
    CSensorDialog d(Ctx(), RadarDialogSetup(), copy.data(), 1, "Radar Data 1");
    d.Begin(ui_);
    std::vector<ListRow> rows;
    ui_.QueueDialog([&](Form& f) {
        rows = f.Rows(kUsageList);
        ui_.QueueDialog([](Form& vehicle) { vehicle.Press(kIdOk); });
        f.ListEvent(kUsageList, ListEventKind::DoubleClick, 1);
    });
    d.Press(kUsedBy);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"Bomber", "1"}));
    EXPECT_EQ(ui_.Dialogs()[0].title, "RCD Usage");
    EXPECT_EQ(ui_.Dialogs()[1].title, "Vehicle Data Details");

    std::string heading, title;
    ui_.QueueDialog([&](Form& f) {
        heading = f.Find(kUsageHeading)->label;
        rows = f.Rows(kUsageList);
        ui_.QueueDialog([&](Form& acd) { title = acd.Find(kName)->label; });
        f.ListEvent(kUsageList, ListEventKind::DoubleClick, 0);
    });
    d.Press(kAcdUsage);
    EXPECT_EQ(heading, "Aircraft defn using radar 1");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[0], "Acd 1");
    EXPECT_EQ(title, "Aircraft Data 1");
}

TEST_F(SensorUsageTest, VehicleAndWeaponDialogsOpenTheSensorDialogsUnderTheirTitles) {
    Build();
    VehicleRecord v = vehicles_[0];
    CVehicleDialog d(Ctx(), v, 0);
    d.Begin(ui_);
    std::vector<std::string> names;
    auto name = [&](Form& f) { names.push_back(f.Find(kName)->label); };
    ui_.QueueDialog(name);
    ui_.QueueDialog(name);
    d.Press(vcldlg::kRadarPtrButton);
    d.Press(vcldlg::kAcdButton);
    EXPECT_EQ(names, (std::vector<std::string>{"Radar record 1", "Aircraft Data 0"}));
    EXPECT_EQ(ui_.Dialogs()[1].title, "ACD Data");
}

TEST_F(SensorUsageTest, UsageVerbsPrintTheListsShapedLikeList) {
    Build();
    CloseForCli();
    ASSERT_EQ(Run({"sensor", "usage", "vantor.rcd", "1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Vehicle\tCT No\nJet\t0\nBomber\t1\nJet\t2\n");
    ASSERT_EQ(Run({"sensor", "usage", "vantor.icd", "0", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("{\"index\": 1, \"icon\": -1, \"cells\": [\"Bomber\", \"1\"]}"),
              std::string::npos)
        << out_.str();
    ASSERT_EQ(Run({"sensor", "acd-usage", "1", "--format", "csv"}), 0);
    EXPECT_EQ(out_.str(), "Acd Def\nAcd 1\nAcd 1\n");
    EXPECT_EQ(Run({"sensor", "usage", "vantor.wcd", "0"}), 2);
    EXPECT_EQ(Run({"sensor", "usage", "vantor.rcd", "9"}), 1);
    EXPECT_EQ(Run({"sensor", "acd-usage", "x"}), 2);
}

}  // namespace
}  // namespace tablon::test
