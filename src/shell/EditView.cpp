#include "shell/EditView.h"

#include <algorithm>
#include <cstring>

#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

// ---- RowSource ----

RowSource::RowSource(Database& db, FileId file, uint32_t rowSize, Compose compose)
    : file_(file),
      table_(*db.Table(file)),
      rowSize_(rowSize ? rowSize : table_.MemSize()),
      compose_(std::move(compose)),
      buffer_(table_.MemSize()) {}

int RowSource::Count() const {
    return int(table_.RecordsShown());
}

const FieldTable& RowSource::Fields() const {
    return FieldTableOf(file_);
}

std::string RowSource::TypeName() const {
    return table_.Desc().typeName;
}

int RowSource::Get(int index, uint8_t* out) const {
    if (!compose_ && rowSize_ == table_.MemSize()) return table_.GetRecord(index, out);
    if (!table_.GetRecord(index, buffer_.data())) return 0;
    ComposeRow(buffer_.data(), index, out);
    return 1;
}

void RowSource::ComposeRow(const uint8_t* record, int index, uint8_t* row) const {
    if (compose_) {
        compose_(record, index, row);
        return;
    }
    std::memset(row, 0, rowSize_);
    std::memcpy(row, record, std::min<size_t>(rowSize_, table_.MemSize()));
}

// ---- CEditView ----

CEditView::CEditView(ShellContext& ctx, std::unique_ptr<RowSource> source,
                     std::vector<ColumnDesc> columns, int fileOrderColumn, EditViewRules rules)
    : CMvView(ctx, std::move(source), std::move(columns), fileOrderColumn), rules_(rules) {}

void CEditView::Fill() {
    const RowSource& rows = Rows();
    std::vector<uint8_t> row(rows.RecordSize());
    for (int i = 0; rows.Get(i, row.data()); ++i)
        if (Lists(row.data())) InsertRow(i, row.data());
}

std::vector<uint8_t> CEditView::RowOf(const Bytes& record, int index) const {
    std::vector<uint8_t> row(Rows().RecordSize());
    Rows().ComposeRow(record.data(), index, row.data());
    return row;
}

void CEditView::RefreshRow(int row, const Bytes& record) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    const std::vector<uint8_t> data = RowOf(record, index);
    std::string text = ItemTextFor(data.data(), index);
    const int icon = IconFor(data.data());
    if (text == ItemText(row) && icon == Icon(row))
        FillCells(row, data.data());
    else
        ReplaceRow(row, data.data(), std::move(text), icon);
}

void CEditView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    Bytes copy(File().MemSize());
    if (!File().GetRecord(index, copy.data())) return;
    const Answer answer = RunDialog(copy, index, Purpose::Show);
    AfterDialog();
    if (answer != Answer::Ok) return;
    if (!File().SetRecord(index, copy.data())) {
        ctx_.ui.Show(rules_.showFailed);
        return;
    }
    if (rules_.refreshAfterShow) RefreshRow(PositionOf(index), copy);
}

void CEditView::AddRecord(bool copy) {
    Bytes record(File().MemSize(), 0);
    if (copy) {
        const int from = SelectedIndex();
        if (from < 0 || !File().GetRecord(from, record.data())) return;
    }
    PrepareNew(record, copy);
    const Answer answer =
        RunDialog(record, int(File().RecordCount()), copy ? Purpose::Copy : Purpose::Add);
    AfterDialog();
    if (answer != Answer::Ok) return;
    int index = 0;
    if (!File().AppendRecord(index, record.data())) {
        ctx_.ui.Show(rules_.addFailed);
        return;
    }
    const std::vector<uint8_t> row = RowOf(record, index);
    if (Lists(row.data())) InsertRow(index, row.data());
}

bool CEditView::DeleteLastRecord(int index) {
    return File().DeleteLastRecord(index);
}

void CEditView::OnDrop(int sourceRow, int targetRow) {
    if (!rules_.dropQuestion) return;
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    Bytes from(File().MemSize()), to(File().MemSize());
    if (!File().GetRecord(source, from.data()) || !File().GetRecord(target, to.data())) return;
    const std::string question =
        rules_.dropNamed
            ? Format(rules_.dropQuestion, target, NameOf(to).c_str(), source, NameOf(from).c_str())
            : Format(rules_.dropQuestion, target, source);
    if (ctx_.ui.Ask(question) != Answer::Yes) return;
    if (!File().SetRecord(target, from.data())) {
        ctx_.ui.Show(rules_.dropFailed);
        return;
    }
    RefreshRow(targetRow, from);
}

}  // namespace tablon
