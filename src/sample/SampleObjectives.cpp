// The objective files of the sample: features, objectives, the feature entries placed on them,
// and their point headers and points.
#include <algorithm>
#include <cmath>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/FeatureRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "sample/SampleWorld.h"
#include "store/Bytes.h"

namespace tablon::sample {

namespace {

struct PointSetup {
    uint8_t type;
    float x, y;
};
struct HeaderSetup {
    uint8_t type;
    uint8_t runway;  // runway number, 0 for headers that are no runway
    uint8_t leftRight;
    std::vector<PointSetup> points;
};

// Header types of the sample.
enum : uint8_t {
    kHdrRunway = 1,
    kHdrTaxi = 2,
    kHdrParking = 3,
    kHdrDocks = 4,
    kHdrDefense = 5,
    kHdrRadar = 6,
    kHdrSupport = 7,
};

HeaderSetup RunwayHeader(uint8_t number, float y) {
    const float end = number == 1 ? -1 : 1;
    return {kHdrRunway,
            number,
            uint8_t(number - 1),
            {{kPointRunway, -1200, y},
             {kPointRunway, 1200, y},
             {kPointTakeoff, 1100 * end, y},
             {kPointTakeRunway, 1150 * end, y + (number == 1 ? 40.0f : -40.0f)}}};
}

HeaderSetup Row(uint8_t headerType, std::initializer_list<std::pair<uint8_t, int>> kinds, float x0,
                float y, float step) {
    HeaderSetup h{headerType, 0, 0, {}};
    float x = x0;
    for (const auto& [type, n] : kinds)
        for (int i = 0; i < n; ++i, x += step) h.points.push_back({type, x, y});
    return h;
}

const std::vector<HeaderSetup>& HeadersFor(PointLayout layout) {
    static const std::vector<HeaderSetup> none;
    static const std::vector<HeaderSetup> airbase = {
        RunwayHeader(1, 0),
        RunwayHeader(2, 300),
        Row(kHdrTaxi, {{kPointTaxi, 4}, {kPointCritTaxi, 1}, {kPointFollowMe, 1}}, -1000, 150, 400),
        Row(kHdrParking, {{kPointSmallPark, 6}, {kPointLargePark, 2}, {kPointHelicopter, 1}}, -300,
            450, 100),
    };
    static const std::vector<HeaderSetup> airstrip = {
        RunwayHeader(1, 0),
        Row(kHdrParking, {{kPointSmallPark, 3}}, -100, 150, 100),
    };
    static const std::vector<HeaderSetup> port = {
        Row(kHdrDocks, {{kPointSmallDock, 3}, {kPointLargeDock, 2}}, -200, -300, 120)};
    static const std::vector<HeaderSetup> defense = {
        Row(kHdrDefense, {{kPointSam, 4}, {kPointAaa, 2}, {kPointRadar, 1}}, -300, -200, 100)};
    static const std::vector<HeaderSetup> radar = {
        Row(kHdrRadar, {{kPointRadar, 1}, {kPointStaticRadar, 2}}, -100, 0, 100)};
    static const std::vector<HeaderSetup> support = {
        Row(kHdrSupport, {{kPointSupport, 4}}, -150, -250, 100)};
    switch (layout) {
        case PointLayout::Airbase:
            return airbase;
        case PointLayout::Airstrip:
            return airstrip;
        case PointLayout::Port:
            return port;
        case PointLayout::Defense:
            return defense;
        case PointLayout::Radar:
            return radar;
        case PointLayout::Support:
            return support;
        case PointLayout::None:
            break;
    }
    return none;
}

// Detection ranges and damage modifiers of the objectives.
constexpr std::array<uint8_t, 8> kObjectiveDetect = {30, 8, 15, 15, 40, 50, 25, 15};
constexpr std::array<uint8_t, 11> kObjectiveDamage = {0, 20, 100, 100, 60, 20, 10, 0, 40, 100, 50};

std::array<uint8_t, 11> Vulnerability(const FeatureTemplate& f) {
    std::array<uint8_t, 11> v = {0, 40, 100, 20, 20, 30, 10, 0, 20, 100, 50};
    if (f.flags & kFeatureFlatContainer) v[3] = 100;  // runways, docks: anti-runway weapons
    if (f.flags & kFeatureCanBurn) v[4] = 80;
    if (f.flags & kFeatureCanCollapse) v[1] = 60;
    return v;
}

int Rounded(double v) {
    return int(std::lround(v));
}

}  // namespace

void World::WriteFeatures() {
    const uint32_t planned = uint32_t(featureCt_.size());
    TableBuffer t(FileId::Fcd, CountFor(planned));
    RecordBuilder b(FeatureFields());
    for (uint32_t r = 0; r < planned; ++r) {
        const CtEntry& e = ct_[featureCt_[r]];
        const FeatureTemplate& f = Features()[e.tmpl];
        const uint8_t seen = uint8_t(std::min(255, 10 + f.height / 2 + int(f.size / 20)));
        b.Target(t.Record(r))
            .Set("ct_index", featureCt_[r])
            .Set("repair_time", f.repairTime)
            .Set("priority", f.priority)
            .Set("flags", f.flags)
            .Set("name", VariantName(f.name, e.variant, 19))
            .Set("hit_points", f.hitPoints)
            .Set("height", f.height)
            .Set("angle", float((e.variant * 15) % 360))
            .Set("radar_type", f.radarType)
            .SetArray("detection",
                      std::array<uint8_t, 8>{seen, uint8_t(seen / 3), uint8_t(seen / 2),
                                             uint8_t(seen / 2), seen, seen, uint8_t(seen / 2),
                                             uint8_t(seen / 2)})
            .SetArray("vulnerability", Vulnerability(f));
    }
    CopyRecords(t, 0, planned, "name", 19);
    Save(t);
}

void World::WriteObjectives() {
    const uint32_t planned = uint32_t(objectiveCt_.size());
    const uint32_t count = CountFor(planned);

    // What each objective asks for, and what it gets: runs of feature entries, point headers
    // and points follow one another in objective order; a filled sample stops giving when a
    // file is full.
    struct Allocation {
        uint32_t firstEntry = 0, entries = 0;
        uint32_t firstHeader = 0, headers = 0;
        uint32_t firstPoint = 0;
        std::vector<uint32_t> points;  // per header
    };
    const uint32_t cap = sizes_.fill ? kFull : UINT32_MAX;
    uint32_t usedEntries = 0, usedHeaders = 1, usedPoints = 0;  // header 0 means "none"
    auto source = [&](uint32_t r) {
        return objectiveCt_[r < planned ? r : (r - planned) % planned];
    };
    auto layoutOf = [&](const ObjectiveTemplate& tp) {
        return tp.points == PointLayout::None && sizes_.fill ? PointLayout::Support : tp.points;
    };
    auto allocate = [&](uint32_t r) {
        const ObjectiveTemplate& tp = Objectives()[ct_[source(r)].tmpl];
        Allocation a;
        uint32_t wanted = 0;
        for (const auto& pf : tp.features) wanted += pf.count;
        wanted = std::min(wanted, 255u);
        a.firstEntry = usedEntries;
        a.entries = std::min(wanted, cap - usedEntries);
        usedEntries += a.entries;
        a.firstPoint = usedPoints;
        for (const HeaderSetup& h : HeadersFor(layoutOf(tp))) {
            if (usedHeaders >= cap) break;
            if (a.headers == 0) a.firstHeader = usedHeaders;
            ++a.headers;
            ++usedHeaders;
            const uint32_t n = std::min(uint32_t(h.points.size()), cap - usedPoints);
            a.points.push_back(n);
            usedPoints += n;
        }
        return a;
    };
    for (uint32_t r = 0; r < count; ++r) allocate(r);
    const uint32_t totalEntries = usedEntries, totalHeaders = usedHeaders, totalPoints = usedPoints;
    if (sizes_.fill && (totalEntries < kFull || totalHeaders < kFull || totalPoints < kFull))
        throw BuildError("the objectives do not fill the entry, header and point files");
    usedEntries = 0;
    usedHeaders = 1;
    usedPoints = 0;

    TableBuffer ocd(FileId::Ocd, count), fed(FileId::Fed, totalEntries),
        phd(FileId::Phd, totalHeaders), pd(FileId::Pd, totalPoints);
    RecordBuilder ob(ObjectiveFields()), fb(FeatureEntryFields()), hb(PointHeaderFields()),
        pb(PointFields());
    hb.Target(phd.Record(0)).Set("objective", -1);  // header 0 is nobody's

    for (uint32_t r = 0; r < count; ++r) {
        const uint32_t ctIndex = source(r);
        const CtEntry& e = ct_[ctIndex];
        const ObjectiveTemplate& tp = Objectives()[e.tmpl];
        const uint32_t v = e.variant;
        const Allocation a = allocate(r);
        const bool aligned =
            tp.points == PointLayout::Airbase || tp.points == PointLayout::Airstrip;
        const int heading = aligned ? int((v * 30) % 180) : 0;
        const double rad = heading * 3.14159265358979 / 180.0;
        auto turn = [&](float x, float y) {
            return std::pair<float, float>{float(Rounded(x * std::cos(rad) - y * std::sin(rad))),
                                           float(Rounded(x * std::sin(rad) + y * std::cos(rad)))};
        };

        // The feature entries, runways and taxiways first along the runway line, the rest on a
        // grid beside it.
        std::vector<FeatureKind> placed;
        for (const auto& pf : tp.features)
            for (int i = 0; i < pf.count; ++i) placed.push_back(pf.feature);
        uint8_t radarFeature = 255;
        std::array<uint8_t, 6> runwayFeatures, taxiFeatures;
        runwayFeatures.fill(255);
        taxiFeatures.fill(255);
        int runways = 0, taxiways = 0, others = 0;
        for (uint32_t k = 0; k < a.entries; ++k) {
            const FeatureKind kind = placed[k];
            const uint32_t featureCt = Pick(featureCtOf_[kind], v + k);
            const Classification c = Classify(ct_[featureCt], featureCt);
            float x = 0, y = 0;
            int entryHeading = heading;
            if (kind == kRunway) {
                y = 300.0f * runways;
                if (runways < 6) runwayFeatures[runways] = uint8_t(k);
                ++runways;
            } else if (kind == kTaxiway) {
                x = -600.0f + 400.0f * taxiways;
                y = 150;
                if (taxiways < 6) taxiFeatures[taxiways] = uint8_t(k);
                ++taxiways;
            } else {
                x = -400.0f + 160.0f * (others % 6);
                y = (aligned ? 600.0f : -400.0f) + 160.0f * (others / 6);
                entryHeading = aligned ? heading : (others * 45) % 360;
                ++others;
            }
            if ((kind == kRadarSite || kind == kRadarDome) && radarFeature == 255)
                radarFeature = uint8_t(k);
            const auto [tx, ty] = turn(x, y);
            fb.Target(fed.Record(a.firstEntry + k))
                .Set("ct_index", featureCt)
                .Set("flags", 0)
                .Set("domain", c.domain)
                .Set("class", c.cls)
                .Set("type", c.type)
                .Set("subtype", c.subtype)
                .Set("specific", c.specific)
                .Set("mode", c.mode)
                .Set("value", std::max(1, 10 - Features()[kind].priority))
                .Set("x_offset", tx)
                .Set("y_offset", ty)
                .Set("z_offset", 0.0f)
                .Set("heading", entryHeading);
        }

        // The point headers, chained in order, and their points.
        const auto& headers = HeadersFor(layoutOf(tp));
        uint32_t point = a.firstPoint;
        for (uint32_t h = 0; h < a.headers; ++h) {
            const HeaderSetup& desc = headers[h];
            const uint32_t index = a.firstHeader + h;
            const bool runway = desc.runway != 0;
            const int hdg = runway ? heading : 0;
            std::array<uint8_t, 6> features;
            features.fill(255);
            if (runway) features[0] = runwayFeatures[(desc.runway - 1) % 6];
            if (desc.type == kHdrTaxi) features = taxiFeatures;
            hb.Target(phd.Record(index))
                .Set("objective", r)
                .Set("type", desc.type)
                .Set("point_count", a.points[h])
                .SetArray("features", features)
                .Set("heading", hdg)
                .Set("sin_heading", float(std::sin(hdg * 3.14159265358979 / 180.0)))
                .Set("cos_heading", float(std::cos(hdg * 3.14159265358979 / 180.0)))
                .Set("first_point", point)
                .Set("texture_id", runway ? 1 + int(v % 4) : 0)
                .Set("runway", desc.runway)
                .Set("left_right", desc.leftRight)
                .Set("chain", h + 1 < a.headers ? index + 1 : 0);
            for (uint32_t p = 0; p < a.points[h]; ++p, ++point) {
                const PointSetup& ps = desc.points[p];
                const auto [px, py] = aligned ? turn(ps.x, ps.y) : std::pair{ps.x, ps.y};
                pb.Target(pd.Record(point))
                    .Set("x", px)
                    .Set("y", py)
                    .Set("type", ps.type)
                    .Set("flags", ps.type == kPointRunway ? 1 : 0);
            }
        }

        std::string name;
        if (r >= planned) {
            const uint8_t* src = ocd.Record((r - planned) % planned);
            name = LoadText(src + ObjectiveRecord::kName, ObjectiveRecord::kNameSize);
            if (name.size() <= 17) name += "-2";
        } else if (e.name) {
            name = e.name;
        } else {
            name = VariantName(PlaceName(r) + " " + tp.name, r / PlaceCount(), 19);
        }
        std::array<uint8_t, 8> detect = kObjectiveDetect;
        if (aligned) detect[5] = 80;
        ob.Target(ocd.Record(r))
            .Set("ct_index", ctIndex)
            .Set("name", name)
            .Set("data_rate", tp.dataRate)
            .Set("deag_distance", tp.deagDistance)
            .Set("first_point_header", a.headers ? a.firstHeader : 0)
            .SetArray("detection", detect)
            .SetArray("damage", kObjectiveDamage)
            .Set("icon_id", tp.iconId)
            .Set("feature_entry_count", a.entries)
            .Set("radar_feature", radarFeature)
            .Set("first_feature_entry", a.firstEntry);
    }
    Save(ocd);
    Save(fed);
    Save(phd);
    Save(pd);
}

}  // namespace tablon::sample
