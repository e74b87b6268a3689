// The window's side of the history of changes: Undo, Redo and "History…" of the Edit menu, and
// "Compare With…" of the File menu, which lists how another set differs from this one.
#pragma once

#include <string>
#include <vector>

#include "shell/Form.h"
#include "store/Diff.h"
#include "store/Undo.h"

namespace tablon {

class CMainFrame;
class CommandTable;
struct ShellContext;

// "History": the changes in effect, oldest first, then those undone that can be redone.
class CHistoryDlg : public Form {
  public:
    static constexpr int kIdList = 100;
    explicit CHistoryDlg(const std::vector<HistoryRow>& rows);
};

// "Compare With": every difference of the other set, one a row; a double-click opens the
// record of this set that the row names.
class CCompareDlg : public Form {
  public:
    static constexpr int kIdList = 100;
    CCompareDlg(ShellContext& ctx, const std::string& otherDir, std::vector<DiffEntry> diff);
    const std::vector<DiffEntry>& Entries() const { return diff_; }

  protected:
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    std::vector<DiffEntry> diff_;
};

// Adds Undo, Redo, History and Compare With to the application's commands. After an undo or a
// redo the frame shows its view afresh.
void AddHistoryCommands(CommandTable& commands, ShellContext& ctx, CMainFrame& frame);

}  // namespace tablon
