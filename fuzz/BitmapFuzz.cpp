// The bitmap reader of "Set Texture": the input is the bitmap file chosen for texture 0 of a
// small set in memory.
#include "FuzzSupport.h"
#include "models/TextureBitmap.h"
#include "platform/MemoryFile.h"
#include "store/Database.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const MemoryFiles& base = fuzz::BaseSet();
    const MemorySet set(base);
    fuzz::QuietUi ui;
    Database db(ui);
    if (!db.OpenAll("")) std::abort();
    const MemoryFile input(data, size);
    SetTextureFromFile(db, 0, input.Path(), ui);
    return 0;
}
