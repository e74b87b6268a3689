#include "models/LodTreeJson.h"

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "models/LodData.h"
#include "store/FieldTable.h"

namespace tablon {

namespace {

const char* TypeName(int type) {
    static const char* const kNames[] = {"",
                                         "geometry_scope",
                                         "root_scope",
                                         "slot",
                                         "dof",
                                         "switch",
                                         "split",
                                         "primitive",
                                         "primitive_pair",
                                         "primitive2",
                                         "vertex_scope",
                                         "primitive_values"};
    return type >= 1 && type <= 11 ? kNames[type] : "";
}

std::string U(const char* name, uint32_t v) {
    return std::string(", \"") + name + "\": " + std::to_string(v);
}
std::string I(const char* name, int32_t v) {
    return std::string(", \"") + name + "\": " + std::to_string(v);
}
std::string Floats(const char* name, const LodNode& n, size_t at, size_t count) {
    std::string s = std::string(", \"") + name + "\": [";
    for (size_t i = 0; i < count; ++i) s += (i ? ", " : "") + FloatJson(n.F32(at + 4 * i));
    return s + "]";
}

// The fields of a node after its first two words, as its type lays them out.
std::string OwnFields(const LodNode& n) {
    std::string s = U("first_word", n.FirstWord()) + I("sibling_offset", n.SiblingOffset());
    auto scope = [&]() {
        s += U("vertex_offset", n.U32(8)) + U("vertex_count", n.U32(12)) + U("word_16", n.U32(16)) +
             U("offset_20", n.U32(20)) + U("normal_offset", n.U32(24)) +
             U("normal_count", n.U32(28)) + U("child_offset", n.U32(32));
    };
    switch (n.type) {
        case kGeometryScope:
            scope();
            break;
        case kRootScope:
            scope();
            s += U("texture_offset", n.U32(36)) + U("texture_count", n.U32(40)) +
                 U("offset_44", n.U32(44));
            break;
        case kSlotNode:
            s += Floats("matrix", n, 8, 9) + Floats("position", n, 44, 3) +
                 I("slot_number", n.SlotNumber());
            break;
        case kDofNode:
            scope();
            s += I("dof_number", n.DofNumber()) + Floats("matrix", n, 40, 9) +
                 Floats("dof_offset", n, 76, 3);
            break;
        case kSwitchNode:
            s += U("switch_number", n.SwitchNumber()) + U("states", n.StateCount()) +
                 U("table_offset", n.U32(16));
            break;
        case kSplitNode:
            s += Floats("plane", n, 8, 4) + U("child_offset_1", n.U32(24)) +
                 U("child_offset_2", n.U32(28));
            break;
        case kPrimitiveNode:
        case kPrimitive2Node:
            s += U("primitive_offset", n.U32(8));
            break;
        case kPrimitivePairNode:
            s += U("primitive_offset", n.U32(8)) + U("primitive_offset_2", n.U32(12));
            break;
        case kVertexScope:
            s += U("vertex_offset", n.U32(8)) + U("vertex_count", n.U32(12)) +
                 U("word_16", n.U32(16)) + U("child_offset", n.U32(20));
            break;
        case kPrimitiveValuesNode:
            s += ", \"values\": [" + std::to_string(n.Value(0)) + ", " +
                 std::to_string(n.Value(1)) + ", " + std::to_string(n.Value(2)) + ", " +
                 std::to_string(n.Value(3)) + "]" + U("word_24", n.U32(24)) +
                 U("word_28", n.U32(28));
            break;
        default:
            break;
    }
    return s;
}

std::string PrimitiveJson(const LodData& lod, int index) {
    if (index < 0) return "null";
    const LodPrimitive& p = lod.Primitives()[size_t(index)];
    std::string s = "{\"offset\": " + std::to_string(p.offset) +
                    ", \"kind\": " + std::to_string(p.kind) +
                    ", \"vertex_count\": " + std::to_string(p.vertexCount) +
                    ", \"vertex_list\": " + std::to_string(p.vertexList) + ", \"colour\": ";
    s += p.colour >= 0 ? std::to_string(p.colour) : "null";
    return s + "}";
}

}  // namespace

void WriteLodTreeJson(const LodData& lod, std::ostream& out) {
    // A stack of what is left to write: text, or a node (index, -1 for null).
    using Item = std::variant<std::string, int>;
    std::vector<Item> stack;
    stack.emplace_back(lod.Root() ? 0 : -1);
    const auto& nodes = lod.Nodes();
    while (!stack.empty()) {
        Item item = std::move(stack.back());
        stack.pop_back();
        if (const std::string* text = std::get_if<std::string>(&item)) {
            out << *text;
            continue;
        }
        const int index = std::get<int>(item);
        if (index < 0) {
            out << "null";
            continue;
        }
        const LodNode& n = nodes[size_t(index)];
        out << "{\"type\": " << n.type << ", \"name\": \"" << TypeName(n.type)
            << "\", \"offset\": " << n.offset << OwnFields(n);
        if (n.type == kPrimitiveNode || n.type == kPrimitive2Node || n.type == kPrimitiveValuesNode)
            out << ", \"primitive\": " << PrimitiveJson(lod, n.primitives[0]);
        if (n.type == kPrimitivePairNode)
            out << ", \"primitives\": [" << PrimitiveJson(lod, n.primitives[0]) << ", "
                << PrimitiveJson(lod, n.primitives[1]) << "]";
        out << ", \"sibling\": ";
        // Pushed in reverse: sibling, then the children list, then the closing brace.
        stack.emplace_back(std::string("]}"));
        for (size_t k = n.children.size(); k-- > 0;) {
            stack.emplace_back(n.children[k]);
            if (k) stack.emplace_back(std::string(", "));
        }
        stack.emplace_back(std::string(", \"children\": ["));
        stack.emplace_back(n.sibling);
    }
}

}  // namespace tablon
