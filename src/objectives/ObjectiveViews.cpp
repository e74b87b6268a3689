#include "objectives/ObjectiveViews.h"

#include <cstring>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/FeatureRecord.h"
#include "objectives/FedDialogs.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

namespace {

using O = ObjectiveRecord;
using F = FeatureRecord;
using E = FeatureEntryRecord;
using H = PointHeaderRecord;

// One byte column per title, at consecutive offsets.
void AddByteColumns(std::vector<ColumnDesc>& cols, int offset,
                    std::initializer_list<const char*> titles) {
    for (const char* t : titles) cols.push_back({t, 50, offset++, kKindU8});
}

// The point headers as rows: each header followed by the name of its objective.
class PhdRowSource : public RecordSource {
  public:
    explicit PhdRowSource(Database& db) : db_(db), phd_(*db.Table(FileId::Phd)) {}
    SourceRef Ref() const override { return {FileId::Phd, ModelTable::None}; }
    uint32_t RecordSize() const override { return PhdRow::kSize; }
    int Count() const override { return int(phd_.RecordCount()); }
    int Get(int index, uint8_t* out) const override {
        if (!phd_.GetRecord(index, out)) return 0;
        std::memset(out + PhdRow::kName, 0, PhdRow::kNameSize);
        StoreText(out + PhdRow::kName, PhdRow::kNameSize, PhdName(db_, out, index));
        return 1;
    }
    int Set(int index, const uint8_t* row) override { return phd_.SetRecord(index, row); }
    const FieldTable& Fields() const override { return PointHeaderFields(); }
    TableFile* Table() const override { return &phd_; }
    std::string TypeName() const override { return phd_.Desc().typeName; }

  private:
    Database& db_;
    TableFile& phd_;
};

constexpr SortCommand kSorts[] = {{cmd::kSortByName, 0}, {cmd::kSortByFileOrder, 1}};

}  // namespace

const std::vector<ColumnDesc>& ObjectiveColumns() {
    static const std::vector<ColumnDesc> cols = [] {
        // The run and chain indices are unsigned 16-bit: files hold up to 65,535 records.
        std::vector<ColumnDesc> c{
            {"Objective", 100, O::kName, kKindText, int(O::kNameSize)},
            {"No", 50, 0, kKindFileOrder},
            {"Ct", 50, O::kCtIndex, kKindI16},
            {"Data Rate", 50, O::kDataRate, kKindI16},
            {"Deag Dist", 50, O::kDeagDistance, kKindI16},
            {"Phd", 50, O::kFirstPointHeader, kKindU16},
            {"Iconid", 50, O::kIconId, kKindI16},
            {"FedCnt", 50, O::kFeatureEntryCount, kKindU8},
            {"Fed", 50, O::kFirstFeatureEntry, kKindU16},
            {"Radar Feature", 50, O::kRadarFeature, kKindU8},
        };
        AddByteColumns(c, O::kDetection,
                       {"Det v Static", "Det v Foot", "Det v Wheeled", "Det v Tracked",
                        "Det v Low air", "Det v air", "Det v naval", "Det v rail"});
        AddByteColumns(c, O::kDamage,
                       {"No Dam", "AP Dam", "HE Dam", "Bomb Dam", "Incendiary Dam", "Proximity Dam",
                        "Kinetic Dam", "Water Dam", "Chemical Dam", "Nuclear Dam", "Other Dam"});
        return c;
    }();
    return cols;
}

const std::vector<ColumnDesc>& FeatureColumns() {
    static const std::vector<ColumnDesc> cols = [] {
        std::vector<ColumnDesc> c{
            {"Feature", 100, F::kName, kKindText, int(F::kNameSize)},
            {"No", 50, 0, kKindFileOrder},
            {"CT", 50, F::kCtIndex, kKindI16},
            {"Repair Time", 50, F::kRepairTime, kKindI16},
            {"Priority", 50, F::kPriority, kKindI16},
            {"Flags", 50, F::kFlags, kKindU16},
            {"Angle", 50, F::kAngle, kKindF32},
            {"HitPoints", 50, F::kHitPoints, kKindI16},
            {"Height", 50, F::kHeight, kKindI16},
            {"RadType", 50, F::kRadarType, kKindI16},
        };
        AddByteColumns(
            c, F::kVulnerability,
            {"V Unk", "V AP/Pen", "V GP/HE", "V Anti-Runway", "V Incendiary", "V Proximity",
             "V Bullet", "V Water", "V Chemical", "V Nuclear", "V Other"});
        return c;
    }();
    return cols;
}

const std::vector<ColumnDesc>& FedColumns() {
    static const std::vector<ColumnDesc> cols = [] {
        // The 16-bit fields show signed.
        std::vector<ColumnDesc> c{
            {"Name", 100, 0, kKindFileOrder, 0, 1, FedName},
            {"CTind", 50, E::kCtIndex, kKindI16},
        };
        AddByteColumns(c, E::kDomain, {"Domain", "Class", "Type", "SubType", "Specific", "Mode"});
        std::vector<ColumnDesc> rest{
            {"Value", 50, E::kValue, kKindI16},  {"xoff", 50, E::kX, kKindF32},
            {"yoff", 50, E::kY, kKindF32},       {"zoff", 50, E::kZ, kKindF32},
            {"flags", 50, E::kFlags, kKindI16},  {"unk3", 50, E::kUnk3, kKindI16},
            {"Unk4", 50, E::kHeading, kKindI16}, {"Unk5", 50, E::kUnk5, kKindI16},
        };
        c.insert(c.end(), rest.begin(), rest.end());
        return c;
    }();
    return cols;
}

const std::vector<ColumnDesc>& PhdColumns() {
    static const std::vector<ColumnDesc> cols = [] {
        std::vector<ColumnDesc> c{
            {"Name", 100, PhdRow::kName, kKindText, PhdRow::kNameSize},
            {"No", 50, 0, kKindFileOrder},
            {"Ocd", 50, H::kObjective, kKindU16},
            {"Type", 50, H::kType, kKindU8},
            {"pdcount", 50, H::kPointCount, kKindU8},
            {"Pd ind", 50, H::kFirstPoint, kKindU16},
            {"Chain", 50, H::kChain, kKindU16},
            {"hdg", 50, H::kHeading, kKindI16},
            {"sin(hdg)", 50, H::kSinHeading, kKindF32},
            {"cos(hdg)", 50, H::kCosHeading, kKindF32},
            {"Tex Id", 50, H::kTextureId, kKindI16},
            {"Rwy No", 50, H::kRunway, kKindU8},
            {"L/R bldg", 50, H::kLeftRight, kKindU8},
        };
        AddByteColumns(c, H::kFeatures,
                       {"Feat 1", "Feat 2", "Feat 3", "Feat 4", "Feat 5", "Feat 6"});
        return c;
    }();
    return cols;
}

std::string PhdName(const Database& db, const uint8_t* header, int index) {
    const TableFile* ocd = db.Table(FileId::Ocd);
    ObjectiveRecord o;
    if (ocd && ocd->GetRecord(LoadLE<uint16_t>(header + H::kObjective), o.data())) return o.Name();
    return Format("PHD %d", index);
}

const RecordViewSetup& ObjectiveViewSetup() {
    static const RecordViewSetup setup{"CObjectiveView",
                                       FileId::Ocd,
                                       ObjectiveColumns,
                                       kRecordAdd | kRecordCopy | kRecordDelete | kRecordExport,
                                       O::kName,
                                       &EntryRuns(),
                                       "Update failed",
                                       false,
                                       {7, 8}};
    return setup;
}

const RecordViewSetup& FeatureViewSetup() {
    static const RecordViewSetup setup{"CFeatureView",  FileId::Fcd, FeatureColumns,
                                       kRecordAll,      F::kName,    nullptr,
                                       "Update failed", false,       {}};
    return setup;
}

const RecordViewSetup& PhdViewSetup() {
    static const RecordViewSetup setup{"CPhdView",   FileId::Phd,     PhdColumns, kRecordAll, -1,
                                       &PointRuns(), "Update Failed", true,       {4, 5}};
    return setup;
}

std::unique_ptr<CMvView> MakeObjectiveView(ShellContext& ctx) {
    return std::make_unique<CRecordEditView>(ctx, ObjectiveViewSetup(),
                                             MakeSource(ctx.db, {FileId::Ocd}));
}
std::unique_ptr<CMvView> MakeFeatureView(ShellContext& ctx) {
    return std::make_unique<CRecordEditView>(ctx, FeatureViewSetup(),
                                             MakeSource(ctx.db, {FileId::Fcd}));
}
std::unique_ptr<CMvView> MakePhdView(ShellContext& ctx) {
    return std::make_unique<CRecordEditView>(ctx, PhdViewSetup(),
                                             std::make_unique<PhdRowSource>(ctx.db));
}

// ---- CRecordEditView ----

CRecordEditView::CRecordEditView(ShellContext& ctx, const RecordViewSetup& setup,
                                 std::unique_ptr<RecordSource> source)
    : CMvView(ctx, std::move(source), setup.columns(), 1), setup_(setup) {}

TableFile& CRecordEditView::Table() const {
    return *Source().Table();
}

bool CRecordEditView::Listed(const uint8_t* row) const {
    return setup_.nameOffset < 0 || row[setup_.nameOffset] != 0;
}

std::span<const SortCommand> CRecordEditView::SortCommands() const {
    return kSorts;
}

bool CRecordEditView::SortCommandChecked(int column) const {
    if (setup_.onlyFileOrderChecked && column != 1) return false;
    return LastSortColumn() == column;
}

void CRecordEditView::Fill() {
    std::vector<uint8_t> row(Source().RecordSize());
    for (int i = 0; Source().Get(i, row.data()); ++i)
        if (Listed(row.data())) InsertRow(i, row.data());
}

std::string CRecordEditView::ItemTextFor(const uint8_t* row, int index) const {
    return FieldText(row, Source().RecordSize(), index, Column(0));
}

void CRecordEditView::RefreshFromFile(int row) {
    const int index = ItemData(row);
    std::vector<uint8_t> data(Source().RecordSize());
    if (!Source().Get(index, data.data())) return;
    if (!Listed(data.data())) {
        RemoveRow(row);
        return;
    }
    std::string text = ItemTextFor(data.data(), index);
    if (text == ItemText(row))
        FillCells(row, data.data());
    else
        ReplaceRow(row, data.data(), std::move(text), 0);
}

void CRecordEditView::RefreshRunColumns() {
    if (setup_.runColumns.empty()) return;
    std::vector<uint8_t> data(Source().RecordSize());
    for (int r = 0; r < RowCount(); ++r) {
        const int index = ItemData(r);
        if (!Source().Get(index, data.data())) continue;
        for (int c : setup_.runColumns)
            if (FieldText(data.data(), uint32_t(data.size()), index, Column(c)) != CellText(r, c)) {
                FillCells(r, data.data());
                break;
            }
    }
}

void CRecordEditView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    Bytes copy;
    if (!Table().GetRecord(index, copy)) return;
    const SourceRef kind{setup_.file, ModelTable::None};
    if (RunRecordDialog(ctx_, kind, index, copy) == Answer::Ok && !Table().SetRecord(index, copy))
        ctx_.ui.Show(setup_.updateFailed);
    // The dialog may have moved other records' runs; the row shows what the file holds.
    RefreshRunColumns();
    const int now = PositionOf(index);
    if (now >= 0) RefreshFromFile(now);
}

void CRecordEditView::AddRecord(bool copy) {
    std::optional<int> from;
    if (copy) {
        from = SelectedIndex();
        if (*from < 0) return;
    }
    Bytes record;
    if (setup_.runs) {
        std::string message;
        if (!DraftNewOwner(ctx_.db, *setup_.runs, from, record, message)) {
            ctx_.ui.Show(message);
            return;
        }
    } else {
        record.assign(Table().MemSize(), 0);
        if (from && !Table().GetRecord(*from, record)) return;
    }
    // The dialog shows the number an append will give.
    const int index = int(Table().RecordCount());
    const bool ok =
        RunRecordDialog(ctx_, {setup_.file, ModelTable::None}, index, record) == Answer::Ok;
    RefreshRunColumns();
    if (!ok) {
        if (setup_.runs) DiscardDraft(ctx_.db, *setup_.runs, record);
        return;
    }
    int added = 0;
    const bool appended = setup_.runs ? AppendDraft(ctx_.db, *setup_.runs, record, added)
                                      : Table().AppendRecord(added, record.data()) != 0;
    if (!appended) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    std::vector<uint8_t> row(Source().RecordSize());
    if (Source().Get(added, row.data()) && Listed(row.data())) InsertRow(added, row.data());
}

bool CRecordEditView::DeleteLastRecord(int index) {
    return Table().DeleteLastRecord(index) != 0;
}

// ---- CRunView ----

CRunView::CRunView(ShellContext& ctx, FileId member, const std::vector<ColumnDesc>& columns,
                   Run run)
    : CMvView(ctx, MakeSource(ctx.db, {member}), columns, 0), run_(run) {}

void CRunView::Fill() {
    std::vector<uint8_t> record(Source().RecordSize());
    for (uint32_t i = run_.first; i < run_.End(); ++i) {
        if (!Source().Get(int(i), record.data())) break;
        InsertRow(int(i), record.data());
    }
}

std::string CRunView::ItemTextFor(const uint8_t* record, int index) const {
    return FieldText(record, Source().RecordSize(), index, Column(0));
}

// ---- CFedView ----

CFedView::CFedView(ShellContext& ctx)
    : CMvView(ctx, MakeSource(ctx.db, {FileId::Fed}), FedColumns(), 0) {}

std::string CFedView::ItemTextFor(const uint8_t* record, int index) const {
    return FedName(record, index);
}

}  // namespace tablon
