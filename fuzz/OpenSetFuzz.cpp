// Opening a file of the set from the input, then every list that shows something of it: the
// input's first byte chooses the file (by its place in the set), the rest is the file. The
// other files are those of a small set in memory; the lists that show none of the file's
// bytes show the same rows for every input, and are filled only when the target starts
// (CategoriesShowing).
#include "FuzzSupport.h"
#include "store/Database.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The set's files are read where they are: only the file chosen is put in and taken out.
    static MemoryFiles files = fuzz::BaseSet();
    if (size == 0) return 0;
    const FileDesc& desc = FileDescs()[data[0] % kFileCount];
    Bytes& file = files[desc.name];
    Bytes kept = std::move(file);
    file = Bytes(data + 1, data + size);
    {
        const MemorySet set(files);
        fuzz::QuietUi ui(Answer::No);
        Database db(ui);
        if (db.OpenAll("")) fuzz::WalkListsShowing(db, ui, desc.id);
    }
    file = std::move(kept);
    return 0;
}
