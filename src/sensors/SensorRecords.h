// The small sensor records: infrared sensors ("vantor.icd", 20 bytes), radar-warning receivers
// ("vantor.rwd", 22 bytes in memory; files of 20-byte records have no flag word) and visual
// sensors ("vantor.vsd", 20 bytes). Angles are in radians.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct IrSensorRecord : RecordBytes<20> {
    enum Offset : uint16_t {
        kRange = 0,
        kFov = 4,
        kGimbalLimit = 8,
        kGroundFactor = 12,
        kFlareChance = 16,
    };
};

// The first 20 bytes of the radar-warning and the visual-sensor records.
enum ScanOffset : uint16_t {
    kScanRange = 0,
    kScanTop = 4,
    kScanBottom = 8,
    kScanLeft = 12,
    kScanRight = 16,
};

enum RwrFlag : uint16_t {
    kRwrExactHeading = 0x1,
    kRwrVagueDirection = 0x2,
    kRwrExactType = 0x4,
    kRwrTypeGroup = 0x8,
};

struct RwrRecord : RecordBytes<22> {
    static constexpr uint16_t kFlags = 20;
    uint16_t Flags() const { return Get<uint16_t>(kFlags); }
};

struct VisualSensorRecord : RecordBytes<20> {};

const FieldTable& IrSensorFields();
const FieldTable& RwrFields();
const FieldTable& VisualSensorFields();

}  // namespace tablon
