// The sample's templates: names that fit their fields with a variant suffix, references
// between templates that exist, and the helpers that name and share out records.
#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <string>

#include "sample/SampleCatalog.h"

namespace tablon::sample {
namespace {

TEST(SampleCatalog, TemplateNamesLeaveRoomForAVariantSuffix) {
    // Field width minus the terminator minus " B".
    for (const auto& v : Vehicles()) EXPECT_LE(std::string(v.name).size(), 11u) << v.name;
    for (const auto& w : Weapons()) {
        EXPECT_LE(std::string(w.name).size(), 15u) << w.name;
        EXPECT_LE(std::string(w.simName).size(), 7u) << w.name;
    }
    for (const auto& l : WeaponLists()) EXPECT_LE(std::string(l.name).size(), 13u) << l.name;
    for (const auto& f : Features()) EXPECT_LE(std::string(f.name).size(), 15u) << f.name;
    // "Alderby Airbase": place, blank, objective kind within 19 characters.
    for (const auto& o : Objectives()) EXPECT_LE(std::string(o.name).size(), 9u) << o.name;
    for (const auto& u : Units()) EXPECT_LE(std::string(u.name).size(), 14u) << u.name;
}

TEST(SampleCatalog, TemplatesReferToTemplatesThatExist) {
    for (const auto& v : Vehicles()) {
        EXPECT_LT(v.radar, int(Radars().size())) << v.name;
        EXPECT_LT(v.irst, int(IrSensors().size())) << v.name;
        for (const auto& slot : v.slots) {
            if (slot.use == SlotUse::Weapon) {
                EXPECT_LT(slot.item, kRack) << v.name;
                EXPECT_TRUE(slot.ammo >= 1 && slot.ammo <= 254) << v.name;
            }
            if (slot.use == SlotUse::Hardpoint || slot.use == SlotUse::Bay) {
                EXPECT_LT(slot.item, kListKinds) << v.name;
            }
        }
    }
    for (const auto& l : WeaponLists()) {
        EXPECT_GE(l.entryCount, 1) << l.name;
        for (int e = 0; e < l.entryCount; ++e) EXPECT_LT(l.entries[e].weapon, kRack) << l.name;
    }
    for (const auto& w : Weapons()) EXPECT_LT(w.seeker, int(Radars().size())) << w.name;
    for (const auto& u : Units()) {
        bool any = false;
        for (const auto& s : u.slots) {
            EXPECT_FALSE(s.vehicle >= 0 && s.unit >= 0) << u.name;
            if (s.vehicle >= 0) {
                EXPECT_EQ(Vehicles()[s.vehicle].domain, u.domain) << u.name;
            }
            any |= s.vehicle >= 0 || s.unit >= 0;
        }
        EXPECT_TRUE(any) << u.name;
    }
}

TEST(SampleCatalog, DistributeSharesOutExactlyByWeight) {
    EXPECT_EQ(Distribute(10, std::vector<int>{1, 1}), (std::vector<uint32_t>{5, 5}));
    EXPECT_EQ(Distribute(7, std::vector<int>{3, 1}), (std::vector<uint32_t>{5, 2}));
    EXPECT_EQ(Distribute(2, std::vector<int>{1, 1, 1}), (std::vector<uint32_t>{1, 1, 0}));
    EXPECT_EQ(Distribute(5, std::vector<int>{0, 0}), (std::vector<uint32_t>{0, 0}));
    const auto parts = Distribute(65535, std::vector<int>(13, 1));
    EXPECT_EQ(std::accumulate(parts.begin(), parts.end(), 0u), 65535u);
}

TEST(SampleCatalog, VariantNamesAndOrdinals) {
    EXPECT_EQ(VariantName("Fighter", 0, 13), "Fighter");
    EXPECT_EQ(VariantName("Fighter", 1, 13), "Fighter B");
    EXPECT_EQ(VariantName("Fighter", 25, 13), "Fighter Z");
    EXPECT_EQ(VariantName("Fighter", 26, 13), "Fighter 27");
    EXPECT_EQ(VariantName("Interceptor", 4000, 13), "Intercep 4001");
    EXPECT_EQ(VariantName("Attack Helo", 2, 11), "Attack He C");
    EXPECT_EQ(VariantName("AA Mixed", 9999, 9), "AA 10000");  // no blank doubled
    EXPECT_EQ(Ordinal(1), "1st");
    EXPECT_EQ(Ordinal(2), "2nd");
    EXPECT_EQ(Ordinal(3), "3rd");
    EXPECT_EQ(Ordinal(11), "11th");
    EXPECT_EQ(Ordinal(12), "12th");
    EXPECT_EQ(Ordinal(13), "13th");
    EXPECT_EQ(Ordinal(22), "22nd");
    EXPECT_EQ(Ordinal(111), "111th");
}

TEST(SampleCatalog, PlaceNamesAreDistinctAndShort) {
    std::set<std::string> names;
    for (uint32_t n = 0; n < PlaceCount(); ++n) {
        const std::string p = PlaceName(n);
        EXPECT_LE(p.size(), 9u) << p;
        EXPECT_TRUE(names.insert(p).second) << p;
    }
    EXPECT_EQ(PlaceName(PlaceCount()), PlaceName(0));
    EXPECT_NE(PlaceName(1).substr(PlaceName(1).size() - 2), "by") << "neighbours differ";
}

TEST(SampleCatalog, SoundsAreFoundByName) {
    const auto names = SoundNames();
    const uint32_t n = uint32_t(names.size());
    EXPECT_EQ(std::string(names[SoundOf("radar_lock")]), "radar_lock");
    EXPECT_EQ(SoundOf("radar_lock", 2), SoundOf("radar_lock") + 2 * n);
}

}  // namespace
}  // namespace tablon::sample
