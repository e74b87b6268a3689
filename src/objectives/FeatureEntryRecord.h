// The feature-entry record of "vantor.fed": 32 bytes placing one feature (by class-table index)
// at an offset and heading inside an objective.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct FeatureEntryRecord : RecordBytes<32> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kFlags = 2,
        kDomain = 4,
        kClass = 5,
        kType = 6,
        kSubType = 7,
        kSpecific = 8,
        kMode = 9,
        kPad1 = 10,
        kPad2 = 11,
        kValue = 12,
        kUnk3 = 14,
        kX = 16,
        kY = 20,
        kZ = 24,
        kHeading = 28,
        kUnk5 = 30,
    };

    uint16_t CtIndex() const { return Get<uint16_t>(kCtIndex); }
    // Classification byte k (0 domain ... 5 mode), a copy of class-table bytes 8 to 13.
    uint8_t Classification(int k) const { return b[kDomain + k]; }
    float X() const { return Get<float>(kX); }
    float Y() const { return Get<float>(kY); }
    float Z() const { return Get<float>(kZ); }
    int16_t Heading() const { return Get<int16_t>(kHeading); }
};

const FieldTable& FeatureEntryFields();

}  // namespace tablon
