#pragma once
// Edit control: text, a limit on what the user can type, caret/selection, single or multi-line
// (template style kMultiLine; lines are separated by "\r\n" as the toolkit does).
//
// The limit applies to typing only: SetText stores the whole text, as the toolkit's
// SetWindowText does. Programmatic changes raise no EN_CHANGE.

#include <string>

#include "platform/win/control.h"

namespace tra1::win {

class Edit final : public Control {
public:
    Edit(Dialog& parent, const ControlTemplate& source);

    void SetText(std::string text) override;  // caret to the end
    int GetTextLength() const { return static_cast<int>(GetText().size()); }

    // Maximum number of characters the user can type; 0 or less restores the default, 32767.
    void SetLimitText(int limit);
    int GetLimitText() const { return limit_; }

    // Selection [start, end) in characters; -1 for end means "to the end". Clamped to the text.
    void SetSel(int start, int end);
    int GetSelStart() const { return selStart_; }
    int GetSelEnd() const { return selEnd_; }
    // Replaces the selection (or inserts at the caret) with `text`; the caret goes after it.
    // Not limited (the program, not the user, is writing). No notification.
    void ReplaceSel(const std::string& text);
    // Convenience for logs: caret to the end, insert `text` there.
    void AppendText(const std::string& text);

    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }
    bool IsMultiLine() const { return HasStyle(style::kMultiLine); }

private:
    int limit_;
    int selStart_ = 0;
    int selEnd_ = 0;
    bool readOnly_;
};

}  // namespace tra1::win
