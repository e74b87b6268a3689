// The sensor files of the sample: radars, infrared sensors, radar-warning receivers and visual
// sensors.
#include "sample/SampleWorld.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"

namespace tablon::sample {

void World::WriteRadars() {
    // Record 0 stays empty: vehicles without a radar of their own name it.
    TableBuffer t(FileId::Rcd, CountFor(sizes_.radars));
    RecordBuilder b(RadarFields());
    // The templates take turns, so that the first records hold every kind of radar (vehicles
    // name their radar by a signed 16-bit index).
    const auto radars = Radars();
    radarsOf_.assign(radars.size(), {});
    for (uint32_t r = 1; r < t.Count(); ++r) {
        const size_t k = (r - 1) % radars.size();
        const uint32_t v = uint32_t((r - 1) / radars.size());
        const RadarTemplate& tp = radars[k];
        radarsOf_[k].push_back(r);
        const float scale = 1.0f + float(v % 5) * 0.05f;
        b.Target(t.Record(r))
            .Set("sound", SoundOf(v % 2 ? "radar_lock" : "radar_search", v % 3))
            .Set("symbol", tp.symbol)
            .Set("data_index", int(k))
            .Set("rwr_gain", tp.rwrGain)
            .Set("low_rwr_gain", tp.lowRwrGain)
            .Set("range", tp.range * scale)
            .Set("beam_width", tp.beamWidth)
            .Set("azimuth", tp.azimuth)
            .Set("sweep_time", tp.sweepTime)
            .Set("lock_time", tp.lockTime + 100 * (v % 4))
            .Set("look_down_range", tp.lookDownRange * scale)
            .Set("ecm_range", tp.ecmRange)
            .Set("beam_distance", tp.beamDistance)
            .Set("min_doppler", tp.minDoppler)
            .Set("chaff_chance", tp.chaffChance)
            .Set("flags", tp.flags);
    }
    Save(t);
}

void World::WriteSmallSensors() {
    {
        TableBuffer t(FileId::Icd, CountFor(sizes_.irSensors));
        RecordBuilder b(IrSensorFields());
        const auto ir = IrSensors();
        for (uint32_t i = 0; i < t.Count(); ++i) {
            const IrTemplate& tp = ir[i % ir.size()];
            const float scale = 1.0f + float((i / ir.size()) % 4) * 0.1f;
            b.Target(t.Record(i))
                .Set("range", tp.range * scale)
                .Set("fov", tp.fov)
                .Set("gimbal_limit", tp.gimbalLimit)
                .Set("ground_factor", tp.groundFactor)
                .Set("flare_chance", tp.flareChance);
        }
        Save(t);
    }
    const auto scan = [&](FileId id, uint32_t count, const FieldTable& fields,
                          std::span<const ScanTemplate> templates, bool flags) {
        TableBuffer t(id, CountFor(count));
        RecordBuilder b(fields);
        for (uint32_t i = 0; i < t.Count(); ++i) {
            const ScanTemplate& tp = templates[i % templates.size()];
            const float scale = 1.0f + float((i / templates.size()) % 4) * 0.1f;
            b.Target(t.Record(i))
                .Set("range", tp.range * scale)
                .Set("scan_top", tp.top)
                .Set("scan_bottom", tp.bottom)
                .Set("scan_left", tp.left)
                .Set("scan_right", tp.right);
            if (flags) b.Set("flags", tp.rwrFlags);
        }
        Save(t);
    };
    scan(FileId::Rwd, sizes_.rwrSensors, RwrFields(), RwrSensors(), true);
    scan(FileId::Vsd, sizes_.visualSensors, VisualSensorFields(), VisualSensors(), false);
}

}  // namespace tablon::sample
