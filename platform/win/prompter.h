#pragma once
// Message boxes and file dialogs behind an interface: the program asks, the Qt front end shows
// QMessageBox / QFileDialog, tests answer from a script (ScriptedPrompter).
//
// Every call is modal: it returns only with the user's answer.

#include <optional>
#include <string>
#include <vector>

#include "platform/win/window_handle.h"

namespace tra1::win {

// The buttons of a message box.
enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel, kAbortRetryIgnore };
// The icon of a message box.
enum class BoxIcon { kNone, kInformation, kWarning, kError, kQuestion };
// The button the user chose; the values are the toolkit's IDOK.. IDNO.
enum class Answer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct MessageBoxRequest {
    std::string text;   // exactly as shown, "\r\n" line breaks included
    std::string title;  // "" = the program's default title (Prompter::default_title())
    Buttons buttons = Buttons::kOk;
    BoxIcon icon = BoxIcon::kNone;
    WindowHandle owner;  // the window the box is modal to (may be null)
};

struct FileDialogRequest {
    std::string title;                  // "Open Configuration File"
    std::string filter;                 // description shown, e.g. "Configuration File(*.tcf)"
    std::vector<std::string> patterns;  // e.g. {"*.tcf"}
    std::string defaultExtension;       // e.g. "tcf" (without the dot); "" = none
    std::string proposedName;           // the file name filled in at first
    std::size_t maxPath = 255;          // a longer chosen path counts as Cancel
    bool mustExist = false;             // open dialogs: only existing files can be chosen
    WindowHandle owner;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ShowMessageBox(const MessageBoxRequest& request) = 0;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) = 0;

    // Shorthand for a box without icon or owner.
    Answer Ask(const std::string& text, const std::string& title = "",
               Buttons buttons = Buttons::kOk) {
        return ShowMessageBox(MessageBoxRequest{text, title, buttons, BoxIcon::kNone, {}});
    }

    // The title used for boxes whose request leaves it empty.
    void SetDefaultTitle(std::string title) { defaultTitle_ = std::move(title); }
    const std::string& DefaultTitle() const { return defaultTitle_; }

private:
    std::string defaultTitle_ = "Tolvek Receiver Editor";
};

}  // namespace tra1::win
