#include "shell/ScriptedUi.h"

#include "shell/Form.h"

namespace tablon {

Answer ScriptedUi::Message(const std::string& text, Icon icon, Buttons buttons,
                           const std::string& title) {
    Answer answer = Answer::Ok;
    bool unanswered = false;
    if (buttons != Buttons::Ok) {
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        } else if (defaultAnswer_) {
            answer = *defaultAnswer_;
        } else {
            answer = buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
            unanswered = true;
            ++unanswered_;
        }
    }
    messages_.push_back({text, icon, buttons, title, answer});
    if (onMessage) onMessage(messages_.back(), unanswered);
    return answer;
}

std::optional<std::string> ScriptedUi::ChooseFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    std::optional<std::string> choice;
    if (!files_.empty()) {
        choice = files_.front();
        files_.pop_front();
    }
    if (onFile) onFile(request, choice);
    return choice;
}

int ScriptedUi::PopupMenu(const std::vector<MenuChoice>& items) {
    popupsSeen_.push_back(items);
    if (popups_.empty()) return 0;
    const int command = popups_.front();
    popups_.pop_front();
    return command;
}

void ScriptedUi::SetBusy(bool busy) {
    busy_ += busy ? 1 : -1;
}

std::vector<std::string> ScriptedUi::Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages_) out.push_back(m.text);
    return out;
}

void ScriptedUi::QueueDialogTexts(std::vector<std::pair<int, std::string>> texts, bool ok) {
    QueueDialog([texts = std::move(texts), ok](Form& form) {
        for (const auto& [id, text] : texts) form.SetText(id, text);
        form.Press(ok ? kIdOk : kIdCancel);
    });
}

void ScriptedUi::Modal(Form& form) {
    size_t seen = dialogsSeen_.size();
    dialogsSeen_.push_back({form.Title(), Answer::Cancel});
    if (!dialogs_.empty()) {
        DialogScript script = std::move(dialogs_.front());
        dialogs_.pop_front();
        script(form);
    }
    if (!form.Ended()) form.End(Answer::Cancel);
    dialogsSeen_[seen].result = form.Result();
}

void ScriptedUi::ShowHelp(const std::string& helpFile, int topic) {
    help_.push_back(helpFile + "#" + std::to_string(topic));
}

void ScriptedUi::Clear() {
    messages_.clear();
    fileRequests_.clear();
    dialogsSeen_.clear();
    help_.clear();
    unanswered_ = 0;
}

}  // namespace tablon
