// The message-priority record of "Vantor.ddp": record n is the send priority of message n, an
// unsigned 32-bit word holding one of eight values, 16 to the power k for k = 0 to 7.
#pragma once

#include <cstdint>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

constexpr int kPriorityCount = 8;

struct MessagePriorityRecord : RecordBytes<4> {
    uint32_t Priority() const { return Get<uint32_t>(0); }
    void SetPriority(uint32_t v) { Set<uint32_t>(0, v); }
};

// 16 to the power k.
constexpr uint32_t PriorityValue(int k) {
    return uint32_t(1) << (4 * k);
}
// The k with PriorityValue(k) == value, or -1.
int PriorityLevel(uint32_t value);

const FieldTable& MessagePriorityFields();

}  // namespace tablon
