// The texture codec: the input is decoded as a compressed block, and encoded then decoded,
// which must give the input back.
#include <cstdlib>

#include "FuzzSupport.h"
#include "models/Lzss.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes out;
    LzssDecode(data, size, out, size_t(1) << 20);
    const Bytes block = LzssEncode(data, size);
    if (LzssDecode(block.data(), block.size(), out, size) != LzssResult::Ok ||
        out != Bytes(data, data + size))
        std::abort();
    const Bytes literal = LzssLiteralBlock(data, size);
    if (LzssDecode(literal.data(), literal.size(), out, size) != LzssResult::Ok ||
        out != Bytes(data, data + size))
        std::abort();
    return 0;
}
