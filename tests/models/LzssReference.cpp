#include "models/LzssReference.h"

#include <array>
#include <memory>

namespace tablon::test {
namespace {

constexpr unsigned kRing = 4096;
constexpr unsigned kAhead = 17;
constexpr unsigned kNil = 0;  // ring position 0 never enters the tree
constexpr unsigned kHead = kRing;

struct Tree {
    std::array<uint8_t, kRing> ring{};
    std::array<unsigned, kRing + 1> up{}, left{}, right{};

    uint8_t Byte(unsigned position) const { return ring[position % kRing]; }

    // Hangs `by` where `gone` hangs, with gone's children.
    void Substitute(unsigned gone, unsigned by) {
        unsigned& link = left[up[gone]] == gone ? left[up[gone]] : right[up[gone]];
        link = by;
        up[by] = up[gone];
        left[by] = left[gone];
        right[by] = right[gone];
        up[left[by]] = by;
        up[right[by]] = by;
        up[gone] = kNil;
    }

    // Inserts the string at n; returns the longest match and where (the last found of equal
    // length).
    unsigned Insert(unsigned n, unsigned& where) {
        if (n == kNil) return 0;
        unsigned best = 0;
        unsigned node = right[kHead];
        for (;;) {
            unsigned same = 0;
            while (same < kAhead && Byte(n + same) == Byte(node + same)) ++same;
            if (same >= best) {
                best = same;
                where = node;
            }
            if (same == kAhead) {
                Substitute(node, n);
                return best;
            }
            const bool bigger = Byte(n + same) > Byte(node + same);
            unsigned& next = bigger ? right[node] : left[node];
            if (next == kNil) {
                next = n;
                up[n] = node;
                left[n] = right[n] = kNil;
                return best;
            }
            node = next;
        }
    }

    void Remove(unsigned p) {
        if (up[p] == kNil) return;
        if (left[p] != kNil && right[p] != kNil) {
            unsigned before = left[p];
            while (right[before] != kNil) before = right[before];
            Remove(before);
            Substitute(p, before);
            return;
        }
        const unsigned child = left[p] != kNil ? left[p] : right[p];
        unsigned& link = right[up[p]] == p ? right[up[p]] : left[up[p]];
        link = child;
        up[child] = up[p];
        up[p] = kNil;
    }
};

}  // namespace

Bytes ReferenceLzssEncode(const uint8_t* data, size_t length) {
    Bytes out;
    auto tree = std::make_unique<Tree>();
    size_t read = 0;
    unsigned at = 1;
    unsigned filled = 0;
    while (filled < kAhead && read < length) tree->ring[(at + filled++) % kRing] = data[read++];
    tree->right[kHead] = at;
    tree->up[at] = kHead;
    unsigned best = 0, where = 0;
    size_t flagByte = 0;
    unsigned items = 0;
    while (filled > 0) {
        if (items % 8 == 0) {
            flagByte = out.size();
            out.push_back(0);
        }
        if (best > filled) best = filled;
        unsigned step = 1;
        if (best < 2) {
            out[flagByte] |= uint8_t(1u << (items % 8));
            out.push_back(tree->Byte(at));
        } else {
            out.push_back(uint8_t((best - 2) << 4 | where >> 8));
            out.push_back(uint8_t(where));
            step = best;
        }
        ++items;
        while (step--) {
            const unsigned oldest = (at + kAhead) % kRing;
            tree->Remove(oldest);
            if (read < length)
                tree->ring[oldest] = data[read++];
            else
                --filled;
            at = (at + 1) % kRing;
            if (filled > 0) best = tree->Insert(at, where);
        }
    }
    return out;
}

}  // namespace tablon::test
