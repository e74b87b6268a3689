#include "classtable/CtFile.h"

#include "classtable/CtNames.h"

namespace tablon {

int CtFile::SetRecord(int index, const uint8_t* record) {
    // Protected records are refused before anything else, whoever asks.
    if (ProtectedUse(index)) {
        ShowMessage(kProtectedCtMessage);
        return 0;
    }
    return TableFile::SetRecord(index, record);
}

}  // namespace tablon
