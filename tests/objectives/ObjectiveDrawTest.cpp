// The objective drawing: extents, fit and origin, the models at their offsets, the point chain
// with its pens and markers, the axes, zoom, pan and "Reset", and "objective draw".
#include <gtest/gtest.h>

#include <memory>

#include "classtable/CtRecord.h"
#include "models/ModelFiles.h"
#include "models/ModelTestSupport.h"
#include "objectives/FedDialogs.h"
#include "objectives/ObjectiveDraw.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/ObjectiveViewer.h"
#include "objectives/PointRecords.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "support/CliRunner.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

using Calls = std::vector<std::string>;

template <typename Record>
Bytes TableOf(const std::vector<Record>& records) {
    Bytes b = CountFile(uint16_t(records.size()), uint16_t(Record::kSize));
    for (size_t i = 0; i < records.size(); ++i)
        std::memcpy(b.data() + 2 + i * Record::kSize, records[i].b, Record::kSize);
    return b;
}

// One LOD: a flat rectangle from (-10, -5) to (10, 5) at z = 0, outlined in colour 0.
Bytes RectangleLod() {
    Words w;
    w.Zero(200 / 4);
    w.Put(8, 120), w.Put(12, 4), w.Put(32, 48);  // root scope: vertices, child
    w.Put(48 + 8, 60);                           // primitive node
    w.Put(60, 2), w.Put(64, 4), w.Put(68, 100);  // kind 2, 4 vertices, their list
    w.Put(100, 0), w.Put(104, 1), w.Put(108, 2), w.Put(112, 3);
    const float v[] = {-10, -5, 0, 10, -5, 0, 10, 5, 0, -10, 5, 0};
    for (uint32_t i = 0; i < 12; ++i) w.PutF(120 + 4 * i, v[i]);
    return LodBlock({2, 7}, w.b);
}

FeatureEntryRecord Entry(uint16_t ct, float x, float y, float z, int16_t heading = -90) {
    FeatureEntryRecord e;
    e.Set<uint16_t>(FeatureEntryRecord::kCtIndex, ct);
    e.Set<float>(FeatureEntryRecord::kX, x);
    e.Set<float>(FeatureEntryRecord::kY, y);
    e.Set<float>(FeatureEntryRecord::kZ, z);
    e.Set<int16_t>(FeatureEntryRecord::kHeading, heading);
    return e;
}

ObjectiveRecord Objective(uint16_t firstEntry, uint8_t count, uint16_t firstHeader) {
    ObjectiveRecord o;
    o.Set<uint16_t>(ObjectiveRecord::kFirstFeatureEntry, firstEntry);
    o.b[ObjectiveRecord::kFeatureEntryCount] = count;
    o.Set<uint16_t>(ObjectiveRecord::kFirstPointHeader, firstHeader);
    return o;
}

PointHeaderRecord Header(uint16_t first, uint8_t count, uint16_t chain) {
    PointHeaderRecord h;
    h.Set<uint16_t>(PointHeaderRecord::kFirstPoint, first);
    h.b[PointHeaderRecord::kPointCount] = count;
    h.Set<uint16_t>(PointHeaderRecord::kChain, chain);
    return h;
}

PointRecord Point(float x, float y, uint8_t type) {
    PointRecord p;
    p.Set<float>(PointRecord::kX, x);
    p.Set<float>(PointRecord::kY, y);
    p.b[PointRecord::kType] = type;
    return p;
}

class ObjectiveDrawTest : public TempDirTest {
  protected:
    // Class-table record 1 names parent 0 (the rectangle), record 2 a parent that does not
    // exist. Entries: 0 and 1 rectangles at (0, 0) and (100, 50); 2 without a model; 3 naming
    // a class-table record past the table; 4 the rectangle at (40, 20, -30).
    // Objectives: 0 owns entries 0 to 3 and point header 1; 1 owns entry 4, reaching one past
    // the entry file; 2 owns none.
    void Write() {
        WriteMinimalSet(Dir());
        std::vector<CtRecord> ct(3);
        ct[1].SetGraphic(0, 0);
        ct[2].SetGraphic(0, 7);
        WriteBytes(Path("vantor.ct"), TableOf(ct));
        WriteBytes(Path("vantor.fed"),
                   TableOf(std::vector<FeatureEntryRecord>{Entry(1, 0, 0, 0), Entry(1, 100, 50, 0),
                                                           Entry(2, 0, 0, 0), Entry(9, 0, 0, 0),
                                                           Entry(1, 40, 20, -30)}));
        WriteBytes(Path("vantor.ocd"),
                   TableOf(std::vector<ObjectiveRecord>{Objective(0, 4, 1), Objective(4, 2, 0),
                                                        Objective(0, 0, 0)}));
        // Header 1 (green): a runway from (0, 0) to (20, 0), then a taxi point; chain to 2.
        // Header 2 (red): a small park, a radar point, a point past the file; chain back to 1.
        WriteBytes(Path("vantor.phd"), TableOf(std::vector<PointHeaderRecord>{
                                           Header(0, 0, 0), Header(0, 3, 2), Header(3, 3, 1)}));
        WriteBytes(Path("vantor.pd"), TableOf(std::vector<PointRecord>{
                                          Point(0, 0, kPointRunway), Point(20, 0, kPointRunway),
                                          Point(20, 10, kPointTaxi), Point(60, 30, kPointSmallPark),
                                          Point(80, 40, kPointRadar)}));
        const Bytes lod = RectangleLod();
        HdrSetup setup;
        setup.lods = 1;
        setup.parents = {MakeParentRecord(0, 0, 1)};
        setup.blocks = Words().U(0).F(1000).b;  // LOD 0 up to 1000
        Bytes hdr = BuildHdr(setup);
        const HdrLayout layout = ComputeHdrLayout(hdr.data(), hdr.size());
        StoreLE<uint32_t>(hdr.data() + layout.lodTable + 12, 0);
        StoreLE<uint32_t>(hdr.data() + layout.lodTable + 16, uint32_t(lod.size()));
        WriteBytes(Path("KoreaObj.hdr"), hdr);
        WriteBytes(Path("KoreaObj.lod"), lod);
    }
    void Open() {
        Write();
        db_ = std::make_unique<Database>(ui_);
        ASSERT_TRUE(db_->OpenAll(""));
        model_ = std::make_unique<ObjectiveDrawingModel>(*db_);
    }
    ObjectiveRecord Stored(int index) {
        ObjectiveRecord o;
        EXPECT_TRUE(db_->Table(FileId::Ocd)->GetRecord(index, o.data()));
        return o;
    }
    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ObjectiveDrawingModel> model_;
};

TEST_F(ObjectiveDrawTest, ExtentsFitAndOriginFollowTheDrawableEntries) {
    Open();
    model_->Build(Stored(0));
    // Entries 2 (no model) and 3 (no class-table record) are left out.
    EXPECT_EQ(model_->EntryCount(), 2);
    const auto& e = model_->MeasuredExtents();
    EXPECT_EQ((std::vector<int>{e.minX, e.maxX, e.minY, e.maxY, e.minZ, e.maxZ}),
              (std::vector<int>{-10, 110, -5, 55, 0, 0}));

    auto l = model_->LayoutFor(200, 100);
    EXPECT_FLOAT_EQ(l.fitScale, 0.95f * (200.0f / 120.0f));
    // ox = pan - trunc(-10 f - 5) = 20; oy = pan - trunc(-5 f - 2.5) = 10.
    EXPECT_EQ(l.originX, 20);
    EXPECT_EQ(l.originY, 10);
    EXPECT_FLOAT_EQ(l.scale, 2 * l.fitScale);
    // A point lands at origin + trunc(p S / 2).
    EXPECT_EQ(ObjectiveDrawingModel::PointPixel(l, 100, -3), (CanvasPoint{20 + 158, 10 - 4}));

    // The side view's vertical extent (z) is 0: it counts as 1, so the width decides.
    model_->projection = Projection::Side;
    l = model_->LayoutFor(200, 100);
    EXPECT_FLOAT_EQ(l.fitScale, 0.95f * (200.0f / 120.0f));
    EXPECT_EQ(l.originY, 2);  // - trunc(0 - 2.5)
    model_->projection = Projection::Front;
    l = model_->LayoutFor(200, 100);
    EXPECT_FLOAT_EQ(l.fitScale, 0.95f * std::min(200.0f / 60.0f, 100.0f));

    // A rebuild widens the extents and never narrows them: objective 1's one entry at z -30.
    model_->Build(Stored(1));
    EXPECT_EQ(model_->EntryCount(), 1);
    EXPECT_EQ((std::vector<int>{e.minX, e.maxX, e.minY, e.maxY, e.minZ, e.maxZ}),
              (std::vector<int>{-10, 110, -5, 55, -30, 0}));
}

TEST_F(ObjectiveDrawTest, WithoutAnyFeatureTheStartExtentsStand) {
    Open();
    model_->Build(Stored(2));
    EXPECT_EQ(model_->EntryCount(), 0);
    const auto l = model_->LayoutFor(200, 100);
    EXPECT_FLOAT_EQ(l.fitScale, 0.95f * (200.0f / -2000000.0f));
    RecordingCanvas c(200, 100);
    model_->Draw(c);
    EXPECT_EQ(c.Calls(), Calls{"rect 0 0 200 100 #ffffff"});
}

TEST_F(ObjectiveDrawTest, ModelsStandAtTheirOffsetsTurnedByHeadingPlusNinety) {
    Open();
    model_->Build(Stored(0));
    RecordingCanvas c(200, 100);
    const auto l = model_->Draw(c);
    ASSERT_EQ(c.Calls().size(), 3u);
    const CanvasPoint a = ObjectiveDrawingModel::PointPixel(l, -10, -5);
    const CanvasPoint b = ObjectiveDrawingModel::PointPixel(l, 110, 55);
    EXPECT_EQ(c.Calls()[1].substr(0, 17),
              "poly #000000 " + std::to_string(a.x) + "," + std::to_string(a.y) + " ");
    EXPECT_NE(c.Calls()[2].find(" " + std::to_string(b.x) + "," + std::to_string(b.y)),
              std::string::npos)
        << c.Calls()[2];

    // Heading 0 turns the rectangle by 90 degrees: it stands 10 wide and 20 high.
    WriteBytes(Path("vantor.fed"), TableOf(std::vector<FeatureEntryRecord>{Entry(1, 0, 0, 0, 0)}));
    db_ = std::make_unique<Database>(ui_);
    ASSERT_TRUE(db_->OpenAll(""));
    ObjectiveDrawingModel turned(*db_);
    turned.Build(Objective(0, 1, 0));
    const auto& e = turned.MeasuredExtents();
    EXPECT_LE(e.maxX - e.minX, 10);
    EXPECT_GE(e.maxX - e.minX, 8);
    EXPECT_GE(e.maxY - e.minY, 18);
}

TEST_F(ObjectiveDrawTest, PointsFollowTheHeaderChainWithTheirPensAndMarkers) {
    Open();
    model_->Build(Stored(0));
    model_->points = true;
    model_->labels = true;
    RecordingCanvas c(200, 100);
    const auto l = model_->Draw(c);
    auto at = [&](float x, float y) { return ObjectiveDrawingModel::PointPixel(l, x, y); };
    auto xy = [](CanvasPoint p, int dx = 0, int dy = 0) {
        return std::to_string(p.x + dx) + " " + std::to_string(p.y + dy);
    };
    const CanvasPoint p0 = at(0, 0), p1 = at(20, 0), p2 = at(20, 10), p3 = at(60, 30),
                      p4 = at(80, 40);
    Calls expected{
        // Header 1, green: the first runway point only moves the pen; then a magenta join.
        "line " + xy(p0, -5) + " " + xy(p0, 5) + " #ff00ff",
        "line " + xy(p0, 0, -5) + " " + xy(p0, 0, 5) + " #ff00ff",
        "text " + xy(p0, 9) + " #00ff00 0",
        "line " + xy(p0) + " " + xy(p1) + " #ff00ff",
        "line " + xy(p1, -5) + " " + xy(p1, 5) + " #ff00ff",
        "line " + xy(p1, 0, -5) + " " + xy(p1, 0, 5) + " #ff00ff",
        "text " + xy(p1, 9) + " #00ff00 1",
        "line " + xy(p1) + " " + xy(p2) + " #00ff00",
        "line " + xy(p2, -5, -5) + " " + xy(p2, 5, 5) + " #00ff00",
        "line " + xy(p2, -5, 5) + " " + xy(p2, 5, -5) + " #00ff00",
        "text " + xy(p2, 9) + " #00ff00 2",
        // Header 2, red: the park starts it (no join), the radar point has no join.
        "text " + xy(p3) + " #ffff00 P",
        "text " + xy(p3, 9) + " #00ff00 3",
    };
    const Calls& calls = c.Calls();
    ASSERT_EQ(calls.size(), 3 + expected.size() + 2) << testing::PrintToString(calls);
    EXPECT_EQ(Calls(calls.begin() + 3, calls.begin() + 3 + ptrdiff_t(expected.size())), expected);
    // A blue circle of radius 5 around the radar point, then its label; the chain's way back
    // to header 1 ends it.
    EXPECT_EQ(calls[calls.size() - 2].substr(0, 13), "poly #0000ff ");
    EXPECT_NE(
        calls[calls.size() - 2].find(" " + std::to_string(p4.x + 5) + "," + std::to_string(p4.y)),
        std::string::npos);
    EXPECT_EQ(calls.back(), "text " + xy(p4, 9) + " #00ff00 4");

    // The side and front views draw no points, and no axes.
    model_->axes = true;
    for (Projection p : {Projection::Side, Projection::Front}) {
        model_->projection = p;
        c.Reset();
        model_->Draw(c);
        EXPECT_EQ(c.Calls().size(), 3u);
    }
    // First point header 0: no points.
    model_->Build(Stored(1));
    model_->projection = Projection::Top;
    model_->axes = false;
    c.Reset();
    model_->Draw(c);
    EXPECT_EQ(c.Calls().size(), 2u);
}

TEST_F(ObjectiveDrawTest, AxesAreLabelledWithTheModelDistanceTheyStandFor) {
    Open();
    model_->Build(Stored(0));
    model_->axes = true;
    RecordingCanvas c(200, 100);
    const auto l = model_->Draw(c);
    const Calls& calls = c.Calls();
    EXPECT_EQ(calls[3], "line 20 0 20 100 #000000");
    EXPECT_EQ(calls[4], "line 0 10 200 10 #000000");
    // One step down the vertical axis is 10 pixels, 2 x 10 / S model units.
    const float unit = ObjectiveDrawingModel::AxisDistance(l, 1, 10);
    EXPECT_FLOAT_EQ(unit, 20.0f / l.scale);
    EXPECT_EQ(Format("%.0f", double(unit)), "6");
    auto has = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    };
    EXPECT_TRUE(has("line 15 20 25 20 #000000"));
    EXPECT_TRUE(has("text 27 20 #00ff00 6"));
    EXPECT_TRUE(has("text 27 0 #00ff00 -6"));
    EXPECT_FALSE(has("text 27 -10 #00ff00 -13"));  // above the area
    // Across: 20-pixel steps (12.6 units, printed as the system prints, rounding toward
    // zero), labels 7 below the axis.
    EXPECT_TRUE(has("line 40 5 40 15 #000000"));
    EXPECT_TRUE(has("text 40 17 #00ff00 12"));
    EXPECT_TRUE(has("text 0 17 #00ff00 -12"));
}

TEST_F(ObjectiveDrawTest, ZoomPanAndReset) {
    Open();
    model_->Build(Stored(0));
    model_->SetZoomPosition(-10);
    EXPECT_FLOAT_EQ(model_->Zoom(), 1.0f / 11);
    model_->SetZoomPosition(10);
    EXPECT_FLOAT_EQ(model_->Zoom(), 11);
    model_->SetZoomPosition(-3);
    EXPECT_FLOAT_EQ(model_->Zoom(), 0.25f);
    // The pan is (size div 10) x position; the zoom does not scale it.
    model_->ScrollHorizontal(3, 205);
    model_->ScrollVertical(-12, 99);
    EXPECT_EQ(model_->PanX(), 60);
    EXPECT_EQ(model_->PanY(), -90);
    const auto l = model_->LayoutFor(200, 100);
    EXPECT_EQ(l.originX, 80);
    EXPECT_EQ(l.originY, -80);
    EXPECT_FLOAT_EQ(l.scale, 2 * l.fitScale * 0.25f);
    model_->Reset();
    EXPECT_EQ(model_->PanX(), 0);
    EXPECT_EQ(model_->PanY(), 0);
    EXPECT_EQ(model_->ZoomPosition(), 0);
    EXPECT_FLOAT_EQ(model_->Zoom(), 1);
}

// ---- the dialogs ----

TEST_F(ObjectiveDrawTest, ViewerDrawsTheObjectiveAndFollowsItsControls) {
    Open();
    CTablonApp app(*db_, ui_);
    const ObjectiveRecord objective = Stored(0);
    const Bytes before = ReadBytes(Path("vantor.ocd"));
    CObjectiveViewerDialog d(app.Context(), objective);
    const auto& ids = ObjectiveDrawingPanel::kViewerIds;
    d.Begin(ui_);
    EXPECT_EQ(d.Title(), "Objective Viewer");
    EXPECT_TRUE(d.Checked(ids.top));
    EXPECT_EQ(d.Find(ids.labels)->label, "PT label");
    EXPECT_EQ(d.Find(ids.zoom)->minimum, -10);
    EXPECT_EQ(d.Find(ids.hScroll)->maximum, 10);
    ObjectiveDrawingModel& m = d.Panel().Model();
    EXPECT_EQ(m.EntryCount(), 2);

    RecordingCanvas c(420, 380);
    d.Paint(ids.area, c);
    EXPECT_EQ(c.Calls().size(), 3u);  // the white, the two rectangles
    d.SetChecked(ids.points, true);
    d.Press(ids.points);
    d.SetChecked(ids.axes, true);
    d.Press(ids.axes);
    c.Reset();
    d.Paint(ids.area, c);
    EXPECT_GT(c.Calls().size(), 20u);
    d.SetChecked(ids.side, true);
    d.Press(ids.side);
    EXPECT_EQ(m.projection, Projection::Side);
    EXPECT_FALSE(d.Checked(ids.top));

    // Scroll bars pan by (area width div 10) a step, the slider zooms.
    d.Scroll(ids.hScroll, ScrollAction::LineDown);
    EXPECT_EQ(m.PanX(), 42);
    d.Scroll(ids.hScroll, ScrollAction::PageDown);
    EXPECT_EQ(d.Position(ids.hScroll), 6);
    EXPECT_EQ(m.PanX(), 252);
    d.Scroll(ids.vScroll, ScrollAction::Top);
    EXPECT_EQ(m.PanY(), -380);
    d.Scroll(ids.zoom, ScrollAction::Thumb, -10);
    EXPECT_FLOAT_EQ(m.Zoom(), 1.0f / 11);
    // "Reset": no pan, zoom 1, the slider at 0; the scroll bars stay.
    d.Press(ids.reset);
    EXPECT_EQ(m.PanX(), 0);
    EXPECT_EQ(m.PanY(), 0);
    EXPECT_FLOAT_EQ(m.Zoom(), 1);
    EXPECT_EQ(d.Position(ids.zoom), 0);
    EXPECT_EQ(d.Position(ids.hScroll), 6);
    EXPECT_EQ(d.Position(ids.vScroll), -10);
    d.Press(kIdOk);
    EXPECT_EQ(d.Result(), Answer::Ok);
    EXPECT_EQ(ReadBytes(Path("vantor.ocd")), before);
}

TEST_F(ObjectiveDrawTest, FedListDrawsItsRunInTheLeftHalf) {
    Open();
    CTablonApp app(*db_, ui_);
    ObjectiveRecord objective = Stored(0);
    CFedListDialog d(app.Context(), objective, 0, "FED  List");
    d.Begin(ui_);
    const Control* labels = nullptr;
    for (const auto& c : d.Controls())
        if (c.label == "PT Label") labels = &c;
    ASSERT_NE(labels, nullptr);
    RecordingCanvas c(266, 440);
    d.Paint(feddlg::kDrawing, c);
    EXPECT_EQ(c.Calls().size(), 3u);
}

class ObjectiveDrawCliTest : public ObjectiveDrawTest, protected CliRunner {
  protected:
    using CliRunner::Run;
};

TEST_F(ObjectiveDrawCliTest, DrawsIntoAPngAndSaysWithWhichNumbers) {
    Write();
    EXPECT_EQ(Run({"objective", "draw", "0", "o.png", "--size", "200x100", "--points", "--axes",
                   "--zoom", "-3", "--hscroll", "3", "--format", "json"}),
              0)
        << err_.str();
    EXPECT_EQ(out_.str(),
              "{\"objective\": 0, \"view\": \"top\", \"size\": [200, 100], \"entries\": 2, "
              "\"extents\": {\"x\": [-10, 110], \"y\": [-5, 55], \"z\": [0, 0]}, \"fit_scale\": "
              "1.5833333, \"origin\": [80, 10], \"scale\": 0.7916666, \"zoom\": 0.25, \"pan\": "
              "[60, 0]}\n");
    const Bytes png = ReadBytes(Path("o.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(Run({"objective", "draw", "1", "f.png", "--view", "front", "--filled"}), 0);
    // Front: y across (10 wide), z down (flat: counts as 1); 640 x 480 by default.
    EXPECT_EQ(out_.str(),
              "entries\t1\nextents\t30\t50\t15\t25\t-30\t-30\nfit_scale\t60.8\n"
              "origin\t-895\t1835\nscale\t121.6\nzoom\t1\npan\t0\t0\n");
    EXPECT_EQ(Run({"objective", "draw", "9", "x.png"}), 1);
    EXPECT_EQ(Run({"objective", "draw", "0", "x.png", "--zoom", "11"}), 2);
    EXPECT_EQ(Run({"objective", "draw", "0", "x.png", "--view", "under"}), 2);
    EXPECT_EQ(Run({"objective", "draw", "0", "x.png", "--size", "0x5"}), 2);
    EXPECT_EQ(Run({"objective", "draw", "0"}), 2);
}

}  // namespace
}  // namespace tablon::test
