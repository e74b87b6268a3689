#include "vehicles/HardpointDialog.h"

#include <strings.h>

#include <algorithm>

#include "store/Database.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponRecord.h"
#include "vehicles/WeaponUsage.h"

namespace tablon {

using namespace hpdlg;

namespace {

constexpr int kHardpointImages = 140;
constexpr int kWeaponIcon = 0;

}  // namespace

int WeaponListEntries(const Database& db) {
    const TableFile* wld = db.Table(FileId::Wld);
    if (!wld) return 0;
    return std::clamp((int(wld->RecordSize()) - 16) / 3, 0, WeaponListRecord::kEntries);
}

void CompactWeaponList(WeaponListRecord& list, int n) {
    n = std::clamp(n, 0, WeaponListRecord::kEntries);
    int k = 0;
    for (int i = 0; i < n; ++i)
        if (list.Weapon(i) != 0) list.SetEntry(k++, list.Weapon(i), list.Count(i));
    for (int i = k; i < n; ++i) list.SetEntry(i, 0, 0);
}

// ---- CHardpointDialog ----

CHardpointDialog::CHardpointDialog(ShellContext& ctx, WeaponListRecord& copy, int number)
    : Form("Hardpoint Data", 480, 390),
      ctx_(ctx),
      copy_(copy),
      number_(number),
      entries_(WeaponListEntries(ctx.db)) {
    AddTitleEdit(kName, {10, 8, 330, 46});
    Bind(kName, Exchange::Text, std::nullopt, int(WeaponListRecord::kNameSize));
    AddLabel(-1, "Weapon List Nr:", {340, 16, 420, 34});
    AddEdit(kNumber, {420, 14, 470, 34}).readOnly = true;
    // The rows show the weapon picture of the hardpoint images, as the vehicle dialog does.
    AddList(kEntries, {10, 56, 470, 310},
            {{"Weapon", 100}, {"Pos", 80}, {"Count", 100}, {"WeaponID", 100}})
        .images = kHardpointImages;
    AddButton(kAdd, "&Add", {10, 320, 80, 344});
    AddButton(kDelete, "&Delete", {90, 320, 160, 344});
    AddButton(kSort, "Sort", {170, 320, 240, 344});
    AddButton(kUsedBy, "&Used By ...", {250, 320, 340, 344});
    AddOkCancel("UPDATE");
}

void CHardpointDialog::OnInitDialog() {
    ShowText(kName, copy_.Name());
    ShowInt(kNumber, number_);
    FillEntries();
}

ListRow CHardpointDialog::EntryRow(int entry) const {
    WeaponRecord w;
    const uint16_t weapon = copy_.Weapon(entry);
    const TableFile* wcd = ctx_.db.Table(FileId::Wcd);
    if (weapon == 0 || !wcd || !wcd->GetRecord(weapon, w.data())) return {};
    return {{w.Name(), std::to_string(entry), std::to_string(copy_.Count(entry)),
             std::to_string(weapon)},
            entry,
            kWeaponIcon};
}

void CHardpointDialog::FillEntries() {
    std::vector<ListRow> rows;
    for (int e = 0; e < entries_; ++e)
        if (ListRow row = EntryRow(e); !row.cells.empty()) rows.push_back(std::move(row));
    SetRows(kEntries, std::move(rows));
    sortColumn_ = -1;
}

void CHardpointDialog::SortRows(int column) {
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    std::vector<ListRow> rows = Rows(kEntries);
    auto compare = [&](const ListRow& a, const ListRow& b) {
        switch (column) {
            case 0:
                return strcasecmp(a.cells[0].c_str(), b.cells[0].c_str());
            case 1:
                return int(a.data - b.data);
            default:
                return int(copy_.Count(int(a.data))) - int(copy_.Count(int(b.data)));
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
        return ascending_ ? compare(a, b) < 0 : compare(b, a) < 0;
    });
    SetRows(kEntries, std::move(rows));
}

void CHardpointDialog::OnListEvent(int id, ListEventKind kind, int row, int column) {
    if (id != kEntries) return;
    if (kind == ListEventKind::HeaderClick) {
        if (column >= 0 && column <= 2) SortRows(column);  // "WeaponID" does not sort
        return;
    }
    if (kind != ListEventKind::DoubleClick || row < 0) return;
    const int entry = int(Rows(kEntries)[size_t(row)].data);
    const uint16_t weapon = copy_.Weapon(entry);
    if (!EditRecord(ctx_, {FileId::Wcd, ModelTable::None}, weapon, "Update Failed")) return;
    WeaponRecord w;
    if (ctx_.db.Table(FileId::Wcd)->GetRecord(weapon, w.data()))
        SetCell(kEntries, row, 0, w.Name());
}

void CHardpointDialog::OnButton(int id) {
    switch (id) {
        case kAdd:
            AddEntry();
            break;
        case kDelete:
            DeleteEntry();
            break;
        case kSort:
            CompactWeaponList(copy_, entries_);
            FillEntries();
            break;
        case kUsedBy: {
            CHpUsageDialog usage(ctx_, number_);
            ctx_.ui.RunDialog(usage);
            break;
        }
        default:
            break;
    }
}

void CHardpointDialog::AddEntry() {
    int entry = 0;
    while (entry < entries_ && copy_.Weapon(entry) != 0) ++entry;
    if (entry == entries_) {
        ctx_.ui.Show("Hardpoint full");
        return;
    }
    CAddWeaponToHpDialog add(ctx_, copy_.Name());
    if (ctx_.ui.RunDialog(add) != Answer::Ok) return;
    WeaponRecord w;
    if (!ctx_.db.Table(FileId::Wcd)->GetRecord(add.Weapon(), w.data())) return;
    copy_.SetEntry(entry, uint16_t(add.Weapon()), add.Count());
    std::vector<ListRow> rows = Rows(kEntries);
    rows.push_back(EntryRow(entry));
    SetRows(kEntries, std::move(rows));
}

void CHardpointDialog::DeleteEntry() {
    const int row = Selected(kEntries);
    if (row < 0) return;
    const int entry = int(Rows(kEntries)[size_t(row)].data);
    if (ctx_.ui.Ask(Format("Really Delete Hp %d?", entry)) == Answer::Yes)
        copy_.SetEntry(entry, 0, 0);
    // Whatever the answer, the entries close up.
    CompactWeaponList(copy_, entries_);
    FillEntries();
}

void CHardpointDialog::OnOK() {
    if (!TakeFields()) return;
    // The whole name: all 16 bytes belong to it, so a new name never keeps a character of the
    // old one.
    copy_.SetName(Value(kName).text);
    End(Answer::Ok);
}

Answer RunHardpointDialog(ShellContext& ctx, WeaponListRecord& copy, int number) {
    CHardpointDialog dialog(ctx, copy, number);
    return ctx.ui.RunDialog(dialog);
}

// ---- CAddWeaponToHpDialog ----

CAddWeaponToHpDialog::CAddWeaponToHpDialog(ShellContext& ctx, const std::string& listName)
    : Form("Add weapon to " + listName + " HP", 300, 120), ctx_(ctx) {
    AddLabel(-1, "Weapon", {10, 12, 70, 30});
    AddDropList(kWeapon, {75, 10, 290, 30});
    Bind(kWeapon, Exchange::Choice);
    AddLabel(-1, "Number", {10, 42, 70, 60});
    AddEdit(kCount, {75, 40, 120, 60}).maxChars = 3;
    Bind(kCount, Exchange::Byte);
    AddOkCancel();
}

void CAddWeaponToHpDialog::OnInitDialog() {
    // Weapon 0 is left out: a reference of 0 marks an empty entry.
    std::vector<Choice> choices;
    WeaponRecord w;
    if (const TableFile* wcd = ctx_.db.Table(FileId::Wcd))
        for (int i = 1; wcd->GetRecord(i, w.data()); ++i)
            if (w.b[WeaponRecord::kName] != 0) choices.push_back({w.Name(), i});
    Find(kWeapon)->choices = std::move(choices);
    SetSelected(kWeapon, -1);
    ShowText(kCount, "1");
}

void CAddWeaponToHpDialog::OnOK() {
    if (!TakeFields()) return;
    if (!Value(kWeapon).present) {
        ctx_.ui.Show("No weapon was chosen: pick one from the \"Weapon\" list, or Cancel.");
        return;
    }
    weapon_ = int(Value(kWeapon).integer);
    count_ = uint8_t(Value(kCount).integer);
    End(Answer::Ok);
}

// ---- CHpUsageDialog ----

CHpUsageDialog::CHpUsageDialog(ShellContext& ctx, int list)
    : Form("HP Usage", 200, 300), ctx_(ctx), list_(list) {
    AddList(kUsageList, {10, 10, 190, 250}, {{"Vehicle", 150}});
    AddButton(kIdOk, "OK", {120, 264, 190, 288}).defaultButton = true;
}

void CHpUsageDialog::OnInitDialog() {
    std::vector<ListRow> rows;
    const TableFile* vcd = ctx_.db.Table(FileId::Vcd);
    VehicleRecord v;
    for (int index : VehiclesUsingList(ctx_.db, list_))
        if (vcd && vcd->GetRecord(index, v.data())) rows.push_back({{v.Name()}, index});
    SetRows(kUsageList, std::move(rows));
}

}  // namespace tablon
