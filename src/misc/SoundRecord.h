// The sound record of "VantorSndTbl.sfx" in its 128-byte memory form; files whose header
// version is 1 hold 124-byte records without the minimum 3D distance.
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

enum SoundFlag : uint32_t {
    kSoundPositional = 0x01,
    kSoundLooped = 0x02,
    kSoundExtern = 0x04,
    kSoundVms = 0x08,
    kSoundIs3d = 0x10,
    kSoundFrequencyControl = 0x20,
    kSoundPanControl = 0x40,
    kSoundHigh = 0x80,
};

struct SoundRecord : RecordBytes<128> {
    enum Offset : uint16_t {
        kFileName = 0,
        kOffset = 64,
        kLength = 68,
        kHandle = 72,
        kMaxDistSq = 76,
        kMaxVolume = 80,
        kMinVolume = 84,
        kDistSq = 88,
        kOverride = 92,
        kLfu = 96,
        kFlags = 100,
        kPitchScale = 104,
        kCurPitchScale = 108,
        kSoundGroup = 112,
        kMajorSymbol = 116,
        kMinorSymbol = 120,
        kMin3dDistance = 124,
    };
    static constexpr size_t kFileNameSize = 64;  // 63 characters and a terminating zero

    std::string FileName() const { return LoadText(b + kFileName, kFileNameSize); }
    uint32_t Flags() const { return Get<uint32_t>(kFlags); }
};

// The sound file's header: version and record count, both unsigned 32-bit.
constexpr uint32_t kSoundHeaderSize = 8;
constexpr uint32_t kSoundVersionShort = 1;  // 124-byte records

const FieldTable& SoundFields();

}  // namespace tablon
