#include "models/Lzss.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace tablon {

namespace {

constexpr size_t kRingSize = 4096;
constexpr size_t kRingMask = kRingSize - 1;
constexpr size_t kLookAhead = 17;  // the longest copy
constexpr size_t kBreakEven = 1;   // matches this long or shorter are written as literals
constexpr uint32_t kUnused = 0;    // no node (position 0 is never entered into the tree)
constexpr uint32_t kTreeRoot = kRingSize;

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
            // A block that ends after the first byte of a copy item simply ends.
            if (pos + 1 >= length) return LzssResult::Ok;
            const unsigned b0 = in[pos];
            const unsigned b1 = in[pos + 1];
            pos += 2;
            const size_t from = (size_t(b0 & 15) << 8) | b1;
            if (from == 0) break;
            const size_t count = (b0 >> 4) + 2;
            // One byte at a time: a copy may read the bytes it has just written.
            for (size_t k = 0; k < count; ++k) {
                if (out.size() >= maxOut) return LzssResult::TooLong;
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

namespace {

// How many of the first kLookAhead bytes of a and b are equal.
size_t CommonPrefix(const uint8_t* a, const uint8_t* b) {
    static_assert(kLookAhead == 17, "two words and a byte");
    for (size_t i = 0; i < 16; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) {
            const uint64_t diff = x ^ y;
            if constexpr (std::endian::native == std::endian::little)
                return i + size_t(std::countr_zero(diff)) / 8;
            else
                return i + size_t(std::countl_zero(diff)) / 8;
        }
    }
    return a[16] == b[16] ? 17 : 16;
}

// The window and the search tree of the strings starting at each window position. The window's
// first look-ahead bytes are mirrored behind its end, so that a string starting anywhere in it
// can be compared without wrapping, eight bytes at a time.
//
// Next to the tree it keeps, for every first byte, the highest node whose string starts with
// that byte. All strings starting with one byte form one stretch of the tree's order, so that
// node is an ancestor of all of them, and the walk for a string passes through the node of its
// first byte. Everything met above it shares no byte with the string and can never be the
// match, so the walk starts there: the same tree, the same match, without the long upper levels
// that repetitive data builds.
//
// Position 0 is never entered, and 0 is also the "no node" link, so the tree writes node 0's
// parent field in passing and deleting position 0 acts on whatever that field holds. Mostly that
// changes nothing; when it does unlink a subtree, the tree stops being a search tree of its
// strings and the first-byte nodes no longer hold: from then on every walk starts at the root,
// exactly as the tree has always done.
class LzssTree {
  public:
    LzssTree() : window_(kRingSize + kLookAhead + 8, 0), nodes_(kRingSize + 1) {
        top_.fill(kUnused);
    }

    uint8_t At(size_t i) const { return window_[i & kRingMask]; }
    void Set(size_t i, uint8_t c) {
        i &= kRingMask;
        window_[i] = c;
        if (i < kLookAhead) window_[i + kRingSize] = c;
    }

    void Init(uint32_t r) {
        nodes_[kTreeRoot].larger = r;
        nodes_[r] = {kTreeRoot, kUnused, kUnused};
        top_[window_[r]] = r;
    }

    // Enters the string at position n and finds the longest match among the strings already
    // entered (the last one met among equal lengths).
    size_t Add(uint32_t n, uint32_t& matchPosition) {
        if (n == kUnused) return 0;
        const uint8_t* key = &window_[n];
        uint32_t& top = top_[key[0]];
        uint32_t test = indexed_ && top != kUnused ? top : nodes_[kTreeRoot].larger;
        size_t matchLength = 0;
        while (true) {
            const uint8_t* other = &window_[test];
            const size_t i = CommonPrefix(key, other);
            if (i >= matchLength) {
                matchLength = i;
                matchPosition = test;
                if (matchLength >= kLookAhead) {
                    Replace(test, n);
                    if (top == test) top = n;
                    return matchLength;
                }
            }
            uint32_t& child = key[i] > other[i] ? nodes_[test].larger : nodes_[test].smaller;
            if (child == kUnused) {
                child = n;
                nodes_[n] = {test, kUnused, kUnused};
                if (top == kUnused) top = n;
                return matchLength;
            }
            test = child;
        }
    }

    void Delete(uint32_t p) {
        Node& node = nodes_[p];
        if (node.parent == kUnused) return;
        if (p == kUnused) {
            // Node 0's parent field is whatever the last unlink left there.
            const Node& stale = nodes_[node.parent];
            if (stale.smaller != kUnused && stale.larger != kUnused &&
                (node.parent == kTreeRoot || stale.parent != kUnused))
                indexed_ = false;
        }
        const uint8_t first = window_[p];
        if (node.larger == kUnused || node.smaller == kUnused) {
            const uint32_t child = node.larger == kUnused ? node.smaller : node.larger;
            Contract(p, child);
            if (indexed_ && top_[first] == p) top_[first] = Descend(child, first);
            return;
        }
        // The string just before p in the tree's order takes p's place. Of its own first byte's
        // strings it is the last; where their highest node lies on the way down to it (below
        // p), it becomes their highest node.
        uint32_t next = node.smaller;
        uint32_t highestOfNext = kUnused;
        for (;; next = nodes_[next].larger) {
            if (highestOfNext == kUnused || window_[next] != window_[highestOfNext])
                highestOfNext = next;
            if (nodes_[next].larger == kUnused) break;
        }
        Contract(next, nodes_[next].smaller);
        Replace(p, next);
        if (!indexed_) return;
        const uint8_t nextFirst = window_[next];
        if (top_[first] == p)
            top_[first] = nextFirst == first ? next : Descend(nodes_[next].larger, first);
        if (nextFirst != first && top_[nextFirst] == highestOfNext) top_[nextFirst] = next;
    }

  private:
    struct Node {
        uint32_t parent = kUnused, smaller = kUnused, larger = kUnused;
    };

    // The highest node below `from` (itself included) whose string starts with `first`.
    uint32_t Descend(uint32_t from, uint8_t first) const {
        while (from != kUnused && window_[from] != first)
            from = window_[from] > first ? nodes_[from].smaller : nodes_[from].larger;
        return from;
    }

    void Contract(uint32_t old, uint32_t replacement) {
        const uint32_t parent = nodes_[old].parent;
        nodes_[replacement].parent = parent;
        if (nodes_[parent].larger == old)
            nodes_[parent].larger = replacement;
        else
            nodes_[parent].smaller = replacement;
        nodes_[old].parent = kUnused;
    }

    void Replace(uint32_t old, uint32_t replacement) {
        const uint32_t parent = nodes_[old].parent;
        if (nodes_[parent].smaller == old)
            nodes_[parent].smaller = replacement;
        else
            nodes_[parent].larger = replacement;
        nodes_[replacement] = nodes_[old];
        nodes_[nodes_[replacement].smaller].parent = replacement;
        nodes_[nodes_[replacement].larger].parent = replacement;
        nodes_[old].parent = kUnused;
    }

    std::vector<uint8_t> window_;
    std::vector<Node> nodes_;
    std::array<uint32_t, 256> top_;  // per first byte: the highest node of its strings
    bool indexed_ = true;            // the tree is still a search tree of its strings
};

// Items gathered into groups of a flag byte and up to 8 items.
class GroupWriter {
  public:
    explicit GroupWriter(Bytes& out) : out_(out) {}
    void Literal(uint8_t c) {
        Open();
        out_[flagAt_] |= uint8_t(1u << items_);
        out_.push_back(c);
        Close();
    }
    void Copy(uint32_t position, size_t length) {
        Open();
        out_.push_back(uint8_t(((length - kBreakEven - 1) << 4) | (position >> 8)));
        out_.push_back(uint8_t(position & 0xff));
        Close();
    }

  private:
    void Open() {
        if (items_ == 0) {
            flagAt_ = out_.size();
            out_.push_back(0);
        }
    }
    void Close() {
        if (++items_ == 8) items_ = 0;
    }
    Bytes& out_;
    size_t flagAt_ = 0;
    unsigned items_ = 0;
};

}  // namespace

Bytes LzssEncode(const uint8_t* data, size_t length) {
    Bytes out;
    out.reserve(length + length / 8 + 16);
    GroupWriter writer(out);
    LzssTree tree;
    size_t next = 0;  // the next input byte
    uint32_t current = 1;
    size_t ahead = 0;
    for (; ahead < kLookAhead && next < length; ++ahead) tree.Set(current + ahead, data[next++]);
    tree.Init(current);
    size_t matchLength = 0;
    uint32_t matchPosition = 0;
    while (ahead > 0) {
        if (matchLength > ahead) matchLength = ahead;
        size_t replace = 1;
        if (matchLength <= kBreakEven) {
            writer.Literal(tree.At(current));
        } else {
            writer.Copy(matchPosition, matchLength);
            replace = matchLength;
        }
        for (size_t i = 0; i < replace; ++i) {
            const uint32_t incoming = uint32_t((current + kLookAhead) & kRingMask);
            tree.Delete(incoming);
            if (next < length)
                tree.Set(incoming, data[next++]);
            else
                --ahead;
            current = uint32_t((current + 1) & kRingMask);
            if (ahead) matchLength = tree.Add(current, matchPosition);
        }
    }
    return out;
}

}  // namespace tablon
