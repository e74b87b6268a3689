// The objective record of "vantor.ocd": 54 bytes. An objective owns the run of feature entries
// first_feature_entry .. + feature_entry_count - 1 of "vantor.fed" and the chain of point
// headers of "vantor.phd" that starts at first_point_header (0: none).
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct ObjectiveRecord : RecordBytes<54> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kName = 2,
        kDataRate = 22,
        kDeagDistance = 24,
        kFirstPointHeader = 26,
        kDetection = 28,
        kDamage = 36,
        kReserved = 47,
        kIconId = 48,
        kFeatureEntryCount = 50,
        kRadarFeature = 51,
        kFirstFeatureEntry = 52,
    };
    static constexpr size_t kNameSize = 20;  // 19 characters and a terminating zero

    int16_t CtIndex() const { return Get<int16_t>(kCtIndex); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
    bool Empty() const { return b[kName] == 0; }
    // The run and chain indices are 16-bit fields; files may hold up to 65,535 records.
    uint16_t FirstPointHeader() const { return Get<uint16_t>(kFirstPointHeader); }
    uint8_t FeatureEntryCount() const { return b[kFeatureEntryCount]; }
    uint16_t FirstFeatureEntry() const { return Get<uint16_t>(kFirstFeatureEntry); }
};

const FieldTable& ObjectiveFields();

}  // namespace tablon
