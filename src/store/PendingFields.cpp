// Whole-record tables for record types whose fields are not described yet.
#include "store/FieldTable.h"

namespace tablon {

#define PENDING(fn, rec, size)                                                      \
    const FieldTable& fn() {                                                        \
        static const FieldTable t{rec, size, {{"bytes", 0, FieldType::Raw, size}}}; \
        return t;                                                                   \
    }

}  // namespace tablon
