#include "misc/MiscViews.h"

#include <cstring>

#include "platform/FpMode.h"
#include "shell/Registry.h"
#include "store/Database.h"

namespace tablon {

using namespace miscdlg;

namespace {

using X = Exchange;

// Copies a record of a fixed type out of a working buffer, runs its dialog and copies it back
// on OK.
template <typename Record, typename Run>
Answer OnCopy(Bytes& record, Run run) {
    Record copy;
    std::memcpy(copy.data(), record.data(), std::min(record.size(), Record::kSize));
    const Answer a = run(copy);
    if (a == Answer::Ok) std::memcpy(record.data(), copy.data(), Record::kSize);
    return a;
}

std::vector<ColumnDesc> SoundColumns() {
    std::vector<ColumnDesc> c{
        {"File", 100, SoundRecord::kFileName, kKindText, int(SoundRecord::kFileNameSize)},
        {"Position", 50, 0, kKindFileOrder}};
    for (const Field& f : SoundFields().fields)
        if (f.type != FieldType::Text)
            c.push_back({f.title, 50, f.offset, f.type == FieldType::F32 ? kKindF32 : kKindI32});
    return c;
}

// The sound fields the dialog edits, with how they are entered.
struct SoundEntry {
    const char* field;
    Exchange exchange;
};
const SoundEntry kSoundEntries[] = {
    {"offset", X::UInt},       {"length", X::UInt},
    {"max_dist_sq", X::Float}, {"max_volume", X::Float},
    {"min_volume", X::Float},  {"dist_sq", X::Float},
    {"override", X::UInt},     {"flags", X::UInt},
    {"pitch_scale", X::Float}, {"cur_pitch_scale", X::Float},
    {"sound_group", X::Int},   {"major_symbol", X::UInt},
    {"minor_symbol", X::UInt}, {"min_3d_distance", X::Float},
};

const std::vector<RecordBinding>& SoundBindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b{{kFileName, SoundRecord::kFileName, FieldType::Text, X::Text,
                                      uint16_t(SoundRecord::kFileNameSize)}};
        for (const auto& e : kSoundEntries) {
            const Field& f = *SoundFields().Find(e.field);
            b.push_back({SoundFieldControl(e.field), f.offset, f.type, e.exchange});
        }
        return b;
    }();
    return bindings;
}

}  // namespace

int SoundFieldControl(const char* field) {
    for (int i = 0; i < int(std::size(kSoundEntries)); ++i)
        if (std::strcmp(kSoundEntries[i].field, field) == 0) return kFirstSoundField + i;
    return 0;
}

const std::vector<FlagBit>& SoundFlagBits() {
    static const std::vector<FlagBit> bits{{kSoundPositional, "Positional"},
                                           {kSoundLooped, "Looped"},
                                           {kSoundExtern, "Extern"},
                                           {kSoundVms, "VMS"},
                                           {kSoundIs3d, "Is3d"},
                                           {kSoundFrequencyControl, "Frequency Ctl"},
                                           {kSoundPanControl, "Pan Ctl"},
                                           {kSoundHigh, "High"}};
    return bits;
}

const char* const kPriorityNames[kPriorityCount] = {
    "SEND_EVENTUALLY", "SEND_SOMETIME", "SEND_LATER", "SEND_SOON",
    "SEND_NOW",        "SEND_RELIABLE", "SEND_OOB",   "SEND_RELIABLEANDOOB"};

std::string PriorityName(uint32_t value) {
    const int k = PriorityLevel(value);
    return k < 0 ? std::to_string(value) : kPriorityNames[k];
}

// ---- sounds ----

CSfxView::CSfxView(ShellContext& ctx)
    : CEditView(ctx, std::make_unique<RowSource>(ctx.db, FileId::Sfx), SoundColumns(), 1,
                {kRecordShow | kRecordAdd | kRecordCopy | kRecordDelete, "Update failed",
                 "Update Failed", true}) {}

std::string CSfxView::ItemTextFor(const uint8_t* record, int) const {
    return LoadText(record + SoundRecord::kFileName, SoundRecord::kFileNameSize);
}

Answer CSfxView::RunDialog(Bytes& record, int, Purpose) {
    return OnCopy<SoundRecord>(record, [&](SoundRecord& copy) {
        CSoundDialog dialog(copy);
        return ctx_.ui.RunDialog(dialog);
    });
}

CSoundDialog::CSoundDialog(SoundRecord& copy) : Form("Sound Item", 420, 470), copy_(copy) {
    AddTitleEdit(kFileName, {10, 10, 410, 44});
    Bind(kFileName, X::Text, std::nullopt, int(SoundRecord::kFileNameSize) - 1);
    int row = 0;
    for (const auto& e : kSoundEntries) {
        const Field& f = *SoundFields().Find(e.field);
        const int id = SoundFieldControl(e.field), y = 56 + row++ * 26;
        if (id == SoundFieldControl("flags"))
            AddButton(kFlagsButton, f.label, {10, y, 130, y + 22});
        else
            AddLabel(-1, f.label, {10, y + 2, 130, y + 22});
        AddEdit(id, {135, y, 300, y + 22});
        Bind(id, e.exchange);
    }
    AddOkCancel();
}

void CSoundDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowRecordFields(*this, SoundBindings(), copy_.data());
}

void CSoundDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, SoundBindings(), copy_.data());
    copy_.b[SoundRecord::kFileName + SoundRecord::kFileNameSize - 1] = 0;
    End(Answer::Ok);
}

void CSoundDialog::OnButton(int id) {
    if (id != kFlagsButton) return;
    const int flags = SoundFieldControl("flags");
    int64_t shown = 0;
    CFlagBitsDialog dialog("Sound Flags",
                           ParseUnsignedText(Text(flags), shown) ? uint32_t(shown) : copy_.Flags(),
                           SoundFlagBits(), kFirstSoundFlag);
    if (GetUi().RunDialog(dialog) != Answer::Ok) return;
    ShowUnsigned(flags, dialog.Flags());
}

// ---- rockets ----

CRktView::CRktView(ShellContext& ctx)
    : CEditView(ctx, std::make_unique<RowSource>(ctx.db, FileId::Rkt),
                {{"Name", 100, 0, kKindFileOrder},
                 {"Id", 50, RocketRecord::kWeaponId, kKindI16},
                 {"New Id", 50, RocketRecord::kNewWeaponId, kKindI16},
                 {"Count", 50, RocketRecord::kCount, kKindI16}},
                0,
                {kRecordShow | kRecordAdd | kRecordCopy | kRecordDelete, "Update Failed",
                 "Update Failed", true}) {}

std::string CRktView::ItemTextFor(const uint8_t*, int index) const {
    return Format("RKT %d", index);
}

Answer CRktView::RunDialog(Bytes& record, int index, Purpose purpose) {
    return OnCopy<RocketRecord>(record, [&](RocketRecord& copy) {
        CRocketDialog dialog(ctx_, copy,
                             purpose == Purpose::Show ? Format("Rocket %d", index) : "New Rocket");
        return ctx_.ui.RunDialog(dialog);
    });
}

namespace {

const std::vector<RecordBinding>& RocketBindings() {
    static const std::vector<RecordBinding> bindings{
        {kWeaponId, RocketRecord::kWeaponId, FieldType::I16, X::Int16},
        {kNewWeaponId, RocketRecord::kNewWeaponId, FieldType::I16, X::Int16},
        {kCount, RocketRecord::kCount, FieldType::I16, X::Int16},
    };
    return bindings;
}

}  // namespace

CRocketDialog::CRocketDialog(ShellContext& ctx, RocketRecord& copy, std::string title)
    : Form(title, 300, 170), ctx_(ctx), copy_(copy) {
    Control& heading = AddLabel(kRocketTitle, std::move(title), {10, 10, 290, 44});
    heading.fontFace = "Arial";
    heading.fontPoints = 24;
    AddButton(kIdButton, "ID", {10, 54, 90, 76});
    AddEdit(kWeaponId, {95, 54, 170, 76});
    AddButton(kNewIdButton, "New ID", {10, 82, 90, 104});
    AddEdit(kNewWeaponId, {95, 82, 170, 104});
    AddLabel(-1, "Count", {10, 112, 90, 130});
    AddEdit(kCount, {95, 110, 170, 132});
    for (const auto& b : RocketBindings()) Bind(b.control, b.exchange);
    AddOkCancel("UPDATE");
}

void CRocketDialog::OnInitDialog() {
    ShowRecordFields(*this, RocketBindings(), copy_.data());
}

bool CRocketDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, RocketBindings(), copy_.data());
    return true;
}

void CRocketDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CRocketDialog::OnButton(int id) {
    if (id != kIdButton && id != kNewIdButton) return;
    if (!TakeIntoCopy()) return;
    const int weapon = id == kIdButton ? copy_.WeaponId() : copy_.NewWeaponId();
    EditRecord(ctx_, {FileId::Wcd}, weapon, "Update Failed");
}

// ---- message priorities ----

CDDPView::CDDPView(ShellContext& ctx)
    : CEditView(
          ctx, std::make_unique<RowSource>(ctx.db, FileId::Ddp),
          {{"Msg number", 100, 0, kKindFileOrder},
           {"Priority", 150, 0, kKindU32, 0, 1,
            [](const uint8_t* record, int) { return PriorityName(LoadLE<uint32_t>(record)); }}},
          0, {kRecordShow, "Update Failed", "Update Failed", true}) {}

std::string CDDPView::ItemTextFor(const uint8_t*, int index) const {
    return Format("DDP %d", index);
}

Answer CDDPView::RunDialog(Bytes& record, int index, Purpose) {
    return OnCopy<MessagePriorityRecord>(record, [&](MessagePriorityRecord& copy) {
        CDirtyDataDialog dialog(copy, index);
        return ctx_.ui.RunDialog(dialog);
    });
}

CDirtyDataDialog::CDirtyDataDialog(MessagePriorityRecord& copy, int message)
    : Form("DirtyData", 300, 170), copy_(copy), message_(message) {
    AddLabel(-1, "Message #", {10, 12, 90, 30});
    AddEdit(kMessage, {95, 10, 170, 30});
    AddLabel(-1, "Priority", {10, 40, 90, 58});
    std::vector<Choice> names;
    for (int k = 0; k < kPriorityCount; ++k) names.push_back({kPriorityNames[k], k});
    AddDropList(kPriority, {95, 38, 290, 58}, std::move(names));
    AddLabel(-1, "not to be changed by the public", {10, 70, 290, 88});
    AddOkCancel("Update");
}

void CDirtyDataDialog::OnInitDialog() {
    ShowInt(kMessage, message_);
    SelectValue(kPriority, PriorityLevel(copy_.Priority()));
}

void CDirtyDataDialog::OnOK() {
    // A list left without a choice keeps the stored value.
    if (const std::optional<int> k = SelectedValue(kPriority)) copy_.SetPriority(PriorityValue(*k));
    End(Answer::Ok);
}

}  // namespace tablon
