#include "platform/win/scripted_prompter.h"

namespace tra1::win {

namespace {
Answer FirstButton(Buttons buttons) {
    switch (buttons) {
        case Buttons::kOk:
        case Buttons::kOkCancel:
            return Answer::kOk;
        case Buttons::kYesNo:
        case Buttons::kYesNoCancel:
            return Answer::kYes;
        case Buttons::kRetryCancel:
            return Answer::kRetry;
        case Buttons::kAbortRetryIgnore:
            return Answer::kAbort;
    }
    return Answer::kOk;
}
}  // namespace

Answer ScriptedPrompter::ShowMessageBox(const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (answers_.empty()) {
        ++unscripted_;
        return FirstButton(request.buttons);
    }
    Scripted next = std::move(answers_.front());
    answers_.pop_front();
    if (next.while_open) {
        next.while_open();
    }
    return next.answer;
}

std::optional<std::string> ScriptedPrompter::NextFile() {
    if (files_.empty()) {
        ++unscripted_;
        return std::nullopt;
    }
    std::optional<std::string> next = std::move(files_.front());
    files_.pop_front();
    return next;
}

std::optional<std::string> ScriptedPrompter::GetOpenFileName(const FileDialogRequest& request) {
    open_dialogs_.push_back(request);
    return NextFile();
}

std::optional<std::string> ScriptedPrompter::GetSaveFileName(const FileDialogRequest& request) {
    save_dialogs_.push_back(request);
    return NextFile();
}

void ScriptedPrompter::QueueAnswer(Answer answer, std::function<void()> while_open) {
    answers_.push_back(Scripted{answer, std::move(while_open)});
}

void ScriptedPrompter::QueueFile(std::optional<std::string> path) {
    files_.push_back(std::move(path));
}

std::vector<std::string> ScriptedPrompter::BoxTexts() const {
    std::vector<std::string> texts;
    texts.reserve(boxes_.size());
    for (const MessageBoxRequest& box : boxes_) {
        texts.push_back(box.text);
    }
    return texts;
}

std::string ScriptedPrompter::ShownTitle(std::size_t box_index) const {
    if (box_index >= boxes_.size()) {
        return {};
    }
    const std::string& title = boxes_[box_index].title;
    return title.empty() ? default_title() : title;
}

void ScriptedPrompter::Clear() {
    answers_.clear();
    files_.clear();
    boxes_.clear();
    open_dialogs_.clear();
    save_dialogs_.clear();
    unscripted_ = 0;
}

}  // namespace tra1::win
