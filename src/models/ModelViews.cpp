#include "models/ModelViews.h"

#include "models/ModelDialogs.h"
#include "models/ModelFiles.h"
#include "store/Database.h"
#include "store/ExportImport.h"

namespace tablon {

namespace {

std::unique_ptr<RecordSource> HdrTable(ShellContext& ctx, ModelTable table) {
    return MakeSource(ctx.db, {FileId::Hdr, table});
}

ColumnDesc No() {
    return {"No", 50, 0, kKindFileOrder};
}

std::vector<ColumnDesc> ParentColumns() {
    return {No(),
            {"Radius", 50, 0, kKindF32},
            {"Minx", 50, 4, kKindF32},
            {"Maxx", 50, 8, kKindF32},
            {"Miny", 50, 12, kKindF32},
            {"Maxy", 50, 16, kKindF32},
            {"Minz", 50, 20, kKindF32},
            {"Maxz", 50, 24, kKindF32},
            {"TexSets", 50, 36, kKindI16},
            {"Slots", 50, 43, kKindU8},
            {"Switches", 50, 41, kKindU8},
            {"Lods", 50, 40, kKindU8},
            {"DOFs", 50, 42, kKindU8},
            // The whole 16-bit count.
            {"Dynamic", 50, 38, kKindI16}};
}

}  // namespace

CParentView::CParentView(ShellContext& ctx)
    : CMvView(ctx, HdrTable(ctx, ModelTable::Parents), ParentColumns()) {}

void CParentView::ShowRecord(int row) {
    RunParentDialog(ctx_, ItemData(row));
}

CLodTable::CLodTable(ShellContext& ctx)
    : CMvView(ctx, HdrTable(ctx, ModelTable::Lods),
              {No(),
               {"Offset", 50, 12, kKindI32},
               {"Size", 50, 16, kKindI32},
               {"Flags", 50, 6, kKindU16}}) {}

CTexTable::CTexTable(ShellContext& ctx)
    : CMvView(ctx, HdrTable(ctx, ModelTable::Textures),
              {No(),
               {"Palette", 50, 32, kKindI32},
               {"Size", 50, 4, kKindI32},
               {"Width", 50, 8, kKindI32},
               {"Offset", 50, 0, kKindI32},
               {"Flags", 50, 20, kKindI32},
               {"Chroma", 50, 24, kKindHex32}}) {}

CColTable::CColTable(ShellContext& ctx)
    : CMvView(ctx, HdrTable(ctx, ModelTable::Colours),
              {No(),
               {"R", 50, 0, kKindF32},
               {"G", 50, 4, kKindF32},
               {"B", 50, 8, kKindF32},
               {"A", 50, 12, kKindF32}}) {}

void CColTable::ExportSelected() {
    const int index = SelectedIndex();
    if (index >= 0) ExportLodColour(ctx_.db, index, ctx_.ui);
}

// ---- CHdrInfo ----

CHdrInfo::CHdrInfo(ShellContext& ctx) : Form("Hdr Data", 300, 200), ctx_(ctx) {
    const struct {
        int id;
        const char* label;
    } kFields[] = {{kVersion, "Version"},
                   {kDarkColours, "No Dark Colours"},
                   {kTextureMaxSize, "Texture Max Size"},
                   {kLodMaxNodes, "Lod Max Nodes"}};
    int top = 12;
    for (const auto& f : kFields) {
        AddLabel(-1, f.label, {10, top + 2, 120, top + 20});
        AddEdit(f.id, {125, top, 215, top + 20});
        Bind(f.id, Exchange::UInt);
        top += 28;
    }
    AddButton(kUpdate, "Update", {225, 12, 290, 34});
    AddButton(kRevert, "Revert", {225, 40, 290, 62});
}

void CHdrInfo::OnInitialUpdate() {
    Begin(ctx_.ui);
}

void CHdrInfo::OnInitDialog() {
    const HdrFile& hdr = ctx_.db.Hdr();
    ShowUnsigned(kVersion, hdr.Version());
    ShowUnsigned(kDarkColours, hdr.DarkColours());
    ShowUnsigned(kTextureMaxSize, hdr.TextureMaxSize());
    ShowUnsigned(kLodMaxNodes, hdr.LodMaxNodes());
}

void CHdrInfo::OnButton(int id) {
    if (id == kRevert) {
        OnInitDialog();
        return;
    }
    if (id != kUpdate) return;
    // A refused field keeps the form as it is and writes nothing.
    if (!TakeFields()) return;
    HdrFile& hdr = ctx_.db.Hdr();
    hdr.SetVersion(uint32_t(Value(kVersion).integer));
    hdr.SetDarkColours(uint32_t(Value(kDarkColours).integer));
    hdr.SetTextureMaxSize(uint32_t(Value(kTextureMaxSize).integer));
    hdr.SetLodMaxNodes(uint32_t(Value(kLodMaxNodes).integer));
    hdr.Flush();
}

}  // namespace tablon
