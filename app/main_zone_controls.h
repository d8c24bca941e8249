#pragma once

#include <array>
#include <cstddef>

#include "platform/win/message.h"

namespace tra1 {

class CommandSender;
class MainZoneView;
class PanelTable;
class ReceiverImage;
struct LinkState;
struct MainZoneSelector;

namespace win {
class Dialog;
}

// What the user does with the main zone and zone 2 controls of the main window: power, input,
// input mode, multi-channel input, on-screen display, speakers A/B, EX/ES, night mode, both
// mutes, both volume track bars and their "+"/"-" buttons with the held-button repeat, and the
// hidden test-tone buttons. Each change is stored in MainZoneState first and then sent at once
// through SendCommand, which itself lets nothing but power and the memory commands through in
// asynchronous mode: there these controls edit the image only.
//
// The main window owns one and forwards to it: WM_COMMAND of these controls, the volume track
// bars' release notification, mouse presses and releases on controls, key presses, timer 5 and,
// after its own refresh (0x900F), AfterRefresh.
class MainZoneControls {
public:
    // Configuration frames that are not decoded after a change, so that the receiver's reports
    // that still carry the old value do not move the control back.
    static constexpr int kDecodeSkipAfterChange = 3;
    // Ticks of timer 5 (50 ms) a volume button must be held before it repeats.
    static constexpr int kRepeatDelayTicks = 10;

    // Nothing is owned; everything must outlive the controls.
    MainZoneControls(win::Dialog& window, ReceiverImage& image, LinkState& state,
                     CommandSender& sender, MainZoneView& view, PanelTable& panels)
        : window_(window),
          image_(image),
          state_(state),
          sender_(sender),
          view_(view),
          panels_(panels) {}

    // WM_COMMAND from one of these controls; false when the id is none of them.
    bool OnCommand(int id, unsigned code);
    // WM_NOTIFY: the release of a volume track bar; false for anything else.
    bool OnNotify(int id, win::LParam code);
    // A volume track bar's thumb moving (dragged, keys, wheel): its read-out follows the thumb;
    // the value is stored and sent only on the release.
    void OnScroll(int id, int position);
    // The mouse went down (pressed) or up on a control: a "+"/"-" volume button steps at once
    // and starts repeating; any release stops every repeat.
    void OnControlMouse(int id, bool pressed);
    // Any key stops every repeat.
    void OnKeyDown(unsigned key);
    // Timer 5, every 50 ms: the held volume buttons count their delay, then step once per tick.
    void OnRepeatTimer();
    // After the main window brought its controls in line with the image: panels that turning
    // multi-channel input on had hidden come back once it is off again.
    void AfterRefresh();

    // Whether any volume button is repeating (held).
    bool Repeating() const;

private:
    enum class VolumeButton : std::size_t { kMainUp, kMainDown, kZone2Up, kZone2Down, kCount };
    static constexpr std::size_t kButtonCount = static_cast<std::size_t>(VolumeButton::kCount);

    void OnSelectorChanged(const MainZoneSelector& selector);
    void OnVolumeReleased(bool mainZone);
    // One step of a volume button; false when the step is refused (limit, or zone 2 fixed).
    bool StepVolume(VolumeButton button);
    void ShowVolume(bool mainZone, int step);
    void SendVolume(bool mainZone, int step);
    void StopRepeats();
    bool ButtonUsable(VolumeButton button) const;
    void HideProgramPanels();
    void PostPanelRefresh(win::Msg refreshMessage);

    win::Dialog& window_;
    ReceiverImage& image_;
    LinkState& state_;
    CommandSender& sender_;
    MainZoneView& view_;
    PanelTable& panels_;
    // Per volume button: 0 not held; 1..kRepeatDelayTicks counting the delay; beyond, repeating.
    std::array<int, kButtonCount> repeat_{};
    // The DSP PARAMETER and INPUT - DSP PROGRAM panels that multi-channel input hid.
    std::array<bool, 2> hiddenPanels_{};
};

}  // namespace tra1
