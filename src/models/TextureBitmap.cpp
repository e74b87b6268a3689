#include "models/TextureBitmap.h"

#include <cstdio>
#include <cstring>

#include "models/Lzss.h"
#include "models/ModelFiles.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = 1082;  // headers, 1024-byte colour table and 4 zero bytes
constexpr const char* kBmpFilter = "bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";
constexpr const char* kBadFormat = "Bitmap file not in correct format (size/colours/...)";

uint32_t RowStride(uint32_t width) {
    return (width + 3) & ~3u;
}

bool ReadWholeFile(const std::string& path, Bytes& out, bool& opened) {
    opened = false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    opened = true;
    out.clear();
    uint8_t buf[65536];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool PaletteMatches(const uint8_t* colourTable, const Palette& palette) {
    for (size_t i = 0; i < kPaletteEntries; ++i) {
        const uint8_t* bgr = colourTable + 4 * i;
        const uint8_t* rgb = palette.data() + 4 * i;
        if (bgr[0] != rgb[2] || bgr[1] != rgb[1] || bgr[2] != rgb[0]) return false;
    }
    return true;
}

}  // namespace

Bytes TextureBitmapFile(const Bytes& pixelsTopDown, uint32_t width, const uint8_t* palette) {
    const uint32_t stride = RowStride(width);
    const uint32_t image = stride * width;
    Bytes b(kPixelOffset + size_t(image), 0);
    b[0] = 'B';
    b[1] = 'M';
    StoreLE<uint32_t>(&b[2], kPixelOffset + image);
    StoreLE<uint32_t>(&b[10], kPixelOffset);
    uint8_t* h = &b[kFileHeaderSize];
    StoreLE<uint32_t>(h, kInfoHeaderSize);
    StoreLE<int32_t>(h + 4, int32_t(width));
    StoreLE<int32_t>(h + 8, int32_t(width));
    StoreLE<uint16_t>(h + 12, 1);
    StoreLE<uint16_t>(h + 14, 8);
    StoreLE<uint32_t>(h + 20, image);
    StoreLE<uint32_t>(h + 32, 256);
    uint8_t* table = h + kInfoHeaderSize;
    for (size_t i = 0; i < kPaletteEntries; ++i) {
        table[4 * i] = palette[4 * i + 2];
        table[4 * i + 1] = palette[4 * i + 1];
        table[4 * i + 2] = palette[4 * i];
    }
    const size_t have = pixelsTopDown.size();
    for (uint32_t row = 0; row < width; ++row) {
        // Bitmap rows go bottom up.
        const size_t from = size_t(width - 1 - row) * width;
        uint8_t* to = &b[kPixelOffset + size_t(row) * stride];
        if (from < have)
            std::memcpy(to, pixelsTopDown.data() + from, std::min<size_t>(width, have - from));
    }
    return b;
}

std::optional<Bytes> GetTextureBitmap(Database& db, int t, Ui& ui) {
    HdrFile& hdr = db.Hdr();
    TextureRecord rec;
    if (!hdr.GetTexture(t, rec)) return std::nullopt;
    const uint32_t width = rec.Width();
    Bytes pixels;
    if (width == 0 || width > kMaxTextureWidth ||
        !db.Tex().ReadTexture(rec.Offset(), rec.Size(), pixels, size_t(width) * width)) {
        ui.Show("No texture found at given offset");
        return std::nullopt;
    }
    pixels.resize(size_t(width) * width, 0);
    Palette palette{};
    hdr.GetPalette(int(rec.Palette()), palette);  // a palette that is missing draws black
    return TextureBitmapFile(pixels, width, palette.data());
}

bool GetTexture(Database& db, int t, Ui& ui) {
    const std::optional<Bytes> bitmap = GetTextureBitmap(db, t, ui);
    if (!bitmap) return false;
    FileRequest r;
    r.save = true;
    r.filter = kBmpFilter;
    r.defaultExt = "bmp";
    r.initialName = Format("bm-%d.bmp", t);
    r.preview = true;
    r.previewBitmap = *bitmap;
    const std::optional<std::string> path = ui.ChooseFile(r);
    if (!path) return false;
    std::FILE* f = std::fopen(path->c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bitmap->data(), 1, bitmap->size(), f) == bitmap->size();
    return std::fclose(f) == 0 && ok;
}

namespace {

// The record checks that come before the file dialog.
bool TextureReplaceable(HdrFile& hdr, int t, TextureRecord& rec, Ui& ui) {
    if (!hdr.GetTexture(t, rec)) {
        ui.Show("No such Texture in file");
        return false;
    }
    if (rec.Palette() > kMaxTexturePalette || rec.Size() > kMaxTextureBlock ||
        rec.Width() > kMaxSetTextureWidth) {
        ui.Show("Highly suspicious texture index entry - I'm going skip it!");
        return false;
    }
    return true;
}

bool Replace(Database& db, int t, TextureRecord rec, const std::string& path, Ui& ui) {
    HdrFile& hdr = db.Hdr();
    TexFile& tex = db.Tex();
    Bytes file;
    bool opened = false;
    const bool read = ReadWholeFile(path, file, opened);
    if (!opened) {
        ui.Show("Can't open the file");
        return false;
    }
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') {
        ui.Show("Not a valid bitmap");
        return false;
    }
    if (!read) return false;

    // The header's own size says where its colour table starts (larger headers are written
    // by many image programs); the file header's pixel offset says where the pixels are.
    const uint32_t width = rec.Width();
    const uint64_t size = file.size();
    if (size < kFileHeaderSize + kInfoHeaderSize) {
        ui.Show(kBadFormat);
        return false;
    }
    const uint8_t* h = &file[kFileHeaderSize];
    const uint32_t headerSize = LoadLE<uint32_t>(h);
    const int32_t bmWidth = LoadLE<int32_t>(h + 4), bmHeight = LoadLE<int32_t>(h + 8);
    const uint16_t planes = LoadLE<uint16_t>(h + 12), bits = LoadLE<uint16_t>(h + 14);
    const uint32_t compression = LoadLE<uint32_t>(h + 16);
    const uint32_t used = LoadLE<uint32_t>(h + 32);
    const uint64_t colours = used ? used : bits < 32 ? uint64_t(1) << bits : 0;
    const uint64_t tableAt = kFileHeaderSize + uint64_t(headerSize);
    const uint64_t pixelsAt = LoadLE<uint32_t>(&file[10]);
    const uint64_t stride = RowStride(width);
    if (int64_t(bmWidth) != int64_t(width) || int64_t(bmHeight) != int64_t(width) || planes != 1 ||
        bits != 8 || colours != 256 || compression != 0 || headerSize < kInfoHeaderSize ||
        tableAt + 4 * kPaletteEntries > size ||
        (width && pixelsAt + stride * (width - 1) + width > size)) {
        ui.Show(kBadFormat);
        return false;
    }

    // The record's own palette first, then the others in order.
    const uint8_t* table = &file[size_t(tableAt)];
    Palette palette{};
    int match = -1;
    if (hdr.GetPalette(int(rec.Palette()), palette) && PaletteMatches(table, palette))
        match = int(rec.Palette());
    for (uint32_t p = 0; match < 0 && p < hdr.PaletteCount(); ++p)
        if (p != rec.Palette() && hdr.GetPalette(int(p), palette) && PaletteMatches(table, palette))
            match = int(p);
    if (match < 0) {
        ui.Show("Bitmap file has the invalid palette colours");
        return false;
    }

    // The block holds the top row first; the bitmap the bottom row first.
    Bytes pixels(size_t(width) * width);
    for (uint32_t row = 0; row < width; ++row)
        std::memcpy(&pixels[size_t(row) * width],
                    &file[size_t(pixelsAt + stride * (width - 1 - row))], width);
    const Bytes block = LzssEncode(pixels.data(), pixels.size());
    uint32_t offset = 0, length = 0;
    if (block.size() > kMaxTextureBlock || !tex.AppendBlock(block, offset, length)) {
        ui.Show("Can't append texture to texfile");
        return false;
    }
    rec.SetOffset(offset);
    rec.SetSize(length);
    rec.SetPalette(uint32_t(match));
    if (!hdr.SetTexture(t, rec)) {
        ui.Show(
            "Can't set the texture in the hdr file\nMight be worth checking the KoreaObj.Hdr and "
            "reverting to a backup copy");
        return false;
    }
    if (!hdr.Remap() || !tex.Remap()) {
        ui.Show("Can't reload files - HELP");
        return false;
    }
    return true;
}

}  // namespace

bool SetTextureFromFile(Database& db, int t, const std::string& path, Ui& ui) {
    TextureRecord rec;
    if (!TextureReplaceable(db.Hdr(), t, rec, ui)) return false;
    return Replace(db, t, rec, path, ui);
}

bool SetTexture(Database& db, int t, Ui& ui) {
    TextureRecord rec;
    if (!TextureReplaceable(db.Hdr(), t, rec, ui)) return false;
    FileRequest r;
    r.filter = kBmpFilter;
    r.defaultExt = "bmp";
    r.mustExist = true;
    r.preview = true;
    const std::optional<std::string> path = ui.ChooseFile(r);
    if (!path) return false;
    return Replace(db, t, rec, *path, ui);
}

}  // namespace tablon
