#include "platform/win/control.h"

#include "platform/win/dialog.h"

namespace tra1::win {

Control::Control(Dialog& parent, const ControlTemplate& source)
    : parent_(parent),
      id_(source.id),
      kind_(source.kind),
      style_(source.style),
      x_(source.x),
      y_(source.y),
      cx_(source.cx),
      cy_(source.cy),
      text_(source.text),
      enabled_((source.style & style::kDisabled) == 0),
      visible_((source.style & style::kHidden) == 0) {}

void Control::SetText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    Changed(ControlChange::kText);
}

void Control::StoreText(std::string text) {
    text_ = std::move(text);
}

void Control::Enable(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Changed(ControlChange::kEnabled);
    }
}

void Control::Show(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        Changed(ControlChange::kVisible);
    }
}

void Control::SetFocus() {
    parent_.ControlTookFocus(*this);
}

bool Control::HasFocus() const {
    return parent_.FocusedControl() == this;
}

void Control::SetColors(std::optional<Rgb> text, std::optional<Rgb> background) {
    if (text == textColor_ && background == backgroundColor_) {
        return;
    }
    textColor_ = text;
    backgroundColor_ = background;
    Changed(ControlChange::kColors);
}

void Control::Changed(ControlChange change) {
    if (observer_ != nullptr) {
        observer_->ControlChanged(*this, change);
    }
}

}  // namespace tra1::win
