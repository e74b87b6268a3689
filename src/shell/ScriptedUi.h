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

class ScriptedUi : public Ui {
public:
    Answer Message(const std::string& text, Icon icon, Buttons buttons,
                   const std::string& title) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    void SetBusy(bool busy) override;

    // Queued answers for questions (Yes/No/Cancel boxes); a question without a queued answer
    // is answered No (Cancel for OK/Cancel boxes) and marked unanswered.
    void QueueAnswer(Answer a) { answers_.push_back(a); }
    // Queued file choices; nothing queued means the dialog is cancelled.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The answer to every question once the queue is empty.
    void SetDefaultAnswer(Answer a) { defaultAnswer_ = a; }

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
    std::vector<std::string> Texts() const;
    int Unanswered() const { return unanswered_; }
    int BusyDepth() const { return busy_; }
    void Clear();

    // Called for every message as it is shown (the command line prints them).
    std::function<void(const RecordedMessage&, bool unanswered)> onMessage;
    std::function<void(const FileRequest&, const std::optional<std::string>&)> onFile;

private:
    std::deque<Answer> answers_;
    std::optional<Answer> defaultAnswer_;
    std::deque<std::optional<std::string>> files_;
    std::vector<RecordedMessage> messages_;
    std::vector<FileRequest> fileRequests_;
    int unanswered_ = 0;
    int busy_ = 0;
};

}  // namespace tablon
