#include "vehicles/WeaponRecord.h"

namespace tablon {

const FieldTable& WeaponFields() {
    using T = FieldType;
    using R = WeaponRecord;
    static const FieldTable table{
        "WeaponRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::I16, 1, "CT", "CT Index"},
            {"damage", R::kDamage, T::I16, 1, "Damage", "Damage"},
            {"damage_type", R::kDamageType, T::U32, 1, "Expl Type", "Expl Type"},
            {"range", R::kRange, T::I16, 1, "Range", "Range"},
            {"flags", R::kFlags, T::U16, 1, "Flags", "Flags"},
            {"name", R::kName, T::Text, R::kNameSize, "Name"},
            {"min_alt", R::kMinAlt, T::U8, 1, nullptr, "Min Alt"},
            {"bullet_dispersion", R::kBulletDispersion, T::U8, 1, "Bullet Disp",
             "Bullet Dispersion"},
            {"hit_chance", R::kHitChance, T::U8, kTargetClasses, "v Static", "v Static"},
            {"fire_rate", R::kFireRate, T::U8, 1, "Fire rate", "Fire rate"},
            {"rarity", R::kRarity, T::U8, 1, "Rareity", "Rareity"},
            {"guidance", R::kGuidance, T::U16, 1, "Seeker", "Guidance"},
            {"collective", R::kCollective, T::U8, 1, "Collective", "Collective"},
            {"bullet_bits", R::kBulletBits, T::U8, 1, "Bullet Bits"},
            {"rack_group", R::kRackGroup, T::I16, 1, "RackGroup", "Rack Group"},
            {"weight", R::kWeight, T::I16, 1, "Weight", "Weight"},
            {"drag", R::kDrag, T::I16, 1, "Drag", "Drag"},
            {"blast_radius", R::kBlastRadius, T::I16, 1, "Blast Rad", "Blast Radius"},
            {"seeker_radar", R::kSeekerRadar, T::I16, 1, "Seeker Range", "Seeker Radar"},
            {"vehicle_list", R::kVehicleList, T::I16, 1, "Vehicle Ptr", "Vehicle list"},
            {"max_alt", R::kMaxAlt, T::U8, 1, "Max Alt", "Max Alt"},
            {"rounds_per_sec", R::kRoundsPerSecond, T::U8, 1, "Rounds/sec", "Rounds/sec"},
        },
    };
    return table;
}

}  // namespace tablon
