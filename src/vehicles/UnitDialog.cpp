#include "vehicles/UnitDialog.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "platform/FpMode.h"
#include "store/Database.h"
#include "vehicles/UnitRules.h"
#include "vehicles/VehicleSubDialogs.h"

namespace tablon {

using namespace unitdlg;

namespace {

using U = UnitRecord;
using X = Exchange;

// The entry fields in exchange order, three to a row after the name.
struct EntryField {
    int id;
    const char* field;  // in the unit field table, which gives the label
    Exchange exchange;
    int button = 0;  // the button that stands in for the field's label
};

const EntryField kEntries[] = {
    {kCtInd, "ct_index", X::Int, kCtButton},
    {kFuel, "fuel", X::Int},
    {kFuelRate, "fuel_rate", X::Int16},
    {kFlags, "flags", X::Int16, kFlagsButton},
    {kMoveType, "move_type", X::Int},
    {kMoveSpeed, "move_speed", X::Int16},
    {kSsdInd, "stores_index", X::Int, kSsdButton},
    {kPtInd, "point_index", X::Int16},
    {kUnitIcon, "unit_icon", X::Int16},
    {kRadVcl, "radar_vehicle", X::Byte},
    {kMaxRange, "max_range", X::Int16},
    {kMainRole, "main_role", X::Choice},
};

constexpr int kNameChars = 21;   // the dialog takes 21 characters
constexpr int kNameStored = 19;  // of which 19 are stored

const Field& FieldOf(const char* name) {
    return *UnitFields().Find(name);
}

const std::vector<RecordBinding>& Bindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b{
            {kName, U::kName, FieldType::Text, X::Text, uint16_t(U::kNameSize)}};
        for (const auto& e : kEntries) {
            const Field& f = FieldOf(e.field);
            b.push_back({e.id, f.offset, f.type, e.exchange});
        }
        return b;
    }();
    return bindings;
}

constexpr StatOffsets kStatOffsets{U::kHit, U::kStrength, U::kRange, U::kDetection, U::kDamage};

constexpr int kColumnX[] = {10, 270, 530};
constexpr int kLabelWidth = 95;
constexpr int kFieldWidth = 130;
constexpr int kGridTop = 56;
constexpr int kRowPitch = 26;

constexpr std::pair<int, int> kModeButtons[] = {
    {kIcons, 0}, {kSmallIcons, 2}, {kListMode, 3}, {kDetail, 1}};

}  // namespace

CUnitDialog::CUnitDialog(ShellContext& ctx, UnitRecord& copy)
    : Form("Unit View", 800, 660), ctx_(ctx), copy_(copy) {
    AddTitleEdit(kName, {10, 10, 300, 44});
    Bind(kName, X::Text, std::nullopt, kNameChars);
    int cell = 0;
    for (const auto& e : kEntries) {
        const int x = kColumnX[cell % 3], y = kGridTop + (cell / 3) * kRowPitch;
        ++cell;
        const Rect labelRect{x, y, x + kLabelWidth, y + 22};
        const Rect fieldRect{x + kLabelWidth + 5, y, x + kLabelWidth + 5 + kFieldWidth, y + 22};
        if (e.button)
            AddButton(e.button, FieldOf(e.field).label, labelRect);
        else
            AddLabel(-1, FieldOf(e.field).label, labelRect);
        if (e.exchange == X::Choice)
            AddDropList(e.id, fieldRect);
        else
            AddEdit(e.id, fieldRect);
        Bind(e.id, e.exchange);
    }
    std::vector<ListColumn> slotColumns;
    for (int c = 0; c < 8; ++c) slotColumns.push_back({kSlotColumnTitles[c], c == 0 ? 100 : 50});
    AddList(kSlots, {10, 170, 520, 390}, std::move(slotColumns)).images = kUnitSlotImages;
    const std::pair<int, const char*> slotButtons[] = {
        {kAddUnit, "Add Unit"},   {kDeleteUnit, "Delete Unit"},
        {kEditUnit, "Edit Unit"}, {kEditVcl, "Edit  VCL"},
        {kSwap, "Swap"},          {kRecalculate, "recalculate"}};
    for (int i = 0; i < int(std::size(slotButtons)); ++i) {
        const int y = 170 + i * 28;
        AddButton(slotButtons[i].first, slotButtons[i].second, {530, y, 630, y + 24});
    }
    const char* const modes[] = {"Icons", "Small Icons", "List", "Detail"};
    for (int i = 0; i < 4; ++i) {
        const int y = 170 + i * 24;
        AddRadio(kModeButtons[i].first, kIcons, modes[i], {650, y, 780, y + 20});
    }
    AddList(kStats, {10, 400, 300, 600},
            {{"Target", 100}, {"To Hit", 45}, {"Strength", 45}, {"Range", 45}, {"Detect", 45}});
    AddList(kDamage, {310, 400, 480, 600}, {{"From", 100}, {"%", 50}});
    AddList(kRoles, {490, 400, 680, 600}, {{"Role", 100}, {"Score", 50}});
    AddOkCancel();
    AddObserver(&watch_);
}

CUnitDialog::~CUnitDialog() {
    RemoveObserver(&watch_);
}

void CUnitDialog::OnInitDialog() {
    SetProgramFpMode();
    CtRecord ct;
    if (copy_.CtIndex() <= 0x7fffffffu && ctx_.db.Ct().GetRecord(int(copy_.CtIndex()), ct))
        domain_ = ct.Domain();
    // The main roles of the unit's domain, up to the first without a name.
    std::vector<Choice> roles;
    const auto& names = RoleNames(domain_);
    for (int r = 0; r < kUnitRoles && names[size_t(r)] != "<none>"; ++r)
        roles.push_back({names[size_t(r)], r});
    Find(kMainRole)->choices = std::move(roles);
    Changed(kMainRole);
    ShowRecordFields(*this, Bindings(), copy_.data());
    FillSlots();
    SetRows(kStats, StatsRows(copy_.data(), kStatOffsets));
    SetRows(kDamage, DamageRows(copy_.data(), kStatOffsets));
    FillRoles();
    SetListMode(kSlots, 1);
    SetChecked(kDetail, true);
    for (int button : {kEditVcl, kEditUnit, kDeleteUnit}) Enable(button, false);
}

void CUnitDialog::SelectionWatch::ControlChanged(int id) {
    if (id != kSlots) return;
    const bool selected = dialog->Selected(kSlots) >= 0;
    for (int button : {kEditVcl, kEditUnit, kDeleteUnit}) dialog->Enable(button, selected);
}

bool CUnitDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, Bindings(), copy_.data());
    std::memset(copy_.b + U::kName + kNameStored, 0, U::kNameSize - kNameStored);
    return true;
}

void CUnitDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

// ---- lists ----

void CUnitDialog::FillSlots() {
    std::vector<ListRow> rows;
    for (int s = 0; s < kUnitSlots; ++s)
        if (auto row = UnitSlotRow(ctx_.db, copy_, s)) rows.push_back({row->cells, s, row->icon});
    SetRows(kSlots, std::move(rows));
    if (slotSortColumn_ >= 0) {
        // The new rows keep the order last chosen.
        slotAscending_ = !slotAscending_;
        SortSlots(slotSortColumn_);
    }
}

void CUnitDialog::FillRoles() {
    std::vector<ListRow> rows;
    const auto& names = RoleNames(domain_);
    for (int r = 0; r < kUnitRoles; ++r)
        rows.push_back({{names[size_t(r)], std::to_string(copy_.b[U::kRoleScores + r])}, r});
    SetRows(kRoles, std::move(rows));
}

int CUnitDialog::SelectedSlot() const {
    const int row = Selected(kSlots);
    return row < 0 ? -1 : int(Rows(kSlots)[size_t(row)].data);
}

int CUnitDialog::RowOfSlot(int slot) const {
    const auto& rows = Rows(kSlots);
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].data == slot) return int(r);
    return -1;
}

void CUnitDialog::ShowSlot(int slot) {
    std::vector<ListRow> rows = Rows(kSlots);
    const int at = RowOfSlot(slot);
    const std::optional<SlotRow> row = UnitSlotRow(ctx_.db, copy_, slot);
    if (at >= 0 && row)
        rows[size_t(at)] = {row->cells, slot, row->icon};
    else if (at >= 0)
        rows.erase(rows.begin() + at);
    else if (row)
        rows.push_back({row->cells, slot, row->icon});
    const int selected = SelectedSlot();
    SetRows(kSlots, std::move(rows));
    if (selected >= 0) SetSelected(kSlots, RowOfSlot(selected));
}

void CUnitDialog::SortSlots(int column) {
    if (column < 0 || column > 6) return;
    slotAscending_ = column == slotSortColumn_ ? !slotAscending_ : true;
    slotSortColumn_ = column;
    std::vector<ListRow> rows = Rows(kSlots);
    const UnitRecord& u = copy_;
    auto compare = [&](const ListRow& a, const ListRow& b) {
        const int x = int(a.data), y = int(b.data);
        switch (column) {
            case 0:
                return strcasecmp(a.cells[0].c_str(), b.cells[0].c_str());
            case 1:
                return int(u.SlotCt(x)) - int(u.SlotCt(y));
            case 2:
                return x - y;
            case 3:
                return u.SlotCount(x) < u.SlotCount(y) ? -1 : u.SlotCount(x) > u.SlotCount(y);
            default:  // domain, class, type: the slot's class bytes
                return int(u.SlotClass(x, column - 4)) - int(u.SlotClass(y, column - 4));
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
        return slotAscending_ ? compare(a, b) < 0 : compare(b, a) < 0;
    });
    SetRows(kSlots, std::move(rows));
}

// ---- events ----

void CUnitDialog::OnListEvent(int id, ListEventKind kind, int row, int column) {
    if (kind == ListEventKind::HeaderClick) {
        if (id == kSlots) SortSlots(column);
        return;
    }
    if (kind != ListEventKind::DoubleClick || row < 0) return;
    switch (id) {
        case kSlots:
            EditVehicle(row);
            break;
        case kStats:
            if (EditStatsRow(ctx_.ui, copy_.data(), kStatOffsets, copy_.Name(), row))
                SetRows(kStats, StatsRows(copy_.data(), kStatOffsets));
            break;
        case kDamage:
            if (EditDamageRow(ctx_.ui, copy_.data(), kStatOffsets, row))
                SetCell(kDamage, row, 1, std::to_string(copy_.b[U::kDamage + row]));
            break;
        case kRoles:
            EditScore(row);
            break;
        default:
            break;
    }
}

void CUnitDialog::OnButton(int id) {
    for (const auto& [button, mode] : kModeButtons)
        if (id == button) {
            SetListMode(kSlots, mode);
            SetChecked(button, true);
            return;
        }
    switch (id) {
        case kAddUnit:
            AddUnit();
            break;
        case kDeleteUnit:
            DeleteUnit();
            break;
        case kEditUnit:
            EditUnit();
            break;
        case kEditVcl:
            EditVehicle(Selected(kSlots));
            break;
        case kSwap:
            Swap();
            break;
        case kFlagsButton:
            EditFlags();
            break;
        case kRecalculate:
            Recalculate();
            break;
        case kCtButton:
            EditCt();
            break;
        case kSsdButton:
            EditStores();
            break;
        default:
            break;
    }
}

void CUnitDialog::AddUnit() {
    const int empty = FirstEmptySlot(copy_);
    if (empty < 0) {
        ctx_.ui.Show("No empty slots for new unit");
        return;
    }
    std::vector<Choice> vehicles;
    const TableFile& vcd = *ctx_.db.Table(FileId::Vcd);
    VehicleRecord v;
    for (int i = 0; vcd.GetRecord(i, v.data()); ++i)
        if (v.b[VehicleRecord::kName] != 0) vehicles.push_back({v.Name(), i});
    // The vehicle of the slot before the empty one is offered first.
    std::optional<int> preselect;
    CtRecord ct;
    if (empty > 0 && ctx_.db.Ct().GetRecord(copy_.SlotCt(empty - 1), ct) && ct.DataRef() != 0 &&
        ct.DataRef() <= 0x7fffffffu)
        preselect = int(ct.DataRef());
    CAddUnitDialog dialog(std::move(vehicles), preselect, empty);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok || !dialog.Vehicle()) return;
    if (!vcd.GetRecord(*dialog.Vehicle(), v.data())) return;
    const uint16_t ctIndex = uint16_t(v.CtIndex());
    if (!ctx_.db.Ct().GetRecord(ctIndex, ct)) return;
    FillSlot(copy_, dialog.Position(), ctIndex, dialog.Number(), ct);
    ShowSlot(dialog.Position());
}

void CUnitDialog::DeleteUnit() {
    const int slot = SelectedSlot();
    if (slot < 0) return;
    if (ctx_.ui.Ask(Format("Really Delete Unit Vehicle %d?", slot)) != Answer::Yes) return;
    ClearSlot(copy_, slot);
    ShowSlot(slot);
}

void CUnitDialog::EditUnit() {
    const int slot = SelectedSlot();
    if (slot < 0) return;
    CUnitNumberDialog dialog(copy_.SlotCount(slot));
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    copy_.Set<uint32_t>(U::kSlotCounts + 4 * slot, dialog.Number());
    ShowSlot(slot);
}

void CUnitDialog::EditVehicle(int row) {
    if (row < 0 || size_t(row) >= Rows(kSlots).size()) return;
    const int slot = int(Rows(kSlots)[size_t(row)].data);
    CtRecord ct;
    if (!ctx_.db.Ct().GetRecord(copy_.SlotCt(slot), ct) || ct.DataType() != kDataVehicle) return;
    if (ct.DataRef() > 0x7fffffffu) return;
    if (EditRecord(ctx_, {FileId::Vcd}, int(ct.DataRef()), "Update failed")) ShowSlot(slot);
}

void CUnitDialog::Swap() {
    CSwapUnitsDialog dialog;
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    if (!SwapSlots(copy_, dialog.Pos1(), dialog.Pos2())) return;
    ShowSlot(dialog.Pos1());
    ShowSlot(dialog.Pos2());
}

void CUnitDialog::EditFlags() {
    int64_t shown = 0;
    const uint16_t flags =
        ParseShortText(Text(kFlags), shown) ? uint16_t(shown) : copy_.Get<uint16_t>(U::kFlags);
    CVehicleFlagsDialog dialog(flags, FlagsMode::Unit);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    copy_.Set<uint16_t>(U::kFlags, uint16_t(dialog.Flags()));
    ShowInt(kFlags, copy_.Get<int16_t>(U::kFlags));
}

void CUnitDialog::Recalculate() {
    RecalculateUnitStats(ctx_.db, copy_);
    SetRows(kStats, StatsRows(copy_.data(), kStatOffsets));
}

void CUnitDialog::EditScore(int role) {
    if (role < 0 || role >= kUnitRoles) return;
    CScoreDialog dialog(RoleNames(domain_)[size_t(role)], copy_.Name(),
                        copy_.b[U::kRoleScores + role]);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    copy_.b[U::kRoleScores + role] = dialog.Score();
    SetCell(kRoles, role, 1, std::to_string(dialog.Score()));
}

void CUnitDialog::EditCt() {
    if (!TakeIntoCopy()) return;
    if (copy_.CtIndex() > 0x7fffffffu) return;
    EditCtEntry(ctx_, int(copy_.CtIndex()), copy_.Name());
}

void CUnitDialog::EditStores() {
    if (!TakeIntoCopy()) return;
    EditRecord(ctx_, {FileId::Ssd}, copy_.StoresIndex(), "Update Failed");
}

Answer RunUnitDialog(ShellContext& ctx, UnitRecord& copy, int /*index*/) {
    CUnitDialog dialog(ctx, copy);
    return ctx.ui.RunDialog(dialog);
}

// ---- the small dialogs ----

namespace {

// A dialog of one labelled integer edit with a range.
void AddNumberRow(Form& form, int id, const char* label, int y, ExchangeRange range) {
    form.AddLabel(-1, label, {10, y + 2, 90, y + 20});
    form.AddEdit(id, {95, y, 160, y + 20});
    form.Bind(id, X::Int, range);
}

}  // namespace

CScoreDialog::CScoreDialog(const std::string& role, const std::string& unit, uint8_t score)
    : Form(Format("Score for %s for %s", role.c_str(), unit.c_str()), 240, 110), score_(score) {
    AddNumberRow(*this, kScore, "Score", 10, {0, 255});
    AddOkCancel();
}

void CScoreDialog::OnInitDialog() {
    ShowUnsigned(kScore, score_);
}

void CScoreDialog::OnOK() {
    if (!TakeFields()) return;
    score_ = uint8_t(Value(kScore).integer);
    End(Answer::Ok);
}

CAddUnitDialog::CAddUnitDialog(std::vector<Choice> vehicles, std::optional<int> preselect,
                               int position)
    : Form("Add Unit", 330, 150), preselect_(preselect), position_(position) {
    AddLabel(-1, "Vehicle", {10, 12, 90, 30});
    AddDropList(kVehicle, {95, 10, 320, 30}, std::move(vehicles));
    AddNumberRow(*this, kPosition, "Position", 40, {0, 15});
    AddNumberRow(*this, kNumber, "Number", 66, {0, 254});
    AddOkCancel("Add");
}

void CAddUnitDialog::OnInitDialog() {
    if (preselect_) SelectValue(kVehicle, *preselect_);
    ShowInt(kPosition, position_);
    ShowInt(kNumber, 1);
}

void CAddUnitDialog::OnOK() {
    if (!TakeFields()) return;
    vehicle_ = SelectedValue(kVehicle);
    if (!vehicle_) {
        // Nothing would be added: say so and let the person choose.
        GetUi().Show("Choose the vehicle of the new slot");
        return;
    }
    position_ = int(Value(kPosition).integer);
    number_ = uint32_t(Value(kNumber).integer);
    End(Answer::Ok);
}

CUnitNumberDialog::CUnitNumberDialog(uint32_t number)
    : Form("Unit Number", 240, 110), number_(number) {
    AddNumberRow(*this, kNumber, "Number", 10, {0, 254});
    AddOkCancel();
}

void CUnitNumberDialog::OnInitDialog() {
    ShowUnsigned(kNumber, number_);
}

void CUnitNumberDialog::OnOK() {
    if (!TakeFields()) return;
    number_ = uint32_t(Value(kNumber).integer);
    End(Answer::Ok);
}

CSwapUnitsDialog::CSwapUnitsDialog() : Form("Swap Units", 240, 130) {
    AddLabel(-1, "Pos 1", {10, 12, 90, 30});
    AddEdit(kPos1, {95, 10, 160, 30});
    Bind(kPos1, X::Int);
    AddLabel(-1, "Pos 2", {10, 40, 90, 58});
    AddEdit(kPos2, {95, 38, 160, 58});
    Bind(kPos2, X::Int);
    AddOkCancel();
}

void CSwapUnitsDialog::OnOK() {
    if (!TakeFields()) return;
    pos1_ = int(Value(kPos1).integer);
    pos2_ = int(Value(kPos2).integer);
    End(Answer::Ok);
}

}  // namespace tablon
