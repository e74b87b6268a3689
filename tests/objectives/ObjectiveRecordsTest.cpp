// The objective-subsystem records: runs and chains read as 16-bit indices, fields by name.
#include <gtest/gtest.h>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/FeatureRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"

namespace tablon {
namespace {

TEST(ObjectiveRecord, RunAndChainFieldsReadAsSixteenBitIndices) {
    ObjectiveRecord o;
    std::string error;
    const FieldTable& t = ObjectiveFields();
    // Run and chain fields are unsigned 16-bit indices: 40000 is taken, a negative one is not.
    EXPECT_FALSE(ParseField(*t.Find("first_feature_entry"), o.data(), "-1", error));
    ASSERT_TRUE(ParseField(*t.Find("first_feature_entry"), o.data(), "40000", error)) << error;
    EXPECT_EQ(FormatElement(*t.Find("first_feature_entry"), o.data()), "40000");
    ASSERT_TRUE(ParseField(*t.Find("feature_entry_count"), o.data(), "255", error)) << error;
    ASSERT_TRUE(ParseField(*t.Find("first_point_header"), o.data(), "17", error)) << error;
    EXPECT_EQ(o.FirstFeatureEntry(), 40000);
    EXPECT_EQ(o.FeatureEntryCount(), 255);
    EXPECT_EQ(o.FirstPointHeader(), 17);
    EXPECT_TRUE(o.Empty());
    ASSERT_TRUE(ParseField(*t.Find("name"), o.data(), "Alderby Airbase", error)) << error;
    EXPECT_FALSE(o.Empty());
    EXPECT_EQ(o.Name(), "Alderby Airbase");
    EXPECT_EQ(o.FirstPointHeader(), 17) << "the name ends before the run fields";
}

TEST(FeatureEntryRecord, ClassificationBytesAndOffsets) {
    FeatureEntryRecord e;
    std::string error;
    const FieldTable& t = FeatureEntryFields();
    const char* names[] = {"domain", "class", "type", "subtype", "specific", "mode"};
    for (int k = 0; k < 6; ++k)
        ASSERT_TRUE(ParseField(*t.Find(names[k]), e.data(), std::to_string(k + 1), error));
    ASSERT_TRUE(ParseField(*t.Find("x_offset"), e.data(), "0.25", error));
    ASSERT_TRUE(ParseField(*t.Find("z_offset"), e.data(), "-3", error));
    ASSERT_TRUE(ParseField(*t.Find("heading"), e.data(), "-90", error));
    for (int k = 0; k < 6; ++k) EXPECT_EQ(e.Classification(k), k + 1);
    EXPECT_EQ(e.X(), 0.25f);
    EXPECT_EQ(e.Y(), 0.0f);
    EXPECT_EQ(e.Z(), -3.0f);
    EXPECT_EQ(e.Heading(), -90);
    EXPECT_EQ(e.b[FeatureEntryRecord::kPad1], 0);
}

TEST(PointHeaderRecord, FieldsLandWhereTheAccessorsReadThem) {
    PointHeaderRecord h;
    std::string error;
    const FieldTable& t = PointHeaderFields();
    ASSERT_TRUE(ParseField(*t.Find("objective"), h.data(), "65535", error));
    ASSERT_TRUE(ParseField(*t.Find("point_count"), h.data(), "9", error));
    ASSERT_TRUE(ParseField(*t.Find("features"), h.data(), "1,2,3,4,5,6", error));
    ASSERT_TRUE(ParseField(*t.Find("first_point"), h.data(), "65534", error));
    ASSERT_TRUE(ParseField(*t.Find("chain"), h.data(), "300", error));
    EXPECT_EQ(h.Objective(), 65535);
    EXPECT_EQ(h.PointCount(), 9);
    EXPECT_EQ(h.b[PointHeaderRecord::kFeatures + 5], 6);
    EXPECT_EQ(h.Heading(), 0) << "the features end before the heading";
    EXPECT_EQ(h.FirstPoint(), 65534);
    EXPECT_EQ(h.Chain(), 300);
}

TEST(FeatureRecord, FlagsAngleAndName) {
    FeatureRecord f;
    std::string error;
    const FieldTable& t = FeatureFields();
    ASSERT_TRUE(ParseField(*t.Find("flags"), f.data(), "0x8001", error)) << error;
    ASSERT_TRUE(ParseField(*t.Find("angle"), f.data(), "12.5", error)) << error;
    ASSERT_TRUE(ParseField(*t.Find("name"), f.data(), "Ctrl Tower", error)) << error;
    EXPECT_EQ(f.Flags(), kFeatureContainerNext | kFeatureRepairable);
    EXPECT_EQ(f.Angle(), 12.5f);
    EXPECT_EQ(f.Name(), "Ctrl Tower");
    EXPECT_EQ(FormatElement(*t.Find("hit_points"), f.data()), "0");
}

}  // namespace
}  // namespace tablon
