// The vehicle lists: one row per vehicle record whose class-table record is of a domain the
// view shows, with all record fields; the record commands, the statistics recalculation over
// the rows, and overwriting one vehicle with another by dragging. The five vehicle views share
// one sort mode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MvView.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

class TableFile;

// Domain masks: a vehicle is listed when bit (domain of its class-table record) is set.
constexpr uint32_t kAllDomainsMask = 255;
constexpr uint32_t kAirDomainMask = 1u << 2;
constexpr uint32_t kLandDomainMask = 1u << 3;
constexpr uint32_t kSeaDomainMask = 1u << 4;
constexpr uint32_t kUnderseaDomainMask = 1u << 7;

// A row of a vehicle list holds the vehicle record followed by what the row needs of the
// vehicle's class-table record.
struct VclRow {
    enum Offset : uint16_t {
        kVehDefRef = VehicleRecord::kSize,  // signed 16: the class-table record's field at 74
        kCtReadable = kVehDefRef + 2,       // 1 when the class-table record could be read
        kDomain,
        kClass,
        kType,
        kSubType,
    };
    static constexpr uint32_t kSize = VehicleRecord::kSize + 8;
};

// The 67 columns of the vehicle lists.
const std::vector<ColumnDesc>& VclColumns();
constexpr int kVclNameColumn = 0;
constexpr int kVclFileOrderColumn = 1;  // "Vcl No"
// The sort mode "class" as the shared sort mode stores it (other modes are column numbers).
constexpr int kVclClassSortMode = -2;

class CVclView : public CMvView, private ViewObserver {
  public:
    static constexpr const char* kClassName = "CVclView";
    explicit CVclView(ShellContext& ctx, uint32_t domainMask = kAllDomainsMask);
    ~CVclView() override;

    const char* ClassName() const override { return kClassName; }
    ViewImages Images() const override { return {136, 135, 11}; }
    void OnInitialUpdate() override;
    bool QueryCommand(int id, CommandState& state) override;
    bool RunCommand(int id) override;
    bool CanDrag() const override { return true; }
    void OnDrop(int sourceRow, int targetRow) override;

    uint32_t DomainMask() const { return domainMask_; }
    // "Recalculate Stats": the statistics of every vehicle shown, top to bottom.
    void RecalculateStats();
    // The sort mode the vehicle views share: a column, or kVclClassSortMode.
    int SortMode() const;

  protected:
    void Fill() override;
    bool SortsOnFill() const override { return false; }
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    int IconFor(const uint8_t* row) const override;
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordAll; }
    std::span<const SortCommand> SortCommands() const override;
    // The class sort shows checked while the rows are in class order, the name sort only when
    // they are not.
    bool SortCommandChecked(int column) const override;
    void RunSortCommand(int column) override { SortByMode(column); }
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;
    int CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const override;
    bool PlainTextSort(const ColumnDesc&) const override { return !sortingByClass_; }
    // In class order the rows sort again by class.
    void ResortRows() override;

  private:
    void RowsReset() override;
    TableFile& Vcd() const;
    // The row of a vehicle: the record and its class-table data.
    std::vector<uint8_t> RowOf(const VehicleRecord& vehicle) const;
    // Shows a changed record in its row: cells, name and icon, keeping the row's place in the
    // current order.
    void RefreshRow(int row, const VehicleRecord& vehicle);
    void SortByMode(int mode);
    void SortByClass();

    uint32_t domainMask_;
    bool classOrder_ = false;      // the rows are in class order
    bool sortingByClass_ = false;  // a class sort is running
};

class CAircraftVclView : public CVclView {
  public:
    static constexpr const char* kClassName = "CAircraftVclView";
    explicit CAircraftVclView(ShellContext& ctx) : CVclView(ctx, kAirDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CLandVclView : public CVclView {
  public:
    static constexpr const char* kClassName = "CLandVclView";
    explicit CLandVclView(ShellContext& ctx) : CVclView(ctx, kLandDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CShipVclView : public CVclView {
  public:
    static constexpr const char* kClassName = "CShipVclView";
    explicit CShipVclView(ShellContext& ctx) : CVclView(ctx, kSeaDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CSubVclView : public CVclView {
  public:
    static constexpr const char* kClassName = "CSubVclView";
    explicit CSubVclView(ShellContext& ctx) : CVclView(ctx, kUnderseaDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

// The name of a copy: "-2" appended while the name stays within its 13 characters.
std::string CopyName(const std::string& name);

}  // namespace tablon
