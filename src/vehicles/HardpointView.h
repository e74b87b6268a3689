// The weapon-list view: one row per named weapon list with the weapon and count of each of its
// first 32 entries; the record commands, and overwriting one list with another by dragging.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MvView.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

class TableFile;

// A row of the weapon-list view holds the list record followed, for each of the entries the
// view shows, by its weapon's name and whether that weapon could be read.
struct HardpointRow {
    static constexpr uint32_t kEntrySize = WeaponRecord::kNameSize + 1;
    static constexpr uint32_t kEntries = WeaponListRecord::kSize;  // entry i at kEntries + i * 19
    static constexpr uint32_t kSize =
        WeaponListRecord::kSize + WeaponListRecord::kListedEntries * kEntrySize;
};

// "Name" and the 32 "Weapon" columns.
const std::vector<ColumnDesc>& HardpointColumns();

class CHardpointView : public CMvView {
  public:
    static constexpr const char* kClassName = "CHardpointView";
    explicit CHardpointView(ShellContext& ctx);

    const char* ClassName() const override { return kClassName; }
    bool CanDrag() const override { return true; }
    void OnDrop(int sourceRow, int targetRow) override;

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    int IconFor(const uint8_t*) const override { return 1; }
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordAll; }
    std::span<const SortCommand> SortCommands() const override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;
    // The lists sort by name only: the other columns leave the order as it is.
    int CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const override;
    bool PlainTextSort(const ColumnDesc& c) const override;
    bool ColumnClickSorts(int column) const override;

  private:
    TableFile& Wld() const;
    std::vector<uint8_t> RowOf(const WeaponListRecord& list) const;
    void RefreshRow(int row, const WeaponListRecord& list);
};

}  // namespace tablon
