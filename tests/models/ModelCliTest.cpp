#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "sample/ModelSample.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class ModelCliTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WriteMinimalSet(Dir());
        std::string error;
        ASSERT_TRUE(WriteModelSample(Dir(), SampleScale::Demo, error)) << error;
    }
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"tablon-cli", "--dir", Dir()});
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        out_.str("");
        err_.str("");
        return RunCli(int(argv.size()), argv.data(), out_, err_);
    }
    bool Has(const std::string& text) { return out_.str().find(text) != std::string::npos; }
    std::ostringstream out_, err_;
};

TEST_F(ModelCliTest, ParentsLodsAndHeaderValues) {
    ASSERT_EQ(Run({"model", "parent", "1", "--format", "json"}), 0) << err_.str();
    EXPECT_TRUE(
        Has("\"block_offset\": 16, \"lod_refs\": [{\"ref\": 4, \"lod\": 2, \"distance\": 4000}"))
        << out_.str();
    EXPECT_TRUE(Has("\"dynamic_positions\": [[40, -20, 0], [40, 20, 0]]")) << out_.str();
    ASSERT_EQ(Run({"model", "set-lod-ref", "1", "0", "7", "1234.5"}), 0) << err_.str();
    ASSERT_EQ(Run({"model", "parent", "1", "--format", "json"}), 0);
    EXPECT_TRUE(Has("{\"ref\": 14, \"lod\": 7, \"distance\": 1234.5}")) << out_.str();
    ASSERT_EQ(Run({"model", "set-dynamic", "1", "1", "1", "2", "3"}), 0) << err_.str();
    ASSERT_EQ(Run({"model", "parent", "1", "--format", "json"}), 0);
    EXPECT_TRUE(Has("[[40, -20, 0], [1, 2, 3]]")) << out_.str();
    EXPECT_EQ(Run({"model", "set-slot", "1", "0", "1", "2", "3"}), 1);  // parent 1 has no slots
    EXPECT_EQ(Run({"model", "parent", "99999"}), 1);

    ASSERT_EQ(Run({"model", "set-header", "version=12", "lod_max_nodes=40"}), 0) << err_.str();
    ASSERT_EQ(Run({"list", "Hdr Data"}), 0) << err_.str();
    EXPECT_TRUE(Has("\n0\t12\t")) << out_.str();
    EXPECT_EQ(Run({"model", "set-header", "colours=3"}), 2);
    const Bytes hdr = ReadBytes(Path("KoreaObj.hdr"));
    EXPECT_EQ(LoadLE<uint32_t>(hdr.data()), 12u);

    ASSERT_EQ(Run({"lod", "info", "0", "--format", "json"}), 0) << err_.str();
    EXPECT_TRUE(Has("\"name\": \"Lod no 0\"")) << out_.str();
    ASSERT_EQ(Run({"lod", "set-vertex", "0", "1", "5", "6", "7"}), 0) << err_.str();
    ASSERT_EQ(Run({"lod", "info", "0"}), 0);
    EXPECT_TRUE(Has("\n1\t5.000\t6.000\t7.000\n")) << out_.str();
    EXPECT_EQ(Run({"lod", "set-normal", "0", "100000", "5", "6", "7"}), 1);
    ASSERT_EQ(Run({"lod", "tree", "4", "--format", "json"}), 0) << err_.str();
    EXPECT_TRUE(Has("{\"lod\": 4, \"nodes\": ")) << out_.str();
    EXPECT_TRUE(Has("\"root\": {\"type\": 2, \"name\": \"root_scope\", \"offset\": 0"));
}

TEST_F(ModelCliTest, DrawingTexturesAndExports) {
    ASSERT_EQ(Run({"lod", "draw", "4", "out.png", "--view", "side", "--filled", "--switch", "0",
                   "--size", "320x200", "--zoom", "2", "--hscroll", "10"}),
              0)
        << err_.str();
    EXPECT_TRUE(Has("zoom\t3\npan\t30\t0\n")) << out_.str();
    const Bytes png = ReadBytes(Path("out.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(LoadLE<uint8_t>(png.data() + 19), 320 & 0xff);
    EXPECT_EQ(Run({"lod", "draw", "4", "out.png", "--switch", "9"}), 2);
    EXPECT_EQ(Run({"lod", "draw", "4", "out.png", "--view", "up"}), 2);

    ASSERT_EQ(Run({"texture", "get", "1"}), 0) << err_.str();
    const Bytes bmp = ReadBytes(Path("bm-1.bmp"));
    ASSERT_EQ(bmp.size(), 16u * 16 + 1082);
    ASSERT_EQ(Run({"texture", "set", "1", Path("bm-1.bmp")}), 0) << err_.str();
    ASSERT_EQ(Run({"texture", "get", "1", "again.bmp"}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(Path("again.bmp")), bmp);

    ASSERT_EQ(Run({"export", "KoreaObj.hdr", "2", "p.vte"}), 0) << err_.str();
    ASSERT_EQ(Run({"export", "Hdr Data/LodColours", "3", "p.vte"}), 0) << err_.str();
    const Bytes vte = ReadBytes(Path("p.vte"));
    ASSERT_EQ(vte.size(), 12u + 48 + 12 + 16);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data()), 20u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 8), 2u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 60), 16u);
    EXPECT_EQ(LoadLE<uint32_t>(vte.data() + 68), 3u);
    EXPECT_EQ(Run({"export", "Hdr Data/LodColours", "100000", "p.vte"}), 1);
}

}  // namespace
}  // namespace tablon::test
