// The settings file: the input is read as the per-user settings file.
#include "platform/MemoryFile.h"
#include "platform/Settings.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemoryFile input(data, size);
    (void)ReadObjectDirFrom(input.Path());
    return 0;
}
