#pragma once
// What every setting panel is given when it is created: the loop it runs in, the image it shows
// and edits, the model profile (names, counts, formatters), the link's shared flags (the control
// mode decides whether a refresh may be held), the main window, which receives every change
// message, and the main window's panel table, through which a panel reaches another open panel.
// Nothing here is owned: everything lives as long as the main window.

#include "platform/win/message.h"
#include "platform/win/window_handle.h"

namespace tra1 {

namespace win {
class EventLoop;
}
class ReceiverImage;
class ModelProfile;
struct LinkState;

// The open panels as the main window's panel table knows them.
class PanelDirectory {
public:
    virtual ~PanelDirectory() = default;
    // Posts `refreshMessage` to the panel it belongs to if that panel is open; false (nothing
    // posted) when it is not.
    virtual bool PostRefreshIfOpen(win::Msg refreshMessage) = 0;
};

struct PanelContext {
    win::EventLoop& loop;
    ReceiverImage& image;
    ModelProfile& profile;
    // Read only by the panels: realtimeMode.
    const LinkState& link;
    // Target of the change messages (and of 0x900F from the DSP panels).
    win::WindowHandle mainWindow;
    PanelDirectory& panels;
};

}  // namespace tra1
