// The three model files of two sets compared entry by entry: the header values, the colours,
// palettes, texture and LOD entries and parent blocks of the header file, each LOD's block and
// each texture's compressed block, as the two sides' own tables place them.
#pragma once

#include <vector>

#include "store/Diff.h"

namespace tablon {

class Database;

// Appends an Entry difference for every entry that differs, and a "length" difference for a
// model file whose length differs. A header file whose sections do not lie in the file on
// either side is compared as a whole ("bytes").
void DiffModelEntries(const Database& a, const Database& b, std::vector<DiffEntry>& out);

}  // namespace tablon
