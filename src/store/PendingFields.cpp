// Whole-record tables for record types whose fields are not described yet.
#include "store/FieldTable.h"

namespace tablon {

#define PENDING(fn, rec, size)                                                    \
    const FieldTable& fn() {                                                      \
        static const FieldTable t{rec, size, {{"bytes", 0, FieldType::Raw, size}}}; \
        return t;                                                                 \
    }

PENDING(ParentFields, "ParentRecord", 48)
PENDING(LodFields, "LodRecord", 20)
PENDING(TextureFields, "TextureRecord", 40)

}  // namespace tablon
