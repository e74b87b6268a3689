// A Ui driven by a script: answers and file choices are queued in advance, every message and
// dialog request is recorded. Tests use it; so does the command-line companion.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/Ui.h"

namespace tablon {

struct RecordedMessage {
    std::string text;
    Icon icon;
    Buttons buttons;
    std::string title;
    Answer answer;
};

class Form;

// A dialog as the scripted person saw it: its title when it opened and how it ended.
struct RecordedDialog {
    std::string title;
    Answer result = Answer::Cancel;
};

// What the scripted person does in a dialog: sets texts, presses buttons. A dialog the script
// leaves open is cancelled.
using DialogScript = std::function<void(Form&)>;

class ScriptedUi : public Ui {
  public:
    Answer Message(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    void SetBusy(bool busy) override;
    int PopupMenu(const std::vector<MenuChoice>& items) override;

    // Queued answers for questions (Yes/No/Cancel boxes); a question without a queued answer
    // is answered No (Cancel for OK/Cancel boxes) and marked unanswered.
    void QueueAnswer(Answer a) { answers_.push_back(a); }
    // Queued file choices; nothing queued means the dialog is cancelled.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The answer to every question once the queue is empty.
    void SetDefaultAnswer(Answer a) { defaultAnswer_ = a; }
    // Queued dialog scripts, taken in the order the dialogs open (an outer dialog before the
    // ones it opens); a dialog without a script is cancelled.
    void QueueDialog(DialogScript script) { dialogs_.push_back(std::move(script)); }
    // The common script: set these edit texts, then press OK (or Cancel).
    void QueueDialogTexts(std::vector<std::pair<int, std::string>> texts, bool ok = true);
    size_t PendingDialogs() const { return dialogs_.size(); }
    // Queued popup menu choices (commands); a menu without one is dismissed. Every menu shown
    // is recorded.
    void QueuePopupChoice(int command) { popups_.push_back(command); }
    const std::vector<std::vector<MenuChoice>>& Popups() const { return popupsSeen_; }
    const std::vector<RecordedDialog>& Dialogs() const { return dialogsSeen_; }
    std::vector<std::string> HelpRequests() const { return help_; }
    void ShowHelp(const std::string& helpFile, int topic) override;
    void SetClipboard(const std::string& text) override { clipboard_ = text; }
    const std::string& Clipboard() const { return clipboard_; }

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
    std::vector<std::string> Texts() const;
    int Unanswered() const { return unanswered_; }
    int BusyDepth() const { return busy_; }
    void Clear();

    // Called for every message as it is shown (the command line prints them).
    std::function<void(const RecordedMessage&, bool unanswered)> onMessage;
    std::function<void(const FileRequest&, const std::optional<std::string>&)> onFile;

  protected:
    void Modal(Form& form) override;

  private:
    std::deque<Answer> answers_;
    std::optional<Answer> defaultAnswer_;
    std::deque<std::optional<std::string>> files_;
    std::vector<RecordedMessage> messages_;
    std::vector<FileRequest> fileRequests_;
    std::deque<DialogScript> dialogs_;
    std::vector<RecordedDialog> dialogsSeen_;
    std::vector<std::string> help_;
    std::string clipboard_;
    std::deque<int> popups_;
    std::vector<std::vector<MenuChoice>> popupsSeen_;
    int unanswered_ = 0;
    int busy_ = 0;
};

}  // namespace tablon
