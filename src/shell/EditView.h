// The list views whose records are edited in a dialog: the record commands ("Show &Item",
// "Add Item", "Add Copy", "Delete Item") and overwriting one record with another by dragging,
// with the texts and hooks in which record types differ. The rows may carry more than the
// record: a RowSource composes them from the file.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/MvView.h"

namespace tablon {

class Database;
class TableFile;

// A table file read as rows: each record in its memory form, composed into a row of the
// view's own size (by default the record itself). Rows are read only: the views write through
// the file.
class RowSource : public RecordSource {
  public:
    using Compose = std::function<void(const uint8_t* record, int index, uint8_t* row)>;
    RowSource(Database& db, FileId file, uint32_t rowSize = 0, Compose compose = {});

    SourceRef Ref() const override { return {file_}; }
    uint32_t RecordSize() const override { return rowSize_; }
    int Count() const override;
    int Get(int index, uint8_t* out) const override;
    const FieldTable& Fields() const override;
    TableFile* Table() const override { return &table_; }
    std::string TypeName() const override;

    // The row of a record that need not be in the file (a working copy).
    void ComposeRow(const uint8_t* record, int index, uint8_t* row) const;

  private:
    FileId file_;
    TableFile& table_;
    uint32_t rowSize_;
    Compose compose_;
    mutable Bytes buffer_;
};

// What the record commands of a view say and do.
struct EditViewRules {
    unsigned commands = kRecordAll;
    const char* showFailed = "Update Failed";  // writing a shown record back
    const char* addFailed = "Update Failed";   // appending a new record or a copy
    bool refreshAfterShow = true;              // the row shows the record written
    // Dragging one row onto another: the question ("Overwrite Item %d %s with %d %s?" with the
    // target's and the source's number and name, or "... %d with %d?" with the numbers alone)
    // and the failure. No question: rows are not dragged.
    const char* dropQuestion = nullptr;
    bool dropNamed = true;
    const char* dropFailed = nullptr;
};

class CEditView : public CMvView {
  public:
    CEditView(ShellContext& ctx, std::unique_ptr<RowSource> source, std::vector<ColumnDesc> columns,
              int fileOrderColumn, EditViewRules rules);

    bool CanDrag() const override { return rules_.dropQuestion != nullptr; }
    void OnDrop(int sourceRow, int targetRow) override;

  protected:
    enum class Purpose { Show, Add, Copy };
    // The record's dialog on a working copy (the file's memory form): Ok when it is to be
    // written. index is the record's number; for a new record the number it will get.
    virtual Answer RunDialog(Bytes& record, int index, Purpose purpose) = 0;
    // A new record before its dialog: all zero, or a copy of the selected record.
    virtual void PrepareNew(Bytes& /*record*/, bool /*copy*/) {}
    // The name a drop question shows.
    virtual std::string NameOf(const Bytes& /*record*/) const { return {}; }
    // Whether the fill lists a row; a record added that it would leave out gets no row either.
    virtual bool Lists(const uint8_t* /*row*/) const { return true; }
    // After a dialog of the view closed, whatever it answered: its buttons may have changed
    // other files.
    virtual void AfterDialog() {}

    void Fill() override;
    void ShowRecord(int row) override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;
    unsigned RecordCommands() const override { return rules_.commands; }

    TableFile& File() const { return *Source().Table(); }
    RowSource& Rows() const { return static_cast<RowSource&>(Source()); }
    std::vector<uint8_t> RowOf(const Bytes& record, int index) const;
    // Shows a record in its row: the cells, or the row made again when its text or icon
    // changed (keeping its place in the current order).
    void RefreshRow(int row, const Bytes& record);

  private:
    EditViewRules rules_;
};

}  // namespace tablon
