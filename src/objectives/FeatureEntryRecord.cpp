#include "objectives/FeatureEntryRecord.h"

namespace tablon {

const FieldTable& FeatureEntryFields() {
    using T = FieldType;
    using R = FeatureEntryRecord;
    static const FieldTable table{
        "FeatureEntryRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::U16, 1, "CTind", "CT"},
            {"flags", R::kFlags, T::U16, 1, "Flags", "Unk1"},
            {"domain", R::kDomain, T::U8, 1, "Domain", "Domain"},
            {"class", R::kClass, T::U8, 1, "Class", "Class"},
            {"type", R::kType, T::U8, 1, "Type", "Type"},
            {"subtype", R::kSubType, T::U8, 1, "SubType", "Subtype"},
            {"specific", R::kSpecific, T::U8, 1, "Specific", "Specific"},
            {"mode", R::kMode, T::U8, 1, "Mode", "Mode"},
            {"pad_1", R::kPad1, T::U8, 1},
            {"pad_2", R::kPad2, T::U8, 1},
            {"value", R::kValue, T::U16, 1, "Value", "Value"},
            {"unk3", R::kUnk3, T::U16, 1, "unk3", "Unk2"},
            {"x_offset", R::kX, T::F32, 1, "X offset", "Xoff"},
            {"y_offset", R::kY, T::F32, 1, "Y offset", "Yoff"},
            {"z_offset", R::kZ, T::F32, 1, "Z offset", "Zoff"},
            {"heading", R::kHeading, T::I16, 1, "Hdg", "Heading"},
            {"unk5", R::kUnk5, T::I16, 1, "Unk5", "Unk3"},
        },
    };
    return table;
}

}  // namespace tablon
