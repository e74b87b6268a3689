#include "models/ModelDiff.h"

#include <cstdio>
#include <cstring>

#include "models/ModelFiles.h"
#include "store/Bytes.h"
#include "store/Database.h"

namespace tablon {

namespace {

// Bytes of one entry on one side; null when that side has no such entry or it does not lie
// in the file.
struct Piece {
    const uint8_t* p = nullptr;
    uint64_t n = 0;
};

Piece At(const RecordFile& f, uint64_t offset, uint64_t length) {
    const uint8_t* v = f.View();
    if (!v || offset > f.FileSize() || length > f.FileSize() - offset) return {};
    return {v + offset, length};
}

// Small entries read as their bytes in hexadecimal; larger ones as their length and a hash.
std::string Value(Piece x) {
    if (!x.p) return "null";
    static const char* digits = "0123456789abcdef";
    std::string s = "\"";
    if (x.n <= 48) {
        for (uint64_t k = 0; k < x.n; ++k) {
            s += digits[x.p[k] >> 4];
            s += digits[x.p[k] & 15];
        }
    } else {
        uint32_t h = 2166136261u;
        for (uint64_t k = 0; k < x.n; ++k) h = (h ^ x.p[k]) * 16777619u;
        char text[48];
        std::snprintf(text, sizeof text, "%llu bytes #%08x", (unsigned long long)x.n, h);
        s += text;
    }
    return s + "\"";
}

std::string ColourValue(Piece x) {
    if (!x.p || x.n != 16) return Value(x);
    char text[96];
    std::snprintf(text, sizeof text, "[%g, %g, %g, %g]", double(LoadLE<float>(x.p)),
                  double(LoadLE<float>(x.p + 4)), double(LoadLE<float>(x.p + 8)),
                  double(LoadLE<float>(x.p + 12)));
    return text;
}

bool Same(Piece x, Piece y) {
    return x.p && y.p && x.n == y.n && std::memcmp(x.p, y.p, size_t(x.n)) == 0;
}

void Add(std::vector<DiffEntry>& out, FileId id, int index, const char* what, Piece x, Piece y,
         std::string (*value)(Piece) = Value) {
    if (Same(x, y) || (!x.p && !y.p)) return;
    out.push_back({DiffEntry::Kind::Entry, id, index, what, value(x), value(y), {}, {}});
}

// A table of count entries of size bytes starting at table, entry by entry.
void Table(std::vector<DiffEntry>& out, FileId id, const char* what, const RecordFile& fa,
           uint64_t tableA, uint32_t countA, const RecordFile& fb, uint64_t tableB, uint32_t countB,
           uint64_t size, std::string (*value)(Piece) = Value) {
    const uint32_t n = std::max(countA, countB);
    for (uint32_t k = 0; k < n; ++k) {
        const Piece x = k < countA ? At(fa, tableA + k * size, size) : Piece{};
        const Piece y = k < countB ? At(fb, tableB + k * size, size) : Piece{};
        Add(out, id, int(k), what, x, y, value);
    }
}

void HeaderValue(std::vector<DiffEntry>& out, const char* what, uint32_t x, uint32_t y) {
    if (x != y)
        out.push_back({DiffEntry::Kind::Entry,
                       FileId::Hdr,
                       -1,
                       what,
                       std::to_string(x),
                       std::to_string(y),
                       {},
                       {}});
}

// The parents' data blocks: block k from its offset to the next parent's (the last to the end
// of the file).
std::vector<Piece> ParentBlocks(const HdrFile& h) {
    std::vector<Piece> blocks;
    const std::vector<int64_t> offsets = h.ParentBlockOffsets();
    const uint64_t base = h.Layout().dataBlocks, end = h.FileSize();
    for (size_t k = 0; k < offsets.size(); ++k) {
        const int64_t from = offsets[k];
        const int64_t to = k + 1 < offsets.size() ? offsets[k + 1] : int64_t(end - base);
        if (from < 0 || to < from) {
            blocks.push_back({});
            continue;
        }
        blocks.push_back(At(h, base + uint64_t(from), uint64_t(to - from)));
    }
    return blocks;
}

void Length(std::vector<DiffEntry>& out, FileId id, const RecordFile& a, const RecordFile& b) {
    if (a.FileSize() != b.FileSize())
        out.push_back({DiffEntry::Kind::Entry,
                       id,
                       -1,
                       "length",
                       std::to_string(a.FileSize()),
                       std::to_string(b.FileSize()),
                       {},
                       {}});
}

}  // namespace

void DiffModelEntries(const Database& a, const Database& b, std::vector<DiffEntry>& out) {
    const auto& ha = static_cast<const HdrFile&>(a.File(FileId::Hdr));
    const auto& hb = static_cast<const HdrFile&>(b.File(FileId::Hdr));
    if (!ha.IsOpen() || !hb.IsOpen()) return;
    Length(out, FileId::Hdr, ha, hb);
    if (!ha.LayoutValid() || !hb.LayoutValid()) {
        Add(out, FileId::Hdr, -1, "bytes", At(ha, 0, ha.FileSize()), At(hb, 0, hb.FileSize()));
        return;
    }
    const HdrLayout &la = ha.Layout(), &lb = hb.Layout();
    HeaderValue(out, "version", la.version, lb.version);
    HeaderValue(out, "dark_colours", la.darkColours, lb.darkColours);
    HeaderValue(out, "texture_max_size", la.textureMaxSize, lb.textureMaxSize);
    HeaderValue(out, "lod_max_nodes", la.lodMaxNodes, lb.lodMaxNodes);
    const FileId H = FileId::Hdr;
    Table(out, H, "colour", ha, la.colourTable, la.colours, hb, lb.colourTable, lb.colours, 16,
          ColourValue);
    Table(out, H, "palette", ha, la.paletteTable, la.palettes, hb, lb.paletteTable, lb.palettes,
          kPaletteStride);
    Table(out, H, "texture entry", ha, la.textureTable, la.textures, hb, lb.textureTable,
          lb.textures, TextureRecord::kSize);
    Table(out, H, "lod entry", ha, la.lodTable, la.lods, hb, lb.lodTable, lb.lods,
          LodRecord::kSize);
    // The parents' records are compared field by field with the other records.
    const std::vector<Piece> pa = ParentBlocks(ha), pb = ParentBlocks(hb);
    for (size_t k = 0; k < std::max(pa.size(), pb.size()); ++k)
        Add(out, H, int(k), "parent block", k < pa.size() ? pa[k] : Piece{},
            k < pb.size() ? pb[k] : Piece{});

    const RecordFile &lodA = a.File(FileId::Lod), &lodB = b.File(FileId::Lod);
    if (lodA.IsOpen() && lodB.IsOpen()) {
        Length(out, FileId::Lod, lodA, lodB);
        LodRecord ra, rb;
        for (uint32_t k = 0; k < std::max(la.lods, lb.lods); ++k) {
            const Piece x =
                k < la.lods && ha.GetLod(int(k), ra) ? At(lodA, ra.Offset(), ra.Size()) : Piece{};
            const Piece y =
                k < lb.lods && hb.GetLod(int(k), rb) ? At(lodB, rb.Offset(), rb.Size()) : Piece{};
            Add(out, FileId::Lod, int(k), "lod block", x, y);
        }
    }
    const RecordFile &texA = a.File(FileId::Tex), &texB = b.File(FileId::Tex);
    if (texA.IsOpen() && texB.IsOpen()) {
        Length(out, FileId::Tex, texA, texB);
        TextureRecord ra, rb;
        for (uint32_t k = 0; k < std::max(la.textures, lb.textures); ++k) {
            const Piece x = k < la.textures && ha.GetTexture(int(k), ra)
                                ? At(texA, ra.Offset(), ra.Size())
                                : Piece{};
            const Piece y = k < lb.textures && hb.GetTexture(int(k), rb)
                                ? At(texB, rb.Offset(), rb.Size())
                                : Piece{};
            Add(out, FileId::Tex, int(k), "texture", x, y);
        }
    }
}

}  // namespace tablon
