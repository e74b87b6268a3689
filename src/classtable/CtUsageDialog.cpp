#include "classtable/CtUsageDialog.h"

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtSearch.h"
#include "store/Database.h"

namespace tablon {

using namespace ctusage;

CCtUsageDialog::CCtUsageDialog(ShellContext& ctx, uint32_t index)
    : Form("CT Record Usage", 600, 330), ctx_(ctx), index_(index) {
    AddLabel(-1, "CT Record", {10, 12, 80, 30});
    AddEdit(kIndex, {85, 10, 160, 30}).readOnly = true;
    AddLabel(-1, "used in:", {170, 12, 240, 30});
    AddList(kList, {10, 40, 590, 280}, CtUsageColumns());
    AddButton(kEditCtRecord, "Edit CT Record", {10, 290, 120, 314});
    AddOkCancel();
}

void CCtUsageDialog::OnInitDialog() {
    ShowUnsigned(kIndex, index_);
    SetRows(kList, CtUsageRows(ctx_.db, index_));
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
    if (auto file = UsageRowFile(r.cells[0]))
        EditRecord(ctx_, {*file}, int(r.data), "Update Failed");
}

}  // namespace tablon
