#include "sensors/SensorDialogs.h"

#include <algorithm>
#include <cstring>

#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "sensors/SensorUsage.h"
#include "sensors/SensorViews.h"
#include "store/Database.h"

namespace tablon {

using namespace sensordlg;

using T = FieldType;
using X = Exchange;

// ---- flag dialogs ----

const FlagsSetup& RadarFlagsSetup() {
    // Pulse and Doppler follow from the radar's values ("Set Pulse/Doppler flag"): shown only.
    static const FlagsSetup setup{"Radar flags",
                                  {{kRadarNctr, "has NCTR capability"},
                                   {kRadarTws, "has TWS capability"},
                                   {kRadarTfr, "has TFR capability"},
                                   {kRadarAirToAir, "is A-A radar"},
                                   {kRadarAirToGround, "is A-G radar"},
                                   {kRadarPulse, "is Pulse radar", true},
                                   {kRadarDoppler, "is Doppler radar", true}}};
    return setup;
}

const FlagsSetup& RwrFlagsSetup() {
    static const FlagsSetup setup{"Rwr flags",
                                  {{kRwrExactHeading, "can get exact heading"},
                                   {kRwrVagueDirection, "can only get vague direction"},
                                   {kRwrExactType, "can detect exact radar type"},
                                   {kRwrTypeGroup, "can only detect group of radar types"}}};
    return setup;
}

namespace {

int BitNumber(uint16_t bit) {
    int n = 0;
    while (n < 15 && !(bit & (1u << n))) ++n;
    return n;
}

}  // namespace

CFlagsDialog::CFlagsDialog(const FlagsSetup& setup, uint16_t flags)
    : Form(setup.title, 260, 40 + 24 * int(setup.boxes.size()) + 30), setup_(setup), flags_(flags) {
    int y = 10;
    for (const auto& b : setup.boxes) {
        AddCheck(kFlagBox + BitNumber(b.bit), b.label, {10, y, 250, y + 20}).enabled = !b.fixed;
        y += 24;
    }
    AddOkCancel();
}

void CFlagsDialog::OnInitDialog() {
    for (const auto& b : setup_.boxes)
        ShowCheck(kFlagBox + BitNumber(b.bit), (flags_ & b.bit) != 0);
}

void CFlagsDialog::OnOK() {
    uint16_t flags = 0;
    for (const auto& b : setup_.boxes)
        if (Checked(kFlagBox + BitNumber(b.bit))) flags |= b.bit;
    flags_ = flags;
    End(Answer::Ok);
}

// ---- usage lists ----

namespace {

std::vector<ListRow> VehicleRows(const std::vector<VehicleUse>& uses) {
    std::vector<ListRow> rows;
    rows.reserve(uses.size());
    for (const auto& u : uses) rows.push_back({{u.name, std::to_string(u.ct)}, u.vehicle});
    return rows;
}

}  // namespace

std::vector<ListRow> RadarUsageRows(const Database& db, int radar) {
    return VehicleRows(RadarUsage(db, radar));
}
std::vector<ListRow> AircraftDataUsageRows(const Database& db, int acd) {
    return VehicleRows(AircraftDataUsage(db, acd));
}
std::vector<ListRow> SensorUsageRows(const Database& db, SensorType type, int index) {
    return VehicleRows(SensorUsage(db, type, index));
}
std::vector<ListRow> AcdRadarUsageRows(const Database& db, int radar) {
    std::vector<ListRow> rows;
    for (int a : AircraftDataUsingRadar(db, radar)) rows.push_back({{Format("Acd %d", a)}, a});
    return rows;
}

CUsageListDialog::CUsageListDialog(ShellContext& ctx, std::string title, std::string heading,
                                   std::vector<ListColumn> columns,
                                   std::function<std::vector<ListRow>()> rows, UsageOpens opens)
    : Form(std::move(title), 260, 320), ctx_(ctx), rows_(std::move(rows)), opens_(opens) {
    const int top = heading.empty() ? 10 : 36;
    if (!heading.empty()) AddLabel(kUsageHeading, std::move(heading), {10, 10, 250, 30});
    AddList(kUsageList, {10, top, 250, 276}, std::move(columns));
    AddButton(kIdOk, "OK", {180, 286, 250, 310}).defaultButton = true;
}

void CUsageListDialog::OnInitDialog() {
    SetRows(kUsageList, rows_());
}

void CUsageListDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kUsageList || kind != ListEventKind::DoubleClick || row < 0 ||
        size_t(row) >= Rows(kUsageList).size())
        return;
    const int index = int(Rows(kUsageList)[size_t(row)].data);
    bool edited = false;
    if (opens_ == UsageOpens::Vehicle)
        edited = EditRecord(ctx_, {FileId::Vcd}, index, "Update failed");
    else if (opens_ == UsageOpens::AircraftData)
        edited = EditRecord(ctx_, {FileId::Acd}, index, "Update failed",
                            Format("Aircraft Data %d", index));
    // The edit may have changed what the list shows.
    if (edited) SetRows(kUsageList, rows_());
}

// ---- the four dialogs of one pattern ----

struct SensorEntry {
    const char* label;  // "": no label (the field sits right of the one before)
    uint16_t offset;
    FieldType field;
    Exchange exchange;
    bool degrees = false;  // a degree field beside it
};

struct SensorDialogSetup {
    const char* title;
    FileId file;
    std::vector<SensorEntry> entries;
    int rowsPerColumn;
    const char* group;  // a group box around entries [groupFirst, groupLast]
    int groupFirst, groupLast;
    const FlagsSetup* flags;  // nullptr: no flag word
    uint16_t flagOffset;
    const char* usedBy;
    const char* usageTitle;
    int usageNameWidth;
    SensorType usage;  // the sensor type whose usage the list shows
    bool acdUsage;     // "Acd Usage"
};

const SensorDialogSetup& RadarDialogSetup() {
    using R = RadarRecord;
    static const SensorDialogSetup setup{
        "RCD Data",
        FileId::Rcd,
        {{"Sound", R::kSound, T::U32, X::UInt},
         {"", R::kSymbol, T::I16, X::Int16},
         {"Data Index", R::kDataIndex, T::I16, X::Int16},
         {"RWR Gain", R::kRwrGain, T::F32, X::Float},
         {"LOW RWR Gain", R::kLowRwrGain, T::F32, X::Float},
         {"Range", R::kRange, T::F32, X::Float},
         {"BeamWidth", R::kBeamWidth, T::F32, X::Float},
         {"Azimuth", R::kAzimuth, T::F32, X::Float},
         {"SweepTime", R::kSweepTime, T::F32, X::Float},
         {"Lock Time (ms)", R::kLockTime, T::U32, X::UInt},
         {"Look Down Range", R::kLookDownRange, T::F32, X::Float},
         {"ECM Range", R::kEcmRange, T::F32, X::Float},
         {"Beam Dist", R::kBeamDistance, T::F32, X::Float},
         {"Min Doppler", R::kMinDoppler, T::F32, X::Float},
         {"Chaff Chance", R::kChaffChance, T::F32, X::Float}},
        8,
        nullptr,
        0,
        0,
        &RadarFlagsSetup(),
        R::kFlags,
        "Used By...",
        "RCD Usage",
        100,
        kSensorRadar,
        true,
    };
    return setup;
}

const SensorDialogSetup& IcdDialogSetup() {
    using I = IrSensorRecord;
    static const SensorDialogSetup setup{
        "ICD Data",
        FileId::Icd,
        {{"Range", I::kRange, T::F32, X::Float},
         {"FOV", I::kFov, T::F32, X::Float},
         {"Gimbal", I::kGimbalLimit, T::F32, X::Float, true},
         {"GChance", I::kGroundFactor, T::F32, X::Float},
         {"Flare Chance", I::kFlareChance, T::F32, X::Float}},
        8,
        nullptr,
        0,
        0,
        nullptr,
        0,
        "Used by ...",
        "ICD Usage",
        150,
        kSensorIrst,
        false,
    };
    return setup;
}

namespace {

std::vector<SensorEntry> ScanEntries() {
    return {{"Range", kScanRange, T::F32, X::Float},
            {"Top", kScanTop, T::F32, X::Float, true},
            {"Bottom", kScanBottom, T::F32, X::Float, true},
            {"Left", kScanLeft, T::F32, X::Float, true},
            {"Right", kScanRight, T::F32, X::Float, true}};
}

}  // namespace

const SensorDialogSetup& RwdDialogSetup() {
    static const SensorDialogSetup setup{
        "RWD Data",
        FileId::Rwd,
        ScanEntries(),
        8,
        "Scan Angles",
        1,
        4,
        &RwrFlagsSetup(),
        RwrRecord::kFlags,
        "Used by ...",
        "RWD Usage",
        150,
        kSensorRwr,
        false,
    };
    return setup;
}

const SensorDialogSetup& VsdDialogSetup() {
    static const SensorDialogSetup setup{
        "VSD Data", FileId::Vsd,  ScanEntries(), 8,   "Scan Angles", 1,     4, nullptr,
        0,          "Used by...", "VSD Usage",   150, kSensorVisual, false,
    };
    return setup;
}

namespace {

constexpr int kTop = 56;
constexpr int kPitch = 26;
constexpr int kColumnWidth = 320;

Rect EntryLabel(int column, int row) {
    const int x = 10 + column * kColumnWidth, y = kTop + row * kPitch;
    return {x, y + 2, x + 110, y + 22};
}
Rect EntryField(int column, int row) {
    const int x = 125 + column * kColumnWidth, y = kTop + row * kPitch;
    return {x, y, x + 90, y + 20};
}
Rect BesideField(int column, int row) {
    const int x = 220 + column * kColumnWidth, y = kTop + row * kPitch;
    return {x, y, x + 90, y + 20};
}

int LabelledEntries(const SensorDialogSetup& s) {
    return int(std::count_if(s.entries.begin(), s.entries.end(),
                             [](const SensorEntry& e) { return *e.label != 0; }));
}
int ColumnsOf(const SensorDialogSetup& s) {
    return (LabelledEntries(s) + s.rowsPerColumn - 1) / s.rowsPerColumn;
}

std::vector<RecordBinding> BindingsOf(const SensorDialogSetup& s) {
    std::vector<RecordBinding> b;
    for (size_t i = 0; i < s.entries.size(); ++i)
        b.push_back(
            {kField + int(i), s.entries[i].offset, s.entries[i].field, s.entries[i].exchange});
    if (s.flags) b.push_back({kFlags, s.flagOffset, T::U16, X::UInt});
    return b;
}

}  // namespace

CSensorDialog::CSensorDialog(ShellContext& ctx, const SensorDialogSetup& setup, uint8_t* copy,
                             int index, const std::string& name)
    : Form(setup.title, 20 + 320 * std::max(1, ColumnsOf(setup)),
           kTop + kPitch * std::min(LabelledEntries(setup), setup.rowsPerColumn) + 80),
      ctx_(ctx),
      setup_(setup),
      copy_(copy),
      index_(index) {
    Control& title = AddLabel(kName, name, {10, 8, Width() - 10, 48});
    title.fontFace = "Arial";
    title.fontPoints = 24;
    // A field without a label sits right of the one before it.
    int slot = -1, column = 0, row = 0;
    for (size_t i = 0; i < setup.entries.size(); ++i) {
        const SensorEntry& e = setup.entries[i];
        if (*e.label) {
            ++slot;
            column = slot / setup.rowsPerColumn;
            row = slot % setup.rowsPerColumn;
            AddLabel(-1, e.label, EntryLabel(column, row));
            AddEdit(kField + int(i), EntryField(column, row));
        } else {
            AddEdit(kField + int(i), BesideField(column, row));
        }
        Bind(kField + int(i), e.exchange);
        if (e.degrees) AddEdit(kDegrees + int(i), BesideField(column, row)).readOnly = true;
    }
    if (setup.group) {
        const Rect first = EntryLabel(0, setup.groupFirst), last = EntryField(0, setup.groupLast);
        AddGroup(kGroup, setup.group, {first.left - 5, first.top - 18, 315, last.bottom + 6});
    }
    const int y = Height() - 32;
    int x = 10;
    if (setup.flags) {
        AddButton(kFlagsButton, "Flags", {x, y, x + 60, y + 24});
        AddEdit(kFlags, {x + 65, y + 2, x + 135, y + 22});
        Bind(kFlags, X::UInt, ExchangeRange{0, 65535});
        x += 145;
    }
    AddButton(kUsedBy, setup.usedBy, {x, y, x + 80, y + 24});
    x += 90;
    if (setup.acdUsage) AddButton(kAcdUsage, "Acd Usage", {x, y, x + 80, y + 24});
    AddOkCancel("UPDATE");
}

bool CSensorDialog::HasFlagWord() const {
    const TableFile* file = ctx_.db.Table(setup_.file);
    return setup_.flags && file && file->RecordSize() > setup_.flagOffset;
}

void CSensorDialog::OnInitDialog() {
    ShowRecordFields(*this, BindingsOf(setup_), copy_);
    for (size_t i = 0; i < setup_.entries.size(); ++i)
        if (setup_.entries[i].degrees)
            ShowFloat(kDegrees + int(i), Degrees(LoadLE<float>(copy_ + setup_.entries[i].offset)));
    if (setup_.flags && !HasFlagWord()) {
        Enable(kFlagsButton, false);
        Enable(kFlags, false);
    }
}

void CSensorDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, BindingsOf(setup_), copy_);
    End(Answer::Ok);
}

void CSensorDialog::OnButton(int id) {
    if (id == kFlagsButton && setup_.flags) {
        int64_t v = 0;
        const uint16_t flags = ParseUnsignedText(Text(kFlags), v) && v <= 0xFFFF
                                   ? uint16_t(v)
                                   : LoadLE<uint16_t>(copy_ + setup_.flagOffset);
        CFlagsDialog dialog(*setup_.flags, flags);
        if (ctx_.ui.RunDialog(dialog) == Answer::Ok) ShowUnsigned(kFlags, dialog.Flags());
    } else if (id == kUsedBy) {
        Database& db = ctx_.db;
        const int index = index_;
        const SensorType type = setup_.usage;
        CUsageListDialog usage(
            ctx_, setup_.usageTitle, "", {{"Vehicle", setup_.usageNameWidth}, {"CT No", 50}},
            [&db, index, type] {
                return type == kSensorRadar ? RadarUsageRows(db, index)
                                            : SensorUsageRows(db, type, index);
            },
            UsageOpens::Vehicle);
        ctx_.ui.RunDialog(usage);
    } else if (id == kAcdUsage) {
        Database& db = ctx_.db;
        const int index = index_;
        CUsageListDialog usage(
            ctx_, "ACD Radar Usage", Format("Aircraft defn using radar %d", index),
            {{"Acd Def", 150}}, [&db, index] { return AcdRadarUsageRows(db, index); },
            UsageOpens::AircraftData);
        ctx_.ui.RunDialog(usage);
    }
}

// ---- "ACD Data" ----

namespace {

constexpr const char* kSensorLabels[] = {"1st Sensor", "2nd Sensor", "3rd Sensor", "4th Sensor",
                                         "5th Sensor"};

struct SensorFile {
    SensorType type;
    const char* button;
    FileId file;
    const char* title;
    const char* failed;
};
constexpr SensorFile kSensorFiles[] = {
    {kSensorIrst, "IRST", FileId::Icd, "ICD %d", "Update failed"},
    {kSensorRadar, "Radar", FileId::Rcd, "Radar Data %d", "Update failed"},
    {kSensorRwr, "RWR", FileId::Rwd, "RWD %d", "Update failed"},
    {kSensorVisual, "VSD", FileId::Vsd, "VSD %d", "Update Failed"},
};

const SensorFile* FileOfType(std::optional<int> type) {
    for (const auto& f : kSensorFiles)
        if (type && *type == f.type) return &f;
    return nullptr;
}

std::vector<Choice> SensorTypeChoices() {
    return {{"None", kSensorNone},
            {"IRST", kSensorIrst},
            {"Radar", kSensorRadar},
            {"RWR", kSensorRwr},
            {"Visual", kSensorVisual},
            {"HTS", kSensorHts},
            {"TargetingPod", kSensorTargetingPod},
            {"RadarHoming", kSensorRadarHoming}};
}

const std::vector<RecordBinding>& AcdBindings() {
    using A = AircraftDataRecord;
    static const std::vector<RecordBinding> b = [] {
        std::vector<RecordBinding> out{{kCombatClass, A::kCombatClass, T::I32, X::Int},
                                       {kAirframe, A::kAirframe, T::I32, X::Int},
                                       {kIrIndex, A::kIrSignature, T::I32, X::Int}};
        for (int i = 0; i < A::kSensors; ++i) {
            out.push_back({kSensorType + i, uint16_t(A::kSensorTypes + 4 * i), T::I32, X::Choice});
            out.push_back({kSensorIndex + i, uint16_t(A::kSensorIndices + 4 * i), T::I32, X::Int});
        }
        return out;
    }();
    return b;
}

}  // namespace

CAcdDialog::CAcdDialog(ShellContext& ctx, AircraftDataRecord& copy, int index,
                       const std::string& name)
    : Form("ACD Data", 420, 56 + 9 * kPitch + 50), ctx_(ctx), copy_(copy), index_(index) {
    Control& title = AddLabel(kName, name, {10, 8, 410, 48});
    title.fontFace = "Arial";
    title.fontPoints = 24;
    const struct {
        int id;
        const char* label;
    } kNumbers[] = {{kCombatClass, "Combat Class"}, {kAirframe, "Airframe"}, {kIrIndex, "IR Ind"}};
    int row = 0;
    for (const auto& n : kNumbers) {
        AddLabel(-1, n.label, EntryLabel(0, row));
        AddEdit(n.id, EntryField(0, row));
        ++row;
    }
    for (int i = 0; i < AircraftDataRecord::kSensors; ++i, ++row) {
        const int y = kTop + row * kPitch;
        AddLabel(-1, kSensorLabels[i], {10, y + 2, 90, y + 22});
        AddDropList(kSensorType + i, {95, y, 215, y + 20}, SensorTypeChoices());
        AddEdit(kSensorIndex + i, {220, y, 290, y + 20});
        AddButton(kSensorButton + i, Format("Sind%d", i + 1), {295, y, 375, y + 22});
    }
    for (const auto& b : AcdBindings()) Bind(b.control, b.exchange);
    const int y = Height() - 32;
    AddButton(kUsedBy, "Used by", {10, y, 90, y + 24});
    AddOkCancel("UPDATE");
}

void CAcdDialog::OnInitDialog() {
    ShowRecordFields(*this, AcdBindings(), copy_.data());
    for (int i = 0; i < AircraftDataRecord::kSensors; ++i) ShowSensorButton(i);
}

void CAcdDialog::ShowSensorButton(int sensor) {
    const SensorFile* f = FileOfType(SelectedValue(kSensorType + sensor));
    if (f) {
        Find(kSensorButton + sensor)->label = f->button;
        Changed(kSensorButton + sensor);
    }
    Enable(kSensorButton + sensor, f != nullptr);
}

void CAcdDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, AcdBindings(), copy_.data());
    End(Answer::Ok);
}

void CAcdDialog::OnButton(int id) {
    if (id >= kSensorType && id < kSensorType + AircraftDataRecord::kSensors) {
        ShowSensorButton(id - kSensorType);
    } else if (id >= kSensorButton && id < kSensorButton + AircraftDataRecord::kSensors) {
        OpenSensor(id - kSensorButton);
    } else if (id == kUsedBy) {
        Database& db = ctx_.db;
        const int index = index_;
        CUsageListDialog usage(
            ctx_, "ACD Usage", "", {{"Vehicle", 150}, {"CT No", 50}},
            [&db, index] { return AircraftDataUsageRows(db, index); }, UsageOpens::Nothing);
        ctx_.ui.RunDialog(usage);
    }
}

void CAcdDialog::OpenSensor(int sensor) {
    if (!TakeFields()) return;
    const int index = int(Value(kSensorIndex + sensor).integer);
    const SensorFile* f = FileOfType(SelectedValue(kSensorType + sensor));
    if (index < 0 || !f) return;
    EditRecord(ctx_, {f->file}, index, f->failed, Format(f->title, index));
}

// ---- registration ----

namespace {

// A dialog of the one pattern on the bytes the registry hands over.
template <const SensorDialogSetup& (*SetupOf)(), const char* DefaultName>
Answer RunSensorDialog(ShellContext& ctx, int index, Bytes& record, const std::string& title) {
    const TableFile* file = ctx.db.Table(SetupOf().file);
    if (file && record.size() < file->MemSize()) record.resize(file->MemSize(), 0);
    CSensorDialog dialog(ctx, SetupOf(), record.data(), index,
                         title.empty() ? Format(DefaultName, index) : title);
    return ctx.ui.RunDialog(dialog);
}

constexpr char kRadarName[] = "Radar Data %d";
constexpr char kIcdName[] = "ICD %d";
constexpr char kRwdName[] = "RWD %d";
constexpr char kVsdName[] = "VSD %d";

Answer RunAcd(ShellContext& ctx, int index, Bytes& record, const std::string& title) {
    AircraftDataRecord copy;
    std::memcpy(copy.data(), record.data(), std::min(record.size(), AircraftDataRecord::kSize));
    CAcdDialog dialog(ctx, copy, index, title.empty() ? Format("Aircraft Data %d", index) : title);
    const Answer a = ctx.ui.RunDialog(dialog);
    if (a == Answer::Ok) record.assign(copy.data(), copy.data() + AircraftDataRecord::kSize);
    return a;
}

}  // namespace

void RegisterSensorDialogs(ShellRegistry& registry) {
    registry.RegisterRecordDialog(
        {FileId::Rcd}, TitledRecordDialog(RunSensorDialog<RadarDialogSetup, kRadarName>));
    registry.RegisterRecordDialog({FileId::Icd},
                                  TitledRecordDialog(RunSensorDialog<IcdDialogSetup, kIcdName>));
    registry.RegisterRecordDialog({FileId::Rwd},
                                  TitledRecordDialog(RunSensorDialog<RwdDialogSetup, kRwdName>));
    registry.RegisterRecordDialog({FileId::Vsd},
                                  TitledRecordDialog(RunSensorDialog<VsdDialogSetup, kVsdName>));
    registry.RegisterRecordDialog({FileId::Acd}, TitledRecordDialog(RunAcd));
}

}  // namespace tablon
