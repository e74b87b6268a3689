#include "vehicles/VehicleDialog.h"

#include <strings.h>

#include <algorithm>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "platform/FpMode.h"
#include "shell/NumberText.h"
#include "store/Database.h"
#include "vehicles/UnitRecord.h"
#include "vehicles/VehicleStats.h"
#include "vehicles/VehicleSubDialogs.h"
#include "vehicles/WeaponListRecord.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

using namespace vcldlg;

namespace {

using V = VehicleRecord;
using X = Exchange;

// What an entry field of the dialog stands for.
enum class Role {
    Record,     // a record field, exchanged through the field bindings
    Signature,  // a signature byte, shown and entered as a number
    Display,    // shown only
};

struct EntryField {
    int id;
    const char* field;  // in the vehicle field table; null for what is not a record field
    const char* label;  // where the field table has none
    Role role;
    Exchange exchange = X::Int;
    std::optional<ExchangeRange> range = std::nullopt;
    int maxChars = 0;
    int button = 0;  // the button that stands in for the field's label
};

// In exchange order; all but the name are laid out three to a row.
const EntryField kEntries[] = {
    {kName, "name", nullptr, Role::Record, X::Text, std::nullopt, 13},
    {kVclNo, nullptr, "Vcl No", Role::Display},
    {kCtRecd, "ct_index", nullptr, Role::Record, X::Int, ExchangeRange{-32768, 32767}, 0,
     kCtRecdButton},
    {kRadarPtr, "radar", nullptr, Role::Record, X::Int16, std::nullopt, 0, kRadarPtrButton},
    {kVisSig, "visual_signature", nullptr, Role::Signature, X::Float, ExchangeRange{0, 4.0}},
    {kIrSig, "ir_signature", nullptr, Role::Signature, X::Float, ExchangeRange{0, 2.0}},
    {kMtow, "mtow", nullptr, Role::Record, X::Int},
    {kMaxAlt, "high_alt", nullptr, Role::Record, X::Int16},
    {kRadarCs, "radar_cs", nullptr, Role::Record, X::Float},
    {kEmptyWeight, "empty_weight", nullptr, Role::Record, X::Int},
    {kMinAlt, "low_alt", nullptr, Role::Record, X::Int16},
    {kEngineNoise, "engine_sound", nullptr, Role::Record, X::Int16},
    {kFuel, "fuel_load", nullptr, Role::Record, X::Int},
    {kCruiseAlt, "cruise_alt", nullptr, Role::Record, X::Int16},
    {kCrew, "crew", nullptr, Role::Record, X::Int16},
    {kFuelRate, "fuel_rate", nullptr, Role::Record, X::Int16},
    {kMaxSpeed, "max_speed", nullptr, Role::Record, X::Int16},
    {kFlags, "flags", nullptr, Role::Display, X::Int, std::nullopt, 0, kFlagsButton},
    // Hit points are unsigned: the whole 16-bit range, never shown negative.
    {kHitPoints, "hit_points", nullptr, Role::Record, X::Int, ExchangeRange{0, 65535}},
    {kCallSign, "call_sign", nullptr, Role::Record, X::Byte},
    {kCallSlot, "call_slot", nullptr, Role::Record, X::Byte},
    {kCockpit, "cockpit", nullptr, Role::Record, X::Text, std::nullopt, 5},
    {kEcm, "ecm_strength", nullptr, Role::Record, X::Byte, ExchangeRange{0, 127}},
    {kAcdNumber, nullptr, "ACD Number", Role::Display, X::Int, std::nullopt, 0, kAcdButton},
};

// The two signatures: field, byte offset, the largest value, the factor a value is stored with
// and the value of one step of the byte.
struct SignatureRule {
    int id;
    uint16_t offset;
    float max;
    float scale;
    float step;
};
constexpr SignatureRule kSignatures[2] = {
    {kVisSig, V::kVisualSignature, 4.0f, 63.75f, 0.015686275f},
    {kIrSig, V::kIrSignature, 2.0f, 127.5f, 0.007843138f},
};

uint8_t SignatureByte(float value, const SignatureRule& rule) {
    return uint8_t(uint32_t(int32_t(value * rule.scale + 0.5f)) & 0xff);
}

std::string SignatureText(uint8_t stored, const SignatureRule& rule) {
    return FormatDouble("%.2f", double(float(stored) * rule.step));
}

const Field& FieldOf(const char* name) {
    return *VehicleFields().Find(name);
}

const std::vector<RecordBinding>& Bindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b;
        for (const auto& e : kEntries) {
            if (e.role != Role::Record) continue;
            const Field& f = FieldOf(e.field);
            b.push_back({e.id, f.offset, f.type, e.exchange, uint16_t(e.maxChars)});
        }
        return b;
    }();
    return bindings;
}

// The grid of entry fields: three columns of label and field.
constexpr int kColumnX[] = {10, 270, 530};
constexpr int kLabelWidth = 95;
constexpr int kFieldWidth = 130;
constexpr int kGridTop = 56;
constexpr int kRowPitch = 26;

const char* YesNo(bool on) {
    return on ? "yes" : "no";
}

const char* const kHardpointKinds[] = {"", "Bay", "Weapon", "Hardpoint"};

// The image lists of the dialog's lists: the class-table record icons, and the hardpoint rows'
// (image 0 a weapon, image 2 a weapon list).
constexpr int kRecordImages = 136;
constexpr int kHardpointImages = 140;
constexpr int kWeaponIcon = 0;
constexpr int kListIcon = 2;

constexpr StatOffsets kStatOffsets{V::kHit, V::kStrength, V::kRange, V::kDetection, V::kDamage};

}  // namespace

uint8_t VisualSignatureByte(float value) {
    return SignatureByte(value, kSignatures[0]);
}
uint8_t IrSignatureByte(float value) {
    return SignatureByte(value, kSignatures[1]);
}
float VisualSignatureValue(uint8_t stored) {
    return float(stored) * kSignatures[0].step;
}
float IrSignatureValue(uint8_t stored) {
    return float(stored) * kSignatures[1].step;
}

void RenumberSlots(VehicleRecord& v) {
    for (int s = 1; s < kHardpointSlots; ++s) {
        if (v.SlotRef(s) != 0) continue;
        int u = s + 1;
        while (u < kHardpointSlots && v.SlotRef(u) == 0) ++u;
        if (u == kHardpointSlots) return;
        v.SetSlot(s, v.SlotRef(u), v.SlotLoad(u));
        v.SetRackBit(s, v.RackBit(u));
        v.SetVisibleBit(s, v.VisibleBit(u));
        v.SetSlot(u, 0, 0);
        v.SetRackBit(u, false);
        v.SetVisibleBit(u, false);
    }
}

// ---- CVehicleDialog ----

CVehicleDialog::CVehicleDialog(ShellContext& ctx, VehicleRecord& copy, int index)
    : Form("Vehicle Data Details", 800, 720), ctx_(ctx), copy_(copy), index_(index) {
    int cell = 0;
    for (const auto& e : kEntries) {
        if (e.id == kName) {
            AddTitleEdit(kName, {10, 10, 260, 44});
        } else {
            const int x = kColumnX[cell % 3], y = kGridTop + (cell / 3) * kRowPitch;
            ++cell;
            const std::string label = e.field ? FieldOf(e.field).label : e.label;
            const Rect labelRect{x, y, x + kLabelWidth, y + 22};
            if (e.button)
                AddButton(e.button, label, labelRect);
            else
                AddLabel(-1, label, labelRect);
            AddEdit(e.id, {x + kLabelWidth + 5, y, x + kLabelWidth + 5 + kFieldWidth, y + 22})
                .readOnly = e.role == Role::Display;
        }
        if (e.role != Role::Display) Bind(e.id, e.exchange, e.range, e.maxChars);
    }
    AddList(kStats, {10, 275, 320, 455},
            {{"Target", 100}, {"To Hit", 50}, {"Strength", 50}, {"Range", 50}, {"Detect", 50}});
    AddList(kDamage, {330, 275, 520, 525}, {{"From", 100}, {"%", 70}});
    AddList(kRelated, {530, 275, 790, 395}, {{"Vehicle", 100}, {"CT ID", 75}}).images =
        kRecordImages;
    AddList(kUnits, {530, 405, 790, 525}, {{"Unit", 100}, {"Unit ID", 75}, {"Type", 75}});
    AddList(kHardpoints, {10, 535, 600, 680},
            {{"Type", 100},
             {"Name", 150},
             {"No", 50},
             {"Visible", 50},
             {"Rack", 50},
             {"Ammunition", 70},
             {"WLD-Nr", 50}})
        .images = kHardpointImages;
    const std::pair<int, const char*> buttons[] = {
        {kView, "View"},
        {kAddWeapon, "Add Weapon"},
        {kEdit, "Edit"},
        {kAddHp, "Add HP"},
        {kDelete, "Delete"},
        {kRenumber, "Renumber"},
        {kRecalculate, "Recalculate"},
    };
    for (int i = 0; i < int(std::size(buttons)); ++i) {
        const int x = 610 + (i % 2) * 92, y = 535 + (i / 2) * 28;
        AddButton(buttons[i].first, buttons[i].second, {x, y, x + 87, y + 24});
    }
    AddOkCancel("Update");
    AddObserver(&watch_);
}

CVehicleDialog::~CVehicleDialog() {
    RemoveObserver(&watch_);
}

void CVehicleDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowRecordFields(*this, Bindings(), copy_.data());
    ShowInt(kVclNo, index_);
    for (int k = 0; k < 2; ++k) {
        signatureBytes_[k] = copy_.b[kSignatures[k].offset];
        ShowSignature(k);
    }
    ShowFlags();
    CtRecord ct;
    if (ctx_.db.Ct().GetRecord(copy_.CtIndex(), ct)) {
        acdNumber_ = ct.AltDataRef();
        ShowInt(kAcdNumber, *acdNumber_);
    }
    FillStats();
    FillDamage();
    FillHardpoints();
    FillRelated();
    FillUnits();
}

void CVehicleDialog::SelectionWatch::ControlChanged(int id) {
    if (id != kHardpoints) return;
    const bool selected = dialog->Selected(kHardpoints) >= 0;
    for (int button : {kView, kEdit, kDelete}) dialog->Enable(button, selected);
}

void CVehicleDialog::ShowSignature(int k) {
    ShowText(kSignatures[k].id, SignatureText(signatureBytes_[k], kSignatures[k]));
}

void CVehicleDialog::ShowFlags() {
    ShowText(kFlags, Format("0x%x", copy_.Flags()));
}

bool CVehicleDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, Bindings(), copy_.data());
    copy_.b[V::kName + V::kNameSize - 1] = 0;
    for (int k = 0; k < 2; ++k) {
        const SignatureRule& rule = kSignatures[k];
        // A value that still reads as its byte's text keeps the byte: the two-decimal text of
        // an infrared byte does not always lead back to it.
        float shown = 0;
        ParseFloatText(SignatureText(signatureBytes_[k], rule), shown);
        const float entered = Value(rule.id).number;
        if (entered != shown) signatureBytes_[k] = SignatureByte(entered, rule);
        copy_.b[rule.offset] = signatureBytes_[k];
    }
    return true;
}

void CVehicleDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CVehicleDialog::OnFocusLost(int id) {
    for (int k = 0; k < 2; ++k) {
        const SignatureRule& rule = kSignatures[k];
        if (id != rule.id) continue;
        float entered = 0, shown = 0;
        // A text that is no number or out of range stays, for "Update" to refuse.
        if (!ParseFloatText(Text(id), entered) || entered < 0 || entered > rule.max) return;
        ParseFloatText(SignatureText(signatureBytes_[k], rule), shown);
        if (entered != shown) signatureBytes_[k] = SignatureByte(entered, rule);
        ShowSignature(k);
    }
}

// ---- lists ----

void CVehicleDialog::FillStats() {
    SetRows(kStats, StatsRows(copy_.data(), kStatOffsets));
}

void CVehicleDialog::FillDamage() {
    SetRows(kDamage, DamageRows(copy_.data(), kStatOffsets));
}

std::optional<ListRow> CVehicleDialog::HardpointRow(int slot) const {
    const SlotKind kind = copy_.Kind(slot);
    const uint16_t ref = copy_.SlotRef(slot);
    std::string name, ammunition = "-", list = "-";
    if (kind == SlotKind::Empty) return std::nullopt;
    if (kind == SlotKind::Weapon) {
        WeaponRecord w;
        if (!ctx_.db.Table(FileId::Wcd)->GetRecord(ref, w.data())) return std::nullopt;
        name = w.Name();
        ammunition = std::to_string(copy_.SlotLoad(slot));
    } else {
        WeaponListRecord l;
        if (!ctx_.db.Table(FileId::Wld)->GetRecord(ref, l.data())) return std::nullopt;
        name = l.Name();
        list = std::to_string(ref);
    }
    return ListRow{{kHardpointKinds[int(kind)], name, std::to_string(slot),
                    YesNo(copy_.VisibleBit(slot)), YesNo(copy_.RackBit(slot)), ammunition, list},
                   slot,
                   kind == SlotKind::Weapon ? kWeaponIcon : kListIcon};
}

void CVehicleDialog::FillHardpoints() {
    std::vector<ListRow> rows;
    for (int s = 0; s < kHardpointSlots; ++s)
        if (auto row = HardpointRow(s)) rows.push_back(std::move(*row));
    SetRows(kHardpoints, std::move(rows));
}

int CVehicleDialog::SelectedSlot() const {
    const int row = Selected(kHardpoints);
    return row < 0 ? -1 : int(Rows(kHardpoints)[size_t(row)].data);
}

void CVehicleDialog::SortHardpoints(int column) {
    if (column < 0 || column > 2) return;
    hpAscending_ = column == hpSortColumn_ ? !hpAscending_ : true;
    hpSortColumn_ = column;
    std::vector<ListRow> rows = Rows(kHardpoints);
    auto less = [column](const ListRow& a, const ListRow& b) {
        if (column == 2) return a.data < b.data;
        return strcasecmp(a.cells[size_t(column)].c_str(), b.cells[size_t(column)].c_str()) < 0;
    };
    if (hpAscending_)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(),
                         [&](const ListRow& a, const ListRow& b) { return less(b, a); });
    SetRows(kHardpoints, std::move(rows));
}

void CVehicleDialog::FillRelated() {
    related_.clear();
    std::vector<ListRow> rows;
    CtRecord ct;
    for (int i = 0; ctx_.db.Ct().GetRecord(i, ct); ++i) {
        if (ct.DataType() != kDataVehicle || ct.DataRef() != uint32_t(index_)) continue;
        related_.push_back(i);
        rows.push_back({{copy_.Name(), std::to_string(i)}, i, CtIconIndex(ct)});
    }
    SetRows(kRelated, std::move(rows));
}

void CVehicleDialog::FillUnits() {
    std::vector<uint8_t> related(65536, 0);
    for (int i : related_) related[size_t(i) & 0xffff] = 1;
    std::vector<ListRow> rows;
    const TableFile* ucd = ctx_.db.Table(FileId::Ucd);
    UnitRecord unit;
    for (int i = 0; !related_.empty() && ucd->GetRecord(i, unit.data()); ++i) {
        bool uses = false;
        for (int s = 0; s < kUnitSlots && !uses; ++s) uses = related[unit.SlotCt(s)] != 0;
        if (!uses) continue;
        CtRecord ct;
        std::string type;
        if (unit.CtIndex() <= 0x7fffffffu && ctx_.db.Ct().GetRecord(int(unit.CtIndex()), ct))
            type = TypeName(ct.Domain(), ct.Class(), ct.Type());
        rows.push_back({{unit.Name(), std::to_string(i), type}, i});
    }
    SetRows(kUnits, std::move(rows));
}

std::vector<int> CVehicleDialog::EmptySlots() const {
    std::vector<int> slots;
    for (int s = 0; s < kHardpointSlots; ++s)
        if (copy_.SlotRef(s) == 0) slots.push_back(s);
    return slots;
}

// ---- events ----

void CVehicleDialog::OnListEvent(int id, ListEventKind kind, int row, int column) {
    if (kind == ListEventKind::HeaderClick) {
        if (id == kHardpoints) SortHardpoints(column);
        return;
    }
    if (kind != ListEventKind::DoubleClick || row < 0) return;
    switch (id) {
        case kStats:
            EditStats(row);
            break;
        case kDamage:
            EditDamage(row);
            break;
        case kHardpoints:
            ViewSlot(row);
            break;
        case kRelated:
            EditRelated(row);
            break;
        case kUnits:
            EditUnit(row);
            break;
        default:
            break;
    }
}

void CVehicleDialog::OnButton(int id) {
    switch (id) {
        case kView:
            ViewSlot(Selected(kHardpoints));
            break;
        case kEdit:
            EditSlot();
            break;
        case kDelete:
            DeleteSlot();
            break;
        case kAddWeapon:
            AddWeapon();
            break;
        case kAddHp:
            AddHardpoint();
            break;
        case kRenumber:
            Renumber();
            break;
        case kRecalculate:
            Recalculate();
            break;
        case kFlagsButton:
            EditFlags();
            break;
        case kCtRecdButton:
            EditCtRecord();
            break;
        case kRadarPtrButton:
            ShowRadar();
            break;
        case kAcdButton:
            ShowAircraftData();
            break;
        default:
            break;
    }
}

void CVehicleDialog::EditStats(int target) {
    if (EditStatsRow(ctx_.ui, copy_.data(), kStatOffsets, copy_.Name(), target)) FillStats();
}

void CVehicleDialog::EditDamage(int type) {
    if (EditDamageRow(ctx_.ui, copy_.data(), kStatOffsets, type))
        SetCell(kDamage, type, 1, std::to_string(copy_.Damage(type)));
}

void CVehicleDialog::ViewSlot(int row) {
    if (row < 0 || size_t(row) >= Rows(kHardpoints).size()) return;
    const int slot = int(Rows(kHardpoints)[size_t(row)].data);
    const uint16_t ref = copy_.SlotRef(slot);
    const bool weapon = copy_.Kind(slot) == SlotKind::Weapon;
    if (!EditRecord(ctx_, {weapon ? FileId::Wcd : FileId::Wld}, ref, "Update Failed")) return;
    // The row shows the (possibly renamed) weapon or list.
    if (auto fresh = HardpointRow(slot)) SetCell(kHardpoints, row, 1, fresh->cells[1]);
}

void CVehicleDialog::EditSlot() {
    const int row = Selected(kHardpoints), slot = SelectedSlot();
    if (slot < 0) return;
    if (copy_.Kind(slot) == SlotKind::Weapon) {
        CWeaponDetailsDialog dialog(copy_.Name(), copy_.SlotLoad(slot), copy_.VisibleBit(slot));
        if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
        copy_.SetSlot(slot, copy_.SlotRef(slot), dialog.Ammunition());
        copy_.SetVisibleBit(slot, dialog.Visible());
        SetCell(kHardpoints, row, 3, YesNo(dialog.Visible()));
        SetCell(kHardpoints, row, 5, std::to_string(dialog.Ammunition()));
    } else {
        CHardpointDetailsDialog dialog(copy_.VisibleBit(slot), copy_.RackBit(slot));
        if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
        copy_.SetVisibleBit(slot, dialog.Visible());
        copy_.SetRackBit(slot, dialog.Rack());
        SetCell(kHardpoints, row, 3, YesNo(dialog.Visible()));
        SetCell(kHardpoints, row, 4, YesNo(dialog.Rack()));
    }
}

void CVehicleDialog::DeleteSlot() {
    const int row = Selected(kHardpoints), slot = SelectedSlot();
    if (slot < 0) return;
    if (ctx_.ui.Ask(Format("Really Delete Hp/Weapon %d?", slot)) != Answer::Yes) return;
    // Only the reference goes: the load byte and the mask bits stay.
    copy_.SetSlot(slot, 0, copy_.SlotLoad(slot));
    std::vector<ListRow> rows = Rows(kHardpoints);
    rows.erase(rows.begin() + row);
    SetRows(kHardpoints, std::move(rows));
}

void CVehicleDialog::AddWeapon() {
    const std::vector<int> slots = EmptySlots();
    if (slots.empty()) {
        ctx_.ui.Show(kNoEmptySlotMessage);
        return;
    }
    // Weapon 0 is left out: a reference of 0 is an empty slot.
    std::vector<Choice> weapons;
    const TableFile* wcd = ctx_.db.Table(FileId::Wcd);
    WeaponRecord w;
    for (int i = 1; wcd->GetRecord(i, w.data()); ++i)
        if (w.b[WeaponRecord::kName] != 0) weapons.push_back({w.Name(), i});
    CAddSlotDialog dialog(CAddSlotDialog::What::Weapon, copy_.Name(), slots, std::move(weapons));
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok || !dialog.Load()) return;
    const int slot = dialog.Slot();
    if (slot < 0 || slot >= kHardpointSlots || copy_.SlotRef(slot) != 0) return;
    if (!wcd->GetRecord(*dialog.Load(), w.data())) return;
    copy_.SetSlot(slot, uint16_t(*dialog.Load()), dialog.Ammunition());
    std::vector<ListRow> rows = Rows(kHardpoints);
    if (auto row = HardpointRow(slot)) rows.push_back(std::move(*row));
    SetRows(kHardpoints, std::move(rows));
}

void CVehicleDialog::AddHardpoint() {
    const std::vector<int> slots = EmptySlots();
    if (slots.empty()) {
        ctx_.ui.Show(kNoEmptySlotMessage);
        return;
    }
    // List 0 is left out: a reference of 0 is an empty slot.
    std::vector<Choice> lists;
    const TableFile* wld = ctx_.db.Table(FileId::Wld);
    WeaponListRecord l;
    for (int i = 1; wld->GetRecord(i, l.data()); ++i)
        if (l.b[WeaponListRecord::kName] != 0) lists.push_back({l.Name(), i});
    CAddSlotDialog dialog(CAddSlotDialog::What::Hardpoint, copy_.Name(), slots, std::move(lists));
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok || !dialog.Load()) return;
    const int slot = dialog.Slot();
    if (slot < 0 || slot >= kHardpointSlots || copy_.SlotRef(slot) != 0) return;
    if (!wld->GetRecord(*dialog.Load(), l.data())) return;
    copy_.SetSlot(slot, uint16_t(*dialog.Load()), kLoadHardpoint);
    std::vector<ListRow> rows = Rows(kHardpoints);
    if (auto row = HardpointRow(slot)) rows.push_back(std::move(*row));
    SetRows(kHardpoints, std::move(rows));
}

void CVehicleDialog::Renumber() {
    RenumberSlots(copy_);
    FillHardpoints();
}

void CVehicleDialog::Recalculate() {
    RecalculateVehicleStats(ctx_.db, copy_);
    FillStats();
}

void CVehicleDialog::EditFlags() {
    CVehicleFlagsDialog dialog(copy_.Flags(), FlagsMode::Vehicle);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    copy_.SetFlags(dialog.Flags());
    ShowFlags();
}

void CVehicleDialog::EditCtRecord() {
    if (!TakeIntoCopy()) return;
    EditCtEntry(ctx_, copy_.CtIndex(), copy_.Name());
}

void CVehicleDialog::EditRelated(int row) {
    EditCtEntry(ctx_, int(Rows(kRelated)[size_t(row)].data), copy_.Name());
}

void CVehicleDialog::EditUnit(int row) {
    const int unit = int(Rows(kUnits)[size_t(row)].data);
    if (!EditRecord(ctx_, {FileId::Ucd}, unit, "UCD update failed")) return;
    UnitRecord u;
    if (ctx_.db.Table(FileId::Ucd)->GetRecord(unit, u.data())) SetCell(kUnits, row, 0, u.Name());
}

void CVehicleDialog::ShowRadar() {
    EditRecord(ctx_, {FileId::Rcd}, copy_.Radar(), "Update Failed",
               Format("Radar record %d", copy_.Radar()));
}

void CVehicleDialog::ShowAircraftData() {
    if (!acdNumber_) return;
    const SourceRef acd{FileId::Acd};
    auto source = MakeSource(ctx_.db, acd);
    if (!source) return;
    Bytes record(source->RecordSize());
    if (!source->Get(*acdNumber_, record.data())) return;
    // Shown only: whatever the dialog returns, nothing is written.
    RunRecordDialog(ctx_, acd, *acdNumber_, record, Format("Aircraft Data %d", *acdNumber_));
}

Answer RunVehicleDialog(ShellContext& ctx, VehicleRecord& copy, int index) {
    CVehicleDialog dialog(ctx, copy, index);
    return ctx.ui.RunDialog(dialog);
}

}  // namespace tablon
