#include "models/Lzss.h"

#include <array>

namespace tablon {

namespace {

constexpr size_t kRingSize = 4096;
constexpr size_t kRingMask = kRingSize - 1;

}  // namespace

LzssResult LzssDecode(const uint8_t* in, size_t length, Bytes& out, size_t maxOut) {
    out.clear();
    std::array<uint8_t, kRingSize> ring{};
    size_t r = 1;
    size_t pos = 0;
    while (pos < length) {
        const unsigned flags = in[pos++];
        for (int item = 0; item < 8 && pos < length; ++item) {
            if (flags & (1u << item)) {
                if (out.size() >= maxOut) return LzssResult::TooLong;
                const uint8_t c = in[pos++];
                out.push_back(c);
                ring[r] = c;
                r = (r + 1) & kRingMask;
                continue;
            }
            if (pos + 1 >= length) return LzssResult::Truncated;
            const unsigned b0 = in[pos];
            const unsigned b1 = in[pos + 1];
            pos += 2;
            const size_t from = (size_t(b0 & 15) << 8) | b1;
            if (from == 0) break;
            const size_t count = (b0 >> 4) + 2;
            if (out.size() + count > maxOut) return LzssResult::TooLong;
            // One byte at a time: a copy may read the bytes it has just written.
            for (size_t k = 0; k < count; ++k) {
                const uint8_t c = ring[(from + k) & kRingMask];
                out.push_back(c);
                ring[r] = c;
                r = (r + 1) & kRingMask;
            }
        }
    }
    return LzssResult::Ok;
}

Bytes LzssLiteralBlock(const uint8_t* data, size_t length) {
    Bytes block;
    block.reserve(length + (length + 7) / 8);
    for (size_t i = 0; i < length; i += 8) {
        const size_t n = length - i < 8 ? length - i : 8;
        block.push_back(static_cast<uint8_t>((1u << n) - 1));
        block.insert(block.end(), data + i, data + i + n);
    }
    return block;
}

}  // namespace tablon
