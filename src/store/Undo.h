// Undo and redo on the set's write journal. The committed steps of the journal are the history:
// undoing the latest step puts back the bytes, file lengths and counts it found (kept in its
// journal entries), as a step of its own that names it; redoing puts back what the undone step
// wrote (the bytes the undo kept before it overwrote them). A step is taken back or put again
// only while the files still hold what it left: when anything has changed them since, nothing
// is changed. A new change after an undo ends the chance to redo what was undone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/Journal.h"

namespace tablon {

class Database;

// The history as the journal tells it.
struct UndoHistory {
    JournalContents contents;
    // The steps in effect, oldest first (indexes into contents.steps).
    std::vector<size_t> done;
    // The steps undone that can be redone, the next to redo last: the step and its undo.
    struct Undone {
        size_t step;
        size_t undo;
    };
    std::vector<Undone> undone;
};
UndoHistory ReadHistory(const std::string& folder);

enum class UndoResult { Done, Nothing, Refused, Failed };

// Undoes (redoes) the latest step (the latest undone one) of the set's journal. On Done,
// message is the command taken back or put again; otherwise it says why nothing was changed.
UndoResult UndoLast(Database& db, std::string& message);
UndoResult RedoLast(Database& db, std::string& message);

// The history as rows for a list: time, command, records touched and "done" or "undone", the
// steps in effect oldest first, then those that can be redone, the next to redo first.
struct HistoryRow {
    uint64_t id = 0;
    std::string time, command, records;
    bool undone = false;
};
std::vector<HistoryRow> HistoryRows(const UndoHistory& h);

}  // namespace tablon
