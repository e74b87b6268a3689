// The main window drawn for the main frame: menu bar, dockable toolbar and status bar from the
// command tables, and a splitter with the category tree on the left and the chosen category's
// view on the right.
#pragma once

#include <QMainWindow>
#include <QPalette>
#include <QTimer>
#include <map>
#include <vector>

#include "shell/MainFrame.h"

class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tablon {

class FormView;
class ListWidget;
class QtUi;
class ViewPane;

class MainWindow : public QMainWindow, public FrameObserver {
    Q_OBJECT

  public:
    MainWindow(CTablonApp& app, QtUi& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTreeWidget* Tree() const { return tree_; }
    // The tree's item showing a category item of the frame's tree.
    QTreeWidgetItem* TreeItem(int item) const;
    QSplitter* Splitter() const { return splitter_; }
    ListWidget* List() const { return list_; }
    ViewPane* Pane() const { return pane_; }
    FormView* FormPane() const { return formPane_; }
    QToolBar* ToolBar() const { return toolbar_; }
    // The action of a command in the menu bar and toolbar.
    QAction* Action(int id) const;
    // The record views' right-click menu.
    QMenu* Popup() const { return popup_; }
    QLabel* Indicator(int i) const { return indicators_[size_t(i)]; }

    // Shows each command's state (enabled, checked) on its actions.
    void UpdateCommands();
    void UpdateMenu(QMenu* menu);
    // Runs a command through the frame's routing.
    void Run(int id);
    // Shows one of the program's popup menus at a place on the screen.
    void ShowPopup(int menu, QPoint global);

    // FrameObserver
    void ViewReplacing() override;
    void ViewReplaced() override;
    void TitleChanged() override;
    void BarsChanged() override;
    void PaneActivated(int pane) override;
    void QuitRequested() override;
    void TreeSelectionChanged(int item) override;
    void ThemeChanged(int theme) override;

    // Whether the window shows dark colours now.
    bool DarkColours() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window open the document by their path.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The mouse's back and forward buttons anywhere in the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* MakeAction(int id, const QString& text);
    void AddMenuItems(QMenu* menu, const Menu& m);
    bool DesktopIsDark() const;
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildTree();
    void BuildAccelerators();
    void UpdateLocks();
    // The tree column's first width: the classic width scaled to the font, and wide enough for
    // every label.
    int TreeWidth() const;

    CTablonApp& app_;
    CMainFrame& frame_;
    QtUi& ui_;
    std::map<int, QAction*> actions_;
    QMenu* popup_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::vector<QTreeWidgetItem*> treeItems_;  // by item of the frame's tree
    QStackedWidget* right_ = nullptr;
    ListWidget* list_ = nullptr;
    ViewPane* pane_ = nullptr;
    FormView* formPane_ = nullptr;
    std::vector<QLabel*> indicators_;
    QLabel* rows_ = nullptr;  // "N of M rows" of the list shown
    // The desktop's own style and colours, for the "System" theme.
    QString systemStyle_;
    QPalette systemPalette_;
    QTimer idle_;
    bool closing_ = false;
};

}  // namespace tablon
