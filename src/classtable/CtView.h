// The class-table list: one row per class-table record with all its fields, the record
// commands, and overwriting one record with another by dragging.
#pragma once

#include "shell/MvView.h"

namespace tablon {

class CtFile;

// The 32 columns of the class-table list.
const std::vector<ColumnDesc>& CtColumns();
// Column 1 ("No") sorts by record index; column 0 ("Name", also "Sort by Class") by domain.
constexpr int kCtFileOrderColumn = 1;
constexpr int kCtClassColumn = 0;

class CCtView : public CMvView {
  public:
    static constexpr const char* kClassName = "CCtView";
    explicit CCtView(ShellContext& ctx);

    const char* ClassName() const override { return kClassName; }
    ViewImages Images() const override { return {136, 135, 11}; }
    bool CanDrag() const override { return true; }
    void OnDrop(int sourceRow, int targetRow) override;

  protected:
    // The class table keeps file order when it is filled; the stored column takes effect with
    // the next sort.
    bool SortsOnFill() const override { return false; }
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    int IconFor(const uint8_t* record) const override;
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordAll; }
    std::span<const SortCommand> SortCommands() const override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;

  private:
    CtFile& Ct() const;
};

}  // namespace tablon
