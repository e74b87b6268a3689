// Field-level comparison of two database sets: for every file, the records one set holds past
// the end of the other, and for every record both hold, the fields whose values differ.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/FileSet.h"

namespace tablon {

class Database;
class CliVerbTable;

struct DiffEntry {
    enum class Kind { Changed, Added, Removed, FileAdded, FileRemoved };
    Kind kind;
    FileId file;
    int index = -1;      // record (-1 for a whole file)
    std::string field;   // field name (Changed only)
    std::string before;  // JSON value in the first set (Changed only)
    std::string after;   // JSON value in the second set (Changed only)
    // The bytes behind the change: the field's bytes in the first and second set (Changed), or
    // the whole record in memory form (Added, Removed; in `after` and `before` respectively).
    std::vector<uint8_t> beforeBytes, afterBytes;
};

const char* DiffKindName(DiffEntry::Kind k);

// Compares the records of every file both databases hold open; a file open on one side only
// counts as added or removed as a whole.
std::vector<DiffEntry> DiffDatabases(const Database& a, const Database& b);

// Opens the files of the set in a directory (for reading only unless told otherwise); false
// (with the reason) when a required file does not open.
bool OpenForReading(Database& db, const std::string& dir, std::string& error,
                    bool writable = false);

void WriteDiffTsv(const std::vector<DiffEntry>& diff, std::ostream& out);
void WriteDiffJson(const std::vector<DiffEntry>& diff, std::ostream& out);

// The difference as a patch: one change a line, each with its bytes as hexadecimal.
void WritePatch(const std::vector<DiffEntry>& diff, std::ostream& out);
// Reads a patch back; false (with the reason) when it does not read as one.
bool ReadPatch(std::istream& in, std::vector<DiffEntry>& diff, std::string& error);
// Applies a patch to an open set writable set. Every old value is checked first: where the set
// holds something else the patch is refused and nothing changes, unless `force`, which takes the
// new value anyway. Returns false (refusals or failures in `problems`) when nothing was applied.
bool ApplyPatch(Database& db, const std::vector<DiffEntry>& diff, bool force,
                std::vector<std::string>& problems);

void RegisterDiffVerbs(CliVerbTable& verbs);

}  // namespace tablon
