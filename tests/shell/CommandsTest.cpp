#include <gtest/gtest.h>

#include "shell/ShellTestFixture.h"

namespace tablon::test {
namespace {

// A target handling a fixed set of commands, recording what ran.
class FakeTarget : public CommandTarget {
  public:
    FakeTarget(std::vector<int> handled, bool enabled) : handled_(handled), enabled_(enabled) {}
    bool QueryCommand(int id, CommandState& state) override {
        if (std::find(handled_.begin(), handled_.end(), id) == handled_.end()) return false;
        state.enabled = enabled_;
        return true;
    }
    bool RunCommand(int id) override {
        ran.push_back(id);
        return true;
    }
    std::vector<int> ran;

  private:
    std::vector<int> handled_;
    bool enabled_;
};

TEST(CommandRouterTest, ViewThenDocumentThenApplicationAndUnhandledIsDisabled) {
    FakeTarget view({1, 2}, false), doc({1, 3}, true), app({1, 3, 4}, true);
    CommandRouter router;
    router.SetView(&view);
    router.SetDocument(&doc);
    router.SetApplication(&app);
    // The first target that handles a command decides its state, even when it disables it.
    EXPECT_FALSE(router.State(1).enabled);
    EXPECT_FALSE(router.Run(1));
    EXPECT_TRUE(router.State(3).enabled);
    EXPECT_TRUE(router.Run(3));
    EXPECT_TRUE(router.Run(4));
    EXPECT_EQ(doc.ran, std::vector<int>{3});
    EXPECT_EQ(app.ran, std::vector<int>{4});
    EXPECT_TRUE(view.ran.empty());
    EXPECT_FALSE(router.State(5).enabled);
    EXPECT_FALSE(router.Run(5));
    router.SetView(nullptr);
    EXPECT_TRUE(router.State(1).enabled);
}

TEST(CommandTablesTest, MenusToolbarPopupAndTexts) {
    const auto& menus = MainMenu();
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_STREQ(menus[3].title, "Operations");
    EXPECT_EQ(menus[1].items.size(), 9u);
    EXPECT_EQ(menus[1].items[3].id, 0);  // separator after Undo, Redo and History
    EXPECT_EQ(menus[1].items[7].id, 0);  // separator before "Import Data"
    EXPECT_STREQ(menus[4].items[2].text, "&About Tablon...");

    std::vector<int> popup;
    for (const auto& item : PopupMenu().items) popup.push_back(item.id);
    EXPECT_EQ(popup, (std::vector<int>{32778, 32790, 32793, 32791, 32806, 0, 32779, 32780, 32781,
                                       32782, 0, 32775, 32777, 32776}));
    EXPECT_STREQ(PopupMenu().items[13].text, "Sort by Type");

    std::vector<int> buttons;
    for (const auto& b : Toolbar()) buttons.push_back(b.id);
    // Back and Forward, Undo and Redo, then the buttons of the record views and the application.
    EXPECT_EQ(buttons, (std::vector<int>{cmd::kNavBack,
                                         cmd::kNavForward,
                                         0,
                                         cmd::kEditUndo,
                                         cmd::kEditRedo,
                                         0,
                                         32778,
                                         32790,
                                         32793,
                                         32791,
                                         32806,
                                         0,
                                         32779,
                                         32780,
                                         32781,
                                         32782,
                                         0,
                                         32799,
                                         0,
                                         57664,
                                         57669}));

    EXPECT_STREQ(CommandTextOf(cmd::kAddCopy)->toolTip, "Add Copy Item ");
    EXPECT_STREQ(CommandTextOf(cmd::kExportItem)->toolTip, "Export Record");
    EXPECT_STREQ(CommandTextOf(cmd::kList)->prompt, "List view");
    EXPECT_EQ(CommandTextOf(cmd::kSortHardpointTables)->toolTip, nullptr);
    EXPECT_EQ(CommandTextOf(cmd::kImportData), nullptr);
    EXPECT_EQ(CMainFrame::PromptOf(cmd::kImportData), "Ready");
    // Every toolbar button has its tool tip.
    for (const auto& b : Toolbar()) {
        if (b.id) {
            EXPECT_NE(CommandTextOf(b.id), nullptr) << b.id;
        }
    }

    auto accel = [](Key k, unsigned m) {
        for (const auto& a : Accelerators())
            if (a.key == k && a.modifiers == m) return a.id;
        return 0;
    };
    EXPECT_EQ(accel(Key::Delete, kNoModifier), cmd::kDeleteItem);
    EXPECT_EQ(accel(Key::Enter, kNoModifier), cmd::kShowItem);
    EXPECT_EQ(accel(Key::Delete, kShift), cmd::kEditCut);
    EXPECT_EQ(accel(Key::Backspace, kAlt), cmd::kEditUndo);
    EXPECT_EQ(accel(Key::F6, kShift), cmd::kPrevPane);
}

class AppCommandsTest : public ShellTest {};

TEST_F(AppCommandsTest, CommandStatesThroughTheRealChain) {
    WriteSet();
    Open();
    app_->Start();
    for (int id : {cmd::kEditUndo, cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste})
        EXPECT_FALSE(Frame().StateOf(id).enabled) << id;
    for (int id : {cmd::kImportData, cmd::kEditCtRecord, cmd::kSearchCtEntryReference,
                   cmd::kSearchCtByClass, cmd::kSearchBadCtHdrLinks, cmd::kSearchParentReferences,
                   cmd::kSetLowAir, cmd::kCtCheck, cmd::kAppAbout, cmd::kAppExit, cmd::kLargeIcons})
        EXPECT_TRUE(Frame().StateOf(id).enabled) << id;

    CMvView& ct = OpenList("Class Table");
    EXPECT_FALSE(Frame().StateOf(cmd::kSortByName).enabled);  // the class table has no names
    EXPECT_FALSE(Frame().StateOf(cmd::kRecalculateStats).enabled);
    ASSERT_TRUE(Frame().Run(cmd::kSortByFileOrder));
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByFileOrder).checked);
    EXPECT_FALSE(Frame().StateOf(cmd::kSortByClass).checked);
    EXPECT_EQ(ct.LastSortColumn(), 1);

    EXPECT_TRUE(Frame().StateOf(cmd::kViewToolbar).checked);
    Frame().Run(cmd::kViewToolbar);
    EXPECT_FALSE(Frame().StateOf(cmd::kViewToolbar).checked);
    Frame().Run(cmd::kAppAbout);
    ASSERT_EQ(ui_.Dialogs().size(), 1u);
    EXPECT_EQ(ui_.Dialogs()[0].title, "About Tablon");
    Frame().Run(cmd::kHelpFinder);
    ASSERT_EQ(ui_.HelpRequests().size(), 1u);
    EXPECT_NE(ui_.HelpRequests()[0].find(".chm#0"), std::string::npos);
    EXPECT_FALSE(Frame().QuitWanted());
    Frame().Run(cmd::kAppExit);
    EXPECT_TRUE(Frame().QuitWanted());
}

}  // namespace
}  // namespace tablon::test
