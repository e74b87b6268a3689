#include "misc/MessagePriorityRecord.h"

namespace tablon {

int PriorityLevel(uint32_t value) {
    for (int k = 0; k < kPriorityCount; ++k)
        if (PriorityValue(k) == value) return k;
    return -1;
}

const FieldTable& MessagePriorityFields() {
    using T = FieldType;
    static const FieldTable table{
        "MessagePriorityRecord",
        MessagePriorityRecord::kSize,
        {
            {"priority", 0, T::U32, 1, "Priority", "Priority"},
        },
    };
    return table;
}

}  // namespace tablon
