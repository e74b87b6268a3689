// "Vehicle Data Details": one vehicle record with its physical data, signatures, flags,
// statistics, damage modifiers and hardpoint slots; the class-table entries that refer to the
// vehicle and the units that use it; and the links to those records, the radar record, the
// aircraft data, the weapons and the weapon lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"
#include "shell/Registry.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

// Control ids of the vehicle dialog. Where a control has a tool tip its id is the tip's.
namespace vcldlg {
constexpr int kMtow = 1004;
constexpr int kRadarCs = 1005;
constexpr int kMinAlt = 1006;
constexpr int kEmptyWeight = 1009;
constexpr int kRadarPtr = 1011;
constexpr int kCtRecd = 1067;
constexpr int kHitPoints = 1102;
constexpr int kCtRecdButton = 1104;
constexpr int kFuel = 1159;
constexpr int kName = 1600;
constexpr int kVclNo = 1601;
constexpr int kVisSig = 1602;
constexpr int kIrSig = 1603;
constexpr int kMaxAlt = 1604;
constexpr int kEngineNoise = 1605;
constexpr int kCruiseAlt = 1606;
constexpr int kCrew = 1607;
constexpr int kFuelRate = 1608;
constexpr int kMaxSpeed = 1609;
constexpr int kFlags = 1610;
constexpr int kCallSign = 1611;
constexpr int kCallSlot = 1612;
constexpr int kCockpit = 1613;
constexpr int kEcm = 1614;
constexpr int kAcdNumber = 1615;
constexpr int kFlagsButton = 1620;
constexpr int kRadarPtrButton = 1621;
constexpr int kAcdButton = 1622;
constexpr int kView = 1623;
constexpr int kEdit = 1624;
constexpr int kDelete = 1625;
constexpr int kAddWeapon = 1626;
constexpr int kAddHp = 1627;
constexpr int kRenumber = 1628;
constexpr int kRecalculate = 1629;
constexpr int kStats = 1640;
constexpr int kDamage = 1641;
constexpr int kHardpoints = 1642;
constexpr int kRelated = 1643;
constexpr int kUnits = 1644;
}  // namespace vcldlg

// The message when "Add Weapon" or "Add HP" finds every hardpoint slot in use.
constexpr const char* kNoEmptySlotMessage = "There is no empty hardpoint slot.";

// The signatures as the dialog shows them and as they are stored.
uint8_t VisualSignatureByte(float value);  // trunc(value * 63.75 + 0.5)
uint8_t IrSignatureByte(float value);      // trunc(value * 127.5 + 0.5)
float VisualSignatureValue(uint8_t stored);
float IrSignatureValue(uint8_t stored);

// Closes the gaps in slots 1 to 15: each empty slot takes the next used slot after it with its
// load byte, rack bit and visible bit, which is left empty. Slot 0 is never moved.
void RenumberSlots(VehicleRecord& vehicle);

class CVehicleDialog : public Form {
  public:
    // Edits the caller's working copy of record number index.
    CVehicleDialog(ShellContext& ctx, VehicleRecord& copy, int index);
    ~CVehicleDialog() override;

    // The class-table indices of the entries that refer to the vehicle, found when it opened.
    const std::vector<int>& Related() const { return related_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnFocusLost(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    // Enables "View", "Edit" and "Delete" while a hardpoint row is selected.
    struct SelectionWatch : FormObserver {
        CVehicleDialog* dialog;
        explicit SelectionWatch(CVehicleDialog* d) : dialog(d) {}
        void ControlChanged(int id) override;
    };
    // Takes every entry into the working copy, as "Update" does, without closing.
    bool TakeIntoCopy();
    void ShowSignature(int k);
    void ShowFlags();

    void FillStats();
    void FillDamage();
    void FillHardpoints();
    void FillRelated();
    void FillUnits();
    // The hardpoint row of a slot, or nothing when its weapon or list cannot be read.
    std::optional<ListRow> HardpointRow(int slot) const;
    int SelectedSlot() const;
    void SortHardpoints(int column);
    std::vector<int> EmptySlots() const;

    void EditStats(int target);
    void EditDamage(int type);
    void ViewSlot(int row);
    void EditSlot();
    void DeleteSlot();
    void AddWeapon();
    void AddHardpoint();
    void Renumber();
    void Recalculate();
    void EditFlags();
    void EditCtRecord();
    void EditRelated(int row);
    void EditUnit(int row);
    void ShowRadar();
    void ShowAircraftData();

    ShellContext& ctx_;
    VehicleRecord& copy_;
    int index_;
    std::vector<int> related_;
    std::optional<int> acdNumber_;
    // The signature bytes the two signature fields stand for (visual, infrared): an entry
    // that still shows its byte's value keeps the byte.
    uint8_t signatureBytes_[2] = {};
    int hpSortColumn_ = -1;
    bool hpAscending_ = true;
    SelectionWatch watch_{this};
};

// Runs the vehicle dialog on a working copy: Ok ("Update") when the caller is to write it back.
Answer RunVehicleDialog(ShellContext& ctx, VehicleRecord& copy, int index);

}  // namespace tablon
