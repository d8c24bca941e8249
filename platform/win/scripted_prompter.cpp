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
    if (next.whileOpen) {
        next.whileOpen();
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
    openDialogs_.push_back(request);
    return NextFile();
}

std::optional<std::string> ScriptedPrompter::GetSaveFileName(const FileDialogRequest& request) {
    saveDialogs_.push_back(request);
    return NextFile();
}

void ScriptedPrompter::QueueAnswer(Answer answer, std::function<void()> whileOpen) {
    answers_.push_back(Scripted{answer, std::move(whileOpen)});
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

std::string ScriptedPrompter::ShownTitle(std::size_t boxIndex) const {
    if (boxIndex >= boxes_.size()) {
        return {};
    }
    const std::string& title = boxes_[boxIndex].title;
    return title.empty() ? DefaultTitle() : title;
}

void ScriptedPrompter::Clear() {
    answers_.clear();
    files_.clear();
    boxes_.clear();
    openDialogs_.clear();
    saveDialogs_.clear();
    unscripted_ = 0;
}

}  // namespace tra1::win
