// The feature record of "vantor.fcd": 60 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

enum FeatureFlag : uint16_t {
    kFeatureRepairable = 0x1,
    kFeatureDontDeagg = 0x2,
    kFeatureHasLights = 0x4,
    kFeatureHasSmoke = 0x8,
    kFeatureNoHitEvaluation = 0x10,
    kFeatureFlatContainer = 0x100,
    kFeatureElevContainer = 0x200,
    kFeatureCanExplode = 0x400,
    kFeatureCanBurn = 0x800,
    kFeatureCanSmoke = 0x1000,
    kFeatureCanCollapse = 0x2000,
    kFeatureContainerTop = 0x4000,
    kFeatureContainerNext = 0x8000,
};

struct FeatureRecord : RecordBytes<60> {
    enum Offset : uint16_t {
        kCtIndex = 0,
        kRepairTime = 2,
        kPriority = 4,
        kFlags = 6,
        kName = 8,
        kHitPoints = 28,
        kHeight = 30,
        kAngle = 32,
        kRadarType = 36,
        kDetection = 38,
        kVulnerability = 46,
        kReserved = 57,
    };
    static constexpr size_t kNameSize = 20;  // 19 characters and a terminating zero

    int16_t CtIndex() const { return Get<int16_t>(kCtIndex); }
    std::string Name() const { return LoadText(b + kName, kNameSize); }
    bool Empty() const { return b[kName] == 0; }
    uint16_t Flags() const { return Get<uint16_t>(kFlags); }
    float Angle() const { return Get<float>(kAngle); }
};

const FieldTable& FeatureFields();

}  // namespace tablon
