// Where a list view's records come from: a table file of the set, or one of the tables of the
// model header file. A source says how big its records are, reads them by index and names the
// field table that describes them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/FieldTable.h"
#include "store/FileSet.h"

namespace tablon {

class Database;
class TableFile;

enum class ModelTable { None, Parents, Lods, Textures, Colours, Header };

// A kind of record: a file of the set, and for the model header file which of its tables.
struct SourceRef {
    FileId file = FileId::Ct;
    ModelTable table = ModelTable::None;
    bool operator==(const SourceRef&) const = default;
};

class RecordSource {
  public:
    virtual ~RecordSource() = default;
    virtual SourceRef Ref() const = 0;
    virtual uint32_t RecordSize() const = 0;
    // The number of records the source claims; reading stops at the first that fails anyway.
    virtual int Count() const = 0;
    virtual int Get(int index, uint8_t* out) const = 0;
    // Writes a record back (1) or fails (0); sources that cannot be written always fail.
    virtual int Set(int /*index*/, const uint8_t* /*record*/) { return 0; }
    virtual const FieldTable& Fields() const = 0;
    // The record file behind the source when it is a table file (for writes and exports).
    virtual TableFile* Table() const { return nullptr; }
    // A short name for titles ("CT", "WCD", "Parent" ...).
    virtual std::string TypeName() const = 0;
};

std::unique_ptr<RecordSource> MakeSource(Database& db, SourceRef ref);

// The field table of the model header's summary record (version, colour counts, ...).
const FieldTable& HeaderSummaryFields();

}  // namespace tablon
