#include "sensors/SensorViews.h"

#include "sensors/AircraftDataRecord.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "shell/NumberText.h"
#include "store/Database.h"

namespace tablon {

namespace {

constexpr float kDegreesPerRadian = 57.295784f;

// A degree column shows the radian field at Offset in degrees and sorts like that field.
template <uint16_t Offset>
std::string DegreeText(const uint8_t* record, int) {
    return FormatDouble("%g", double(Degrees(LoadLE<float>(record + Offset))));
}

// A 16-bit flag word as "x%x".
template <uint16_t Offset>
std::string FlagText(const uint8_t* record, int) {
    return Format("x%x", unsigned(LoadLE<uint16_t>(record + Offset)));
}

SensorColumn Name() {
    return {{"Name", 100, 0, kKindFileOrder}};
}
SensorColumn Col(const char* title, uint16_t offset, int kind) {
    return {{title, 50, offset, kind}};
}
template <uint16_t Offset>
SensorColumn DegreeCol(const char* title) {
    return {{title, 50, Offset, kKindF32, 0, 1, DegreeText<Offset>}};
}
template <uint16_t Offset>
SensorColumn FlagCol(uint16_t minFileSize) {
    return {{"Flag", 50, Offset, kKindU16, 0, 1, FlagText<Offset>}, minFileSize};
}

// The scan columns of the radar-warning and visual-sensor lists, raw value then degrees.
std::vector<SensorColumn> ScanColumns(const char* bottom, const char* left) {
    return {Name(),
            Col("Range", kScanRange, kKindF32),
            Col("Scan Top", kScanTop, kKindF32),
            DegreeCol<kScanTop>("Top (deg)"),
            Col(bottom, kScanBottom, kKindF32),
            DegreeCol<kScanBottom>("Bottom (deg)"),
            Col(left, kScanLeft, kKindF32),
            DegreeCol<kScanLeft>("Left (deg)"),
            Col("Scan Right", kScanRight, kKindF32),
            DegreeCol<kScanRight>("Right (deg)")};
}

}  // namespace

float Degrees(float radians) {
    return radians * kDegreesPerRadian;
}

const SensorViewSetup& RadarViewSetup() {
    using R = RadarRecord;
    static const SensorViewSetup setup{
        "CRadarView",
        FileId::Rcd,
        "Radar %d",
        {164, 163, 1},
        0,
        {Name(), Col("Sound", R::kSound, kKindI32), Col("Symbol", R::kSymbol, kKindI16),
         Col("DataFile", R::kDataIndex, kKindI16), Col("SweepTime", R::kSweepTime, kKindF32),
         Col("RWR Gain", R::kRwrGain, kKindF32), Col("Low RWR Gain", R::kLowRwrGain, kKindF32),
         Col("Range", R::kRange, kKindF32), Col("BeamWidth", R::kBeamWidth, kKindF32),
         Col("Azimuth", R::kAzimuth, kKindF32), Col("LockTime", R::kLockTime, kKindI32),
         Col("LookDownRange", R::kLookDownRange, kKindF32),
         Col("ECM Range", R::kEcmRange, kKindF32), Col("Beam Dist", R::kBeamDistance, kKindF32),
         Col("Min Doppler", R::kMinDoppler, kKindF32),
         Col("Chaff Chance", R::kChaffChance, kKindF32), FlagCol<R::kFlags>(58)},
        "Radar Data %d",
        "Update failed",
        "New Radar",
        "New radar",
        true,
        true,
        false,
        "Failed to updte RCD file",
    };
    return setup;
}

const SensorViewSetup& AcdViewSetup() {
    using A = AircraftDataRecord;
    static const SensorViewSetup setup = [] {
        SensorViewSetup s{
            "CAcdView",
            FileId::Acd,
            "Aircraft %d",
            {136, 135, 1},
            1,
            {Name(), Col("Combat Class", A::kCombatClass, kKindI32),
             Col("Airframe", A::kAirframe, kKindI32), Col("IR Sig", A::kIrSignature, kKindI32)},
            "Aircraft Data %d",
            "Update failed",
            "New Aircraft Data",
            "New Aircraft Data",
            false,
            false,
            false,
            nullptr,
        };
        static const char* const kTypes[] = {"1st Sensor", "2nd Sensor", "3rd Sensor", "4th Sensor",
                                             "5th Sensor"};
        static const char* const kIndices[] = {"Sind 1", "Sind 2", "Sind 3", "Sind 4", "Sind 5"};
        for (int i = 0; i < A::kSensors; ++i)
            s.columns.push_back(Col(kTypes[i], uint16_t(A::kSensorTypes + 4 * i), kKindI32));
        for (int i = 0; i < A::kSensors; ++i)
            s.columns.push_back(Col(kIndices[i], uint16_t(A::kSensorIndices + 4 * i), kKindI32));
        return s;
    }();
    return setup;
}

const SensorViewSetup& IcdViewSetup() {
    using I = IrSensorRecord;
    static const SensorViewSetup setup{
        "CIcdView",
        FileId::Icd,
        "IR %d",
        {166, 165, 1},
        1,
        {Name(), Col("Range?", I::kRange, kKindF32), Col("Fov?", I::kFov, kKindF32),
         Col("Gimbal Limit", I::kGimbalLimit, kKindF32),
         Col("Ground Factor", I::kGroundFactor, kKindF32),
         Col("Flare Chance", I::kFlareChance, kKindF32)},
        "ICD %d",
        "Update Failed",
        "New Icd",
        "New ICD",
        false,
        true,
        true,
        nullptr,
    };
    return setup;
}

const SensorViewSetup& RwdViewSetup() {
    static const SensorViewSetup setup = [] {
        SensorViewSetup s{
            "CRwdView", FileId::Rwd,
            "RWD %d",   {168, 167, 1},
            0,          ScanColumns("Scan Bottom", "Scan Left"),
            "RWD %d",   "Update Failed",
            "RWD %d",   "New RWD",
            false,      true,
            false,      "Failed to updte RWD file",
        };
        // The flag column stays for files without the flag word: it shows x0.
        s.columns.push_back(FlagCol<RwrRecord::kFlags>(0));
        return s;
    }();
    return setup;
}

const SensorViewSetup& VsdViewSetup() {
    static const SensorViewSetup setup{
        "CVsdView", FileId::Vsd,
        "VSD %d",   {170, 169, 1},
        1,          ScanColumns("Scan bottom", "Scan left"),
        "VSD %d",   "Update Failed",
        "VSD %d",   "New VSD",
        false,      true,
        false,      nullptr,
    };
    return setup;
}

// ---- CSensorView ----

namespace {

std::vector<ColumnDesc> ColumnsFor(Database& db, const SensorViewSetup& setup) {
    const TableFile* file = db.Table(setup.file);
    const uint32_t size = file ? file->RecordSize() : 0;
    std::vector<ColumnDesc> out;
    for (const auto& c : setup.columns)
        if (size >= c.minFileSize) out.push_back(c.column);
    return out;
}

}  // namespace

CSensorView::CSensorView(ShellContext& ctx, const SensorViewSetup& setup)
    : CMvView(ctx, MakeSource(ctx.db, {setup.file}), ColumnsFor(ctx.db, setup), 0), setup_(setup) {
    if (!ctx.registry.SortColumn(setup.className))
        ctx.registry.SetSortColumn(setup.className, setup.initialSort);
}

std::string CSensorView::ItemTextFor(const uint8_t*, int index) const {
    return Format(setup_.rowText, index);
}

unsigned CSensorView::RecordCommands() const {
    return setup_.showItem ? kRecordAll : kRecordAll & ~kRecordShow;
}

std::span<const SortCommand> CSensorView::SortCommands() const {
    static constexpr SortCommand kFileOrder[] = {{cmd::kSortByFileOrder, 0}};
    static constexpr SortCommand kNameToo[] = {{cmd::kSortByFileOrder, 0}, {cmd::kSortByName, 0}};
    if (setup_.sortByName) return kNameToo;
    return kFileOrder;
}

void CSensorView::RefreshRow(int row) {
    Bytes record(Source().RecordSize());
    if (Source().Get(ItemData(row), record.data())) FillCells(row, record.data());
}

void CSensorView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    // The row shows the record as written, like every other list.
    if (EditRecord(ctx_, Source().Ref(), index, setup_.updateFailed,
                   Format(setup_.dialogTitle, index)))
        RefreshRow(row);
}

void CSensorView::AddRecord(bool copy) {
    Bytes record(Source().RecordSize(), 0);
    if (copy) {
        const int from = SelectedIndex();
        if (from < 0 || !Source().Get(from, record.data())) return;
    }
    const int shown = setup_.newIndexUnknown ? -2 : File().LastIndex() + 1;
    const std::string name =
        copy ? setup_.copyName : Format(setup_.newName, File().LastIndex() + 1);
    if (RunRecordDialog(ctx_, Source().Ref(), shown, record, name) != Answer::Ok) return;
    int index = 0;
    if (!File().AppendRecord(index, record.data())) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    RefreshRow(InsertRow(index, record.data()));
}

bool CSensorView::DeleteLastRecord(int index) {
    return File().DeleteLastRecord(index);
}

void CSensorView::OnDrop(int sourceRow, int targetRow) {
    if (!setup_.dropFailed) return;
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    Bytes record(Source().RecordSize());
    if (!Source().Get(source, record.data())) return;
    if (ctx_.ui.Ask(Format("Overwrite Item %d with %d?", target, source)) != Answer::Yes) return;
    if (!File().SetRecord(target, record.data())) {
        ctx_.ui.Show(setup_.dropFailed);
        return;
    }
    RefreshRow(targetRow);
}

}  // namespace tablon
