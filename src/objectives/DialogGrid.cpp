#include "objectives/DialogGrid.h"

#include <algorithm>

#include "classtable/CtFile.h"
#include "classtable/CtRecordDialog.h"
#include "shell/MvView.h"
#include "store/Database.h"

namespace tablon {

void AddGridEntries(Form& form, std::span<const GridEntry> entries, const GridGeometry& g) {
    for (const auto& e : entries) {
        const int x = g.left + e.column * g.columnWidth, y = g.top + e.row * g.rowPitch;
        const Rect label{x, y, x + g.labelWidth, y + 22};
        const Rect field{x + g.labelWidth + 5, y, x + g.labelWidth + 5 + g.fieldWidth, y + 20};
        if (e.button)
            form.AddButton(e.button, e.label, label);
        else
            form.AddLabel(-1, e.label, label);
        form.AddEdit(e.id, field);
        form.Bind(e.id, e.exchange,
                  e.min < e.max ? std::optional<ExchangeRange>({e.min, e.max}) : std::nullopt);
    }
}

std::vector<RecordBinding> GridBindings(std::span<const GridEntry> entries,
                                        std::vector<RecordBinding> leading) {
    for (const auto& e : entries) leading.push_back({e.id, e.offset, e.field, e.exchange});
    return leading;
}

std::vector<GridEntry> ByteColumn(int firstId, std::span<const char* const> labels, int column,
                                  int firstRow, uint16_t firstOffset, Exchange exchange, double min,
                                  double max) {
    std::vector<GridEntry> out;
    for (size_t i = 0; i < labels.size(); ++i)
        out.push_back({firstId + int(i), labels[i], column, firstRow + int(i),
                       uint16_t(firstOffset + i), FieldType::U8, exchange, min, max});
    return out;
}

void EditCtRecord(ShellContext& ctx, int index, const std::string& name) {
    CtRecord ct;
    if (!ctx.db.Ct().GetRecord(index, ct)) return;
    if (RunCtRecordDialog(ctx, ct, index, name) == Answer::Ok && !ctx.db.Ct().SetRecord(index, ct))
        ctx.ui.Show("Update Failed");
}

void RecordRows::Add(int index, const uint8_t* record) {
    rows_.push_back({index, std::vector<uint8_t>(record, record + size_)});
}

void RecordRows::Click(int column) {
    if (column < 0 || column >= int(columns_.size())) return;
    ascending_ = column == lastColumn_ ? !ascending_ : true;
    lastColumn_ = column;
    const ColumnDesc& c = columns_[size_t(column)];
    const bool byIndex = column == fileOrderColumn_;
    std::vector<uint32_t> order(rows_.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    MergeSortOrder(order, [&](uint32_t a, uint32_t b) {
        const Row& x = rows_[ascending_ ? a : b];
        const Row& y = rows_[ascending_ ? b : a];
        return byIndex ? x.index - y.index
                       : CompareField(x.record.data(), y.record.data(), size_, c);
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (uint32_t i : order) sorted.push_back(std::move(rows_[i]));
    rows_ = std::move(sorted);
}

std::vector<ListRow> RecordRows::Rows() const {
    std::vector<ListRow> out;
    out.reserve(rows_.size());
    for (const Row& r : rows_) {
        ListRow row;
        row.data = r.index;
        for (const auto& c : columns_)
            row.cells.push_back(FieldText(r.record.data(), size_, r.index, c));
        out.push_back(std::move(row));
    }
    return out;
}

std::vector<ListColumn> RecordRows::Columns() const {
    std::vector<ListColumn> out;
    for (const auto& c : columns_) out.push_back({c.title, c.width});
    return out;
}

}  // namespace tablon
