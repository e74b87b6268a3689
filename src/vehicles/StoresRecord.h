// The squadron-stores record of "vantor.ssd" in its 603-byte memory form: byte w is the number
// of stores of weapon w. Four bytes have titles of their own in the list view.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct StoresRecord : RecordBytes<603> {
    enum Offset : uint16_t {
        kCounts = 0,
        kUnk220 = 219,
        kInfAirGround = 220,
        kInfAirAir = 221,
        kInfGun = 222,
        kCountsHigh = 223,
    };

    uint8_t Count(int weapon) const { return b[weapon]; }
    void SetCount(int weapon, uint8_t n) { b[weapon] = n; }
};

const FieldTable& StoresFields();

}  // namespace tablon
