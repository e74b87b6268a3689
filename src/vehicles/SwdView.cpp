#include "vehicles/SwdView.h"

#include <cstring>

#include "platform/FpMode.h"
#include "store/Database.h"

namespace tablon {

using namespace swddlg;

namespace {

using S = SimWeaponRecord;
using X = Exchange;

constexpr int kSwdNameColumn = 0;
constexpr int kSwdFileOrderColumn = 1;

}  // namespace

const std::vector<std::string> kSwdWeaponTypes{"Air to Air", "Rocket",    "Dumb Bomb",     "Gun",
                                               "AL-131",     "Fuel Tank", "Air to Ground", "HARM",
                                               "SAM",        "GBU",       "Recon"};
const std::vector<std::string> kSwdAirGround{"Not Weapon", "Air Weapon", "Ground Weapon",
                                             "Air/Ground Weapon", "Unknown"};
const std::vector<std::string> kSwdAvionics{"Gun/Tank", "IR AAM",        "Radar AAM",  "Harm/AGM",
                                            "Optical",  "MK82/Anti Sea", "Dumb Bombs", "Laser",
                                            "SAM",      "AL131/Rocket",  "Recon"};

const std::vector<ColumnDesc>& SwdColumns() {
    static const std::vector<ColumnDesc> columns{
        {"Name", 100, S::kName, kKindText, int(S::kNameSize)},
        {"No", 50, 0, kKindFileOrder},
        {"Avionics", 50, S::kAvionics, kKindI32},
        {"Wep Type", 50, S::kWeaponType, kKindI32},
        {"Air/Grnd", 50, S::kAirGround, kKindI32},
        {"Missile Data", 50, S::kMissileData, kKindI32},
        {"Drag Coef", 50, S::kDragCoef, kKindF32},
        {"Weight", 50, S::kWeight, kKindF32},
        {"Area", 50, S::kArea, kKindF32},
        {"Flags", 50, S::kFlags, kKindI32},
        {"X Eject", 50, S::kEjectX, kKindF32},
        {"Y Eject", 50, S::kEjectY, kKindF32},
        {"Z Eject", 50, S::kEjectZ, kKindF32},
    };
    return columns;
}

CSwdView::CSwdView(ShellContext& ctx)
    : CEditView(ctx, std::make_unique<RowSource>(ctx.db, FileId::Swd), SwdColumns(),
                kSwdFileOrderColumn,
                {kRecordAll, "Update Failed", "Update Failed", true,
                 "Overwrite Item %d %s with %d %s?", true, "Failed to update SWD file"}) {}

std::string CSwdView::ItemTextFor(const uint8_t* record, int) const {
    return LoadText(record + S::kName, S::kNameSize);
}

std::span<const SortCommand> CSwdView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByName, kSwdNameColumn},
                                             {cmd::kSortByFileOrder, kSwdFileOrderColumn}};
    return kSorts;
}

Answer CSwdView::RunDialog(Bytes& record, int, Purpose) {
    SimWeaponRecord copy;
    std::memcpy(copy.data(), record.data(), S::kSize);
    const Answer a = RunSwdDialog(ctx_, copy);
    if (a == Answer::Ok) std::memcpy(record.data(), copy.data(), S::kSize);
    return a;
}

void CSwdView::PrepareNew(Bytes& record, bool copy) {
    const std::string name = NameOf(record);
    StoreText(record.data() + S::kName, S::kNameSize - 1,
              copy ? (name.size() < 5 ? name + "-2" : name) : "New");
}

std::string CSwdView::NameOf(const Bytes& record) const {
    return LoadText(record.data() + S::kName, S::kNameSize);
}

// ---- the dialog ----

namespace {

std::vector<Choice> Choices(const std::vector<std::string>& names) {
    std::vector<Choice> out;
    for (size_t i = 0; i < names.size(); ++i) out.push_back({names[i], int(i)});
    return out;
}

struct SwdEntry {
    int id;
    const char* field;
    Exchange exchange;
    const std::vector<std::string>* names = nullptr;
};

const SwdEntry kEntries[] = {
    {kName, "name", X::Text},
    {kAirGround, "air_ground", X::Choice, &kSwdAirGround},
    {kAvionics, "avionics", X::Choice, &kSwdAvionics},
    {kWeaponType, "weapon_type", X::Choice, &kSwdWeaponTypes},
    {kMissile, "missile_data", X::Int},
    {kDrag, "drag_coef", X::Float},
    {kWeight, "weight", X::Float},
    {kArea, "area", X::Float},
    {kEjectX, "eject_x", X::Float},
    {kEjectY, "eject_y", X::Float},
    {kEjectZ, "eject_z", X::Float},
    {kFlags, "flags", X::Int},
};

const std::vector<RecordBinding>& Bindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b;
        for (const auto& e : kEntries) {
            const Field& f = *SimWeaponFields().Find(e.field);
            b.push_back({e.id, f.offset, f.type, e.exchange,
                         uint16_t(e.exchange == X::Text ? S::kNameSize : 0)});
        }
        return b;
    }();
    return bindings;
}

}  // namespace

CSwdDialog::CSwdDialog(SimWeaponRecord& copy) : Form("Sim Weapon Data", 420, 330), copy_(copy) {
    int row = 0;
    for (const auto& e : kEntries) {
        if (e.id == kName) {
            AddTitleEdit(kName, {10, 10, 260, 44});
            Bind(kName, X::Text, std::nullopt, int(S::kNameSize) - 1);
            continue;
        }
        const Field& f = *SimWeaponFields().Find(e.field);
        const int y = 56 + row++ * 24;
        const Rect fieldRect{120, y, 290, y + 20};
        if (e.id == kFlags)
            AddButton(kFlagsButton, "Flags", {10, y, 110, y + 20});
        else
            AddLabel(-1, f.label, {10, y + 2, 110, y + 20});
        if (e.names)
            AddDropList(e.id, fieldRect, Choices(*e.names));
        else
            AddEdit(e.id, fieldRect);
        Bind(e.id, e.exchange);
    }
    AddOkCancel();
}

void CSwdDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowRecordFields(*this, Bindings(), copy_.data());
}

void CSwdDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, Bindings(), copy_.data());
    copy_.b[S::kName + S::kNameSize - 1] = 0;
    End(Answer::Ok);
}

void CSwdDialog::OnButton(int id) {
    if (id != kFlagsButton) return;
    int64_t shown = 0;
    const uint32_t flags = ParseIntText(Text(kFlags), shown) ? uint32_t(shown) : copy_.Flags();
    CFlagBitsDialog dialog("Flags", flags, SwdFlagBits(), kLoftable);
    if (GetUi().RunDialog(dialog) != Answer::Ok) return;
    ShowInt(kFlags, int32_t(dialog.Flags()));
}

const std::vector<FlagBit>& SwdFlagBits() {
    static const std::vector<FlagBit> bits{{kSimWeaponLoftable, "Loftable"},
                                           {kSimWeaponHasDisplay, "Has Display"},
                                           {kSimWeaponTrainable, "Trainable"}};
    return bits;
}

Answer RunSwdDialog(ShellContext& ctx, SimWeaponRecord& copy) {
    CSwdDialog dialog(copy);
    return ctx.ui.RunDialog(dialog);
}

}  // namespace tablon
