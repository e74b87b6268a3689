// The main window on a database: tree, view replacement, display modes, right-click menu,
// sorting by header clicks, dragging rows, keys and help.
#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>

#include "QtTestSupport.h"
#include "classtable/CtFile.h"
#include "qt/FontScale.h"
#include "qt/ListModels.h"
#include "qt/ListWidget.h"
#include "qt/ViewPane.h"

namespace tablon::test {

namespace {

QStringList ChildTexts(QTreeWidgetItem* item) {
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i) out << item->child(i)->text(0);
    return out;
}

QTreeWidgetItem* Child(QTreeWidgetItem* item, const QString& text) {
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->text(0) == text) return item->child(i);
    return nullptr;
}

QStringList ActionTexts(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

QAction* ActionNamed(const QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

// The centre of a row in the detail table, in viewport coordinates.
QPoint RowCentre(QTableView* table, int row) {
    return table->visualRect(table->model()->index(row, 0)).center();
}

// Runs check on the popup menu that the action opens, then closes it.
void WithPopup(const std::function<void()>& open, const std::function<void(QMenu*)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        seen = menu != nullptr;
        if (menu) {
            check(menu);
            menu->close();
        }
    });
    open();
    QVERIFY(seen);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void OpensOnTheVehicleList();
    void TreeOrderLabelsAndImages();
    void TreeLeavesOutMissingOptionalFiles();
    void ChoosingANodeReplacesTheView();
    void DisplayModesFollowTheCommandsAndOutliveTheView();
    void RightClickMenuFromKeyboardAndMouse();
    void HeaderClicksSortAndReverse();
    void DraggingARowOntoAnotherOverwritesIt();
    void DraggingIsRefusedWhereTheViewDoesNotDrag();
    void EnterShowsAndDeleteDeletesTheItem();
    void HelpAndAbout();
    void APaneOutlivesItsList();
};

void MainWindowTest::OpensOnTheVehicleList() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QCOMPARE(w.windowTitle(), QString("Vehicles - Tablon"));
    QCOMPARE(w.Tree()->currentItem()->text(0), QString("Vehicles"));
    // The classic width, scaled to the font and grown to the widest label.
    QVERIFY(w.Splitter()->sizes().at(0) >= CMainFrame::kTreePaneWidth);
    QVERIFY(w.Pane()->View() != nullptr);
    QCOMPARE(w.Pane()->Model()->rowCount(), w.Pane()->View()->RowCount());
    QVERIFY(w.Pane()->View()->RowCount() > 0);
    // The list starts in large icons, the document's first mode.
    QCOMPARE(w.List()->Mode(), 0);
    QVERIFY(w.Action(cmd::kLargeIcons)->isChecked());

    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "Operations", "&Help"}));
    // Copy needs a selected row; nobody handles the other clipboard commands.
    QVERIFY(!w.Action(cmd::kEditCopy)->isEnabled());
    QVERIFY(!w.Action(cmd::kEditPaste)->isEnabled());

    // Toolbar: Back, Forward, Undo, Redo, then 12 buttons and 4 gaps, each button with a
    // picture and its tool tip.
    const QList<QAction*> buttons = w.ToolBar()->actions();
    QCOMPARE(buttons.size(), 21);
    QCOMPARE(buttons.at(2)->isSeparator(), true);
    QCOMPARE(buttons.at(5)->isSeparator(), true);
    QCOMPARE(buttons.at(11)->isSeparator(), true);
    QCOMPARE(buttons.at(0)->toolTip(), QString("Back"));
    QCOMPARE(buttons.at(3)->toolTip(), QString("Undo"));
    QCOMPARE(buttons.at(7)->toolTip(), QString("Add Item"));
    QCOMPARE(buttons.at(6)->statusTip(), QString("Show Details"));
    for (QAction* a : buttons)
        if (!a->isSeparator()) QVERIFY(!a->icon().isNull());

    QCOMPARE(w.Indicator(0)->text(), QString("CAP"));
    QCOMPARE(w.Indicator(2)->text(), QString("SCRL"));
    QVERIFY(f.Ui().messages.empty());
}

void MainWindowTest::TreeOrderLabelsAndImages() {
    WindowFixture f;
    QVERIFY(f.Ok());
    QTreeWidget* tree = f.Window().Tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), QString("Class Table"));
    QCOMPARE(ChildTexts(root),
             QStringList({"Aircraft Data", "DirtyData", "Features", "Hardpoints", "Hdr Data",
                          "IR Data", "Objectives", "Phd Data", "Radar Data", "Rockets", "RWD Data",
                          "Sim Weapon Data", "Sounds", "Squadron Stores", "Units", "Vehicles",
                          "VSD Data", "Weapons"}));
    QCOMPARE(ChildTexts(Child(root, "Vehicles")),
             QStringList({"Aircraft", "Land", "Ship", "Submarine"}));
    QCOMPARE(ChildTexts(Child(root, "Units")),
             QStringList({"Aircraft", "Land", "Ship", "Submarine"}));
    QCOMPARE(ChildTexts(Child(root, "Hdr Data")),
             QStringList({"LodColours", "Lods", "Parent", "Textures"}));
    // "Vehicles" is shown selected: its parent is open.
    QVERIFY(root->isExpanded());

    // Each item draws its image, and another one while selected.
    QTreeWidgetItem* weapons = Child(root, "Weapons");
    const QIcon icon = weapons->icon(0);
    QVERIFY(!icon.isNull());
    const QImage normal = icon.pixmap(QSize(16, 16), 1.0, QIcon::Normal).toImage();
    const QImage selected = icon.pixmap(QSize(16, 16), 1.0, QIcon::Selected).toImage();
    QVERIFY(normal != selected);
    const QImage other = Child(root, "Hardpoints")->icon(0).pixmap(QSize(16, 16)).toImage();
    QVERIFY(normal != other);
    // Pictures are drawn for the pixel ratio: crisp at high DPI.
    QCOMPARE(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
}

void MainWindowTest::TreeLeavesOutMissingOptionalFiles() {
    WindowFixture f(WindowFixture::Set::Minimal, [](const std::string& dir) {
        std::filesystem::remove(dir + "/VantorSndTbl.sfx");
        std::filesystem::remove(dir + "/Vantor.ddp");
    });
    QVERIFY(f.Ok());
    QTreeWidgetItem* root = f.Window().Tree()->topLevelItem(0);
    const QStringList children = ChildTexts(root);
    QVERIFY(children.contains("Rockets"));
    QVERIFY(!children.contains("Sounds"));
    QVERIFY(!children.contains("DirtyData"));
}

void MainWindowTest::ChoosingANodeReplacesTheView() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    const int treeWidth = w.Splitter()->sizes().at(0);
    const int paneWidth = w.Splitter()->sizes().at(1);

    QVERIFY(f.Select("Class Table"));
    CMvView* view = w.Pane()->View();
    QVERIFY(view != nullptr);
    QCOMPARE(QString(view->ClassName()), QString("CCtView"));
    QCOMPARE(w.windowTitle(), QString("Class Table - Tablon"));
    QCOMPARE(view->RowCount(), int(f.Db().Ct().RecordCount()));
    QAbstractItemModel* model = w.List()->DetailView()->model();
    QCOMPARE(model->rowCount(), view->RowCount());
    QCOMPARE(model->columnCount(), view->ColumnCount());
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(),
             QString::fromStdString(view->Column(2).title));
    QCOMPARE(model->data(model->index(3, 2)).toString(),
             QString::fromStdString(view->CellText(3, 2)));
    QVERIFY(w.List()->DetailView()->horizontalHeader()->sectionSize(2) >=
            FontScale::Of(w.List()->DetailView()->font()).Width(view->Column(2).width));
    // The splitter keeps both columns' widths.
    QCOMPARE(w.Splitter()->sizes().at(0), treeWidth);
    QCOMPARE(w.Splitter()->sizes().at(1), paneWidth);

    // Two nodes with the same label open different views.
    QVERIFY(f.Select("Units/Aircraft"));
    const std::string unitsView = w.Pane()->View()->ClassName();
    QVERIFY(f.Select("Vehicles/Aircraft"));
    QVERIFY(unitsView != w.Pane()->View()->ClassName());
    QCOMPARE(w.windowTitle(), QString("Aircraft - Tablon"));
    QCOMPARE(w.Pane()->Model()->rowCount(), w.Pane()->View()->RowCount());
}

void MainWindowTest::DisplayModesFollowTheCommandsAndOutliveTheView() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    ListWidget* list = w.List();

    w.Run(cmd::kDetail);
    QCOMPARE(list->CurrentView(), static_cast<QAbstractItemView*>(list->DetailView()));
    QVERIFY(list->DetailView()->isVisible());
    QVERIFY(list->DetailView()->showGrid());
    QCOMPARE(list->DetailView()->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(w.Action(cmd::kDetail)->isChecked());
    QVERIFY(!w.Action(cmd::kLargeIcons)->isChecked());

    w.Run(cmd::kLargeIcons);
    QVERIFY(list->IconView()->isVisible());
    QCOMPARE(list->IconView()->viewMode(), QListView::IconMode);
    QCOMPARE(list->IconView()->iconSize(), QSize(32, 32));

    w.Run(cmd::kSmallIcons);
    QCOMPARE(list->IconView()->viewMode(), QListView::ListMode);
    QCOMPARE(list->IconView()->flow(), QListView::LeftToRight);
    QCOMPARE(list->IconView()->iconSize(), QSize(16, 16));

    w.Run(cmd::kList);
    QCOMPARE(list->IconView()->flow(), QListView::TopToBottom);
    QVERIFY(list->IconView()->isWrapping());
    QCOMPARE(f.App().Doc().ListStyle(), 3);

    // The next view comes up in the same mode, and so does the selection across modes.
    QVERIFY(f.Select("Class Table"));
    QCOMPARE(w.Pane()->View()->Mode(), 3);
    QCOMPARE(list->Mode(), 3);
    w.Pane()->View()->SetSelection({2, 4});
    w.Run(cmd::kDetail);
    QCOMPARE(list->SelectedRows(), std::vector<int>({2, 4}));
    QVERIFY(list->DetailView()->selectionModel()->isRowSelected(4, {}));
}

void MainWindowTest::RightClickMenuFromKeyboardAndMouse() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QTableView* table = f.DetailOf("Class Table");
    QVERIFY(table);
    table->setFocus();

    // From the keyboard: 5 pixels inside the list's top-left corner, nothing selected.
    const QPoint corner = table->mapToGlobal(table->contentsRect().topLeft());
    WithPopup(
        [&] {
            QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(table, &e);
        },
        [&](QMenu* menu) {
            QCOMPARE(ActionTexts(menu),
                     QStringList({"View", "Add Item", "Add Copy", "Delete Item", "Export Item", "-",
                                  "Large Icons", "Small Icons", "List", "Detail", "-",
                                  "Sort by Name", "Sort by File Order", "Sort by Type"}));
            QCOMPARE(menu->pos(), corner + QPoint(5, 5));
            QVERIFY(!ActionNamed(menu, "View")->isEnabled());
            QVERIFY(ActionNamed(menu, "Add Item")->isEnabled());
            QVERIFY(ActionNamed(menu, "Detail")->isChecked());
            // The class table has no "Sort by Name".
            QVERIFY(!ActionNamed(menu, "Sort by Name")->isEnabled());
        });

    // With the mouse: the row under it is selected and the menu opens where it was clicked.
    // (The test's mouse events do not pass the window, which turns a right click into a menu
    // request: that request is sent here.)
    const QPoint at = RowCentre(table, 2);
    WithPopup(
        [&] {
            QTest::mousePress(table->viewport(), Qt::RightButton, {}, at);
            QContextMenuEvent e(QContextMenuEvent::Mouse, at, table->viewport()->mapToGlobal(at));
            QApplication::sendEvent(table->viewport(), &e);
            QTest::mouseRelease(table->viewport(), Qt::RightButton, {}, at);
        },
        [&](QMenu* menu) {
            QCOMPARE(menu->pos(), table->viewport()->mapToGlobal(at));
            QVERIFY(ActionNamed(menu, "View")->isEnabled());
        });
    QCOMPARE(w.Pane()->View()->Selection(), std::vector<int>({2}));

    // A popup command runs through the routing: "Large Icons" switches the list.
    WithPopup(
        [&] {
            QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(table, &e);
        },
        [&](QMenu* menu) { ActionNamed(menu, "Large Icons")->trigger(); });
    QCOMPARE(w.List()->Mode(), 0);
}

void MainWindowTest::HeaderClicksSortAndReverse() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QTableView* table = f.DetailOf("Class Table");
    QVERIFY(table);
    QHeaderView* header = table->horizontalHeader();
    CMvView* view = w.Pane()->View();
    auto click = [&](int column) {
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    // A row keeps its selection while the rows move.
    view->Select(0);
    const int record = view->ItemData(0);

    click(2);
    QCOMPARE(view->LastSortColumn(), 2);
    QVERIFY(view->Ascending());
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    for (int r = 1; r < view->RowCount(); ++r)
        QVERIFY(view->CompareItems(view->ItemData(r - 1), view->ItemData(r), 2, true) <= 0);

    click(2);
    QVERIFY(!view->Ascending());
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    const int row = view->PositionOf(record);
    QCOMPARE(w.List()->SelectedRows(), std::vector<int>({row}));
    QCOMPARE(table->model()->data(table->model()->index(0, 1)).toString(),
             QString::fromStdString(view->CellText(0, 1)));
}

void MainWindowTest::DraggingARowOntoAnotherOverwritesIt() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QTableView* table = f.DetailOf("Class Table");
    QVERIFY(table);
    CMvView* view = w.Pane()->View();
    const int source = view->ItemData(1), target = view->ItemData(4);
    CtRecord from, before;
    QVERIFY(f.Db().Ct().GetRecord(source, from));
    QVERIFY(f.Db().Ct().GetRecord(target, before));
    QVERIFY(!(from == before));

    f.Ui().answers.push_back(Answer::Yes);
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 1));
    QTest::mouseMove(table->viewport(), RowCentre(table, 3));
    QVERIFY(w.List()->Dragging());
    QVERIFY(view->Dragging());
    QTest::mouseMove(table->viewport(), RowCentre(table, 4));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 4));
    QVERIFY(!w.List()->Dragging());
    QVERIFY(!view->Dragging());

    QCOMPARE(f.Ui().messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.Ui().messages[0]),
             QString("Overwrite Item %1 with %2?").arg(target).arg(source));
    CtRecord after;
    QVERIFY(f.Db().Ct().GetRecord(target, after));
    QVERIFY(after == from);
    // The row shows the new contents.
    QCOMPARE(table->model()->data(table->model()->index(4, 2)).toString(),
             QString::fromStdString(view->CellText(1, 2)));

    // Released outside the list: nothing is asked.
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 1));
    QTest::mouseMove(table->viewport(), RowCentre(table, 3));
    QVERIFY(w.List()->Dragging());
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, QPoint(-50, -50));
    QVERIFY(!view->Dragging());
    QCOMPARE(f.Ui().messages.size(), size_t(1));
}

void MainWindowTest::DraggingIsRefusedWhereTheViewDoesNotDrag() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QVERIFY(f.Select("Hdr Data/Textures"));
    CMvView* view = w.Pane()->View();
    QVERIFY(view && !view->CanDrag() && view->RowCount() >= 4);
    w.Run(cmd::kDetail);
    QTableView* table = w.List()->DetailView();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 0));
    QTest::mouseMove(table->viewport(), RowCentre(table, 3));
    QVERIFY(!w.List()->Dragging());
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 3));
    QVERIFY(f.Ui().messages.empty());
}

void MainWindowTest::EnterShowsAndDeleteDeletesTheItem() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QTableView* table = f.DetailOf("Class Table");
    QVERIFY(table);
    CMvView* view = w.Pane()->View();
    table->setFocus();

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, RowCentre(table, 2));
    QCOMPARE(view->Selection(), std::vector<int>({2}));
    QVERIFY(w.Action(cmd::kShowItem)->isEnabled());
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(f.Ui().dialogs.size(), size_t(1));
    QVERIFY(QString::fromStdString(f.Ui().dialogs[0]).startsWith("CT Entry for "));

    // Delete works on the last record only.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const int count = view->RowCount();
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(view->RowCount(), count);
    view->Select(view->PositionOf(count - 1));
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(view->RowCount(), count - 1);
    QCOMPARE(table->model()->rowCount(), count - 1);
    QCOMPARE(int(f.Db().Ct().RecordCount()), count - 1);
}

void MainWindowTest::HelpAndAbout() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    TestUi& ui = f.Ui();
    const std::string help = CTablonApp::HelpFile();
    QStringList opened;
    ui.SetOpener([&](const QString& path) {
        opened << path;
        return true;
    });

    ui.SetViewerQuery([](const QString&) { return QString(); });
    w.Run(cmd::kHelpFinder);
    QCOMPARE(ui.messages.back(), NoHelpViewerText(help));

    ui.SetViewerQuery([](const QString& type) {
        return type == QString(kHelpMimeType) ? QString("viewer.desktop") : QString();
    });
    QFile::remove(QString::fromStdString(help));
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(ui.messages.back(), HelpFileMissingText(help));
    QVERIFY(opened.isEmpty());

    {
        QFile file(QString::fromStdString(help));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    ui.messages.clear();
    w.Run(cmd::kContextHelp);
    QFile::remove(QString::fromStdString(help));
    QCOMPARE(opened, QStringList({QString::fromStdString(help)}));
    QVERIFY(ui.messages.empty());

    // The About box: the program's icon, its name and version, and OK.
    bool iconShown = false;
    ui.onDialog = [&](FormDialog& dialog) {
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (!label->pixmap().isNull()) iconShown = true;
        dialog.View()->GetForm().Press(kIdOk);
    };
    w.Run(cmd::kAppAbout);
    QCOMPARE(ui.dialogs.back(), std::string("About Tablon"));
    QVERIFY(iconShown);
}

// A window deletes its widgets before the pane that draws into one of them: the pane's last
// detach must not reach the list that is gone.
void MainWindowTest::APaneOutlivesItsList() {
    WindowFixture f;
    QVERIFY(f.Ok());
    QVERIFY(f.Select("Class Table"));
    auto* list = new ListWidget;
    {
        ViewPane pane(list);
        pane.Attach(f.Window().Pane()->View());
        list->SetMode(1);
        list->DetailView()->verticalScrollBar()->setValue(3);
        QCOMPARE(pane.Model()->rowCount(), f.Window().Pane()->View()->RowCount());
        delete list;
        QVERIFY(pane.List() == nullptr);
        // The view's rows change with nothing to draw them into.
        f.Window().Pane()->View()->OnColumnClick(2);
        pane.Attach(nullptr);
    }
    QVERIFY(f.Ui().messages.empty());
}

}  // namespace tablon::test

QObject* MakeMainWindowTest() {
    return new tablon::test::MainWindowTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeMainWindowTestRegistration(MakeMainWindowTest);
}  // namespace

#include "MainWindowTest.moc"
