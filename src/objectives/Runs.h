// Runs: the feature-entry file and the point file hold their records in contiguous runs, one per
// owner (an objective owns entries, a point header owns points), each named by the owner's first
// index and 8-bit count. Inserting or deleting a member moves every later record of the file, so
// every owner with a higher index is re-indexed in the same operation, and the owner's own count
// is written together with it (to the file and to the copy an open dialog holds).
//
// One RunEditor is one operation: its writes go into one batch per file, flushed once by
// Finish().
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Bytes.h"
#include "store/FileSet.h"
#include "store/RecordFile.h"

namespace tablon {

class Database;

// Where the run of a member file lives in its owner records.
struct RunLayout {
    FileId owner;                // the file of the owners ("vantor.ocd", "vantor.phd")
    FileId member;               // the file of the runs ("vantor.fed", "vantor.pd")
    uint16_t firstOffset;        // unsigned 16-bit index of the first member
    uint16_t countOffset;        // unsigned 8-bit count
    const char* addFailed;       // the message of a failed insert
    const char* memberWord;      // "feature entries", "points"
    bool emptyRunBehindEarlier;  // a new owner's empty run: behind the earlier runs, or at the end
};

const RunLayout& EntryRuns();  // objectives over feature entries
const RunLayout& PointRuns();  // point headers over points

struct Run {
    uint16_t first = 0;
    uint8_t count = 0;
    // One past the last member; an index of the file, so it may exceed 16 bits only at the end.
    uint32_t End() const { return uint32_t(first) + count; }
};

Run RunOf(const RunLayout& layout, const uint8_t* owner);
void StoreRun(const RunLayout& layout, uint8_t* owner, Run run);

// The largest count a run holds, and the largest number of records a file holds.
constexpr int kMaxRunCount = 255;
constexpr uint32_t kMaxFileRecords = 65535;

// Whether a run can hold n members (at most 255); the message says why not.
bool RunCountFits(const RunLayout& layout, uint32_t n, std::string& message);

// "Add After" on an owner whose run is empty: behind the run of the nearest earlier owner (by
// index, counting down from owner - 1) that has members, or 0 when none has.
uint32_t PositionBehindEarlierRun(const Database& db, const RunLayout& layout, int owner);

// "Add Item" and "Add Copy" of an owner, and the command line's append: the record a new owner
// starts from. A new owner's empty run lies where a later insert into it moves nobody else's
// members (objectives: behind the nearest earlier run that has members, else at the end of the
// entry file; headers: at the end of the point file). A copy gets copies of its source's members
// at the end of the member file, so that two owners never share one run.
bool DraftNewOwner(Database& db, const RunLayout& layout, std::optional<int> copyOf, Bytes& record,
                   std::string& message);
// Takes back a draft that is not appended: its members, while they still end the member file.
void DiscardDraft(Database& db, const RunLayout& layout, const Bytes& record);
// Appends a draft to the owner file (the draft is discarded when the file refuses).
bool AppendDraft(Database& db, const RunLayout& layout, const Bytes& record, int& index);

// One insert or delete as an operation of its own (its batches flushed before it reports
// success): what the dialogs' "Add After", "Add Before" and "Delete" and the command line do.
bool InsertMember(Database& db, const RunLayout& layout, int owner, uint8_t* ownerCopy,
                  uint32_t pos, const uint8_t* record, std::string& message);
bool DeleteMember(Database& db, const RunLayout& layout, int owner, uint8_t* ownerCopy,
                  uint32_t pos, std::string& message);

class RunEditor {
  public:
    RunEditor(Database& db, const RunLayout& layout);
    ~RunEditor();
    RunEditor(const RunEditor&) = delete;
    RunEditor& operator=(const RunEditor&) = delete;

    // Inserts a member at pos (first to first + count of the copy's run), re-indexes the later
    // owners by +1 and stores the count + 1 in the copy and in the owner's record. An owner with
    // no members takes pos as its first index. The message says why it refused or failed.
    bool Insert(int owner, uint8_t* ownerCopy, uint32_t pos, const uint8_t* record,
                std::string& message);
    // Deletes the member at pos (first to first + count - 1), re-indexes by -1 and stores the
    // count - 1; the first index stays.
    bool Delete(int owner, uint8_t* ownerCopy, uint32_t pos, std::string& message);
    // Makes the copy's run hold exactly these records: surplus members are deleted from the
    // tail, the rest overwritten in order, missing ones inserted after them; the later owners
    // move by the difference. Everything is checked before the first write; a write that fails
    // half-way leaves the count and the later owners matching what was done. The failure texts
    // are the caller's: {delete, set, insert}.
    struct ReplaceMessages {
        const char* deleteFailed;
        const char* setFailed;
        const char* insertFailed;
    };
    bool Replace(int owner, uint8_t* ownerCopy, const std::vector<Bytes>& records,
                 const ReplaceMessages& texts, std::string& message);

    // Flushes both files once; false when a flush failed.
    bool Finish();

  private:
    // Adds delta (mod 65,536) to the first index of every owner above owner.
    bool Reindex(int owner, int delta);
    // The run as the copy holds it, into the copy and into the owner's record of the file (when
    // there is one).
    bool Commit(int owner, uint8_t* ownerCopy, Run run);
    // Whether the file can take `more` records.
    bool Room(uint32_t more, std::string& message) const;

    const RunLayout& layout_;
    TableFile& owners_;
    TableFile& members_;
    std::optional<WriteBatch> ownerBatch_;
    std::optional<WriteBatch> memberBatch_;
};

}  // namespace tablon
