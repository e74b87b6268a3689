// The feature-entry list file loader: the input is a list loaded over the run of objective 1
// of a small set in memory.
#include "FuzzSupport.h"
#include "objectives/FedListFile.h"
#include "objectives/ObjectiveRecord.h"
#include "platform/MemoryFile.h"
#include "store/Database.h"

using namespace tablon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const MemoryFiles& base = fuzz::BaseSet();
    const MemorySet set(base);
    fuzz::QuietUi ui;
    Database db(ui);
    if (!db.OpenAll("")) std::abort();
    ObjectiveRecord copy;
    if (db.Table(FileId::Ocd)->GetRecord(1, copy.data()) != 1) std::abort();
    const MemoryFile input(data, size);
    std::string message;
    LoadFedList(db, 1, copy, input.Path(), message);
    return 0;
}
