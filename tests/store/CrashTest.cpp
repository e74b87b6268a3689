// Operations killed at every point: each runs in a child process that dies at its n-th physical
// write (journal entry, flush, bytes into a mapping, length change), for every n. Reopening the
// set afterwards must find every file as it was before the operation or every file as the
// finished operation leaves it, and the set must open.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "cli/Cli.h"
#include "sample/Sample.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/Journal.h"
#include "store/WriteFaults.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, Bytes>;

class CrashTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        // A killed process loses nothing the kernel has: flushing to the disk proves nothing
        // here and costs most of the time.
        WriteFaults::SetFlushes(false);
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    }

    void TearDown() override {
        WriteFaults::SetFlushes(true);
        TempDirTest::TearDown();
    }

    Files Snapshot() const {
        Files f;
        for (const auto& e : fs::directory_iterator(Dir()))
            if (e.is_regular_file()) f[e.path().filename().string()] = ReadBytes(e.path());
        return f;
    }
    void Restore(const Files& files) const {
        fs::remove_all(Path(Journal::kFolder));
        for (const auto& e : fs::directory_iterator(Dir()))
            if (e.is_regular_file() && !files.count(e.path().filename().string()))
                fs::remove(e.path());
        for (const auto& [name, bytes] : files) WriteBytes(Path(name), bytes);
    }

    // Runs op in a child killed at its n-th write (never for 0). Returns the number of writes
    // the child made when it ran to the end, or -1 when it was killed.
    static long RunChild(const std::function<void()>& op, uint64_t n) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return -2;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            WriteFaults::Arm(n, WriteFault::Kill);
            op();
            const uint64_t count = WriteFaults::Count();
            (void)!::write(pipeFds[1], &count, sizeof count);
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        uint64_t count = 0;
        const bool got = ::read(pipeFds[0], &count, sizeof count) == sizeof count;
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return -1;
        return got && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? long(count) : -2;
    }

    // Opens the set as at start-up (rolling back what needs it); false when it does not open.
    bool Reopen(std::vector<std::string>* messages = nullptr) const {
        ScriptedUi ui;
        Database db(ui);
        const bool ok = db.OpenAll("");
        if (messages) *messages = ui.Texts();
        return ok;
    }

    // Kills op at every write and checks that the set is all old or all new each time. An
    // operation of more than `every` writes is killed at its first and last quarter of `every`
    // writes and at half of `every` points evenly spread between.
    void KillEverywhere(const std::function<void()>& op, long every = 100) {
        const Files before = Snapshot();
        const long writes = RunChild(op, 0);
        ASSERT_GT(writes, 0);
        ASSERT_TRUE(Reopen());
        const Files after = Snapshot();
        ASSERT_NE(after, before) << "the operation changed nothing";
        int rolledBack = 0;
        const long edge = every / 4;
        const long stride = writes <= every ? 1 : (writes - 2 * edge) / (every - 2 * edge) + 1;
        for (long n = 1; n <= writes; n += (n < edge || n > writes - edge) ? 1 : stride) {
            SCOPED_TRACE("killed at write " + std::to_string(n) + " of " + std::to_string(writes));
            Restore(before);
            ASSERT_EQ(RunChild(op, uint64_t(n)), -1);
            std::vector<std::string> messages;
            ASSERT_TRUE(Reopen(&messages)) << testing::PrintToString(messages);
            const Files now = Snapshot();
            const bool old = now == before, done = now == after;
            EXPECT_TRUE(old || done);
            if (old && !messages.empty()) ++rolledBack;
        }
        // The kills between the first journal entry and the commit were rolled back.
        EXPECT_GT(rolledBack, 0);
        Restore(before);
    }

    static std::function<void()> Cli(std::vector<std::string> words) {
        return [words] {
            std::vector<std::string> all{"tablon-cli"};
            all.insert(all.end(), words.begin(), words.end());
            std::vector<char*> argv;
            for (auto& w : all) argv.push_back(w.data());
            std::ostringstream out, err;
            RunCli(int(argv.size()), argv.data(), out, err);
        };
    }
};

TEST_F(CrashTest, SingleRecordCommands) {
    KillEverywhere(Cli({"set", "vantor.vcd", "3", "name=Crash"}));
    KillEverywhere(Cli({"append", "vantor.wcd", "--copy-of", "2"}));
    const uint16_t wcd = LoadLE<uint16_t>(ReadBytes(Path("vantor.wcd")).data());
    KillEverywhere(Cli({"delete", "vantor.wcd", std::to_string(wcd - 1)}));
}

TEST_F(CrashTest, WholeViewRecalculation) {
    KillEverywhere(Cli({"run", "recalc-stats", "Vehicles", "--low-air", "0.3"}));
}

TEST_F(CrashTest, ImportOfSeveralRecords) {
    fs::create_directories(Path("in"));
    {
        std::ostringstream out, err;
        for (const char* index : {"1", "4", "7"}) {
            std::vector<std::string> words{"tablon-cli", "export", "vantor.wcd", index, "in/x.vte"};
            std::vector<char*> argv;
            for (auto& w : words) argv.push_back(w.data());
            ASSERT_EQ(RunCli(int(argv.size()), argv.data(), out, err), 0) << err.str();
        }
        // The entries go back to other places, so that the import changes the file.
        Bytes vte = ReadBytes(Path("in/x.vte"));
        const size_t entry = vte.size() / 3;
        for (size_t k = 0; k < 3; ++k) StoreLE<uint32_t>(vte.data() + k * entry + 8, 10 + k);
        WriteBytes(Path("in/x.vte"), vte);
    }
    KillEverywhere(Cli({"import", "in/x.vte", "--yes"}));
}

TEST_F(CrashTest, InsertsAndDeletesInsideFilesAndStepsOverSeveralFiles) {
    auto withSet = [](std::function<void(Database&)> body) {
        return [body] {
            ScriptedUi ui;
            Database db(ui);
            if (db.OpenAll("")) body(db);
        };
    };
    KillEverywhere(withSet([](Database& db) {
        TableFile& fcd = *db.Table(FileId::Fcd);
        Bytes rec(fcd.MemSize(), 0x5A);
        fcd.InsertRecord(2, rec.data());
    }));
    KillEverywhere(withSet([](Database& db) { db.Table(FileId::Fcd)->DeleteRecord(1); }));
    KillEverywhere(withSet([](Database& db) {
        JournalStep step(db, "several files");
        TableFile& vcd = *db.Table(FileId::Vcd);
        Bytes rec;
        vcd.GetRecord(5, rec);
        rec[4] ^= 0xFF;
        vcd.SetRecord(5, rec);
        int index = 0;
        db.Table(FileId::Wcd)->AppendRecord(index, rec.data());
        db.Table(FileId::Fcd)->DeleteRecord(0);
        Bytes parent;
        db.File(FileId::Hdr).GenericGet(0, parent);
        parent[0] ^= 1;
        db.File(FileId::Hdr).GenericSet(0, parent);
    }));
}

// Each insert or delete moves the later entries of its file and re-indexes every later owner.
TEST_F(CrashTest, RunInsertsAndDeletesWithTheirOwnersReindexed) {
    KillEverywhere(Cli({"fed", "insert", "0", "1"}), 30);
    KillEverywhere(Cli({"fed", "delete", "0", "1"}), 30);
    KillEverywhere(Cli({"pd", "insert", "1", "0"}), 30);
    KillEverywhere(Cli({"pd", "delete", "1", "0"}), 30);
}

TEST_F(CrashTest, MaintenanceCommandsOverWholeFiles) {
    KillEverywhere(Cli({"run", "set-combat-type-8", "--yes"}), 40);
    KillEverywhere(Cli({"run", "sort-hardpoint-tables", "--yes"}), 40);
    KillEverywhere(Cli({"run", "set-pulse-doppler-flag"}), 40);
}

// A feature entry list loaded over its run: fewer entries, each of them changed.
TEST_F(CrashTest, FeatureEntryListLoad) {
    Cli({"fed", "save", "1", "list.csv"})();
    std::string text;
    {
        const Bytes b = ReadBytes(Path("list.csv"));
        text.assign(b.begin(), b.end());
    }
    const size_t count = text.find(";15\r\n");
    ASSERT_NE(count, std::string::npos) << text;
    text.replace(count, 3, ";14");
    text.erase(text.rfind('\n', text.size() - 2) + 1);  // the last entry
    for (size_t at = 0; (at = text.find(";9;0;", at)) != std::string::npos; ++at)
        text.replace(at, 5, ";7;0;");
    WriteBytes(Path("list.csv"), Bytes(text.begin(), text.end()));
    KillEverywhere(Cli({"fed", "load", "1", "list.csv"}), 40);
}

TEST_F(CrashTest, AnUndoOrRedoKilledHalfWayIsRolledBack) {
    Cli({"set", "vantor.wcd", "2", "range=3"})();
    Cli({"run", "recalc-stats", "Vehicles", "--low-air", "0.3"})();
    const std::string journal = Path(".tablon/journal");
    for (const char* verb : {"undo", "redo"}) {
        SCOPED_TRACE(verb);
        const Files before = Snapshot();
        const Bytes history = ReadBytes(journal);
        auto restore = [&] {
            Restore(before);
            fs::create_directories(Path(Journal::kFolder));
            WriteBytes(journal, history);
        };
        const long writes = RunChild(Cli({verb}), 0);
        ASSERT_GT(writes, 0);
        const Files after = Snapshot();
        const Bytes done = ReadBytes(journal);
        ASSERT_NE(after, before);
        const long stride = writes <= 60 ? 1 : writes / 30;
        for (long n = 1; n <= writes; n += n < 10 || n > writes - 10 ? 1 : stride) {
            SCOPED_TRACE(n);
            restore();
            ASSERT_EQ(RunChild(Cli({verb}), uint64_t(n)), -1);
            ASSERT_TRUE(Reopen());
            const Files now = Snapshot();
            EXPECT_TRUE(now == before || now == after);
        }
        // Left finished for the redo.
        Restore(after);
        fs::create_directories(Path(Journal::kFolder));
        WriteBytes(journal, done);
    }
}

TEST_F(CrashTest, ARollbackKilledHalfWayIsFinishedByTheNextOpen) {
    const Files before = Snapshot();
    auto op = Cli({"run", "recalc-stats", "Vehicles", "--low-air", "0.3"});
    const long writes = RunChild(op, 0);
    ASSERT_GT(writes, 4);
    Restore(before);
    ASSERT_EQ(RunChild(op, uint64_t(writes - 2)), -1);
    // The rollback itself is killed at each of its writes in turn; the open after finishes it.
    const Files killed = Snapshot();
    const std::string journal = Path(".tablon/journal");
    const Bytes killedJournal = ReadBytes(journal);
    for (uint64_t m = 1;; ++m) {
        SCOPED_TRACE(m);
        for (const auto& [name, bytes] : killed) WriteBytes(Path(name), bytes);
        WriteBytes(journal, killedJournal);
        const long r = RunChild([this] { Reopen(); }, m);
        ASSERT_TRUE(Reopen());
        EXPECT_EQ(Snapshot(), before);
        if (r >= 0) break;
    }
}

// The command line's view of a killed step: "journal" lists it uncommitted, "recover" rolls it
// back and says so, a second "recover" finds nothing, and the journal then shows it rolled back.
TEST_F(CrashTest, JournalAndRecoverOnTheCommandLine) {
    const Files before = Snapshot();
    auto op = Cli({"set", "vantor.wcd", "2", "name=Halfway"});
    const long writes = RunChild(op, 0);
    ASSERT_GT(writes, 2);
    Restore(before);
    ASSERT_EQ(RunChild(op, uint64_t(writes - 1)), -1);
    ASSERT_NE(Snapshot(), before);
    auto run = [](std::vector<std::string> words, std::string& out, std::string& err) {
        words.insert(words.begin(), "tablon-cli");
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        std::ostringstream o, e;
        const int code = RunCli(int(argv.size()), argv.data(), o, e);
        out = o.str();
        err = e.str();
        return code;
    };
    std::string out, err;
    ASSERT_EQ(run({"journal", "--format", "tsv"}, out, err), 0) << err;
    EXPECT_EQ(out.substr(0, out.find('\n')), "Step\tTime\tCommand\tState\tFiles\tRecords");
    EXPECT_NE(out.find("\tset vantor.wcd 2 name=Halfway\tuncommitted\tvantor.wcd\t"),
              std::string::npos)
        << out;
    EXPECT_EQ(run({"recover", "now"}, out, err), 2);
    ASSERT_EQ(run({"recover"}, out, err), 0);
    EXPECT_EQ(err,
              "\"set vantor.wcd 2 name=Halfway\" did not finish when Tablon last stopped: its "
              "changes have been undone.\n");
    EXPECT_EQ(Snapshot(), before);
    ASSERT_EQ(run({"recover"}, out, err), 0);
    EXPECT_EQ(out, "Nothing to recover\n");
    ASSERT_EQ(run({"journal", "--format", "json"}, out, err), 0) << err;
    EXPECT_NE(out.find("\"set vantor.wcd 2 name=Halfway\", \"rolled back\""), std::string::npos)
        << out;
}

}  // namespace
}  // namespace tablon::test
