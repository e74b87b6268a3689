#include "vehicles/WeaponDialog.h"

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "store/Database.h"
#include "vehicles/VehicleRecord.h"
#include "vehicles/WeaponNames.h"
#include "vehicles/WeaponUsage.h"

namespace tablon {

using namespace wcddlg;

namespace {

using W = WeaponRecord;
using T = FieldType;
using X = Exchange;
using K = ControlKind;

// Entries kept in a packed form ("Bullet Bits", "Bullet Disp", byte 30) have no field of their
// own.
constexpr uint16_t kPacked = 0xFFFF;

// One entry of the dialog: where it sits (column, row of the grid), the record field it
// exchanges and its check, in exchange order.
struct WeaponEntry {
    int id;
    const char* label;
    int column;
    int row;
    uint16_t offset;
    FieldType field;
    Exchange exchange;
    double min = 0, max = 0;  // a declared range when min < max
    ControlKind kind = K::Edit;
    int button = 0;  // a button that stands in for the label
};

// Integer entries of 16-bit fields check the range the field holds, so that no entry is cut to
// another number; the class-table index is taken as signed or unsigned.
constexpr double kShortMin = -32768, kShortMax = 32767;

// clang-format off
const WeaponEntry kEntries[] = {
    {kWeight, "Weight", 0, 0, W::kWeight, T::I16, X::Int16},
    {kBlastRadius, "Blast Radius", 0, 1, W::kBlastRadius, T::I16, X::Int, kShortMin, kShortMax},
    {kDrag, "Drag", 0, 2, W::kDrag, T::I16, X::Int, kShortMin, kShortMax},
    {kGuidance, "Guidance", 0, 3, W::kGuidance, T::U16, X::Choice, 0, 0, K::DropList},
    {kVehicleList, "Vehicle list", 0, 4, W::kVehicleList, T::I16, X::Int16},
    {kFireRate, "Fire rate", 0, 5, W::kFireRate, T::U8, X::Byte},
    {kRarity, "Rareity", 0, 6, W::kRarity, T::U8, X::Byte},
    {kAaaGun, "AAA Gun", 0, 7, kPacked, T::U8, X::Check, 0, 0, K::CheckBox},
    {kDamage, "Damage", 1, 0, W::kDamage, T::I16, X::Int, kShortMin, kShortMax},
    {kRange, "Range", 1, 1, W::kRange, T::I16, X::Int16},
    {kDamageType, "Expl Type", 1, 2, W::kDamageType, T::U32, X::Choice, 0, 0, K::DropList},
    {kCtIndex, "CT Index", 1, 3, W::kCtIndex, T::I16, X::Int, kShortMin, 65535, K::Edit,
     kCtIndexButton},
    {kSeekerRadar, "Seeker Radar", 1, 4, W::kSeekerRadar, T::I16, X::Int16, 0, 0, K::Edit,
     kSeekerRadarButton},
    {kCollective, "Collective", 1, 5, W::kCollective, T::U8, X::Byte},
    {kRackGroup, "Rack Group", 1, 6, W::kRackGroup, T::I16, X::Int16},
    {kBulletDispersion, "Bullet Dispersion", 1, 7, kPacked, T::U8, X::Int, 0, 1023},
    {kHitChance + 0, "v Static", 2, 0, W::kHitChance + 0, T::U8, X::Byte},
    {kHitChance + 1, "v Foot", 2, 1, W::kHitChance + 1, T::U8, X::Byte},
    {kHitChance + 2, "v Wheeled", 2, 2, W::kHitChance + 2, T::U8, X::Byte},
    {kHitChance + 3, "v Tracked", 2, 3, W::kHitChance + 3, T::U8, X::Byte},
    {kHitChance + 4, "v Low air", 2, 4, W::kHitChance + 4, T::U8, X::Byte},
    {kHitChance + 5, "v Air", 2, 5, W::kHitChance + 5, T::U8, X::Byte},
    {kHitChance + 6, "v Naval", 2, 6, W::kHitChance + 6, T::U8, X::Byte},
    {kHitChance + 7, "v Rail", 2, 7, W::kHitChance + 7, T::U8, X::Byte},
    {kMaxAlt, "Max Alt", 3, 0, W::kMaxAlt, T::U8, X::Byte},
    // Three bits hold the time to live, five bits the speed in steps of 256, byte 30 the
    // minimum altitude in steps of 32: larger entries are refused rather than cut.
    {kBulletTtl, "Bullet TTL", 3, 1, kPacked, T::U8, X::Int, 0, 7},
    {kFlags, "Flags", 3, 2, W::kFlags, T::U16, X::UInt, 0, 65535, K::Edit, kFlagsButton},
    {kBulletSpeed, "Bullet Speed", 3, 3, kPacked, T::U8, X::Int, 0, 8191},
    {kRoundsPerSecond, "Rounds/sec", 3, 4, W::kRoundsPerSecond, T::U8, X::Byte},
    {kMinAlt, "Min Alt", 3, 5, kPacked, T::U8, X::Int, 0, 8191},
};
// clang-format on

constexpr int kGridTop = 56;
constexpr int kColumnWidth = 190;
constexpr int kLabelWidth = 95;
constexpr int kFieldWidth = 80;
constexpr int kRowPitch = 26;

Rect LabelRect(int column, int row) {
    const int x = 10 + column * kColumnWidth, y = kGridTop + row * kRowPitch;
    return {x, y, x + kLabelWidth, y + 22};
}
Rect FieldRect(int column, int row) {
    const int x = 10 + column * kColumnWidth + kLabelWidth + 5, y = kGridTop + row * kRowPitch;
    return {x, y, x + kFieldWidth, y + 20};
}

const std::vector<RecordBinding>& Bindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b{{kName, W::kName, T::Text, X::Text, W::kNameSize - 1}};
        for (const auto& e : kEntries)
            if (e.offset != kPacked) b.push_back({e.id, e.offset, e.field, e.exchange});
        return b;
    }();
    return bindings;
}

std::vector<Choice> GuidanceChoices() {
    std::vector<Choice> out;
    for (const auto& g : WeaponGuidanceNames()) out.push_back({g.dialog, g.value});
    return out;
}

std::vector<Choice> DamageTypeChoices() {
    std::vector<Choice> out;
    for (int i = 0; i < kWeaponDamageTypes; ++i) out.push_back({WeaponDamageTypeName(i), i});
    return out;
}

// What an entry shows again when it loses the focus: the number the record will keep.
int SpeedShown(int n, bool) {
    return n & ~0xFF;
}
int DispersionShown(int n, bool aaa) {
    return (((n / 4) & ~1) + (aaa ? 1 : 0)) * 4;
}
int MinAltShown(int n, bool) {
    return ((n / 32) % 256) * 32;
}

}  // namespace

WeaponPacking UnpackWeapon(const WeaponRecord& w) {
    const uint8_t bits = w.b[W::kBulletBits], disp = w.b[W::kBulletDispersion];
    return {(bits & ~7) * 32, bits % 8, disp * 4, (disp & 1) != 0, w.b[W::kMinAlt] * 32};
}

void PackWeapon(const WeaponPacking& p, WeaponRecord& w) {
    w.b[W::kBulletBits] = uint8_t(p.ttl % 8 + 8 * (p.speed / 256));
    w.b[W::kBulletDispersion] = uint8_t(((p.dispersion / 4) & ~1) + (p.aaa ? 1 : 0));
    w.b[W::kMinAlt] = uint8_t(p.minAlt / 32);
}

// ---- CWeaponDialog ----

CWeaponDialog::CWeaponDialog(ShellContext& ctx, WeaponRecord& copy, int weaponId)
    : Form("Weapon Data", 780, 330), ctx_(ctx), copy_(copy), weaponId_(weaponId) {
    AddTitleEdit(kName, {10, 8, 400, 46});
    Bind(kName, X::Text, std::nullopt, int(W::kNameSize - 1));
    for (const auto& e : kEntries) {
        if (e.button)
            AddButton(e.button, e.label, LabelRect(e.column, e.row));
        else if (e.kind != K::CheckBox)
            AddLabel(-1, e.label, LabelRect(e.column, e.row));
        if (e.kind == K::CheckBox)
            AddCheck(e.id, e.label, LabelRect(e.column, e.row));
        else if (e.kind == K::DropList)
            AddDropList(e.id, FieldRect(e.column, e.row));
        else
            AddEdit(e.id, FieldRect(e.column, e.row));
        Bind(e.id, e.exchange,
             e.min < e.max ? std::optional<ExchangeRange>({e.min, e.max}) : std::nullopt);
    }
    Find(kGuidance)->choices = GuidanceChoices();
    Find(kDamageType)->choices = DamageTypeChoices();
    AddLabel(-1, "WeaponID", LabelRect(3, 6));
    AddEdit(kWeaponId, FieldRect(3, 6)).readOnly = true;
    AddLabel(-1, "maneuverDef", LabelRect(3, 7));
    AddEdit(kManeuverDef, FieldRect(3, 7)).readOnly = true;
    const int y = kGridTop + 8 * kRowPitch + 10;
    AddButton(kSwdData, "SWD Data", {10, y, 100, y + 24});
    AddButton(kUsedBy, "Used by...", {110, y, 200, y + 24});
    AddOkCancel();
}

void CWeaponDialog::OnInitDialog() {
    ShowRecordFields(*this, Bindings(), copy_.data());
    const WeaponPacking p = UnpackWeapon(copy_);
    ShowInt(kBulletSpeed, p.speed);
    ShowInt(kBulletTtl, p.ttl);
    ShowInt(kBulletDispersion, p.dispersion);
    ShowCheck(kAaaGun, p.aaa);
    ShowInt(kMinAlt, p.minAlt);
    ShowInt(kWeaponId, weaponId_);
    ShowManeuver(copy_.CtIndex());
}

void CWeaponDialog::ShowManeuver(int16_t ct) {
    CtRecord c;
    if (ctx_.db.Ct().GetRecord(uint16_t(ct), c))
        ShowInt(kManeuverDef, c.AltDataRef());
    else
        ShowText(kManeuverDef, "");
}

bool CWeaponDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, Bindings(), copy_.data());
    PackWeapon({int(Value(kBulletSpeed).integer), int(Value(kBulletTtl).integer),
                int(Value(kBulletDispersion).integer), Value(kAaaGun).integer != 0,
                int(Value(kMinAlt).integer)},
               copy_);
    return true;
}

void CWeaponDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CWeaponDialog::OnButton(int id) {
    switch (id) {
        case kCtIndexButton:
            CtIndex();
            break;
        case kSeekerRadarButton:
            SeekerRadar();
            break;
        case kSwdData:
            SwdData();
            break;
        case kUsedBy:
            UsedBy();
            break;
        case kFlagsButton:
            EditFlags();
            break;
        case kAaaGun:
            Redisplay(kBulletDispersion, DispersionShown);
            break;
        default:
            break;
    }
}

void CWeaponDialog::OnFocusLost(int id) {
    switch (id) {
        case kBulletSpeed:
            Redisplay(id, SpeedShown);
            break;
        case kBulletDispersion:
            Redisplay(id, DispersionShown);
            break;
        case kMinAlt:
            Redisplay(id, MinAltShown);
            break;
        default:
            break;
    }
}

void CWeaponDialog::Redisplay(int id, int (*stored)(int n, bool aaa)) {
    int64_t n = 0;
    if (ParseIntText(Text(id), n)) ShowInt(id, stored(int(n), Checked(kAaaGun)));
}

// "CT Index" takes every entry into the working copy and opens the class-table record it names
// now; a record that cannot be read opens nothing. The other buttons act on the working copy as
// it stands: the values loaded when the dialog opened, or those the last "CT Index" took.

void CWeaponDialog::CtIndex() {
    if (!TakeIntoCopy()) return;
    const int index = uint16_t(copy_.CtIndex());
    CtRecord ct;
    if (ctx_.db.Ct().GetRecord(index, ct) &&
        RunCtRecordDialog(ctx_, ct, index, copy_.Name()) == Answer::Ok &&
        !ctx_.db.Ct().SetRecord(index, ct))
        ctx_.ui.Show("Update Failed");
    ShowManeuver(copy_.CtIndex());
}

void CWeaponDialog::SeekerRadar() {
    // The entries are checked (a refused one keeps the dialog where it is) but stay in the
    // dialog: the radar opened is the one the working copy names.
    if (!TakeFields()) return;
    const int radar = copy_.SeekerRadar();
    EditRecord(ctx_, {FileId::Rcd, ModelTable::None}, radar, "Update failed",
               Format("Radar Data %d", radar));
}

void CWeaponDialog::SwdData() {
    CtRecord ct;
    if (!ctx_.db.Ct().GetRecord(uint16_t(copy_.CtIndex()), ct) || ct.DataType() != kDataWeapon)
        return;
    EditRecord(ctx_, {FileId::Swd, ModelTable::None}, ct.AltDataRef(), "Update Failed");
}

void CWeaponDialog::UsedBy() {
    CWcdUsageDialog usage(ctx_, copy_.CtIndex());
    ctx_.ui.RunDialog(usage);
}

void CWeaponDialog::EditFlags() {
    int64_t v = 0;
    const uint16_t flags =
        ParseUnsignedText(Text(kFlags), v) && v <= 0xFFFF ? uint16_t(v) : copy_.Flags();
    CWeaponFlagsDialog dialog(flags);
    if (ctx_.ui.RunDialog(dialog) == Answer::Ok) ShowUnsigned(kFlags, dialog.Flags());
}

Answer RunWeaponDialog(ShellContext& ctx, WeaponRecord& copy, int weaponId) {
    CWeaponDialog dialog(ctx, copy, weaponId);
    return ctx.ui.RunDialog(dialog);
}

// ---- CWeaponFlagsDialog ----

namespace {

int BitOf(uint16_t value) {
    int bit = 0;
    while (bit < 15 && !(value & (1u << bit))) ++bit;
    return bit;
}

Rect FlagRect(int bit) {
    const int x = 10 + (bit / 8) * 150, y = 10 + (bit % 8) * 24;
    return {x, y, x + 140, y + 20};
}

}  // namespace

CWeaponFlagsDialog::CWeaponFlagsDialog(uint16_t flags)
    : Form("Weapon Flags", 320, 250), flags_(flags) {
    for (const auto& f : WeaponFlagNames()) {
        const int bit = BitOf(f.bit);
        AddCheck(kFlagBox + bit, f.label, FlagRect(bit));
    }
    // The rocket-marker bit is shown but not edited here: it keeps its value.
    AddCheck(kFlagBox + 12, "Rckt Marker", FlagRect(12)).enabled = false;
    AddOkCancel();
}

void CWeaponFlagsDialog::OnInitDialog() {
    for (int bit = 0; bit < 16; ++bit) ShowCheck(kFlagBox + bit, (flags_ >> bit) & 1);
}

void CWeaponFlagsDialog::OnOK() {
    uint16_t flags = flags_ & kWeaponRocketMarker;
    for (const auto& f : WeaponFlagNames())
        if (Checked(kFlagBox + BitOf(f.bit))) flags |= f.bit;
    flags_ = flags;
    End(Answer::Ok);
}

// ---- CWcdUsageDialog ----

CWcdUsageDialog::CWcdUsageDialog(ShellContext& ctx, int16_t ct)
    : Form("Wcd Usage", 220, 300), ctx_(ctx), ct_(ct) {
    AddList(kUsageList, {10, 10, 210, 250}, {{"Vehicle", 100}, {"CT ID", 75}});
    AddButton(kIdOk, "OK", {140, 264, 210, 288}).defaultButton = true;
}

void CWcdUsageDialog::OnInitDialog() {
    FillRows();
}

void CWcdUsageDialog::FillRows() {
    std::vector<ListRow> rows;
    const TableFile* vcd = ctx_.db.Table(FileId::Vcd);
    VehicleRecord v;
    for (int index : VehiclesUsingWeaponCt(ctx_.db, ct_))
        if (vcd && vcd->GetRecord(index, v.data()))
            rows.push_back({{v.Name(), std::to_string(v.CtIndex())}, index});
    SetRows(kUsageList, std::move(rows));
}

void CWcdUsageDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kUsageList || kind != ListEventKind::DoubleClick || row < 0) return;
    const int vehicle = int(Rows(kUsageList)[size_t(row)].data);
    // The vehicle may carry other weapons now: the list is made again.
    if (EditRecord(ctx_, {FileId::Vcd, ModelTable::None}, vehicle, "Update failed")) FillRows();
}

}  // namespace tablon
