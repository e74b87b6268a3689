#include "objectives/PointDialogs.h"

#include "objectives/DialogGrid.h"
#include "objectives/ObjectiveViews.h"
#include "objectives/Runs.h"
#include "platform/FpMode.h"
#include "store/Database.h"

namespace tablon {

using namespace phddlg;

namespace {

using H = PointHeaderRecord;
using P = PointRecord;
using T = FieldType;
using X = Exchange;

constexpr const char* kFeatureLabels[] = {"Feature 1", "Feature 2", "Feature 3",
                                          "Feature 4", "Feature 5", "Feature 6"};

const std::vector<GridEntry>& HeaderEntries() {
    static const std::vector<GridEntry> entries = [] {
        std::vector<GridEntry> e{
            {kObjective, "Ocd Ptr", 0, 0, H::kObjective, T::U16, X::Int, kIndexMin, kIndexMax,
             kOcdButton},
            {kChain, "Chain", 0, 1, H::kChain, T::U16, X::Int, kIndexMin, kIndexMax},
            {kHeading, "Hdg", 0, 2, H::kHeading, T::I16, X::Int16},
            {kSin, "Sin(Hdg)", 0, 3, H::kSinHeading, T::F32, X::Float},
            {kCos, "Cos(hdg)", 0, 4, H::kCosHeading, T::F32, X::Float},
            {kCount, "Pd Count", 0, 5, H::kPointCount, T::U8, X::Byte},
            {kFirst, "Pd Ptr", 0, 6, H::kFirstPoint, T::U16, X::Int, kIndexMin, kIndexMax},
            {kTexture, "Tex Id", 0, 7, H::kTextureId, T::I16, X::Int16},
            {kRunway, "Rwy No", 1, 0, H::kRunway, T::U8, X::Byte},
            {kLeftRight, "L/R", 1, 1, H::kLeftRight, T::U8, X::Byte},
            {kType, "Type", 1, 2, H::kType, T::U8, X::Byte},
        };
        for (const auto& f : ByteColumn(kFeature, kFeatureLabels, 1, 3, H::kFeatures))
            e.push_back(f);
        return e;
    }();
    return entries;
}

const std::vector<RecordBinding>& HeaderBindings() {
    static const std::vector<RecordBinding> b = GridBindings(HeaderEntries());
    return b;
}

constexpr const char* kPointTypeNames[] = {
    "none",         "runway",     "takeoff",    "taxi",       "sam",
    "artillery",    "aaa",        "radar",      "runwayDim",  "support",
    "static radar", "small park", "large park", "small dock", "large dock",
    "take runway",  "helicopter", "follow me",  "crit taxi",
};
static_assert(std::size(kPointTypeNames) == kPointTypeCount);

}  // namespace

std::string PointTypeText(int type) {
    if (type >= 0 && type < kPointTypeCount) return kPointTypeNames[type];
    return std::to_string(type);
}

namespace {

std::string PointTypeCell(const uint8_t* r, int) {
    return PointTypeText(r[P::kType]);
}

}  // namespace

const std::vector<ColumnDesc>& PointListColumns() {
    static const std::vector<ColumnDesc> cols{
        {"Index", 75, 0, kKindFileOrder},   {"X?", 75, P::kX, kKindF32},
        {"Y?", 75, P::kY, kKindF32},        {"Type?", 75, P::kType, kKindU8, 0, 1, PointTypeCell},
        {"Flags?", 75, P::kFlags, kKindU8},
    };
    return cols;
}

RecordRows PointRows(const Database& db, const PointHeaderRecord& header) {
    RecordRows rows(PointListColumns(), 0, P::kSize);
    const TableFile& pd = *db.Table(FileId::Pd);
    PointRecord p;
    for (uint32_t i = 0; i < header.PointCount(); ++i) {
        const int index = int(header.FirstPoint() + i);
        // A point that cannot be read is left out.
        if (pd.GetRecord(index, p.data())) rows.Add(index, p.data());
    }
    return rows;
}

// ---- CPhdDialog ----

CPhdDialog::CPhdDialog(ShellContext& ctx, PointHeaderRecord& copy, int index, std::string name)
    : Form("Point Header Data Details", 620, 560),
      ctx_(ctx),
      copy_(copy),
      index_(index),
      name_(std::move(name)) {
    AddTitleEdit(kName, {10, 8, 400, 46}).readOnly = true;
    AddTitleEdit(kNumber, {410, 8, 600, 46}).readOnly = true;
    AddGridEntries(*this, HeaderEntries(), {});
    for (int id : {kSin, kCos}) Find(id)->numeric = CNumericEdit{};
    AddList(kList, {10, 290, 400, 510}, RecordRows(PointListColumns(), 0, P::kSize).Columns());
    AddButton(kAddAfter, "Add After", {410, 290, 510, 314});
    AddButton(kAddBefore, "Add Before", {410, 320, 510, 344});
    AddButton(kDelete, "Delete", {410, 350, 510, 374});
    AddOkCancel("Update", "Cancel");
}

void CPhdDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowText(kName, name_);
    ShowInt(kNumber, index_);
    ShowRecordFields(*this, HeaderBindings(), copy_.data());
    FillPoints();
}

void CPhdDialog::FillPoints() {
    SetRows(kList, PointRows(ctx_.db, copy_).Rows());
    EnableRowButtons();
}

// "Add After" needs a selected row, or a header without points; "Add Before" and "Delete" a
// selected row.
void CPhdDialog::EnableRowButtons() {
    const bool row = SelectedPoint() >= 0;
    Enable(kAddAfter, row || copy_.PointCount() == 0);
    Enable(kAddBefore, row);
    Enable(kDelete, row);
}

void CPhdDialog::OnSelectionChanged(int id) {
    if (id == kList) EnableRowButtons();
}

void CPhdDialog::ShowRun() {
    ShowUnsigned(kCount, copy_.PointCount());
    ShowUnsigned(kFirst, copy_.FirstPoint());
}

bool CPhdDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    StoreRecordFields(*this, HeaderBindings(), copy_.data());
    return true;
}

void CPhdDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

int CPhdDialog::SelectedPoint() const {
    const int row = Selected(kList);
    if (row < 0 || size_t(row) >= Rows(kList).size()) return -1;
    return int(Rows(kList)[size_t(row)].data);
}

void CPhdDialog::OnButton(int id) {
    switch (id) {
        case kAddAfter:
            AddPoint(true);
            break;
        case kAddBefore:
            AddPoint(false);
            break;
        case kDelete:
            Delete();
            break;
        case kOcdButton: {
            if (!TakeIntoCopy()) return;
            EditRecord(ctx_, {FileId::Ocd, ModelTable::None}, copy_.Objective(), "Update failed");
            break;
        }
        default:
            break;
    }
}

void CPhdDialog::AddPoint(bool after) {
    const int point = SelectedPoint();
    uint32_t position = 0;
    if (point >= 0)
        position = uint32_t(point) + (after ? 1 : 0);
    else if (after && copy_.PointCount() == 0)
        position = PositionBehindEarlierRun(ctx_.db, PointRuns(), index_);
    else
        return;
    PointRecord p;
    CPdDialog dialog(p);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    std::string message;
    if (!InsertMember(ctx_.db, PointRuns(), index_, copy_.data(), position, p.data(), message))
        ctx_.ui.Show(message);
    ShowRun();
    FillPoints();
}

void CPhdDialog::Delete() {
    const int point = SelectedPoint();
    if (point < 0) return;
    std::string message;
    if (!DeleteMember(ctx_.db, PointRuns(), index_, copy_.data(), uint32_t(point), message))
        ctx_.ui.Show(message);
    ShowRun();
    FillPoints();
}

void CPhdDialog::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (id != kList || kind != ListEventKind::DoubleClick || row < 0) return;
    const int point = int(Rows(kList)[size_t(row)].data);
    TableFile& pd = *ctx_.db.Table(FileId::Pd);
    PointRecord p;
    if (!pd.GetRecord(point, p.data())) return;
    CPdDialog dialog(p);
    if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
    if (!pd.SetRecord(point, p.data())) ctx_.ui.Show("Update Failed");
    FillPoints();
}

Answer RunPhdDialog(ShellContext& ctx, PointHeaderRecord& copy, int index,
                    const std::string& name) {
    CPhdDialog dialog(ctx, copy, index, name);
    return ctx.ui.RunDialog(dialog);
}

// ---- CPdDialog ----

namespace {

const std::vector<GridEntry>& PointEntries() {
    static const std::vector<GridEntry> entries{
        {kX, "X Off", 0, 0, P::kX, T::F32, X::Float},
        {kY, "Y Off", 0, 1, P::kY, T::F32, X::Float},
        {kPointType, "Type", 0, 2, P::kType, T::U8, X::Byte},
        {kPointFlags, "Flags", 0, 3, P::kFlags, T::U8, X::Byte},
    };
    return entries;
}

const std::vector<RecordBinding>& PointBindings() {
    static const std::vector<RecordBinding> b = GridBindings(PointEntries());
    return b;
}

}  // namespace

CPdDialog::CPdDialog(PointRecord& copy) : Form("PD Data", 220, 160), copy_(copy) {
    AddGridEntries(*this, PointEntries(), {.top = 10});
    for (int id : {kX, kY}) Find(id)->numeric = CNumericEdit{};
    AddOkCancel("Update", "Cancel");
}

void CPdDialog::OnInitDialog() {
    ShowRecordFields(*this, PointBindings(), copy_.data());
}

void CPdDialog::OnOK() {
    if (!TakeFields()) return;
    StoreRecordFields(*this, PointBindings(), copy_.data());
    End(Answer::Ok);
}

}  // namespace tablon
