// A parent as its dialog works on it: the record, where its data block lies, its LOD
// references, slot and dynamic positions, and the textures of its first LOD; and the writes
// of the parent dialog's sub-editors ("Lod Resolution", the slot and dynamic editors).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "models/ModelRecords.h"

namespace tablon {

class Database;
class Ui;

struct ParentData {
    int index = -1;
    ParentRecord record;
    int64_t blockOffset = 0;  // "R6 Offset"
    std::vector<LodRef> lodRefs;
    int lodInd = -1;                 // "Lod Ind": the first reference's LOD number
    std::vector<uint32_t> textures;  // the first LOD's texture list ("Tex No")
    std::vector<Vec3> slots;
    std::vector<Vec3> dynamic;
};

// Reads everything the parent dialog shows. False when the parent or a parent before it
// cannot be read; parts that cannot be read (references, positions, the first LOD) stay empty.
bool LoadParentData(Database& db, int parent, ParentData& out);

// "%d < %.0f": a LOD reference as the parent dialog lists it.
std::string LodRefText(const LodRef& ref);

// Writes all the parent's LOD references back to its block.
bool SaveLodRefs(Database& db, const ParentData& data);
// The slot editor's OK: the positions into the block, then into every LOD of the parent;
// "Failed to update LOD file" for each LOD that cannot take them (the others still do).
// False when the block write failed ("Save Failed" is the caller's).
bool SaveSlotPositions(Database& db, const ParentData& data, const std::vector<Vec3>& positions,
                       Ui& ui);
// The dynamic editor's OK: the positions into the block (behind the slots).
bool SaveDynamicPositions(Database& db, const ParentData& data, const std::vector<Vec3>& positions);

// "%.3f" of each coordinate, as the position and vertex lists show them.
std::string CoordText(float v);

}  // namespace tablon
