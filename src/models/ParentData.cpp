#include "models/ParentData.h"

#include "models/LodData.h"
#include "models/ModelFiles.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

bool LoadParentData(Database& db, int parent, ParentData& out) {
    HdrFile& hdr = db.Hdr();
    out = ParentData{};
    out.index = parent;
    if (!hdr.ParentBlockOffset(parent, out.blockOffset) || !hdr.GetParent(parent, out.record))
        return false;
    const ParentRecord& r = out.record;
    if (r.Slots() > 0) hdr.ReadPositions(out.blockOffset, r.Slots(), out.slots);
    if (r.Dynamic() > 0)
        hdr.ReadPositions(out.blockOffset + r.DynamicAt(), r.Dynamic(), out.dynamic);
    if (!hdr.ReadLodRefs(out.blockOffset + r.LodRefsAt(), r.Lods(), out.lodRefs))
        out.lodRefs.clear();
    if (out.lodRefs.empty()) return true;
    out.lodInd = int(out.lodRefs[0].LodNumber());
    LodRecord lodRec;
    LodData lod;
    if (hdr.GetLod(out.lodInd, lodRec) && lod.Open(db.Lod(), lodRec))
        out.textures = lod.RootTextureNumbers();
    return true;
}

std::string LodRefText(const LodRef& ref) {
    return Format("%d < %.0f", int(ref.LodNumber()), double(ref.distance));
}

std::string CoordText(float v) {
    return Format("%.3f", double(v));
}

bool SaveLodRefs(Database& db, const ParentData& data) {
    return db.Hdr().WriteLodRefs(data.blockOffset + data.record.LodRefsAt(), data.lodRefs) != 0;
}

bool SaveSlotPositions(Database& db, const ParentData& data, const std::vector<Vec3>& positions,
                       Ui& ui) {
    HdrFile& hdr = db.Hdr();
    if (!hdr.WritePositions(data.blockOffset, positions)) return false;
    for (const LodRef& ref : data.lodRefs) {
        LodRecord rec;
        LodData lod;
        if (!hdr.GetLod(int(ref.LodNumber()), rec) || !lod.Open(db.Lod(), rec)) {
            ui.Show("Failed to update LOD file");
            continue;
        }
        lod.SetParent(data.record);
        if (!lod.WriteSlotPositions(positions)) ui.Show("Failed to update LOD file");
    }
    return true;
}

bool SaveDynamicPositions(Database& db, const ParentData& data,
                          const std::vector<Vec3>& positions) {
    return db.Hdr().WritePositions(data.blockOffset + data.record.DynamicAt(), positions) != 0;
}

}  // namespace tablon
