// A bitmap file read for showing it: the preview of the bitmap file dialog. Reads the file
// header ("BM"), the information header with its colour table and the pixels of uncompressed
// bitmaps of 1, 4, 8, 24 or 32 bits per pixel, bottom-up or top-down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/Canvas.h"

namespace tablon {

// The check box that switches the preview on and off.
constexpr const char* kPreviewCheck = "&Preview";

class CDib {
  public:
    // A bitmap file held in memory; false (and nothing held) on a short file or a wrong
    // signature.
    bool Read(const uint8_t* data, size_t size);
    bool ReadFile(const std::string& path);
    void Clear() { *this = CDib(); }

    bool Valid() const { return valid_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Depth() const { return depth_; }      // bits per pixel
    int Colours() const { return colours_; }  // entries of the colour table
    // The pixel at (x, y), top row 0; black for a bitmap whose pixels could not be read.
    Colour Pixel(int x, int y) const;

    // The preview area: white less a 1-pixel border; the bitmap at its own size, centred, when
    // it fits inside the border, else scaled down to fit with its proportions kept, centred;
    // with no bitmap two diagonal lines across the area.
    void Draw(Canvas& canvas) const;

    // "Height: %d", "Width: %d", "Depth: %d", "Palette: %d"; empty texts without a bitmap.
    std::vector<std::string> Labels() const;

  private:
    bool valid_ = false;
    int width_ = 0, height_ = 0, depth_ = 0, colours_ = 0;
    std::vector<Colour> pixels_;  // top row first; empty when the pixels could not be read
};

}  // namespace tablon
