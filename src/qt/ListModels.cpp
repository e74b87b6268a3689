#include "qt/ListModels.h"

#include "qt/ListWidget.h"
#include "qt/Pictures.h"
#include "shell/Form.h"

namespace tablon {

namespace {

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace

// ---- IconList ----

void IconList::SetBitmaps(int small, int large) {
    if (small == small_ && large == large_) return;
    small_ = small;
    large_ = large;
    icons_.clear();
}

QIcon IconList::Icon(int image) const {
    if (image < 0) return {};
    if (size_t(image) >= icons_.size()) icons_.resize(size_t(image) + 1);
    QIcon& icon = icons_[size_t(image)];
    if (icon.isNull()) icon = ListIcon(BitmapImage(small_, image), BitmapImage(large_, image));
    return icon;
}

// ---- ViewListModel ----

ViewListModel::ViewListModel(QObject* parent) : QAbstractTableModel(parent) {}

ViewListModel::~ViewListModel() {
    if (view_) view_->RemoveObserver(this);
}

void ViewListModel::SetView(CMvView* view) {
    beginResetModel();
    if (view_) view_->RemoveObserver(this);
    view_ = view;
    rows_ = view ? view->RowCount() : 0;
    columns_ = view ? view->ColumnCount() : 0;
    if (view) {
        view->AddObserver(this);
        const ViewImages images = view->Images();
        icons_.SetBitmaps(images.smallBitmap, images.largeBitmap);
    }
    endResetModel();
}

int ViewListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ViewListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ViewListModel::data(const QModelIndex& index, int role) const {
    if (!view_ || !index.isValid() || index.row() >= view_->RowCount()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return Text(view_->CellText(index.row(), index.column()));
        case Qt::DecorationRole:
            if (index.column() == 0) return icons_.Icon(view_->Icon(index.row()));
            return {};
        default:
            return {};
    }
}

QVariant ViewListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!view_ || orientation != Qt::Horizontal || section < 0 || section >= view_->ColumnCount())
        return {};
    if (role == Qt::DisplayRole) return Text(view_->Column(section).title);
    if (role == ListWidget::kWidthRole) return view_->Column(section).width;
    return {};
}

void ViewListModel::RowsReset() {
    beginResetModel();
    rows_ = view_ ? view_->RowCount() : 0;
    columns_ = view_ ? view_->ColumnCount() : 0;
    endResetModel();
    emit ViewRowsReset();
}

void ViewListModel::RowInserted(int position) {
    beginInsertRows({}, position, position);
    ++rows_;
    endInsertRows();
}

void ViewListModel::RowRemoved(int position) {
    beginRemoveRows({}, position, position);
    --rows_;
    endRemoveRows();
}

void ViewListModel::RowChanged(int position) {
    if (position < 0 || position >= rows_) return;
    emit dataChanged(index(position, 0), index(position, std::max(0, columns_ - 1)));
}

void ViewListModel::ModeChanged(int mode) {
    emit ViewModeChanged(mode);
}

void ViewListModel::SelectionChanged() {
    emit ViewSelectionChanged();
}

void ViewListModel::RowRevealed(int position) {
    emit ViewRowRevealed(position);
}

void ViewListModel::FilterChanged() {
    emit ViewFilterChanged();
}

void ViewListModel::FilterFocusRequested() {
    emit ViewFilterFocusRequested();
}

// ---- FormListModel ----

FormListModel::FormListModel(Form& form, int id, QObject* parent)
    : QAbstractTableModel(parent), form_(form), id_(id) {
    if (const Control* c = form_.Find(id_)) icons_.SetBitmaps(c->images, c->images);
}

void FormListModel::Refresh() {
    beginResetModel();
    if (const Control* c = form_.Find(id_)) icons_.SetBitmaps(c->images, c->images);
    endResetModel();
}

int FormListModel::rowCount(const QModelIndex& parent) const {
    const Control* c = form_.Find(id_);
    return parent.isValid() || !c ? 0 : int(c->rows.size());
}

int FormListModel::columnCount(const QModelIndex& parent) const {
    const Control* c = form_.Find(id_);
    return parent.isValid() || !c ? 0 : std::max(1, int(c->columns.size()));
}

QVariant FormListModel::data(const QModelIndex& index, int role) const {
    const Control* c = form_.Find(id_);
    if (!c || !index.isValid() || size_t(index.row()) >= c->rows.size()) return {};
    const ListRow& row = c->rows[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (size_t(index.column()) < row.cells.size())
                return Text(row.cells[size_t(index.column())]);
            return {};
        case Qt::DecorationRole:
            if (index.column() == 0 && c->images != 0) return icons_.Icon(row.icon);
            return {};
        default:
            return {};
    }
}

QVariant FormListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const Control* c = form_.Find(id_);
    if (!c || orientation != Qt::Horizontal || section < 0 || size_t(section) >= c->columns.size())
        return {};
    if (role == Qt::DisplayRole) return Text(c->columns[size_t(section)].title);
    if (role == ListWidget::kWidthRole) return c->columns[size_t(section)].width;
    return {};
}

}  // namespace tablon
