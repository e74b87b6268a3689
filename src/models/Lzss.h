// The compressed form of texture pixels: a byte-aligned LZSS over a 4096-byte ring buffer
// (all zero at the start, write position 1). Groups of a flag byte and up to 8 items; flag
// bit i set means item i is a literal byte, clear means a two-byte copy b0 b1 of
// (b0 >> 4) + 2 bytes from ring position (b0 & 15) * 256 + b1. A copy from position 0 ends
// its group. A block ends where its bytes end, also inside a group.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/Bytes.h"

namespace tablon {

enum class LzssResult {
    Ok,
    Truncated,  // the block ends between the two bytes of a copy item
    TooLong,    // the output would grow past the limit given
};

// Decodes a block into out (emptied first). Reads only the length bytes given and writes at
// most maxOut bytes; on failure out holds what was decoded up to the fault.
LzssResult LzssDecode(const uint8_t* in, size_t length, Bytes& out, size_t maxOut);

// A valid block that holds the bytes as literals only (a flag byte before every eight).
Bytes LzssLiteralBlock(const uint8_t* data, size_t length);

}  // namespace tablon
