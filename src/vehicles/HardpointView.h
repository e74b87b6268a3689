// The weapon-list view: one row per named weapon list with the weapon and count of each of its
// first 32 entries; the record commands, and overwriting one list with another by dragging.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MvView.h"
#include "vehicles/WeaponListRecord.h"

namespace tablon {

class TableFile;

// "Name" and the 32 "Weapon" columns. A weapon column shows its entry's weapon, read from the
// weapon file when the cell is asked for, and its count.
std::vector<ColumnDesc> HardpointColumns(const TableFile& wcd);

class CHardpointView : public CMvView {
  public:
    static constexpr const char* kClassName = "CHardpointView";
    explicit CHardpointView(ShellContext& ctx);

    const char* ClassName() const override { return kClassName; }
    bool CanDrag() const override { return true; }
    void OnDrop(int sourceRow, int targetRow) override;
    bool ColumnClickSorts(int column) const override;

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* list, int index) const override;
    int IconFor(const uint8_t*) const override { return 1; }
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordAll; }
    std::span<const SortCommand> SortCommands() const override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;
    // The lists sort by name only: the other columns leave the order as it is.
    int CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const override;
    bool PlainTextSort(const ColumnDesc& c) const override;

  private:
    TableFile& Wld() const;
    void RefreshRow(int row, const WeaponListRecord& list);
};

}  // namespace tablon
