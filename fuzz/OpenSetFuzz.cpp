// Opening a file of the set from the input, then every list: the input's first byte chooses
// the file (by its place in the set), the rest is the file. The other files are those of a
// small set in memory.
#include "FuzzSupport.h"
#include "store/Database.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const MemoryFiles& base = fuzz::BaseSet();
    if (size == 0) return 0;
    MemoryFiles files = base;
    files[FileDescs()[data[0] % kFileCount].name] = Bytes(data + 1, data + size);
    const MemorySet set(files);
    fuzz::QuietUi ui(Answer::No);
    Database db(ui);
    if (db.OpenAll("")) fuzz::WalkLists(db, ui, false);
    return 0;
}
