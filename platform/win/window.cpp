#include "platform/win/window.h"

#include "platform/win/event_loop.h"
#include "platform/win/prompter.h"

namespace tra1::win {

Window::Window(EventLoop& loop) : loop_(loop) {
    systemMenu_.AppendCommand(SC_CLOSE, "&Close");
    // Check marks, enabling and new items reach the front end like every other window change.
    const auto menuChanged = [this] {
        if (IsWindow()) {
            WindowStateChanged(WindowChange::kMenu);
        }
    };
    menu_.SetObserver(menuChanged);
    systemMenu_.SetObserver(menuChanged);
}

Window::~Window() {
    DestroySilently();
}

bool Window::Attach(WindowHandle parent) {
    if (IsWindow()) {
        return false;
    }
    parent_ = parent;
    handle_ = loop_.Register(*this, parent);
    return true;
}

bool Window::CreateHidden(WindowHandle parent) {
    if (!Attach(parent)) {
        return false;
    }
    visible_ = false;
    return true;
}

bool Window::DestroyWindow() {
    if (!IsWindow() || destroying_) {
        return false;
    }
    destroying_ = true;
    const WindowHandle self = handle_;
    for (const WindowHandle child : loop_.ChildrenOf(self)) {
        if (Window* window = loop_.Find(child)) {
            window->DestroyWindow();
        }
    }
    loop_.Send(self, WM_DESTROY, 0, 0);
    WindowStateChanged(WindowChange::kDestroyed);
    loop_.Unregister(self);
    handle_ = {};
    visible_ = false;
    destroying_ = false;
    // Last: the object may hand itself to EventLoop::DeleteLater here.
    PostNcDestroy();
    return true;
}

void Window::DestroySilently() {
    if (!IsWindow()) {
        return;
    }
    destroying_ = true;
    for (const WindowHandle child : loop_.ChildrenOf(handle_)) {
        if (Window* window = loop_.Find(child)) {
            window->DestroyWindow();
        }
    }
    loop_.Unregister(handle_);
    handle_ = {};
    visible_ = false;
    destroying_ = false;
}

LResult Window::HandleMessage(Msg msg, WParam w, LParam l) {
    switch (msg) {
        case WM_TIMER:
            OnTimer(static_cast<TimerId>(w));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_SYSCOMMAND:
            OnSysCommand(static_cast<unsigned>(w));
            return 0;
        default:
            return OnMessage(msg, w, l);
    }
}

void Window::OnClose() {
    DestroyWindow();
}

void Window::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0u) == SC_CLOSE) {
        SendMessage(WM_CLOSE);
    }
}

bool Window::PostMessage(Msg msg, WParam w, LParam l) {
    return loop_.Post(handle_, msg, w, l);
}

LResult Window::SendMessage(Msg msg, WParam w, LParam l) {
    return loop_.Send(handle_, msg, w, l);
}

bool Window::SetTimer(TimerId id, std::uint32_t periodMs) {
    return loop_.SetTimer(handle_, id, periodMs);
}

bool Window::SetOneShotTimer(TimerId id, std::int64_t atMs) {
    return loop_.SetOneShotTimer(handle_, id, atMs);
}

bool Window::KillTimer(TimerId id) {
    return loop_.KillTimer(handle_, id);
}

void Window::SetWindowText(std::string text) {
    if (text == caption_) {
        return;
    }
    caption_ = std::move(text);
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kCaption);
    }
}

void Window::ShowWindow(bool visible) {
    if (visible == visible_ || (visible && !IsWindow())) {
        return;
    }
    visible_ = visible;
    WindowStateChanged(visible ? WindowChange::kShown : WindowChange::kHidden);
}

void Window::EnableWindow(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kEnabled);
    }
}

void Window::SetMenu(Menu menu) {
    menu_ = std::move(menu);  // the items only: menu_ stays observed by this window
    hasMenu_ = true;
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kMenu);
    }
}

void Window::SetIcon(int iconId, bool big) {
    int& slot = big ? bigIcon_ : smallIcon_;
    if (slot == iconId) {
        return;
    }
    slot = iconId;
    if (IsWindow()) {
        WindowStateChanged(WindowChange::kIcon);
    }
}

Answer Window::MessageBox(const std::string& text, const std::string& title, Buttons buttons) {
    return loop_.GetPrompter().ShowMessageBox(
        MessageBoxRequest{text, title, buttons, BoxIcon::kNone, handle_});
}

}  // namespace tra1::win
