#include "vehicles/VehicleRecord.h"

namespace tablon {

SlotKind VehicleRecord::Kind(int slot) const {
    if (SlotRef(slot) == 0) return SlotKind::Empty;
    switch (SlotLoad(slot)) {
        case kLoadBay:
            return SlotKind::Bay;
        case kLoadHardpoint:
            return SlotKind::Hardpoint;
        default:
            return SlotKind::Weapon;
    }
}

const FieldTable& VehicleFields() {
    using T = FieldType;
    using R = VehicleRecord;
    static const FieldTable table{
        "VehicleRecord",
        R::kSize,
        {
            {"ct_index", R::kCtIndex, T::I16, 1, "CT ref", "CT Recd"},
            {"hit_points", R::kHitPoints, T::U16, 1, "Hit Points", "Hit Points"},
            {"flags", R::kFlags, T::U32, 1, "Flags", "Flags"},
            {"name", R::kName, T::Text, R::kNameSize, "Name"},
            {"ecm_strength", R::kEcmStrength, T::U8, 1, "ECM Strength", "ECM\nStrength"},
            {"cockpit", R::kCockpit, T::Text, R::kCockpitSize, "Ckpit", "NCTR/ Cockpit", false},
            {"radar_cs", R::kRadarCs, T::F32, 1, "Radar CS", "Radar CS"},
            {"mtow", R::kMtow, T::U32, 1, "MTOW", "MTOW"},
            {"empty_weight", R::kEmptyWeight, T::U32, 1, "Empty Weight", "Empty Weight"},
            {"fuel_load", R::kFuelLoad, T::U32, 1, "Fuel Load", "Fuel"},
            {"fuel_rate", R::kFuelRate, T::I16, 1, "Fuel Rate", "Fuel Rate"},
            {"engine_sound", R::kEngineSound, T::I16, 1, "EngineSnd", "Engine Noise"},
            {"high_alt", R::kHighAlt, T::I16, 1, "High Alt", "Max Alt"},
            {"low_alt", R::kLowAlt, T::I16, 1, "Low Alt", "Min Alt"},
            {"cruise_alt", R::kCruiseAlt, T::I16, 1, "Cruise Alt", "Cruise Alt"},
            {"max_speed", R::kMaxSpeed, T::I16, 1, "Max Speed", "Max Speed"},
            {"radar", R::kRadar, T::I16, 1, "RCD", "Radar Ptr"},
            {"crew", R::kCrew, T::I16, 1, "No. Pilot", "Crew"},
            {"rack_mask", R::kRackMask, T::U16, 1, "Rack flag"},
            {"visible_mask", R::kVisibleMask, T::U16, 1, "Vis Flag"},
            {"call_sign", R::kCallSign, T::U8, 1, "Call Sign", "CallSign"},
            {"call_slot", R::kCallSlot, T::U8, 1, "Call Slot", "Call Slot"},
            {"hit", R::kHit, T::U8, kTargetClasses, "Hit v Static", "Hit Chance"},
            {"strength", R::kStrength, T::U8, kTargetClasses, "Str v Static", "Strength"},
            {"range", R::kRange, T::U8, kTargetClasses, "Range v Static", "Range"},
            {"detection", R::kDetection, T::U8, kTargetClasses, "Detect v Static", "Detection"},
            {"slot_refs", R::kSlotRefs, T::U16, kHardpointSlots},
            {"slot_loads", R::kSlotLoads, T::U8, kHardpointSlots},
            {"damage", R::kDamage, T::U8, kDamageTypes, "No Dam"},
            {"visual_signature", R::kVisualSignature, T::U8, 1, nullptr, "Vis Sig"},
            {"ir_signature", R::kIrSignature, T::U8, 1, nullptr, "IR Sig"},
            {"spare", R::kSpare, T::Raw, 1},
        },
    };
    return table;
}

}  // namespace tablon
