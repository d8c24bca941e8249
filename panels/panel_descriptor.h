#pragma once
// Everything fixed about one panel, in one record: how the main window opens it and names it,
// which messages it answers and posts, and how its refreshes are held after a user change. Each
// panel class holds its own as `kDescriptor`; the main window's panel table and the panel base
// both read it, so no fact about a panel is written twice.

#include <array>
#include <string_view>

#include "platform/win/message.h"

namespace tra1 {

// When a running hold counter holds back a refresh.
enum class HoldRule {
    kRealtimeOnly,  // only in realtime mode; in asynchronous mode every refresh goes through
    kCounterOnly,   // whenever the counter runs (I/O ASSIGN, SPEAKER SET, INPUT - DSP PROGRAM,
                    // INPUT RENAME, Speaker Distance)
};

// How the change message reaches the main window.
enum class ChangeDelivery {
    kPosted,  // the panel goes on at once (most panels)
    kSent,    // the panel waits until the main window has handled it (CINEMA EQ, Video Processor)
};

// Where the window stands when it opens.
enum class PanelPlacement {
    kCenterScreen,  // every panel but INPUT TRIM
    kTemplate,      // the template's position
};

struct PanelDescriptor {
    // --- what the main window knows ----------------------------------------------------------
    // The message that reloads the panel from the image (0x9000..0x9016).
    win::Msg refreshMessage = 0;
    int templateId = 0;
    std::string_view caption{};
    // The command that opens it from the Window menu; 0 when there is none. A command may exist
    // without a menu item (EXTERNAL INPUT SET): then menuText is empty.
    int menuId = 0;
    std::string_view menuText{};
    // The small button beside a label on the main window, and that label.
    int buttonId = 0;
    std::string_view buttonLabel{};
    // Completes "Dialog Creating Error\r\n" when the window cannot be made.
    std::string_view windowName{};

    // --- what the panel does -----------------------------------------------------------------
    // The change messages it posts to the main window; the first is the one a plain user change
    // posts. 0 where there is no (second) one.
    std::array<win::Msg, 2> changeMessages{};
    // Refreshes held after a user change; 0 = never held.
    int holdCount = 0;
    HoldRule holdRule = HoldRule::kRealtimeOnly;
    ChangeDelivery delivery = ChangeDelivery::kPosted;
    PanelPlacement placement = PanelPlacement::kCenterScreen;

    constexpr win::Msg ChangeMessage() const { return changeMessages[0]; }
};

}  // namespace tra1
