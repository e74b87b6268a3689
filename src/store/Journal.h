// The write journal of a database set: a rollback journal in the hidden folder ".tablon" of the
// database directory. Before a step changes a file, the bytes it is about to overwrite and each
// touched file's length and record count are appended to the journal and flushed to disk; then
// the data is written and flushed; then the step is marked committed. Opening the set rolls
// back a step that never committed, so every step is all or nothing however the program ends.
// Committed steps stay in the journal as history (bounded in size) for undo.
//
// The journal file is a sequence of entries: tag, body length, body, checksum of all three.
// STEP (id, time, command) opens a step; FILE (per-step file number, length, count, layout,
// path, name) and PRE (file number, offset, the old bytes) follow; DONE (id, the byte ranges
// written, then each file's length and a hash of those ranges afterwards) commits it and UNDO
// (id) says it was rolled back. A STEP of an undo or a redo names the step it takes back or puts
// again.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tablon {

class Database;
class RecordFile;
class Ui;

struct JournalFile {
    std::string path;  // absolute path at the time of the step
    std::string name;  // the file's name in the set ("vantor.vcd")
    uint64_t length = 0;
    uint32_t count = 0;
    uint32_t headerSize = 0;  // where the records start, and their size (0: no records)
    uint32_t recordSize = 0;
};

enum class StepState { Committed, Uncommitted, RolledBack };
// What a step did: a change of its own, or taking back (or putting again) an earlier one.
enum class StepKind : uint32_t { Edit = 0, Undo = 1, Redo = 2 };
const char* StepStateName(StepState s);

struct JournalPre {
    uint32_t file = 0;
    uint64_t offset = 0;
    uint64_t length = 0;
    size_t at = 0;  // where the bytes lie in the journal
};

struct JournalStepInfo {
    uint64_t id = 0;
    uint64_t start = 0;  // where the step's first entry lies in the journal
    int64_t time = 0;    // seconds since 1970, UTC
    std::string command;
    StepState state = StepState::Uncommitted;
    StepKind kind = StepKind::Edit;
    uint64_t target = 0;  // the step an undo or redo is about
    std::vector<JournalFile> files;
    std::vector<JournalPre> pres;
    // Per file number: the byte ranges the step wrote [from, to), known once committed.
    std::vector<std::vector<std::pair<uint64_t, uint64_t>>> written;
    // Per file number, once committed: the file's length and the hash of the written ranges
    // as the step left them (empty for a step of a journal that did not keep them).
    std::vector<uint64_t> lengthAfter, hashAfter;
    bool AfterKnown() const {
        return lengthAfter.size() == files.size() && hashAfter.size() == files.size();
    }
    // "vantor.vcd 3-5, 9; vantor.ct 0": the records written, by file (byte ranges for files
    // without records, the files alone while the step is uncommitted).
    std::string RecordsText() const;
    std::string FilesText() const;
    std::string TimeText() const;  // "2026-12-07 08:29:39"
};

// What reading a journal found: its steps and where its valid entries end.
struct JournalContents {
    std::vector<JournalStepInfo> steps;
    uint64_t end = 0;
    std::vector<uint8_t> bytes;
};

enum class RecoverResult { Nothing, RolledBack, Busy, Failed };

class Journal {
  public:
    static constexpr const char* kFolder = ".tablon";
    static constexpr const char* kFileName = "journal";
    static constexpr const char* kLockName = "lock";
    // Committed history is cut back to a quarter of this when the journal grows past it.
    static constexpr uint64_t kDefaultLimit = uint64_t(32) << 20;

    explicit Journal(std::string folder) : folder_(std::move(folder)) {}
    // The journal of the folder, shared by every set object of this program on that folder
    // (a set reopened while the old object still lives takes the same journal and lock).
    static std::shared_ptr<Journal> Shared(const std::string& folder);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Opens (creating) the journal of the set in dir and locks it, rolling back a step left
    // unfinished, with a message. The set's files are opened after this. Returns false when
    // the journal cannot be used; the set then refuses every change.
    bool Attach(Ui* ui);
    bool Attached() const { return fd_ >= 0; }
    bool Failed() const { return failed_; }
    const std::string& Folder() const { return folder_; }

    // Steps nest; the outermost one commits when it ends. A write outside any step is a step
    // of its own.
    void BeginStep(const std::string& command, StepKind kind = StepKind::Edit, uint64_t target = 0);
    // Ends a level; the outermost commits, or, when the step failed (ok false here or at a
    // level within after it had changed something), puts every file back at once. Returns
    // false when the step did not commit.
    int EndStep(bool ok = true);
    // Counts the changes journalled so far (to tell whether a failed write changed anything).
    uint64_t Changes() const { return changes_; }
    bool InStep() const { return depth_ > 0; }
    // A modal dialog that an operation opens before it has written anything is the operation's
    // way of asking what to do, and each of the dialog's own actions is a step: Suspend ends the
    // open step (every level) and returns its depth; Resume opens it again under a name for
    // whatever the operation still writes. An operation that has written already keeps its
    // dialog within its step (0, nothing suspended), unless told to end it anyway.
    int Suspend(bool evenWritten = false);
    void Resume(int depth, const std::string& command);

    // The hash a committed step keeps of the bytes it wrote: the ranges, cut at length, of a
    // file's bytes.
    static uint64_t HashRanges(const uint8_t* bytes, uint64_t length,
                               const std::vector<std::pair<uint64_t, uint64_t>>& ranges);

    // Journalling, called by the store's write primitives inside a step. Save keeps the old
    // bytes of [offset, offset + length) (within the file's length at the step's start) before
    // they change; with grow, more than asked is kept at once, so that a step rewriting a whole
    // file flushes the journal a few times rather than once per record. Resize keeps what a
    // length change loses. Both return false when the journal cannot take the bytes: the
    // write must not happen.
    bool Save(RecordFile& f, uint64_t offset, uint64_t length, bool grow, Ui* ui = nullptr);
    bool Resize(RecordFile& f, uint64_t newLength, Ui* ui = nullptr);
    // The bytes a step wrote, for the history and the flush before the commit.
    void Wrote(RecordFile& f, uint64_t offset, uint64_t length);

    void SetLimit(uint64_t bytes) { limit_ = bytes; }
    uint64_t Size() const { return end_; }

    // Reads the journal in folder (the ".tablon" folder); empty when there is none.
    static JournalContents Read(const std::string& folder);
    // Rolls back the last step of the journal in folder if it never committed. The message
    // for the person is set when something was rolled back or could not be.
    static RecoverResult Recover(const std::string& folder, std::string& message);
    static std::string FolderOf(const std::string& dir);

  private:
    struct Touched {
        RecordFile* file = nullptr;
        uint32_t number = 0;
        uint64_t length0 = 0;
        std::map<uint64_t, uint64_t> saved;  // start -> end
        uint64_t savedBytes = 0;
        std::vector<std::pair<uint64_t, uint64_t>> written;
    };

    Touched* Touch(RecordFile& f);
    bool SavePiece(Touched& t, uint64_t from, uint64_t to);
    bool WritePending(bool sync);
    bool AppendEntry(uint32_t tag, const std::vector<uint8_t>& body, bool sync);
    bool EnsureRoom(uint64_t bytes);
    void Compact();
    int Commit();
    void Abort();
    bool Refuse(Ui* ui);

    std::string folder_;
    int fd_ = -1;
    int lockFd_ = -1;
    bool failed_ = false;
    std::string failure_;
    uint64_t end_ = 0;    // where the next entry goes
    uint64_t alloc_ = 0;  // the file's length: [end_, alloc_) holds zeros
    uint64_t limit_ = kDefaultLimit;
    uint64_t nextId_ = 1;
    int depth_ = 0;
    std::string command_;
    StepKind kind_ = StepKind::Edit;
    uint64_t target_ = 0;
    bool stepWritten_ = false;  // the STEP entry is in the journal
    uint64_t stepStart_ = 0;    // where it lies
    std::vector<Touched> touched_;
    size_t lastTouched_ = 0;
    std::vector<uint8_t> pending_;  // entries not yet written
    uint64_t changes_ = 0;
    bool spoilt_ = false;  // a write failed half-way: the step is undone at its end
};

// One user operation as one step of the journal: every write between construction and the end
// of the scope commits together (or is rolled back together at the next open).
class JournalStep {
  public:
    JournalStep(Database& db, const std::string& command);
    ~JournalStep();
    JournalStep(const JournalStep&) = delete;
    JournalStep& operator=(const JournalStep&) = delete;

  private:
    Journal* journal_;
};

// The step a single write opens when none is open: begins one if needed and ends it with the
// write's result, so that a write that fails half-way is undone. A null journal (a file outside
// any set) journals nothing.
class WriteStep {
  public:
    WriteStep(Journal* journal, const char* what, const char* file);
    // Begins the step (or a nested level of the open one); the caller ends it.
    static void Begin(Journal* journal, const char* what, const char* file);
    ~WriteStep() { Finish(0); }
    WriteStep(const WriteStep&) = delete;
    WriteStep& operator=(const WriteStep&) = delete;
    // Ends the step with the write's result; 0 when the write failed or did not commit.
    int Finish(int ok);

  private:
    Journal* journal_;
    uint64_t changes_ = 0;
};

}  // namespace tablon
