// The one interface through which the system talks to a person: message boxes, questions,
// file choices and the busy cursor. The Qt window, the command-line companion and the tests
// each implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tablon {

class Form;

constexpr const char* kAppTitle = "Tablon";

enum class Icon { Exclamation, Information, Question, Error };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// A file dialog. The filter is "description|pattern|...||" as the system writes it.
struct FileRequest {
    bool save = false;
    std::string title;  // empty: the platform's default title
    std::string filter;
    std::string defaultExt;   // without the dot
    std::string initialName;  // proposed file name
    std::string initialDir;   // empty: where the platform starts
    bool mustExist = false;
    bool hideReadOnly = true;
    // A bitmap preview beside the file list ("&Preview", CDib): in open mode it shows the
    // selected file; in save mode it shows previewBitmap (a whole bitmap file) from the start.
    bool preview = false;
    std::vector<uint8_t> previewBitmap;
};

// An item of a popup menu: the command it sends and whether it shows checked.
struct MenuChoice {
    int command = 0;
    std::string text;
    bool checked = false;
};

// Opens and closes the steps of the set's write journal around what a person does, so that each
// operation (a command, a dialog's button) is one step, undone as one. The application installs
// one on its Ui; without one, every write is a step of its own.
class OperationHost {
  public:
    virtual ~OperationHost() = default;
    virtual void Begin(const std::string& name) = 0;
    virtual void End() = 0;
    // A modal dialog opens within an operation. When the operation has written nothing yet, each
    // action of the dialog is a step, and when it closes, the operation goes on as a step named
    // after how the dialog ended (empty: the operation's own name). Otherwise the dialog is part
    // of the operation's step.
    virtual int DialogOpening() = 0;
    virtual void DialogClosed(int token, const std::string& name) = 0;
};

class Ui {
  public:
    virtual ~Ui() = default;

    void SetOperations(OperationHost* host) { operations_ = host; }
    OperationHost* Operations() const { return operations_; }

    // A modal message box. Boxes that name no icon show the exclamation icon.
    virtual Answer Message(const std::string& text, Icon icon, Buttons buttons,
                           const std::string& title) = 0;
    // A file dialog; nothing when the user cancels.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
    virtual void SetBusy(bool /*busy*/) {}
    // A popup menu at the pointer; the chosen item's command, or 0 when it is dismissed.
    virtual int PopupMenu(const std::vector<MenuChoice>& /*items*/) { return 0; }

    // Runs a form as a modal dialog: the form is initialised, shown until one of its buttons
    // ends it, and its result returned (Ok or Cancel). Every implementation goes through here,
    // so a form is always initialised the same way.
    Answer RunDialog(Form& form);
    // The platform's help viewer on a help file; topic 0 is the contents.
    virtual void ShowHelp(const std::string& /*helpFile*/, int /*topic*/) {}
    // Puts a text on the clipboard.
    virtual void SetClipboard(const std::string& /*text*/) {}

    // Conveniences.
    void Show(const std::string& text, Icon icon = Icon::Exclamation) {
        Message(text, icon, Buttons::Ok, kAppTitle);
    }
    // A question names its icon only where it has one of its own: the rest get the
    // exclamation icon, as every box that names none.
    Answer Ask(const std::string& text, Buttons buttons = Buttons::YesNo,
               Icon icon = Icon::Exclamation) {
        return Message(text, icon, buttons, kAppTitle);
    }

  protected:
    // Shows an initialised form until it is ended; a form still open afterwards is cancelled.
    // Without a person to ask (the default) every dialog is cancelled.
    virtual void Modal(Form& /*form*/) {}

  private:
    OperationHost* operations_ = nullptr;
};

// One operation of a person for the length of a scope (nothing without an operation host).
class OperationScope {
  public:
    OperationScope(Ui* ui, const std::string& name) : host_(ui ? ui->Operations() : nullptr) {
        if (host_) host_->Begin(name);
    }
    ~OperationScope() {
        if (host_) host_->End();
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

  private:
    OperationHost* host_;
};

// What a Ui says when it cannot show the help file: the file is missing, or the desktop has no
// program that shows its kind of file.
std::string HelpFileMissingText(const std::string& helpFile);
std::string NoHelpViewerText(const std::string& helpFile);
// The program was started on a directory it cannot change to.
std::string NoDirectoryText(const std::string& dir);

// Fills a printf-style message with arguments, as the system's fixed texts are written.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// A busy cursor for the length of a scope.
class BusyScope {
  public:
    explicit BusyScope(Ui& ui) : ui_(ui) { ui_.SetBusy(true); }
    ~BusyScope() { ui_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    Ui& ui_;
};

}  // namespace tablon
