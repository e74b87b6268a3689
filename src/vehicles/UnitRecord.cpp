#include "vehicles/UnitRecord.h"

namespace tablon {

const FieldTable& UnitFields() {
    using T = FieldType;
    using R = UnitRecord;
    static const FieldTable table{
        "UnitRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::U32, 1, "Ct", "CT Ind"},
            {"slot_counts", R::kSlotCounts, T::U32, kUnitSlots},
            {"slot_ct", R::kSlotCt, T::U16, kUnitSlots},
            {"slot_class", R::kSlotClass, T::U8, kUnitSlots * R::kSlotClassBytes},
            {"flags", R::kFlags, T::I16, 1, "Flags", "Flags"},
            {"name", R::kName, T::Text, R::kNameSize, "Unit"},
            {"move_type", R::kMoveType, T::U32, 1, "MoveType", "MoveType"},
            {"move_speed", R::kMoveSpeed, T::I16, 1, "MoveSpeed", "MoveSpeed"},
            {"max_range", R::kMaxRange, T::I16, 1, "MaxRange", "Max Range"},
            {"fuel", R::kFuel, T::U32, 1, "Fuel", "Fuel"},
            {"fuel_rate", R::kFuelRate, T::I16, 1, "FuelRate", "FuelRate"},
            {"point_index", R::kPointIndex, T::I16, 1, "PtInd", "PT ind"},
            {"role_scores", R::kRoleScores, T::U8, kUnitRoles, "No Role"},
            {"main_role", R::kMainRole, T::U8, 1, "Role", "Main Role"},
            {"hit", R::kHit, T::U8, kTargetClasses, "Hit v Static"},
            {"strength", R::kStrength, T::U8, kTargetClasses, "Str v Static"},
            {"range", R::kRange, T::U8, kTargetClasses, "Range v Static"},
            {"detection", R::kDetection, T::U8, kTargetClasses, "Detect v Static"},
            {"damage", R::kDamage, T::U8, kDamageTypes, "No Damage"},
            {"radar_vehicle", R::kRadarVehicle, T::U8, 1, "Radar Vcl", "Rad Vcl"},
            {"spare_329", R::kSpare329, T::Raw, 1},
            {"stores_index", R::kStoresIndex, T::I16, 1, "SSD ind", "SSD Ind?"},
            {"unit_icon", R::kUnitIcon, T::I16, 1, "Unit Icon", "Unit Icon"},
            {"spare_334", R::kSpare334, T::Raw, 2},
        },
    };
    return table;
}

}  // namespace tablon
