// The field-level comparison of two database sets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sample/Sample.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/Diff.h"
#include "store/FieldTable.h"
#include "store/RecordFile.h"
#include "support/CliRunner.h"
#include "support/Fixture.h"

namespace tablon {
namespace {

class DiffTest : public test::TempDirTest, public test::CliRunner {
  protected:
    using CliRunner::Run;
    void SetUp() override {
        TempDirTest::SetUp();
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(Path("a"), SampleScale::Demo, error)) << error;
        ASSERT_TRUE(WriteSampleDatabase(Path("b"), SampleScale::Demo, error)) << error;
    }
    std::vector<DiffEntry> Diff(const std::string& x, const std::string& y) {
        ScriptedUi ux, uy;
        Database a(ux), b(uy);
        std::string error;
        EXPECT_TRUE(OpenForReading(a, Path(x), error)) << error;
        EXPECT_TRUE(OpenForReading(b, Path(y), error)) << error;
        return DiffDatabases(a, b);
    }
    ScriptedUi ui_;
};

TEST_F(DiffTest, EqualSetsHaveNoDifference) {
    EXPECT_TRUE(Diff("a", "b").empty());
}

TEST_F(DiffTest, ChangedFieldsAndRecordsPastTheEndAreNamed) {
    {
        // Change a weapon's range and append a weapon in the second set.
        Database db(ui_);
        std::string error;
        ASSERT_TRUE(OpenForReading(db, Path("b"), error, true));
        RecordFile& wcd = db.File(FileId::Wcd);
        const Field* range = FieldTableOf(FileId::Wcd).Find("range");
        ASSERT_NE(range, nullptr);
        Bytes rec;
        ASSERT_TRUE(wcd.GenericGet(3, rec));
        std::string parseError;
        ASSERT_TRUE(ParseField(*range, rec.data(), "1234", parseError)) << parseError;
        ASSERT_TRUE(wcd.GenericSet(3, rec));
        int appended = -1;
        ASSERT_TRUE(db.Table(FileId::Wcd)->AppendRecord(appended, rec.data()));
    }
    const auto diff = Diff("a", "b");
    ASSERT_EQ(diff.size(), 2u);
    EXPECT_EQ(diff[0].kind, DiffEntry::Kind::Changed);
    EXPECT_EQ(diff[0].file, FileId::Wcd);
    EXPECT_EQ(diff[0].index, 3);
    EXPECT_EQ(diff[0].field, "range");
    EXPECT_EQ(diff[0].after, "1234");
    EXPECT_NE(diff[0].before, "1234");
    EXPECT_EQ(diff[1].kind, DiffEntry::Kind::Added);
    EXPECT_EQ(diff[1].file, FileId::Wcd);

    // The other way round the appended record is removed and the values swap.
    const auto back = Diff("b", "a");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].before, "1234");
    EXPECT_EQ(back[0].after, diff[0].before);
    EXPECT_EQ(back[1].kind, DiffEntry::Kind::Removed);
    EXPECT_EQ(back[1].index, diff[1].index);

    std::ostringstream tsv, json;
    WriteDiffTsv(diff, tsv);
    EXPECT_NE(tsv.str().find("\t3\tchanged\trange\t" + diff[0].before + "\t1234\n"),
              std::string::npos)
        << tsv.str();
    WriteDiffJson(diff, json);
    EXPECT_NE(json.str().find("\"field\": \"range\""), std::string::npos) << json.str();
}

TEST_F(DiffTest, APatchMakesAFreshSetByteIdenticalAndRefusesWhatItDoesNotExpect) {
    {
        Database db(ui_);
        std::string error;
        ASSERT_TRUE(OpenForReading(db, Path("b"), error, true));
        Bytes rec;
        ASSERT_TRUE(db.File(FileId::Ct).GenericGet(7, rec));
        rec[rec.size() / 2] ^= 0x5a;
        ASSERT_TRUE(db.File(FileId::Ct).GenericSet(7, rec));
        int appended = -1;
        ASSERT_TRUE(db.Table(FileId::Wcd)->AppendRecord(appended, rec.data()));
        int last = int(db.Table(FileId::Rcd)->RecordCount()) - 1;
        ASSERT_TRUE(db.Table(FileId::Rcd)->DeleteLastRecord(last));
    }
    const auto diff = Diff("a", "b");
    ASSERT_GE(diff.size(), 3u);
    std::stringstream patch;
    WritePatch(diff, patch);
    std::vector<DiffEntry> read;
    std::string error;
    ASSERT_TRUE(ReadPatch(patch, read, error)) << error;
    ASSERT_EQ(read.size(), diff.size());

    std::string sampleError;
    ASSERT_TRUE(WriteSampleDatabase(Path("c"), SampleScale::Demo, sampleError)) << sampleError;
    {
        Database db(ui_);
        ASSERT_TRUE(OpenForReading(db, Path("c"), error, true));
        std::vector<std::string> problems;
        ASSERT_TRUE(ApplyPatch(db, read, false, problems)) << problems.front();
        // Applied a second time every old value is wrong: refused, nothing written.
        EXPECT_FALSE(ApplyPatch(db, read, false, problems));
        EXPECT_FALSE(problems.empty());
    }
    for (const auto& entry : std::filesystem::directory_iterator(Path("b"))) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(test::ReadBytes(Path("b/" + name)), test::ReadBytes(Path("c/" + name))) << name;
    }
    // Only the field changes, taken whatever the set holds: --force.
    std::vector<DiffEntry> fields;
    for (const DiffEntry& e : read)
        if (e.kind == DiffEntry::Kind::Changed) fields.push_back(e);
    {
        Database db(ui_);
        ASSERT_TRUE(OpenForReading(db, Path("c"), error, true));
        std::vector<std::string> problems;
        EXPECT_TRUE(ApplyPatch(db, fields, true, problems));
    }
    EXPECT_EQ(test::ReadBytes(Path("b/vantor.ct")), test::ReadBytes(Path("c/vantor.ct")));
}

// The model files are compared entry by entry, each side's tables placing its entries, and
// the patch carries their bytes: a texture set anew (its block appended, the texture file
// longer), a LOD's vertex and a header value.
TEST_F(DiffTest, ModelFilesAreComparedByEntryAndPatchedByteForByte) {
    const std::string b = Path("b"), bmp = Path("t0.bmp");
    ASSERT_EQ(Run({"--dir", b, "texture", "get", "0", bmp}), 0) << err_.str();
    Bytes pixels = test::ReadBytes(bmp);
    ASSERT_GT(pixels.size(), 1100u);
    pixels.back() ^= 1;
    test::WriteBytes(bmp, pixels);
    ASSERT_EQ(Run({"--dir", b, "texture", "set", "0", bmp}), 0) << err_.str();
    ASSERT_EQ(Run({"--dir", b, "lod", "set-vertex", "0", "0", "1.5", "2", "3"}), 0) << err_.str();
    ASSERT_EQ(Run({"--dir", b, "model", "set-header", "lod_max_nodes=4321"}), 0) << err_.str();

    ASSERT_EQ(Run({"diff", Path("a"), b}), 1) << err_.str();
    std::vector<std::string> shown;
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) {
        // File, Record, Change, Field: the values are hashes and hexadecimal.
        size_t cut = 0;
        for (int tabs = 0; tabs < 4 && cut != std::string::npos; ++tabs)
            cut = line.find('\t', cut + (tabs ? 1 : 0));
        shown.push_back(line.substr(0, cut));
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "File\tRecord\tChange\tField", "KoreaObj.hdr\t\tchanged\tlod_max_nodes",
                  "KoreaObj.hdr\t0\tchanged\ttexture entry", "KoreaObj.lod\t0\tchanged\tlod block",
                  "KoreaObj.tex\t\tchanged\tlength", "KoreaObj.tex\t0\tchanged\ttexture"}));

    std::string error;
    ASSERT_TRUE(WriteSampleDatabase(Path("c"), SampleScale::Demo, error)) << error;
    ASSERT_EQ(Run({"diff", Path("a"), b, "--patch", Path("p.json")}), 1) << err_.str();
    ASSERT_EQ(Run({"--dir", Path("c"), "apply", Path("p.json")}), 0) << err_.str();
    for (const char* name : {"KoreaObj.hdr", "KoreaObj.lod", "KoreaObj.tex"})
        EXPECT_EQ(test::ReadBytes(b + "/" + name), test::ReadBytes(Path("c/") + name)) << name;
    EXPECT_EQ(Run({"diff", b, Path("c")}), 0) << out_.str();
    // The same patch again finds other bytes than it expects: refused, nothing written.
    const Bytes tex = test::ReadBytes(Path("c/KoreaObj.tex"));
    EXPECT_EQ(Run({"--dir", Path("c"), "apply", Path("p.json")}), 1);
    EXPECT_NE(err_.str().find("KoreaObj.tex bytes at"), std::string::npos) << err_.str();
    EXPECT_EQ(test::ReadBytes(Path("c/KoreaObj.tex")), tex);
    // Applying is one step: undo puts the fresh sample back.
    ASSERT_EQ(Run({"--dir", Path("c"), "undo"}), 0) << err_.str();
    EXPECT_EQ(Run({"diff", Path("a"), Path("c")}), 0) << out_.str();
}

TEST_F(DiffTest, AMissingRequiredFileIsAnError) {
    ScriptedUi ui;
    Database db(ui);
    std::string error;
    EXPECT_FALSE(OpenForReading(db, Path("nowhere"), error));
    EXPECT_NE(error.find("nowhere"), std::string::npos);
}

}  // namespace
}  // namespace tablon
