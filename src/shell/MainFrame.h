// The application and its main window as models: the category tree on the left, the view of
// the chosen category on the right, menu, toolbar and status bar from the command tables, and
// the routing of commands from the view to the document to the application.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/CategoryTree.h"
#include "shell/Commands.h"
#include "shell/Form.h"
#include "shell/MvView.h"
#include "shell/Navigation.h"
#include "shell/Registry.h"
#include "store/TablonDoc.h"

namespace tablon {

class FrameObserver {
  public:
    virtual ~FrameObserver() = default;
    virtual void ViewReplacing() {}  // the pane's view is about to be deleted
    virtual void ViewReplaced() {}   // a new view is in the pane, filled
    virtual void TitleChanged() {}
    virtual void BarsChanged() {}
    virtual void PaneActivated(int /*pane*/) {}
    virtual void QuitRequested() {}
    virtual void TreeSelectionChanged(int /*item*/) {}  // the tree is to show this item selected
    virtual void ThemeChanged(int /*theme*/) {}
};

// The window's colours: the desktop's scheme, or light or dark whatever the desktop says.
enum Theme : int { kThemeSystem = 0, kThemeLight = 1, kThemeDark = 2 };

// Requests to the platform's help viewer.
enum HelpRequest : int { kHelpContents = 0, kHelpCurrent = 1, kHelpOnClick = 2 };

class CMainFrame {
  public:
    static constexpr int kTreePaneWidth = 100;  // initial width of the tree column

    CMainFrame(ShellContext& ctx, CommandRouter& router);
    ~CMainFrame();

    CVantorTree& Tree() { return tree_; }
    PaneView* View() const { return view_.get(); }
    const std::string& Title() const { return ctx_.doc.Title(); }

    // Puts a new view of the node's class into the right pane; a view of the same class is
    // kept as it is. Returns success.
    bool ReplaceView(const CategoryNode& node);
    // The document's switch view: without a view class nothing happens (false); otherwise the
    // title becomes the node's label and the view is replaced.
    bool SwitchView(const CategoryNode& node);
    // Shows the pane's category afresh from the files (after an undo or a redo), keeping its
    // order, filters and selection.
    void Refresh();
    // The tree's selection changed: opens the selected node's view under the busy cursor.
    void OnTreeSelectionChanged(int item);

    // A file dropped on the window (or handed over by the desktop) opens the document by its
    // path: the path becomes the document's name and the title shows it; nothing is read.
    bool OpenDocumentFile(const std::string& path);

    bool ToolbarVisible() const { return toolbar_; }
    bool StatusBarVisible() const { return statusBar_; }
    void ShowToolbar(bool on);
    void ShowStatusBar(bool on);
    int ActivePane() const { return activePane_; }  // 0 the tree, 1 the view
    void ActivatePane(int pane);
    bool QuitWanted() const { return quit_; }
    void Quit();

    // The state of a command as menus and toolbar show it, and running it.
    CommandState StateOf(int id) const { return router_.State(id); }
    // Each command a person issues is one step of the set's journal, named after the command.
    bool Run(int id);
    // The status-bar text while a command is highlighted (the idle text otherwise).
    static std::string PromptOf(int id);

    void AddObserver(FrameObserver* o);
    void RemoveObserver(FrameObserver* o);

    // ---- finding one's way ----
    // The tree item whose view the pane shows; -1 before the first.
    int ShownItem() const { return shownItem_; }
    // The shown category's list as it is now, and showing a category's list as it was.
    ViewState CaptureState() const;
    void RestoreState(const ViewState& state);
    // Back and Forward through the categories visited; false at the end of the list.
    bool GoBack();
    bool GoForward();
    const NavigationHistory& History() const { return history_; }
    // Goes to a record and selects its row: "FILE INDEX" ("vantor.wcd 12", also by extension:
    // "wcd 12"), "ct N", "CATEGORY" with the start of a name or a record index after it, or a
    // record index of the list shown. A record the filters hide clears them. Nothing, with the
    // reason, when no list shows such a record (the pane then shows what it showed before).
    std::optional<GoToResult> GoTo(const std::string& text, std::string& error);
    // The text last given to the "Go to Record" box.
    std::string& GoToText() { return goToText_; }
    // The window's colours (kTheme...); they last for the run.
    int ThemeChoice() const { return theme_; }
    void SetTheme(int theme);

  private:
    // Lands on a record index in the lists of these tree items, the first that has a row for
    // it; the row or -1.
    int LandOnRecord(const std::vector<int>& items, int record);
    // Lands on the first row whose name starts with a prefix in the shown list.
    int LandOnName(const std::string& prefix);
    void Select(int item);

    ShellContext& ctx_;
    CommandRouter& router_;
    CVantorTree tree_;
    std::unique_ptr<PaneView> view_;
    bool toolbar_ = true;
    bool statusBar_ = true;
    int activePane_ = 1;
    bool quit_ = false;
    std::vector<FrameObserver*> observers_;
    int shownItem_ = -1;
    unsigned replaced_ = 0;  // views put into the pane so far
    int restoring_ = 0;      // a view switch that the history is not to record
    NavigationHistory history_;
    std::string goToText_;
    int theme_ = kThemeSystem;
};

// The About box: the program's name and version and an OK button.
class CAboutDlg : public Form {
  public:
    CAboutDlg();
};

class CTablonApp {
  public:
    // Registers every subsystem; the database set is expected open.
    CTablonApp(Database& db, Ui& ui);
    ~CTablonApp();

    // The start after the database set opened: the document, the frame with its first view
    // (the vehicle list), the tree, and the selection of "Vehicles".
    void Start();

    ShellContext& Context() { return ctx_; }
    CTablonDoc& Doc() { return doc_; }
    CMainFrame& Frame() { return *frame_; }
    ShellRegistry& Registry() { return registry_; }
    CommandRouter& Router() { return router_; }

    // The help file: the program's own file name with the extension ".chm".
    static std::string HelpFile();

  private:
    ShellRegistry registry_;
    CTablonDoc doc_;
    ShellContext ctx_;
    CommandTable docCommands_;
    CommandTable appCommands_;
    CommandRouter router_;
    std::unique_ptr<OperationHost> operations_;
    OperationHost* previousOperations_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tablon
