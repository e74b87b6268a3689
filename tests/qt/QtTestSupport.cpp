#include "QtTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "qt/ListWidget.h"
#include "sample/Sample.h"
#include "shell/Commands.h"
#include "support/Fixture.h"

namespace tablon::test {

Answer TestUi::Message(const std::string& text, Icon, Buttons buttons, const std::string&) {
    messages.push_back(text);
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

std::optional<std::string> TestUi::ChooseFile(const FileRequest&) {
    if (files.empty()) return std::nullopt;
    std::optional<std::string> f = files.front();
    files.pop_front();
    return f;
}

void TestUi::Modal(Form& form) {
    dialogs.push_back(form.Title());
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<FormDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (onDialog) onDialog(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    QtUi::Modal(form);
}

WindowFixture::WindowFixture(Set set, const std::function<void(const std::string&)>& edit) {
    oldDir_ = QDir::currentPath();
    const std::string dir = dir_.path().toStdString();
    if (set == Set::Sample) {
        std::string error;
        if (!WriteSampleDatabase(dir, SampleScale::Demo, error)) qWarning("%s", error.c_str());
    } else {
        WriteMinimalSet(dir, 5);
    }
    if (edit) edit(dir);
    QDir::setCurrent(dir_.path());
    db_ = std::make_unique<Database>(ui_);
    if (!db_->OpenAll("")) return;
    app_ = std::make_unique<CTablonApp>(*db_, ui_);
    app_->Start();
    window_ = std::make_unique<MainWindow>(*app_, ui_);
    ui_.SetParent(window_.get());
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) window_.reset();
}

WindowFixture::~WindowFixture() {
    window_.reset();
    app_.reset();
    db_.reset();
    QDir::setCurrent(oldDir_);
}

bool WindowFixture::Select(const std::string& path) {
    std::string error;
    const int item = app_->Frame().Tree().FindPath(path, error);
    QTreeWidgetItem* it = window_->TreeItem(item);
    if (!it) return false;
    window_->Tree()->setCurrentItem(it);
    return window_->Tree()->currentItem() == it;
}

QTableView* WindowFixture::DetailOf(const std::string& path) {
    if (!Select(path)) return nullptr;
    window_->Run(cmd::kDetail);
    return window_->List()->DetailView();
}

}  // namespace tablon::test
