// A LOD's node tree as JSON: each node an object with its type, area offset, own fields,
// sibling (a node, or null) and children (in field order; null where a type code made no node).
#pragma once

#include <iosfwd>

namespace tablon {

class LodData;

// Writes the root node (or null); nested as deep as the tree is, without recursion.
void WriteLodTreeJson(const LodData& lod, std::ostream& out);

}  // namespace tablon
