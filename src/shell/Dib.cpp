#include "shell/Dib.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "shell/Ui.h"
#include "store/Bytes.h"

namespace tablon {

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr int kLargest = 16384;  // larger bitmaps are not shown (their pixels are not read)

}  // namespace

bool CDib::Read(const uint8_t* data, size_t size) {
    Clear();
    if (!data || size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M') return false;
    const uint8_t* h = data + kFileHeader;
    const uint32_t headerSize = LoadLE<uint32_t>(h);
    const int32_t width = LoadLE<int32_t>(h + 4), height = LoadLE<int32_t>(h + 8);
    const uint16_t bits = LoadLE<uint16_t>(h + 14);
    const uint32_t compression = LoadLE<uint32_t>(h + 16);
    const uint32_t used = LoadLE<uint32_t>(h + 32);
    if (headerSize < kInfoHeader || width <= 0 || height == 0 || height == INT32_MIN) return false;
    const int64_t rows = height < 0 ? -int64_t(height) : height;
    const uint64_t colours = bits <= 8 ? (used ? used : uint64_t(1) << bits) : used;
    const uint64_t tableAt = kFileHeader + uint64_t(headerSize);
    if (tableAt + 4 * std::min<uint64_t>(colours, 256) > size) return false;
    valid_ = true;
    width_ = width;
    height_ = int(std::min<int64_t>(rows, INT32_MAX));
    depth_ = bits;
    colours_ = int(std::min<uint64_t>(colours, INT32_MAX));

    // The pixels, when the bitmap is of a kind shown and lies whole in the file.
    const bool shown = (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32) &&
                       (compression == 0 || (compression == 3 && bits == 32)) &&
                       width <= kLargest && rows <= kLargest && (bits > 8 || colours <= 256);
    if (!shown) return true;
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t pixelsAt = LoadLE<uint32_t>(data + 10);
    if (pixelsAt + stride * uint64_t(rows) > size) {  // a short file
        Clear();
        return false;
    }
    std::vector<Colour> table(size_t(bits <= 8 ? colours : 0));
    for (size_t i = 0; i < table.size(); ++i) {
        const uint8_t* e = data + tableAt + 4 * i;
        table[i] = {e[2], e[1], e[0]};
    }
    pixels_.resize(size_t(width) * size_t(rows));
    for (int64_t y = 0; y < rows; ++y) {
        const uint8_t* row = data + pixelsAt + stride * uint64_t(height > 0 ? rows - 1 - y : y);
        for (int64_t x = 0; x < width; ++x) {
            Colour c;
            if (bits <= 8) {
                const uint64_t bit = uint64_t(x) * bits;
                const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index < table.size()) c = table[index];
            } else {
                const uint8_t* p = row + uint64_t(x) * (bits / 8);
                c = {p[2], p[1], p[0]};
            }
            pixels_[size_t(y) * size_t(width) + size_t(x)] = c;
        }
    }
    return true;
}

bool CDib::ReadFile(const std::string& path) {
    Clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // Only as much as the largest bitmap shown can need: a file of any size is not read whole.
    const uint64_t limit = uint64_t(kLargest) * kLargest * 4 + (uint64_t(1) << 20);
    Bytes bytes;
    char buffer[65536];
    while (in && bytes.size() < limit) {
        in.read(buffer, sizeof buffer);
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    return Read(bytes.data(), bytes.size());
}

Colour CDib::Pixel(int x, int y) const {
    if (pixels_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

void CDib::Draw(Canvas& canvas) const {
    const int w = canvas.Width(), h = canvas.Height();
    canvas.SetBrush(kWhite);
    canvas.FillRect(1, 1, w - 2, h - 2);
    if (!valid_ || w < 3 || h < 3) {
        canvas.SetPen(kBlack);
        canvas.Line(0, 0, w - 1, h - 1);
        canvas.Line(0, h - 1, w - 1, 0);
        return;
    }
    const int room = w - 2, roomY = h - 2;
    int dw = width_, dh = height_;
    if (dw > room || dh > roomY) {
        // Scaled down by the smaller of the two ratios, so that both sides fit.
        if (int64_t(width_) * roomY > int64_t(height_) * room) {
            dw = room;
            dh = int(std::max<int64_t>(1, int64_t(height_) * room / width_));
        } else {
            dh = roomY;
            dw = int(std::max<int64_t>(1, int64_t(width_) * roomY / height_));
        }
    }
    std::vector<Colour> shown(size_t(dw) * size_t(dh));
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            shown[size_t(y) * size_t(dw) + size_t(x)] =
                Pixel(int(int64_t(x) * width_ / dw), int(int64_t(y) * height_ / dh));
    canvas.Pixels(1 + (room - dw) / 2, 1 + (roomY - dh) / 2, dw, dh, shown);
}

std::vector<std::string> CDib::Labels() const {
    if (!valid_) return {"", "", "", ""};
    return {Format("Height: %d", height_), Format("Width: %d", width_), Format("Depth: %d", depth_),
            Format("Palette: %d", colours_)};
}

}  // namespace tablon
