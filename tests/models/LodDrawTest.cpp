#include <gtest/gtest.h>

#include <memory>

#include "models/LodDraw.h"
#include "models/ModelFiles.h"
#include "models/ModelTestSupport.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

// The root scope (vertices at 400) draws primitive node A (kind 2: a triangle in colour 1);
// A's sibling is switch 0 with one state, primitive node B (kind 0: an edge, black); the
// switch's sibling is a split with plane (0, 1, 0, 4) whose first child is DOF 0 (moved by 100
// in x) holding primitive node C (kind 4: the triangle in the first colour of a list, 0).
Bytes DrawArea() {
    Words w;
    w.Zero(448 / 4);
    w.Put(0, 2), w.Put(8, 400), w.Put(12, 4), w.Put(32, 48);
    w.Put(48 + 4, 60), w.Put(48 + 8, 100);
    w.Put(60 + 4, 196), w.Put(60 + 8, 0), w.Put(60 + 12, 1), w.Put(60 + 16, 80);
    w.Put(80, 84);
    w.Put(84 + 8, 136);
    w.Put(100, 2), w.Put(104, 3), w.Put(108, 172), w.Put(100 + 28, 1);
    w.Put(136, 0), w.Put(140, 2), w.Put(144, 184);
    w.Put(160, 0);
    w.Put(172, 0), w.Put(176, 1), w.Put(180, 2);
    w.Put(184, 2), w.Put(188, 3);
    w.PutF(196 + 8, 0), w.PutF(196 + 12, 1), w.PutF(196 + 16, 0), w.PutF(196 + 20, 4);
    w.Put(196 + 24, 228);
    w.Put(228 + 32, 320), w.Put(228 + 36, 0);
    w.PutF(228 + 40, 1), w.PutF(228 + 56, 1), w.PutF(228 + 72, 1), w.PutF(228 + 76, 100);
    w.Put(320 + 8, 336);
    w.Put(336, 4), w.Put(340, 3), w.Put(344, 172), w.Put(336 + 28, 160);
    const float v[] = {0, 0, 0, 10, 0, 5, 10, 20, 0, -4, -6, 8};
    for (uint32_t i = 0; i < 12; ++i) w.PutF(400 + 4 * i, v[i]);
    return w.b;
}
// Root (skipped), A, switch, split, DOF, C, the split's empty second child, B.
const std::vector<uint32_t> kCodes{2, 7, 5, 6, 4, 7, 0, 7};

class LodDrawTest : public TempDirTest {
  protected:
    LodDrawTest() { ctx_.ui = &ui_; }
    void Open(const Bytes& area, const std::vector<uint32_t>& codes, uint8_t dofs = 1) {
        const Bytes block = LodBlock(codes, area);
        WriteBytes(Path("KoreaObj.lod"), block);
        file_ = std::make_unique<LodFile>(DescOf(FileId::Lod), ctx_);
        ASSERT_EQ(file_->Open("KoreaObj.lod", "", 1), 1);
        LodRecord rec;
        rec.SetSize(uint32_t(block.size()));
        ASSERT_EQ(lod_.Open(*file_, rec), 1);
        ParentRecord parent;
        parent.SetDofs(dofs);
        lod_.SetParent(parent);
    }
    ScriptedUi ui_;
    FileSetContext ctx_;
    std::unique_ptr<LodFile> file_;
    LodData lod_;
    std::vector<Colour> colours_{{1, 2, 3}, {10, 20, 30}};
};

TEST_F(LodDrawTest, DrawsTheTreeWithItsColoursSwitchesDofsAndSplits) {
    Open(DrawArea(), kCodes);
    LodRenderer r(lod_, colours_);
    LodDrawParams p;
    p.offsetH = 5;
    p.offsetV = 7;
    RecordingCanvas c(100, 100);
    // Every switch and DOF off: only A, outlined in its colour.
    r.Draw(c, p);
    EXPECT_EQ(c.Calls(), (std::vector<std::string>{"poly #0a141e 5,7 15,7 15,27"}));

    const std::vector<uint32_t> masks{1};
    const std::vector<bool> dofs{true};
    p.switchMasks = &masks;
    p.dofsOn = &dofs;
    p.flags = kLodFilled | kLodBsp;
    c.Reset();
    r.Draw(c, p);
    EXPECT_EQ(c.Calls(), (std::vector<std::string>{
                             "poly fill #0a141e/#000000 5,7 15,7 15,27",
                             "poly #000000 15,27 1,1",
                             // The plane point (0, 4, 0): to twice the offsets.
                             "line 5 0 5 14 #0000ff",
                             "line 0 11 10 11 #0000ff",
                             "poly fill #010203/#000000 105,7 115,7 115,27",
                         }));
    // Outlined, a colour-list kind is black; labels number the vertices.
    p.flags = kLodLabels;
    p.switchMasks = nullptr;
    c.Reset();
    r.Draw(c, p);
    EXPECT_EQ(c.Calls(),
              (std::vector<std::string>{"poly #0a141e 5,7 15,7 15,27", "text 6 8 #000000 0",
                                        "text 16 8 #000000 1", "text 16 28 #000000 2",
                                        "poly #000000 105,7 115,7 115,27", "text 106 8 #000000 0",
                                        "text 116 8 #000000 1", "text 116 28 #000000 2"}));
    // Side view: x and z; front view: y and z. Slots in red with their numbers 5 below.
    const std::vector<Vec3> slots{{1, 2, 3}};
    p = {};
    p.projection = Projection::Front;
    p.flags = kLodSlots;
    p.slots = &slots;
    c.Reset();
    r.Draw(c, p);
    EXPECT_EQ(c.Calls(),
              (std::vector<std::string>{"poly #0a141e 0,0 0,5 20,0", "line -1 0 5 6 #ff0000",
                                        "line -1 6 5 0 #ff0000", "text 2 8 #ff0000 0"}));
    p.projection = Projection::Side;
    EXPECT_EQ(r.Measure(p).maxV, 5);
}

TEST_F(LodDrawTest, DofsPastTheParentsCountStayHidden) {
    Open(DrawArea(), kCodes, 0);
    LodRenderer r(lod_, colours_);
    const std::vector<bool> dofs{true};
    LodDrawParams p;
    p.dofsOn = &dofs;
    RecordingCanvas c(100, 100);
    r.Draw(c, p);
    EXPECT_EQ(c.Calls().size(), 1u);
    // An unknown colour index draws black.
    const std::vector<Colour> one{{1, 2, 3}};
    LodRenderer r1(lod_, one);
    c.Reset();
    r1.Draw(c, p);
    EXPECT_EQ(c.Calls(), (std::vector<std::string>{"poly #000000 0,0 10,0 10,20"}));
}

TEST_F(LodDrawTest, ViewerFitsTheExtentsMeasuredWithEverythingOff) {
    Open(DrawArea(), kCodes);
    LodViewerModel v(lod_, colours_, {});
    const auto& e = v.MeasuredExtents();
    EXPECT_EQ((std::vector<int>{e.minX, e.maxX, e.minY, e.maxY, e.minZ, e.maxZ}),
              (std::vector<int>{0, 10, 0, 20, 0, 5}));
    auto l = v.LayoutFor(200, 100);
    EXPECT_FLOAT_EQ(l.scale, 4.75f);
    EXPECT_FLOAT_EQ(l.originH, -5.0f);
    EXPECT_FLOAT_EQ(l.originV, -2.5f);
    EXPECT_EQ(l.offsetH, 5);
    EXPECT_EQ(l.offsetV, 2);
    EXPECT_FLOAT_EQ(l.drawingScale, 9.5f);
    // 0.95 in single precision is a little under 0.95: 20 x 4.75 truncates to 94.
    RecordingCanvas c(200, 100);
    v.Draw(c);
    EXPECT_EQ(c.Calls(), (std::vector<std::string>{"rect 0 0 200 100 #ffffff",
                                                   "poly #0a141e 5,2 52,2 52,96"}));
    // Zoom and pan: the offset is pan x zoom less the origin.
    EXPECT_FLOAT_EQ(LodViewerModel::ZoomFor(-3), 0.25f);
    EXPECT_FLOAT_EQ(LodViewerModel::ZoomFor(3), 4.0f);
    v.SetZoomPosition(1);
    v.SetScroll(10, -300);
    l = v.LayoutFor(200, 100);
    EXPECT_EQ(l.panX, 20);
    EXPECT_EQ(l.panY, -100);
    EXPECT_EQ(l.offsetH, 45);
    EXPECT_EQ(l.offsetV, -197);
    EXPECT_FLOAT_EQ(l.drawingScale, 19.0f);
    v.Reset();
    EXPECT_EQ(v.LayoutFor(200, 100).offsetH, 5);
    // Switches start off and toggle between off and their default mask.
    ASSERT_EQ(v.SwitchCount(), 1);
    EXPECT_FALSE(v.SwitchOn(0));
    v.ToggleSwitch(0);
    EXPECT_TRUE(v.SwitchOn(0));
    c.Reset();
    v.Draw(c);
    EXPECT_EQ(c.Calls().size(), 3u);
    v.ToggleSwitch(0);
    EXPECT_FALSE(v.SwitchOn(0));
}

TEST_F(LodDrawTest, AModelWithoutPolygonsFitsAsIfItsExtentsWereOne) {
    Words root;
    root.Zero(12);
    Open(root.b, {2});
    LodViewerModel v(lod_, colours_, {});
    const auto l = v.LayoutFor(200, 100);
    EXPECT_EQ(l.extentH, 1);
    EXPECT_EQ(l.extentV, 1);
    EXPECT_FLOAT_EQ(l.scale, 95.0f);
    RecordingCanvas c(200, 100);
    v.Draw(c);
    EXPECT_EQ(c.Calls().size(), 1u);
}

}  // namespace
}  // namespace tablon::test
