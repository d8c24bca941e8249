#pragma once
// Keeps one window-system control and its Qt widget in step, both ways.
//
// Model to widget: the binding is the control's observer; every change is applied to the widget
// under a QSignalBlocker, so a programmatic change never comes back as a user notification.
// Widget to model: the kind-specific subclass connects the widget's user signals (released,
// activated, clicked, edited...) to the gestures of win::user, the same functions tests drive;
// afterwards the widget is brought back in step with whatever the dialog made of the gesture.

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/win/control.h"
#include "platform/win/dialog.h"

namespace tra1::qtui {

class DialogWidget;

class ControlBinding : public QObject, public win::ControlObserver {
public:
    ControlBinding(DialogWidget& owner, win::Control& control, QWidget* widget);
    ~ControlBinding() override;

    QWidget* Widget() const { return widget_; }
    // The control, or nullptr once its dialog has gone.
    win::Control* GetControl() const { return control_; }
    int Id() const { return id_; }

    // ControlObserver: mirrors one change onto the widget.
    void ControlChanged(win::Control& control, win::ControlChange change) final;
    // Mirrors the whole state (after creation and after each gesture).
    void ApplyAll();
    // The dialog is going: stop observing and never touch the control again.
    void Detach();
    // Labels that belong to this control (a switch's end labels): they are greyed with it.
    void AddBuddy(QWidget* label);

    // True while model state is being written into the widget (widget overrides such as a
    // combo's showPopup use it to tell a user's action from the program's).
    bool Applying() const { return applying_ > 0; }
    // True while ApplyAll brings the whole widget in step (after a gesture, at creation), as
    // against one change the program made.
    bool ApplyingAll() const { return applyingAll_; }

protected:
    // Kind-specific part of mirroring; `change` says what changed. The base has handled
    // enabled, visible, colours and focus already.
    virtual void Apply(win::ControlChange change) = 0;
    // Colour roles for text and background; progress bars paint the bar in the text colour.
    virtual void ApplyColors(std::optional<win::Rgb> text, std::optional<win::Rgb> background);
    // Runs a user gesture on the dialog, then re-mirrors this control. False if the dialog has
    // gone or refused the gesture.
    bool Gesture(const std::function<bool(win::Dialog&, int id)>& gesture);

    DialogWidget& GetOwner() const { return owner_; }

    QPalette defaultPalette_;

    // Reports the user moving the keyboard focus to the control.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyCommon(win::ControlChange change);

    DialogWidget& owner_;
    win::Control* control_;
    QPointer<QWidget> widget_;
    int id_;
    int applying_ = 0;
    bool applyingAll_ = false;
    std::vector<QPointer<QWidget>> buddies_;
};

}  // namespace tra1::qtui
