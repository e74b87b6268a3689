#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/MappedFile.h"
#include "support/CliRunner.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class CliTest : public TempDirTest, protected CliRunner {
  protected:
    using CliRunner::Run;
    void SetUp() override {
        TempDirTest::SetUp();
        WriteMinimalSet(Dir());
        WriteBytes(Path("vantor.ct"), PatternFile(1900, 81));
    }
};

TEST_F(CliTest, InfoListsEveryFileInOpeningOrder) {
    ASSERT_EQ(Run({"--dir", Dir(), "info"}), 0) << err_.str();
    std::istringstream lines(out_.str());
    std::string line;
    std::vector<std::string> rows;
    while (std::getline(lines, line)) rows.push_back(line);
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_EQ(rows[0], "vantor.fed\tok\t32\t3\t");
    EXPECT_EQ(rows[1], "vantor.ct\tok\t81\t1900\t");
    EXPECT_EQ(rows[2], "vantor.vcd\tok\t160\t3\t0");

    std::remove("Vantor.ddp");
    Bytes bad = CountFile(2, 52);
    bad.pop_back();
    WriteBytes(Path("vantor.acd"), bad);
    EXPECT_EQ(Run({"info", "--format", "json"}), 1);
    EXPECT_NE(
        out_.str().find("{\"file\": \"vantor.acd\", \"state\": \"bad-size\", \"record_size\": 52, "
                        "\"count\": 2, \"version\": null}"),
        std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("\"file\": \"Vantor.ddp\", \"state\": \"missing\""),
              std::string::npos);
    EXPECT_NE(err_.str().find("ACD File size not the expected size"), std::string::npos);
}

TEST_F(CliTest, ShowSetAndRawAgree) {
    ASSERT_EQ(
        Run({"set", "VANTOR.CT", "1861", "collision_radius=1.5", "graphics[2]=-7", "domain=2"}), 0)
        << err_.str();
    ASSERT_EQ(Run({"show", "vantor.ct", "1861", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("\"collision_radius\": 1.5"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("\"domain\": 2"), std::string::npos);
    ASSERT_EQ(Run({"show", "vantor.ct", "1861"}), 0);
    EXPECT_NE(out_.str().find("\ngraphics="), std::string::npos);
    EXPECT_NE(out_.str().find(",-7,"), std::string::npos) << out_.str();
    ASSERT_EQ(Run({"raw", "vantor.ct", "1861"}), 0);
    EXPECT_EQ(out_.str().size(), 81u * 2 + 1);
    EXPECT_EQ(out_.str().substr(8, 8), "0000c03f");  // 1.5f little-endian
}

TEST_F(CliTest, TextsKeepTheirZeroAndNumbersReadToNearest) {
    // A vehicle name holds 13 characters and its terminating zero; the cockpit code may use all
    // five bytes.
    EXPECT_EQ(Run({"set", "vantor.vcd", "0", "name=ABCDEFGHIJKLMN"}), 1);
    ASSERT_EQ(Run({"set", "vantor.vcd", "0", "name=ABCDEFGHIJKLM", "cockpit=F16XY"}), 0)
        << err_.str();
    ASSERT_EQ(Run({"show", "vantor.vcd", "0", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("\"name\": \"ABCDEFGHIJKLM\""), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("\"cockpit\": \"F16XY\""), std::string::npos);
    // 12.3 typed is the float nearest to 12.3, though the program rounds toward zero.
    ASSERT_EQ(Run({"set", "vantor.ct", "0", "collision_radius=12.3"}), 0);
    ASSERT_EQ(Run({"show", "vantor.ct", "0", "--format", "json"}), 0);
    EXPECT_NE(out_.str().find("\"collision_radius\": 12.3,"), std::string::npos) << out_.str();
}

TEST_F(CliTest, RefusalsExitNonZeroWithTheSystemsMessage) {
    EXPECT_EQ(Run({"set", "vantor.ct", "1860", "domain=1"}), 1);
    EXPECT_EQ(err_.str(),
              "This is an exe hardcoded used CT record and can't be changed\nUpdate Failed\n"
              "tablon-cli: record 1860 of vantor.ct not written\n");
    EXPECT_EQ(Run({"set", "vantor.ct", "0", "domain=256"}), 1);
    EXPECT_EQ(Run({"set", "vantor.ct", "0", "nosuch=1"}), 1);
    EXPECT_EQ(Run({"show", "vantor.ct", "1900"}), 1);
    EXPECT_EQ(Run({"show", "vantor.nope", "0"}), 1);
    EXPECT_EQ(Run({"delete", "vantor.ct", "3"}), 1);
}

// Version-1 sound tables and 203- or 223-byte stores leave fields of the memory form out: a set
// of one of them is refused instead of reporting a write that changes nothing.
TEST_F(CliTest, SetRefusesValuesOutsideTheFieldsRangeAndSaysWhichRange) {
    const Bytes vcd = ReadBytes(Path("vantor.vcd"));
    for (const char* value : {"1e39", "-1e39", "nan", "inf", "-inf", "NAN"}) {
        EXPECT_EQ(Run({"set", "vantor.vcd", "0", std::string("radar_cs=") + value}), 1) << value;
        EXPECT_NE(err_.str().find(std::string("not a number in range for radar_cs: ") + value +
                                  " (-3.40282e+38 to 3.40282e+38)"),
                  std::string::npos)
            << err_.str();
    }
    EXPECT_EQ(Run({"set", "vantor.vcd", "0", "hit_points=-5"}), 1);
    EXPECT_NE(err_.str().find("not an integer in range for hit_points: -5 (0 to 65535)"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(Run({"set", "vantor.ct", "0", "hit_points=2147483648"}), 1);
    EXPECT_NE(err_.str().find("(-2147483648 to 2147483647)"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")), vcd);
    // The largest float is a value.
    EXPECT_EQ(Run({"set", "vantor.vcd", "0", "radar_cs=3.4028234e38"}), 0) << err_.str();
}

TEST_F(CliTest, HelpUsageErrorsAndCategoriesForNewcomers) {
    for (const char* help : {"--help", "-h", "help"}) {
        EXPECT_EQ(Run({help}), 0) << help;
        EXPECT_EQ(out_.str().rfind("usage: tablon-cli", 0), 0u) << help;
    }
    // Usage errors exit 2.
    EXPECT_EQ(Run({"show", "vantor.vcd"}), 2);
    EXPECT_NE(err_.str().find("expected FILE INDEX"), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"append"}), 2);
    EXPECT_EQ(Run({"--dir"}), 2);
    EXPECT_NE(err_.str().find("--dir needs a directory"), std::string::npos) << err_.str();
    EXPECT_EQ(err_.str().find("unknown option"), std::string::npos) << err_.str();

    // list without a category, or with one the tree does not have, names the categories.
    EXPECT_EQ(Run({"list"}), 2);
    EXPECT_NE(err_.str().find("categories:\n  Class Table\n"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("  Class Table/Vehicles/Aircraft\n"), std::string::npos);
    EXPECT_EQ(Run({"list", "Nope"}), 1);
    EXPECT_NE(err_.str().find("  Class Table/Weapons\n"), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"list", "Weapons"}), 0) << err_.str();
}

TEST_F(CliTest, ErrorsSayWhatIsAllowedAndWritesEndWithASummary) {
    EXPECT_EQ(Run({"show", "vantor.ct", "1900"}), 1);
    EXPECT_EQ(err_.str(), "tablon-cli: vantor.ct holds 1900 records: 0 to 1899\n");
    EXPECT_EQ(Run({"set", "vantor.wcd", "-1", "name=x"}), 1);
    EXPECT_EQ(err_.str(), "tablon-cli: vantor.wcd holds 3 records: 0 to 2\n");

    EXPECT_EQ(Run({"delete", "vantor.wcd", "1"}), 1);
    EXPECT_EQ(err_.str(),
              "Can't delete record\ntablon-cli: only the last record of vantor.wcd, 2, can be "
              "deleted\n");

    ASSERT_EQ(Run({"set", "vantor.ct", "0", "domain=2"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "1 record written\n");
    ASSERT_EQ(Run({"append", "vantor.wcd"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "1 record written\n");
    ASSERT_EQ(Run({"delete", "vantor.wcd", "3"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "1 record deleted\n");
}

TEST_F(CliTest, SetRefusesFieldsTheRecordsInUseDoNotHold) {
    Bytes sfx(8 + 2 * 124, 0);
    StoreLE<uint32_t>(sfx.data(), 1);
    StoreLE<uint32_t>(sfx.data() + 4, 2);
    WriteBytes(Path("VantorSndTbl.sfx"), sfx);
    WriteBytes(Path("vantor.ssd"), CountFile(2, 203));
    EXPECT_EQ(Run({"set", "VantorSndTbl.sfx", "1", "min_3d_distance=2.5"}), 1);
    EXPECT_NE(err_.str().find("min_3d_distance lies beyond the VantorSndTbl.sfx records in use "
                              "(124 bytes)"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(Run({"set", "vantor.ssd", "0", "inf_gun=3"}), 1);
    EXPECT_EQ(Run({"set", "vantor.ssd", "0", "counts[203]=3"}), 1);
    EXPECT_EQ(Run({"set", "vantor.ssd", "0", "counts_high[0]=3"}), 1);
    // One refused assignment refuses the whole command.
    EXPECT_EQ(Run({"set", "vantor.ssd", "1", "counts[0]=5", "unk220=1"}), 1);
    EXPECT_EQ(ReadBytes(Path("VantorSndTbl.sfx")), sfx);
    EXPECT_EQ(ReadBytes(Path("vantor.ssd")), CountFile(2, 203));

    // What the records hold is still written.
    ASSERT_EQ(Run({"set", "VantorSndTbl.sfx", "1", "minor_symbol=7"}), 0) << err_.str();
    EXPECT_EQ(LoadLE<uint32_t>(ReadBytes(Path("VantorSndTbl.sfx")).data() + 8 + 124 + 120), 7u);
    ASSERT_EQ(Run({"set", "vantor.ssd", "1", "counts[202]=9"}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(Path("vantor.ssd"))[2 + 203 + 202], 9);
    WriteBytes(Path("vantor.ssd"), CountFile(2, 603));
    ASSERT_EQ(Run({"set", "vantor.ssd", "1", "inf_gun=3", "counts_high[379]=4"}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(Path("vantor.ssd"))[2 + 603 + 222], 3);
    EXPECT_EQ(ReadBytes(Path("vantor.ssd"))[2 + 603 + 602], 4);

    // "show" lists only what the records in use hold.
    WriteBytes(Path("vantor.ssd"), CountFile(2, 203));
    ASSERT_EQ(Run({"show", "VantorSndTbl.sfx", "1"}), 0) << err_.str();
    EXPECT_NE(out_.str().find("minor_symbol=7\n"), std::string::npos) << out_.str();
    EXPECT_EQ(out_.str().find("min_3d_distance"), std::string::npos) << out_.str();
    ASSERT_EQ(Run({"show", "vantor.ssd", "1", "--format", "json"}), 0) << err_.str();
    EXPECT_EQ(out_.str().find("inf_gun"), std::string::npos) << out_.str();
    const std::string json = out_.str();
    EXPECT_EQ(std::count(json.begin(), json.end(), ','), 202)
        << "counts[0] to counts[202]: " << json;
}

TEST_F(CliTest, AppendAndDeleteRestoreTheFile) {
    Bytes before = ReadBytes(Path("vantor.wcd"));
    ASSERT_EQ(Run({"append", "vantor.wcd", "--copy-of", "1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "3\n");
    ASSERT_EQ(Run({"raw", "vantor.wcd", "3"}), 0);
    std::string copy = out_.str();
    ASSERT_EQ(Run({"raw", "vantor.wcd", "1"}), 0);
    EXPECT_EQ(out_.str(), copy);
    ASSERT_EQ(Run({"delete", "vantor.wcd", "3"}), 0);
    EXPECT_EQ(ReadBytes(Path("vantor.wcd")), before);
    EXPECT_EQ(Run({"append", "vantor.pd"}), 1);
}

TEST_F(CliTest, ExportAndImportWithScriptedAnswers) {
    ASSERT_EQ(Run({"export", "vantor.ct", "5", "out.vte"}), 0) << err_.str();
    ASSERT_EQ(Run({"export", "vantor.ct", "6", "out.vte"}), 0);
    EXPECT_EQ(ReadBytes(Path("out.vte")).size(), 186u);

    EXPECT_EQ(Run({"import", "out.vte", "--answers", "ny"}), 0);
    EXPECT_EQ(err_.str(),
              "Overwrite CT record 5?\nOverwrite CT record 6?\n2 entries read, 1 record written\n");
    // Questions beyond the script are answered No, and the run says so.
    EXPECT_EQ(Run({"import", "out.vte", "--answers", "n"}), 0);
    EXPECT_EQ(err_.str(),
              "Overwrite CT record 5?\nOverwrite CT record 6?\n"
              "(no answer given: answered No)\n2 entries read, 0 records written\n");
    // Cancel ends the import.
    EXPECT_EQ(Run({"import", "out.vte", "--answers", "c"}), 0);
    EXPECT_EQ(err_.str(), "Overwrite CT record 5?\n1 entry read, 0 records written\n");

    WriteBytes(Path("vantor.ct"), PatternFile(3, 81));
    EXPECT_EQ(Run({"import", "out.vte", "--yes"}), 1);
    EXPECT_EQ(err_.str(),
              "Overwrite CT record 5?\nImport failed\nOverwrite CT record 6?\nImport failed\n"
              "tablon-cli: 2 records not imported\n2 entries read, 0 records written\n");
}

TEST_F(CliTest, ImportOfAnEmptyOrCutFileSaysWhatItReadAndFails) {
    ASSERT_EQ(Run({"export", "vantor.ct", "5", "out.vte"}), 0) << err_.str();
    const Bytes one = ReadBytes(Path("out.vte"));
    const Bytes ct = ReadBytes(Path("vantor.ct"));

    WriteBytes(Path("empty.vte"), {});
    EXPECT_EQ(Run({"import", "empty.vte", "--yes"}), 1);
    EXPECT_EQ(err_.str(),
              "tablon-cli: empty.vte holds no export entry\n0 entries read, 0 records written\n");

    // A whole entry and the start of another: the whole one is offered, the rest is reported.
    Bytes cut = one;
    cut.insert(cut.end(), one.begin(), one.begin() + 20);
    WriteBytes(Path("cut.vte"), cut);
    EXPECT_EQ(Run({"import", "cut.vte", "--yes"}), 1);
    EXPECT_EQ(err_.str(),
              "Overwrite CT record 5?\ntablon-cli: cut.vte is cut short: 20 bytes after the last "
              "whole entry\n1 entry read, 1 record written\n");
    // Less than an entry's head.
    WriteBytes(Path("short.vte"), Bytes(one.begin(), one.begin() + 5));
    EXPECT_EQ(Run({"import", "short.vte", "--yes"}), 1);
    EXPECT_EQ(err_.str(),
              "tablon-cli: short.vte is cut short: 5 bytes after the last whole entry\n"
              "0 entries read, 0 records written\n");
    EXPECT_EQ(ReadBytes(Path("vantor.ct")), ct);  // record 5 went back onto itself

    EXPECT_EQ(Run({"import", "missing.vte"}), 1);
    EXPECT_EQ(err_.str(), "tablon-cli: Can't open missing.vte\n");
}

TEST_F(CliTest, EveryFailureEndsWithTheToolsOwnLineAndRunsCountTheirRecords) {
    // A failure that only the system's message reported gets a line of the tool's own.
    EXPECT_EQ(Run({"export", "vantor.ct", "5", Dir() + "/no/such/dir/out.vte"}), 1);
    EXPECT_EQ(err_.str(), "Export failed\ntablon-cli: export failed\n");
    std::remove("vantor.wcd");
    EXPECT_EQ(Run({"list", "Weapons"}), 1);
    const std::string last = "\ntablon-cli: the database set does not open\n";
    ASSERT_GT(err_.str().size(), last.size());
    EXPECT_EQ(err_.str().substr(err_.str().size() - last.size()), last) << err_.str();
    WriteMinimalSet(Dir());

    // A maintenance run says how many records it wrote, after any failure of its own.
    ASSERT_EQ(Run({"run", "recalc-stats", "Vehicles"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "0 records written\n");
    EXPECT_EQ(Run({"run", "recalc-stats", "Nope"}), 1);
    EXPECT_EQ(err_.str().substr(0, 12), "tablon-cli: ");
    EXPECT_EQ(err_.str().substr(err_.str().size() - 18), "0 records written\n") << err_.str();
}

TEST_F(CliTest, MissingRequiredFileFailsTheCommand) {
    std::remove("vantor.vcd");
    EXPECT_EQ(Run({"show", "vantor.ct", "0"}), 1);
    EXPECT_NE(err_.str().find("Can't map file vantor.vcd"), std::string::npos);
}

TEST_F(CliTest, SampleKeepsAnExistingSetUnlessForcedAndNeverOneThatIsHeld) {
    const Bytes ct = ReadBytes(Path("vantor.ct"));
    EXPECT_EQ(Run({"sample", Dir()}), 1);
    EXPECT_NE(err_.str().find("already holds a database set"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadBytes(Path("vantor.ct")), ct);

    // Held open by another program (the window locks every file it maps).
    {
        MappedFile held;
        ASSERT_TRUE(held.Open(Path("vantor.wcd"), true));
        EXPECT_EQ(Run({"sample", Dir(), "--force"}), 1);
        EXPECT_NE(err_.str().find("vantor.wcd"), std::string::npos) << err_.str();
        EXPECT_EQ(ReadBytes(Path("vantor.ct")), ct);
    }
    ASSERT_EQ(Run({"sample", Dir(), "--force"}), 0) << err_.str();
    EXPECT_NE(ReadBytes(Path("vantor.ct")), ct);
    EXPECT_EQ(Run({"info"}), 0) << err_.str();
}

}  // namespace
}  // namespace tablon::test
