// Item models for the list widget: a record list view (CMvView) and a dialog's list control.
// Cells are read when they are painted; nothing is copied per row.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "shell/MvView.h"

namespace tablon {

class Form;

// Icons of an image list (bitmap resources for 16- and 32-pixel images), made once per image.
class IconList {
  public:
    void SetBitmaps(int small, int large);
    QIcon Icon(int image) const;

  private:
    int small_ = 0, large_ = 0;
    mutable std::vector<QIcon> icons_;
};

// A record list view as a table. The view tells of its changes after the fact; the model
// passes them on to Qt with the row count it last reported.
class ViewListModel : public QAbstractTableModel, public ViewObserver {
    Q_OBJECT

  public:
    explicit ViewListModel(QObject* parent = nullptr);
    ~ViewListModel() override;

    // Shows a view (nothing: empty); the model observes it until the next call.
    void SetView(CMvView* view);
    CMvView* View() const { return view_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // ViewObserver
    void RowsReset() override;
    void RowInserted(int position) override;
    void RowRemoved(int position) override;
    void RowChanged(int position) override;
    void ModeChanged(int mode) override;
    void SelectionChanged() override;
    void RowRevealed(int position) override;
    void FilterChanged() override;
    void FilterFocusRequested() override;

  signals:
    void ViewModeChanged(int mode);
    void ViewSelectionChanged();
    void ViewRowsReset();
    void ViewRowRevealed(int row);
    void ViewFilterChanged();
    void ViewFilterFocusRequested();

  private:
    CMvView* view_ = nullptr;
    int rows_ = 0;
    int columns_ = 0;
    IconList icons_;
};

// A list control of a form as a table; Refresh after the control changed.
class FormListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    FormListModel(Form& form, int id, QObject* parent = nullptr);

    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    Form& form_;
    int id_;
    IconList icons_;
};

}  // namespace tablon
