// The weapon list: one row per named weapon record with its fields, its guidance by name, the
// maneuver field of its class-table record and the number of vehicles that use it; the record
// commands, and overwriting one weapon with another by dragging.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MvView.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

class TableFile;

// A row of the weapon list holds the weapon record followed by what the row computes for it.
struct WeaponRow {
    enum Offset : uint16_t {
        kUsedBy = WeaponRecord::kSize,  // unsigned 32: vehicles that use the weapon
        kManeuver = kUsedBy + 4,        // signed 32: the class-table record's field at 74
    };
    static constexpr uint32_t kSize = WeaponRecord::kSize + 8;
    // kManeuver when the class-table record cannot be read; sorts before every 16-bit value.
    static constexpr int32_t kNoManeuver = -32769;
};

// The 31 columns of the weapon list.
const std::vector<ColumnDesc>& WeaponColumns();
constexpr int kWeaponNameColumn = 0;
constexpr int kWeaponFileOrderColumn = 1;  // "No"
constexpr int kWeaponManeuverColumn = 2;   // "MnvrDef"
constexpr int kWeaponUsedByColumn = 30;

// Whether a weapon or weapon-list record is listed: the first four bytes of its name are not all
// zero.
bool NameListed(const uint8_t* name);
// The name of a copy: "-2" appended when the name is shorter than limit characters.
std::string CopyNameWithin(const std::string& name, size_t limit);

class CWeaponView : public CMvView {
  public:
    static constexpr const char* kClassName = "CWeaponView";
    explicit CWeaponView(ShellContext& ctx);

    const char* ClassName() const override { return kClassName; }
    bool CanDrag() const override { return true; }
    void OnDrop(int sourceRow, int targetRow) override;

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordAll; }
    std::span<const SortCommand> SortCommands() const override;
    void AddRecord(bool copy) override;
    // Recounts the rows after the record is gone.
    void DeleteRecord() override;
    bool DeleteLastRecord(int index) override;

  private:
    TableFile& Wcd() const;
    // The row of a weapon: the record and what the list computes for it.
    std::vector<uint8_t> RowOf(const WeaponRecord& weapon) const;
    // Shows a changed record in its row (name and cells), keeping the current order.
    void RefreshRow(int row, const WeaponRecord& weapon);
    // After the files changed under the list (a weapon's class-table index, a vehicle, a class-
    // table record): counts every row again and shows the rows whose counts changed.
    void RecountRows();
};

}  // namespace tablon
