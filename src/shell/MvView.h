// The record list view: one row per record of a file, columns described by a table, sorting by
// column with a direction toggle, the four display modes shared through the document, the
// right-click menu, dragging one row onto another and the export of a record. Every record
// view derives from CMvView; the window renderer shows any of them through the same list
// widget, reading columns, rows and cell texts and handing clicks back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shell/Commands.h"
#include "shell/ListFilter.h"
#include "shell/RecordSource.h"
#include "shell/Registry.h"

namespace tablon {

class Form;

// What the right-hand pane of the main window shows: a record list or a form.
class PaneView : public CommandTarget {
  public:
    virtual const char* ClassName() const = 0;
    // Builds the view's contents; run once, after the view is put into the pane.
    virtual void OnInitialUpdate() = 0;
    virtual class CMvView* AsList() { return nullptr; }
    virtual Form* AsForm() { return nullptr; }
};

// Display modes, shared by all list views through the document.
enum ListMode : int { kModeLargeIcons = 0, kModeDetail = 1, kModeSmallIcons = 2, kModeList = 3 };

// How a column's field is read, shown and compared. Kinds 0 to 7 are the list views' own;
// the further kinds serve the lists built from field tables.
enum ColumnKind : int {
    kKindU8 = 0,          // "%d"
    kKindI16 = 1,         // "%d"
    kKindU16 = 2,         // "%d"
    kKindI32 = 3,         // "%d", compared by a signed 32-bit difference
    kKindHex32 = 4,       // "x%x"
    kKindF32 = 5,         // "%g", never compares equal
    kKindText = 6,        // zero-terminated text, compared ignoring case
    kKindChars4 = 7,      // "%4.4s", the first 4 characters compared ignoring case
    kKindI8 = 8,          // "%d"
    kKindU32 = 9,         // "%u"
    kKindRaw = 10,        // bytes in hexadecimal
    kKindFileOrder = 11,  // the record index
};

// A cell text computed from the record rather than read from one field. It is asked for when a
// cell is drawn, filtered or written out, so it may read what the record refers to (a weapon
// list's weapon names) as the files hold it then; the function carries whatever it reads from.
using CellTextFn = std::function<std::string(const uint8_t* record, int index)>;

struct ColumnDesc {
    std::string title;
    int width = 50;
    int offset = 0;  // byte offset of the field inside the record
    int kind = kKindI32;
    int length = 0;        // bytes of a text or raw field (0: to the end of the record)
    int count = 1;         // elements shown joined by commas in one cell (arrays)
    CellTextFn text = {};  // when set, the cell text; offset and kind still sort
};

// The field comparison of the list views (a against b): negative, zero or positive.
int CompareField(const uint8_t* a, const uint8_t* b, uint32_t recordSize, const ColumnDesc& c);
// The text of a cell.
std::string FieldText(const uint8_t* record, uint32_t recordSize, int index, const ColumnDesc& c);

class ViewObserver {
  public:
    virtual ~ViewObserver() = default;
    virtual void RowsReset() {}  // all rows (e.g. after a sort or a fill)
    virtual void RowInserted(int /*position*/) {}
    virtual void RowRemoved(int /*position*/) {}
    virtual void RowChanged(int /*position*/) {}
    virtual void ModeChanged(int /*mode*/) {}
    virtual void SelectionChanged() {}
    // A row is to be made current and scrolled into sight (a jump to a record).
    virtual void RowRevealed(int /*position*/) {}
    virtual void FilterChanged() {}         // the filters' texts changed (the rows reset as well)
    virtual void FilterFocusRequested() {}  // the person wants to type into the filter row
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Where and which popup menu to show.
struct PopupRequest {
    int menu = kPopupMenuId;
    Point position;
};

// Image lists of a view: the bitmap resources of its small (16-pixel) and large (32-pixel)
// images and how many images each holds.
struct ViewImages {
    int smallBitmap = 0;
    int largeBitmap = 0;
    int count = 1;
};

// The record commands a list view offers, as a set of bits.
enum RecordCommand : unsigned {
    kRecordShow = 1,     // "Show &Item", enabled with a selection
    kRecordAdd = 2,      // "Add Item", always enabled
    kRecordCopy = 4,     // "Add Copy", enabled with a selection
    kRecordDelete = 8,   // "Delete Item", enabled for the row of the last record of the file
    kRecordExport = 16,  // "Export Item", enabled with a selection
    kRecordAll = 31,
};

// A "Sort by ..." command of a list view and the column (or view-defined sort mode) it sorts by.
struct SortCommand {
    int id;
    int column;
};

class CMvView : public PaneView {
  public:
    CMvView(ShellContext& ctx, std::unique_ptr<RecordSource> source,
            std::vector<ColumnDesc> columns, int fileOrderColumn = 0);
    ~CMvView() override;

    CMvView* AsList() override { return this; }
    // Takes the display mode from the document, fills the rows, then sorts by the stored sort
    // column (views that keep file order at first skip that).
    void OnInitialUpdate() override;

    // ---- what the renderer reads ----
    int ColumnCount() const { return int(columns_.size()); }
    const ColumnDesc& Column(int c) const { return columns_[size_t(c)]; }
    // The rows shown: those that pass the filters, in the sorted order.
    int RowCount() const { return int(Shown().size()); }
    // Every row of the view, shown or filtered out.
    int TotalRowCount() const { return int(order_.size()); }
    // Row positions are display positions (after sorting and filtering).
    std::string CellText(int row, int column) const;
    const std::string& ItemText(int row) const;
    int Icon(int row) const;
    int ItemData(int row) const;  // the record index
    int Mode() const { return mode_; }
    virtual ViewImages Images() const { return {}; }
    RecordSource& Source() const { return *source_; }
    // The row showing a record index, or -1 (also when the filters hide it).
    int PositionOf(int recordIndex) const;
    // Whether the view has a row for a record index, shown or filtered out.
    bool HasRecordRow(int recordIndex) const;
    // Asks the window to make a row current and scroll to it; select makes it the one selected.
    void Reveal(int row, bool select = true);

    // ---- filtering ----
    // The filter of each column (a column's box above its header). Rows pass when every
    // column's filter lets their cell through; the filters outlive sorts and row changes.
    // Sets one column's filter; false with the reason when the text is no filter (the column
    // keeps its filter).
    bool SetFilter(int column, const std::string& text, std::string* error = nullptr);
    // Sets the filters of all columns at once (missing ones blank); false with the reason when
    // one is no filter (then nothing changes).
    bool SetFilters(const std::vector<std::string>& texts, std::string* error = nullptr);
    std::vector<std::string> FilterTexts() const { return filterTexts_; }
    const std::string& FilterText(int column) const;
    void ClearFilters();
    bool Filtered() const { return filtered_; }
    // Whether a column's cells compare as numbers.
    bool NumericColumn(int column) const;
    // "N of M rows": the rows shown and all rows.
    std::string RowCountText() const;

    // ---- lists out ----
    // The selected rows as the clipboard gets them: a line of column titles, then one line per
    // row, cells separated by tabs.
    std::string SelectionText() const;
    // "Export List...": the rows shown, as "list --format csv|json" writes them, to a file the
    // person chooses (JSON when its name ends in ".json").
    void ExportList();

    void AddObserver(ViewObserver* o);
    void RemoveObserver(ViewObserver* o);

    // ---- selection ----
    void Select(int row, bool only = true);
    void SetSelection(const std::vector<int>& rows);
    void ClearSelection();
    bool IsSelected(int row) const;
    int FirstSelected() const;  // -1 when none
    int SelectedCount() const { return selectedCount_; }
    std::vector<int> Selection() const;

    // ---- user actions ----
    void SetMode(int mode);
    void OnColumnClick(int column);
    void OnDoubleClick(int row);  // -1: no row hit
    // A right-click menu request: from the keyboard (no mouse position) it opens 5 pixels
    // inside the view's top-left corner.
    PopupRequest OnContextMenu(std::optional<Point> mouse, Point clientOriginOnScreen) const;
    // Dragging: start on a row (refused when the view does not drag), end over a row of this
    // view (target), or anywhere else (nothing).
    bool BeginDrag(int row);
    void EndDrag(std::optional<int> targetRow);
    bool Dragging() const { return dragging_; }
    int DraggedItem() const { return draggedItem_; }

    // ---- sorting ----
    // Sorts by a column: the same column as last time reverses, another one sorts ascending;
    // the file-order column sorts by record index.
    void Sort(int column);
    bool Ascending() const { return ascending_; }
    int LastSortColumn() const { return lastSortColumn_; }
    // Sorts by a column in a given direction (nothing when the rows are sorted so already).
    void SortBy(int column, bool ascending);
    int FileOrderColumn() const { return fileOrderColumn_; }
    // The name the stored sort column is kept under: the view's class, unless views of several
    // classes share one.
    virtual const char* SortKey() const { return ClassName(); }
    // The column this view class sorted by last; it outlives the view.
    int StoredSortColumn() const;
    void SetStoredSortColumn(int column);
    // Whether a click on a column's header sorts (and so counts as the last sort); a view whose
    // other headers do nothing answers false for them.
    virtual bool ColumnClickSorts(int /*column*/) const { return true; }
    // The sort callback on two record indices, as the sort sees them.
    int CompareItems(int indexA, int indexB, int column, bool ascending) const;

    // ---- commands ----
    bool QueryCommand(int id, CommandState& state) override;
    bool RunCommand(int id) override;

    virtual bool CanDrag() const { return false; }
    // A dragged row was released over another row; both are list positions.
    virtual void OnDrop(int /*sourceRow*/, int /*targetRow*/) {}

  protected:
    // Fills the rows from the source: record 0, 1, 2 ... until one cannot be read.
    virtual void Fill();
    virtual bool SortsOnFill() const { return true; }
    // The item text and icon of a newly inserted row.
    virtual std::string ItemTextFor(const uint8_t* record, int index) const;
    virtual int IconFor(const uint8_t* /*record*/) const { return 0; }
    // Opens a row's record (double click, "Show &Item").
    virtual void ShowRecord(int /*row*/) {}
    // The record commands the view handles (RecordCommand bits) and its sort commands; the base
    // view enables, checks and runs them.
    virtual unsigned RecordCommands() const { return 0; }
    virtual std::span<const SortCommand> SortCommands() const { return {}; }
    // "Add Item" (copy false) and "Add Copy" (copy true).
    virtual void AddRecord(bool /*copy*/) {}
    // "Delete Item": deletes the first selected row's record through DeleteLastRecord and
    // removes its row; "Can't delete record" when the file refuses.
    virtual void DeleteRecord();
    // Deletes the record of an index if it is the file's last one; whether it did.
    virtual bool DeleteLastRecord(int /*index*/) { return false; }
    // Whether a sort command shows checked: the last sort was by its column.
    virtual bool SortCommandChecked(int column) const { return LastSortColumn() == column; }
    // Runs a sort command: its column becomes the stored sort column and the rows sort by it.
    virtual void RunSortCommand(int column);
    // The comparison of two records by a column; the field comparison unless a view has its
    // own.
    virtual int CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const;
    // Whether CompareRecords compares this text column as the field comparison does, so that a
    // sort may compare precomputed keys instead (views with their own comparison say no).
    virtual bool PlainTextSort(const ColumnDesc& /*c*/) const { return true; }

    void SetColumns(std::vector<ColumnDesc> columns) { columns_ = std::move(columns); }

    // Rows for the derived views' commands: insert at position = record index (the text and
    // icon from ItemTextFor / IconFor unless given), refresh the cells from a record, remove.
    int InsertRow(int index, const uint8_t* record);
    int InsertRow(int index, const uint8_t* record, std::string text, int icon);
    void FillCells(int row, const uint8_t* record);
    void RemoveRow(int row);
    // Shows a record with a new item text or icon in its row: the row is made again, put back in
    // its place in the current order (ResortRows) and selected again if it was.
    void ReplaceRow(int row, const uint8_t* record, std::string text, int icon);
    // Sorts again by the last sort column in the same direction (two sorts), if there is one.
    virtual void ResortRows();
    // The record index of the first selected row, or -1.
    int SelectedIndex() const;
    // "Export Item" on the first selected row.
    virtual void ExportSelected();
    // The common enable rules.
    void EnableWithSelection(CommandState& state) const { state.enabled = selectedCount_ > 0; }
    // Delete is enabled only for the row of the last record of the file.
    void EnableDeleteLast(CommandState& state) const;

    ShellContext& ctx_;

  private:
    struct Row {
        int32_t index;
        int32_t icon;
        bool selected;
        std::string text;
    };
    void NotifyReset();
    // The row positions: the filtered rows when a filter is set, else every row.
    const std::vector<uint32_t>& Shown() const { return filtered_ ? shown_ : order_; }
    // The text of a cell of a row slot.
    std::string SlotText(uint32_t slot, int column) const;
    bool Passes(uint32_t slot) const;
    // Applies the filters to every row again, then rebuilds the shown rows.
    void ApplyFilters();
    // The shown rows from the sorted ones; a hidden row loses its selection.
    void RebuildShown();
    const uint8_t* RecordOf(uint32_t slot) const {
        return records_.data() + size_t(slot) * recordSize_;
    }

    std::unique_ptr<RecordSource> source_;
    std::vector<ColumnDesc> columns_;
    int fileOrderColumn_;
    uint32_t recordSize_;
    std::vector<Row> rows_;                 // by slot
    std::vector<uint8_t> records_;          // the record each row shows, by slot
    std::vector<uint32_t> order_;           // sorted position -> slot
    std::vector<std::string> filterTexts_;  // by column
    std::vector<ColumnFilter> filters_;     // by column
    bool filtered_ = false;                 // some column has a filter
    std::vector<uint8_t> passes_;           // by slot, while filtered
    std::vector<uint32_t> shown_;           // display position -> slot, while filtered
    int selectedCount_ = 0;
    int mode_ = kModeLargeIcons;
    bool ascending_ = true;
    int lastSortColumn_ = -1;
    bool dragging_ = false;
    int draggedItem_ = -1;
    std::vector<ViewObserver*> observers_;
};

// Registers a list view class whose constructor takes the context alone.
template <typename View>
void RegisterListView(ShellRegistry& registry) {
    registry.RegisterView(View::kClassName, [](ShellContext& ctx, const CategoryNode&) {
        return std::unique_ptr<PaneView>(std::make_unique<View>(ctx));
    });
}

// Sorts a permutation by a three-way comparison. Safe with comparisons that are not consistent
// (a float column never says equal): a bottom-up merge that takes from the left run while the
// comparison is not positive.
template <typename Compare>
void MergeSortOrder(std::vector<uint32_t>& order, Compare compare) {
    const size_t n = order.size();
    std::vector<uint32_t> buffer(n);
    std::vector<uint32_t>* from = &order;
    std::vector<uint32_t>* to = &buffer;
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                (*to)[k++] = compare((*from)[i], (*from)[j]) <= 0 ? (*from)[i++] : (*from)[j++];
            while (i < mid) (*to)[k++] = (*from)[i++];
            while (j < hi) (*to)[k++] = (*from)[j++];
        }
        std::swap(from, to);
    }
    if (from != &order) order.swap(*from);
}

}  // namespace tablon
