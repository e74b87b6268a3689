#include "shell/HistoryDialogs.h"

#include <filesystem>
#include <memory>

#include "shell/MainFrame.h"
#include "shell/Registry.h"
#include "store/Database.h"

namespace tablon {

namespace {

constexpr int kListWidth = 560, kListHeight = 300;

// A dialog of one list and a Close button, resizable with the list taking the room.
void BuildListDialog(Form& form, int listId, std::vector<ListColumn> columns) {
    form.AddList(listId, {8, 8, 8 + kListWidth, 8 + kListHeight}, std::move(columns));
    form.AddButton(kIdCancel, "Close",
                   {kListWidth - 67, kListHeight + 16, kListWidth + 8, kListHeight + 40});
}

// The history's numbers for the commands' states, read again only when the journal changed.
struct HistoryCounts {
    uint64_t journalSize = UINT64_MAX;
    size_t done = 0, undone = 0;
    void Refresh(Journal& journal) {
        if (journal.Size() == journalSize) return;
        journalSize = journal.Size();
        const UndoHistory h = ReadHistory(journal.Folder());
        done = h.done.size();
        undone = h.undone.size();
    }
};

void UndoOrRedo(ShellContext& ctx, CMainFrame& frame, bool redo) {
    std::string message;
    const UndoResult r = redo ? RedoLast(ctx.db, message) : UndoLast(ctx.db, message);
    if (r != UndoResult::Done) {
        ctx.ui.Show(message);
        return;
    }
    frame.Refresh();
}

void CompareWith(ShellContext& ctx) {
    FileRequest request;
    request.title = "Compare With";
    request.filter = FilterFor("ct");
    request.initialName = DescOf(FileId::Ct).name;
    request.mustExist = true;
    const auto chosen = ctx.ui.ChooseFile(request);
    if (!chosen) return;
    const std::string dir = std::filesystem::path(*chosen).parent_path().string();
    Database other(ctx.ui);
    std::string error;
    if (!OpenForReading(other, dir.empty() ? "." : dir, error)) {
        ctx.ui.Show(error);
        return;
    }
    std::vector<DiffEntry> diff;
    {
        BusyScope busy(ctx.ui);
        diff = DiffDatabases(ctx.db, other);
    }
    if (diff.empty()) {
        ctx.ui.Show("The sets are equal.", Icon::Information);
        return;
    }
    CCompareDlg dialog(ctx, dir, std::move(diff));
    ctx.ui.RunDialog(dialog);
}

}  // namespace

CHistoryDlg::CHistoryDlg(const std::vector<HistoryRow>& rows)
    : Form("History", kListWidth + 16, kListHeight + 48) {
    BuildListDialog(*this, kIdList,
                    {{"Time", 120}, {"Command", 220}, {"Records", 160}, {"State", 60}});
    std::vector<ListRow> list;
    for (const HistoryRow& h : rows)
        list.push_back(
            {{h.time, h.command, h.records, h.undone ? "undone" : "done"}, int64_t(h.id)});
    SetRows(kIdList, std::move(list));
}

CCompareDlg::CCompareDlg(ShellContext& ctx, const std::string& otherDir,
                         std::vector<DiffEntry> diff)
    : Form("Compare With " + otherDir, kListWidth + 16, kListHeight + 48),
      ctx_(ctx),
      diff_(std::move(diff)) {
    BuildListDialog(*this, kIdList,
                    {{"File", 90},
                     {"Record", 55},
                     {"Change", 70},
                     {"Field", 110},
                     {"This set", 115},
                     {"Other set", 115}});
    std::vector<ListRow> rows;
    rows.reserve(diff_.size());
    for (size_t k = 0; k < diff_.size(); ++k) {
        const DiffEntry& e = diff_[k];
        if (!DiffShown(e)) continue;
        rows.push_back({{DescOf(e.file).name, e.index >= 0 ? std::to_string(e.index) : "",
                         DiffKindName(e.kind), e.field, e.before, e.after},
                        int64_t(k)});
    }
    SetRows(kIdList, std::move(rows));
}

void CCompareDlg::OnListEvent(int id, ListEventKind kind, int row, int) {
    if (id != kIdList || kind != ListEventKind::DoubleClick || row < 0) return;
    const DiffEntry& e = diff_[size_t(Rows(kIdList)[size_t(row)].data)];
    // Only records this set holds open: one the other set adds has nothing to show here.
    // Entries of the model files other than the parents have no record dialog.
    const RecordFile& f = ctx_.db.File(e.file);
    if (e.kind == DiffEntry::Kind::Entry || e.index < 0 || uint32_t(e.index) >= f.GenericCount())
        return;
    EditRecord(ctx_, SourceRef{e.file}, e.index, "Update Failed");
}

void AddHistoryCommands(CommandTable& commands, ShellContext& ctx, CMainFrame& frame) {
    auto counts = std::make_shared<HistoryCounts>();
    Journal& journal = ctx.db.GetJournal();
    commands.Add(
        cmd::kEditUndo, [&ctx, &frame] { UndoOrRedo(ctx, frame, false); },
        [counts, &journal](CommandState& s) {
            counts->Refresh(journal);
            s.enabled = counts->done > 0;
        });
    commands.Add(
        cmd::kEditRedo, [&ctx, &frame] { UndoOrRedo(ctx, frame, true); },
        [counts, &journal](CommandState& s) {
            counts->Refresh(journal);
            s.enabled = counts->undone > 0;
        });
    commands.Add(cmd::kEditHistory, [&ctx, &journal] {
        CHistoryDlg dialog(HistoryRows(ReadHistory(journal.Folder())));
        ctx.ui.RunDialog(dialog);
    });
    commands.Add(cmd::kCompareWith, [&ctx] { CompareWith(ctx); });
}

}  // namespace tablon
