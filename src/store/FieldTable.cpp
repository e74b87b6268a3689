#include "store/FieldTable.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "store/Bytes.h"

namespace tablon {

const Field* FieldTable::Find(std::string_view name) const {
    for (const auto& f : fields)
        if (name == f.name) return &f;
    return nullptr;
}

size_t ElementWidth(FieldType t) {
    switch (t) {
        case FieldType::I8:
        case FieldType::U8:
        case FieldType::Text:
        case FieldType::Raw:
            return 1;
        case FieldType::I16:
        case FieldType::U16:
            return 2;
        case FieldType::I32:
        case FieldType::U32:
        case FieldType::F32:
            return 4;
    }
    return 1;
}

size_t FieldWidth(const Field& f) {
    return ElementWidth(f.type) * f.count;
}

bool IsArray(const Field& f) {
    return f.count > 1 && f.type != FieldType::Text && f.type != FieldType::Raw;
}

std::string FloatText(float v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string FloatJson(float v) {
    const std::string t = FloatText(v);
    return std::isfinite(v) ? t : JsonQuote(t);
}

namespace {

template <typename T>
bool ParseInt(std::string_view text, T& out) {
    long long v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    bool neg = false;
    if (b < e && (*b == '-' || *b == '+')) {
        neg = *b == '-';
        ++b;
    }
    int base = 10;
    if (e - b > 2 && b[0] == '0' && (b[1] == 'x' || b[1] == 'X')) {
        base = 16;
        b += 2;
    }
    unsigned long long u = 0;
    auto r = std::from_chars(b, e, u, base);
    if (r.ec != std::errc() || r.ptr != e || b == e) return false;
    if (u > static_cast<unsigned long long>(std::numeric_limits<long long>::max())) return false;
    v = neg ? -static_cast<long long>(u) : static_cast<long long>(u);
    if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
        (v > 0 && static_cast<unsigned long long>(v) > std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(v);
    return true;
}

template <typename T>
bool StoreInt(uint8_t* p, std::string_view text, std::string& error, const Field& f) {
    T v{};
    if (!ParseInt(text, v)) {
        error =
            std::string("not an integer in range for ") + f.name + ": " + std::string(text) + " (" +
            std::to_string(static_cast<long long>(std::numeric_limits<T>::min())) + " to " +
            std::to_string(static_cast<unsigned long long>(std::numeric_limits<T>::max())) + ")";
        return false;
    }
    StoreLE<T>(p, v);
    return true;
}

}  // namespace

std::string FormatElement(const Field& f, const uint8_t* record, size_t i) {
    const uint8_t* p = record + f.offset + i * ElementWidth(f.type);
    switch (f.type) {
        case FieldType::I8:
            return std::to_string(static_cast<int8_t>(*p));
        case FieldType::U8:
            return std::to_string(*p);
        case FieldType::I16:
            return std::to_string(LoadLE<int16_t>(p));
        case FieldType::U16:
            return std::to_string(LoadLE<uint16_t>(p));
        case FieldType::I32:
            return std::to_string(LoadLE<int32_t>(p));
        case FieldType::U32:
            return std::to_string(LoadLE<uint32_t>(p));
        case FieldType::F32:
            return FloatText(LoadLE<float>(p));
        case FieldType::Text:
            return LoadText(record + f.offset, f.count);
        case FieldType::Raw: {
            std::string s;
            char buf[4];
            for (size_t k = 0; k < f.count; ++k) {
                std::snprintf(buf, sizeof buf, "%02x", record[f.offset + k]);
                s += buf;
            }
            return s;
        }
    }
    return {};
}

std::string JsonQuote(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (c < 0x20 || c >= 0x7f) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string FormatJson(const Field& f, const uint8_t* record) {
    auto one = [&](size_t i) {
        if (f.type == FieldType::Text || f.type == FieldType::Raw)
            return JsonQuote(FormatElement(f, record, i));
        std::string t = FormatElement(f, record, i);
        if (f.type == FieldType::F32 && (t == "nan" || t == "inf" || t == "-inf"))
            return JsonQuote(t);
        return t;
    };
    if (!IsArray(f)) return one(0);
    std::string s = "[";
    for (size_t i = 0; i < f.count; ++i) {
        if (i) s += ",";
        s += one(i);
    }
    return s + "]";
}

bool ParseElement(const Field& f, uint8_t* record, size_t i, std::string_view text,
                  std::string& error) {
    if (i >= (IsArray(f) ? f.count : 1u)) {
        error = std::string("no element ") + std::to_string(i) + " in " + f.name;
        return false;
    }
    uint8_t* p = record + f.offset + i * ElementWidth(f.type);
    switch (f.type) {
        case FieldType::I8:
            return StoreInt<int8_t>(p, text, error, f);
        case FieldType::U8:
            return StoreInt<uint8_t>(p, text, error, f);
        case FieldType::I16:
            return StoreInt<int16_t>(p, text, error, f);
        case FieldType::U16:
            return StoreInt<uint16_t>(p, text, error, f);
        case FieldType::I32:
            return StoreInt<int32_t>(p, text, error, f);
        case FieldType::U32:
            return StoreInt<uint32_t>(p, text, error, f);
        case FieldType::F32: {
            std::string t(text);
            char* end = nullptr;
            // A number typed by a person means the nearest float, whatever the program's
            // rounding mode is for its own arithmetic.
            const int mode = std::fegetround();
            std::fesetround(FE_TONEAREST);
            float v = std::strtof(t.c_str(), &end);
            std::fesetround(mode);
            if (t.empty() || end != t.c_str() + t.size()) {
                error = std::string("not a number for ") + f.name + ": " + t;
                return false;
            }
            // Infinities, NaN and numbers past the largest float are no values of a field.
            if (!std::isfinite(v)) {
                char range[64];
                std::snprintf(range, sizeof range, " (%g to %g)",
                              double(-std::numeric_limits<float>::max()),
                              double(std::numeric_limits<float>::max()));
                error = std::string("not a number in range for ") + f.name + ": " + t + range;
                return false;
            }
            StoreLE<float>(p, v);
            return true;
        }
        case FieldType::Text: {
            const size_t max = f.zeroTerminated ? f.count - 1u : f.count;
            if (text.size() > max || text.find('\0') != std::string_view::npos) {
                error =
                    std::string(f.name) + " holds at most " + std::to_string(max) + " characters";
                return false;
            }
            StoreText(record + f.offset, f.count, std::string(text));
            return true;
        }
        case FieldType::Raw: {
            if (text.size() != 2u * f.count) {
                error = std::string(f.name) + " takes " + std::to_string(f.count) +
                        " bytes as hexadecimal";
                return false;
            }
            uint8_t tmp[256];
            for (size_t k = 0; k < f.count && k < sizeof tmp; ++k) {
                unsigned v = 0;
                auto r = std::from_chars(text.data() + 2 * k, text.data() + 2 * k + 2, v, 16);
                if (r.ec != std::errc() || r.ptr != text.data() + 2 * k + 2) {
                    error = std::string("bad hexadecimal for ") + f.name;
                    return false;
                }
                tmp[k] = static_cast<uint8_t>(v);
            }
            std::memcpy(record + f.offset, tmp, f.count);
            return true;
        }
    }
    return false;
}

bool ParseField(const Field& f, uint8_t* record, std::string_view text, std::string& error) {
    if (!IsArray(f)) return ParseElement(f, record, 0, text, error);
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        parts.push_back(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (parts.size() != f.count) {
        error = std::string(f.name) + " takes " + std::to_string(f.count) +
                " values separated by commas";
        return false;
    }
    // Parse into a copy so that a bad element leaves the record untouched.
    std::vector<uint8_t> tmp(record + f.offset, record + f.offset + FieldWidth(f));
    Field shifted = f;
    shifted.offset = 0;
    for (size_t i = 0; i < parts.size(); ++i)
        if (!ParseElement(shifted, tmp.data(), i, parts[i], error)) return false;
    std::memcpy(record + f.offset, tmp.data(), tmp.size());
    return true;
}

}  // namespace tablon
