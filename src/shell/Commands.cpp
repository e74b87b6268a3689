#include "shell/Commands.h"

#include <cstring>

namespace tablon {

using namespace cmd;

const std::vector<Menu>& MainMenu() {
    static const Menu theme{
        "&Theme", {{"&System", kThemeSystem}, {"&Light", kThemeLight}, {"&Dark", kThemeDark}}};
    static const std::vector<Menu> menus{
        {"&File",
         {{"&Compare With\u2026", kCompareWith},
          {"&Export List\u2026", kExportList},
          {"", 0},
          {"E&xit", kAppExit}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", kEditUndo},
          {"&Redo\tCtrl+Shift+Z", kEditRedo},
          {"&History\u2026", kEditHistory},
          {"", 0},
          {"Cu&t\tCtrl+X", kEditCut},
          {"&Copy\tCtrl+C", kEditCopy},
          {"&Paste\tCtrl+V", kEditPaste},
          {"", 0},
          {"Import Data", kImportData}}},
        {"&View",
         {{"&Toolbar", kViewToolbar},
          {"&Status Bar", kViewStatusBar},
          {"Show &Item", kShowItem},
          {"Large Icons", kLargeIcons},
          {"Small Icons", kSmallIcons},
          {"List", kList},
          {"Detail", kDetail},
          {"Sort by &Name", kSortByName},
          {"Sort by &Class", kSortByClass},
          {"Sort by File &Order", kSortByFileOrder},
          {"Recalculate Stats", kRecalculateStats},
          {"", 0},
          {"&Back\tAlt+Left", kNavBack},
          {"&Forward\tAlt+Right", kNavForward},
          {"&Go to Record...\tCtrl+G", kGoToRecord},
          {"&Filter\tCtrl+F", kFocusFilter},
          {"Clear Filte&rs", kClearFilters},
          {"", 0},
          {"T&heme", 0, &theme}}},
        {"Operations",
         {{"Set Low Air", kSetLowAir},
          {"Sort Hardpoint Tables", kSortHardpointTables},
          {"Search CT Entry Reference", kSearchCtEntryReference},
          {"Edit CT Record", kEditCtRecord},
          {"Search CT by class Data", kSearchCtByClass},
          {"Set Combat Type #8", kSetCombatType8},
          {"Search for bad CT->HDR links", kSearchBadCtHdrLinks},
          {"Search for Parent Records references in CT Records", kSearchParentReferences},
          {"Create cockpit list", kCreateCockpitList},
          {"Set Pulse/Doppler flag", kSetPulseDoppler}}},
        {"&Help", {{"&Help Topics", kHelpFinder}, {"", 0}, {"&About Tablon...", kAppAbout}}},
    };
    return menus;
}

const Menu& PopupMenu() {
    static const Menu popup{"",
                            {{"View", kShowItem},
                             {"Add Item", kAddItem},
                             {"Add Copy", kAddCopy},
                             {"Delete Item", kDeleteItem},
                             {"Export Item", kExportItem},
                             {"", 0},
                             {"Large Icons", kLargeIcons},
                             {"Small Icons", kSmallIcons},
                             {"List", kList},
                             {"Detail", kDetail},
                             {"", 0},
                             {"Sort by Name", kSortByName},
                             {"Sort by File Order", kSortByFileOrder},
                             {"Sort by Type", kSortByClass}}};
    return popup;
}

const std::vector<ToolbarButton>& Toolbar() {
    static const std::vector<ToolbarButton> buttons{
        {kNavBack, 12},   {kNavForward, 13}, {0, -1},
        {kEditUndo, 14},  {kEditRedo, 15},   {0, -1},
        {kShowItem, 0},   {kAddItem, 1},     {kAddCopy, 2},
        {kDeleteItem, 3}, {kExportItem, 4},  {0, -1},
        {kLargeIcons, 5}, {kSmallIcons, 6},  {kList, 7},
        {kDetail, 8},     {0, -1},           {kCtCheck, 9},
        {0, -1},          {kAppAbout, 10},   {kContextHelp, 11},
    };
    return buttons;
}

namespace {

// clang-format off
constexpr CommandText kTexts[] = {
    {kAppExit, "Quit the application; prompts to save documents", "Exit"},
    {kEditUndo, "Undo the last action", "Undo"},
    {kEditRedo, "Redo the last action undone", "Redo"},
    {kEditHistory, "List the changes made to the database, newest last", "History"},
    {kCompareWith, "Compare the database with another set, record by record", "Compare With"},
    {kEditCut, "Cut the selection and put it on the Clipboard", "Cut"},
    {kEditCopy, "Copy the selection and put it on the Clipboard", "Copy"},
    {kEditPaste, "Insert Clipboard contents", "Paste"},
    {kViewToolbar, "Show or hide the toolbar", "Toggle ToolBar"},
    {kViewStatusBar, "Show or hide the status bar", "Toggle StatusBar"},
    {kShowItem, "Show Details", "Show Details"},
    {kLargeIcons, "Large Icons", "Large Icons"},
    {kSmallIcons, "Small Icons", "Small Icons"},
    {kList, "List view", "List view"},
    {kDetail, "Detailed View", "Detailed View"},
    {kSortByName, "Sort by Name", "Sort by Name"},
    {kSortByClass, "Sort by Class", "Sort by Class"},
    {kSortByFileOrder, "Sort by File Order", "Sort by File Order"},
    {kRecalculateStats, "Recalculate Stats", "Recalculate Stats"},
    {kSetLowAir, "Set Low Air Modifier", "Set Low Air"},
    {kSortHardpointTables, "Sorts WLD and VCD Hardpoint tables", nullptr},
    {kSearchCtEntryReference, "Lists which vehicles use a specific CT record", nullptr},
    {kEditCtRecord, "Edit a specific CT record", nullptr},
    {kSearchCtByClass, "Search CT record by Domain, Class type, Type, SType, SPType", nullptr},
    {kSetCombatType8, "Set all ACD records used by a bomber type aircraft to Combat Type #8 (if a fighter uses this ACD, too, it will become a bomber!)", nullptr},
    {kSearchBadCtHdrLinks, "Make a list of CT records and graphics type that point to a nonexisting HDR parent record", nullptr},
    {kSearchParentReferences, "Search for bad parents", "Search for bad parents"},
    {kCreateCockpitList, "Create Cockpit Text File", "Create Cockpit Text file"},
    {kSetPulseDoppler, "Set Pulse/Doppler flag", "Set Pulse/Doppler flag"},
    {kHelpFinder, "List Help topics", "Help Topics"},
    {kAppAbout, "Display program information, version number and copyright", "About"},
    {kAddItem, "Add new Item", "Add Item"},
    {kDeleteItem, "Delete Item", "Delete Item"},
    {kAddCopy, "Add Copied Item", "Add Copy Item "},
    {kCtCheck, "CT Check", "CT Check"},
    {kExportItem, "Export Item", "Export Record"},
    {kContextHelp, "Display help for clicked buttons, menus and windows", "Help"},
    {kHelp, "Display help for current task or command", "Help"},
    {kNextPane, "Switch to the next window pane", "Next Pane"},
    {kPrevPane, "Switch back to the previous window pane", "Previous Pane"},
    {kExportList, "Write the rows shown to a CSV or JSON file", "Export List"},
    {kGoToRecord, "Go to a record by its file and number or by its name", "Go to Record"},
    {kNavBack, "Go back to the list shown before", "Back"},
    {kNavForward, "Go forward to the list shown next", "Forward"},
    {kFocusFilter, "Filter the rows by the boxes under the column headers", "Filter"},
    {kClearFilters, "Show every row again", "Clear Filters"},
    {kThemeSystem, "Colours as the desktop has them", "System Theme"},
    {kThemeLight, "Light colours", "Light Theme"},
    {kThemeDark, "Dark colours", "Dark Theme"},
};
// clang-format on

}  // namespace

const CommandText* CommandTextOf(int id) {
    for (const auto& t : kTexts)
        if (t.id == id) return &t;
    return nullptr;
}

std::string CommandName(int id) {
    const char* found = nullptr;
    std::function<void(const Menu&)> search = [&](const Menu& m) {
        for (const auto& item : m.items) {
            if (found) return;
            if (item.id == id && item.text[0]) found = item.text;
            if (item.submenu) search(*item.submenu);
        }
    };
    for (const auto& m : MainMenu()) search(m);
    if (!found) search(PopupMenu());
    std::string name;
    if (found) {
        for (const char* p = found; *p && *p != '\t'; ++p)
            if (*p != '&') name += *p;
        for (const char* tail : {"\u2026", "..."})
            if (name.size() > std::strlen(tail) &&
                name.compare(name.size() - std::strlen(tail), std::string::npos, tail) == 0)
                name.erase(name.size() - std::strlen(tail));
        return name;
    }
    if (const CommandText* t = CommandTextOf(id); t && t->toolTip) return t->toolTip;
    return "Command " + std::to_string(id);
}

const std::vector<const char*>& StatusIndicators() {
    static const std::vector<const char*> panes{"CAP", "NUM", "SCRL"};
    return panes;
}

const std::vector<Accelerator>& Accelerators() {
    static const std::vector<Accelerator> keys{
        {Key::C, kCtrl, kEditCopy},
        {Key::Insert, kCtrl, kEditCopy},
        {Key::V, kCtrl, kEditPaste},
        {Key::Insert, kShift, kEditPaste},
        {Key::X, kCtrl, kEditCut},
        {Key::Delete, kShift, kEditCut},
        {Key::Z, kCtrl, kEditUndo},
        {Key::Z, kCtrl | kShift, kEditRedo},
        {Key::Backspace, kAlt, kEditUndo},
        {Key::Delete, kNoModifier, kDeleteItem},
        {Key::Enter, kNoModifier, kShowItem},
        {Key::F2, kNoModifier, kShowItem},
        {Key::G, kCtrl, kGoToRecord},
        {Key::F, kCtrl, kFocusFilter},
        {Key::Left, kAlt, kNavBack},
        {Key::Right, kAlt, kNavForward},
        {Key::F1, kNoModifier, kHelp},
        {Key::F1, kShift, kContextHelp},
        {Key::F6, kNoModifier, kNextPane},
        {Key::F6, kShift, kPrevPane},
    };
    return keys;
}

// ---- routing ----

void CommandTable::Add(int id, Run run, Update update) {
    for (auto& e : entries_)
        if (e.id == id) {
            e.run = std::move(run);
            e.update = std::move(update);
            return;
        }
    entries_.push_back({id, std::move(run), std::move(update)});
}

bool CommandTable::Handles(int id) const {
    for (const auto& e : entries_)
        if (e.id == id) return true;
    return false;
}

bool CommandTable::QueryCommand(int id, CommandState& state) {
    for (const auto& e : entries_)
        if (e.id == id) {
            if (e.update) e.update(state);
            return true;
        }
    return false;
}

bool CommandTable::RunCommand(int id) {
    for (const auto& e : entries_)
        if (e.id == id) {
            if (e.run) e.run();
            return true;
        }
    return false;
}

CommandState CommandRouter::State(int id) const {
    for (CommandTarget* t : {view_, doc_, app_}) {
        CommandState s;
        if (t && t->QueryCommand(id, s)) return s;
    }
    return {false, false};
}

bool CommandRouter::Run(int id) {
    for (CommandTarget* t : {view_, doc_, app_}) {
        CommandState s;
        if (!t || !t->QueryCommand(id, s)) continue;
        if (!s.enabled) return false;
        return t->RunCommand(id);
    }
    return false;
}

}  // namespace tablon
