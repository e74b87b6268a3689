#include "classtable/CtRecord.h"

#include "classtable/CtNames.h"

namespace tablon {

std::optional<FileId> DataFileOf(uint8_t dataType) {
    switch (dataType) {
        case kDataFeature:
            return FileId::Fcd;
        case kDataObjective:
            return FileId::Ocd;
        case kDataUnit:
            return FileId::Ucd;
        case kDataVehicle:
            return FileId::Vcd;
        case kDataWeapon:
            return FileId::Wcd;
        default:
            return std::nullopt;
    }
}

const FieldTable& CtFields() {
    using T = FieldType;
    static const FieldTable table{
        "CtRecord",
        81,
        {
            {"id", 0, T::I16, 1, "Id", "Id"},
            {"collision_type", 2, T::I16, 1, "Coll Type", nullptr},
            {"collision_radius", 4, T::F32, 1, "Coll rad", "Coll Rad"},
            {"domain", 8, T::U8, 1, "Domain", "Domain"},
            {"class", 9, T::U8, 1, "Class", "Class"},
            {"type", 10, T::U8, 1, "Type", "Type"},
            {"subtype", 11, T::U8, 1, "SubType", "SubType"},
            {"specific", 12, T::U8, 1, "Specific", "Specific"},
            {"mode", 13, T::U8, 1, "Mode", "Mode"},
            {"classification_extra", 14, T::Raw, 2},
            {"update_rate", 16, T::U32, 1, "Upd Rate", "Upd Rate"},
            {"update_tolerance", 20, T::U32, 1, "Upd Tol", "Upd Tol"},
            {"bubble_distance", 24, T::F32, 1, "Bubble", "Bubble Dist"},
            {"update_force_range", 28, T::F32, 1, "Upd ForceRange", "Upd Force Rng"},
            {"update_multiplier", 32, T::F32, 1, "Upd Mult", "Upd Mult"},
            {"damage_seed", 36, T::U32, 1, "Damage Seed", "Dam Seed"},
            {"hit_points", 40, T::I32, 1, "Hitpoints", "Hitpoints"},
            {"major_revision", 44, T::I16, 1, "MajRev", "Maj Rev"},
            {"minor_revision", 46, T::I16, 1, "MinRev", "Min Rev"},
            {"creation_priority", 48, T::I16, 1, "Create Prio", "Create Prio"},
            {"management_domain", 50, T::U8, 1, "ManageDom", "Manage Dom"},
            {"transferable", 51, T::U8, 1, "Transferable", "Transferable"},
            {"private", 52, T::U8, 1, "Private", "Private"},
            {"tangible", 53, T::U8, 1, "Tangible", "Tangible"},
            {"collidable", 54, T::U8, 1, "Collidable", "Collidable"},
            {"global", 55, T::U8, 1, "Global", "Global"},
            {"persistent", 56, T::U8, 1, "Persist", "Persistant"},
            {"reserved", 57, T::Raw, 3},
            {"graphics", 60, T::I16, 7, "Graphic", "Graphic"},
            {"alt_data_ref", 74, T::I16, 1, "Aoffset", "Alt Offset"},
            {"data_type", 76, T::U8, 1, "FType", "File Type"},
            {"data_ref", 77, T::U32, 1, "Foffset", "File Offset"},
        },
    };
    return table;
}

}  // namespace tablon
