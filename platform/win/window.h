#pragma once
// A window: something that receives messages and owns timers. Dialogs derive from it; invisible
// windows (the serial port owner, the tick source) use it or Dialog directly.
//
// Lifetime: the C++ object is owned by whoever created it (a member, a unique_ptr). The window
// exists between a successful Create and DestroyWindow (or the object's destruction). While it
// exists it has a handle; messages and timers address handles, so a message to a destroyed window
// is dropped. Destroying a window first destroys the windows whose parent it is.
//
// A window that must free itself when it is destroyed (a panel closed by its user) hands its
// owning unique_ptr to EventLoop::DeleteLater from PostNcDestroy or from its owner's callback.

#include <cstdint>
#include <string>

#include "platform/win/menu.h"
#include "platform/win/message.h"
#include "platform/win/window_handle.h"

namespace tra1::win {

class EventLoop;
enum class Answer;
enum class Buttons;

// What changed about a window, for a front end that mirrors it (see DialogHost).
enum class WindowChange {
    kCreated,    // the window exists; its controls are built, WM_INITDIALOG not yet sent
    kShown,      // became visible
    kHidden,     // became invisible
    kCaption,    // SetWindowText
    kEnabled,    // EnableWindow (either way)
    kPlacement,  // CenterWindow / MoveWindow
    kFocus,      // became the focused window, or a control in it took the focus
    kIcon,       // SetIcon
    kMenu,       // the menu bar or system menu was set or changed
    kDestroyed,  // about to go: the handle is still valid during this call
};

class Window {
public:
    explicit Window(EventLoop& loop);
    // Destroys the window if it still exists, without OnDestroy/PostNcDestroy (a base destructor
    // cannot reach the derived class): a class whose OnDestroy must run calls DestroyWindow()
    // in its own destructor.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates a plain, invisible window with this parent (null = top level). False if it
    // exists already.
    bool CreateHidden(WindowHandle parent = {});
    // Sends WM_DESTROY, destroys child windows first, kills this window's timers, drops its
    // handle and calls PostNcDestroy. False if the window does not exist.
    bool DestroyWindow();
    bool IsWindow() const { return !handle_.IsNull(); }

    WindowHandle Handle() const { return handle_; }
    WindowHandle Parent() const { return parent_; }
    EventLoop& Loop() const { return loop_; }

    // The window procedure. The base routes WM_TIMER to OnTimer, WM_DESTROY to OnDestroy,
    // WM_CLOSE to OnClose, WM_SYSCOMMAND to OnSysCommand and everything else to OnMessage.
    // Dialog routes more (see dialog.h). Override OnMessage for the program's own messages.
    virtual LResult HandleMessage(Msg msg, WParam w, LParam l);

    // To this window. Post returns false when the window does not exist.
    bool PostMessage(Msg msg, WParam w = 0, LParam l = 0);
    LResult SendMessage(Msg msg, WParam w = 0, LParam l = 0);
    // Timers of this window by id (see EventLoop::SetTimer). False when the window does not exist.
    bool SetTimer(TimerId id, std::uint32_t periodMs);
    // Once, at `atMs` on the loop's clock (see EventLoop::SetOneShotTimer).
    bool SetOneShotTimer(TimerId id, std::int64_t atMs);
    bool KillTimer(TimerId id);

    // Caption.
    void SetWindowText(std::string text);
    const std::string& GetWindowText() const { return caption_; }
    // Visibility and enabling of the whole window.
    void ShowWindow(bool visible);
    bool IsWindowVisible() const { return visible_; }
    void EnableWindow(bool enabled);
    bool IsWindowEnabled() const { return enabled_; }

    // Menu bar (nullptr if none) and the system menu (always there). Setting the menu bar and
    // every later change of either menu (check marks, enabling, appended items) are reported as
    // WindowChange::kMenu while the window exists.
    void SetMenu(Menu menu);
    Menu* GetMenu() { return hasMenu_ ? &menu_ : nullptr; }
    Menu& GetSystemMenu() { return systemMenu_; }

    // Large and small window icons by icon resource id (0 = none).
    void SetIcon(int iconId, bool big);
    int GetIcon(bool big) const { return big ? bigIcon_ : smallIcon_; }

    // A message box owned by this window, through the loop's Prompter.
    Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons);

protected:
    virtual void OnTimer(TimerId /*id*/) {}
    virtual void OnDestroy() {}
    // After the window is gone (handle already null); the last call a window receives.
    virtual void PostNcDestroy() {}
    // WM_CLOSE (close box, Alt+F4): the plain window destroys itself; Dialog cancels.
    virtual void OnClose();
    // WM_SYSCOMMAND: SC_CLOSE sends WM_CLOSE; other ids do nothing unless overridden (the main
    // window opens its About box on IDM_ABOUTBOX here).
    virtual void OnSysCommand(unsigned command);
    // Every message not routed elsewhere; returns the message's result.
    virtual LResult OnMessage(Msg /*msg*/, WParam /*w*/, LParam /*l*/) { return 0; }

    // For Dialog: registers the window with the loop and records the parent.
    bool Attach(WindowHandle parent);
    // Destroys without virtual callbacks (for destructors); the host still hears kDestroyed.
    void DestroySilently();
    // Told of a change that a front end may want to mirror; Dialog forwards it to the host.
    virtual void WindowStateChanged(WindowChange /*change*/) {}

private:
    EventLoop& loop_;
    WindowHandle handle_;
    WindowHandle parent_;
    std::string caption_;
    bool visible_ = false;
    bool enabled_ = true;
    bool hasMenu_ = false;
    Menu menu_;
    Menu systemMenu_;
    int bigIcon_ = 0;
    int smallIcon_ = 0;
    bool destroying_ = false;
};

}  // namespace tra1::win
