#include "vehicles/HardpointView.h"

#include <utility>

#include "store/Database.h"
#include "vehicles/HardpointDialog.h"
#include "vehicles/WeaponRecord.h"
#include "vehicles/WeaponView.h"

namespace tablon {

namespace {

using L = WeaponListRecord;

// "%s (%d)": the name of an entry's weapon and the entry's count; empty for an empty entry or a
// weapon that cannot be read.
std::string EntryText(const TableFile& wcd, const uint8_t* list, int entry) {
    const uint16_t ref = LoadLE<uint16_t>(list + L::kWeapons + 2 * entry);
    WeaponRecord weapon;
    if (ref == 0 || !wcd.GetRecord(ref, weapon.data())) return {};
    return weapon.Name() + " (" + std::to_string(list[L::kCounts + entry]) + ")";
}

}  // namespace

std::vector<ColumnDesc> HardpointColumns(const TableFile& wcd) {
    std::vector<ColumnDesc> columns{{"Name", 100, L::kName, kKindText, int(L::kNameSize)}};
    for (int e = 0; e < L::kListedEntries; ++e)
        columns.push_back(
            {"Weapon", 100, int(L::kWeapons + 2 * e), kKindU16, 0, 1,
             [&wcd, e](const uint8_t* list, int) { return EntryText(wcd, list, e); }});
    return columns;
}

// ---- CHardpointView ----

// No column keeps file order: the list comes up in file order until it is sorted by name.
CHardpointView::CHardpointView(ShellContext& ctx)
    : CMvView(ctx, MakeSource(ctx.db, {FileId::Wld, ModelTable::None}),
              HardpointColumns(*ctx.db.Table(FileId::Wcd)), -1) {}

std::span<const SortCommand> CHardpointView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, 0}};
    return kSorts;
}

TableFile& CHardpointView::Wld() const {
    return *Source().Table();
}

void CHardpointView::Fill() {
    WeaponListRecord list;
    for (int i = 0; Wld().GetRecord(i, list.data()); ++i)
        if (NameListed(list.data() + L::kName)) InsertRow(i, list.data());
}

std::string CHardpointView::ItemTextFor(const uint8_t* list, int) const {
    return LoadText(list + L::kName, L::kNameSize);
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

void CHardpointView::RefreshRow(int row, const WeaponListRecord& list) {
    std::string text = ItemTextFor(list.data(), ItemData(row));
    if (text == ItemText(row))
        FillCells(row, list.data());
    else
        ReplaceRow(row, list.data(), std::move(text), 1);
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
    InsertRow(index, record.data());
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
