// The right pane's record list: shows the frame's current list view (CMvView) in the list
// widget and hands the person's actions back to it.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

namespace tablon {

class CMvView;
class ListWidget;
class ViewListModel;

class ViewPane : public QObject {
    Q_OBJECT

  public:
    ViewPane(ListWidget* list, QObject* parent = nullptr);
    ~ViewPane() override;

    // Shows a view; nothing detaches the one shown (before it is deleted).
    void Attach(CMvView* view);
    CMvView* View() const { return view_; }
    // The list the pane draws into; nothing once that widget is gone (a window's children
    // are deleted before the pane, which is not a widget).
    ListWidget* List() const { return list_; }
    ViewListModel* Model() const { return model_; }

  signals:
    // The view asks for one of the program's popup menus at a place on the screen.
    void PopupRequested(int menu, QPoint global);
    // The rows, their order or their selection changed (commands may change state).
    void Changed();

  private:
    void ShowSelection();
    void ShowFilters();
    void ShowFilterRow();
    void AfterReset();

    QPointer<ListWidget> list_;
    ViewListModel* model_;
    CMvView* view_ = nullptr;
    int pushing_ = 0;
    int currentRecord_ = -1;  // the record of the current row, kept across sorts
    int scrollX_ = 0, scrollY_ = 0;
};

}  // namespace tablon
