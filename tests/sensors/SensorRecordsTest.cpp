// Sensor records: the aircraft data's sensor pairs, and the flag words that older radar and
// radar-warning files lack.
#include <gtest/gtest.h>

#include "sensors/AircraftDataRecord.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "support/Fixture.h"

namespace tablon {
namespace {

TEST(AircraftDataRecord, SensorTypesAndIndicesPairUp) {
    AircraftDataRecord a;
    a.SetSensor(0, kSensorRadar, 12);
    a.SetSensor(4, kSensorNone, -1);
    const FieldTable& t = AircraftDataFields();
    EXPECT_EQ(FormatJson(*t.Find("sensor_types"), a.data()), "[1,0,0,0,-1]");
    EXPECT_EQ(FormatJson(*t.Find("sensor_indices"), a.data()), "[12,0,0,0,-1]");
    std::string error;
    ASSERT_TRUE(ParseField(*t.Find("sensor_types"), a.data(), "0,1,2,3,6", error)) << error;
    EXPECT_EQ(a.SensorType(3), kSensorVisual);
    EXPECT_EQ(a.SensorType(4), kSensorRadarHoming);
    EXPECT_EQ(a.SensorIndex(0), 12);
}

class SensorFileTest : public test::TempDirTest {};

// Files of the older, shorter records read with the flag word zero; the field tables put the
// flag word exactly where the longer records keep it.
TEST_F(SensorFileTest, OlderRadarAndRwrFilesReadTheirFlagWordAsZero) {
    test::WriteMinimalSet(Dir(), 3);
    test::WriteBytes(Path("vantor.rcd"), test::PatternFile(3, 56));
    test::WriteBytes(Path("vantor.rwd"), test::PatternFile(3, 20));
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));

    RadarRecord radar;
    ASSERT_EQ(db.Table(FileId::Rcd)->GetRecord(2, radar.data()), 1);
    EXPECT_EQ(FormatElement(*RadarFields().Find("flags"), radar.data()), "0");
    EXPECT_EQ(radar.b[RadarRecord::kChaffChance + 3], test::PatternByte(2, 55));

    RwrRecord rwr;
    ASSERT_EQ(db.Table(FileId::Rwd)->GetRecord(2, rwr.data()), 1);
    EXPECT_EQ(FormatElement(*RwrFields().Find("flags"), rwr.data()), "0");
    EXPECT_EQ(rwr.b[kScanRight + 3], test::PatternByte(2, 19));
}

TEST(SensorFields, RadarWarningAndVisualSharedPartAgree) {
    const FieldTable& rwr = RwrFields();
    const FieldTable& vsd = VisualSensorFields();
    for (const Field& f : vsd.fields) {
        const Field* same = rwr.Find(f.name);
        ASSERT_NE(same, nullptr) << f.name;
        EXPECT_EQ(same->offset, f.offset) << f.name;
        EXPECT_EQ(same->type, f.type) << f.name;
    }
}

}  // namespace
}  // namespace tablon
