#include "objectives/ObjectiveRecord.h"

#include "vehicles/VehicleRecord.h"

namespace tablon {

const FieldTable& ObjectiveFields() {
    using T = FieldType;
    using R = ObjectiveRecord;
    static const FieldTable table{
        "ObjectiveRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::I16, 1, "Ct", "CT Recd"},
            {"name", R::kName, T::Text, R::kNameSize, "Objective"},
            {"data_rate", R::kDataRate, T::I16, 1, "Data Rate", "Data Rate"},
            {"deag_distance", R::kDeagDistance, T::I16, 1, "Deag Dist", "Deag Dist"},
            {"first_point_header", R::kFirstPointHeader, T::U16, 1, "Phd", "1st Phd pointer"},
            {"detection", R::kDetection, T::U8, kTargetClasses, "Det v Static", "Static"},
            {"damage", R::kDamage, T::U8, kDamageTypes, "No Dam", "None"},
            {"reserved", R::kReserved, T::Raw, 1},
            {"icon_id", R::kIconId, T::I16, 1, "Iconid", "Icon Id"},
            {"feature_entry_count", R::kFeatureEntryCount, T::U8, 1, "FedCnt", "Fed Count"},
            {"radar_feature", R::kRadarFeature, T::U8, 1, "Radar Feature", "Radar Feat"},
            {"first_feature_entry", R::kFirstFeatureEntry, T::U16, 1, "Fed", "Fed Ptr"},
        },
    };
    return table;
}

}  // namespace tablon
