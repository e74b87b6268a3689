#include "models/ModelFiles.h"

#include <cstring>
#include <limits>

#include "models/Lzss.h"
#include "shell/Ui.h"
#include "store/ExportImport.h"
#include "store/Journal.h"

namespace tablon {

int ModelFile::Open(const std::string& name, const std::string& initialDir, int mode) {
    if (!OpenMapped(name, FilterFor(desc_.ext), initialDir, mode)) {
        ShowMessage(Format(desc_.openFailMessage, name.c_str()));
        return 0;
    }
    return 1;
}

FileStatus ModelFile::Status() const {
    FileStatus s;
    s.state = !IsOpen() ? FileState::Unopened : !IsMapped() ? FileState::Unmapped : FileState::Ok;
    s.recordSize = GenericSize();
    s.count = GenericCount();
    return s;
}

const uint8_t* ModelFile::Span(uint64_t offset, uint64_t length) const {
    const uint8_t* v = View();
    if (!v || offset > fileSize_ || length > fileSize_ - offset) return nullptr;
    return v + offset;
}

uint8_t* ModelFile::MutableSpan(uint64_t offset, uint64_t length) {
    if (!Writable() || !Span(offset, length)) return nullptr;
    return WritableSpan(offset, length);
}

// ---------------------------------------------------------------------------------------------

HdrLayout ComputeHdrLayout(const uint8_t* view, uint64_t size) {
    // Each count is read only when the bytes before it are known to lie in the file; the
    // sums are 64-bit, so no 32-bit count can wrap them.
    HdrLayout l;
    auto word = [&](uint64_t at, uint32_t& v) {
        if (!view || at + 4 > size) return false;
        v = LoadLE<uint32_t>(view + at);
        return true;
    };
    if (!word(0, l.version) || !word(4, l.colours) || !word(8, l.darkColours)) return l;
    l.colourTable = 12;
    const uint64_t p = l.colourTable + 16 * uint64_t(l.colours);
    if (!word(p, l.palettes)) return l;
    l.paletteTable = p + 4;
    const uint64_t t = l.paletteTable + kPaletteStride * uint64_t(l.palettes);
    if (!word(t, l.textures) || !word(t + 4, l.textureMaxSize)) return l;
    l.textureTable = t + 8;
    const uint64_t lod = l.textureTable + TextureRecord::kSize * uint64_t(l.textures);
    if (!word(lod, l.lodMaxNodes) || !word(lod + 4, l.lods)) return l;
    l.lodTable = lod + 8;
    const uint64_t r = l.lodTable + LodRecord::kSize * uint64_t(l.lods);
    if (!word(r, l.parents)) return l;
    l.parentTable = r + 4;
    l.dataBlocks = l.parentTable + ParentRecord::kSize * uint64_t(l.parents);
    l.valid = l.dataBlocks <= size;
    return l;
}

int HdrFile::Open(const std::string& name, const std::string& initialDir, int mode) {
    layout_ = HdrLayout{};
    if (!ModelFile::Open(name, initialDir, mode)) return 0;
    layout_ = ComputeHdrLayout(View(), FileSize());
    return 1;
}

FileStatus HdrFile::Status() const {
    FileStatus s = ModelFile::Status();
    s.recordSize = ParentRecord::kSize;
    s.count = layout_.parents;
    if (s.state == FileState::Ok && !layout_.valid) s.state = FileState::BadSize;
    if (s.state != FileState::Unopened) s.version = layout_.version;
    return s;
}

int HdrFile::GenericGet(int index, Bytes& out) const {
    ParentRecord rec;
    if (!GetParent(index, rec)) return 0;
    out.assign(rec.b, rec.b + rec.kSize);
    return 1;
}

int HdrFile::GenericSet(int index, const Bytes& record) {
    if (record.size() < ParentRecord::kSize) return 0;
    ParentRecord rec;
    std::memcpy(rec.b, record.data(), rec.kSize);
    return SetParent(index, rec);
}

int HdrFile::GetEntry(uint64_t table, uint32_t count, uint32_t size, int index,
                      uint8_t* out) const {
    if (!layout_.valid || index < 0 || uint32_t(index) >= count) return 0;
    const uint8_t* p = Span(table + uint64_t(index) * size, size);
    if (!p) return 0;
    std::memcpy(out, p, size);
    return 1;
}

uint8_t* HdrFile::EntrySpan(uint64_t table, uint32_t count, uint32_t size, int index) {
    if (!layout_.valid || index < 0 || uint32_t(index) >= count) return nullptr;
    return MutableSpan(table + uint64_t(index) * size, size);
}

int HdrFile::GetPalette(int index, Palette& out) const {
    if (!layout_.valid || index < 0 || uint32_t(index) >= layout_.palettes) return 0;
    const uint8_t* p = Span(layout_.paletteTable + uint64_t(index) * kPaletteStride, out.size());
    if (!p) return 0;
    std::memcpy(out.data(), p, out.size());
    return 1;
}

int HdrFile::GetTexture(int index, TextureRecord& out) const {
    return GetEntry(layout_.textureTable, layout_.textures, out.kSize, index, out.b);
}

int HdrFile::SetTexture(int index, const TextureRecord& rec) {
    WriteStep step(JournalOf(), "write", desc_.name);
    uint8_t* p = EntrySpan(layout_.textureTable, layout_.textures, rec.kSize, index);
    if (!p) return 0;
    std::memcpy(p, rec.b, rec.kSize);
    return step.Finish(Flush());
}

int HdrFile::GetLod(int index, LodRecord& out) const {
    return GetEntry(layout_.lodTable, layout_.lods, out.kSize, index, out.b);
}

int HdrFile::GetColour(int index, ColourRecord& out) const {
    return GetEntry(layout_.colourTable, layout_.colours, out.kSize, index, out.b);
}

int HdrFile::SetColour(int index, const ColourRecord& rec) {
    WriteStep step(JournalOf(), "write", desc_.name);
    uint8_t* p = EntrySpan(layout_.colourTable, layout_.colours, rec.kSize, index);
    if (!p) return 0;
    std::memcpy(p, rec.b, rec.kSize);
    return step.Finish(1);
}

int HdrFile::GetParent(int index, ParentRecord& out) const {
    return GetEntry(layout_.parentTable, layout_.parents, out.kSize, index, out.b);
}

int HdrFile::SetParent(int index, const ParentRecord& rec) {
    WriteStep step(JournalOf(), "write", desc_.name);
    uint8_t* p = EntrySpan(layout_.parentTable, layout_.parents, rec.kSize, index);
    if (!p) return 0;
    std::memcpy(p, rec.b, rec.kSize);
    return step.Finish(Flush());
}

int HdrFile::SetHeaderWord(uint64_t offset, uint32_t v) {
    WriteStep step(JournalOf(), "write", desc_.name);
    if (!layout_.valid) return 0;
    uint8_t* p = MutableSpan(offset, 4);
    if (!p) return 0;
    StoreLE<uint32_t>(p, v);
    return step.Finish(1);
}

int HdrFile::SetVersion(uint32_t v) {
    return SetHeaderWord(0, v);
}
int HdrFile::SetDarkColours(uint32_t v) {
    return SetHeaderWord(8, v);
}
int HdrFile::SetTextureMaxSize(uint32_t v) {
    return SetHeaderWord(layout_.textureTable - 4, v);
}
int HdrFile::SetLodMaxNodes(uint32_t v) {
    return SetHeaderWord(layout_.lodTable - 8, v);
}

bool HdrFile::BlockRange(int64_t blockOffset, int count, size_t itemSize, bool write,
                         uint64_t& start, uint64_t& length) const {
    if (!layout_.valid || blockOffset < 0 || count < 0) return false;
    start = layout_.dataBlocks + uint64_t(blockOffset);
    length = uint64_t(count) * itemSize;
    // Reads and writes may end exactly at the end of the file: the last parent's block lies
    // there, and its references must be as writable as any other's.
    (void)write;
    return start <= fileSize_ && length <= fileSize_ - start;
}

int HdrFile::ReadLodRefs(int64_t blockOffset, int count, std::vector<LodRef>& out) const {
    uint64_t start = 0, length = 0;
    if (!BlockRange(blockOffset, count, kLodRefSize, false, start, length)) return 0;
    const uint8_t* p = Span(start, length);
    if (!p) return 0;
    out.resize(size_t(count));
    for (int i = 0; i < count; ++i, p += kLodRefSize)
        out[size_t(i)] = {LoadLE<uint32_t>(p), LoadLE<float>(p + 4)};
    return 1;
}

int HdrFile::WriteLodRefs(int64_t blockOffset, const std::vector<LodRef>& refs) {
    WriteStep step(JournalOf(), "write", desc_.name);
    if (refs.size() > size_t(std::numeric_limits<int>::max())) return 0;
    uint64_t start = 0, length = 0;
    if (!BlockRange(blockOffset, int(refs.size()), kLodRefSize, true, start, length)) return 0;
    uint8_t* p = MutableSpan(start, length);
    if (!p) return 0;
    for (const LodRef& r : refs) {
        StoreLE<uint32_t>(p, r.ref);
        StoreLE<float>(p + 4, r.distance);
        p += kLodRefSize;
    }
    return step.Finish(Flush());
}

int HdrFile::ReadPositions(int64_t blockOffset, int count, std::vector<Vec3>& out) const {
    uint64_t start = 0, length = 0;
    if (!BlockRange(blockOffset, count, kPositionSize, false, start, length)) return 0;
    const uint8_t* p = Span(start, length);
    if (!p) return 0;
    out.resize(size_t(count));
    for (int i = 0; i < count; ++i, p += kPositionSize)
        out[size_t(i)] = {LoadLE<float>(p), LoadLE<float>(p + 4), LoadLE<float>(p + 8)};
    return 1;
}

int HdrFile::WritePositions(int64_t blockOffset, const std::vector<Vec3>& positions) {
    WriteStep step(JournalOf(), "write", desc_.name);
    if (positions.size() > size_t(std::numeric_limits<int>::max())) return 0;
    uint64_t start = 0, length = 0;
    if (!BlockRange(blockOffset, int(positions.size()), kPositionSize, true, start, length))
        return 0;
    uint8_t* p = MutableSpan(start, length);
    if (!p) return 0;
    for (const Vec3& v : positions) {
        StoreLE<float>(p, v.x);
        StoreLE<float>(p + 4, v.y);
        StoreLE<float>(p + 8, v.z);
        p += kPositionSize;
    }
    return step.Finish(Flush());
}

int HdrFile::ParentBlockOffset(int k, int64_t& offset) const {
    if (!layout_.valid || k < 0 || uint32_t(k) >= layout_.parents) return 0;
    int64_t sum = 0;
    ParentRecord rec;
    for (int j = 0; j < k; ++j) {
        if (!GetParent(j, rec)) return 0;
        sum += rec.BlockSize();
    }
    offset = sum;
    return 1;
}

std::vector<int64_t> HdrFile::ParentBlockOffsets() const {
    std::vector<int64_t> offsets;
    if (!layout_.valid) return offsets;
    offsets.reserve(layout_.parents);
    int64_t sum = 0;
    ParentRecord rec;
    for (uint32_t k = 0; k < layout_.parents; ++k) {
        offsets.push_back(sum);
        if (!GetParent(int(k), rec)) break;
        sum += rec.BlockSize();
    }
    return offsets;
}

int HdrFile::ExportColour(int index, const std::string& path) const {
    ColourRecord rec;
    if (!GetColour(index, rec)) return 0;
    return WriteExportEntry(path, kExportLodColour, rec.kSize, uint32_t(index), rec.b);
}

int HdrFile::ExportParent(int index, const std::string& path) const {
    ParentRecord rec;
    if (!GetParent(index, rec)) return 0;
    return WriteExportEntry(path, kExportParent, rec.kSize, uint32_t(index), rec.b);
}

int HdrFile::ImportColour(int32_t index, uint32_t size, const uint8_t* data) {
    if (index < 0 || size != ColourRecord::kSize || !data) return 0;
    ColourRecord rec;
    std::memcpy(rec.b, data, rec.kSize);
    return SetColour(index, rec);
}

int HdrFile::ImportParent(int32_t index, uint32_t size, const uint8_t* data) {
    if (index < 0 || size != ParentRecord::kSize || !data) return 0;
    ParentRecord rec;
    std::memcpy(rec.b, data, rec.kSize);
    return SetParent(index, rec);
}

// ---------------------------------------------------------------------------------------------

bool LodFile::BlockInFile(uint32_t offset, uint32_t size) const {
    return Span(offset, size) != nullptr;
}

int LodFile::ReadBlock(uint32_t offset, uint32_t size, Bytes& out) const {
    const uint8_t* p = Span(offset, size);
    if (!p) return 0;
    out.assign(p, p + size);
    return 1;
}

int LodFile::ReadBlock(const LodRecord& rec, Bytes& out) const {
    return ReadBlock(rec.Offset(), rec.Size(), out);
}

// ---------------------------------------------------------------------------------------------

int TexFile::ReadCompressed(uint32_t offset, uint32_t length, Bytes& out) const {
    const uint8_t* p = Span(offset, length);
    if (!p) return 0;
    out.assign(p, p + length);
    return 1;
}

int TexFile::ReadTexture(uint32_t offset, uint32_t length, Bytes& out, size_t maxPixels) const {
    const uint8_t* p = Span(offset, length);
    if (!p) return 0;
    // A block that decodes longer than the limit keeps its first maxPixels bytes.
    LzssDecode(p, length, out, maxPixels);
    return 1;
}

int TexFile::AppendBlock(const Bytes& block, uint32_t& offset, uint32_t& length) {
    WriteStep step(JournalOf(), "write", desc_.name);
    if (!Writable()) return 0;
    uint64_t end = 0;
    if (!File().ReadSize(end)) return 0;
    if (end + block.size() > std::numeric_limits<uint32_t>::max()) return 0;
    if (!AppendBytes(block.data(), block.size())) return 0;
    offset = uint32_t(end);
    length = uint32_t(block.size());
    return step.Finish(1);
}

}  // namespace tablon
