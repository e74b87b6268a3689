#include "vehicles/UnitView.h"

#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"
#include "vehicles/UnitDialog.h"
#include "vehicles/UnitRules.h"

namespace tablon {

namespace {

using U = UnitRecord;

std::string TypeText(const uint8_t* row, int) {
    return TypeName(row[UnitRow::kDomain], row[UnitRow::kClass], row[UnitRow::kType]);
}

// The per-class columns: a title before the class name, the class names as the list spells
// them, and the field.
constexpr const char* kClassTitles[kTargetClasses] = {"Static",  "Foot", "Wheeled", "Tracked",
                                                      "Low Air", "Air",  "Naval",   "Rail"};
constexpr const char* kDamageTitles[kDamageTypes] = {
    "No Damage",        "AP Damage",        "HE Damage",      "Bomb Damage",
    "Incediary Damage", "Proximity Damage", "Kinetic Damage", "Water Damage",
    "Chemical Damage",  "Nuclear Damage",   "Other Damage"};

std::vector<ColumnDesc> BuildColumns() {
    std::vector<ColumnDesc> c{
        {"Unit", 100, U::kName, kKindText, int(U::kNameSize)},
        {"No", 50, 0, kKindFileOrder},
        {"Type", 50, UnitRow::kType, kKindU8, 0, 1, TypeText},
        {"Ct", 50, U::kCtIndex, kKindI32},
        {"Flags", 50, U::kFlags, kKindI16},
        {"MoveType", 50, U::kMoveType, kKindI32},
        {"MoveSpeed", 50, U::kMoveSpeed, kKindI16},
        {"MaxRange", 50, U::kMaxRange, kKindI16},
        {"Fuel", 50, U::kFuel, kKindI32},
        {"FuelRate", 50, U::kFuelRate, kKindI16},
        {"PtInd", 50, U::kPointIndex, kKindI16},
        {"Role", 50, U::kMainRole, kKindU8},
        {"Radar Vcl", 50, U::kRadarVehicle, kKindU8},
        {"SSD ind", 50, U::kStoresIndex, kKindI16},
        {"Unit Icon", 50, U::kUnitIcon, kKindI16},
    };
    for (int r = 0; r < kUnitRoles; ++r)
        c.push_back({kRoleColumnTitles[r], 50, U::kRoleScores + r, kKindU8});
    const std::pair<const char*, int> perClass[] = {{"Hit v ", U::kHit},
                                                    {"Str v ", U::kStrength},
                                                    {"Range v ", U::kRange},
                                                    {"Detect v ", U::kDetection}};
    for (const auto& [title, offset] : perClass)
        for (int t = 0; t < kTargetClasses; ++t) {
            const bool naval = offset == U::kDetection && t == 6;
            c.push_back({std::string(title) + (naval ? "naval" : kClassTitles[t]), 50, offset + t,
                         kKindU8});
        }
    for (int d = 0; d < kDamageTypes; ++d)
        c.push_back({kDamageTitles[d], 50, U::kDamage + d, kKindU8});
    return c;
}

bool InMask(uint32_t mask, int domain) {
    return domain < 32 && ((mask >> domain) & 1) != 0;
}

}  // namespace

const std::vector<ColumnDesc>& UnitColumns() {
    static const std::vector<ColumnDesc> columns = BuildColumns();
    return columns;
}

CUnitView::CUnitView(ShellContext& ctx, uint32_t domainMask)
    : CEditView(
          ctx,
          std::make_unique<RowSource>(
              ctx.db, FileId::Ucd, U::kSize,
              [&db = ctx.db](const uint8_t* record, int, uint8_t* row) {
                  UnitRecord unit;
                  std::memcpy(unit.data(), record, U::kSize);
                  std::memcpy(row, record, U::kSize);
                  std::memset(row + U::kSlotCounts, 0, U::kFlags - U::kSlotCounts);
                  CtRecord ct;
                  if (unit.CtIndex() <= 0x7fffffffu && db.Ct().GetRecord(int(unit.CtIndex()), ct)) {
                      row[UnitRow::kCtReadable] = 1;
                      std::memcpy(row + UnitRow::kDomain, ct.data() + CtRecord::kDomain, 4);
                  }
                  StoreText(row + UnitRow::kText, UnitRow::kTextSize - 1, UnitListText(db, unit));
              }),
          UnitColumns(), kUnitFileOrderColumn,
          {kRecordAll, "Update Failed", "Update Failed", true, "Overwrite Item %d %s with %d %s?",
           true, "Failed to updte UCD file"}),
      domainMask_(domainMask) {}

bool CUnitView::Lists(const uint8_t* row) const {
    return LoadLE<uint32_t>(row + U::kCtIndex) != 0 && row[UnitRow::kCtReadable] &&
           InMask(domainMask_, row[UnitRow::kDomain]);
}

std::string CUnitView::ItemTextFor(const uint8_t* row, int) const {
    return LoadText(row + UnitRow::kText, UnitRow::kTextSize);
}

int CUnitView::IconFor(const uint8_t* row) const {
    return CtIconIndex(row[UnitRow::kDomain], row[UnitRow::kClass], row[UnitRow::kType],
                       row[UnitRow::kSubType]);
}

std::span<const SortCommand> CUnitView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, kUnitNameColumn},
                                             {cmd::kSortByFileOrder, kUnitFileOrderColumn}};
    return kSorts;
}

Answer CUnitView::RunDialog(Bytes& record, int index, Purpose) {
    UnitRecord unit;
    std::memcpy(unit.data(), record.data(), U::kSize);
    const Answer a = RunUnitDialog(ctx_, unit, index);
    if (a == Answer::Ok) std::memcpy(record.data(), unit.data(), U::kSize);
    return a;
}

void CUnitView::PrepareNew(Bytes& record, bool copy) {
    const std::string name = LoadText(record.data() + U::kName, U::kNameSize);
    StoreText(record.data() + U::kName, U::kNameSize,
              copy ? (name.size() < 17 ? name + "-2" : name) : "New");
}

std::string CUnitView::NameOf(const Bytes& record) const {
    return LoadText(record.data() + U::kName, U::kNameSize);
}

bool CUnitView::QueryCommand(int id, CommandState& state) {
    if (id == cmd::kRecalculateStats) return true;
    return CEditView::QueryCommand(id, state);
}

bool CUnitView::RunCommand(int id) {
    if (id == cmd::kRecalculateStats) {
        RecalculateStats();
        return true;
    }
    return CEditView::RunCommand(id);
}

void CUnitView::RecalculateStats() {
    BusyScope busy(ctx_.ui);
    TableFile& ucd = File();
    WriteBatch batch(ucd);
    SlotStatsIndex stats(ctx_.db);
    Bytes unit(U::kSize);
    UnitRecord u;
    for (int row = 0; row < RowCount(); ++row) {
        const int index = ItemData(row);
        if (!ucd.GetRecord(index, u.data())) break;
        if (u.CtIndex() == 0) continue;
        RecalculateUnitStats(stats, u);
        if (!ucd.SetRecord(index, u.data())) {
            ctx_.ui.Show("Update Failed");
            return;
        }
        std::memcpy(unit.data(), u.data(), U::kSize);
        FillCells(row, RowOf(unit, index).data());
    }
    if (!batch.Finish()) ctx_.ui.Show("Update Failed");
}

}  // namespace tablon
