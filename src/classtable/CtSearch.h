// The cross-reference searches over the class table: which records name a class-table index,
// which class-table records share a classification, which model numbers lead to a missing
// parent or an unloadable LOD, and which records name a given parent. Each search reads every
// file it needs once and builds its lookups once per search, so that it stays interactive at
// the format's ceiling of 65,535 records per file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"
#include "store/FileSet.h"

namespace tablon {

class CtFile;
class Database;
class HdrFile;
class LodFile;

// The name of visual state s (0 to 6): "Normal", "Repaired" ... "Both Destroyed".
const char* VisualStateName(int state);

// ---- "CT Record Usage" ----

// The rows of the usage list of class-table index x: a "WARNING" row first when x is a
// protected index (item data -1), then the feature, feature-entry, objective, unit, vehicle and
// weapon records that name x, each file in record order. Cells: type, name, record number,
// comments.
std::vector<ListRow> CtUsageRows(const Database& db, uint32_t x);
const std::vector<ListColumn>& CtUsageColumns();
// The file a usage row's type ("FCD", "FED", "OCD", "UCD", "VCD", "WCD") stands for; nothing
// for "WARNING".
std::optional<FileId> UsageRowFile(const std::string& type);

// ---- "Search CT by class Data" ----

// The five criteria, each a 16-bit number; all bits set (-1) leaves it unchecked.
struct ClassCriteria {
    uint16_t domain = 0xFFFF, cls = 0xFFFF, type = 0xFFFF, subtype = 0xFFFF, specific = 0xFFFF;
    bool Matches(uint8_t d, uint8_t c, uint8_t t, uint8_t s, uint8_t sp) const;
};
struct ClassSearchResult {
    std::vector<ListRow> rows;  // "Record number", "Comments"; item data the index
    bool unreadable = false;    // a record could not be read: "This combination doesn't exist !"
};
ClassSearchResult SearchCtByClass(const CtFile& ct, const ClassCriteria& criteria);
const std::vector<ListColumn>& ClassResultColumns();
constexpr const char* kNoCombinationMessage = "This combination doesn't exist !";

// ---- the two model-link searches ----

struct ModelLinkRow {
    int ct = 0;
    int slot = 0;        // visual state 0 to 6
    std::string reason;  // empty in the parent-reference list
};
struct ModelLinkResult {
    std::vector<ModelLinkRow> rows;
    std::optional<int> unreadable;  // the class-table record that ended the search early
};
// "Couldn't get CT record %d !" with the record that ended a search.
std::string UnreadableCtMessage(int index);

// "Search for bad CT->HDR links": for every class-table record and model slot, the first
// reason its parent fails: "Bad Size entry" (no such parent), "Can't get lod resolution %d"
// (a LOD reference or its block cannot be read), "BAD LOD for resolution %d" (the block is read
// but does not hold a LOD). A LOD number that the LOD table does not hold is passed over. The
// verdict of each parent and each LOD is reached once per search.
ModelLinkResult SearchBadModelLinks(const CtFile& ct, const HdrFile& hdr, LodFile& lod);
// The same by the rule read literally: every slot walks the earlier parents' block sizes and
// loads every LOD again. For measuring and checking the search above on small sets.
ModelLinkResult SearchBadModelLinksDirect(const CtFile& ct, const HdrFile& hdr, LodFile& lod);

// "Search for Parent Records references in CT Records": every model slot that names parent p.
ModelLinkResult SearchParentReferences(const CtFile& ct, int parent);

// Rows of the two model lists: "Graphics" (the state's name), "CT-Index" and, when reasons
// are given, "Reason"; item data the class-table index.
std::vector<ListRow> ModelLinkRows(const ModelLinkResult& result, bool withReason);
std::vector<ListColumn> ModelLinkColumns(bool withReason);

}  // namespace tablon
