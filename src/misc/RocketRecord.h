// The rocket record of "Vantor.rkt": two weapon indices and a count, 6 bytes.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct RocketRecord : RecordBytes<6> {
    enum Offset : uint16_t {
        kWeaponId = 0,
        kNewWeaponId = 2,
        kCount = 4,
    };
    int16_t WeaponId() const { return Get<int16_t>(kWeaponId); }
    int16_t NewWeaponId() const { return Get<int16_t>(kNewWeaponId); }
    int16_t Count() const { return Get<int16_t>(kCount); }
};

const FieldTable& RocketFields();

}  // namespace tablon
