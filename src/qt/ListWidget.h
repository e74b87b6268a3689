// The one list widget: any table of rows and columns (a record list view or a dialog's list)
// in the four display modes, with column headers that report clicks, a right-click menu
// request, double clicks and dragging one row onto another. Rows come from an item model whose
// header reports each column's width under kWidthRole; nothing is created per row.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QAbstractItemModel;
class QAbstractItemView;
class QItemSelectionModel;
class QLabel;
class QListView;
class QStackedWidget;
class QStyledItemDelegate;
class QTableView;
class QLineEdit;

namespace tablon {

class FilterHeader;

class ListWidget : public QWidget {
    Q_OBJECT

  public:
    // The initial width of a column, asked of the model's horizontal header.
    static constexpr int kWidthRole = Qt::UserRole + 1;

    explicit ListWidget(QWidget* parent = nullptr);
    ~ListWidget() override;

    void SetModel(QAbstractItemModel* model);
    // Sets every column to the width its model gives (a new table of columns), scaled to the
    // font; with fitContents, a column widens to its title and to the texts of the rows shown
    // first (at most four times its width).
    void ApplyColumnWidths(bool fitContents = false);

    // The display modes as the record lists number them: 0 large icons, 1 detail, 2 small
    // icons, 3 list.
    void SetMode(int mode);
    int Mode() const { return mode_; }
    void SetSingleSelection(bool single);
    // The arrow in the header of the column the rows are sorted by; -1 for none.
    void SetSortIndicator(int column, bool ascending);

    // Selection as row numbers: set from the model's side (no signal), read after a change.
    void SelectRows(const std::vector<int>& rows);
    std::vector<int> SelectedRows() const;
    int CurrentRow() const;
    void SetCurrentRow(int row);

    // What the list shows cut, whole, for its tool tip (empty when it shows whole): a column's
    // title in the detail view's header, and a row's label in the icon modes (large and small
    // icons, list).
    QString CutTitle(int column) const;
    QString CutLabel(int row) const;

    QAbstractItemView* CurrentView() const;
    QTableView* DetailView() const { return table_; }
    QListView* IconView() const { return icons_; }
    // The filter row under the detail view's header: one box per column. A box reports its text
    // after a short typing pause; Escape in a box clears them all.
    void SetFilterRowVisible(bool visible);
    bool FilterRowVisible() const;
    // Shows the filters' texts (no signal) and marks a box whose text is no filter.
    void SetFilterTexts(const std::vector<QString>& texts);
    void SetFilterError(int column, const QString& error);
    QLineEdit* FilterBox(int column) const;
    void FocusFilter(int column);
    static constexpr int kFilterPauseMs = 250;

    // The row under a point on the screen, -1 for none (or outside the list).
    int RowAt(QPoint global) const;
    int ColumnAt(QPoint global) const;
    // The top-left corner of the list's client area on the screen.
    QPoint ClientOriginOnScreen() const;

    // Dragging a row onto another row: begin says whether the row may be dragged; end gets the
    // row under the cursor at the release (nothing when released outside the list or over no
    // row).
    std::function<bool(int row)> beginDrag;
    std::function<void(std::optional<int> target)> endDrag;
    bool Dragging() const { return dragRow_ >= 0; }

  signals:
    void HeaderClicked(int column);
    void RowDoubleClicked(int row, int column);
    // A right click (mouse: its place on the screen) or the menu key (nothing).
    void ContextMenuRequested(std::optional<QPoint> mouse);
    // The person changed the selection.
    void SelectionChanged();
    // A filter box's text after the typing pause, and Escape in a box.
    void FilterEdited(int column, const QString& text);
    void FiltersCleared();

  private:
    template <class Base>
    friend class RowView;

    void ConnectSelection();
    bool StartDrag(int row, QPoint global);
    void MoveDrag(QPoint global);
    void FinishDrag(QPoint global);
    void SaveWidths();
    void RestoreWidths();

    QStackedWidget* stack_ = nullptr;
    QTableView* table_ = nullptr;
    FilterHeader* header_ = nullptr;
    QListView* icons_ = nullptr;
    QStyledItemDelegate* iconDelegate_ = nullptr;  // gives every item the same size
    QAbstractItemModel* model_ = nullptr;
    int mode_ = -1;
    int syncing_ = 0;
    std::vector<int> savedWidths_;
    int dragRow_ = -1;
    QLabel* dragImage_ = nullptr;
};

}  // namespace tablon
