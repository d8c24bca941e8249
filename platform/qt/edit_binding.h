#pragma once
// Edit controls: QLineEdit, or QPlainTextEdit for multi-line ones. What the user types goes to
// the model (which applies the text limit and raises EN_CHANGE); the widget then shows what the
// model kept.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class EditBinding final : public ControlBinding {
public:
    EditBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;

private:
    void UserEdited(const QString& text);
};

}  // namespace tra1::qtui
