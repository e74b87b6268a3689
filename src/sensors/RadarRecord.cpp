#include "sensors/RadarRecord.h"

namespace tablon {

const FieldTable& RadarFields() {
    using T = FieldType;
    using R = RadarRecord;
    static const FieldTable table{
        "RadarRecord",
        R::kSize,
        {
            {"sound", R::kSound, T::U32, 1, "Sound", "Sound"},
            {"symbol", R::kSymbol, T::I16, 1, "Symbol"},
            {"data_index", R::kDataIndex, T::I16, 1, "DataFile", "Data Index"},
            {"rwr_gain", R::kRwrGain, T::F32, 1, "RWR Gain", "RWR Gain"},
            {"low_rwr_gain", R::kLowRwrGain, T::F32, 1, "Low RWR Gain", "LOW RWR Gain"},
            {"range", R::kRange, T::F32, 1, "Range", "Range"},
            {"beam_width", R::kBeamWidth, T::F32, 1, "BeamWidth", "BeamWidth"},
            {"azimuth", R::kAzimuth, T::F32, 1, "Azimuth", "Azimuth"},
            {"sweep_time", R::kSweepTime, T::F32, 1, "SweepTime", "SweepTime"},
            {"lock_time", R::kLockTime, T::U32, 1, "LockTime", "Lock Time (ms)"},
            {"look_down_range", R::kLookDownRange, T::F32, 1, "LookDownRange", "Look Down Range"},
            {"ecm_range", R::kEcmRange, T::F32, 1, "ECM Range", "ECM Range"},
            {"beam_distance", R::kBeamDistance, T::F32, 1, "Beam Dist", "Beam Dist"},
            {"min_doppler", R::kMinDoppler, T::F32, 1, "Min Doppler", "Min Doppler"},
            {"chaff_chance", R::kChaffChance, T::F32, 1, "Chaff Chance", "Chaff Chance"},
            {"flags", R::kFlags, T::U16, 1, "Flag", "Flags"},
        },
    };
    return table;
}

}  // namespace tablon
