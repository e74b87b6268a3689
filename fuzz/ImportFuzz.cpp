// The export-file reader with import: the input is an export file offered to a small set in
// memory, every question answered Yes.
#include "FuzzSupport.h"
#include "platform/MemoryFile.h"
#include "store/Database.h"
#include "store/ExportImport.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const MemoryFiles& base = fuzz::BaseSet();
    const MemorySet set(base);
    fuzz::QuietUi ui;
    Database db(ui);
    if (!db.OpenAll("")) std::abort();
    const MemoryFile input(data, size);
    ImportFile(db, input.Path(), ui);
    return 0;
}
