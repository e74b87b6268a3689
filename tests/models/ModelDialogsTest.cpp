#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "models/LodData.h"
#include "models/ModelDialogs.h"
#include "models/ModelFiles.h"
#include "models/ModelViews.h"
#include "models/TextureBitmap.h"
#include "sample/ModelSample.h"
#include "shell/Canvas.h"
#include "shell/ShellTestFixture.h"

namespace tablon::test {
namespace {

class ModelDialogsTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteSet();
        std::string error;
        ASSERT_TRUE(WriteModelSample(Dir(), SampleScale::Demo, error)) << error;
        Open();
    }
    HdrFile& Hdr() { return db_->Hdr(); }
    std::vector<LodRef> Refs(int parent) {
        ParentData d;
        EXPECT_TRUE(LoadParentData(*db_, parent, d));
        return d.lodRefs;
    }
    // Every slot node of a LOD, by slot number.
    std::vector<std::pair<int, Vec3>> SlotNodes(int lod) {
        LodRecord rec;
        LodData d;
        EXPECT_TRUE(Hdr().GetLod(lod, rec) && d.Open(db_->Lod(), rec));
        std::vector<std::pair<int, Vec3>> out;
        for (const LodNode& n : d.Nodes())
            if (n.type == kSlotNode) out.push_back({n.SlotNumber(), n.SlotPosition()});
        return out;
    }
};

TEST_F(ModelDialogsTest, ListsShowTheirOwnColumns) {
    auto titles = [](const CMvView& v) {
        std::vector<std::string> t;
        for (int c = 0; c < v.ColumnCount(); ++c) t.push_back(v.Column(c).title);
        return t;
    };
    ParentRecord p;
    ASSERT_TRUE(Hdr().GetParent(0, p));
    p.SetDynamic(0x0102);
    ASSERT_TRUE(Hdr().SetParent(0, p));
    CMvView& parents = OpenList("Hdr Data/Parent");
    EXPECT_EQ(titles(parents), (std::vector<std::string>{"No", "Radius", "Minx", "Maxx", "Miny",
                                                         "Maxy", "Minz", "Maxz", "TexSets", "Slots",
                                                         "Switches", "Lods", "DOFs", "Dynamic"}));
    EXPECT_EQ(parents.CellText(0, 13), "258");  // the whole 16-bit count
    // Sorting by radius orders by value; "No" restores file order.
    parents.OnColumnClick(1);
    for (int r = 1; r < parents.RowCount(); ++r)
        EXPECT_LE(std::stof(parents.CellText(r - 1, 1)), std::stof(parents.CellText(r, 1)));
    parents.OnColumnClick(0);
    for (int r = 0; r < parents.RowCount(); ++r) EXPECT_EQ(parents.ItemData(r), r);

    EXPECT_EQ(titles(OpenList("Hdr Data/Lods")),
              (std::vector<std::string>{"No", "Offset", "Size", "Flags"}));
    TextureRecord t;
    ASSERT_TRUE(Hdr().GetTexture(1, t));
    t.SetChroma(0xabc);
    ASSERT_TRUE(Hdr().SetTexture(1, t));
    CMvView& textures = OpenList("Hdr Data/Textures");
    EXPECT_EQ(titles(textures), (std::vector<std::string>{"No", "Palette", "Size", "Width",
                                                          "Offset", "Flags", "Chroma"}));
    EXPECT_EQ(textures.CellText(1, 6), "xabc");
    CMvView& colours = OpenList("Hdr Data/LodColours");
    EXPECT_EQ(titles(colours), (std::vector<std::string>{"No", "R", "G", "B", "A"}));
    // Sorting by "A" twice: ascending, then descending.
    colours.OnColumnClick(4);
    colours.OnColumnClick(4);
    for (int r = 1; r < colours.RowCount(); ++r)
        EXPECT_GE(std::stof(colours.CellText(r - 1, 4)), std::stof(colours.CellText(r, 4)));
}

TEST_F(ModelDialogsTest, ParentDialogShowsTheBlockAndEditsLodReferences) {
    // A reference stored with its lowest bit set shows its LOD number without it.
    ParentData d;
    ASSERT_TRUE(LoadParentData(*db_, 1, d));
    d.lodRefs[1].ref |= 1;
    ASSERT_TRUE(SaveLodRefs(*db_, d));
    ParentRecord p0;
    ASSERT_TRUE(Hdr().GetParent(0, p0));

    CParentDialog dialog(Ctx(), 1);
    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Text(CParentDialog::kR6Offset), std::to_string(p0.BlockSize()));
        EXPECT_EQ(f.Text(CParentDialog::kLodInd), std::to_string(d.lodRefs[0].LodNumber()));
        EXPECT_EQ(f.Rows(CParentDialog::kLodList)[1].cells[0], LodRefText(d.lodRefs[1]));
        EXPECT_EQ(f.Rows(CParentDialog::kLodList)[1].data, int64_t(d.lodRefs[1].ref >> 1));
        // "Lod Res" with nothing selected does nothing.
        f.Press(CParentDialog::kLodRes);
        f.SetSelected(CParentDialog::kLodList, 1);
        ui_.QueueDialogTexts(
            {{CLodResolutionDialog::kLod, "5"}, {CLodResolutionDialog::kDistance, "2500"}});
        f.Press(CParentDialog::kLodRes);
        EXPECT_EQ(f.Rows(CParentDialog::kLodList)[1].cells[0], "5 < 2500");
        f.Press(kIdCancel);
    });
    ui_.RunDialog(dialog);
    const std::vector<LodRef> refs = Refs(1);
    EXPECT_EQ(refs[1], (LodRef{10, 2500.0f}));  // the lowest bit cleared
    EXPECT_EQ(refs[0], d.lodRefs[0]);
}

TEST_F(ModelDialogsTest, ParentOkKeepsFloatsThatOnlyPassedThroughTheirText) {
    ParentRecord before;
    ASSERT_TRUE(Hdr().GetParent(0, before));
    before.SetRadius(32.0156212f);
    before.SetBound(0, -20.0000001f);
    ASSERT_TRUE(Hdr().SetParent(0, before));
    CParentDialog dialog(Ctx(), 0);
    ui_.QueueDialogTexts({{CParentDialog::kRadius, "32.015625"}, {CParentDialog::kOffset2, "77"}});
    EXPECT_EQ(ui_.RunDialog(dialog), Answer::Ok);
    ParentRecord after;
    ASSERT_TRUE(Hdr().GetParent(0, after));
    EXPECT_EQ(after.Radius(), before.Radius());
    EXPECT_EQ(after.Bound(0), before.Bound(0));
    EXPECT_EQ(after.Offset2(), 77u);
    // A refused field keeps the dialog open and writes nothing.
    CParentDialog again(Ctx(), 0);
    ui_.QueueDialog([](Form& f) {
        f.SetText(CParentDialog::kOffset1, "5");
        f.SetText(CParentDialog::kLods, "300");
        f.Press(kIdOk);
        EXPECT_FALSE(f.Ended());
    });
    ui_.RunDialog(again);
    ASSERT_TRUE(Hdr().GetParent(0, after));
    EXPECT_EQ(after.Offset1(), before.Offset1());
}

TEST_F(ModelDialogsTest, SlotEditorPushesPositionsIntoEveryLodOfTheParent) {
    ParentData d;
    ASSERT_TRUE(LoadParentData(*db_, 2, d));
    ASSERT_GT(d.record.Slots(), 0);
    CParentDialog dialog(Ctx(), 2);
    ui_.QueueDialog([&](Form& f) {
        f.Press(CParentDialog::kSlotButton);
        f.Press(kIdCancel);
    });
    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Title(), "Slot Editor");
        EXPECT_EQ(int(f.Rows(CPositionEditor::kList).size()), d.record.Slots());
        ui_.QueueDialogTexts(
            {{CVectorEditor::kX, "1"}, {CVectorEditor::kY, "-2"}, {CVectorEditor::kZ, "3.5"}});
        f.ListEvent(CPositionEditor::kList, ListEventKind::DoubleClick, 0);
        EXPECT_EQ(f.Rows(CPositionEditor::kList)[0].cells,
                  (std::vector<std::string>{"0", "1.000", "-2.000", "3.500"}));
        f.Press(kIdOk);
    });
    ui_.RunDialog(dialog);
    ParentData after;
    ASSERT_TRUE(LoadParentData(*db_, 2, after));
    EXPECT_EQ(after.slots[0], (Vec3{1, -2, 3.5f}));
    EXPECT_EQ(after.slots[1], d.slots[1]);
    int seen = 0;
    for (const LodRef& r : d.lodRefs)
        for (const auto& [number, position] : SlotNodes(int(r.LodNumber())))
            if (number == 0) {
                EXPECT_EQ(position, (Vec3{1, -2, 3.5f}));
                ++seen;
            }
    EXPECT_GT(seen, 0);
    // A parent without slots or dynamic positions: the buttons do nothing.
    ASSERT_TRUE(LoadParentData(*db_, 0, d));
    ASSERT_EQ(d.record.Slots(), 0);
    ASSERT_EQ(d.record.Dynamic(), 0);
    CParentDialog none(Ctx(), 0);
    ui_.QueueDialog([](Form& f) {
        f.Press(CParentDialog::kSlotButton);
        f.Press(CParentDialog::kDynamicButton);
        f.Press(kIdCancel);
    });
    const size_t dialogs = ui_.Dialogs().size();
    ui_.RunDialog(none);
    EXPECT_EQ(ui_.Dialogs().size(), dialogs + 1);
}

TEST_F(ModelDialogsTest, LodInfoEditsGoStraightIntoTheLodFile) {
    CLodInfoDialog info(Ctx(), 0);
    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Text(CLodInfoDialog::kName), "Lod no 0");
        ui_.QueueDialogTexts(
            {{CVectorEditor::kX, "9"}, {CVectorEditor::kY, "8"}, {CVectorEditor::kZ, "7"}});
        f.ListEvent(CLodInfoDialog::kVertexList, ListEventKind::DoubleClick, 1);
        EXPECT_EQ(f.Rows(CLodInfoDialog::kVertexList)[1].cells[1], "9.000");
        ui_.QueueDialogTexts({{CNewTextureDialog::kNumber, "4"}});
        f.ListEvent(CLodInfoDialog::kTextureList, ListEventKind::DoubleClick, 0);
        f.Press(kIdCancel);  // Cancel keeps the edits
    });
    ui_.RunDialog(info);
    LodRecord rec;
    LodData d;
    ASSERT_TRUE(Hdr().GetLod(0, rec) && d.Open(db_->Lod(), rec));
    Vec3 v;
    ASSERT_TRUE(d.TableVec3(d.RootVertices(), 1, v));
    EXPECT_EQ(v, (Vec3{9, 8, 7}));
    EXPECT_EQ(d.RootTextureNumbers()[0], 4u);
}

TEST_F(ModelDialogsTest, ViewerListsSwitchesAndDofsAndDrawsOnItsCanvas) {
    ParentData p;
    ASSERT_TRUE(LoadParentData(*db_, 2, p));
    LodRecord rec;
    LodData lod;
    ASSERT_TRUE(Hdr().GetLod(p.lodInd, rec) && lod.Open(db_->Lod(), rec));
    lod.SetParent(p.record);
    CLodViewerDialog viewer(lod, LodColourTable(Hdr()), p.slots);
    viewer.Begin(ui_);
    EXPECT_TRUE(viewer.Checked(CLodViewerDialog::kTop));
    RecordingCanvas off(400, 300);
    viewer.Paint(CLodViewerDialog::kArea, off);
    const size_t drawnOff = off.Calls().size();

    ui_.QueuePopupChoice(CLodViewerDialog::kSwitchCommand);
    viewer.Press(CLodViewerDialog::kSwitches);
    ASSERT_EQ(ui_.Popups().size(), 1u);
    ASSERT_EQ(ui_.Popups()[0].size(), size_t(viewer.Model().SwitchCount()));
    EXPECT_EQ(ui_.Popups()[0][0].text, "Switch 0 (1 states)");
    EXPECT_FALSE(ui_.Popups()[0][0].checked);
    EXPECT_TRUE(viewer.Model().SwitchOn(0));
    RecordingCanvas on(400, 300);
    viewer.Paint(CLodViewerDialog::kArea, on);
    EXPECT_GT(on.Calls().size(), drawnOff);

    viewer.Press(CLodViewerDialog::kDofs);
    ASSERT_EQ(ui_.Popups()[1].size(), size_t(p.record.Dofs()));
    EXPECT_EQ(ui_.Popups()[1][0].text, "Dof 0");

    // Zoom slider and scroll bars.
    viewer.Scroll(CLodViewerDialog::kZoom, ScrollAction::Thumb, -3);
    EXPECT_FLOAT_EQ(viewer.Model().Zoom(), 0.25f);
    viewer.Scroll(CLodViewerDialog::kHScroll, ScrollAction::PageDown);
    viewer.Scroll(CLodViewerDialog::kVScroll, ScrollAction::LineUp);
    EXPECT_EQ(viewer.Model().HScroll(), 50);
    EXPECT_EQ(viewer.Model().VScroll(), -1);
    viewer.Paint(CLodViewerDialog::kArea, on);
    EXPECT_EQ(viewer.LastLayout().panX, 4 * 50);
    viewer.Press(CLodViewerDialog::kReset);
    EXPECT_EQ(viewer.Position(CLodViewerDialog::kZoom), 0);
    EXPECT_FLOAT_EQ(viewer.Model().Zoom(), 1.0f);
    viewer.SetChecked(CLodViewerDialog::kFilled, true);
    viewer.Press(CLodViewerDialog::kFilled);
    EXPECT_EQ(viewer.Model().flags, unsigned(kLodFilled));
}

// ---- textures ----

class TextureBitmapTest : public ModelDialogsTest {
  protected:
    std::string Write(const Bytes& b, const std::string& name) {
        WriteBytes(Path(name), b);
        return Path(name);
    }
    uint64_t TexSize() { return ReadBytes(Path("KoreaObj.tex")).size(); }
    Bytes Pixels(int t) {
        TextureRecord rec;
        EXPECT_TRUE(Hdr().GetTexture(t, rec));
        Bytes px;
        EXPECT_TRUE(db_->Tex().ReadTexture(rec.Offset(), rec.Size(), px));
        return px;
    }
};

TEST_F(TextureBitmapTest, GetThenSetGivesBackTheSameTexture) {
    TextureRecord before;
    ASSERT_TRUE(Hdr().GetTexture(1, before));
    const auto bitmap = GetTextureBitmap(*db_, 1, ui_);
    ASSERT_TRUE(bitmap);
    const uint32_t w = before.Width();
    EXPECT_EQ(bitmap->size(), size_t(w) * w + 1082);
    EXPECT_EQ(LoadLE<uint32_t>(bitmap->data() + 10), 1082u);
    // The bottom row comes first.
    const Bytes px = Pixels(1);
    EXPECT_TRUE(std::equal(px.end() - w, px.end(), bitmap->begin() + 1082));

    const uint64_t end = TexSize();
    ASSERT_TRUE(SetTextureFromFile(*db_, 1, Write(*bitmap, "t.bmp"), ui_))
        << testing::PrintToString(ui_.Texts());
    TextureRecord after;
    ASSERT_TRUE(Hdr().GetTexture(1, after));
    EXPECT_EQ(after.Offset(), end);  // appended at the old end
    EXPECT_EQ(after.Palette(), before.Palette());
    EXPECT_EQ(Pixels(1), px);
    // Every other byte of the record is kept.
    TextureRecord expect = before;
    expect.SetOffset(after.Offset());
    expect.SetSize(after.Size());
    EXPECT_EQ(std::vector<uint8_t>(after.b, after.b + 40),
              std::vector<uint8_t>(expect.b, expect.b + 40));

    // The save dialog proposes bm-T.bmp.
    ui_.QueueFile(Path("out.bmp"));
    ASSERT_TRUE(GetTexture(*db_, 12, ui_));
    EXPECT_EQ(ui_.FileRequests().back().initialName, "bm-12.bmp");
}

TEST_F(TextureBitmapTest, AnotherPalettesColoursChooseThatPalette) {
    auto bitmap = GetTextureBitmap(*db_, 1, ui_);
    ASSERT_TRUE(bitmap);
    Palette other;
    ASSERT_TRUE(Hdr().GetPalette(1, other));
    for (size_t i = 0; i < 256; ++i) {
        (*bitmap)[54 + 4 * i] = other[4 * i + 2];
        (*bitmap)[55 + 4 * i] = other[4 * i + 1];
        (*bitmap)[56 + 4 * i] = other[4 * i];
        (*bitmap)[57 + 4 * i] = 0x55;  // not compared
    }
    ASSERT_TRUE(SetTextureFromFile(*db_, 1, Write(*bitmap, "p.bmp"), ui_));
    TextureRecord rec;
    ASSERT_TRUE(Hdr().GetTexture(1, rec));
    EXPECT_EQ(rec.Palette(), 1u);
    (*bitmap)[54] ^= 1;
    EXPECT_FALSE(SetTextureFromFile(*db_, 1, Write(*bitmap, "q.bmp"), ui_));
    EXPECT_EQ(ui_.Texts().back(), "Bitmap file has the invalid palette colours");
}

TEST_F(TextureBitmapTest, BadBitmapsAreRefusedWithNothingWritten) {
    const auto good = GetTextureBitmap(*db_, 1, ui_);
    ASSERT_TRUE(good);
    const uint64_t end = TexSize();
    const char* kFormat = "Bitmap file not in correct format (size/colours/...)";
    auto refused = [&](Bytes b, const std::string& message) {
        EXPECT_FALSE(SetTextureFromFile(*db_, 1, Write(b, "bad.bmp"), ui_));
        EXPECT_EQ(ui_.Texts().empty() ? "" : ui_.Texts().back(), message);
        EXPECT_EQ(TexSize(), end);
    };
    Bytes b = *good;
    StoreLE<uint32_t>(b.data() + 14 + 32, 255);  // 255 colours used
    refused(b, kFormat);
    b = *good;
    StoreLE<uint16_t>(b.data() + 14 + 14, 4);  // 4 bits per pixel
    refused(b, kFormat);
    b = *good;
    StoreLE<int32_t>(b.data() + 14 + 4, 8);  // another width
    refused(b, kFormat);
    b = *good;
    b.resize(b.size() - 1);  // one pixel short
    refused(b, kFormat);
    b = *good;
    b[1] = 'X';
    refused(b, "Not a valid bitmap");
    EXPECT_FALSE(SetTextureFromFile(*db_, 1, Path("missing.bmp"), ui_));
    EXPECT_EQ(ui_.Texts().back(), "Can't open the file");
    EXPECT_FALSE(SetTextureFromFile(*db_, 100000, Path("missing.bmp"), ui_));
    EXPECT_EQ(ui_.Texts().back(), "No such Texture in file");
    TextureRecord rec;
    ASSERT_TRUE(Hdr().GetTexture(1, rec));
    rec.SetPalette(21);
    ASSERT_TRUE(Hdr().SetTexture(1, rec));
    refused(*good, "Highly suspicious texture index entry - I'm going skip it!");
}

TEST_F(TextureBitmapTest, ABlockTooLargeToReadBackIsRefused) {
    // A 256 x 256 texture of noise compresses to more than a record may say.
    TextureRecord rec;
    ASSERT_TRUE(Hdr().GetTexture(1, rec));
    rec.SetWidth(256);
    ASSERT_TRUE(Hdr().SetTexture(1, rec));
    Palette pal;
    ASSERT_TRUE(Hdr().GetPalette(int(rec.Palette()), pal));
    Bytes noise(256 * 256);
    std::mt19937 rng(5);
    for (auto& p : noise) p = uint8_t(rng());
    const uint64_t end = TexSize();
    EXPECT_FALSE(SetTextureFromFile(
        *db_, 1, Write(TextureBitmapFile(noise, 256, pal.data()), "n.bmp"), ui_));
    EXPECT_EQ(ui_.Texts().back(), "Can't append texture to texfile");
    EXPECT_EQ(TexSize(), end);
}

TEST(TextureBitmapFile, RowsArePaddedAndShortPixelsAreZero) {
    Palette pal{};
    pal[0] = 1, pal[1] = 2, pal[2] = 3;
    const Bytes b = TextureBitmapFile({7, 8, 9, 10, 11}, 3, pal.data());
    ASSERT_EQ(b.size(), 1082u + 4 * 3);
    EXPECT_EQ(LoadLE<uint32_t>(b.data() + 2), b.size());
    EXPECT_EQ(b[54], 3);  // blue, green, red
    EXPECT_EQ(b[56], 1);
    // Bottom row (missing) zero, then the middle row (10, 11, missing), then the top row.
    EXPECT_EQ(Bytes(b.begin() + 1082, b.end()), (Bytes{0, 0, 0, 0, 10, 11, 0, 0, 7, 8, 9, 0}));
}

}  // namespace
}  // namespace tablon::test
