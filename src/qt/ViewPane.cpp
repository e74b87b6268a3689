#include "qt/ViewPane.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "qt/ListModels.h"
#include "qt/ListWidget.h"
#include "shell/MvView.h"

namespace tablon {

ViewPane::ViewPane(ListWidget* list, QObject* parent)
    : QObject(parent), list_(list), model_(new ViewListModel(this)) {
    list_->SetModel(model_);
    list_->beginDrag = [this](int row) { return view_ && view_->BeginDrag(row); };
    list_->endDrag = [this](std::optional<int> target) {
        if (view_) view_->EndDrag(target);
        emit Changed();
    };

    connect(list_, &ListWidget::HeaderClicked, this, [this](int column) {
        if (view_) view_->OnColumnClick(column);
    });
    connect(list_, &ListWidget::RowDoubleClicked, this, [this](int row, int) {
        if (view_) view_->OnDoubleClick(row);
        emit Changed();
    });
    connect(list_, &ListWidget::SelectionChanged, this, [this] {
        if (!view_) return;
        ++pushing_;
        view_->SetSelection(list_->SelectedRows());
        --pushing_;
        emit Changed();
    });
    connect(list_, &ListWidget::ContextMenuRequested, this, [this](std::optional<QPoint> mouse) {
        if (!view_) return;
        const QPoint origin = list_->ClientOriginOnScreen();
        std::optional<Point> at;
        if (mouse) at = Point{mouse->x(), mouse->y()};
        const PopupRequest r = view_->OnContextMenu(at, {origin.x(), origin.y()});
        emit PopupRequested(r.menu, QPoint(r.position.x, r.position.y));
    });

    connect(model_, &ViewListModel::ViewModeChanged, list_, &ListWidget::SetMode);
    connect(model_, &ViewListModel::ViewModeChanged, this, &ViewPane::ShowFilterRow);
    // The filter row: a box's text goes to the view after the typing pause; a text that is no
    // filter marks its box and leaves the rows as they were.
    connect(list_, &ListWidget::FilterEdited, this, [this](int column, const QString& text) {
        if (!view_) return;
        std::string error;
        if (!view_->SetFilter(column, text.toStdString(), &error))
            list_->SetFilterError(column, QString::fromStdString(error));
        else
            list_->SetFilterError(column, {});
        emit Changed();
    });
    connect(list_, &ListWidget::FiltersCleared, this, [this] {
        if (!view_) return;
        view_->ClearFilters();
        ShowFilters();
        emit Changed();
    });
    connect(model_, &ViewListModel::ViewFilterChanged, this, &ViewPane::ShowFilters);
    connect(model_, &ViewListModel::ViewFilterFocusRequested, this, [this] {
        ShowFilterRow();
        list_->FocusFilter(0);
    });
    connect(model_, &ViewListModel::ViewRowRevealed, this, [this](int row) {
        if (!view_) return;
        ShowSelection();
        list_->SetCurrentRow(row);
        if (view_->RowCount() > row) currentRecord_ = view_->ItemData(row);
        QAbstractItemView* v = list_->CurrentView();
        v->scrollTo(v->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
        scrollX_ = v->horizontalScrollBar()->value();
        scrollY_ = v->verticalScrollBar()->value();
    });
    connect(model_, &ViewListModel::ViewSelectionChanged, this, [this] {
        if (!pushing_) ShowSelection();
        emit Changed();
    });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!list_) return;
        QAbstractItemView* v = list_->CurrentView();
        scrollX_ = v->horizontalScrollBar()->value();
        scrollY_ = v->verticalScrollBar()->value();
    });
    connect(model_, &ViewListModel::ViewRowsReset, this, &ViewPane::AfterReset);
    connect(list_->DetailView()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (view_ && current.isValid() && current.row() < view_->RowCount())
                    currentRecord_ = view_->ItemData(current.row());
            });
}

ViewPane::~ViewPane() {
    // The list may already be gone: the model's last reset must not reach back into it.
    disconnect(model_, nullptr, this, nullptr);
    model_->SetView(nullptr);
}

void ViewPane::Attach(CMvView* view) {
    view_ = nullptr;
    model_->SetView(view);
    view_ = view;
    currentRecord_ = -1;
    if (!view || !list_) return;
    list_->ApplyColumnWidths(true);
    list_->SetMode(view->Mode());
    ShowFilterRow();
    ShowFilters();
    list_->SetSortIndicator(view->LastSortColumn(), view->Ascending());
    ShowSelection();
    if (int row = view->FirstSelected(); row >= 0) list_->SetCurrentRow(row);
}

void ViewPane::ShowSelection() {
    if (view_ && list_) list_->SelectRows(view_->Selection());
}

void ViewPane::ShowFilterRow() {
    list_->SetFilterRowVisible(view_ && view_->Mode() == kModeDetail);
    const QString help = QString::fromUtf8(kFilterHelp);
    for (int c = 0; QLineEdit* box = list_->FilterBox(c); ++c) {
        box->setProperty("help", help);
        if (box->property("filterError").toString().isEmpty()) box->setToolTip(help);
    }
}

void ViewPane::ShowFilters() {
    if (!view_) return;
    std::vector<QString> texts;
    for (const std::string& t : view_->FilterTexts()) texts.push_back(QString::fromStdString(t));
    list_->SetFilterTexts(texts);
}

void ViewPane::AfterReset() {
    if (!view_ || !list_) return;
    // The selection and the current row follow their records to their new places; the list
    // stays where it was scrolled to.
    ShowSelection();
    if (currentRecord_ >= 0) {
        const int row = view_->PositionOf(currentRecord_);
        if (row >= 0) list_->SetCurrentRow(row);
    }
    QAbstractItemView* v = list_->CurrentView();
    v->horizontalScrollBar()->setValue(scrollX_);
    v->verticalScrollBar()->setValue(scrollY_);
    list_->SetSortIndicator(view_->LastSortColumn(), view_->Ascending());
    emit Changed();
}

}  // namespace tablon
