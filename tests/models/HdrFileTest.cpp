#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "models/ModelFiles.h"
#include "models/ModelTestSupport.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

constexpr const char* kHdr = "KoreaObj.hdr";

class HdrFileTest : public TempDirTest {
  protected:
    HdrFileTest() { ctx_.ui = &ui_; }

    // C = 2, P = 1, X = 3, N = 2 and two parents whose blocks (52 and 8 bytes) fill the file.
    static HdrSetup Small() {
        HdrSetup s;
        s.parents = {MakeParentRecord(1, 2, 2), MakeParentRecord(0, 0, 1)};
        s.blocks.resize(60);
        for (size_t i = 0; i < s.blocks.size(); ++i) s.blocks[i] = uint8_t(0xA0 + i);
        return s;
    }
    HdrFile& Open(const Bytes& file, int mode = 1, int expect = 1) {
        WriteBytes(Path(kHdr), file);
        hdr_ = std::make_unique<HdrFile>(DescOf(FileId::Hdr), ctx_);
        EXPECT_EQ(hdr_->Open(kHdr, "", mode), expect) << testing::PrintToString(ui_.Texts());
        return *hdr_;
    }
    Bytes OnDisk() { return ReadBytes(Path(kHdr)); }

    ScriptedUi ui_;
    FileSetContext ctx_;
    std::unique_ptr<HdrFile> hdr_;
};

// The offsets below are worked out by hand from the section sizes.
constexpr uint64_t kPalettes = 48, kTextures = 1088, kLods = 1216, kParents = 1260, kData = 1356;

TEST_F(HdrFileTest, SectionsLieWhereTheCountsPutThem) {
    const HdrSetup desc = Small();
    const Bytes file = BuildHdr(desc);
    HdrFile& h = Open(file);
    const HdrLayout& l = h.Layout();
    ASSERT_TRUE(l.valid);
    EXPECT_EQ(l.colourTable, 12u);
    EXPECT_EQ(l.paletteTable, kPalettes);
    EXPECT_EQ(l.textureTable, kTextures);
    EXPECT_EQ(l.lodTable, kLods);
    EXPECT_EQ(l.parentTable, kParents);
    EXPECT_EQ(l.dataBlocks, kData);
    EXPECT_EQ(file.size(), kData + 60);
    EXPECT_EQ(h.Version(), 7u);
    EXPECT_EQ(h.DarkColours(), 3u);
    EXPECT_EQ(h.TextureMaxSize(), 256u);
    EXPECT_EQ(h.LodMaxNodes(), 99u);
    EXPECT_EQ(h.PaletteCount(), 1u);

    ColourRecord c;
    ASSERT_EQ(h.GetColour(1, c), 1);
    EXPECT_EQ(0, std::memcmp(c.b, file.data() + 12 + 16, 16));
    Palette pal;
    ASSERT_EQ(h.GetPalette(0, pal), 1);
    EXPECT_EQ(0, std::memcmp(pal.data(), file.data() + kPalettes, pal.size()));
    TextureRecord t;
    ASSERT_EQ(h.GetTexture(2, t), 1);
    EXPECT_EQ(0, std::memcmp(t.b, file.data() + kTextures + 80, 40));
    LodRecord lod;
    ASSERT_EQ(h.GetLod(1, lod), 1);
    EXPECT_EQ(0, std::memcmp(lod.b, file.data() + kLods + 20, 20));
    ParentRecord p;
    ASSERT_EQ(h.GetParent(1, p), 1);
    EXPECT_EQ(p, desc.parents[1]);

    // Each section ends at its own count.
    EXPECT_EQ(h.GetColour(2, c), 0);
    EXPECT_EQ(h.GetColour(-1, c), 0);
    EXPECT_EQ(h.GetPalette(1, pal), 0);
    EXPECT_EQ(h.GetTexture(3, t), 0);
    EXPECT_EQ(h.GetLod(2, lod), 0);
    EXPECT_EQ(h.GetParent(2, p), 0);

    const FileStatus s = h.Status();
    EXPECT_EQ(s.state, FileState::Ok);
    EXPECT_EQ(s.recordSize, 48u);
    EXPECT_EQ(s.count, 2u);
    EXPECT_EQ(s.version, 7);
    // The parents are the records of the generic access.
    EXPECT_EQ(h.GenericCount(), 2u);
    Bytes rec;
    ASSERT_EQ(h.GenericGet(0, rec), 1);
    EXPECT_EQ(rec, Bytes(desc.parents[0].b, desc.parents[0].b + 48));
    rec[0] = 0x55;
    ASSERT_EQ(h.GenericSet(0, rec), 1);
    EXPECT_EQ(OnDisk()[kParents], 0x55);
}

TEST_F(HdrFileTest, SetsWriteInPlaceAndHeaderValuesKeepTheirValuesAsRead) {
    HdrFile& h = Open(BuildHdr(Small()));
    ParentRecord p = MakeParentRecord(4, 5, 6);
    p.SetRadius(123.5f);
    ASSERT_EQ(h.SetParent(1, p), 1);
    TextureRecord t;
    t.SetWidth(64);
    t.SetPalette(3);
    ASSERT_EQ(h.SetTexture(0, t), 1);
    ColourRecord c;
    c.SetRgba(0.25f, 0.5f, 0.75f, 1);
    ASSERT_EQ(h.SetColour(0, c), 1);
    ASSERT_EQ(h.SetVersion(11), 1);
    ASSERT_EQ(h.SetDarkColours(12), 1);
    ASSERT_EQ(h.SetTextureMaxSize(13), 1);
    ASSERT_EQ(h.SetLodMaxNodes(14), 1);

    const Bytes disk = OnDisk();
    EXPECT_EQ(0, std::memcmp(disk.data() + kParents + 48, p.b, 48));
    EXPECT_EQ(0, std::memcmp(disk.data() + kTextures, t.b, 40));
    EXPECT_EQ(0, std::memcmp(disk.data() + 12, c.b, 16));
    EXPECT_EQ(LoadLE<uint32_t>(disk.data()), 11u);
    EXPECT_EQ(LoadLE<uint32_t>(disk.data() + 8), 12u);
    EXPECT_EQ(LoadLE<uint32_t>(disk.data() + kTextures - 4), 13u);
    EXPECT_EQ(LoadLE<uint32_t>(disk.data() + kLods - 8), 14u);
    // The counts around them are untouched, and the object keeps the values read at open.
    EXPECT_EQ(LoadLE<uint32_t>(disk.data() + kTextures - 8), 3u);
    EXPECT_EQ(LoadLE<uint32_t>(disk.data() + kLods - 4), 2u);
    EXPECT_EQ(h.Version(), 7u);
    EXPECT_EQ(h.DarkColours(), 3u);
    EXPECT_EQ(h.TextureMaxSize(), 256u);
    EXPECT_EQ(h.LodMaxNodes(), 99u);

    EXPECT_EQ(h.SetParent(2, p), 0);
    EXPECT_EQ(h.SetTexture(3, t), 0);
    EXPECT_EQ(h.SetColour(2, c), 0);
}

TEST_F(HdrFileTest, ReadOnlyFileTakesNoWrite) {
    const Bytes file = BuildHdr(Small());
    HdrFile& h = Open(file, 0);
    EXPECT_EQ(h.SetParent(0, ParentRecord{}), 0);
    EXPECT_EQ(h.SetTexture(0, TextureRecord{}), 0);
    EXPECT_EQ(h.SetColour(0, ColourRecord{}), 0);
    EXPECT_EQ(h.SetVersion(1), 0);
    EXPECT_EQ(h.WritePositions(0, {Vec3{}}), 0);
    EXPECT_EQ(h.ImportParent(0, 48, Bytes(48, 1).data()), 0);
    EXPECT_EQ(OnDisk(), file);
}

TEST_F(HdrFileTest, BlockReadsAndWritesMayEndAtTheEndOfTheFile) {
    HdrFile& h = Open(BuildHdr(Small()));
    // Parent 1's single LOD reference is the last 8 bytes of the file.
    std::vector<LodRef> refs;
    ASSERT_EQ(h.ReadLodRefs(52, 1, refs), 1);
    EXPECT_EQ(refs[0].ref, LoadLE<uint32_t>(Small().blocks.data() + 52));
    EXPECT_EQ(h.ReadLodRefs(52, 2, refs), 0);
    EXPECT_EQ(h.ReadLodRefs(53, 1, refs), 0);
    ASSERT_EQ(h.WriteLodRefs(52, {LodRef::Make(1, 2)}), 1);
    ASSERT_EQ(h.ReadLodRefs(52, 1, refs), 1);
    EXPECT_EQ(refs[0].ref, LodRef::Make(1, 2).ref);
    EXPECT_EQ(h.WriteLodRefs(53, {LodRef::Make(1, 2)}), 0);
    EXPECT_EQ(h.ReadLodRefs(-8, 1, refs), 0);
    EXPECT_EQ(h.ReadLodRefs(0, -1, refs), 0);

    std::vector<Vec3> pos;
    ASSERT_EQ(h.ReadPositions(0, 5, pos), 1);
    EXPECT_EQ(h.ReadPositions(0, 6, pos), 0);
    EXPECT_EQ(h.WritePositions(0, std::vector<Vec3>(6)), 0);
    const std::vector<Vec3> four{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {-1, -2, -3}};
    ASSERT_EQ(h.WritePositions(0, four), 1);
    ASSERT_EQ(h.ReadPositions(0, 4, pos), 1);
    EXPECT_EQ(pos, four);
    // Parent 0's references behind its slot and dynamic positions.
    const std::vector<LodRef> two{LodRef::Make(5, 1000), {13, 2500}};
    ASSERT_EQ(h.WriteLodRefs(36, two), 1);
    ASSERT_EQ(h.ReadLodRefs(36, 2, refs), 1);
    EXPECT_EQ(refs, two);
    EXPECT_EQ(refs[1].LodNumber(), 6u);
    EXPECT_EQ(LoadLE<float>(OnDisk().data() + kData + 36 + 12), 2500.0f);
}

TEST_F(HdrFileTest, ImportAndExportOfColoursAndParents) {
    HdrFile& h = Open(BuildHdr(Small()));
    const Bytes colour(16, 0x11), parent(48, 0x22);
    EXPECT_EQ(h.ImportColour(0, 15, colour.data()), 0);
    EXPECT_EQ(h.ImportColour(0, 17, colour.data()), 0);
    EXPECT_EQ(h.ImportColour(-1, 16, colour.data()), 0);
    EXPECT_EQ(h.ImportColour(2, 16, colour.data()), 0);
    EXPECT_EQ(h.ImportColour(1, 16, colour.data()), 1);
    EXPECT_EQ(h.ImportParent(0, 16, parent.data()), 0);
    EXPECT_EQ(h.ImportParent(-1, 48, parent.data()), 0);
    EXPECT_EQ(h.ImportParent(2, 48, parent.data()), 0);
    EXPECT_EQ(h.ImportParent(1, 48, parent.data()), 1);
    const Bytes disk = OnDisk();
    EXPECT_EQ(Bytes(disk.begin() + 28, disk.begin() + 44), colour);
    EXPECT_EQ(Bytes(disk.begin() + kParents + 48, disk.begin() + kParents + 96), parent);

    ASSERT_EQ(h.ExportColour(1, Path("out.vte")), 1);
    ASSERT_EQ(h.ExportParent(1, Path("out.vte")), 1);
    EXPECT_EQ(h.ExportParent(2, Path("out.vte")), 0);
    const Bytes vte = ReadBytes(Path("out.vte"));
    ASSERT_EQ(vte.size(), 12u + 16 + 12 + 48);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data()), 16u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 4), 16u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 8), 1u);
    EXPECT_EQ(Bytes(vte.begin() + 12, vte.begin() + 28), colour);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 28), 20u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 32), 48u);
    EXPECT_EQ(Bytes(vte.begin() + 40, vte.end()), parent);
}

TEST_F(HdrFileTest, BlockOffsetsInOnePassEqualTheSumOverEarlierParents) {
    HdrSetup desc;
    // Counts of every sign and size the fields can hold, the slot byte read as signed.
    const int8_t slots[] = {0, 3, -1, 127, -128, 5};
    const int16_t dynamic[] = {0, 2, 32767, -5, 1, -32768};
    const uint8_t lods[] = {0, 1, 255, 3, 0, 200};
    for (int k = 0; k < 60; ++k) {
        const int a = k % 6, b = k < 6 ? a : k * 7 % 6, c = k < 6 ? a : k * 5 % 6;
        desc.parents.push_back(MakeParentRecord(slots[a], dynamic[b], lods[c]));
    }
    HdrFile& h = Open(BuildHdr(desc));
    const std::vector<int64_t> all = h.ParentBlockOffsets();
    ASSERT_EQ(all.size(), 60u);
    int64_t offset = -1;
    for (int k = 0; k < 60; ++k) {
        ASSERT_EQ(h.ParentBlockOffset(k, offset), 1);
        EXPECT_EQ(all[size_t(k)], offset) << k;
    }
    EXPECT_EQ(all[0], 0);
    EXPECT_EQ(all[1], (0 + 0) * 12 + 0 * 8);
    EXPECT_EQ(all[2], all[1] + (3 + 2) * 12 + 1 * 8);
    EXPECT_EQ(all[3], all[2] + (-1 + 32767) * 12 + 255 * 8);
    EXPECT_EQ(h.ParentBlockOffset(60, offset), 0);
    EXPECT_EQ(h.ParentBlockOffset(-1, offset), 0);
}

// Every accessor of a header whose layout did not check out fails.
void ExpectNothingReadable(HdrFile& h) {
    EXPECT_EQ(h.GenericCount(), 0u);
    EXPECT_EQ(h.ParentCount(), 0u);
    ParentRecord p;
    ColourRecord c;
    TextureRecord t;
    LodRecord l;
    Palette pal;
    std::vector<LodRef> refs;
    EXPECT_EQ(h.GetParent(0, p), 0);
    EXPECT_EQ(h.GetColour(0, c), 0);
    EXPECT_EQ(h.GetTexture(0, t), 0);
    EXPECT_EQ(h.GetLod(0, l), 0);
    EXPECT_EQ(h.GetPalette(0, pal), 0);
    EXPECT_EQ(h.ReadLodRefs(0, 0, refs), 0);
    EXPECT_EQ(h.SetColour(0, c), 0);
    EXPECT_EQ(h.SetParent(0, p), 0);
    EXPECT_EQ(h.SetLodMaxNodes(1), 0);
    EXPECT_TRUE(h.ParentBlockOffsets().empty());
}

TEST_F(HdrFileTest, TruncatedHeadersOpenAsBadSizeAndReadNothing) {
    const Bytes file = BuildHdr(Small());
    // Every length around a count or a section's end, and a stride through the rest.
    std::vector<size_t> lengths;
    for (uint64_t at : {4, 8, 12, 44, 48, 1080, 1084, 1088, 1208, 1212, 1216, 1256, 1260, 1356})
        for (uint64_t len : {at - 1, at, at + 1}) lengths.push_back(len);
    for (size_t len = 1; len <= file.size(); len += 17) lengths.push_back(len);
    lengths.push_back(file.size());
    for (size_t len : lengths) {
        const Bytes cut(file.begin(), file.begin() + len);
        HdrFile& h = Open(cut);
        if (len >= kData) {
            EXPECT_EQ(h.Status().state, FileState::Ok) << len;
            continue;
        }
        EXPECT_EQ(h.Status().state, FileState::BadSize) << len;
        ExpectNothingReadable(h);
        EXPECT_EQ(OnDisk(), cut);
    }
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(HdrFileTest, CountsPastTheEndOfTheFileMakeTheLayoutInvalid) {
    // A count whose section size wraps a 32-bit sum to a small value must not pass.
    for (uint32_t big : {0xffffffffu, 0x10000000u, 0x80000000u}) {
        HdrSetup s = Small();
        s.colours = 0;
        Bytes b = BuildHdr(s);
        StoreLE<uint32_t>(b.data() + 4, big);  // C
        EXPECT_EQ(Open(b).Status().state, FileState::BadSize) << big;
        ExpectNothingReadable(*hdr_);
        Bytes m = BuildHdr(Small());
        StoreLE<uint32_t>(m.data() + kParents - 4, big);  // M
        HdrFile& h = Open(m);
        EXPECT_EQ(h.Status().state, FileState::BadSize) << big;
        EXPECT_EQ(h.Status().count, big);
        ExpectNothingReadable(h);
    }
    // One parent more than the file holds.
    Bytes m = BuildHdr(Small());
    m.resize(kData);
    StoreLE<uint32_t>(m.data() + kParents - 4, 3);
    EXPECT_EQ(Open(m).Status().state, FileState::BadSize);
}

TEST_F(HdrFileTest, EmptyOrMissingFileFailsTheOpen) {
    HdrFile& h = Open(Bytes{}, 1, 0);
    EXPECT_EQ(ui_.Texts(),
              (std::vector<std::string>{"File Mapping failed", "Can't map file KoreaObj.hdr"}));
    EXPECT_EQ(h.Status().state, FileState::Unmapped);
    ExpectNothingReadable(h);

    ui_.Clear();
    HdrFile missing(DescOf(FileId::Hdr), ctx_);
    EXPECT_EQ(missing.Open("nothere.hdr", "", 1), 0);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Can't map file nothere.hdr"});
    ASSERT_EQ(ui_.FileRequests().size(), 1u);
    EXPECT_EQ(ui_.FileRequests()[0].filter, "hdr Files (*.hdr)|*.hdr|All Files (*.*)|*.*||");
    EXPECT_EQ(missing.Status().state, FileState::Unopened);
    EXPECT_FALSE(missing.Status().version.has_value());
}

TEST(ModelRecords, DrawingColourTruncatesAndWraps) {
    ColourRecord c;
    c.SetRgba(1.0f, 0.5f, 0.0f, 0.3f);
    EXPECT_EQ(DrawingColour(c), (Rgb{255, 127, 0}));
    c.SetRgba(1.5f, -0.5f, 0.999f, 1);
    EXPECT_EQ(DrawingColour(c), (Rgb{126, 129, 254}));
    c.SetRgba(1e30f, std::numeric_limits<float>::quiet_NaN(), 0.01f, 1);
    EXPECT_EQ(DrawingColour(c), (Rgb{0, 0, 2}));
}

TEST(ModelRecords, FieldTablesCoverTheirRecordsExactly) {
    for (const FieldTable* t : {&ParentFields(), &LodFields(), &TextureFields(), &ColourFields()}) {
        size_t at = 0;
        for (const Field& f : t->fields) {
            EXPECT_EQ(f.offset, at) << t->record << "." << f.name;
            at = f.offset + FieldWidth(f);
        }
        EXPECT_EQ(at, t->size) << t->record;
    }
    EXPECT_EQ(&FieldTableOf(FileId::Hdr), &ParentFields());
}

}  // namespace
}  // namespace tablon::test
