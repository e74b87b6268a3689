// Commands: their ids, the menu bar, the record views' popup menu, the toolbar, the
// accelerators and the status-bar prompts and tool tips, all as data; and the routing of a
// command from the active view to the document to the application. A command nobody handles
// is disabled.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tablon {

namespace cmd {
constexpr int kSortByName = 32775;
constexpr int kSortByClass = 32776;  // also "Sort by Type" in the popup menu
constexpr int kSortByFileOrder = 32777;
constexpr int kShowItem = 32778;
constexpr int kLargeIcons = 32779;
constexpr int kSmallIcons = 32780;
constexpr int kList = 32781;
constexpr int kDetail = 32782;
constexpr int kAddItem = 32790;
constexpr int kDeleteItem = 32791;
constexpr int kAddCopy = 32793;
constexpr int kSetLowAir = 32794;
constexpr int kRecalculateStats = 32795;
constexpr int kSortHardpointTables = 32796;
constexpr int kSearchCtEntryReference = 32797;
constexpr int kEditCtRecord = 32798;
constexpr int kCtCheck = 32799;
constexpr int kSearchCtByClass = 32800;
constexpr int kSetCombatType8 = 32801;
constexpr int kSearchBadCtHdrLinks = 32802;
constexpr int kSearchParentReferences = 32803;
constexpr int kCreateCockpitList = 32804;
constexpr int kExportItem = 32806;
constexpr int kImportData = 32809;
constexpr int kSetPulseDoppler = 32811;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kHelpFinder = 57667;
constexpr int kContextHelp = 57669;
constexpr int kHelp = 57670;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
// Finding things: lists out, the filter row, going to a record, back and forward, the theme.
constexpr int kExportList = 33101;
constexpr int kGoToRecord = 33102;
constexpr int kNavBack = 33103;
constexpr int kNavForward = 33104;
constexpr int kFocusFilter = 33105;
constexpr int kClearFilters = 33106;
constexpr int kThemeSystem = 33107;
constexpr int kThemeLight = 33108;
constexpr int kThemeDark = 33109;
// The history of changes, and comparing the set with another.
constexpr int kEditHistory = 33110;
constexpr int kCompareWith = 33111;
}  // namespace cmd

struct Menu;

// A menu entry; id 0 is a separator, or a submenu when it has one.
struct MenuItem {
    const char* text;
    int id;
    const Menu* submenu = nullptr;
};

struct Menu {
    const char* title;
    std::vector<MenuItem> items;
};

// The menu bar (resource 128), in order.
const std::vector<Menu>& MainMenu();
// The record views' right-click menu (resource 104).
constexpr int kPopupMenuId = 104;
const Menu& PopupMenu();

// Toolbar buttons left to right; id 0 is a gap. image is the button's picture in the toolbar
// strip (-1 for gaps).
struct ToolbarButton {
    int id;
    int image;
};
const std::vector<ToolbarButton>& Toolbar();

// The status-bar prompt shown while a command is highlighted and the tool tip of its toolbar
// button (null where there is none).
struct CommandText {
    int id;
    const char* prompt;
    const char* toolTip;
};
const CommandText* CommandTextOf(int id);
// A command's name as a person knows it: its menu text without the accelerator mark and key
// ("Sort Hardpoint Tables", "Undo"), else its tool tip, else "Command N".
std::string CommandName(int id);
// The status bar's message pane shows this when no command is highlighted; the three further
// panes are the lock indicators.
constexpr const char* kIdlePrompt = "Ready";
const std::vector<const char*>& StatusIndicators();  // "CAP", "NUM", "SCRL"

enum class Key { C, V, X, Z, Insert, Delete, Backspace, Enter, F1, F6, F2, G, F, Left, Right };
enum Modifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
struct Accelerator {
    Key key;
    unsigned modifiers;
    int id;
};
const std::vector<Accelerator>& Accelerators();

// ---- routing ----

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // Whether this target handles the command; when it does, state says whether it is enabled
    // and checked (enabled unless the target says otherwise).
    virtual bool QueryCommand(int /*id*/, CommandState& /*state*/) { return false; }
    // Runs a command this target handles; false when it does not handle it.
    virtual bool RunCommand(int /*id*/) { return false; }
};

// A target made of a table of handlers (the document and the application, where the
// subsystems register their commands).
class CommandTable : public CommandTarget {
  public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;
    void Add(int id, Run run, Update update = {});
    bool Handles(int id) const;
    bool QueryCommand(int id, CommandState& state) override;
    bool RunCommand(int id) override;

  private:
    struct Entry {
        int id;
        Run run;
        Update update;
    };
    std::vector<Entry> entries_;
};

// Routes a command to the active view, then the document, then the application.
class CommandRouter {
  public:
    void SetView(CommandTarget* view) { view_ = view; }
    void SetDocument(CommandTarget* doc) { doc_ = doc; }
    void SetApplication(CommandTarget* app) { app_ = app; }

    // The state of a command; one that nobody handles is disabled.
    CommandState State(int id) const;
    // Runs a command if it is handled and enabled; returns whether it ran.
    bool Run(int id);

  private:
    CommandTarget* view_ = nullptr;
    CommandTarget* doc_ = nullptr;
    CommandTarget* app_ = nullptr;
};

}  // namespace tablon
