// Builders for model header files and LOD blocks, byte by byte.
#pragma once

#include <cstdint>
#include <vector>

#include "models/ModelRecords.h"
#include "store/Bytes.h"

namespace tablon::test {

// A model header with the given section counts. Entry bytes are patterned (every entry
// differs), the parents carry the given counts, and the data blocks are the given bytes.
struct HdrSetup {
    uint32_t version = 7, darkColours = 3, textureMaxSize = 256, lodMaxNodes = 99;
    uint32_t colours = 2, palettes = 1, textures = 3, lods = 2;
    std::vector<ParentRecord> parents;
    Bytes blocks;
};
Bytes BuildHdr(const HdrSetup& desc);

// A parent with the given block-size counts.
ParentRecord MakeParentRecord(int8_t slots, int16_t dynamic, uint8_t lods);

// Little-endian word writer for hand-built LOD blocks.
struct Words {
    Bytes b;
    Words& U(uint32_t v) {
        size_t at = b.size();
        b.resize(at + 4);
        StoreLE<uint32_t>(b.data() + at, v);
        return *this;
    }
    Words& F(float v) {
        size_t at = b.size();
        b.resize(at + 4);
        StoreLE<float>(b.data() + at, v);
        return *this;
    }
    Words& Zero(size_t words) {
        b.resize(b.size() + 4 * words, 0);
        return *this;
    }
    uint32_t Size() const { return uint32_t(b.size()); }
    void Put(uint32_t at, uint32_t v) { StoreLE<uint32_t>(b.data() + at, v); }
    void PutF(uint32_t at, float v) { StoreLE<float>(b.data() + at, v); }
};

// A LOD block: the type codes, then the node area.
Bytes LodBlock(const std::vector<uint32_t>& codes, const Bytes& area);

}  // namespace tablon::test
