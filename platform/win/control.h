#pragma once
// The common part of every control of a dialog: id, kind, text, enable/visible/focus, colours and
// the one observer through which a front end mirrors it. Controls are created by their Dialog
// from its template and live exactly as long as the dialog's window.
//
// Programmatic changes (the setters) never raise notifications to the dialog; only the user
// gestures of user_input.h do, exactly as the toolkit behaves for sliders, combos and lists.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win/dialog_template.h"
#include "platform/win/message.h"

namespace tra1::win {

class Dialog;
class Control;

// What changed about a control.
enum class ControlChange {
    kText,  // caption / edit text / static text
    kEnabled,
    kVisible,
    kFocus,  // took or lost the keyboard focus
    kColors,
    kRange,        // slider / progress range, tick frequency, page size
    kPosition,     // slider / progress position
    kItems,        // combo / list items added, removed, cleared
    kSelection,    // combo / list selection, edit caret/selection
    kDroppedDown,  // combo list opened or closed
    kCheck,        // button check state
    kLimit,        // edit text limit
    kReadOnly,
    kIcon,  // picture of an icon static
};

class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void ControlChanged(Control& control, ControlChange change) = 0;
};

class Control {
public:
    Control(Dialog& parent, const ControlTemplate& source);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Id() const { return id_; }
    ControlKind GetKind() const { return kind_; }
    std::uint32_t Style() const { return style_; }
    bool HasStyle(std::uint32_t bits) const { return (style_ & bits) == bits; }
    Dialog& Parent() const { return parent_; }
    // Position and size in dialog units, from the template.
    int X() const { return x_; }
    int Y() const { return y_; }
    int Cx() const { return cx_; }
    int Cy() const { return cy_; }

    // Caption of a button or static; an edit's text (Edit::SetText adds its own rules).
    virtual void SetText(std::string text);
    const std::string& GetText() const { return text_; }

    void Enable(bool enabled);
    bool IsEnabled() const { return enabled_; }
    void Show(bool visible);
    bool IsVisible() const { return visible_; }
    // Gives this control the keyboard focus within its dialog (and the dialog the focus).
    void SetFocus();
    bool HasFocus() const;

    // Text and background colours; nullopt = the toolkit's default.
    void SetColors(std::optional<Rgb> text, std::optional<Rgb> background);
    // The read-out look: cyan text on black.
    void UseReadoutColors() { SetColors(kCyan, kBlack); }
    std::optional<Rgb> TextColor() const { return textColor_; }
    std::optional<Rgb> BackgroundColor() const { return backgroundColor_; }

    // One observer per control (nullptr to remove). Not owned.
    void SetObserver(ControlObserver* observer) { observer_ = observer; }
    ControlObserver* Observer() const { return observer_; }

protected:
    void Changed(ControlChange change);
    // For subclasses that set the text without the virtual rules (Edit's limit).
    void StoreText(std::string text);

private:
    Dialog& parent_;
    int id_;
    ControlKind kind_;
    std::uint32_t style_;
    int x_, y_, cx_, cy_;
    std::string text_;
    bool enabled_;
    bool visible_;
    std::optional<Rgb> textColor_;
    std::optional<Rgb> backgroundColor_;
    ControlObserver* observer_ = nullptr;
};

}  // namespace tra1::win
