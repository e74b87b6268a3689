// The sample database opens without a word and holds together: every reference between its
// files points at a record that is there and of the right kind.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <filesystem>
#include <set>

#include "classtable/CtNames.h"
#include "classtable/CtRecord.h"
#include "misc/MessagePriorityRecord.h"
#include "misc/RocketRecord.h"
#include "misc/SoundRecord.h"
#include "objectives/FeatureEntryRecord.h"
#include "objectives/FeatureRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "sample/ModelSample.h"
#include "sample/Sample.h"
#include "sensors/AircraftDataRecord.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "support/Fixture.h"
#include "vehicles/StoresRecord.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {
namespace {

namespace fs = std::filesystem;

template <typename R>
std::vector<R> ReadAll(Database& db, FileId id) {
    const TableFile* t = db.Table(id);
    EXPECT_EQ(t->MemSize(), R::kSize);
    std::vector<R> out(t->RecordCount());
    for (uint32_t i = 0; i < out.size(); ++i) EXPECT_EQ(t->GetRecord(int(i), out[i].data()), 1);
    return out;
}

// The whole database read into memory.
struct Sample {
    std::vector<CtRecord> ct;
    std::vector<VehicleRecord> vehicles;
    std::vector<WeaponRecord> weapons;
    std::vector<WeaponListRecord> lists;
    std::vector<UnitRecord> units;
    std::vector<StoresRecord> stores;
    std::vector<ObjectiveRecord> objectives;
    std::vector<FeatureRecord> features;
    std::vector<FeatureEntryRecord> entries;
    std::vector<PointHeaderRecord> headers;
    std::vector<PointRecord> points;
    std::vector<AircraftDataRecord> aircraft;
    std::vector<RadarRecord> radars;
    std::vector<RocketRecord> rockets;
    std::vector<MessagePriorityRecord> priorities;
    std::vector<SoundRecord> sounds;
    uint32_t simWeapons = 0, ir = 0, rwr = 0, visual = 0;

    explicit Sample(Database& db)
        : ct(ReadAll<CtRecord>(db, FileId::Ct)),
          vehicles(ReadAll<VehicleRecord>(db, FileId::Vcd)),
          weapons(ReadAll<WeaponRecord>(db, FileId::Wcd)),
          lists(ReadAll<WeaponListRecord>(db, FileId::Wld)),
          units(ReadAll<UnitRecord>(db, FileId::Ucd)),
          stores(ReadAll<StoresRecord>(db, FileId::Ssd)),
          objectives(ReadAll<ObjectiveRecord>(db, FileId::Ocd)),
          features(ReadAll<FeatureRecord>(db, FileId::Fcd)),
          entries(ReadAll<FeatureEntryRecord>(db, FileId::Fed)),
          headers(ReadAll<PointHeaderRecord>(db, FileId::Phd)),
          points(ReadAll<PointRecord>(db, FileId::Pd)),
          aircraft(ReadAll<AircraftDataRecord>(db, FileId::Acd)),
          radars(ReadAll<RadarRecord>(db, FileId::Rcd)),
          rockets(ReadAll<RocketRecord>(db, FileId::Rkt)),
          priorities(ReadAll<MessagePriorityRecord>(db, FileId::Ddp)),
          sounds(ReadAll<SoundRecord>(db, FileId::Sfx)),
          simWeapons(db.Table(FileId::Swd)->RecordCount()),
          ir(db.Table(FileId::Icd)->RecordCount()),
          rwr(db.Table(FileId::Rwd)->RecordCount()),
          visual(db.Table(FileId::Vsd)->RecordCount()) {}
};

// References between files hold. A strict sample has one record per class-table entry, each
// naming its entry back; a filled one also holds copies that share their source's entry.
void CheckClassTable(const Sample& s, SampleScale scale) {
    int n = 0;
    const int* protectedIndices = ProtectedIndices(n);
    ASSERT_GT(s.ct.size(), size_t(protectedIndices[n - 1]));
    std::set<int> domains, classes;
    for (uint32_t i = 0; i < s.ct.size(); ++i) {
        const CtRecord& c = s.ct[i];
        domains.insert(c.Domain());
        classes.insert(c.Class());
        for (int k = 0; k < CtRecord::kVisualStates; ++k) {
            EXPECT_GE(c.Graphic(k), 0) << i;
            EXPECT_LT(c.Graphic(k), SampleParentCount(scale)) << i;
        }
        const uint32_t ref = c.DataRef();
        const int alt = c.AltDataRef();
        switch (c.DataType()) {
            case kDataVehicle:
                ASSERT_LT(ref, s.vehicles.size()) << i;
                EXPECT_EQ(s.ct[uint16_t(s.vehicles[ref].CtIndex())].DataRef(), ref) << i;
                EXPECT_LT(alt, int(s.aircraft.size())) << i;
                if (c.Domain() == kDomainAir && (c.Type() == 1 || c.Type() == 5)) {
                    EXPECT_GE(alt, 0) << "aircraft without aircraft data " << i;
                }
                break;
            case kDataWeapon:
                ASSERT_LT(ref, s.weapons.size()) << i;
                EXPECT_EQ(uint16_t(s.weapons[ref].CtIndex()), i);
                EXPECT_LT(alt, int(s.simWeapons)) << i;
                break;
            case kDataUnit:
                ASSERT_LT(ref, s.units.size()) << i;
                EXPECT_EQ(s.units[ref].CtIndex(), i);
                break;
            case kDataObjective:
                ASSERT_LT(ref, s.objectives.size()) << i;
                EXPECT_EQ(uint16_t(s.objectives[ref].CtIndex()), i);
                break;
            case kDataFeature:
                ASSERT_LT(ref, s.features.size()) << i;
                EXPECT_EQ(uint16_t(s.features[ref].CtIndex()), i);
                break;
            default:
                EXPECT_EQ(ref, 0u) << i;
        }
    }
    EXPECT_EQ(domains.size(), size_t(DomainCount()));
    EXPECT_EQ(classes.size(), size_t(ClassCount()));
}

// Record r names class-table entry ct of the given data type, which names r (strict) or a
// record that names the same entry (a copy).
void CheckPointsBack(const Sample& s, uint32_t r, uint32_t ct, uint8_t dataType, bool strict,
                     const std::function<uint32_t(uint32_t)>& ctOf, size_t count) {
    ASSERT_LT(ct, s.ct.size()) << r;
    ASSERT_EQ(s.ct[ct].DataType(), dataType) << "record " << r;
    const uint32_t back = s.ct[ct].DataRef();
    ASSERT_LT(back, count);
    EXPECT_EQ(ctOf(back), ct) << r;
    if (strict) {
        EXPECT_EQ(back, r);
    }
}

void CheckVehicles(const Sample& s, bool strict) {
    std::set<int> domains, kinds;
    for (uint32_t r = 0; r < s.vehicles.size(); ++r) {
        const VehicleRecord& v = s.vehicles[r];
        ASSERT_NE(v.CtIndex(), 0) << r;
        EXPECT_FALSE(v.Name().empty()) << r;
        EXPECT_EQ(v.b[VehicleRecord::kName + VehicleRecord::kNameSize - 1], 0) << r;
        const uint32_t ct = uint16_t(v.CtIndex());
        CheckPointsBack(
            s, r, ct, kDataVehicle, strict,
            [&](uint32_t d) { return uint16_t(s.vehicles[d].CtIndex()); }, s.vehicles.size());
        domains.insert(s.ct[ct].Domain());
        EXPECT_GE(v.Radar(), 0);
        EXPECT_LT(size_t(v.Radar()), s.radars.size());
        for (int slot = 0; slot < kHardpointSlots; ++slot) {
            const SlotKind kind = v.Kind(slot);
            kinds.insert(int(kind));
            if (kind == SlotKind::Empty) continue;
            if (kind == SlotKind::Weapon) {
                ASSERT_LT(v.SlotRef(slot), s.weapons.size()) << r;
                EXPECT_FALSE(s.weapons[v.SlotRef(slot)].Name().empty()) << r;
            } else {
                ASSERT_LT(v.SlotRef(slot), s.lists.size()) << r;
                EXPECT_FALSE(s.lists[v.SlotRef(slot)].Name().empty()) << r;
            }
        }
    }
    EXPECT_EQ(domains, (std::set<int>{kDomainAir, kDomainLand, kDomainSea, kDomainUndersea}));
    EXPECT_EQ(kinds.size(), 4u) << "empty, bay, weapon and hardpoint slots";
}

void CheckWeapons(const Sample& s, bool strict) {
    EXPECT_EQ(s.weapons[0].CtIndex(), 0) << "weapon 0 stays empty: a reference of 0 is none";
    for (uint32_t r = 1; r < s.weapons.size(); ++r) {
        const WeaponRecord& w = s.weapons[r];
        EXPECT_FALSE(w.Name().empty()) << r;
        CheckPointsBack(
            s, r, uint16_t(w.CtIndex()), kDataWeapon, strict,
            [&](uint32_t d) { return uint16_t(s.weapons[d].CtIndex()); }, s.weapons.size());
        EXPECT_LT(uint16_t(w.SeekerRadar()), s.radars.size()) << r;
    }
    for (uint32_t r = 1; r < s.lists.size(); ++r) {
        const WeaponListRecord& l = s.lists[r];
        EXPECT_FALSE(l.Name().empty()) << r;
        int used = 0;
        for (int e = 0; e < WeaponListRecord::kEntries; ++e) {
            if (l.Weapon(e) == 0) continue;
            ++used;
            ASSERT_LT(l.Weapon(e), s.weapons.size()) << r;
            EXPECT_FALSE(s.weapons[l.Weapon(e)].Name().empty());
            EXPECT_GT(l.Count(e), 0) << r;
        }
        EXPECT_GT(used, 0) << "weapon list " << r << " is empty";
    }
    for (const RocketRecord& k : s.rockets) {
        ASSERT_GT(k.WeaponId(), 0);
        ASSERT_LT(size_t(k.WeaponId()), s.weapons.size());
        ASSERT_LT(size_t(k.NewWeaponId()), s.weapons.size());
        EXPECT_GT(k.Count(), 0);
    }
}

void CheckUnits(const Sample& s, bool strict) {
    bool unitOfUnits = false, squadron = false;
    for (uint32_t r = 0; r < s.units.size(); ++r) {
        const UnitRecord& u = s.units[r];
        EXPECT_FALSE(u.Name().empty()) << r;
        EXPECT_LE(u.Name().size(), 19u) << r;
        CheckPointsBack(
            s, r, u.CtIndex(), kDataUnit, strict, [&](uint32_t d) { return s.units[d].CtIndex(); },
            s.units.size());
        for (int k = 0; k < kUnitSlots; ++k) {
            const uint16_t ct = u.SlotCt(k);
            if (ct == 0) continue;
            ASSERT_LT(ct, s.ct.size());
            const CtRecord& c = s.ct[ct];
            EXPECT_TRUE(c.DataType() == kDataVehicle || c.DataType() == kDataUnit) << r;
            unitOfUnits |= c.DataType() == kDataUnit;
            EXPECT_GT(u.SlotCount(k), 0u) << r;
            for (int b = 0; b < 5; ++b) EXPECT_EQ(u.SlotClass(k, b), c.b[CtRecord::kDomain + b]);
            for (int b = 5; b < 8; ++b) EXPECT_EQ(u.SlotClass(k, b), 255);
        }
        if (u.StoresIndex() != -1) {
            squadron = true;
            EXPECT_GE(u.StoresIndex(), 0);
            EXPECT_LT(size_t(u.StoresIndex()), s.stores.size());
            EXPECT_EQ(s.ct[u.CtIndex()].Domain(), kDomainAir) << r;
        }
    }
    EXPECT_TRUE(unitOfUnits);
    EXPECT_TRUE(squadron);
}

void CheckObjectives(const Sample& s, bool strict) {
    // Runs of feature entries follow one another in objective order (16-bit indices).
    uint32_t next = 0;
    for (uint32_t r = 0; r < s.objectives.size(); ++r) {
        const ObjectiveRecord& o = s.objectives[r];
        EXPECT_FALSE(o.Empty()) << r;
        CheckPointsBack(
            s, r, uint16_t(o.CtIndex()), kDataObjective, strict,
            [&](uint32_t d) { return uint16_t(s.objectives[d].CtIndex()); }, s.objectives.size());
        ASSERT_EQ(o.FirstFeatureEntry(), uint16_t(next)) << r;
        ASSERT_LE(next + o.FeatureEntryCount(), s.entries.size()) << r;
        for (uint32_t e = next; e < next + o.FeatureEntryCount(); ++e) {
            const FeatureEntryRecord& f = s.entries[e];
            ASSERT_LT(f.CtIndex(), s.ct.size());
            const CtRecord& c = s.ct[f.CtIndex()];
            EXPECT_EQ(c.DataType(), kDataFeature) << e;
            for (int k = 0; k < 6; ++k) EXPECT_EQ(f.Classification(k), c.b[CtRecord::kDomain + k]);
        }
        next += o.FeatureEntryCount();
    }
    EXPECT_EQ(next, s.entries.size()) << "every feature entry belongs to one objective";

    // Point-header chains: each header but 0 in the chain of its own objective, once.
    std::vector<int> seen(s.headers.size(), 0);
    for (uint32_t r = 0; r < s.objectives.size(); ++r) {
        uint32_t h = s.objectives[r].FirstPointHeader();
        for (size_t steps = 0; h != 0; ++steps) {
            ASSERT_LT(h, s.headers.size()) << r;
            ASSERT_LT(steps, s.headers.size()) << "loop in the chain of objective " << r;
            EXPECT_EQ(s.headers[h].Objective(), uint16_t(r));
            ++seen[h];
            h = s.headers[h].Chain();
        }
    }
    EXPECT_EQ(seen[0], 0);
    for (uint32_t h = 1; h < s.headers.size(); ++h) EXPECT_EQ(seen[h], 1) << "header " << h;

    // Runs of points follow one another in header order.
    uint32_t point = 0;
    for (uint32_t h = 0; h < s.headers.size(); ++h) {
        const PointHeaderRecord& p = s.headers[h];
        ASSERT_EQ(p.FirstPoint(), uint16_t(point)) << h;
        point += p.PointCount();
        if (h == 0) continue;  // nobody's header, all zero
        const double rad = p.Heading() * 3.14159265358979 / 180.0;
        EXPECT_NEAR(p.Get<float>(PointHeaderRecord::kSinHeading), std::sin(rad), 1e-6);
        EXPECT_NEAR(p.Get<float>(PointHeaderRecord::kCosHeading), std::cos(rad), 1e-6);
    }
    EXPECT_EQ(point, s.points.size());
    for (const PointRecord& p : s.points) EXPECT_LT(p.Type(), kPointTypeCount);
}

void CheckFeatures(const Sample& s, bool strict) {
    for (uint32_t r = 0; r < s.features.size(); ++r) {
        EXPECT_FALSE(s.features[r].Empty()) << r;
        CheckPointsBack(
            s, r, uint16_t(s.features[r].CtIndex()), kDataFeature, strict,
            [&](uint32_t d) { return uint16_t(s.features[d].CtIndex()); }, s.features.size());
    }
}

void CheckSensorsAndMisc(const Sample& s) {
    for (uint32_t a = 0; a < s.aircraft.size(); ++a) {
        for (int k = 0; k < AircraftDataRecord::kSensors; ++k) {
            const int32_t type = s.aircraft[a].SensorType(k), index = s.aircraft[a].SensorIndex(k);
            const uint32_t files[] = {s.ir, uint32_t(s.radars.size()), s.rwr, s.visual};
            if (type == kSensorNone) {
                EXPECT_EQ(index, -1);
            } else if (type <= kSensorVisual) {
                EXPECT_TRUE(index >= 0 && uint32_t(index) < files[type]) << a;
            } else {
                EXPECT_LE(type, kSensorRadarHoming);
            }
        }
    }
    for (const MessagePriorityRecord& p : s.priorities) EXPECT_GE(PriorityLevel(p.Priority()), 0);
    uint32_t offset = 0;
    for (const SoundRecord& k : s.sounds) {
        EXPECT_FALSE(k.FileName().empty());
        EXPECT_EQ(k.Get<uint32_t>(SoundRecord::kOffset), offset);
        offset += k.Get<uint32_t>(SoundRecord::kLength);
    }
}

void CheckSample(Database& db, SampleScale scale) {
    const Sample s(db);
    const bool strict = scale == SampleScale::Demo;
    CheckClassTable(s, scale);
    CheckVehicles(s, strict);
    CheckWeapons(s, strict);
    CheckUnits(s, strict);
    CheckFeatures(s, strict);
    CheckObjectives(s, strict);
    CheckSensorsAndMisc(s);
}

class SampleDatabaseTest : public test::TempDirTest {
  protected:
    void Write(SampleScale scale, const std::string& dir, bool overwrite = false) {
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(dir, scale, error, overwrite)) << error;
    }
    // Opens the set in the working directory as start-up does; nothing may be said.
    void OpenQuietly(Database& db) {
        ASSERT_TRUE(RunStartup(db));
        EXPECT_TRUE(ui_.Messages().empty()) << ui_.Texts().front();
        EXPECT_TRUE(ui_.FileRequests().empty());
        for (const auto& desc : FileDescs())
            EXPECT_EQ(db.File(desc.id).Status().state, FileState::Ok) << desc.name;
    }
    ScriptedUi ui_;
};

TEST_F(SampleDatabaseTest, DemoOpensWithoutAMessageAndHoldsTogether) {
    Write(SampleScale::Demo, Dir());
    Database db(ui_);
    OpenQuietly(db);
    for (const auto& desc : FileDescs()) {
        if (desc.header == HeaderKind::Model) continue;
        const uint32_t n = db.Table(desc.id)->RecordCount();
        EXPECT_GE(n, 10u) << desc.name;
        EXPECT_LE(n, desc.id == FileId::Ct ? 2500u : 700u) << desc.name;
    }
    CheckSample(db, SampleScale::Demo);
}

TEST_F(SampleDatabaseTest, ProtectedEntriesStandWhereTheSimulationLooksForThem) {
    Write(SampleScale::Demo, Dir());
    Database db(ui_);
    OpenQuietly(db);
    const auto ct = ReadAll<CtRecord>(db, FileId::Ct);
    EXPECT_EQ(ct[1087].Class(), kClassObjective);
    EXPECT_EQ(ct[1087].Type(), 8);  // "City"
    for (int rack : {833, 834, 1507, 1508, 1858, 1859, 1860}) {
        EXPECT_EQ(ct[rack].Class(), kClassWeapon) << rack;
        EXPECT_EQ(ct[rack].DataType(), kDataWeapon) << rack;
    }
    for (int vehicle : {270, 294, 372, 516, 1001}) {
        EXPECT_EQ(ct[vehicle].Domain(), kDomainAir) << vehicle;
        EXPECT_EQ(ct[vehicle].Class(), kClassVehicle) << vehicle;
    }
    for (int truck : {534, 707}) EXPECT_EQ(ct[truck].Domain(), kDomainLand) << truck;
    EXPECT_EQ(ct[430].Class(), kClassUnit);
    for (int sfx : {921, 984, 1033}) EXPECT_EQ(ct[sfx].Class(), kClassSfx) << sfx;
    EXPECT_EQ(ct[156].Class(), kClassManager);
    EXPECT_EQ(ct[1044].Class(), kClassSession);
    EXPECT_EQ(ct[1395].Class(), kClassGame);
    EXPECT_EQ(ct[1396].Class(), kClassGroup);
}

TEST_F(SampleDatabaseTest, GeneratingTwiceGivesTheSameBytes) {
    // The tests run rounding toward zero, as the program does; the sample does not depend on it.
    const int mode = std::fegetround();
    Write(SampleScale::Demo, Path("a"));
    std::fesetround(mode == FE_TONEAREST ? FE_TOWARDZERO : FE_TONEAREST);
    Write(SampleScale::Demo, Path("b"));
    std::fesetround(mode);
    // Writing over an existing sample replaces it, when asked to; otherwise it is kept.
    test::WriteBytes(Path("b/vantor.vcd"), Bytes(5, 1));
    std::string error;
    EXPECT_FALSE(WriteSampleDatabase(Path("b"), SampleScale::Demo, error));
    EXPECT_EQ(test::ReadBytes(Path("b/vantor.vcd")), Bytes(5, 1));
    Write(SampleScale::Demo, Path("b"), true);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(Path("a"))) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(test::ReadBytes(Path("a/" + name)), test::ReadBytes(Path("b/" + name))) << name;
        ++files;
    }
    EXPECT_EQ(files, kFileCount);
}

TEST_F(SampleDatabaseTest, CeilingFillsEveryRecordFileAndStillHoldsTogether) {
    Write(SampleScale::Ceiling, Dir());
    Database db(ui_);
    OpenQuietly(db);
    for (const auto& desc : FileDescs()) {
        if (desc.header == HeaderKind::Model) continue;
        EXPECT_EQ(db.Table(desc.id)->RecordCount(), 65535u) << desc.name;
    }
    CheckSample(db, SampleScale::Ceiling);
}

}  // namespace
}  // namespace tablon
