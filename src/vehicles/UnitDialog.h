// "Unit View": one unit record with its fields, its vehicle slots, statistics, damage modifiers
// and role scores; the dialogs that fill, renumber, swap and empty slots; and the links to the
// slot's vehicle, the class-table entry and the squadron stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"
#include "shell/Registry.h"
#include "vehicles/UnitRecord.h"

namespace tablon {

// Control ids of the unit dialog and its small dialogs.
namespace unitdlg {
constexpr int kName = 2000;
constexpr int kCtInd = 2001;
constexpr int kCtButton = 2002;
constexpr int kFuel = 2003;
constexpr int kFuelRate = 2004;
constexpr int kFlags = 2005;
constexpr int kFlagsButton = 2006;
constexpr int kMoveType = 2007;
constexpr int kMoveSpeed = 2008;
constexpr int kSsdInd = 2009;
constexpr int kSsdButton = 2010;
constexpr int kPtInd = 2011;
constexpr int kUnitIcon = 2012;
constexpr int kRadVcl = 2013;
constexpr int kMaxRange = 2014;
constexpr int kMainRole = 2015;
constexpr int kSlots = 2020;
constexpr int kStats = 2021;
constexpr int kDamage = 2022;
constexpr int kRoles = 2023;
constexpr int kAddUnit = 2030;
constexpr int kDeleteUnit = 2031;
constexpr int kEditUnit = 2032;
constexpr int kEditVcl = 2033;
constexpr int kSwap = 2034;
constexpr int kRecalculate = 2035;
constexpr int kIcons = 2036;  // then "Small Icons", "List", "Detail"
constexpr int kSmallIcons = 2037;
constexpr int kListMode = 2038;
constexpr int kDetail = 2039;
// The small dialogs.
constexpr int kScore = 2050;
constexpr int kVehicle = 2051;
constexpr int kPosition = 2052;
constexpr int kNumber = 2053;
constexpr int kPos1 = 2054;
constexpr int kPos2 = 2055;
}  // namespace unitdlg

// The slot rows' image list.
constexpr int kUnitSlotImages = 141;

class CUnitDialog : public Form {
  public:
    // Edits the caller's working copy of a unit.
    CUnitDialog(ShellContext& ctx, UnitRecord& copy);
    ~CUnitDialog() override;

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    // Enables "Edit  VCL", "Edit Unit" and "Delete Unit" while a slot row is selected.
    struct SelectionWatch : FormObserver {
        CUnitDialog* dialog;
        explicit SelectionWatch(CUnitDialog* d) : dialog(d) {}
        void ControlChanged(int id) override;
    };
    bool TakeIntoCopy();
    void FillSlots();
    void FillRoles();
    int SelectedSlot() const;
    int RowOfSlot(int slot) const;
    // Shows a slot in its row (added when it has none, removed when it shows nothing).
    void ShowSlot(int slot);
    void SortSlots(int column);

    void AddUnit();
    void DeleteUnit();
    void EditUnit();
    void EditVehicle(int row);
    void Swap();
    void EditFlags();
    void Recalculate();
    void EditScore(int role);
    void EditCt();
    void EditStores();

    ShellContext& ctx_;
    UnitRecord& copy_;
    int domain_ = -1;  // of the unit's class-table record when the dialog opened
    int slotSortColumn_ = -1;
    bool slotAscending_ = true;
    SelectionWatch watch_{this};
};

// Runs the unit dialog on a working copy: Ok when the caller is to write it back.
Answer RunUnitDialog(ShellContext& ctx, UnitRecord& copy, int index);

// "Score for", titled "Score for %s for %s" (role name, unit name): a score 0 to 255.
class CScoreDialog : public Form {
  public:
    CScoreDialog(const std::string& role, const std::string& unit, uint8_t score);
    uint8_t Score() const { return score_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint8_t score_;
};

// "Add Unit": a vehicle (every vehicle with a name), the position (0 to 15) and the number of
// vehicles (0 to 254).
class CAddUnitDialog : public Form {
  public:
    CAddUnitDialog(std::vector<Choice> vehicles, std::optional<int> preselect, int position);
    std::optional<int> Vehicle() const { return vehicle_; }
    int Position() const { return position_; }
    uint32_t Number() const { return number_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    std::optional<int> preselect_;
    std::optional<int> vehicle_;
    int position_;
    uint32_t number_ = 1;
};

// "Unit Number": the number of vehicles of a slot, 0 to 254.
class CUnitNumberDialog : public Form {
  public:
    explicit CUnitNumberDialog(uint32_t number);
    uint32_t Number() const { return number_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint32_t number_;
};

// "Swap Units": two positions.
class CSwapUnitsDialog : public Form {
  public:
    CSwapUnitsDialog();
    int Pos1() const { return pos1_; }
    int Pos2() const { return pos2_; }

  protected:
    void OnOK() override;

  private:
    int pos1_ = 0, pos2_ = 0;
};

}  // namespace tablon
