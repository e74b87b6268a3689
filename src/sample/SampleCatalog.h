// What the sample database is made of: templates of vehicles, weapons, weapon lists, units,
// objectives, features, sensors and class-table entries without data. Every record of the
// sample is one template's variant ("Fighter", "Fighter B", "Fighter C" ...).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tablon::sample {

// Class-table classification values used below.
enum : uint8_t {
    kUnknown = 0,
    kAbstract = 1,
    kAir = 2,
    kLand = 3,
    kSea = 4,
    kSpace = 5,
    kUnderground = 6,
    kUndersea = 7,
};

// ---- sensors --------------------------------------------------------------------------------

struct RadarTemplate {
    float range;
    float beamWidth;  // radians
    float azimuth;    // radians
    float sweepTime;
    uint32_t lockTime;  // milliseconds
    float lookDownRange;
    float ecmRange;
    float beamDistance;
    float minDoppler;
    float chaffChance;
    float rwrGain;
    float lowRwrGain;
    uint16_t flags;
    int16_t symbol;  // radar-warning symbol
};
enum RadarKind : int8_t {
    kRadarNone = -1,
    kRadarFighter,
    kRadarInterceptor,
    kRadarAttack,
    kRadarBomber,
    kRadarAwacs,
    kRadarHelo,
    kRadarSearch,
    kRadarSamTrack,
    kRadarAaa,
    kRadarNavalSearch,
    kRadarNavalFire,
    kRadarSeekerActive,
    kRadarSeekerSam,
};

struct IrTemplate {
    float range, fov, gimbalLimit, groundFactor, flareChance;
};
struct ScanTemplate {
    float range, top, bottom, left, right;  // radians
    uint16_t rwrFlags;
};

std::span<const RadarTemplate> Radars();
std::span<const IrTemplate> IrSensors();
std::span<const ScanTemplate> RwrSensors();
std::span<const ScanTemplate> VisualSensors();

// ---- weapons --------------------------------------------------------------------------------

struct WeaponTemplate {
    const char* name;
    uint8_t domain = 0;  // class-table domain of the weapon's entry
    uint8_t type = 0;    // class-table type byte
    int16_t damage = 0;
    uint8_t damageType = 0;
    int16_t range = 0;
    uint16_t flags = 0;
    uint16_t guidance = 0;
    std::array<uint8_t, 8> hit = {};
    int16_t weight = 0;
    int16_t drag = 0;
    int16_t blastRadius = 0;
    uint8_t fireRate = 0;
    uint8_t roundsPerSec = 0;
    uint8_t maxAlt = 0;
    uint8_t bulletSpeed = 0;  // in units of 256 (0 to 31)
    uint8_t bulletTtl = 0;    // 0 to 7
    uint8_t dispersion = 0;   // in units of 8; the AAA flag is separate
    bool aaa = false;
    int8_t seeker = -1;  // radar template of the seeker
    // Sim weapon data; simType < 0: none.
    int8_t simType = -1;
    uint8_t airGround = 0;
    uint8_t avionics = 0;
    const char* simName = "";  // at most 7 characters
    float dragCoef = 0;
    float simWeight = 0;
    float area = 0;
    uint32_t simFlags = 0;
    uint32_t missileData = 0;
};
enum WeaponKind : uint8_t {
    kCannon20,
    kCannon30,
    kMg762,
    kMg127,
    kTankGun,
    kHowitzer,
    kAaaGun,
    kNavalGun,
    kAamShort,
    kAamRear,
    kAamMedium,
    kAamLong,
    kArm,
    kAgmLaser,
    kAgmOptical,
    kAntiShip,
    kBomb250,
    kBomb500,
    kBomb1000,
    kLaserBomb,
    kGpsBomb,
    kClusterBomb,
    kRunwayBomb,
    kRocketPod,
    kRocket70,
    kFuelTank300,
    kFuelTank600,
    kEcmPod,
    kReconPod,
    kSamShort,
    kSamMedium,
    kSamLong,
    kTorpedo,
    kDepthCharge,
    kRifle,
    kRack,  // racks only stand at their fixed class-table places
    kWeaponKinds,
};
std::span<const WeaponTemplate> Weapons();
// Weapon templates the weapon block of the class table is drawn from, with weights.
std::span<const std::pair<WeaponKind, int>> WeaponMix();

struct ListEntry {
    WeaponKind weapon;
    uint8_t count;
};
struct WeaponListTemplate {
    const char* name;  // at most 13 characters, so that variants stay within 15
    std::array<ListEntry, 4> entries;
    uint8_t entryCount;
};
enum ListKind : uint8_t {
    kListAaShort,
    kListAaMixed,
    kListAaLong,
    kListBombs250,
    kListBombs500,
    kListBombs1000,
    kListLaserBombs,
    kListGpsBombs,
    kListCluster,
    kListSead,
    kListAgmLaser,
    kListAgmOptical,
    kListAntiShip,
    kListRockets,
    kListFuel300,
    kListFuel600,
    kListEcm,
    kListRecon,
    kListMultiRole,
    kListStrike,
    kListHeloRockets,
    kListBombBay,
    kListShipSam,
    kListSubTorpedoes,
    kListKinds,
};
std::span<const WeaponListTemplate> WeaponLists();

// ---- vehicles -------------------------------------------------------------------------------

enum class SlotUse : uint8_t { None, Weapon, Hardpoint, Bay };
struct SlotSetup {
    SlotUse use = SlotUse::None;
    uint8_t item = 0;  // weapon template (Weapon) or weapon-list template (Hardpoint, Bay)
    uint8_t ammo = 0;  // Weapon slots: 1 to 254
    bool visible = true;
    bool rack = false;
};

struct VehicleTemplate {
    const char* name;  // at most 11 characters, so that variants stay within 13
    uint8_t domain;
    uint8_t type;
    uint8_t subtype;
    uint32_t flags;
    uint16_t hitPoints;
    float size;  // metres across
    int16_t maxSpeed;
    int16_t highAlt;
    int16_t lowAlt;
    int16_t cruiseAlt;
    int16_t crew;
    uint32_t mtow;
    uint32_t emptyWeight;
    uint32_t fuel;
    int16_t fuelRate;
    int8_t radar = -1;  // RadarKind
    uint8_t ecm;
    const char* cockpit;  // up to 5 characters
    float visualSignature;
    float irSignature;
    int8_t combatClass = -1;  // aircraft data: < 0 means none
    int8_t irst = -1;         // IR sensor template, < 0 none
    std::array<SlotSetup, 6> slots;
};
enum VehicleKind : uint8_t {
    kFighter,
    kInterceptor,
    kStrikeJet,
    kAttackJet,
    kBomber,
    kTanker,
    kTransport,
    kAwacs,
    kReconJet,
    kTrainer,
    kAttackHelo,
    kUtilityHelo,
    kFlare,
    kChaff,
    kEjectedPilot,
    kMainTank,
    kLightTank,
    kApc,
    kIfv,
    kSpHowitzer,
    kSamLauncher,
    kShortSam,
    kAaaVehicle,
    kRocketLauncher,
    kCargoTruck,
    kFuelTruck,
    kJeep,
    kRadarTruck,
    kInfantry,
    kTowedGun,
    kCarrier,
    kCruiser,
    kDestroyer,
    kFrigate,
    kPatrolBoat,
    kCargoShip,
    kOiler,
    kLandingShip,
    kAttackSub,
    kMissileSub,
    kDieselSub,
    kVehicleKinds,
};
std::span<const VehicleTemplate> Vehicles();
// The vehicle templates of each domain block of the class table, with weights.
std::span<const std::pair<VehicleKind, int>> VehicleMix(uint8_t domain);

// ---- units ----------------------------------------------------------------------------------

struct UnitSlotSetup {
    int8_t vehicle = -1;  // vehicle template
    int8_t unit = -1;     // unit template (a unit made of units)
    uint8_t count = 0;
};
struct UnitTemplate {
    const char* name;  // follows an ordinal: "12th Fighter Sqn"
    uint8_t domain;
    uint8_t type;
    uint8_t subtype;
    uint8_t role;
    uint32_t moveType;
    int16_t flags;
    int16_t icon;
    bool squadron;  // keeps squadron stores
    std::array<UnitSlotSetup, 5> slots;
};
enum UnitKind : uint8_t {
    kFighterSqn,
    kInterceptorSqn,
    kStrikeSqn,
    kAttackSqn,
    kBomberSqn,
    kTankerSqn,
    kTransportSqn,
    kAwacsSqn,
    kReconSqn,
    kHeloSqn,
    kStrikePackage,
    kArmorBn,
    kMechBn,
    kArtilleryBn,
    kAirDefenseBn,
    kSupplyBn,
    kReconBn,
    kArmorBde,
    kCarrierGroup,
    kSurfaceGroup,
    kConvoy,
    kPatrolGroup,
    kSubGroup,
    kUnitKinds,
};
std::span<const UnitTemplate> Units();
std::span<const std::pair<UnitKind, int>> UnitMix(uint8_t domain);

// ---- objectives and features ----------------------------------------------------------------

struct FeatureTemplate {
    const char* name;  // at most 15 characters
    uint8_t type;      // land feature type
    uint8_t subtype;
    uint16_t flags;
    int16_t hitPoints;
    int16_t repairTime;
    int16_t priority;
    int16_t height;
    int16_t radarType;
    float size;
};
enum FeatureKind : uint8_t {
    kRunway,
    kTaxiway,
    kCtrlTower,
    kHangar,
    kFuelTanks,
    kBarracks,
    kRadarSite,
    kSamPit,
    kBunker,
    kWarehouse,
    kDepotBuilding,
    kShed,
    kBridgeSpan,
    kApartment,
    kHouse,
    kChurch,
    kCityHall,
    kShop,
    kFactory,
    kSmokestack,
    kDock,
    kPier,
    kPowerPlant,
    kCoolingTower,
    kTransformer,
    kPowerPole,
    kRadarDome,
    kRefineryUnit,
    kRailTerminal,
    kChemPlant,
    kHospital,
    kTree,
    kWaterTower,
    kFeatureKinds,
};
std::span<const FeatureTemplate> Features();

enum class PointLayout : uint8_t { None, Airbase, Airstrip, Port, Defense, Radar, Support };

struct PlacedFeatures {
    FeatureKind feature;
    uint8_t count;
};
struct ObjectiveTemplate {
    const char* name;  // at most 9 characters; follows a place name: "Alderby Airbase"
    uint8_t type;      // land objective type
    int16_t dataRate;
    int16_t deagDistance;
    int16_t iconId;
    PointLayout points;
    std::array<PlacedFeatures, 6> features;
};
enum ObjectiveKind : uint8_t {
    kAirbase,
    kAirstrip,
    kArmyBase,
    kBridgeSite,
    kCity,
    kTown,
    kVillage,
    kDepot,
    kFactorySite,
    kPort,
    kPowerStation,
    kRadarStation,
    kRefinery,
    kSamSite,
    kRailYard,
    kChemWorks,
    kObjectiveKinds,
};
std::span<const ObjectiveTemplate> Objectives();
std::span<const std::pair<ObjectiveKind, int>> ObjectiveMix();
// The n-th of PlaceCount() invented place names for objectives, at most 9 characters; the
// names repeat after PlaceCount().
std::string PlaceName(uint32_t n);
uint32_t PlaceCount();

// ---- class-table entries without data ------------------------------------------------------

struct AbstractTemplate {
    uint8_t domain;
    uint8_t cls;
    uint8_t type;
};
std::span<const AbstractTemplate> AbstractEntries();
// Sound file names of the sound table, without number or extension. Sound record k plays
// SoundNames()[k % size] (the (k / size + 1)-th take of it).
std::span<const char* const> SoundNames();
// The sound record of the n-th take of a sound name.
uint32_t SoundOf(std::string_view name, uint32_t n = 0);

// ---- names ---------------------------------------------------------------------------------

// The variant-th name of a template: the base, then " B" to " Z", then " 27", " 28" ...; the
// base is shortened so that the name has at most max characters.
std::string VariantName(std::string_view base, uint32_t variant, size_t max);
// "1st", "2nd", "3rd", "4th" ...
std::string Ordinal(uint32_t n);

// Splits total into parts proportional to the weights (largest remainders first, ties to the
// earlier part), so that the parts add up to total.
std::vector<uint32_t> Distribute(uint32_t total, const std::vector<int>& weights);
template <typename Kind>
std::vector<uint32_t> Distribute(uint32_t total, std::span<const std::pair<Kind, int>> mix) {
    std::vector<int> weights;
    for (const auto& m : mix) weights.push_back(m.second);
    return Distribute(total, weights);
}

}  // namespace tablon::sample
