// The statistics recalculation: hit and range maxima over the weapons a vehicle carries.
#include <gtest/gtest.h>

#include "sample/Sample.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {
namespace {

using V = VehicleRecord;

class VehicleStatsTest : public VclTest {
  protected:
    // Opens the database and recalculates a vehicle of the given slots (reference, load byte)
    // whose strength and detection bytes are all 77.
    VehicleRecord Recalculated(std::vector<std::pair<uint16_t, uint8_t>> slots) {
        if (!db_) OpenDb();
        VehicleRecord v = Vehicle("V", 1);
        for (size_t s = 0; s < slots.size(); ++s)
            v.SetSlot(int(s), slots[s].first, slots[s].second);
        for (int t = 0; t < kTargetClasses; ++t) {
            v.b[V::kHit + t] = v.b[V::kRange + t] = 99;
            v.b[V::kStrength + t] = v.b[V::kDetection + t] = 77;
        }
        RecalculateVehicleStats(*db_, v);
        for (int t = 0; t < kTargetClasses; ++t) {
            EXPECT_EQ(v.Strength(t), 77);
            EXPECT_EQ(v.Detection(t), 77);
        }
        return v;
    }
    static std::vector<int> Hits(const VehicleRecord& v) {
        std::vector<int> out;
        for (int t = 0; t < kTargetClasses; ++t) out.push_back(v.Hit(t));
        return out;
    }
    static std::vector<int> Ranges(const VehicleRecord& v) {
        std::vector<int> out;
        for (int t = 0; t < kTargetClasses; ++t) out.push_back(v.Range(t));
        return out;
    }
};

TEST_F(VehicleStatsTest, OneWeaponGivesItsHitEverywhereAndItsRangeScaledAgainstLowAir) {
    weapons_ = {{}, Weapon("Gun", 100, 50), Weapon("Far", 300, 20), Weapon("Near", 1, 10)};
    EXPECT_FLOAT_EQ(LowAirFactor(), 0.83f);
    VehicleRecord v = Recalculated({{1, 1}});
    EXPECT_EQ(Hits(v), std::vector<int>(8, 50));
    EXPECT_EQ(Ranges(v), (std::vector<int>{100, 100, 100, 100, 83, 100, 100, 100}));

    // 300 keeps its low eight bits (44); against low air trunc(300 * 0.83 + 0.5) = 249.
    v = Recalculated({{2, 5}});
    EXPECT_EQ(Ranges(v), (std::vector<int>{44, 44, 44, 44, 249, 44, 44, 44}));
    v = Recalculated({{3, 5}});
    EXPECT_EQ(v.Range(4), 1);  // trunc(0.83 + 0.5)

    // A factor that scales a range to 0 leaves 1 for a weapon that has a range at all.
    SetLowAirFactor(0.1f);
    v = Recalculated({{3, 5}});
    EXPECT_EQ(v.Range(4), 1);
    SetLowAirFactor(0.5f);
    EXPECT_EQ(Recalculated({{1, 1}}).Range(4), 50);

    // A vehicle that carries nothing gets 0 in all sixteen bytes.
    v = Recalculated({});
    EXPECT_EQ(Hits(v), std::vector<int>(8, 0));
    EXPECT_EQ(Ranges(v), std::vector<int>(8, 0));
}

TEST_F(VehicleStatsTest, AHitChanceOfZeroNeverRaisesThatClassesRange) {
    WeaponRecord far = Weapon("Far", 200, 5);
    far.b[WeaponRecord::kHitChance + 0] = 0;  // cannot hit static targets
    weapons_ = {{}, Weapon("Short", 50, 10), far};
    const VehicleRecord v = Recalculated({{1, 1}, {2, 1}});
    EXPECT_EQ(v.Range(0), 50);
    EXPECT_EQ(v.Range(1), 200);
    EXPECT_EQ(v.Hit(0), 10);  // the higher hit chance of either weapon
    EXPECT_EQ(v.Hit(1), 10);
}

TEST_F(VehicleStatsTest, ListsCountTheirFirst32EntriesAndUnreadableTargetsAreLeftOut) {
    weapons_ = {{}, Weapon("A", 20, 10), Weapon("B", 40, 30), Weapon("C", 90, 90)};
    WeaponListRecord wide = List("Wide", {1});
    wide.SetEntry(32, 3, 1);  // beyond the entries the statistics read
    lists_ = {{}, List("Pair", {0, 2, 77}), wide};
    // A bay and a hardpoint slot read their lists; an unknown list or weapon is skipped.
    VehicleRecord v = Recalculated({{1, 0}, {2, 255}, {9, 0}, {55, 3}});
    EXPECT_EQ(Hits(v), std::vector<int>(8, 30));
    EXPECT_EQ(v.Range(0), 40);
    // An empty slot whatever its load byte; a weapon slot names a weapon, not a list.
    v = Recalculated({{0, 1}, {3, 255}, {1, 7}});
    EXPECT_EQ(Hits(v), std::vector<int>(8, 10));
    EXPECT_EQ(v.Range(0), 20);
}

TEST_F(VehicleStatsTest, TheSampleDatabaseHoldsRecalculatedStatistics) {
    std::string error;
    ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    Open();
    const TableFile& vcd = *db_->Table(FileId::Vcd);
    VehicleRecord v;
    int carrying = 0;
    for (int i = 0; vcd.GetRecord(i, v.data()); ++i) {
        const VehicleRecord stored = v;
        RecalculateVehicleStats(*db_, v);
        EXPECT_EQ(v, stored) << "vehicle " << i << " " << stored.Name();
        carrying += v.Hit(5) != 0;
    }
    EXPECT_GT(carrying, 10);
}

}  // namespace
}  // namespace tablon::test
