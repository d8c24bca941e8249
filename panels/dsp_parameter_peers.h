#pragma once
// The DSP PARAMETER and INPUT - DSP PROGRAM panels refresh each other after a user change, but
// only while the other one is open. Each registers its window here when it opens and removes it
// when it goes, per event loop (tests run several loops side by side).

#include "platform/win/message.h"
#include "platform/win/window_handle.h"

namespace tra1 {

namespace win {
class EventLoop;
}

class DspPanelPeers {
public:
    // The panel with this refresh message is open with this window.
    static void Opened(win::EventLoop& loop, win::Msg refreshMessage, win::WindowHandle window);
    // The panel's window has gone; an entry that names another window stays.
    static void Closed(win::EventLoop& loop, win::Msg refreshMessage, win::WindowHandle window);
    // Posts the panel its refresh message if it is open; false when it is not.
    static bool PostRefresh(win::EventLoop& loop, win::Msg refreshMessage);

    // A panel's entry. Close signs it out when the panel's window goes; the destructor signs it
    // out again, since a window destroyed with its object (the main window closing) never runs
    // OnDestroy. Signing out twice is harmless: an entry that names another window stays.
    class Registration {
    public:
        Registration() = default;
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration() { Close(); }

        void Open(win::EventLoop& loop, win::Msg refreshMessage, win::WindowHandle window);
        void Close();

    private:
        win::EventLoop* loop_ = nullptr;
        win::Msg refreshMessage_ = 0;
        win::WindowHandle window_;
    };
};

}  // namespace tra1
