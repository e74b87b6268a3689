// The aircraft-data record of "vantor.acd": thirteen 32-bit fields, 52 bytes.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

// Sensor types of an aircraft-data sensor; types 0 to 3 index a sensor file.
enum SensorType : int32_t {
    kSensorNone = -1,
    kSensorIrst = 0,
    kSensorRadar = 1,
    kSensorRwr = 2,
    kSensorVisual = 3,
    kSensorHts = 4,
    kSensorTargetingPod = 5,
    kSensorRadarHoming = 6,
};

struct AircraftDataRecord : RecordBytes<52> {
    enum Offset : uint16_t {
        kCombatClass = 0,
        kAirframe = 4,
        kIrSignature = 8,
        kSensorTypes = 12,
        kSensorIndices = 32,
    };
    static constexpr int kSensors = 5;

    int32_t SensorType(int i) const { return Get<int32_t>(kSensorTypes + 4 * i); }
    int32_t SensorIndex(int i) const { return Get<int32_t>(kSensorIndices + 4 * i); }
    void SetSensor(int i, int32_t type, int32_t index) {
        Set<int32_t>(kSensorTypes + 4 * i, type);
        Set<int32_t>(kSensorIndices + 4 * i, index);
    }
};

const FieldTable& AircraftDataFields();

}  // namespace tablon
