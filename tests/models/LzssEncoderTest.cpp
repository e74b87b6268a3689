// The encoder against the reference: the same blocks, byte for byte, whatever the input.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "models/Lzss.h"
#include "models/LzssReference.h"
#include "models/ModelFiles.h"
#include "sample/ModelSample.h"
#include "shell/ScriptedUi.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

void ExpectSameBlock(const Bytes& data, const std::string& what) {
    const Bytes expected = ReferenceLzssEncode(data.data(), data.size());
    const Bytes block = LzssEncode(data.data(), data.size());
    ASSERT_EQ(block.size(), expected.size()) << what;
    for (size_t i = 0; i < block.size(); ++i)
        ASSERT_EQ(block[i], expected[i]) << what << ": first difference at byte " << i;
}

// Square palette-index images of the kind textures hold: shaded panels, stripes, a little
// noise.
Bytes PanelTexture(size_t width, uint32_t seed) {
    Bytes p(width * width);
    for (size_t i = 0; i < p.size(); ++i) {
        const size_t x = i % width, y = i / width;
        seed = seed * 1103515245u + 12345u;
        const size_t panel = (x / 64 + y / 32) % 3;
        p[i] = uint8_t(16 + panel * 40 + (x % 64) / 8 + ((seed >> 16) % 7 == 0 ? 1 : 0));
    }
    return p;
}

using Maker = std::function<uint8_t(std::mt19937&, const Bytes&, size_t)>;

TEST(LzssEncoder, MatchesTheReferenceOnRandomAndStructuredInputs) {
    const std::vector<std::pair<std::string, Maker>> kinds = {
        {"noise", [](std::mt19937& r, const Bytes&, size_t) { return uint8_t(r()); }},
        {"two symbols", [](std::mt19937& r, const Bytes&, size_t) { return uint8_t(r() & 1); }},
        {"four symbols",
         [](std::mt19937& r, const Bytes&, size_t) { return uint8_t('a' + (r() & 3)); }},
        {"zeros", [](std::mt19937&, const Bytes&, size_t) { return uint8_t(0); }},
        {"one value", [](std::mt19937&, const Bytes&, size_t) { return uint8_t(0xff); }},
        {"runs", [](std::mt19937& r, const Bytes& d,
                    size_t i) { return i > 0 && r() % 9 ? d[i - 1] : uint8_t(r() % 5 * 50); }},
        // Earlier stretches again, near and across the whole window, now and then changed.
        {"repeats",
         [](std::mt19937& r, const Bytes& d, size_t i) {
             const size_t back = std::array<size_t, 5>{1, 3, 17, 700, 4090}[(i / 64) % 5];
             return i >= back && r() % 23 ? d[i - back] : uint8_t(r() % 200);
         }},
        {"counting", [](std::mt19937&, const Bytes&, size_t i) { return uint8_t(i / 3); }},
    };
    const size_t sizes[] = {0,    1,    2,    3,    16,   17,   18,   19,   34,    4095,
                            4096, 4097, 4112, 4113, 4114, 8191, 8192, 8210, 12289, 40000};
    std::mt19937 rng(7);
    for (const auto& [name, make] : kinds)
        for (size_t n : sizes) {
            Bytes data;
            data.reserve(n);
            for (size_t i = 0; i < n; ++i) data.push_back(make(rng, data, i));
            ExpectSameBlock(data, name + " of " + std::to_string(n));
        }
}

TEST(LzssEncoder, MatchesTheReferenceOnTextures) {
    for (size_t width : {8, 32, 64, 128, 256, 512})
        for (uint32_t seed : {1u, 99u}) {
            ExpectSameBlock(PanelTexture(width, seed),
                            "panels " + std::to_string(width) + " seed " + std::to_string(seed));
        }
}

// Deleting ring position 0 acts on node 0's parent field, which the tree writes in passing; now
// and then that unlinks a node from the tree. These inputs meet that, and the encoder must go
// on exactly as the tree does.
TEST(LzssEncoder, MatchesTheReferenceAfterTheTreeLosesANode) {
    std::mt19937 noise(13);
    Bytes data(70000);
    for (uint8_t& c : data) c = uint8_t(noise());
    ExpectSameBlock(data, "noise");
    std::mt19937 symbols(11);
    for (uint8_t& c : data) c = uint8_t(symbols() & 3);
    ExpectSameBlock(data, "four symbols");
}

class LzssSampleTest : public TempDirTest {};

TEST_F(LzssSampleTest, MatchesTheReferenceOnTheSampleTextures) {
    std::string error;
    ASSERT_TRUE(WriteModelSample(Dir(), SampleScale::Demo, error)) << error;
    ScriptedUi ui;
    FileSetContext ctx;
    ctx.ui = &ui;
    HdrFile hdr(DescOf(FileId::Hdr), ctx);
    TexFile tex(DescOf(FileId::Tex), ctx);
    ASSERT_EQ(hdr.Open("KoreaObj.hdr", "", 1), 1);
    ASSERT_EQ(tex.Open("KoreaObj.tex", "", 1), 1);
    ASSERT_GT(hdr.TextureCount(), 0u);
    Bytes all;
    for (uint32_t t = 0; t < hdr.TextureCount(); ++t) {
        TextureRecord rec;
        ASSERT_EQ(hdr.GetTexture(int(t), rec), 1);
        Bytes px;
        ASSERT_EQ(tex.ReadTexture(rec.Offset(), rec.Size(), px), 1) << t;
        ExpectSameBlock(px, "sample texture " + std::to_string(t));
        all.insert(all.end(), px.begin(), px.end());
    }
    // All of them in one go, so that the window wraps over real pixels.
    ExpectSameBlock(all, "the sample textures one after another");
}

}  // namespace
}  // namespace tablon::test
