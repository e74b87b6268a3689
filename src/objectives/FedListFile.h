// Feature entry list files: one objective's run of feature entries as a semicolon-separated
// text file with CR LF line ends and decimal commas, and the load that makes the run hold the
// file's entries again (growing or shrinking it, with every later objective re-indexed).
#pragma once

#include <string>
#include <vector>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "store/Bytes.h"

namespace tablon {

class Database;

// "FedListCT%u.csv" with the objective's class-table index.
std::string FedListDefaultName(const ObjectiveRecord& objective);
// The file dialogs' filter and default extension.
constexpr const char* kFedListFilter = "FED Data Files(*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr const char* kFedListExt = "csv";

// One entry as its line of the file (without the line end).
std::string FedListLine(uint32_t index, const FeatureEntryRecord& entry);
// Parses an entry line as the load reads it (decimal commas turned to points first); false when
// it has fewer than 18 fields.
bool ParseFedListLine(const std::string& line, FeatureEntryRecord& entry);

// Writes the run of the objective copy. An entry that cannot be read, or a file that cannot be
// written, fails the save with a message.
bool SaveFedList(const Database& db, const ObjectiveRecord& copy, const std::string& path,
                 std::string& message);

// Loads a list into the run of objective `index` whose copy is given: the copy's count and the
// file change together. The message is the one to show when it returns false.
bool LoadFedList(Database& db, int index, ObjectiveRecord& copy, const std::string& path,
                 std::string& message);

}  // namespace tablon
