#include "vehicles/WeaponView.h"

#include "classtable/CtFile.h"
#include "store/Database.h"
#include "vehicles/WeaponDialog.h"
#include "vehicles/WeaponNames.h"
#include "vehicles/WeaponUsage.h"

namespace tablon {

namespace {

using W = WeaponRecord;

std::string ManeuverText(const uint8_t* row, int) {
    const int32_t v = LoadLE<int32_t>(row + WeaponRow::kManeuver);
    return v == WeaponRow::kNoManeuver ? "n/a" : std::to_string(v);
}

std::string SeekerText(const uint8_t* row, int) {
    return GuidanceListText(LoadLE<uint16_t>(row + W::kGuidance));
}

// The weapon file read as rows: each record followed by its vehicle count, from an index built
// once per fill, and the maneuver field of its class-table record.
class WeaponRowSource : public RecordSource {
  public:
    explicit WeaponRowSource(Database& db) : db_(db), wcd_(*db.Table(FileId::Wcd)) {}
    SourceRef Ref() const override { return {FileId::Wcd, ModelTable::None}; }
    uint32_t RecordSize() const override { return WeaponRow::kSize; }
    int Count() const override { return int(wcd_.RecordCount()); }
    int Get(int index, uint8_t* out) const override {
        if (!wcd_.GetRecord(index, out)) return 0;
        Compose(out);
        return 1;
    }
    int Set(int index, const uint8_t* row) override { return wcd_.SetRecord(index, row); }
    const FieldTable& Fields() const override { return WeaponFields(); }
    TableFile* Table() const override { return &wcd_; }
    std::string TypeName() const override { return wcd_.Desc().typeName; }

    // Counts the vehicles of every weapon again from the files as they are now.
    void Recount() { usage_.Build(db_); }
    // Fills in what follows the weapon record in a row.
    void Compose(uint8_t* row) const {
        const int16_t ct = LoadLE<int16_t>(row + W::kCtIndex);
        StoreLE<uint32_t>(row + WeaponRow::kUsedBy, usage_.VehiclesUsing(ct));
        CtRecord c;
        const bool readable = db_.Ct().GetRecord(uint16_t(ct), c);
        StoreLE<int32_t>(row + WeaponRow::kManeuver,
                         readable ? c.AltDataRef() : WeaponRow::kNoManeuver);
    }

  private:
    Database& db_;
    TableFile& wcd_;
    WeaponUsageIndex usage_;
};

WeaponRowSource& RowsOf(RecordSource& source) {
    return static_cast<WeaponRowSource&>(source);
}

}  // namespace

const std::vector<ColumnDesc>& WeaponColumns() {
    // Every integer column prints with "%d"; "MnvrDef" and "Used by NumVehicles" sort by what
    // they show.
    static const std::vector<ColumnDesc> columns{
        {"Name", 100, W::kName, kKindText, int(W::kNameSize)},
        {"No", 50, 0, kKindFileOrder},
        {"MnvrDef", 50, WeaponRow::kManeuver, kKindI32, 0, 1, ManeuverText},
        {"Seeker", 50, W::kGuidance, kKindU16, 0, 1, SeekerText},
        {"CT", 50, W::kCtIndex, kKindI16},
        {"Damage", 50, W::kDamage, kKindI16},
        {"Expl Type", 50, W::kDamageType, kKindI16},  // the low 16 bits, signed
        {"Range", 50, W::kRange, kKindI16},
        {"Flags", 50, W::kFlags, kKindU16},
        {"v Static", 50, W::kHitChance + 0, kKindU8},
        {"v Foot", 50, W::kHitChance + 1, kKindU8},
        {"v Wheeled", 50, W::kHitChance + 2, kKindU8},
        {"v Tracked", 50, W::kHitChance + 3, kKindU8},
        {"v Low air", 50, W::kHitChance + 4, kKindU8},
        {"v Air", 50, W::kHitChance + 5, kKindU8},
        {"v Naval", 50, W::kHitChance + 6, kKindU8},
        {"v Rail", 50, W::kHitChance + 7, kKindU8},
        {"Fire rate", 50, W::kFireRate, kKindU8},
        {"Rareity", 50, W::kRarity, kKindU8},
        {"Collective", 50, W::kCollective, kKindU8},
        {"RackGroup", 50, W::kRackGroup, kKindI16},
        {"Weight", 50, W::kWeight, kKindI16},
        {"Drag", 50, W::kDrag, kKindI16},
        {"Blast Rad", 50, W::kBlastRadius, kKindI16},
        {"Seeker Range", 50, W::kSeekerRadar, kKindI16},
        {"Vehicle Ptr", 50, W::kVehicleList, kKindI16},
        {"Max Alt", 50, W::kMaxAlt, kKindU8},
        {"Bullet Bits", 50, W::kBulletBits, kKindU8},
        {"Bullet Disp", 50, W::kBulletDispersion, kKindU8},
        {"Rounds/sec", 50, W::kRoundsPerSecond, kKindU8},
        {"Used by NumVehicles", 50, WeaponRow::kUsedBy, kKindU32},
    };
    return columns;
}

bool NameListed(const uint8_t* name) {
    return (name[0] | name[1] | name[2] | name[3]) != 0;
}

std::string CopyNameWithin(const std::string& name, size_t limit) {
    return name.size() < limit ? name + "-2" : name;
}

// ---- CWeaponView ----

CWeaponView::CWeaponView(ShellContext& ctx)
    : CMvView(ctx, std::make_unique<WeaponRowSource>(ctx.db), WeaponColumns(),
              kWeaponFileOrderColumn) {}

std::span<const SortCommand> CWeaponView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, kWeaponNameColumn},
                                             {cmd::kSortByFileOrder, kWeaponFileOrderColumn}};
    return kSorts;
}

TableFile& CWeaponView::Wcd() const {
    return *Source().Table();
}

void CWeaponView::Fill() {
    WeaponRowSource& rows = RowsOf(Source());
    rows.Recount();
    std::vector<uint8_t> row(WeaponRow::kSize);
    for (int i = 0; rows.Get(i, row.data()); ++i)
        if (NameListed(row.data() + W::kName)) InsertRow(i, row.data());
}

std::string CWeaponView::ItemTextFor(const uint8_t* row, int) const {
    return LoadText(row + W::kName, W::kNameSize);
}

std::vector<uint8_t> CWeaponView::RowOf(const WeaponRecord& weapon) const {
    std::vector<uint8_t> row(WeaponRow::kSize);
    std::memcpy(row.data(), weapon.data(), W::kSize);
    RowsOf(Source()).Compose(row.data());
    return row;
}

void CWeaponView::RefreshRow(int row, const WeaponRecord& weapon) {
    const std::vector<uint8_t> data = RowOf(weapon);
    std::string text = ItemTextFor(data.data(), ItemData(row));
    if (text == ItemText(row))
        FillCells(row, data.data());
    else
        ReplaceRow(row, data.data(), std::move(text), 0);
}

void CWeaponView::RecountRows() {
    WeaponRowSource& rows = RowsOf(Source());
    rows.Recount();
    std::vector<uint8_t> data(WeaponRow::kSize);
    const ColumnDesc& used = Column(kWeaponUsedByColumn);
    const ColumnDesc& maneuver = Column(kWeaponManeuverColumn);
    for (int r = 0; r < RowCount(); ++r) {
        const int index = ItemData(r);
        if (!rows.Get(index, data.data())) continue;
        if (FieldText(data.data(), WeaponRow::kSize, index, used) !=
                CellText(r, kWeaponUsedByColumn) ||
            FieldText(data.data(), WeaponRow::kSize, index, maneuver) !=
                CellText(r, kWeaponManeuverColumn))
            FillCells(r, data.data());
    }
}

void CWeaponView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    WeaponRecord copy;
    if (!Wcd().GetRecord(index, copy.data())) return;
    const bool ok = RunWeaponDialog(ctx_, copy, index) == Answer::Ok;
    if (ok && !Wcd().SetRecord(index, copy.data())) {
        ctx_.ui.Show("Update Failed");
        RecountRows();
        return;
    }
    // The dialog's buttons may have changed class-table and vehicle records even when it was
    // cancelled.
    RecountRows();
    if (ok) RefreshRow(row, copy);
}

void CWeaponView::AddRecord(bool copy) {
    WeaponRecord record;
    // A new record shows -1 as its number, a copy the number of its source.
    const int from = copy ? SelectedIndex() : -1;
    if (copy) {
        if (from < 0 || !Wcd().GetRecord(from, record.data())) return;
        record.SetName(CopyNameWithin(record.Name(), 15));
    } else {
        record.SetName("New");
    }
    const bool ok = RunWeaponDialog(ctx_, record, from) == Answer::Ok;
    RecountRows();
    if (!ok) return;
    int index = 0;
    if (!Wcd().AppendRecord(index, record.data())) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    InsertRow(index, RowOf(record).data());
}

void CWeaponView::DeleteRecord() {
    const int before = RowCount();
    CMvView::DeleteRecord();
    // Vehicles that carried the deleted weapon no longer count for its class-table index.
    if (RowCount() != before) RecountRows();
}

bool CWeaponView::DeleteLastRecord(int index) {
    return Wcd().DeleteLastRecord(index);
}

void CWeaponView::OnDrop(int sourceRow, int targetRow) {
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    WeaponRecord from, to;
    if (!Wcd().GetRecord(source, from.data()) || !Wcd().GetRecord(target, to.data())) return;
    const std::string question = Format("Overwrite Item %d %s with %d %s?", target,
                                        to.Name().c_str(), source, from.Name().c_str());
    if (ctx_.ui.Ask(question) != Answer::Yes) return;
    if (!Wcd().SetRecord(target, from.data())) {
        ctx_.ui.Show("Failed to update WCD file");
        return;
    }
    RecountRows();
    RefreshRow(targetRow, from);
}

}  // namespace tablon
