#include "vehicles/WeaponListRecord.h"

namespace tablon {

const FieldTable& WeaponListFields() {
    using T = FieldType;
    using R = WeaponListRecord;
    static const FieldTable table{
        "WeaponListRecord",
        R::kSize,
        {
            {"name", R::kName, T::Text, R::kNameSize, "Name"},
            {"weapons", R::kWeapons, T::U16, R::kEntries, "Weapon"},
            {"counts", R::kCounts, T::U8, R::kEntries},
        },
    };
    return table;
}

}  // namespace tablon
