#include "vehicles/HardpointView.h"

#include <utility>

#include "store/Database.h"
#include "vehicles/HardpointDialog.h"
#include "vehicles/WeaponView.h"

namespace tablon {

namespace {

using L = WeaponListRecord;
using H = HardpointRow;

// "%s (%d)": the weapon's name and the entry's count; empty for an empty entry or a weapon that
// cannot be read.
template <int E>
std::string EntryText(const uint8_t* row, int) {
    const uint8_t* entry = row + H::kEntries + E * H::kEntrySize;
    if (!entry[WeaponRecord::kNameSize]) return {};
    return LoadText(entry, WeaponRecord::kNameSize) + " (" + std::to_string(row[L::kCounts + E]) +
           ")";
}

template <size_t... E>
std::vector<ColumnDesc> MakeColumns(std::index_sequence<E...>) {
    return {{"Name", 100, L::kName, kKindText, int(L::kNameSize)},
            {"Weapon", 100, int(L::kWeapons + 2 * E), kKindU16, 0, 1, EntryText<int(E)>}...};
}

// The weapon-list file read as rows: each list followed by the names of its entries' weapons.
class HardpointRowSource : public RecordSource {
  public:
    explicit HardpointRowSource(Database& db)
        : wld_(*db.Table(FileId::Wld)), wcd_(*db.Table(FileId::Wcd)) {}
    SourceRef Ref() const override { return {FileId::Wld, ModelTable::None}; }
    uint32_t RecordSize() const override { return H::kSize; }
    int Count() const override { return int(wld_.RecordCount()); }
    int Get(int index, uint8_t* out) const override {
        if (!wld_.GetRecord(index, out)) return 0;
        Compose(out);
        return 1;
    }
    int Set(int index, const uint8_t* row) override { return wld_.SetRecord(index, row); }
    const FieldTable& Fields() const override { return WeaponListFields(); }
    TableFile* Table() const override { return &wld_; }
    std::string TypeName() const override { return wld_.Desc().typeName; }

    void Compose(uint8_t* row) const {
        WeaponRecord w;
        for (int e = 0; e < L::kListedEntries; ++e) {
            uint8_t* entry = row + H::kEntries + e * H::kEntrySize;
            const uint16_t ref = LoadLE<uint16_t>(row + L::kWeapons + 2 * e);
            const bool readable = ref != 0 && wcd_.GetRecord(ref, w.data());
            if (readable)
                std::memcpy(entry, w.data() + WeaponRecord::kName, WeaponRecord::kNameSize);
            else
                std::memset(entry, 0, WeaponRecord::kNameSize);
            entry[WeaponRecord::kNameSize] = readable ? 1 : 0;
        }
    }

  private:
    TableFile& wld_;
    TableFile& wcd_;
};

}  // namespace

const std::vector<ColumnDesc>& HardpointColumns() {
    static const std::vector<ColumnDesc> columns =
        MakeColumns(std::make_index_sequence<L::kListedEntries>());
    return columns;
}

// ---- CHardpointView ----

// No column keeps file order: the list comes up in file order until it is sorted by name.
CHardpointView::CHardpointView(ShellContext& ctx)
    : CMvView(ctx, std::make_unique<HardpointRowSource>(ctx.db), HardpointColumns(), -1) {}

std::span<const SortCommand> CHardpointView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, 0}};
    return kSorts;
}

TableFile& CHardpointView::Wld() const {
    return *Source().Table();
}

void CHardpointView::Fill() {
    std::vector<uint8_t> row(H::kSize);
    for (int i = 0; Source().Get(i, row.data()); ++i)
        if (NameListed(row.data() + L::kName)) InsertRow(i, row.data());
}

std::string CHardpointView::ItemTextFor(const uint8_t* row, int) const {
    return LoadText(row + L::kName, L::kNameSize);
}

int CHardpointView::CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const {
    if (c.offset != L::kName || c.kind != kKindText) return 0;
    return CMvView::CompareRecords(a, b, c);
}

bool CHardpointView::PlainTextSort(const ColumnDesc& c) const {
    return c.offset == L::kName;
}

// Only the name sorts: a click on a weapon column does nothing, not even to the direction the
// next name sort takes.
bool CHardpointView::ColumnClickSorts(int column) const {
    return column == 0;
}

std::vector<uint8_t> CHardpointView::RowOf(const WeaponListRecord& list) const {
    std::vector<uint8_t> row(H::kSize);
    std::memcpy(row.data(), list.data(), L::kSize);
    static_cast<const HardpointRowSource&>(Source()).Compose(row.data());
    return row;
}

void CHardpointView::RefreshRow(int row, const WeaponListRecord& list) {
    const std::vector<uint8_t> data = RowOf(list);
    std::string text = ItemTextFor(data.data(), ItemData(row));
    if (text == ItemText(row))
        FillCells(row, data.data());
    else
        ReplaceRow(row, data.data(), std::move(text), 1);
}

void CHardpointView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    WeaponListRecord copy;
    if (!Wld().GetRecord(index, copy.data())) return;
    if (RunHardpointDialog(ctx_, copy, index) != Answer::Ok) return;
    if (!Wld().SetRecord(index, copy.data())) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    RefreshRow(row, copy);
}

void CHardpointView::AddRecord(bool copy) {
    WeaponListRecord record;
    if (copy) {
        const int from = SelectedIndex();
        if (from < 0 || !Wld().GetRecord(from, record.data())) return;
        record.SetName(CopyNameWithin(record.Name(), 13));
    } else {
        record.SetName("New");
    }
    // A new list's dialog shows the number it will get; a copy's shows its source's.
    const int shown = copy ? SelectedIndex() : int(Wld().RecordCount());
    if (RunHardpointDialog(ctx_, record, shown) != Answer::Ok) return;
    int index = 0;
    if (!Wld().AppendRecord(index, record.data())) {
        ctx_.ui.Show("Add Failed");
        return;
    }
    InsertRow(index, RowOf(record).data());
}

bool CHardpointView::DeleteLastRecord(int index) {
    return Wld().DeleteLastRecord(index);
}

void CHardpointView::OnDrop(int sourceRow, int targetRow) {
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    WeaponListRecord from, to;
    if (!Wld().GetRecord(source, from.data()) || !Wld().GetRecord(target, to.data())) return;
    const std::string question = Format("Overwrite Item %d (%s) with %d (%s)?", target,
                                        to.Name().c_str(), source, from.Name().c_str());
    if (ctx_.ui.Ask(question) != Answer::Yes) return;
    if (!Wld().SetRecord(target, from.data())) {
        ctx_.ui.Show("Failed to update WLD file");
        return;
    }
    RefreshRow(targetRow, from);
}

}  // namespace tablon
