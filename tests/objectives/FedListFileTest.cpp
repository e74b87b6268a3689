// Feature entry list files through the command line: the exact text of a save, loads that shrink
// and grow a run with every other objective's run intact, and each refusal with its message.
#include <gtest/gtest.h>

#include <fstream>

#include "objectives/FedListFile.h"
#include "objectives/ObjectiveFixture.h"

namespace tablon::test {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

const std::string kHead =
    "Objective CT Index;Objective-FedCount\r\n"
    "%s\r\n"
    "FED number;FED CT Index;Flags;Domain;Class;Type;SType;Specific;Mode;Pad1;Pad2;Value;Unk3;"
    "Xoff;Yoff;Zoff;Hdg;Unk5\r\n";

std::string Head(const std::string& line2) {
    std::string h = kHead;
    return h.replace(h.find("%s"), 2, line2);
}

// A list of n entries with class-table indices 500, 501, ...
std::string ListOf(int ct, int n) {
    std::string text = Head(std::to_string(ct) + ";" + std::to_string(n));
    for (int i = 0; i < n; ++i)
        text += "9;" + std::to_string(500 + i) + ";0;0;0;0;0;0;0;0;0;0;0;1,5;0;0;0;0\r\n";
    return text;
}

class FedListTest : public ObjectiveTest {
  protected:
    void SetUp() override {
        ObjectiveTest::SetUp();
        WriteObjectiveFiles({MakeObjective("A", 0, 2, 40), MakeObjective("B", 2, 5, 41),
                             MakeObjective("C", 7, 2, 42)},
                            Entries(9));
    }
};

TEST_F(FedListTest, SaveWritesTheHeadingsTheCountAndDecimalCommasWithCrLf) {
    FeatureEntryRecord e = MakeEntry(0);
    e.Set<uint16_t>(FeatureEntryRecord::kFlags, 0xFFFF);
    e.b[FeatureEntryRecord::kDomain] = 3;
    e.b[FeatureEntryRecord::kPad2] = 7;
    e.Set<float>(FeatureEntryRecord::kY, -2.5f);
    e.Set<int16_t>(FeatureEntryRecord::kHeading, -90);
    e.Set<int16_t>(FeatureEntryRecord::kUnk5, -1);
    std::vector<FeatureEntryRecord> entries = Entries(9);
    entries[2] = e;
    WriteBytes(Path("vantor.fed"), FileOf(entries));
    ASSERT_EQ(Run({"fed", "save", "1"}), 0) << err_.str();
    const std::string text = ReadText(Path("FedListCT41.csv"));
    EXPECT_EQ(text.substr(0, Head("41;5").size()), Head("41;5"));
    EXPECT_NE(
        text.find("\r\n2;100;65535;3;0;0;0;0;0;0;7;0;0;0,250000;-2,500000;0,000000;-90;-1\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n6;106;0;0;0;0;0;0;0;0;0;0;0;6,250000;"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    // Loading it back into the same run changes no byte.
    const Bytes fed = FileBytes("vantor.fed"), ocd = FileBytes("vantor.ocd");
    ASSERT_EQ(Run({"fed", "load", "1", "FedListCT41.csv"}), 0) << err_.str();
    EXPECT_EQ(FileBytes("vantor.fed"), fed);
    EXPECT_EQ(FileBytes("vantor.ocd"), ocd);
}

TEST_F(FedListTest, LoadShrinksByDeletingTheTailAndMovesTheLaterObjectivesDown) {
    WriteText(Path("two.csv"), ListOf(41, 2));
    ASSERT_EQ(Run({"fed", "load", "1", "two.csv"}), 0) << err_.str();
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 400, 401, 7, 8}));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(OcdOnDisk(1).FeatureEntryCount(), 2);
    EXPECT_EQ(FedOnDisk()[2].X(), 1.5f) << "the decimal comma is read as a point";
}

TEST_F(FedListTest, LoadGrowsByOverwritingThenInsertingAndIgnoresTheEntryNumbers) {
    WriteText(Path("seven.csv"), ListOf(41, 7));
    ASSERT_EQ(Run({"fed", "load", "1", "seven.csv"}), 0) << err_.str();
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 400, 401, 402, 403, 404, 405, 406, 7, 8}));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2, 9}));
    EXPECT_EQ(OcdOnDisk(1).FeatureEntryCount(), 7);
    // Into an objective without entries: its run starts where its first index points.
    WriteObjectiveFiles(
        {MakeObjective("A", 0, 2, 40), MakeObjective("B", 2, 0, 41), MakeObjective("C", 2, 2, 42)},
        Entries(4));
    ASSERT_EQ(Run({"fed", "load", "1", "seven.csv"}), 0) << err_.str();
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 400, 401, 402, 403, 404, 405, 406, 2, 3}));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2, 9}));
}

TEST_F(FedListTest, EveryRefusalHasItsMessageANonZeroExitAndChangesNothing) {
    const Bytes fed = FileBytes("vantor.fed"), ocd = FileBytes("vantor.ocd");
    struct Case {
        std::string text;
        std::string message;
    };
    std::string bad = ListOf(41, 3);
    bad.replace(bad.rfind("9;502"), 5, "9;x02");
    std::string huge = Head("41;300");
    for (int i = 0; i < 300; ++i) huge += "0;1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\r\n";
    const Case cases[] = {
        {"", "Expecting first line to have 2 fields"},
        {"x\r\n41\r\n", "Expecting first line to have 2 fields"},
        {ListOf(40, 1), "This is a Fed list from another Objective with CT index: 40"},
        {ListOf(41, 3).substr(0, ListOf(41, 3).rfind("9;502")), "Run out of file lines"},
        {bad, "Bad format import line 9;x02;0;0;0;0;0;0;0;0;0;0;0;1.5;0;0;0;0"},
        {huge, "A run holds at most 255 feature entries; the list has 300: nothing was changed"},
    };
    for (const auto& c : cases) {
        WriteText(Path("in.csv"), c.text);
        EXPECT_EQ(Run({"fed", "load", "1", "in.csv"}), 1) << c.message;
        // The system's message, then the tool's own line.
        EXPECT_EQ(err_.str(), c.message + "\ntablon-cli: fed load failed\n");
        EXPECT_EQ(FileBytes("vantor.fed"), fed) << c.message;
        EXPECT_EQ(FileBytes("vantor.ocd"), ocd) << c.message;
    }
    EXPECT_EQ(Run({"fed", "load", "1", "missing.csv"}), 1);
    EXPECT_EQ(err_.str(), "Couldn't open csv source file!\ntablon-cli: fed load failed\n");
}

TEST_F(FedListTest, ASaveThatCannotReadAnEntryFailsAndWritesNoFile) {
    WriteObjectiveFiles({MakeObjective("A", 0, 2, 40), MakeObjective("B", 8, 5, 41)}, Entries(9));
    EXPECT_EQ(Run({"fed", "save", "1", "out.csv"}), 1);
    EXPECT_EQ(err_.str(),
              "Couldn't read FED record 9: the list was not saved\ntablon-cli: fed save failed\n");
    EXPECT_FALSE(std::ifstream(Path("out.csv")).good());
}

TEST(FedListLine, CutsEachValueToItsFieldAndReadsSignedHeadings) {
    FeatureEntryRecord e;
    ASSERT_TRUE(ParseFedListLine("1;65537;2;257;0;0;0;0;0;9;8;3;4;0.25;-1.5;2;-90;40000", e));
    EXPECT_EQ(e.CtIndex(), 1);
    EXPECT_EQ(e.b[FeatureEntryRecord::kDomain], 1);
    EXPECT_EQ(e.b[FeatureEntryRecord::kPad1], 9);
    EXPECT_EQ(e.b[FeatureEntryRecord::kPad2], 8);
    EXPECT_EQ(e.X(), 0.25f);
    EXPECT_EQ(e.Y(), -1.5f);
    EXPECT_EQ(e.Heading(), -90);
    EXPECT_EQ(e.Get<int16_t>(FeatureEntryRecord::kUnk5), int16_t(40000));
    EXPECT_FALSE(ParseFedListLine("1;2;3", e));
}

}  // namespace
}  // namespace tablon::test
