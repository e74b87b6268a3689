#include "sensors/SensorRecords.h"

namespace tablon {

const FieldTable& IrSensorFields() {
    using T = FieldType;
    using R = IrSensorRecord;
    static const FieldTable table{
        "IrSensorRecord",
        R::kSize,
        {
            {"range", R::kRange, T::F32, 1, "Range?", "Range"},
            {"fov", R::kFov, T::F32, 1, "Fov?", "FOV"},
            {"gimbal_limit", R::kGimbalLimit, T::F32, 1, "Gimbal Limit", "Gimbal"},
            {"ground_factor", R::kGroundFactor, T::F32, 1, "Ground Factor", "GChance"},
            {"flare_chance", R::kFlareChance, T::F32, 1, "Flare Chance", "Flare Chance"},
        },
    };
    return table;
}

const FieldTable& RwrFields() {
    using T = FieldType;
    static const FieldTable table{
        "RwrRecord",
        RwrRecord::kSize,
        {
            {"range", kScanRange, T::F32, 1, "Range", "Range"},
            {"scan_top", kScanTop, T::F32, 1, "Scan Top", "Top"},
            {"scan_bottom", kScanBottom, T::F32, 1, "Scan Bottom", "Bottom"},
            {"scan_left", kScanLeft, T::F32, 1, "Scan Left", "Left"},
            {"scan_right", kScanRight, T::F32, 1, "Scan Right", "Right"},
            {"flags", RwrRecord::kFlags, T::U16, 1, "Flag", "Flags"},
        },
    };
    return table;
}

const FieldTable& VisualSensorFields() {
    using T = FieldType;
    static const FieldTable table{
        "VisualSensorRecord",
        VisualSensorRecord::kSize,
        {
            {"range", kScanRange, T::F32, 1, "Range", "Range"},
            {"scan_top", kScanTop, T::F32, 1, "Scan Top", "Top"},
            {"scan_bottom", kScanBottom, T::F32, 1, "Scan bottom", "Bottom"},
            {"scan_left", kScanLeft, T::F32, 1, "Scan left", "Left"},
            {"scan_right", kScanRight, T::F32, 1, "Scan Right", "Right"},
        },
    };
    return table;
}

}  // namespace tablon
