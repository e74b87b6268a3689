#include "models/LodData.h"

#include <cstring>

#include "models/ModelFiles.h"

namespace tablon {

size_t LodNodeSize(int type) {
    switch (type) {
        case kGeometryScope:
            return 36;
        case kRootScope:
            return 48;
        case kSlotNode:
            return 60;
        case kDofNode:
            return 88;
        case kSwitchNode:
            return 20;
        case kSplitNode:
            return 32;
        case kPrimitiveNode:
        case kPrimitive2Node:
            return 12;
        case kPrimitivePairNode:
            return 16;
        case kVertexScope:
            return 24;
        case kPrimitiveValuesNode:
            return 32;
    }
    return 0;
}

uint32_t PrimitiveWords(uint32_t kind) {
    if (kind <= 1) return 4;
    if (kind <= 5 || (kind >= 14 && kind <= 17)) return 8;
    if (kind <= 26) return 9;
    return 0;
}

namespace {

PrimitiveColour ColourKindOf(uint32_t kind) {
    switch (kind) {
        case 0:
        case 1:
            return PrimitiveColour::None;
        case 4:
        case 5:
        case 16:
        case 17:
        case 8:
        case 9:
        case 12:
        case 13:
        case 20:
        case 21:
        case 24:
        case 25:
            return PrimitiveColour::List;
        default:
            return PrimitiveColour::Index;
    }
}

// The child fields of a node type, as offsets inside the node (switches keep theirs in a
// table of their own); the list ends at the first 0.
const std::array<uint32_t, 2>& ChildFields(int type) {
    static const std::array<uint32_t, 2> kScope{32, 0}, kVertexScope{20, 0}, kSplit{24, 28},
        kNone{0, 0};
    switch (type) {
        case kGeometryScope:
        case kRootScope:
        case kDofNode:
            return kScope;
        case tablon::kVertexScope:
            return kVertexScope;
        case kSplitNode:
            return kSplit;
        default:
            return kNone;
    }
}

}  // namespace

const uint8_t* LodData::Area(uint64_t offset, uint64_t length) const {
    const uint64_t size = block_.size() - areaStart_;
    if (offset > size || length > size - offset) return nullptr;
    return block_.data() + areaStart_ + offset;
}

int LodData::Open(LodFile& file, const LodRecord& rec) {
    Release();
    Bytes block;
    if (!file.ReadBlock(rec, block) || block.size() < 4) return 0;
    const uint32_t n = LoadLE<uint32_t>(block.data());
    if (4 + 4 * uint64_t(n) > block.size()) return 0;
    block_ = std::move(block);
    file_ = &file;
    blockOffset_ = rec.Offset();
    codeCount_ = n;
    areaStart_ = 4 + 4 * size_t(n);
    Build();
    return 1;
}

void LodData::Release() {
    file_ = nullptr;
    blockOffset_ = 0;
    block_.clear();
    areaStart_ = 0;
    codeCount_ = 0;
    nextCode_ = 0;
    nodes_.clear();
    primitives_.clear();
    switchMasks_.clear();
}

int LodData::MakeNode(int type, uint32_t offset) {
    const size_t size = LodNodeSize(type);
    const uint8_t* p = size ? Area(offset, size) : nullptr;
    if (!p) return -1;
    if (type == kSwitchNode) {
        // The table of state children must lie inside the area too.
        const uint32_t states = LoadLE<uint32_t>(p + 12);
        if (!Area(LoadLE<uint32_t>(p + 16), 4 * uint64_t(states))) return -1;
    }
    LodNode node;
    node.type = type;
    node.offset = offset;
    std::memcpy(node.bytes.data(), p, size);
    nodes_.push_back(node);
    return int(nodes_.size() - 1);
}

int LodData::LoadPrimitive(uint32_t offset) {
    const uint8_t* p = Area(offset, 12);
    if (!p) return -1;
    LodPrimitive prim;
    prim.offset = offset;
    prim.kind = LoadLE<uint32_t>(p);
    prim.words = PrimitiveWords(prim.kind);
    if (prim.words == 0 || !Area(offset, 4 * uint64_t(prim.words))) return -1;
    prim.vertexCount = LoadLE<uint32_t>(p + 4);
    prim.vertexList = LoadLE<uint32_t>(p + 8);
    if (!Area(prim.vertexList, 4 * uint64_t(prim.vertexCount))) return -1;
    prim.colourKind = ColourKindOf(prim.kind);
    if (prim.colourKind != PrimitiveColour::None) {
        const uint32_t word7 = LoadLE<uint32_t>(p + 28);
        if (prim.colourKind == PrimitiveColour::Index) {
            prim.colour = word7;
        } else if (const uint8_t* list = Area(word7, 4)) {
            prim.colour = LoadLE<uint32_t>(list);
        }
    }
    primitives_.push_back(prim);
    return int(primitives_.size() - 1);
}

void LodData::FinishNode(int index) {
    // Loading primitives does not touch nodes_, so the reference stays valid.
    LodNode& node = nodes_[size_t(index)];
    switch (node.type) {
        case kPrimitiveNode:
        case kPrimitive2Node:
        case kPrimitiveValuesNode: {
            node.primitives[0] = LoadPrimitive(node.U32(8));
            break;
        }
        case kPrimitivePairNode: {
            node.primitives[0] = LoadPrimitive(node.U32(8));
            node.primitives[1] = LoadPrimitive(node.U32(12));
            break;
        }
        case kSwitchNode: {
            const uint32_t number = node.SwitchNumber();
            const uint32_t states = node.StateCount();
            if (number < kMaxSwitchNumber) {
                if (switchMasks_.size() <= number) switchMasks_.resize(number + 1, 0);
                switchMasks_[number] = states >= 32 ? 0xffffffffu : (1u << states) - 1;
            }
            break;
        }
        default:
            break;
    }
}

void LodData::Build() {
    // The construction runs on an explicit stack, so that neither a deep tree nor a hostile
    // block can exhaust the call stack. Every node takes one type code; once the codes run
    // out nothing more is built, so the work is bounded by the number of codes.
    enum class Step { Build, Finish, Children };
    struct Task {
        Step step;
        uint32_t offset;  // Build: area offset of the node
        int node;         // Build: the owner (-1 for none); Finish, Children: the node
        int slot;         // Build: -1 = the owner's sibling, k = its child k; Children: next k
    };
    nextCode_ = 1;  // the root's own code is skipped
    const int root = MakeNode(kRootScope, 0);
    if (root < 0) return;

    std::vector<Task> stack;
    auto begin = [&](int index) {
        stack.push_back({Step::Finish, 0, index, 0});
        const int32_t sibling = nodes_[size_t(index)].SiblingOffset();
        if (sibling >= 1) stack.push_back({Step::Build, uint32_t(sibling), index, -1});
    };
    begin(root);
    while (!stack.empty()) {
        const Task t = stack.back();
        stack.pop_back();
        switch (t.step) {
            case Step::Build: {
                if (nextCode_ >= codeCount_) break;
                const uint32_t code = LoadLE<uint32_t>(block_.data() + 4 + 4 * nextCode_++);
                const int made = code >= 1 && code <= 11 ? MakeNode(int(code), t.offset) : -1;
                if (t.slot < 0) {
                    nodes_[size_t(t.node)].sibling = made;
                } else {
                    auto& children = nodes_[size_t(t.node)].children;
                    if (children.size() <= size_t(t.slot)) children.resize(size_t(t.slot) + 1, -1);
                    children[size_t(t.slot)] = made;
                }
                if (made >= 0) begin(made);
                break;
            }
            case Step::Finish:
                FinishNode(t.node);
                stack.push_back({Step::Children, 0, t.node, 0});
                break;
            case Step::Children: {
                if (nextCode_ >= codeCount_) break;
                const LodNode& node = nodes_[size_t(t.node)];
                uint32_t childOffset = 0;
                if (node.type == kSwitchNode) {
                    if (uint32_t(t.slot) >= node.StateCount()) break;
                    const uint8_t* table = Area(node.U32(16) + 4 * uint64_t(t.slot), 4);
                    if (!table) break;
                    childOffset = LoadLE<uint32_t>(table);
                } else {
                    const auto& fields = ChildFields(node.type);
                    if (size_t(t.slot) >= fields.size() || fields[size_t(t.slot)] == 0) break;
                    childOffset = node.U32(fields[size_t(t.slot)]);
                }
                stack.push_back({Step::Children, 0, t.node, t.slot + 1});
                stack.push_back({Step::Build, childOffset, t.node, t.slot});
                break;
            }
        }
    }
}

bool LodData::TableVec3(const LodTable& t, uint32_t i, Vec3& out) const {
    if (i >= t.count) return false;
    const uint8_t* p = Area(t.offset + uint64_t(i) * 12, 12);
    if (!p) return false;
    out = {LoadLE<float>(p), LoadLE<float>(p + 4), LoadLE<float>(p + 8)};
    return true;
}

bool LodData::TableWord(const LodTable& t, uint32_t i, uint32_t& out) const {
    if (i >= t.count) return false;
    const uint8_t* p = Area(t.offset + uint64_t(i) * 4, 4);
    if (!p) return false;
    out = LoadLE<uint32_t>(p);
    return true;
}

std::vector<uint32_t> LodData::RootTextureNumbers() const {
    std::vector<uint32_t> numbers;
    const LodTable t = RootTextures();
    uint32_t v = 0;
    for (uint32_t i = 0; i < t.count && TableWord(t, i, v); ++i) numbers.push_back(v);
    return numbers;
}

bool LodData::PrimitiveVertex(const LodPrimitive& p, uint32_t i, uint32_t& out) const {
    return TableWord({p.vertexList, p.vertexCount}, i, out);
}

int LodData::WriteArea(uint32_t offset, const uint8_t* data, size_t length, bool flush) {
    if (!file_ || !Area(offset, length)) return 0;
    const uint64_t at = uint64_t(blockOffset_) + areaStart_ + offset;
    if (!file_->WriteAt(at, data, length, flush)) return 0;
    std::memcpy(block_.data() + areaStart_ + offset, data, length);
    return 1;
}

namespace {

std::array<uint8_t, 12> Vec3Bytes(const Vec3& v) {
    std::array<uint8_t, 12> b{};
    StoreLE<float>(b.data(), v.x);
    StoreLE<float>(b.data() + 4, v.y);
    StoreLE<float>(b.data() + 8, v.z);
    return b;
}

}  // namespace

int LodData::SetRootVertex(uint32_t i, const Vec3& v) {
    const LodTable t = RootVertices();
    if (i >= t.count) return 0;
    const auto b = Vec3Bytes(v);
    return WriteArea(t.offset + i * 12, b.data(), b.size(), true);
}

int LodData::SetRootNormal(uint32_t i, const Vec3& v) {
    const LodTable t = RootNormals();
    if (i >= t.count) return 0;
    const auto b = Vec3Bytes(v);
    return WriteArea(t.offset + i * 12, b.data(), b.size(), true);
}

int LodData::SetRootTexture(uint32_t i, uint32_t textureNumber) {
    const LodTable t = RootTextures();
    if (i >= t.count) return 0;
    uint8_t b[4];
    StoreLE<uint32_t>(b, textureNumber);
    return WriteArea(t.offset + i * 4, b, 4, true);
}

int LodData::WriteSlotPositions(const std::vector<Vec3>& positions) {
    if (!file_) return 0;
    int ok = 1;
    bool wrote = false;
    // Every slot position changes in one step.
    WriteBatch batch(*file_);
    for (LodNode& node : nodes_) {
        if (node.type != kSlotNode) continue;
        const int32_t s = node.SlotNumber();
        if (s < 0 || size_t(s) >= positions.size()) continue;
        const auto b = Vec3Bytes(positions[size_t(s)]);
        if (!WriteArea(node.offset + 44, b.data(), b.size(), false)) {
            ok = 0;
            continue;
        }
        std::memcpy(node.bytes.data() + 44, b.data(), b.size());
        wrote = true;
    }
    if (wrote && !file_->Flush()) ok = 0;
    if (!batch.Finish()) ok = 0;
    return ok;
}

}  // namespace tablon
