#pragma once
// The test Prompter: records every message box and file dialog and answers from a script.
//
//   ScriptedPrompter prompter;
//   loop.SetPrompter(&prompter);
//   prompter.QueueAnswer(Answer::kNo);
//   ... code under test asks ...
//   EXPECT_EQ(prompter.boxes().at(0).text, "Do you want to save the current configuration?");
//
// Unscripted boxes answer with their first button (OK, Yes, Retry or Abort); unscripted file
// dialogs answer Cancel. Each answer may carry an action run while the box is "open", to model
// what happens during the toolkit's modal loop.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/prompter.h"

namespace tra1::win {

class ScriptedPrompter final : public Prompter {
public:
    Answer ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override;

    // The next message box gets this answer; `while_open` runs before it returns.
    void QueueAnswer(Answer answer, std::function<void()> whileOpen = {});
    // The next file dialog (open or save) returns this path; nullopt = Cancel.
    void QueueFile(std::optional<std::string> path);

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    const std::vector<FileDialogRequest>& OpenDialogs() const { return openDialogs_; }
    const std::vector<FileDialogRequest>& SaveDialogs() const { return saveDialogs_; }
    // The texts of all boxes, in order (handy for EXPECT_THAT).
    std::vector<std::string> BoxTexts() const;
    // The title as the user saw it (the default title where the request left it empty).
    std::string ShownTitle(std::size_t boxIndex) const;
    std::size_t PendingAnswers() const { return answers_.size(); }
    std::size_t PendingFiles() const { return files_.size(); }
    int UnscriptedCount() const { return unscripted_; }
    void Clear();  // forgets records and script

private:
    struct Scripted {
        Answer answer;
        std::function<void()> whileOpen;
    };
    std::optional<std::string> NextFile();

    std::deque<Scripted> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<MessageBoxRequest> boxes_;
    std::vector<FileDialogRequest> openDialogs_;
    std::vector<FileDialogRequest> saveDialogs_;
    int unscripted_ = 0;
};

}  // namespace tra1::win
