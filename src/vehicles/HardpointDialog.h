// The "Hardpoint Data" dialog on a weapon list, with its "Add Weapon to HP" and "HP Usage"
// sub-dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/Form.h"
#include "shell/Registry.h"
#include "vehicles/WeaponListRecord.h"

namespace tablon {

class Database;

namespace hpdlg {
constexpr int kName = 1700;
constexpr int kNumber = 1701;
constexpr int kEntries = 1702;
constexpr int kAdd = 1703;
constexpr int kDelete = 1704;
constexpr int kSort = 1705;
constexpr int kUsedBy = 1198;  // "Show what vehicles use this definition"
constexpr int kWeapon = 1710;
constexpr int kCount = 1711;
constexpr int kUsageList = 1712;
}  // namespace hpdlg

// The entries a list of the weapon-list file holds: (record size - 16) / 3, 32 or 64.
int WeaponListEntries(const Database& db);
// Moves the used entries among the first n, in their order, to the front, keeping their
// counts; the places they leave get reference 0 and count 0.
void CompactWeaponList(WeaponListRecord& list, int n);

// "Hardpoint Data": edits its caller's working copy of a weapon list; number is the list's
// number in the file.
class CHardpointDialog : public Form {
  public:
    CHardpointDialog(ShellContext& ctx, WeaponListRecord& copy, int number);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ListRow EntryRow(int entry) const;
    void FillEntries();
    void SortRows(int column);
    void AddEntry();
    void DeleteEntry();

    ShellContext& ctx_;
    WeaponListRecord& copy_;
    int number_;
    int entries_;
    int sortColumn_ = -1;
    bool ascending_ = true;
};

Answer RunHardpointDialog(ShellContext& ctx, WeaponListRecord& copy, int number);

// "Add Weapon to HP": a weapon and a count for one entry.
class CAddWeaponToHpDialog : public Form {
  public:
    CAddWeaponToHpDialog(ShellContext& ctx, const std::string& listName);
    int Weapon() const { return weapon_; }
    uint8_t Count() const { return count_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    ShellContext& ctx_;
    int weapon_ = 0;
    uint8_t count_ = 1;
};

// "HP Usage": the vehicles with a bay or hardpoint slot on a weapon list.
class CHpUsageDialog : public Form {
  public:
    CHpUsageDialog(ShellContext& ctx, int list);

  protected:
    void OnInitDialog() override;

  private:
    ShellContext& ctx_;
    int list_;
};

}  // namespace tablon
