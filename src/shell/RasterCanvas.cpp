#include "shell/RasterCanvas.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tablon {

namespace {

// 5 x 7 glyphs, one byte per row, bit 4 the leftmost pixel.
struct Glyph {
    char c;
    std::array<uint8_t, 7> rows;
};

constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
    {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}},
    {'<', {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02}},
    {'>', {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08}},
    {'\'', {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
};

constexpr std::array<uint8_t, 7> kUnknownGlyph{0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F};

const std::array<uint8_t, 7>* GlyphOf(char c) {
    if (c == ' ') return nullptr;
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    for (const Glyph& g : kFont)
        if (g.c == c) return &g.rows;
    return &kUnknownGlyph;
}

// Lines longer than this are clipped to the area before they are walked.
constexpr int64_t kWalkLimit = int64_t(1) << 16;

// Liang-Barsky: the part of the segment inside [lo, hi] on both axes; false when none.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hiX,
                 double hiY) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo, hiX - x0, y0 - lo, hiY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

void PutU32BE(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t length) {
    PutU32BE(out, uint32_t(length));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (length) out.insert(out.end(), data, data + length);
    const uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
    PutU32BE(out, uint32_t(crc));
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      pixels_(size_t(width_) * size_t(height_) * 3, 255) {}

Colour RasterCanvas::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
    const uint8_t* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
    return {p[0], p[1], p[2]};
}

void RasterCanvas::DoLine(int x0, int y0, int x1, int y1) {
    int64_t ax = x0, ay = y0, bx = x1, by = y1;
    if (std::max(std::llabs(bx - ax), std::llabs(by - ay)) > kWalkLimit) {
        double fx0 = double(ax), fy0 = double(ay), fx1 = double(bx), fy1 = double(by);
        if (!ClipSegment(fx0, fy0, fx1, fy1, -1, width_, height_)) return;
        ax = std::lround(fx0);
        ay = std::lround(fy0);
        bx = std::lround(fx1);
        by = std::lround(fy1);
    }
    const Colour c = Pen();
    const int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
    const int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    int64_t err = dx + dy;
    while (true) {
        Plot(ax, ay, c);
        if (ax == bx && ay == by) break;
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void RasterCanvas::FillSpan(int64_t y, int64_t x0, int64_t x1, Colour c) {
    if (y < 0 || y >= height_) return;
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, width_ - 1);
    for (int64_t x = x0; x <= x1; ++x) Plot(x, y, c);
}

void RasterCanvas::DoPolygon(const std::vector<CanvasPoint>& points, bool fill) {
    const size_t n = points.size();
    if (fill && n >= 3) {
        int64_t top = points[0].y, bottom = points[0].y;
        for (const CanvasPoint& p : points) {
            top = std::min<int64_t>(top, p.y);
            bottom = std::max<int64_t>(bottom, p.y);
        }
        top = std::max<int64_t>(top, 0);
        bottom = std::min<int64_t>(bottom, height_ - 1);
        std::vector<double> xs;
        const Colour c = Brush();
        for (int64_t y = top; y <= bottom; ++y) {
            const double yc = double(y) + 0.5;
            xs.clear();
            for (size_t i = 0; i < n; ++i) {
                const CanvasPoint& a = points[i];
                const CanvasPoint& b = points[(i + 1) % n];
                if (a.y == b.y) continue;
                const double ya = a.y, yb = b.y;
                if (yc < std::min(ya, yb) || yc >= std::max(ya, yb)) continue;
                xs.push_back(a.x + (yc - ya) * double(b.x - a.x) / (yb - ya));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                // Pixels whose centre x + 0.5 lies in [xs[i], xs[i + 1]).
                const double from = std::ceil(xs[i] - 0.5), to = std::ceil(xs[i + 1] - 0.5) - 1;
                const double lo = -1, hi = double(width_);
                if (to < lo || from > hi) continue;
                FillSpan(y, int64_t(std::max(from, lo)), int64_t(std::min(to, hi)), c);
            }
        }
    }
    if (n == 1) {
        DoLine(points[0].x, points[0].y, points[0].x, points[0].y);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        const CanvasPoint& a = points[i];
        const CanvasPoint& b = points[(i + 1) % n];
        DoLine(a.x, a.y, b.x, b.y);
    }
}

void RasterCanvas::DoFillRect(int x, int y, int w, int h) {
    const Colour c = Brush();
    const int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>(int64_t(y) + h, height_);
    for (int64_t yy = y0; yy < y1; ++yy) FillSpan(yy, x, int64_t(x) + w - 1, c);
}

void RasterCanvas::DoText(int x, int y, const std::string& text) {
    const Colour c = Pen();
    int64_t left = x;
    for (char ch : text) {
        if (left >= width_) break;
        if (const auto* rows = GlyphOf(ch)) {
            for (int r = 0; r < kGlyphHeight; ++r)
                for (int col = 0; col < kGlyphWidth; ++col)
                    if ((*rows)[size_t(r)] & (0x10 >> col)) Plot(left + col, int64_t(y) + r, c);
        }
        left += kAdvance;
    }
}

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
    const size_t stride = size_t(width) * 3;
    if (width < 1 || height < 1 || rgb.size() < stride * size_t(height)) return {};
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * size_t(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), rgb.begin() + ptrdiff_t(stride * size_t(y)),
                   rgb.begin() + ptrdiff_t(stride * size_t(y + 1)));
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK) return {};
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> head;
    PutU32BE(head, uint32_t(width));
    PutU32BE(head, uint32_t(height));
    head.insert(head.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", head.data(), head.size());
    PutChunk(png, "IDAT", packed.data(), packed.size());
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

bool RasterCanvas::WritePng(const std::string& path) const {
    const std::vector<uint8_t> png = EncodePng(width_, height_, pixels_);
    if (png.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace tablon
