// One journal step per operation of a person, and undo and redo on the journal: bytes, lengths
// and counts come back exactly, a change made behind the journal's back stops them, the history
// lasts across runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "sample/Sample.h"
#include "shell/Form.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/Journal.h"
#include "store/Undo.h"
#include "store/WriteFaults.h"
#include "support/CliRunner.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, Bytes>;

class UndoTest : public TempDirTest, public CliRunner {
  protected:
    using CliRunner::Run;
    void SetUp() override {
        TempDirTest::SetUp();
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    }
    Files Snapshot() const {
        Files f;
        for (const auto& e : fs::directory_iterator(Dir()))
            if (e.is_regular_file()) f[e.path().filename().string()] = ReadBytes(e.path());
        return f;
    }
    // The commands of the journal's steps, oldest first.
    std::vector<std::string> Steps() const {
        std::vector<std::string> names;
        for (const auto& s : Journal::Read(Path(Journal::kFolder)).steps)
            names.push_back(s.command +
                            (s.state == StepState::Committed ? "" : " (not committed)"));
        return names;
    }
    std::vector<std::string> History() const {
        std::vector<std::string> names;
        for (const auto& h : HistoryRows(ReadHistory(Path(Journal::kFolder))))
            names.push_back(h.command + (h.undone ? " (undone)" : ""));
        return names;
    }
};

TEST_F(UndoTest, EachCommandLineAndWindowOperationIsOneStep) {
    ASSERT_EQ(Run({"set", "vantor.wcd", "2", "range=3", "name=Lance"}), 0) << err_.str();
    ASSERT_EQ(Run({"run", "recalc-stats", "Vehicles"}), 0) << err_.str();
    ASSERT_EQ(Run({"show", "vantor.wcd", "2"}), 0);  // reads: no step
    EXPECT_EQ(Steps(), (std::vector<std::string>{"set vantor.wcd 2 range=3 name=Lance",
                                                 "run recalc-stats Vehicles"}));
    {
        ScriptedUi ui;
        Database db(ui);
        ASSERT_TRUE(db.OpenAll(""));
        CTablonApp app(db, ui);
        app.Frame().Tree().Build(db);
        ui.SetDefaultAnswer(Answer::Yes);
        app.Frame().Run(cmd::kSortHardpointTables);
    }
    ASSERT_EQ(Steps().size(), 3u);
    EXPECT_EQ(Steps()[2], "Sort Hardpoint Tables");
    ASSERT_EQ(Run({"journal"}), 0);
    EXPECT_NE(out_.str().find("Sort Hardpoint Tables\tcommitted"), std::string::npos) << out_.str();
}

// A dialog's button that writes twice is one step named after the dialog and the button; what
// its caller writes after an OK is a step named after the dialog's OK. A command that wrote
// before it opened its dialog keeps the dialog's writes in its own step.
class TwoWrites : public Form {
  public:
    explicit TwoWrites(Database& db) : Form("Twice"), db_(db) {
        AddButton(10, "&Update", {0, 0, 10, 10});
        AddOkCancel();
    }
    void OnButton(int) override {
        TableFile& wcd = *db_.Table(FileId::Wcd);
        Bytes r;
        for (int k : {1, 3}) {
            wcd.GetRecord(k, r);
            r[0] ^= 0x11;
            wcd.SetRecord(k, r);
        }
    }

  private:
    Database& db_;
};

TEST_F(UndoTest, ADialogsButtonsAreStepsOfTheirOwn) {
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    CTablonApp app(db, ui);
    TableFile& wcd = *db.Table(FileId::Wcd);
    Bytes r;
    for (bool writeFirst : {false, true}) {
        OperationScope command(&ui, writeFirst ? "Sort" : "Show Item");
        if (writeFirst) {
            wcd.GetRecord(0, r);
            r[0] ^= 1;
            wcd.SetRecord(0, r);  // before the dialog
        }
        TwoWrites dialog(db);
        ui.QueueDialog([](Form& f) {
            f.Press(10);
            f.Press(kIdOk);
        });
        ASSERT_EQ(ui.RunDialog(dialog), Answer::Ok);
        wcd.GetRecord(5, r);
        r[0] ^= 1;
        wcd.SetRecord(5, r);  // after its OK
    }
    EXPECT_EQ(Steps(), (std::vector<std::string>{"Twice: Update", "Twice: OK", "Sort"}));
    const auto steps = Journal::Read(Path(Journal::kFolder)).steps;
    EXPECT_EQ(steps[0].RecordsText(), "vantor.wcd 1,3");
    EXPECT_EQ(steps[2].RecordsText(), "vantor.wcd 0-1,3,5");
}

TEST_F(UndoTest, UndoAndRedoPutBackBytesLengthsAndCounts) {
    const Files start = Snapshot();
    ASSERT_EQ(Run({"set", "vantor.wcd", "2", "range=3"}), 0) << err_.str();
    const Files afterSet = Snapshot();
    ASSERT_EQ(Run({"append", "vantor.wcd", "--copy-of", "1"}), 0) << err_.str();
    const Files afterAppend = Snapshot();
    ASSERT_NE(afterAppend.at("vantor.wcd").size(), afterSet.at("vantor.wcd").size());
    ASSERT_EQ(Run({"run", "recalc-stats", "Vehicles"}), 0) << err_.str();
    const Files afterRecalc = Snapshot();

    ASSERT_EQ(Run({"undo"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "Undone: run recalc-stats Vehicles\n");
    EXPECT_EQ(Snapshot(), afterAppend);
    ASSERT_EQ(Run({"undo", "--steps", "2"}), 0) << err_.str();
    EXPECT_EQ(Snapshot(), start);
    ASSERT_EQ(Run({"show", "vantor.wcd", "2"}), 0);
    EXPECT_EQ(History(), (std::vector<std::string>{"set vantor.wcd 2 range=3 (undone)",
                                                   "append vantor.wcd --copy-of 1 (undone)",
                                                   "run recalc-stats Vehicles (undone)"}));
    // Nothing left: undo fails and changes nothing.
    EXPECT_EQ(Run({"undo"}), 1);
    EXPECT_EQ(err_.str().rfind("Nothing to undo.\n", 0), 0u) << err_.str();

    ASSERT_EQ(Run({"redo", "--steps", "2"}), 0) << err_.str();
    EXPECT_EQ(Snapshot(), afterAppend);
    // The redone append's record reads back: the count came back with the length.
    ASSERT_EQ(Run({"show", "vantor.wcd",
                   std::to_string(LoadLE<uint16_t>(afterAppend.at("vantor.wcd").data()) - 1)}),
              0)
        << err_.str();

    // A new change drops what could still be redone.
    ASSERT_EQ(Run({"set", "vantor.wcd", "4", "range=9"}), 0) << err_.str();
    EXPECT_EQ(Run({"redo"}), 1);
    EXPECT_EQ(err_.str().rfind("Nothing to redo.\n", 0), 0u) << err_.str();
    ASSERT_EQ(Run({"history", "--format", "tsv"}), 0);
    EXPECT_NE(out_.str().find("set vantor.wcd 4 range=9\tvantor.wcd 4\tdone"), std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find("recalc-stats"), std::string::npos) << out_.str();
    ASSERT_EQ(Run({"undo", "--steps", "3"}), 0) << err_.str();
    EXPECT_EQ(Snapshot(), start);
}

TEST_F(UndoTest, AChangeBehindTheJournalsBackStopsUndoAndRedo) {
    ASSERT_EQ(Run({"set", "vantor.wcd", "2", "range=3"}), 0) << err_.str();
    ASSERT_EQ(Run({"set", "vantor.vcd", "1", "name=Other"}), 0) << err_.str();
    // Another program changes a byte the weapon step wrote (the vehicle step's file is intact).
    Bytes wcd = ReadBytes(Path("vantor.wcd"));
    wcd[2 + 2 * ((wcd.size() - 2) / LoadLE<uint16_t>(wcd.data()))] ^= 0x40;
    WriteBytes(Path("vantor.wcd"), wcd);
    ASSERT_EQ(Run({"undo"}), 0) << err_.str();  // the vehicle step
    const Files before = Snapshot();
    EXPECT_EQ(Run({"undo"}), 1);
    EXPECT_EQ(err_.str().rfind(
                  "Can't undo \"set vantor.wcd 2 range=3\": vantor.wcd has been changed since by "
                  "something other than Tablon. Nothing was changed.\n",
                  0),
              0u)
        << err_.str();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(History().size(), 2u);

    // A redo is checked the same way: the vehicle's record changes behind the journal's back.
    Bytes vcd = ReadBytes(Path("vantor.vcd"));
    vcd[2 + (vcd.size() - 2) / LoadLE<uint16_t>(vcd.data()) + 5] ^= 0x01;
    WriteBytes(Path("vantor.vcd"), vcd);
    const Files grown = Snapshot();
    EXPECT_EQ(Run({"redo"}), 1);
    EXPECT_NE(err_.str().find("Can't redo \"set vantor.vcd 1 name=Other\": vantor.vcd"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(Snapshot(), grown);
}

TEST_F(UndoTest, TheHistoryIsBoundedOldestFirst) {
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    WriteFaults::SetFlushes(false);
    db.GetJournal().SetLimit(16 << 10);
    TableFile& wcd = *db.Table(FileId::Wcd);
    Bytes r;
    for (int k = 0; k < 200; ++k) {
        JournalStep step(db, "change " + std::to_string(k));
        wcd.GetRecord(k % 5, r);
        r[0] = uint8_t(k);
        wcd.SetRecord(k % 5, r);
    }
    const auto rows = HistoryRows(ReadHistory(db.GetJournal().Folder()));
    ASSERT_GT(rows.size(), 2u);
    ASSERT_LT(rows.size(), 200u);
    EXPECT_EQ(rows.back().command, "change 199");
    EXPECT_LE(db.GetJournal().Size(), uint64_t(16 << 10) + (4 << 10));
    std::string message;
    ASSERT_EQ(UndoLast(db, message), UndoResult::Done) << message;
    wcd.GetRecord(4, r);
    EXPECT_EQ(r[0], 194);
    WriteFaults::SetFlushes(true);
}

// A step larger than the journal's bound (a maintenance command over a big set) stays
// undoable and redoable, also after the next operation, and the journal stays bounded.
TEST_F(UndoTest, TheLastOperationStaysUndoableHoweverLarge) {
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    WriteFaults::SetFlushes(false);
    db.GetJournal().SetLimit(8 << 10);
    TableFile& wcd = *db.Table(FileId::Wcd);
    const Files before = Snapshot();
    auto rewriteAll = [&](uint8_t mark) {
        JournalStep step(db, "rewrite " + std::to_string(mark));
        Bytes r;
        for (int k = 0; k < int(wcd.RecordCount()); ++k) {
            wcd.GetRecord(k, r);
            r[0] = mark;
            wcd.SetRecord(k, r);
        }
    };
    ASSERT_GT(uint64_t(int(wcd.RecordCount())) * wcd.RecordSize(), uint64_t(8 << 10));
    std::string message;
    for (uint8_t round = 1; round <= 4; ++round) {
        rewriteAll(round);
        ASSERT_EQ(UndoLast(db, message), UndoResult::Done) << message << " round " << int(round);
        ASSERT_EQ(RedoLast(db, message), UndoResult::Done) << message << " round " << int(round);
    }
    {
        JournalStep step(db, "one more");
        Bytes r;
        wcd.GetRecord(0, r);
        r[1] ^= 1;
        wcd.SetRecord(0, r);
    }
    EXPECT_EQ(UndoLast(db, message), UndoResult::Done) << message;
    EXPECT_EQ(UndoLast(db, message), UndoResult::Done) << message;
    Bytes r;
    wcd.GetRecord(int(wcd.RecordCount()) - 1, r);
    EXPECT_EQ(r[0], 3);
    EXPECT_LE(db.GetJournal().Size(), uint64_t(int(wcd.RecordCount())) * wcd.RecordSize() * 8);
    EXPECT_NE(Snapshot(), before);
    WriteFaults::SetFlushes(true);
}

}  // namespace
}  // namespace tablon::test
