// The database maintenance commands that work on vehicles and weapon lists: "Set Low Air",
// "Sort Hardpoint Tables" with its review list "List of changed VCD HP Data", and "Create
// cockpit list". Each runs headless through the Ui; the ones that rewrite a file write it as
// one batch with one flush.
#pragma once

#include <string>

#include "shell/Form.h"
#include "shell/Registry.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponListRecord.h"

namespace tablon {

namespace maintdlg {
constexpr int kLowAir = 1900;           // "Low Air Modifier"
constexpr int kChangedCount = 1901;     // "Number of changed VCD Hardpoint data:"
constexpr int kChangedVehicles = 1902;  // the list "Name", "VCD-Index"
}  // namespace maintdlg

// ---- "Set Low Air" ----

// "Low Air Modifier Value": a number from 0 to 1; OK stores it as the low-air factor.
class CLowAirDialog : public Form {
  public:
    CLowAirDialog();

  protected:
    void OnInitDialog() override;
    void OnOK() override;
};
void SetLowAir(ShellContext& ctx);

// ---- "Sort Hardpoint Tables" ----

// The entries a weapon list holds in its file: (record size - 16) / 3.
int WeaponListEntries(int fileRecordSize);
// Packs the first `entries` entries of a list in order: every non-zero reference moves down
// with its count over the empty ones; what is left at the end is cleared.
void PackWeaponList(WeaponListRecord& list, int entries);
// Whether an empty slot among 1 to 14 has a used slot after it.
bool HasSlotGap(const VehicleRecord& vehicle);
// Moves used slots down into the empty ones among 1 to 14 (slot 0 stays as it is); a moved
// slot's rack and visible bits are OR-ed into the slot it fills and cleared where it was.
void PackSlots(VehicleRecord& vehicle);

// "List of changed VCD HP Data": the vehicles with gaps in their slot tables; "Fix Records"
// (OK) lets the vehicle stage run.
class CHardpointReviewDialog : public Form {
  public:
    explicit CHardpointReviewDialog(ShellContext& ctx);
    // Whether every vehicle could be read while the list was made.
    bool Complete() const { return complete_; }

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    bool complete_ = false;
};

// The three stages: weapon lists, review, vehicles. False when a record could not be read or
// written.
bool SortHardpointTables(ShellContext& ctx);

// ---- "Create cockpit list" ----

// Writes the list of air vehicles to a file; false (with the message shown) when it cannot.
bool WriteCockpitList(Database& db, Ui& ui, const std::string& path);
// Asks for the file name, then writes the list; false when cancelled or failed.
bool CreateCockpitList(ShellContext& ctx);

}  // namespace tablon
