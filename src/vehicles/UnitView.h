// The unit lists: one row per unit whose class-table record is of a domain the view shows, with
// its name and what its first slot names, its classification and every listed field; the
// record commands, the statistics recalculation over the rows, and overwriting one unit with
// another by dragging. The five unit views share one sort column.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/EditView.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VclView.h"

namespace tablon {

// A row of a unit list is the unit record with its slot data, which the list does not show,
// replaced by what the row needs of the unit's class-table record and the row's text.
struct UnitRow {
    enum Offset : uint16_t {
        kCtReadable = 4,
        kDomain,
        kClass,
        kType,
        kSubType,
        kText = 12,
    };
    static constexpr uint16_t kTextSize = 64;
    static_assert(kText + kTextSize <= UnitRecord::kFlags);
};

// The 74 columns of the unit lists.
const std::vector<ColumnDesc>& UnitColumns();
constexpr int kUnitNameColumn = 0;
constexpr int kUnitFileOrderColumn = 1;  // "No"

class CUnitView : public CEditView {
  public:
    static constexpr const char* kClassName = "CUnitView";
    explicit CUnitView(ShellContext& ctx, uint32_t domainMask = kAllDomainsMask);

    const char* ClassName() const override { return kClassName; }
    const char* SortKey() const override { return kClassName; }
    bool QueryCommand(int id, CommandState& state) override;
    bool RunCommand(int id) override;
    uint32_t DomainMask() const { return domainMask_; }
    // "Recalculate Stats": the statistics of every unit shown, top to bottom.
    void RecalculateStats();

  protected:
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    int IconFor(const uint8_t* row) const override;
    std::span<const SortCommand> SortCommands() const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
    void PrepareNew(Bytes& record, bool copy) override;
    std::string NameOf(const Bytes& record) const override;
    bool Lists(const uint8_t* row) const override;

  private:
    uint32_t domainMask_;
};

class CUnitAirView : public CUnitView {
  public:
    static constexpr const char* kClassName = "CUnitAirView";
    explicit CUnitAirView(ShellContext& ctx) : CUnitView(ctx, kAirDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CLandUnitView : public CUnitView {
  public:
    static constexpr const char* kClassName = "CLandUnitView";
    explicit CLandUnitView(ShellContext& ctx) : CUnitView(ctx, kLandDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CShipUnitView : public CUnitView {
  public:
    static constexpr const char* kClassName = "CShipUnitView";
    explicit CShipUnitView(ShellContext& ctx) : CUnitView(ctx, kSeaDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

class CSubUnitView : public CUnitView {
  public:
    static constexpr const char* kClassName = "CSubUnitView";
    explicit CSubUnitView(ShellContext& ctx) : CUnitView(ctx, kUnderseaDomainMask) {}
    const char* ClassName() const override { return kClassName; }
};

}  // namespace tablon
