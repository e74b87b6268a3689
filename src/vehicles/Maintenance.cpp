#include "vehicles/Maintenance.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"
#include "vehicles/VehicleStats.h"

namespace tablon {

using namespace maintdlg;

// ---- "Set Low Air" ----

CLowAirDialog::CLowAirDialog() : Form("Low Air Modifier Value", 260, 90) {
    AddLabel(-1, "Low Air Modifier", {10, 12, 120, 32});
    AddEdit(kLowAir, {125, 10, 245, 30});
    Bind(kLowAir, Exchange::Float, ExchangeRange{0.0, 1.0});
    AddOkCancel();
}

void CLowAirDialog::OnInitDialog() {
    ShowFloat(kLowAir, LowAirFactor());
}

void CLowAirDialog::OnOK() {
    if (!TakeFields()) return;
    SetLowAirFactor(Value(kLowAir).number);
    End(Answer::Ok);
}

void SetLowAir(ShellContext& ctx) {
    CLowAirDialog dialog;
    ctx.ui.RunDialog(dialog);
}

// ---- "Sort Hardpoint Tables" ----

int WeaponListEntries(int fileRecordSize) {
    return std::clamp((fileRecordSize - 16) / 3, 0, WeaponListRecord::kEntries);
}

void PackWeaponList(WeaponListRecord& list, int entries) {
    int k = 0;
    for (int j = 0; j < entries; ++j) {
        const uint16_t weapon = list.Weapon(j);
        if (weapon == 0) continue;
        const uint8_t count = list.Count(j);
        if (j != k) list.SetEntry(j, 0, 0);
        list.SetEntry(k, weapon, count);
        ++k;
    }
}

namespace {

constexpr int kLastPackedSlot = 14;
constexpr int kLastSlot = kHardpointSlots - 1;

// The first used slot after slot k, or -1.
int NextUsedSlot(const VehicleRecord& v, int k) {
    for (int m = k + 1; m <= kLastSlot; ++m)
        if (v.SlotRef(m) != 0) return m;
    return -1;
}

}  // namespace

bool HasSlotGap(const VehicleRecord& vehicle) {
    for (int k = 1; k <= kLastPackedSlot; ++k)
        if (vehicle.SlotRef(k) == 0 && NextUsedSlot(vehicle, k) >= 0) return true;
    return false;
}

void PackSlots(VehicleRecord& v) {
    for (int k = 1; k <= kLastPackedSlot; ++k) {
        if (v.SlotRef(k) != 0) continue;
        const int m = NextUsedSlot(v, k);
        if (m < 0) continue;
        v.SetSlot(k, v.SlotRef(m), v.SlotLoad(m));
        // A bit already set in the empty slot stays set.
        if (v.RackBit(m)) v.SetRackBit(k, true);
        if (v.VisibleBit(m)) v.SetVisibleBit(k, true);
        v.SetSlot(m, 0, 0);
        v.SetRackBit(m, false);
        v.SetVisibleBit(m, false);
    }
}

namespace {

// Stage 1: every weapon list packed and written. False when the command is to end.
bool SortWeaponLists(Database& db, Ui& ui, bool& failed) {
    TableFile& wld = *db.Table(FileId::Wld);
    const int entries = WeaponListEntries(wld.RecordSize());
    WriteBatch batch(wld);
    WeaponListRecord list;
    for (int i = 0; i < int(wld.RecordCount()); ++i) {
        if (!wld.GetRecord(i, list.data())) {
            batch.Finish();
            ui.Show("Couldn't get Wld record!");
            failed = true;
            return false;
        }
        PackWeaponList(list, entries);
        if (!wld.SetRecord(i, list.data())) {
            ui.Show("Update Failed");
            failed = true;
        }
    }
    if (!batch.Finish()) {
        ui.Show("Update Failed");
        failed = true;
    }
    if (!failed) ui.Show("WLD tables sorted");
    return true;
}

// Stage 3: every vehicle's slots packed and written.
void SortVehicleSlots(Database& db, Ui& ui, bool& failed) {
    TableFile& vcd = *db.Table(FileId::Vcd);
    bool writeFailed = false;
    {
        WriteBatch batch(vcd);
        VehicleRecord v;
        for (int i = 0; i < int(vcd.RecordCount()); ++i) {
            if (!vcd.GetRecord(i, v.data())) {
                batch.Finish();
                ui.Show("Couldn't get VCD record!");
                failed = true;
                return;
            }
            PackSlots(v);
            if (!vcd.SetRecord(i, v.data())) {
                ui.Show("VCD record update Failed");
                writeFailed = true;
            }
        }
        if (!batch.Finish()) {
            ui.Show("VCD record update Failed");
            writeFailed = true;
        }
    }
    failed = failed || writeFailed;
    if (!writeFailed) ui.Show("Sorted VCD hardpoint tables");
}

}  // namespace

CHardpointReviewDialog::CHardpointReviewDialog(ShellContext& ctx)
    : Form("List of changed VCD HP Data", 260, 340), ctx_(ctx) {
    AddLabel(-1, "Number of changed VCD Hardpoint data:", {10, 12, 190, 32});
    AddEdit(kChangedCount, {195, 10, 250, 30}).readOnly = true;
    AddList(kChangedVehicles, {10, 40, 250, 296}, {{"Name", 100}, {"VCD-Index", 60}});
    AddOkCancel("Fix Records", "Cancel");
}

void CHardpointReviewDialog::OnInitDialog() {
    const TableFile& vcd = *ctx_.db.Table(FileId::Vcd);
    std::vector<ListRow> rows;
    VehicleRecord v;
    complete_ = true;
    for (int i = 0; i < int(vcd.RecordCount()); ++i) {
        if (!vcd.GetRecord(i, v.data())) {
            ctx_.ui.Show("Couldn't get VCD record!");
            complete_ = false;
            break;
        }
        if (HasSlotGap(v)) rows.push_back({{v.Name(), std::to_string(i)}, i});
    }
    ShowInt(kChangedCount, int64_t(rows.size()));
    SetRows(kChangedVehicles, std::move(rows));
}

void CHardpointReviewDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kChangedVehicles || kind != ListEventKind::DoubleClick || row < 0 ||
        size_t(row) >= Rows(kChangedVehicles).size())
        return;
    const int index = int(Rows(kChangedVehicles)[size_t(row)].data);
    TableFile& vcd = *ctx_.db.Table(FileId::Vcd);
    Bytes record;
    if (!vcd.GetRecord(index, record)) {
        ctx_.ui.Show("Couldn't get the VCD record");
        return;
    }
    if (RunRecordDialog(ctx_, {FileId::Vcd}, index, record) == Answer::Ok &&
        !vcd.SetRecord(index, record))
        ctx_.ui.Show("VCD Update Failed");
}

bool SortHardpointTables(ShellContext& ctx) {
    bool failed = false;
    {
        BusyScope busy(ctx.ui);
        if (!SortWeaponLists(ctx.db, ctx.ui, failed)) return false;
    }
    CHardpointReviewDialog review(ctx);
    if (ctx.ui.RunDialog(review) != Answer::Ok || !review.Complete()) return !failed;
    BusyScope busy(ctx.ui);
    SortVehicleSlots(ctx.db, ctx.ui, failed);
    return !failed;
}

// ---- "Create cockpit list" ----

namespace {

// Whether a path names one of the open files of the set: the list never overwrites them.
bool IsFileOfSet(Database& db, const std::string& path) {
    std::error_code ec;
    for (const auto& desc : FileDescs()) {
        const RecordFile& f = db.File(desc.id);
        if (f.IsOpen() && !f.Path().empty() && std::filesystem::equivalent(path, f.Path(), ec))
            return true;
    }
    return false;
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};

}  // namespace

bool WriteCockpitList(Database& db, Ui& ui, const std::string& path) {
    std::FILE* raw = IsFileOfSet(db, path) ? nullptr : std::fopen(path.c_str(), "w");
    if (!raw) {
        ui.Show("Couldn't open csv source file!");
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> out(raw);
    bool ok =
        std::fprintf(raw, "%15s %10s %10s\n\n", "Aircraft name", "CT number", "NCTR-Name") > 0;
    const TableFile& vcd = *db.Table(FileId::Vcd);
    CtFile& ct = db.Ct();
    VehicleRecord v;
    CtRecord c;
    for (int i = 0; ok && vcd.GetRecord(i, v.data()); ++i) {
        if (v.CtIndex() == 0 || !ct.GetRecord(uint16_t(v.CtIndex()), c) || c.Domain() != kDomainAir)
            continue;
        // The name and the cockpit code are read within their fields: neither needs a zero.
        const std::string name = v.Name();
        const std::string cockpit =
            LoadText(v.data() + VehicleRecord::kCockpit, VehicleRecord::kCockpitSize);
        ok = std::fprintf(raw, "%15s %10d %10.5s\n", name.c_str(), int(uint16_t(c.Graphic(0))),
                          cockpit.c_str()) > 0;
    }
    ok = ok && std::fflush(raw) == 0 && !std::ferror(raw);
    ok = std::fclose(out.release()) == 0 && ok;
    if (!ok) {
        ui.Show("Couldn't write the cockpit list file!");
        return false;
    }
    ui.Show("Sucessfully written file");
    return true;
}

bool CreateCockpitList(ShellContext& ctx) {
    FileRequest request;
    request.save = true;
    request.title = "Save filename";
    request.filter = "Cockpit list file(*.txt)|*.txt|All Files (*.*)|*.*||";
    request.defaultExt = "txt";
    const std::optional<std::string> path = ctx.ui.ChooseFile(request);
    if (!path) return false;
    return WriteCockpitList(ctx.db, ctx.ui, *path);
}

}  // namespace tablon
