// One LOD's geometry as read from its block of the LOD file: the node tree over the vertex,
// normal and texture tables, its switches, and the in-place edits (vertices, normals, texture
// numbers, slot positions) that go straight into the mapped LOD file.
//
// A block: n, then n node type codes (32-bit), then the node area; every offset inside a
// block counts from the start of the node area. The root is a root-scope node at area offset
// 0; the other nodes are built in the order of the remaining codes, each node's sibling chain
// before its own children.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "models/ModelRecords.h"
#include "store/Bytes.h"

namespace tablon {

class LodFile;

enum LodNodeType : int {
    kGeometryScope = 1,
    kRootScope = 2,
    kSlotNode = 3,
    kDofNode = 4,
    kSwitchNode = 5,
    kSplitNode = 6,
    kPrimitiveNode = 7,
    kPrimitivePairNode = 8,
    kPrimitive2Node = 9,
    kVertexScope = 10,
    kPrimitiveValuesNode = 11,
};

// Bytes a node of the type occupies before any table it points to; 0 for unknown types.
size_t LodNodeSize(int type);

// A table inside the node area: where it starts and how many entries the file says it has.
struct LodTable {
    uint32_t offset = 0;
    uint32_t count = 0;
};

struct LodNode {
    int type = 0;
    uint32_t offset = 0;  // area offset
    int sibling = -1;     // node index of the next sibling, -1 for none
    // The nodes built for the child fields in field order (for a switch, one per state);
    // -1 where no node was made. Shorter than the number of fields when the type codes ran out.
    std::vector<int> children;
    // Primitives of types 7, 8, 9 and 11 (index into LodData::Primitives(), -1 when the
    // record could not be loaded).
    std::array<int, 2> primitives{-1, -1};
    std::array<uint8_t, 88> bytes{};  // the node's own bytes as stored (LodNodeSize of them)

    uint32_t U32(size_t at) const { return LoadLE<uint32_t>(bytes.data() + at); }
    int32_t I32(size_t at) const { return LoadLE<int32_t>(bytes.data() + at); }
    float F32(size_t at) const { return LoadLE<float>(bytes.data() + at); }

    uint32_t FirstWord() const { return U32(0); }
    int32_t SiblingOffset() const { return I32(4); }
    // Scopes (1, 2), DOFs (4) and vertex scopes (10).
    LodTable Vertices() const { return {U32(8), U32(12)}; }
    // Scopes (1, 2) and DOFs (4).
    LodTable Normals() const { return {U32(24), U32(28)}; }
    // The root scope (2).
    LodTable Textures() const { return {U32(36), U32(40)}; }
    // Slots (3): 3 x 3 matrix at 8, position, slot number.
    Vec3 SlotPosition() const { return {F32(44), F32(48), F32(52)}; }
    int32_t SlotNumber() const { return I32(56); }
    // DOFs (4): number, 3 x 3 matrix at 40, offset vector.
    int32_t DofNumber() const { return I32(36); }
    float DofMatrix(int i) const { return F32(40 + 4 * size_t(i)); }
    Vec3 DofOffset() const { return {F32(76), F32(80), F32(84)}; }
    // Switches (5).
    uint32_t SwitchNumber() const { return U32(8); }
    uint32_t StateCount() const { return U32(12); }
    // Splits (6): the plane a, b, c, d.
    float Plane(int i) const { return F32(8 + 4 * size_t(i)); }
    // Primitives with values (11): four signed integers, the first being the primitive offset.
    int32_t Value(int i) const { return I32(8 + 4 * size_t(i)); }
};

enum class PrimitiveColour {
    None,   // kinds 0 and 1: outline only, in black
    Index,  // word 7 is an index into the LOD colour table
    List,   // word 7 is the offset of a list of colour indices; the first is used
};

struct LodPrimitive {
    uint32_t offset = 0;  // area offset of the record
    uint32_t kind = 0;    // 0 to 26
    uint32_t words = 0;   // words in the record (4, 8 or 9)
    uint32_t vertexCount = 0;
    uint32_t vertexList = 0;  // area offset of the vertex indices
    PrimitiveColour colourKind = PrimitiveColour::None;
    int64_t colour = -1;  // the colour index in use; -1 when there is none or it cannot be read
};

// Words in a primitive record of the kind; 0 for kinds outside 0 to 26.
uint32_t PrimitiveWords(uint32_t kind);

class LodData {
  public:
    // Reads the LOD's block and builds its tree. Fails when the block does not lie inside the
    // LOD file or cannot hold its type codes; a malformed node ends only its own branch.
    int Open(LodFile& file, const LodRecord& rec);
    bool IsOpen() const { return file_ != nullptr; }

    uint32_t CodeCount() const { return codeCount_; }  // n, "Nodes"
    uint32_t AreaSize() const { return uint32_t(block_.size() - areaStart_); }
    const std::vector<LodNode>& Nodes() const { return nodes_; }
    // The root scope, or null when the block is too small to hold one.
    const LodNode* Root() const { return nodes_.empty() ? nullptr : &nodes_[0]; }
    const std::vector<LodPrimitive>& Primitives() const { return primitives_; }
    // The default state masks of the switches, indexed by switch number (one bit per state,
    // at most 32). Switch numbers of 1024 and more are not collected.
    const std::vector<uint32_t>& SwitchMasks() const { return switchMasks_; }
    static constexpr uint32_t kMaxSwitchNumber = 1024;

    LodTable RootVertices() const { return Root() ? Root()->Vertices() : LodTable{}; }
    LodTable RootNormals() const { return Root() ? Root()->Normals() : LodTable{}; }
    LodTable RootTextures() const { return Root() ? Root()->Textures() : LodTable{}; }

    // Entry i of a vector table (vertices or normals) or of a word table; fails outside the
    // table's count or the node area.
    bool TableVec3(const LodTable& t, uint32_t i, Vec3& out) const;
    bool TableWord(const LodTable& t, uint32_t i, uint32_t& out) const;
    // The texture numbers of the root's texture list that lie inside the block.
    std::vector<uint32_t> RootTextureNumbers() const;
    // Vertex index i of a primitive; fails when the list leaves the node area.
    bool PrimitiveVertex(const LodPrimitive& p, uint32_t i, uint32_t& out) const;

    // Edits of the root's tables, written into the LOD file at once (and flushed).
    int SetRootVertex(uint32_t i, const Vec3& v);
    int SetRootNormal(uint32_t i, const Vec3& v);
    int SetRootTexture(uint32_t i, uint32_t textureNumber);
    // Every slot node whose slot number s satisfies 0 <= s < positions.size() gets
    // positions[s] as its position, in the LOD file. Fails if any write fails.
    int WriteSlotPositions(const std::vector<Vec3>& positions);

    // The parent record the LOD is drawn for; its DOF count is taken as signed 8-bit.
    void SetParent(const ParentRecord& parent) { parent_ = parent; }
    const ParentRecord& Parent() const { return parent_; }
    int DofCount() const { return static_cast<int8_t>(parent_.Dofs()); }

    void Release();

  private:
    const uint8_t* Area(uint64_t offset, uint64_t length) const;
    int WriteArea(uint32_t offset, const uint8_t* data, size_t length, bool flush);
    int MakeNode(int type, uint32_t offset);
    void FinishNode(int index);
    int LoadPrimitive(uint32_t offset);
    void Build();

    LodFile* file_ = nullptr;
    uint32_t blockOffset_ = 0;
    Bytes block_;
    size_t areaStart_ = 0;
    uint32_t codeCount_ = 0;
    size_t nextCode_ = 0;
    std::vector<LodNode> nodes_;
    std::vector<LodPrimitive> primitives_;
    std::vector<uint32_t> switchMasks_;
    ParentRecord parent_;
};

}  // namespace tablon
