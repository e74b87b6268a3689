// The texture encoder as it first shipped, kept as the yardstick: whatever the real encoder does
// to go faster, its blocks must equal these byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/Bytes.h"

namespace tablon::test {

// Plain and slow on purpose: a byte-at-a-time binary search tree over the 4096 ring positions,
// written for reading, not for speed.
Bytes ReferenceLzssEncode(const uint8_t* data, size_t length);

}  // namespace tablon::test
