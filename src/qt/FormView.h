// The one form renderer: builds widgets for every control of a form, keeps them in step with the
// form, and hands the person's actions back (texts, clicks, list events, focus). A form runs
// as a modal dialog (FormDialog) or fills the right pane of the main window.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>

#include "shell/Form.h"

namespace tablon {

class FormListModel;

class FormView : public QWidget, public FormObserver {
    Q_OBJECT

  public:
    explicit FormView(Form& form, QWidget* parent = nullptr);
    ~FormView() override;

    Form& GetForm() const { return form_; }
    // A form is laid out in pixels of the classic dialog font (6 pixels an average character,
    // 13 a line); with a larger font its places and sizes grow alike.
    QRect ToWidget(const Rect& r) const;
    QSize ToWidget(int width, int height) const;
    // The widget of the first control with this id; null when there is none.
    QWidget* Widget(int id) const;
    // Gives the focus to the control the form asks for, its text selected.
    void FocusRequestedControl();

    // FormObserver
    void ControlChanged(int id) override;
    void ControlsChanged() override;
    void TitleChanged() override;
    void FocusRequested(int id) override;
    void LayoutChanged() override;
    void Ended(Answer result) override;

    // A numeric edit refused a character: the characters still waiting for it are dropped.
    bool Typed(int id, char ch);
    void EditLostFocus(int id);

  signals:
    void FormEnded(int result);
    void FormTitleChanged(const QString& title);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Build();
    QWidget* Make(size_t index);
    void Sync(size_t index);
    void Place();

    Form& form_;
    qreal scaleX_ = 1, scaleY_ = 1;
    std::vector<QWidget*> widgets_;  // by control, in the form's order
    std::vector<FormListModel*> lists_;
    int pushing_ = 0;  // the control whose text or selection the person is changing
};

// A form as a modal dialog: sized as the form says, resizable with a size grip when the form
// has a sizing layout.
class FormDialog : public QDialog {
    Q_OBJECT

  public:
    FormDialog(Form& form, QWidget* parent = nullptr);
    FormView* View() const { return view_; }

  public slots:
    // Escape and the window's close button: the form's Cancel.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    FormView* view_;
};

}  // namespace tablon
