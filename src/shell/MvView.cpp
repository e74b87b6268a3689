#include "shell/MvView.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/NumberText.h"
#include "shell/ViewText.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/ExportImport.h"
#include "store/TablonDoc.h"

namespace tablon {

namespace {

int ElementSize(int kind) {
    switch (kind) {
        case kKindU8:
        case kKindI8:
            return 1;
        case kKindI16:
        case kKindU16:
            return 2;
        case kKindI32:
        case kKindHex32:
        case kKindF32:
        case kKindU32:
        case kKindChars4:
            return 4;
        default:
            return 0;  // texts, raw bytes and the record index have no fixed size
    }
}

// The bytes a column reads: [offset, offset + width) must lie inside the record.
int ColumnWidthBytes(const ColumnDesc& c, uint32_t recordSize) {
    if (c.kind == kKindFileOrder) return 0;
    if (c.kind == kKindText || c.kind == kKindRaw)
        return c.length > 0 ? c.length : int(recordSize) - c.offset;
    return ElementSize(c.kind) * std::max(1, c.count);
}

bool Inside(const ColumnDesc& c, uint32_t recordSize) {
    int w = ColumnWidthBytes(c, recordSize);
    return c.offset >= 0 && w >= 0 && uint64_t(c.offset) + uint64_t(w) <= recordSize;
}

// A text field: zero-terminated, at most n bytes.
size_t TextLength(const uint8_t* p, size_t n) {
    size_t k = 0;
    while (k < n && p[k]) ++k;
    return k;
}

int CompareElement(const uint8_t* a, const uint8_t* b, int kind) {
    switch (kind) {
        case kKindU8:
            return int(*a) - int(*b);
        case kKindI8:
            return int(int8_t(*a)) - int(int8_t(*b));
        case kKindI16:
            return int(LoadLE<int16_t>(a)) - int(LoadLE<int16_t>(b));
        case kKindU16:
            return int(LoadLE<uint16_t>(a)) - int(LoadLE<uint16_t>(b));
        case kKindI32: {
            // By the signed value the column shows (a difference would wrap past 2^31).
            const int32_t x = LoadLE<int32_t>(a), y = LoadLE<int32_t>(b);
            return x < y ? -1 : x > y ? 1 : 0;
        }
        case kKindHex32:
        case kKindU32: {
            // Hexadecimal columns sort by their unsigned value.
            uint32_t x = LoadLE<uint32_t>(a), y = LoadLE<uint32_t>(b);
            return x < y ? -1 : x > y ? 1 : 0;
        }
        case kKindF32:
            // Equal values give -1: a float column never reports two rows equal.
            return LoadLE<float>(a) - LoadLE<float>(b) > 0 ? 1 : -1;
        case kKindChars4: {
            char x[5] = {}, y[5] = {};
            std::memcpy(x, a, 4);
            std::memcpy(y, b, 4);
            return strncasecmp(x, y, 4);
        }
        default:
            return 0;
    }
}

// Appends the text of one element: decimal ("%d", "%u"), "x%x", "%g" or "%4.4s".
void AppendElement(std::string& out, const uint8_t* p, int kind) {
    char buf[32];
    char* end = buf;
    auto decimal = [&](auto v) { end = std::to_chars(buf, buf + sizeof buf, v).ptr; };
    switch (kind) {
        case kKindU8:
            decimal(int(*p));
            break;
        case kKindI8:
            decimal(int(int8_t(*p)));
            break;
        case kKindI16:
            decimal(int(LoadLE<int16_t>(p)));
            break;
        case kKindU16:
            decimal(int(LoadLE<uint16_t>(p)));
            break;
        case kKindI32:
            decimal(LoadLE<int32_t>(p));
            break;
        case kKindU32:
            decimal(LoadLE<uint32_t>(p));
            break;
        case kKindHex32:
            buf[0] = 'x';
            end = std::to_chars(buf + 1, buf + sizeof buf, LoadLE<uint32_t>(p), 16).ptr;
            break;
        case kKindF32:
            out += FormatDouble("%g", double(LoadLE<float>(p)));
            return;
        case kKindChars4: {
            char s[5] = {};
            std::memcpy(s, p, 4);
            end = buf + std::snprintf(buf, sizeof buf, "%4.4s", s);
            break;
        }
        default:
            break;
    }
    out.append(buf, end);
}

}  // namespace

// The C locale's lower case, as strcasecmp folds.
constexpr auto kLower = [] {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[size_t(i)] = uint8_t(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return t;
}();

int CompareField(const uint8_t* a, const uint8_t* b, uint32_t recordSize, const ColumnDesc& c) {
    if (!Inside(c, recordSize)) return 0;
    a += c.offset;
    b += c.offset;
    if (c.kind == kKindText) {
        // Case-insensitive, as strcasecmp compares, without copying the texts out.
        const size_t n = size_t(ColumnWidthBytes(c, recordSize));
        for (size_t i = 0;; ++i) {
            const int x = i < n ? kLower[a[i]] : 0;
            const int y = i < n ? kLower[b[i]] : 0;
            if (x != y) return x - y;
            if (x == 0) return 0;
        }
    }
    if (c.kind == kKindRaw) return std::memcmp(a, b, size_t(ColumnWidthBytes(c, recordSize)));
    const int size = ElementSize(c.kind);
    for (int i = 0; i < std::max(1, c.count); ++i) {
        int r = CompareElement(a + i * size, b + i * size, c.kind);
        if (r != 0 || i + 1 == c.count) return r;
    }
    return 0;
}

std::string FieldText(const uint8_t* record, uint32_t recordSize, int index, const ColumnDesc& c) {
    if (c.text) return c.text(record, index);
    if (c.kind == kKindFileOrder) return std::to_string(index);
    if (!Inside(c, recordSize)) return {};
    const uint8_t* p = record + c.offset;
    if (c.kind == kKindText) {
        size_t n = size_t(ColumnWidthBytes(c, recordSize));
        return std::string(reinterpret_cast<const char*>(p), TextLength(p, n));
    }
    if (c.kind == kKindRaw) {
        static const char kHex[] = "0123456789abcdef";
        int n = ColumnWidthBytes(c, recordSize);
        std::string s(size_t(n) * 2, '0');
        for (int k = 0; k < n; ++k) {
            s[size_t(2 * k)] = kHex[p[k] >> 4];
            s[size_t(2 * k + 1)] = kHex[p[k] & 15];
        }
        return s;
    }
    std::string s;
    for (int i = 0; i < std::max(1, c.count); ++i) {
        if (i) s += ',';
        AppendElement(s, p + i * ElementSize(c.kind), c.kind);
    }
    return s;
}

// ---- CMvView ----

CMvView::CMvView(ShellContext& ctx, std::unique_ptr<RecordSource> source,
                 std::vector<ColumnDesc> columns, int fileOrderColumn)
    : ctx_(ctx),
      source_(std::move(source)),
      columns_(std::move(columns)),
      fileOrderColumn_(fileOrderColumn),
      recordSize_(source_->RecordSize()) {}

CMvView::~CMvView() = default;

void CMvView::OnInitialUpdate() {
    mode_ = ctx_.doc.ListStyle();
    // Room for a row per record the source counts, whichever way the view fills: growing the
    // row copies as they come would move them over and over. A count read from a damaged
    // header can claim billions: no file holds more than 65,535 records, so no more is reserved.
    const size_t hint = size_t(std::clamp(source_->Count(), 0, 65536));
    rows_.reserve(hint);
    order_.reserve(hint);
    records_.reserve(hint * recordSize_);
    Fill();
    NotifyReset();
    if (SortsOnFill()) Sort(StoredSortColumn());
}

void CMvView::Fill() {
    std::vector<uint8_t> record(recordSize_);
    for (int i = 0; source_->Get(i, record.data()); ++i) InsertRow(i, record.data());
}

std::string CMvView::ItemTextFor(const uint8_t* /*record*/, int index) const {
    return std::to_string(index);
}

int CMvView::InsertRow(int index, const uint8_t* record) {
    return InsertRow(index, record, ItemTextFor(record, index), IconFor(record));
}

int CMvView::InsertRow(int index, const uint8_t* record, std::string text, int icon) {
    const int position = std::clamp(index, 0, TotalRowCount());
    const uint32_t slot = uint32_t(rows_.size());
    rows_.push_back({index, icon, false, std::move(text)});
    records_.insert(records_.end(), record, record + recordSize_);
    order_.insert(order_.begin() + position, slot);
    if (!filtered_) {
        for (auto* o : observers_) o->RowInserted(position);
        return position;
    }
    // A new row shows only when it passes the filters.
    passes_.push_back(uint8_t(Passes(slot)));
    if (!passes_[slot]) return -1;
    RebuildShown();
    const int shown = int(std::find(shown_.begin(), shown_.end(), slot) - shown_.begin());
    for (auto* o : observers_) o->RowInserted(shown);
    return shown;
}

void CMvView::FillCells(int row, const uint8_t* record) {
    if (row < 0 || row >= RowCount()) return;
    const uint32_t slot = Shown()[size_t(row)];
    std::memcpy(records_.data() + size_t(slot) * recordSize_, record, recordSize_);
    if (filtered_ && !(passes_[slot] = uint8_t(Passes(slot)))) {
        // The changed row no longer passes the filters.
        RebuildShown();
        NotifyReset();
        return;
    }
    for (auto* o : observers_) o->RowChanged(row);
}

void CMvView::RemoveRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    const uint32_t slot = Shown()[size_t(row)];
    order_.erase(std::find(order_.begin(), order_.end(), slot));
    if (rows_[slot].selected) --selectedCount_;
    const uint32_t last = uint32_t(rows_.size() - 1);
    if (slot != last) {
        rows_[slot] = std::move(rows_[last]);
        std::memcpy(records_.data() + size_t(slot) * recordSize_,
                    records_.data() + size_t(last) * recordSize_, recordSize_);
        if (filtered_) passes_[slot] = passes_[last];
        for (auto& s : order_)
            if (s == last) {
                s = slot;
                break;
            }
    }
    rows_.pop_back();
    records_.resize(rows_.size() * recordSize_);
    if (filtered_) {
        passes_.pop_back();
        RebuildShown();
    }
    for (auto* o : observers_) o->RowRemoved(row);
}

void CMvView::ReplaceRow(int row, const uint8_t* record, std::string text, int icon) {
    const int index = ItemData(row);
    const bool selected = IsSelected(row);
    RemoveRow(row);
    InsertRow(index, record, std::move(text), icon);
    ResortRows();
    if (selected) Select(PositionOf(index), false);
}

void CMvView::ResortRows() {
    const int column = LastSortColumn();
    if (column < 0) return;
    Sort(column);  // twice: the same direction as before
    Sort(column);
}

std::string CMvView::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {};
    return SlotText(Shown()[size_t(row)], column);
}

std::string CMvView::SlotText(uint32_t slot, int column) const {
    if (column == 0) return rows_[slot].text;
    return FieldText(RecordOf(slot), recordSize_, rows_[slot].index, columns_[size_t(column)]);
}

const std::string& CMvView::ItemText(int row) const {
    return rows_[Shown()[size_t(row)]].text;
}
int CMvView::Icon(int row) const {
    return rows_[Shown()[size_t(row)]].icon;
}
int CMvView::ItemData(int row) const {
    return rows_[Shown()[size_t(row)]].index;
}

int CMvView::PositionOf(int recordIndex) const {
    const std::vector<uint32_t>& shown = Shown();
    for (size_t p = 0; p < shown.size(); ++p)
        if (rows_[shown[p]].index == recordIndex) return int(p);
    return -1;
}

bool CMvView::HasRecordRow(int recordIndex) const {
    for (const Row& r : rows_)
        if (r.index == recordIndex) return true;
    return false;
}

void CMvView::Reveal(int row, bool select) {
    if (row < 0 || row >= RowCount()) return;
    if (select) Select(row);
    for (auto* o : observers_) o->RowRevealed(row);
}

// ---- filtering ----

bool CMvView::NumericColumn(int column) const {
    if (column < 0 || column >= ColumnCount()) return false;
    const ColumnDesc& c = columns_[size_t(column)];
    if (c.count > 1) return false;  // elements joined by commas
    switch (c.kind) {
        case kKindText:
        case kKindChars4:
        case kKindRaw:
            return false;
        default:
            return true;
    }
}

const std::string& CMvView::FilterText(int column) const {
    static const std::string kNone;
    return column >= 0 && size_t(column) < filterTexts_.size() ? filterTexts_[size_t(column)]
                                                               : kNone;
}

bool CMvView::SetFilter(int column, const std::string& text, std::string* error) {
    if (column < 0 || column >= ColumnCount()) return false;
    std::vector<std::string> texts = filterTexts_;
    texts.resize(size_t(ColumnCount()));
    texts[size_t(column)] = text;
    return SetFilters(texts, error);
}

bool CMvView::SetFilters(const std::vector<std::string>& texts, std::string* error) {
    std::vector<ColumnFilter> filters(static_cast<size_t>(ColumnCount()));
    std::vector<std::string> kept(static_cast<size_t>(ColumnCount()));
    bool any = false;
    for (size_t c = 0; c < filters.size() && c < texts.size(); ++c) {
        std::string why;
        if (!filters[c].Parse(texts[c], why)) {
            if (error) *error = why;
            return false;
        }
        kept[c] = texts[c];
        any = any || filters[c].Active();
    }
    if (kept == filterTexts_ || (!any && !filtered_ && filterTexts_.empty())) {
        filterTexts_ = std::move(kept);
        return true;
    }
    filterTexts_ = std::move(kept);
    filters_ = std::move(filters);
    filtered_ = any;
    ApplyFilters();
    NotifyReset();
    for (auto* o : observers_) o->FilterChanged();
    return true;
}

void CMvView::ClearFilters() {
    SetFilters({});
}

bool CMvView::Passes(uint32_t slot) const {
    for (size_t c = 0; c < filters_.size(); ++c)
        if (filters_[c].Active() &&
            !filters_[c].Matches(SlotText(slot, int(c)), NumericColumn(int(c))))
            return false;
    return true;
}

void CMvView::ApplyFilters() {
    if (!filtered_) {
        passes_.clear();
        shown_.clear();
        return;
    }
    // Column by column, each over the rows still passing: one cell text per row and filter.
    passes_.assign(rows_.size(), 1);
    for (size_t c = 0; c < filters_.size(); ++c) {
        const ColumnFilter& f = filters_[c];
        if (!f.Active()) continue;
        const bool numeric = NumericColumn(int(c));
        const uint32_t n = uint32_t(rows_.size());
        if (c == 0) {
            for (uint32_t s = 0; s < n; ++s)
                if (passes_[s] && !f.Matches(rows_[s].text, numeric)) passes_[s] = 0;
            continue;
        }
        for (uint32_t s = 0; s < n; ++s)
            if (passes_[s] && !f.Matches(SlotText(s, int(c)), numeric)) passes_[s] = 0;
    }
    RebuildShown();
}

void CMvView::RebuildShown() {
    shown_.clear();
    if (!filtered_) return;
    for (uint32_t s : order_) {
        if (passes_[s])
            shown_.push_back(s);
        else if (rows_[s].selected) {
            rows_[s].selected = false;
            --selectedCount_;
        }
    }
}

std::string CMvView::RowCountText() const {
    return std::to_string(RowCount()) + " of " + std::to_string(TotalRowCount()) + " rows";
}

void CMvView::AddObserver(ViewObserver* o) {
    observers_.push_back(o);
}

void CMvView::RemoveObserver(ViewObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void CMvView::NotifyReset() {
    // The shown rows follow the sorted ones.
    if (filtered_) RebuildShown();
    for (auto* o : observers_) o->RowsReset();
}

// ---- selection ----

void CMvView::Select(int row, bool only) {
    if (only) {
        for (auto& r : rows_) r.selected = false;
        selectedCount_ = 0;
    }
    if (row >= 0 && row < RowCount() && !rows_[Shown()[size_t(row)]].selected) {
        rows_[Shown()[size_t(row)]].selected = true;
        ++selectedCount_;
    }
    for (auto* o : observers_) o->SelectionChanged();
}

void CMvView::SetSelection(const std::vector<int>& rows) {
    for (auto& r : rows_) r.selected = false;
    selectedCount_ = 0;
    for (int row : rows)
        if (row >= 0 && row < RowCount() && !rows_[Shown()[size_t(row)]].selected) {
            rows_[Shown()[size_t(row)]].selected = true;
            ++selectedCount_;
        }
    for (auto* o : observers_) o->SelectionChanged();
}

void CMvView::ClearSelection() {
    SetSelection({});
}

bool CMvView::IsSelected(int row) const {
    return row >= 0 && row < RowCount() && rows_[Shown()[size_t(row)]].selected;
}

int CMvView::FirstSelected() const {
    if (selectedCount_ == 0) return -1;
    const std::vector<uint32_t>& shown = Shown();
    for (size_t p = 0; p < shown.size(); ++p)
        if (rows_[shown[p]].selected) return int(p);
    return -1;
}

std::vector<int> CMvView::Selection() const {
    std::vector<int> out;
    if (selectedCount_ == 0) return out;
    const std::vector<uint32_t>& shown = Shown();
    for (size_t p = 0; p < shown.size(); ++p)
        if (rows_[shown[p]].selected) out.push_back(int(p));
    return out;
}

int CMvView::SelectedIndex() const {
    int row = FirstSelected();
    return row < 0 ? -1 : ItemData(row);
}

// ---- user actions ----

void CMvView::SetMode(int mode) {
    if (mode < kModeLargeIcons || mode > kModeList) return;
    mode_ = mode;
    ctx_.doc.SetListStyle(mode);
    for (auto* o : observers_) o->ModeChanged(mode);
}

void CMvView::OnColumnClick(int column) {
    if (column < 0 || column >= ColumnCount() || !ColumnClickSorts(column)) return;
    SetStoredSortColumn(column);
    Sort(column);
}

void CMvView::OnDoubleClick(int row) {
    if (row < 0 || row >= RowCount()) return;
    OperationScope operation(&ctx_.ui, CommandName(cmd::kShowItem));
    ShowRecord(row);
}

PopupRequest CMvView::OnContextMenu(std::optional<Point> mouse, Point clientOriginOnScreen) const {
    PopupRequest r;
    r.position = mouse ? *mouse : Point{clientOriginOnScreen.x + 5, clientOriginOnScreen.y + 5};
    return r;
}

bool CMvView::BeginDrag(int row) {
    if (!CanDrag() || row < 0 || row >= RowCount()) return false;
    dragging_ = true;
    draggedItem_ = row;
    return true;
}

void CMvView::EndDrag(std::optional<int> targetRow) {
    if (!dragging_) return;
    dragging_ = false;
    const int source = draggedItem_;
    draggedItem_ = -1;
    if (targetRow && *targetRow >= 0 && *targetRow < RowCount()) {
        OperationScope operation(&ctx_.ui, "Drag and Drop");
        OnDrop(source, *targetRow);
    }
}

// ---- sorting ----

void CMvView::SortBy(int column, bool ascending) {
    if (column < 0 || column >= ColumnCount()) return;
    if (column == lastSortColumn_ && ascending == ascending_) return;
    Sort(column);
    if (ascending_ != ascending) Sort(column);
}

int CMvView::StoredSortColumn() const {
    return ctx_.registry.SortColumn(SortKey()).value_or(fileOrderColumn_);
}

void CMvView::SetStoredSortColumn(int column) {
    ctx_.registry.SetSortColumn(SortKey(), column);
}

int CMvView::CompareRecords(const uint8_t* a, const uint8_t* b, const ColumnDesc& c) const {
    return CompareField(a, b, recordSize_, c);
}

int CMvView::CompareItems(int indexA, int indexB, int column, bool ascending) const {
    if (column == fileOrderColumn_) return ascending ? indexA - indexB : indexB - indexA;
    std::vector<uint8_t> a(recordSize_), b(recordSize_);
    // A record that cannot be read makes the two rows compare equal.
    if (!source_->Get(indexA, a.data()) || !source_->Get(indexB, b.data())) return 0;
    const ColumnDesc& c = columns_[size_t(column)];
    return ascending ? CompareRecords(a.data(), b.data(), c)
                     : CompareRecords(b.data(), a.data(), c);
}

void CMvView::Sort(int column) {
    if (column < 0 || column >= ColumnCount()) return;
    ascending_ = column == lastSortColumn_ ? !ascending_ : true;
    lastSortColumn_ = column;
    const bool asc = ascending_;
    if (column == fileOrderColumn_) {
        MergeSortOrder(order_, [&](uint32_t a, uint32_t b) {
            int x = rows_[a].index, y = rows_[b].index;
            return asc ? x - y : y - x;
        });
    } else {
        const ColumnDesc& c = columns_[size_t(column)];
        std::vector<uint8_t> readable(rows_.size());
        if (c.kind == kKindText && Inside(c, recordSize_) && PlainTextSort(c)) {
            // Texts sort by their lower-case bytes, zero-padded: the same order as the field
            // comparison, from keys small enough to stay in the cache. Each record is read as
            // the file holds it now, once for the whole sort.
            const size_t n = size_t(ColumnWidthBytes(c, recordSize_)) + 1;
            std::vector<uint8_t> keys(rows_.size() * n, 0);
            std::vector<uint8_t> record(recordSize_);
            for (size_t s = 0; s < rows_.size(); ++s) {
                readable[s] = uint8_t(source_->Get(rows_[s].index, record.data()));
                const uint8_t* p = record.data() + c.offset;
                uint8_t* k = keys.data() + s * n;
                for (size_t i = 0; i + 1 < n && p[i]; ++i) k[i] = kLower[p[i]];
            }
            MergeSortOrder(order_, [&](uint32_t a, uint32_t b) {
                if (!readable[a] || !readable[b]) return 0;
                const int r = asc ? std::memcmp(keys.data() + a * n, keys.data() + b * n, n)
                                  : std::memcmp(keys.data() + b * n, keys.data() + a * n, n);
                return r < 0 ? -1 : r > 0 ? 1 : 0;
            });
            NotifyReset();
            return;
        }
        // The records as the file holds them now, read once for the whole sort.
        std::vector<uint8_t> records(rows_.size() * recordSize_);
        for (size_t s = 0; s < rows_.size(); ++s)
            readable[s] = uint8_t(source_->Get(rows_[s].index, records.data() + s * recordSize_));
        MergeSortOrder(order_, [&](uint32_t a, uint32_t b) {
            if (!readable[a] || !readable[b]) return 0;
            const uint8_t* ra = records.data() + size_t(a) * recordSize_;
            const uint8_t* rb = records.data() + size_t(b) * recordSize_;
            return asc ? CompareRecords(ra, rb, c) : CompareRecords(rb, ra, c);
        });
    }
    NotifyReset();
}

// ---- commands ----

namespace {

int ModeOfCommand(int id) {
    switch (id) {
        case cmd::kLargeIcons:
            return kModeLargeIcons;
        case cmd::kSmallIcons:
            return kModeSmallIcons;
        case cmd::kList:
            return kModeList;
        case cmd::kDetail:
            return kModeDetail;
        default:
            return -1;
    }
}

unsigned RecordCommandOf(int id) {
    switch (id) {
        case cmd::kShowItem:
            return kRecordShow;
        case cmd::kAddItem:
            return kRecordAdd;
        case cmd::kAddCopy:
            return kRecordCopy;
        case cmd::kDeleteItem:
            return kRecordDelete;
        case cmd::kExportItem:
            return kRecordExport;
        default:
            return 0;
    }
}

}  // namespace

bool CMvView::QueryCommand(int id, CommandState& state) {
    switch (id) {
        case cmd::kEditCopy:
            EnableWithSelection(state);
            return true;
        case cmd::kExportList:
        case cmd::kFocusFilter:
            return true;
        case cmd::kClearFilters:
            state.enabled = filtered_;
            return true;
        default:
            break;
    }
    switch (RecordCommandOf(id) & RecordCommands()) {
        case kRecordShow:
        case kRecordCopy:
        case kRecordExport:
            EnableWithSelection(state);
            return true;
        case kRecordAdd:
            return true;
        case kRecordDelete:
            EnableDeleteLast(state);
            return true;
        default:
            break;
    }
    for (const SortCommand& s : SortCommands())
        if (s.id == id) {
            state.checked = SortCommandChecked(s.column);
            return true;
        }
    int mode = ModeOfCommand(id);
    if (mode < 0) return false;
    state.enabled = true;
    state.checked = mode_ == mode;
    return true;
}

bool CMvView::RunCommand(int id) {
    switch (id) {
        case cmd::kEditCopy:
            ctx_.ui.SetClipboard(SelectionText());
            return true;
        case cmd::kExportList:
            ExportList();
            return true;
        case cmd::kFocusFilter:
            // The filter row is part of the detail view.
            if (mode_ != kModeDetail) SetMode(kModeDetail);
            for (auto* o : observers_) o->FilterFocusRequested();
            return true;
        case cmd::kClearFilters:
            ClearFilters();
            return true;
        default:
            break;
    }
    switch (RecordCommandOf(id) & RecordCommands()) {
        case kRecordShow:
            ShowRecord(FirstSelected());
            return true;
        case kRecordAdd:
            AddRecord(false);
            return true;
        case kRecordCopy:
            AddRecord(true);
            return true;
        case kRecordDelete:
            DeleteRecord();
            return true;
        case kRecordExport:
            ExportSelected();
            return true;
        default:
            break;
    }
    for (const SortCommand& s : SortCommands())
        if (s.id == id) {
            RunSortCommand(s.column);
            return true;
        }
    int mode = ModeOfCommand(id);
    if (mode < 0) return false;
    SetMode(mode);
    return true;
}

void CMvView::RunSortCommand(int column) {
    SetStoredSortColumn(column);
    Sort(column);
}

void CMvView::DeleteRecord() {
    const int row = FirstSelected();
    if (row < 0) return;
    if (!DeleteLastRecord(ItemData(row))) {
        ctx_.ui.Show("Can't delete record");
        return;
    }
    RemoveRow(row);
}

void CMvView::ExportSelected() {
    int index = SelectedIndex();
    if (index < 0) return;
    ExportItem(ctx_.db, source_->Ref().file, index, ctx_.ui);
}

std::string CMvView::SelectionText() const {
    std::ostringstream out;
    WriteViewRows(*this, TableFormat::Tsv, Selection(), out);
    return out.str();
}

namespace {

// Whether a path names a file of the open database set (which only the store writes).
bool IsFileOfSet(Database& db, const std::string& path) {
    std::error_code ec;
    for (const FileDesc& d : FileDescs()) {
        const std::string& open = db.File(d.id).Path();
        if (!open.empty() && std::filesystem::equivalent(open, path, ec)) return true;
    }
    return false;
}

}  // namespace

void CMvView::ExportList() {
    FileRequest r;
    r.save = true;
    r.title = "Export List";
    r.filter = "CSV Files (*.csv)|*.csv|JSON Files (*.json)|*.json|All Files (*.*)|*.*||";
    r.defaultExt = "csv";
    r.initialName = ctx_.doc.Title().empty() ? "list.csv" : ctx_.doc.Title() + ".csv";
    const std::optional<std::string> path = ctx_.ui.ChooseFile(r);
    if (!path) return;
    std::string ext = std::filesystem::path(*path).extension().string();
    for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (IsFileOfSet(ctx_.db, *path)) {
        ctx_.ui.Show("Can't write " + *path + ": it is a file of the database.");
        return;
    }
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    if (out) WriteViewTable(*this, ext == ".json" ? TableFormat::Json : TableFormat::Csv, out);
    out.close();
    if (!out) ctx_.ui.Show("Can't write " + *path);
}

void CMvView::EnableDeleteLast(CommandState& state) const {
    int index = SelectedIndex();
    state.enabled = index >= 0 && index == source_->Count() - 1;
}

}  // namespace tablon
