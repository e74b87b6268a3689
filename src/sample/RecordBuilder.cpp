#include "sample/RecordBuilder.h"

#include <cstdio>
#include <cstring>

#include "store/Bytes.h"

namespace tablon {

RecordBuilder::RecordBuilder(const FieldTable& table) : table_(table) {
    for (const auto& f : table_.fields) byName_.emplace(f.name, &f);
}

const Field& RecordBuilder::Lookup(std::string_view name) const {
    const uint64_t key = reinterpret_cast<uintptr_t>(name.data()) * 0x9e3779b97f4a7c15ull;
    const Field*& slot = recent_[key >> 58];  // 64 slots
    if (slot && name == slot->name) return *slot;
    auto it = byName_.find(name);
    if (it == byName_.end())
        throw BuildError(std::string(table_.record) + " has no field " + std::string(name));
    slot = it->second;
    return *slot;
}

uint8_t* RecordBuilder::ElementPointer(const Field& f, size_t element) const {
    if (!record_) throw BuildError(std::string(table_.record) + ": no record to build");
    const size_t elements = IsArray(f) ? f.count : 1;
    if (element >= elements)
        throw BuildError(std::string(f.name) + " has no element " + std::to_string(element));
    return record_ + f.offset + element * ElementWidth(f.type);
}

void RecordBuilder::StoreInteger(const Field& f, size_t element, int64_t value) {
    uint8_t* p = ElementPointer(f, element);
    const size_t width = ElementWidth(f.type);
    switch (f.type) {
        case FieldType::I8:
        case FieldType::U8:
        case FieldType::I16:
        case FieldType::U16:
        case FieldType::I32:
        case FieldType::U32: {
            const int64_t low = -(int64_t(1) << (8 * width - 1));
            const int64_t high = (int64_t(1) << (8 * width)) - 1;
            if (value < low || value > high)
                throw BuildError(std::string(f.name) + " cannot hold " + std::to_string(value));
            const uint64_t bits = static_cast<uint64_t>(value);
            for (size_t k = 0; k < width; ++k) p[k] = uint8_t(bits >> (8 * k));
            return;
        }
        case FieldType::F32:
            StoreLE<float>(p, static_cast<float>(value));
            return;
        case FieldType::Text:
        case FieldType::Raw:
            break;
    }
    throw BuildError(std::string(f.name) + " takes no integer");
}

void RecordBuilder::StoreFloat(const Field& f, size_t element, double value) {
    if (f.type != FieldType::F32) throw BuildError(std::string(f.name) + " takes no float");
    StoreLE<float>(ElementPointer(f, element), static_cast<float>(value));
}

void RecordBuilder::StoreText(const Field& f, size_t element, std::string_view text) {
    if (f.type != FieldType::Text) throw BuildError(std::string(f.name) + " takes no text");
    uint8_t* p = ElementPointer(f, element);
    if (text.size() > f.count)
        throw BuildError(std::string(f.name) + " cannot hold \"" + std::string(text) + "\"");
    std::memcpy(p, text.data(), text.size());
    std::memset(p + text.size(), 0, f.count - text.size());
}

TableBuffer::TableBuffer(FileId id, uint32_t count)
    : id_(id),
      count_(count),
      size_(DescOf(id).memSize),
      header_(DescOf(id).header == HeaderKind::Sound ? 8 : 2) {
    const FileDesc& desc = DescOf(id);
    if (desc.header == HeaderKind::Model) throw BuildError("no table buffer for model files");
    if (desc.header == HeaderKind::Count16 && count > 0xffff)
        throw BuildError(std::string(desc.name) + " holds at most 65535 records");
    bytes_.assign(header_ + size_t(count) * size_, 0);
    if (desc.header == HeaderKind::Sound) {
        StoreLE<uint32_t>(bytes_.data(), 0);  // version 0: 128-byte records
        StoreLE<uint32_t>(bytes_.data() + 4, count);
    } else {
        StoreLE<uint16_t>(bytes_.data(), uint16_t(count));
    }
}

bool TableBuffer::Write(const std::string& dir, std::string& error) const {
    const std::string path = dir + "/" + DescOf(id_).name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = "cannot create " + path;
        return false;
    }
    bool ok = std::fwrite(bytes_.data(), 1, bytes_.size(), f) == bytes_.size();
    if (std::fclose(f) != 0) ok = false;
    if (!ok) error = "cannot write " + path;
    return ok;
}

}  // namespace tablon
