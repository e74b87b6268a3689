#include "models/ModelTestSupport.h"

namespace tablon::test {

namespace {

void Word(Bytes& b, uint32_t v) {
    size_t at = b.size();
    b.resize(at + 4);
    StoreLE<uint32_t>(b.data() + at, v);
}

// count entries of size bytes, byte k of entry i being (tag + 13 i + k) & 0xff.
void Entries(Bytes& b, uint32_t count, size_t size, uint8_t tag) {
    for (uint32_t i = 0; i < count; ++i)
        for (size_t k = 0; k < size; ++k) b.push_back(uint8_t(tag + 13 * i + k));
}

}  // namespace

Bytes BuildHdr(const HdrSetup& s) {
    Bytes b;
    Word(b, s.version);
    Word(b, s.colours);
    Word(b, s.darkColours);
    Entries(b, s.colours, 16, 0x10);
    Word(b, s.palettes);
    Entries(b, s.palettes, kPaletteStride, 0x20);
    Word(b, s.textures);
    Word(b, s.textureMaxSize);
    Entries(b, s.textures, 40, 0x30);
    Word(b, s.lodMaxNodes);
    Word(b, s.lods);
    Entries(b, s.lods, 20, 0x40);
    Word(b, uint32_t(s.parents.size()));
    for (const auto& p : s.parents) b.insert(b.end(), p.b, p.b + p.kSize);
    b.insert(b.end(), s.blocks.begin(), s.blocks.end());
    return b;
}

ParentRecord MakeParentRecord(int8_t slots, int16_t dynamic, uint8_t lods) {
    ParentRecord p;
    p.SetRadius(10);
    p.SetSlots(slots);
    p.SetDynamic(dynamic);
    p.SetLods(lods);
    return p;
}

Bytes LodBlock(const std::vector<uint32_t>& codes, const Bytes& area) {
    Bytes b;
    Word(b, uint32_t(codes.size()));
    for (uint32_t c : codes) Word(b, c);
    b.insert(b.end(), area.begin(), area.end());
    return b;
}

}  // namespace tablon::test
