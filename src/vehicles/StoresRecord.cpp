#include "vehicles/StoresRecord.h"

namespace tablon {

const FieldTable& StoresFields() {
    using T = FieldType;
    using R = StoresRecord;
    // The counts of weapons 0 to 218, the four titled bytes (which the dialog still shows as
    // the counts of weapons 219 to 222), then the counts of weapons 223 to 602.
    static const FieldTable table{
        "StoresRecord",
        R::kSize,
        {
            {"counts", R::kCounts, T::U8, R::kUnk220},
            {"unk220", R::kUnk220, T::U8, 1, "Unk220"},
            {"inf_air_ground", R::kInfAirGround, T::U8, 1, "Inf A/G"},
            {"inf_air_air", R::kInfAirAir, T::U8, 1, "Inf A/A"},
            {"inf_gun", R::kInfGun, T::U8, 1, "Inf Gun"},
            {"counts_high", R::kCountsHigh, T::U8, R::kSize - R::kCountsHigh},
        },
    };
    return table;
}

}  // namespace tablon
