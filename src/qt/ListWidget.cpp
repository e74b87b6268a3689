#include "qt/ListWidget.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "qt/FontScale.h"

namespace tablon {

namespace {

enum Mode { kLargeIcons = 0, kDetail = 1, kSmallIcons = 2, kList = 3 };

// The cursor's spot inside the drag image.
const QPoint kDragHotSpot(8, 8);

}  // namespace

// The detail view's header with the filter row under the column titles: the titles are drawn in
// the upper part, and one box per column sits in the lower part under its section, in the
// header's viewport so that it scrolls with the sections.
class FilterHeader : public QHeaderView {
  public:
    explicit FilterHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        pause_.setSingleShot(true);
        pause_.setInterval(ListWidget::kFilterPauseMs);
        connect(&pause_, &QTimer::timeout, this, [this] { Flush(); });
        connect(this, &QHeaderView::sectionResized, this, [this] { Place(); });
        connect(this, &QHeaderView::sectionMoved, this, [this] { Place(); });
        connect(this, &QHeaderView::sectionCountChanged, this, [this] { Rebuild(); });
    }

    void SetShown(bool on) {
        if (on == shown_) return;
        shown_ = on;
        Rebuild();
        emit geometriesChanged();
    }
    bool Shown() const { return shown_; }
    QLineEdit* Box(int column) const {
        return column >= 0 && size_t(column) < boxes_.size() ? boxes_[size_t(column)] : nullptr;
    }
    int BoxCount() const { return int(boxes_.size()); }
    // Sends the texts waiting for the typing pause at once.
    void Flush() {
        pause_.stop();
        const std::set<int> pending = std::move(pending_);
        pending_.clear();
        for (int c : pending)
            if (QLineEdit* b = Box(c); b && edited) edited(c, b->text());
    }

    std::function<void(int, const QString&)> edited;
    std::function<void()> cleared;

    QSize sizeHint() const override {
        QSize s = QHeaderView::sizeHint();
        if (shown_) s.rheight() += BoxHeight();
        return s;
    }

    // A section's whole title when the section is too narrow to show it all; empty when it fits.
    QString CutTitle(int logical) const {
        if (logical < 0 || logical >= count() || isSectionHidden(logical)) return {};
        const QStyleOptionHeaderV2 opt =
            TitleOption(logical, QRect(0, 0, sectionSize(logical), TitleHeight()));
        return Cut(opt) ? opt.text : QString();
    }

  protected:
    // The title in the upper part; one too long for its section ends in "...".
    void paintSection(QPainter* p, const QRect& rect, int logical) const override {
        if (!rect.isValid()) return;
        QStyleOptionHeaderV2 opt =
            TitleOption(logical, shown_ ? rect.adjusted(0, 0, 0, -BoxHeight()) : rect);
        if (Cut(opt))
            opt.text = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, LabelRect(opt).width());
        style()->drawControl(QStyle::CE_Header, &opt, p, this);
    }
    // Over a title that is cut, the tool tip shows it whole.
    bool viewportEvent(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(e);
            const int logical = logicalIndexAt(help->pos());
            const QString title = help->pos().y() < TitleHeight() ? CutTitle(logical) : QString();
            if (!title.isEmpty()) {
                const QRect section(sectionViewportPosition(logical), 0, sectionSize(logical),
                                    TitleHeight());
                QToolTip::showText(help->globalPos(), title, viewport(), section);
                return true;
            }
            QToolTip::hideText();
        }
        return QHeaderView::viewportEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QHeaderView::resizeEvent(e);
        Place();
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            pause_.stop();
            pending_.clear();
            if (cleared) cleared();
            return true;
        }
        return QHeaderView::eventFilter(o, e);
    }

  private:
    int BoxHeight() const { return fontMetrics().height() + 10; }
    int TitleHeight() const { return shown_ ? height() - BoxHeight() : height(); }

    // How a section's title is drawn in a rectangle: its text, alignment and sort arrow.
    QStyleOptionHeaderV2 TitleOption(int logical, const QRect& rect) const {
        QStyleOptionHeaderV2 opt;
        initStyleOption(&opt);
        initStyleOptionForIndex(&opt, logical);
        opt.rect = rect;
        return opt;
    }
    // The title's room: the style's label rectangle (less the sort arrow where there is one).
    QRect LabelRect(const QStyleOptionHeaderV2& opt) const {
        return style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    }
    bool Cut(const QStyleOptionHeaderV2& opt) const {
        return !opt.text.isEmpty() &&
               opt.fontMetrics.horizontalAdvance(opt.text) > LabelRect(opt).width();
    }

    void Rebuild() {
        const int n = shown_ ? count() : 0;
        while (int(boxes_.size()) > n) {
            delete boxes_.back();
            boxes_.pop_back();
        }
        while (int(boxes_.size()) < n) {
            auto* box = new QLineEdit(viewport());
            const int column = int(boxes_.size());
            box->setClearButtonEnabled(true);
            box->setFrame(true);
            box->installEventFilter(this);
            connect(box, &QLineEdit::textEdited, this, [this, column] {
                pending_.insert(column);
                pause_.start();
            });
            boxes_.push_back(box);
        }
        Place();
    }

    void Place() {
        const int h = BoxHeight();
        for (int c = 0; c < int(boxes_.size()); ++c) {
            QLineEdit* box = boxes_[size_t(c)];
            box->setGeometry(sectionViewportPosition(c), height() - h, sectionSize(c), h);
            box->setVisible(shown_ && !isSectionHidden(c));
        }
    }

    bool shown_ = false;
    std::vector<QLineEdit*> boxes_;
    std::set<int> pending_;
    QTimer pause_;
};

// An item delegate whose items show their whole text in a tool tip when they show it cut, and
// only then. What counts as cut is the derived delegate's rule, the one its painting follows.
class WholeTextTipDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // An item's whole text when it shows cut in the option's rectangle; empty when it fits.
    QString CutText(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        return !opt.text.isEmpty() && Cut(opt) ? opt.text : QString();
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString whole = CutText(option, index);
        if (whole.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(), whole, view->viewport(), option.rect);
        return true;
    }

  protected:
    // Whether an item's text (not empty) does not fit, its option made for the item.
    virtual bool Cut(const QStyleOptionViewItem& opt) const = 0;
};

// Every item of the icon view has the same size: the mode's cell less a margin. (One size for
// all also spares the view from measuring each of up to 65,535 items.) The style draws the
// label under or beside the icon, wrapped at words in the large icons, ended by "..." where it
// does not fit.
class FixedSizeDelegate : public WholeTextTipDelegate {
  public:
    using WholeTextTipDelegate::WholeTextTipDelegate;
    void SetSize(QSize size) { size_ = size; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return size_.isValid() ? size_ : QStyledItemDelegate::sizeHint(option, index);
    }

  protected:
    // The label is cut when a line of it is wider than the style's text rectangle, or its lines
    // are taller: laid out as the style lays it out, in the rectangle less the text margins.
    bool Cut(const QStyleOptionViewItem& opt) const override {
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget)
                            .adjusted(margin, 0, -margin, 0);
        QTextOption wrap;
        wrap.setWrapMode(opt.features & QStyleOptionViewItem::WrapText ? QTextOption::WordWrap
                                                                       : QTextOption::ManualWrap);
        QTextLayout layout(opt.text, opt.font);
        layout.setTextOption(wrap);
        layout.beginLayout();
        qreal height = 0;
        bool cut = false;
        for (QTextLine line = layout.createLine(); line.isValid() && !cut;
             line = layout.createLine()) {
            line.setLineWidth(r.width());
            height += line.height();
            cut = line.naturalTextWidth() > r.width() || height > r.height();
        }
        layout.endLayout();
        return cut;
    }

  private:
    QSize size_;
};

// The detail view's cells: the style's background and selection, then the icon and one line
// of text drawn straight at its baseline (ended by "..." when it does not fit, the whole text
// then in the cell's tool tip). A screen of cells is drawn far faster than through the style's
// text layout, which a list of 65,535 rows redraws on every scroll.
class CellDelegate : public WholeTextTipDelegate {
  public:
    using WholeTextTipDelegate::WholeTextTipDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, p, widget);

        QRect iconRect;
        QRect r = TextRect(opt, &iconRect);
        const bool selected = opt.state & QStyle::State_Selected;
        if (!opt.icon.isNull())
            opt.icon.paint(p, iconRect, Qt::AlignCenter,
                           selected ? QIcon::Selected : QIcon::Normal);
        if (opt.text.isEmpty() || r.width() <= 0) return;
        const QFontMetrics& fm = opt.fontMetrics;
        QString text = opt.text;
        if (Cut(opt, r)) text = fm.elidedText(text, Qt::ElideRight, r.width());
        const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (opt.state & QStyle::State_Active)
                                               ? QPalette::Active
                                               : QPalette::Inactive;
        p->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(opt.font);
        p->drawText(QPoint(r.left(), r.top() + (r.height() - fm.height()) / 2 + fm.ascent()), text);
    }

  protected:
    bool Cut(const QStyleOptionViewItem& opt) const override { return Cut(opt, TextRect(opt)); }

  private:
    // Where the text goes: the cell less its margins and its icon (whose place is iconRect).
    static QRect TextRect(const QStyleOptionViewItem& opt, QRect* iconRect = nullptr) {
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        QRect r = opt.rect.adjusted(margin, 0, -margin, 0);
        if (!opt.icon.isNull()) {
            const QSize size = opt.decorationSize;
            const QRect icon(r.left(), r.top() + (r.height() - size.height()) / 2, size.width(),
                             size.height());
            if (iconRect) *iconRect = icon;
            r.setLeft(icon.right() + 1 + margin);
        }
        return r;
    }
    // Whether the text does not fit; measuring shapes the text, so only when it may not.
    static bool Cut(const QStyleOptionViewItem& opt, const QRect& r) {
        const QFontMetrics& fm = opt.fontMetrics;
        return !opt.text.isEmpty() && opt.text.size() * fm.maxWidth() > r.width() &&
               fm.horizontalAdvance(opt.text) > r.width();
    }
};

// The two item views of the list (the detail table and the icon view) with what they share:
// the right-click request and dragging rows.
template <class Base>
class RowView : public Base {
  public:
    explicit RowView(ListWidget* owner) : Base(owner), owner_(owner) {}

    // The whole text of an item the view shows cut; empty when it shows whole.
    QString CutText(const QModelIndex& index) const {
        auto* delegate = dynamic_cast<WholeTextTipDelegate*>(this->itemDelegateForIndex(index));
        if (!delegate || !index.isValid()) return {};
        QStyleOptionViewItem option;
        this->initViewItemOption(&option);
        option.rect = this->visualRect(index);
        return delegate->CutText(option, index);
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        pressRow_ = -1;
        if (e->button() == Qt::LeftButton) {
            const QModelIndex index = this->indexAt(e->position().toPoint());
            pressRow_ = index.isValid() ? index.row() : -1;
            pressPos_ = e->position().toPoint();
        }
        Base::mousePressEvent(e);
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint global = e->globalPosition().toPoint();
        if (owner_->Dragging()) {
            owner_->MoveDrag(global);
            return;
        }
        if ((e->buttons() & Qt::LeftButton) && pressRow_ >= 0 &&
            (e->position().toPoint() - pressPos_).manhattanLength() >=
                QApplication::startDragDistance()) {
            const int row = pressRow_;
            pressRow_ = -1;
            if (owner_->StartDrag(row, global)) {
                this->setState(QAbstractItemView::NoState);
                return;
            }
        }
        Base::mouseMoveEvent(e);
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        pressRow_ = -1;
        if (owner_->Dragging() && e->button() == Qt::LeftButton) {
            this->setState(QAbstractItemView::NoState);
            owner_->FinishDrag(e->globalPosition().toPoint());
            return;
        }
        Base::mouseReleaseEvent(e);
    }

    void contextMenuEvent(QContextMenuEvent* e) override {
        if (e->reason() == QContextMenuEvent::Keyboard)
            emit owner_->ContextMenuRequested(std::nullopt);
        else
            emit owner_->ContextMenuRequested(e->globalPos());
        e->accept();
    }

  private:
    ListWidget* owner_;
    int pressRow_ = -1;
    QPoint pressPos_;
};

ListWidget::ListWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_ = new QStackedWidget(this);
    layout->addWidget(stack_);

    table_ = new RowView<QTableView>(this);
    header_ = new FilterHeader(table_);
    table_->setHorizontalHeader(header_);
    header_->edited = [this](int column, const QString& text) { emit FilterEdited(column, text); };
    header_->cleared = [this] { emit FiltersCleared(); };
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(true);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setIconSize(QSize(16, 16));
    table_->setItemDelegate(new CellDelegate(table_));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(20, table_->fontMetrics().height() + 6));
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(false);
    header->setMinimumSectionSize(8);
    connect(header, &QHeaderView::sectionClicked, this, &ListWidget::HeaderClicked);
    connect(table_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit RowDoubleClicked(i.row(), i.column()); });

    icons_ = new RowView<QListView>(this);
    icons_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    icons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    icons_->setMovement(QListView::Static);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setUniformItemSizes(true);
    icons_->setLayoutMode(QListView::Batched);
    icons_->setBatchSize(2000);
    icons_->setSelectionRectVisible(true);
    icons_->setTextElideMode(Qt::ElideRight);
    iconDelegate_ = new FixedSizeDelegate(icons_);
    icons_->setItemDelegate(iconDelegate_);
    connect(icons_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit RowDoubleClicked(i.row(), 0); });

    stack_->addWidget(table_);
    stack_->addWidget(icons_);
    setFocusProxy(table_);
    SetMode(kDetail);
}

ListWidget::~ListWidget() {
    delete dragImage_;
}

void ListWidget::SetModel(QAbstractItemModel* model) {
    if (model_) disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    QItemSelectionModel* oldTable = table_->selectionModel();
    QItemSelectionModel* oldIcons = icons_->selectionModel();
    table_->setModel(model);
    icons_->setModel(model);
    // Both views show the same selection.
    QItemSelectionModel* shared = table_->selectionModel();
    QItemSelectionModel* own = icons_->selectionModel();
    icons_->setSelectionModel(shared);
    if (own != shared) delete own;
    if (oldTable && oldTable != shared) oldTable->deleteLater();
    if (oldIcons && oldIcons != oldTable && oldIcons != shared) oldIcons->deleteLater();
    ConnectSelection();
    if (model_) {
        connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &ListWidget::SaveWidths);
        connect(model_, &QAbstractItemModel::modelReset, this, &ListWidget::RestoreWidths);
    }
    ApplyColumnWidths();
}

void ListWidget::ConnectSelection() {
    QItemSelectionModel* sm = table_->selectionModel();
    if (!sm) return;
    connect(sm, &QItemSelectionModel::selectionChanged, this, [this] {
        if (!syncing_) emit SelectionChanged();
    });
}

namespace {

// The width the texts of a column's first rows take, with the cell's margins (and its icon in
// the first column). Measured on fifty rows: a long list costs no more than a short one.
int Measured(const QTableView* view, const QAbstractItemModel* model, int column) {
    const QFontMetrics fm = view->fontMetrics();
    QStyle* style = view->style();
    int widest = 0;
    const int rows = std::min(model->rowCount(), 50);
    for (int r = 0; r < rows; ++r)
        widest = std::max(widest, fm.horizontalAdvance(model->index(r, column).data().toString()));
    if (rows > 0 && model->index(0, column).data(Qt::DecorationRole).isValid()) {
        const QSize icon = view->iconSize();
        widest += (icon.isValid() ? icon.width()
                                  : style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view)) +
                  4;
    }
    return widest + 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 4;
}

}  // namespace

void ListWidget::ApplyColumnWidths(bool fitContents) {
    if (!model_) return;
    QHeaderView* header = table_->horizontalHeader();
    const FontScale scale = FontScale::Of(table_->font());
    for (int c = 0; c < model_->columnCount(); ++c) {
        // The widths are given for the classic dialog font: the font in use scales them.
        const QVariant w = model_->headerData(c, Qt::Horizontal, kWidthRole);
        const int given = scale.Width(w.isValid() ? std::max(8, w.toInt()) : 100);
        int width = given;
        // A column whose title or first texts do not fit widens to them, up to four times.
        if (fitContents)
            width = std::clamp(std::max(Measured(table_, model_, c), header->sectionSizeHint(c)),
                               given, 4 * given);
        header->resizeSection(c, width);
    }
}

void ListWidget::SaveWidths() {
    savedWidths_.clear();
    QHeaderView* header = table_->horizontalHeader();
    for (int c = 0; c < header->count(); ++c) savedWidths_.push_back(header->sectionSize(c));
}

void ListWidget::RestoreWidths() {
    QHeaderView* header = table_->horizontalHeader();
    if (int(savedWidths_.size()) != header->count()) {
        ApplyColumnWidths();
        return;
    }
    for (int c = 0; c < header->count(); ++c) header->resizeSection(c, savedWidths_[size_t(c)]);
}

void ListWidget::SetMode(int mode) {
    if (mode < kLargeIcons || mode > kList) return;
    const bool hadFocus = CurrentView() && CurrentView()->hasFocus();
    const std::vector<int> selected = SelectedRows();
    const int current = CurrentRow();
    mode_ = mode;
    const QFontMetrics fm(icons_->font());
    switch (mode) {
        case kLargeIcons:
            icons_->setViewMode(QListView::IconMode);
            icons_->setFlow(QListView::LeftToRight);
            icons_->setWrapping(true);
            icons_->setWordWrap(true);
            icons_->setIconSize(QSize(32, 32));
            icons_->setGridSize(
                QSize(std::max(84, fm.averageCharWidth() * 13), 32 + 2 * fm.lineSpacing() + 12));
            break;
        case kSmallIcons:
            icons_->setViewMode(QListView::ListMode);
            icons_->setFlow(QListView::LeftToRight);
            icons_->setWrapping(true);
            icons_->setWordWrap(false);
            icons_->setIconSize(QSize(16, 16));
            icons_->setGridSize(QSize(std::max(150, fm.averageCharWidth() * 22),
                                      std::max(20, fm.lineSpacing() + 6)));
            break;
        case kList:
            icons_->setViewMode(QListView::ListMode);
            icons_->setFlow(QListView::TopToBottom);
            icons_->setWrapping(true);
            icons_->setWordWrap(false);
            icons_->setIconSize(QSize(16, 16));
            icons_->setGridSize(QSize(std::max(170, fm.averageCharWidth() * 25),
                                      std::max(20, fm.lineSpacing() + 6)));
            break;
        default:
            break;
    }
    // Rows of icons scroll down, columns of the list scroll sideways.
    const bool columns = mode == kList;
    icons_->setHorizontalScrollBarPolicy(columns ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    icons_->setVerticalScrollBarPolicy(columns ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (mode != kDetail)
        static_cast<FixedSizeDelegate*>(iconDelegate_)->SetSize(icons_->gridSize() - QSize(4, 2));
    // The modes above reset these.
    icons_->setMovement(QListView::Static);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setUniformItemSizes(true);
    QAbstractItemView* view = mode == kDetail ? static_cast<QAbstractItemView*>(table_) : icons_;
    stack_->setCurrentWidget(view);
    setFocusProxy(view);
    // A selection made in the icon view covers the first column only: make it whole rows.
    SelectRows(selected);
    if (current >= 0) SetCurrentRow(current);
    if (hadFocus) view->setFocus();
}

void ListWidget::SetSingleSelection(bool single) {
    const auto mode =
        single ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection;
    table_->setSelectionMode(mode);
    icons_->setSelectionMode(mode);
}

void ListWidget::SetSortIndicator(int column, bool ascending) {
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ListWidget::SelectRows(const std::vector<int>& rows) {
    QItemSelectionModel* sm = table_->selectionModel();
    if (!sm || !model_) return;
    std::vector<int> sorted(rows);
    std::sort(sorted.begin(), sorted.end());
    QItemSelection selection;
    const int lastColumn = std::max(0, model_->columnCount() - 1);
    const int count = model_->rowCount();
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] <= sorted[j] + 1) ++j;
        if (sorted[i] >= 0 && sorted[j] < count)
            selection.select(model_->index(sorted[i], 0), model_->index(sorted[j], lastColumn));
        i = j + 1;
    }
    ++syncing_;
    sm->select(selection, QItemSelectionModel::ClearAndSelect);
    --syncing_;
}

std::vector<int> ListWidget::SelectedRows() const {
    std::vector<int> rows;
    QItemSelectionModel* sm = table_->selectionModel();
    if (!sm) return rows;
    for (const QItemSelectionRange& r : sm->selection())
        for (int row = r.top(); row <= r.bottom(); ++row) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int ListWidget::CurrentRow() const {
    QItemSelectionModel* sm = table_->selectionModel();
    return sm && sm->currentIndex().isValid() ? sm->currentIndex().row() : -1;
}

void ListWidget::SetCurrentRow(int row) {
    QItemSelectionModel* sm = table_->selectionModel();
    if (!sm || !model_ || row < 0 || row >= model_->rowCount()) return;
    ++syncing_;
    sm->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    --syncing_;
}

QString ListWidget::CutTitle(int column) const {
    return header_->CutTitle(column);
}

QString ListWidget::CutLabel(int row) const {
    if (mode_ == kDetail || !model_) return {};
    return static_cast<RowView<QListView>*>(icons_)->CutText(model_->index(row, 0));
}

QAbstractItemView* ListWidget::CurrentView() const {
    return mode_ == kDetail ? static_cast<QAbstractItemView*>(table_) : icons_;
}

void ListWidget::SetFilterRowVisible(bool visible) {
    header_->SetShown(visible);
}

bool ListWidget::FilterRowVisible() const {
    return header_->Shown();
}

void ListWidget::SetFilterTexts(const std::vector<QString>& texts) {
    for (int c = 0; c < header_->BoxCount(); ++c) {
        QLineEdit* box = header_->Box(c);
        const QString text = size_t(c) < texts.size() ? texts[size_t(c)] : QString();
        if (box->text() != text) box->setText(text);
        SetFilterError(c, {});
    }
}

void ListWidget::SetFilterError(int column, const QString& error) {
    QLineEdit* box = header_->Box(column);
    if (!box) return;
    // A box whose text is no filter shows a reddish ground, light or dark as the list's.
    QPalette pal;  // nothing set: the list's own colours
    if (!error.isEmpty()) {
        pal = palette();
        const bool light = pal.color(QPalette::Base).lightness() > 128;
        pal.setColor(QPalette::Base, light ? QColor(0xff, 0xd0, 0xd0) : QColor(0x70, 0x24, 0x24));
    }
    box->setPalette(pal);
    box->setProperty("filterError", error);
    box->setToolTip(error.isEmpty() ? box->property("help").toString() : error);
}

QLineEdit* ListWidget::FilterBox(int column) const {
    return header_->Box(column);
}

void ListWidget::FocusFilter(int column) {
    if (QLineEdit* box = header_->Box(column)) {
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    }
}

int ListWidget::RowAt(QPoint global) const {
    QAbstractItemView* view = CurrentView();
    const QPoint p = view->viewport()->mapFromGlobal(global);
    if (!view->viewport()->rect().contains(p)) return -1;
    const QModelIndex index = view->indexAt(p);
    return index.isValid() ? index.row() : -1;
}

int ListWidget::ColumnAt(QPoint global) const {
    QAbstractItemView* view = CurrentView();
    const QModelIndex index = view->indexAt(view->viewport()->mapFromGlobal(global));
    return index.isValid() ? index.column() : -1;
}

QPoint ListWidget::ClientOriginOnScreen() const {
    QAbstractItemView* view = CurrentView();
    return view->mapToGlobal(view->contentsRect().topLeft());
}

// ---- dragging ----

bool ListWidget::StartDrag(int row, QPoint global) {
    if (!beginDrag || !model_ || !beginDrag(row)) return false;
    dragRow_ = row;
    delete dragImage_;
    // The drag image: the row's icon and text on the selection colour.
    const QModelIndex index = model_->index(row, 0);
    const QIcon icon = model_->data(index, Qt::DecorationRole).value<QIcon>();
    const QString text = model_->data(index, Qt::DisplayRole).toString();
    const QFontMetrics fm(font());
    const QSize size(16 + 12 + fm.horizontalAdvance(text) + 8, std::max(20, fm.height() + 6));
    const qreal dpr = devicePixelRatioF();
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(palette().color(QPalette::Highlight));
    {
        QPainter p(&pm);
        icon.paint(&p, QRect(4, (size.height() - 16) / 2, 16, 16), Qt::AlignCenter,
                   QIcon::Selected);
        p.setPen(palette().color(QPalette::HighlightedText));
        p.drawText(QRect(24, 0, size.width() - 24, size.height()), Qt::AlignVCenter, text);
    }
    dragImage_ =
        new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                Qt::WindowDoesNotAcceptFocus);
    dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dragImage_->setAttribute(Qt::WA_ShowWithoutActivating);
    dragImage_->setPixmap(pm);
    dragImage_->resize(size);
    dragImage_->setWindowOpacity(0.8);
    dragImage_->move(global - kDragHotSpot);
    dragImage_->show();
    return true;
}

void ListWidget::MoveDrag(QPoint global) {
    if (dragImage_) dragImage_->move(global - kDragHotSpot);
}

void ListWidget::FinishDrag(QPoint global) {
    const int target = RowAt(global);
    dragRow_ = -1;
    if (dragImage_) {
        dragImage_->hide();
        dragImage_->deleteLater();
        dragImage_ = nullptr;
    }
    if (endDrag) endDrag(target >= 0 ? std::optional<int>(target) : std::nullopt);
}

}  // namespace tablon
