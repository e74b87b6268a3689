// The records of the model header file: parents, LOD table entries, texture table entries,
// LOD colours and palettes, and the items of a parent's data block (positions and LOD
// references). Each is its bytes with typed accessors.
#pragma once

#include <array>
#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

// One model as the class table sees it (48 bytes).
struct ParentRecord : RecordBytes<48> {
    float Radius() const { return Get<float>(0); }
    // The bounding box: i = 0 min x, 1 max x, 2 min y, 3 max y, 4 min z, 5 max z.
    float Bound(int i) const { return Get<float>(4 + 4 * size_t(i)); }
    uint32_t Offset1() const { return Get<uint32_t>(28); }
    uint32_t Offset2() const { return Get<uint32_t>(32); }
    int16_t TexSets() const { return Get<int16_t>(36); }
    int16_t Dynamic() const { return Get<int16_t>(38); }
    uint8_t Lods() const { return b[40]; }
    uint8_t Switches() const { return b[41]; }
    uint8_t Dofs() const { return b[42]; }
    // The slot count is signed wherever block sizes are computed.
    int8_t Slots() const { return static_cast<int8_t>(b[43]); }

    void SetRadius(float v) { Set<float>(0, v); }
    void SetBound(int i, float v) { Set<float>(4 + 4 * size_t(i), v); }
    void SetOffset1(uint32_t v) { Set<uint32_t>(28, v); }
    void SetOffset2(uint32_t v) { Set<uint32_t>(32, v); }
    void SetTexSets(int16_t v) { Set<int16_t>(36, v); }
    void SetDynamic(int16_t v) { Set<int16_t>(38, v); }
    void SetLods(uint8_t v) { b[40] = v; }
    void SetSwitches(uint8_t v) { b[41] = v; }
    void SetDofs(uint8_t v) { b[42] = v; }
    void SetSlots(int8_t v) { b[43] = static_cast<uint8_t>(v); }

    // Where the parts of this parent's data block begin, counted from the block's start, and
    // the block's size. Negative counts make negative sizes, as the rule has it.
    int64_t DynamicAt() const { return int64_t(Slots()) * 12; }
    int64_t LodRefsAt() const { return (int64_t(Slots()) + Dynamic()) * 12; }
    int64_t BlockSize() const { return LodRefsAt() + int64_t(Lods()) * 8; }
};

// An entry of the LOD table (20 bytes): where a LOD's block lies in the LOD file.
struct LodRecord : RecordBytes<20> {
    uint16_t Flags() const { return Get<uint16_t>(6); }
    uint32_t Offset() const { return Get<uint32_t>(12); }
    uint32_t Size() const { return Get<uint32_t>(16); }
    void SetFlags(uint16_t v) { Set<uint16_t>(6, v); }
    void SetOffset(uint32_t v) { Set<uint32_t>(12, v); }
    void SetSize(uint32_t v) { Set<uint32_t>(16, v); }
};

// An entry of the texture table (40 bytes): where a texture's compressed pixels lie in the
// texture file, its width and its palette.
struct TextureRecord : RecordBytes<40> {
    uint32_t Offset() const { return Get<uint32_t>(0); }
    uint32_t Size() const { return Get<uint32_t>(4); }
    uint32_t Width() const { return Get<uint32_t>(8); }
    uint32_t Flags() const { return Get<uint32_t>(20); }
    uint32_t Chroma() const { return Get<uint32_t>(24); }
    uint32_t Palette() const { return Get<uint32_t>(32); }
    void SetOffset(uint32_t v) { Set<uint32_t>(0, v); }
    void SetSize(uint32_t v) { Set<uint32_t>(4, v); }
    void SetWidth(uint32_t v) { Set<uint32_t>(8, v); }
    void SetFlags(uint32_t v) { Set<uint32_t>(20, v); }
    void SetChroma(uint32_t v) { Set<uint32_t>(24, v); }
    void SetPalette(uint32_t v) { Set<uint32_t>(32, v); }
};

// An entry of the LOD colour table (16 bytes): red, green, blue, alpha as floats.
struct ColourRecord : RecordBytes<16> {
    float R() const { return Get<float>(0); }
    float G() const { return Get<float>(4); }
    float B() const { return Get<float>(8); }
    float A() const { return Get<float>(12); }
    void SetRgba(float r, float g, float bl, float a) {
        Set<float>(0, r);
        Set<float>(4, g);
        Set<float>(8, bl);
        Set<float>(12, a);
    }
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The drawing colour of a LOD colour: each of red, green and blue times 255, truncated toward
// zero and cut to its low 8 bits (so 1.5 gives 126). Alpha is not drawn.
Rgb DrawingColour(const ColourRecord& c);

// A palette as the program uses it: 256 entries of red, green, blue and one further byte.
constexpr size_t kPaletteEntries = 256;
constexpr size_t kPaletteStride = 1032;  // a palette in the file: the entries, then 8 bytes
using Palette = std::array<uint8_t, kPaletteEntries * 4>;

// A position in a parent's data block (slot or dynamic position): three floats.
struct Vec3 {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vec3&) const = default;
};
constexpr size_t kPositionSize = 12;

// A LOD reference in a parent's data block: the LOD number times two (the lowest bit is kept
// as stored) and the distance up to which that LOD is used.
struct LodRef {
    uint32_t ref = 0;
    float distance = 0;
    uint32_t LodNumber() const { return ref >> 1; }
    static LodRef Make(uint32_t lod, float distance) { return {lod << 1, distance}; }
    bool operator==(const LodRef&) const = default;
};
constexpr size_t kLodRefSize = 8;

const FieldTable& ParentFields();
const FieldTable& LodFields();
const FieldTable& TextureFields();
const FieldTable& ColourFields();

}  // namespace tablon
