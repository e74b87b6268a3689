#include "misc/RocketRecord.h"

namespace tablon {

const FieldTable& RocketFields() {
    using T = FieldType;
    using R = RocketRecord;
    static const FieldTable table{
        "RocketRecord",
        R::kSize,
        {
            {"weapon_id", R::kWeaponId, T::I16, 1, "Id", "ID"},
            {"new_weapon_id", R::kNewWeaponId, T::I16, 1, "New Id", "New ID"},
            {"count", R::kCount, T::I16, 1, "Count", "Count"},
        },
    };
    return table;
}

}  // namespace tablon
