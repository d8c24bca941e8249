#pragma once
// A dialog window built from a registered DialogTemplate: its controls by id, the standard
// handlers (OnInitDialog, OnOK, OnCancel, OnCommand, OnNotify) and modal or modeless running.
//
//   class CAboutDlg : public win::Dialog {
//   public:
//       explicit CAboutDlg(win::EventLoop& loop) : Dialog(loop, 100) {}
//   };
//   CAboutDlg about(loop);
//   int result = about.DoModal(main.Handle());   // IDOK, IDCANCEL, or -1 if it could not be made
//
// Message routing of Dialog::HandleMessage (before Window's):
//   WM_INITDIALOG           -> OnInitDialog()
//   WM_COMMAND (id, code)   -> id IDOK with BN_CLICKED -> OnOK(); IDCANCEL -> OnCancel();
//                              anything else -> OnCommand(id, code)
//   WM_NOTIFY  (id, code)   -> OnNotify(id, code)        (code: NM_RELEASEDCAPTURE, ...)
//   WM_HSCROLL / WM_VSCROLL -> OnScroll(id, scroll_code, position)
//   WM_LBUTTONDOWN/UP (id)  -> OnControlMouse(id, pressed)
//   WM_KEYDOWN (key)        -> OnKeyDown(key)
//   WM_CLOSE                -> OnClose() -> OnCancel()
// Handlers return nothing; OnMessage returns a result for the program's own messages.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/control.h"
#include "platform/win/dialog_template.h"
#include "platform/win/window.h"

namespace tra1::win {

// Where a dialog asks to be placed; the front end turns it into screen coordinates.
enum class Placement {
    kTemplate,         // the template's x, y
    kCenterScreen,     // CenterWindow() with no owner
    kCenterOverOwner,  // CenterWindow(owner)
};

class Dialog : public Window {
public:
    Dialog(EventLoop& loop, int templateId);
    ~Dialog() override;

    int TemplateId() const { return templateId_; }
    // The template the window was built from (nullptr before Create).
    const DialogTemplate* GetDialogTemplate() const { return template_ ? &*template_ : nullptr; }

    // Builds the window and its controls from the template, tells the DialogHost (kCreated),
    // sends WM_INITDIALOG and, if the template says kVisible, shows it. Fails (false, no window)
    // when the template is not registered, when the loop's creation-failure hook says so, or
    // when the window exists already.
    bool Create(WindowHandle parent = {});
    // Creates, disables the parent, shows, runs until EndDialog (or destruction), destroys and
    // re-enables the parent. Returns EndDialog's result, IDCANCEL if the window was destroyed
    // without it, or -1 if it could not be created.
    int DoModal(WindowHandle parent = {});
    // Ends a modal dialog with `result`; on a modeless dialog it hides the window, as the
    // toolkit does (modeless dialogs call DestroyWindow to go).
    void EndDialog(int result);
    bool IsModal() const { return modal_; }
    bool ModalEnded() const { return ended_; }
    int ModalResult() const { return result_; }

    // Showing and focus.
    void Show(bool visible = true) { ShowWindow(visible); }
    // Gives the dialog the keyboard focus (and brings it to the front).
    void SetFocus();
    bool HasFocus() const;
    void CenterWindow(WindowHandle over = {});
    Placement GetPlacement() const { return placement_; }
    WindowHandle PlacementOwner() const { return placementOwner_; }

    // Controls by id. Get<T> returns nullptr when there is no such control or it is another kind.
    Control* GetDlgItem(int id) const;
    template <typename T>
    T* Get(int id) const {
        return dynamic_cast<T*>(GetDlgItem(id));
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // The control with the keyboard focus, or nullptr.
    Control* FocusedControl() const;

    // Shorthands of the toolkit (no-ops for a missing id; getters answer "" / 0 / false).
    void SetDlgItemText(int id, std::string text);
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, int state);
    int IsDlgButtonChecked(int id) const;
    // Checks `check` and unchecks the other radio buttons with ids first..last.
    void CheckRadioButton(int first, int last, int check);
    void EnableDlgItem(int id, bool enabled);
    void ShowDlgItem(int id, bool visible);
    // Radio buttons of the group that `id` belongs to (groups start at kGroup-styled controls).
    std::vector<int> RadioGroupOf(int id) const;

    LResult HandleMessage(Msg msg, WParam w, LParam l) override;

    // --- sliders moved by keys or the mouse wheel --------------------------------------------
    // Such moves have no mouse release, so the dialog makes one: once the slider has stood still
    // for kSliderIdleMs after its last key or wheel step, it gets NM_RELEASEDCAPTURE exactly as
    // a mouse release would give it, once for the whole run of steps. A real release in between
    // takes its place. Until then the user holds the thumb (Slider::SetHeld): the program's
    // refreshes do not move it. The gestures (user_input.h) call these.
    static constexpr std::uint32_t kSliderIdleMs = 600;
    void ScheduleSliderRelease(int id);
    void CancelSliderRelease(int id);
    bool SliderReleasePending(int id) const;

    // Used by Control to report focus and state changes.
    void ControlTookFocus(Control& control);

protected:
    // Called once the controls exist. Return value is the toolkit's "set default focus" flag.
    virtual bool OnInitDialog() { return true; }
    // Enter key and button id IDOK. Default: EndDialog(IDOK).
    virtual void OnOK() { EndDialog(IDOK); }
    // Esc key, close box and button id IDCANCEL. Default: EndDialog(IDCANCEL).
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_COMMAND from controls (BN_CLICKED, CBN_SELCHANGE, LBN_DBLCLK, EN_CHANGE, ...) and menus
    // (code 0).
    virtual void OnCommand(int /*id*/, unsigned /*code*/) {}
    // WM_NOTIFY: code is negative for the common notifications (NM_RELEASEDCAPTURE = -12).
    virtual void OnNotify(int /*id*/, LParam /*code*/) {}
    // WM_HSCROLL / WM_VSCROLL from a slider: TB_* code and the slider's position.
    virtual void OnScroll(int /*id*/, unsigned /*code*/, int /*position*/) {}
    // Mouse button pressed (true) or released (false) on a control.
    virtual void OnControlMouse(int /*id*/, bool /*pressed*/) {}
    // A key pressed while the dialog has the focus, before Enter/Esc become IDOK/IDCANCEL.
    virtual void OnKeyDown(unsigned /*key*/) {}
    void OnClose() override { OnCancel(); }

    void WindowStateChanged(WindowChange change) override;

private:
    void BuildControls(const DialogTemplate& source);
    void RunHeadlessModal();

    int templateId_;
    std::optional<DialogTemplate> template_;  // a copy: the registry may change later
    std::vector<std::unique_ptr<Control>> controls_;
    // Each id's first control: GetDlgItem is asked many times a second (the main window's
    // status line after every message).
    std::unordered_map<int, Control*> controlsById_;
    int focusedControl_ = 0;  // id; 0 = none
    bool modal_ = false;
    bool ended_ = false;
    int result_ = 0;
    Placement placement_ = Placement::kTemplate;
    WindowHandle placementOwner_;
};

}  // namespace tra1::win
