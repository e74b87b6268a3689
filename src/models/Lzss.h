// The compressed form of texture pixels: a byte-aligned LZSS over a 4096-byte ring buffer
// (all zero at the start, write position 1). Groups of a flag byte and up to 8 items; flag
// bit i set means item i is a literal byte, clear means a two-byte copy b0 b1 of
// (b0 >> 4) + 2 bytes from ring position (b0 & 15) * 256 + b1. A copy from position 0 ends
// its group. A block ends where its bytes end, also inside a group (even between the two bytes
// of a copy item: decoding simply stops there).
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/Bytes.h"

namespace tablon {

enum class LzssResult {
    Ok,
    TooLong,  // the output reached the limit given with block bytes left: out holds the first
              // maxOut bytes
};

// Decodes a block into out (emptied first). Reads only the length bytes given and writes at
// most maxOut bytes.
LzssResult LzssDecode(const uint8_t* in, size_t length, Bytes& out, size_t maxOut);

// Compresses bytes into the block form: a binary search tree over the 4096 window positions
// (node 4096 its root, position 0 never entered, so no copy ever names it), a look-ahead of 17
// bytes, the longest match (the last one met in the tree walk among equal lengths, never
// longer than the bytes left), matches of fewer than 2 bytes written as literals. No end
// marker: the block ends with its last item, the final flag byte's missing items 0.
Bytes LzssEncode(const uint8_t* data, size_t length);

// A valid block that holds the bytes as literals only (a flag byte before every eight).
Bytes LzssLiteralBlock(const uint8_t* data, size_t length);

}  // namespace tablon
