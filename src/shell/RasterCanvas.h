// A canvas that draws into memory, for pictures made without a display: 24-bit RGB pixels,
// white at the start, integer Bresenham lines, scanline polygon fill (even-odd rule, a pixel
// is inside when its centre is), text in a small built-in bitmap font (5 x 7 glyphs in 6 x 8
// cells; lower-case letters drawn as capitals), and PNG output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/Canvas.h"

namespace tablon {

class RasterCanvas : public Canvas {
  public:
    // Sizes below 1 are taken as 1.
    RasterCanvas(int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    Colour PixelAt(int x, int y) const;  // white outside the area
    // Rows top down, 3 bytes (red, green, blue) per pixel.
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

    // The picture as a PNG file (8-bit RGB, no interlace); false when it cannot be written.
    bool WritePng(const std::string& path) const;

    static constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kAdvance = 6;

  protected:
    void DoLine(int x0, int y0, int x1, int y1) override;
    void DoPolygon(const std::vector<CanvasPoint>& points, bool fill) override;
    void DoFillRect(int x, int y, int w, int h) override;
    void DoText(int x, int y, const std::string& text) override;

  private:
    void Plot(int64_t x, int64_t y, Colour c) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        uint8_t* p = &pixels_[(size_t(y) * size_t(width_) + size_t(x)) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void FillSpan(int64_t y, int64_t x0, int64_t x1, Colour c);

    int width_, height_;
    std::vector<uint8_t> pixels_;
};

// An 8-bit RGB PNG of rows top down (3 bytes per pixel); empty when compression fails.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace tablon
