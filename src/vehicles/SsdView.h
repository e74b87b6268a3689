// The squadron stores: the display name of a stores set, the list of every set, the "Squadron
// Stores" dialog with its "Stores Count" and "Ssd Usage" dialogs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/EditView.h"
#include "shell/Form.h"
#include "vehicles/StoresRecord.h"

namespace tablon {

class Database;

// The display names of the stores sets: the first unit naming a set (with a readable vehicle
// entry of data type 5 in slot 0) gives "%s - %s" (unit, vehicle); else sets 0 to 55 take the
// aircraft table's name, the rest "Squadron %d". Built from one pass over the units.
class StoresNames {
  public:
    void Build(Database& db);
    std::string Of(int set) const;

  private:
    std::vector<int32_t> at_;  // per set number: index into names_, or -1
    std::vector<std::string> names_;
};
std::string StoresDisplayName(Database& db, int set);

// The units whose "SSD ind" names a set: name and number, in file order.
struct StoresUser {
    std::string name;
    int unit;
};
std::vector<StoresUser> StoresUsers(Database& db, int set);
// The rows of the stores dialog: every count byte of the record size in use, with the name of
// its weapon ("Unknown%d" when the weapon cannot be read), its number and the count.
struct StoresRow {
    std::string weapon;
    int position;
    uint8_t count;
};
std::vector<StoresRow> StoresRows(Database& db, const StoresRecord& record);

// A row of the stores list: the four titled bytes, then the display name.
struct SsdRow {
    enum Offset : uint16_t { kBytes = 0, kName = 4 };
    static constexpr uint16_t kNameSize = 64;
    static constexpr uint32_t kSize = kName + kNameSize;
};

class CSsdView : public CEditView {
  public:
    static constexpr const char* kClassName = "CSsdView";
    explicit CSsdView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
    void AfterDialog() override;

  private:
    std::shared_ptr<StoresNames> names_;
};

namespace ssddlg {
constexpr int kStores = 2200;
constexpr int kUsedBy = 2201;
constexpr int kNumber = 2202;
constexpr int kUsers = 2203;
}  // namespace ssddlg

class CSsdDialog : public Form {
  public:
    CSsdDialog(ShellContext& ctx, StoresRecord& copy, int number, const std::string& name);

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    void Sort(int column);
    void EditCount(int row);

    ShellContext& ctx_;
    StoresRecord& copy_;
    int number_;
    int sortColumn_ = -1;
    bool ascending_ = true;
};

// "Stores Count", titled "Stores of " and the weapon's name: the count, kept to eight bits.
class CStoresCountDialog : public Form {
  public:
    CStoresCountDialog(const std::string& weapon, uint8_t count);
    uint8_t Count() const { return count_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint8_t count_;
};

// "Ssd Usage": the units that name a stores set; a double-click opens a unit.
class CSsdUsageDialog : public Form {
  public:
    CSsdUsageDialog(ShellContext& ctx, int set);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    int set_;
};

Answer RunSsdDialog(ShellContext& ctx, StoresRecord& copy, int number, const std::string& name);

}  // namespace tablon
