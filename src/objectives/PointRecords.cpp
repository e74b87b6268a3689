#include "objectives/PointRecords.h"

namespace tablon {

const FieldTable& PointFields() {
    using T = FieldType;
    using R = PointRecord;
    static const FieldTable table{
        "PointRecord",
        R::kSize,
        {
            {"x", R::kX, T::F32, 1, "X?", "X Off"},
            {"y", R::kY, T::F32, 1, "Y?", "Y Off"},
            {"type", R::kType, T::U8, 1, "Type?", "Type"},
            {"flags", R::kFlags, T::U8, 1, "Flags?", "Flags"},
            {"reserved", R::kReserved, T::Raw, 2},
        },
    };
    return table;
}

const FieldTable& PointHeaderFields() {
    using T = FieldType;
    using R = PointHeaderRecord;
    static const FieldTable table{
        "PointHeaderRecord",
        R::kSize,
        {
            {"objective", R::kObjective, T::U16, 1, "Ocd", "Ocd Ptr"},
            {"type", R::kType, T::U8, 1, "Type", "Type"},
            {"point_count", R::kPointCount, T::U8, 1, "pdcount", "Pd Count"},
            {"features", R::kFeatures, T::U8, R::kFeatureCount, "Feat 1", "Feature 1"},
            {"heading", R::kHeading, T::I16, 1, "hdg", "Hdg"},
            {"sin_heading", R::kSinHeading, T::F32, 1, "sin(hdg)", "Sin(Hdg)"},
            {"cos_heading", R::kCosHeading, T::F32, 1, "cos(hdg)", "Cos(hdg)"},
            {"first_point", R::kFirstPoint, T::U16, 1, "Pd ind", "Pd Ptr"},
            {"texture_id", R::kTextureId, T::I16, 1, "Tex Id", "Tex Id"},
            {"runway", R::kRunway, T::U8, 1, "Rwy No", "Rwy No"},
            {"left_right", R::kLeftRight, T::U8, 1, "L/R bldg", "L/R"},
            {"chain", R::kChain, T::U16, 1, "Chain", "Chain"},
        },
    };
    return table;
}

}  // namespace tablon
