#include "objectives/FedDialogs.h"

#include "classtable/CtNames.h"
#include "objectives/FedListFile.h"
#include "objectives/Runs.h"
#include "platform/FpMode.h"
#include "store/Database.h"

namespace tablon {

using namespace feddlg;

namespace {

// The drawing's controls in the "FED  List" dialog.
const ObjectiveDrawingPanel::Ids kPanelIds{kDrawing, 1830, 1831, 1832, 1833, 1834, 1835,
                                           1836,     1837, 1838, 1839, 1840, 1841};

using E = FeatureEntryRecord;
using T = FieldType;
using X = Exchange;

std::string DomainText(const uint8_t* r, int) {
    return DomainName(r[E::kDomain]);
}
std::string ClassText(const uint8_t* r, int) {
    return ClassName(r[E::kClass]);
}
std::string TypeText(const uint8_t* r, int) {
    return TypeName(r[E::kDomain], r[E::kClass], r[E::kType]);
}
std::string SubTypeText(const uint8_t* r, int) {
    return SubTypeName(r[E::kSubType]);
}
std::string SpecificText(const uint8_t* r, int) {
    return SpecificName(r[E::kSpecific]);
}
std::string ModeText(const uint8_t* r, int) {
    return ModeName(r[E::kMode]);
}

}  // namespace

std::string FedName(const uint8_t*, int index) {
    return Format("FED %d", index);
}

const std::vector<ColumnDesc>& FedListColumns() {
    // The name columns sort by the byte's value; the 16-bit fields show signed.
    static const std::vector<ColumnDesc> cols{
        {"Name", 100, 0, kKindFileOrder, 0, 1, FedName},
        {"CTind", 50, E::kCtIndex, kKindI16},
        {"Domain", 50, E::kDomain, kKindU8, 0, 1, DomainText},
        {"Class", 50, E::kClass, kKindU8, 0, 1, ClassText},
        {"Type", 50, E::kType, kKindU8, 0, 1, TypeText},
        {"SubType", 50, E::kSubType, kKindU8, 0, 1, SubTypeText},
        {"Specific", 50, E::kSpecific, kKindU8, 0, 1, SpecificText},
        {"Mode", 50, E::kMode, kKindU8, 0, 1, ModeText},
        {"Hdg", 50, E::kHeading, kKindI16},
        {"Value", 50, E::kValue, kKindI16},
        {"X offset", 50, E::kX, kKindF32},
        {"Y offset", 50, E::kY, kKindF32},
        {"Z offset", 50, E::kZ, kKindF32},
        {"Flags", 50, E::kFlags, kKindI16},
        {"unk3", 50, E::kUnk3, kKindI16},
        {"Unk5", 50, E::kUnk5, kKindI16},
    };
    return cols;
}

RecordRows FedListRows(const Database& db, const ObjectiveRecord& objective) {
    RecordRows rows(FedListColumns(), 0, E::kSize);
    const TableFile& fed = *db.Table(FileId::Fed);
    FeatureEntryRecord e;
    const uint32_t first = objective.FirstFeatureEntry();
    for (uint32_t i = 0; i < objective.FeatureEntryCount(); ++i) {
        if (!fed.GetRecord(int(first + i), e.data())) break;
        rows.Add(int(first + i), e.data());
    }
    return rows;
}

// ---- CFedListDialog ----

CFedListDialog::CFedListDialog(ShellContext& ctx, ObjectiveRecord& copy, int index,
                               std::string title)
    : Form(std::move(title), 980, 520),
      ctx_(ctx),
      copy_(copy),
      index_(index),
      rows_(FedListColumns(), 0, E::kSize),
      panel_(ctx.db, kPanelIds, "PT Label") {
    MakeResizable();
    panel_.AddTo(*this, {28, 10, 294, 450}, 300, 10);
    AddList(kList, {410, 10, 860, 470}, rows_.Columns());
    const int x = 870;
    AddButton(kAddAfter, "Add After", {x, 10, x + 100, 34});
    AddButton(kAddBefore, "Add Before", {x, 40, x + 100, 64});
    AddButton(kDelete, "Delete", {x, 70, x + 100, 94});
    AddButton(kSave, "Save FED's", {x, 120, x + 100, 144});
    AddButton(kLoad, "Load FED's", {x, 150, x + 100, 174});
    AddButton(kIdOk, "OK", {x, 410, x + 100, 434}).defaultButton = true;
    AddButton(kIdCancel, "Cancel", {x, 440, x + 100, 464});
}

void CFedListDialog::OnInitDialog() {
    // The list, the buttons and the drawing's controls keep their distance from the right
    // edge; the drawing grows.
    Anchor(kDrawing, 1, 1);
    Anchor(kPanelIds.hScroll, 1, 2);
    Anchor(kPanelIds.vScroll, 0, 1);
    Anchor(kList, 2, 1);
    for (int id : {kAddAfter, kAddBefore, kDelete, kSave, kLoad, kIdOk, kIdCancel})
        Anchor(id, 2, 0);
    for (int id : panel_.ColumnIds()) Anchor(id, 2, 0);
    panel_.Init(*this);
    Refill();
    Redraw();
}

void CFedListDialog::Refill() {
    rows_ = FedListRows(ctx_.db, copy_);
    SetRows(kList, rows_.Rows());
    EnableRowButtons();
}

void CFedListDialog::EnableRowButtons() {
    const bool row = SelectedEntry() >= 0;
    for (int id : {kAddAfter, kAddBefore, kDelete}) Enable(id, row);
}

void CFedListDialog::OnSelectionChanged(int id) {
    if (id == kList) EnableRowButtons();
}

void CFedListDialog::Redraw() {
    panel_.Build(*this, copy_);
}

void CFedListDialog::OnScroll(int id, ScrollAction action, int thumb) {
    Form::OnScroll(id, action, thumb);
    panel_.OnScroll(*this, id);
}

void CFedListDialog::OnPaint(int id, Canvas& canvas) {
    panel_.OnPaint(id, canvas);
}

int CFedListDialog::SelectedEntry() const {
    const int row = Selected(kList);
    if (row < 0 || size_t(row) >= Rows(kList).size()) return -1;
    return int(Rows(kList)[size_t(row)].data);
}

void CFedListDialog::OnButton(int id) {
    if (panel_.OnButton(*this, id)) return;
    const int entry = SelectedEntry();
    switch (id) {
        case kAddAfter:
            if (entry >= 0) AddEntry(entry + 1);
            break;
        case kAddBefore:
            if (entry >= 0) AddEntry(entry);
            break;
        case kDelete:
            if (entry >= 0) Delete();
            break;
        case kSave:
            Save();
            break;
        case kLoad:
            Load();
            break;
        default:
            break;
    }
}

void CFedListDialog::OnListEvent(int id, ListEventKind kind, int row, int column) {
    if (id != kList) return;
    if (kind == ListEventKind::HeaderClick) {
        rows_.Click(column);
        SetRows(kList, rows_.Rows());
        EnableRowButtons();
        return;
    }
    if (kind != ListEventKind::DoubleClick || row < 0) return;
    const int entry = int(Rows(kList)[size_t(row)].data);
    TableFile& fed = *ctx_.db.Table(FileId::Fed);
    FeatureEntryRecord e;
    if (!fed.GetRecord(entry, e.data())) return;
    if (RunFedEditDialog(ctx_, e) != Answer::Ok) return;
    if (!fed.SetRecord(entry, e.data())) ctx_.ui.Show("Update Failed");
    // The row shows what the file holds.
    Refill();
    Redraw();
}

void CFedListDialog::AddEntry(int position) {
    FeatureEntryRecord e;
    if (RunFedEditDialog(ctx_, e) != Answer::Ok) return;
    std::string message;
    if (!InsertMember(ctx_.db, EntryRuns(), index_, copy_.data(), uint32_t(position), e.data(),
                      message))
        ctx_.ui.Show(message);
    Refill();
    Redraw();
}

void CFedListDialog::Delete() {
    std::string message;
    if (!DeleteMember(ctx_.db, EntryRuns(), index_, copy_.data(), uint32_t(SelectedEntry()),
                      message))
        ctx_.ui.Show(message);
    Refill();
    Redraw();
}

void CFedListDialog::Save() {
    FileRequest r;
    r.save = true;
    r.title = "Save FED list";
    r.filter = kFedListFilter;
    r.defaultExt = kFedListExt;
    r.initialName = FedListDefaultName(copy_);
    const auto path = ctx_.ui.ChooseFile(r);
    if (!path) return;
    std::string message;
    if (!SaveFedList(ctx_.db, copy_, *path, message)) ctx_.ui.Show(message);
}

void CFedListDialog::Load() {
    FileRequest r;
    r.title = "Load FED list";
    r.filter = kFedListFilter;
    r.defaultExt = kFedListExt;
    r.mustExist = true;
    const auto path = ctx_.ui.ChooseFile(r);
    if (!path) return;
    std::string message;
    if (!LoadFedList(ctx_.db, index_, copy_, *path, message)) ctx_.ui.Show(message);
    Refill();
    Redraw();
}

Answer RunFedListDialog(ShellContext& ctx, ObjectiveRecord& copy, int index, std::string title) {
    CFedListDialog dialog(ctx, copy, index, std::move(title));
    return ctx.ui.RunDialog(dialog);
}

// ---- CFedEditDialog ----

namespace {

constexpr const char* kClassLabels[] = {"Domain", "Class", "Type", "Subtype", "Specific", "Mode"};

const std::vector<GridEntry>& FedEditEntries() {
    static const std::vector<GridEntry> entries = [] {
        std::vector<GridEntry> e{
            {kCt, "CT", 0, 0, E::kCtIndex, T::U16, X::Int, kWordMin, kWordMax, kCtButton},
        };
        for (const auto& b :
             ByteColumn(kDomain, kClassLabels, 0, 1, E::kDomain, X::Int, kByteMin, kByteMax))
            e.push_back(b);
        const std::vector<GridEntry> rest{
            {kHeading, "Heading", 1, 0, E::kHeading, T::I16, X::Int16},
            {kValue, "Value", 1, 1, E::kValue, T::U16, X::Int, kWordMin, kWordMax},
            {kX, "Xoff", 1, 2, E::kX, T::F32, X::Float},
            {kY, "Yoff", 1, 3, E::kY, T::F32, X::Float},
            {kZ, "Zoff", 1, 4, E::kZ, T::F32, X::Float},
            {kUnk1, "Unk1", 1, 5, E::kFlags, T::U16, X::Int, kWordMin, kWordMax},
            {kUnk2, "Unk2", 1, 6, E::kUnk3, T::U16, X::Int, kWordMin, kWordMax},
            {kUnk3, "Unk3", 1, 7, E::kUnk5, T::I16, X::Int, kWordMin, kWordMax},
        };
        e.insert(e.end(), rest.begin(), rest.end());
        return e;
    }();
    return entries;
}

const std::vector<RecordBinding>& FedEditBindings() {
    static const std::vector<RecordBinding> b = GridBindings(FedEditEntries());
    return b;
}

}  // namespace

CFedEditDialog::CFedEditDialog(ShellContext& ctx, FeatureEntryRecord& copy)
    : Form("FED Edit", 400, 290), ctx_(ctx), copy_(copy) {
    AddGridEntries(*this, FedEditEntries(), {.top = 10});
    AddOkCancel();
}

void CFedEditDialog::OnInitDialog() {
    SetProgramFpMode();
    ShowRecordFields(*this, FedEditBindings(), copy_.data());
}

bool CFedEditDialog::TakeIntoCopy() {
    if (!TakeFields()) return false;
    // The pads are not edited: they stay as they are.
    StoreRecordFields(*this, FedEditBindings(), copy_.data());
    return true;
}

void CFedEditDialog::OnOK() {
    if (TakeIntoCopy()) End(Answer::Ok);
}

void CFedEditDialog::OnButton(int id) {
    if (id == kCtButton && TakeIntoCopy()) EditCtRecord(ctx_, copy_.CtIndex(), "Feature");
}

Answer RunFedEditDialog(ShellContext& ctx, FeatureEntryRecord& copy) {
    CFedEditDialog dialog(ctx, copy);
    return ctx.ui.RunDialog(dialog);
}

}  // namespace tablon
