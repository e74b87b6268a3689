#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "models/Lzss.h"
#include "models/ModelFiles.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

std::string Text(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

Bytes Decode(const Bytes& in, LzssResult expect = LzssResult::Ok, size_t max = 1 << 20) {
    Bytes out{9, 9, 9};
    EXPECT_EQ(LzssDecode(in.data(), in.size(), out, max), expect);
    return out;
}

TEST(Lzss, LiteralBlocksDecodeToTheirBytes) {
    for (size_t n : {0, 1, 7, 8, 9, 16, 1024, 1029}) {
        Bytes data(n);
        for (size_t i = 0; i < n; ++i) data[i] = uint8_t(i * 37 + 5);
        const Bytes block = LzssLiteralBlock(data.data(), data.size());
        EXPECT_EQ(block.size(), n + (n + 7) / 8);
        EXPECT_EQ(Decode(block), data) << n;
    }
}

TEST(Lzss, CopiesReadTheRingIncludingWhatTheyAreWriting) {
    // "a" lands at ring position 1; a copy of 5 from position 1 repeats it.
    EXPECT_EQ(Text(Decode({0x01, 'a', 0x30, 0x01})), "aaaaaa");
    // A copy from the untouched ring yields zeros; lengths run from 2 to 17.
    EXPECT_EQ(Decode({0x00, 0x0f, 0xff}), Bytes(2, 0));
    EXPECT_EQ(Decode({0x00, 0xff, 0xff}), Bytes(17, 0));
    // "abc" then a copy of 3 from position 2: "bcb" (position 4 is written before it is read).
    EXPECT_EQ(Text(Decode({0x07, 'a', 'b', 'c', 0x10, 0x02})), "abcbcb");
    // Copies across the ring's end: position 4095 then 0.
    Bytes data(4096);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i % 251);
    Bytes block = LzssLiteralBlock(data.data(), data.size());
    // The last literal went to position 4096 & 4095 = 0, the one before to 4095.
    block.insert(block.end(), {0x00, 0x0f, 0xff});
    const Bytes out = Decode(block);
    ASSERT_EQ(out.size(), 4098u);
    EXPECT_EQ(out[4096], data[4094]);
    EXPECT_EQ(out[4097], data[4095]);
}

TEST(Lzss, GroupsEndAtOffsetZeroAndBlocksEndAnywhere) {
    // A copy from position 0 ends its group; the next flag byte goes on.
    EXPECT_EQ(Text(Decode({0xfd, 'x', 0x00, 0x00, 0x01, 'z'})), "xz");
    // The block's end inside a group ends the decoding: the flag byte promises 8 literals.
    EXPECT_EQ(Text(Decode({0xff, 'p', 'q'})), "pq");
    EXPECT_EQ(Decode({0x00}), Bytes{});
}

TEST(Lzss, CutOrOversizedInputStopsDecoding) {
    // A block that ends after the first byte of a copy item simply ends there.
    EXPECT_EQ(Text(Decode({0x01, 'a', 0x30})), "a");
    // Output limits are kept exactly.
    const Bytes lit = LzssLiteralBlock(reinterpret_cast<const uint8_t*>("abcdef"), 6);
    EXPECT_EQ(Text(Decode(lit, LzssResult::Ok, 6)), "abcdef");
    EXPECT_EQ(Decode(lit, LzssResult::TooLong, 5).size(), 5u);
    EXPECT_EQ(Decode({0x00, 0xf1, 0x00}, LzssResult::TooLong, 16).size(), 16u);
}

TEST(Lzss, EncoderWritesTheKnownBytes) {
    // A literal at position 1, then a copy of 5 bytes from position 1 that overlaps itself.
    const std::string run = "aaaaaa";
    EXPECT_EQ(LzssEncode(reinterpret_cast<const uint8_t*>(run.data()), run.size()),
              (Bytes{0x01, 'a', 0x30, 0x01}));
    // Nothing repeats: literals only, the last group's missing items 0.
    const std::string plain = "abcdefghij";
    EXPECT_EQ(LzssEncode(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()),
              LzssLiteralBlock(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()));
    // A repeat of 2 bytes is a copy; of 1 byte a literal.
    const std::string pair = "abXab";
    EXPECT_EQ(LzssEncode(reinterpret_cast<const uint8_t*>(pair.data()), pair.size()),
              (Bytes{0x07, 'a', 'b', 'X', 0x00, 0x01}));
    EXPECT_TRUE(LzssEncode(nullptr, 0).empty());
}

TEST(Lzss, EncodedBlocksDecodeToTheirBytes) {
    std::mt19937 rng(11);
    for (size_t n : {1, 17, 18, 4095, 4096, 4097, 70000, 512 * 512}) {
        Bytes data(n);
        // Runs, repeats reaching back across the window, and noise.
        for (size_t i = 0; i < n; ++i)
            data[i] = i % 3000 < 1000   ? uint8_t(i / 40)
                      : i % 3000 < 2000 ? data[i - 997]
                                        : uint8_t(rng());
        const Bytes block = LzssEncode(data.data(), data.size());
        Bytes out;
        ASSERT_EQ(LzssDecode(block.data(), block.size(), out, n + 100), LzssResult::Ok);
        EXPECT_EQ(out, data) << n;
        if (n > 4096) {
            EXPECT_LT(block.size(), n);
        }
    }
}

class TexFileTest : public TempDirTest {
  protected:
    TexFileTest() { ctx_.ui = &ui_; }
    ScriptedUi ui_;
    FileSetContext ctx_;
};

TEST_F(TexFileTest, TexturesAreReadWithinTheFileAndAppendedAtItsEnd) {
    const Bytes pixels{1, 2, 3, 4};
    Bytes file{0xEE, 0xEE};
    const Bytes block = LzssLiteralBlock(pixels.data(), pixels.size());
    file.insert(file.end(), block.begin(), block.end());
    WriteBytes(Path("KoreaObj.tex"), file);
    TexFile tex(DescOf(FileId::Tex), ctx_);
    ASSERT_EQ(tex.Open("KoreaObj.tex", "", 1), 1);
    EXPECT_EQ(tex.Status().state, FileState::Ok);
    EXPECT_EQ(tex.GenericCount(), 0u);

    Bytes out;
    ASSERT_EQ(tex.ReadTexture(2, uint32_t(block.size()), out), 1);
    EXPECT_EQ(out, pixels);
    EXPECT_EQ(tex.ReadTexture(3, uint32_t(block.size()), out), 0);
    EXPECT_EQ(tex.ReadTexture(0xffffffffu, 2, out), 0);
    EXPECT_EQ(tex.ReadTexture(2, 0xffffffffu, out), 0);
    // Longer than the limit given: the first bytes.
    ASSERT_EQ(tex.ReadTexture(2, uint32_t(block.size()), out, 3), 1);
    EXPECT_EQ(out, (Bytes{1, 2, 3}));

    uint32_t offset = 0, length = 0;
    ASSERT_EQ(tex.AppendBlock(block, offset, length), 1);
    EXPECT_EQ(offset, file.size());
    EXPECT_EQ(length, block.size());
    // Not visible before the mapping is renewed; then it is.
    EXPECT_EQ(tex.ReadTexture(offset, length, out), 0);
    ASSERT_EQ(tex.Remap(), 1);
    ASSERT_EQ(tex.ReadTexture(offset, length, out), 1);
    EXPECT_EQ(out, pixels);
    uint32_t second = 0;
    ASSERT_EQ(tex.AppendBlock(block, second, length), 1);
    EXPECT_EQ(second, offset + length);
}

}  // namespace
}  // namespace tablon::test
