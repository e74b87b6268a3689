#include "classtable/CtRecordDialog.h"

#include "classtable/CtNames.h"
#include "classtable/CtSearch.h"
#include "classtable/CtUsageDialog.h"

namespace tablon {

using namespace ctdlg;

namespace {

using R = CtRecord;
using T = FieldType;
using X = Exchange;

// One labelled control of the dialog: where it sits (column, row of the grid) and the record
// field it exchanges, in exchange order.
struct CtControl {
    int id;
    const char* label;
    int column;
    int row;
    uint16_t offset;
    FieldType field;
    Exchange exchange;
    ControlKind kind = ControlKind::Edit;
};

// clang-format off
const CtControl kControls[] = {
    {kDomain, "Domain", 0, 1, R::kDomain, T::U8, X::Choice, ControlKind::DropList},
    {kClass, "Class", 0, 2, R::kClass, T::U8, X::Choice, ControlKind::DropList},
    {kType, "Type", 0, 3, R::kType, T::U8, X::Byte},
    {kSubType, "SubType", 0, 4, R::kSubType, T::U8, X::Byte},
    {kSpecific, "Specific", 0, 5, R::kSpecific, T::U8, X::Byte},
    {kMode, "Mode", 0, 6, R::kMode, T::U8, X::Choice, ControlKind::DropList},
    {kFileType, "File Type", 0, 7, R::kDataType, T::U8, X::Choice, ControlKind::DropList},
    {kFileOffset, "File Offset", 0, 8, R::kDataRef, T::U32, X::Int},
    {kAltOffset, "Alt Offset", 0, 9, R::kAltDataRef, T::I16, X::Int},
    {kBubbleDist, "Bubble Dist", 0, 10, R::kBubbleDistance, T::F32, X::Float},
    {kUpdForceRng, "Upd Force Rng", 0, 11, R::kUpdateForceRange, T::F32, X::Float},
    {kUpdMult, "Upd Mult", 0, 12, R::kUpdateMultiplier, T::F32, X::Float},
    {kId, "Id", 1, 0, R::kId, T::I16, X::Int16},
    {kCollRad, "Coll Rad", 1, 1, R::kCollisionRadius, T::F32, X::Float},
    {kUpdRate, "Upd Rate", 1, 2, R::kUpdateRate, T::U32, X::UInt},
    {kUpdTol, "Upd Tol", 1, 3, R::kUpdateTolerance, T::U32, X::UInt},
    {kDamSeed, "Dam Seed", 1, 4, R::kDamageSeed, T::U32, X::UInt},
    {kHitpoints, "Hitpoints", 1, 5, R::kHitPoints, T::I32, X::Int},
    {kMajRev, "Maj Rev", 1, 6, R::kMajorRevision, T::I16, X::Int16},
    {kMinRev, "Min Rev", 1, 7, R::kMinorRevision, T::I16, X::Int16},
    {kCreatePrio, "Create Prio", 1, 8, R::kCreationPriority, T::I16, X::Int16},
    {kManageDom, "Manage Dom", 2, 0, R::kManagementDomain, T::U8, X::Byte},
    {kTransferable, "Transferable", 2, 1, R::kTransferable, T::U8, X::Byte},
    {kPrivate, "Private", 2, 2, R::kPrivate, T::U8, X::Byte},
    {kTangible, "Tangible", 2, 3, R::kTangible, T::U8, X::Byte},
    {kCollidable, "Collidable", 2, 4, R::kCollidable, T::U8, X::Byte},
    {kGlobal, "Global", 2, 5, R::kGlobal, T::U8, X::Byte},
    {kPersistant, "Persistant", 2, 6, R::kPersistent, T::U8, X::Byte},
};
// clang-format on

// The grid: label and field x positions and widths per column, row pitch.
constexpr int kLabelX[] = {10, 200, 380};
constexpr int kLabelW[] = {80, 80, 75};
constexpr int kFieldW[] = {95, 80, 45};
constexpr int kRowPitch = 26;
constexpr int kRowHeight = 20;

Rect LabelRect(int column, int row) {
    const int y = 10 + row * kRowPitch;
    return {kLabelX[column], y + 2, kLabelX[column] + kLabelW[column], y + kRowHeight};
}
Rect FieldRect(int column, int row) {
    const int x = kLabelX[column] + kLabelW[column] + 5, y = 10 + row * kRowPitch;
    return {x, y, x + kFieldW[column], y + kRowHeight};
}

std::vector<Choice> Names(int count, std::string (*name)(int)) {
    std::vector<Choice> out;
    for (int i = 0; i < count; ++i) out.push_back({name(i), i});
    return out;
}

const std::vector<RecordBinding>& Bindings() {
    static const std::vector<RecordBinding> bindings = [] {
        std::vector<RecordBinding> b;
        for (const auto& c : kControls) b.push_back({c.id, c.offset, c.field, c.exchange});
        return b;
    }();
    return bindings;
}

}  // namespace

// ---- CCtRecordDialog ----

CCtRecordDialog::CCtRecordDialog(ShellContext& ctx, CtRecord& copy, int index,
                                 const std::string& name)
    : Form("CT Entry for " + name, 510, 400), ctx_(ctx), copy_(copy), ctId_(index) {
    AddLabel(-1, "CT ID", LabelRect(0, 0));
    AddEdit(kCtId, FieldRect(0, 0));
    Bind(kCtId, Exchange::Int);
    for (const auto& c : kControls) {
        if (c.id == kFileOffset || c.id == kAltOffset) {
            const bool file = c.id == kFileOffset;
            AddButton(file ? kFileOffsetButton : kAltOffsetButton, c.label,
                      LabelRect(c.column, c.row));
        } else {
            AddLabel(-1, c.label, LabelRect(c.column, c.row));
        }
        if (c.kind == ControlKind::DropList)
            AddDropList(c.id, FieldRect(c.column, c.row));
        else
            AddEdit(c.id, FieldRect(c.column, c.row));
        Bind(c.id, c.exchange, FieldRange(c.field, c.exchange));
    }
    Find(kDomain)->choices = Names(DomainCount(), DomainName);
    Find(kClass)->choices = Names(ClassCount(), ClassName);
    Find(kMode)->choices = Names(5, ModeName);
    Find(kFileType)->choices = Names(7, DataTypeName);
    AddList(kGraphics, {200, 10 + 9 * kRowPitch, 500, 10 + 9 * kRowPitch + 130},
            {{"Graphic", 100}, {"Value", 60}});
    AddButton(kUsageButton, "Usage", {10, 10 + 13 * kRowPitch, 90, 10 + 13 * kRowPitch + 24});
    AddOkCancel("UPDATE");
}

void CCtRecordDialog::OnInitDialog() {
    ShowInt(kCtId, ctId_);
    ShowRecordFields(*this, Bindings(), copy_.data());
    const int type = copy_.DataType();
    const bool single = type == kDataFeature || type == kDataObjective || type == kDataUnit;
    const bool both = type == kDataVehicle || type == kDataWeapon;
    Enable(kFileOffsetButton, single || both);
    Enable(kAltOffsetButton, both);
    std::vector<ListRow> rows;
    for (int s = 0; s < R::kVisualStates; ++s)
        rows.push_back({{VisualStateName(s), std::to_string(copy_.Graphic(s))}, s});
    SetRows(kGraphics, std::move(rows));
}

bool CCtRecordDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    ctId_ = int(Value(kCtId).integer);
    StoreRecordFields(*this, Bindings(), copy_.data());
    return true;
}

void CCtRecordDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CCtRecordDialog::OnButton(int id) {
    switch (id) {
        case kFileOffsetButton:
            FileOffset();
            break;
        case kAltOffsetButton:
            AltOffset();
            break;
        case kUsageButton: {
            CCtUsageDialog usage(ctx_, uint32_t(ctId_));
            ctx_.ui.RunDialog(usage);
            break;
        }
        default:
            break;
    }
}

void CCtRecordDialog::FileOffset() {
    if (!TakeIntoCopy()) return;
    const std::optional<FileId> file = DataFileOf(copy_.DataType());
    if (!file) return;
    const bool capital = *file == FileId::Ucd || *file == FileId::Wcd;
    EditRecord(ctx_, {*file}, int(copy_.DataRef()), capital ? "Update Failed" : "Update failed");
}

void CCtRecordDialog::AltOffset() {
    if (!TakeIntoCopy()) return;
    const int index = copy_.AltDataRef();
    if (copy_.DataType() == kDataVehicle)
        EditRecord(ctx_, {FileId::Acd}, index, "Update Failed", Format("Aircraft Data %d", index));
    else if (copy_.DataType() == kDataWeapon)
        EditRecord(ctx_, {FileId::Swd}, index, "Update Failed");
}

void CCtRecordDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kGraphics || row < 0 || row >= R::kVisualStates) return;
    if (kind == ListEventKind::DoubleClick) {
        // The model's parent record, shown only: nothing is written.
        const SourceRef parents{FileId::Hdr, ModelTable::Parents};
        auto source = MakeSource(ctx_.db, parents);
        Bytes parent(source ? source->RecordSize() : 0);
        if (source && source->Get(copy_.Graphic(row), parent.data()))
            RunRecordDialog(ctx_, parents, copy_.Graphic(row), parent);
    } else if (kind == ListEventKind::RightClick) {
        CNewGraphicDialog dialog(copy_.Graphic(row));
        if (ctx_.ui.RunDialog(dialog) != Answer::Ok) return;
        copy_.SetGraphic(row, int16_t(dialog.Number()));
        SetCell(kGraphics, row, 1, std::to_string(dialog.Number()));
    }
}

Answer RunCtRecordDialog(ShellContext& ctx, CtRecord& copy, int index, const std::string& name) {
    CCtRecordDialog dialog(ctx, copy, index, name);
    return ctx.ui.RunDialog(dialog);
}

std::optional<uint32_t> AskCtRecordNumber(Ui& ui) {
    CNumberDialog dialog("CT Record Number", "CT-Record:", kCtRecord, Exchange::UInt);
    if (ui.RunDialog(dialog) != Answer::Ok) return std::nullopt;
    return uint32_t(dialog.Number());
}

}  // namespace tablon
