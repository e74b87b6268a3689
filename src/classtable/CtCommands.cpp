#include "classtable/CtCommands.h"

#include "classtable/CtFile.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtUsageDialog.h"
#include "classtable/CtView.h"
#include "shell/MvView.h"
#include "store/Database.h"

namespace tablon {

void EditCtRecord(ShellContext& ctx) {
    auto number = AskCtRecordNumber(ctx.ui);
    if (!number) return;
    CtFile& ct = ctx.db.Ct();
    if (*number > ct.RecordCount()) {
        ctx.ui.Show(Format("Max record number: %d", int(ct.RecordCount())));
        return;
    }
    CtRecord copy;
    if (!ct.GetRecord(int(*number), copy)) {
        ctx.ui.Show("Couldn't get the CT record");
        return;
    }
    if (RunCtRecordDialog(ctx, copy, int(*number), "") != Answer::Ok) return;
    if (!ct.SetRecord(int(*number), copy)) ctx.ui.Show("Update Failed");
}

void CtCheck(ShellContext& ctx) {
    auto number = AskCtRecordNumber(ctx.ui);
    if (!number) return;
    const uint32_t count = ctx.db.Ct().RecordCount();
    if (*number > count) {
        ctx.ui.Show(Format("Max record number: %d", int(count)));
        return;
    }
    CCtUsageDialog usage(ctx, *number);
    ctx.ui.RunDialog(usage);
}

void RegisterClassTable(ShellRegistry& registry) {
    registry.RegisterView<CCtView>();
    registry.RegisterDocumentCommand(cmd::kEditCtRecord, EditCtRecord);
    registry.RegisterDocumentCommand(cmd::kSearchCtEntryReference, CtCheck);
    registry.RegisterApplicationCommand(cmd::kCtCheck, CtCheck);
    registry.RegisterRecordDialog({FileId::Ct}, [](ShellContext& ctx, int index, Bytes& record) {
        CtRecord copy;
        std::memcpy(copy.data(), record.data(), std::min(record.size(), CtRecord::kSize));
        Answer a = RunCtRecordDialog(ctx, copy, index, "");
        if (a == Answer::Ok) record.assign(copy.data(), copy.data() + CtRecord::kSize);
        return a;
    });
}

}  // namespace tablon
