#include "models/ModelDialogs.h"

#include <cctype>

#include "models/ModelFiles.h"
#include "models/TextureBitmap.h"
#include "store/Database.h"

namespace tablon {

namespace {

void ShowVector(Form& f, int x, const Vec3& v) {
    f.ShowFloat(x, v.x);
    f.ShowFloat(x + 1, v.y);
    f.ShowFloat(x + 2, v.z);
}

ListRow VectorRow(size_t i, const Vec3& v) {
    return {{std::to_string(i), CoordText(v.x), CoordText(v.y), CoordText(v.z)}, int64_t(i)};
}

std::vector<ListRow> VectorRows(const std::vector<Vec3>& list) {
    std::vector<ListRow> rows;
    rows.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) rows.push_back(VectorRow(i, list[i]));
    return rows;
}

const std::vector<ListColumn> kVectorColumns{{"No", 50}, {"X", 50}, {"Y", 50}, {"Z", 50}};

// Edits a position of a vector list in the vector editor; true when it was changed.
bool EditVector(Ui& ui, Vec3& v) {
    CVectorEditor editor(v);
    if (ui.RunDialog(editor) != Answer::Ok) return false;
    v = editor.Vector();
    return true;
}

}  // namespace

// ---- CVectorEditor ----

CVectorEditor::CVectorEditor(const Vec3& v) : Form("Vector Edtior", 220, 130), v_(v) {
    const char* labels[] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
        AddLabel(-1, labels[i], {10, 12 + 26 * i, 30, 30 + 26 * i});
        AddEdit(kX + i, {35, 10 + 26 * i, 130, 30 + 26 * i});
        Bind(kX + i, Exchange::Float);
    }
    AddOkCancel();
}

void CVectorEditor::OnInitDialog() {
    ShowVector(*this, kX, v_);
}

void CVectorEditor::OnOK() {
    if (!TakeFields()) return;
    // A coordinate that only went through its text keeps its exact bits.
    float* parts[] = {&v_.x, &v_.y, &v_.z};
    for (int i = 0; i < 3; ++i)
        if (FloatChanged(Value(kX + i).number, *parts[i])) *parts[i] = Value(kX + i).number;
    End(Answer::Ok);
}

// ---- CLodResolutionDialog ----

CLodResolutionDialog::CLodResolutionDialog(const LodRef& ref)
    : Form("Lod Resolution", 220, 100), ref_(ref) {
    AddLabel(-1, "Distance", {10, 12, 70, 30});
    AddEdit(kDistance, {75, 10, 200, 30});
    AddLabel(-1, "Lod", {10, 38, 70, 56});
    AddEdit(kLod, {75, 36, 200, 56});
    Bind(kDistance, Exchange::Float);
    Bind(kLod, Exchange::Int);
    AddOkCancel();
}

void CLodResolutionDialog::OnInitDialog() {
    ShowFloat(kDistance, ref_.distance);
    ShowInt(kLod, ref_.LodNumber());
}

void CLodResolutionDialog::OnOK() {
    if (!TakeFields()) return;
    if (FloatChanged(Value(kDistance).number, ref_.distance))
        ref_.distance = Value(kDistance).number;
    ref_.ref = uint32_t(int32_t(Value(kLod).integer)) << 1;
    End(Answer::Ok);
}

// ---- CPositionEditor ----

CPositionEditor::CPositionEditor(std::string title, std::vector<Vec3> positions)
    : Form(std::move(title), 260, 260), positions_(std::move(positions)) {
    AddList(kList, {10, 10, 250, 210}, kVectorColumns);
    AddOkCancel();
}

void CPositionEditor::OnInitDialog() {
    SetRows(kList, VectorRows(positions_));
}

void CPositionEditor::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (id != kList || kind != ListEventKind::DoubleClick || row < 0 ||
        size_t(row) >= positions_.size())
        return;
    Vec3& v = positions_[size_t(row)];
    if (!EditVector(GetUi(), v)) return;
    for (int c = 1; c <= 3; ++c)
        SetCell(kList, row, c, CoordText(c == 1 ? v.x : c == 2 ? v.y : v.z));
}

// ---- CNewTextureDialog ----

CNewTextureDialog::CNewTextureDialog(int number) : Form("New Texture", 220, 80), number_(number) {
    AddLabel(-1, "Texture", {10, 12, 70, 30});
    AddEdit(kNumber, {75, 10, 200, 30});
    Bind(kNumber, Exchange::Int);
    AddOkCancel();
}

void CNewTextureDialog::OnInitDialog() {
    ShowInt(kNumber, number_);
}

void CNewTextureDialog::OnOK() {
    if (!TakeFields()) return;
    number_ = int(Value(kNumber).integer);
    End(Answer::Ok);
}

// ---- CLodInfoDialog ----

CLodInfoDialog::CLodInfoDialog(ShellContext& ctx, int lod)
    : Form("Lod Info", 620, 330), ctx_(ctx), lod_(lod) {
    AddLabel(kName, "", {10, 10, 150, 28});
    const struct {
        int id;
        const char* label;
    } kCounts[] = {
        {kNodes, "Nodes"}, {kVectors, "Vectors"}, {kNormals, "Normals"}, {kTextures, "Textures"}};
    int left = 160;
    for (const auto& c : kCounts) {
        AddLabel(-1, c.label, {left, 10, left + 50, 28});
        AddEdit(c.id, {left + 52, 8, left + 100, 28}).readOnly = true;
        left += 110;
    }
    AddList(kVertexList, {10, 40, 230, 280}, kVectorColumns);
    AddList(kNormalList, {240, 40, 460, 280}, kVectorColumns);
    AddList(kTextureList, {470, 40, 610, 280}, {{"No", 50}, {"Tex", 50}});
    AddOkCancel();
}

void CLodInfoDialog::OnInitDialog() {
    LodRecord rec;
    if (!ctx_.db.Hdr().GetLod(lod_, rec) || !data_.Open(ctx_.db.Lod(), rec)) return;
    SetText(kName, Format("Lod no %d", lod_));
    ShowUnsigned(kNodes, data_.CodeCount());
    ShowUnsigned(kVectors, data_.RootVertices().count);
    ShowUnsigned(kNormals, data_.RootNormals().count);
    ShowUnsigned(kTextures, data_.RootTextures().count);
    auto vectors = [&](const LodTable& t) {
        std::vector<Vec3> list;
        Vec3 v;
        for (uint32_t i = 0; i < t.count && data_.TableVec3(t, i, v); ++i) list.push_back(v);
        return VectorRows(list);
    };
    SetRows(kVertexList, vectors(data_.RootVertices()));
    SetRows(kNormalList, vectors(data_.RootNormals()));
    std::vector<ListRow> textures;
    const std::vector<uint32_t> numbers = data_.RootTextureNumbers();
    for (size_t i = 0; i < numbers.size(); ++i)
        textures.push_back({{std::to_string(i), std::to_string(int(numbers[i]))}, int64_t(i)});
    SetRows(kTextureList, std::move(textures));
}

void CLodInfoDialog::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (kind != ListEventKind::DoubleClick || row < 0 || !data_.IsOpen()) return;
    if (id == kVertexList || id == kNormalList) {
        const LodTable t = id == kVertexList ? data_.RootVertices() : data_.RootNormals();
        Vec3 v;
        if (!data_.TableVec3(t, uint32_t(row), v) || !EditVector(GetUi(), v)) return;
        const int ok = id == kVertexList ? data_.SetRootVertex(uint32_t(row), v)
                                         : data_.SetRootNormal(uint32_t(row), v);
        if (!ok) return;
        for (int c = 1; c <= 3; ++c)
            SetCell(id, row, c, CoordText(c == 1 ? v.x : c == 2 ? v.y : v.z));
    } else if (id == kTextureList) {
        uint32_t number = 0;
        if (!data_.TableWord(data_.RootTextures(), uint32_t(row), number)) return;
        CNewTextureDialog dialog{int(number)};
        if (GetUi().RunDialog(dialog) != Answer::Ok) return;
        if (!data_.SetRootTexture(uint32_t(row), uint32_t(dialog.Number()))) return;
        SetCell(id, row, 1, std::to_string(dialog.Number()));
    }
}

// ---- CLodViewerDialog ----

namespace {

// A drawing area, or a slider or scroll bar over -range..range at 0.
Control Made(int id, ControlKind kind, Rect r, int range = 0) {
    Control c;
    c.id = id;
    c.kind = kind;
    c.rect = r;
    c.minimum = -range;
    c.maximum = range;
    return c;
}

}  // namespace

CLodViewerDialog::CLodViewerDialog(const LodData& lod, std::vector<Colour> colours,
                                   std::vector<Vec3> slots)
    : Form("Lod Viewer", 560, 420), model_(lod, std::move(colours), std::move(slots)) {
    Add(Made(kArea, ControlKind::Canvas, {20, 10, 440, 390}));
    Add(Made(kVScroll, ControlKind::ScrollBar, {2, 10, 18, 390}, LodViewerModel::kScrollMax));
    Add(Made(kHScroll, ControlKind::ScrollBar, {20, 395, 440, 411}, LodViewerModel::kScrollMax));
    AddButton(kIdOk, "OK", {450, 10, 550, 32}).defaultButton = true;
    AddButton(kIdCancel, "Cancel", {450, 36, 550, 58});
    AddGroup(-1, "View", {450, 64, 550, 146});
    AddRadio(kTop, kTop, "Top", {458, 80, 545, 98});
    AddRadio(kSide, kTop, "Side", {458, 100, 545, 118});
    AddRadio(kFront, kTop, "Front", {458, 120, 545, 138});
    AddCheck(kFilled, "Filled", {450, 152, 550, 170});
    AddCheck(kSlots, "Slots", {450, 172, 550, 190});
    AddCheck(kBsp, "BSP", {450, 192, 550, 210});
    AddCheck(kLabel, "Label", {450, 212, 550, 230});
    AddButton(kSwitches, "Switches...", {450, 236, 550, 258});
    AddButton(kDofs, "Dofs...", {450, 262, 550, 284});
    AddButton(kReset, "Reset", {450, 290, 550, 312});
    AddLabel(kZoom - 1, "Zoom", {450, 318, 550, 334});
    Add(Made(kZoom, ControlKind::Slider, {450, 336, 550, 360}, 10));
    MakeResizable(10);
}

void CLodViewerDialog::OnInitDialog() {
    for (int id : {kIdOk, kIdCancel, kTop, kSide, kFront, kFilled, kSlots, kBsp, kLabel, kSwitches,
                   kDofs, kReset, kZoom - 1, kZoom})
        Anchor(id, 2, 0);
    Anchor(kArea, 1, 1);
    Anchor(kHScroll, 1, 2);
    Anchor(kVScroll, 0, 1);
    SetChecked(kTop, true);
}

void CLodViewerDialog::OnButton(int id) {
    const struct {
        int id;
        unsigned flag;
    } kFlags[] = {
        {kFilled, kLodFilled}, {kSlots, kLodSlots}, {kBsp, kLodBsp}, {kLabel, kLodLabels}};
    for (const auto& f : kFlags)
        if (id == f.id) model_.flags = Checked(id) ? model_.flags | f.flag : model_.flags & ~f.flag;
    if (id == kTop || id == kSide || id == kFront)
        model_.projection = id == kTop    ? Projection::Top
                            : id == kSide ? Projection::Side
                                          : Projection::Front;
    if (id == kReset) {
        model_.Reset();
        SetPosition(kZoom, 0);
        SetPosition(kHScroll, 0);
        SetPosition(kVScroll, 0);
    }
    if (id == kSwitches) {
        std::vector<MenuChoice> items;
        for (int i = 0; i < model_.SwitchCount(); ++i) {
            int states = 0;
            for (uint32_t m = model_.DefaultMasks()[size_t(i)]; m; m &= m - 1) ++states;
            items.push_back({kSwitchCommand + i, Format("Switch %d (%d states)", i, states),
                             model_.SwitchOn(i)});
        }
        const int chosen = GetUi().PopupMenu(items);
        if (chosen >= kSwitchCommand && chosen < kSwitchCommand + model_.SwitchCount())
            model_.ToggleSwitch(chosen - kSwitchCommand);
    }
    if (id == kDofs) {
        std::vector<MenuChoice> items;
        for (int i = 0; i < model_.DofCount(); ++i)
            items.push_back({kDofCommand + i, Format("Dof %d", i), model_.DofOn(i)});
        const int chosen = GetUi().PopupMenu(items);
        if (chosen >= kDofCommand && chosen < kDofCommand + model_.DofCount())
            model_.ToggleDof(chosen - kDofCommand);
    }
    Invalidate(kArea);
}

void CLodViewerDialog::OnScroll(int id, ScrollAction action, int thumb) {
    Form::OnScroll(id, action, thumb);
    if (id == kZoom) model_.SetZoomPosition(Position(kZoom));
    if (id == kHScroll || id == kVScroll) model_.SetScroll(Position(kHScroll), Position(kVScroll));
    Invalidate(kArea);
}

void CLodViewerDialog::OnPaint(int id, Canvas& canvas) {
    if (id == kArea) layout_ = model_.Draw(canvas);
}

// ---- CParentDialog ----

namespace {

using F = FieldType;
using X = Exchange;
const std::vector<RecordBinding> kParentBindings{
    {CParentDialog::kRadius, 0, F::F32, X::Float},   {CParentDialog::kMinX, 4, F::F32, X::Float},
    {CParentDialog::kMaxX, 8, F::F32, X::Float},     {CParentDialog::kMinY, 12, F::F32, X::Float},
    {CParentDialog::kMaxY, 16, F::F32, X::Float},    {CParentDialog::kMinZ, 20, F::F32, X::Float},
    {CParentDialog::kMaxZ, 24, F::F32, X::Float},    {CParentDialog::kOffset1, 28, F::U32, X::UInt},
    {CParentDialog::kOffset2, 32, F::U32, X::UInt},  {CParentDialog::kLods, 40, F::U8, X::Byte},
    {CParentDialog::kTexSets, 36, F::I16, X::Int16}, {CParentDialog::kSwitches, 41, F::U8, X::Byte},
    {CParentDialog::kDofs, 42, F::U8, X::Byte},      {CParentDialog::kSlots, 43, F::U8, X::Byte},
    {CParentDialog::kDynamic, 38, F::I16, X::Int16},
};

}  // namespace

CParentDialog::CParentDialog(ShellContext& ctx, int parent)
    : Form("Size Information", 560, 380), ctx_(ctx) {
    data_.index = parent;
    const struct {
        int id;
        const char* label;
        int col, row;
    } kFields[] = {
        {kRadius, "Radius", 0, 0},
        {kMinX, "Min X", 0, 1},
        {kMaxX, "Max X", 0, 2},
        {kMinY, "Min Y", 0, 3},
        {kMaxY, "Max Y", 0, 4},
        {kMinZ, "Min Z", 0, 5},
        {kMaxZ, "Max Z", 0, 6},
        {kOffset1, "Offset 1", 0, 7},
        {kOffset2, "Offset 2", 0, 8},
        {kLods, "No. Lods", 1, 0},
        {kTexSets, "No. Tex Sets", 1, 1},
        {kSwitches, "No. Switches", 1, 2},
        {kDofs, "No. Dofs", 1, 3},
        {kSlots, "", 1, 4},
        {kDynamic, "", 1, 5},
        {kR6Offset, "R6 Offset", 1, 6},
        {kLodInd, "Lod Ind", 1, 7},
        {kTexCount, "Tex count", 1, 8},
    };
    for (const auto& f : kFields) {
        const int left = 10 + 180 * f.col, top = 10 + 26 * f.row;
        if (f.id == kSlots)
            AddButton(kSlotButton, "No. Slots", {left, top, left + 80, top + 22});
        else if (f.id == kDynamic)
            AddButton(kDynamicButton, "No. Dynamic", {left, top, left + 80, top + 22});
        else
            AddLabel(-1, f.label, {left, top + 3, left + 80, top + 20});
        Control& e = AddEdit(f.id, {left + 85, top, left + 170, top + 22});
        e.readOnly = f.id == kR6Offset || f.id == kLodInd || f.id == kTexCount;
    }
    for (const RecordBinding& b : kParentBindings) Bind(b.control, b.exchange);
    AddList(kLodList, {370, 10, 550, 150}, {{"Lod", 120}});
    AddButton(kLodButton, "Lod", {370, 156, 425, 178});
    AddButton(kLodRes, "Lod Res", {430, 156, 490, 178});
    AddButton(kView, "View", {495, 156, 550, 178});
    AddList(kTexList, {370, 186, 550, 300}, {{"Tex No", 120}});
    AddButton(kGetTexture, "Get Texture", {370, 306, 455, 328});
    AddButton(kSetTexture, "Set Texture", {465, 306, 550, 328});
    AddOkCancel();
}

void CParentDialog::OnInitDialog() {
    loaded_ = LoadParentData(ctx_.db, data_.index, data_);
    if (!loaded_) return;
    ShowInt(kR6Offset, data_.blockOffset);
    ShowInt(kLodInd, data_.lodInd);
    ShowInt(kTexCount, int64_t(data_.textures.size()));
    std::vector<ListRow> lods;
    for (const LodRef& r : data_.lodRefs) lods.push_back({{LodRefText(r)}, int64_t(r.LodNumber())});
    SetRows(kLodList, std::move(lods));
    std::vector<ListRow> textures;
    for (uint32_t t : data_.textures) textures.push_back({{std::to_string(int(t))}, int64_t(t)});
    SetRows(kTexList, std::move(textures));
    ShowRecordFields(*this, kParentBindings, data_.record.b);
}

void CParentDialog::OnOK() {
    // A refused field keeps the dialog open and writes nothing.
    if (!TakeFields()) return;
    End(Answer::Ok);
    ParentRecord rec;
    if (!ctx_.db.Hdr().GetParent(data_.index, rec)) {
        GetUi().Show("Update failed");
        return;
    }
    StoreRecordFields(*this, kParentBindings, rec.b);
    if (!ctx_.db.Hdr().SetParent(data_.index, rec)) GetUi().Show("Update failed");
}

int CParentDialog::ChosenTexture() const {
    const int row = Selected(kTexList);
    if (row >= 0 && size_t(row) < Rows(kTexList).size())
        return int(Rows(kTexList)[size_t(row)].data);
    const std::string text = Text(kTexList);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return -1;
    return std::atoi(text.c_str());
}

void CParentDialog::EditPositions(bool slots) {
    const int count = slots ? data_.record.Slots() : data_.record.Dynamic();
    if (count < 1) return;
    std::vector<Vec3> positions;
    const int64_t at = data_.blockOffset + (slots ? 0 : data_.record.DynamicAt());
    if (!ctx_.db.Hdr().ReadPositions(at, count, positions)) return;
    CPositionEditor editor(slots ? "Slot Editor" : "Dynamic Editor", positions);
    if (GetUi().RunDialog(editor) != Answer::Ok) return;
    const bool ok = slots ? SaveSlotPositions(ctx_.db, data_, editor.Positions(), GetUi())
                          : SaveDynamicPositions(ctx_.db, data_, editor.Positions());
    if (!ok) {
        GetUi().Show("Save Failed");
        return;
    }
    (slots ? data_.slots : data_.dynamic) = editor.Positions();
}

void CParentDialog::View(int lodNumber) {
    HdrFile& hdr = ctx_.db.Hdr();
    ParentRecord parent;
    LodRecord rec;
    LodData lod;
    if (!hdr.GetParent(data_.index, parent) || !hdr.GetLod(lodNumber, rec) ||
        !lod.Open(ctx_.db.Lod(), rec))
        return;
    lod.SetParent(parent);
    std::vector<Vec3> slots;
    if (parent.Slots() > 0) hdr.ReadPositions(data_.blockOffset, parent.Slots(), slots);
    CLodViewerDialog viewer(lod, LodColourTable(hdr), std::move(slots));
    GetUi().RunDialog(viewer);
}

void CParentDialog::OnButton(int id) {
    if (!loaded_) return;
    if (id == kGetTexture || id == kSetTexture) {
        const int t = ChosenTexture();
        if (t < 0) return;
        if (id == kGetTexture)
            GetTexture(ctx_.db, t, GetUi());
        else
            SetTexture(ctx_.db, t, GetUi());
        return;
    }
    if (id == kSlotButton || id == kDynamicButton) {
        EditPositions(id == kSlotButton);
        return;
    }
    const int row = Selected(kLodList);
    if (row < 0 || size_t(row) >= data_.lodRefs.size()) return;
    LodRef& ref = data_.lodRefs[size_t(row)];
    if (id == kLodButton) {
        CLodInfoDialog info(ctx_, int(ref.LodNumber()));
        GetUi().RunDialog(info);
    } else if (id == kLodRes) {
        CLodResolutionDialog dialog(ref);
        if (GetUi().RunDialog(dialog) != Answer::Ok) return;
        ref = dialog.Reference();
        if (!SaveLodRefs(ctx_.db, data_)) {
            GetUi().Show("Save Failed");
            return;
        }
        SetCell(kLodList, row, 0, LodRefText(ref));
    } else if (id == kView) {
        View(int(ref.LodNumber()));
    }
}

bool RunParentDialog(ShellContext& ctx, int parent) {
    CParentDialog dialog(ctx, parent);
    return ctx.ui.RunDialog(dialog) == Answer::Ok;
}

}  // namespace tablon
