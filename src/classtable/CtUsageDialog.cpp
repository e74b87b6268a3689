#include "classtable/CtUsageDialog.h"

#include <cstring>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "store/Database.h"

namespace tablon {

using namespace ctusage;

namespace {

// A file whose records name a class-table record at offset 0, in search order.
struct Referrer {
    const char* type;
    FileId file;
    bool wide;       // the whole 32 bits are compared; otherwise 16 bits taken unsigned
    int nameOffset;  // -1: the row shows "n/a" and is listed whatever the record holds
    int nameLength;
};

constexpr Referrer kReferrers[] = {
    {"FCD", FileId::Fcd, false, 8, 20}, {"FED", FileId::Fed, false, -1, 0},
    {"OCD", FileId::Ocd, false, 2, 20}, {"UCD", FileId::Ucd, true, 230, 22},
    {"VCD", FileId::Vcd, false, 8, 14}, {"WCD", FileId::Wcd, false, 12, 18},
};

}  // namespace

CCtUsageDialog::CCtUsageDialog(ShellContext& ctx, uint32_t index)
    : Form("CT Record Usage", 600, 330), ctx_(ctx), index_(index) {
    AddLabel(-1, "CT Record", {10, 12, 80, 30});
    AddEdit(kIndex, {85, 10, 160, 30}).readOnly = true;
    AddLabel(-1, "used in:", {170, 12, 240, 30});
    AddList(kList, {10, 40, 590, 280},
            {{"Type", 100}, {"Name", 100}, {"Record number", 180}, {"Comments", 180}});
    AddButton(kEditCtRecord, "Edit CT Record", {10, 290, 120, 314});
    AddOkCancel();
}

void CCtUsageDialog::OnInitDialog() {
    ShowUnsigned(kIndex, index_);
    std::vector<ListRow> rows;
    if (auto use = ProtectedUse(int(index_)))
        rows.push_back(
            {{"WARNING", *use, "Hardcoded CT Record usage", "Don't change this record !!"}, -1});
    Bytes record;
    for (const auto& ref : kReferrers) {
        const TableFile* file = ctx_.db.Table(ref.file);
        if (!file) continue;
        for (int r = 0; file->GetRecord(r, record); ++r) {
            const uint32_t ct =
                ref.wide ? LoadLE<uint32_t>(record.data()) : LoadLE<uint16_t>(record.data());
            if (ct != index_) continue;
            std::string name = "n/a";
            if (ref.nameOffset >= 0) {
                if (size_t(ref.nameOffset) >= record.size() || record[size_t(ref.nameOffset)] == 0)
                    continue;
                const size_t room = record.size() - size_t(ref.nameOffset);
                name = LoadText(record.data() + ref.nameOffset,
                                std::min(room, size_t(ref.nameLength)));
            }
            rows.push_back({{ref.type, name, std::to_string(r), ""}, r});
        }
    }
    SetRows(kList, std::move(rows));
}

void CCtUsageDialog::OnButton(int id) {
    if (id != kEditCtRecord) return;
    CtRecord copy;
    if (!ctx_.db.Ct().GetRecord(int(index_), copy)) {
        ctx_.ui.Show("Couldn't get the CT record");
        return;
    }
    if (RunCtRecordDialog(ctx_, copy, int(index_), "") != Answer::Ok) return;
    if (!ctx_.db.Ct().SetRecord(int(index_), copy)) ctx_.ui.Show("Update Failed");
}

void CCtUsageDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kList || kind != ListEventKind::DoubleClick || row < 0) return;
    const ListRow& r = Rows(kList)[size_t(row)];
    for (const auto& ref : kReferrers)
        if (r.cells[0] == ref.type) {
            EditRecord(ctx_, {ref.file}, int(r.data), "Update Failed");
            return;
        }
}

}  // namespace tablon
