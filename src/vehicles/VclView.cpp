#include "vehicles/VclView.h"

#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"
#include "vehicles/VehicleDialog.h"
#include "vehicles/VehicleStats.h"

namespace tablon {

namespace {

using V = VehicleRecord;

// The shared sort mode lives under the base view's class name.
constexpr const char* kSharedSortKey = CVclView::kClassName;
constexpr int kNoCtIcon = 3;

// The element names that the columns of the array fields carry in place of the first
// element's name in the field's list title ("Hit v Static", "No Dam").
constexpr const char* kTargetColumnNames[kTargetClasses] = {"Static", "Foot", "Wheeled", "Tracked",
                                                            "LowAir", "Air",  "Naval",   "Rail"};
constexpr const char* kDamageColumnNames[kDamageTypes] = {
    "No",      "AP",    "HE",       "Bomb",    "Incendiary", "Proximity",
    "Kinetic", "Water", "Chemical", "Nuclear", "Other"};

// The record columns in list order: a field of the vehicle field table and how it is shown
// when its type alone does not say.
struct RecordColumn {
    const char* field;
    int kind = -1;                          // -1: by the field's type
    const char* const* elements = nullptr;  // array fields: the element names
};

const RecordColumn kRecordColumns[] = {
    {"ct_index"},
    {"hit_points"},
    {"flags", kKindHex32},
    {"radar_cs"},
    {"cockpit", kKindChars4},
    {"mtow"},
    {"empty_weight"},
    {"fuel_load"},
    {"fuel_rate"},
    {"engine_sound"},
    {"high_alt"},
    {"low_alt"},
    {"cruise_alt"},
    {"max_speed"},
    {"radar"},
    {"ecm_strength"},
    {"crew"},
    {"rack_mask"},
    {"visible_mask"},
    {"call_sign"},
    {"call_slot"},
    {"hit", -1, kTargetColumnNames},
    {"strength", -1, kTargetColumnNames},
    {"range", -1, kTargetColumnNames},
    {"detection", -1, kTargetColumnNames},
    {"damage", -1, kDamageColumnNames},
};

int KindOf(FieldType t) {
    switch (t) {
        case FieldType::U8:
            return kKindU8;
        case FieldType::I16:
            return kKindI16;
        case FieldType::U16:
            return kKindU16;
        case FieldType::F32:
            return kKindF32;
        default:
            return kKindI32;  // 32-bit integers show as "%d"
    }
}

const ColumnDesc& NameColumn() {
    static const ColumnDesc name{"Name", 100, V::kName, kKindText, int(V::kNameSize)};
    return name;
}

std::string VehDefText(const uint8_t* row, int) {
    if (!row[VclRow::kCtReadable]) return "n/a";
    return std::to_string(LoadLE<int16_t>(row + VclRow::kVehDefRef));
}

std::vector<ColumnDesc> BuildColumns() {
    std::vector<ColumnDesc> columns{
        NameColumn(),
        {"Vcl No", 50, 0, kKindFileOrder},
        {"VehDef ref", 50, VclRow::kVehDefRef, kKindI16, 0, 1, VehDefText},
    };
    const FieldTable& fields = VehicleFields();
    for (const auto& rc : kRecordColumns) {
        const Field& f = *fields.Find(rc.field);
        const int kind = rc.kind >= 0 ? rc.kind : KindOf(f.type);
        if (!rc.elements) {
            columns.push_back({f.title, 50, f.offset, kind});
            continue;
        }
        const std::string title = f.title, first = rc.elements[0];
        const size_t at = title.find(first);
        const std::string before = title.substr(0, at), after = title.substr(at + first.size());
        for (int e = 0; e < f.count; ++e)
            columns.push_back({before + rc.elements[e] + after, 50, f.offset + e, kind});
    }
    return columns;
}

// Names compared without regard to case.
int CompareNames(const uint8_t* a, const uint8_t* b) {
    return CompareField(a, b, VclRow::kSize, NameColumn());
}

class VclRowSource : public RecordSource {
  public:
    explicit VclRowSource(Database& db) : db_(db), vcd_(*db.Table(FileId::Vcd)) {}
    SourceRef Ref() const override { return {FileId::Vcd}; }
    uint32_t RecordSize() const override { return VclRow::kSize; }
    int Count() const override { return int(vcd_.RecordCount()); }
    int Get(int index, uint8_t* out) const override {
        if (!vcd_.GetRecord(index, out)) return 0;
        AddCtData(out);
        return 1;
    }
    int Set(int index, const uint8_t* row) override { return vcd_.SetRecord(index, row); }
    const FieldTable& Fields() const override { return VehicleFields(); }
    TableFile* Table() const override { return &vcd_; }
    std::string TypeName() const override { return vcd_.Desc().typeName; }

    // Fills the class-table part of a row whose vehicle part is in place.
    void AddCtData(uint8_t* row) const {
        std::memset(row + V::kSize, 0, VclRow::kSize - V::kSize);
        CtRecord ct;
        if (!db_.Ct().GetRecord(LoadLE<int16_t>(row + V::kCtIndex), ct)) return;
        row[VclRow::kCtReadable] = 1;
        StoreLE<int16_t>(row + VclRow::kVehDefRef, ct.AltDataRef());
        row[VclRow::kDomain] = ct.Domain();
        row[VclRow::kClass] = ct.Class();
        row[VclRow::kType] = ct.Type();
        row[VclRow::kSubType] = ct.SubType();
    }

  private:
    Database& db_;
    TableFile& vcd_;
};

bool InMask(uint32_t mask, int domain) {
    return domain < 32 && ((mask >> domain) & 1) != 0;
}

}  // namespace

const std::vector<ColumnDesc>& VclColumns() {
    static const std::vector<ColumnDesc> columns = BuildColumns();
    return columns;
}

std::string CopyName(const std::string& name) {
    return name.size() + 2 <= V::kNameSize - 1 ? name + "-2" : name;
}

CVclView::CVclView(ShellContext& ctx, uint32_t domainMask)
    : CMvView(ctx, std::make_unique<VclRowSource>(ctx.db), VclColumns(), kVclFileOrderColumn),
      domainMask_(domainMask) {
    AddObserver(this);
}

CVclView::~CVclView() {
    RemoveObserver(this);
}

TableFile& CVclView::Vcd() const {
    return *Source().Table();
}

std::vector<uint8_t> CVclView::RowOf(const VehicleRecord& vehicle) const {
    std::vector<uint8_t> row(VclRow::kSize);
    std::memcpy(row.data(), vehicle.data(), V::kSize);
    static_cast<const VclRowSource&>(Source()).AddCtData(row.data());
    return row;
}

void CVclView::Fill() {
    const auto& source = static_cast<const VclRowSource&>(Source());
    const TableFile& vcd = Vcd();
    uint8_t row[VclRow::kSize];
    for (int i = 0; vcd.GetRecord(i, row); ++i) {
        if (LoadLE<int16_t>(row + V::kCtIndex) == 0) continue;
        source.AddCtData(row);
        if (row[VclRow::kCtReadable] && InMask(domainMask_, row[VclRow::kDomain]))
            InsertRow(i, row);
    }
}

std::string CVclView::ItemTextFor(const uint8_t* row, int) const {
    return LoadText(row + V::kName, V::kNameSize);
}

int CVclView::IconFor(const uint8_t* row) const {
    if (!row[VclRow::kCtReadable]) return kNoCtIcon;
    return CtIconIndex(row[VclRow::kDomain], row[VclRow::kClass], row[VclRow::kType],
                       row[VclRow::kSubType]);
}

// ---- sorting ----

int CVclView::SortMode() const {
    return ctx_.registry.SortColumn(kSharedSortKey).value_or(kVclNameColumn);
}

void CVclView::OnInitialUpdate() {
    CMvView::OnInitialUpdate();
    SortByMode(SortMode());
}

void CVclView::RowsReset() {
    // Every sort but a class sort (a column click, a sort command) makes its column the shared
    // sort mode.
    if (sortingByClass_ || LastSortColumn() < 0) return;
    classOrder_ = false;
    ctx_.registry.SetSortColumn(kSharedSortKey, LastSortColumn());
}

int CVclView::CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const {
    if (sortingByClass_) {
        const int d = int(a[VclRow::kDomain]) - int(b[VclRow::kDomain]);
        return d != 0 ? d : CompareNames(a, b);
    }
    return CMvView::CompareRecords(a, b, c);
}

void CVclView::SortByMode(int mode) {
    if (mode == kVclClassSortMode) {
        SortByClass();
        return;
    }
    // Coming from the class order, the name column starts ascending again.
    if (classOrder_ && mode == kVclNameColumn) Sort(kVclFileOrderColumn);
    SetStoredSortColumn(mode);
    Sort(mode);
}

void CVclView::SortByClass() {
    // The class order is kept as a sort of the name column with the class comparison; a first
    // class sort starts ascending, a repeated one reverses.
    if (!classOrder_ && LastSortColumn() == kVclNameColumn) Sort(kVclFileOrderColumn);
    sortingByClass_ = true;
    Sort(kVclNameColumn);
    sortingByClass_ = false;
    classOrder_ = true;
    ctx_.registry.SetSortColumn(kSharedSortKey, kVclClassSortMode);
}

void CVclView::ResortRows() {
    const int column = LastSortColumn();
    if (column < 0) return;
    // Two sorts by the same column: the direction comes back to what it was.
    sortingByClass_ = classOrder_;
    Sort(column);
    Sort(column);
    sortingByClass_ = false;
}

// ---- rows ----

void CVclView::RefreshRow(int row, const VehicleRecord& vehicle) {
    const std::vector<uint8_t> data = RowOf(vehicle);
    std::string text = ItemTextFor(data.data(), ItemData(row));
    const int icon = IconFor(data.data());
    if (text == ItemText(row) && icon == Icon(row))
        FillCells(row, data.data());
    else
        ReplaceRow(row, data.data(), std::move(text), icon);
}

// ---- commands ----

std::span<const SortCommand> CVclView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, kVclNameColumn},
                                             {cmd::kSortByClass, kVclClassSortMode},
                                             {cmd::kSortByFileOrder, kVclFileOrderColumn}};
    return kSorts;
}

bool CVclView::SortCommandChecked(int column) const {
    if (column == kVclClassSortMode) return classOrder_;
    if (column == kVclNameColumn && classOrder_) return false;
    return CMvView::SortCommandChecked(column);
}

bool CVclView::QueryCommand(int id, CommandState& state) {
    if (id == cmd::kRecalculateStats) return true;
    return CMvView::QueryCommand(id, state);
}

bool CVclView::RunCommand(int id) {
    if (id == cmd::kRecalculateStats) {
        RecalculateStats();
        return true;
    }
    return CMvView::RunCommand(id);
}

void CVclView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    VehicleRecord copy;
    if (!Vcd().GetRecord(index, copy.data())) return;
    if (RunVehicleDialog(ctx_, copy, index) != Answer::Ok) return;
    if (!Vcd().SetRecord(index, copy.data())) {
        ctx_.ui.Show("Update failed");
        return;
    }
    RefreshRow(row, copy);
}

void CVclView::AddRecord(bool copy) {
    VehicleRecord record;
    if (copy) {
        const int from = SelectedIndex();
        if (from < 0 || !Vcd().GetRecord(from, record.data())) return;
        record.SetName(CopyName(record.Name()));
    }
    if (RunVehicleDialog(ctx_, record, int(Vcd().RecordCount())) != Answer::Ok) return;
    int index = 0;
    if (!Vcd().AppendRecord(index, record.data())) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    // The new record gets its row even when the fill would leave it out (no class-table
    // record, another domain): it goes at the next fill.
    InsertRow(index, RowOf(record).data());
}

bool CVclView::DeleteLastRecord(int index) {
    return Vcd().DeleteLastRecord(index);
}

void CVclView::RecalculateStats() {
    BusyScope busy(ctx_.ui);
    TableFile& vcd = Vcd();
    WriteBatch batch(vcd);
    VehicleRecord vehicle;
    for (int row = 0; row < RowCount(); ++row) {
        const int index = ItemData(row);
        if (!vcd.GetRecord(index, vehicle.data())) return;
        if (vehicle.CtIndex() == 0) continue;
        const VehicleRecord before = vehicle;
        RecalculateVehicleStats(ctx_.db, vehicle);
        if (vehicle == before) continue;  // the file already holds these bytes
        if (!vcd.SetRecord(index, vehicle.data())) {
            ctx_.ui.Show("Update failed");
            return;
        }
        FillCells(row, RowOf(vehicle).data());
    }
    if (!batch.Finish()) ctx_.ui.Show("Update failed");
}

void CVclView::OnDrop(int sourceRow, int targetRow) {
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    VehicleRecord from, to;
    if (!Vcd().GetRecord(source, from.data()) || !Vcd().GetRecord(target, to.data())) return;
    const std::string question = Format("Overwrite Item %d %s with %d %s?", target,
                                        to.Name().c_str(), source, from.Name().c_str());
    if (ctx_.ui.Ask(question) != Answer::Yes) return;
    if (!Vcd().SetRecord(target, from.data())) {
        ctx_.ui.Show("Failed to update VCD file");
        return;
    }
    RefreshRow(targetRow, from);
}

}  // namespace tablon
