#pragma once
// Edit controls: QLineEdit, or QPlainTextEdit for multi-line ones. What the user types goes to
// the model (which applies the text limit and raises EN_CHANGE); the widget then shows what the
// model kept. Multi-line edits have tab stops every 8 columns and wrap unless the template asks
// for automatic horizontal scrolling; kFixedPitch edits use the fixed-pitch font. Where the
// program puts the caret (a log's end, a report's top), the view follows.

#include "platform/qt/control_binding.h"

namespace tra1::win {
class Edit;
}

namespace tra1::qtui {

class EditBinding final : public ControlBinding {
public:
    EditBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;

private:
    void UserEdited(const QString& text);
    // The widget's caret and selection to the model's, scrolled into view.
    void ShowCaret(const win::Edit& model);

    // The user's typing is being handed to the model: the selection the model moves through
    // meanwhile is not the user's, whose caret the widget already shows.
    bool userEditing_ = false;
};

}  // namespace tra1::qtui
