#include "platform/qt/control_binding.h"

#include <QColor>
#include <QEvent>
#include <QSignalBlocker>

#include "platform/qt/dialog_widget.h"
#include "platform/win/user_input.h"

namespace tra1::qtui {

namespace {
QColor ToQColor(win::Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}
}  // namespace

ControlBinding::ControlBinding(DialogWidget& owner, win::Control& control, QWidget* widget)
    : owner_(owner), control_(&control), widget_(widget), id_(control.Id()) {
    defaultPalette_ = widget->palette();
    widget->installEventFilter(this);
    control.SetObserver(this);
}

ControlBinding::~ControlBinding() {
    Detach();
}

void ControlBinding::Detach() {
    if (control_ != nullptr && control_->Observer() == this) {
        control_->SetObserver(nullptr);
    }
    control_ = nullptr;
}

void ControlBinding::AddBuddy(QWidget* label) {
    buddies_.emplace_back(label);
    if (control_ != nullptr && label != nullptr) {
        label->setEnabled(control_->IsEnabled());
    }
}

void ControlBinding::ControlChanged(win::Control& control, win::ControlChange change) {
    if (&control != control_ || widget_ == nullptr) {
        return;
    }
    const QSignalBlocker block(widget_);
    ++applying_;
    ApplyCommon(change);
    Apply(change);
    --applying_;
}

void ControlBinding::ApplyAll() {
    if (control_ == nullptr || widget_ == nullptr) {
        return;
    }
    const QSignalBlocker block(widget_);
    ++applying_;
    applyingAll_ = true;
    for (win::ControlChange change :
         {win::ControlChange::kEnabled, win::ControlChange::kVisible, win::ControlChange::kColors,
          win::ControlChange::kRange, win::ControlChange::kItems, win::ControlChange::kText,
          win::ControlChange::kPosition, win::ControlChange::kSelection, win::ControlChange::kCheck,
          win::ControlChange::kLimit, win::ControlChange::kReadOnly, win::ControlChange::kIcon,
          win::ControlChange::kDroppedDown}) {
        ApplyCommon(change);
        Apply(change);
    }
    applyingAll_ = false;
    --applying_;
}

void ControlBinding::ApplyCommon(win::ControlChange change) {
    switch (change) {
        case win::ControlChange::kEnabled:
            widget_->setEnabled(control_->IsEnabled());
            for (const QPointer<QWidget>& buddy : buddies_) {
                if (buddy != nullptr) {
                    buddy->setEnabled(control_->IsEnabled());
                }
            }
            break;
        case win::ControlChange::kVisible:
            // Hidden controls stay hidden; visible ones appear with their window.
            widget_->setVisible(control_->IsVisible());
            break;
        case win::ControlChange::kColors:
            ApplyColors(control_->TextColor(), control_->BackgroundColor());
            break;
        case win::ControlChange::kFocus:
            if (control_->HasFocus() && !widget_->hasFocus()) {
                widget_->setFocus(Qt::OtherFocusReason);
            }
            break;
        default:
            break;
    }
}

void ControlBinding::ApplyColors(std::optional<win::Rgb> text, std::optional<win::Rgb> background) {
    QPalette palette = defaultPalette_;
    if (text) {
        // A disabled control shows its own colour dimmed halfway to its background, so that it
        // still looks disabled.
        const QColor shown = ToQColor(*text);
        const QColor under = background ? ToQColor(*background) : palette.color(QPalette::Base);
        const QColor dimmed((shown.red() + under.red()) / 2, (shown.green() + under.green()) / 2,
                            (shown.blue() + under.blue()) / 2);
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                         QPalette::PlaceholderText}) {
            palette.setColor(role, shown);
            palette.setColor(QPalette::Disabled, role, dimmed);
        }
    }
    if (background) {
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            palette.setColor(role, ToQColor(*background));
        }
    }
    widget_->setAutoFillBackground(background.has_value());
    widget_->setPalette(palette);
}

bool ControlBinding::Gesture(const std::function<bool(win::Dialog&, int id)>& gesture) {
    const bool done = owner_.RunGesture([&](win::Dialog& dialog) { return gesture(dialog, id_); });
    ApplyAll();  // nothing when the dialog has gone meanwhile
    owner_.GestureFinished();
    return done;
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
    // The user moving the keyboard focus to this control (tab, click).
    if (watched == widget_ && event->type() == QEvent::FocusIn && applying_ == 0 &&
        control_ != nullptr && !control_->HasFocus()) {
        owner_.RunGesture(
            [this](win::Dialog& dialog) { return win::user::FocusControl(dialog, id_); });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tra1::qtui
