#include "vehicles/SimWeaponRecord.h"

namespace tablon {

const FieldTable& SimWeaponFields() {
    using T = FieldType;
    using R = SimWeaponRecord;
    static const FieldTable table{
        "SimWeaponRecord",
        R::kSize,
        {
            {"flags", R::kFlags, T::U32, 1, "Flags", "Flags"},
            {"drag_coef", R::kDragCoef, T::F32, 1, "Drag Coef", "Drag"},
            {"weight", R::kWeight, T::F32, 1, "Weight", "Weight"},
            {"area", R::kArea, T::F32, 1, "Area", "Area"},
            {"eject_x", R::kEjectX, T::F32, 1, "X Eject", "X Eject"},
            {"eject_y", R::kEjectY, T::F32, 1, "Y Eject", "Y Eject"},
            {"eject_z", R::kEjectZ, T::F32, 1, "Z Eject", "Z Eject"},
            {"name", R::kName, T::Text, R::kNameSize, "Name"},
            {"weapon_type", R::kWeaponType, T::U32, 1, "Wep Type", "WType"},
            {"air_ground", R::kAirGround, T::U32, 1, "Air/Grnd", "Air/Ground"},
            {"avionics", R::kAvionics, T::U32, 1, "Avionics", "Avionics"},
            {"missile_data", R::kMissileData, T::U32, 1, "Missile Data", "Missile Ptr"},
        },
    };
    return table;
}

}  // namespace tablon
