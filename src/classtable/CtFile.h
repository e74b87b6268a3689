// The class-table file "vantor.ct": a record file that refuses to overwrite the records the
// simulation addresses by fixed index.
#pragma once

#include "classtable/CtRecord.h"
#include "store/RecordFile.h"

namespace tablon {

constexpr const char* kProtectedCtMessage =
    "This is an exe hardcoded used CT record and can't be changed";

class CtFile : public TableFile {
  public:
    using TableFile::GetRecord;
    using TableFile::SetRecord;
    using TableFile::TableFile;

    int SetRecord(int index, const uint8_t* record) override;
    int GetRecord(int index, CtRecord& out) const { return GetRecord(index, out.data()); }
    int SetRecord(int index, const CtRecord& r) { return SetRecord(index, r.data()); }
};

}  // namespace tablon
