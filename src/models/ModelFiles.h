// The three 3D model files: the model header "KoreaObj.hdr", the LOD file "KoreaObj.lod" and
// the texture file "KoreaObj.tex". They are mapped like record files but have layouts of
// their own and no size check; none of them ever gains or loses an entry, only the texture
// file grows when a texture is replaced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "models/ModelRecords.h"
#include "store/RecordFile.h"

namespace tablon {

// Maps the file ("Can't map file %s" when that fails) and reports unopened / unmapped / ok.
// The LOD and texture files have no records for the generic access: a count of 0.
class ModelFile : public RecordFile {
  public:
    using RecordFile::RecordFile;
    int Open(const std::string& name, const std::string& initialDir, int mode) override;
    FileStatus Status() const override;
    uint32_t GenericCount() const override { return 0; }
    uint32_t GenericSize() const override { return desc_.memSize; }
    int GenericGet(int, Bytes&) const override { return 0; }
    int GenericSet(int, const Bytes&) override { return 0; }

  protected:
    // The mapped bytes [offset, offset + length), or null when they are not all in the file.
    const uint8_t* Span(uint64_t offset, uint64_t length) const;
    uint8_t* MutableSpan(uint64_t offset, uint64_t length);
};

// Where the sections of the header file lie, computed once at open from the counts in the
// file (C colours, P palettes, X textures, N LODs, M parents).
struct HdrLayout {
    bool valid = false;  // every section lies inside the file
    uint32_t version = 0, colours = 0, darkColours = 0, palettes = 0, textures = 0;
    uint32_t textureMaxSize = 0, lodMaxNodes = 0, lods = 0, parents = 0;
    uint64_t colourTable = 12;  // C entries of 16 bytes
    uint64_t paletteTable = 0;  // P palettes of 1032 bytes
    uint64_t textureTable = 0;  // X entries of 40 bytes
    uint64_t lodTable = 0;      // N entries of 20 bytes
    uint64_t parentTable = 0;   // M parents of 48 bytes
    uint64_t dataBlocks = 0;    // the parents' data blocks, to the end of the file
};
HdrLayout ComputeHdrLayout(const uint8_t* view, uint64_t size);

// The model header file. Its parents are its records for the generic access.
//
// A header whose counts make a section run past the end of the file still opens (the header
// has no size check, and the rest of the set stays usable), but its layout is invalid: Status
// reports "bad-size" with whatever counts could be read, and every entry and block operation
// fails, so the model views show empty lists. Nothing is ever read or written outside the file.
class HdrFile : public ModelFile {
  public:
    using ModelFile::ModelFile;

    int Open(const std::string& name, const std::string& initialDir, int mode) override;
    FileStatus Status() const override;
    uint32_t GenericCount() const override { return layout_.valid ? layout_.parents : 0; }
    uint32_t GenericSize() const override { return ParentRecord::kSize; }
    int GenericGet(int index, Bytes& out) const override;
    int GenericSet(int index, const Bytes& record) override;

    const HdrLayout& Layout() const { return layout_; }
    bool LayoutValid() const { return layout_.valid; }

    // The four header values as read at open; the set operations below do not change them.
    uint32_t Version() const { return layout_.version; }
    uint32_t DarkColours() const { return layout_.darkColours; }
    uint32_t TextureMaxSize() const { return layout_.textureMaxSize; }
    uint32_t LodMaxNodes() const { return layout_.lodMaxNodes; }
    // Write one header value into the file (no flush).
    int SetVersion(uint32_t v);
    int SetDarkColours(uint32_t v);
    int SetTextureMaxSize(uint32_t v);
    int SetLodMaxNodes(uint32_t v);

    uint32_t ColourCount() const { return layout_.valid ? layout_.colours : 0; }
    uint32_t PaletteCount() const { return layout_.valid ? layout_.palettes : 0; }
    uint32_t TextureCount() const { return layout_.valid ? layout_.textures : 0; }
    uint32_t LodCount() const { return layout_.valid ? layout_.lods : 0; }
    uint32_t ParentCount() const { return layout_.valid ? layout_.parents : 0; }

    int GetPalette(int index, Palette& out) const;
    int GetTexture(int index, TextureRecord& out) const;
    int SetTexture(int index, const TextureRecord& rec);  // flushes
    int GetLod(int index, LodRecord& out) const;
    int GetColour(int index, ColourRecord& out) const;
    int SetColour(int index, const ColourRecord& rec);  // no flush
    int GetParent(int index, ParentRecord& out) const;
    int SetParent(int index, const ParentRecord& rec);  // flushes

    // Items of the parents' data blocks, at a block offset counted from the start of the data
    // blocks. A read fails if it would pass the end of the file; a write also if it would
    // reach it. Writes flush. Negative offsets and counts fail.
    int ReadLodRefs(int64_t blockOffset, int count, std::vector<LodRef>& out) const;
    int WriteLodRefs(int64_t blockOffset, const std::vector<LodRef>& refs);
    int ReadPositions(int64_t blockOffset, int count, std::vector<Vec3>& out) const;
    int WritePositions(int64_t blockOffset, const std::vector<Vec3>& positions);

    // The offset of parent k's data block: the sum of the block sizes of parents 0 to k - 1.
    // Fails when k is not a parent or an earlier parent cannot be read.
    int ParentBlockOffset(int k, int64_t& offset) const;
    // The block offsets of all parents in one pass, equal to ParentBlockOffset for each.
    std::vector<int64_t> ParentBlockOffsets() const;

    int ExportColour(int index, const std::string& path) const;
    int ExportParent(int index, const std::string& path) const;
    // Import of LOD colour records (16 bytes) and parent records (48 bytes).
    int ImportColour(int32_t index, uint32_t size, const uint8_t* data);
    int ImportParent(int32_t index, uint32_t size, const uint8_t* data);

  protected:
    void Reread() override { layout_ = ComputeHdrLayout(View(), FileSize()); }

  private:
    int GetEntry(uint64_t table, uint32_t count, uint32_t size, int index, uint8_t* out) const;
    uint8_t* EntrySpan(uint64_t table, uint32_t count, uint32_t size, int index);
    int SetHeaderWord(uint64_t offset, uint32_t v);
    bool BlockRange(int64_t blockOffset, int count, size_t itemSize, bool write, uint64_t& start,
                    uint64_t& length) const;

    HdrLayout layout_;
};

// The LOD file: LOD blocks one after another, each found through its LOD table entry. It is
// changed only in place (see LodData).
class LodFile : public ModelFile {
  public:
    using ModelFile::ModelFile;
    bool BlockInFile(uint32_t offset, uint32_t size) const;
    // Copies a block out; fails when it would reach beyond the end of the file.
    int ReadBlock(uint32_t offset, uint32_t size, Bytes& out) const;
    int ReadBlock(const LodRecord& rec, Bytes& out) const;
};

// The texture file: compressed pixel blocks one after another, each found through its texture
// table entry. Replacing a texture appends a block; the old one stays.
class TexFile : public ModelFile {
  public:
    using ModelFile::ModelFile;
    // The largest texture the program decodes: 4096 x 4096 pixels.
    static constexpr size_t kMaxPixels = size_t(4096) * 4096;

    int ReadCompressed(uint32_t offset, uint32_t length, Bytes& out) const;
    // Decodes the block at offset (length bytes) into out, at most maxPixels bytes of it (a
    // longer block keeps its first maxPixels bytes). Fails when the block reaches beyond the
    // file.
    int ReadTexture(uint32_t offset, uint32_t length, Bytes& out,
                    size_t maxPixels = kMaxPixels) const;
    // Writes a compressed block at the end of the file and says where. The mapping is not
    // renewed: Remap before reading the new block.
    int AppendBlock(const Bytes& block, uint32_t& offset, uint32_t& length);
};

}  // namespace tablon
