#include "qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>
#include <QToolBar>
#include <QTreeWidget>

#include "qt/FontScale.h"
#include "qt/FormView.h"
#include "qt/ListWidget.h"
#include "qt/LockKeys.h"
#include "qt/Pictures.h"
#include "qt/QtUi.h"
#include "qt/ViewPane.h"
#include "shell/Pictures.h"

namespace tablon {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kIdleMilliseconds = 250;

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::vector<Qt::Key> KeysOf(Key key) {
    switch (key) {
        case Key::C:
            return {Qt::Key_C};
        case Key::V:
            return {Qt::Key_V};
        case Key::X:
            return {Qt::Key_X};
        case Key::Z:
            return {Qt::Key_Z};
        case Key::Insert:
            return {Qt::Key_Insert};
        case Key::Delete:
            return {Qt::Key_Delete};
        case Key::Backspace:
            return {Qt::Key_Backspace};
        case Key::Enter:
            return {Qt::Key_Return, Qt::Key_Enter};
        case Key::F1:
            return {Qt::Key_F1};
        case Key::F6:
            return {Qt::Key_F6};
        case Key::F2:
            return {Qt::Key_F2};
        case Key::G:
            return {Qt::Key_G};
        case Key::F:
            return {Qt::Key_F};
        case Key::Left:
            return {Qt::Key_Left};
        case Key::Right:
            return {Qt::Key_Right};
    }
    return {};
}

Qt::KeyboardModifiers ModifiersOf(unsigned m) {
    Qt::KeyboardModifiers out;
    if (m & kCtrl) out |= Qt::ControlModifier;
    if (m & kShift) out |= Qt::ShiftModifier;
    if (m & kAlt) out |= Qt::AltModifier;
    return out;
}

// The dark colours of the window.
QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2d, 0x30), base(0x1e, 0x1f, 0x22), text(0xe6, 0xe6, 0xe6);
    const QColor highlight(0x2f, 0x6f, 0xb8), disabled(0x80, 0x80, 0x80);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(0xff, 0x60, 0x60));
    p.setColor(QPalette::Light, window.lighter(150));
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::Mid, window.darker(120));
    p.setColor(QPalette::Dark, window.darker(160));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x6a, 0xa8, 0xf0));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    p.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(130));
    return p;
}

// The picture of a command's toolbar button, if it has one.
std::optional<Picture> ToolbarPicture(int id) {
    for (const ToolbarButton& b : Toolbar())
        if (b.id == id && b.image >= 0) return ToolbarImage(b.image);
    return std::nullopt;
}

}  // namespace

MainWindow::MainWindow(CTablonApp& app, QtUi& ui, QWidget* parent)
    : QMainWindow(parent), app_(app), frame_(app.Frame()), ui_(ui) {
    setWindowIcon(AppIcon());
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(true);
    systemStyle_ = QApplication::style()->name();
    systemPalette_ = QApplication::palette();

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    tree_ = new QTreeWidget(splitter_);
    right_ = new QStackedWidget(splitter_);
    list_ = new ListWidget(right_);
    right_->addWidget(list_);
    pane_ = new ViewPane(list_, this);
    splitter_->addWidget(tree_);
    splitter_->addWidget(right_);
    // The tree keeps its width when the window grows.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    BuildTree();
    BuildAccelerators();

    connect(pane_, &ViewPane::PopupRequested, this, &MainWindow::ShowPopup);
    connect(pane_, &ViewPane::Changed, this, &MainWindow::UpdateCommands);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || closing_) return;
        const int pane = tree_->isAncestorOf(now) || now == tree_     ? 0
                         : right_->isAncestorOf(now) || now == right_ ? 1
                                                                      : -1;
        if (pane >= 0 && pane != frame_.ActivePane()) frame_.ActivatePane(pane);
    });

    frame_.AddObserver(this);
    qApp->installEventFilter(this);
    ViewReplaced();
    TitleChanged();
    BarsChanged();

    QSize size(1100, 720);
    if (QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size() * 0.9);
    resize(size);
    const int treeWidth = TreeWidth();
    splitter_->setSizes({treeWidth, size.width() - treeWidth});

    idle_.setInterval(kIdleMilliseconds);
    connect(&idle_, &QTimer::timeout, this, [this] {
        UpdateCommands();
        UpdateLocks();
    });
    idle_.start();
    UpdateCommands();
    UpdateLocks();
}

MainWindow::~MainWindow() {
    closing_ = true;
    qApp->removeEventFilter(this);
    frame_.RemoveObserver(this);
    pane_->Attach(nullptr);
}

// ---- commands ----

QAction* MainWindow::MakeAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(id);
    if (auto picture = ToolbarPicture(id)) action->setIcon(PictureIcon(*picture));
    const CommandText* t = CommandTextOf(id);
    action->setToolTip(t && t->toolTip ? QString::fromUtf8(t->toolTip)
                                       : QString(text).remove('&').section('\t', 0, 0));
    action->setStatusTip(Text(CMainFrame::PromptOf(id)));
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    actions_[id] = action;
    return action;
}

QAction* MainWindow::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::AddMenuItems(QMenu* menu, const Menu& m) {
    for (const MenuItem& item : m.items) {
        if (item.submenu) {
            QMenu* sub = menu->addMenu(QString::fromUtf8(item.text));
            AddMenuItems(sub, *item.submenu);
        } else if (item.id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(MakeAction(item.id, QString::fromUtf8(item.text)));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void MainWindow::BuildMenus() {
    for (const Menu& m : MainMenu())
        AddMenuItems(menuBar()->addMenu(QString::fromUtf8(m.title)), m);
    // The popup menu has texts of its own; its items go through the same routing.
    popup_ = new QMenu(this);
    for (const MenuItem& item : PopupMenu().items) {
        if (item.id == 0) {
            popup_->addSeparator();
            continue;
        }
        QAction* a = popup_->addAction(QString::fromUtf8(item.text));
        a->setData(item.id);
        if (QAction* main = Action(item.id)) a->setIcon(main->icon());
        a->setStatusTip(Text(CMainFrame::PromptOf(item.id)));
        const int id = item.id;
        connect(a, &QAction::triggered, this, [this, id] { Run(id); });
    }
    connect(popup_, &QMenu::aboutToShow, this, [this] { UpdateMenu(popup_); });
}

void MainWindow::BuildToolbar() {
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setMovable(true);
    toolbar_->setFloatable(true);
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolbarButton& b : Toolbar()) {
        if (b.id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* a = Action(b.id);
        if (!a) {
            const CommandText* t = CommandTextOf(b.id);
            a = MakeAction(b.id, QString::fromUtf8(t && t->toolTip ? t->toolTip : ""));
        }
        toolbar_->addAction(a);
    }
    addToolBar(Qt::TopToolBarArea, toolbar_);
}

void MainWindow::BuildStatusBar() {
    auto* ready = new QLabel(QString::fromUtf8(kIdlePrompt), this);
    statusBar()->addWidget(ready, 1);
    rows_ = new QLabel(this);
    statusBar()->addPermanentWidget(rows_);
    for (const char* name : StatusIndicators()) {
        auto* label = new QLabel(QString::fromUtf8(name), this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
        indicators_.push_back(label);
    }
}

void MainWindow::BuildAccelerators() {
    for (const Accelerator& a : Accelerators()) {
        for (Qt::Key key : KeysOf(a.key)) {
            auto* s =
                new QShortcut(QKeySequence(QKeyCombination(ModifiersOf(a.modifiers), key)), this);
            const int id = a.id;
            connect(s, &QShortcut::activated, this, [this, id] { Run(id); });
        }
    }
}

void MainWindow::Run(int id) {
    frame_.Run(id);
    if (!closing_) UpdateCommands();
}

void MainWindow::UpdateMenu(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->menu()) continue;
        const CommandState s = frame_.StateOf(a->data().toInt());
        a->setEnabled(s.enabled);
        a->setCheckable(s.checked);
        a->setChecked(s.checked);
    }
}

void MainWindow::UpdateCommands() {
    for (auto& [id, action] : actions_) {
        const CommandState s = frame_.StateOf(id);
        action->setEnabled(s.enabled);
        action->setCheckable(s.checked);
        action->setChecked(s.checked);
    }
    const CMvView* list = pane_->View();
    rows_->setText(list ? Text(list->RowCountText()) : QString());
    rows_->setVisible(list != nullptr);
}

void MainWindow::UpdateLocks() {
    const std::optional<LockKeys> keys = QueryLockKeys();
    const bool on[] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (size_t i = 0; i < indicators_.size() && i < 3; ++i) indicators_[i]->setEnabled(on[i]);
}

void MainWindow::ShowPopup(int menu, QPoint global) {
    if (menu != kPopupMenuId) return;
    popup_->exec(global);
}

// ---- the tree ----

void MainWindow::BuildTree() {
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setIndentation(12);
    tree_->setUniformRowHeights(true);
    tree_->setIconSize(QSize(16, 16));
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);

    const CVantorTree& tree = frame_.Tree();
    treeItems_.assign(size_t(tree.ItemCount()), nullptr);
    std::function<void(QTreeWidgetItem*, int)> insert = [&](QTreeWidgetItem* parent, int item) {
        auto* it = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        it->setText(0, Text(tree.Label(item)));
        it->setData(0, kIdRole, item);
        it->setIcon(0, ImageIcon(TreeImage(tree.Image(item)), TreeImage(tree.SelectedImage(item))));
        treeItems_[size_t(item)] = it;
        for (int child : tree.ItemAt(item).children) insert(it, child);
    };
    for (int root : tree.RootItems()) insert(nullptr, root);

    if (QTreeWidgetItem* selected = TreeItem(tree.Selected())) {
        const QSignalBlocker block(tree_);
        tree_->setCurrentItem(selected);
        tree_->scrollToItem(selected);
    }
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!current) return;
        frame_.OnTreeSelectionChanged(current->data(0, kIdRole).toInt());
        UpdateCommands();
    });
}

int MainWindow::TreeWidth() const {
    // The width is given for the classic dialog font; it grows further where a label at its
    // depth would not fit.
    int width = FontScale::Of(tree_->font()).Width(CMainFrame::kTreePaneWidth);
    const QFontMetrics fm(tree_->font());
    const int frame = 2 * tree_->frameWidth();
    const int margins = 4 * (tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2);
    for (QTreeWidgetItem* it : treeItems_) {
        if (!it) continue;
        int depth = 1;  // the root's own branch
        for (QTreeWidgetItem* p = it->parent(); p; p = p->parent()) ++depth;
        width = std::max(width, frame + depth * tree_->indentation() + tree_->iconSize().width() +
                                    margins + fm.horizontalAdvance(it->text(0)));
    }
    return width;
}

QTreeWidgetItem* MainWindow::TreeItem(int item) const {
    return item >= 0 && size_t(item) < treeItems_.size() ? treeItems_[size_t(item)] : nullptr;
}

// ---- FrameObserver ----

void MainWindow::ViewReplacing() {
    pane_->Attach(nullptr);
    if (formPane_) {
        right_->removeWidget(formPane_);
        delete formPane_;
        formPane_ = nullptr;
    }
}

void MainWindow::ViewReplaced() {
    PaneView* view = frame_.View();
    if (CMvView* list = view ? view->AsList() : nullptr) {
        pane_->Attach(list);
        right_->setCurrentWidget(list_);
    } else if (Form* form = view ? view->AsForm() : nullptr) {
        pane_->Attach(nullptr);
        formPane_ = new FormView(*form, right_);
        right_->addWidget(formPane_);
        right_->setCurrentWidget(formPane_);
    } else {
        pane_->Attach(nullptr);
        right_->setCurrentWidget(list_);
    }
    UpdateCommands();
}

void MainWindow::TitleChanged() {
    setWindowTitle(QStringLiteral("%1 - %2").arg(Text(frame_.Title()), QString(kAppTitle)));
}

void MainWindow::BarsChanged() {
    toolbar_->setVisible(frame_.ToolbarVisible());
    statusBar()->setVisible(frame_.StatusBarVisible());
}

void MainWindow::PaneActivated(int pane) {
    QWidget* target = pane == 0 ? static_cast<QWidget*>(tree_) : right_->currentWidget();
    if (target && !target->isAncestorOf(QApplication::focusWidget()) &&
        QApplication::focusWidget() != target)
        target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::QuitRequested() {
    close();
}

void MainWindow::TreeSelectionChanged(int item) {
    QTreeWidgetItem* it = TreeItem(item);
    if (!it || tree_->currentItem() == it) return;
    const QSignalBlocker block(tree_);
    tree_->setCurrentItem(it);
    tree_->scrollToItem(it);
}

bool MainWindow::DesktopIsDark() const {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (QGuiApplication::styleHints()->colorScheme() != Qt::ColorScheme::Unknown)
        return QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark;
#endif
    return systemPalette_.color(QPalette::Window).lightness() < 128;
}

bool MainWindow::DarkColours() const {
    return QApplication::palette().color(QPalette::Window).lightness() < 128;
}

void MainWindow::ThemeChanged(int theme) {
    const bool dark = theme == kThemeDark || (theme == kThemeSystem && DesktopIsDark());
    if (theme == kThemeSystem) {
        QApplication::setStyle(QStyleFactory::create(systemStyle_));
        QApplication::setPalette(dark ? DarkPalette() : systemPalette_);
    } else {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
    }
    // Pictures and icons draw in the palette's colours: repaint everything.
    for (QWidget* w : QApplication::allWidgets()) w->update();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && !closing_) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        auto* widget = qobject_cast<QWidget*>(watched);
        if ((button == Qt::BackButton || button == Qt::ForwardButton) && widget &&
            widget->window() == this) {
            Run(button == Qt::BackButton ? cmd::kNavBack : cmd::kNavForward);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

namespace {

// The local files a drag carries.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    for (const QString& file : files) frame_.OpenDocumentFile(file.toStdString());
    if (!files.isEmpty()) event->acceptProposedAction();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    idle_.stop();
    event->accept();
}

}  // namespace tablon
