// The sensor lists: columns by record size, cell formats, sorting, and the record commands.
#include <gtest/gtest.h>

#include <cmath>

#include "sensors/SensorDialogs.h"
#include "sensors/SensorTestFixture.h"
#include "sensors/SensorViews.h"

namespace tablon::test {
namespace {

RadarRecord Radar(float range, uint16_t flags = 0) {
    RadarRecord r;
    r.Set<float>(RadarRecord::kRange, range);
    r.Set<float>(RadarRecord::kSweepTime, 2.5f);
    r.Set<uint16_t>(RadarRecord::kFlags, flags);
    return r;
}

std::vector<std::string> Titles(const CMvView& v) {
    std::vector<std::string> out;
    for (int c = 0; c < v.ColumnCount(); ++c) out.push_back(v.Column(c).title);
    return out;
}

class SensorViewTest : public SensorTest {};

TEST_F(SensorViewTest, RadarListColumnsFollowTheRecordSizeInUse) {
    radars_ = {Radar(60, 0x5b), Radar(40, 0x4a)};
    OpenSensors();
    CMvView& v = OpenList("Radar Data");
    const std::vector<std::string> full{
        "Name",         "Sound",     "Symbol",      "DataFile",     "SweepTime", "RWR Gain",
        "Low RWR Gain", "Range",     "BeamWidth",   "Azimuth",      "LockTime",  "LookDownRange",
        "ECM Range",    "Beam Dist", "Min Doppler", "Chaff Chance", "Flag"};
    EXPECT_EQ(Titles(v), full);
    ASSERT_EQ(v.RowCount(), 2);
    EXPECT_EQ(v.CellText(0, 0), "Radar 0");
    EXPECT_EQ(v.CellText(0, 4), "2.5");
    EXPECT_EQ(v.CellText(0, 16), "x5b");
    EXPECT_EQ(v.CellText(1, 16), "x4a");

    // The same records in a file of 56-byte records: no flag column, appends of 56 bytes.
    CloseForCli();
    radarSize_ = 56;
    OpenSensors();
    CMvView& short56 = OpenList("Radar Data");
    std::vector<std::string> withoutFlag = full;
    withoutFlag.pop_back();
    EXPECT_EQ(Titles(short56), withoutFlag);
    const size_t before = ReadBytes(Path("vantor.rcd")).size();
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    ASSERT_TRUE(Frame().Run(cmd::kAddItem));
    EXPECT_EQ(ReadBytes(Path("vantor.rcd")).size(), before + 56);
    EXPECT_EQ(short56.RowCount(), 3);
    EXPECT_EQ(short56.CellText(2, 0), "Radar 2");
}

TEST_F(SensorViewTest, RwrListKeepsItsFlagColumnForShortRecordsAndDegreesSortLikeRadians) {
    RwrRecord a, b, c;
    a.Set<float>(kScanLeft, -1.0f);
    b.Set<float>(kScanLeft, 0.5f);
    c.Set<float>(kScanLeft, -2.0f);
    a.Set<uint16_t>(RwrRecord::kFlags, 0x13);
    rwr_ = {a, b, c};
    rwrSize_ = 20;
    OpenSensors();
    CMvView& v = OpenList("RWD Data");
    EXPECT_EQ(Titles(v).back(), "Flag");
    EXPECT_EQ(v.CellText(0, 10), "x0");
    EXPECT_EQ(v.CellText(0, 6), "-1");
    EXPECT_EQ(v.CellText(0, 7), "-57.2958");
    // The starting order is file order; "Left (deg)" sorts by the radians beside it.
    EXPECT_EQ(Order(v), (std::vector<int>{0, 1, 2}));
    v.OnColumnClick(7);
    EXPECT_EQ(Order(v), (std::vector<int>{2, 0, 1}));
    v.OnColumnClick(7);
    EXPECT_EQ(Order(v), (std::vector<int>{1, 0, 2}));
}

TEST_F(SensorViewTest, StartingSortsAndTitlesAsEachListSpellsThem) {
    acd_ = {Acd(5), Acd(2), Acd(9)};
    IrSensorRecord i0, i1;
    i0.Set<float>(IrSensorRecord::kRange, 9);
    i1.Set<float>(IrSensorRecord::kRange, 3);
    ir_ = {i0, i1};
    VisualSensorRecord s0, s1;
    s0.Set<float>(kScanRange, 4);
    s1.Set<float>(kScanRange, 2);
    visual_ = {s0, s1};
    OpenSensors();

    CMvView& acd = OpenList("Aircraft Data");
    EXPECT_EQ(Order(acd), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(acd.CellText(0, 0), "Aircraft 1");
    EXPECT_EQ(Titles(acd)[4], "1st Sensor");
    EXPECT_EQ(Titles(acd)[9], "Sind 1");
    EXPECT_EQ(acd.ColumnCount(), 14);
    EXPECT_FALSE(Frame().StateOf(cmd::kShowItem).enabled);

    CMvView& ir = OpenList("IR Data");
    EXPECT_EQ(Titles(ir), (std::vector<std::string>{"Name", "Range?", "Fov?", "Gimbal Limit",
                                                    "Ground Factor", "Flare Chance"}));
    EXPECT_EQ(Order(ir), (std::vector<int>{1, 0}));
    EXPECT_EQ(ir.CellText(0, 0), "IR 1");
    ASSERT_TRUE(Frame().Run(cmd::kSortByName));
    EXPECT_EQ(Order(ir), (std::vector<int>{0, 1}));

    CMvView& vsd = OpenList("VSD Data");
    EXPECT_EQ(Titles(vsd)[4], "Scan bottom");
    EXPECT_EQ(Titles(vsd)[6], "Scan left");
    EXPECT_EQ(vsd.ColumnCount(), 10);
    EXPECT_EQ(Order(vsd), (std::vector<int>{1, 0}));
}

TEST_F(SensorViewTest, EditAddCopyDropAndDelete) {
    radars_ = {Radar(60), Radar(40)};
    rwr_ = {RwrRecord{}, RwrRecord{}};
    OpenSensors();
    CMvView& v = OpenList("Radar Data");
    v.Select(1);
    ui_.QueueDialog([](Form& f) {
        f.SetText(sensordlg::kField + 5, "75");  // "Range"
        f.Press(kIdOk);
    });
    ASSERT_TRUE(Frame().Run(cmd::kShowItem));
    EXPECT_EQ(ui_.Dialogs().back().title, "RCD Data");
    EXPECT_EQ(Stored<RadarRecord>(FileId::Rcd, 1).Range(), 75.0f);
    EXPECT_EQ(v.CellText(1, 7), "75");

    // A copy is named "New radar" and opened with the index -2.
    std::string name;
    ui_.QueueDialog([&](Form& f) {
        name = f.Find(sensordlg::kName)->label;
        f.Press(kIdOk);
    });
    ASSERT_TRUE(Frame().Run(cmd::kAddCopy));
    EXPECT_EQ(name, "New radar");
    EXPECT_EQ(Stored<RadarRecord>(FileId::Rcd, 2).Range(), 75.0f);

    // Dragging row 0 onto row 2 asks with the target first.
    ui_.QueueAnswer(Answer::Yes);
    v.BeginDrag(0);
    v.EndDrag(2);
    EXPECT_EQ(ui_.Messages().back().text, "Overwrite Item 2 with 0?");
    EXPECT_EQ(Stored<RadarRecord>(FileId::Rcd, 2).Range(), 60.0f);
    EXPECT_EQ(v.CellText(2, 7), "60");

    v.Select(2);
    ASSERT_TRUE(Frame().Run(cmd::kDeleteItem));
    EXPECT_EQ(db_->Table(FileId::Rcd)->RecordCount(), 2u);

    // A new radar-warning record is named after its index.
    OpenList("RWD Data");
    ui_.QueueDialog([&](Form& f) {
        name = f.Find(sensordlg::kName)->label;
        f.Press(kIdCancel);
    });
    ASSERT_TRUE(Frame().Run(cmd::kAddItem));
    EXPECT_EQ(name, "RWD 2");
}

TEST_F(SensorViewTest, SetRefusesTheFlagWordOfShortRadarAndRwrFiles) {
    radars_ = {Radar(60)};
    rwr_ = {RwrRecord{}};
    radarSize_ = 56;
    rwrSize_ = 20;
    OpenSensors();
    CloseForCli();
    const Bytes rcd = ReadBytes(Path("vantor.rcd")), rwd = ReadBytes(Path("vantor.rwd"));
    EXPECT_EQ(Run({"set", "vantor.rcd", "0", "flags=3"}), 1);
    EXPECT_NE(err_.str().find("beyond the vantor.rcd records in use (56 bytes)"), std::string::npos)
        << err_.str();
    EXPECT_EQ(Run({"set", "vantor.rwd", "0", "flags=3"}), 1);
    EXPECT_EQ(ReadBytes(Path("vantor.rcd")), rcd);
    EXPECT_EQ(ReadBytes(Path("vantor.rwd")), rwd);
    EXPECT_EQ(Run({"set", "vantor.rcd", "0", "range=5"}), 0) << err_.str();
}

TEST(SensorDegrees, SinglePrecisionProduct) {
    EXPECT_EQ(Degrees(1.0f), 57.295784f);
    EXPECT_TRUE(std::isnan(Degrees(NAN)));
}

}  // namespace
}  // namespace tablon::test
