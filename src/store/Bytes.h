// Little-endian access to record bytes. Records are byte arrays; fields are read and written
// through these helpers, never through casts over the mapping.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace tablon {

using Bytes = std::vector<uint8_t>;

template <typename T>
inline T LoadLE(const uint8_t* p) {
    static_assert(std::is_trivially_copyable_v<T>);
    T v;
    std::memcpy(&v, p, sizeof(T));  // the platforms Tablon runs on are little-endian
    return v;
}

template <typename T>
inline void StoreLE(uint8_t* p, T v) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(p, &v, sizeof(T));
}

// A zero-terminated text of at most max bytes (without a terminator when all are used).
inline std::string LoadText(const uint8_t* p, size_t max) {
    size_t n = 0;
    while (n < max && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

// Writes text into a field of max bytes, zero-filling the rest; text longer than the field is
// cut.
inline void StoreText(uint8_t* p, size_t max, const std::string& text) {
    size_t n = text.size() < max ? text.size() : max;
    std::memcpy(p, text.data(), n);
    std::memset(p + n, 0, max - n);
}

// A record held by value: N bytes with typed accessors.
template <size_t N>
struct RecordBytes {
    static constexpr size_t kSize = N;
    uint8_t b[N] = {};

    template <typename T>
    T Get(size_t off) const {
        return LoadLE<T>(b + off);
    }
    template <typename T>
    void Set(size_t off, T v) {
        StoreLE<T>(b + off, v);
    }
    uint8_t* data() { return b; }
    const uint8_t* data() const { return b; }
    bool operator==(const RecordBytes& o) const { return std::memcmp(b, o.b, N) == 0; }
};

}  // namespace tablon
