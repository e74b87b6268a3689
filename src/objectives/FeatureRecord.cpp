#include "objectives/FeatureRecord.h"

#include "vehicles/VehicleRecord.h"

namespace tablon {

const FieldTable& FeatureFields() {
    using T = FieldType;
    using R = FeatureRecord;
    static const FieldTable table{
        "FeatureRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::I16, 1, "CT", "CT Recd"},
            {"repair_time", R::kRepairTime, T::I16, 1, "Repair Time", "Repair Time"},
            {"priority", R::kPriority, T::I16, 1, "Priority", "Priority"},
            {"flags", R::kFlags, T::U16, 1, "Flags", "Flags"},
            {"name", R::kName, T::Text, R::kNameSize, "Feature"},
            {"hit_points", R::kHitPoints, T::I16, 1, "HitPoints", "Hit Points"},
            {"height", R::kHeight, T::I16, 1, "Height", "Height"},
            {"angle", R::kAngle, T::F32, 1, "Angle", "Angle"},
            {"radar_type", R::kRadarType, T::I16, 1, "RadType", "Radar Type"},
            {"detection", R::kDetection, T::U8, kTargetClasses, nullptr, "Static"},
            {"vulnerability", R::kVulnerability, T::U8, kDamageTypes, "V Unk", "Unk"},
            {"reserved", R::kReserved, T::Raw, 3},
        },
    };
    return table;
}

}  // namespace tablon
