// Field-level comparison of two database sets: for every file, the records one set holds past
// the end of the other, and for every record both hold, the fields whose values differ; the
// model files entry by entry (header values, colours, palettes, texture and LOD entries, parent
// blocks, LOD blocks, textures), with the runs of bytes that differ for the patch.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/FileSet.h"

namespace tablon {

class Database;
class CliVerbTable;

struct DiffEntry {
    // Entry: an entry of a model file differs (shown, never patched). Bytes: a run of bytes of
    // a model file differs (patched, never shown); a run whose two sides differ in length
    // reaches the end of the file on both sides.
    enum class Kind { Changed, Added, Removed, FileAdded, FileRemoved, Entry, Bytes };
    Kind kind;
    FileId file;
    int index = -1;      // record or entry (-1 for a whole file or a header value)
    std::string field;   // field name (Changed), what the entry is (Entry)
    std::string before;  // JSON value in the first set (Changed, Entry)
    std::string after;   // JSON value in the second set (Changed, Entry)
    // The bytes behind the change: the field's bytes in the first and second set (Changed), the
    // whole record in memory form (Added, Removed; in `after` and `before` respectively), the
    // run's bytes (Bytes).
    std::vector<uint8_t> beforeBytes, afterBytes;
    uint64_t offset = 0;  // where the run starts in the file (Bytes)
};

const char* DiffKindName(DiffEntry::Kind k);
// Whether a difference is listed for people (runs of bytes are only for the patch).
inline bool DiffShown(const DiffEntry& e) {
    return e.kind != DiffEntry::Kind::Bytes;
}

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
