#include "vehicles/VehicleSubDialogs.h"

#include "classtable/CtFile.h"
#include "classtable/CtRecordDialog.h"
#include "shell/Registry.h"
#include "store/Database.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

using namespace vclsub;

namespace {

bool InAmmunitionRange(int64_t n) {
    return n >= 1 && n <= 254;
}

// Bits whose boxes a unit's flag word does not use.
bool UnitLacks(int bit) {
    return (bit >= 16 && bit <= 20) || bit == 29 || bit == 30;
}

}  // namespace

const std::vector<VehicleFlagBox>& VehicleFlagBoxes() {
    static const std::vector<VehicleFlagBox> boxes{
        {0, "Airforce"},
        {1, "Navy"},
        {2, "Marines"},
        {3, "Army"},
        {4, "All Weather"},
        {5, "Stealth"},
        {6, "Night"},
        {7, "VTOL"},
        {8, "Flat Container"},
        {9, "Elev Container"},
        {10, "Can Explode"},
        {11, "Can Burn"},
        {12, "Can Smoke"},
        {13, "Can Collapse"},
        {14, "Has Crew"},
        {15, "Is Towed"},
        {16, "Has Jammer"},
        {17, "Is Air Defense"},
        {18, "Has NCTR"},
        {19, "Has Exact RWR"},
        {20, "Uses the unit's radar"},
        {29, "Has HMS"},
        {30, "Has Chaff/Flares"},
    };
    return boxes;
}

// ---- CVehicleFlagsDialog ----

CVehicleFlagsDialog::CVehicleFlagsDialog(uint32_t flags, FlagsMode mode)
    : Form("Vehicle Flags", 360, 360), flags_(flags), mode_(mode) {
    const auto& boxes = VehicleFlagBoxes();
    const int perColumn = int(boxes.size() + 1) / 2;
    for (int i = 0; i < int(boxes.size()); ++i) {
        const int x = 10 + (i / perColumn) * 170, y = 10 + (i % perColumn) * 24;
        AddCheck(kFirstFlag + boxes[size_t(i)].bit, boxes[size_t(i)].label,
                 {x, y, x + 165, y + 20});
    }
    AddOkCancel();
}

void CVehicleFlagsDialog::OnInitDialog() {
    for (const auto& box : VehicleFlagBoxes()) {
        const bool off = mode_ == FlagsMode::Unit && UnitLacks(box.bit);
        ShowCheck(kFirstFlag + box.bit, !off && ((flags_ >> box.bit) & 1));
        Enable(kFirstFlag + box.bit, !off);
    }
}

void CVehicleFlagsDialog::OnOK() {
    uint32_t flags = 0;
    for (const auto& box : VehicleFlagBoxes())
        if (Checked(kFirstFlag + box.bit)) flags |= 1u << box.bit;
    flags_ = flags;
    End(Answer::Ok);
}

// ---- CVehicleStatsDialog ----

namespace {

constexpr int kStatFields[4] = {kHitChance, kStrength, kRange, kDetection};
constexpr const char* kStatLabels[4] = {"Hit Chance", "Strength", "Range", "Detection"};

}  // namespace

CVehicleStatsDialog::CVehicleStatsDialog(std::string label, std::array<uint8_t, 4> values)
    : Form("Vehicle Stats", 280, 200), values_(values) {
    AddLabel(kStatsLabel, std::move(label), {10, 10, 270, 28});
    for (int k = 0; k < 4; ++k) {
        const int y = 36 + k * 26;
        AddLabel(-1, kStatLabels[k], {10, y + 2, 100, y + 20});
        AddEdit(kStatFields[k], {105, y, 170, y + 20});
        Bind(kStatFields[k], Exchange::Byte);
    }
    AddOkCancel();
}

void CVehicleStatsDialog::OnInitDialog() {
    for (int k = 0; k < 4; ++k) ShowUnsigned(kStatFields[k], values_[size_t(k)]);
}

void CVehicleStatsDialog::OnOK() {
    if (!TakeFields()) return;
    for (int k = 0; k < 4; ++k) values_[size_t(k)] = uint8_t(Value(kStatFields[k]).integer);
    End(Answer::Ok);
}

// ---- CDamagePercentDialog ----

CDamagePercentDialog::CDamagePercentDialog(std::string damageType, uint8_t value)
    : Form("Damage %", 240, 120), value_(value) {
    AddLabel(kDamageLabel, std::move(damageType), {10, 10, 120, 28});
    AddEdit(kDamagePercent, {125, 8, 190, 28});
    Bind(kDamagePercent, Exchange::Byte);
    AddLabel(-1, "Range is 0-100", {10, 36, 190, 54});
    AddOkCancel();
}

void CDamagePercentDialog::OnInitDialog() {
    ShowUnsigned(kDamagePercent, value_);
}

void CDamagePercentDialog::OnOK() {
    if (!TakeFields()) return;
    value_ = uint8_t(Value(kDamagePercent).integer);
    End(Answer::Ok);
}

// ---- the statistics lists ----

std::vector<ListRow> StatsRows(const uint8_t* r, const StatOffsets& o) {
    std::vector<ListRow> rows;
    for (int t = 0; t < kTargetClasses; ++t)
        rows.push_back(
            {{kTargetClassNames[t], std::to_string(r[o.hit + t]), std::to_string(r[o.strength + t]),
              std::to_string(r[o.range + t]), std::to_string(r[o.detection + t])},
             t});
    return rows;
}

std::vector<ListRow> DamageRows(const uint8_t* r, const StatOffsets& o) {
    std::vector<ListRow> rows;
    for (int d = 0; d < kDamageTypes; ++d)
        rows.push_back({{kDamageTypeNames[d], std::to_string(r[o.damage + d])}, d});
    return rows;
}

bool EditStatsRow(Ui& ui, uint8_t* r, const StatOffsets& o, const std::string& name, int target) {
    if (target < 0 || target >= kTargetClasses) return false;
    const uint16_t offsets[4] = {o.hit, o.strength, o.range, o.detection};
    CVehicleStatsDialog dialog(Format("%s Stats V %s", name.c_str(), kTargetClassNames[target]),
                               {r[offsets[0] + target], r[offsets[1] + target],
                                r[offsets[2] + target], r[offsets[3] + target]});
    if (ui.RunDialog(dialog) != Answer::Ok) return false;
    for (int k = 0; k < 4; ++k) r[offsets[k] + target] = dialog.Values()[size_t(k)];
    return true;
}

bool EditDamageRow(Ui& ui, uint8_t* r, const StatOffsets& o, int type) {
    if (type < 0 || type >= kDamageTypes) return false;
    CDamagePercentDialog dialog(kDamageTypeNames[type], r[o.damage + type]);
    if (ui.RunDialog(dialog) != Answer::Ok) return false;
    r[o.damage + type] = dialog.Percent();
    return true;
}

void EditCtEntry(ShellContext& ctx, int index, const std::string& name) {
    CtRecord ct;
    if (!ctx.db.Ct().GetRecord(index, ct)) return;
    if (RunCtRecordDialog(ctx, ct, index, name) != Answer::Ok) return;
    if (!ctx.db.Ct().SetRecord(index, ct)) ctx.ui.Show("Update Failed");
}

// ---- CWeaponDetailsDialog ----

CWeaponDetailsDialog::CWeaponDetailsDialog(const std::string& vehicleName, uint8_t ammunition,
                                           bool visible)
    : Form("Ammunition for " + vehicleName, 260, 130), ammunition_(ammunition), visible_(visible) {
    AddLabel(-1, "Ammunition", {10, 12, 90, 30});
    AddEdit(kAmmunition, {95, 10, 140, 30}).maxChars = 3;
    AddLabel(-1, "Range is 1-254", {145, 12, 250, 30});
    AddCheck(kVisible, "Visible", {10, 40, 120, 60});
    Bind(kAmmunition, Exchange::Int);
    Bind(kVisible, Exchange::Check);
    AddOkCancel();
}

void CWeaponDetailsDialog::OnInitDialog() {
    ShowUnsigned(kAmmunition, ammunition_);
    ShowCheck(kVisible, visible_);
}

void CWeaponDetailsDialog::OnOK() {
    if (!TakeFields()) return;
    // A number outside 1 to 254 changes nothing: neither the count nor the visible bit.
    if (InAmmunitionRange(Value(kAmmunition).integer)) {
        ammunition_ = uint8_t(Value(kAmmunition).integer);
        visible_ = Value(kVisible).integer != 0;
    }
    End(Answer::Ok);
}

// ---- CHardpointDetailsDialog ----

CHardpointDetailsDialog::CHardpointDetailsDialog(bool visible, bool rack)
    : Form("Hardpoint  Details", 240, 110), visible_(visible), rack_(rack) {
    AddCheck(kHardpointVisible, "Visible", {10, 10, 150, 30});
    AddCheck(kRequiresRack, "Requires Rack", {10, 36, 150, 56});
    AddOkCancel();
}

void CHardpointDetailsDialog::OnInitDialog() {
    ShowCheck(kHardpointVisible, visible_);
    ShowCheck(kRequiresRack, rack_);
}

void CHardpointDetailsDialog::OnOK() {
    visible_ = Checked(kHardpointVisible);
    rack_ = Checked(kRequiresRack);
    End(Answer::Ok);
}

// ---- CAddSlotDialog ----

namespace {

struct AddSlotTexts {
    const char* title;
    const char* position;
    const char* load;
};
constexpr AddSlotTexts kWeaponTexts{"Add weapon to ", "Weapon Pos", "Weapon"};
constexpr AddSlotTexts kHardpointTexts{"Add Hardpoint/Bay to ", "HP Pos", "Hardpoint"};

}  // namespace

CAddSlotDialog::CAddSlotDialog(What what, const std::string& vehicleName,
                               std::vector<int> emptySlots, std::vector<Choice> loads)
    : Form("", 330, 150), what_(what), emptySlots_(std::move(emptySlots)) {
    const AddSlotTexts& t = what == What::Weapon ? kWeaponTexts : kHardpointTexts;
    SetTitle(t.title + vehicleName);
    std::vector<Choice> positions;
    for (int s : emptySlots_) positions.push_back({std::to_string(s), s});
    AddLabel(-1, t.position, {10, 12, 90, 30});
    AddDropList(kPosition, {95, 10, 160, 30}, std::move(positions));
    AddLabel(-1, t.load, {10, 40, 90, 58});
    AddDropList(kLoad, {95, 38, 320, 58}, std::move(loads));
    if (what == What::Weapon) {
        AddLabel(-1, "Ammunition", {10, 68, 90, 86});
        AddEdit(kAddAmmunition, {95, 66, 160, 86}).maxChars = 3;
        Bind(kAddAmmunition, Exchange::Int);
    }
    AddOkCancel();
}

void CAddSlotDialog::OnInitDialog() {
    SetSelected(kPosition, emptySlots_.empty() ? -1 : 0);
    if (what_ == What::Weapon) ShowText(kAddAmmunition, "1");
}

void CAddSlotDialog::OnOK() {
    const std::optional<int> slot = SelectedValue(kPosition);
    if (!slot) {
        GetUi().Show("There is no empty hardpoint slot.");
        return;
    }
    if (!TakeFields()) return;
    slot_ = *slot;
    load_ = SelectedValue(kLoad);
    // A number outside 1 to 254 loads one round.
    if (what_ == What::Weapon) {
        const int64_t n = Value(kAddAmmunition).integer;
        ammunition_ = InAmmunitionRange(n) ? uint8_t(n) : 1;
    }
    End(Answer::Ok);
}

}  // namespace tablon
