#include "objectives/ObjectiveDialogs.h"

#include "objectives/DialogGrid.h"
#include "objectives/FedDialogs.h"
#include "objectives/ObjectiveViewer.h"
#include "objectives/PointRecords.h"
#include "platform/FpMode.h"
#include "shell/NumberText.h"
#include "store/Database.h"

namespace tablon {

using namespace objdlg;

namespace {

using O = ObjectiveRecord;
using F = FeatureRecord;
using T = FieldType;
using X = Exchange;

constexpr const char* kMovers[] = {"Static",  "Foot", "Wheeled", "Tracked",
                                   "Low Air", "Air",  "Naval",   "Rail"};
constexpr const char* kDamages[] = {"None",       "AP",        "HE",      "Bomb",
                                    "Incendiary", "Proximity", "Kinetic", "Water",
                                    "Chemical",   "Nuclear",   "Other"};
constexpr const char* kVulnerabilities[] = {"Unk",        "AP/Pen",    "GP/HE",  "Anti-Runway",
                                            "Incendiary", "Proximity", "Bullet", "Water",
                                            "Chemical",   "Nuclear",   "Other"};

const std::vector<GridEntry>& ObjectiveEntries() {
    static const std::vector<GridEntry> entries = [] {
        std::vector<GridEntry> e{
            {kCt, "CT Recd", 0, 0, O::kCtIndex, T::U16, X::Int, kWordMin, kWordMax, kCtButton},
            {kDataRate, "Data Rate", 0, 1, O::kDataRate, T::I16, X::Int16},
            {kDeagDist, "Deag Dist", 0, 2, O::kDeagDistance, T::I16, X::Int16},
            {kRadarFeature, "Radar Feat", 0, 3, O::kRadarFeature, T::U8, X::Byte},
            {kIconId, "Icon Id", 0, 4, O::kIconId, T::I16, X::Int16},
            {kFedCount, "Fed Count", 0, 5, O::kFeatureEntryCount, T::U8, X::Byte},
            {kFedPtr, "Fed Ptr", 0, 6, O::kFirstFeatureEntry, T::U16, X::Int, kIndexMin, kIndexMax,
             kFedPtrButton},
            {kPhdPtr, "1st Phd pointer", 0, 7, O::kFirstPointHeader, T::U16, X::Int, kIndexMin,
             kIndexMax},
        };
        for (const auto& d : ByteColumn(kDetection, kMovers, 1, 0, O::kDetection)) e.push_back(d);
        for (const auto& d : ByteColumn(kDamage, kDamages, 2, 0, O::kDamage)) e.push_back(d);
        return e;
    }();
    return entries;
}

const std::vector<RecordBinding>& ObjectiveBindings() {
    static const std::vector<RecordBinding> b =
        GridBindings(ObjectiveEntries(), {{kName, O::kName, T::Text, X::Text, O::kNameSize - 1}});
    return b;
}

std::string Unsigned(unsigned v) {
    return std::to_string(v);
}

}  // namespace

// ---- CObjectiveDialog ----

CObjectiveDialog::CObjectiveDialog(ShellContext& ctx, ObjectiveRecord& copy, int index)
    : Form("Objective Data Details", 600, 640), ctx_(ctx), copy_(copy), index_(index) {
    AddTitleEdit(kName, {10, 8, 400, 46});
    Bind(kName, X::Text, std::nullopt, int(O::kNameSize - 1));
    AddGridEntries(*this, ObjectiveEntries(), {});
    AddGroup(-1, "Detection by", {195, 48, 385, 270});
    AddGroup(-1, "Damage by", {385, 48, 580, 350});
    AddButton(kView, "View", {10, 270, 100, 294});
    AddGroup(-1, "Phd-Pointers", {10, 360, 590, 590});
    std::vector<ListColumn> cols;
    for (const char* t :
         {"PHD", "OCD", "Type", "PDindex", "PDCount", "Feat1", "Feat2", "Feat3", "Feat4", "Feat5",
          "Feat6", "Heading", "Sinhdg", "Coshdg", "TexID", "RunwayNr", "LeftRight", "Chain"})
        cols.push_back({t, 50});
    AddList(kPhdList, {20, 380, 580, 580}, std::move(cols));
    AddOkCancel("Update", "Cancel");
}

void CObjectiveDialog::OnInitDialog() {
    ShowRecordFields(*this, ObjectiveBindings(), copy_.data());
    FillPointHeaders();
}

std::vector<ListRow> PointHeaderRows(const Database& db, int objective) {
    std::vector<ListRow> rows;
    const TableFile* phd = db.Table(FileId::Phd);
    if (!phd) return rows;
    PointHeaderRecord h;
    using H = PointHeaderRecord;
    // Every header is looked at: the list is what names this objective, not the chain.
    for (int i = 0; phd->GetRecord(i, h.data()); ++i) {
        if (h.Objective() != uint16_t(objective)) continue;
        ListRow r;
        r.data = i;
        r.cells = {Format("PHD %d", i), Unsigned(h.Objective()), Unsigned(h.b[H::kType]),
                   Unsigned(h.FirstPoint()), Unsigned(h.PointCount())};
        for (int f = 0; f < H::kFeatureCount; ++f)
            r.cells.push_back(Unsigned(h.b[H::kFeatures + f]));
        r.cells.push_back(Unsigned(h.Get<uint16_t>(H::kHeading)));
        r.cells.push_back(FormatDouble("%f", h.Get<float>(H::kSinHeading)));
        r.cells.push_back(FormatDouble("%f", h.Get<float>(H::kCosHeading)));
        r.cells.push_back(Unsigned(h.Get<uint16_t>(H::kTextureId)));
        r.cells.push_back(Unsigned(h.b[H::kRunway]));
        r.cells.push_back(Unsigned(h.b[H::kLeftRight]));
        r.cells.push_back(Unsigned(h.Chain()));
        rows.push_back(std::move(r));
    }
    return rows;
}

void CObjectiveDialog::FillPointHeaders() {
    SetRows(kPhdList, PointHeaderRows(ctx_.db, index_));
}

bool CObjectiveDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, ObjectiveBindings(), copy_.data());
    return true;
}

void CObjectiveDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CObjectiveDialog::OnButton(int id) {
    switch (id) {
        case kCtButton:
            EditCt();
            break;
        case kFedPtrButton:
            FedList();
            break;
        case kView: {
            CObjectiveViewerDialog viewer(ctx_, copy_);
            ctx_.ui.RunDialog(viewer);
            break;
        }
        default:
            break;
    }
}

void CObjectiveDialog::EditCt() {
    if (TakeFields()) EditCtRecord(ctx_, uint16_t(Value(kCt).integer), Text(kName));
}

void CObjectiveDialog::FedList() {
    // The entries are checked, but the list works on the run as the copy holds it, not as typed.
    if (!TakeFields()) return;
    RunFedListDialog(ctx_, copy_, index_, Format("FED data for %s", Value(kName).text.c_str()));
    // The run may have grown or shrunk: the two run entries show the copy again.
    ShowUnsigned(kFedCount, copy_.FeatureEntryCount());
    ShowUnsigned(kFedPtr, copy_.FirstFeatureEntry());
}

void CObjectiveDialog::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (id != kPhdList || kind != ListEventKind::DoubleClick || row < 0) return;
    const int header = int(Rows(kPhdList)[size_t(row)].data);
    EditRecord(ctx_, {FileId::Phd, ModelTable::None}, header, "Update Failed");
    FillPointHeaders();
}

Answer RunObjectiveDialog(ShellContext& ctx, ObjectiveRecord& copy, int index) {
    CObjectiveDialog dialog(ctx, copy, index);
    return ctx.ui.RunDialog(dialog);
}

// ---- feature flags ----

std::span<const FeatureFlagName> FeatureFlagNames() {
    static constexpr FeatureFlagName kNames[] = {
        {kFeatureRepairable, "Repairable", "repairable"},
        {kFeatureDontDeagg, "Don't Deagg", "dont-deagg"},
        {kFeatureHasLights, "Has Lights", "has-lights"},
        {kFeatureHasSmoke, "Has Smoke", "has-smoke"},
        {kFeatureNoHitEvaluation, "No hit evaluat.", "no-hit-evaluation"},
        {kFeatureFlatContainer, "Flat Container", "flat-container"},
        {kFeatureElevContainer, "Elev Container", "elev-container"},
        {kFeatureCanExplode, "Can Explode", "can-explode"},
        {kFeatureCanBurn, "Can Burn", "can-burn"},
        {kFeatureCanSmoke, "Can Smoke", "can-smoke"},
        {kFeatureCanCollapse, "Can Collapse", "can-collapse"},
        {kFeatureContainerTop, "Container Top", "container-top"},
        {kFeatureContainerNext, "Container Next", "container-next"},
    };
    return kNames;
}

uint16_t RebuildFeatureFlags(uint16_t flags) {
    uint16_t out = 0;
    for (const auto& f : FeatureFlagNames())
        if (flags & f.bit) out |= f.bit;
    return out;
}

namespace {

int BitOf(uint16_t value) {
    int bit = 0;
    while (bit < 15 && !(value & (1u << bit))) ++bit;
    return bit;
}

Rect FlagRect(int slot) {
    const int x = 10 + (slot / 7) * 150, y = 10 + (slot % 7) * 24;
    return {x, y, x + 140, y + 20};
}

}  // namespace

CFeatureFlagsDialog::CFeatureFlagsDialog(uint16_t flags)
    : Form("Feature Flags", 320, 230), flags_(flags) {
    int slot = 0;
    for (const auto& f : FeatureFlagNames())
        AddCheck(kFlagBox + BitOf(f.bit), f.label, FlagRect(slot++));
    AddCheck(kTreeFeature, "Tree Feature", FlagRect(slot)).enabled = false;
    AddOkCancel();
}

void CFeatureFlagsDialog::OnInitDialog() {
    for (const auto& f : FeatureFlagNames()) ShowCheck(kFlagBox + BitOf(f.bit), flags_ & f.bit);
    ShowCheck(kTreeFeature, false);
}

void CFeatureFlagsDialog::OnOK() {
    uint16_t flags = 0;
    for (const auto& f : FeatureFlagNames())
        if (Checked(kFlagBox + BitOf(f.bit))) flags |= f.bit;
    flags_ = flags;
    End(Answer::Ok);
}

// ---- CFeatureDialog ----

namespace {

const std::vector<GridEntry>& FeatureEntries() {
    static const std::vector<GridEntry> entries = [] {
        std::vector<GridEntry> e{
            {kFeatureCt, "CT Recd", 0, 0, F::kCtIndex, T::I16, X::Int, kWordMin, kWordMax,
             kFeatureCtButton},
            {kRadarType, "Radar Type", 0, 1, F::kRadarType, T::I16, X::Int16},
            {kRepairTime, "Repair Time", 0, 2, F::kRepairTime, T::I16, X::Int, kWordMin, kWordMax},
            {kPriority, "Priority", 0, 3, F::kPriority, T::I16, X::Int16},
            {kFlags, "Flags", 0, 4, F::kFlags, T::U16, X::UInt, 0, 65535, kFlagsButton},
            {kAngle, "Angle", 0, 5, F::kAngle, T::F32, X::Float},
            {kHitPoints, "Hit Points", 0, 6, F::kHitPoints, T::I16, X::Int16},
            {kHeight, "Height", 0, 7, F::kHeight, T::I16, X::Int16},
        };
        for (const auto& d : ByteColumn(kFeatureDetection, kMovers, 1, 0, F::kDetection))
            e.push_back(d);
        for (const auto& d : ByteColumn(kVulnerability, kVulnerabilities, 2, 0, F::kVulnerability,
                                        X::Int, kByteMin, kByteMax))
            e.push_back(d);
        return e;
    }();
    return entries;
}

const std::vector<RecordBinding>& FeatureBindings() {
    static const std::vector<RecordBinding> b = GridBindings(
        FeatureEntries(), {{kFeatureName, F::kName, T::Text, X::Text, F::kNameSize - 1}});
    return b;
}

}  // namespace

CFeatureDialog::CFeatureDialog(ShellContext& ctx, FeatureRecord& copy, int)
    : Form("Feature Data Details", 600, 400), ctx_(ctx), copy_(copy) {
    AddTitleEdit(kFeatureName, {10, 8, 400, 46});
    Bind(kFeatureName, X::Text, std::nullopt, int(F::kNameSize - 1));
    AddGridEntries(*this, FeatureEntries(), {});
    AddGroup(-1, "Detection by", {195, 48, 385, 270});
    AddGroup(-1, "Vulnerabilty (%)", {385, 48, 580, 350});
    AddOkCancel("Update", "Cancel");
}

void CFeatureDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowRecordFields(*this, FeatureBindings(), copy_.data());
}

void CFeatureDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, FeatureBindings(), copy_.data());
    End(Answer::Ok);
}

void CFeatureDialog::OnButton(int id) {
    if (id == kFeatureCtButton) {
        // The class-table record of the index the copy holds, not the one typed.
        EditCtRecord(ctx_, uint16_t(copy_.CtIndex()), copy_.Name());
    } else if (id == kFlagsButton) {
        int64_t v = 0;
        const uint16_t flags =
            ParseUnsignedText(Text(kFlags), v) && v <= 0xFFFF ? uint16_t(v) : copy_.Flags();
        CFeatureFlagsDialog dialog(flags);
        if (ctx_.ui.RunDialog(dialog) == Answer::Ok) ShowUnsigned(kFlags, dialog.Flags());
    }
}

Answer RunFeatureDialog(ShellContext& ctx, FeatureRecord& copy, int index) {
    CFeatureDialog dialog(ctx, copy, index);
    return ctx.ui.RunDialog(dialog);
}

}  // namespace tablon
