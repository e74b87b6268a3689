// The point record of "vantor.pd" (12 bytes) and the point-header record of "vantor.phd"
// (28 bytes). A header owns the run first_point .. + point_count - 1 of the point file and
// names the next header of its objective in chain (0 ends the chain).
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

// Point types (19 named values).
enum PointType : uint8_t {
    kPointNone = 0,
    kPointRunway = 1,
    kPointTakeoff = 2,
    kPointTaxi = 3,
    kPointSam = 4,
    kPointArtillery = 5,
    kPointAaa = 6,
    kPointRadar = 7,
    kPointRunwayDim = 8,
    kPointSupport = 9,
    kPointStaticRadar = 10,
    kPointSmallPark = 11,
    kPointLargePark = 12,
    kPointSmallDock = 13,
    kPointLargeDock = 14,
    kPointTakeRunway = 15,
    kPointHelicopter = 16,
    kPointFollowMe = 17,
    kPointCritTaxi = 18,
};
constexpr int kPointTypeCount = 19;

struct PointRecord : RecordBytes<12> {
    enum Offset : uint16_t {
        kX = 0,
        kY = 4,
        kType = 8,
        kFlags = 9,
        kReserved = 10,
    };
    float X() const { return Get<float>(kX); }
    float Y() const { return Get<float>(kY); }
    uint8_t Type() const { return b[kType]; }
};

struct PointHeaderRecord : RecordBytes<28> {
    enum Offset : uint16_t {
        kObjective = 0,
        kType = 2,
        kPointCount = 3,
        kFeatures = 4,
        kHeading = 10,
        kSinHeading = 12,
        kCosHeading = 16,
        kFirstPoint = 20,
        kTextureId = 22,
        kRunway = 24,
        kLeftRight = 25,
        kChain = 26,
    };
    static constexpr int kFeatureCount = 6;

    // Indices into the objective, point and header files are 16-bit fields; files may hold
    // up to 65,535 records.
    uint16_t Objective() const { return Get<uint16_t>(kObjective); }
    uint8_t PointCount() const { return b[kPointCount]; }
    uint16_t FirstPoint() const { return Get<uint16_t>(kFirstPoint); }
    uint16_t Chain() const { return Get<uint16_t>(kChain); }
    int16_t Heading() const { return Get<int16_t>(kHeading); }
};

const FieldTable& PointFields();
const FieldTable& PointHeaderFields();

}  // namespace tablon
