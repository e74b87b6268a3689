// Finding one's way: the categories visited, each with its selected records, sort and filters,
// walked back and forward; and "Go to Record", which lands on a record named by its file and
// index, a class-table index, or a category and the start of a name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"

namespace tablon {

class CMainFrame;

// What a visit to a category leaves behind: enough to show the list again as it was.
struct ViewState {
    int item = -1;        // the tree item of the category
    int sortColumn = -1;  // -1: not sorted since the view came up
    bool ascending = true;
    std::vector<std::string> filters;  // by column
    std::vector<int> selected;         // record indices
    bool operator==(const ViewState&) const = default;
};

class NavigationHistory {
  public:
    static constexpr size_t kLimit = 100;  // visits remembered each way

    // Leaving a category for another: its state goes on the back list, the forward list ends.
    void Visit(ViewState leaving);
    bool CanGoBack() const { return !back_.empty(); }
    bool CanGoForward() const { return !forward_.empty(); }
    // The state to show when going back (forward) from the current one, which is kept for the
    // other direction; nothing at the end of the list.
    std::optional<ViewState> Back(ViewState current);
    std::optional<ViewState> Forward(ViewState current);
    const std::vector<ViewState>& BackList() const { return back_; }
    const std::vector<ViewState>& ForwardList() const { return forward_; }

  private:
    std::vector<ViewState> back_, forward_;
};

// Where "Go to Record" landed: the tree item and the row (-1 when it only opened the
// category).
struct GoToResult {
    int item = -1;
    int row = -1;
    int record = -1;
};

// The small box of "Go to Record" (Ctrl+G): the text, "Go" (selects the row) and "Open" (also
// opens the record's dialog).
class CGoToDialog : public Form {
  public:
    static constexpr int kIdText = 1000;
    static constexpr int kIdOpen = 1001;

    CGoToDialog(CMainFrame& frame, std::string text);
    const std::string& Text() const { return text_; }
    bool OpenWanted() const { return open_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    bool Go();
    CMainFrame& frame_;
    std::string text_;
    bool open_ = false;
};

class ShellRegistry;
// The command line's "find FILE INDEX | find ct N": the category and row where "Go to Record"
// lands.
void RegisterNavigationVerbs(ShellRegistry& registry);

}  // namespace tablon
