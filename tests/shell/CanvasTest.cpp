#include <gtest/gtest.h>
#include <zlib.h>

#include "shell/RasterCanvas.h"

namespace tablon::test {
namespace {

int CountColour(const RasterCanvas& c, Colour colour) {
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) n += c.PixelAt(x, y) == colour;
    return n;
}

TEST(RasterCanvas, LinesCoverBothEndsAndClipToTheArea) {
    RasterCanvas c(10, 10);
    EXPECT_EQ(CountColour(c, kWhite), 100);
    c.SetPen(kRed);
    c.Line(1, 1, 5, 3);
    EXPECT_EQ(c.PixelAt(1, 1), kRed);
    EXPECT_EQ(c.PixelAt(5, 3), kRed);
    EXPECT_EQ(CountColour(c, kRed), 5);  // one pixel per column of the major axis
    // A line mostly outside: only its part inside is drawn, however long it is.
    c.SetPen(kBlue);
    c.Line(-2000000000, 7, 2000000000, 7);
    EXPECT_EQ(CountColour(c, kBlue), 10);
    // The origin moves every call.
    c.SetOrigin(2, 0);
    c.SetPen(kGreen);
    c.Line(0, 9, 0, 9);
    EXPECT_EQ(c.PixelAt(2, 9), kGreen);
}

TEST(RasterCanvas, PolygonsFillThePixelsWhoseCentresAreInside) {
    RasterCanvas c(8, 8);
    c.SetBrush(kGreen);
    c.SetPen(kBlack);
    c.FilledPolygon({{1, 1}, {6, 1}, {6, 5}, {1, 5}});
    // The outline covers the edges, the inside is the brush colour.
    EXPECT_EQ(c.PixelAt(1, 1), kBlack);
    EXPECT_EQ(c.PixelAt(6, 5), kBlack);
    EXPECT_EQ(c.PixelAt(3, 3), kGreen);
    EXPECT_EQ(c.PixelAt(7, 7), kWhite);
    EXPECT_EQ(CountColour(c, kGreen), 4 * 3);
    EXPECT_EQ(CountColour(c, kBlack), 6 * 5 - 4 * 3);
    // An outline alone leaves the inside alone.
    RasterCanvas o(8, 8);
    o.PolygonOutline({{1, 1}, {6, 1}, {6, 5}});
    EXPECT_EQ(o.PixelAt(5, 2), kWhite);
    EXPECT_EQ(o.PixelAt(6, 3), kBlack);
}

TEST(RasterCanvas, TextUsesTheBuiltInGlyphs) {
    RasterCanvas c(20, 10);
    c.SetPen(kRed);
    c.Text(1, 1, "1-");
    // "1": the middle column of the glyph from the second row down.
    EXPECT_EQ(c.PixelAt(3, 2), kRed);
    EXPECT_EQ(c.PixelAt(3, 7), kRed);
    // "-": the fourth row of the second cell.
    EXPECT_EQ(c.PixelAt(1 + RasterCanvas::kAdvance, 4), kRed);
    EXPECT_EQ(c.PixelAt(1 + RasterCanvas::kAdvance, 3), kWhite);
    // Nothing below the cell.
    for (int x = 0; x < 20; ++x) EXPECT_EQ(c.PixelAt(x, 9), kWhite);
}

TEST(RasterCanvas, PngHoldsThePixels) {
    RasterCanvas c(3, 2);
    c.SetPen(Colour{1, 2, 3});
    c.Line(0, 1, 2, 1);
    const std::vector<uint8_t> png = EncodePng(c.Width(), c.Height(), c.Pixels());
    ASSERT_GT(png.size(), 8u + 25 + 12 + 12);
    EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
    // IHDR: width 3, height 2, 8-bit RGB.
    EXPECT_EQ(png[19], 3);
    EXPECT_EQ(png[23], 2);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    // IDAT right behind IHDR: each row a filter byte 0 and its pixels.
    const size_t idat = 8 + 25;
    const uint32_t len =
        uint32_t(png[idat]) << 24 | png[idat + 1] << 16 | png[idat + 2] << 8 | png[idat + 3];
    ASSERT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
    std::vector<uint8_t> raw(2 * (1 + 9));
    uLongf rawSize = uLongf(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, png.data() + idat + 8, len), Z_OK);
    EXPECT_EQ(raw, (std::vector<uint8_t>{0, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                         0, 1,   2,   3,   1,   2,   3,   1,   2,   3}));
}

}  // namespace
}  // namespace tablon::test
