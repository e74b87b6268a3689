// The entries of the objective family's detail dialogs as data: each entry is a label (or a
// button standing in for it) and an edit in a grid cell, bound to a record field with its
// exchange rule. One table per dialog builds the controls and the field bindings.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "shell/Form.h"
#include "shell/MvView.h"

namespace tablon {

struct GridEntry {
    int id;
    const char* label;
    int column;
    int row;
    uint16_t offset;
    FieldType field;
    Exchange exchange;
    double min = 0, max = 0;  // a declared range when min < max
    int button = 0;           // a button that stands in for the label
};

// Where a grid starts and how its cells are sized.
struct GridGeometry {
    int left = 10;
    int top = 56;
    int columnWidth = 190;
    int labelWidth = 95;
    int fieldWidth = 80;
    int rowPitch = 26;
};

// Integer entries of 16-bit fields: the signed and the unsigned reading are both accepted, so
// that no entry is cut to another number.
constexpr double kWordMin = -32768, kWordMax = 65535;
// Record indices: 0 to 65,535.
constexpr double kIndexMin = 0, kIndexMax = 65535;
// Bytes entered as signed or unsigned numbers.
constexpr double kByteMin = -128, kByteMax = 255;

// Adds the labels (or buttons) and edits of the entries and binds them in table order.
void AddGridEntries(Form& form, std::span<const GridEntry> entries, const GridGeometry& g);
// The record bindings of the entries (with any leading bindings given).
std::vector<RecordBinding> GridBindings(std::span<const GridEntry> entries,
                                        std::vector<RecordBinding> leading = {});
// A run of byte entries with consecutive ids and offsets in one grid column, from a row on.
std::vector<GridEntry> ByteColumn(int firstId, std::span<const char* const> labels, int column,
                                  int firstRow, uint16_t firstOffset,
                                  Exchange exchange = Exchange::Byte, double min = 0,
                                  double max = 0);

struct ShellContext;
// The class-table record dialog on record index, titled with name; on its OK the record is
// written at once ("Update Failed" when that fails). Nothing happens for an unreadable index.
void EditCtRecord(ShellContext& ctx, int index, const std::string& name);

// A form list whose rows are records shown by column descriptors, sorted by a header click as
// the record lists sort (the file-order column by index; the same column again reverses).
class RecordRows {
  public:
    RecordRows(std::vector<ColumnDesc> columns, int fileOrderColumn, uint32_t recordSize)
        : columns_(std::move(columns)), fileOrderColumn_(fileOrderColumn), size_(recordSize) {}
    void Clear() { rows_.clear(); }
    void Add(int index, const uint8_t* record);
    size_t Size() const { return rows_.size(); }
    // Sorts by a header click.
    void Click(int column);
    // The form's rows in the current order (item data: the record index).
    std::vector<ListRow> Rows() const;
    std::vector<ListColumn> Columns() const;

  private:
    struct Row {
        int index;
        std::vector<uint8_t> record;
    };
    std::vector<ColumnDesc> columns_;
    int fileOrderColumn_;
    uint32_t size_;
    std::vector<Row> rows_;
    int lastColumn_ = -1;
    bool ascending_ = true;
};

}  // namespace tablon
