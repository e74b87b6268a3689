// The radar record of "vantor.rcd" in its 58-byte memory form; files of 56-byte records have
// no flag word.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

enum RadarFlag : uint16_t {
    kRadarNctr = 0x01,
    kRadarTws = 0x02,
    kRadarTfr = 0x04,
    kRadarAirToAir = 0x08,
    kRadarAirToGround = 0x10,
    kRadarPulse = 0x20,
    kRadarDoppler = 0x40,
};

struct RadarRecord : RecordBytes<58> {
    enum Offset : uint16_t {
        kSound = 0,
        kSymbol = 4,
        kDataIndex = 6,
        kRwrGain = 8,
        kLowRwrGain = 12,
        kRange = 16,
        kBeamWidth = 20,
        kAzimuth = 24,
        kSweepTime = 28,
        kLockTime = 32,
        kLookDownRange = 36,
        kEcmRange = 40,
        kBeamDistance = 44,
        kMinDoppler = 48,
        kChaffChance = 52,
        kFlags = 56,
    };

    float Range() const { return Get<float>(kRange); }
    uint16_t Flags() const { return Get<uint16_t>(kFlags); }
};

const FieldTable& RadarFields();

}  // namespace tablon
