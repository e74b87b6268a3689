#include "store/MemorySet.h"

namespace tablon {

namespace {
const MemoryFiles* current = nullptr;
}

MemorySet::MemorySet(const MemoryFiles& files) : previous_(current) {
    current = &files;
}

MemorySet::~MemorySet() {
    current = previous_;
}

const MemoryFiles* MemorySet::Current() {
    return current;
}

}  // namespace tablon
