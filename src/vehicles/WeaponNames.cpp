#include "vehicles/WeaponNames.h"

#include "vehicles/WeaponRecord.h"

namespace tablon {

const std::vector<WeaponGuidanceName>& WeaponGuidanceNames() {
    // The list spells the rear-aspect seeker "Read-Aspect".
    static const std::vector<WeaponGuidanceName> names{
        {kGuidanceNone, "None", "None"},
        {kGuidanceAntiRadar, "Anti-Radar", "Anti-Radar"},
        {kGuidanceIrAllAspect, "IR (All-Aspect)", "IR (All-Aspect)"},
        {kGuidanceRadar, "Radar Guided", "Radar Guided"},
        {kGuidanceLaser, "Laser", "Laser"},
        {kGuidanceOptical, "Optical", "Optical"},
        {kGuidanceIrRearAspect, "IR (Rear-Aspect)", "IR (Read-Aspect)"},
        {kGuidanceIrSam, "IR (SAM)", "IR (SAM)"},
        {kGuidanceRadarSam, "Radar (SAM)", "Radar (SAM)"},
    };
    return names;
}

std::string GuidanceListText(uint16_t value) {
    for (const auto& g : WeaponGuidanceNames())
        if (g.value == value) return g.list;
    return std::to_string(value);
}

const char* WeaponDamageTypeName(uint32_t index) {
    static const char* const names[kWeaponDamageTypes] = {
        "Unknown", "AP/Pen", "GP/HE",    "Anti-Runway", "Incendiary", "Air",
        "Bullet",  "Water",  "Chemical", "Nuclear",     "Other"};
    return index < kWeaponDamageTypes ? names[index] : "";
}

const std::vector<WeaponFlagName>& WeaponFlagNames() {
    static const std::vector<WeaponFlagName> names{
        {kWeaponRecon, "Recon"},
        {kWeaponFuel, "Fuel"},
        {kWeaponEcm, "Ecm"},
        {kWeaponAreaEffect, "Area Effect"},
        {kWeaponCluster, "Cluster"},
        {kWeaponTracer, "Tracer"},
        {kWeaponAlwaysRack, "Always Rack"},
        {kWeapon3rdGenLgb, "3rd Gen LGB"},
        {kWeaponBomb, "Bomb"},
        {kWeaponNoTrails, "No Trails"},
        {kWeaponBombDropSound, "Bomb Drop Snd"},
        {kWeaponBombGps, "Bomb GPS"},
        {kWeaponLoadOnOneHardpoint, "Load on 1 hpt"},
        {kWeaponIsGun, "Is Gun"},
        {kWeaponAmmoTenth, "Ammo is 1/10th"},
    };
    return names;
}

}  // namespace tablon
