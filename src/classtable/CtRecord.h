// The class-table record: 81 bytes, packed, little-endian.
#pragma once

#include <cstdint>
#include <optional>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct CtRecord : RecordBytes<81> {
    enum Offset : uint16_t {
        kId = 0,
        kCollisionType = 2,
        kCollisionRadius = 4,
        kDomain = 8,
        kClass = 9,
        kType = 10,
        kSubType = 11,
        kSpecific = 12,
        kMode = 13,
        kUpdateRate = 16,
        kUpdateTolerance = 20,
        kBubbleDistance = 24,
        kUpdateForceRange = 28,
        kUpdateMultiplier = 32,
        kDamageSeed = 36,
        kHitPoints = 40,
        kMajorRevision = 44,
        kMinorRevision = 46,
        kCreationPriority = 48,
        kManagementDomain = 50,
        kTransferable = 51,
        kPrivate = 52,
        kTangible = 53,
        kCollidable = 54,
        kGlobal = 55,
        kPersistent = 56,
        kGraphics = 60,
        kAltDataRef = 74,
        kDataType = 76,
        kDataRef = 77,
    };
    static constexpr int kVisualStates = 7;

    uint8_t Domain() const { return b[kDomain]; }
    uint8_t Class() const { return b[kClass]; }
    uint8_t Type() const { return b[kType]; }
    uint8_t SubType() const { return b[kSubType]; }
    uint8_t Specific() const { return b[kSpecific]; }
    uint8_t Mode() const { return b[kMode]; }
    uint8_t DataType() const { return b[kDataType]; }
    uint32_t DataRef() const { return Get<uint32_t>(kDataRef); }
    int16_t AltDataRef() const { return Get<int16_t>(kAltDataRef); }
    int16_t Graphic(int state) const { return Get<int16_t>(kGraphics + 2 * state); }
    void SetGraphic(int state, int16_t v) { Set<int16_t>(kGraphics + 2 * state, v); }
};

const FieldTable& CtFields();

// The file that holds the records of entries of a data type (features, objectives, units,
// vehicles, weapons); none for the other types.
std::optional<FileId> DataFileOf(uint8_t dataType);

}  // namespace tablon
