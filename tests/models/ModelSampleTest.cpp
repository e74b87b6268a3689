#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "models/LodData.h"
#include "models/ModelFiles.h"
#include "sample/ModelSample.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class ModelSampleTest : public TempDirTest {
  protected:
    ModelSampleTest() { ctx_.ui = &ui_; }

    void WriteAndOpen(SampleScale scale) {
        std::string error;
        ASSERT_TRUE(WriteModelSample(Dir(), scale, error)) << error;
        hdr_ = std::make_unique<HdrFile>(DescOf(FileId::Hdr), ctx_);
        lod_ = std::make_unique<LodFile>(DescOf(FileId::Lod), ctx_);
        tex_ = std::make_unique<TexFile>(DescOf(FileId::Tex), ctx_);
        ASSERT_EQ(hdr_->Open("KoreaObj.hdr", "", 1), 1);
        ASSERT_EQ(lod_->Open("KoreaObj.lod", "", 1), 1);
        ASSERT_EQ(tex_->Open("KoreaObj.tex", "", 1), 1);
        ASSERT_EQ(hdr_->Status().state, FileState::Ok);
        EXPECT_TRUE(ui_.Messages().empty());
    }

    // The parents' blocks fill the data section exactly.
    void ExpectBlocksFillTheFile() {
        const std::vector<int64_t> offsets = hdr_->ParentBlockOffsets();
        ASSERT_EQ(offsets.size(), hdr_->ParentCount());
        ParentRecord last;
        ASSERT_EQ(hdr_->GetParent(int(offsets.size() - 1), last), 1);
        EXPECT_EQ(hdr_->Layout().dataBlocks + uint64_t(offsets.back() + last.BlockSize()),
                  hdr_->FileSize());
    }

    // Opens a LOD and checks every reference inside it: node codes, vertex indices against
    // the table in scope, colours, textures.
    void CheckLod(uint32_t number, LodData& d) {
        LodRecord rec;
        ASSERT_EQ(hdr_->GetLod(int(number), rec), 1);
        ASSERT_EQ(d.Open(*lod_, rec), 1) << number;
        EXPECT_EQ(d.Nodes().size(), d.CodeCount()) << "every code makes a node, LOD " << number;
        EXPECT_LE(d.CodeCount(), hdr_->LodMaxNodes());
        for (uint32_t t : d.RootTextureNumbers()) EXPECT_LT(t, hdr_->TextureCount());
        std::function<void(int, uint32_t)> walk = [&](int i, uint32_t vertices) {
            for (; i >= 0; i = d.Nodes()[size_t(i)].sibling) {
                const LodNode& n = d.Nodes()[size_t(i)];
                uint32_t inScope = vertices;
                if (n.type == kRootScope || n.type == kGeometryScope || n.type == kVertexScope)
                    inScope = n.Vertices().count;
                for (int p : n.primitives) {
                    if (p < 0) continue;
                    const LodPrimitive& prim = d.Primitives()[size_t(p)];
                    EXPECT_GE(prim.vertexCount, 2u);
                    uint32_t v = 0;
                    for (uint32_t k = 0; k < prim.vertexCount; ++k) {
                        ASSERT_TRUE(d.PrimitiveVertex(prim, k, v));
                        EXPECT_LT(v, inScope) << "LOD " << number;
                    }
                    if (prim.colourKind != PrimitiveColour::None) {
                        EXPECT_GE(prim.colour, 0);
                        EXPECT_LT(prim.colour, int64_t(hdr_->ColourCount()));
                    }
                }
                if (n.type == kPrimitiveNode || n.type == kPrimitive2Node ||
                    n.type == kPrimitiveValuesNode || n.type == kPrimitivePairNode) {
                    EXPECT_GE(n.primitives[0], 0);
                }
                for (int c : n.children) {
                    EXPECT_GE(c, 0);
                    walk(c, inScope);
                }
            }
        };
        walk(0, 0);
    }

    ScriptedUi ui_;
    FileSetContext ctx_;
    std::unique_ptr<HdrFile> hdr_;
    std::unique_ptr<LodFile> lod_;
    std::unique_ptr<TexFile> tex_;
};

TEST_F(ModelSampleTest, DemoModelsResolveEveryReference) {
    WriteAndOpen(SampleScale::Demo);
    const uint32_t m = hdr_->ParentCount();
    EXPECT_EQ(m, uint32_t(SampleParentCount(SampleScale::Demo)));
    EXPECT_GE(m, 200u);
    EXPECT_EQ(hdr_->PaletteCount(), 2u);
    ExpectBlocksFillTheFile();

    std::map<uint32_t, std::unique_ptr<LodData>> lods;
    std::set<int> kinds;
    const std::vector<int64_t> offsets = hdr_->ParentBlockOffsets();
    for (uint32_t k = 0; k < m; ++k) {
        ParentRecord p;
        ASSERT_EQ(hdr_->GetParent(int(k), p), 1);
        EXPECT_GT(p.Radius(), 0.0f);
        for (int axis = 0; axis < 3; ++axis) EXPECT_LT(p.Bound(2 * axis), p.Bound(2 * axis + 1));
        std::vector<Vec3> slots, dynamic;
        std::vector<LodRef> refs;
        ASSERT_EQ(hdr_->ReadPositions(offsets[k], p.Slots(), slots), 1);
        ASSERT_EQ(hdr_->ReadPositions(offsets[k] + p.DynamicAt(), p.Dynamic(), dynamic), 1);
        ASSERT_EQ(hdr_->ReadLodRefs(offsets[k] + p.LodRefsAt(), p.Lods(), refs), 1);
        ASSERT_GE(refs.size(), 1u);
        for (size_t r = 0; r < refs.size(); ++r) {
            const uint32_t n = refs[r].LodNumber();
            ASSERT_LT(n, hdr_->LodCount());
            if (r > 0) {
                EXPECT_GT(refs[r].distance, refs[r - 1].distance);
            }
            auto& d = lods[n];
            if (!d) {
                d = std::make_unique<LodData>();
                CheckLod(n, *d);
            }
            // Slot nodes sit where the parent's slot positions say; switches and DOFs are
            // numbered within the parent's counts.
            for (const LodNode& node : d->Nodes()) {
                if (node.type == kSlotNode) {
                    ASSERT_GE(node.SlotNumber(), 0);
                    ASSERT_LT(size_t(node.SlotNumber()), slots.size());
                    EXPECT_EQ(node.SlotPosition(), slots[size_t(node.SlotNumber())]);
                }
                if (node.type == kDofNode) {
                    EXPECT_LT(node.DofNumber(), int32_t(p.Dofs()));
                }
            }
            EXPECT_LE(d->SwitchMasks().size(), p.Switches());
        }
        kinds.insert(int(SampleParentModel(int(k))));
    }
    EXPECT_EQ(kinds.size(), size_t(kSampleModelKinds));

    // Every node type appears in the sample somewhere.
    std::set<int> types;
    for (const auto& [n, d] : lods)
        for (const LodNode& node : d->Nodes()) types.insert(node.type);
    EXPECT_EQ(types.size(), 11u);

    for (uint32_t t = 0; t < hdr_->TextureCount(); ++t) {
        TextureRecord rec;
        ASSERT_EQ(hdr_->GetTexture(int(t), rec), 1);
        EXPECT_LT(rec.Palette(), hdr_->PaletteCount());
        EXPECT_LE(rec.Width(), hdr_->TextureMaxSize());
        Bytes px;
        ASSERT_EQ(tex_->ReadTexture(rec.Offset(), rec.Size(), px), 1) << t;
        EXPECT_EQ(px.size(), size_t(rec.Width()) * rec.Width());
    }
}

TEST_F(ModelSampleTest, SameBytesWhateverTheRoundingMode) {
    std::string error;
    std::filesystem::create_directory(Path("a"));
    std::filesystem::create_directory(Path("b"));
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    ASSERT_TRUE(WriteModelSample(Path("a"), SampleScale::Demo, error)) << error;
    std::fesetround(FE_TOWARDZERO);
    ASSERT_TRUE(WriteModelSample(Path("b"), SampleScale::Demo, error)) << error;
    std::fesetround(saved);
    for (const char* name : {"KoreaObj.hdr", "KoreaObj.lod", "KoreaObj.tex"})
        EXPECT_EQ(ReadBytes(Path(std::string("a/") + name)),
                  ReadBytes(Path(std::string("b/") + name)))
            << name;
    EXPECT_FALSE(WriteModelSample(Path("missing/dir"), SampleScale::Demo, error));
    EXPECT_NE(error.find("KoreaObj.hdr"), std::string::npos);
}

TEST_F(ModelSampleTest, CeilingFillsEveryTableOfTheHeader) {
    WriteAndOpen(SampleScale::Ceiling);
    EXPECT_EQ(hdr_->ParentCount(), 65535u);
    EXPECT_EQ(hdr_->LodCount(), 65535u);
    EXPECT_EQ(hdr_->TextureCount(), 65535u);
    EXPECT_EQ(hdr_->ColourCount(), 65535u);
    ExpectBlocksFillTheFile();
    // Parents high up refer to LOD entries high up the table, which resolve like the others.
    std::vector<LodRef> refs;
    int64_t offset = 0;
    ParentRecord p;
    ASSERT_EQ(hdr_->GetParent(65534, p), 1);
    ASSERT_EQ(hdr_->ParentBlockOffset(65534, offset), 1);
    ASSERT_EQ(hdr_->ReadLodRefs(offset + p.LodRefsAt(), p.Lods(), refs), 1);
    uint32_t highest = 0;
    for (const LodRef& r : refs) {
        highest = std::max(highest, r.LodNumber());
        LodData d;
        CheckLod(r.LodNumber(), d);
    }
    EXPECT_GT(highest, 60000u);
    TextureRecord t;
    ASSERT_EQ(hdr_->GetTexture(65534, t), 1);
    Bytes px;
    ASSERT_EQ(tex_->ReadTexture(t.Offset(), t.Size(), px), 1);
}

}  // namespace
}  // namespace tablon::test
