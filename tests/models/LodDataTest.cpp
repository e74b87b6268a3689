#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

#include "models/LodData.h"
#include "models/ModelFiles.h"
#include "models/ModelTestSupport.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

constexpr uint32_t kLead = 8;  // bytes in the LOD file before the block

class LodDataTest : public TempDirTest {
  protected:
    LodDataTest() { ctx_.ui = &ui_; }

    // Writes the block behind kLead bytes and opens the LOD file on it.
    LodRecord Load(const Bytes& block, uint32_t trailing = 0) {
        Bytes file(kLead, 0xEE);
        file.insert(file.end(), block.begin(), block.end());
        file.resize(file.size() + trailing, 0xEE);
        WriteBytes(Path("KoreaObj.lod"), file);
        lod_ = std::make_unique<LodFile>(DescOf(FileId::Lod), ctx_);
        EXPECT_EQ(lod_->Open("KoreaObj.lod", "", 1), 1);
        LodRecord rec;
        rec.SetOffset(kLead);
        rec.SetSize(uint32_t(block.size()));
        return rec;
    }
    int OpenBlock(LodData& d, const Bytes& block) {
        const LodRecord rec = Load(block);
        return d.Open(*lod_, rec);
    }
    const LodNode& At(const LodData& d, uint32_t offset) {
        for (const LodNode& n : d.Nodes())
            if (n.offset == offset) return n;
        ADD_FAILURE() << "no node at " << offset;
        static LodNode none;
        return none;
    }
    int IndexAt(const LodData& d, uint32_t offset) { return int(&At(d, offset) - &d.Nodes()[0]); }
    Vec3 DiskVec(uint64_t at) {
        const Bytes f = ReadBytes(Path("KoreaObj.lod"));
        return {LoadLE<float>(f.data() + at), LoadLE<float>(f.data() + at + 4),
                LoadLE<float>(f.data() + at + 8)};
    }

    ScriptedUi ui_;
    FileSetContext ctx_;
    std::unique_ptr<LodFile> lod_;
};

// Node area offsets of the hand-built tree below.
enum : uint32_t {
    kA = 48,     // geometry scope, the root's child
    kB = 84,     // slot 1, A's sibling
    kS = 144,    // switch 2 with 3 states, B's sibling
    kTab = 164,  // the switch's state table
    kC = 176,    // primitive, A's child
    kP1 = 188,   // slot 0, state 0
    kP2 = 248,   // primitive, state 1
    kPrim = 260,
    kList = 292,
    kVtx = 304,
    kNrm = 340,
    kTex = 352,
    kEnd = 360,
};

Bytes TreeArea() {
    Words w;
    w.Zero(kEnd / 4);
    // Root scope.
    w.Put(0, 2), w.Put(8, kVtx), w.Put(12, 3), w.Put(24, kNrm), w.Put(28, 1), w.Put(32, kA);
    w.Put(36, kTex), w.Put(40, 2);
    // A: geometry scope over the same tables, sibling B, child C.
    w.Put(kA + 4, kB), w.Put(kA + 8, kVtx), w.Put(kA + 12, 3), w.Put(kA + 32, kC);
    // B: slot 1 at (9, 9, 9), sibling S.
    w.Put(kB + 4, kS), w.PutF(kB + 44, 9), w.PutF(kB + 48, 9), w.PutF(kB + 52, 9),
        w.Put(kB + 56, 1);
    // S: switch 2, three states: P1, P2 and one outside the area.
    w.Put(kS + 8, 2), w.Put(kS + 12, 3), w.Put(kS + 16, kTab);
    w.Put(kTab, kP1), w.Put(kTab + 4, kP2), w.Put(kTab + 8, 0x7fffffff);
    w.Put(kC + 8, kPrim);
    w.Put(kP1 + 56, 0);
    w.Put(kP2 + 8, kPrim);
    // A kind-2 primitive over vertices 0, 1, 2 in colour 5.
    w.Put(kPrim, 2), w.Put(kPrim + 4, 3), w.Put(kPrim + 8, kList), w.Put(kPrim + 28, 5);
    w.Put(kList, 0), w.Put(kList + 4, 1), w.Put(kList + 8, 2);
    for (uint32_t i = 0; i < 9; ++i) w.PutF(kVtx + 4 * i, float(i));
    w.PutF(kNrm + 8, -1);
    w.Put(kTex, 7), w.Put(kTex + 4, 9);
    return w.b;
}
// In build order: the root's own (skipped), A, A's sibling chain B and S, S's states, then
// A's child C. The third state's code is spent on a node that cannot be made.
const std::vector<uint32_t> kTreeCodes{2, 1, 3, 5, 3, 7, 7, 7};

TEST_F(LodDataTest, BuildsSiblingChainsBeforeChildren) {
    LodData d;
    const LodRecord rec = Load(LodBlock(kTreeCodes, TreeArea()));
    ASSERT_EQ(d.Open(*lod_, rec), 1);
    EXPECT_EQ(d.CodeCount(), 8u);
    ASSERT_EQ(d.Nodes().size(), 7u);
    EXPECT_EQ(At(d, 0).type, kRootScope);
    EXPECT_EQ(At(d, kA).type, kGeometryScope);
    EXPECT_EQ(At(d, kB).type, kSlotNode);
    EXPECT_EQ(At(d, kS).type, kSwitchNode);
    EXPECT_EQ(At(d, kP1).type, kSlotNode);
    EXPECT_EQ(At(d, kP2).type, kPrimitiveNode);
    EXPECT_EQ(At(d, kC).type, kPrimitiveNode);
    EXPECT_EQ(d.Root()->children, std::vector<int>{IndexAt(d, kA)});
    EXPECT_EQ(At(d, kA).sibling, IndexAt(d, kB));
    EXPECT_EQ(At(d, kB).sibling, IndexAt(d, kS));
    EXPECT_EQ(At(d, kS).children, (std::vector<int>{IndexAt(d, kP1), IndexAt(d, kP2), -1}));
    EXPECT_EQ(At(d, kA).children, std::vector<int>{IndexAt(d, kC)});
    EXPECT_EQ(d.SwitchMasks(), (std::vector<uint32_t>{0, 0, 7}));

    EXPECT_EQ(d.RootVertices().count, 3u);
    EXPECT_EQ(d.RootNormals().count, 1u);
    EXPECT_EQ(d.RootTextureNumbers(), (std::vector<uint32_t>{7, 9}));
    Vec3 v;
    ASSERT_TRUE(d.TableVec3(d.RootVertices(), 2, v));
    EXPECT_EQ(v, (Vec3{6, 7, 8}));
    EXPECT_FALSE(d.TableVec3(d.RootVertices(), 3, v));

    const int pi = At(d, kC).primitives[0];
    ASSERT_GE(pi, 0);
    const LodPrimitive& p = d.Primitives()[size_t(pi)];
    EXPECT_EQ(p.kind, 2u);
    EXPECT_EQ(p.colourKind, PrimitiveColour::Index);
    EXPECT_EQ(p.colour, 5);
    uint32_t idx = 0;
    ASSERT_TRUE(d.PrimitiveVertex(p, 2, idx));
    EXPECT_EQ(idx, 2u);
    EXPECT_FALSE(d.PrimitiveVertex(p, 3, idx));
}

TEST_F(LodDataTest, EditsGoStraightIntoTheLodFile) {
    const Bytes block = LodBlock(kTreeCodes, TreeArea());
    const uint64_t area = kLead + 4 + 4 * kTreeCodes.size();
    LodData d;
    const LodRecord rec = Load(block);
    ASSERT_EQ(d.Open(*lod_, rec), 1);

    // Only slot numbers inside the list given take a position.
    ASSERT_EQ(d.WriteSlotPositions({{1, 2, 3}}), 1);
    EXPECT_EQ(DiskVec(area + kP1 + 44), (Vec3{1, 2, 3}));
    EXPECT_EQ(DiskVec(area + kB + 44), (Vec3{9, 9, 9}));
    ASSERT_EQ(d.WriteSlotPositions({{4, 5, 6}, {-1, -2, -3}}), 1);
    EXPECT_EQ(DiskVec(area + kP1 + 44), (Vec3{4, 5, 6}));
    EXPECT_EQ(DiskVec(area + kB + 44), (Vec3{-1, -2, -3}));
    EXPECT_EQ(At(d, kB).SlotPosition(), (Vec3{-1, -2, -3}));

    ASSERT_EQ(d.SetRootVertex(1, {10, 20, 30}), 1);
    EXPECT_EQ(DiskVec(area + kVtx + 12), (Vec3{10, 20, 30}));
    EXPECT_EQ(d.SetRootVertex(3, {}), 0);
    ASSERT_EQ(d.SetRootNormal(0, {0, 1, 0}), 1);
    EXPECT_EQ(DiskVec(area + kNrm), (Vec3{0, 1, 0}));
    ASSERT_EQ(d.SetRootTexture(1, 42), 1);
    EXPECT_EQ(d.RootTextureNumbers(), (std::vector<uint32_t>{7, 42}));
    EXPECT_EQ(d.SetRootTexture(2, 1), 0);
    // The bytes before the block are untouched.
    const Bytes disk = ReadBytes(Path("KoreaObj.lod"));
    EXPECT_EQ(Bytes(disk.begin(), disk.begin() + kLead), Bytes(kLead, 0xEE));

    ParentRecord parent;
    parent.SetDofs(0xff);
    d.SetParent(parent);
    EXPECT_EQ(d.DofCount(), -1);
}

TEST_F(LodDataTest, BlocksOutsideTheFileAreNotOpened) {
    const Bytes block = LodBlock(kTreeCodes, TreeArea());
    LodData d;
    LodRecord rec = Load(block);
    rec.SetSize(rec.Size() + 1);
    EXPECT_EQ(d.Open(*lod_, rec), 0);
    rec.SetOffset(0xffffffffu);
    EXPECT_EQ(d.Open(*lod_, rec), 0);
    // A count of codes larger than the block holds.
    Bytes bad = block;
    StoreLE<uint32_t>(bad.data(), 0x40000000u);
    rec = Load(bad);
    EXPECT_EQ(d.Open(*lod_, rec), 0);
    EXPECT_FALSE(d.IsOpen());
}

TEST_F(LodDataTest, MalformedNodesEndOnlyTheirOwnBranch) {
    Words w;
    w.Zero(80 / 4);
    w.Put(32, 48);  // the root's child: a primitive whose sibling is itself
    w.Put(48 + 4, 48), w.Put(48 + 8, 60);
    w.Put(60, 27);  // a primitive kind that does not exist
    std::vector<uint32_t> codes(101, kPrimitiveNode);
    codes[0] = 2;
    LodData d;
    const LodRecord rec = Load(LodBlock(codes, w.b));
    ASSERT_EQ(d.Open(*lod_, rec), 1);
    // Every code makes one node and then the chain stops.
    EXPECT_EQ(d.Nodes().size(), 101u);
    EXPECT_EQ(d.Nodes()[1].primitives[0], -1);
    EXPECT_TRUE(d.Primitives().empty());

    // Unknown codes and nodes reaching past the area make no node; the rest is built.
    w.Put(48 + 4, 0);
    ASSERT_EQ(OpenBlock(d, LodBlock({2, 12}, w.b)), 1);
    EXPECT_EQ(d.Nodes().size(), 1u);
    w.Put(32, 76);  // a slot node (60 bytes) starting 4 bytes before the end
    ASSERT_EQ(OpenBlock(d, LodBlock({2, 3}, w.b)), 1);
    EXPECT_EQ(d.Root()->children, std::vector<int>{-1});
    // A switch whose state table would leave the area.
    w.Put(32, 48), w.Put(48 + 12, 0xffffffffu), w.Put(48 + 16, 0);
    ASSERT_EQ(OpenBlock(d, LodBlock({2, 5}, w.b)), 1);
    EXPECT_EQ(d.Nodes().size(), 1u);
    EXPECT_TRUE(d.SwitchMasks().empty());
}

TEST_F(LodDataTest, DeepTreesAndRandomBlocksNeverCrash) {
    // 100,000 nested vertex scopes: the build may not recurse per level.
    constexpr uint32_t kDepth = 100000;
    Words w;
    w.Zero(12);
    w.Put(32, 48);
    std::vector<uint32_t> codes{2};
    for (uint32_t i = 0; i < kDepth; ++i) {
        const uint32_t at = w.Size();
        w.Zero(6);
        w.Put(at, kVertexScope);
        w.Put(at + 20, at + 24);
        codes.push_back(kVertexScope);
    }
    LodData d;
    const LodRecord rec = Load(LodBlock(codes, w.b));
    ASSERT_EQ(d.Open(*lod_, rec), 1);
    EXPECT_EQ(d.Nodes().size(), kDepth + 1);

    std::mt19937 rng(1234);
    for (int round = 0; round < 100; ++round) {
        const uint32_t n = rng() % 40;
        std::vector<uint32_t> c(n);
        for (auto& x : c) x = rng() % 13;
        Words area;
        const uint32_t words = 16 + rng() % 200;
        for (uint32_t i = 0; i < words; ++i)
            area.U(rng() % 4 == 0 ? rng() : rng() % (words * 4 + 8));
        const Bytes block = LodBlock(c, area.b);
        LodRecord rec;
        rec.SetOffset(kLead);
        rec.SetSize(uint32_t(block.size()));
        Bytes file(kLead, 0);
        file.insert(file.end(), block.begin(), block.end());
        WriteBytes(Path("KoreaObj.lod"), file);
        ASSERT_EQ(lod_->Remap(), 1);
        ASSERT_EQ(d.Open(*lod_, rec), 1);
        EXPECT_LE(d.Nodes().size(), std::max<size_t>(n, 1));
        for (const LodPrimitive& p : d.Primitives()) {
            uint32_t v = 0;
            for (uint32_t i = 0; i < p.vertexCount; ++i) ASSERT_TRUE(d.PrimitiveVertex(p, i, v));
        }
        d.WriteSlotPositions(std::vector<Vec3>(8));
    }
}

}  // namespace
}  // namespace tablon::test
