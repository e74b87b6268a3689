#include "vehicles/SsdView.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

using namespace ssddlg;

namespace {

constexpr const char* kAircraftNames[] = {
    "F/A-18D", "F-15C",  "MiG-29", "F-15E",  "F-16C",  "Su-27",  "MiG-27", "F-4E",
    "AH-64D",  "A-10",   "B-1B",   "KC-135", "CH-47",  "E-3",    "Su-25",  "MiG-21",
    "A-50",    "AC-130", "AH-1",   "AN-2",   "B-52",   "C-130",  "F-4G",   "EF-111A",
    "F-117",   "F-14",   "F-18A",  "F-22",   "F-111",  "IL-78",  "KC-10",  "KA-50",
    "MD-500",  "Mi-24",  "MiG-19", "MiG-23", "MiG-25", "AH-66",  "Tu-16",  "Tu-95",
    "UH-1N",   "AH-64",  "Y-8",    "IL-28",  "IL-76M", "TU-16N", "UH-60L", "F-4G",
    "F-5E",    "AN-24",  "Su-27",  "Su-27",  "MiG-29", "MiG-21", "UN-1N",  "UH-1N"};
static_assert(std::size(kAircraftNames) == 56);

constexpr const char* kNewName = "New Squadron Stores";

// The name a unit gives its stores set: "%s - %s" with the vehicle its slot 0 names, when that
// slot holds a readable vehicle entry (data type 5) whose vehicle can be read.
std::optional<std::string> UnitStoresName(Database& db, const UnitRecord& unit) {
    if (unit.SlotCt(0) == 0) return std::nullopt;
    CtRecord ct;
    VehicleRecord v;
    if (!db.Ct().GetRecord(unit.SlotCt(0), ct) || ct.DataType() != kDataVehicle ||
        ct.DataRef() > 0x7fffffffu ||
        !db.Table(FileId::Vcd)->GetRecord(int(ct.DataRef()), v.data()))
        return std::nullopt;
    return unit.Name() + " - " + v.Name();
}

std::string FallbackName(int set) {
    if (set >= 0 && set < int(std::size(kAircraftNames))) return kAircraftNames[set];
    return Format("Squadron %d", set);
}

}  // namespace

// ---- names and users ----

void StoresNames::Build(Database& db) {
    at_.clear();  // grows to the highest set number met
    names_.clear();
    const TableFile& ucd = *db.Table(FileId::Ucd);
    UnitRecord unit;
    for (int i = 0; ucd.GetRecord(i, unit.data()); ++i) {
        const int16_t set = unit.StoresIndex();
        if (set < 0) continue;
        if (size_t(set) >= at_.size()) at_.resize(size_t(set) + 1, -1);
        if (at_[size_t(set)] >= 0) continue;
        if (auto name = UnitStoresName(db, unit)) {
            at_[size_t(set)] = int32_t(names_.size());
            names_.push_back(std::move(*name));
        }
    }
}

std::string StoresNames::Of(int set) const {
    if (set >= 0 && size_t(set) < at_.size() && at_[size_t(set)] >= 0)
        return names_[size_t(at_[size_t(set)])];
    return FallbackName(set);
}

std::string StoresDisplayName(Database& db, int set) {
    const TableFile& ucd = *db.Table(FileId::Ucd);
    UnitRecord unit;
    for (int i = 0; ucd.GetRecord(i, unit.data()); ++i) {
        if (unit.StoresIndex() != set) continue;
        if (auto name = UnitStoresName(db, unit)) return *name;
    }
    return FallbackName(set);
}

std::vector<StoresUser> StoresUsers(Database& db, int set) {
    std::vector<StoresUser> users;
    const TableFile& ucd = *db.Table(FileId::Ucd);
    UnitRecord unit;
    for (int i = 0; ucd.GetRecord(i, unit.data()); ++i)
        if (unit.StoresIndex() == set) users.push_back({unit.Name(), i});
    return users;
}

std::vector<StoresRow> StoresRows(Database& db, const StoresRecord& record) {
    std::vector<StoresRow> rows;
    const TableFile& wcd = *db.Table(FileId::Wcd);
    const int size = db.Table(FileId::Ssd)->RecordSize();
    WeaponRecord w;
    for (int p = 0; p < size && p < int(StoresRecord::kSize); ++p) {
        const std::string name = wcd.GetRecord(p, w.data()) ? w.Name() : Format("Unknown%d", p);
        rows.push_back({name, p, record.Count(p)});
    }
    return rows;
}

// ---- CSsdView ----

CSsdView::CSsdView(ShellContext& ctx)
    : CEditView(ctx,
                std::make_unique<RowSource>(
                    ctx.db, FileId::Ssd, SsdRow::kSize,
                    [this](const uint8_t* record, int index, uint8_t* row) {
                        std::memcpy(row + SsdRow::kBytes, record + StoresRecord::kUnk220, 4);
                        StoreText(row + SsdRow::kName, SsdRow::kNameSize - 1, names_->Of(index));
                        row[SsdRow::kName + SsdRow::kNameSize - 1] = 0;
                    }),
                {{"Squadron", 100, SsdRow::kName, kKindText, SsdRow::kNameSize},
                 {"Number", 50, 0, kKindFileOrder},
                 {"Unk220", 50, SsdRow::kBytes + 0, kKindU8},
                 {"Inf A/G", 50, SsdRow::kBytes + 1, kKindU8},
                 {"Inf A/A", 50, SsdRow::kBytes + 2, kKindU8},
                 {"Inf Gun", 50, SsdRow::kBytes + 3, kKindU8}},
                1,
                {kRecordAll, "Update Failed", "Update Failed", true, "Overwrite Item %d with %d?",
                 false, "Failed to updte UCD file"}),
      names_(std::make_shared<StoresNames>()) {}

void CSsdView::Fill() {
    names_->Build(ctx_.db);
    CEditView::Fill();
}

void CSsdView::AfterDialog() {
    // The usage dialog may have renamed units or changed their stores sets.
    names_->Build(ctx_.db);
}

std::string CSsdView::ItemTextFor(const uint8_t* row, int) const {
    return LoadText(row + SsdRow::kName, SsdRow::kNameSize);
}

Answer CSsdView::RunDialog(Bytes& record, int index, Purpose purpose) {
    StoresRecord copy;
    std::memcpy(copy.data(), record.data(), StoresRecord::kSize);
    const std::string name = purpose == Purpose::Show ? names_->Of(index) : kNewName;
    const Answer a = RunSsdDialog(ctx_, copy, index, name);
    if (a == Answer::Ok) std::memcpy(record.data(), copy.data(), StoresRecord::kSize);
    return a;
}

// ---- CSsdDialog ----

CSsdDialog::CSsdDialog(ShellContext& ctx, StoresRecord& copy, int number, const std::string& name)
    : Form("Stores for " + name, 380, 420), ctx_(ctx), copy_(copy), number_(number) {
    AddList(kStores, {10, 10, 270, 400}, {{"Weapon", 100}, {"Pos", 50}, {"Count", 75}});
    AddButton(kUsedBy, "Used by", {280, 80, 370, 104});
    AddOkCancel("UPDATE");
}

void CSsdDialog::OnInitDialog() {
    std::vector<ListRow> rows;
    for (const auto& r : StoresRows(ctx_.db, copy_))
        rows.push_back(
            {{r.weapon, std::to_string(r.position), std::to_string(r.count)}, r.position});
    SetRows(kStores, std::move(rows));
}

void CSsdDialog::OnButton(int id) {
    if (id != kUsedBy) return;
    CSsdUsageDialog dialog(ctx_, number_);
    ctx_.ui.RunDialog(dialog);
}

void CSsdDialog::OnListEvent(int id, ListEventKind kind, int row, int column) {
    if (id != kStores) return;
    if (kind == ListEventKind::HeaderClick) Sort(column);
    if (kind == ListEventKind::DoubleClick && row >= 0) EditCount(row);
}

void CSsdDialog::Sort(int column) {
    if (column < 0 || column > 2) return;
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    std::vector<ListRow> rows = Rows(kStores);
    auto compare = [&](const ListRow& a, const ListRow& b) {
        if (column == 0) return strcasecmp(a.cells[0].c_str(), b.cells[0].c_str());
        if (column == 1) return int(a.data - b.data);
        return int(copy_.Count(int(a.data))) - int(copy_.Count(int(b.data)));
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
        return ascending_ ? compare(a, b) < 0 : compare(b, a) < 0;
    });
    SetRows(kStores, std::move(rows));
}

void CSsdDialog::EditCount(int row) {
    const int weapon = int(Rows(kStores)[size_t(row)].data);
    WeaponRecord w;
    const std::string name = ctx_.db.Table(FileId::Wcd)->GetRecord(weapon, w.data())
                                 ? w.Name()
                                 : Format("Unknown %d", weapon);
    CStoresCountDialog dialog(name, copy_.Count(weapon));
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    copy_.SetCount(weapon, dialog.Count());
    SetCell(kStores, row, 2, std::to_string(copy_.Count(weapon)));
}

CStoresCountDialog::CStoresCountDialog(const std::string& weapon, uint8_t count)
    : Form("Stores of " + weapon, 240, 110), count_(count) {
    AddLabel(-1, "Number", {10, 12, 80, 30});
    AddEdit(kNumber, {85, 10, 150, 30});
    AddLabel(-1, "Range is 1-254", {10, 40, 200, 58});
    Bind(kNumber, Exchange::Int);
    AddOkCancel();
}

void CStoresCountDialog::OnInitDialog() {
    ShowUnsigned(kNumber, count_);
}

void CStoresCountDialog::OnOK() {
    if (!TakeFields()) return;
    count_ = uint8_t(Value(kNumber).integer & 0xff);
    End(Answer::Ok);
}

CSsdUsageDialog::CSsdUsageDialog(ShellContext& ctx, int set)
    : Form("Ssd Usage", 260, 300), ctx_(ctx), set_(set) {
    AddList(kUsers, {10, 10, 250, 250}, {{"Unit", 100}, {"Unit ID", 75}});
    AddOkCancel();
}

void CSsdUsageDialog::OnInitDialog() {
    std::vector<ListRow> rows;
    for (const auto& u : StoresUsers(ctx_.db, set_))
        rows.push_back({{u.name, std::to_string(u.unit)}, u.unit});
    SetRows(kUsers, std::move(rows));
}

void CSsdUsageDialog::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (id != kUsers || kind != ListEventKind::DoubleClick || row < 0) return;
    const int unit = int(Rows(kUsers)[size_t(row)].data);
    if (!EditRecord(ctx_, {FileId::Ucd}, unit, "Update failed")) return;
    UnitRecord u;
    if (ctx_.db.Table(FileId::Ucd)->GetRecord(unit, u.data())) SetCell(kUsers, row, 0, u.Name());
}

Answer RunSsdDialog(ShellContext& ctx, StoresRecord& copy, int number, const std::string& name) {
    CSsdDialog dialog(ctx, copy, number, name);
    return ctx.ui.RunDialog(dialog);
}

}  // namespace tablon
