// The LOD node parser: the input is one LOD block, parsed, its tables and primitives read,
// and drawn in the three projections with every switch and DOF on.
#include "FuzzSupport.h"
#include "models/LodData.h"
#include "models/LodDraw.h"
#include "models/ModelFiles.h"
#include "shell/Canvas.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const MemoryFiles files{{"KoreaObj.lod", Bytes(data, data + size)}};
    const MemorySet set(files);
    FileSetContext ctx;
    LodFile file(DescOf(FileId::Lod), ctx);
    if (!file.Open("KoreaObj.lod", "", 0)) return 0;
    LodRecord rec;
    rec.SetOffset(0);
    rec.SetSize(uint32_t(size));
    LodData lod;
    if (!lod.Open(file, rec)) return 0;
    ParentRecord parent;
    parent.SetDofs(8);
    parent.SetSlots(4);
    lod.SetParent(parent);
    Vec3 v;
    uint32_t w;
    for (const LodTable& t : {lod.RootVertices(), lod.RootNormals()})
        for (uint32_t i = 0; i < t.count && i < 4096; ++i) lod.TableVec3(t, i, v);
    for (uint32_t i = 0; i < lod.RootTextures().count && i < 4096; ++i)
        lod.TableWord(lod.RootTextures(), i, w);
    (void)lod.RootTextureNumbers();
    for (const LodPrimitive& p : lod.Primitives())
        for (uint32_t i = 0; i < 64 && lod.PrimitiveVertex(p, i, w); ++i) {
        }
    LodViewerModel model(lod, std::vector<Colour>(16), std::vector<Vec3>(4));
    for (int i = 0; i < model.SwitchCount(); ++i) model.ToggleSwitch(i);
    for (int i = 0; i < model.DofCount(); ++i) model.ToggleDof(i);
    model.flags = ~0u;
    for (Projection p : {Projection::Top, Projection::Side, Projection::Front}) {
        model.projection = p;
        RecordingCanvas canvas(200, 150);
        model.Draw(canvas);
    }
    return 0;
}
