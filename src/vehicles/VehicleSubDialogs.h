// The small dialogs of the vehicle dialog: "Vehicle Flags", "Vehicle Stats" and "Damage %"
// (which the unit dialog uses too), the ammunition and hardpoint details of a slot, and the
// dialogs that put a weapon or a weapon list into an empty slot.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"

namespace tablon {

struct ShellContext;

namespace vclsub {
constexpr int kFirstFlag = 1700;  // the check box of flag bit b is kFirstFlag + b
constexpr int kStatsLabel = 1740;
constexpr int kHitChance = 1741;
constexpr int kStrength = 1742;
constexpr int kRange = 1743;
constexpr int kDetection = 1744;
constexpr int kDamageLabel = 1750;
constexpr int kDamagePercent = 1751;
constexpr int kAmmunition = 1760;
constexpr int kVisible = 1761;
constexpr int kHardpointVisible = 1765;
constexpr int kRequiresRack = 1766;
constexpr int kPosition = 1770;  // "Weapon Pos", "HP Pos"
constexpr int kLoad = 1771;      // "Weapon", "Hardpoint"
constexpr int kAddAmmunition = 1772;
}  // namespace vclsub

// The vehicle flag bits that have a check box, with their labels.
struct VehicleFlagBox {
    int bit;
    const char* label;
};
const std::vector<VehicleFlagBox>& VehicleFlagBoxes();

enum class FlagsMode { Vehicle, Unit };

// "Vehicle Flags": one check box per flag bit. In unit mode the boxes of bits 16 to 20, 29 and
// 30 are disabled and clear. OK rebuilds the word from the boxes alone: bits without a box
// (21 to 28, 31) end up 0.
class CVehicleFlagsDialog : public Form {
  public:
    CVehicleFlagsDialog(uint32_t flags, FlagsMode mode);
    uint32_t Flags() const { return flags_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint32_t flags_;
    FlagsMode mode_;
};

// "Vehicle Stats": the hit chance, strength, range and detection of one target class.
class CVehicleStatsDialog : public Form {
  public:
    CVehicleStatsDialog(std::string label, std::array<uint8_t, 4> values);
    const std::array<uint8_t, 4>& Values() const { return values_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    std::array<uint8_t, 4> values_;
};

// "Damage %": the modifier of one damage type.
class CDamagePercentDialog : public Form {
  public:
    CDamagePercentDialog(std::string damageType, uint8_t value);
    uint8_t Percent() const { return value_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint8_t value_;
};

// The "Stats" and "Damage" lists that the vehicle and unit dialogs show of their records: the
// offsets of the hit, strength, range and detection bytes (one per target class) and of the
// damage modifiers (one per damage type).
struct StatOffsets {
    uint16_t hit, strength, range, detection, damage;
};
std::vector<ListRow> StatsRows(const uint8_t* record, const StatOffsets& o);
std::vector<ListRow> DamageRows(const uint8_t* record, const StatOffsets& o);
// "Vehicle Stats" on one target class, labelled "%s Stats V %s" (name, class), and "Damage %"
// on one damage type; true when OK stored the entries into the record.
bool EditStatsRow(Ui& ui, uint8_t* record, const StatOffsets& o, const std::string& name,
                  int target);
bool EditDamageRow(Ui& ui, uint8_t* record, const StatOffsets& o, int type);

// The class-table dialog on an entry with a record's name; written back on OK ("Update
// Failed" when that fails).
void EditCtEntry(ShellContext& ctx, int index, const std::string& name);

// "Weapon Details", titled "Ammunition for %s": the ammunition (1 to 254) and the visible bit
// of a weapon slot.
class CWeaponDetailsDialog : public Form {
  public:
    CWeaponDetailsDialog(const std::string& vehicleName, uint8_t ammunition, bool visible);
    uint8_t Ammunition() const { return ammunition_; }
    bool Visible() const { return visible_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint8_t ammunition_;
    bool visible_;
};

// "Hardpoint  Details": the visible and rack bits of a bay or hardpoint slot.
class CHardpointDetailsDialog : public Form {
  public:
    CHardpointDetailsDialog(bool visible, bool rack);
    bool Visible() const { return visible_; }
    bool Rack() const { return rack_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    bool visible_;
    bool rack_;
};

// "Add Weapon" (titled "Add weapon to " and the vehicle name) and "Add Hardpoint/Bay" (titled
// "Add Hardpoint/Bay to " and the vehicle name): an empty slot, the weapon or weapon list to put
// there, and for a weapon its ammunition.
class CAddSlotDialog : public Form {
  public:
    enum class What { Weapon, Hardpoint };
    CAddSlotDialog(What what, const std::string& vehicleName, std::vector<int> emptySlots,
                   std::vector<Choice> loads);

    // After OK: the chosen slot, the chosen weapon or list (nothing when none was chosen) and
    // the ammunition.
    int Slot() const { return slot_; }
    std::optional<int> Load() const { return load_; }
    uint8_t Ammunition() const { return ammunition_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    What what_;
    std::vector<int> emptySlots_;
    int slot_ = -1;
    std::optional<int> load_;
    uint8_t ammunition_ = 1;
};

}  // namespace tablon
