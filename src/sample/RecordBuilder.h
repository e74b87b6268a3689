// Writing records through their field tables: a builder sets fields by name, so that every
// layout is described once (in its field table), and a table buffer holds a whole record file
// in memory until it is written in one go.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "store/FieldTable.h"
#include "store/FileSet.h"

namespace tablon {

// A field name that is not in the table, a value that does not fit its field, or a value of
// the wrong kind: always a mistake in the code that builds the record.
class BuildError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class RecordBuilder {
  public:
    explicit RecordBuilder(const FieldTable& table);

    const FieldTable& Table() const { return table_; }
    // Directs the following calls at record (Table().size bytes).
    RecordBuilder& Target(uint8_t* record) {
        record_ = record;
        return *this;
    }

    // Sets a field (element 0 of an array). Integers fit when they fit the field's width as a
    // signed or as an unsigned number (the stored bits are the same); floats go into float
    // fields only; texts into text fields, zero-padded, and must not be longer than the field.
    template <typename V>
    RecordBuilder& Set(std::string_view name, const V& value) {
        return SetAt(name, 0, value);
    }
    template <typename V>
    RecordBuilder& SetAt(std::string_view name, size_t element, const V& value) {
        const Field& f = Lookup(name);
        if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
            StoreInteger(f, element, static_cast<int64_t>(value));
        } else if constexpr (std::is_floating_point_v<V>) {
            StoreFloat(f, element, static_cast<double>(value));
        } else {
            StoreText(f, element, std::string_view(value));
        }
        return *this;
    }
    // Sets the elements of an array field from the front, one value each.
    template <typename Range>
    RecordBuilder& SetArray(std::string_view name, const Range& values) {
        size_t i = 0;
        for (const auto& v : values) SetAt(name, i++, v);
        return *this;
    }

  private:
    const Field& Lookup(std::string_view name) const;
    uint8_t* ElementPointer(const Field& f, size_t element) const;
    void StoreInteger(const Field& f, size_t element, int64_t value);
    void StoreFloat(const Field& f, size_t element, double value);
    void StoreText(const Field& f, size_t element, std::string_view text);

    const FieldTable& table_;
    std::unordered_map<std::string_view, const Field*> byName_;
    // Recently used fields by the address of the name they were asked for (callers pass the
    // same literals again and again); a hit is confirmed by comparing the name.
    mutable std::array<const Field*, 64> recent_{};
    uint8_t* record_ = nullptr;
};

// A whole record file of the common layout in memory: the header, then count zeroed records
// of the file's memory size (the sample writes current layouts only, whose file form is the
// memory form).
class TableBuffer {
  public:
    TableBuffer(FileId id, uint32_t count);

    FileId Id() const { return id_; }
    uint32_t Count() const { return count_; }
    uint16_t RecordSize() const { return size_; }
    uint8_t* Record(uint32_t index) { return bytes_.data() + header_ + size_t(index) * size_; }
    const uint8_t* Record(uint32_t index) const {
        return bytes_.data() + header_ + size_t(index) * size_;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    // Writes the file into dir under its own name, replacing what was there.
    bool Write(const std::string& dir, std::string& error) const;

  private:
    FileId id_;
    uint32_t count_;
    uint16_t size_;
    uint32_t header_;
    std::vector<uint8_t> bytes_;
};

}  // namespace tablon
