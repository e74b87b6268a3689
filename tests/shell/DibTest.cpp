// The bitmap preview: reading bitmap files and drawing them into the preview area.
#include <gtest/gtest.h>

#include "shell/Dib.h"
#include "shell/RasterCanvas.h"
#include "store/Bytes.h"

namespace tablon::test {
namespace {

// A bottom-up bitmap file; pixel (x, y) (top row 0) has colour index or grey level x + 10y.
Bytes Bitmap(int width, int height, int bits) {
    const uint32_t stride = (uint32_t(width) * uint32_t(bits) + 31) / 32 * 4;
    const uint32_t table = bits == 8 ? 256 * 4 : 0;
    const uint32_t pixelsAt = 14 + 40 + table;
    Bytes b(pixelsAt + stride * uint32_t(height), 0);
    b[0] = 'B';
    b[1] = 'M';
    StoreLE<uint32_t>(&b[2], uint32_t(b.size()));
    StoreLE<uint32_t>(&b[10], pixelsAt);
    StoreLE<uint32_t>(&b[14], 40);
    StoreLE<int32_t>(&b[18], width);
    StoreLE<int32_t>(&b[22], height);
    StoreLE<uint16_t>(&b[26], 1);
    StoreLE<uint16_t>(&b[28], uint16_t(bits));
    for (uint32_t i = 0; i < table / 4; ++i) {  // index i is blue i, green 255 - i
        b[54 + 4 * i] = uint8_t(i);
        b[54 + 4 * i + 1] = uint8_t(255 - i);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &b[pixelsAt + stride * uint32_t(height - 1 - y) + uint32_t(x * bits / 8)];
            const uint8_t v = uint8_t(x + 10 * y);
            if (bits == 8)
                p[0] = v;
            else
                p[0] = p[1] = p[2] = v;
        }
    return b;
}

TEST(Dib, ReadsPalettedAndTrueColourBitmapsAndRefusesDamagedFiles) {
    CDib dib;
    const Bytes eight = Bitmap(3, 2, 8);
    ASSERT_TRUE(dib.Read(eight.data(), eight.size()));
    EXPECT_EQ(dib.Labels(),
              (std::vector<std::string>{"Height: 2", "Width: 3", "Depth: 8", "Palette: 256"}));
    EXPECT_EQ(dib.Pixel(2, 1), (Colour{0, 255 - 12, 12})) << "top row first, through the palette";

    const Bytes rgb = Bitmap(5, 4, 24);
    ASSERT_TRUE(dib.Read(rgb.data(), rgb.size()));
    EXPECT_EQ(dib.Depth(), 24);
    EXPECT_EQ(dib.Colours(), 0);
    EXPECT_EQ(dib.Pixel(4, 3), (Colour{34, 34, 34}));

    Bytes wrong = eight;
    wrong[0] = 'X';
    EXPECT_FALSE(dib.Read(wrong.data(), wrong.size()));
    EXPECT_EQ(dib.Labels(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_FALSE(dib.Read(eight.data(), eight.size() - 1)) << "the last pixel row is short";
    EXPECT_FALSE(dib.Read(eight.data(), 30)) << "the header is short";
    EXPECT_FALSE(dib.ReadFile("/nonexistent/bm-1.bmp"));
}

TEST(Dib, PreviewCentresSmallBitmapsScalesLargeOnesAndCrossesAnEmptyArea) {
    CDib dib;
    const Bytes small = Bitmap(4, 2, 24);
    ASSERT_TRUE(dib.Read(small.data(), small.size()));
    RasterCanvas a(10, 10);
    dib.Draw(a);
    // Inside the 1-pixel border (8 x 8) at its own size, centred: from (3, 4).
    EXPECT_EQ(a.PixelAt(3, 4), dib.Pixel(0, 0));
    EXPECT_EQ(a.PixelAt(6, 5), dib.Pixel(3, 1));
    EXPECT_EQ(a.PixelAt(2, 4), kWhite);
    EXPECT_EQ(a.PixelAt(7, 4), kWhite);

    const Bytes wide = Bitmap(40, 20, 24);
    ASSERT_TRUE(dib.Read(wide.data(), wide.size()));
    RasterCanvas b(12, 12);
    dib.Draw(b);
    // Scaled to 10 x 5 with its proportions kept, centred from (1, 3).
    EXPECT_EQ(b.PixelAt(1, 3), dib.Pixel(0, 0));
    EXPECT_EQ(b.PixelAt(10, 7), dib.Pixel(36, 16));
    EXPECT_EQ(b.PixelAt(1, 2), kWhite);
    EXPECT_EQ(b.PixelAt(1, 8), kWhite);

    dib.Clear();
    RasterCanvas c(10, 10);
    dib.Draw(c);
    EXPECT_EQ(c.PixelAt(0, 0), kBlack);
    EXPECT_EQ(c.PixelAt(9, 0), kBlack);
    EXPECT_EQ(c.PixelAt(5, 3), kWhite);
}

}  // namespace
}  // namespace tablon::test
