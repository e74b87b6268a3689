// Field tables: each record type is described once, as a list of named fields at offsets.
// List columns, the command line's show and set, JSON dumps and tests all read these tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileSet.h"

namespace tablon {

enum class FieldType : uint8_t { I8, U8, I16, U16, I32, U32, F32, Text, Raw };

struct Field {
    const char* name;  // identifier used by the command line and JSON (lower_snake_case)
    uint16_t offset;
    FieldType type;
    uint16_t count = 1;           // array elements; for Text and Raw the width in bytes
    const char* title = nullptr;  // list column title, where a list shows the field
    const char* label = nullptr;  // dialog label, where a dialog shows it
    // Texts keep a terminating zero (at most count - 1 characters) unless they are codes that
    // may fill their whole field.
    bool zeroTerminated = true;
};

struct FieldTable {
    const char* record;  // record type name ("CtRecord")
    uint16_t size;       // memory size of the record
    std::vector<Field> fields;

    const Field* Find(std::string_view name) const;
};

size_t ElementWidth(FieldType t);
size_t FieldWidth(const Field& f);
bool IsArray(const Field& f);

// The value of element i of a field as text: integers in decimal, floats in the shortest
// form that reads back to the same bits, texts as they stand, raw bytes as hexadecimal.
std::string FormatElement(const Field& f, const uint8_t* record, size_t i = 0);
// The whole field as JSON (numbers, strings, arrays).
std::string FormatJson(const Field& f, const uint8_t* record);
std::string JsonQuote(std::string_view s);
// A float in the shortest form that reads back to the same bits ("nan", "inf", "-inf" for
// those); as JSON, those three quoted.
std::string FloatText(float v);
std::string FloatJson(float v);

// Parses text into element i of a field; on failure returns false and says why.
bool ParseElement(const Field& f, uint8_t* record, size_t i, std::string_view text,
                  std::string& error);
// Parses "v" (single field), "v1,v2,..." (a whole array) into a field.
bool ParseField(const Field& f, uint8_t* record, std::string_view text, std::string& error);

// The field table of the records of a file of the set.
const FieldTable& FieldTableOf(FileId id);

}  // namespace tablon
