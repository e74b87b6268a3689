#include "sample/SampleCatalog.h"

#include <algorithm>
#include <numeric>

#include "misc/SoundRecord.h"
#include "objectives/FeatureRecord.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "vehicles/SimWeaponRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon::sample {

namespace {

// Class-table class values.
enum : uint8_t {
    kClsAbstract = 0,
    kClsAnimal = 1,
    kClsFeature = 2,
    kClsManager = 3,
    kClsObjective = 4,
    kClsSfx = 5,
    kClsUnit = 6,
    kClsVehicle = 7,
    kClsWeapon = 8,
    kClsWeather = 9,
    kClsSession = 10,
    kClsGame = 11,
    kClsGroup = 12,
    kClsDialog = 13,
};

// Vehicle flag bits.
enum : uint32_t {
    kAirforce = 0x1,
    kNavy = 0x2,
    kMarines = 0x4,
    kArmy = 0x8,
    kAllWeather = 0x10,
    kStealth = 0x20,
    kNight = 0x40,
    kVtol = 0x80,
    kCanExplode = 0x400,
    kCanBurn = 0x800,
    kCanSmoke = 0x1000,
    kCanCollapse = 0x2000,
    kHasCrew = 0x4000,
    kIsTowed = 0x8000,
    kHasJammer = 0x10000,
    kIsAirDefense = 0x20000,
    kHasNctr = 0x40000,
    kHasExactRwr = 0x80000,
    kUsesUnitRadar = 0x100000,
    kHasHms = 0x20000000,
    kHasChaffFlares = 0x40000000,
};
constexpr uint32_t kJet = kAirforce | kCanExplode | kCanBurn | kCanSmoke | kHasCrew;
constexpr uint32_t kArmour = kArmy | kCanExplode | kCanBurn | kCanSmoke | kHasCrew;
constexpr uint32_t kShip = kNavy | kCanExplode | kCanBurn | kCanSmoke | kHasCrew;

constexpr float kDeg = 0.017453292f;

// clang-format off
constexpr RadarTemplate kRadars[] = {
    // range, beam width, azimuth, sweep time, lock time, look-down range, ECM range, beam
    // distance, minimum Doppler, chaff chance, RWR gain, low RWR gain, flags, symbol
    {60, 3.5f * kDeg, 60 * kDeg, 2.0f, 1500, 40, 20, 1.5f, 70, 0.25f, 1.0f, 0.5f,
     kRadarNctr | kRadarTws | kRadarAirToAir | kRadarAirToGround | kRadarDoppler, 3},
    {100, 3.0f * kDeg, 60 * kDeg, 2.5f, 2000, 70, 30, 2.0f, 80, 0.2f, 1.2f, 0.6f,
     kRadarTws | kRadarAirToAir | kRadarDoppler, 4},
    {40, 4.0f * kDeg, 45 * kDeg, 1.5f, 2500, 20, 15, 1.0f, 60, 0.35f, 0.8f, 0.4f,
     kRadarTfr | kRadarAirToGround | kRadarPulse, 5},
    {80, 5.0f * kDeg, 70 * kDeg, 3.0f, 3000, 30, 25, 2.5f, 90, 0.3f, 1.1f, 0.5f,
     kRadarTfr | kRadarAirToGround | kRadarPulse, 6},
    {250, 2.0f * kDeg, 180 * kDeg, 10.0f, 5000, 250, 60, 4.0f, 50, 0.1f, 2.0f, 1.0f,
     kRadarNctr | kRadarTws | kRadarAirToAir | kRadarDoppler, 7},
    {12, 8.0f * kDeg, 90 * kDeg, 1.0f, 1000, 12, 5, 0.5f, 20, 0.4f, 0.6f, 0.3f,
     kRadarAirToAir | kRadarAirToGround | kRadarPulse, 8},
    {90, 2.5f * kDeg, 180 * kDeg, 6.0f, 4000, 30, 40, 3.0f, 100, 0.3f, 1.5f, 0.8f, kRadarPulse, 10},
    {40, 1.5f * kDeg, 60 * kDeg, 1.0f, 1200, 35, 20, 1.0f, 60, 0.2f, 1.3f, 0.7f,
     kRadarTws | kRadarDoppler, 11},
    {10, 4.0f * kDeg, 180 * kDeg, 1.0f, 800, 10, 4, 0.5f, 30, 0.5f, 0.7f, 0.4f, kRadarPulse, 12},
    {110, 2.0f * kDeg, 180 * kDeg, 8.0f, 4000, 0, 50, 3.5f, 0, 0.3f, 1.5f, 0.9f, kRadarPulse, 13},
    {45, 1.5f * kDeg, 90 * kDeg, 2.0f, 1500, 0, 25, 1.5f, 0, 0.25f, 1.2f, 0.6f,
     kRadarTws | kRadarPulse, 14},
    {10, 10.0f * kDeg, 45 * kDeg, 0.5f, 300, 8, 3, 0.3f, 40, 0.3f, 0.5f, 0.2f,
     kRadarAirToAir | kRadarDoppler, 15},
    {20, 6.0f * kDeg, 45 * kDeg, 0.5f, 400, 15, 5, 0.4f, 30, 0.35f, 0.6f, 0.3f,
     kRadarAirToAir | kRadarPulse, 16},
};
// clang-format on

constexpr IrTemplate kIrSensors[] = {
    {10, 20 * kDeg, 60 * kDeg, 0.4f, 0.5f},  {15, 15 * kDeg, 70 * kDeg, 0.3f, 0.4f},
    {20, 10 * kDeg, 80 * kDeg, 0.5f, 0.3f},  {8, 30 * kDeg, 45 * kDeg, 0.6f, 0.6f},
    {25, 8 * kDeg, 90 * kDeg, 0.35f, 0.25f}, {5, 40 * kDeg, 30 * kDeg, 0.7f, 0.7f},
};

constexpr ScanTemplate kRwrSensors[] = {
    {80, 60 * kDeg, -60 * kDeg, -180 * kDeg, 180 * kDeg, kRwrExactHeading | kRwrExactType},
    {60, 45 * kDeg, -45 * kDeg, -180 * kDeg, 180 * kDeg, kRwrVagueDirection | kRwrTypeGroup},
    {100, 90 * kDeg, -90 * kDeg, -180 * kDeg, 180 * kDeg, kRwrExactHeading | kRwrExactType},
    {40, 30 * kDeg, -30 * kDeg, -120 * kDeg, 120 * kDeg, kRwrVagueDirection},
    {70, 50 * kDeg, -70 * kDeg, -180 * kDeg, 180 * kDeg, kRwrExactHeading | kRwrTypeGroup},
};

constexpr ScanTemplate kVisualSensors[] = {
    {8, 60 * kDeg, -45 * kDeg, -150 * kDeg, 150 * kDeg, 0},
    {6, 45 * kDeg, -30 * kDeg, -120 * kDeg, 120 * kDeg, 0},
    {10, 80 * kDeg, -60 * kDeg, -170 * kDeg, 170 * kDeg, 0},
    {4, 30 * kDeg, -20 * kDeg, -90 * kDeg, 90 * kDeg, 0},
    {12, 90 * kDeg, -90 * kDeg, -180 * kDeg, 180 * kDeg, 0},
};

// Damage types of the weapon record.
enum : uint8_t {
    kDmgApPen = 1,
    kDmgHe = 2,
    kDmgRunway = 3,
    kDmgIncendiary = 4,
    kDmgAir = 5,
    kDmgBullet = 6,
    kDmgWater = 7,
};
// Sim weapon types, air/ground classes and avionics classes.
enum : int8_t {
    kSimAirToAir = 0,
    kSimRocket = 1,
    kSimDumbBomb = 2,
    kSimGun = 3,
    kSimEcmPod = 4,
    kSimFuelTank = 5,
    kSimAirToGround = 6,
    kSimHarm = 7,
    kSimSam = 8,
    kSimGbu = 9,
    kSimRecon = 10,
};
enum : uint8_t { kNotWeapon = 0, kAirWeapon = 1, kGroundWeapon = 2, kAirGroundWeapon = 3 };
enum : uint8_t {
    kAvGun = 0,
    kAvIrAam = 1,
    kAvRadarAam = 2,
    kAvHarm = 3,
    kAvOptical = 4,
    kAvAntiSea = 5,
    kAvDumbBombs = 6,
    kAvLaser = 7,
    kAvSam = 8,
    kAvRocket = 9,
    kAvRecon = 10,
};
// Class-table types of weapons.
enum : uint8_t { kTGun = 1, kTMissile = 2, kTBomb = 3, kTRocket = 4, kTStore = 5, kTRack = 6 };

// clang-format off
const WeaponTemplate kWeapons[kWeaponKinds] = {
    {.name = "Cannon 20mm", .domain = kAir, .type = kTGun, .damage = 12, .damageType = kDmgBullet,
     .range = 2, .flags = kWeaponIsGun | kWeaponTracer | kWeaponAmmoTenth,
     .hit = {10, 40, 30, 15, 45, 50, 10, 20}, .weight = 1, .drag = 0, .blastRadius = 0,
     .fireRate = 100, .roundsPerSec = 100, .maxAlt = 60, .bulletSpeed = 12, .bulletTtl = 3,
     .dispersion = 2, .simType = kSimGun, .airGround = kAirGroundWeapon, .avionics = kAvGun,
     .simName = "GUN20", .dragCoef = 0.3f, .simWeight = 0.2f, .area = 0.01f},
    {.name = "Cannon 30mm", .domain = kAir, .type = kTGun, .damage = 25, .damageType = kDmgApPen,
     .range = 3, .flags = kWeaponIsGun | kWeaponTracer | kWeaponAmmoTenth,
     .hit = {30, 50, 50, 40, 30, 25, 20, 40}, .weight = 1, .drag = 0, .blastRadius = 0,
     .fireRate = 60, .roundsPerSec = 60, .maxAlt = 40, .bulletSpeed = 11, .bulletTtl = 3,
     .dispersion = 3, .simType = kSimGun, .airGround = kAirGroundWeapon, .avionics = kAvGun,
     .simName = "GUN30", .dragCoef = 0.3f, .simWeight = 0.4f, .area = 0.01f},
    {.name = "MG 7.62mm", .domain = kLand, .type = kTGun, .damage = 4, .damageType = kDmgBullet,
     .range = 1, .flags = kWeaponIsGun | kWeaponTracer, .hit = {5, 60, 30, 5, 10, 5, 0, 10},
     .weight = 1, .drag = 0, .blastRadius = 0, .fireRate = 120, .roundsPerSec = 15, .maxAlt = 5,
     .bulletSpeed = 9, .bulletTtl = 2, .dispersion = 4, .simType = kSimGun,
     .airGround = kGroundWeapon, .avionics = kAvGun, .simName = "MG762", .dragCoef = 0.3f,
     .simWeight = 0.1f, .area = 0.005f},
    {.name = "MG 12.7mm", .domain = kLand, .type = kTGun, .damage = 8, .damageType = kDmgBullet,
     .range = 2, .flags = kWeaponIsGun | kWeaponTracer, .hit = {10, 60, 40, 10, 20, 10, 5, 20},
     .weight = 1, .drag = 0, .blastRadius = 0, .fireRate = 90, .roundsPerSec = 12, .maxAlt = 10,
     .bulletSpeed = 10, .bulletTtl = 2, .dispersion = 4, .aaa = true, .simType = kSimGun,
     .airGround = kGroundWeapon, .avionics = kAvGun, .simName = "MG127", .dragCoef = 0.3f,
     .simWeight = 0.1f, .area = 0.005f},
    {.name = "Tank Gun 120mm", .domain = kLand, .type = kTGun, .damage = 90,
     .damageType = kDmgApPen, .range = 4, .flags = kWeaponIsGun,
     .hit = {60, 30, 70, 80, 0, 0, 30, 60}, .weight = 20, .drag = 0, .blastRadius = 5,
     .fireRate = 6, .roundsPerSec = 1, .maxAlt = 0, .bulletSpeed = 6, .bulletTtl = 4,
     .dispersion = 1, .simType = kSimGun, .airGround = kGroundWeapon, .avionics = kAvGun,
     .simName = "TGN120", .dragCoef = 0.2f, .simWeight = 20, .area = 0.01f},
    {.name = "Howitzer 155mm", .domain = kLand, .type = kTGun, .damage = 120, .damageType = kDmgHe,
     .range = 20, .flags = kWeaponIsGun | kWeaponAreaEffect, .hit = {70, 50, 40, 30, 0, 0, 20, 50},
     .weight = 45, .drag = 0, .blastRadius = 40, .fireRate = 4, .roundsPerSec = 1, .maxAlt = 0,
     .bulletSpeed = 3, .bulletTtl = 7, .dispersion = 10, .simType = kSimGun,
     .airGround = kGroundWeapon, .avionics = kAvGun, .simName = "HOW155", .dragCoef = 0.25f,
     .simWeight = 45, .area = 0.02f},
    {.name = "AAA Gun 35mm", .domain = kLand, .type = kTGun, .damage = 15, .damageType = kDmgAir,
     .range = 4, .flags = kWeaponIsGun | kWeaponTracer, .hit = {0, 10, 10, 5, 60, 40, 0, 0},
     .weight = 2, .drag = 0, .blastRadius = 3, .fireRate = 80, .roundsPerSec = 9, .maxAlt = 120,
     .bulletSpeed = 10, .bulletTtl = 5, .dispersion = 6, .aaa = true, .simType = kSimGun,
     .airGround = kAirWeapon, .avionics = kAvGun, .simName = "AAA35", .dragCoef = 0.3f,
     .simWeight = 1, .area = 0.01f},
    {.name = "Naval Gun 127mm", .domain = kSea, .type = kTGun, .damage = 80, .damageType = kDmgHe,
     .range = 15, .flags = kWeaponIsGun, .hit = {50, 20, 40, 40, 20, 10, 60, 30}, .weight = 30,
     .drag = 0, .blastRadius = 20, .fireRate = 10, .roundsPerSec = 1, .maxAlt = 100,
     .bulletSpeed = 5, .bulletTtl = 7, .dispersion = 8, .simType = kSimGun,
     .airGround = kAirGroundWeapon, .avionics = kAvGun, .simName = "NGN127", .dragCoef = 0.25f,
     .simWeight = 30, .area = 0.015f},
    {.name = "AAM Short", .domain = kAir, .type = kTMissile, .damage = 40, .damageType = kDmgAir,
     .range = 10, .flags = 0, .guidance = kGuidanceIrAllAspect, .hit = {0, 0, 0, 0, 70, 80, 0, 0},
     .weight = 190, .drag = 2, .blastRadius = 8, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 250,
     .simType = kSimAirToAir, .airGround = kAirWeapon, .avionics = kAvIrAam, .simName = "AAMS",
     .dragCoef = 0.4f, .simWeight = 190, .area = 0.02f, .simFlags = kSimWeaponHasDisplay,
     .missileData = 1},
    {.name = "AAM Rear Aspect", .domain = kAir, .type = kTMissile, .damage = 35,
     .damageType = kDmgAir, .range = 6, .flags = 0, .guidance = kGuidanceIrRearAspect,
     .hit = {0, 0, 0, 0, 60, 65, 0, 0}, .weight = 170, .drag = 2, .blastRadius = 7, .fireRate = 1,
     .roundsPerSec = 1, .maxAlt = 200, .simType = kSimAirToAir, .airGround = kAirWeapon,
     .avionics = kAvIrAam, .simName = "AAMR", .dragCoef = 0.45f, .simWeight = 170, .area = 0.02f,
     .missileData = 2},
    {.name = "AAM Medium", .domain = kAir, .type = kTMissile, .damage = 45, .damageType = kDmgAir,
     .range = 40, .flags = 0, .guidance = kGuidanceRadar, .hit = {0, 0, 0, 0, 65, 75, 0, 0},
     .weight = 330, .drag = 3, .blastRadius = 10, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 250,
     .seeker = kRadarSeekerActive, .simType = kSimAirToAir, .airGround = kAirWeapon,
     .avionics = kAvRadarAam, .simName = "AAMM", .dragCoef = 0.35f, .simWeight = 330, .area = 0.03f,
     .simFlags = kSimWeaponLoftable | kSimWeaponHasDisplay, .missileData = 3},
    {.name = "AAM Long", .domain = kAir, .type = kTMissile, .damage = 50, .damageType = kDmgAir,
     .range = 80, .flags = 0, .guidance = kGuidanceRadar, .hit = {0, 0, 0, 0, 55, 70, 0, 0},
     .weight = 1000, .drag = 5, .blastRadius = 12, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 255,
     .seeker = kRadarSeekerActive, .simType = kSimAirToAir, .airGround = kAirWeapon,
     .avionics = kAvRadarAam, .simName = "AAML", .dragCoef = 0.3f, .simWeight = 1000, .area = 0.05f,
     .simFlags = kSimWeaponLoftable | kSimWeaponHasDisplay, .missileData = 4},
    {.name = "ARM Missile", .domain = kAir, .type = kTMissile, .damage = 60, .damageType = kDmgHe,
     .range = 50, .flags = 0, .guidance = kGuidanceAntiRadar, .hit = {70, 10, 40, 30, 0, 0, 40, 20},
     .weight = 800, .drag = 4, .blastRadius = 15, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 200,
     .simType = kSimHarm, .airGround = kGroundWeapon, .avionics = kAvHarm, .simName = "ARM",
     .dragCoef = 0.35f, .simWeight = 800, .area = 0.04f,
     .simFlags = kSimWeaponLoftable | kSimWeaponHasDisplay, .missileData = 5},
    {.name = "AGM Laser", .domain = kAir, .type = kTMissile, .damage = 80, .damageType = kDmgApPen,
     .range = 8, .flags = 0, .guidance = kGuidanceLaser, .hit = {80, 20, 70, 75, 0, 0, 50, 60},
     .weight = 480, .drag = 4, .blastRadius = 10, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 150,
     .simType = kSimAirToGround, .airGround = kGroundWeapon, .avionics = kAvLaser,
     .simName = "AGML", .dragCoef = 0.4f, .simWeight = 480, .area = 0.04f,
     .simFlags = kSimWeaponHasDisplay, .missileData = 6},
    {.name = "AGM Optical", .domain = kAir, .type = kTMissile, .damage = 70,
     .damageType = kDmgApPen, .range = 12, .flags = 0, .guidance = kGuidanceOptical,
     .hit = {75, 15, 65, 70, 0, 0, 45, 55}, .weight = 460, .drag = 4, .blastRadius = 9,
     .fireRate = 1, .roundsPerSec = 1, .maxAlt = 150, .simType = kSimAirToGround,
     .airGround = kGroundWeapon, .avionics = kAvOptical, .simName = "AGMO", .dragCoef = 0.4f,
     .simWeight = 460, .area = 0.04f, .simFlags = kSimWeaponHasDisplay, .missileData = 7},
    {.name = "Anti-Ship Msl", .domain = kSea, .type = kTMissile, .damage = 150,
     .damageType = kDmgHe, .range = 60, .flags = 0, .guidance = kGuidanceRadar,
     .hit = {20, 0, 0, 0, 0, 0, 90, 0}, .weight = 1200, .drag = 6, .blastRadius = 20, .fireRate = 1,
     .roundsPerSec = 1, .maxAlt = 50, .seeker = kRadarSeekerActive, .simType = kSimAirToGround,
     .airGround = kGroundWeapon, .avionics = kAvAntiSea, .simName = "ASHM", .dragCoef = 0.45f,
     .simWeight = 1200, .area = 0.08f, .simFlags = kSimWeaponHasDisplay, .missileData = 8},
    {.name = "Bomb 250", .domain = kAir, .type = kTBomb, .damage = 60, .damageType = kDmgHe,
     .range = 2, .flags = kWeaponBomb | kWeaponBombDropSound, .hit = {60, 40, 50, 40, 0, 0, 30, 60},
     .weight = 250, .drag = 3, .blastRadius = 20, .fireRate = 4, .roundsPerSec = 1, .maxAlt = 200,
     .simType = kSimDumbBomb, .airGround = kGroundWeapon, .avionics = kAvDumbBombs,
     .simName = "BMB250", .dragCoef = 0.5f, .simWeight = 250, .area = 0.05f},
    {.name = "Bomb 500", .domain = kAir, .type = kTBomb, .damage = 90, .damageType = kDmgHe,
     .range = 2, .flags = kWeaponBomb | kWeaponBombDropSound, .hit = {65, 40, 55, 45, 0, 0, 35, 65},
     .weight = 500, .drag = 4, .blastRadius = 30, .fireRate = 4, .roundsPerSec = 1, .maxAlt = 200,
     .simType = kSimDumbBomb, .airGround = kGroundWeapon, .avionics = kAvAntiSea,
     .simName = "BMB500", .dragCoef = 0.55f, .simWeight = 500, .area = 0.07f},
    {.name = "Bomb 1000", .domain = kAir, .type = kTBomb, .damage = 140, .damageType = kDmgHe,
     .range = 2, .flags = kWeaponBomb | kWeaponBombDropSound, .hit = {70, 40, 60, 50, 0, 0, 40, 70},
     .weight = 1000, .drag = 6, .blastRadius = 45, .fireRate = 2, .roundsPerSec = 1, .maxAlt = 200,
     .simType = kSimDumbBomb, .airGround = kGroundWeapon, .avionics = kAvDumbBombs,
     .simName = "BMB1000", .dragCoef = 0.6f, .simWeight = 1000, .area = 0.1f},
    {.name = "Laser Bomb 500", .domain = kAir, .type = kTBomb, .damage = 95, .damageType = kDmgHe,
     .range = 6, .flags = kWeaponBomb | kWeapon3rdGenLgb, .guidance = kGuidanceLaser,
     .hit = {85, 30, 70, 70, 0, 0, 50, 80}, .weight = 560, .drag = 5, .blastRadius = 30,
     .fireRate = 2, .roundsPerSec = 1, .maxAlt = 220, .simType = kSimGbu,
     .airGround = kGroundWeapon, .avionics = kAvLaser, .simName = "LGB500", .dragCoef = 0.55f,
     .simWeight = 560, .area = 0.07f, .simFlags = kSimWeaponLoftable},
    {.name = "GPS Bomb 1000", .domain = kAir, .type = kTBomb, .damage = 145, .damageType = kDmgHe,
     .range = 10, .flags = kWeaponBomb | kWeaponBombGps, .hit = {90, 30, 60, 55, 0, 0, 40, 85},
     .weight = 1050, .drag = 6, .blastRadius = 45, .fireRate = 2, .roundsPerSec = 1, .maxAlt = 255,
     .simType = kSimGbu, .airGround = kGroundWeapon, .avionics = kAvDumbBombs, .simName = "GPS1000",
     .dragCoef = 0.6f, .simWeight = 1050, .area = 0.1f, .simFlags = kSimWeaponLoftable},
    {.name = "Cluster Bomb", .domain = kAir, .type = kTBomb, .damage = 50, .damageType = kDmgApPen,
     .range = 3, .flags = kWeaponBomb | kWeaponCluster | kWeaponAreaEffect,
     .hit = {50, 70, 70, 60, 0, 0, 20, 40}, .weight = 430, .drag = 5, .blastRadius = 60,
     .fireRate = 2, .roundsPerSec = 1, .maxAlt = 200, .simType = kSimDumbBomb,
     .airGround = kGroundWeapon, .avionics = kAvDumbBombs, .simName = "CBU", .dragCoef = 0.6f,
     .simWeight = 430, .area = 0.07f},
    {.name = "Runway Bomb", .domain = kAir, .type = kTBomb, .damage = 100, .damageType = kDmgRunway,
     .range = 2, .flags = kWeaponBomb | kWeaponBombDropSound, .hit = {80, 0, 10, 10, 0, 0, 0, 30},
     .weight = 600, .drag = 5, .blastRadius = 25, .fireRate = 4, .roundsPerSec = 1, .maxAlt = 100,
     .simType = kSimDumbBomb, .airGround = kGroundWeapon, .avionics = kAvDumbBombs,
     .simName = "RWYBMB", .dragCoef = 0.55f, .simWeight = 600, .area = 0.07f},
    {.name = "Rocket Pod", .domain = kAir, .type = kTRocket, .damage = 20, .damageType = kDmgHe,
     .range = 4, .flags = kWeaponAlwaysRack, .hit = {40, 40, 45, 30, 10, 0, 20, 30}, .weight = 300,
     .drag = 6, .blastRadius = 5, .fireRate = 19, .roundsPerSec = 10, .maxAlt = 100,
     .simType = kSimRocket, .airGround = kGroundWeapon, .avionics = kAvRocket, .simName = "RKTPOD",
     .dragCoef = 0.7f, .simWeight = 300, .area = 0.12f},
    {.name = "Rocket 70mm", .domain = kAir, .type = kTRocket, .damage = 20, .damageType = kDmgHe,
     .range = 4, .flags = kWeaponNoTrails, .hit = {40, 40, 45, 30, 10, 0, 20, 30}, .weight = 10,
     .drag = 1, .blastRadius = 5, .fireRate = 1, .roundsPerSec = 10, .maxAlt = 100,
     .simType = kSimRocket, .airGround = kGroundWeapon, .avionics = kAvRocket, .simName = "RKT70",
     .dragCoef = 0.3f, .simWeight = 10, .area = 0.005f},
    {.name = "Fuel Tank 300", .domain = kAir, .type = kTStore, .flags = kWeaponFuel, .weight = 1100,
     .drag = 8, .simType = kSimFuelTank, .airGround = kNotWeapon, .avionics = kAvGun,
     .simName = "TANK300", .dragCoef = 0.8f, .simWeight = 1100, .area = 0.3f},
    {.name = "Fuel Tank 600", .domain = kAir, .type = kTStore, .flags = kWeaponFuel, .weight = 2100,
     .drag = 12, .simType = kSimFuelTank, .airGround = kNotWeapon, .avionics = kAvGun,
     .simName = "TANK600", .dragCoef = 0.9f, .simWeight = 2100, .area = 0.45f},
    {.name = "ECM Pod", .domain = kAir, .type = kTStore, .flags = kWeaponEcm, .weight = 350,
     .drag = 4, .simType = kSimEcmPod, .airGround = kNotWeapon, .avionics = kAvRocket,
     .simName = "ECMPOD", .dragCoef = 0.6f, .simWeight = 350, .area = 0.1f},
    {.name = "Recon Pod", .domain = kAir, .type = kTStore, .flags = kWeaponRecon, .weight = 500,
     .drag = 5, .simType = kSimRecon, .airGround = kNotWeapon, .avionics = kAvRecon,
     .simName = "RECPOD", .dragCoef = 0.6f, .simWeight = 500, .area = 0.12f},
    {.name = "SAM Short", .domain = kLand, .type = kTMissile, .damage = 35, .damageType = kDmgAir,
     .range = 8, .flags = 0, .guidance = kGuidanceIrSam, .hit = {0, 0, 0, 0, 70, 50, 0, 0},
     .weight = 90, .drag = 2, .blastRadius = 6, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 60,
     .simType = kSimSam, .airGround = kAirWeapon, .avionics = kAvSam, .simName = "SAMS",
     .dragCoef = 0.4f, .simWeight = 90, .area = 0.015f, .missileData = 9},
    {.name = "SAM Medium", .domain = kLand, .type = kTMissile, .damage = 50, .damageType = kDmgAir,
     .range = 30, .flags = 0, .guidance = kGuidanceRadarSam, .hit = {0, 0, 0, 0, 65, 70, 0, 0},
     .weight = 700, .drag = 4, .blastRadius = 12, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 200,
     .seeker = kRadarSeekerSam, .simType = kSimSam, .airGround = kAirWeapon, .avionics = kAvSam,
     .simName = "SAMM", .dragCoef = 0.35f, .simWeight = 700, .area = 0.05f, .missileData = 10},
    {.name = "SAM Long", .domain = kLand, .type = kTMissile, .damage = 70, .damageType = kDmgAir,
     .range = 90, .flags = 0, .guidance = kGuidanceRadarSam, .hit = {0, 0, 0, 0, 50, 75, 0, 0},
     .weight = 1800, .drag = 6, .blastRadius = 18, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 255,
     .seeker = kRadarSeekerSam, .simType = kSimSam, .airGround = kAirWeapon, .avionics = kAvSam,
     .simName = "SAML", .dragCoef = 0.3f, .simWeight = 1800, .area = 0.1f, .missileData = 11},
    {.name = "Torpedo", .domain = kUndersea, .type = kTMissile, .damage = 200,
     .damageType = kDmgWater, .range = 20, .flags = 0, .hit = {0, 0, 0, 0, 0, 0, 80, 0},
     .weight = 1600, .drag = 8, .blastRadius = 15, .fireRate = 1, .roundsPerSec = 1, .maxAlt = 0,
     .simType = kSimAirToGround, .airGround = kGroundWeapon, .avionics = kAvAntiSea,
     .simName = "TORP", .dragCoef = 0.5f, .simWeight = 1600, .area = 0.3f, .missileData = 12},
    {.name = "Depth Charge", .domain = kSea, .type = kTBomb, .damage = 120, .damageType = kDmgWater,
     .range = 1, .flags = kWeaponBomb, .hit = {0, 0, 0, 0, 0, 0, 60, 0}, .weight = 200, .drag = 3,
     .blastRadius = 25, .fireRate = 2, .roundsPerSec = 1, .maxAlt = 0, .simType = kSimDumbBomb,
     .airGround = kGroundWeapon, .avionics = kAvDumbBombs, .simName = "DEPTHCH", .dragCoef = 0.6f,
     .simWeight = 200, .area = 0.1f},
    {.name = "Rifle", .domain = kLand, .type = kTGun, .damage = 2, .damageType = kDmgBullet,
     .range = 1, .flags = kWeaponIsGun, .hit = {0, 40, 10, 0, 5, 0, 0, 5}, .weight = 1, .drag = 0,
     .blastRadius = 0, .fireRate = 30, .roundsPerSec = 5, .maxAlt = 2, .bulletSpeed = 8,
     .bulletTtl = 1, .dispersion = 6, .simType = kSimGun, .airGround = kGroundWeapon,
     .avionics = kAvGun, .simName = "RIFLE", .dragCoef = 0.3f, .simWeight = 0.05f, .area = 0.001f},
    {.name = "Rack", .domain = kAir, .type = kTRack, .flags = kWeaponAlwaysRack, .weight = 50,
     .drag = 2},
};
// clang-format on

constexpr std::pair<WeaponKind, int> kWeaponMix[] = {
    {kCannon20, 4},    {kCannon30, 3},    {kMg762, 2},      {kMg127, 2},       {kTankGun, 3},
    {kHowitzer, 2},    {kAaaGun, 2},      {kNavalGun, 2},   {kAamShort, 5},    {kAamRear, 2},
    {kAamMedium, 5},   {kAamLong, 3},     {kArm, 3},        {kAgmLaser, 3},    {kAgmOptical, 3},
    {kAntiShip, 3},    {kBomb250, 3},     {kBomb500, 4},    {kBomb1000, 3},    {kLaserBomb, 3},
    {kGpsBomb, 3},     {kClusterBomb, 3}, {kRunwayBomb, 2}, {kRocketPod, 3},   {kRocket70, 3},
    {kFuelTank300, 2}, {kFuelTank600, 2}, {kEcmPod, 2},     {kReconPod, 1},    {kSamShort, 3},
    {kSamMedium, 3},   {kSamLong, 2},     {kTorpedo, 2},    {kDepthCharge, 1}, {kRifle, 1},
};

// clang-format off
const WeaponListTemplate kWeaponLists[kListKinds] = {
    {"AA Short x2", {{{kAamShort, 2}}}, 1},
    {"AA Mixed x4", {{{kAamShort, 2}, {kAamMedium, 2}}}, 2},
    {"AA Long x4", {{{kAamLong, 4}}}, 1},
    {"Bombs 250 x12", {{{kBomb250, 12}}}, 1},
    {"Bombs 500 x6", {{{kBomb500, 6}}}, 1},
    {"Bombs 1000 x2", {{{kBomb1000, 2}}}, 1},
    {"LGB x2", {{{kLaserBomb, 2}}}, 1},
    {"GPS Bombs x2", {{{kGpsBomb, 2}}}, 1},
    {"Cluster x4", {{{kClusterBomb, 4}}}, 1},
    {"SEAD x2", {{{kArm, 2}}}, 1},
    {"AGM Laser x2", {{{kAgmLaser, 2}}}, 1},
    {"EO AGM x2", {{{kAgmOptical, 2}}}, 1},
    {"Anti-Ship x2", {{{kAntiShip, 2}}}, 1},
    {"Rockets x2", {{{kRocketPod, 2}}}, 1},
    {"Fuel Tank 300", {{{kFuelTank300, 1}}}, 1},
    {"Fuel Tank 600", {{{kFuelTank600, 1}}}, 1},
    {"ECM Pod", {{{kEcmPod, 1}}}, 1},
    {"Recon Pod", {{{kReconPod, 1}}}, 1},
    {"Multi-role", {{{kAamShort, 2}, {kBomb500, 4}, {kAgmLaser, 2}, {kFuelTank300, 1}}}, 4},
    {"Strike Mixed", {{{kBomb500, 4}, {kAamShort, 2}, {kRunwayBomb, 4}}}, 3},
    {"Helo Rockets", {{{kRocketPod, 2}, {kAgmOptical, 4}}}, 2},
    {"Bomb Bay", {{{kBomb500, 24}, {kBomb1000, 12}, {kClusterBomb, 8}}}, 3},
    {"Ship SAM Bay", {{{kSamShort, 8}, {kSamMedium, 16}}}, 2},
    {"Sub Torpedoes", {{{kTorpedo, 12}, {kAntiShip, 4}}}, 2},
};
// clang-format on

constexpr SlotSetup Gun(WeaponKind w, uint8_t ammo, bool visible = false) {
    return {SlotUse::Weapon, uint8_t(w), ammo, visible, false};
}
constexpr SlotSetup Hp(ListKind l, bool rack = false) {
    return {SlotUse::Hardpoint, uint8_t(l), 0, true, rack};
}
constexpr SlotSetup Bay(ListKind l) {
    return {SlotUse::Bay, uint8_t(l), 0, false, false};
}

// clang-format off
const VehicleTemplate kVehicles[kVehicleKinds] = {
    // name, domain, type, subtype, flags, hit points, size, max speed, high, low and cruise
    // altitude, crew, MTOW, empty weight, fuel, fuel rate, radar, ECM, cockpit code, visual and
    // IR signature, combat class, IRST, hardpoint slots
    // Aircraft.
    {"Fighter", kAir, 1, 1,
     kJet | kAllWeather | kNight | kHasNctr | kHasExactRwr | kHasHms | kHasChaffFlares, 60, 15,
     1200, 30000, 100, 20000, 1, 42000, 19000, 7000, 60, kRadarFighter, 40, "FTR", 1.0f, 1.0f, 1, 0,
     {Gun(kCannon20, 51), Hp(kListAaShort), Hp(kListAaShort), Hp(kListAaMixed, true),
      Hp(kListAaMixed, true), Hp(kListFuel300, true)}},
    {"Interceptor", kAir, 1, 1, kJet | kAllWeather | kNight | kHasExactRwr | kHasChaffFlares, 70,
     20, 1500, 32000, 500, 25000, 2, 64000, 36000, 16000, 110, kRadarInterceptor, 30, "INT", 1.25f,
     1.5f, 1, 2,
     {Gun(kCannon30, 26), Hp(kListAaLong, true), Hp(kListAaLong, true), Hp(kListAaShort),
      Hp(kListFuel600, true)}},
    {"Strike Jet", kAir, 1, 2, kJet | kAllWeather | kNight | kHasExactRwr | kHasChaffFlares, 75, 19,
     1100, 28000, 100, 18000, 2, 80000, 40000, 12000, 100, kRadarAttack, 50, "STK", 1.25f, 1.25f, 2,
     1,
     {Gun(kCannon20, 48), Hp(kListMultiRole, true), Hp(kListMultiRole, true),
      Hp(kListLaserBombs, true), Hp(kListSead, true), Hp(kListEcm)}},
    {"Attack Jet", kAir, 1, 2, kJet | kHasChaffFlares, 90, 17, 600, 20000, 50, 10000, 1, 50000,
     25000, 11000, 70, kRadarAttack, 20, "ATK", 1.0f, 0.75f, 3, -1,
     {Gun(kCannon30, 115), Hp(kListBombs250, true), Hp(kListCluster, true), Hp(kListRockets, true),
      Hp(kListAgmOptical, true), Hp(kListStrike, true)}},
    {"Bomber", kAir, 1, 3, kJet | kAllWeather | kNight | kHasJammer | kHasChaffFlares, 160, 45, 900,
     30000, 200, 25000, 4, 470000, 190000, 190000, 400, kRadarBomber, 90, "BMR", 2.5f, 2.0f, 4, -1,
     {Bay(kListBombBay), Bay(kListBombBay), Hp(kListGpsBombs, true), Hp(kListEcm)}},
    {"Tanker", kAir, 1, 4, kJet | kAllWeather | kNight, 120, 45, 500, 30000, 500, 28000, 3, 320000,
     100000, 200000, 350, -1, 0, "TNK", 3.0f, 2.0f, 5, -1, {}},
    {"Transport", kAir, 1, 4, kJet | kAllWeather, 110, 40, 350, 28000, 200, 20000, 4, 155000, 76000,
     60000, 250, -1, 0, "TRN", 3.0f, 1.75f, 5, -1, {}},
    {"AWACS", kAir, 1, 10, kJet | kAllWeather | kNight | kHasNctr, 110, 45, 450, 30000, 500, 29000,
     17, 330000, 170000, 150000, 300, kRadarAwacs, 60, "AEW", 3.0f, 2.0f, 6, -1, {}},
    {"Recon Jet", kAir, 1, 8, kJet | kAllWeather | kNight, 55, 16, 1300, 32000, 200, 30000, 2,
     48000, 22000, 12000, 80, kRadarAttack, 30, "RCN", 1.0f, 1.25f, 7, 3,
     {Gun(kCannon20, 20), Hp(kListRecon, true), Hp(kListFuel600, true)}},
    {"Trainer", kAir, 1, 1, kJet, 35, 11, 550, 25000, 50, 15000, 2, 12000, 7000, 3000, 30, -1, 0,
     "TRA", 0.75f, 0.5f, 0, -1, {Gun(kMg127, 20), Hp(kListRockets, true), Hp(kListBombs250, true)}},
    {"Attack Helo", kAir, 5, 2,
     kAirforce | kArmy | kCanExplode | kCanBurn | kHasCrew | kNight | kVtol, 45, 15, 160, 10000, 0,
     500, 2, 21000, 11000, 2500, 40, kRadarHelo, 20, "AHL", 0.75f, 0.5f, 8, 5,
     {Gun(kCannon30, 12), Hp(kListHeloRockets, true), Hp(kListHeloRockets, true)}},
    {"Cargo Helo", kAir, 5, 4, kAirforce | kArmy | kCanExplode | kCanBurn | kHasCrew | kVtol, 40,
     16, 150, 10000, 0, 500, 4, 22000, 11500, 2400, 35, -1, 0, "UHL", 0.75f, 0.5f, 8, -1,
     {Gun(kMg762, 200, true)}},
    {"Flare", kAir, 3, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, "", 0.25f, 2.0f, -1, -1, {}},
    {"Chaff", kAir, 3, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, "", 0.25f, 0.0f, -1, -1, {}},
    {"Pilot", kAir, 9, 0, kHasCrew, 1, 2, 20, 0, 0, 0, 1, 250, 250, 0, 0, -1, 0, "", 0.25f, 0.25f,
     -1, -1, {}},
    // Land vehicles.
    {"Main Tank", kLand, 3, 1, kArmour, 80, 9, 70, 0, 0, 0, 4, 120000, 120000, 500, 20, -1, 0,
     "MBT", 1.5f, 1.5f, -1, -1, {Gun(kTankGun, 40), Gun(kMg127, 200), Gun(kMg762, 250)}},
    {"Light Tank", kLand, 3, 1, kArmour, 50, 7, 80, 0, 0, 0, 3, 50000, 50000, 400, 15, -1, 0, "LTK",
     1.25f, 1.25f, -1, -1, {Gun(kCannon30, 60), Gun(kMg762, 250)}},
    {"APC", kLand, 3, 2, kArmour, 40, 7, 70, 0, 0, 0, 2, 30000, 30000, 300, 10, -1, 0, "APC", 1.25f,
     1.0f, -1, -1, {Gun(kMg127, 200)}},
    {"IFV", kLand, 3, 2, kArmour, 45, 7, 65, 0, 0, 0, 3, 60000, 60000, 350, 12, -1, 0, "IFV", 1.25f,
     1.25f, -1, -1, {Gun(kCannon30, 90), Gun(kMg762, 250)}},
    {"SP Howitzer", kLand, 3, 3, kArmour, 50, 9, 55, 0, 0, 0, 5, 60000, 60000, 400, 15, -1, 0,
     "SPH", 1.5f, 1.25f, -1, -1, {Gun(kHowitzer, 40), Gun(kMg127, 100)}},
    {"SAM Vehicle", kLand, 3, 4, kArmour | kIsAirDefense | kUsesUnitRadar, 35, 8, 60, 0, 0, 0, 3,
     40000, 40000, 300, 12, kRadarSamTrack, 0, "SAM", 1.25f, 1.0f, -1, -1, {Gun(kSamMedium, 4)}},
    {"Short SAM", kLand, 4, 4, kArmour | kIsAirDefense, 25, 6, 80, 0, 0, 0, 3, 15000, 15000, 200, 8,
     kRadarAaa, 0, "SHS", 1.0f, 0.75f, -1, -1, {Gun(kSamShort, 8), Gun(kMg127, 100)}},
    {"AAA Vehicle", kLand, 3, 4, kArmour | kIsAirDefense, 35, 7, 60, 0, 0, 0, 4, 45000, 45000, 300,
     12, kRadarAaa, 0, "AAA", 1.25f, 1.0f, -1, -1, {Gun(kAaaGun, 200)}},
    {"MRL Vehicle", kLand, 8, 3, kArmour, 25, 8, 80, 0, 0, 0, 3, 20000, 20000, 300, 10, -1, 0,
     "MRL", 1.25f, 1.0f, -1, -1, {Gun(kRocket70, 40)}},
    {"Cargo Truck", kLand, 4, 5, kArmy | kCanExplode | kCanBurn | kHasCrew, 15, 7, 90, 0, 0, 0, 2,
     12000, 12000, 200, 6, -1, 0, "TRK", 1.0f, 0.75f, -1, -1, {}},
    {"Fuel Truck", kLand, 4, 5, kArmy | kCanExplode | kCanBurn | kCanSmoke | kHasCrew, 15, 8, 80, 0,
     0, 0, 2, 15000, 15000, 200, 6, -1, 0, "FTK", 1.0f, 0.75f, -1, -1, {}},
    {"Jeep", kLand, 4, 6, kArmy | kCanExplode | kCanBurn | kHasCrew, 10, 4, 110, 0, 0, 0, 2, 2500,
     2500, 80, 3, -1, 0, "JEP", 0.5f, 0.5f, -1, -1, {Gun(kMg762, 200, true)}},
    {"Radar Truck", kLand, 4, 7, kArmy | kCanExplode | kCanBurn | kHasCrew | kIsAirDefense, 15, 8,
     70, 0, 0, 0, 3, 14000, 14000, 200, 6, kRadarSearch, 0, "RDR", 1.0f, 0.75f, -1, -1, {}},
    {"Infantry", kLand, 1, 8, kArmy | kHasCrew, 5, 2, 5, 0, 0, 0, 10, 1000, 1000, 0, 0, -1, 0,
     "INF", 0.25f, 0.25f, -1, -1, {Gun(kRifle, 100, true)}},
    {"Towed Gun", kLand, 2, 3, kArmy | kCanExplode | kIsTowed, 20, 6, 0, 0, 0, 0, 6, 6000, 6000, 0,
     0, -1, 0, "TGN", 0.75f, 0.25f, -1, -1, {Gun(kHowitzer, 30, true)}},
    // Ships.
    {"Carrier", kSea, 4, 1, kShip | kAllWeather | kNight | kHasNctr, 4000, 330, 30, 0, 0, 0, 5000,
     95000, 95000, 9000, 200, kRadarNavalSearch, 60, "CVN", 4.0f, 2.0f, -1, -1,
     {Bay(kListShipSam), Gun(kAaaGun, 250, true), Gun(kAaaGun, 250, true)}},
    {"Cruiser", kSea, 6, 2, kShip | kAllWeather | kNight, 1600, 170, 32, 0, 0, 0, 400, 9800, 9800,
     2000, 80, kRadarNavalSearch, 50, "CG", 3.0f, 1.5f, -1, -1,
     {Gun(kNavalGun, 200, true), Bay(kListShipSam), Gun(kAntiShip, 8), Gun(kAaaGun, 250, true)}},
    {"Destroyer", kSea, 8, 2, kShip | kAllWeather | kNight, 1200, 150, 30, 0, 0, 0, 300, 8000, 8000,
     1500, 70, kRadarNavalFire, 40, "DD", 2.75f, 1.5f, -1, -1,
     {Gun(kNavalGun, 200, true), Bay(kListShipSam), Gun(kAntiShip, 8), Gun(kDepthCharge, 20)}},
    {"Frigate", kSea, 9, 2, kShip | kAllWeather, 800, 130, 28, 0, 0, 0, 200, 4000, 4000, 800, 40,
     kRadarNavalFire, 30, "FF", 2.5f, 1.25f, -1, -1,
     {Gun(kNavalGun, 150, true), Gun(kSamShort, 16), Gun(kDepthCharge, 20)}},
    {"Patrol Boat", kSea, 10, 2, kShip, 150, 40, 40, 0, 0, 0, 30, 400, 400, 60, 8, kRadarNavalFire,
     0, "PB", 1.5f, 1.0f, -1, -1, {Gun(kMg127, 200, true), Gun(kAaaGun, 150, true)}},
    {"Cargo Ship", kSea, 5, 8, kShip, 900, 150, 15, 0, 0, 0, 25, 20000, 20000, 2000, 30, -1, 0,
     "AK", 3.0f, 1.25f, -1, -1, {Gun(kMg127, 100, true)}},
    {"Oiler", kSea, 13, 8, kShip, 1000, 180, 18, 0, 0, 0, 30, 40000, 40000, 3000, 40, -1, 0, "AO",
     3.0f, 1.25f, -1, -1, {Gun(kAaaGun, 150, true)}},
    {"Amphib Ship", kSea, 2, 8, kShip | kMarines, 700, 120, 20, 0, 0, 0, 150, 12000, 12000, 1500,
     35, kRadarNavalFire, 0, "LST", 2.5f, 1.25f, -1, -1,
     {Gun(kAaaGun, 200, true), Gun(kMg127, 200, true)}},
    // Submarines.
    {"Attack Sub", kUndersea, 1, 1, kShip, 900, 110, 30, 0, 0, 0, 110, 7000, 7000, 0, 0, -1, 0,
     "SSN", 1.0f, 0.25f, -1, -1, {Bay(kListSubTorpedoes), Gun(kTorpedo, 12)}},
    {"Missile Sub", kUndersea, 1, 2, kShip, 1200, 170, 25, 0, 0, 0, 150, 18000, 18000, 0, 0, -1, 0,
     "SSG", 1.25f, 0.25f, -1, -1, {Bay(kListSubTorpedoes), Gun(kAntiShip, 24)}},
    {"Diesel Sub", kUndersea, 1, 3, kShip, 600, 70, 20, 0, 0, 0, 50, 3000, 3000, 300, 20, -1, 0,
     "SSK", 0.75f, 0.5f, -1, -1, {Gun(kTorpedo, 18)}},
};
// clang-format on

constexpr std::pair<VehicleKind, int> kAirMix[] = {
    {kFighter, 8},  {kInterceptor, 4}, {kStrikeJet, 6},  {kAttackJet, 5},
    {kBomber, 3},   {kTanker, 2},      {kTransport, 3},  {kAwacs, 1},
    {kReconJet, 2}, {kTrainer, 2},     {kAttackHelo, 4}, {kUtilityHelo, 3},
};
constexpr std::pair<VehicleKind, int> kLandMix[] = {
    {kMainTank, 5},       {kLightTank, 3},   {kApc, 4},       {kIfv, 4},
    {kSpHowitzer, 3},     {kSamLauncher, 3}, {kShortSam, 3},  {kAaaVehicle, 3},
    {kRocketLauncher, 2}, {kCargoTruck, 4},  {kFuelTruck, 2}, {kJeep, 3},
    {kRadarTruck, 2},     {kInfantry, 3},    {kTowedGun, 2},
};
constexpr std::pair<VehicleKind, int> kSeaMix[] = {
    {kCarrier, 1},    {kCruiser, 2},   {kDestroyer, 3}, {kFrigate, 3},
    {kPatrolBoat, 3}, {kCargoShip, 2}, {kOiler, 1},     {kLandingShip, 2},
};
constexpr std::pair<VehicleKind, int> kSubMix[] = {
    {kAttackSub, 3},
    {kMissileSub, 2},
    {kDieselSub, 2},
};

// clang-format off
const UnitTemplate kUnits[kUnitKinds] = {
    // name, domain, type, subtype, main role, move type, flags, icon, keeps stores, slots
    {"Fighter Sqn", kAir, 3, 4, 1, 5, 0x1, 1, true, {{{kFighter, -1, 18}}}},
    {"Intercept Sqn", kAir, 3, 4, 1, 5, 0x1, 1, true, {{{kInterceptor, -1, 16}}}},
    {"Strike Sqn", kAir, 3, 12, 3, 5, 0x1, 2, true, {{{kStrikeJet, -1, 18}}}},
    {"Attack Sqn", kAir, 3, 12, 4, 5, 0x1, 2, true, {{{kAttackJet, -1, 20}}}},
    {"Bomber Sqn", kAir, 3, 5, 5, 5, 0x1, 3, true, {{{kBomber, -1, 12}}}},
    {"Tanker Sqn", kAir, 3, 6, 14, 5, 0x1, 4, true, {{{kTanker, -1, 8}}}},
    {"Airlift Sqn", kAir, 3, 6, 11, 5, 0x1, 4, true, {{{kTransport, -1, 12}}}},
    {"AEW Sqn", kAir, 3, 13, 12, 5, 0x1, 5, true, {{{kAwacs, -1, 4}}}},
    {"Recon Sqn", kAir, 3, 10, 10, 5, 0x1, 6, true, {{{kReconJet, -1, 12}}}},
    {"Helo Sqn", kAir, 3, 14, 4, 5, 0x9, 7, true, {{{kAttackHelo, -1, 16}, {kUtilityHelo, -1, 8}}}},
    {"Strike Package", kAir, 2, 4, 3, 5, 0x1, 8, false,
     {{{-1, kFighterSqn, 1}, {-1, kStrikeSqn, 1}, {-1, kAttackSqn, 1}}}},
    {"Armor Bn", kLand, 1, 1, 1, 3, 0x8, 20, false,
     {{{kMainTank, -1, 30}, {kApc, -1, 10}, {kCargoTruck, -1, 6}, {kFuelTruck, -1, 2}}}},
    {"Mech Inf Bn", kLand, 1, 2, 2, 3, 0x8, 21, false,
     {{{kIfv, -1, 30}, {kApc, -1, 8}, {kInfantry, -1, 40}, {kCargoTruck, -1, 6}}}},
    {"Artillery Bn", kLand, 1, 3, 6, 3, 0x8, 22, false,
     {{{kSpHowitzer, -1, 18}, {kTowedGun, -1, 6}, {kRocketLauncher, -1, 6},
       {kCargoTruck, -1, 10}}}},
    {"Air Defense Bn", kLand, 1, 4, 5, 3, 0x8, 23, false,
     {{{kSamLauncher, -1, 6}, {kRadarTruck, -1, 2}, {kShortSam, -1, 6}, {kAaaVehicle, -1, 6}}}},
    {"Supply Bn", kLand, 1, 5, 0, 2, 0x8, 24, false,
     {{{kCargoTruck, -1, 40}, {kFuelTruck, -1, 12}, {kJeep, -1, 6}}}},
    {"Recon Bn", kLand, 1, 6, 8, 2, 0x8, 25, false,
     {{{kLightTank, -1, 12}, {kJeep, -1, 12}, {kInfantry, -1, 20}}}},
    {"Armor Bde", kLand, 2, 1, 1, 3, 0x8, 26, false,
     {{{-1, kArmorBn, 1}, {-1, kMechBn, 1}, {-1, kArtilleryBn, 1}, {-1, kSupplyBn, 1}}}},
    {"Carrier Group", kSea, 1, 3, 1, 6, 0x2, 40, false,
     {{{kCarrier, -1, 1}, {kCruiser, -1, 2}, {kDestroyer, -1, 3}, {kOiler, -1, 1}}}},
    {"Surface Group", kSea, 1, 2, 2, 6, 0x2, 41, false,
     {{{kCruiser, -1, 1}, {kDestroyer, -1, 2}, {kFrigate, -1, 3}}}},
    {"Convoy", kSea, 1, 8, 8, 6, 0x2, 42, false,
     {{{kCargoShip, -1, 6}, {kOiler, -1, 1}, {kFrigate, -1, 2}}}},
    {"Patrol Group", kSea, 1, 9, 6, 6, 0x2, 43, false, {{{kPatrolBoat, -1, 4}}}},
    {"Sub Group", kUndersea, 1, 1, 3, 6, 0x2, 50, false,
     {{{kAttackSub, -1, 3}, {kDieselSub, -1, 1}}}},
};
// clang-format on

constexpr std::pair<UnitKind, int> kAirUnitMix[] = {
    {kFighterSqn, 8}, {kInterceptorSqn, 3}, {kStrikeSqn, 5}, {kAttackSqn, 5}, {kBomberSqn, 2},
    {kTankerSqn, 2},  {kTransportSqn, 3},   {kAwacsSqn, 1},  {kReconSqn, 2},  {kHeloSqn, 4},
};
constexpr std::pair<UnitKind, int> kLandUnitMix[] = {
    {kArmorBn, 5},  {kMechBn, 5},  {kArtilleryBn, 3}, {kAirDefenseBn, 3},
    {kSupplyBn, 2}, {kReconBn, 2}, {kArmorBde, 2},
};
constexpr std::pair<UnitKind, int> kSeaUnitMix[] = {
    {kCarrierGroup, 1},
    {kSurfaceGroup, 3},
    {kConvoy, 2},
    {kPatrolGroup, 3},
};
constexpr std::pair<UnitKind, int> kSubUnitMix[] = {{kSubGroup, 1}};

// clang-format off
const FeatureTemplate kFeatures[kFeatureKinds] = {
    // name, type, subtype, flags, hit points, repair time, priority, height, radar type, size
    {"Runway", 11, 0, kFeatureRepairable | kFeatureFlatContainer | kFeatureDontDeagg, 300, 240, 1,
     0, 0, 2500},
    {"Taxiway", 30, 0, kFeatureRepairable | kFeatureFlatContainer, 150, 120, 3, 0, 0, 600},
    {"Ctrl Tower", 2, 0,
     kFeatureRepairable | kFeatureHasLights | kFeatureCanBurn | kFeatureCanCollapse, 60, 90, 2, 30,
     0, 12},
    {"Hangar", 45, 0,
     kFeatureRepairable | kFeatureCanBurn | kFeatureCanCollapse | kFeatureElevContainer, 120, 120,
     3, 15, 0, 40},
    {"Fuel Tanks", 14, 0, kFeatureCanExplode | kFeatureCanBurn | kFeatureCanSmoke, 40, 60, 2, 12, 0,
     20},
    {"Barracks", 35, 0, kFeatureCanBurn | kFeatureCanCollapse, 50, 60, 5, 8, 0, 30},
    {"Radar Site", 26, 0, kFeatureRepairable | kFeatureCanBurn, 30, 90, 1, 15, 2, 15},
    {"SAM Pit", 33, 0, kFeatureRepairable | kFeatureFlatContainer, 60, 60, 2, 2, 3, 20},
    {"Bunker", 4, 0, kFeatureCanCollapse, 200, 180, 4, 4, 0, 12},
    {"Warehouse", 12, 0, kFeatureCanBurn | kFeatureCanCollapse, 90, 90, 4, 10, 0, 40},
    {"Depot Store", 10, 0, kFeatureCanBurn | kFeatureCanExplode, 80, 90, 3, 8, 0, 30},
    {"Shed", 34, 0, kFeatureCanBurn, 20, 30, 6, 5, 0, 10},
    {"Bridge Span", 16, 96, kFeatureRepairable | kFeatureElevContainer | kFeatureCanCollapse, 250,
     300, 1, 12, 0, 120},
    {"Apartment", 21, 0, kFeatureCanBurn | kFeatureCanCollapse | kFeatureHasLights, 100, 0, 8, 30,
     0, 25},
    {"House", 22, 0, kFeatureCanBurn | kFeatureCanCollapse, 30, 0, 9, 8, 0, 12},
    {"Church", 7, 0, kFeatureCanBurn | kFeatureCanCollapse, 80, 0, 9, 25, 0, 20},
    {"City Hall", 8, 0, kFeatureCanBurn | kFeatureCanCollapse | kFeatureHasLights, 120, 0, 7, 20, 0,
     30},
    {"Shop", 19, 0, kFeatureCanBurn | kFeatureCanCollapse, 30, 0, 9, 6, 0, 12},
    {"Factory Hall", 6, 0, kFeatureRepairable | kFeatureCanBurn | kFeatureCanSmoke, 150, 240, 2, 15,
     0, 60},
    {"Smokestack", 51, 0, kFeatureHasSmoke | kFeatureCanCollapse, 40, 120, 6, 60, 0, 6},
    {"Dock", 9, 0, kFeatureRepairable | kFeatureFlatContainer, 200, 240, 2, 3, 0, 150},
    {"Pier", 17, 0, kFeatureRepairable | kFeatureFlatContainer, 150, 180, 3, 3, 0, 100},
    {"Power Plant", 23, 0, kFeatureRepairable | kFeatureCanBurn | kFeatureCanExplode, 200, 480, 1,
     25, 0, 60},
    {"Cooling Tower", 53, 0, kFeatureHasSmoke | kFeatureCanCollapse, 150, 360, 4, 80, 0, 50},
    {"Transformer", 56, 0, kFeatureRepairable | kFeatureCanExplode, 30, 120, 2, 6, 0, 10},
    {"Power Pole", 18, 0, kFeatureCanCollapse, 5, 30, 9, 20, 0, 2},
    {"Radar Dome", 28, 0, kFeatureRepairable | kFeatureCanBurn, 40, 120, 1, 20, 1, 15},
    {"Refinery Unit", 32, 0,
     kFeatureRepairable | kFeatureCanExplode | kFeatureCanBurn | kFeatureCanSmoke, 150, 360, 1, 40,
     0, 50},
    {"Rail Terminal", 31, 0, kFeatureRepairable | kFeatureCanBurn, 150, 240, 2, 12, 0, 80},
    {"Chem Plant", 60, 0,
     kFeatureRepairable | kFeatureCanExplode | kFeatureCanBurn | kFeatureHasSmoke, 120, 360, 1, 20,
     0, 50},
    {"Hospital", 62, 0, kFeatureCanBurn | kFeatureCanCollapse | kFeatureHasLights, 120, 0, 9, 25, 0,
     40},
    {"Tree", 36, 0, kFeatureNoHitEvaluation, 5, 0, 10, 10, 0, 5},
    {"Water Tower", 37, 0, kFeatureCanCollapse, 30, 60, 7, 25, 0, 6},
};
// clang-format on

// clang-format off
const ObjectiveTemplate kObjectives[kObjectiveKinds] = {
    // name, type, data rate, deaggregation distance, icon, points, features
    {"Airbase", 1, 60, 20, 1, PointLayout::Airbase,
     {{{kRunway, 2}, {kTaxiway, 4}, {kCtrlTower, 1}, {kHangar, 4}, {kFuelTanks, 2},
       {kBarracks, 2}}}},
    {"Airstrip", 2, 60, 15, 2, PointLayout::Airstrip,
     {{{kRunway, 1}, {kTaxiway, 1}, {kShed, 2}, {kFuelTanks, 1}}}},
    {"Army Base", 3, 30, 15, 3, PointLayout::Support,
     {{{kBarracks, 4}, {kDepotBuilding, 2}, {kWarehouse, 2}, {kBunker, 2}, {kWaterTower, 1}}}},
    {"Bridge", 6, 20, 10, 6, PointLayout::None, {{{kBridgeSpan, 3}}}},
    {"City", 8, 10, 25, 8, PointLayout::None,
     {{{kApartment, 6}, {kHouse, 8}, {kChurch, 1}, {kCityHall, 1}, {kShop, 4}, {kHospital, 1}}}},
    {"Town", 28, 10, 15, 28, PointLayout::None,
     {{{kHouse, 6}, {kShop, 2}, {kChurch, 1}, {kWaterTower, 1}, {kTree, 3}}}},
    {"Village", 29, 10, 10, 29, PointLayout::None, {{{kHouse, 4}, {kShed, 2}, {kTree, 4}}}},
    {"Depot", 10, 30, 15, 10, PointLayout::Support,
     {{{kWarehouse, 4}, {kFuelTanks, 2}, {kShed, 2}, {kDepotBuilding, 2}}}},
    {"Factory", 11, 20, 15, 11, PointLayout::None,
     {{{kFactory, 3}, {kWarehouse, 2}, {kSmokestack, 2}, {kShed, 1}}}},
    {"Port", 19, 30, 20, 19, PointLayout::Port,
     {{{kDock, 3}, {kPier, 2}, {kWarehouse, 3}, {kFuelTanks, 2}}}},
    {"Power Stn", 20, 20, 15, 20, PointLayout::None,
     {{{kPowerPlant, 1}, {kCoolingTower, 2}, {kTransformer, 2}, {kPowerPole, 4}}}},
    {"Radar Stn", 21, 40, 10, 21, PointLayout::Radar,
     {{{kRadarSite, 1}, {kRadarDome, 2}, {kBarracks, 1}, {kBunker, 1}}}},
    {"Refinery", 25, 20, 15, 25, PointLayout::None,
     {{{kRefineryUnit, 2}, {kFuelTanks, 4}, {kSmokestack, 1}}}},
    {"SAM Site", 31, 40, 10, 31, PointLayout::Defense,
     {{{kSamPit, 4}, {kRadarSite, 1}, {kBunker, 1}}}},
    {"Rail Yard", 23, 20, 15, 23, PointLayout::Support,
     {{{kRailTerminal, 1}, {kWarehouse, 2}, {kShed, 2}}}},
    {"Chemworks", 7, 20, 15, 7, PointLayout::None,
     {{{kChemPlant, 2}, {kFuelTanks, 2}, {kSmokestack, 1}}}},
};
// clang-format on

constexpr std::pair<ObjectiveKind, int> kObjectiveMix[] = {
    {kAirbase, 4},     {kAirstrip, 2}, {kArmyBase, 3},     {kBridgeSite, 3},
    {kCity, 2},        {kTown, 4},     {kVillage, 4},      {kDepot, 2},
    {kFactorySite, 2}, {kPort, 2},     {kPowerStation, 2}, {kRadarStation, 2},
    {kRefinery, 1},    {kSamSite, 3},  {kRailYard, 1},     {kChemWorks, 1},
};

// Place names are a first part and an ending: 20 x 6 = 120 names of at most 9 characters.
constexpr const char* kPlaceStarts[] = {
    "Alder", "Amber", "Ash", "Bram",  "Cold", "Dun",  "Elder", "Ember", "Frost", "Iron",
    "Lark",  "North", "Oak", "Raven", "Rook", "Salt", "Sedge", "Still", "Umber", "Wyrm",
};
constexpr const char* kPlaceEnds[] = {"by", "mere", "wick", "holm", "moor", "ford"};

constexpr AbstractTemplate kAbstractTemplates[] = {
    {kAbstract, kClsAbstract, 1}, {kAbstract, kClsManager, 1},     {kAbstract, kClsManager, 2},
    {kAbstract, kClsSession, 1},  {kAbstract, kClsGame, 1},        {kAbstract, kClsGroup, 1},
    {kAbstract, kClsDialog, 1},   {kAbstract, kClsWeather, 1},     {kAir, kClsWeather, 2},
    {kAir, kClsAnimal, 1},        {kLand, kClsAnimal, 2},          {kSea, kClsAnimal, 3},
    {kSpace, kClsAbstract, 1},    {kUnderground, kClsAbstract, 1}, {kAbstract, kClsDialog, 2},
    {kAbstract, kClsManager, 3},
};

constexpr const char* kSoundNames[] = {
    "jet_engine",
    "afterburner",
    "turboprop",
    "rotor",
    "tank_engine",
    "truck_engine",
    "ship_engine",
    "gun_20mm",
    "gun_30mm",
    "machine_gun",
    "cannon_fire",
    "missile_launch",
    "missile_flight",
    "bomb_release",
    "explosion_small",
    "explosion_large",
    "explosion_water",
    "fire_burning",
    "radar_lock",
    "radar_search",
    "rwr_ping",
    "stall_warning",
    "gear_up",
    "gear_down",
    "canopy",
    "eject",
    "wind",
    "rain",
    "thunder",
    "cockpit_click",
    "flare_launch",
    "chaff_launch",
    "splash",
    "impact_ground",
    "impact_metal",
    "alarm",
    "radio_static",
    "sonar_ping",
};

}  // namespace

std::span<const RadarTemplate> Radars() {
    return kRadars;
}
std::span<const IrTemplate> IrSensors() {
    return kIrSensors;
}
std::span<const ScanTemplate> RwrSensors() {
    return kRwrSensors;
}
std::span<const ScanTemplate> VisualSensors() {
    return kVisualSensors;
}
std::span<const WeaponTemplate> Weapons() {
    return kWeapons;
}
std::span<const std::pair<WeaponKind, int>> WeaponMix() {
    return kWeaponMix;
}
std::span<const WeaponListTemplate> WeaponLists() {
    return kWeaponLists;
}
std::span<const VehicleTemplate> Vehicles() {
    return kVehicles;
}
std::span<const UnitTemplate> Units() {
    return kUnits;
}
std::span<const FeatureTemplate> Features() {
    return kFeatures;
}
std::span<const ObjectiveTemplate> Objectives() {
    return kObjectives;
}
std::span<const std::pair<ObjectiveKind, int>> ObjectiveMix() {
    return kObjectiveMix;
}
std::span<const AbstractTemplate> AbstractEntries() {
    return kAbstractTemplates;
}
std::span<const char* const> SoundNames() {
    return kSoundNames;
}

uint32_t SoundOf(std::string_view name, uint32_t n) {
    const auto names = SoundNames();
    for (size_t k = 0; k < names.size(); ++k)
        if (name == names[k]) return uint32_t(k + names.size() * n);
    return 0;
}

std::span<const std::pair<VehicleKind, int>> VehicleMix(uint8_t domain) {
    switch (domain) {
        case kAir:
            return kAirMix;
        case kLand:
            return kLandMix;
        case kSea:
            return kSeaMix;
        default:
            return kSubMix;
    }
}

std::span<const std::pair<UnitKind, int>> UnitMix(uint8_t domain) {
    switch (domain) {
        case kAir:
            return kAirUnitMix;
        case kLand:
            return kLandUnitMix;
        case kSea:
            return kSeaUnitMix;
        default:
            return kSubUnitMix;
    }
}

std::string PlaceName(uint32_t n) {
    constexpr uint32_t starts = std::size(kPlaceStarts), ends = std::size(kPlaceEnds);
    const uint32_t i = n % (starts * ends);
    // Every start meets every ending once in 120 names, neighbours differing in both.
    return std::string(kPlaceStarts[i % starts]) + kPlaceEnds[(i % starts + i / starts) % ends];
}

uint32_t PlaceCount() {
    return uint32_t(std::size(kPlaceStarts) * std::size(kPlaceEnds));
}

std::string VariantName(std::string_view base, uint32_t variant, size_t max) {
    std::string suffix;
    if (variant > 0 && variant < 26)
        suffix = std::string(" ") + char('A' + variant);
    else if (variant >= 26)
        suffix = " " + std::to_string(variant + 1);
    std::string name(base.substr(0, max > suffix.size() ? max - suffix.size() : 0));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name + suffix;
}

std::string Ordinal(uint32_t n) {
    const char* ending = "th";
    if (n % 100 < 11 || n % 100 > 13) {
        if (n % 10 == 1) ending = "st";
        if (n % 10 == 2) ending = "nd";
        if (n % 10 == 3) ending = "rd";
    }
    return std::to_string(n) + ending;
}

std::vector<uint32_t> Distribute(uint32_t total, const std::vector<int>& weights) {
    const uint64_t sum = std::accumulate(weights.begin(), weights.end(), uint64_t(0));
    std::vector<uint32_t> parts(weights.size(), 0);
    if (sum == 0) return parts;
    std::vector<std::pair<uint64_t, size_t>> remainders;
    uint32_t given = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        const uint64_t share = uint64_t(total) * uint64_t(weights[i]);
        parts[i] = uint32_t(share / sum);
        given += parts[i];
        remainders.push_back({share % sum, i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t k = 0; given < total; ++k, ++given)
        ++parts[remainders[k % remainders.size()].second];
    return parts;
}

}  // namespace tablon::sample
