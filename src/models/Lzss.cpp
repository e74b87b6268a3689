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

// The first kHeadLength bytes of the string at p, as a number that orders like them.
constexpr size_t kHeadLength = 6;
uint64_t HeadAt(const uint8_t* p) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    if constexpr (std::endian::native == std::endian::little) x = __builtin_bswap64(x);
    return x >> (64 - 8 * kHeadLength);
}

constexpr unsigned kHeadSlotBits = 12;
size_t HeadSlot(uint64_t head) {
    return size_t((head * 0x9E3779B97F4A7C15u) >> (64 - kHeadSlotBits));
}

// The window and the search tree of the strings starting at each window position. The window's
// first look-ahead bytes are mirrored behind its end, so that a string starting anywhere in it
// can be compared without wrapping, eight bytes at a time.
//
// The strings that share a prefix form one stretch of the tree's order, so the highest node
// among them is an ancestor of all of them and the walk for any string with that prefix passes
// through it. Everything met above it shares less with the string than it does and can never be
// the match. So next to the tree it keeps the highest node of every first byte, and of as many
// heads (first kHeadLength bytes) as a small table holds: a head's slot holds the highest node of
// that node's own head, or a node of another head that hashes alike. A walk starts at the
// highest node of the string's head if the table has it, else of its first byte, and teaches
// the table the head's highest node it meets. The same tree, the same match, without the upper
// levels of the tree that repetitive data builds.
//
// Position 0 is never entered, and 0 is also the "no node" link, so the tree writes node 0's
// parent field in passing and deleting position 0 acts on whatever that field holds. Mostly that
// changes nothing; when it does unlink a subtree, the tree stops being a search tree of its
// strings and the highest nodes no longer hold: from then on every walk starts at the root,
// exactly as the tree has always done.
class LzssTree {
  public:
    LzssTree() : window_(kRingSize + kLookAhead + 8, 0), nodes_(kRingSize + 1) {
        first_.fill(kUnused);
        heads_.fill(kUnused);
        inHeads_.fill(false);
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
        Thread(r, kUnused, kUnused);
        first_[window_[r]] = r;
        PutHead(heads_[HeadSlot(HeadAt(&window_[r]))], r);
    }

    // Enters the string at position n and finds the longest match among the strings already
    // entered (the last one met among equal lengths).
    size_t Add(uint32_t n, uint32_t& matchPosition) {
        if (n == kUnused) {
            previousLength_ = 0;
            return 0;
        }
        size_t length;
        if (!indexed_)
            length = AddFrom(nodes_[kTreeRoot].larger, n, matchPosition);
        else if (!AddNear(n, matchPosition, length))
            length = AddIndexed(n, matchPosition);
        previousMatch_ = matchPosition;
        previousLength_ = length;
        return length;
    }

    // The walk from the highest node of the string's head or first byte.
    size_t AddIndexed(uint32_t n, uint32_t& matchPosition) {
        const uint8_t* key = &window_[n];
        uint32_t& first = first_[key[0]];
        const uint64_t head = HeadAt(key);
        uint16_t& headSlot = heads_[HeadSlot(head)];
        const bool headKnown = headSlot != kUnused && HeadAt(&window_[headSlot]) == head;
        uint32_t test = headKnown ? headSlot : first != kUnused ? first : nodes_[kTreeRoot].larger;
        uint32_t headMet = kUnused;  // the first node met that shares the head
        size_t matchLength = 0;
        while (true) {
            const uint8_t* other = &window_[test];
            const size_t i = CommonPrefix(key, other);
            if (i >= matchLength) {
                if (i >= kHeadLength && headMet == kUnused) headMet = test;
                matchLength = i;
                matchPosition = test;
                if (matchLength >= kLookAhead) {
                    // n takes test's place, with the same bytes.
                    Replace(test, n);
                    Thread(n, before_[test], after_[test]);
                    if (first == test) first = n;
                    if (headSlot == test || !headKnown)
                        PutHead(headSlot, headMet == test ? n : headMet);
                    return matchLength;
                }
            }
            const bool larger = key[i] > other[i];
            uint32_t& child = Link(test, larger);
            if (child == kUnused) {
                child = n;
                nodes_[n] = {test, kUnused, kUnused};
                if (larger)
                    Thread(n, test, after_[test]);
                else
                    Thread(n, before_[test], test);
                // A prefix the walk never met had no strings: n is their highest now.
                if (first == kUnused) first = n;
                if (!headKnown) PutHead(headSlot, headMet != kUnused ? headMet : n);
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
        const uint8_t firstByte = window_[p];
        if (node.larger == kUnused || node.smaller == kUnused) {
            const uint32_t child = node.larger == kUnused ? node.smaller : node.larger;
            Contract(p, child);
            if (!indexed_) return;
            if (p != kUnused) Unthread(p);
            if (first_[firstByte] == p) first_[firstByte] = DescendFirst(child, firstByte);
            if (inHeads_[p]) {
                const uint64_t head = HeadAt(&window_[p]);
                PutHead(heads_[HeadSlot(head)], DescendHead(child, head));
            }
            return;
        }
        // The string just before p in the tree's order takes p's place, so it rises above the
        // nodes on the way down to it. Its first byte's and its head's highest nodes may be
        // among them: the first nodes on the way that share them.
        uint32_t next = node.smaller;
        uint32_t firstOfByte = next, firstOfHead = next;
        uint64_t runHead = HeadAt(&window_[next]);
        for (uint32_t x = nodes_[next].larger; x != kUnused; x = nodes_[x].larger) {
            next = x;
            if (window_[x] != window_[firstOfByte]) firstOfByte = x;
            const uint64_t head = HeadAt(&window_[x]);
            if (head != runHead) {
                firstOfHead = x;
                runHead = head;
            }
        }
        Contract(next, nodes_[next].smaller);
        Replace(p, next);
        if (!indexed_) return;
        if (p != kUnused) Unthread(p);
        const uint8_t nextByte = window_[next];
        if (first_[firstByte] == p)
            first_[firstByte] =
                nextByte == firstByte ? next : DescendFirst(nodes_[next].larger, firstByte);
        if (nextByte != firstByte && first_[nextByte] == firstOfByte) first_[nextByte] = next;
        if (inHeads_[p]) {
            const uint64_t head = HeadAt(&window_[p]);
            PutHead(heads_[HeadSlot(head)],
                    runHead == head ? next : DescendHead(nodes_[next].larger, head));
        }
        if (inHeads_[firstOfHead]) PutHead(heads_[HeadSlot(runHead)], next);
    }

  private:
    struct Node {
        uint32_t parent = kUnused, smaller = kUnused, larger = kUnused;
    };

    uint32_t& Link(uint32_t node, bool larger) {
        return larger ? nodes_[node].larger : nodes_[node].smaller;
    }

    // The string after the previous match shares all but its first byte with the string after
    // the previous one, so it usually stands right next to it in the tree's order. When it does
    // (the string lies between it and its neighbour on that side) the match is one of the two:
    // the one that shares more, of equals the deeper one, which is the one the new node hangs
    // from. That is what the walk from the root would find, without the walk.
    bool AddNear(uint32_t n, uint32_t& matchPosition, size_t& length) {
        if (previousLength_ == 0) return false;
        const uint32_t x = uint32_t((previousMatch_ + 1) & kRingMask);
        if (x == kUnused || nodes_[x].parent == kUnused) return false;
        const uint8_t* key = &window_[n];
        const size_t sharedX = CommonPrefix(key, &window_[x]);
        if (sharedX == kLookAhead) {
            // n takes x's place, with the same bytes.
            Replace(x, n);
            Thread(n, before_[x], after_[x]);
            if (first_[key[0]] == x) first_[key[0]] = n;
            if (inHeads_[x]) PutHead(heads_[HeadSlot(HeadAt(key))], n);
            matchPosition = x;
            length = kLookAhead;
            return true;
        }
        const bool larger = key[sharedX] > window_[x + sharedX];
        const uint32_t y = larger ? after_[x] : before_[x];
        // Where x has no child on that side the new node hangs there, else it hangs from y, which
        // then has none on the other.
        const uint32_t parent = Link(x, larger) == kUnused ? x : y;
        size_t sharedY = 0;
        if (y != kUnused) {
            sharedY = CommonPrefix(key, &window_[y]);
            if (sharedY == kLookAhead || (key[sharedY] > window_[y + sharedY]) == larger)
                return false;
        }
        Link(parent, parent == x ? larger : !larger) = n;
        nodes_[n] = {parent, kUnused, kUnused};
        if (larger)
            Thread(n, x, y);
        else
            Thread(n, y, x);
        // A prefix neither neighbour shares had no strings: n is their highest now.
        if (first_[key[0]] == kUnused) first_[key[0]] = n;
        if (sharedX < kHeadLength && sharedY < kHeadLength)
            PutHead(heads_[HeadSlot(HeadAt(key))], n);
        matchPosition = sharedX > sharedY ? x : sharedY > sharedX ? y : parent;
        length = sharedX > sharedY ? sharedX : sharedY;
        return true;
    }

    // Links n into the tree's order between below and above (either may be kUnused).
    void Thread(uint32_t n, uint32_t below, uint32_t above) {
        before_[n] = uint16_t(below);
        after_[n] = uint16_t(above);
        after_[below] = uint16_t(n);
        before_[above] = uint16_t(n);
    }

    void Unthread(uint32_t p) {
        after_[before_[p]] = after_[p];
        before_[after_[p]] = before_[p];
    }

    // The walk as the tree has always done it, from the given node down.
    size_t AddFrom(uint32_t test, uint32_t n, uint32_t& matchPosition) {
        const uint8_t* key = &window_[n];
        size_t matchLength = 0;
        while (true) {
            const uint8_t* other = &window_[test];
            const size_t i = CommonPrefix(key, other);
            if (i >= matchLength) {
                matchLength = i;
                matchPosition = test;
                if (matchLength >= kLookAhead) {
                    Replace(test, n);
                    return matchLength;
                }
            }
            uint32_t& child = key[i] > other[i] ? nodes_[test].larger : nodes_[test].smaller;
            if (child == kUnused) {
                child = n;
                nodes_[n] = {test, kUnused, kUnused};
                return matchLength;
            }
            test = child;
        }
    }

    // Puts a node into a head slot, keeping track of which nodes the slots hold.
    void PutHead(uint16_t& slot, uint32_t node) {
        inHeads_[slot] = false;
        inHeads_[node] = node != kUnused;
        slot = uint16_t(node);
    }

    // The highest node below `from` (itself included) whose string starts with `byte`.
    uint32_t DescendFirst(uint32_t from, uint8_t byte) const {
        while (from != kUnused && window_[from] != byte)
            from = window_[from] > byte ? nodes_[from].smaller : nodes_[from].larger;
        return from;
    }

    // The same for a head.
    uint32_t DescendHead(uint32_t from, uint64_t head) const {
        while (from != kUnused) {
            const uint64_t h = HeadAt(&window_[from]);
            if (h == head) break;
            from = h > head ? nodes_[from].smaller : nodes_[from].larger;
        }
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
    std::array<uint32_t, 256> first_;                         // per first byte
    std::array<uint16_t, size_t(1) << kHeadSlotBits> heads_;  // per head slot
    std::array<bool, kRingSize + 1> inHeads_;                 // the nodes heads_ holds
    bool indexed_ = true;  // the tree is still a search tree of its strings
    // Per node in the tree: the nodes just before and after it in the tree's order.
    std::array<uint16_t, kRingSize + 1> before_{}, after_{};
    uint32_t previousMatch_ = 0;  // what the last Add found
    size_t previousLength_ = 0;
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
