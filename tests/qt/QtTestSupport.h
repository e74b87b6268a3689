// What the window tests share: a person interface that answers from a queue and records what it
// was shown, and a database with the application and its main window on top.
#pragma once

#include <QObject>
#include <QTableView>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qt/FormView.h"
#include "qt/MainWindow.h"
#include "qt/QtUi.h"
#include "store/Database.h"

namespace tablon::test {

// Window test classes register themselves; the test main runs them in registration order.
using QtTestFactory = QObject* (*)();
std::vector<QtTestFactory>& QtTestFactories();
struct QtTestRegistration {
    explicit QtTestRegistration(QtTestFactory f) { QtTestFactories().push_back(f); }
};

// Boxes are answered from a queue (No, or Ok, once it is empty) and recorded; dialogs are
// shown for real, and a dialog the script leaves open is cancelled.
class TestUi : public QtUi {
  public:
    Answer Message(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;

    std::deque<Answer> answers;
    std::vector<std::string> messages;
    std::vector<std::string> dialogs;              // titles, as they opened
    std::deque<std::optional<std::string>> files;  // file dialogs' choices (then: cancel)
    // Runs while a dialog is open.
    std::function<void(FormDialog&)> onDialog;

  protected:
    void Modal(Form& form) override;
};

// A database set written into a fresh directory, opened, with the application started and its
// main window shown.
class WindowFixture {
  public:
    enum class Set { Sample, Minimal };
    explicit WindowFixture(Set set = Set::Sample,
                           const std::function<void(const std::string&)>& edit = {});
    ~WindowFixture();

    bool Ok() const { return window_ != nullptr; }
    TestUi& Ui() { return ui_; }
    Database& Db() { return *db_; }
    CTablonApp& App() { return *app_; }
    MainWindow& Window() { return *window_; }
    // Selects a category of the tree by its path ("Class Table/Weapons") as a click would.
    bool Select(const std::string& path);
    // Selects a category and shows its list in detail mode: the list's table, or nullptr when
    // the category is not in the tree.
    QTableView* DetailOf(const std::string& path);

  private:
    QTemporaryDir dir_;
    QString oldDir_;
    TestUi ui_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<CTablonApp> app_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tablon::test
