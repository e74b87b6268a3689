#include "shell/GenericView.h"

#include "shell/CategoryTree.h"
#include "store/Database.h"

namespace tablon {

namespace {

int KindOf(FieldType t) {
    switch (t) {
        case FieldType::I8:
            return kKindI8;
        case FieldType::U8:
            return kKindU8;
        case FieldType::I16:
            return kKindI16;
        case FieldType::U16:
            return kKindU16;
        case FieldType::I32:
            return kKindI32;
        case FieldType::U32:
            return kKindU32;
        case FieldType::F32:
            return kKindF32;
        case FieldType::Text:
            return kKindText;
        case FieldType::Raw:
            return kKindRaw;
    }
    return kKindRaw;
}

std::string TitleOf(const Field& f) {
    return f.title ? f.title : f.name;
}

}  // namespace

std::vector<ColumnDesc> ColumnsFromFields(const FieldTable& fields) {
    std::vector<ColumnDesc> cols;
    cols.push_back({"No", 50, 0, kKindFileOrder});
    for (const auto& f : fields.fields) {
        ColumnDesc c;
        c.title = TitleOf(f);
        c.offset = f.offset;
        c.kind = KindOf(f.type);
        if (f.type == FieldType::Text || f.type == FieldType::Raw) {
            c.length = f.count;
            c.width = f.type == FieldType::Text ? 100 : std::min(200, 14 * int(f.count));
            cols.push_back(c);
        } else if (IsArray(f) && f.count <= kMaxArrayColumns) {
            for (int i = 0; i < f.count; ++i) {
                ColumnDesc e = c;
                e.title = c.title + "[" + std::to_string(i) + "]";
                e.offset = int(f.offset + i * ElementWidth(f.type));
                cols.push_back(e);
            }
        } else {
            c.count = IsArray(f) ? f.count : 1;
            if (c.count > 1) c.width = 150;
            cols.push_back(c);
        }
    }
    return cols;
}

CGenericView::CGenericView(ShellContext& ctx, std::string viewClass,
                           std::unique_ptr<RecordSource> source)
    : CMvView(ctx, std::move(source), {}, 0), viewClass_(std::move(viewClass)) {
    SetColumns(ColumnsFromFields(Source().Fields()));
}

bool CGenericView::Exportable() const {
    const TableFile* t = Source().Table();
    return t && t->Desc().exportCode >= 0;
}

unsigned CGenericView::RecordCommands() const {
    return Exportable() ? kRecordShow | kRecordExport : kRecordShow;
}

std::span<const SortCommand> CGenericView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByFileOrder, 0}};
    return kSorts;
}

void CGenericView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    Bytes record(Source().RecordSize());
    if (!Source().Get(index, record.data())) return;
    RunRecordDialog(ctx_, Source().Ref(), index, record);
}

std::unique_ptr<PaneView> MakeGenericView(ShellContext& ctx, const CategoryNode& node) {
    auto source = MakeSource(ctx.db, node.source);
    if (!source) return nullptr;
    return std::make_unique<CGenericView>(ctx, node.viewClass, std::move(source));
}

CRecordForm::CRecordForm(const std::string& typeName, const FieldTable& fields, int index,
                         const Bytes& record)
    : Form(typeName + " Record " + std::to_string(index), 420, 460) {
    AddList(kIdFields, {10, 10, 410, 410}, {{"Field", 150}, {"Value", 230}});
    std::vector<ListRow> rows;
    for (const auto& f : fields.fields) {
        if (f.offset + FieldWidth(f) > record.size()) continue;
        const size_t n = IsArray(f) ? f.count : 1;
        for (size_t i = 0; i < n; ++i) {
            std::string name =
                n > 1 ? std::string(f.name) + "[" + std::to_string(i) + "]" : std::string(f.name);
            rows.push_back({{name, FormatElement(f, record.data(), i)}, int64_t(i)});
        }
    }
    Find(kIdFields)->rows = std::move(rows);
    AddButton(kIdOk, "OK", {340, 420, 410, 444}).defaultButton = true;
}

}  // namespace tablon
