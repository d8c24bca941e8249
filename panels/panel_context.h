#pragma once
// What every setting panel is given when it is created: the loop it runs in, the image it shows
// and edits, the model profile (names, counts, formatters), the link's shared flags (the control
// mode decides whether a refresh may be held) and the main window, which receives every change
// message. Nothing here is owned: everything lives as long as the main window.

#include "platform/win/window_handle.h"

namespace tra1 {

namespace win {
class EventLoop;
}
class ReceiverImage;
class ModelProfile;
struct LinkState;

struct PanelContext {
    win::EventLoop& loop;
    ReceiverImage& image;
    ModelProfile& profile;
    // Read only by the panels: realtimeMode.
    const LinkState& link;
    // Target of the change messages (and of 0x900F from the DSP panels).
    win::WindowHandle mainWindow;
};

}  // namespace tra1
